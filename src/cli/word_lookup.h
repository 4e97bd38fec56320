// The dictionary entries of single words, as `malvex-cli --lookup` prints
// them: every reading the lexicon gives a word (category, lemma, flags) and
// the word's senses in the semantic dictionary.
#pragma once

#include <string>

namespace malvex {

class Engine;

// The lines (UTF-8, each ending in a line feed) that describe `word`
// (UTF-8, as given) with the dictionaries of the started `engine`.
//
// As text: the word, then one line per reading ("  reading K: label;
// lemma: L; flags: N (names)") and one per sense ("  sense K: class 1 /
// class 2 / class 3; noun lemma: L; flags: N"), or "  no reading".
//
// As `tsv`: one line per reading with the columns word as given, reading
// index, category, subcategory, tensePerson, modeMark, flags (decimal
// numbers), lemma, and the level-1, level-2 and level-3 class names of the
// word's first sense on the readings that are substantives (empty
// otherwise); a word without any reading gives the single line
// "word<TAB>-1".
//
// The lemma of a verb reading comes from the verb lemma index, that of an
// adjective reading from the adjective lemma index and that of a
// substantive from the noun lemma of the word's first sense; it is empty
// when the dictionaries give none. A word is cut at 79 characters; a
// character outside the edition's code page matches no entry.
std::string LookupWord(Engine& engine, const std::string& word, bool tsv);

}  // namespace malvex
