// The anomaly list window's model: the anomalies of the last Scenario layer
// build as lines ("\"text\" message"), the count the editor's caption shows,
// and the search of a line's entry in the editor's tree. It listens to the
// layer's builds and keeps their anomalies, so a window opened after the
// start-up build still lists that build's anomalies.
//
// Using it from the Qt window: `lines()` fills the list; `shouldShow()`
// tells after a build whether the window is shown (true) or closed (false);
// a click on line i calls SearchLine(i, editor) and the window selects
// `editor.selected()` in the editor's tree; Clear() when the editor starts an
// empty scenario.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "scenarios/scenario_anomalies.h"

namespace malvex {

class Messages;
class ScenarioEditor;
struct ScenarioNode;

// The title of the anomaly list window.
inline constexpr int kAnomalyListTitleMessage = 2045;

class ScenarioAnomalyList final : public ScenarioAnomalyListener {
 public:
  explicit ScenarioAnomalyList(Messages& messages);

  // Listener of the layer build: a new build replaces the list.
  void AnomalyReported(const ScenarioAnomaly& anomaly) override;
  void BuildEnded(bool anyReported) override;
  void Cleared() override;

  // Takes the anomalies of a build made before this list listened.
  void Assign(const std::vector<ScenarioAnomaly>& anomalies);

  const std::vector<std::string>& lines() const { return lines_; }
  size_t count() const { return lines_.size(); }
  // The count, a blank and message 885 for the editor's status bar; empty
  // without anomalies.
  std::string CountCaption();
  // The window's title: "Anomalies" and, in parentheses, "Scenario".
  std::string Title();
  // After a build: whether the window is to be shown.
  bool shouldShow() const { return !lines_.empty(); }

  // Empties the list; last searched line -1, search position 0.
  void Clear();

  // Selects in `editor` the next node whose text begins with line `index`'s
  // entry text (between its first two double quotes, lower-cased): repeated
  // calls for the same line walk through the matches, then start again
  // from the top. Null when none matches or `index` is out of range.
  ScenarioNode* SearchLine(size_t index, ScenarioEditor& editor);
  int lastSearchedLine() const { return lastLine_; }

 private:
  Messages& messages_;
  std::vector<std::string> lines_;
  bool buildStarted_ = false;
  int lastLine_ = -1;
  size_t position_ = 0;
};

}  // namespace malvex
