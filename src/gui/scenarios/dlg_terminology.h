// The terminology extraction window: the terms of the analysed text in a
// multi-selection list (a square coloured by frequency before each line),
// the options and explanation pages, the insertion of the chosen terms into
// the Scenario Tool and the locating of a clicked term. Its behaviour lives
// in TerminologyWindowModel; this form forwards events and draws.
#pragma once

#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTextEdit>
#include <memory>
#include <vector>

#include "app/terminology_window_model.h"

namespace malvex {

class Engine;

class TDlgExtracteurTerminologique : public QDialog {
  Q_OBJECT
 public:
  // `engine` and `host` must outlive the window.
  TDlgExtracteurTerminologique(Engine& engine, TerminologyHost& host, QWidget* parent);

  TerminologyWindowModel& model() { return *model_; }

  // Restore: runs the extraction again and shows the Results page.
  void ButtonRetablirClick();
  // The Scenario >> button: Add or Insert as the radio buttons say.
  void ButtonInsererClick();
  // The pop-up's Add and Insert.
  void Insert(bool add);
  // Copy: every line on the clipboard.
  void CopyClick();
  // The rows selected in the list, in list order.
  std::vector<size_t> SelectedRows() const;

  QTabWidget* PageControl1 = nullptr;
  QWidget* TabSheet1 = nullptr;
  QWidget* TabSheetOptions = nullptr;
  QWidget* TabSheet2 = nullptr;
  QListWidget* ListBox1 = nullptr;
  QLabel* LabelExpliquerOptions = nullptr;
  QGroupBox* GroupBoxOptionsAffichage = nullptr;
  QRadioButton* RadioButtonAfficherExpressions = nullptr;
  QRadioButton* RadioButtonAfficherNonClasses = nullptr;
  QRadioButton* RadioButtonToutAfficher = nullptr;
  QGroupBox* GroupBoxOptionsFiltrer = nullptr;
  QRadioButton* RadioButtonMotsTresSignificatifs = nullptr;
  QRadioButton* RadioButtonNePasFiltrer = nullptr;
  QLabel* LabelTitreExpliquer = nullptr;
  QTextEdit* RichEdit4 = nullptr;
  QPushButton* ButtonRetablir = nullptr;
  QPushButton* ButtonAnnuler = nullptr;
  QPushButton* ButtonAide = nullptr;
  QGroupBox* GroupBoxScenario = nullptr;
  QRadioButton* RadioButtonAjouter = nullptr;
  QRadioButton* RadioButtonInserer = nullptr;
  QPushButton* ButtonInserer = nullptr;
  QCheckBox* CheckBoxSousClasserScenario = nullptr;
  QGroupBox* GroupBoxLocaliser = nullptr;
  QCheckBox* CheckBoxRechercheAutomatique = nullptr;
  QCheckBox* CheckBoxLocaliserTexte = nullptr;
  QStatusBar* StatusBar1 = nullptr;
  QMenu* PopupMenu1 = nullptr;
  QAction* PopupMenuAjouter = nullptr;
  QAction* PopupMenuInserer = nullptr;
  QAction* PopupMenuCopy = nullptr;
  QAction* PopupMenuToutSelectionner = nullptr;

 Q_SIGNALS:
  void closed();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  QString Text(int id) const;
  void CreateControls();
  void PlaceOnScreen();
  void FillList();
  void ShowStatus();
  void StoreOptions();

  Engine& engine_;
  std::unique_ptr<TerminologyWindowModel> model_;
};

}  // namespace malvex
