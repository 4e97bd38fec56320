#include "gui/scenarios/dlg_scenario.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScreen>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>
#include <unordered_set>

#include "foundations/messages.h"
#include "gui/qt_text.h"
#include "scenarios/scenario_anomaly_list.h"
#include "settings/settings_record.h"

namespace malvex {

namespace {

constexpr int kNodeRole = Qt::UserRole + 1;
constexpr int kIconSize = 16;
// The side panel's narrowest width at the small fonts.
constexpr int kSidePanelWidth = 170;
// Colour settings the class, verb and adjective icons are filled with.
constexpr int kClassIconColour = 11;
constexpr int kVerbIconColour = 1;
constexpr int kAdjectiveIconColour = 4;

QColor FromRecordColour(uint32_t bgr) {
  return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                static_cast<int>((bgr >> 16) & 0xFF));
}

// A square with a light bevel on its top and left and a dark one on its
// bottom and right, filled with `fill`.
QIcon BevelledSquare(const QColor& fill) {
  QPixmap pixmap(kIconSize, kIconSize);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  const QRect square(2, 2, kIconSize - 4, kIconSize - 4);
  painter.fillRect(square, fill);
  painter.setPen(fill.lighter(170));
  painter.drawLine(square.topLeft(), square.topRight());
  painter.drawLine(square.topLeft(), square.bottomLeft());
  painter.setPen(fill.darker(200));
  painter.drawLine(square.bottomLeft(), square.bottomRight());
  painter.drawLine(square.topRight(), square.bottomRight());
  return QIcon(pixmap);
}

// A folder: a tab and a body; hidden groups are drawn hollow.
QIcon Folder(const QColor& fill, bool hollow) {
  QPixmap pixmap(kIconSize, kIconSize);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setPen(fill.darker(180));
  painter.setBrush(hollow ? QBrush(Qt::NoBrush) : QBrush(fill));
  painter.drawRect(1, 3, 6, 2);
  painter.drawRect(1, 5, 13, 9);
  return QIcon(pixmap);
}

// A rejected item: a red square crossed.
QIcon Rejected() {
  QPixmap pixmap(kIconSize, kIconSize);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.fillRect(QRect(2, 2, kIconSize - 4, kIconSize - 4), QColor(200, 30, 30));
  painter.setPen(QPen(Qt::white, 2));
  painter.drawLine(5, 5, kIconSize - 6, kIconSize - 6);
  painter.drawLine(kIconSize - 6, 5, 5, kIconSize - 6);
  return QIcon(pixmap);
}

}  // namespace

QMimeData* MakeScenarioItemMime(const std::string& text, int level, char letter) {
  auto* data = new QMimeData();
  QByteArray bytes = QByteArray::number(level);
  bytes += '\t';
  bytes += letter;
  bytes += '\t';
  bytes += QByteArray(text.data(), static_cast<qsizetype>(text.size()));
  data->setData(kScenarioItemMime, bytes);
  data->setText(ToQt(text));
  return data;
}

bool ReadScenarioItemMime(const QMimeData* data, std::string& text, int& level, char& letter) {
  if (data == nullptr || !data->hasFormat(kScenarioItemMime)) return false;
  const QByteArray bytes = data->data(kScenarioItemMime);
  const qsizetype first = bytes.indexOf('\t');
  if (first < 1 || first + 2 >= bytes.size() || bytes[first + 2] != '\t') return false;
  bool ok = false;
  level = bytes.left(first).toInt(&ok);
  if (!ok || level < 0 || level > 3) return false;
  letter = bytes[first + 1];
  if (letter != 'V' && letter != 'A' && letter != 'S' && letter != '?') return false;
  const QByteArray body = bytes.mid(first + 3);
  text.assign(body.constData(), static_cast<size_t>(body.size()));
  return !text.empty();
}

// ------------------------------------------------------------ tree widget

TScenarioTreeWidget::TScenarioTreeWidget(TDlgScenario& owner) : QTreeWidget(&owner), owner_(owner) {
  setHeaderHidden(true);
  setColumnCount(1);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setDragEnabled(true);
  setAcceptDrops(true);
  setDragDropMode(QAbstractItemView::DragDrop);
  setDefaultDropAction(Qt::MoveAction);
  setEditTriggers(QAbstractItemView::EditKeyPressed);
  setUniformRowHeights(true);
}

