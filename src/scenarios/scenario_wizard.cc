#include "scenarios/scenario_wizard.h"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>

#include "foundations/charset.h"
#include "platform/files.h"
#include "scenarios/current_scenario.h"
#include "scenarios/scenario_editor.h"
#include "scenarios/scenario_store.h"
#include "scenarios/scenario_tree.h"

namespace malvex {

int ClampWizardThreshold(int64_t threshold, int detectionThreshold) {
  const int64_t floor = std::clamp<int64_t>(detectionThreshold, kWizardMinThreshold, kWizardMaxThreshold);
  return static_cast<int>(std::clamp<int64_t>(threshold, floor, kWizardMaxThreshold));
}

size_t FillWizardTree(ScenarioTree& tree, const WizardCandidates& candidates, const WizardBuildOptions& options) {
  tree.Clear();
  ScenarioNode* holder = nullptr;
  if (options.subclassify) holder = tree.AddGroup(nullptr, options.holdingLabel, true, 0);
  const bool classes = options.level >= 1 && options.level <= 3;
  const char classType = static_cast<char>('0' + options.level);
  size_t made = 0;
  for (const WizardCandidate& c : candidates.list) {
    if (c.frequency < options.threshold || c.name.empty()) continue;
    if (classes && options.nonClassified && (!c.unclassified || c.inScenario)) continue;
    ScenarioNode* group = tree.AddGroup(holder, PrepareScenarioGroupName(c.name, options.capitals), true, 0);
    if (!classes) {
      tree.AddItem(group, ScenarioItemDisplayText(c.name, 'S'), ScenarioIcon::kSubstantive);
    } else if (c.unclassified) {
      tree.AddItem(group, ScenarioItemDisplayText(c.name, '0'), ScenarioIcon::kWord);
    } else {
      tree.AddItem(group, ScenarioItemDisplayText(c.name, classType), ScenarioIcon::kClass);
    }
    ++made;
  }
  return made;
}

namespace {

// Makes a file of `folder` that did not exist: the name is tried afresh
// until the system creates it exclusively, so no file is ever replaced.
std::FILE* CreateUniqueFile(const std::string& folder, std::string& path) {
  static std::atomic<uint32_t> serial{0};
  const auto now = static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
  for (int attempt = 0; attempt < 1000; ++attempt) {
    const uint32_t n = serial.fetch_add(1) + static_cast<uint32_t>(now % 100000);
    path = folder + "/Mv" + std::to_string(static_cast<long>(getpid())) + "_" + std::to_string(n) +
           kScenarioExtension;
    std::FILE* file = std::fopen(path.c_str(), "wbx");
    if (file != nullptr) return file;
    if (errno != EEXIST) return nullptr;
  }
  return nullptr;
}

}  // namespace

bool MergeScenarioFiles(const std::string& folder, const std::vector<std::string>& names, std::string& mergedPath) {
  std::FILE* out = CreateUniqueFile(folder, mergedPath);
  if (out == nullptr) {
    mergedPath.clear();
    return false;
  }
  bool ok = true;
  for (const std::string& name : names) {
    std::string bytes;
    if (!ReadWholeFile(folder + "/" + FilePart(name), bytes)) break;
    const std::string text = DecodeTextFile(bytes, DetectTextFileEncoding(bytes));
    std::string lines;
    lines.reserve(text.size() + 64);
    size_t start = 0;
    while (start < text.size()) {
      size_t end = text.find('\n', start);
      if (end == std::string::npos) end = text.size();
      size_t stop = end;
      if (stop > start && text[stop - 1] == '\r') --stop;
      lines.append(text, start, std::min(stop - start, kScenarioLineBuffer));
      lines += "\r\n";
      start = end + 1;
    }
    if (std::fwrite(lines.data(), 1, lines.size(), out) != lines.size()) {
      ok = false;
      break;
    }
  }
  (void)ok;  // a write error ends the copy; what was copied is loaded
  std::fclose(out);
  return true;
}

}  // namespace malvex
