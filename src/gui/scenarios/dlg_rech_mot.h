// The word search and insertion window ("Search / Add"): the word box, the
// meanings check list, Search and Insert. Its behaviour lives in
// WordSearchModel; this form shows the model's state and forwards the
// user's actions. Kept above the main window; one at most.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <memory>
#include <string>

#include "app/word_search_model.h"

namespace malvex {

class Engine;
class Messages;

class TDlgRechMot : public QDialog {
  Q_OBJECT
 public:
  // `engine`, `search` and `host` must outlive the window.
  TDlgRechMot(Engine& engine, TextSearch& search, WordSearchHost& host, QWidget* parent);
  ~TDlgRechMot() override;

  WordSearchModel& model() { return *model_; }

  // Puts `text` (code page 1250) into the word box and parses it.
  void SetWord(const std::string& text);
  // The word box's text, then its search: the main window's "Search the
  // item" and the text pop-up's Search.
  void SearchWord(const std::string& text);
  // The scenario changed elsewhere: the box is parsed again.
  void Actualiser();
  // Shows the model's state: the check list, the buttons and boxes.
  void Refresh();

  // Typing in the word box.
  void EditUnMotChange(const QString& text);
  void ButtonChercherClick();
  void ButtonInsererClick();

  QLabel* LabelMot1 = nullptr;
  QComboBox* EditUnMot = nullptr;
  QPushButton* ButtonChercher = nullptr;
  QCheckBox* CheckBoxDepuisDebut = nullptr;
  QCheckBox* CheckBoxMotEntier = nullptr;
  QGroupBox* GroupBox1 = nullptr;
  QRadioButton* RadioButtonMot = nullptr;
  QRadioButton* RadioButtonClasse = nullptr;
  QLabel* ImageFleche = nullptr;
  QListWidget* ListBoxSens = nullptr;
  QRadioButton* RadioButtonAjouter = nullptr;
  QRadioButton* RadioButtonInserer = nullptr;
  QPushButton* ButtonInserer = nullptr;
  QCheckBox* CheckBoxSousClasserScenario = nullptr;
  QToolButton* SpeedButtonLierScenarioEtTexte = nullptr;
  QToolButton* SpeedButtonNePasArrimerLeScenario = nullptr;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QString Text(int id);
  void CreateLayout();
  void PlaceOnDesktop();
  void FillList();
  void ShowBoxHistory();
  void ListItemChanged(QListWidgetItem* item);

  Messages& messages_;
  std::unique_ptr<WordSearchModel> model_;
  bool filling_ = false;
};

}  // namespace malvex
