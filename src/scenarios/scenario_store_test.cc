#include "scenarios/scenario_store.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundations/messages.h"
#include "platform/scripted_box.h"
#include "test_support.h"

namespace malvex {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

const std::string kIntegrityError = "Ontology or Scenario integrity error. This file is probably corrupted.";

// An entry as "code|name|value" ("code|name" without a value), blanks in
// the code shown as '_'.
std::string Show(const ScenarioEntry& e) {
  std::string s;
  for (const char c : e.code) s += c == ' ' ? '_' : c == '\0' ? '0' : c;
  s += '|' + e.name;
  if (e.hasValue) s += '|' + e.value;
  return s;
}

class ScenarioStoreTest : public ::testing::Test {
 protected:
  ScenarioStoreTest() : messages_(box_), store_(messages_) {}

  // Loads `text` as a scenario file; the entries as Show gives them.
  std::vector<std::string> Load(const std::string& text, bool expectOk = true) {
    const std::string path = dir_.File("s.scn");
    EXPECT_TRUE(WriteFile(path, text));
    EXPECT_EQ(store_.Load(path), expectOk);
    return Entries();
  }
  std::vector<std::string> Entries() const {
    std::vector<std::string> shown;
    for (const ScenarioEntry& e : store_.entries()) shown.push_back(Show(e));
    return shown;
  }
  std::vector<std::string> Boxes() const {
    std::vector<std::string> texts;
    for (const auto& a : box_.asked()) texts.push_back(a.text);
    return texts;
  }

