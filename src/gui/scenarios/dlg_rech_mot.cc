#include "gui/scenarios/dlg_rech_mot.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QToolTip>
#include <QVBoxLayout>

#include "engine/engine.h"
#include "foundations/messages.h"
#include "gui/qt_text.h"
#include "gui/scenarios/dlg_scenario.h"

namespace malvex {

namespace {

inline constexpr int kMsgSearch = 520;
inline constexpr int kMsgAdd = 741;
inline constexpr int kHelpTopic = 986;

// Item data of a check-list line.
inline constexpr int kKindRole = Qt::UserRole;
inline constexpr int kOperatorRole = Qt::UserRole + 1;

// Width of the check box column before a line's own drawing.
inline constexpr int kCheckColumn = 18;

// Draws a meanings line: the operator 2 pixels from the left, the text 12
// pixels from it; sub-levels indented behind a connector, scenario groups
// in blue (yellow when selected).
class SensDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QStyleOptionViewItem opt(option);
    initStyleOption(&opt, index);
    const bool selected = (opt.state & QStyle::State_Selected) != 0;
    const bool enabled = (index.flags() & Qt::ItemIsEnabled) != 0;
    const QRect r = opt.rect;
    painter->save();
    painter->fillRect(r, selected ? opt.palette.highlight() : opt.palette.base());

    QStyleOptionButton box;
    box.rect = QRect(r.left() + 2, r.top() + (r.height() - 13) / 2, 13, 13);
    box.state = (index.data(Qt::CheckStateRole).toInt() == Qt::Checked ? QStyle::State_On : QStyle::State_Off);
    if (enabled) box.state |= QStyle::State_Enabled;
    const QWidget* widget = opt.widget;
    QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
    style->drawPrimitive(QStyle::PE_IndicatorCheckBox, &box, painter, widget);

    const int left = r.left() + kCheckColumn;
    const int kind = index.data(kKindRole).toInt();
    QColor ink = selected ? opt.palette.highlightedText().color() : opt.palette.text().color();
    if (!enabled) ink = opt.palette.color(QPalette::Disabled, QPalette::Text);
    if (kind == TParseCmdCriteres::kKindGroup) ink = selected ? QColor(Qt::yellow) : QColor(Qt::blue);
    painter->setFont(opt.font);
    painter->setPen(ink);
    const QRect textBox(left + 2, r.top(), r.width(), r.height());
    painter->drawText(textBox, Qt::AlignVCenter | Qt::AlignLeft, index.data(kOperatorRole).toString());

    int x = left + 12;
    if (kind == TParseCmdCriteres::kKindLevel2 || kind == TParseCmdCriteres::kKindLevel3) {
      const int cx = left + 10 * kind + 6;
      const int cy = r.top() + r.height() / 2;
      painter->setPen(selected ? QColor(Qt::white) : ink);
      painter->drawLine(cx, r.top(), cx, cy);
      painter->drawLine(cx, cy, cx + 20, cy);
      painter->setPen(ink);
      x = cx + 22;
    }
    painter->drawText(QRect(x, r.top(), r.right() - x, r.height()), Qt::AlignVCenter | Qt::AlignLeft,
                      index.data(Qt::DisplayRole).toString());
    painter->restore();
  }

  // A click on the check box column, or a double click on the line,
  // toggles the check.
  bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override {
    const bool checkable = (index.flags() & Qt::ItemIsUserCheckable) != 0 && (index.flags() & Qt::ItemIsEnabled) != 0;
    if (!checkable) return false;
    bool toggle = false;
    if (event->type() == QEvent::MouseButtonRelease) {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      toggle = mouse->button() == Qt::LeftButton && mouse->position().x() - option.rect.left() < kCheckColumn;
    } else if (event->type() == QEvent::MouseButtonDblClick) {
      toggle = true;
    } else if (event->type() == QEvent::KeyPress) {
      toggle = static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space;
    }
    if (!toggle) return false;
    const bool checked = index.data(Qt::CheckStateRole).toInt() == Qt::Checked;
    return model->setData(index, checked ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
  }
};

}  // namespace

