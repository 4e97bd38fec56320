// The curated tables of the Romanian edition (tools/edition/data/*.tsv,
// UTF-8, '#' starts a comment line): verb subclasses, evaluative
// adjectives, closed-class words with their readings, abbreviations,
// simple-past exceptions, readings to drop and changes to the learnt
// category matrix.
#pragma once

#include <map>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "edition_codes.h"

namespace malvex::edition {

// A change to the learnt category matrix. Without `third`, `change` is
// added to the weight of a word of record class `second` right after one of
// class `first`, in the bigram and in every trigram where the two classes
// follow each other; with `third` (a record class), only to the trigram
// weight of class `third` after `first` and `second`. With `pronounKind`
// (a pronoun kind, `first` being the pronoun class) the change goes to the
// weights of that kind of pronoun instead: the pronoun followed by `second`,
// in its bigram and every trigram it opens (or only the one with `third`).
struct MatrixAdjustment {
  int first = 0;
  int second = 0;
  int change = 0;
  int third = 0;
  int pronounKind = -1;
};

class CuratedTables : public LemmaClasses {
 public:
  // Reads every table of `folder`. False, with `error` set to the file and
  // line, when a table is missing or a line is malformed.
  bool Load(const std::string& folder, std::string* error);

  VerbKind VerbKindOf(std::string_view lemma) const override;
  bool IsEvaluative(std::string_view lemma) const override;
  // The modality kind the closed-class table gives an adverb; an
  // expression the table lacks (words joined by blanks or '_') takes the
  // kind of its last listed adverb. kNone when nothing is listed.
  ModalityKind AdverbKindOf(std::string_view lemma) const override;

  // Closed-class forms (8-bit, folded) and their readings in order.
  const std::map<std::string, std::vector<Reading>>& Closed() const { return closed_; }
  // Abbreviations and titles (8-bit, folded).
  const std::set<std::string>& Abbreviations() const { return abbreviations_; }
  // Simple past forms of the verbs the rule does not serve: lemma -> six forms.
  const std::map<std::string, std::vector<std::string>>& SimplePast() const { return simplePast_; }
  // form -> record classes whose readings are dropped.
  const std::map<std::string, std::set<int>>& Dropped() const { return dropped_; }
  // The changes to the learnt category matrix, in the table's order.
  const std::vector<MatrixAdjustment>& MatrixAdjustments() const { return matrixAdjustments_; }

  // Parses the lines of the tables from text, for the tests.
  bool ParseVerbClasses(const std::string& text, std::string* error);
  bool ParseClosed(const std::string& text, std::string* error);
  // matrix_adjustments.tsv: "first<TAB>second<TAB>change" or
  // "first<TAB>second<TAB>third<TAB>change", the classes by the names of
  // ClassOfName, the change a whole number from -1000 to 1000.
  bool ParseMatrixAdjustments(const std::string& text, std::string* error);

 private:
  std::unordered_map<std::string, VerbKind> verbKinds_;
  std::set<std::string> evaluative_;
  std::map<std::string, std::vector<Reading>> closed_;
  std::set<std::string> abbreviations_;
  std::map<std::string, std::vector<std::string>> simplePast_;
  std::map<std::string, std::set<int>> dropped_;
  std::vector<MatrixAdjustment> matrixAdjustments_;
};

// Splits a line at tabs.
std::vector<std::string> SplitTabs(const std::string& line);
// The class names of exceptions.tsv (verb conn mod adj pron prep det noun)
// as record classes; 0 when unknown.
int ClassOfName(const std::string& name);

}  // namespace malvex::edition
