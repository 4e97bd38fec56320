#include "gui/reading/dialogue_delimiteurs.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "engine/engine.h"
#include "foundations/messages.h"
#include "gui/qt_text.h"
#include "gui/scenarios/dlg_scenario.h"

namespace malvex {

TDialogueDelimiteurs::TDialogueDelimiteurs(QWidget* parent, Engine& engine, Links links)
    : QDialog(parent, Qt::Tool),
      engine_(engine),
      links_(std::move(links)),
      model_(engine.borders(), engine.record(), engine.folders(), engine.messages(), engine.tables(), *this) {
  setObjectName("TDialogueDelimiteurs");
  setModal(false);
  auto* layout = new QVBoxLayout(this);
  MenuBar = new QMenuBar(this);
  layout->setMenuBar(MenuBar);
  QMenu* file = MenuBar->addMenu("&" + Text(324));
  MenuFichierNouveau = file->addAction(Text(607), this, [this] { MenuFichierNouveauClick(); });
  MenuOuvrir = file->addAction(Text(527), this, [this] { MenuOuvrirClick(); });
  MenuEnregistrer = file->addAction(Text(604), this, [this] { MenuEnregistrerClick(); });
  MenuEnregistrerSous = file->addAction(Text(605), this, [this] { MenuEnregistrerSousClick(); });
  file->addSeparator();
  MenuQuitter = file->addAction(Text(608), this, [this] { close(); });
  QMenu* help = MenuBar->addMenu("&" + Text(616));
  // No help file in this edition.
  for (int id : {574, 788}) help->addAction(Text(id))->setEnabled(false);

  PageControl1 = new QTabWidget(this);
  layout->addWidget(PageControl1);
  auto* borders = new QWidget(PageControl1);
  auto* grid = new QVBoxLayout(borders);
  auto* typing = new QHBoxLayout();
  Edit1 = new QLineEdit(borders);
  Edit1->setMaxLength(static_cast<int>(BordersDialogModel::kMaxTyped));
  Edit1->setToolTip(Text(791));
  ButtonAjouter = new QPushButton(Text(741), borders);
  ButtonAjouter->setToolTip(Text(797));
  ButtonEffacer = new QPushButton(Text(602), borders);
  ButtonEffacer->setToolTip(Text(798));
  typing->addWidget(Edit1, 1);
  typing->addWidget(ButtonAjouter);
  typing->addWidget(ButtonEffacer);
  grid->addLayout(typing);
  CheckListBox1 = new QListWidget(borders);
  CheckListBox1->setToolTip(Text(792));
  grid->addWidget(CheckListBox1, 1);
  CheckBoxAfficherDansLeTexte = new QCheckBox(Text(789), borders);
  CheckBoxAfficherDansLeTexte->setToolTip(Text(790));
  grid->addWidget(CheckBoxAfficherDansLeTexte);
  auto* buttons = new QHBoxLayout();
  ButtonToutInclure = new QPushButton(Text(786), borders);
  ButtonToutInclure->setToolTip(Text(794));
  ButtonToutExclure = new QPushButton(Text(787), borders);
  ButtonToutExclure->setToolTip(Text(793));
  ButtonAnnuler = new QPushButton(Text(661), borders);
  ButtonAnnuler->setToolTip(Text(795));
  ButtonAppliquer = new QPushButton(Text(519), borders);
  ButtonAppliquer->setToolTip(Text(796));
  for (QPushButton* b : {ButtonToutInclure, ButtonToutExclure, ButtonAnnuler, ButtonAppliquer}) {
    b->setAutoDefault(false);
    buttons->addWidget(b);
  }
  ButtonAjouter->setAutoDefault(false);
  ButtonEffacer->setAutoDefault(false);
  grid->addLayout(buttons);
  PageControl1->addTab(borders, Text(574));
  Explication = new QTextBrowser(PageControl1);
  PageControl1->addTab(Explication, Text(1070));

  connect(ButtonAjouter, &QPushButton::clicked, this, [this] { ButtonAjouterClick(); });
  connect(Edit1, &QLineEdit::returnPressed, this, [this] { ButtonAjouterClick(); });
  connect(ButtonEffacer, &QPushButton::clicked, this, [this] { ButtonEffacerClick(); });
  connect(ButtonToutInclure, &QPushButton::clicked, this, [this] { ButtonToutInclureClick(); });
  connect(ButtonToutExclure, &QPushButton::clicked, this, [this] { ButtonToutExclureClick(); });
  connect(ButtonAnnuler, &QPushButton::clicked, this, [this] { ButtonAnnulerClick(); });
  connect(ButtonAppliquer, &QPushButton::clicked, this, [this] { ButtonAppliquerClick(); });
  connect(CheckBoxAfficherDansLeTexte, &QCheckBox::clicked, this, [this](bool on) {
    model_.SetShowBorders(on);
    Refresh();
  });
  connect(CheckListBox1, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) { ItemChanged(item); });
  connect(CheckListBox1, &QListWidget::currentRowChanged, this, [this](int row) {
    if (!filling_) model_.Select(row);
  });