void TScenarioTreeWidget::dragEnterEvent(QDragEnterEvent* event) {
  if (event->source() == this || event->mimeData()->hasFormat(kScenarioItemMime)) {
    event->acceptProposedAction();
  } else {
    event->ignore();
  }
}

void TScenarioTreeWidget::dragMoveEvent(QDragMoveEvent* event) {
  if (event->source() == this || event->mimeData()->hasFormat(kScenarioItemMime)) {
    event->acceptProposedAction();
  } else {
    event->ignore();
  }
}

void TScenarioTreeWidget::dropEvent(QDropEvent* event) {
  const QPoint at = event->position().toPoint();
  if (event->source() == this) {
    // The widget must not move its own rows: the editor moves the node and
    // the tree is drawn again once the drag has returned.
    event->setDropAction(Qt::IgnoreAction);
    event->accept();
    QMetaObject::invokeMethod(
        this, [this, at] { MoveSelectedTo(at); }, Qt::QueuedConnection);
    return;
  }
  if (DropData(event->mimeData(), at, event->modifiers())) {
    event->acceptProposedAction();
  } else {
    event->ignore();
  }
}

bool TScenarioTreeWidget::MoveSelectedTo(const QPoint& position) {
  ScenarioEditor& editor = owner_.editor();
  ScenarioNode* moved = editor.selected();
  ScenarioNode* target = TDlgScenario::NodeOf(itemAt(position));
  if (moved == nullptr || target == nullptr || moved == target) return false;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const bool done = editor.MoveNode(moved, target);
  QApplication::restoreOverrideCursor();
  if (!done) return false;
  editor.Select(moved);
  owner_.AfterCommand();
  return true;
}

bool TScenarioTreeWidget::DropData(const QMimeData* data, const QPoint& position, Qt::KeyboardModifiers modifiers) {
  return owner_.DropOutside(data, TDlgScenario::NodeOf(itemAt(position)), modifiers);
}

void TScenarioTreeWidget::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier && state() != EditingState) {
    owner_.ToolButtonSupprimerClick();
    return;
  }
  QTreeWidget::keyPressEvent(event);
}

// ------------------------------------------------------------ the side panel

TScenarioSidePanel::TScenarioSidePanel(TDlgScenario& owner, QWidget* parent) : QWidget(parent), owner_(owner) {
  setAcceptDrops(true);
}

void TScenarioSidePanel::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasFormat(kScenarioItemMime)) {
    event->acceptProposedAction();
  } else {
    event->ignore();
  }
}

void TScenarioSidePanel::dragMoveEvent(QDragMoveEvent* event) {
  if (event->mimeData()->hasFormat(kScenarioItemMime)) {
    event->acceptProposedAction();
  } else {
    event->ignore();
  }
}

void TScenarioSidePanel::dropEvent(QDropEvent* event) {
  if (owner_.DropOutside(event->mimeData(), nullptr, event->modifiers())) {
    event->acceptProposedAction();
  } else {
    event->ignore();
  }
}

// ------------------------------------------------------------ the window

TDlgScenario::TDlgScenario(ScenarioEditor& editor, ScenarioAnomalyList& anomalies, SettingsRecord& record,
                           Messages& messages, QWidget* parent)
    : QMainWindow(parent, Qt::Tool), editor_(editor), anomalies_(anomalies), record_(record), messages_(messages) {
  setObjectName("DlgScenario");
  MakeIcons();
  CreateLayout();
  CreateActions();
  ApplyFonts();
  printTarget_ = [this](QPrinter& printer) {
    if (!QPrinterInfo::availablePrinters().isEmpty()) {
      QPrintDialog dialog(&printer, this);
      return dialog.exec() == QDialog::Accepted;
    }
    // No printer: the tree goes to a PDF file in the scenario's folder.
    printer.setOutputFormat(QPrinter::PdfFormat);
    QString name = ToQt(record_.scenarioFile());
    if (name.isEmpty()) name = "scenario";
    printer.setOutputFileName(QDir::home().filePath(QFileInfo(name).completeBaseName() + ".pdf"));
    statusBar()->showMessage(printer.outputFileName());
    return true;
  };
  RefreshTexts();
}

