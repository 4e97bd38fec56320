#include "scenarios/scenario_anomaly_list.h"

#include "foundations/charset.h"
#include "foundations/messages.h"
#include "scenarios/scenario_editor.h"

namespace malvex {

ScenarioAnomalyList::ScenarioAnomalyList(Messages& messages) : messages_(messages) {}

void ScenarioAnomalyList::AnomalyReported(const ScenarioAnomaly& anomaly) {
  // The first anomaly of a build replaces the lines of the one before.
  if (!buildStarted_) {
    Clear();
    buildStarted_ = true;
  }
  lines_.push_back("\"" + anomaly.text + "\" " + messages_.message(anomaly.messageId));
}

void ScenarioAnomalyList::BuildEnded(bool anyReported) {
  if (!anyReported) Clear();
  buildStarted_ = false;
}

void ScenarioAnomalyList::Cleared() {
  Clear();
  buildStarted_ = false;
}

void ScenarioAnomalyList::Assign(const std::vector<ScenarioAnomaly>& anomalies) {
  Clear();
  for (const ScenarioAnomaly& a : anomalies) lines_.push_back("\"" + a.text + "\" " + messages_.message(a.messageId));
}

std::string ScenarioAnomalyList::CountCaption() {
  if (lines_.empty()) return std::string();
  return std::to_string(lines_.size()) + " " + messages_.message(885);
}

std::string ScenarioAnomalyList::Title() {
  // Each text is copied before the next is fetched: they share one buffer.
  std::string title = messages_.message(kAnomalyListTitleMessage);
  title += " (";
  title += messages_.message(309);
  return title + ")";
}

void ScenarioAnomalyList::Clear() {
  lines_.clear();
  lastLine_ = -1;
  position_ = 0;
}

ScenarioNode* ScenarioAnomalyList::SearchLine(size_t index, ScenarioEditor& editor) {
  if (index >= lines_.size()) return nullptr;
  const std::string& line = lines_[index];
  const size_t open = line.find('"');
  const size_t close = open == std::string::npos ? open : line.find('"', open + 1);
  if (close == std::string::npos) return nullptr;
  std::string text = line.substr(open + 1, close - open - 1);
  FoldToLower(text);
  if (static_cast<int>(index) != lastLine_) position_ = 0;
  lastLine_ = static_cast<int>(index);
  if (text.empty()) return nullptr;
  const size_t before = position_;
  ScenarioNode* hit = editor.SearchByPrefix(text, position_, false);
  if (hit == nullptr && before != 0) {
    position_ = 0;
    hit = editor.SearchByPrefix(text, position_, false);
  }
  return hit;
}

}  // namespace malvex