  TempDir dir_;
  ScriptedBox box_;
  Messages messages_;
  ScenarioStore store_;
};

TEST_F(ScenarioStoreTest, LinesAreSplitIntoCodeNameAndValue) {
  const std::string longName(90, 'n');
  const std::string longValue(79, 'v');
  struct Case {
    const char* what;
    std::string text;
    std::vector<std::string> entries;
    bool integrityError;
  };
  const std::vector<Case> cases = {
      {"group and items", "G#0V\t12\tHealth\r\n0#1#\tdoctor\tHealth\r\n1#1#\tMedicine\tHealth\r\n",
       {"G#0V|12|Health", "0#1#|doctor|Health", "1#1#|Medicine|Health"}, false},
      {"single TAB: the value repeats the name", "0#1#\tdoctor\r\n", {"0#1#|doctor|doctor"}, false},
      {"a third TAB ends the value", "0#1#\ta\tb\tc\r\n", {"0#1#|a|b"}, false},
      {"TABs before position 4 belong to the code", "G#0\t12\tHealth\r\n", {"G#0\t|1|Health"}, false},
      {"LF endings and no final line end", "0#1#\ta\tG\n0#1#\tb\tG", {"0#1#|a|G", "0#1#|b|G"}, false},
      {"a NUL byte ends the line", std::string("0#1#\tab\0cd\tx\r\n", 14), {"0#1#|ab|ab"}, false},
      {"blanks of old codes read as '#'", "G  V\t5\tOld\r\n0   \tword\tOld\r\n", {"G##V|5|Old", "0###|word|Old"},
       false},
      {"empty and four-character lines are skipped", "\r\nG#0V\r\n0#1#\tx\ty\r\n", {"0#1#|x|y"}, true},
      {"a line without TAB is skipped", "0#1# doctor Health\r\n0#1#\tx\ty\r\n", {"0#1#|x|y"}, true},
      {"fields are cut at 79 characters", "0#1#\t" + longName + "\tG\r\n",
       {"0#1#|" + std::string(79, 'n') + "|G"}, true},
      // 200 characters: the line is cut at 164 before the split, so the
      // value keeps 164 - 85 = 79 characters and nothing else is cut.
      {"a long line is cut at 164 characters", "0#1#\t" + std::string(79, 'n') + "\t" + longValue + "tail" +
                                                   std::string(200 - 85 - 83, 'x') + "\r\n",
       {"0#1#|" + std::string(79, 'n') + "|" + longValue}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    store_.Reset();
    box_.ClearRecords();
    EXPECT_EQ(Load(c.text), c.entries);
    if (c.integrityError) {
      EXPECT_EQ(Boxes(), std::vector<std::string>{kIntegrityError});
    } else {
      EXPECT_TRUE(Boxes().empty());
    }
  }
}

TEST_F(ScenarioStoreTest, OldGroupCodeWithBlanksIsADepthZeroGroup) {
  Load("G  V\t5\tOld\r\n");
  ASSERT_EQ(store_.count(), 1u);
  EXPECT_TRUE(store_.entries()[0].IsGroup());
  EXPECT_EQ(store_.entries()[0].Depth(), 0);
}

TEST_F(ScenarioStoreTest, CountTotalAndKind) {
  Load("G#0V\t1\tHealth\r\n0#1#\tdoctor\tHealth\r\n2#1#\tfield\tHealth\r\nG#1V\t2\tSub\r\nV#2#\tgo\tSub\r\n");
  EXPECT_EQ(store_.count(), 5u);
  // doctor + field + go; group signatures do not count.
  EXPECT_EQ(store_.total(), 6u + 5u + 2u);
  std::vector<int> kinds;
  for (const ScenarioEntry& e : store_.entries()) kinds.push_back(e.kind);
  EXPECT_EQ(kinds, (std::vector<int>{0, 0, 2, 0, 0}));
  EXPECT_EQ(ScenarioKindOf('1'), 1);
  EXPECT_EQ(ScenarioKindOf('3'), 3);
  EXPECT_EQ(ScenarioKindOf('S'), 0);
}

TEST_F(ScenarioStoreTest, SequentialReadingGivesTheEntriesInOrder) {
  Load("0#1#\ta\tG\r\n0#1#\tb\tG\r\n");
  store_.Rewind();
  std::string names;
  while (const ScenarioEntry* e = store_.Next()) names += e->name;
  EXPECT_EQ(names, "ab");
  EXPECT_EQ(store_.Next(), nullptr);
}

TEST_F(ScenarioStoreTest, GroupSignatures) {
  struct Case {
    const char* what;
    std::string text;
    std::vector<std::string> names;
    bool renumbered;
  };
  const std::vector<Case> cases = {
      {"plain decimal text", "G#0V\t+12\tA\r\nG#0V\t007\tB\r\nG#0V\t-4\tC\r\n", {"12", "7", "-4"}, false},
      {"a signature of 0 keeps its text", "G#0V\t00\tA\r\n", {"00"}, false},
      // A name that is no number gets the next signature, above every one
      // seen, and every later group is renumbered too.
      {"non-integer name", "G#0V\t7\tA\r\nG#0V\tx12\tB\r\n0#1#\t5\tB\r\nG#0V\t3\tC\r\n", {"7", "8", "5", "9"}, true},
      {"beyond 32 bits", "G#0V\t2147483648\tA\r\nG#0V\t4\tB\r\n", {"1", "2"}, true},
      {"blank and empty names", "G#0V\t 3\tA\r\nG#0V\t\tB\r\n", {"1", "2"}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    store_.Reset();
    Load(c.text);
    std::vector<std::string> names;
    for (const ScenarioEntry& e : store_.entries()) names.push_back(e.name);
    EXPECT_EQ(names, c.names);
    EXPECT_EQ(store_.signatures().renumbering, c.renumbered);
  }
}

TEST_F(ScenarioStoreTest, ForcedRenumberingReissuesEverySignature) {
  store_.signatures().forcedRenumbering = true;
  store_.signatures().counter = 40;
  ASSERT_TRUE(store_.Add(ScenarioEntry::Make("G#0V", "3", "A")));
  ASSERT_TRUE(store_.Add(ScenarioEntry::Make("G#0V", "9", "B")));
  EXPECT_EQ(store_.entries()[0].name, "41");
  EXPECT_EQ(store_.entries()[1].name, "42");
}

TEST_F(ScenarioStoreTest, MaximumSignatureRefusesTheEntry) {
  // The highest signature may be read; handing out one more is refused.
  EXPECT_EQ(Load("G#0V\t2147483646\tA\r\nG#0V\tnew\tB\r\n0#1#\tw\tB\r\n", false),
            std::vector<std::string>{"G#0V|2147483646|A"});
  ASSERT_EQ(box_.asked().size(), 1u);
  EXPECT_EQ(box_.asked()[0].text.rfind("Max. Signature reached.", 0), 0u);
}

TEST_F(ScenarioStoreTest, SaveWritesTheLinesBackByteForByte) {
  const std::string text =
      "G#0V\t12\tHealth\r\n0#1#\tdoctor\tHealth\r\nG#1H\t13\tHospitals\r\nS#2?\tspital\tHospitals\r\n";
  Load(text);
  const std::string out = dir_.File("out.scn");
  ASSERT_TRUE(store_.Save(out));
  EXPECT_EQ(ReadFile(out), text);
  EXPECT_NE(store_.fileTime(), 0);
}

TEST_F(ScenarioStoreTest, SaveWritesBlankCodesMissingValuesAndSkipsNamelessEntries) {
  ScenarioEntry group = ScenarioEntry::Make("G#0V", "1", "A");
  group.code[3] = '\0';
  ASSERT_TRUE(store_.Add(group));
  ASSERT_TRUE(store_.Add(ScenarioEntry::Make("0#1#", "w")));
  ASSERT_TRUE(store_.Add(ScenarioEntry::Make("0#1#", "", "A")));
  const std::string out = dir_.File("out.scn");
  ASSERT_TRUE(store_.Save(out));
  EXPECT_EQ(ReadFile(out), "G#0 \t1\tA\r\n0#1#\tw\t\r\n");
}

TEST_F(ScenarioStoreTest, SaveReplacesAnExistingFile) {
  const std::string out = dir_.File("out.scn");
  ASSERT_TRUE(WriteFile(out, std::string(5000, 'x')));
  ASSERT_TRUE(store_.Add(ScenarioEntry::Make("0#1#", "w", "A")));
  ASSERT_TRUE(store_.Save(out));
  EXPECT_EQ(ReadFile(out), "0#1#\tw\tA\r\n");
}

TEST_F(ScenarioStoreTest, FileErrorsNameTheFile) {
  const std::string missing = dir_.File("missing.scn");
  EXPECT_FALSE(store_.Load(missing));
  // A folder opens but cannot be read.
  EXPECT_FALSE(store_.Load(dir_.path().string()));
  EXPECT_FALSE(store_.Save(dir_.File("no/such/folder.scn")));
  EXPECT_EQ(Boxes(), (std::vector<std::string>{
                         "Disk read error (file corrupted or I/O error). \"" + missing + "\"",
                         "Disk read error (file corrupted or I/O error). \"" + dir_.path().string() + "\"",
                         "Disk write error (disk full or I/O error). \"" + dir_.File("no/such/folder.scn") + "\""}));
}

TEST_F(ScenarioStoreTest, LoadAppendsAndResetEmpties) {
  Load("0#1#\ta\tG\r\n");
  Load("0#1#\tb\tG\r\n");
  EXPECT_EQ(store_.count(), 2u);
  store_.signatures().renumbering = true;
  store_.Reset();
  EXPECT_EQ(store_.count(), 0u);
  EXPECT_EQ(store_.total(), 0u);
  EXPECT_FALSE(store_.signatures().renumbering);
  EXPECT_TRUE(store_.Ok());
}

// ---- Encodings ----------------------------------------------------------

// "Invenții" (the group) and "brevet" in it, with "mâine", "Ăla", "îşi"
// (ş with a cedilla) and "ştiinţă", as each encoding writes them.
const std::string kGroupCp1250 = "Inven\xFEii";
const std::string kScenarioCp1250 = "G#0V\t1\tInven\xFEii\r\n0#1#\tbrevet\tInven\xFEii\r\n"
                                    "0#1#\tm\xE2ine\tInven\xFEii\r\n0#1#\t\xC3la\tInven\xFEii\r\n";
const std::string kScenarioUtf8 = "G#0V\t1\tInven\xC8\x9Bii\r\n0#1#\tbrevet\tInven\xC8\x9Bii\r\n"
                                  "0#1#\tm\xC3\xA2ine\tInven\xC8\x9Bii\r\n0#1#\t\xC4\x82la\tInven\xC8\x9Bii\r\n";
const std::string kMark = "\xEF\xBB\xBF";

TEST_F(ScenarioStoreTest, FilesInCodePageOrUtf8AreReadAsTheSameText) {
  const std::vector<std::string> invention = {"G#0V|1|" + kGroupCp1250, "0#1#|brevet|" + kGroupCp1250,
                                              "0#1#|m\xE2ine|" + kGroupCp1250, "0#1#|\xC3la|" + kGroupCp1250};
  struct Case {
    const char* what;
    std::string bytes;
    std::vector<std::string> entries;
    TextFileEncoding encoding;
  };
  const std::vector<Case> cases = {
      {"code page 1250", kScenarioCp1250, invention, TextFileEncoding::kCodePage},
      {"UTF-8 with its mark", kMark + kScenarioUtf8, invention, TextFileEncoding::kUtf8WithMark},
      {"UTF-8 without a mark", kScenarioUtf8, invention, TextFileEncoding::kUtf8},
      {"UTF-8 with the cedilla letters", "0#1#\t\xC3\xAE\xC5\x9Fi\tG\r\n0#1#\t\xC5\x9Ftiin\xC5\xA3\xC4\x83\tG\r\n",
       {"0#1#|\xEE\xBAi|G", "0#1#|\xBAtiin\xFE\xE3|G"}, TextFileEncoding::kUtf8},
      {"the cedilla and the comma below in one file", "0#1#\t\xC5\x9F\xC8\x99\xC5\xA3\xC8\x9B\tG\r\n",
       {"0#1#|\xBA\xBA\xFE\xFE|G"}, TextFileEncoding::kUtf8},
      {"plain ASCII", "G#0V\t1\tHealth\r\n0#1#\tdoctor\tHealth\r\n", {"G#0V|1|Health", "0#1#|doctor|Health"},
       TextFileEncoding::kCodePage},
      // 0xE2 followed by a letter cannot be UTF-8: it is the code page's â.
      {"a lone 0xE2", "0#1#\tm\xE2ine\tG\r\n", {"0#1#|m\xE2ine|G"}, TextFileEncoding::kCodePage},
      {"a UTF-8 sequence cut by the end of the file", "0#1#\tm\xC3\xA2ine\tG\xC8", {"0#1#|m\xC3\xA2ine|G\xC8"},
       TextFileEncoding::kCodePage},
      {"only the mark", kMark, {}, TextFileEncoding::kUtf8WithMark},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    store_.Reset();
    EXPECT_EQ(Load(c.bytes), c.entries);
    EXPECT_EQ(store_.fileEncoding(), c.encoding);
    EXPECT_TRUE(Boxes().empty());
  }
}

TEST_F(ScenarioStoreTest, SaveWritesTheEncodingTheFileWasReadIn) {
  const struct {
    const char* what;
    std::string bytes;
  } cases[] = {
      {"code page 1250", kScenarioCp1250},
      {"UTF-8 with its mark", kMark + kScenarioUtf8},
      {"UTF-8 without a mark", kScenarioUtf8},
      {"plain ASCII", "G#0V\t1\tHealth\r\n0#1#\tdoctor\tHealth\r\n"},
      {"a lone 0xE2", "0#1#\tm\xE2ine\tG\r\n"},
      {"only the mark", kMark},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    store_.Reset();
    Load(c.bytes);
    // The store is reset before every save and filled again from the tree.
    const std::vector<ScenarioEntry> entries = store_.entries();
    store_.Reset();
    for (const ScenarioEntry& e : entries) ASSERT_TRUE(store_.Add(e));
    const std::string out = dir_.File("out.scn");
    ASSERT_TRUE(store_.Save(out));
    EXPECT_EQ(ReadFile(out), c.bytes);
  }
}

TEST_F(ScenarioStoreTest, CedillaLettersComeBackWithTheCommaBelow) {
  // The text keeps one byte for ș and ş; a UTF-8 file gets the letter
  // Romanian is written with.
  Load("0#1#\t\xC5\x9Fi\tG\r\n");
  ASSERT_TRUE(store_.Save(dir_.File("out.scn")));
  EXPECT_EQ(ReadFile(dir_.File("out.scn")), "0#1#\t\xC8\x99i\tG\r\n");
}

TEST_F(ScenarioStoreTest, AStoreThatReadNoFileWritesTheCodePage) {
  EXPECT_EQ(store_.fileEncoding(), TextFileEncoding::kCodePage);
  ASSERT_TRUE(store_.Add(ScenarioEntry::Make("G#0V", "1", kGroupCp1250)));
  ASSERT_TRUE(store_.Save(dir_.File("new.scn")));
  EXPECT_EQ(ReadFile(dir_.File("new.scn")), "G#0V\t1\t" + kGroupCp1250 + "\r\n");
  // A file that cannot be read leaves no encoding of an earlier one.
  Load(kMark + kScenarioUtf8);
  EXPECT_FALSE(store_.Load(dir_.File("missing.scn")));
  EXPECT_EQ(store_.fileEncoding(), TextFileEncoding::kCodePage);
}

}  // namespace
}  // namespace malvex
