// The scenario groups' tree as the text view asks it: whether a group lies
// within another, by walking the parents the Scenario layer records.
#pragma once

#include <cstdint>

#include "views/selection_state.h"

namespace malvex {

class ScenarioLayer;

class ScenarioGroupHierarchy : public GroupHierarchy {
 public:
  // `layer` must outlive the object.
  explicit ScenarioGroupHierarchy(const ScenarioLayer& layer) : layer_(layer) {}

  // True when `group` is `ancestor` or one of its descendants; 0 lies
  // within nothing.
  bool IsWithin(uint32_t group, uint32_t ancestor) const override;

 private:
  const ScenarioLayer& layer_;
};

}  // namespace malvex
