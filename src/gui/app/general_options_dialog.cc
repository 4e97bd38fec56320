#include "gui/app/general_options_dialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "foundations/messages.h"
#include "gui/dialog_buttons.h"
#include "gui/qt_text.h"

namespace malvex {

namespace {
constexpr int kMsgMainWindowPage = 2101;
constexpr int kMsgInstallationPage = 2102;
constexpr int kMsgSizeWarning = 2103;
constexpr int kMsgFolder = 2104;
constexpr int kMsgScenarioFolder = 2105;
constexpr int kMsgUserFolder = 2106;
constexpr int kMsgAlphabetical = 2107;
constexpr int kMsgByFrequency = 2108;
}  // namespace

TDlgOptionsGenerales::TDlgOptionsGenerales(TDlgOptionsGeneralesModel& model, Messages& messages, bool scenarioPage,
                                           QWidget* parent)
    : QDialog(parent), model_(model) {
  setModal(true);
  setWindowTitle(ToQt(GeneralOptionsCaption(messages)));
  auto text = [&messages](int id) { return ToQt(messages.message(id)); };
  auto check = [&](QWidget* page, int caption, int hint) {
    auto* box = new QCheckBox(text(caption), page);
    if (hint != 0) box->setToolTip(text(hint));
    return box;
  };

  PageControl = new QTabWidget(this);
  TabSheetFenetre = new QWidget(PageControl);
  TabSheetScenario = new QWidget(PageControl);
  TabSheetInstallation = new QWidget(PageControl);
  PageControl->addTab(TabSheetFenetre, text(kMsgMainWindowPage));
  PageControl->addTab(TabSheetScenario, text(309));
  PageControl->addTab(TabSheetInstallation, text(kMsgInstallationPage));

  // The main window.
  CheckBoxAffichePanelInfo = check(TabSheetFenetre, 917, 919);
  CheckBoxConserverHistoFichiers = check(TabSheetFenetre, 918, 920);
  CheckBoxGrandesPolices = check(TabSheetFenetre, 1024, 1025);
  CheckBoxUnderscoreSurMotsComposes = check(TabSheetFenetre, 1064, 0);
  auto* limits = new QGroupBox(text(kMsgSizeWarning), TabSheetFenetre);
  limits->setToolTip(text(1059));
  auto* limitsLayout = new QHBoxLayout(limits);
  ValSeuilFreq = new QSpinBox(limits);
  // Any number can be typed; Accept keeps it within 1..50.
  ValSeuilFreq->setRange(0, 9999);
  limitsLayout->addWidget(ValSeuilFreq);
  limitsLayout->addStretch(1);
  auto* extracts = new QGroupBox(TabSheetFenetre);
  auto* extractsLayout = new QVBoxLayout(extracts);
  RadioButtonParProposition = new QRadioButton(text(1206), extracts);
  RadioButtonParContexte = new QRadioButton(text(1207), extracts);
  extractsLayout->addWidget(RadioButtonParProposition);
  extractsLayout->addWidget(RadioButtonParContexte);
  ButtonGraphes = new QPushButton(text(727) + "...", TabSheetFenetre);
  ButtonCouleurs = new QPushButton(text(543) + "...", TabSheetFenetre);
  connect(ButtonGraphes, &QPushButton::clicked, this, [this] { model_.ButtonGraphesClick(); });
  connect(ButtonCouleurs, &QPushButton::clicked, this, [this] { model_.ButtonCouleursClick(); });
  auto* displayButtons = new QHBoxLayout;
  displayButtons->addWidget(ButtonGraphes);
  displayButtons->addWidget(ButtonCouleurs);
  displayButtons->addStretch(1);
  auto* windowLayout = new QVBoxLayout(TabSheetFenetre);
  for (QWidget* w : std::initializer_list<QWidget*>{CheckBoxAffichePanelInfo, CheckBoxConserverHistoFichiers,
                                                    CheckBoxGrandesPolices, CheckBoxUnderscoreSurMotsComposes,
                                                    limits, extracts}) {
    windowLayout->addWidget(w);
  }
  windowLayout->addLayout(displayButtons);
  windowLayout->addStretch(1);

  // The scenario tools.
  CheckBoxConfirmerSuppression = check(TabSheetScenario, 911, 1060);
  CheckBoxAssistantScen = check(TabSheetScenario, 912, 1202);
  CheckBoxOuvrirScenDem = check(TabSheetScenario, 916, 1061);
  CheckBoxAjoutScenMajusc = check(TabSheetScenario, 1201, 0);
  CheckBoxFormesNonAccentueesDsScenario = check(TabSheetScenario, 1198, 0);
  auto* sort = new QGroupBox(text(1052), TabSheetScenario);
  auto* sortLayout = new QVBoxLayout(sort);
  RadioButtonTriScenarioAlpha = new QRadioButton(text(kMsgAlphabetical), sort);
  RadioButtonTriParFrequence = new QRadioButton(text(kMsgByFrequency), sort);
  sortLayout->addWidget(RadioButtonTriScenarioAlpha);
  sortLayout->addWidget(RadioButtonTriParFrequence);
  auto* scenarioLayout = new QVBoxLayout(TabSheetScenario);
  for (QWidget* w : std::initializer_list<QWidget*>{CheckBoxConfirmerSuppression, CheckBoxAssistantScen,
                                                    CheckBoxOuvrirScenDem, CheckBoxAjoutScenMajusc,
                                                    CheckBoxFormesNonAccentueesDsScenario, sort}) {
    scenarioLayout->addWidget(w);
  }
  scenarioLayout->addStretch(1);

  // The installation: the folders and the multi-user set-up.
  auto* folders = new QGridLayout;
  ButtonDossierScenario = new QPushButton(text(kMsgFolder), TabSheetInstallation);
  ButtonDossierParam = new QPushButton(text(kMsgFolder), TabSheetInstallation);
  for (QPushButton* b : {ButtonDossierScenario, ButtonDossierParam}) b->setToolTip(text(722));
  folders->addWidget(new QLabel(text(kMsgScenarioFolder), TabSheetInstallation), 0, 0);
  folders->addWidget(ButtonDossierScenario, 0, 1);
  folders->addWidget(new QLabel(text(kMsgUserFolder), TabSheetInstallation), 1, 0);
  folders->addWidget(ButtonDossierParam, 1, 1);
  connect(ButtonDossierScenario, &QPushButton::clicked, this, [this] { model_.ButtonDossierScenarioClick(); });
  connect(ButtonDossierParam, &QPushButton::clicked, this, [this] { model_.ButtonDossierParamClick(); });
  ButtonParametresSetup = new QPushButton(text(894) + "...", TabSheetInstallation);
  connect(ButtonParametresSetup, &QPushButton::clicked, this, [this] { model_.ButtonParametresSetupClick(); });
  auto* installationLayout = new QVBoxLayout(TabSheetInstallation);
  installationLayout->addLayout(folders);
  installationLayout->addWidget(ButtonParametresSetup, 0, Qt::AlignLeft);
  installationLayout->addStretch(1);

  const DialogButtons dialogButtons = MakeDialogButtons(this, messages, 660);
  ButtonOk = dialogButtons.ok;
  ButtonAnnuler = dialogButtons.cancel;
  ButtonAide = dialogButtons.help;
  QHBoxLayout* buttons = ButtonsRow(dialogButtons);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(PageControl);
  layout->addLayout(buttons);

  model_.FormCreate(scenarioPage);
  const TDlgOptionsGeneralesModel::Controls& c = model_.controls();
  CheckBoxAffichePanelInfo->setChecked(c.showInformationPanel);
  CheckBoxConserverHistoFichiers->setChecked(c.keepFileHistory);
  CheckBoxGrandesPolices->setChecked(c.largeFonts);
  CheckBoxUnderscoreSurMotsComposes->setChecked(c.underscoreInCompounds);
  ValSeuilFreq->setValue(std::atoi(c.sizeWarningText.c_str()));
  (c.textViewByProposition ? RadioButtonParProposition : RadioButtonParContexte)->setChecked(true);
  CheckBoxConfirmerSuppression->setChecked(c.confirmDeletions);
  CheckBoxAssistantScen->setChecked(c.offerScenarioWizard);
  CheckBoxOuvrirScenDem->setChecked(c.openScenarioEditorAtStart);
  CheckBoxAjoutScenMajusc->setChecked(c.scenarioWordsInCapitals);
  CheckBoxFormesNonAccentueesDsScenario->setChecked(c.unaccentedScenarioForms);
  (c.scenarioSortedAlphabetically ? RadioButtonTriScenarioAlpha : RadioButtonTriParFrequence)->setChecked(true);
  PageControl->setCurrentWidget(model_.page() == TDlgOptionsGeneralesModel::kScenarioPage ? TabSheetScenario
                                                                                          : TabSheetFenetre);
}

void TDlgOptionsGenerales::accept() {
  TDlgOptionsGeneralesModel::Controls& c = model_.controls();
  c.showInformationPanel = CheckBoxAffichePanelInfo->isChecked();
  c.keepFileHistory = CheckBoxConserverHistoFichiers->isChecked();
  c.largeFonts = CheckBoxGrandesPolices->isChecked();
  c.underscoreInCompounds = CheckBoxUnderscoreSurMotsComposes->isChecked();
  c.sizeWarningText = FromQt(ValSeuilFreq->cleanText());
  c.textViewByProposition = RadioButtonParProposition->isChecked();
  c.confirmDeletions = CheckBoxConfirmerSuppression->isChecked();
  c.offerScenarioWizard = CheckBoxAssistantScen->isChecked();
  c.openScenarioEditorAtStart = CheckBoxOuvrirScenDem->isChecked();
  c.scenarioWordsInCapitals = CheckBoxAjoutScenMajusc->isChecked();
  c.unaccentedScenarioForms = CheckBoxFormesNonAccentueesDsScenario->isChecked();
  c.scenarioSortedAlphabetically = RadioButtonTriScenarioAlpha->isChecked();
  model_.ButtonOkClick();
  QDialog::accept();
}

}  // namespace malvex
