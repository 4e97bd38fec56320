#include "dictionaries/trie.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <random>
#include <string>
#include <vector>

#include "dictionaries/byte_stream.h"
#include "dictionaries/nothrow_failure_for_tests.h"
#include "foundations/messages.h"
#include "platform/scripted_box.h"
#include "test_support.h"

namespace malvex {
namespace {

std::string Bytes(std::initializer_list<int> values) {
  std::string out;
  for (int v : values) out.push_back(static_cast<char>(v));
  return out;
}

// The trie of the worked example: abc = 5, abd = 6.
Trie32 AbcAbd() {
  Trie32 trie;
  trie.Create(100, nullptr);
  EXPECT_TRUE(trie.Insert("abc", 5));
  EXPECT_TRUE(trie.Insert("abd", 6));
  return trie;
}

// Its stored form: the 24-byte record, then chars, values and next.
const std::string kAbcAbdImage =
    Bytes({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,  // address slots
           2, 0, 0, 0,                          // entries
           6, 0, 0, 0,                          // cells
           0, 0, 0, 0}) +                       // empty, padding
    std::string("abc\0d\0", 6) +
    Bytes({0, 0, 0, 0, 0, 0, 5, 0, 0, 0, 6, 0}) +
    Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 4, 0, 0, 0,
           0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});

TEST(TrieTest, AbcThenAbdLaysOutSixCells) {
  Trie32 trie = AbcAbd();
  const char chars[] = {'a', 'b', 'c', 0, 'd', 0};
  for (uint32_t p = 0; p < 6; ++p) EXPECT_EQ(trie.CharAt(p), static_cast<uint8_t>(chars[p])) << p;
  EXPECT_EQ(trie.NextAt(2), 4);
  for (uint32_t p : {0u, 1u, 3u, 4u, 5u}) EXPECT_EQ(trie.NextAt(p), -1) << p;
  EXPECT_EQ(trie.ValueAt(3), 5);
  EXPECT_EQ(trie.ValueAt(5), 6);
  EXPECT_EQ(trie.Used(), 6u);
  EXPECT_EQ(trie.Entries(), 2u);
  EXPECT_FALSE(trie.IsEmpty());
  EXPECT_EQ(trie.Cursor().newEntries, 2u);
  EXPECT_EQ(trie.ValueOf("abc"), 5);
  EXPECT_EQ(trie.ValueOf("abd"), 6);
}

TEST(TrieTest, PrefixIsFoundWithValueZeroThenTakesAValueWithoutNewCells) {
  Trie32 trie = AbcAbd();
  EXPECT_EQ(trie.Find("ab"), 2);
  EXPECT_TRUE(trie.Cursor().found);
  EXPECT_EQ(trie.Cursor().value, 0);
  EXPECT_EQ(trie.ValueOf("ab"), 0);

  EXPECT_TRUE(trie.Insert("ab", 7));
  EXPECT_EQ(trie.ValueAt(2), 7);
  EXPECT_EQ(trie.Used(), 6u);
  EXPECT_FALSE(trie.Cursor().ambiguous);
  EXPECT_EQ(trie.Cursor().newEntries, 3u);
  // The cell keeps the character of the longer keys.
  EXPECT_EQ(trie.CharAt(2), 'c');
  EXPECT_EQ(trie.ValueOf("abc"), 5);
  EXPECT_EQ(trie.ValueOf("ab"), 7);
}

TEST(TrieTest, LookupsLeavingTheTrieReportWhereTheyStopped) {
  Trie32 trie = AbcAbd();
  struct Case {
    const char* key;
    int32_t position;
    uint32_t matchedLength;
    const char* matched;
  };
  const Case cases[] = {
      {"abcx", 3, 3, "abc"},  // past a shorter key: its terminating cell
      {"abe", 4, 2, "ab"},    // no alternative after d
      {"x", 0, 0, ""},
      {"abdd", 5, 3, "abd"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.key);
    EXPECT_EQ(trie.Find(c.key), -1);
    EXPECT_FALSE(trie.Cursor().found);
    EXPECT_EQ(trie.Cursor().value, 0);
    EXPECT_EQ(trie.Cursor().position, c.position);
    EXPECT_EQ(trie.Cursor().matchedLength, c.matchedLength);
    EXPECT_STREQ(trie.Cursor().matched, c.matched);
    EXPECT_EQ(trie.Cursor().keyLength, std::string(c.key).size());
  }
}

