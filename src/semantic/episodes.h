// Episodes: the text cut into representative parts of its chronology, where
// the nesting of bundles falls back after a marked rise; each bundle then
// belongs to the episode holding its mean position.
#pragma once

namespace malvex {

class WordStream;
struct ChronologyTables;

// Fills the episode table of `tables`: cuts the text of `stream` (bundle
// marks left by the bundle scan; the cursor is kept under bookmark 4 and
// put back) into episodes and assigns every bundle, in table order, to the
// first episode holding the integer part of its mean, setting the bundle's
// episode number. The last episode is dropped when it holds no bundle and
// is not the only one.
void CutEpisodes(WordStream& stream, ChronologyTables& tables);

}  // namespace malvex
