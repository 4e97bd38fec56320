#include "gui/views/result_panel.h"

#include <QActionGroup>
#include <QHBoxLayout>
#include <QMenu>
#include <QPainter>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSplitter>
#include <algorithm>
#include <utility>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include "foundations/messages.h"
#include "gui/qt_text.h"

namespace malvex {

namespace {

// Draws a result line "name<TAB>figures...": the name on the left, elided
// when the row is narrow, the figures right-aligned, so that the counts
// line up whatever the names' widths.
class TabbedLineDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QString text = opt.text;
    opt.text.clear();
    opt.widget->style()->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);
    const int tab = text.indexOf('\t');
    const QString name = tab < 0 ? text : text.left(tab);
    QString figures = tab < 0 ? QString() : text.mid(tab + 1);
    figures.replace('\t', ' ');
    figures.replace("( ", "(");
    figures.replace(" )", ")");
    // The figures stay in sight: the row ends at the list's visible edge.
    QRect r = opt.rect.adjusted(4, 0, -4, 0);
    if (const auto* view = qobject_cast<const QAbstractItemView*>(opt.widget)) {
      r.setRight(std::min(r.right(), view->viewport()->width() - 5));
    }
    painter->save();
    painter->setPen(opt.palette.color(opt.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text));
    const int figuresWidth = figures.isEmpty() ? 0 : opt.fontMetrics.horizontalAdvance(figures) + 8;
    const QString shown = opt.fontMetrics.elidedText(name, Qt::ElideRight, r.width() - figuresWidth);
    painter->drawText(r, Qt::AlignVCenter | Qt::AlignLeft, shown);
    if (!figures.isEmpty()) painter->drawText(r, Qt::AlignVCenter | Qt::AlignRight, figures);
    painter->restore();
  }

  // A row asks no more width than the list has: the name is elided rather
  // than the figures scrolled out of sight.
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    return QSize(1, QStyledItemDelegate::sizeHint(option, index).height());
  }
};

}  // namespace

