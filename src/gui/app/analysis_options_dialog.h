// The analysis options dialog: a modal form over TOptionsAnalyseModel. It
// shows what the model holds, forwards the controls to it, and closes when
// the model accepts.
#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>

#include "app/analysis_options_model.h"

namespace malvex {

class Messages;

class TOptionsAnalyse : public QDialog {
  Q_OBJECT
 public:
  // `model` and `messages` must outlive the form; the model is opened here.
  TOptionsAnalyse(TOptionsAnalyseModel& model, Messages& messages, QWidget* parent = nullptr);

  QTabWidget* PageControl;
  QWidget* TabSheetOptions;
  QWidget* TabSheetConversion;
  QRadioButton* ConstRelUniv3;
  QRadioButton* ConstRelUniv2;
  QRadioButton* ConstRelUniv1;
  QRadioButton* ConstRelScen;
  QCheckBox* ScenSurTtesCateg;
  QRadioButton* RadOptionSeuilFreq;
  QRadioButton* RadOptionSeuilPert;
  QLineEdit* ValSeuilFreq;
  QLineEdit* ValSeuilPert;
  QSlider* PropRemarquables;
  QRadioButton* ButtonConvMsWordBinaire;
  QRadioButton* ButtonConvMsWordNatif;
  QRadioButton* RadioButtonPasDePDF;
  QRadioButton* RadioButtonConversionPDF;
  QPushButton* ButtonOk;
  QPushButton* ButtonAnnuler;
  QPushButton* ButtonAide;

  void accept() override;
  void reject() override;

 private:
  void ShowModel();

  TOptionsAnalyseModel& model_;
  bool filling_ = false;
};

}  // namespace malvex
