#include "dictionaries/semantic_dictionary.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dictionaries/noun_lemma_dictionary.h"
#include "dictionaries/semantic_dictionary_builder.h"
#include "foundations/charset.h"
#include "foundations/messages.h"
#include "platform/scripted_box.h"
#include "test_support.h"

namespace malvex {
namespace {

using testing::CatchFatalExit;
using testing::FatalExitCalled;

SemanticSenseEntry Sense(std::string form, std::string c1, std::string c2 = "", std::string c3 = "",
                         uint8_t flags = 0, std::string lemma = "") {
  SemanticSenseEntry e;
  e.form = std::move(form);
  e.classes[0] = std::move(c1);
  e.classes[1] = std::move(c2);
  e.classes[2] = std::move(c3);
  e.flags = flags;
  e.lemma = std::move(lemma);
  return e;
}

std::string Build(const std::vector<SemanticSenseEntry>& senses) {
  SemanticDictionaryBuilder builder;
  for (const SemanticSenseEntry& s : senses) EXPECT_TRUE(builder.AddSense(s)) << builder.error();
  std::string image;
  EXPECT_TRUE(builder.Build(image)) << builder.error();
  return image;
}

// The dictionary most tests read.
std::vector<SemanticSenseEntry> SmallSenses() {
  return {
      Sense("Casa", "Locuinta", "constructie", "obiect", 0, "casa"),
      Sense("casei", "locuinta", "constructie", "obiect", 0, "casa"),
      // Two senses: reading 0 is stored negative.
      Sense("bar", "local", "institutie", "loc", 1, "bar"),
      Sense("bar", "presiune", "masura", "abstract", 1, "bar"),
      Sense("$", "moneda", "finante", "abstract"),
      Sense("porte_monnaie", "portofel", "obiect_personal", "obiect"),
      Sense("local", "local", "institutie", "loc"),
      Sense("atmosfera", "presiune", "masura", "abstract"),
      Sense("fara", ""),  // a reading with no class
  };
}

// The offsets of the five header copies: the first 89 bytes, wherever they
// repeat.
std::vector<size_t> HeaderOffsets(const std::string& image) {
  std::vector<size_t> offsets;
  const std::string header = image.substr(0, kSemanticHeaderSize);
  for (size_t p = image.find(header); p != std::string::npos; p = image.find(header, p + 1)) {
    offsets.push_back(p);
  }
  return offsets;
}

class SemanticDictionaryTest : public ::testing::Test {
 protected:
  SemanticDictionaryTest()
      : messages_(box_), tables_(DefaultLanguageTables()), dictionary_(messages_, tables_, pool_) {}

  void Load(const std::vector<SemanticSenseEntry>& senses) {
    ASSERT_EQ(dictionary_.LoadImage(Build(senses)), SemanticLoadStatus::kOk);
    dictionary_.ResetRunCounts();
    dictionary_.ResetRecentNouns();
  }
  void LoadSmall() { Load(SmallSenses()); }

  bool Find(std::string text, int d = 0) { return dictionary_.FindReading(text.data(), d); }
  int32_t Class(int level, const std::string& name) {
    std::string folded = name;
    FoldToLower(folded);
    return dictionary_.ClassNumberOfName(level, folded.c_str());
  }
  // Looks a noun up; its sense, or -2 when the lookup fails.
  int32_t Noun(std::string text) {
    uint32_t level1 = 77;
    int32_t sense = 0;
    return dictionary_.LookUpNoun(text.data(), level1, sense) ? sense : -2;
  }
  bool Resolve(std::string text, uint8_t capitalisation, bool count) {
    int32_t sense = 0;
    return dictionary_.ResolveAmbiguousNoun(text.data(), capitalisation, count, sense);
  }
  // Counts `times` occurrences of the noun `text` (unambiguous or unknown).
  void Count(const std::string& text, int times) {
    for (int i = 0; i < times; ++i) ASSERT_NE(Noun(text), -2) << text;
  }

