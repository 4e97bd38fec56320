// The general options dialog: a modal form over TDlgOptionsGeneralesModel
// with its three pages (main window, scenario, installation).
#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>

#include "app/general_options_model.h"

namespace malvex {

class Messages;

class TDlgOptionsGenerales : public QDialog {
  Q_OBJECT
 public:
  // `model` and `messages` must outlive the form; the model is opened here.
  TDlgOptionsGenerales(TDlgOptionsGeneralesModel& model, Messages& messages, bool scenarioPage,
                       QWidget* parent = nullptr);

  QTabWidget* PageControl;
  QWidget* TabSheetFenetre;
  QWidget* TabSheetScenario;
  QWidget* TabSheetInstallation;
  QCheckBox* CheckBoxAffichePanelInfo;
  QCheckBox* CheckBoxConserverHistoFichiers;
  QCheckBox* CheckBoxGrandesPolices;
  QCheckBox* CheckBoxUnderscoreSurMotsComposes;
  QSpinBox* ValSeuilFreq;
  QRadioButton* RadioButtonParProposition;
  QRadioButton* RadioButtonParContexte;
  QCheckBox* CheckBoxConfirmerSuppression;
  QCheckBox* CheckBoxAssistantScen;
  QCheckBox* CheckBoxOuvrirScenDem;
  QCheckBox* CheckBoxAjoutScenMajusc;
  QCheckBox* CheckBoxFormesNonAccentueesDsScenario;
  QRadioButton* RadioButtonTriScenarioAlpha;
  QRadioButton* RadioButtonTriParFrequence;
  QPushButton* ButtonDossierScenario;
  QPushButton* ButtonDossierParam;
  QPushButton* ButtonParametresSetup;
  QPushButton* ButtonGraphes;
  QPushButton* ButtonCouleurs;
  QPushButton* ButtonOk;
  QPushButton* ButtonAnnuler;
  QPushButton* ButtonAide;

  void accept() override;

 private:
  TDlgOptionsGeneralesModel& model_;
};

}  // namespace malvex