TEST(TrieTest, EmptyKeyOrEmptyTrieFindsNothing) {
  Trie32 trie;
  trie.Create(10, nullptr);
  EXPECT_EQ(trie.Find("a"), -1);
  EXPECT_EQ(trie.Find(""), -1);
  Trie32 never;
  EXPECT_EQ(never.Find("a"), -1);
  Trie32 abc = AbcAbd();
  EXPECT_EQ(abc.Find(""), -1);
  // A key ends at its first zero byte.
  EXPECT_EQ(abc.Find(std::string("abc\0zz", 6)), 3);
  EXPECT_EQ(abc.Cursor().keyLength, 3u);
}

TEST(TrieTest, ReinsertedFormIsMarkedAmbiguousWhateverItsClass) {
  struct Case {
    uint16_t first;
    uint16_t again;
    bool sameClass;
  };
  const Case cases[] = {
      {5, 5, true},             // the same code twice
      {0x0105, 0x0103, true},   // two verb readings
      {0x0105, 0x0803, false},  // a verb, then an undetermined form
      {0x4402, 0x0402, true},   // bits 15..12 do not count for the class
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.first);
    Trie32 trie32;
    trie32.Create(100, nullptr);
    Trie16 trie16;
    trie16.Create(100, nullptr);
    ASSERT_TRUE(trie32.Insert("abc", c.first));
    ASSERT_TRUE(trie16.Insert("abc", c.first));
    EXPECT_FALSE(trie32.Cursor().ambiguous);

    EXPECT_TRUE(trie32.Insert("abc", c.again));
    EXPECT_TRUE(trie16.Insert("abc", c.again));
    for (const TrieCursor* cursor : {&trie32.Cursor(), &trie16.Cursor()}) {
      EXPECT_TRUE(cursor->ambiguous);
      EXPECT_EQ(cursor->sameClass, c.sameClass);
      EXPECT_EQ(cursor->duplicates, 1u);
      EXPECT_EQ(cursor->newEntries, 1u);
    }
    // Only bit 15 changes; the first code stays.
    EXPECT_EQ(trie32.ValueOf("abc"), c.first | 0x8000);
    EXPECT_EQ(trie16.ValueOf("abc"), c.first | 0x8000);
    EXPECT_EQ(trie32.Entries(), 2u);
    EXPECT_EQ(trie32.Used(), 4u);

    // The next insertion clears the mark.
    EXPECT_TRUE(trie32.Insert("abd", 1));
    EXPECT_FALSE(trie32.Cursor().ambiguous);
  }
}

TEST(TrieTest, WorkedExampleReinsertionGives0x8005) {
  Trie32 trie = AbcAbd();
  EXPECT_TRUE(trie.Insert("abc", 5));
  EXPECT_EQ(trie.ValueAt(3), 0x8005);
  EXPECT_TRUE(trie.Cursor().ambiguous);
}

TEST(TrieTest, InsertionFoldsItsOwnCopyAndFindTakesTheKeyAsGiven) {
  Trie32 trie;
  trie.Create(100, nullptr);
  const std::string key = "\xC3" "RBORE";  // upper-case a-breve
  ASSERT_TRUE(trie.Insert(key, 9));
  EXPECT_EQ(key, "\xC3" "RBORE");
  EXPECT_EQ(trie.ValueOf("\xE3" "rbore"), 9);
  EXPECT_EQ(trie.ValueOf(key), 0);
  // Entered again in lower case, it is the same form.
  EXPECT_TRUE(trie.Insert("\xE3" "rbore", 9));
  EXPECT_TRUE(trie.Cursor().ambiguous);
}

