#include "gui/scenarios/dlg_terminology.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPainter>
#include <QScreen>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include "engine/engine.h"
#include "foundations/messages.h"
#include "gui/qt_text.h"
#include "views/terminology.h"

namespace malvex {

namespace {

// The pop-up's Select all.
constexpr int kSelectAllMessage = 2240;

// The stored line ("head TAB compound TAB frequency") behind a shown row.
constexpr int kStoredLineRole = Qt::UserRole + 1;

// Draws a line as a bevelled square filled by the term's frequency, then
// "head => compound (frequency)".
class TermLineDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    painter->save();
    const bool selected = (option.state & QStyle::State_Selected) != 0;
    painter->fillRect(option.rect, selected ? option.palette.highlight() : option.palette.base());
    const std::string stored = FromQt(index.data(kStoredLineRole).toString());
    const TermColour c = TermFrequencyColour(TermLineFrequency(stored));
    const QRect r = option.rect;
    const QRect square(QPoint(r.left() + 4, r.top() + 1), QPoint(r.left() + 16, r.bottom() - 1));
    painter->fillRect(square, QColor(c.red, c.green, c.blue));
    painter->setPen(QColor(255, 255, 255));
    painter->drawLine(square.topLeft(), square.topRight());
    painter->drawLine(square.topLeft(), square.bottomLeft());
    painter->setPen(QColor(64, 64, 64));
    painter->drawLine(square.bottomLeft(), square.bottomRight());
    painter->drawLine(square.topRight(), square.bottomRight());
    painter->setPen(selected ? option.palette.highlightedText().color() : option.palette.text().color());
    const QRect text(r.left() + 19, r.top(), r.width() - 19, r.height());
    painter->drawText(text, Qt::AlignLeft | Qt::AlignVCenter, ToQt(TermLineDisplay(stored)));
    painter->restore();
  }

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.setHeight(std::max(size.height(), 16));
    size.setWidth(size.width() + 19);
    return size;
  }
};

}  // namespace

TDlgExtracteurTerminologique::TDlgExtracteurTerminologique(Engine& engine, TerminologyHost& host, QWidget* parent)
    : QDialog(parent, Qt::Window), engine_(engine),
      model_(std::make_unique<TerminologyWindowModel>(engine, host)) {
  setObjectName("DlgExtracteurTerminologique");
  setWindowTitle(ToQt(model_->Title()));
  CreateControls();
  PlaceOnScreen();
}

QString TDlgExtracteurTerminologique::Text(int id) const { return ToQt(engine_.messages().message(id)); }

