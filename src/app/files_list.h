// The files list of the main window: paths the user gathers to analyse
// them together, in the order of the list.
#pragma once

#include <string>
#include <vector>

namespace malvex {

class FilesList {
 public:
  FilesList() = default;
  FilesList(const FilesList&) = delete;
  FilesList& operator=(const FilesList&) = delete;

  const std::vector<std::string>& entries() const { return entries_; }
  // The selected entry (0-based), -1 for none.
  int selected() const { return selected_; }
  void Select(int index) { selected_ = index >= 0 && index < Count() ? index : -1; }
  int Count() const { return static_cast<int>(entries_.size()); }
  // Analyze is offered once the list holds a path.
  bool AnalyzeEnabled() const { return !entries_.empty(); }

  // Appends each path that is not already listed (compared byte for
  // byte); returns the number appended.
  int Add(const std::vector<std::string>& paths);
  // Removes the selected entry and selects the one before it, or the new
  // first entry when the first was removed. False when none is selected.
  bool DeleteSelected();
  // Sorts the entries alphabetically (byte order); the selection follows
  // its entry.
  void Sort();

 private:
  std::vector<std::string> entries_;
  int selected_ = -1;
};

}  // namespace malvex
