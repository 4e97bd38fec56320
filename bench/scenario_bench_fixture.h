// The scenario the scenario benchmarks open: 20,000 lines in groups and
// sub-groups, with a one-word semantic dictionary behind it, and the timing
// helpers they share.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "bench_support.h"
#include "dictionaries/lemma_index.h"
#include "dictionaries/semantic_dictionary.h"
#include "dictionaries/semantic_dictionary_builder.h"
#include "dictionaries/string_pool.h"
#include "foundations/language_tables.h"
#include "foundations/messages.h"
#include "platform/console_box.h"
#include "scenarios/current_scenario.h"
#include "scenarios/scenario_editor.h"
#include "scenarios/scenario_layer.h"
#include "scenarios/scenario_store.h"
#include "settings/folders.h"
#include "settings/settings_record.h"

namespace malvex::bench {

using Clock = std::chrono::steady_clock;

inline double Ms(Clock::time_point a, Clock::time_point b) {
  return std::chrono::duration<double, std::milli>(b - a).count();
}

inline double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

// 20,000 lines: 1,000 top groups, each with a sub-group; 10 words in the
// group and 8 in the sub-group.
inline std::string ScenarioText() {
  std::string text;
  int signature = 0;
  for (int g = 0; g < 1000; ++g) {
    const std::string label = "grup" + std::to_string(g);
    text += "G#0V\t" + std::to_string(++signature) + "\t" + label + "\r\n";
    for (int i = 0; i < 10; ++i) text += "0#1#\tcuvant" + std::to_string(g) + "x" + std::to_string(i) + "\t" + label + "\r\n";
    const std::string sub = label + " sub";
    text += "G#1V\t" + std::to_string(++signature) + "\t" + sub + "\r\n";
    for (int i = 0; i < 8; ++i) text += "0#2#\tvorba" + std::to_string(g) + "x" + std::to_string(i) + "\t" + sub + "\r\n";
  }
  return text;
}

inline std::string Dictionary() {
  SemanticDictionaryBuilder builder;
  SemanticSenseEntry e;
  e.form = "doctor";
  e.classes[0] = "medic";
  e.classes[1] = "sanatate";
  e.classes[2] = "stiinta";
  e.lemma = "doctor";
  builder.AddSense(e);
  std::string image;
  builder.Build(image);
  return image;
}

// The scenario of ScenarioText, written as "big.scn" in a scratch Scenario
// folder and opened as the current scenario over the one-word dictionary,
// with an editor on it; the objects a scenario window works with.
struct OpenedScenario {
  ScratchFolder folder;
  ConsoleBox box;
  Messages messages{box};
  LanguageTables tables = DefaultLanguageTables();
  StringPool pool;
  SemanticDictionary dictionary{messages, tables, pool};
  LemmaIndex verbs{29, 7};
  LemmaIndex adjectives{29, 7};
  ScenarioStore store{messages};
  ScenarioLayer layer{dictionary, store, &verbs, &adjectives, messages};
  SettingsRecord record;
  Folders folders;
  std::unique_ptr<CurrentScenario> current;
  std::unique_ptr<ScenarioEditor> editor;

  // False, with a line on standard error, when the dictionary, the file or
  // the scenario cannot be made.
  bool Open() {
    if (dictionary.LoadImage(Dictionary()) != SemanticLoadStatus::kOk) {
      std::fprintf(stderr, "dictionary not built\n");
      return false;
    }
    verbs.CreateEmpty();
    adjectives.CreateEmpty();
    dictionary.SetScenarioGroups(&layer);
    record.setScenarioWordsInCapitals(false);
    record.setUnaccentedScenarioForms(false);
    folders.scenario = folder.path().string();
    const std::string text = ScenarioText();
    std::FILE* f = std::fopen((folder.path() / "big.scn").c_str(), "wb");
    if (f == nullptr || std::fwrite(text.data(), 1, text.size(), f) != text.size()) {
      if (f != nullptr) std::fclose(f);
      std::fprintf(stderr, "cannot write the scenario\n");
      return false;
    }
    std::fclose(f);
    record.setScenarioFile("big.scn");
    current = std::make_unique<CurrentScenario>(store, &layer, record, folders);
    if (!current->LoadCurrentScenario()) {
      std::fprintf(stderr, "cannot load the scenario\n");
      return false;
    }
    editor = std::make_unique<ScenarioEditor>(store, *current, &layer, record, folders, messages, nullptr);
    return true;
  }
};

}  // namespace malvex::bench