bool TDlgScenario::DropOutside(const QMimeData* data, ScenarioNode* target, Qt::KeyboardModifiers modifiers) {
  std::string text;
  int level = 0;
  char letter = '?';
  if (!ReadScenarioItemMime(data, text, level, letter)) return false;
  editor_.SetPending(text, level, letter);
  const bool added = editor_.DropFromOutside(target, (modifiers & Qt::ControlModifier) != 0, letter == 'S');
  // A refused drop may still have selected the duplicate it found.
  AfterCommand();
  return added;
}

QString TDlgScenario::Text(int id) const { return ToQt(messages_.message(id)); }

void TDlgScenario::MakeIcons() {
  icons_[static_cast<int>(ScenarioIcon::kClass)] = BevelledSquare(FromRecordColour(record_.colour(kClassIconColour)));
  icons_[static_cast<int>(ScenarioIcon::kVerb)] = BevelledSquare(FromRecordColour(record_.colour(kVerbIconColour)));
  icons_[static_cast<int>(ScenarioIcon::kAdjective)] =
      BevelledSquare(FromRecordColour(record_.colour(kAdjectiveIconColour)));
  icons_[static_cast<int>(ScenarioIcon::kWord)] = BevelledSquare(Qt::black);
  icons_[static_cast<int>(ScenarioIcon::kSubstantive)] = BevelledSquare(QColor(0, 128, 128));
  icons_[static_cast<int>(ScenarioIcon::kRejected)] = Rejected();
  icons_[static_cast<int>(ScenarioIcon::kGroup)] = Folder(QColor(230, 190, 60), false);
  icons_[static_cast<int>(ScenarioIcon::kHiddenGroup)] = Folder(QColor(150, 150, 150), true);
}

QIcon TDlgScenario::IconOf(ScenarioIcon icon) const {
  auto it = icons_.find(static_cast<int>(icon));
  return it == icons_.end() ? QIcon() : it->second;
}

void TDlgScenario::CreateLayout() {
  auto* splitter = new QSplitter(Qt::Horizontal, this);
  TreeView1 = new TScenarioTreeWidget(*this);
  TreeView1->setIconSize(QSize(kIconSize, kIconSize));
  splitter->addWidget(TreeView1);

  auto* side = PanelCote = new TScenarioSidePanel(*this, splitter);
  auto* layout = new QVBoxLayout(side);
  auto* searchRow = new QHBoxLayout();
  EditChercher = new QLineEdit(side);
  EditChercher->setMaxLength(78);
  EditChercher->setToolTip(Text(1066));
  ButtonChercher = new QPushButton("&" + Text(520), side);
  Image3 = new QLabel(side);
  Image3->setPixmap(IconOf(ScenarioIcon::kClass).pixmap(kIconSize, kIconSize));
  Image3->setToolTip(Text(722));
  EditChercher->setMinimumWidth(140);
  searchRow->addWidget(EditChercher, 1);
  searchRow->addWidget(Image3);
  layout->addLayout(searchRow);
  layout->addWidget(ButtonChercher, 0, Qt::AlignLeft);

  QString group = Text(522);
  if (!group.isEmpty()) group[0] = group[0].toUpper();
  auto* grid = new QGridLayout();
  ImageNoeud = new QLabel(side);
  LabelGroupe = new QLabel(group + ":", side);
  LabelGroupeTexte = new QLabel(side);
  LabelGroupeTexte->setWordWrap(true);
  LabelItem = new QLabel(Text(463) + ":", side);
  LabelItemTexte = new QLabel(side);
  LabelItemTexte->setWordWrap(true);
  CheckBoxVisible = new QCheckBox(Text(883), side);
  CheckBoxVisible->setToolTip(Text(884));
  grid->addWidget(ImageNoeud, 0, 0);
  grid->addWidget(LabelGroupe, 0, 1);
  grid->addWidget(LabelGroupeTexte, 1, 1);
  grid->addWidget(CheckBoxVisible, 2, 1);
  grid->addWidget(LabelItem, 3, 1);
  grid->addWidget(LabelItemTexte, 4, 1);
  layout->addLayout(grid);
  layout->addStretch(1);
  splitter->addWidget(side);
  side->setMinimumWidth(kSidePanelWidth);
  splitter->setStretchFactor(0, 3);
  splitter->setStretchFactor(1, 1);
  splitter->setChildrenCollapsible(false);
  setCentralWidget(splitter);

  StatusText = new QLabel(this);
  statusBar()->addWidget(StatusText, 1);

  connect(TreeView1, &QTreeWidget::itemSelectionChanged, this, [this] { SelectionChanged(); });
  connect(TreeView1, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item, int) { ItemRenamed(item); });
  connect(EditChercher, &QLineEdit::textEdited, this, [this] { editor_.ResetSearchPosition(); });
  connect(EditChercher, &QLineEdit::returnPressed, this, [this] { ButtonChercherClick(); });
  connect(ButtonChercher, &QPushButton::clicked, this, [this] { ButtonChercherClick(); });
  connect(CheckBoxVisible, &QCheckBox::clicked, this, [this](bool on) { CheckBoxVisibleClick(on); });
}

