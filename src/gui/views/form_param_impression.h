// The print dialog: the check list of the reports, "Colors", the print
// font and the choice of a PDF file instead of the printer, over
// PrintOptionsModel. OK stores the choices; the window then prints.
#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "app/print_options_model.h"

namespace malvex {

class Messages;

class TFormParamImpression : public QDialog {
  Q_OBJECT
 public:
  // `model` and `messages` must outlive the form; the model has been shown
  // (FormShow) before the form is made.
  TFormParamImpression(PrintOptionsModel& model, Messages& messages, bool printerAvailable,
                       QWidget* parent = nullptr);

  // Whether the reports go to a PDF file: asked, or no printer exists.
  bool ToPdf() const { return ToPdfFile->isChecked(); }

  QListWidget* CheckListBox;
  QCheckBox* CheckBoxCouleurs;
  QPushButton* ButtonPolice;
  QLabel* LabelPolice;
  QCheckBox* ToPdfFile;
  QPushButton* ButtonOk;
  QPushButton* ButtonAnnuler;

  void accept() override;

 private:
  void ShowFont();

  PrintOptionsModel& model_;
};

}  // namespace malvex
