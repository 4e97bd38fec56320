#include "views/context_window.h"

#include <filesystem>
#include <sstream>

#include "platform/files.h"
#include "views/stream_bookmarks.h"

namespace malvex {

int32_t ContextPageStart(int32_t p) { return p < 12 ? p : p - 10; }

std::string ShortcutPathOf(const std::string& textPath) {
  std::filesystem::path path(textPath);
  path.replace_extension(".url");
  return path.string();
}

std::string ShortcutUrl(const std::string& content) {
  std::istringstream in(content);
  std::string line;
  while (std::getline(in, line)) {
    const size_t first = line.find_first_not_of(" \t");
    if (first == std::string::npos || line.size() - first < 4) continue;
    std::string key = line.substr(first, 4);
    for (char& c : key) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (key != "URL=") continue;
    std::string value = line.substr(first + 4);
    const size_t end = value.find_last_not_of(" \t\r");
    value = end == std::string::npos ? std::string() : value.substr(0, end + 1);
    const size_t start = value.find_first_not_of(" \t");
    return start == std::string::npos ? std::string() : value.substr(start);
  }
  return {};
}

ContextWindowModel::ContextWindowModel(WordStream& stream, SelectionState& selection, const SettingsRecord& settings,
                                       const TPileFile& files, ContextFileHost& host)
    : stream_(stream), files_(files), host_(host), view_(stream, selection, settings) {
  for (WordNode*& n : page_) n = stream.Head();
}

void ContextWindowModel::InstallPage() {
  for (int i = 0; i < 3; ++i) {
    stream_.SetCurrent(page_[i]);
    stream_.SaveBookmark(i + 1);
  }
}

void ContextWindowModel::SavePage() {
  for (int i = 0; i < 3; ++i) page_[i] = stream_.Bookmark(i + 1);
}

void ContextWindowModel::ShowFileOf(int32_t p) {
  const uint16_t index = stream_.FileIndexAt(p);
  fileName_ = index == 0 || files_.Count() == 0 ? std::string() : files_.Get(index);
  shortcutPath_.clear();
  if (fileName_.empty()) return;
  const std::string shortcut = ShortcutPathOf(fileName_);
  std::error_code error;
  if (shortcut != fileName_ && std::filesystem::is_regular_file(shortcut, error)) shortcutPath_ = shortcut;
}

void ContextWindowModel::ShowContextOf(int32_t p) { ShowContext(p, ContextPageStart(p)); }

void ContextWindowModel::ShowContext(int32_t cursor, int32_t start) {
  const ScopedStreamBookmarks keep(stream_);
  InstallPage();
  stream_.SeekPosition(start);
  if (!stream_.AtEnd()) view_.SetCursorPosition(cursor);
  stream_.SaveBookmark(1);
  stream_.SaveBookmark(2);
  SavePage();
  scrollPosition_ = start;
  ShowFileOf(cursor);
}

void ContextWindowModel::Draw(Canvas& canvas, const CanvasRect& rect) {
  const ScopedStreamBookmarks keep(stream_);
  InstallPage();
  view_.DrawPage(canvas, rect);
  SavePage();
  const int32_t first = view_.FirstPositionShown();
  if (first > 0) {
    scrollPosition_ = first;
    ShowFileOf(first);
  }
}

void ContextWindowModel::Moved() {
  WordNode* const start = page_[0];
  if (start != stream_.Tail() && start->text != nullptr) scrollPosition_ = start->position;
  ShowFileOf(scrollPosition_);
}

bool ContextWindowModel::LineDown() {
  const ScopedStreamBookmarks keep(stream_);
  InstallPage();
  const bool moved = view_.NextProposition();
  SavePage();
  if (moved) Moved();
  return moved;
}

bool ContextWindowModel::LineUp() {
  const ScopedStreamBookmarks keep(stream_);
  InstallPage();
  const bool moved = view_.PreviousProposition();
  SavePage();
  if (moved) Moved();
  return moved;
}

bool ContextWindowModel::PageDown() {
  const ScopedStreamBookmarks keep(stream_);
  InstallPage();
  const bool moved = view_.NextPage();
  SavePage();
  if (moved) Moved();
  return moved;
}

bool ContextWindowModel::PageUp() {
  const ScopedStreamBookmarks keep(stream_);
  InstallPage();
  const bool moved = view_.PreviousPage();
  SavePage();
  if (moved) Moved();
  return moved;
}

void ContextWindowModel::ScrollTo(int32_t position) {
  const ScopedStreamBookmarks keep(stream_);
  InstallPage();
  stream_.SeekPosition(position);
  stream_.SaveBookmark(1);
  stream_.SaveBookmark(2);
  SavePage();
  Moved();
}

std::string ContextWindowModel::Folder() const {
  if (fileName_.empty()) return {};
  return std::filesystem::path(fileName_).parent_path().string();
}

std::string ContextWindowModel::ShortcutAddress() const {
  if (shortcutPath_.empty()) return {};
  std::string content;
  if (!ReadWholeFile(shortcutPath_, content)) return {};
  return ShortcutUrl(content);
}

bool ContextWindowModel::LocalizeFolder() {
  const std::string folder = Folder();
  return !folder.empty() && host_.ShowFolder(folder);
}

bool ContextWindowModel::OpenWithDefaultApplication() {
  return !fileName_.empty() && host_.OpenWithDefaultApplication(fileName_);
}

bool ContextWindowModel::OpenWebPage() {
  const std::string url = ShortcutAddress();
  return !url.empty() && host_.OpenWebPage(url);
}

bool ContextWindowModel::MakeMainText() {
  if (!CanMakeMainText()) return false;
  host_.MakeMainText(fileName_);
  return true;
}

}  // namespace malvex
