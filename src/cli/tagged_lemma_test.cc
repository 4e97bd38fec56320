#include "tagged_lemma.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "dictionaries/noun_lemma_dictionary.h"
#include "dictionaries/semantic_dictionary.h"
#include "engine/engine.h"
#include "foundations/category.h"
#include "test_engine.h"
#include "test_installation.h"
#include "test_support.h"

namespace malvex {
namespace {

using testing::QuietFrontEnd;

// An engine started on an installation holding the tests' mini edition.
class TaggedLemmaTest : public ::testing::Test {
 protected:
  void SetUp() override {
    engine = testing::StartTestEngine(dir.path(), frontEnd, MALVEX_TEST_EDITION);
    ASSERT_NE(engine, nullptr);
  }

  // "word=lemma" for every word of the analysed text (end markers left out).
  std::vector<std::string> Analyse(const std::string& text) {
    EXPECT_TRUE(testing::WriteFile(dir.File("a.txt"), text));
    engine->files().Add(dir.File("a.txt"));
    EXPECT_TRUE(engine->RunAnalysis(1));
    std::vector<std::string> out;
    WordStream& stream = engine->stream();
    stream.Rewind();
    WordInfo info;
    WordNode* node = nullptr;
    int32_t position = 0;
    while (const char* text = stream.NextWithNode(info, node, position))
      if (text[0] != '/') out.push_back(std::string(text) + "=" + TaggedLemma(*engine, *node));
    return out;
  }

  testing::TempDir dir;
  QuietFrontEnd frontEnd;
  std::unique_ptr<Engine> engine;
};

TEST_F(TaggedLemmaTest, WordsOfAnAnalysedTextShowTheirLemma) {
  // Verbs from the verb lemma index, adjectives from the adjective index,
  // substantives from the noun lemma their sense gives; "casa" reads as
  // undetermined here, unknown words have no lemma.
  EXPECT_EQ(Analyse("Eu vorbe\xBAte de casa frumoas\xE3. El merge xyz. Robot merge."),
            (std::vector<std::string>{"eu=", "vorbe\xBAte=vorbi", "de=", "casa=", "frumoas\xE3=frumos", "el=",
                                      "merge=merge", "xyz=", "robot=robot", "merge=merge"}));
}

TEST_F(TaggedLemmaTest, TheIndexIsChosenByTheCategory) {
  LemmaIndex& verbs = *engine->verbLemmas();
  LemmaIndex& adjectives = *engine->adjectiveLemmas();
  TDicSubstantifs& nouns = engine->semanticDictionary().nounLemmas();
  const uint32_t vorbi = verbs.LemmaNumberOfLemma("vorbi");
  const uint32_t frumos = adjectives.LemmaNumberOfLemma("frumos");
  const uint32_t casa = nouns.LemmaNumberOf("cas\xE3");
  ASSERT_NE(vorbi, 0u);
  ASSERT_NE(frumos, 0u);
  ASSERT_NE(casa, 0u);
  const struct {
    const char* text;
    uint8_t category;
    uint32_t lemma;
    std::string expected;
  } cases[] = {
      {"vorbesc", kClassVerb, vorbi, "vorbi"},
      {"frumoase", kClassAdjective, frumos, "frumos"},
      {"casele", kClassSubstantive, casa, "cas\xE3"},
      {"casele", 0, casa, "cas\xE3"},  // not yet classified reads as a substantive
      {"vorbesc", kClassVerb, 0, ""},
      {"vorbesc", kClassVerb, verbs.LemmaCount() + 1, ""},
      {"casele", kClassSubstantive, nouns.LemmaCount() + 1, ""},
      {"foarte", kClassModality, vorbi, ""},
      {"/", 0, vorbi, ""},
  };
  for (const auto& c : cases) {
    WordNode node{};
    node.text = c.text;
    node.info.category.category = c.category;
    node.lemma = c.lemma;
    EXPECT_EQ(TaggedLemma(*engine, node), c.expected) << c.text << " " << int(c.category) << " " << c.lemma;
  }
}

}  // namespace
}  // namespace malvex
