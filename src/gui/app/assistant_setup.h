// The set-up wizard shown at the first start of a multi-user installation:
// single-user or multi-user use, the base of the user folder and the
// example texts, then a last page. Its choices and checks are those of
// SetupWizardModel; the form only shows them.
#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>

#include "settings/setup_wizard.h"

namespace malvex {

class TAssistantSetup : public QDialog {
  Q_OBJECT
 public:
  // `model` must outlive the dialog.
  TAssistantSetup(QWidget* parent, SetupWizardModel& model);

  // Runs the wizard modally over `model` (the runner the engine calls).
  static void Run(SetupWizardModel& model);

  int Page() const { return Pages->currentIndex(); }
  void ButtonSuivantClick();
  void ButtonPrecedentClick();
  // Hands the choices to the model; the dialog closes when it accepts them.
  void ButtonTerminerClick();

  QStackedWidget* Pages;
  QRadioButton* ButtonMonoUtilisateur;
  QRadioButton* ButtonMultiUtilisateur;
  QLineEdit* EditDossier;
  QPushButton* ButtonDossierSortie;
  QCheckBox* CheckBoxTextesExemples;
  QLabel* LabelResume;
  QPushButton* ButtonPrecedent;
  QPushButton* ButtonSuivant;
  QPushButton* ButtonTerminer;
  QPushButton* ButtonAnnuler;

 private:
  void TakeChoices();
  void ShowPage(int page);

  SetupWizardModel& model_;
};

}  // namespace malvex