TEST(TrieTest, EmptyKeyIsNotInserted) {
  Trie32 trie32 = AbcAbd();
  ASSERT_TRUE(trie32.Insert("abc", 5));
  ASSERT_TRUE(trie32.Cursor().ambiguous);
  EXPECT_FALSE(trie32.Insert("", 1));
  EXPECT_FALSE(trie32.Cursor().ambiguous);  // Trie32 clears the mark first

  Trie16 trie16;
  trie16.Create(100, nullptr);
  ASSERT_TRUE(trie16.Insert("abc", 5));
  ASSERT_TRUE(trie16.Insert("abc", 5));
  EXPECT_FALSE(trie16.Insert("", 1));
  EXPECT_TRUE(trie16.Cursor().ambiguous);  // Trie16 changes nothing
  EXPECT_EQ(trie16.Used(), 4u);
  EXPECT_EQ(trie16.Entries(), 2u);
}

TEST(TrieTest, KeysUpToEightyCharactersAreAccepted) {
  Trie32 trie;
  trie.Create(1000, nullptr);
  const std::string eighty(80, 'q');
  EXPECT_TRUE(trie.Insert(eighty, 3));
  EXPECT_EQ(trie.ValueOf(eighty), 3);
  EXPECT_EQ(trie.Used(), 81u);

  const std::string longer(81, 'q');
  EXPECT_FALSE(trie.Insert(longer, 4));
  EXPECT_EQ(trie.Used(), 81u);
  EXPECT_FALSE(trie.Cursor().overflow);

  // A longer lookup keeps 80 matched characters in the cursor.
  EXPECT_EQ(trie.Find(longer + "qqqq"), -1);
  EXPECT_EQ(trie.Cursor().matchedLength, 80u);
  EXPECT_EQ(std::string(trie.Cursor().matched), eighty);
}

// Fills a Trie16 until exactly `target` cells are in use, with keys that
// start with letters the capacity probes below never use.
void FillTo(Trie16& trie, uint32_t target) {
  std::mt19937 random(7);
  while (trie.Used() + 200 < target) {
    std::string key(1 + random() % 12, 'a');
    for (char& ch : key) ch = static_cast<char>('a' + random() % 16);
    ASSERT_TRUE(trie.Insert(key, 1));
  }
  char first = 'z';
  while (trie.Used() < target) {
    // A key with a new first letter takes its length plus one cells.
    uint32_t gap = target - trie.Used();
    uint32_t length = std::min<uint32_t>(79, gap - 1);
    if (gap - (length + 1) == 1) --length;
    ASSERT_TRUE(trie.Insert(std::string(1, first) + std::string(length - 1, 'k'), 1));
    --first;
  }
}

TEST(TrieTest, Trie16RefusesKeysThatReachTheCellLimit) {
  Trie16 trie;
  trie.Create(kTrie16CellLimit, nullptr);
  FillTo(trie, 32590);
  ASSERT_EQ(trie.Used(), 32590u);
  const uint32_t entries = trie.Entries();

  struct Case {
    uint32_t needs;  // characters to append
    bool accepted;
  };
  // 9 + 32,590 + 1 = 32,600 and 8 + 32,590 + 1 = 32,599 reach the limit.
  for (const Case& c : {Case{9, false}, Case{8, false}, Case{7, true}}) {
    SCOPED_TRACE(c.needs);
    const std::string key = "0" + std::string(c.needs - 1, '1');
    EXPECT_EQ(trie.Insert(key, 2), c.accepted);
    EXPECT_EQ(trie.Cursor().overflow, true);  // set by the first refusal, stays
    if (!c.accepted) {
      EXPECT_EQ(trie.Used(), 32590u);
      EXPECT_EQ(trie.Entries(), entries);
      EXPECT_EQ(trie.CharAt(32590), 0);
      EXPECT_EQ(trie.ValueOf(key), 0);
    }
  }
  EXPECT_EQ(trie.Used(), 32598u);
  EXPECT_EQ(trie.ValueOf("01111111"), 0);
  EXPECT_EQ(trie.ValueOf("0111111"), 2);
}

