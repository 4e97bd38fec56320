#include "gui/app/dlg_report_mng.h"

#include <QApplication>
#include <QButtonGroup>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>
#include <cstdlib>

#include "engine/engine.h"
#include "foundations/messages.h"
#include "gui/app/main_window.h"
#include "gui/qt_text.h"
#include "integrations/xlsx_workbook.h"
#include "views/result_function_table.h"

namespace malvex {

namespace {

constexpr int kMsgLoading = 72;  // "Loading"

}  // namespace

bool WorkbookReportOutput::Write(const ScenarioReport& report, const std::string& path, std::string& error) {
  return WriteReportWorkbook(report, path, messages_, error);
}

ReportOutput::Opening WorkbookReportOutput::Open(const std::string& path) {
  const char* pathVariable = std::getenv("PATH");
  switch (OpenSpreadsheet(path, pathVariable != nullptr ? pathVariable : "")) {
    case SpreadsheetOpening::kOpened:
      return Opening::kOpened;
    case SpreadsheetOpening::kNoProgram:
      return Opening::kNoProgram;
    case SpreadsheetOpening::kFailed:
      break;
  }
  return Opening::kFailed;
}

TDlgReportMng::TDlgReportMng(ReportDialogModel& model, Messages& messages, std::string path, QWidget* parent)
    : QDialog(parent), model_(model), messages_(messages), path_(std::move(path)), ownOutput_(messages),
      output_(&ownOutput_) {
  setModal(true);
  auto text = [&messages](int id) { return ToQt(messages.message(id)); };
  setWindowTitle(text(1148));

  PageControl = new QTabWidget(this);
  TabSheet1 = new QWidget(PageControl);
  TabSheet2 = new QWidget(PageControl);
  PageControl->addTab(TabSheet1, text(894));
  PageControl->addTab(TabSheet2, text(1070));

  GroupBoxTypeDeTableau = new QGroupBox(text(192).trimmed(), TabSheet1);
  auto* tableLayout = new QVBoxLayout(GroupBoxTypeDeTableau);
  RadioButtonTableauSelection = new QRadioButton(text(1149), GroupBoxTypeDeTableau);
  RadioButtonTableauBranche = new QRadioButton(text(1150), GroupBoxTypeDeTableau);
  RadioButtonTableauTout = new QRadioButton(text(1151), GroupBoxTypeDeTableau);
  auto* scopes = new QButtonGroup(this);
  int id = 0;
  for (QRadioButton* b : {RadioButtonTableauSelection, RadioButtonTableauBranche, RadioButtonTableauTout}) {
    scopes->addButton(b, id++);
    tableLayout->addWidget(b);
  }
  connect(scopes, &QButtonGroup::idClicked, this, [this](int scope) { model_.SetScope(static_cast<ReportScope>(scope)); });

  GroupBoxGraphe = new QGroupBox(text(512), TabSheet1);
  auto* graphLayout = new QGridLayout(GroupBoxGraphe);
  CheckBoxAfficherGraphe = new QCheckBox(text(877), GroupBoxGraphe);
  LabelTypeGraphe = new QLabel(text(731), GroupBoxGraphe);
  ComboTypeDeGraphe = new QComboBox(GroupBoxGraphe);
  for (const std::string& name : model_.ChartNames()) ComboTypeDeGraphe->addItem(ToQt(name));
  LabelWarningLimites2 = new QLabel(text(1158), GroupBoxGraphe);
  UpDownFreq = new QSpinBox(GroupBoxGraphe);
  UpDownFreq->setRange(1, ReportDialogModel::kMaxGraphsLimit);
  graphLayout->addWidget(CheckBoxAfficherGraphe, 0, 0, 1, 2);
  graphLayout->addWidget(LabelTypeGraphe, 1, 0);
  graphLayout->addWidget(ComboTypeDeGraphe, 1, 1);
  graphLayout->addWidget(LabelWarningLimites2, 2, 0);
  graphLayout->addWidget(UpDownFreq, 2, 1);
  connect(CheckBoxAfficherGraphe, &QCheckBox::toggled, this, [this](bool on) { model_.SetShowGraph(on); });
  connect(ComboTypeDeGraphe, &QComboBox::currentIndexChanged, this, [this](int i) { model_.SetChartIndex(i); });
  connect(UpDownFreq, &QSpinBox::valueChanged, this, [this](int n) { model_.SetMaxGraphs(n); });

  auto* parameters = new QVBoxLayout(TabSheet1);
  parameters->addWidget(GroupBoxTypeDeTableau);
  parameters->addWidget(GroupBoxGraphe);
  parameters->addStretch(1);

  LabelTitreExpliquer = new QLabel(text(1148), TabSheet2);
  QFont bold = LabelTitreExpliquer->font();
  bold.setBold(true);
  LabelTitreExpliquer->setFont(bold);
  RichEdit4 = new QTextEdit(TabSheet2);
  RichEdit4->setReadOnly(true);
  RichEdit4->setPlainText(ToQt(model_.ExplainText()));
  auto* explain = new QVBoxLayout(TabSheet2);
  explain->addWidget(LabelTitreExpliquer);
  explain->addWidget(RichEdit4, 1);

  OKBtn = new QPushButton(text(680), this);
  OKBtn->setDefault(true);
  CancelBtn = new QPushButton(text(608), this);
  ButtonHelp = new QPushButton(text(616), this);
  // This version has no help file to open.
  ButtonHelp->setEnabled(false);
  connect(OKBtn, &QPushButton::clicked, this, [this] { OKBtnClick(); });
  connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(OKBtn);
  buttons->addWidget(CancelBtn);
  buttons->addWidget(ButtonHelp);

  StatusBar = new QStatusBar(this);
  StatusBar->setSizeGripEnabled(false);
  StatusPanel1 = new QLabel(StatusBar);
  StatusPanel1->setMinimumWidth(40);
  StatusPanel2 = new QLabel(StatusBar);
  StatusPanel2->setWordWrap(true);
  // Room for a message that names where the workbook is.
  StatusPanel2->setMinimumHeight(StatusPanel2->fontMetrics().lineSpacing() * 3);
  StatusPanel2->setTextInteractionFlags(Qt::TextSelectableByMouse);
  StatusBar->addWidget(StatusPanel1);
  StatusBar->addWidget(StatusPanel2, 1);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(PageControl, 1);
  layout->addLayout(buttons);
  layout->addWidget(StatusBar);

  model_.Open();
  ShowModel();
  resize(sizeHint().expandedTo(QSize(460, 380)));
}

void TDlgReportMng::ShowModel() {
  QSignalBlocker b1(CheckBoxAfficherGraphe), b2(ComboTypeDeGraphe), b3(UpDownFreq);
  RadioButtonTableauSelection->setChecked(model_.scope() == ReportScope::kSelection);
  RadioButtonTableauBranche->setChecked(model_.scope() == ReportScope::kBranch);
  RadioButtonTableauTout->setChecked(model_.scope() == ReportScope::kWhole);
  RadioButtonTableauSelection->setEnabled(model_.selectionScopesEnabled());
  RadioButtonTableauBranche->setEnabled(model_.selectionScopesEnabled());
  CheckBoxAfficherGraphe->setChecked(model_.showGraph());
  ComboTypeDeGraphe->setCurrentIndex(model_.chartIndex());
  UpDownFreq->setValue(model_.maxGraphs());
  PageControl->setEnabled(model_.pagesEnabled());
  OKBtn->setEnabled(model_.okEnabled());
  StatusPanel2->setText(ToQt(model_.status()));
}

void TDlgReportMng::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // The opening error shows once the form is on screen, over it.
  if (!errorShown_ && !model_.openingError().empty()) {
    errorShown_ = true;
    QTimer::singleShot(0, this, [this] { messages_.errorBox(model_.openingError()); });
  }
}

