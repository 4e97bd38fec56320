// The results panel of the main window: the function list
// (ListBoxFonctions), the previous/next buttons, the "Actant" and "Acted"
// boxes, the result list (ListBoxModItems) with its sort pop-up, and the
// information area. It shows what the ResultPanelModel holds and forwards
// clicks, keys and menu choices to it.
#pragma once

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QToolButton>
#include <QWidget>

#include "app/result_panel_model.h"

namespace malvex {

class Messages;

class TResultPanel : public QWidget {
  Q_OBJECT
 public:
  // Width the panel takes back when it was squeezed below 50 pixels.
  static constexpr int kDefaultWidth = 256;
  // Height of the information area above the lists.
  static constexpr int kInformationHeight = 64;

  // The panel's own texts come from `messages`, which must outlive it.
  TResultPanel(Messages& messages, QWidget* parent = nullptr);

  // The model shown; null while no engine runs (the panel is then empty).
  // It must outlive its use.
  void SetModel(ResultPanelModel* model);
  ResultPanelModel* model() const { return model_; }

  // Shows the model's state again: both lists, the boxes and the texts
  // (after an analysis or a change made elsewhere).
  void Refresh();

  // What the menu commands of the main window call: choose the function at
  // `position` (a table position) as if clicked, or the item at `index`.
  void ListBoxFonctionsClick(int position);
  void ListBoxModItemsClick(int index);
  void ToolButtonResultatsPrecedentClick();
  void ToolButtonResultatsSuivantClick();
  void SwitchAffichageSurDerniereFonctionUtilise();
  // The next or previous occurrence of the selection in the text (F3,
  // Shift+F3).
  void ChercherSuivant(bool forward);

  QListWidget* ListBoxFonctions;
  QListWidget* ListBoxModItems;
  QToolButton* ToolButtonResultatsPrecedent;
  QToolButton* ToolButtonResultatsSuivant;
  QCheckBox* CheckBoxActant;
  QCheckBox* CheckBoxActe;
  QLabel* LabelInfos;
  QLabel* LabelMessage;
  QAction* PopupTriAlpha;
  QAction* PopupTriFrequence;
  // The Scenario list's branch items: top-level groups only, or every
  // group with its sub-groups.
  QAction* PopupMasquerBranches;
  QAction* PopupDevelopperTout;
  QAction* ActionChercherSuivant;
  QAction* ActionChercherPrecedent;

 Q_SIGNALS:
  // The selection, the text view's page or a status text changed: the
  // window redraws the text and the graph and shows `status`.
  void SelectionShown(const QString& status);

 private:
  void ShowFunctions();
  void ShowItems();
  void ShowTexts();
  void AfterChoice();

  Messages& messages_;
  ResultPanelModel* model_ = nullptr;
  bool filling_ = false;
};

}  // namespace malvex
