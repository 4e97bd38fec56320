// Reading a treebank in CoNLL-U form and aligning its tokens with the words
// Malvex's reading pass stores. The two cut a text differently: the reader
// splits words at hyphens and apostrophes, merges compounds into one word
// joined by '_' and keeps punctuation out of its words; the treebank keeps
// some hyphenated words whole and splits clitics off ("care-l" is "care",
// "-l"). Both sides are compared as pieces: lower-case texts cut at '_',
// '-', '\'' and blanks, without the signs around them.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace malvex::edition {

// One syntactic word of a treebank sentence (UTF-8 texts).
struct GoldToken {
  std::string form;
  std::string lemma;
  std::string upos;
  int head = 0;        // the number of its head word in the sentence, 0 for the root
  std::string deprel;  // its relation to the head ("fixed" inside a fixed expression)
};

struct GoldSentence {
  std::string text;  // the "# text = " comment, else the forms joined by blanks
  std::vector<GoldToken> tokens;
};

// Reads the sentences of a CoNLL-U file; multiword token lines and empty
// nodes are skipped. False when the file cannot be read.
bool ReadConllu(const std::string& path, std::vector<GoldSentence>* sentences);

// The pieces of a text (8-bit), folded to lower case, cut at '_', '-',
// '\'' and blanks, each without the non-alphanumeric signs at its ends;
// pieces left empty are dropped.
std::vector<std::string> Pieces(const std::string& text8);

// For each gold form (8-bit), the index of the stored word (8-bit, as the
// word stream holds it) its first piece was matched with, or -1. Pieces
// are matched in order; after a mismatch both sides resume at the nearest
// pair of pieces that agree on two in a row (or on the last piece).
std::vector<int> AlignTokens(const std::vector<std::string>& gold, const std::vector<std::string>& stored);

}  // namespace malvex::edition
