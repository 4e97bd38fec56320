// The anomaly list window: the entries the last Scenario layer build could
// not take, one line each, and the search of a line's entry in the Scenario
// Tool. Its behaviour lives in ScenarioAnomalyList; this form shows the lines
// and forwards clicks.
#pragma once

#include <QDialog>
#include <QListWidget>
#include <QPushButton>
#include <QStatusBar>
#include <functional>

namespace malvex {

class Messages;
class ScenarioAnomalyList;

class TDlgAnomalieScen : public QDialog {
  Q_OBJECT
 public:
  // `search(i)` searches line i's entry in the editor (opening the editor
  // when it is closed). `list` and `messages` must outlive the window.
  TDlgAnomalieScen(ScenarioAnomalyList& list, Messages& messages, std::function<void(int)> search, QWidget* parent);

  // Fills the list and the title from the model.
  void ShowLines();
  // The search of the selected line (Search button, click on a line).
  void ButtonChercherClick();

  QListWidget* ListBox1 = nullptr;
  QPushButton* ButtonFermer = nullptr;
  QPushButton* ButtonChercher = nullptr;
  QPushButton* ButtonAide = nullptr;
  QStatusBar* StatusBar1 = nullptr;

 private:
  ScenarioAnomalyList& list_;
  Messages& messages_;
  std::function<void(int)> search_;
};

}  // namespace malvex