TDlgRechMot::TDlgRechMot(Engine& engine, TextSearch& search, WordSearchHost& host, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint), messages_(engine.messages()) {
  model_ = std::make_unique<WordSearchModel>(engine, search, host);
  setWindowTitle(Text(kMsgSearch) + " / " + Text(kMsgAdd));
  setAttribute(Qt::WA_DeleteOnClose, false);
  setAcceptDrops(true);
  CreateLayout();
  Refresh();
  PlaceOnDesktop();
}

TDlgRechMot::~TDlgRechMot() = default;

QString TDlgRechMot::Text(int id) { return ToQt(messages_.message(id)); }

void TDlgRechMot::CreateLayout() {
  auto* layout = new QVBoxLayout(this);
  LabelMot1 = new QLabel(Text(689), this);
  EditUnMot = new QComboBox(this);
  EditUnMot->setEditable(true);
  EditUnMot->setInsertPolicy(QComboBox::NoInsert);
  EditUnMot->lineEdit()->setMaxLength(static_cast<int>(WordSearchModel::kWordBoxChars));
  EditUnMot->lineEdit()->setPlaceholderText(Text(694));
  EditUnMot->setToolTip(Text(694));
  EditUnMot->setMinimumWidth(240);
  EditUnMot->lineEdit()->installEventFilter(this);
  ButtonChercher = new QPushButton("&" + Text(kMsgSearch), this);
  ButtonChercher->setToolTip(Text(437));
  ButtonChercher->setDefault(true);
  auto* wordRow = new QHBoxLayout();
  wordRow->addWidget(EditUnMot, 1);
  wordRow->addWidget(ButtonChercher);
  layout->addWidget(LabelMot1);
  layout->addLayout(wordRow);

  CheckBoxDepuisDebut = new QCheckBox(Text(742), this);
  CheckBoxDepuisDebut->setToolTip(Text(783));
  CheckBoxMotEntier = new QCheckBox("&" + Text(784), this);
  CheckBoxMotEntier->setToolTip(Text(785));
  auto* optionRow = new QHBoxLayout();
  optionRow->addWidget(CheckBoxDepuisDebut);
  optionRow->addWidget(CheckBoxMotEntier);
  optionRow->addStretch(1);
  layout->addLayout(optionRow);

  GroupBox1 = new QGroupBox(Text(690), this);
  auto* group = new QGridLayout(GroupBox1);
  RadioButtonMot = new QRadioButton("&" + Text(691), GroupBox1);
  RadioButtonClasse = new QRadioButton("&" + Text(692), GroupBox1);
  RadioButtonClasse->setToolTip(Text(693));
  ImageFleche = new QLabel(QString::fromUtf8("\u2193"), GroupBox1);
  ImageFleche->setToolTip(Text(693));
  ImageFleche->installEventFilter(this);
  ListBoxSens = new QListWidget(GroupBox1);
  ListBoxSens->setItemDelegate(new SensDelegate(ListBoxSens));
  ListBoxSens->setMinimumHeight(160);
  ListBoxSens->setAcceptDrops(false);
  group->addWidget(RadioButtonMot, 0, 0, 1, 2);
  group->addWidget(RadioButtonClasse, 1, 0);
  group->addWidget(ImageFleche, 1, 1, Qt::AlignRight);
  group->addWidget(ListBoxSens, 2, 0, 1, 2);
  layout->addWidget(GroupBox1, 1);

  RadioButtonAjouter = new QRadioButton(Text(741), this);
  RadioButtonAjouter->setToolTip(Text(524));
  RadioButtonInserer = new QRadioButton(Text(622), this);
  RadioButtonInserer->setToolTip(Text(525));
  ButtonInserer = new QPushButton("&" + Text(309) + " >>", this);
  ButtonInserer->setToolTip(Text(688) + " (" + Text(309) + ")");
  SpeedButtonLierScenarioEtTexte = new QToolButton(this);
  SpeedButtonLierScenarioEtTexte->setText(QString::fromUtf8("\u21C4"));
  SpeedButtonLierScenarioEtTexte->setToolTip(Text(1199));
  SpeedButtonLierScenarioEtTexte->setCheckable(true);
  SpeedButtonNePasArrimerLeScenario = new QToolButton(this);
  SpeedButtonNePasArrimerLeScenario->setText(QString::fromUtf8("\u2260"));
  SpeedButtonNePasArrimerLeScenario->setToolTip(Text(1200));
  SpeedButtonNePasArrimerLeScenario->setCheckable(true);
  auto* insertRow = new QHBoxLayout();
  insertRow->addWidget(RadioButtonAjouter);
  insertRow->addWidget(RadioButtonInserer);
  insertRow->addStretch(1);
  insertRow->addWidget(SpeedButtonLierScenarioEtTexte);
  insertRow->addWidget(SpeedButtonNePasArrimerLeScenario);
  insertRow->addWidget(ButtonInserer);
  layout->addLayout(insertRow);
  CheckBoxSousClasserScenario = new QCheckBox(Text(1256), this);
  CheckBoxSousClasserScenario->setToolTip(Text(1255));
  layout->addWidget(CheckBoxSousClasserScenario);

  // The two insertion modes and the two reposition buttons each exclude
  // the other.
  auto* modes = new QButtonGroup(this);
  modes->addButton(RadioButtonAjouter);
  modes->addButton(RadioButtonInserer);
  auto* reposition = new QButtonGroup(this);
  reposition->addButton(SpeedButtonLierScenarioEtTexte);
  reposition->addButton(SpeedButtonNePasArrimerLeScenario);
  reposition->setExclusive(true);

  setContextMenuPolicy(Qt::CustomContextMenu);
  connect(this, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    QMenu menu(this);
    QAction* close = menu.addAction(Text(545));
    QAction* help = menu.addAction(Text(616));
    help->setEnabled(false);
    help->setData(kHelpTopic);
    if (menu.exec(mapToGlobal(at)) == close) this->close();
  });

  connect(EditUnMot, &QComboBox::editTextChanged, this, &TDlgRechMot::EditUnMotChange);
  connect(ButtonChercher, &QPushButton::clicked, this, &TDlgRechMot::ButtonChercherClick);
  connect(ButtonInserer, &QPushButton::clicked, this, &TDlgRechMot::ButtonInsererClick);
  connect(CheckBoxDepuisDebut, &QCheckBox::toggled, this, [this](bool on) { model_->SetFromTop(on); });
  connect(CheckBoxMotEntier, &QCheckBox::toggled, this, [this](bool on) { model_->SetWholeWord(on); });
  connect(RadioButtonMot, &QRadioButton::toggled, this, [this](bool on) {
    if (filling_) return;
    model_->SetItself(on);
    Refresh();
  });
  connect(RadioButtonAjouter, &QRadioButton::toggled, this, [this](bool on) {
    if (!filling_) model_->SetAddMode(on);
  });
  connect(CheckBoxSousClasserScenario, &QCheckBox::toggled, this, [this](bool on) {
    if (!filling_) model_->SetSubclassify(on);
  });
  connect(SpeedButtonLierScenarioEtTexte, &QToolButton::toggled, this, [this](bool on) {
    if (!filling_ && on) model_->SetReposition(true);
  });
  connect(SpeedButtonNePasArrimerLeScenario, &QToolButton::toggled, this, [this](bool on) {
    if (!filling_ && on) model_->SetReposition(false);
  });
  connect(ListBoxSens, &QListWidget::itemChanged, this, &TDlgRechMot::ListItemChanged);
  connect(ListBoxSens, &QListWidget::itemClicked, this, [this] {
    model_->SetItself(false);
    Refresh();
  });
}

