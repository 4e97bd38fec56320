// The per-run context of the semantic pass. Stand-in until the semantic
// pass exists: it walks the word stream once with progress and stop, and
// counts words and propositions.
#pragma once

#include <cstdint>

namespace malvex {

class Engine;

class AnalysisContext {
 public:
  // `engine` must outlive the context.
  explicit AnalysisContext(Engine& engine);
  bool Ok() const { return ok_; }

  // Runs the pass over the word stream; false when stopped.
  bool Run();

  int64_t Words() const { return words_; }
  int64_t Propositions() const { return propositions_; }

 private:
  Engine& engine_;
  bool ok_ = true;
  int64_t words_ = 0;
  int64_t propositions_ = 0;
};

}  // namespace malvex
