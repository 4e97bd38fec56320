// The compiled-in English catalogue. catalogue_en.inc is generated at build
// time from catalogue_en.tsv: one {id, "text"} initialiser per entry, in
// ascending id order, texts already in code page 1250.
#include <algorithm>
#include <iterator>

#include "foundations/messages.h"

namespace malvex {
namespace {

struct CatalogueEntry {
  int id;
  const char* text;
};

constexpr CatalogueEntry kCatalogue[] = {
#include "catalogue_en.inc"
};

constexpr bool StrictlyAscending() {
  for (size_t i = 1; i < std::size(kCatalogue); ++i) {
    if (kCatalogue[i - 1].id >= kCatalogue[i].id) return false;
  }
  return true;
}
static_assert(StrictlyAscending(), "catalogue ids must be unique and sorted");

}  // namespace

const char* CatalogueText(int id) {
  const auto* end = std::end(kCatalogue);
  const auto* it = std::lower_bound(
      std::begin(kCatalogue), end, id,
      [](const CatalogueEntry& e, int wanted) { return e.id < wanted; });
  if (it == end || it->id != id) return nullptr;
  return it->text;
}

int CatalogueSize() { return static_cast<int>(std::size(kCatalogue)); }

}  // namespace malvex
