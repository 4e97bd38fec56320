// The copy-text dialog: a stretch of the analysed text in an editable box,
// one proposition per line, for the user to select and copy. A thin form
// over FillCopyText and CopyTextClip.
#pragma once

#include <QAction>
#include <QDialog>
#include <QPlainTextEdit>
#include <QPushButton>
#include <functional>

#include "views/copy_text.h"

namespace malvex {

class Messages;

class TFormCopierTexte : public QDialog {
  Q_OBJECT
 public:
  // `messages` must outlive the form.
  TFormCopierTexte(Messages& messages, QWidget* parent = nullptr);

  // Fills the box from `stream`: around the word at `clicked`, or, with
  // `extractView`, the extract of the selection (FillCopyText); the caret
  // goes to the word with nothing selected. Then shows the dialog.
  void Load(WordStream& stream, int32_t clicked, TExtraitDuTexte* extractView, SelectionState* selection);

  // Copy: the selection, or the whole box when fewer than two characters
  // are selected, on the clipboard.
  void Copy();

  const CopyTextBox& box() const { return box_; }

  QPlainTextEdit* MemoTexte;
  QPushButton* ButtonCopier;
  QPushButton* ButtonQuitter;
  QAction* PopupChercher;
  QAction* PopupAjouterDsScenario;
  QAction* PopupInsererDsScenario;

 private:
  Messages& messages_;
  CopyTextBox box_;
};

}  // namespace malvex