void TDlgRechMot::PlaceOnDesktop() {
  adjustSize();
  const QScreen* screen = QGuiApplication::primaryScreen();
  const QRect area = screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
  move(std::max(area.left(), area.right() + 1 - 100 - width()), std::max(area.top(), area.bottom() + 1 - 80 - height()));
}

void TDlgRechMot::FillList() {
  const QSignalBlocker quiet(ListBoxSens);
  ListBoxSens->clear();
  for (const CriteriaLine& line : model_->lines()) {
    QString text = ToQt(line.display);
    if (line.kind == TParseCmdCriteres::kKindGroup) text += " (" + Text(309) + ")";
    auto* item = new QListWidgetItem(text, ListBoxSens);
    Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsUserCheckable;
    if (!line.disabled) flags |= Qt::ItemIsEnabled;
    item->setFlags(flags);
    item->setCheckState(line.checked ? Qt::Checked : Qt::Unchecked);
    item->setData(kKindRole, line.kind);
    item->setData(kOperatorRole, QString(QChar::fromLatin1(line.op)));
  }
}

void TDlgRechMot::ShowBoxHistory() {
  const QSignalBlocker quiet(EditUnMot);
  const QString current = EditUnMot->currentText();
  EditUnMot->clear();
  for (const std::string& entry : model_->boxHistory()) EditUnMot->addItem(ToQt(entry));
  EditUnMot->setEditText(current);
}

