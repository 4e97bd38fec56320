// The context window without its widgets: the whole text around the word
// clicked last, drawn by a text view of its own in full-text mode, the
// file that word comes from and the operations on that file.
//
// The window shares the word stream with the text panel, whose page lives
// in the stream's bookmarks 1..3. Every operation installs the window's own
// page in those bookmarks for its duration and puts the panel's back as it
// leaves (ScopedStreamBookmarks), so that the panel's page, next page and
// last search are never moved by the window.
#pragma once

#include <cstdint>
#include <string>

#include "reading/file_list.h"
#include "reading/word_stream.h"
#include "settings/settings_record.h"
#include "views/canvas.h"
#include "views/selection_state.h"
#include "views/text_view.h"

namespace malvex {

// What the window asks of the desktop and of the main window.
class ContextFileHost {
 public:
  virtual ~ContextFileHost() = default;
  // Opens `folder` in the desktop's file manager.
  virtual bool ShowFolder(const std::string& folder) = 0;
  // Opens `path` with the desktop's default application for it.
  virtual bool OpenWithDefaultApplication(const std::string& path) = 0;
  // Opens `url` in the desktop's browser.
  virtual bool OpenWebPage(const std::string& url) = 0;
  // Makes `path` the main window's current text and opens it.
  virtual void MakeMainText(const std::string& path) = 0;
};

// The page of a context request for the word at `p`: ten positions before
// it, or the word itself near the start of the text (p < 12).
int32_t ContextPageStart(int32_t p);

// The internet shortcut of a text: its name with the extension ".url".
std::string ShortcutPathOf(const std::string& textPath);
// The address of an internet shortcut's content: the value of its first
// "URL=" line (key in any case, blanks and a line's CR trimmed); "" when
// there is none.
std::string ShortcutUrl(const std::string& content);

class ContextWindowModel {
 public:
  // All must outlive the model; the stream must not be emptied while it
  // lives (the window closes with the text).
  ContextWindowModel(WordStream& stream, SelectionState& selection, const SettingsRecord& settings,
                     const TPileFile& files, ContextFileHost& host);
  ContextWindowModel(const ContextWindowModel&) = delete;
  ContextWindowModel& operator=(const ContextWindowModel&) = delete;

  // The context of the word at `p`: ShowContext(p, ContextPageStart(p)).
  void ShowContextOf(int32_t p);
  // The page starts on the first node at or after position `start`; the
  // word at `cursor` is underlined and its file shown.
  void ShowContext(int32_t cursor, int32_t start);

  // Draws the window's page; afterwards the scroll position is the first
  // position drawn and the file shown is that position's.
  void Draw(Canvas& canvas, const CanvasRect& rect);

  // Scrolling, by the layout of the last drawing; false when there is
  // nowhere to go. ScrollTo starts the page on the first node at or after
  // `position`.
  bool LineDown();
  bool LineUp();
  bool PageDown();
  bool PageUp();
  void ScrollTo(int32_t position);

  // The scroll bar: its range 1..Highest(), its position ScrollPosition().
  int32_t Highest() const { return stream_.HighestPosition(); }
  int32_t ScrollPosition() const { return scrollPosition_ > 0 ? scrollPosition_ : 1; }
  int32_t Cursor() const { return view_.CursorPosition(); }

  // The file shown: its name ("" when none), its folder, its internet
  // shortcut ("" when there is none beside it).
  const std::string& FileName() const { return fileName_; }
  std::string Folder() const;
  const std::string& ShortcutPath() const { return shortcutPath_; }
  std::string ShortcutAddress() const;
  // The file can be made the main text only when several were analysed;
  // the web page opens only when the file has a shortcut.
  bool CanMakeMainText() const { return files_.Count() > 1 && !fileName_.empty(); }
  bool CanOpenWebPage() const { return !shortcutPath_.empty(); }

  // The file operations; false when nothing was opened.
  bool LocalizeFolder();
  bool OpenWithDefaultApplication();
  bool OpenWebPage();
  // Hands the shown file to the main window (the caller then closes the
  // window); false when it cannot be made the main text.
  bool MakeMainText();

  // The window closes: no word is underlined any more.
  void Close() { view_.SetCursorPosition(0); }

  TExtraitDuTexte& view() { return view_; }

 private:
  // The window's page into bookmarks 1..3 and back out.
  void InstallPage();
  void SavePage();
  // The file of the word at `p`; moves the stream's cursor.
  void ShowFileOf(int32_t p);
  // After a move: the page's first position and its file.
  void Moved();

  WordStream& stream_;
  const TPileFile& files_;
  ContextFileHost& host_;
  TExtraitDuTexte view_;
  WordNode* page_[3];
  int32_t scrollPosition_ = 0;
  std::string fileName_;
  std::string shortcutPath_;
};

}  // namespace malvex
