#include "semantic/analysis_context.h"

#include "reading/engine.h"

namespace malvex {

AnalysisContext::AnalysisContext(Engine& engine) : engine_(engine) {}

bool AnalysisContext::Run() {
  WordStream& stream = engine_.stream();
  Gauge* gauge = engine_.gauge();
  if (gauge) {
    gauge->DefinirMaximum(stream.Count());
    gauge->DefinirLibelle(1, engine_.messages().message(69));
  }
  stream.Rewind();
  WordNode* node = nullptr;
  int32_t position = 0;
  int64_t steps = 0;
  words_ = propositions_ = 0;
  while (const char* text = stream.NextForPass(node, position)) {
    if (text[0] == '/')
      ++propositions_;
    else
      ++words_;
    if (++steps % 50000 == 0) {
      if (gauge) gauge->MajBar(steps);
      if (engine_.CheckStop()) return false;
    }
  }
  if (gauge) gauge->MajBar(steps);
  return !engine_.CheckStop();
}

}  // namespace malvex
