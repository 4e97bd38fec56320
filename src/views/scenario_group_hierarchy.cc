#include "views/scenario_group_hierarchy.h"

#include "scenarios/scenario_layer.h"

namespace malvex {

bool ScenarioGroupHierarchy::IsWithin(uint32_t group, uint32_t ancestor) const {
  if (group == 0 || ancestor == 0) return false;
  // A tree is at most ten levels deep; the bound also stops a damaged
  // parent chain that loops.
  int32_t g = static_cast<int32_t>(group);
  for (int steps = 0; g > 0 && steps <= 16; ++steps) {
    if (static_cast<uint32_t>(g) == ancestor) return true;
    g = layer_.Parent(g);
  }
  return false;
}

}  // namespace malvex
