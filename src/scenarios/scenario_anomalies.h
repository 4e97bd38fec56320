// The anomalies of a Scenario layer build: entries the semantic dictionary
// could not take, each reported with a catalogue message id and the text of
// the entry. The anomaly list window listens to them.
#pragma once

#include <string>

namespace malvex {

// Catalogue ids of the anomalies.
inline constexpr int kAnomalyDuplicated = 458;    // "is duplicated (second entry ignored)"
inline constexpr int kAnomalyUnknown = 465;       // "doesn't exists in the dictionary"
inline constexpr int kAnomalyOverflow = 476;      // "Scenario overflow: ..."
inline constexpr int kAnomalyRenumbered = 1235;   // "Old version of Scenario ..."
// The text reported with kAnomalyRenumbered.
inline constexpr char kRenumberedAnomalyText[] = "!";

struct ScenarioAnomaly {
  int messageId = 0;
  std::string text;
};

// What the anomaly list window is told during and after a build.
class ScenarioAnomalyListener {
 public:
  virtual ~ScenarioAnomalyListener() = default;
  // One anomaly of the build under way.
  virtual void AnomalyReported(const ScenarioAnomaly& anomaly) = 0;
  // The build ended; `anyReported` tells whether it reported an anomaly (the
  // window is shown then, and closed otherwise).
  virtual void BuildEnded(bool anyReported) = 0;
  // The layer was cleared: the list is emptied.
  virtual void Cleared() = 0;
};

}  // namespace malvex
