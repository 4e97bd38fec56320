#include "semantic/bundles.h"

#include "semantic/analysis_context.h"

namespace malvex {

// Not computed yet: the tables stay as the pass left them (empty).
bool ComputeBundlesAndEpisodes(AnalysisContext& context, Engine& engine) {
  (void)context;
  (void)engine;
  return true;
}

bool ComputeCharacteristicParts(AnalysisContext& context, Engine& engine) {
  (void)context;
  (void)engine;
  return true;
}

}  // namespace malvex
