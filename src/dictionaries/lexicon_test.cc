#include "dictionaries/lexicon.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "dictionaries/byte_stream.h"
#include "dictionaries/lexicon_builder.h"
#include "foundations/charset.h"
#include "foundations/messages.h"
#include "platform/scripted_box.h"
#include "test_support.h"

namespace malvex {
namespace {

using testing::CatchFatalExit;
using testing::FatalExitCalled;

// Codes used below: a factive verb, a substantive, an objective adjective
// and a personal pronoun.
constexpr uint16_t kVerb = 0x0100;
constexpr uint16_t kNoun = 0x0800;
constexpr uint16_t kAdjective = 0x0401;
constexpr uint16_t kPronoun = 0x0513;

// A segment to walk: Find keeps its cursor in the trie.
Trie32& Walkable(const Lexicon& lexicon, int n) { return const_cast<Trie32&>(lexicon.segment(n)); }

std::string Image(const LexiconBuilder& builder) {
  std::string image;
  EXPECT_TRUE(builder.Build(image));
  return image;
}

// The small lexicon most tests read.
std::string SmallImage() {
  LexiconBuilder b(DefaultLanguageTables());
  EXPECT_TRUE(b.AddForm("mare", {kAdjective, kNoun, kVerb}));
  EXPECT_TRUE(b.AddForm("marea", {kNoun}));
  EXPECT_TRUE(b.AddForm("pas", {kNoun, kVerb}));
  EXPECT_TRUE(b.AddForm("pe", {0x0201}));
  EXPECT_TRUE(b.AddForm("a", {kVerb, 0x0601, kPronoun}));
  EXPECT_TRUE(b.AddForm("vorb\xE3", {kNoun, kVerb, kAdjective}));
  EXPECT_TRUE(b.AddForm("\xBA" "coal\xE3", {kNoun}));  // şcoală
  return Image(b);
}

class LexiconTest : public ::testing::Test {
 protected:
  LexiconTest() : messages_(box_), tables_(DefaultLanguageTables()), lexicon_(messages_, tables_) {}

  void LoadSmall() { ASSERT_EQ(lexicon_.LoadImage(SmallImage()), LexiconLoadStatus::kOk); }

  int32_t Lookup(int reading, std::string form) {
    return lexicon_.Lookup(reading, form.data(), form.size());
  }
  int32_t LookupForm(int reading, std::string form, bool allowScenario = true) {
    return lexicon_.LookupForm(reading, form.data(), form.size(), true, allowScenario);
  }

