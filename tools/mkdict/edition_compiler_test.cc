#include "edition_compiler.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "dictionaries/category_matrix.h"
#include "dictionaries/lexicon.h"
#include "foundations/messages.h"
#include "platform/scripted_box.h"
#include "test_support.h"

namespace malvex {
namespace {

using testing::TempDir;

const std::string kMini = testing::DataFile("edition-mini");
const char* const kExtensions[] = {".lv8", ".sv8", ".vv8", ".av8", ".zv8"};

TEST(EditionCompilerTest, TheSameSourcesGiveTheSameBytes) {
  TempDir one;
  TempDir two;
  for (const TempDir* dir : {&one, &two}) {
    EditionCompiler compiler;
    ASSERT_TRUE(compiler.ReadSources(kMini)) << compiler.error();
    ASSERT_TRUE(compiler.WriteEdition(dir->File("mini"))) << compiler.error();
    EXPECT_EQ(compiler.SenseCount(), 11u);
    EXPECT_EQ(compiler.FormCount(), 59u);
  }
  for (const char* ext : kExtensions) {
    const std::string a = testing::ReadFile(one.File(std::string("mini") + ext));
    EXPECT_FALSE(a.empty()) << ext;
    EXPECT_EQ(a, testing::ReadFile(two.File(std::string("mini") + ext))) << ext;
  }
  // The base path may also end in ".*".
  EditionCompiler compiler;
  ASSERT_TRUE(compiler.ReadSources(kMini));
  ASSERT_TRUE(compiler.WriteEdition(two.File("again.*")));
  EXPECT_EQ(testing::ReadFile(two.File("again.lv8")), testing::ReadFile(one.File("mini.lv8")));
}

TEST(EditionCompilerTest, MatrixTablesAndNormsReachTheirFiles) {
  TempDir dir;
  EditionCompiler compiler;
  ASSERT_TRUE(compiler.ReadSources(kMini)) << compiler.error();
  ASSERT_TRUE(compiler.WriteEdition(dir.File("mini")));
  CategoryMatrix m;
  ASSERT_TRUE(m.Load(dir.File("mini.zv8")));
  EXPECT_EQ(m.ConnectorStartBonus(), 15);
  EXPECT_EQ(m.Bigram(kClassPronoun, kClassVerb), 20);
  EXPECT_EQ(m.Bigram(kClassDeterminant, kClassSubstantive), 25);
  EXPECT_EQ(m.Trigram(kClassDeterminant, kClassSubstantive, kClassVerb), 10);
  EXPECT_EQ(m.PronounBigram(3, kClassVerb), 5);
  EXPECT_EQ(m.PronounTrigram(4, kClassVerb, kClassSubstantive), -3);
  EXPECT_EQ(m.Value(2), 77);
  EXPECT_EQ(m.Bigram(kClassVerb, kClassVerb), 0);

  ScriptedBox box;
  Messages messages(box);
  LanguageTables tables = DefaultLanguageTables();
  Lexicon lexicon(messages, tables);
  lexicon.Open(dir.File("mini"));
  LanguageTables expected = DefaultLanguageTables();
  expected.norm[0] = 12;
  expected.norm[76] = -4;
  EXPECT_EQ(std::memcmp(&tables, &expected, sizeof tables), 0);
  EXPECT_EQ(lexicon.spareTableByte(), 0x65);
}

TEST(EditionCompilerTest, AbsentSourcesGiveAnEmptyEditionWithTheBuiltInTables) {
  TempDir sources;
  TempDir out;
  EditionCompiler compiler;
  ASSERT_TRUE(compiler.ReadSources(sources.path().string())) << compiler.error();
  ASSERT_TRUE(compiler.WriteEdition(out.File("empty")));
  EXPECT_EQ(testing::ReadFile(out.File("empty.zv8")), std::string(CategoryMatrix::kBytes, '\0'));
  ScriptedBox box;
  Messages messages(box);
  LanguageTables tables{};
  Lexicon lexicon(messages, tables);
  lexicon.Open(out.File("empty"));
  const LanguageTables defaults = DefaultLanguageTables();
  EXPECT_EQ(std::memcmp(&tables, &defaults, sizeof tables), 0);
  std::string form = "pas";
  EXPECT_EQ(lexicon.Lookup(0, form.data(), form.size()), -1);
}

TEST(EditionCompilerTest, TheCompilerSetsTheAmbiguityBitItself) {
  TempDir sources;
  TempDir out;
  // Another writer's codes may carry bit 15; it is recomputed.
  ASSERT_TRUE(testing::WriteFile(sources.File("lexicon.tsv"), "pas\t8800\t8100\nloc\t0x8800\n"));
  EditionCompiler compiler;
  ASSERT_TRUE(compiler.ReadSources(sources.path().string())) << compiler.error();
  ASSERT_TRUE(compiler.WriteEdition(out.File("e")));
  ScriptedBox box;
  Messages messages(box);
  LanguageTables tables = DefaultLanguageTables();
  Lexicon lexicon(messages, tables);
  lexicon.Open(out.File("e"));
  const struct {
    int reading;
    const char* form;
    uint16_t code;
  } cases[] = {{0, "pas", 0x8800}, {1, "pas", 0x0100}, {0, "loc", 0x0800}};
  for (const auto& c : cases) {
    std::string form = c.form;
    EXPECT_GE(lexicon.Lookup(c.reading, form.data(), form.size()), 0) << c.form;
    EXPECT_EQ(lexicon.code(), c.code) << c.form;
  }
}

TEST(EditionCompilerTest, FaultsNameTheFileAndTheLine) {
  struct Case {
    const char* file;
    std::string content;
    std::string error;  // after "<folder>/<file>:"
  };
  const Case cases[] = {
      {"lexicon.tsv", "# comment\n\npas\tzz12\n", "3: reading 0: \"zz12\" is not a hexadecimal category code"},
      {"lexicon.tsv", "pas\t0800\nPAS\t0100\n", "2: form \"PAS\" given twice"},
      {"lexicon.tsv", "pas\t0000\n", "1: reading 0: code 0 means no entry"},
      {"lexicon.tsv", "pas\n", "1: expected: form<TAB>code[:lemma]..."},
      {"lexicon.tsv", "x\t1\t2\t3\t4\t5\t6\t7\n", "1: more than 6 readings"},
      {"lexicon.tsv", std::string(80, 'a') + "\t0800\n", "1: form longer than 79 characters"},
      {"lexicon.tsv", "ok\t0800\r\nbad\xFF\t0800\n", "2: not valid UTF-8"},
      {"lexicon.tsv", "\xE6\xBC\xA2\t0800\n", "1: \"\xE6\xBC\xA2\": a character outside code page 1250"},
      {"verb_lemmas.tsv", "merg\n", "1: expected: form<TAB>lemma"},
      {"senses.tsv", "casa\tloc\t-\t-\tbogus\n", "1: flag \"bogus\""},
      {"senses.tsv", "casa\n", "1: expected: form<TAB>class 1"},
      {"matrix.tsv", "bigram\tverb\t11\t5\n", "1: expected: index<TAB>weight"},
      {"matrix.tsv", "5\t40000\n", "1: the weight is -32768..32767"},
      {"matrix.tsv", "8716\t1\n", "1: expected: value index 0..8715<TAB>weight"},
      {"norms.tsv", "78\t1\n", "1: the index is 1..77"},
      {"tables.tsv", "bucket\ta\t11\n", "1: a bucket is 0..10"},
      {"tables.tsv", "class\tab\tletter\n", "1: \"ab\": not one character of code page 1250 nor 0xNN"},
      {"tables.tsv", "colour\ta\t1\n", "1: \"colour\": expected bucket, class, mac, rank or spare"},
  };
  for (const Case& c : cases) {
    TempDir sources;
    ASSERT_TRUE(testing::WriteFile(sources.File(c.file), c.content));
    EditionCompiler compiler;
    EXPECT_FALSE(compiler.ReadSources(sources.path().string())) << c.file << " " << c.content;
    const std::string where = sources.File(c.file) + ":";
    EXPECT_EQ(compiler.error().substr(0, where.size()), where) << compiler.error();
    EXPECT_NE(compiler.error().find(c.error), std::string::npos)
        << compiler.error() << " / expected " << c.error;
  }
}

TEST(EditionCompilerTest, TablesAndFlagsInTheirReadableForms) {
  TempDir sources;
  TempDir out;
  ASSERT_TRUE(testing::WriteFile(sources.File("tables.tsv"),
                                 "bucket\tq\t3\nclass\t*\tletter\nclass\t0x7E\t5\nrank\t\xC8\x99\t9\n"
                                 "mac\t0xA5\t\xE2\x80\xA2\nspare\t7\n"));
  EditionCompiler compiler;
  ASSERT_TRUE(compiler.ReadSources(sources.path().string())) << compiler.error();
  ASSERT_TRUE(compiler.WriteEdition(out.File("t")));
  ScriptedBox box;
  Messages messages(box);
  LanguageTables tables = DefaultLanguageTables();
  Lexicon lexicon(messages, tables);
  lexicon.Open(out.File("t"));
  EXPECT_EQ(tables.initialBucket['q'], 3);
  EXPECT_EQ(tables.charClass['*'], kClassLetter);
  EXPECT_EQ(tables.charClass[0x7E], kClassDigit);
  EXPECT_EQ(tables.alphabetRank[0xBA], 9);  // ș
  EXPECT_EQ(tables.macToAnsi[0xA5], 0x95);  // the bullet
  EXPECT_EQ(lexicon.spareTableByte(), 7);
}

}  // namespace
}  // namespace malvex