void TDlgReportMng::OKBtnClick() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  for (QPushButton* b : {OKBtn, CancelBtn}) b->setEnabled(false);
  StatusPanel2->setText(ToQt(messages_.message(kMsgLoading)));
  StatusPanel2->repaint();
  const ReportDialogModel::Outcome outcome = model_.Ok(path_, *output_);
  QApplication::restoreOverrideCursor();
  for (QPushButton* b : {OKBtn, CancelBtn}) b->setEnabled(true);
  StatusPanel2->setText(ToQt(model_.status()));
  if (outcome == ReportDialogModel::Outcome::kNothingCounted) QApplication::beep();
  if (outcome == ReportDialogModel::Outcome::kSavedOnly) {
    StatusPanel1->setText(QString::number(model_.report().blocks.size()));
  }
  if (outcome == ReportDialogModel::Outcome::kOpened) accept();
}

// File, Report: the Scenario groups of the last analysis and the group of
// the Scenario list's chosen line.
void TApdEditForm::MenuGenererUnRapportClick() {
  std::vector<ReportGroup> groups;
  int32_t selected = 0;
  std::string textPath;
  if (results_ != nullptr && results_->Analysed()) {
    groups = ReportGroupsOf(engine_->semanticDictionary(), engine_->scenarioLayer());
    const ResultKind kind = results_->chosenFunction() >= 0 ? results_->chosenKind() : ResultKind::kNone;
    selected = ReportSelectedGroup(kind, results_->items(), results_->chosenItem());
  }
  if (engine_->files().Count() > 0) textPath = engine_->files().Get(0);
  const QString folder = QDir(QDir::tempPath()).filePath("malvex-reports");
  QDir().mkpath(folder);
  ReportDialogModel model(engine_->record(), engine_->messages(), std::move(groups), selected);
  TDlgReportMng dialog(model, engine_->messages(), ReportDialogModel::ReportPath(folder.toStdString(), textPath), this);
  dialog.exec();
}

}  // namespace malvex