TEST(TrieTest, CapacityBoundsInsertion) {
  // A Trie32 is measured against its capacity; a Trie16 against the smaller
  // of its capacity and the Trie16 limit, so a small one never writes past
  // its cells.
  Trie32 trie32;
  trie32.Create(10, nullptr);
  Trie16 trie16;
  trie16.Create(10, nullptr);
  EXPECT_TRUE(trie32.Insert("abcdefgh", 1));  // 8 + 0 + 1 < 10
  EXPECT_TRUE(trie16.Insert("abcdefgh", 1));
  EXPECT_FALSE(trie32.Insert("x", 1));  // 1 + 9 + 1 >= 10
  EXPECT_FALSE(trie16.Insert("x", 1));
  EXPECT_TRUE(trie32.Cursor().overflow);
  EXPECT_TRUE(trie16.Cursor().overflow);
  // A value for a stored prefix needs no cell.
  EXPECT_TRUE(trie32.Insert("abc", 2));
  EXPECT_EQ(trie32.ValueOf("abc"), 2);

  // Six cells exactly: capacity 5.
  Trie32 exact;
  exact.CreateExact(6, nullptr);
  EXPECT_EQ(exact.Capacity(), 5u);
  EXPECT_FALSE(exact.Insert("abcd", 1));  // 4 + 0 + 1 >= 5
  EXPECT_TRUE(exact.Insert("abc", 1));
  Trie32 none;
  EXPECT_FALSE(none.Insert("a", 1));
  EXPECT_TRUE(none.Cursor().overflow);
}

TEST(TrieTest, ResetEmptiesTheCellsButKeepsEntriesAndOverflow) {
  Trie32 trie;
  trie.Create(10, nullptr);
  ASSERT_TRUE(trie.Insert("abcdefgh", 1));
  ASSERT_TRUE(trie.Insert("abcdefgh", 1));
  ASSERT_FALSE(trie.Insert("xyz", 1));
  trie.Reset();
  EXPECT_EQ(trie.Used(), 0u);
  EXPECT_TRUE(trie.IsEmpty());
  EXPECT_EQ(trie.Entries(), 2u);
  EXPECT_EQ(trie.Cursor().newEntries, 0u);
  EXPECT_EQ(trie.Cursor().duplicates, 0u);
  EXPECT_TRUE(trie.Cursor().overflow);
  EXPECT_EQ(trie.Find("abcdefgh"), -1);
  for (uint32_t p = 0; p <= 10; ++p) {
    EXPECT_EQ(trie.CharAt(p), 0);
    EXPECT_EQ(trie.NextAt(p), -1);
    EXPECT_EQ(trie.ValueAt(p), 0);
  }
  // Built again from scratch, the first key starts at cell 0.
  EXPECT_TRUE(trie.Insert("xyz", 3));
  EXPECT_EQ(trie.CharAt(0), 'x');
  EXPECT_EQ(trie.ValueOf("xyz"), 3);
}

TEST(TrieTest, MovedTrieKeepsItsContent) {
  Trie32 from = AbcAbd();
  Trie32 to = std::move(from);
  EXPECT_EQ(to.ValueOf("abd"), 6);
  EXPECT_FALSE(from.Created());
  EXPECT_EQ(from.Find("abd"), -1);
  std::vector<Trie16> tries(3);
  tries[1].Create(50, nullptr);
  ASSERT_TRUE(tries[1].Insert("la", 4));
  tries.emplace_back();
  EXPECT_EQ(tries[1].ValueOf("la"), 4);
}

