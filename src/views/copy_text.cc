#include "views/copy_text.h"

#include <algorithm>

#include "foundations/display_form.h"
#include "views/stream_bookmarks.h"

namespace malvex {
namespace {

bool IsEndMarker(const WordNode* node) { return node->text != nullptr && node->text[0] == '/'; }

// Builds the box line by line, counting the characters of the box as an
// edit box does: one per character, one per line break.
class BoxBuilder {
 public:
  explicit BoxBuilder(CopyTextBox& box) : box_(box) {}

  // Adds the separator of `node` and, for a word, its display form; false
  // when the box or the line is full.
  bool Add(const WordNode& node, int32_t clicked) {
    std::string separator = SeparatorText(node.separator);
    // A line starts with its first word, not with the blank before it.
    if (line_.empty()) separator.erase(0, std::min(separator.size(), separator.find_first_not_of(' ')));
    std::string piece = separator;
    const bool word = !IsEndMarker(&node);
    if (word) {
      piece += DisplayForm(node.text, node.info.capitalisation, node.info.apostrophePos, node.info.category, false);
    }
    if (line_.size() + piece.size() > kCopyTextMaxLine || count_ + piece.size() > kCopyTextMaxBox) return false;
    if (word && node.position == clicked && box_.caret < 0) {
      box_.caret = static_cast<int>(count_ + separator.size());
    }
    line_ += piece;
    count_ += piece.size();
    return true;
  }

  // Ends the line at an end marker; an empty line is not added.
  void EndLine() {
    // The blank after a full stop waits for a word that the next line has.
    while (!line_.empty() && line_.back() == ' ') {
      line_.pop_back();
      --count_;
    }
    if (line_.empty()) return;
    box_.lines.push_back(std::move(line_));
    line_.clear();
    ++count_;  // the line break
  }

  void Finish() {
    while (!line_.empty() && line_.back() == ' ') line_.pop_back();
    if (!line_.empty()) box_.lines.push_back(std::move(line_));
    line_.clear();
  }

 private:
  CopyTextBox& box_;
  std::string line_;
  size_t count_ = 0;
};

}  // namespace

int32_t CopyTextStart(int32_t clicked) { return clicked <= kCopyTextLead ? 0 : clicked - kCopyTextLead; }

std::string CopyTextBox::Text() const {
  std::string text;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += '\n';
    text += lines[i];
  }
  return text;
}

CopyTextBox FillCopyText(WordStream& stream, int32_t clicked, TExtraitDuTexte* extractView,
                         SelectionState* selection) {
  CopyTextBox box;
  box.extract = extractView != nullptr;
  const ScopedStreamBookmarks keep(stream);
  BoxBuilder builder(box);
  WordNode* const tail = stream.Tail();
  stream.Rewind();
  if (extractView == nullptr) {
    box.start = CopyTextStart(clicked);
    for (WordNode* n = stream.Head(); n != tail; n = n->next) {
      if (n->text == nullptr || n->position < box.start) continue;
      if (!builder.Add(*n, clicked)) break;
      if (IsEndMarker(n)) builder.EndLine();
    }
    builder.Finish();
    return box;
  }
  // The extract: the search moves the selection's found word, which the
  // text panel shows; it is put back.
  int32_t foundPosition = 0, foundStart = 0;
  if (selection != nullptr) {
    foundPosition = selection->foundPosition;
    foundStart = selection->foundPropositionStart;
  }
  bool full = false;
  bool first = true;
  while (!full && extractView->FindNext(true)) {
    WordNode* const after = stream.Current();
    if (first) box.start = stream.Bookmark(3)->position;
    first = false;
    for (WordNode* n = stream.Bookmark(3); n != tail && n != after; n = n->next) {
      if (n->text == nullptr) continue;
      if (!builder.Add(*n, clicked)) {
        full = true;
        break;
      }
      if (IsEndMarker(n)) builder.EndLine();
    }
    stream.SetCurrent(after);
  }
  builder.Finish();
  if (selection != nullptr) {
    selection->foundPosition = foundPosition;
    selection->foundPropositionStart = foundStart;
  }
  return box;
}

std::string CopyTextClip(const std::string& box, int from, int to) {
  if (from > to) std::swap(from, to);
  from = std::clamp(from, 0, static_cast<int>(box.size()));
  to = std::clamp(to, 0, static_cast<int>(box.size()));
  if (to - from < 2) return box;
  return box.substr(static_cast<size_t>(from), static_cast<size_t>(to - from));
}

}  // namespace malvex
