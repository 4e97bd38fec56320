// The history of opened files: twelve paths kept in the settings record,
// slot 1 the most recent; the File menu offers the first eight.
#pragma once

#include <string>
#include <vector>

#include "settings/settings_record.h"

namespace malvex {

class FileHistory {
 public:
  static constexpr int kSlots = SettingsRecord::kHistorySize;
  static constexpr int kMenuSlots = 8;
  // Longest path a slot holds, in bytes.
  static constexpr size_t kMaxPath = SettingsRecord::kTextField - 1;

  // Works on the history slots of `record`, which must outlive the object.
  explicit FileHistory(SettingsRecord& record) : record_(record) {}
  FileHistory(const FileHistory&) = delete;
  FileHistory& operator=(const FileHistory&) = delete;

  // The path of slot `n` (1..12); empty for an empty slot or another n.
  std::string Slot(int n) const;
  // The slot (1..12) holding exactly `path`, or 0. Paths are compared as
  // the file system compares them: byte for byte.
  int Find(const std::string& path) const;
  // Puts `path` in slot 1. A path already in the history moves up from its
  // slot, the slots above it going down one place; a new path pushes every
  // slot down one place and the content of slot 12 is lost. An empty path,
  // or one longer than a slot holds (it could not be reopened), changes
  // nothing and gives false.
  bool Add(const std::string& path);
  // Empties the twelve slots.
  void Clear();

  // One item of the File menu: its slot and path.
  struct MenuItem {
    int slot;
    std::string path;
  };
  // The non-empty slots among 1..8, in slot order.
  std::vector<MenuItem> MenuItems() const;

 private:
  SettingsRecord& record_;
};

}  // namespace malvex