TEST(TrieTest, FailedCreationShowsMessageZeroAndEndsWithCodeOne) {
  testing::CatchFatalExit fatal;
  ScriptedBox box;
  Messages messages(box);
  {
    Trie32 trie;
    testing::NothrowFailure failure(0);
    EXPECT_FALSE(trie.TryCreate(100));
    EXPECT_FALSE(trie.Created());
  }
  for (Messages* shownBy : {&messages, static_cast<Messages*>(nullptr)}) {
    Trie16 trie;
    try {
      testing::NothrowFailure failure(1);  // the second array fails
      trie.Create(100, shownBy);
      ADD_FAILURE() << "creation succeeded without memory";
    } catch (const testing::FatalExitCalled& e) {
      EXPECT_EQ(e.code, 1);
    }
    EXPECT_FALSE(trie.Created());
  }
  ASSERT_EQ(box.asked().size(), 1u);
  EXPECT_EQ(box.asked()[0].text, "Memory low. Please close some applications and try again.");
}

// ---- Stored form --------------------------------------------------------

TEST(TrieStoredFormTest, Trie32IsWrittenByteExact) {
  std::string image;
  ByteWriter out(image);
  AbcAbd().WriteStored(out);
  EXPECT_EQ(image, kAbcAbdImage);
}