  ScriptedBox box_;
  Messages messages_;
  LanguageTables tables_;
  StringPool pool_;
  SemanticDictionary dictionary_;
};

// ---- Building and loading ---------------------------------------------------

TEST_F(SemanticDictionaryTest, RoundTripGivesEveryFormItsClassesAndLemma) {
  LoadSmall();
  ASSERT_TRUE(dictionary_.Ok());
  EXPECT_EQ(dictionary_.EntryCount(), 8u);  // forms
  EXPECT_EQ(dictionary_.SecondCounter(), 1u);  // forms with several senses
  EXPECT_EQ(dictionary_.MeaningCount(), 9u);
  EXPECT_EQ(dictionary_.NumberOfClasses(1), 5u);
  EXPECT_EQ(dictionary_.NumberOfClasses(2), 5u);
  EXPECT_EQ(dictionary_.NumberOfClasses(3), 3u);

  std::string text = "CASA";
  ASSERT_TRUE(dictionary_.FindReading(text.data(), 0));
  EXPECT_EQ(text, "casa");  // folded in place
  const FoundReading& found = dictionary_.Found();
  EXPECT_EQ(dictionary_.ClassName(1, found.path.at(1)), std::string("Locuinta"));
  EXPECT_EQ(dictionary_.ClassName(2, found.path.at(2)), std::string("constructie"));
  EXPECT_EQ(dictionary_.ClassName(3, found.path.at(3)), std::string("obiect"));
  EXPECT_EQ(found.path.at(4), 0);
  EXPECT_EQ(dictionary_.nounLemmas().NameOf(found.lemma), std::string("casa"));
  EXPECT_FALSE(dictionary_.SeveralSenses());
  // Two forms with the same classes share their sense number.
  const int32_t sense = found.sense;
  ASSERT_TRUE(Find("casei"));
  EXPECT_EQ(dictionary_.Found().sense, sense);

  ASSERT_TRUE(Find("bar", 0));
  EXPECT_TRUE(dictionary_.SeveralSenses());
  EXPECT_EQ(dictionary_.ClassName(1, dictionary_.Found().path.at(1)), std::string("local"));
  EXPECT_EQ(dictionary_.Found().keyLevel, 1);
  ASSERT_TRUE(Find("bar", 1));
  EXPECT_FALSE(dictionary_.SeveralSenses());
  EXPECT_EQ(dictionary_.ClassName(1, dictionary_.Found().path.at(1)), std::string("presiune"));
  EXPECT_FALSE(Find("bar", 2));
  EXPECT_FALSE(Find("ba"));
  EXPECT_FALSE(Find("nimic"));
  // A reading without classes is not a found reading.
  EXPECT_FALSE(Find("fara"));

  std::string bar = "bar";
  EXPECT_EQ(dictionary_.AllReadings(bar.data()), 2);
  EXPECT_EQ(dictionary_.ClassName(1, dictionary_.Reading(1).path.at(1)), std::string("presiune"));
}

TEST_F(SemanticDictionaryTest, AFormMetAgainGetsTheSameReadingsAndState) {
  LoadSmall();
  // Forms of several, one and no readings, each asked twice in a row and
  // again after the others, in any case.
  for (const char* form : {"bar", "casa", "nimic", "BAR", "Casa", "nimic", "bar"}) {
    SCOPED_TRACE(form);
    std::string first = form;
    const int count = dictionary_.AllReadings(first.data());
    std::vector<FoundReading> readings;
    for (int i = 0; i < count; ++i) readings.push_back(dictionary_.Reading(i));
    const FoundReading found = dictionary_.Found();
    const bool several = dictionary_.SeveralSenses();
    // Another lookup in between changes the state the answer restores.
    ASSERT_TRUE(Find("casei"));
    std::string again = form;
    ASSERT_EQ(dictionary_.AllReadings(again.data()), count);
    EXPECT_EQ(again, first);  // folded in place both times
    for (int i = 0; i < count; ++i) {
      EXPECT_EQ(dictionary_.Reading(i).path, readings[i].path);
      EXPECT_EQ(dictionary_.Reading(i).sense, readings[i].sense);
      EXPECT_EQ(dictionary_.Reading(i).lemma, readings[i].lemma);
      EXPECT_EQ(dictionary_.Reading(i).flags, readings[i].flags);
    }
    EXPECT_EQ(dictionary_.Found().path, found.path);
    EXPECT_EQ(dictionary_.Found().sense, found.sense);
    EXPECT_EQ(dictionary_.SeveralSenses(), several);
  }
  // A noun looked up from the kept readings meets its first reading as a
  // lookup of reading 0 does.
  for (const char* form : {"bar", "casa", "BAR", "casei", "casei"}) {
    SCOPED_TRACE(form);
    const bool found = Find(form, 0);
    const FoundReading first = dictionary_.Found();
    const bool several = dictionary_.SeveralSenses();
    std::string text = form;
    uint32_t level1 = 77;
    int32_t sense = 0;
    EXPECT_EQ(dictionary_.LookUpNoun(text.data(), level1, sense), found && !several);
    EXPECT_EQ(dictionary_.Found().path, first.path);
    EXPECT_EQ(dictionary_.Found().lemma, first.lemma);
    EXPECT_EQ(dictionary_.SeveralSenses(), several);
    if (found && !several) EXPECT_EQ(sense, first.sense);
    if (several) EXPECT_EQ(level1, 0u);
  }
  std::string bar = "bar";
  EXPECT_EQ(dictionary_.AllReadings(bar.data()), 2);
  // A new load forgets the answers of the old dictionary.
  Load({});
  EXPECT_EQ(dictionary_.AllReadings(bar.data()), 0);
}

TEST_F(SemanticDictionaryTest, ClassNamesAndIndexes) {
  LoadSmall();
  EXPECT_EQ(Class(1, "locuinta"), 1);
  EXPECT_EQ(Class(1, "presiune"), 3);
  EXPECT_EQ(Class(2, "masura"), 3);
  EXPECT_EQ(Class(3, "loc"), 2);
  EXPECT_EQ(Class(1, "masura"), 0);
  int level = 0;
  int32_t cls = 0;
  ASSERT_TRUE(dictionary_.FindClassByName("obiect", level, cls));
  EXPECT_EQ(level, 3);
  EXPECT_EQ(cls, 1);
  ASSERT_TRUE(dictionary_.FindClassByName("local", level, cls));
  EXPECT_EQ(level, 1);
  EXPECT_FALSE(dictionary_.FindClassByName("nimic", level, cls));
  EXPECT_STREQ(dictionary_.ClassName(1, 0), "?");
  EXPECT_STREQ(dictionary_.ClassName(1, 6), "?");
  EXPECT_STREQ(dictionary_.ClassName(3, 5), "?");
  EXPECT_STREQ(dictionary_.ClassName(5, 1), "?");
  std::string report;
  dictionary_.IndexStatistics(3, report);
  EXPECT_NE(report.find("Total entries for this index=3"), std::string::npos) << report;
}

TEST_F(SemanticDictionaryTest, BuilderIsDeterministicAndWritesFiveEqualHeaders) {
  const std::string a = Build(SmallSenses());
  const std::string b = Build(SmallSenses());
  EXPECT_EQ(a, b);
  const std::vector<size_t> offsets = HeaderOffsets(a);
  ASSERT_EQ(offsets.size(), 5u);
  EXPECT_EQ(offsets[0], 0u);
  EXPECT_EQ(offsets[4], a.size() - kSemanticHeaderSize);
  // Version and magic.
  EXPECT_EQ(static_cast<uint8_t>(a[0]), 19);
  EXPECT_EQ(a.substr(85, 4), std::string("\x87\xD6\x12\x00", 4));
  // Header, 60 records, chars (one byte per cell); header, values (4 bytes
  // per cell), 9 meaning records, the triple table; header, next (4 bytes
  // per cell); header.
  const size_t cells = offsets[1] - kSemanticHeaderSize - 60 * 24;
  EXPECT_EQ(offsets[2] - offsets[1],
            kSemanticHeaderSize + 4 * cells + 9 * kMeaningRecordSize +
                kClassTripleCount * kClassTripleSize);
  EXPECT_EQ(offsets[3] - offsets[2], kSemanticHeaderSize + 4 * cells);
}

TEST_F(SemanticDictionaryTest, BuilderRefusesWhatTheFormatCannotHold) {
  SemanticDictionaryBuilder builder;
  EXPECT_FALSE(builder.AddSense(Sense("", "a")));
  EXPECT_FALSE(builder.AddSense(Sense(std::string(80, 'a'), "a")));
  // A blank at position 40 of a class name would be stored as a zero byte.
  EXPECT_FALSE(builder.AddSense(Sense("forma", std::string(40, 'a') + " b")));
  for (int i = 0; i < 18; ++i) ASSERT_TRUE(builder.AddSense(Sense("multe", "c" + std::to_string(i))));
  EXPECT_FALSE(builder.AddSense(Sense("multe", "c18")));
  EXPECT_EQ(builder.FormCount(), 1u);
}

TEST_F(SemanticDictionaryTest, LoadsFromTheFileOfTheBasePath) {
  testing::TempDir dir;
  ASSERT_TRUE(testing::WriteFile(dir.File("roglex.sv8"), Build(SmallSenses())));
  dictionary_.Load(dir.File("roglex"));
  EXPECT_TRUE(dictionary_.Ok());
  EXPECT_EQ(dictionary_.EntryCount(), 8u);
}

// ---- Damaged files ----------------------------------------------------------

struct Damage {
  const char* what;
  int copy;       // header copy 0..4 to change
  size_t offset;  // byte of the header
  uint8_t value;
  int message;
  int exitCode;
};

TEST_F(SemanticDictionaryTest, DamagedHeaderCopiesEndTheProgram) {
  const Damage damages[] = {
      {"magic of the first copy", 0, 85, 0x88, 11, 1},
      {"version of the first copy", 0, 0, 18, 12, 1},
      {"magic of the third copy", 2, 86, 0, 11, 1},
      {"version of the last copy", 4, 0, 20, 12, 1},
      {"entry count of the second copy", 1, 1, 9, 13, 1},
      {"entry count of the third copy", 2, 2, 1, 13, 1},
      {"entry count of the fourth copy", 3, 1, 0, 13, 1},
      {"entry count of the last copy", 4, 4, 1, 13, 1},
      {"meaning count of the second copy", 1, 49, 3, 13, 1},
      {"base count of the fourth copy", 3, 29, 6, 13, 1},
      {"entry count of the first copy", 0, 1, 9, 13, 1},
      {"noun lemma count of the last copy", 4, 69, 4, 13, 1},
  };
  const std::string image = Build(SmallSenses());
  const std::vector<size_t> offsets = HeaderOffsets(image);
  ASSERT_EQ(offsets.size(), 5u);
  testing::TempDir dir;
  for (const Damage& d : damages) {
    std::string damaged = image;
    damaged[offsets[d.copy] + d.offset] = static_cast<char>(d.value);
    ASSERT_NE(damaged, image) << d.what;
    ASSERT_TRUE(testing::WriteFile(dir.File("roglex.sv8"), damaged));
    box_.ClearRecords();
    CatchFatalExit catcher;
    SemanticDictionary dictionary(messages_, tables_, pool_);
    try {
      dictionary.Load(dir.File("roglex"));
      ADD_FAILURE() << d.what << ": loaded";
    } catch (const FatalExitCalled& e) {
      EXPECT_EQ(e.code, d.exitCode) << d.what;
      ASSERT_EQ(box_.asked().size(), 1u) << d.what;
      EXPECT_EQ(box_.asked()[0].text, messages_.message(d.message)) << d.what;
      EXPECT_EQ(box_.asked()[0].kind, BoxKind::kMessage);
    }
    EXPECT_FALSE(dictionary.Ok()) << d.what;
  }
}

TEST_F(SemanticDictionaryTest, MissingFileShowsMessage10WithExitCode2) {
  testing::TempDir dir;
  CatchFatalExit catcher;
  try {
    dictionary_.Load(dir.File("absent"));
    ADD_FAILURE() << "loaded";
  } catch (const FatalExitCalled& e) {
    EXPECT_EQ(e.code, 2);
    ASSERT_EQ(box_.asked().size(), 1u);
    EXPECT_EQ(box_.asked()[0].text,
              "Corrupted dictionary files. Execution failed, re-install the software.");
  }
}

TEST_F(SemanticDictionaryTest, EveryCutShortImageIsUnreadable) {
  const std::string image = Build(SmallSenses());
  // Every cut, by steps through the bulky triple table: none is read past
  // its end, every one is refused.
  for (size_t length = 0; length < image.size(); length += (length < 2000 ? 1 : 1 + length % 997)) {
    SemanticDictionary dictionary(messages_, tables_, pool_);
    EXPECT_EQ(dictionary.LoadImage(std::string_view(image).substr(0, length)),
              SemanticLoadStatus::kUnreadable)
        << length;
    EXPECT_FALSE(dictionary.Ok());
    std::string text = "casa";
    EXPECT_FALSE(dictionary.FindReading(text.data(), 0));
  }
  for (size_t cut = 1; cut <= 1500; cut += 11) {
    SemanticDictionary dictionary(messages_, tables_, pool_);
    EXPECT_EQ(dictionary.LoadImage(std::string_view(image).substr(0, image.size() - cut)),
              SemanticLoadStatus::kUnreadable)
        << cut;
  }
}

TEST_F(SemanticDictionaryTest, ValueBeyondTheMeaningRecordsIsDamage) {
  std::string image = Build({Sense("a", "x")});
  // The single-cell segment of "a": its value (4 bytes) is the first value
  // after the second header copy.
  const std::vector<size_t> offsets = HeaderOffsets(image);
  ASSERT_EQ(offsets.size(), 5u);
  const size_t value = offsets[1] + kSemanticHeaderSize;
  // The key cell holds no value, the cell after it holds record 1.
  ASSERT_EQ(image[value + 4], 1);
  const struct {
    std::string value;
    SemanticLoadStatus status;
  } cases[] = {
      {std::string("\x02\x00\x00\x00", 4), SemanticLoadStatus::kDamaged},
      {std::string("\xFE\xFF\xFF\xFF", 4), SemanticLoadStatus::kDamaged},   // -2
      {std::string("\x00\x00\x00\x80", 4), SemanticLoadStatus::kDamaged},   // INT32_MIN
      {std::string("\xFF\xFF\xFF\xFF", 4), SemanticLoadStatus::kOk},        // -1
  };
  for (const auto& c : cases) {
    image.replace(value + 4, 4, c.value);
    EXPECT_EQ(dictionary_.LoadImage(image), c.status);
  }
}

// ---- Readings ---------------------------------------------------------------

TEST_F(SemanticDictionaryTest, CurrencyAmountsTakeTheEntryOfTheirSign) {
  LoadSmall();
  const int32_t money = Class(1, "moneda");
  struct Case {
    std::string text;
    bool found;
  };
  const Case cases[] = {
      {"$12", true}, {"12$", true}, {"1$", true},  {"$", true},     {"$x", false},
      {"x$", false}, {"$", true},   {"12", false}, {"$$12", false}, {"12$x", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Find(c.text), c.found) << c.text;
    if (c.found) {
      EXPECT_EQ(dictionary_.Found().path.at(1), money) << c.text;
    }
  }
  // Only reading 0 of an amount is its sign's.
  EXPECT_FALSE(Find("$12", 1));
}

TEST_F(SemanticDictionaryTest, UnderscoreVariantFindsCompounds) {
  LoadSmall();
  EXPECT_TRUE(Find("porte-monnaie"));
  EXPECT_EQ(dictionary_.Found().path.at(1), Class(1, "portofel"));
  std::string word = "Porte-Monnaie";
  EXPECT_GE(dictionary_.FindWord(word.data()), 0);
  EXPECT_TRUE(dictionary_.WordReached());
  // A leading '-' is not replaced.
  EXPECT_FALSE(Find("-orte-monnaie"));
  // Prefixes are reached but not held.
  std::string prefix = "porte";
  EXPECT_EQ(dictionary_.FindWord(prefix.data()), -1);
  EXPECT_TRUE(dictionary_.WordReached());
  std::string other = "portz";
  EXPECT_EQ(dictionary_.FindWord(other.data()), -1);
  EXPECT_FALSE(dictionary_.WordReached());
}

TEST_F(SemanticDictionaryTest, DepthOverflowAsksOnceAndNoEndsTheProgram) {
  LoadSmall();
  box_.QueueAnswer(kButton3);  // No
  CatchFatalExit catcher;
  try {
    Find("porte-monnaie", 18);
    ADD_FAILURE() << "went on";
  } catch (const FatalExitCalled& e) {
    EXPECT_EQ(e.code, 0);
  }
  ASSERT_EQ(box_.asked().size(), 1u);
  EXPECT_EQ(box_.asked()[0].text,
            "Do you really want to continue? Internal error. Ambiguity segment depth "
            "overflow.porte_monnaie");
  EXPECT_EQ(box_.asked()[0].kind, BoxKind::kYesNoDefaultNo);
}

TEST_F(SemanticDictionaryTest, DepthOverflowAfterYesStopsFindWordUntilTheNextReading) {
  LoadSmall();
  box_.QueueAnswer(kButton1);  // Yes
  EXPECT_FALSE(Find("porte-monnaie", 20));
  EXPECT_TRUE(dictionary_.DepthOverflow());
  std::string word = "casa";
  EXPECT_EQ(dictionary_.FindWord(word.data()), -1);
  // The question is asked only once.
  Find("porte-monnaie", 19);
  EXPECT_EQ(box_.asked().size(), 1u);
  // FindReading clears the flag when it starts.
  EXPECT_TRUE(Find("casa"));
  EXPECT_FALSE(dictionary_.DepthOverflow());
  EXPECT_GE(dictionary_.FindWord(word.data()), 0);
  Find("porte-monnaie", 18);
  EXPECT_TRUE(dictionary_.DepthOverflow());
  dictionary_.ResetRunCounts();
  EXPECT_FALSE(dictionary_.DepthOverflow());
  EXPECT_GE(dictionary_.FindWord(word.data()), 0);
}

// ---- Nouns ------------------------------------------------------------------

TEST_F(SemanticDictionaryTest, LookUpNounCountsTheClassesOfItsReading) {
  LoadSmall();
  EXPECT_GT(Noun("casa"), 0);
  EXPECT_GT(Noun("Casei"), 0);
  EXPECT_EQ(dictionary_.ClassCount(1, Class(1, "locuinta")), 2u);
  EXPECT_EQ(dictionary_.ClassCount(2, Class(2, "constructie")), 2u);
  EXPECT_EQ(dictionary_.ClassCount(3, Class(3, "obiect")), 2u);
  dictionary_.ResetRunCounts();
  EXPECT_EQ(dictionary_.ClassCount(1, Class(1, "locuinta")), 0u);
}

TEST_F(SemanticDictionaryTest, NegativeValueFailsAndLeavesLevelOneAtZero) {
  LoadSmall();
  std::string text = "bar";
  uint32_t level1 = 42;
  int32_t sense = 0;
  EXPECT_FALSE(dictionary_.LookUpNoun(text.data(), level1, sense));
  EXPECT_EQ(level1, 0u);
  EXPECT_EQ(sense, -1);
  EXPECT_EQ(dictionary_.ClassCount(1, Class(1, "local")), 0u);
  // The resolution considers both readings.
  ASSERT_TRUE(dictionary_.ResolveAmbiguousNoun(text.data(), 0, false, sense));
  EXPECT_EQ(dictionary_.AllReadings(text.data()), 2);
}

TEST_F(SemanticDictionaryTest, NounAfterAnAmbiguousOneIsNotTakenForAmbiguous) {
  LoadSmall();
  EXPECT_EQ(Noun("bar"), -2);
  EXPECT_GT(Noun("casa"), 0);
  EXPECT_EQ(dictionary_.ClassCount(1, Class(1, "locuinta")), 1u);
}

TEST_F(SemanticDictionaryTest, UnknownNounsWithOneTextShareOneCreatedClass) {
  LoadSmall();
  const uint32_t base = dictionary_.NumberOfClasses(1);
  std::string text = "Zorblax";
  uint32_t level1 = 0;
  int32_t sense = 0;
  ASSERT_TRUE(dictionary_.LookUpNoun(text.data(), level1, sense));
  EXPECT_EQ(sense, -1);
  const int32_t created = dictionary_.Found().path.at(1);
  EXPECT_EQ(created, static_cast<int32_t>(base + 1));
  EXPECT_EQ(dictionary_.Found().path.at(2), 0);
  EXPECT_STREQ(dictionary_.ClassName(1, created), "zorblax");
  EXPECT_TRUE(dictionary_.ClassAddedDuringRun(1, created));
  EXPECT_EQ(dictionary_.ClassCount(1, created), 1u);

  std::string again = "zorblax";
  ASSERT_TRUE(dictionary_.LookUpNoun(again.data(), level1, sense));
  EXPECT_EQ(dictionary_.Found().path.at(1), created);
  EXPECT_EQ(dictionary_.ClassCount(1, created), 2u);
  EXPECT_EQ(dictionary_.CurrentNumberOfClasses(1), base + 1);
  EXPECT_EQ(Class(1, "zorblax"), created);

  // A noun named like a dictionary class takes that class, counted only
  // once it has been seen.
  std::string named = "presiune";
  ASSERT_TRUE(dictionary_.LookUpNoun(named.data(), level1, sense));
  EXPECT_EQ(dictionary_.Found().path.at(1), Class(1, "presiune"));
  EXPECT_EQ(dictionary_.ClassCount(1, Class(1, "presiune")), 0u);
  EXPECT_GT(Noun("atmosfera"), 0);
  ASSERT_TRUE(dictionary_.LookUpNoun(named.data(), level1, sense));
  EXPECT_EQ(dictionary_.ClassCount(1, Class(1, "presiune")), 2u);

  // The next run forgets the created class.
  dictionary_.ResetRunCounts();
  EXPECT_EQ(dictionary_.CurrentNumberOfClasses(1), base);
  EXPECT_EQ(Class(1, "zorblax"), 0);
  EXPECT_STREQ(dictionary_.ClassName(1, created), "?");
  EXPECT_FALSE(dictionary_.ClassAddedDuringRun(1, created));
}

TEST_F(SemanticDictionaryTest, FullNewClassTrieFailsTheNounButKeepsItsName) {
  LoadSmall();
  const uint32_t base = dictionary_.NumberOfClasses(1);
  // Long names fill the 90,000-cell trie after some 1,200 nouns.
  uint32_t made = 0;
  std::string name;
  for (int i = 0;; ++i) {
    name = std::to_string(100000 + i) + std::string(73, 'q');
    if (Noun(name) == -2) break;
    ++made;
    ASSERT_LT(made, 2000u);
  }
  EXPECT_GT(made, 1000u);
  // The refused noun keeps its slot and name, without a count.
  const int32_t refused = static_cast<int32_t>(base + made + 1);
  EXPECT_EQ(dictionary_.CurrentNumberOfClasses(1), base + made + 1);
  EXPECT_EQ(dictionary_.ClassName(1, refused), name);
  EXPECT_EQ(dictionary_.ClassCount(1, refused), 0u);
  EXPECT_EQ(Class(1, name), 0);
}

TEST_F(SemanticDictionaryTest, FullLevelOneMakesNoClassForAnUnknownNoun) {
  SemanticDictionaryBuilder builder;
  for (uint32_t c = 1; c <= kMaxClassNumber; ++c) {
    ASSERT_TRUE(builder.AddSense(Sense("f" + std::to_string(c), "c" + std::to_string(c))));
  }
  // One class more than a level holds is refused.
  EXPECT_FALSE(builder.AddSense(Sense("f0", "c0")));
  std::string image;
  ASSERT_TRUE(builder.Build(image)) << builder.error();
  ASSERT_EQ(dictionary_.LoadImage(image), SemanticLoadStatus::kOk);
  EXPECT_EQ(dictionary_.NumberOfClasses(1), kMaxClassNumber);
  EXPECT_STREQ(dictionary_.ClassName(1, 65535), "c65535");
  EXPECT_EQ(Noun("zorblax"), -2);
  EXPECT_EQ(dictionary_.CurrentNumberOfClasses(1), kMaxClassNumber);
  // A known noun and a noun named like a class still get their class.
  EXPECT_GT(Noun("f7"), 0);
  EXPECT_EQ(Noun("c9"), -1);
  EXPECT_EQ(dictionary_.Found().path.at(1), 9);
}

// ---- Resolution -------------------------------------------------------------

// "tir" has three readings a, b, c; their key levels and form rules are the
// flags given. The other forms count classes of those readings.
class ResolveTest : public SemanticDictionaryTest {
 protected:
  void LoadTir(uint8_t flags0, uint8_t flags1, uint8_t flags2) {
    Load({
        Sense("tir", "a", "fa", "ga", flags0),
        Sense("tir", "b", "fb", "gb", flags1),
        Sense("tir", "c", "fc", "gb", flags2),
        Sense("wa", "a", "fa", "ga"),
        Sense("wb", "b", "fb", "gb"),
        Sense("wc", "c", "fc", "gb"),
        Sense("wfa", "", "fa"),
        Sense("wfb", "", "fb"),
        Sense("wgb", "", "", "gb"),
    });
  }
  // The level-1 class name of the reading chosen for `form`.
  std::string Chosen(uint8_t capitalisation, bool count, std::string form = "tir") {
    int32_t sense = 0;
    if (!dictionary_.ResolveAmbiguousNoun(form.data(), capitalisation, count, sense)) return "-";
    return dictionary_.ClassName(1, dictionary_.CurrentPath().at(1));
  }
};

TEST_F(ResolveTest, PassOneTakesTheFirstHighestScore) {
  LoadTir(1, 1, 1);
  Count("wa", 2);
  Count("wb", 3);
  Count("wc", 3);
  // Scores: a 2 + 2 div 3 = 2, b 3 + 3 div 3 = 4, c 3 + 3 div 3 = 4.
  EXPECT_EQ(Chosen(0, true), "b");
  EXPECT_EQ(dictionary_.Found().sense, dictionary_.Reading(1).sense);
  // The choice is counted at its three levels.
  EXPECT_EQ(dictionary_.ClassCount(1, Class(1, "b")), 4u);
  EXPECT_EQ(dictionary_.ClassCount(2, Class(2, "fb")), 4u);
  EXPECT_EQ(dictionary_.ClassCount(3, Class(3, "gb")), 7u);
  EXPECT_EQ(dictionary_.ClassCount(1, Class(1, "c")), 3u);
}

TEST_F(ResolveTest, FormRuleFallsBackToPassTwo) {
  // b needs a capitalised word, c a word in capitals.
  LoadTir(1, 1 | kSenseNeedsCapital, 1 | kSenseNeedsAllCapitals);
  Count("wa", 1);
  Count("wb", 3);
  Count("wc", 5);
  EXPECT_EQ(Chosen(0, true), "a");
  EXPECT_EQ(Chosen(1, true), "b");
  EXPECT_EQ(Chosen(2, true), "c");
  // Without counting the form rule does not apply.
  EXPECT_EQ(Chosen(0, false), "c");

  // No reading passes the form rule: pass 2 ignores it.
  LoadTir(1 | kSenseNeedsCapital, 1 | kSenseNeedsCapital, 1 | kSenseNeedsAllCapitals);
  Count("wa", 1);
  Count("wb", 3);
  Count("wc", 2);
  EXPECT_EQ(Chosen(0, true), "b");
}

TEST_F(ResolveTest, ContextRuleLooksForTheClassInTheRecentNouns) {
  LoadTir(1, 1 | kSenseNeedsContext, 1);
  Count("wa", 1);
  Count("wb", 5);
  Count("wc", 2);
  EXPECT_EQ(Chosen(0, true), "c");
  ClassPath recent;
  recent.at(1) = Class(1, "b");
  dictionary_.PushRecentClasses(recent);
  EXPECT_EQ(Chosen(0, true), "b");
  // Fifty other paths push it out of the ring.
  for (int i = 0; i < kRecentNouns; ++i) dictionary_.PushRecentClasses(ClassPath{});
  EXPECT_EQ(Chosen(0, true), "c");
}

TEST_F(ResolveTest, EveryReadingAbsentChoosesTheLastInPassThree) {
  LoadTir(1, 1, 1);
  EXPECT_EQ(Chosen(0, true), "c");
  EXPECT_EQ(dictionary_.ClassCount(1, Class(1, "c")), 1u);
  EXPECT_EQ(dictionary_.ClassCount(1, Class(1, "a")), 0u);
}

TEST_F(ResolveTest, ReadingWithKeyLevelZeroIsNeverAbsent) {
  LoadTir(0, 1, 1);
  Count("wb", 1);
  // a scores 0 and is not absent, b scores 1, c is absent.
  EXPECT_EQ(Chosen(0, true), "b");
  dictionary_.ResetRunCounts();
  // b and c are absent now: a is the only candidate.
  EXPECT_EQ(Chosen(0, true), "a");
}

TEST_F(ResolveTest, ScoreBelowOneSelectsAgainAtLevelTwoThenThree) {
  LoadTir(0, 0, 0);
  Count("wfb", 1);
  // Level 1: every score 0 (a first); level 2: b scores 1.
  EXPECT_EQ(Chosen(0, true), "b");
  dictionary_.ResetRunCounts();
  Count("wgb", 1);
  // Levels 1 and 2: every score 0; level 3: b and c score 1, b first.
  EXPECT_EQ(Chosen(0, true), "b");
  EXPECT_EQ(dictionary_.ClassCount(3, Class(3, "gb")), 2u);
  dictionary_.ResetRunCounts();
  Count("wgb", 1);
  // Without counting the first selection stands.
  EXPECT_EQ(Chosen(0, false), "a");
}

TEST_F(ResolveTest, ScoreAddsAThirdOfTheLevelTwoCount) {
  // "tir" lists a before b, "rit" b before a; b has no level-2 class.
  Load({
      Sense("tir", "a", "fa"),
      Sense("tir", "b"),
      Sense("rit", "b"),
      Sense("rit", "a", "fa"),
      Sense("wa", "a", "fa"),
      Sense("wfa", "", "fa"),
      Sense("wb", "b"),
  });
  Count("wa", 4);
  Count("wfa", 3);
  // a scores 4 + 7 div 3 = 6: a b scoring 6 does not beat it, nor does it
  // beat a b scoring 6 listed first; a b scoring 7 wins in both orders.
  Count("wb", 6);
  EXPECT_EQ(Chosen(0, false, "tir"), "a");
  EXPECT_EQ(Chosen(0, false, "rit"), "b");
  Count("wb", 1);
  EXPECT_EQ(Chosen(0, false, "tir"), "b");
  EXPECT_EQ(Chosen(0, false, "rit"), "b");
}

TEST_F(ResolveTest, SingleReadingIsNotCounted) {
  Load({Sense("solo", "s", "fs", "gs")});
  EXPECT_EQ(Chosen(0, true, "solo"), "s");
  EXPECT_EQ(dictionary_.ClassCount(1, Class(1, "s")), 0u);
  EXPECT_EQ(Chosen(0, true, "nimic"), "-");
}

// ---- Referents --------------------------------------------------------------

class FixedGroups : public ScenarioGroups {
 public:
  int32_t GroupOfNoun(const char* text, uint32_t lemma, const ClassPath& path) override {
    lastText = text;
    lastLemma = lemma;
    lastPath = path;
    return group;
  }
  int32_t group = 0;
  std::string lastText;
  uint32_t lastLemma = 0;
  ClassPath lastPath;
};

TEST_F(SemanticDictionaryTest, ClassifyReferentByCountAndThreshold) {
  LoadSmall();
  dictionary_.SetDetectionThreshold(2);
  int32_t cls = -5;
  // A current level-1 class of 0 is a referent.
  std::string text = "ceva";
  dictionary_.CurrentPath() = ClassPath{};
  EXPECT_TRUE(dictionary_.ClassifyReferent(text.data(), 0, 0, false, cls));
  EXPECT_EQ(cls, 0);

  Count("casa", 1);
  std::string casa = "casa";
  dictionary_.CurrentPath() = dictionary_.Found().path;
  EXPECT_FALSE(dictionary_.ClassifyReferent(casa.data(), 0, 0, false, cls));
  EXPECT_EQ(cls, Class(1, "locuinta"));
  Count("casa", 1);
  EXPECT_TRUE(dictionary_.ClassifyReferent(casa.data(), 0, 0, false, cls));

  // Resolved first: "bar" chooses without counting.
  std::string bar = "BAR";
  Count("local", 2);
  EXPECT_TRUE(dictionary_.ClassifyReferent(bar.data(), 0, 0, true, cls));
  EXPECT_EQ(cls, Class(1, "local"));
  EXPECT_EQ(dictionary_.ClassCount(1, Class(1, "local")), 2u);

  // Not in the dictionary: the referent is the class of its name, if
  // frequent enough.
  std::string unknown = "zorblax";
  EXPECT_FALSE(dictionary_.ClassifyReferent(unknown.data(), 0, 0, true, cls));
  Count("zorblax", 2);
  EXPECT_TRUE(dictionary_.ClassifyReferent(unknown.data(), 0, 0, true, cls));
  EXPECT_EQ(cls, Class(1, "zorblax"));
  EXPECT_EQ(dictionary_.CurrentPath().at(1), cls);
}

TEST_F(SemanticDictionaryTest, ClassifyReferentCountsTheScenarioGroup) {
  LoadSmall();
  FixedGroups groups;
  groups.group = 3;
  dictionary_.SetScenarioGroups(&groups);
  dictionary_.SetDetectionThreshold(100);
  std::string casa = "Casa";
  int32_t cls = 0;
  EXPECT_TRUE(dictionary_.ClassifyReferent(casa.data(), 7, 0, true, cls));
  EXPECT_EQ(groups.lastText, "casa");
  EXPECT_EQ(groups.lastLemma, 7u);
  EXPECT_EQ(groups.lastPath.at(1), Class(1, "locuinta"));
  EXPECT_EQ(dictionary_.CurrentPath().at(4), 3);
  EXPECT_EQ(dictionary_.ClassCount(4, 3), 1u);
  // An unresolved noun takes the class of its name when there is one.
  std::string unknown = "presiune";
  EXPECT_TRUE(dictionary_.ClassifyReferent(unknown.data(), 0, 0, true, cls));
  EXPECT_EQ(cls, Class(1, "presiune"));
  EXPECT_EQ(dictionary_.ClassCount(4, 3), 2u);
  dictionary_.ResetRunCounts();
  EXPECT_EQ(dictionary_.ClassCount(4, 3), 0u);
}

TEST_F(SemanticDictionaryTest, ScenarioGroupsAreTheFourthLevel) {
  LoadSmall();
  EXPECT_EQ(dictionary_.AddScenarioGroupName("Casa Mea"), 1u);
  EXPECT_EQ(dictionary_.AddScenarioGroupName("bani"), 2u);
  // A repeated label takes a name of its own; the index keeps the first.
  EXPECT_EQ(dictionary_.AddScenarioGroupName("BANI"), 3u);
  EXPECT_EQ(dictionary_.CurrentNumberOfClasses(4), 3u);
  EXPECT_STREQ(dictionary_.ClassName(4, 1), "casa mea");
  EXPECT_EQ(dictionary_.ClassNumberOfName(4, "bani"), 2);
  EXPECT_TRUE(dictionary_.CountScenarioGroup(2));
  EXPECT_FALSE(dictionary_.CountScenarioGroup(4));
  EXPECT_EQ(dictionary_.ClassCount(4, 2), 1u);
  dictionary_.ClearScenarioGroups();
  EXPECT_EQ(dictionary_.CurrentNumberOfClasses(4), 0u);
  EXPECT_EQ(dictionary_.ClassNumberOfName(4, "bani"), 0);
  EXPECT_EQ(dictionary_.ClassCount(4, 2), 0u);
  EXPECT_STREQ(dictionary_.ClassName(4, 1), "?");
}

// ---- Counts and rankings ----------------------------------------------------

TEST_F(SemanticDictionaryTest, RankClassesByCountLargestFirst) {
  LoadSmall();
  Count("casa", 1);
  Count("local", 3);
  Count("atmosfera", 2);
  Count("zorblax", 2);  // a created class, ranked too
  dictionary_.RankClassesOfLevel(1);
  ASSERT_EQ(dictionary_.NumberOfRankedClasses(1), 4u);
  EXPECT_EQ(dictionary_.RankedClass(1, 1), Class(1, "local"));
  EXPECT_EQ(dictionary_.ClassCount(1, dictionary_.RankedClass(1, 2)), 2u);
  EXPECT_EQ(dictionary_.ClassCount(1, dictionary_.RankedClass(1, 3)), 2u);
  EXPECT_EQ(dictionary_.RankedClass(1, 4), Class(1, "locuinta"));
  EXPECT_EQ(dictionary_.RankedClass(1, 5), 0);
  dictionary_.RankClassesOfLevel(3);
  EXPECT_EQ(dictionary_.NumberOfRankedClasses(3), 3u);
  dictionary_.ResetRunCounts();
  EXPECT_EQ(dictionary_.NumberOfRankedClasses(1), 0u);
}

TEST_F(SemanticDictionaryTest, RecentNounRingWrapsAfterFifty) {
  LoadSmall();
  for (int i = 1; i <= 52; ++i) {
    ClassPath p;
    p.at(1) = i;
    dictionary_.PushRecentClasses(p);
  }
  EXPECT_EQ(dictionary_.RecentClasses(1).at(1), 51);
  EXPECT_EQ(dictionary_.RecentClasses(2).at(1), 52);
  EXPECT_EQ(dictionary_.RecentClasses(3).at(1), 3);
  dictionary_.ResetRecentNouns();
  EXPECT_EQ(dictionary_.RecentClasses(3).at(1), 0);
  ClassPath p;
  p.at(2) = 9;
  dictionary_.PushRecentClasses(p);
  EXPECT_EQ(dictionary_.RecentClasses(1).at(2), 9);
}

}  // namespace
}  // namespace malvex