void TDlgScenario::CreateActions() {
  const QString create = Text(518) + " " + Text(463).toLower() + " / " + Text(520);
  const QString newGroup = Text(607) + " " + Text(522).toLower();
  const auto make = [this](const QString& text, QKeySequence key, void (TDlgScenario::*slot)()) {
    auto* action = new QAction(text, this);
    if (!key.isEmpty()) action->setShortcut(key);
    action->setShortcutContext(Qt::WindowShortcut);
    if (slot != nullptr) connect(action, &QAction::triggered, this, [this, slot] { (this->*slot)(); });
    return action;
  };
  MenuNouveau1 = make(Text(607) + " / " + Text(625), QKeySequence(Qt::CTRL | Qt::Key_N),
                      &TDlgScenario::ToolButtonNouveauClick);
  MenuOuvrir1 = make(Text(527), QKeySequence(Qt::CTRL | Qt::Key_O), &TDlgScenario::ToolButtonOuvrirClick);
  MenuEnregistrer1 = make(Text(604), QKeySequence(Qt::CTRL | Qt::Key_S), &TDlgScenario::ToolButtonEnregistrerClick);
  MenuEnregistrerSous = make(Text(605), QKeySequence(), &TDlgScenario::MenuEnregistrerSousClick);
  MenuImprimer1 = make(Text(606), QKeySequence(Qt::CTRL | Qt::Key_P), &TDlgScenario::ToolButtonImprimerClick);
  MenuDossierScenario = make(Text(635), QKeySequence(), nullptr);
  MenuQuitter1 = make(Text(608), QKeySequence(), nullptr);
  connect(MenuQuitter1, &QAction::triggered, this, &QWidget::close);
  MenuCrergroupe1 = make(newGroup, QKeySequence(Qt::CTRL | Qt::Key_G), &TDlgScenario::ToolButtonCreerGroupeClick);
  // Create item opens the word search, once the main window gives it.
  MenuCreeritem1 = make(create, QKeySequence(Qt::CTRL | Qt::Key_I), &TDlgScenario::MenuCreeritemClick);
  MenuCreeritem1->setEnabled(false);
  MenuCouper1 = make(Text(600), QKeySequence(Qt::CTRL | Qt::Key_X), &TDlgScenario::ToolButtonCouperClick);
  MenuColler1 = make(Text(601), QKeySequence(Qt::CTRL | Qt::Key_V), &TDlgScenario::ToolButtonCollerClick);
  MenuSupprimer1 = make(Text(602), QKeySequence(Qt::CTRL | Qt::Key_Delete), &TDlgScenario::ToolButtonSupprimerClick);
  MenuDissocier = make(Text(829), QKeySequence(), &TDlgScenario::PopupDissocierClick);
  MenuAnnulerModifs = make(Text(795), QKeySequence(), &TDlgScenario::MenuAnnulerModifsClick);
  MenuDevelopper = make(Text(826), QKeySequence(Qt::CTRL | Qt::Key_D), nullptr);
  connect(MenuDevelopper, &QAction::triggered, TreeView1, &QTreeView::expandAll);
  MenuReduireBranche = make(Text(827), QKeySequence(Qt::CTRL | Qt::Key_R), nullptr);
  connect(MenuReduireBranche, &QAction::triggered, TreeView1, &QTreeView::collapseAll);
  MenuTrier = make(Text(891), QKeySequence(Qt::CTRL | Qt::Key_T), &TDlgScenario::MenuTrierClick);
  MenuOptions = make(Text(620), QKeySequence(), nullptr);
  MenuOptions->setEnabled(false);
  connect(MenuOptions, &QAction::triggered, this, [this] {
    if (showOptions_) showOptions_();
  });
  connect(MenuDossierScenario, &QAction::triggered, this, [this] {
    if (showFolder_) showFolder_();
  });

  QMenu* file = menuBar()->addMenu("&" + Text(324));
  for (QAction* a : {MenuNouveau1, MenuOuvrir1, MenuEnregistrer1, MenuEnregistrerSous}) file->addAction(a);
  file->addSeparator();
  file->addAction(MenuImprimer1);
  file->addAction(MenuDossierScenario);
  file->addSeparator();
  file->addAction(MenuQuitter1);
  QMenu* edit = menuBar()->addMenu("&" + Text(609));
  for (QAction* a : {MenuCrergroupe1, MenuCreeritem1}) edit->addAction(a);
  edit->addSeparator();
  for (QAction* a : {MenuCouper1, MenuColler1, MenuSupprimer1, MenuDissocier}) edit->addAction(a);
  edit->addSeparator();
  edit->addAction(MenuAnnulerModifs);
  QMenu* tree = menuBar()->addMenu("&" + Text(828));
  for (QAction* a : {MenuDevelopper, MenuReduireBranche, MenuTrier}) tree->addAction(a);
  QMenu* options = menuBar()->addMenu("&" + Text(620));
  options->addAction(MenuOptions);
  QMenu* help = menuBar()->addMenu("&" + Text(616));
  for (int id : {747, 801, 802, 803}) help->addAction(Text(id))->setEnabled(false);

  QToolBar* toolbar = addToolBar(Text(828));
  toolbar->setObjectName("scenarioToolbar");
  toolbar->setToolButtonStyle(Qt::ToolButtonTextOnly);
  for (QAction* a : {MenuNouveau1, MenuOuvrir1, MenuEnregistrer1, MenuImprimer1}) toolbar->addAction(a);
  toolbar->addSeparator();
  for (QAction* a : {MenuCrergroupe1, MenuCreeritem1, MenuCouper1, MenuColler1, MenuSupprimer1, MenuDissocier})
    toolbar->addAction(a);

  PopupMenu1 = new QMenu(TreeView1);
  PopupCouper = PopupMenu1->addAction(Text(600), this, [this] { ToolButtonCouperClick(); });
  PopupColler = PopupMenu1->addAction(Text(601), this, [this] { ToolButtonCollerClick(); });
  PopupEffacer = PopupMenu1->addAction(Text(602), this, [this] { ToolButtonSupprimerClick(); });
  PopupMenu1->addSeparator();
  PopupModifier = PopupMenu1->addAction(Text(624), this, [this] { PopupModifierClick(); });
  PopupModifier->setShortcut(QKeySequence(Qt::Key_F2));
  PopupDissocier = PopupMenu1->addAction(Text(829), this, [this] { PopupDissocierClick(); });
  PopupNouveauGroupe1 = PopupMenu1->addAction(newGroup, this, [this] { PopupNouveauGroupe1Click(); });
  PopuMajuscules = PopupMenu1->addAction(Text(2046), this, [this] { PopuMajusculesClick(); });
  PopuMajuscules->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
  PopupMenu1->addSeparator();
  PopupRechercheInterne = PopupMenu1->addAction(Text(1066), this, [this] {
    if (ScenarioNode* node = editor_.selected()) EditChercher->setText(ToQt(ScenarioNodeBareText(*node)));
    ButtonChercherClick();
  });
  // The shortcuts of the pop-up work while the window has the focus.
  for (QAction* a : {PopupModifier, PopuMajuscules}) {
    a->setShortcutContext(Qt::WindowShortcut);
    addAction(a);
  }
  TreeView1->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(TreeView1, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { PopupMenu1->popup(TreeView1->viewport()->mapToGlobal(at)); });
}