TEST(TrieStoredFormTest, Trie16IsWrittenByteExact) {
  Trie16 trie;
  trie.Create(kTrie16CellLimit, nullptr);
  ASSERT_TRUE(trie.Insert("ab", 0x0102));
  ASSERT_TRUE(trie.Insert("b", 3));
  std::string image;
  ByteWriter out(image);
  trie.WriteStored(out);
  const std::string expected =
      Bytes({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0, 5, 0, 0, 0}) +
      std::string("ab\0b\0", 5) + Bytes({0, 0, 0, 0, 2, 1, 0, 0, 3, 0}) +
      Bytes({3, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
  EXPECT_EQ(image, expected);
}

// Builds a trie of assorted keys, including prefixes and repeats.
template <typename Trie>
std::vector<std::string> Fill(Trie& trie) {
  std::vector<std::string> keys;
  std::mt19937 random(11);
  for (int i = 0; i < 400; ++i) {
    std::string key(1 + random() % 9, 'a');
    for (char& ch : key) ch = static_cast<char>('a' + random() % 6);
    keys.push_back(key);
    EXPECT_TRUE(trie.Insert(key, static_cast<uint16_t>(1 + random() % 0x0FFF)));
  }
  return keys;
}

template <typename Trie>
void ExpectSameLookups(Trie& a, Trie& b, const std::vector<std::string>& keys) {
  for (const std::string& key : keys) {
    for (size_t cut = 1; cut <= key.size() + 1; ++cut) {
      const std::string probe = cut <= key.size() ? key.substr(0, cut) : key + "z";
      ASSERT_EQ(a.Find(probe), b.Find(probe)) << probe;
      ASSERT_EQ(a.Cursor().value, b.Cursor().value) << probe;
    }
  }
}

TEST(TrieStoredFormTest, RoundTripGivesIdenticalBytesAndLookups) {
  {
    Trie16 built;
    built.Create(kTrie16CellLimit, nullptr);
    const std::vector<std::string> keys = Fill(built);
    std::string image;
    ByteWriter out(image);
    built.WriteStored(out);
    ASSERT_EQ(image.size(), kTrie16RecordSize + built.Used() * 5u);

    ByteReader in(image);
    Trie16 loaded;
    ASSERT_TRUE(loaded.LoadStored(in, 0, nullptr));
    EXPECT_EQ(in.remaining(), 0u);
    EXPECT_EQ(loaded.Used(), built.Used());
    EXPECT_EQ(loaded.Entries(), built.Entries());
    EXPECT_EQ(loaded.Capacity(), built.Used());  // exactly its cell count
    std::string again;
    ByteWriter out2(again);
    loaded.WriteStored(out2);
    EXPECT_EQ(again, image);
    ExpectSameLookups(built, loaded, keys);
  }
  {
    Trie32 built;
    built.Create(100000, nullptr);
    const std::vector<std::string> keys = Fill(built);
    std::string image;
    ByteWriter out(image);
    built.WriteStored(out);
    ByteReader in(image);
    Trie32 loaded;
    ASSERT_TRUE(loaded.LoadStored(in, 0, nullptr));
    std::string again;
    ByteWriter out2(again);
    loaded.WriteStored(out2);
    EXPECT_EQ(again, image);
    ExpectSameLookups(built, loaded, keys);
  }
}

TEST(TrieStoredFormTest, LoadedTrieGrowsOnlyWhenGivenRoom) {
  Trie16 built;
  built.Create(kTrie16CellLimit, nullptr);
  ASSERT_TRUE(built.Insert("casa", 1));
  std::string image;
  ByteWriter out(image);
  built.WriteStored(out);

  ByteReader exactIn(image);
  Trie16 exact;
  ASSERT_TRUE(exact.LoadStored(exactIn, 0, nullptr));
  EXPECT_FALSE(exact.Insert("cal", 2));
  EXPECT_TRUE(exact.Insert("cas", 2));  // a stored prefix needs no cell

  ByteReader roomyIn(image);
  Trie16 roomy;
  ASSERT_TRUE(roomy.LoadStored(roomyIn, kTrie16CellLimit, nullptr));
  EXPECT_TRUE(roomy.Insert("cal", 2));
  EXPECT_EQ(roomy.ValueOf("cal"), 2);
  EXPECT_EQ(roomy.ValueOf("casa"), 1);
}

// The lexicon's layout: all records, then all chars, all values, all next.
TEST(TrieStoredFormTest, SplitLayoutRoundTrip) {
  Trie32 built[3];
  built[0] = AbcAbd();
  built[1].Create(10, nullptr);  // stays without cells
  built[2].Create(50, nullptr);
  ASSERT_TRUE(built[2].Insert("mare", 0x0801));
  std::string image;
  ByteWriter out(image);
  for (const Trie32& t : built) WriteTrie32Record(out, t.Record());
  for (const Trie32& t : built) t.WriteChars(out);
  for (const Trie32& t : built) t.WriteValues(out);
  for (const Trie32& t : built) t.WriteNext(out);

  ByteReader in(image);
  Trie32 loaded[3];
  for (Trie32& t : loaded) {
    TrieRecord record;
    ASSERT_TRUE(ReadTrie32Record(in, record));
    t.CreateExact(record.cells, nullptr);
    ASSERT_TRUE(t.SetRecord(record));
  }
  for (Trie32& t : loaded) ASSERT_TRUE(t.ReadChars(in));
  for (Trie32& t : loaded) ASSERT_TRUE(t.ReadValues(in));
  for (Trie32& t : loaded) ASSERT_TRUE(t.ReadNext(in));
  EXPECT_EQ(in.remaining(), 0u);
  EXPECT_EQ(loaded[0].ValueOf("abd"), 6);
  EXPECT_EQ(loaded[1].Find("a"), -1);
  EXPECT_EQ(loaded[2].ValueOf("mare"), 0x0801);
  EXPECT_EQ(loaded[1].Record().empty, 1);
  EXPECT_EQ(loaded[0].Record().empty, 0);

  std::string again;
  ByteWriter out2(again);
  for (const Trie32& t : loaded) WriteTrie32Record(out2, t.Record());
  for (const Trie32& t : loaded) t.WriteChars(out2);
  for (const Trie32& t : loaded) t.WriteValues(out2);
  for (const Trie32& t : loaded) t.WriteNext(out2);
  EXPECT_EQ(again, image);
}

TEST(TrieStoredFormTest, Trie32x32ReadsSignedValues) {
  // The abc/abd trie with 32-bit values: abc -> -3 (several senses), abd -> 70000.
  const std::string image = std::string("abc\0d\0", 6) +
                            Bytes({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xFD, 0xFF, 0xFF, 0xFF,
                                   0, 0, 0, 0, 0x70, 0x11, 0x01, 0}) +
                            kAbcAbdImage.substr(24 + 6 + 12);
  ByteReader in(image);
  Trie32x32 trie;
  trie.CreateExact(6, nullptr);
  ASSERT_TRUE(trie.SetRecord(TrieRecord{0, 6, 0}));
  ASSERT_TRUE(trie.ReadChars(in));
  ASSERT_TRUE(trie.ReadValues(in));
  ASSERT_TRUE(trie.ReadNext(in));
  EXPECT_EQ(trie.ValueOf("abc"), -3);
  EXPECT_EQ(trie.ValueOf("abd"), 70000);
  EXPECT_EQ(trie.ValueOf("ab"), 0);

  std::string again;
  ByteWriter out(again);
  trie.WriteChars(out);
  trie.WriteValues(out);
  trie.WriteNext(out);
  EXPECT_EQ(again, image);
}

TEST(TrieStoredFormTest, TruncatedImagesAreRefused) {
  Trie16 built16;
  built16.Create(kTrie16CellLimit, nullptr);
  Fill(built16);
  std::string image16;
  ByteWriter out16(image16);
  built16.WriteStored(out16);

  for (size_t size = 0; size < image16.size(); ++size) {
    const std::string cut = image16.substr(0, size);  // its own allocation
    ByteReader in(cut.data(), cut.size());
    Trie16 trie;
    ASSERT_FALSE(trie.LoadStored(in, 0, nullptr)) << size;
    EXPECT_EQ(in.position(), 0u);
    EXPECT_EQ(trie.Used(), 0u);
    EXPECT_EQ(trie.Find("a"), -1);
  }

  const std::string cut32 = kAbcAbdImage.substr(0, kAbcAbdImage.size() - 1);
  ByteReader in32(cut32.data(), cut32.size());
  Trie32 trie32;
  EXPECT_FALSE(trie32.LoadStored(in32, 0, nullptr));
  EXPECT_EQ(in32.position(), 0u);

  // Each array read alone is refused when cut short.
  Trie32 parts;
  parts.CreateExact(6, nullptr);
  ASSERT_TRUE(parts.SetRecord(TrieRecord{2, 6, 0}));
  ByteReader shortChars(kAbcAbdImage.data() + 24, 5);
  EXPECT_FALSE(parts.ReadChars(shortChars));
  ByteReader shortValues(kAbcAbdImage.data() + 30, 11);
  EXPECT_FALSE(parts.ReadValues(shortValues));
  ByteReader shortNext(kAbcAbdImage.data() + 42, 23);
  EXPECT_FALSE(parts.ReadNext(shortNext));
  EXPECT_EQ(shortNext.position(), 0u);
}

TEST(TrieStoredFormTest, DamagedImagesAreRefused) {
  struct Case {
    const char* what;
    size_t offset;  // into kAbcAbdImage
    std::string bytes;
  };
  const size_t next = 24 + 6 + 12;
  const Case cases[] = {
      {"link to itself", next + 2 * 4, Bytes({2, 0, 0, 0})},
      {"link backwards", next + 2 * 4, Bytes({1, 0, 0, 0})},
      {"link to cell 0", next + 3 * 4, Bytes({0, 0, 0, 0})},
      {"link past the cells", next + 2 * 4, Bytes({6, 0, 0, 0})},
      {"link far away", next, Bytes({0, 0, 0, 0x40})},
      {"link -2", next, Bytes({0xFE, 0xFF, 0xFF, 0xFF})},
      {"cell count beyond the image", 16, Bytes({7, 0, 0, 0})},
      {"huge cell count", 16, Bytes({0xFF, 0xFF, 0xFF, 0x7F})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::string image = kAbcAbdImage;
    image.replace(c.offset, c.bytes.size(), c.bytes);
    ByteReader in(image);
    Trie32 trie;
    EXPECT_FALSE(trie.LoadStored(in, 0, nullptr));
    EXPECT_EQ(in.position(), 0u);
    EXPECT_EQ(trie.Used(), 0u);
    EXPECT_EQ(trie.Find("abd"), -1);
  }
}

TEST(TrieStoredFormTest, RunWithoutEndCellStaysInside) {
  // Two cells "ab" and no terminating cell: lookups stop at the hidden end
  // cell and insertion leaves the image alone.
  const std::string image = Bytes({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 2, 0, 0}) +
                            Bytes({0, 'a', 'b', 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF});
  ByteReader in(image);
  Trie16 trie;
  ASSERT_TRUE(trie.LoadStored(in, 0, nullptr));
  EXPECT_EQ(trie.Find("abc"), -1);
  EXPECT_EQ(trie.Find("ab"), 2);
  EXPECT_EQ(trie.Cursor().value, 0);
  EXPECT_FALSE(trie.Insert("ab", 1));

  ByteReader roomyIn(image);
  Trie16 roomy;
  ASSERT_TRUE(roomy.LoadStored(roomyIn, 100, nullptr));
  EXPECT_FALSE(roomy.Insert("ab", 1));
  EXPECT_FALSE(roomy.Insert("abc", 1));
  EXPECT_EQ(roomy.Used(), 2u);
}

TEST(TrieStoredFormTest, RandomlyDamagedImagesLoadSafelyOrNotAtAll) {
  Trie16 built;
  built.Create(kTrie16CellLimit, nullptr);
  const std::vector<std::string> keys = Fill(built);
  std::string image;
  ByteWriter out(image);
  built.WriteStored(out);

  std::mt19937 random(3);
  int loaded = 0;
  for (int round = 0; round < 300; ++round) {
    std::string damaged = image;
    for (int k = 0; k < 4; ++k) damaged[random() % damaged.size()] = static_cast<char>(random());
    ByteReader in(damaged.data(), damaged.size());
    Trie16 trie;
    if (!trie.LoadStored(in, 0, nullptr)) continue;
    ++loaded;
    for (uint32_t p = 0; p < trie.Used(); ++p) {
      const int32_t link = trie.NextAt(p);
      ASSERT_TRUE(link == -1 || (link > static_cast<int32_t>(p) &&
                                 link < static_cast<int32_t>(trie.Used())));
    }
    for (const std::string& key : keys) {
      trie.Find(key + "x");
      trie.Insert(key, 1);
    }
  }
  EXPECT_GT(loaded, 0);
}

TEST(TrieStoredFormTest, RecordsAreReadFromTheirFields) {
  const std::string record32 = Bytes({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 0x10, 0x20, 0x30, 0x40,
                                      0x78, 0x56, 0x34, 0x12, 1, 9, 9, 9});
  ByteReader in32(record32);
  TrieRecord r;
  ASSERT_TRUE(ReadTrie32Record(in32, r));
  EXPECT_EQ(r.entries, 0x40302010u);
  EXPECT_EQ(r.cells, 0x12345678u);
  EXPECT_EQ(r.empty, 1);

  const std::string record16 =
      Bytes({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 7, 0, 0, 0, 0x34, 0x82, 0, 9});
  ByteReader in16(record16);
  ASSERT_TRUE(ReadTrie16Record(in16, r));
  EXPECT_EQ(r.entries, 7u);
  EXPECT_EQ(r.cells, 0x8234u);
  EXPECT_EQ(r.empty, 0);

  ByteReader shortIn(record16.data(), 19);
  EXPECT_FALSE(ReadTrie16Record(shortIn, r));
  EXPECT_EQ(shortIn.position(), 0u);
}

}  // namespace
}  // namespace malvex