TResultPanel::TResultPanel(Messages& messages, QWidget* parent) : QWidget(parent), messages_(messages) {
  LabelInfos = new QLabel;
  LabelInfos->setWordWrap(true);
  LabelInfos->setTextFormat(Qt::PlainText);
  LabelMessage = new QLabel;
  LabelMessage->setWordWrap(true);
  LabelMessage->setTextFormat(Qt::PlainText);

  ListBoxFonctions = new QListWidget(this);
  ListBoxFonctions->setSelectionMode(QAbstractItemView::SingleSelection);
  ToolButtonResultatsPrecedent = new QToolButton(this);
  ToolButtonResultatsPrecedent->setArrowType(Qt::UpArrow);
  ToolButtonResultatsPrecedent->setAutoRaise(true);
  ToolButtonResultatsSuivant = new QToolButton(this);
  ToolButtonResultatsSuivant->setArrowType(Qt::DownArrow);
  ToolButtonResultatsSuivant->setAutoRaise(true);
  CheckBoxActant = new QCheckBox(ToQt(messages_.message(460)), this);
  CheckBoxActant->setToolTip(ToQt(messages_.message(725)));
  CheckBoxActe = new QCheckBox(ToQt(messages_.message(461)), this);
  CheckBoxActe->setToolTip(ToQt(messages_.message(726)));

  ListBoxModItems = new QListWidget(this);
  ListBoxModItems->setSelectionMode(QAbstractItemView::SingleSelection);
  ListBoxModItems->setItemDelegate(new TabbedLineDelegate(ListBoxModItems));
  ListBoxModItems->setContextMenuPolicy(Qt::ActionsContextMenu);
  ListBoxModItems->setUniformItemSizes(true);
  auto* order = new QActionGroup(this);
  PopupTriAlpha = new QAction(ToQt(messages_.message(2018)), order);
  PopupTriAlpha->setCheckable(true);
  PopupTriFrequence = new QAction(ToQt(messages_.message(2019)), order);
  PopupTriFrequence->setCheckable(true);
  ListBoxModItems->addAction(PopupTriAlpha);
  ListBoxModItems->addAction(PopupTriFrequence);
  auto* branches = new QActionGroup(this);
  PopupMasquerBranches = new QAction(ToQt(messages_.message(2049)), branches);
  PopupMasquerBranches->setCheckable(true);
  PopupDevelopperTout = new QAction(ToQt(messages_.message(826)), branches);
  PopupDevelopperTout->setCheckable(true);
  ListBoxModItems->addAction(PopupMasquerBranches);
  ListBoxModItems->addAction(PopupDevelopperTout);

  ActionChercherSuivant = new QAction(ToQt(messages_.message(745)), this);
  ActionChercherSuivant->setShortcut(QKeySequence(Qt::Key_F3));
  ActionChercherSuivant->setShortcutContext(Qt::WindowShortcut);
  ActionChercherPrecedent = new QAction(this);
  ActionChercherPrecedent->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F3));
  ActionChercherPrecedent->setShortcutContext(Qt::WindowShortcut);
  addAction(ActionChercherSuivant);
  addAction(ActionChercherPrecedent);

  auto* buttons = new QHBoxLayout;
  buttons->setContentsMargins(0, 0, 0, 0);
  buttons->addWidget(ToolButtonResultatsPrecedent);
  buttons->addWidget(ToolButtonResultatsSuivant);
  buttons->addStretch(1);
  buttons->addWidget(CheckBoxActant);
  buttons->addWidget(CheckBoxActe);
  // The information area keeps its height whatever it says, so that the
  // lists below do not move under the mouse.
  // A longer text scrolls within it.
  auto* information = new QScrollArea(this);
  information->setFrameShape(QFrame::NoFrame);
  information->setWidgetResizable(true);
  information->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  auto* texts = new QWidget(information);
  auto* informationLayout = new QVBoxLayout(texts);
  informationLayout->setContentsMargins(0, 0, 0, 0);
  informationLayout->setSpacing(2);
  informationLayout->addWidget(LabelInfos);
  informationLayout->addWidget(LabelMessage);
  informationLayout->addStretch(1);
  information->setWidget(texts);
  information->setFixedHeight(kInformationHeight);
  LabelInfos->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  LabelMessage->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->addWidget(information);
  layout->addWidget(ListBoxFonctions, 2);
  layout->addLayout(buttons);
  layout->addWidget(ListBoxModItems, 5);

  connect(ListBoxFonctions, &QListWidget::currentRowChanged, this, [this](int row) {
    if (!filling_ && row >= 0) ListBoxFonctionsClick(row);
  });
  connect(ListBoxModItems, &QListWidget::currentRowChanged, this, [this](int row) {
    if (!filling_ && row >= 0) ListBoxModItemsClick(row);
  });
  // A click on the item already chosen shows it again from its first
  // occurrence.
  connect(ListBoxModItems, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    const int row = ListBoxModItems->row(item);
    if (!filling_ && model_ != nullptr && row == model_->chosenItem()) ListBoxModItemsClick(row);
  });
  connect(ToolButtonResultatsPrecedent, &QToolButton::clicked, this, [this] { ToolButtonResultatsPrecedentClick(); });
  connect(ToolButtonResultatsSuivant, &QToolButton::clicked, this, [this] { ToolButtonResultatsSuivantClick(); });
  connect(CheckBoxActant, &QCheckBox::toggled, this, [this](bool on) {
    if (filling_ || model_ == nullptr) return;
    model_->SetActant(on);
    ShowItems();
    ShowTexts();
  });
  connect(CheckBoxActe, &QCheckBox::toggled, this, [this](bool on) {
    if (filling_ || model_ == nullptr) return;
    model_->SetActed(on);
    ShowItems();
    ShowTexts();
  });
  connect(PopupTriAlpha, &QAction::triggered, this, [this] {
    if (model_ == nullptr) return;
    model_->SetAlphabetical(true);
    ShowItems();
    ShowTexts();
  });
  connect(PopupTriFrequence, &QAction::triggered, this, [this] {
    if (model_ == nullptr) return;
    model_->SetAlphabetical(false);
    ShowItems();
    ShowTexts();
  });
  for (auto [action, hidden] : {std::pair{PopupMasquerBranches, true}, std::pair{PopupDevelopperTout, false}}) {
    connect(action, &QAction::triggered, this, [this, hidden] {
      if (model_ == nullptr) return;
      model_->SetBranchesHidden(hidden);
      ShowItems();
      ShowTexts();
    });
  }
  connect(ActionChercherSuivant, &QAction::triggered, this, [this] { ChercherSuivant(true); });
  connect(ActionChercherPrecedent, &QAction::triggered, this, [this] { ChercherSuivant(false); });
  Refresh();
}

void TResultPanel::SetModel(ResultPanelModel* model) {
  model_ = model;
  Refresh();
}

void TResultPanel::Refresh() {
  ShowFunctions();
  ShowItems();
  ShowTexts();
}

void TResultPanel::ShowFunctions() {
  filling_ = true;
  ListBoxFonctions->clear();
  if (model_ != nullptr && model_->Analysed()) {
    for (const std::string& line : model_->FunctionLines()) ListBoxFonctions->addItem(ToQt(line));
    // The single "empty text" line is no function.
    ListBoxFonctions->setEnabled(model_->FunctionCount() > 0);
    ListBoxFonctions->setCurrentRow(model_->chosenFunction());
  }
  filling_ = false;
}