void TDlgRechMot::Refresh() {
  filling_ = true;
  {
    const QSignalBlocker a(CheckBoxDepuisDebut);
    const QSignalBlocker b(CheckBoxMotEntier);
    CheckBoxDepuisDebut->setChecked(model_->fromTop());
    CheckBoxMotEntier->setChecked(model_->wholeWord());
  }
  CheckBoxDepuisDebut->setEnabled(model_->optionBoxesEnabled());
  CheckBoxMotEntier->setEnabled(model_->optionBoxesEnabled());
  RadioButtonMot->setChecked(model_->itself());
  RadioButtonClasse->setChecked(!model_->itself());
  RadioButtonAjouter->setChecked(model_->addMode());
  RadioButtonInserer->setChecked(!model_->addMode());
  CheckBoxSousClasserScenario->setChecked(model_->subclassify());
  SpeedButtonLierScenarioEtTexte->setChecked(model_->reposition());
  SpeedButtonNePasArrimerLeScenario->setChecked(!model_->reposition());
  ButtonChercher->setEnabled(model_->searchEnabled());
  ButtonInserer->setEnabled(model_->insertEnabled());
  FillList();
  filling_ = false;
}

void TDlgRechMot::EditUnMotChange(const QString& text) {
  if (filling_) return;
  model_->EditUnMotChange(FromQt(text));
  Refresh();
}

void TDlgRechMot::SetWord(const std::string& text) {
  {
    const QSignalBlocker quiet(EditUnMot);
    EditUnMot->setEditText(ToQt(text.substr(0, WordSearchModel::kWordBoxChars)));
  }
  model_->EditUnMotChange(text);
  Refresh();
}

void TDlgRechMot::SearchWord(const std::string& text) {
  SetWord(text);
  ButtonChercherClick();
}

void TDlgRechMot::Actualiser() {
  model_->Actualiser();
  Refresh();
}

void TDlgRechMot::ListItemChanged(QListWidgetItem* item) {
  if (filling_ || item == nullptr) return;
  model_->ListBoxSensClickCheck(ListBoxSens->row(item) + 1, item->checkState() == Qt::Checked);
  const int row = ListBoxSens->row(item);
  Refresh();
  ListBoxSens->setCurrentRow(row);
}

void TDlgRechMot::ButtonChercherClick() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  model_->ButtonChercherClick();
  QApplication::restoreOverrideCursor();
  ShowBoxHistory();
  Refresh();
}

void TDlgRechMot::ButtonInsererClick() {
  model_->ButtonInsererClick();
  ShowBoxHistory();
  Refresh();
}

void TDlgRechMot::closeEvent(QCloseEvent* event) {
  model_->FormClose();
  QDialog::closeEvent(event);
}

bool TDlgRechMot::eventFilter(QObject* watched, QEvent* event) {
  if (watched == EditUnMot->lineEdit() && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      ButtonChercherClick();
      return true;
    }
  }
  if (watched == ImageFleche && event->type() == QEvent::MouseButtonRelease) {
    ListBoxSens->setFocus();
    QToolTip::showText(ImageFleche->mapToGlobal(QPoint(0, ImageFleche->height())), ImageFleche->toolTip());
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void TDlgRechMot::dragEnterEvent(QDragEnterEvent* event) {
  const QMimeData* data = event->mimeData();
  if (data->hasFormat(kScenarioItemMime) || data->hasText()) event->acceptProposedAction();
}

void TDlgRechMot::dropEvent(QDropEvent* event) {
  std::string text;
  int level = 0;
  char letter = '?';
  const QMimeData* data = event->mimeData();
  if (!ReadScenarioItemMime(data, text, level, letter)) {
    if (!data->hasText()) return;
    text = FromQt(data->text());
  }
  if (!model_->DropText(text)) return;
  {
    const QSignalBlocker quiet(EditUnMot);
    EditUnMot->setEditText(ToQt(model_->text()));
  }
  Refresh();
  event->acceptProposedAction();
}

}  // namespace malvex
