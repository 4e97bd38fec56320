// The Scenario Tool: a tool window kept above the main window that shows
// the current scenario as a tree of groups and items and offers every
// command to make, open, save, print and edit scenarios. Its behaviour lives
// in ScenarioEditor; this form mirrors the editor's tree in a tree widget,
// forwards each user action to the editor command of the same name and
// draws again after it.
#pragma once

#include <QAction>
#include <QCheckBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMimeData>
#include <QPrinter>
#include <QPushButton>
#include <QTreeWidget>
#include <functional>
#include <string>
#include <unordered_map>

#include "scenarios/scenario_editor.h"

namespace malvex {

class Messages;
class ScenarioAnomalyList;
class SettingsRecord;

// The MIME type of a result item or a text word dragged onto the tree: the
// bytes "level<TAB>letter<TAB>text", text in code page 1250 (level 0 for a
// word, 1..3 for a class; letter V, A, S or ?).
inline constexpr char kScenarioItemMime[] = "application/x-malvex-scenario-item";
QMimeData* MakeScenarioItemMime(const std::string& text, int level, char letter);
// Reads what MakeScenarioItemMime wrote; false for other data.
bool ReadScenarioItemMime(const QMimeData* data, std::string& text, int& level, char& letter);

class TDlgScenario;

// The tree widget: takes drags from the result list and the text view, and
// moves nodes dragged inside the tree.
class TScenarioTreeWidget : public QTreeWidget {
  Q_OBJECT
 public:
  explicit TScenarioTreeWidget(TDlgScenario& owner);
  // The drop handler: `data` dropped at `position` (viewport coordinates)
  // with `modifiers` held. True when the drop was taken.
  bool DropData(const QMimeData* data, const QPoint& position, Qt::KeyboardModifiers modifiers);
  // A move inside the tree: the selected node goes under the node at
  // `position` (which becomes a group). True when the editor moved it.
  bool MoveSelectedTo(const QPoint& position);

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  TDlgScenario& owner_;
};

// The side panel: a drop of a result or a text word there has no target
// node, so the item goes into a group of its own name.
class TScenarioSidePanel : public QWidget {
  Q_OBJECT
 public:
  TScenarioSidePanel(TDlgScenario& owner, QWidget* parent);

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  TDlgScenario& owner_;
};

class TDlgScenario : public QMainWindow {
  Q_OBJECT
 public:
  // `editor`, `anomalies`, `record` and `messages` must outlive the window.
  TDlgScenario(ScenarioEditor& editor, ScenarioAnomalyList& anomalies, SettingsRecord& record, Messages& messages,
               QWidget* parent);

  ScenarioEditor& editor() { return editor_; }

  // Shows the window: title, status, the tree rebuilt from the store, the
  // placement at the right of the desktop the first time.
  void Open();
  // Draws the editor's tree again (after a command run from elsewhere):
  // the expanded groups stay expanded, the selection is shown.
  void Redraw();
  // Title, status bar and side panel from the editor.
  void RefreshTexts();
  // After a command changed the editor: Redraw and RefreshTexts.
  void AfterCommand();

  // The widget item that shows `node`; null when none does.
  QTreeWidgetItem* ItemOf(const ScenarioNode* node) const;
  // The node an item shows.
  static ScenarioNode* NodeOf(const QTreeWidgetItem* item);

  // An item dragged from outside the tree (`data` in the scenario item
  // format) dropped on `target`, or with no target (the side panel, empty
  // space). True when the editor added it.
  bool DropOutside(const QMimeData* data, ScenarioNode* target, Qt::KeyboardModifiers modifiers);

  // Prints the tree on `printer`'s pages (title, frame, connectors).
  void PrintTree(QPrinter& printer);
  // The print command: the print dialog, or a PDF file beside the
  // scenario when the system has no printer. Replaceable (tests).
  using PrintTarget = std::function<bool(QPrinter& printer)>;
  void SetPrintTarget(PrintTarget target) { printTarget_ = std::move(target); }
  // The Folder command: shows the scenario folder.
  void SetFolderCommand(std::function<void()> command) { showFolder_ = std::move(command); }
  // Create item: the word search window, given the selected node's text
  // or else the search box's text (code page 1250).
  void SetCreateItemCommand(std::function<void(const std::string& text)> command) {
    createItem_ = std::move(command);
    MenuCreeritem1->setEnabled(static_cast<bool>(createItem_));
  }
  void MenuCreeritemClick();
  // The Options command: the main window's analysis options.
  void SetOptionsCommand(std::function<void()> command) {
    showOptions_ = std::move(command);
    MenuOptions->setEnabled(static_cast<bool>(showOptions_));
  }