void TResultPanel::ShowItems() {
  filling_ = true;
  ListBoxModItems->clear();
  const bool analysed = model_ != nullptr && model_->Analysed();
  if (analysed) {
    const ResultList& items = model_->items();
    QStringList lines;
    lines.reserve(static_cast<int>(items.size()));
    for (const ResultLine& line : items.lines()) lines << ToQt(line.text);
    ListBoxModItems->addItems(lines);
    ListBoxModItems->setCurrentRow(model_->chosenItem());
  }
  const QSignalBlocker quietActant(CheckBoxActant);
  const QSignalBlocker quietActed(CheckBoxActe);
  CheckBoxActant->setChecked(model_ == nullptr || model_->actant());
  CheckBoxActe->setChecked(model_ == nullptr || model_->acted());
  CheckBoxActant->setEnabled(analysed && model_->boxesEnabled());
  CheckBoxActe->setEnabled(analysed && model_->boxesEnabled());
  PopupTriAlpha->setChecked(model_ != nullptr && model_->alphabetical());
  PopupTriFrequence->setChecked(model_ != nullptr && !model_->alphabetical());
  PopupMasquerBranches->setChecked(model_ != nullptr && model_->branchesHidden());
  PopupDevelopperTout->setChecked(model_ == nullptr || !model_->branchesHidden());
  const int chosen = analysed ? model_->chosenFunction() : -1;
  ToolButtonResultatsPrecedent->setEnabled(analysed && model_->FunctionCount() > 0 && chosen != 0);
  ToolButtonResultatsSuivant->setEnabled(analysed && chosen + 1 < model_->FunctionCount());
  filling_ = false;
}

void TResultPanel::ShowTexts() {
  if (model_ == nullptr) {
    LabelInfos->clear();
    LabelMessage->clear();
    ListBoxModItems->setToolTip(QString());
    return;
  }
  LabelInfos->setText(ToQt(model_->information()));
  LabelInfos->setToolTip(LabelInfos->text());
  LabelMessage->setText(ToQt(model_->message()));
  LabelMessage->setToolTip(LabelMessage->text());
  LabelMessage->setVisible(!model_->message().empty());
  ListBoxModItems->setToolTip(ToQt(model_->hint()));
}

void TResultPanel::AfterChoice() {
  ShowTexts();
  Q_EMIT SelectionShown(model_ != nullptr ? ToQt(model_->status()) : QString());
}

void TResultPanel::ListBoxFonctionsClick(int position) {
  if (model_ == nullptr) return;
  // A panel squeezed to nothing opens again to be seen.
  if (auto* splitter = qobject_cast<QSplitter*>(parentWidget()); splitter != nullptr && width() < 50) {
    QList<int> sizes = splitter->sizes();
    const int at = splitter->indexOf(this);
    if (at >= 0 && sizes.size() > 1) {
      const int other = at == 0 ? 1 : at - 1;
      sizes[other] = std::max(sizes[other] + sizes[at] - kDefaultWidth, 0);
      sizes[at] = kDefaultWidth;
      splitter->setSizes(sizes);
    }
  }
  if (!model_->ChooseFunction(position)) return;
  filling_ = true;
  ListBoxFonctions->setCurrentRow(position);
  filling_ = false;
  ShowItems();
  AfterChoice();
}

void TResultPanel::ListBoxModItemsClick(int index) {
  if (model_ == nullptr || !model_->ChooseItem(index)) return;
  filling_ = true;
  ListBoxModItems->setCurrentRow(index);
  filling_ = false;
  AfterChoice();
}

void TResultPanel::ToolButtonResultatsPrecedentClick() {
  if (model_ == nullptr || !model_->PreviousFunction()) return;
  ShowFunctions();
  ShowItems();
  AfterChoice();
}

void TResultPanel::ToolButtonResultatsSuivantClick() {
  if (model_ == nullptr || !model_->NextFunction()) return;
  ShowFunctions();
  ShowItems();
  AfterChoice();
}

void TResultPanel::SwitchAffichageSurDerniereFonctionUtilise() {
  if (model_ == nullptr || !model_->ChooseLastFunction()) return;
  ShowFunctions();
  ShowItems();
  AfterChoice();
}

void TResultPanel::ChercherSuivant(bool forward) {
  if (model_ == nullptr || !model_->FindOccurrence(forward)) return;
  AfterChoice();
}

}  // namespace malvex