  fileDialog_ = [this](bool save, const QString& folder, QString& path) {
    const QString filter = Text(551) + ";;*.dlm";
    path = save ? QFileDialog::getSaveFileName(this, Text(605), folder, filter)
                : QFileDialog::getOpenFileName(this, Text(527), folder, filter);
    return !path.isEmpty();
  };
  setAcceptDrops(true);
  resize(440, 460);
}

QString TDialogueDelimiteurs::Text(int id) const { return ToQt(engine_.messages().message(id)); }

void TDialogueDelimiteurs::Open() {
  model_.Start();
  Explication->setPlainText(ToQt(model_.Explanation()));
  Refresh();
  show();
  raise();
  activateWindow();
}

void TDialogueDelimiteurs::Refresh() {
  filling_ = true;
  CheckListBox1->clear();
  for (const BorderItem& item : model_.items()) {
    auto* row = new QListWidgetItem(ToQt(item.text), CheckListBox1);
    row->setFlags(row->flags() | Qt::ItemIsUserCheckable);
    row->setCheckState(item.checked ? Qt::Checked : Qt::Unchecked);
    row->setForeground(item.checked ? QColor(Qt::red) : QColor(Qt::black));
  }
  CheckListBox1->setCurrentRow(model_.selected());
  filling_ = false;
  CheckBoxAfficherDansLeTexte->setChecked(model_.showBorders());
  ButtonAppliquer->setEnabled(model_.modified());
  ButtonAnnuler->setEnabled(model_.modified());
  setWindowTitle(ToQt(model_.Caption()));
}

void TDialogueDelimiteurs::ItemChanged(QListWidgetItem* item) {
  if (filling_) return;
  const int row = CheckListBox1->row(item);
  model_.SetChecked(row, item->checkState() == Qt::Checked);
  Refresh();
}

void TDialogueDelimiteurs::ButtonAjouterClick() {
  if (model_.Add(FromQt(Edit1->text()))) Edit1->clear();
  Refresh();
}

void TDialogueDelimiteurs::ButtonEffacerClick() {
  model_.Delete();
  Refresh();
}

void TDialogueDelimiteurs::ButtonToutInclureClick() {
  model_.IncludeAll();
  Refresh();
}

void TDialogueDelimiteurs::ButtonToutExclureClick() {
  model_.ExcludeAll();
  Refresh();
}

void TDialogueDelimiteurs::ButtonAnnulerClick() {
  model_.Cancel();
  Refresh();
}

void TDialogueDelimiteurs::ButtonAppliquerClick() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  model_.Apply();
  QApplication::restoreOverrideCursor();
  Refresh();
}

void TDialogueDelimiteurs::MenuFichierNouveauClick() {
  model_.New();
  Refresh();
}

void TDialogueDelimiteurs::MenuOuvrirClick() {
  model_.Open();
  Refresh();
}

void TDialogueDelimiteurs::MenuEnregistrerClick() {
  model_.Save();
  Refresh();
}

void TDialogueDelimiteurs::MenuEnregistrerSousClick() {
  model_.SaveAs();
  Refresh();
}

bool TDialogueDelimiteurs::ChooseFileToOpen(const std::string& folder, std::string& path) {
  QString chosen;
  if (!fileDialog_ || !fileDialog_(false, QString::fromStdString(folder), chosen)) return false;
  path = QDir::cleanPath(chosen).toStdString();
  return true;
}

bool TDialogueDelimiteurs::ChooseFileToSave(const std::string& folder, std::string& path) {
  QString chosen;
  if (!fileDialog_ || !fileDialog_(true, QString::fromStdString(folder), chosen)) return false;
  path = QDir::cleanPath(chosen).toStdString();
  return true;
}

void TDialogueDelimiteurs::Beep() { QApplication::beep(); }

void TDialogueDelimiteurs::closeEvent(QCloseEvent* event) {
  model_.Close();
  Refresh();
  event->accept();
}

bool TDialogueDelimiteurs::DropData(const QMimeData* data) {
  std::string text;
  int level = 0;
  char letter = '?';
  if (!TextShown() || !ReadScenarioItemMime(data, text, level, letter)) return false;
  Edit1->setText(ToQt(text));
  ButtonAjouterClick();
  return true;
}

void TDialogueDelimiteurs::dragEnterEvent(QDragEnterEvent* event) {
  if (TextShown() && event->mimeData()->hasFormat(kScenarioItemMime)) event->acceptProposedAction();
}

void TDialogueDelimiteurs::dragMoveEvent(QDragMoveEvent* event) {
  if (TextShown() && event->mimeData()->hasFormat(kScenarioItemMime)) event->acceptProposedAction();
}

void TDialogueDelimiteurs::dropEvent(QDropEvent* event) {
  if (DropData(event->mimeData())) event->acceptProposedAction();
}

}  // namespace malvex