void TDlgScenario::ApplyFonts() {
  largeFonts_ = record_.largeFonts();
  const int points = largeFonts_ ? 14 : 8;
  for (QWidget* w : std::initializer_list<QWidget*>{TreeView1, EditChercher, ButtonChercher, LabelGroupe,
                                                    LabelGroupeTexte, LabelItem, LabelItemTexte, CheckBoxVisible,
                                                    StatusText}) {
    QFont font = w->font();
    font.setPointSize(points);
    w->setFont(font);
  }
  // The side panel widens with its texts, and the tree's and the panel's
  // pictures grow with the rows, so that the larger labels are not cut.
  const int iconSize = largeFonts_ ? kIconSize * 14 / 8 : kIconSize;
  PanelCote->setMinimumWidth(largeFonts_ ? kSidePanelWidth * 14 / 8 : kSidePanelWidth);
  EditChercher->setMinimumWidth(largeFonts_ ? 140 * 14 / 8 : 140);
  TreeView1->setIconSize(QSize(iconSize, iconSize));
  Image3->setPixmap(IconOf(ScenarioIcon::kClass).pixmap(iconSize, iconSize));
  if (PanelCote->layout() != nullptr) PanelCote->layout()->activate();
}

void TDlgScenario::MenuCreeritemClick() {
  if (!createItem_) return;
  const ScenarioNode* node = editor_.selected();
  std::string text = node != nullptr ? ScenarioNodeBareText(*node) : FromQt(EditChercher->text());
  createItem_(text);
}