void TDlgExtracteurTerminologique::CreateControls() {
  auto* layout = new QVBoxLayout(this);
  PageControl1 = new QTabWidget(this);
  layout->addWidget(PageControl1, 1);

  TabSheet1 = new QWidget(PageControl1);
  auto* results = new QVBoxLayout(TabSheet1);
  ListBox1 = new QListWidget(TabSheet1);
  ListBox1->setSelectionMode(QAbstractItemView::ExtendedSelection);
  ListBox1->setItemDelegate(new TermLineDelegate(ListBox1));
  ListBox1->setContextMenuPolicy(Qt::CustomContextMenu);
  results->addWidget(ListBox1);
  PageControl1->addTab(TabSheet1, Text(656));

  TabSheetOptions = new QWidget(PageControl1);
  auto* options = new QVBoxLayout(TabSheetOptions);
  GroupBoxOptionsAffichage = new QGroupBox(Text(kTerminologyTitleMessage), TabSheetOptions);
  auto* show = new QVBoxLayout(GroupBoxOptionsAffichage);
  RadioButtonAfficherExpressions = new QRadioButton(Text(1252), GroupBoxOptionsAffichage);
  RadioButtonAfficherNonClasses = new QRadioButton(Text(769), GroupBoxOptionsAffichage);
  RadioButtonToutAfficher = new QRadioButton(Text(1049), GroupBoxOptionsAffichage);
  for (QRadioButton* b : {RadioButtonAfficherExpressions, RadioButtonAfficherNonClasses, RadioButtonToutAfficher})
    show->addWidget(b);
  GroupBoxOptionsFiltrer = new QGroupBox(Text(763), TabSheetOptions);
  auto* filter = new QVBoxLayout(GroupBoxOptionsFiltrer);
  RadioButtonMotsTresSignificatifs = new QRadioButton(Text(1253), GroupBoxOptionsFiltrer);
  RadioButtonNePasFiltrer = new QRadioButton(Text(1049), GroupBoxOptionsFiltrer);
  filter->addWidget(RadioButtonMotsTresSignificatifs);
  filter->addWidget(RadioButtonNePasFiltrer);
  LabelExpliquerOptions = new QLabel(Text(1254), TabSheetOptions);
  LabelExpliquerOptions->setWordWrap(true);
  options->addWidget(GroupBoxOptionsAffichage);
  options->addWidget(GroupBoxOptionsFiltrer);
  options->addWidget(LabelExpliquerOptions);
  options->addStretch(1);
  PageControl1->addTab(TabSheetOptions, Text(620));

  TabSheet2 = new QWidget(PageControl1);
  auto* explain = new QVBoxLayout(TabSheet2);
  LabelTitreExpliquer = new QLabel(Text(kTerminologyTitleMessage), TabSheet2);
  QFont bold = LabelTitreExpliquer->font();
  bold.setBold(true);
  LabelTitreExpliquer->setFont(bold);
  RichEdit4 = new QTextEdit(TabSheet2);
  RichEdit4->setReadOnly(true);
  const auto escaped = [this](int id) { return Text(id).toHtmlEscaped(); };
  RichEdit4->setHtml("<p>" + escaped(1237) + "</p><ul><li>" + escaped(1238) + "</li><li>" + escaped(1239) +
                     "</li></ul><p></p><p>" + escaped(1240) + "</p><p>" + escaped(1241) + "</p><p>" +
                     escaped(1242) + "</p>");
  explain->addWidget(LabelTitreExpliquer);
  explain->addWidget(RichEdit4, 1);
  PageControl1->addTab(TabSheet2, Text(1070));

  // The scenario and localize boxes, then the buttons.
  auto* panel = new QHBoxLayout();
  GroupBoxScenario = new QGroupBox(Text(741), this);
  auto* scenario = new QGridLayout(GroupBoxScenario);
  RadioButtonAjouter = new QRadioButton(Text(741), GroupBoxScenario);
  RadioButtonAjouter->setToolTip(Text(524));
  RadioButtonInserer = new QRadioButton(Text(622), GroupBoxScenario);
  RadioButtonInserer->setToolTip(Text(525));
  ButtonInserer = new QPushButton("&" + Text(309) + " >>", GroupBoxScenario);
  ButtonInserer->setToolTip(Text(688) + " (" + Text(309) + ")");
  CheckBoxSousClasserScenario = new QCheckBox(Text(1255), GroupBoxScenario);
  CheckBoxSousClasserScenario->setToolTip(Text(1256));
  scenario->addWidget(RadioButtonAjouter, 0, 0);
  scenario->addWidget(RadioButtonInserer, 1, 0);
  scenario->addWidget(ButtonInserer, 0, 1);
  scenario->addWidget(CheckBoxSousClasserScenario, 1, 1);
  GroupBoxLocaliser = new QGroupBox(Text(812), this);
  auto* localise = new QVBoxLayout(GroupBoxLocaliser);
  CheckBoxRechercheAutomatique = new QCheckBox(Text(309), GroupBoxLocaliser);
  CheckBoxRechercheAutomatique->setToolTip(Text(1199));
  CheckBoxLocaliserTexte = new QCheckBox(Text(719), GroupBoxLocaliser);
  localise->addWidget(CheckBoxRechercheAutomatique);
  localise->addWidget(CheckBoxLocaliserTexte);
  panel->addWidget(GroupBoxScenario, 1);
  panel->addWidget(GroupBoxLocaliser);
  layout->addLayout(panel);

  auto* buttons = new QHBoxLayout();
  ButtonRetablir = new QPushButton("&" + Text(737), this);
  ButtonAnnuler = new QPushButton("&" + Text(608), this);
  // No help file comes with this version.
  ButtonAide = new QPushButton("&" + Text(616), this);
  ButtonAide->setEnabled(false);
  buttons->addWidget(ButtonRetablir);
  buttons->addStretch(1);
  buttons->addWidget(ButtonAide);
  buttons->addWidget(ButtonAnnuler);
  layout->addLayout(buttons);
  StatusBar1 = new QStatusBar(this);
  StatusBar1->setSizeGripEnabled(false);
  layout->addWidget(StatusBar1);

  PopupMenu1 = new QMenu(this);
  PopupMenuAjouter = PopupMenu1->addAction(Text(741));
  PopupMenuInserer = PopupMenu1->addAction(Text(622));
  PopupMenu1->addSeparator();
  PopupMenuCopy = PopupMenu1->addAction(Text(579));
  PopupMenuToutSelectionner = PopupMenu1->addAction(Text(kSelectAllMessage));
  PopupMenuToutSelectionner->setShortcut(QKeySequence::SelectAll);
  ListBox1->addAction(PopupMenuToutSelectionner);
  PopupMenuCopy->setShortcut(QKeySequence::Copy);
  ListBox1->addAction(PopupMenuCopy);

  // The settings' state.
  const TerminologyWindowModel& m = *model_;
  switch (m.show()) {
    case TerminologyWindowModel::Show::kCompounds: RadioButtonAfficherExpressions->setChecked(true); break;
    case TerminologyWindowModel::Show::kNonClassified: RadioButtonAfficherNonClasses->setChecked(true); break;
    case TerminologyWindowModel::Show::kAll: RadioButtonToutAfficher->setChecked(true); break;
  }
  (m.filter() ? RadioButtonMotsTresSignificatifs : RadioButtonNePasFiltrer)->setChecked(true);
  (m.addMode() ? RadioButtonAjouter : RadioButtonInserer)->setChecked(true);
  CheckBoxSousClasserScenario->setChecked(m.subclassify());
  CheckBoxRechercheAutomatique->setChecked(m.searchScenario());
  CheckBoxLocaliserTexte->setChecked(m.localizeText());

  connect(ButtonRetablir, &QPushButton::clicked, this, [this] { ButtonRetablirClick(); });
  connect(ButtonAnnuler, &QPushButton::clicked, this, &QWidget::close);
  connect(ButtonInserer, &QPushButton::clicked, this, [this] { ButtonInsererClick(); });
  connect(ListBox1, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    model_->Click(static_cast<size_t>(ListBox1->row(item)));
    ShowStatus();
  });
  connect(ListBox1, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { PopupMenu1->popup(ListBox1->viewport()->mapToGlobal(at)); });
  connect(PopupMenuAjouter, &QAction::triggered, this, [this] { Insert(true); });
  connect(PopupMenuInserer, &QAction::triggered, this, [this] { Insert(false); });
  connect(PopupMenuCopy, &QAction::triggered, this, [this] { CopyClick(); });
  connect(PopupMenuToutSelectionner, &QAction::triggered, ListBox1, &QListWidget::selectAll);
  connect(CheckBoxRechercheAutomatique, &QCheckBox::toggled, this,
          [this](bool on) { model_->setSearchScenario(on); });
  connect(CheckBoxLocaliserTexte, &QCheckBox::toggled, this, [this](bool on) { model_->setLocalizeText(on); });
  connect(CheckBoxSousClasserScenario, &QCheckBox::toggled, this, [this](bool on) { model_->setSubclassify(on); });
  connect(RadioButtonAjouter, &QRadioButton::toggled, this, [this](bool on) { model_->setAddMode(on); });
}

