// The file families the Open dialog offers, in their fixed order: their
// catalogue labels and patterns, and their form as name filters of a file
// dialog.
#pragma once

#include <string>
#include <vector>

namespace malvex {

struct OpenFilter {
  int messageId;                      // the family's label in the catalogue
  std::vector<std::string> patterns;  // as listed; ".txt" stands for "*.txt"
};

// Number of families; the last one, "All files", is the default choice.
inline constexpr int kOpenFilterCount = 12;

// The twelve families in dialog order. Positions 1 to 9 coincide with the
// file type codes of the text reader.
const std::vector<OpenFilter>& OpenFilters();

// The patterns of `filter` joined with ";", each extension given without a
// star written with "*" before it ("*.htm;*.html;*.shtml;*.txt").
std::string JoinedPatterns(const OpenFilter& filter);

// The name filter of a file dialog for `filter` labelled `label`: the label
// without the patterns it shows in parentheses, then the real patterns
// separated by blanks in parentheses ("Web pages (*.htm *.html *.shtml
// *.txt)"). "*.*" becomes "*", so that the last family also offers files
// without an extension.
std::string NameFilter(const std::string& label, const OpenFilter& filter);

// The filter position (1..12) the dialog starts on from the stored index:
// 12 when the stored one is outside 1..12.
int InitialOpenFilter(int storedIndex);

}  // namespace malvex