void TDlgScenario::PlaceOnDesktop() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  const QRect area = screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
  const int width = std::max(1, std::min(area.width() / 2, 520));
  const int height = std::max(1, area.height() - 80);
  setGeometry(area.right() + 1 - width, area.top() + 40, width, height);
}

void TDlgScenario::Open() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  editor_.RebuildTree();
  if (largeFonts_ != record_.largeFonts()) ApplyFonts();
  Redraw();
  RefreshTexts();
  QApplication::restoreOverrideCursor();
  if (!placed_) {
    PlaceOnDesktop();
    placed_ = true;
  }
  show();
  raise();
  activateWindow();
}

ScenarioNode* TDlgScenario::NodeOf(const QTreeWidgetItem* item) {
  if (item == nullptr) return nullptr;
  return static_cast<ScenarioNode*>(item->data(0, kNodeRole).value<void*>());
}

QTreeWidgetItem* TDlgScenario::ItemOf(const ScenarioNode* node) const {
  auto it = items_.find(node);
  return it == items_.end() ? nullptr : it->second;
}

void TDlgScenario::FillChildren(QTreeWidgetItem* parentItem, const ScenarioNode* parent) {
  const auto& children = parent == nullptr ? editor_.tree().roots() : parent->children;
  QList<QTreeWidgetItem*> made;
  made.reserve(static_cast<qsizetype>(children.size()));
  for (const auto& child : children) {
    auto* item = new QTreeWidgetItem();
    item->setText(0, ToQt(child->text));
    item->setIcon(0, IconOf(child->icon));
    item->setData(0, kNodeRole, QVariant::fromValue(static_cast<void*>(child.get())));
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled;
    if (ScenarioEditor::CanRename(*child)) flags |= Qt::ItemIsEditable;
    item->setFlags(flags);
    items_[child.get()] = item;
    made.push_back(item);
    FillChildren(item, child.get());
  }
  if (parentItem == nullptr) {
    TreeView1->addTopLevelItems(made);
  } else {
    parentItem->addChildren(made);
  }
}

void TDlgScenario::Redraw() {
  std::unordered_set<const ScenarioNode*> expanded;
  for (const auto& [node, item] : items_)
    if (item->isExpanded()) expanded.insert(node);
  filling_ = true;
  TreeView1->setUpdatesEnabled(false);
  TreeView1->clear();
  items_.clear();
  FillChildren(nullptr, nullptr);
  for (const ScenarioNode* node : expanded)
    if (QTreeWidgetItem* item = ItemOf(node)) item->setExpanded(true);
  if (QTreeWidgetItem* item = ItemOf(editor_.selected())) {
    // The selection is shown with what it holds (a group just added to
    // shows its new item).
    for (QTreeWidgetItem* p = item; p != nullptr; p = p->parent()) p->setExpanded(true);
    TreeView1->setCurrentItem(item);
    TreeView1->scrollToItem(item);
  }
  TreeView1->setUpdatesEnabled(true);
  filling_ = false;
}

