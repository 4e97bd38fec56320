// The paths of a letter transducer printed by lt-print (AT&T text form:
// "from<TAB>to<TAB>input<TAB>output<TAB>weight" arcs, "state<TAB>weight"
// finals, sections separated by "--"). Each path from state 0 to a final
// state of a section is one (surface form, analysis) pair of the analyser.
#pragma once

#include <cstdint>
#include <functional>
#include <istream>
#include <string>
#include <vector>

namespace malvex::edition {

class AttTransducer {
 public:
  // Reads the whole printed transducer. False when a line is malformed.
  bool Read(std::istream& in);

  size_t SectionCount() const { return sections_.size(); }
  // True when the section's arcs form a loop (numbers, addresses): its
  // paths cannot be listed.
  bool SectionLoops(size_t section) const;

  // Calls `path(surface, analysis)` (UTF-8) for every path of the section;
  // a looping section gives nothing. Returns the number of paths.
  size_t Enumerate(size_t section, const std::function<void(const std::string&, const std::string&)>& path) const;

 private:
  struct Arc {
    uint32_t to;
    uint32_t input;   // symbol number, 0 = epsilon
    uint32_t output;  // symbol number, 0 = epsilon
  };
  struct Section {
    std::vector<uint32_t> first;  // arcs of state s: [first[s], first[s+1])
    std::vector<Arc> arcs;
    std::vector<bool> final;
  };

  std::vector<Section> sections_;
  std::vector<std::string> symbols_{""};
};

}  // namespace malvex::edition
