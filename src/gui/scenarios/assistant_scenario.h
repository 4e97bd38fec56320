// The scenario creation wizard's window, run modally by the Scenario
// Tool's New: six pages of which only the current one shows, and the Back,
// Next, Done and Help buttons. Its behaviour is ScenarioWizardModel's; the
// form shows the model's page and button states and hands it the user's
// choices before each click.
#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QToolButton>
#include <functional>

#include "app/scenario_wizard_model.h"

namespace malvex {

class Engine;
class Messages;
class ScenarioEditor;

class TAssistantScenario : public QDialog {
  Q_OBJECT
 public:
  // `model` and `messages` must outlive the dialog.
  TAssistantScenario(QWidget* parent, ScenarioWizardModel& model, Messages& messages);

  ScenarioWizardModel& model() { return model_; }

  // The buttons (also pressed by the tests).
  void ButtonSuivantClick();
  void ButtonPrecedentClick();
  void ButtonTerminerClick();

  QStackedWidget* PageControl1 = nullptr;
  QLabel* SheetTitle = nullptr;
  QRadioButton* RadioButtonNouveauScenVide = nullptr;
  QRadioButton* RadioButtonNouveauScenAPartirDuTexte = nullptr;
  QRadioButton* RadioButtonNouveauScenExistant = nullptr;
  QRadioButton* RadioUniv1 = nullptr;
  QRadioButton* RadioUniv2 = nullptr;
  QRadioButton* RadioUniv3 = nullptr;
  QRadioButton* RadioMotsNonClasses = nullptr;
  QRadioButton* RadioAjoutDesLemmes = nullptr;
  QLineEdit* ValSeuilFreq = nullptr;
  QToolButton* UpFreq = nullptr;
  QToolButton* DownFreq = nullptr;
  QCheckBox* CheckBoxSousClasser = nullptr;
  QListWidget* FileListBox1 = nullptr;
  QPushButton* ButtonPrecedent = nullptr;
  QPushButton* ButtonSuivant = nullptr;
  QPushButton* ButtonTerminer = nullptr;
  QPushButton* ButtonAide = nullptr;

 private:
  void TakeChoices();
  void ShowState();
  void StepThreshold(int delta);
  QString Text(int id) const;

  ScenarioWizardModel& model_;
  Messages& messages_;
};

// What the main window lends the wizard.
struct ScenarioWizardLinks {
  std::function<bool()> analysed;          // a text's results are shown
  std::function<bool()> analysisRunning;
  std::function<void(int position)> showResults;  // a result function's position
  std::function<void()> openDocument;
};

// Runs the wizard modally over `editor`, reading the analysis of `engine`.
void RunScenarioWizard(QWidget* parent, Engine& engine, ScenarioEditor& editor, const ScenarioWizardLinks& links);

}  // namespace malvex