void TDlgScenario::RefreshTexts() {
  setWindowTitle(ToQt(editor_.Title()));
  StatusText->setText(ToQt(editor_.StatusText(anomalies_.count())));
  ShowSidePanel();
}

void TDlgScenario::ShowSidePanel() {
  ScenarioNode* node = editor_.selected();
  const ScenarioSidePanel panel = editor_.SidePanel(node);
  const bool any = node != nullptr;
  LabelGroupeTexte->setText(ToQt(panel.groupLabel));
  CheckBoxVisible->setVisible(any && panel.group);
  {
    const QSignalBlocker quiet(CheckBoxVisible);
    CheckBoxVisible->setChecked(panel.visible);
  }
  CheckBoxVisible->setText(ToQt(panel.visibleCaption));
  LabelItem->setVisible(any && !panel.group);
  LabelItemTexte->setVisible(any && !panel.group);
  LabelItemTexte->setText(ToQt(panel.itemLabel));
  ImageNoeud->setPixmap(any ? IconOf(node->icon).pixmap(TreeView1->iconSize()) : QPixmap());
  for (QAction* a : {MenuCouper1, PopupCouper, MenuDissocier, PopupDissocier, MenuSupprimer1, PopupEffacer})
    a->setEnabled(any);
  MenuColler1->setEnabled(editor_.pasteEnabled());
  PopupColler->setEnabled(editor_.pasteEnabled());
  PopupModifier->setEnabled(any && ScenarioEditor::CanRename(*node));
  PopuMajuscules->setEnabled(any && node->IsVisibleGroup());
  PopupNouveauGroupe1->setEnabled(any);
  MenuAnnulerModifs->setEnabled(editor_.modified());
}

void TDlgScenario::SelectionChanged() {
  if (filling_) return;
  editor_.Select(NodeOf(TreeView1->currentItem()));
  RefreshTexts();
}

void TDlgScenario::ItemRenamed(QTreeWidgetItem* item) {
  if (filling_) return;
  ScenarioNode* node = NodeOf(item);
  if (node == nullptr) return;
  const std::string label = FromQt(item->text(0));
  if (label == node->text) return;
  editor_.Select(node);
  editor_.Rename(node, label);
  // The widget may still be closing its editor: draw once it returned.
  QMetaObject::invokeMethod(this, [this] { AfterCommand(); }, Qt::QueuedConnection);
}

void TDlgScenario::AfterCommand() {
  Redraw();
  RefreshTexts();
}

void TDlgScenario::EditSelected() {
  if (QTreeWidgetItem* item = ItemOf(editor_.selected())) {
    TreeView1->setFocus();
    TreeView1->setCurrentItem(item);
    if (item->flags() & Qt::ItemIsEditable) TreeView1->editItem(item, 0);
  }
}

// ------------------------------------------------------------ commands

void TDlgScenario::ToolButtonCreerGroupeClick() {
  if (editor_.CreateGroup() == nullptr) return;
  AfterCommand();
  EditSelected();
}

void TDlgScenario::PopupNouveauGroupe1Click() {
  if (editor_.NewGroupBesideSelection() == nullptr) return;
  AfterCommand();
  EditSelected();
}

void TDlgScenario::PopupModifierClick() {
  ScenarioNode* node = editor_.selected();
  if (node != nullptr && ScenarioEditor::CanRename(*node)) EditSelected();
}

void TDlgScenario::ToolButtonCouperClick() {
  editor_.Cut();
  RefreshTexts();
}

void TDlgScenario::ToolButtonCollerClick() {
  editor_.Paste();
  AfterCommand();
}

void TDlgScenario::ToolButtonSupprimerClick() {
  if (editor_.DeleteSelected()) AfterCommand();
}

void TDlgScenario::PopupDissocierClick() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const bool done = editor_.Dissociate();
  QApplication::restoreOverrideCursor();
  if (done) AfterCommand();
}

void TDlgScenario::PopuMajusculesClick() {
  if (editor_.Capitalise(editor_.selected())) AfterCommand();
}

