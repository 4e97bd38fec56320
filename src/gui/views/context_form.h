// The context window: the whole text around the word clicked last in the
// main window's text panel, in a window kept above the main one, with the
// file that word comes from and the operations on that file. A thin form
// over ContextWindowModel.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolButton>
#include <QWidget>
#include <functional>
#include <memory>

#include "views/context_window.h"

namespace malvex {

class Messages;

// The page of the window: the model's view drawn on a QPainter canvas.
class TContextPage : public QWidget {
  Q_OBJECT
 public:
  explicit TContextPage(QWidget* parent = nullptr);
  void SetModel(ContextWindowModel* model) {
    model_ = model;
    update();
  }
  // Called after each drawing.
  std::function<void()> onDrawn;
  // Called with the position of the word under the mouse.
  std::function<void(int32_t)> onWord;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  ContextWindowModel* model_ = nullptr;
};

class TFormContexte : public QWidget, public ContextFileHost {
  Q_OBJECT
 public:
  // `stream`, `selection`, `settings`, `files` and `messages` must outlive
  // the form; `main` is the window it stays above.
  TFormContexte(WordStream& stream, SelectionState& selection, const SettingsRecord& settings,
                const TPileFile& files, Messages& messages, QWidget* main);
  ~TFormContexte() override;

  // Shows the window (restored when minimised) on the context of the word
  // at `p`.
  void ShowContextOf(int32_t p);
  // The text is closing or analysed again: the window closes and forgets
  // the stream's nodes.
  void Forget();

  ContextWindowModel* model() { return model_.get(); }
  // The word the Copy and Move commands act on: the one shown last, or
  // the one the mouse passed over in the window.
  int32_t Word() const { return word_; }

  // Where the file operations go; replaceable (tests). By default the
  // desktop services.
  std::function<bool(const QString& url)> openUrl;
  // Makes a file the main window's text.
  std::function<void(const std::string& path)> makeMainText;
  // Copy: opens the copy-text dialog on the word.
  std::function<void(int32_t position)> copyText;

  TContextPage* ImageContexte;
  QScrollBar* ScrollBarContexte;
  QLineEdit* EditFichier;
  QLineEdit* EditUrl;
  QToolButton* ButtonCopier;
  QToolButton* ButtonChercher;
  QToolButton* ButtonDeplacer;
  QToolButton* ButtonLocaliser;
  QToolButton* ButtonOuvrirWeb;
  QToolButton* ButtonOuvrirAvecDefaut;
  QToolButton* ButtonOuvrirAvecLeProgramme;
  QToolButton* ButtonQuitter;
  QStatusBar* StatusBar;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  bool ShowFolder(const std::string& folder) override;
  bool OpenWithDefaultApplication(const std::string& path) override;
  bool OpenWebPage(const std::string& url) override;
  void MakeMainText(const std::string& path) override;

  void Place();
  void ScrollBarAction(int action);
  // The file field, the shortcut field and the buttons after a move.
  void ShowFile();
  QString Text(int id) const;

  WordStream& stream_;
  SelectionState& selection_;
  const SettingsRecord& settings_;
  const TPileFile& files_;
  Messages& messages_;
  std::unique_ptr<ContextWindowModel> model_;
  int32_t word_ = 0;
  bool placed_ = false;
};

}  // namespace malvex
