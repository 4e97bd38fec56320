#include "dictionaries/lexicon.h"

namespace malvex {

void Lexicon::Open(const std::string& basePath) { ready_ = !basePath.empty(); }

}  // namespace malvex
