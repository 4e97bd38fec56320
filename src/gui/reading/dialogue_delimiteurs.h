// The borders dialog: a modeless window kept above the main window where
// the user types borders, ticks those that start filtering (drawn red),
// keeps them in a borders file of the scenario folder and applies them to
// the text shown. Its behaviour is BordersDialogModel's; the form mirrors
// the model's list in a checked list and forwards each action.
#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QTabWidget>
#include <QTextBrowser>
#include <functional>
#include <memory>
#include <string>

#include "app/borders_dialog_model.h"

namespace malvex {

class Engine;
class Messages;

class TDialogueDelimiteurs : public QDialog, private BordersDialogHost {
  Q_OBJECT
 public:
  // What the main window lends the dialog.
  struct Links {
    std::function<bool()> analysisRunning;
    std::function<bool()> textShown;
    std::function<void()> reanalyse;
  };
  // The file dialogs: `save` or open, starting in `folder`; false on cancel.
  // Replaceable (tests).
  using FileDialog = std::function<bool(bool save, const QString& folder, QString& path)>;

  TDialogueDelimiteurs(QWidget* parent, Engine& engine, Links links);

  BordersDialogModel& model() { return model_; }
  void SetFileDialog(FileDialog dialog) { fileDialog_ = std::move(dialog); }

  // Opening the form: the list from the borders store, the caption.
  void Open();
  // Draws the list, the box, the buttons and the caption from the model.
  void Refresh();

  // The commands (also run by the tests).
  void ButtonAjouterClick();
  void ButtonEffacerClick();
  void ButtonToutInclureClick();
  void ButtonToutExclureClick();
  void ButtonAnnulerClick();
  void ButtonAppliquerClick();
  void MenuFichierNouveauClick();
  void MenuOuvrirClick();
  void MenuEnregistrerClick();
  void MenuEnregistrerSousClick();

  QMenuBar* MenuBar = nullptr;
  QAction* MenuFichierNouveau = nullptr;
  QAction* MenuOuvrir = nullptr;
  QAction* MenuEnregistrer = nullptr;
  QAction* MenuEnregistrerSous = nullptr;
  QAction* MenuQuitter = nullptr;
  QTabWidget* PageControl1 = nullptr;
  QLineEdit* Edit1 = nullptr;
  QListWidget* CheckListBox1 = nullptr;
  QCheckBox* CheckBoxAfficherDansLeTexte = nullptr;
  QPushButton* ButtonAjouter = nullptr;
  QPushButton* ButtonEffacer = nullptr;
  QPushButton* ButtonToutInclure = nullptr;
  QPushButton* ButtonToutExclure = nullptr;
  QPushButton* ButtonAnnuler = nullptr;
  QPushButton* ButtonAppliquer = nullptr;
  QTextBrowser* Explication = nullptr;

  // A drop from the main window's result lists or text view (the scenario
  // item data they drag): while a text is shown, its word goes into the
  // edit box and is added. True when the drop was taken.
  bool DropData(const QMimeData* data);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  // BordersDialogHost.
  bool AnalysisRunning() override { return links_.analysisRunning && links_.analysisRunning(); }
  bool TextShown() override { return links_.textShown && links_.textShown(); }
  void Reanalyse() override {
    if (links_.reanalyse) links_.reanalyse();
  }
  bool ChooseFileToOpen(const std::string& folder, std::string& path) override;
  bool ChooseFileToSave(const std::string& folder, std::string& path) override;
  void Beep() override;

  QString Text(int id) const;
  void ItemChanged(QListWidgetItem* item);

  Engine& engine_;
  Links links_;
  BordersDialogModel model_;
  FileDialog fileDialog_;
  bool filling_ = false;
};

}  // namespace malvex