  ScriptedBox box_;
  Messages messages_;
  LanguageTables tables_;
  Lexicon lexicon_;
};

TEST_F(LexiconTest, SegmentsByReadingNumber) {
  struct Case {
    int reading;
    const char* form;
    int segment;
  };
  const Case cases[] = {
      {0, "pas", 8},          // 8 + ((0x61 + 0x73) mod 4) x 10
      {0, "pe", 18},          // 8 + (0x65 mod 4) x 10
      {0, "a", 1},            // no second byte
      {0, "3x", 10},          // bucket 0 taken as 10; 0x78 mod 4 = 0
      {1, "mare", 43},        // 7 mod 5 + 41
      {2, "mare", 50},        // 'a' below 'o'
      {2, "vorb\xE3", 49},    // 'o'
      {3, "mare", 48},
      {4, "mare", 47},
      {5, "mare", 46},
      {1, "3x", 41},          // bucket 0
      {0, "\xBA" "a", 7 + 1 * 10},  // ş: bucket 7, 'a' = 0x61
  };
  for (const Case& c : cases) {
    EXPECT_EQ(lexicon_.SegmentOf(c.reading, c.form, std::strlen(c.form)), c.segment)
        << c.reading << " " << c.form;
  }
  EXPECT_EQ(lexicon_.SegmentOf(6, "mare", 4), 0);
  EXPECT_EQ(lexicon_.SegmentOf(0, "", 0), 0);
}

TEST_F(LexiconTest, ReadingsComeBackInOrderWithTheAmbiguityBitOnAllButTheLast) {
  LoadSmall();
  EXPECT_TRUE(lexicon_.Ready());
  const uint16_t expected[] = {kAdjective | kCodeAmbiguous, kNoun | kCodeAmbiguous, kVerb};
  for (int k = 0; k < 3; ++k) {
    EXPECT_GE(Lookup(k, "mare"), 0) << k;
    EXPECT_EQ(lexicon_.code(), expected[k]) << k;
    const WordCategory decoded = DecodeCategory(expected[k]);
    EXPECT_EQ(std::memcmp(&lexicon_.category(), &decoded, sizeof decoded), 0) << k;
  }
  EXPECT_EQ(Lookup(3, "mare"), -1);
  EXPECT_EQ(lexicon_.code(), 0);
  EXPECT_TRUE(isAmbiguous(DecodeCategory(kAdjective | kCodeAmbiguous)));

  // Each reading sits in the segment of its number.
  EXPECT_GT(Walkable(lexicon_, lexicon_.SegmentOf(0, "mare", 4)).ValueOf("mare"), 0);
  EXPECT_EQ(Walkable(lexicon_, lexicon_.SegmentOf(1, "mare", 4)).ValueOf("mare"),
            kNoun | kCodeAmbiguous);
  EXPECT_EQ(Walkable(lexicon_, 50).ValueOf("mare"), kVerb);
  EXPECT_EQ(Walkable(lexicon_, 49).ValueOf("vorb\xE3"), kAdjective);
  EXPECT_EQ(lexicon_.newEntries(), 14u);
  EXPECT_EQ(lexicon_.duplicates(), 0u);
}

TEST_F(LexiconTest, LookupFoldsTheFormInPlace) {
  LoadSmall();
  std::string form = "\xAA" "COAL\xC3";  // ŞCOALĂ
  EXPECT_GE(lexicon_.Lookup(0, form.data(), form.size()), 0);
  EXPECT_EQ(form, "\xBA" "coal\xE3");
  EXPECT_EQ(lexicon_.code(), kNoun);
  std::string padded("Pas\0zz", 6);  // the form ends at its zero byte
  EXPECT_GE(lexicon_.Lookup(0, padded.data(), padded.size()), 0);
  EXPECT_EQ(padded.substr(0, 3), "pas");
}

TEST_F(LexiconTest, LookupFormTellsKnownAndReached) {
  LoadSmall();
  struct Case {
    const char* form;
    int32_t result;  // -1 or "found" (>= 0)
    bool known;
    bool reached;
  };
  const Case cases[] = {
      {"mare", 0, true, false},
      {"mar", -1, true, true},    // a stored prefix only
      {"m", -1, false, false},    // in another segment than "mare": s differs
      {"marex", -1, false, false},
      {"mb", -1, false, false},
      {"zzz", -1, false, false},
  };
  for (const Case& c : cases) {
    const int32_t r = LookupForm(0, c.form);
    if (c.result < 0) {
      EXPECT_EQ(r, -1) << c.form;
      EXPECT_EQ(lexicon_.code(), 0) << c.form;
    } else {
      EXPECT_GE(r, 0) << c.form;
    }
    EXPECT_EQ(lexicon_.known(), c.known) << c.form;
    EXPECT_EQ(lexicon_.reached(), c.reached) << c.form;
    EXPECT_FALSE(lexicon_.defaulted()) << c.form;
    EXPECT_FALSE(lexicon_.inSemantic()) << c.form;
  }
  // The plain lookup does not find a prefix either.
  EXPECT_EQ(Lookup(0, "mar"), -1);
  EXPECT_EQ(Lookup(0, ""), -1);
  EXPECT_EQ(LookupForm(0, ""), -1);
}

// A semantic dictionary and Scenario that know a few words.
class FakeFallback : public LexiconFallback {
 public:
  bool SemanticHolds(const char* folded, size_t length, bool& reachedEnd) override {
    const std::string f(folded, length);
    reachedEnd = f == "cas" || f == "casa";
    return f == "casa";
  }
  bool ScenarioHolds(const char* folded, size_t length, bool& reachedEnd) override {
    const std::string f(folded, length);
    ++scenarioAsked;
    reachedEnd = f == "robo" || f == "robot";
    return f == "robot";
  }
  int scenarioAsked = 0;
};

TEST_F(LexiconTest, FormsKnownElsewhereDefaultToASubstantive) {
  LoadSmall();
  FakeFallback fallback;
  lexicon_.SetFallback(&fallback);
  struct Case {
    const char* form;
    bool allowScenario;
    int32_t result;
    bool known, reached, inSemantic, defaulted;
  };
  const Case cases[] = {
      {"Casa", true, 1, true, true, true, true},
      {"cas", true, -1, true, true, true, false},
      {"robot", true, 1, true, true, false, true},
      {"robot", false, -1, false, false, false, false},
      {"robo", true, -1, true, true, false, false},
      {"mar", true, -1, true, true, false, false},
      {"xyz", true, -1, false, false, false, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LookupForm(0, c.form, c.allowScenario), c.result) << c.form;
    EXPECT_EQ(lexicon_.known(), c.known) << c.form;
    EXPECT_EQ(lexicon_.reached(), c.reached) << c.form;
    EXPECT_EQ(lexicon_.inSemantic(), c.inSemantic) << c.form;
    EXPECT_EQ(lexicon_.defaulted(), c.defaulted) << c.form;
    if (c.result == 1) {
      EXPECT_EQ(lexicon_.code(), 1) << c.form;
      EXPECT_EQ(lexicon_.category().category, kClassSubstantive) << c.form;
    } else {
      EXPECT_EQ(lexicon_.code(), 0) << c.form;
      EXPECT_EQ(lexicon_.category().category, 0) << c.form;
    }
  }
  // A form the lexicon holds is not asked elsewhere.
  fallback.scenarioAsked = 0;
  EXPECT_GE(LookupForm(0, "pas"), 0);
  EXPECT_EQ(fallback.scenarioAsked, 0);
  lexicon_.ClearReached();
  EXPECT_FALSE(lexicon_.reached());
}

TEST_F(LexiconTest, DepthOverflowAsksOnceThenEveryLookupFails) {
  LoadSmall();
  box_.QueueAnswer(kButton1);  // Yes
  EXPECT_EQ(LookupForm(6, "mare"), -1);
  ASSERT_EQ(box_.asked().size(), 1u);
  EXPECT_EQ(box_.asked()[0].text, std::string(CatalogueText(14)) + "mare");
  EXPECT_EQ(box_.asked()[0].kind, BoxKind::kYesNoDefaultNo);
  EXPECT_TRUE(lexicon_.depthOverflow());
  EXPECT_TRUE(lexicon_.depthQuestionAsked());
  EXPECT_EQ(Lookup(0, "mare"), -1);
  EXPECT_EQ(LookupForm(0, "pas"), -1);
  EXPECT_EQ(Lookup(7, "pas"), -1);
  EXPECT_EQ(box_.asked().size(), 1u);
}

TEST_F(LexiconTest, DepthOverflowAnsweredNoEndsTheProcess) {
  LoadSmall();
  box_.QueueAnswer(kButton3);  // No
  CatchFatalExit fatal;
  try {
    Lookup(9, "pas");
    FAIL() << "no fatal exit";
  } catch (const FatalExitCalled& e) {
    EXPECT_EQ(e.code, 0);
  }
}

TEST_F(LexiconTest, LoadingReplacesTheEngineTables) {
  LanguageTables fileTables = DefaultLanguageTables();
  fileTables.initialBucket[static_cast<uint8_t>('m')] = 3;
  fileTables.norm[0] = -12;
  fileTables.macToAnsi[0x80] = 0x41;
  LexiconBuilder b(fileTables, 0x42);
  ASSERT_TRUE(b.AddForm("mare", {kNoun, kVerb}));
  ASSERT_EQ(lexicon_.LoadImage(Image(b)), LexiconLoadStatus::kOk);
  EXPECT_EQ(std::memcmp(&tables_, &fileTables, sizeof tables_), 0);
  EXPECT_EQ(lexicon_.spareTableByte(), 0x42);
  // Segments now follow the file's buckets: reading 1 of "mare" is in 3 + 41.
  EXPECT_EQ(lexicon_.SegmentOf(1, "mare", 4), 44);
  EXPECT_EQ(Walkable(lexicon_, 44).ValueOf("mare"), kVerb);
  EXPECT_GE(Lookup(1, "mare"), 0);
  EXPECT_EQ(lexicon_.code(), kVerb);
}

// ---- Damaged files ------------------------------------------------------

// Offsets in the small image: the header, the 50 records, then the arrays.
constexpr size_t kRecords = kLexiconHeaderSize;
constexpr size_t kArrays = kRecords + kLexiconSegments * 24;

struct Damage {
  const char* what;
  std::function<void(std::string&)> apply;
  LexiconLoadStatus status;
  int message;
  int exitCode;
};

std::vector<Damage> Damages() {
  return {
      {"empty file", [](std::string& f) { f.clear(); }, LexiconLoadStatus::kUnreadable, 10, 2},
      {"header cut", [](std::string& f) { f.resize(kLexiconHeaderSize - 1); },
       LexiconLoadStatus::kUnreadable, 10, 2},
      {"records cut", [](std::string& f) { f.resize(kArrays - 1); },
       LexiconLoadStatus::kUnreadable, 10, 2},
      {"arrays cut", [](std::string& f) { f.pop_back(); }, LexiconLoadStatus::kUnreadable, 10, 2},
      {"cell count beyond the file",
       [](std::string& f) { f[kRecords + 16 + 3] = 0x7F; },  // segment 1's cells
       LexiconLoadStatus::kUnreadable, 10, 2},
      {"magic", [](std::string& f) { f[1129] ^= 1; }, LexiconLoadStatus::kBadMagic, 11, 1},
      {"version 17", [](std::string& f) { f[0] = 17; }, LexiconLoadStatus::kBadVersion, 12, 1},
      {"magic and version", [](std::string& f) { f[0] = 19; f[1130] = 0; },
       LexiconLoadStatus::kBadMagic, 11, 1},
      {"bucket above 10", [](std::string& f) { f[28 + 'q'] = 11; }, LexiconLoadStatus::kDamaged, 13, 1},
      {"character class above 5", [](std::string& f) { f[284 + 'q'] = 6; },
       LexiconLoadStatus::kDamaged, 13, 1},
      {"link backwards", [](std::string& f) { std::memset(&f[f.size() - 4], 0, 4); },
       LexiconLoadStatus::kDamaged, 13, 1},
      {"link outside", [](std::string& f) { f[f.size() - 4] = 0x7F; f[f.size() - 1] = 0; },
       LexiconLoadStatus::kDamaged, 13, 1},
  };
}

TEST_F(LexiconTest, DamagedImagesAreRefusedAndChangeNothing) {
  LoadSmall();
  const LanguageTables before = tables_;
  for (const Damage& d : Damages()) {
    std::string image = SmallImage();
    d.apply(image);
    EXPECT_EQ(lexicon_.LoadImage(image), d.status) << d.what;
    EXPECT_EQ(std::memcmp(&tables_, &before, sizeof tables_), 0) << d.what;
    EXPECT_GE(Lookup(0, "mare"), 0) << d.what;
  }
}

TEST_F(LexiconTest, OpenShowsTheMessageAndEndsWithTheExitCode) {
  testing::TempDir dir;
  const std::string base = dir.File("roglex.*");
  for (const Damage& d : Damages()) {
    std::string image = SmallImage();
    d.apply(image);
    ASSERT_TRUE(testing::WriteFile(dir.File("roglex.lv8"), image));
    box_.ClearRecords();
    Lexicon lexicon(messages_, tables_);
    CatchFatalExit fatal;
    try {
      lexicon.Open(base);
      ADD_FAILURE() << d.what << ": no fatal exit";
    } catch (const FatalExitCalled& e) {
      EXPECT_EQ(e.code, d.exitCode) << d.what;
    }
    ASSERT_EQ(box_.asked().size(), 1u) << d.what;
    EXPECT_EQ(box_.asked()[0].text, CatalogueText(d.message)) << d.what;
    EXPECT_EQ(box_.asked()[0].kind, BoxKind::kMessage) << d.what;
    EXPECT_FALSE(lexicon.Ready()) << d.what;
  }

  box_.ClearRecords();
  {
    Lexicon lexicon(messages_, tables_);
    CatchFatalExit fatal;
    try {
      lexicon.Open(dir.File("absent.*"));
      ADD_FAILURE() << "no fatal exit";
    } catch (const FatalExitCalled& e) {
      EXPECT_EQ(e.code, 2);
    }
    ASSERT_EQ(box_.asked().size(), 1u);
    EXPECT_EQ(box_.asked()[0].text, CatalogueText(10));
  }

  ASSERT_TRUE(testing::WriteFile(dir.File("roglex.lv8"), SmallImage()));
  Lexicon lexicon(messages_, tables_);
  lexicon.Open(base);
  EXPECT_TRUE(lexicon.Ready());
}

// ---- Builder ------------------------------------------------------------

TEST(LexiconBuilderTest, RefusesBadForms) {
  LexiconBuilder b(DefaultLanguageTables());
  ASSERT_TRUE(b.AddForm("Mare", {kNoun}));
  struct Case {
    std::string form;
    std::vector<uint16_t> codes;
    LexiconBuilder::Refusal refusal;
  };
  const Case cases[] = {
      {"", {kNoun}, LexiconBuilder::Refusal::kEmptyForm},
      {std::string(80, 'a'), {kNoun}, LexiconBuilder::Refusal::kFormTooLong},
      {"pas", {}, LexiconBuilder::Refusal::kNoReading},
      {"pas", {1, 2, 3, 4, 5, 6, 7}, LexiconBuilder::Refusal::kTooManyReadings},
      {"pas", {kNoun, 0}, LexiconBuilder::Refusal::kBadCode},
      {"pas", {kNoun | kCodeAmbiguous}, LexiconBuilder::Refusal::kBadCode},
      {"MARE", {kVerb}, LexiconBuilder::Refusal::kAlreadyAdded},
  };
  for (const Case& c : cases) {
    EXPECT_FALSE(b.AddForm(c.form, c.codes)) << c.form;
    EXPECT_EQ(b.refusal(), c.refusal) << c.form;
  }
  EXPECT_EQ(b.FormCount(), 1u);
  EXPECT_TRUE(b.AddForm(std::string(79, 'a'), {1, 2, 3, 4, 5, 6}));
}

TEST(LexiconBuilderTest, SameAdditionsGiveTheSameBytes) {
  const std::string a = SmallImage();
  EXPECT_EQ(SmallImage(), a);
  ASSERT_GT(a.size(), kArrays);
  EXPECT_EQ(static_cast<uint8_t>(a[0]), kLexiconVersion);
  EXPECT_EQ(static_cast<uint8_t>(a[27]), kLexiconSpareByteDefault);
  const LanguageTables defaults = DefaultLanguageTables();
  EXPECT_EQ(std::memcmp(a.data() + 28, &defaults, sizeof defaults), 0);
  ByteReader magic(a.data() + 1129, 4);
  uint32_t m = 0;
  ASSERT_TRUE(magic.ReadU32(m));
  EXPECT_EQ(m, kLexiconMagic);
  // The reading-2 segment of "vorbă" (49) holds exactly its run: v o r b ă
  // and the value cell.
  ByteReader record(a.data() + kRecords + 48 * 24, 24);
  TrieRecord r;
  ASSERT_TRUE(ReadTrie32Record(record, r));
  EXPECT_EQ(r.cells, 6u);
  EXPECT_EQ(r.entries, 1u);
  EXPECT_EQ(r.empty, 0);
}

// ---- The load-time hash gives the tries' answers --------------------------

TEST(LexiconHashTest, LookupsMatchTheTrieWalkOnEveryFormAndOnMisses) {
  std::mt19937 random(7);
  const std::string letters = "abcdeimnoprstu\xE3\xE2\xEE\xBA\xFE_-";
  auto randomForm = [&](size_t maxLength) {
    std::string f;
    const size_t n = 1 + random() % maxLength;
    for (size_t i = 0; i < n; ++i) f.push_back(letters[random() % letters.size()]);
    return f;
  };
  LexiconBuilder b(DefaultLanguageTables());
  std::vector<std::string> forms;
  while (forms.size() < 3000) {
    std::string f = randomForm(9);
    std::vector<uint16_t> codes(1 + random() % 6);
    for (uint16_t& c : codes) c = static_cast<uint16_t>(1 + random() % 0x7FFF);
    if (b.AddForm(f, codes)) forms.push_back(f);
  }
  ASSERT_TRUE(b.AddForm(std::string(79, 'z'), {kNoun}));  // the longest form
  forms.push_back(std::string(79, 'z'));

  ScriptedBox box;
  Messages messages(box);
  LanguageTables tables = DefaultLanguageTables();
  Lexicon lexicon(messages, tables);
  ASSERT_EQ(lexicon.LoadImage(Image(b)), LexiconLoadStatus::kOk);
  EXPECT_GE(lexicon.HashedForms(), forms.size());

  std::vector<std::string> probes = forms;
  for (const std::string& f : forms) {
    probes.push_back(f.substr(0, f.size() / 2 + 1));  // often a stored prefix
    probes.push_back(f + "a");
  }
  for (int i = 0; i < 5000; ++i) probes.push_back(randomForm(12));
  probes.push_back(std::string(85, 'z'));

  // The second pass meets the answers kept for forms the hash lacks.
  for (int pass = 0; pass < 2; ++pass) {
    for (const std::string& probe : probes) {
      for (int reading = 0; reading < kLexiconReadings; ++reading) {
        std::string form = probe;
        const int n = lexicon.SegmentOf(reading, form.data(), form.size());
        ASSERT_GT(n, 0);
        // The stored trie's own answer.
        Trie32& walked = Walkable(lexicon, n);
        const int32_t position = walked.Find(form.data(), form.size());
        const int32_t value = position >= 0 ? walked.Cursor().value : 0;

        std::string a = probe;
        const int32_t got = lexicon.Lookup(reading, a.data(), a.size());
        EXPECT_EQ(got, value != 0 ? position : -1) << probe << " " << reading;
        EXPECT_EQ(lexicon.code(), value) << probe << " " << reading;

        std::string c = probe;
        const int32_t full = lexicon.LookupForm(reading, c.data(), c.size(), true, true);
        EXPECT_EQ(full, value != 0 ? position : -1) << probe << " " << reading;
        EXPECT_EQ(lexicon.known(), position >= 0) << probe << " " << reading;
        EXPECT_EQ(lexicon.reached(), position >= 0 && value == 0) << probe << " " << reading;
      }
    }
  }
}

}  // namespace
}  // namespace malvex
