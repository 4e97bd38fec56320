#include "gui/scenarios/assistant_scenario.h"

#include <QApplication>
#include <algorithm>
#include <QButtonGroup>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "dictionaries/semantic_dictionary.h"
#include "engine/engine.h"
#include "foundations/messages.h"
#include "gui/qt_text.h"
#include "scenarios/scenario_editor.h"
#include "settings/settings_record.h"
#include "views/result_function_table.h"
#include "views/scenario_wizard_source.h"

namespace malvex {

namespace {

// The sheet titles of the six pages.
constexpr int kSheetTitles[] = {748, 759, 763, 542, 542, 583};

QWidget* Sheet(QStackedWidget* pages, QVBoxLayout*& layout) {
  auto* sheet = new QWidget(pages);
  layout = new QVBoxLayout(sheet);
  pages->addWidget(sheet);
  return sheet;
}

QLabel* Paragraph(QWidget* parent, const QString& text, bool bold = false) {
  auto* label = new QLabel(bold ? "<b>" + text.toHtmlEscaped() + "</b>" : text, parent);
  label->setWordWrap(true);
  return label;
}

}  // namespace

TAssistantScenario::TAssistantScenario(QWidget* parent, ScenarioWizardModel& model, Messages& messages)
    : QDialog(parent), model_(model), messages_(messages) {
  setWindowTitle(ToQt(model_.Title()));
  setObjectName("TAssistantScenario");
  auto* layout = new QVBoxLayout(this);
  SheetTitle = new QLabel(this);
  layout->addWidget(SheetTitle);
  PageControl1 = new QStackedWidget(this);
  layout->addWidget(PageControl1, 1);
  QVBoxLayout* l = nullptr;

  QWidget* s1 = Sheet(PageControl1, l);
  l->addWidget(Paragraph(s1, Text(749), true));
  l->addWidget(Paragraph(s1, Text(750)));
  l->addWidget(Paragraph(s1, Text(751), true));
  l->addWidget(Paragraph(s1, Text(752)));
  RadioButtonNouveauScenVide = new QRadioButton(Text(753), s1);
  RadioButtonNouveauScenAPartirDuTexte = new QRadioButton(Text(754), s1);
  RadioButtonNouveauScenExistant = new QRadioButton(Text(755), s1);
  for (QRadioButton* r : {RadioButtonNouveauScenVide, RadioButtonNouveauScenAPartirDuTexte, RadioButtonNouveauScenExistant})
    l->addWidget(r);
  l->addStretch();

  QWidget* s2 = Sheet(PageControl1, l);
  l->addWidget(Paragraph(s2, Text(760)));
  l->addWidget(Paragraph(s2, Text(761), true));
  l->addWidget(Paragraph(s2, Text(762)));
  RadioUniv1 = new QRadioButton(Text(307), s2);
  RadioUniv2 = new QRadioButton(Text(308), s2);
  RadioUniv3 = new QRadioButton(Text(300), s2);
  RadioMotsNonClasses = new QRadioButton(Text(769), s2);
  RadioAjoutDesLemmes = new QRadioButton(Text(852), s2);
  RadioUniv3->setChecked(true);
  using Level = ScenarioWizardModel::Level;
  const std::pair<QRadioButton*, Level> levels[] = {
      {RadioUniv1, Level::kReferenceFields1}, {RadioUniv2, Level::kReferenceFields2},
      {RadioUniv3, Level::kReferences},       {RadioMotsNonClasses, Level::kNonClassified},
      {RadioAjoutDesLemmes, Level::kSubstantives}};
  for (const auto& [radio, level] : levels) {
    l->addWidget(radio);
    const Level chosen = level;
    connect(radio, &QRadioButton::clicked, this, [this, chosen] { model_.ChooseLevel(chosen); });
  }
  l->addStretch();

  QWidget* s3 = Sheet(PageControl1, l);
  l->addWidget(Paragraph(s3, Text(764)));
  l->addWidget(Paragraph(s3, Text(765)));
  auto* row = new QHBoxLayout();
  row->addWidget(new QLabel(Text(766), s3));
  ValSeuilFreq = new QLineEdit(ToQt(model_.thresholdText()), s3);
  ValSeuilFreq->setMaximumWidth(80);
  UpFreq = new QToolButton(s3);
  UpFreq->setArrowType(Qt::UpArrow);
  DownFreq = new QToolButton(s3);
  DownFreq->setArrowType(Qt::DownArrow);
  row->addWidget(ValSeuilFreq);
  row->addWidget(UpFreq);
  row->addWidget(DownFreq);
  row->addStretch();
  l->addLayout(row);
  connect(UpFreq, &QToolButton::clicked, this, [this] { StepThreshold(1); });
  connect(DownFreq, &QToolButton::clicked, this, [this] { StepThreshold(-1); });
  CheckBoxSousClasser = new QCheckBox(Text(1255), s3);
  CheckBoxSousClasser->setChecked(model_.subclassify());
  l->addWidget(CheckBoxSousClasser);
  l->addStretch();

  QWidget* s4 = Sheet(PageControl1, l);
  l->addWidget(Paragraph(s4, Text(767)));
  l->addStretch();
  QWidget* s5 = Sheet(PageControl1, l);
  l->addWidget(Paragraph(s5, Text(768)));
  l->addStretch();

  QWidget* s6 = Sheet(PageControl1, l);
  l->addWidget(Paragraph(s6, Text(770), true));
  // Each text is copied before the next is fetched: they share one buffer.
  const QString hint = Text(771) + " " + Text(712);
  l->addWidget(Paragraph(s6, hint));
  FileListBox1 = new QListWidget(s6);
  FileListBox1->setSelectionMode(QAbstractItemView::ExtendedSelection);
  for (size_t i = 0; i < model_.files().size(); ++i) {
    auto* item = new QListWidgetItem(ToQt(model_.files()[i]), FileListBox1);
    item->setSelected(model_.selection()[i]);
  }
  l->addWidget(FileListBox1);
  connect(FileListBox1, &QListWidget::itemSelectionChanged, this, [this] {
    TakeChoices();
    ShowState();
  });

  auto* buttons = new QHBoxLayout();
  ButtonPrecedent = new QPushButton("< &" + Text(744), this);
  ButtonSuivant = new QPushButton("&" + Text(745) + " >", this);
  ButtonTerminer = new QPushButton(Text(746), this);
  ButtonAide = new QPushButton(Text(616), this);
  ButtonAide->setEnabled(false);  // no help file in this edition
  buttons->addStretch();
  for (QPushButton* b : {ButtonPrecedent, ButtonSuivant, ButtonTerminer, ButtonAide}) buttons->addWidget(b);
  layout->addLayout(buttons);
  ButtonSuivant->setDefault(true);
  connect(ButtonPrecedent, &QPushButton::clicked, this, [this] { ButtonPrecedentClick(); });
  connect(ButtonSuivant, &QPushButton::clicked, this, [this] { ButtonSuivantClick(); });
  connect(ButtonTerminer, &QPushButton::clicked, this, [this] { ButtonTerminerClick(); });
  ShowState();
  resize(560, 380);
}

QString TAssistantScenario::Text(int id) const { return ToQt(messages_.message(id)); }

void TAssistantScenario::TakeChoices() {
  using Way = ScenarioWizardModel::Way;
  model_.ChooseWay(RadioButtonNouveauScenVide->isChecked()             ? Way::kManual
                   : RadioButtonNouveauScenAPartirDuTexte->isChecked() ? Way::kAutomatic
                   : RadioButtonNouveauScenExistant->isChecked()       ? Way::kExisting
                                                                       : Way::kNone);
  model_.SetThresholdText(FromQt(ValSeuilFreq->text()));
  model_.SetSubclassify(CheckBoxSousClasser->isChecked());
  std::vector<bool> selected(model_.files().size(), false);
  for (int i = 0; i < FileListBox1->count() && i < static_cast<int>(selected.size()); ++i)
    selected[i] = FileListBox1->item(i)->isSelected();
  if (selected != model_.selection()) model_.SetSelection(std::move(selected));
}

void TAssistantScenario::ShowState() {
  const int page = model_.page();
  PageControl1->setCurrentIndex(page - 1);
  PageControl1->setEnabled(model_.controlsEnabled());
  SheetTitle->setText("<b>" + Text(kSheetTitles[page - 1]).toHtmlEscaped() + "</b>");
  ValSeuilFreq->setText(ToQt(model_.thresholdText()));
  ButtonPrecedent->setEnabled(model_.backEnabled());
  ButtonSuivant->setEnabled(model_.nextEnabled());
  ButtonTerminer->setEnabled(model_.doneEnabled());
}

void TAssistantScenario::StepThreshold(int delta) {
  int64_t value = 0;
  if (!ParseWizardInteger(FromQt(ValSeuilFreq->text()), value)) value = model_.thresholdMinimum();
  value = std::clamp<int64_t>(value + delta, model_.thresholdMinimum(), model_.thresholdMaximum());
  ValSeuilFreq->setText(QString::number(value));
}

void TAssistantScenario::ButtonSuivantClick() {
  TakeChoices();
  if (model_.Next()) {
    accept();
    return;
  }
  ShowState();
}

void TAssistantScenario::ButtonPrecedentClick() {
  TakeChoices();
  model_.Back();
  ShowState();
}

void TAssistantScenario::ButtonTerminerClick() {
  TakeChoices();
  for (QWidget* w : {static_cast<QWidget*>(PageControl1), static_cast<QWidget*>(ButtonPrecedent),
                     static_cast<QWidget*>(ButtonSuivant), static_cast<QWidget*>(ButtonTerminer)})
    w->setEnabled(false);
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const bool close = model_.Done();
  QApplication::restoreOverrideCursor();
  if (close) {
    accept();
    return;
  }
  ShowState();
}

namespace {

class EngineWizardHost : public ScenarioWizardHost {
 public:
  EngineWizardHost(Engine& engine, const ScenarioWizardLinks& links) : engine_(engine), links_(links) {}
  bool TextAnalysed() override { return links_.analysed && links_.analysed(); }
  uint32_t TextWordCount() override { return AnalysedWordCount(engine_); }
  bool AnalysisRunning() override { return links_.analysisRunning && links_.analysisRunning(); }
  int DetectionThreshold() override {
    if (TextAnalysed()) return engine_.semanticDictionary().DetectionThreshold();
    return engine_.record().classMinWords();
  }
  WizardCandidates Candidates(int level, uint32_t threshold) override {
    return WizardCandidatesOf(engine_, level, threshold);
  }
  void ShowResultsOf(int level) override {
    if (!links_.showResults) return;
    static constexpr int kPositions[] = {ResultFunctionTable::kSubstantives, ResultFunctionTable::kReferences,
                                         ResultFunctionTable::kReferenceFields2,
                                         ResultFunctionTable::kReferenceFields1};
    if (level >= 0 && level <= 3) links_.showResults(kPositions[level]);
  }
  void OpenDocument() override {
    if (links_.openDocument) links_.openDocument();
  }

 private:
  Engine& engine_;
  const ScenarioWizardLinks& links_;
};

}  // namespace

void RunScenarioWizard(QWidget* parent, Engine& engine, ScenarioEditor& editor, const ScenarioWizardLinks& links) {
  EngineWizardHost host(engine, links);
  ScenarioWizardModel model(editor, engine.record(), engine.messages(), engine.folders(), host);
  TAssistantScenario wizard(parent, model, engine.messages());
  wizard.exec();
}

}  // namespace malvex
