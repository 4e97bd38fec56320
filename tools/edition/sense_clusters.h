// Groups the thesaurus's noun sense lines into classes of near-synonyms
// (the references, level 1). Each line is a node; two lines are linked when
// they share enough terms (Jaccard overlap of their term sets, headword
// included) and name each other, and links are merged from the strongest
// down. A merge must keep every pair of lines of the class related, so
// that no class grows by chaining (a ~ b, b ~ c, a unrelated to c); two
// lines of one headword (two senses of the same noun) never share a class.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "thesaurus_senses.h"

namespace malvex::edition {

struct ClusterOptions {
  // Overlap from which two lines that name each other's headword link.
  double link = 0.3;
  // Overlap from which two lines link even when they do not name each other.
  double strongLink = 0.5;
  // Two lines can stand in one class when they name each other's headword
  // or overlap at least this much.
  double compatible = 0.15;
  // Most lines in one class, satellites not counted.
  size_t cap = 12;
  // A line left alone after the merging joins, as a satellite, the class of
  // the line it relates to best among the lines of the first headwords it
  // names; a satellite takes no further line, so classes do not chain.
  bool satellites = true;
  // How many of a lone line's first terms are tried.
  size_t satelliteTerms = 3;
};

// Overlap of the term sets (headwords included) of two lines: shared terms
// over all terms.
double SenseOverlap(const ThesaurusSense& a, const ThesaurusSense& b);

// Clusters `lines`. `attachedTo[i]` >= 0 makes line i follow line
// attachedTo[i] into its class without taking part in the merging (the
// feminine of a person noun follows its masculine); -1 otherwise; an empty
// vector attaches nothing. Returns the classes as lists of line indexes,
// each list in increasing order, the lists ordered by their first line;
// every line is in exactly one class.
std::vector<std::vector<int>> ClusterSenses(const std::vector<ThesaurusSense>& lines,
                                            const std::vector<int>& attachedTo, const ClusterOptions& options);

// The candidates for naming a class, best first: the headwords of its
// lines (and the terms of a lone line, or terms named by at least half of
// the lines), ranked by how many of the class's lines name them, then
// single words before compounds, unrestricted before restricted terms,
// the more common (`commonness`, higher first) before the rarer, shorter
// before longer.
std::vector<std::string> ClassNameCandidates(const std::vector<ThesaurusSense>& lines, const std::vector<int>& members,
                                             const std::function<int(const std::string&)>& commonness);

}  // namespace malvex::edition