void TDlgExtracteurTerminologique::PlaceOnScreen() {
  int width = 480;
  int height = 560;
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QSize size = screen->size();
    if (size.height() > 768) height = 680;
    if (size.width() > 1200) width = 520;
    // A small screen: a smaller font, and the Localize box goes.
    if (size.height() < 600) {
      QFont small = font();
      small.setPointSize(6);
      setFont(small);
      GroupBoxLocaliser->hide();
    }
  }
  resize(width, height);
}

void TDlgExtracteurTerminologique::StoreOptions() {
  TerminologyWindowModel::Show show = TerminologyWindowModel::Show::kAll;
  if (RadioButtonAfficherExpressions->isChecked()) show = TerminologyWindowModel::Show::kCompounds;
  if (RadioButtonAfficherNonClasses->isChecked()) show = TerminologyWindowModel::Show::kNonClassified;
  model_->setShow(show);
  model_->setFilter(!RadioButtonNePasFiltrer->isChecked());
}

void TDlgExtracteurTerminologique::ButtonRetablirClick() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  StatusBar1->showMessage(Text(71));
  ButtonRetablir->setEnabled(false);
  ButtonInserer->setEnabled(false);
  StoreOptions();
  model_->Run();
  FillList();
  ButtonRetablir->setEnabled(true);
  ButtonInserer->setEnabled(true);
  ShowStatus();
  PageControl1->setCurrentWidget(TabSheet1);
  QApplication::restoreOverrideCursor();
}

void TDlgExtracteurTerminologique::FillList() {
  ListBox1->clear();
  for (const std::string& line : model_->lines()) {
    auto* item = new QListWidgetItem(ToQt(TermLineDisplay(line)), ListBox1);
    item->setData(kStoredLineRole, ToQt(line));
  }
}

void TDlgExtracteurTerminologique::ShowStatus() { StatusBar1->showMessage(ToQt(model_->status())); }

std::vector<size_t> TDlgExtracteurTerminologique::SelectedRows() const {
  std::vector<size_t> rows;
  for (int row = 0; row < ListBox1->count(); ++row)
    if (ListBox1->item(row)->isSelected()) rows.push_back(static_cast<size_t>(row));
  return rows;
}

void TDlgExtracteurTerminologique::ButtonInsererClick() { Insert(RadioButtonAjouter->isChecked()); }

void TDlgExtracteurTerminologique::Insert(bool add) {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  ListBox1->setUpdatesEnabled(false);
  const size_t before = model_->lines().size();
  model_->Insert(SelectedRows(), add);
  if (model_->lines().size() != before) FillList();
  ListBox1->setUpdatesEnabled(true);
  QApplication::restoreOverrideCursor();
}

void TDlgExtracteurTerminologique::CopyClick() {
  QGuiApplication::clipboard()->setText(ToQt(model_->CopyText()));
  ShowStatus();
}

void TDlgExtracteurTerminologique::closeEvent(QCloseEvent* event) {
  model_->StoreSettings();
  QDialog::closeEvent(event);
  Q_EMIT closed();
}

}  // namespace malvex
