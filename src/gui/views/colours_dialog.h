// The colours dialog: a modeless form over TDlgCouleursModel. The list
// shows each entry as a swatch of its colour and its name; Modify (or a
// double click) asks the system colour dialog for the new colour.
#pragma once

#include <QColor>
#include <QDialog>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <cstdint>
#include <functional>

#include "app/colours_model.h"

namespace malvex {

class Messages;

// A Qt colour as a 0x00BBGGRR value (ToQColor of the canvas goes the
// other way).
uint32_t FromQColor(const QColor& colour);

class TDlgCouleurs : public QDialog {
  Q_OBJECT
 public:
  // `model` and `messages` must outlive the form.
  TDlgCouleurs(TDlgCouleursModel& model, Messages& messages, QWidget* parent = nullptr);

  // Opens the form, or brings it to the front when it is open already.
  void Open();

  // The colour chooser: fills `chosen` from `initial`; false when
  // cancelled. Replaceable (tests); QColorDialog by default.
  using ColourChooser = std::function<bool(const QColor& initial, QColor& chosen)>;
  void SetColourChooser(ColourChooser chooser) { chooser_ = std::move(chooser); }

  QListWidget* ListBoxCouleurs;
  QPushButton* ButtonModifier;
  QPushButton* ButtonRestaurer;
  QRadioButton* RadioButtonSelective;
  QRadioButton* RadioButtonSyntaxique;
  QPushButton* ButtonOk;
  QPushButton* ButtonAnnuler;
  QPushButton* ButtonAide;

  void ButtonModifierClick();
  void reject() override;
  // Shows the colours and the coloration the settings hold now.
  void ShowList();

 private:

  TDlgCouleursModel& model_;
  Messages& messages_;
  ColourChooser chooser_;
  bool filling_ = false;
};

}  // namespace malvex
