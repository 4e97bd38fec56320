// The engine and hand-filled word stream the tests of the semantic pass
// and of what reads its results start from.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "platform/basic_gauges.h"
#include "semantic/analysis_context.h"
#include "test_engine.h"
#include "test_installation.h"
#include "test_support.h"

namespace malvex {
namespace testing {

inline WordCategory WordCategoryOf(uint8_t category, uint8_t subcategory = 0) {
  WordCategory c;
  c.category = category;
  c.subcategory = subcategory;
  return c;
}

inline const WordCategory kNoun = WordCategoryOf(kClassSubstantive);
inline const WordCategory kVerb = WordCategoryOf(kClassVerb, 1);
inline const WordCategory kPreposition = WordCategoryOf(kClassDeterminant);

class GaugeFrontEnd : public FrontEnd {
 public:
  NotificationBox& Box() override { return box; }
  std::unique_ptr<Gauge> CreateGauge() override {
    auto g = std::make_unique<SilentGauge>();
    g->StopAfterContinues(stopAfter);
    gauge = g.get();
    return g;
  }
  ScriptedBox box;
  int stopAfter = 0;
  SilentGauge* gauge = nullptr;
};

// A Scenario layer of the tests: a table of words and their groups, and the
// groups that are active.
class TableScenario : public ScenarioGroups {
 public:
  bool ScenarioLoaded() const override { return !words.empty(); }
  int32_t WordGroup(const char* text) const override {
    const auto it = words.find(text);
    return it == words.end() ? 0 : it->second;
  }
  bool GroupIsActive(int32_t group) const override { return active.count(group) != 0; }
  void PropagateCounts() override { ++propagations; }
  std::map<std::string, int32_t> words;
  std::map<int32_t, bool> active;
  int propagations = 0;
};

// An engine on the mini edition whose word stream the tests fill by hand;
// every class is frequent enough to make a referent.
class SemanticPassTest : public ::testing::Test {
 protected:
  SemanticPassTest() {
    engine = StartTestEngine(dir.path(), frontEnd, MALVEX_TEST_EDITION);
    if (engine == nullptr) {
      ADD_FAILURE() << "the engine did not start on the mini edition";
      return;
    }
    engine->record().setClassThresholdByWords(true);
    engine->record().setClassMinWords(1);
    engine->record().setRelationLevel(1);
  }

  void Add(const char* text, const WordCategory& category, uint32_t lemma = 0) {
    WordInfo info;
    info.category = category;
    ASSERT_TRUE(engine->stream().Append(text, "", info, ++position, lemma, 1));
  }
  void End() {
    WordInfo info;
    ASSERT_TRUE(engine->stream().Append("/", "", info, position, 0, 1));
  }
  // A proposition of nouns w1..wn (each its own class).
  void Nouns(int n, const std::string& prefix = "w") {
    for (int i = 1; i <= n; ++i) Add((prefix + std::to_string(i)).c_str(), kNoun);
    End();
  }

  bool Run() {
    context = std::make_unique<AnalysisContext>(*engine);
    EXPECT_TRUE(context->Ready());
    return context->Run();
  }

  SemanticDictionary& dictionary() { return engine->semanticDictionary(); }
  std::string Name(int level, int32_t cls) { return cls == 0 ? "-" : dictionary().ClassName(level, cls); }

  // The level-1 pairs of the relation store, in store order, as "a>b".
  std::vector<std::string> Pairs() {
    std::vector<std::string> out;
    RelationStore& relations = context->relations();
    relations.Rewind();
    RelationView view;
    while (relations.Next(view)) out.push_back(Name(1, view.items[0].at(1)) + ">" + Name(1, view.items[1].at(1)));
    return out;
  }

  // The node of the n-th word (1-based, end markers not counted).
  WordNode* Word(int n) {
    for (WordNode* node = engine->stream().Head(); node != engine->stream().Tail(); node = node->next) {
      if (node->text[0] != '/' && --n == 0) return node;
    }
    return nullptr;
  }

  TempDir dir;
  GaugeFrontEnd frontEnd;
  std::unique_ptr<Engine> engine;
  std::unique_ptr<AnalysisContext> context;
  int32_t position = 0;
};

}  // namespace testing
}  // namespace malvex
