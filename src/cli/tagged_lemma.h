// The lemma column of `malvex-cli --tagged`: the lemma text of an analysed
// word, from the lemma number the analysis gave its node.
#pragma once

#include <string>

namespace malvex {

class Engine;
struct WordNode;

// The lemma (8-bit, as the dictionaries hold it) of `node`, a node of the
// word stream of the started `engine`: a verb's from the verb lemma index,
// an adjective's from the adjective lemma index, a substantive's from the
// noun lemma dictionary. Empty for an end marker, for any other category
// and when the node carries no lemma number (or one its index lacks).
std::string TaggedLemma(Engine& engine, const WordNode& node);

}  // namespace malvex