  TScenarioTreeWidget* TreeView1 = nullptr;
  TScenarioSidePanel* PanelCote = nullptr;
  QLineEdit* EditChercher = nullptr;
  QPushButton* ButtonChercher = nullptr;
  QLabel* Image3 = nullptr;
  QLabel* LabelGroupe = nullptr;
  QLabel* LabelGroupeTexte = nullptr;
  QLabel* LabelItem = nullptr;
  QLabel* LabelItemTexte = nullptr;
  QLabel* ImageNoeud = nullptr;
  QCheckBox* CheckBoxVisible = nullptr;
  QLabel* StatusText = nullptr;

  QAction* MenuNouveau1 = nullptr;
  QAction* MenuOuvrir1 = nullptr;
  QAction* MenuEnregistrer1 = nullptr;
  QAction* MenuEnregistrerSous = nullptr;
  QAction* MenuImprimer1 = nullptr;
  QAction* MenuDossierScenario = nullptr;
  QAction* MenuQuitter1 = nullptr;
  QAction* MenuCrergroupe1 = nullptr;
  QAction* MenuCreeritem1 = nullptr;
  QAction* MenuCouper1 = nullptr;
  QAction* MenuColler1 = nullptr;
  QAction* MenuSupprimer1 = nullptr;
  QAction* MenuDissocier = nullptr;
  QAction* MenuAnnulerModifs = nullptr;
  QAction* MenuDevelopper = nullptr;
  QAction* MenuReduireBranche = nullptr;
  QAction* MenuTrier = nullptr;
  QAction* MenuOptions = nullptr;

  QMenu* PopupMenu1 = nullptr;
  QAction* PopupCouper = nullptr;
  QAction* PopupColler = nullptr;
  QAction* PopupEffacer = nullptr;
  QAction* PopupModifier = nullptr;
  QAction* PopupDissocier = nullptr;
  QAction* PopupNouveauGroupe1 = nullptr;
  QAction* PopuMajuscules = nullptr;
  QAction* PopupRechercheInterne = nullptr;

  // The commands (also run by the tests).
  void ToolButtonCreerGroupeClick();
  void PopupNouveauGroupe1Click();
  void PopupModifierClick();
  void ToolButtonCouperClick();
  void ToolButtonCollerClick();
  void ToolButtonSupprimerClick();
  void PopupDissocierClick();
  void PopuMajusculesClick();
  void CheckBoxVisibleClick(bool checked);
  void ButtonChercherClick();
  void ToolButtonNouveauClick();
  void ToolButtonOuvrirClick();
  void ToolButtonEnregistrerClick();
  void MenuEnregistrerSousClick();
  void MenuAnnulerModifsClick();
  void MenuTrierClick();
  void ToolButtonImprimerClick();

 Q_SIGNALS:
  // The window closed (the editor-open mark goes).
  void closed();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  friend class TScenarioTreeWidget;
  void CreateActions();
  void CreateLayout();
  void ApplyFonts();
  void PlaceOnDesktop();
  void MakeIcons();
  QIcon IconOf(ScenarioIcon icon) const;
  void FillChildren(QTreeWidgetItem* parentItem, const ScenarioNode* parent);
  void SelectionChanged();
  void ItemRenamed(QTreeWidgetItem* item);
  void ShowSidePanel();
  void EditSelected();
  QString Text(int id) const;

  ScenarioEditor& editor_;
  ScenarioAnomalyList& anomalies_;
  SettingsRecord& record_;
  Messages& messages_;
  std::unordered_map<const ScenarioNode*, QTreeWidgetItem*> items_;
  std::unordered_map<int, QIcon> icons_;
  PrintTarget printTarget_;
  std::function<void()> showFolder_;
  std::function<void(const std::string&)> createItem_;
  std::function<void()> showOptions_;
  bool filling_ = false;
  bool placed_ = false;
  bool largeFonts_ = false;
};

}  // namespace malvex