void TDlgScenario::CheckBoxVisibleClick(bool checked) {
  if (editor_.SetVisible(editor_.selected(), checked)) AfterCommand();
}

void TDlgScenario::ButtonChercherClick() {
  const std::string text = FromQt(EditChercher->text());
  if (text.empty()) {
    EditChercher->setFocus();
    return;
  }
  if (editor_.SearchInScenario(text) != nullptr) AfterCommand();
}

void TDlgScenario::ToolButtonNouveauClick() {
  statusBar()->clearMessage();
  anomalies_.Clear();
  editor_.New();
  AfterCommand();
}

void TDlgScenario::ToolButtonOuvrirClick() {
  statusBar()->clearMessage();
  QApplication::setOverrideCursor(Qt::WaitCursor);
  editor_.Open();
  QApplication::restoreOverrideCursor();
  AfterCommand();
}

void TDlgScenario::ToolButtonEnregistrerClick() {
  statusBar()->clearMessage();
  editor_.Save();
  AfterCommand();
}

void TDlgScenario::MenuEnregistrerSousClick() {
  statusBar()->clearMessage();
  editor_.SaveAs();
  AfterCommand();
}

void TDlgScenario::MenuAnnulerModifsClick() {
  if (editor_.CancelAllChanges()) AfterCommand();
}

void TDlgScenario::MenuTrierClick() {
  editor_.SortAll();
  AfterCommand();
}

void TDlgScenario::ToolButtonImprimerClick() {
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(Text(309) + " " + ToQt(record_.scenarioFile()));
  if (!printTarget_ || !printTarget_(printer)) return;
  PrintTree(printer);
}

void TDlgScenario::PrintTree(QPrinter& printer) {
  QPainter painter;
  if (!painter.begin(&printer)) return;
  QFont font("Sans Serif", 11);
  painter.setFont(font);
  const int height = painter.fontMetrics().height();
  const int line = height + height * 4 / 10;
  const QRect page = painter.viewport();
  const int linesPerPage = std::max(1, page.height() / std::max(1, line) - 3);
  const QString title = Text(309) + " " + ToQt(record_.scenarioFile());
  const QString hidden = "###";
  const QString error = Text(61);
  const std::vector<ScenarioPrintPage> pages = PaginateScenarioTree(editor_.tree(), linesPerPage);
  const auto frame = [&](int number) {
    const QRect titleBand(0, line, page.width(), line);
    painter.drawText(titleBand, Qt::AlignHCenter | Qt::AlignVCenter, title);
    painter.drawLine(0, 2 * line + 2, page.width(), 2 * line + 2);
    const QRect numberBand(0, page.height() - 2 * line, page.width(), line);
    painter.drawLine(0, numberBand.top() - 2, page.width(), numberBand.top() - 2);
    painter.drawText(numberBand, Qt::AlignHCenter | Qt::AlignVCenter, QString::number(number));
  };
  for (size_t p = 0; p < pages.size(); ++p) {
    if (p > 0) printer.newPage();
    for (const ScenarioPrintLine& l : pages[p].lines) {
      const int y = l.row * line;
      const int x = line * (l.depth + 2);
      painter.drawLine(x - line, y, x - line, y + line / 2);
      painter.drawLine(x - line, y + line / 2, x - 2, y + line / 2);
      for (int k = 0; k < l.depth; ++k) painter.drawLine(line * (k + 1), y - line / 2, line * (k + 1), y + line);
      painter.drawText(QRect(x, y, page.width() - x, line), Qt::AlignLeft | Qt::AlignVCenter, ToQt(l.node->text));
      const QString mark = l.node->icon == ScenarioIcon::kHiddenGroup ? hidden
                           : l.node->icon == ScenarioIcon::kRejected   ? error
                                                                        : QString();
      if (!mark.isEmpty()) painter.drawText(QRect(0, y, page.width(), line), Qt::AlignRight | Qt::AlignVCenter, mark);
    }
    frame(static_cast<int>(p + 1));
  }
  painter.end();
}

void TDlgScenario::closeEvent(QCloseEvent* event) {
  if (!editor_.Close()) {
    event->ignore();
    return;
  }
  event->accept();
  Q_EMIT closed();
}

}  // namespace malvex
