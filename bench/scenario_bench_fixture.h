// The scenario the scenario benchmarks open: 20,000 lines in groups and
// sub-groups, with a one-word semantic dictionary behind it, and the timing
// helpers they share.
#pragma once

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "dictionaries/semantic_dictionary_builder.h"

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

}  // namespace malvex::bench
