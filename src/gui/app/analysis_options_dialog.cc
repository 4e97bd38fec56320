#include "gui/app/analysis_options_dialog.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "foundations/messages.h"
#include "gui/dialog_buttons.h"
#include "gui/qt_text.h"

namespace malvex {

TOptionsAnalyse::TOptionsAnalyse(TOptionsAnalyseModel& model, Messages& messages, QWidget* parent)
    : QDialog(parent), model_(model) {
  setModal(true);
  setWindowTitle(ToQt(AnalysisOptionsCaption(messages)));
  auto text = [&messages](int id) { return ToQt(messages.message(id)); };

  PageControl = new QTabWidget(this);
  TabSheetOptions = new QWidget(PageControl);
  TabSheetConversion = new QWidget(PageControl);
  PageControl->addTab(TabSheetOptions, text(620));
  PageControl->addTab(TabSheetConversion, text(1166));

  // Relations, in the order of generality.
  auto* relations = new QGroupBox(text(662), TabSheetOptions);
  relations->setToolTip(text(723));
  auto* relationsLayout = new QVBoxLayout(relations);
  auto* relationGroup = new QButtonGroup(this);
  ConstRelUniv3 = new QRadioButton(text(300), relations);
  ConstRelUniv2 = new QRadioButton(text(308), relations);
  ConstRelUniv1 = new QRadioButton(text(307), relations);
  ConstRelScen = new QRadioButton(text(309), relations);
  int level = 1;
  for (QRadioButton* b : {ConstRelUniv3, ConstRelUniv2, ConstRelUniv1, ConstRelScen}) {
    relationGroup->addButton(b, level++);
    relationsLayout->addWidget(b);
  }
  connect(relationGroup, &QButtonGroup::idClicked, this, [this](int id) {
    if (!filling_) model_.SetRelationLevel(id);
  });

  ScenSurTtesCateg = new QCheckBox(text(663), TabSheetOptions);
  ScenSurTtesCateg->setToolTip(text(708));
  connect(ScenSurTtesCateg, &QCheckBox::toggled, this, [this](bool on) {
    if (!filling_) model_.SetScenarioOnAllCategories(on);
  });

  auto* threshold = new QGroupBox(text(664), TabSheetOptions);
  threshold->setToolTip(text(705));
  auto* thresholdLayout = new QGridLayout(threshold);
  RadOptionSeuilFreq = new QRadioButton(text(665), threshold);
  RadOptionSeuilFreq->setToolTip(text(706));
  RadOptionSeuilPert = new QRadioButton(text(666), threshold);
  RadOptionSeuilPert->setToolTip(text(707));
  ValSeuilFreq = new QLineEdit(threshold);
  ValSeuilFreq->setToolTip(text(706));
  ValSeuilPert = new QLineEdit(threshold);
  ValSeuilPert->setToolTip(text(707));
  for (QLineEdit* e : {ValSeuilFreq, ValSeuilPert}) {
    e->setMaxLength(4);
    e->setMaximumWidth(e->fontMetrics().horizontalAdvance("000000"));
  }
  thresholdLayout->addWidget(RadOptionSeuilFreq, 0, 0);
  thresholdLayout->addWidget(ValSeuilFreq, 0, 1);
  thresholdLayout->addWidget(RadOptionSeuilPert, 1, 0);
  thresholdLayout->addWidget(ValSeuilPert, 1, 1);
  connect(RadOptionSeuilFreq, &QRadioButton::toggled, this, [this](bool on) {
    if (!filling_) model_.SetThresholdByWords(on);
  });
  connect(ValSeuilFreq, &QLineEdit::textEdited, this,
          [this](const QString& t) { model_.SetMinWordsText(FromQt(t)); });
  connect(ValSeuilPert, &QLineEdit::textEdited, this,
          [this](const QString& t) { model_.SetPertinenceText(FromQt(t)); });

  auto* parts = new QGroupBox(text(667), TabSheetOptions);
  parts->setToolTip(text(724));
  auto* partsLayout = new QHBoxLayout(parts);
  PropRemarquables = new QSlider(Qt::Horizontal, parts);
  PropRemarquables->setRange(TOptionsAnalyseModel::kMinParts, TOptionsAnalyseModel::kMaxParts);
  partsLayout->addWidget(new QLabel(text(669), parts));
  partsLayout->addWidget(PropRemarquables, 1);
  partsLayout->addWidget(new QLabel(text(668), parts));
  connect(PropRemarquables, &QSlider::valueChanged, this, [this](int v) {
    if (!filling_) model_.SetCharacteristicParts(v);
  });

  auto* optionsLayout = new QVBoxLayout(TabSheetOptions);
  optionsLayout->addWidget(relations);
  optionsLayout->addWidget(ScenSurTtesCateg);
  optionsLayout->addWidget(threshold);
  optionsLayout->addWidget(parts);
  optionsLayout->addStretch(1);

  auto* word = new QGroupBox(text(1170), TabSheetConversion);
  auto* wordLayout = new QVBoxLayout(word);
  auto* wordLabel = new QLabel(text(1169), word);
  wordLabel->setWordWrap(true);
  ButtonConvMsWordBinaire = new QRadioButton(text(1167), word);
  ButtonConvMsWordNatif = new QRadioButton(text(1168), word);
  wordLayout->addWidget(wordLabel);
  wordLayout->addWidget(ButtonConvMsWordBinaire);
  wordLayout->addWidget(ButtonConvMsWordNatif);
  connect(ButtonConvMsWordNatif, &QRadioButton::toggled, this, [this](bool on) {
    if (!filling_) model_.SetWordThroughConverters(on);
  });

  auto* pdf = new QGroupBox(text(493), TabSheetConversion);
  auto* pdfLayout = new QVBoxLayout(pdf);
  auto* pdfLabel = new QLabel(text(1175), pdf);
  pdfLabel->setWordWrap(true);
  RadioButtonPasDePDF = new QRadioButton(text(1173), pdf);
  RadioButtonConversionPDF = new QRadioButton(text(1174), pdf);
  pdfLayout->addWidget(pdfLabel);
  pdfLayout->addWidget(RadioButtonPasDePDF);
  pdfLayout->addWidget(RadioButtonConversionPDF);
  connect(RadioButtonPasDePDF, &QRadioButton::clicked, this, [this] {
    model_.SetConvertPdf(false);
    ShowModel();
  });
  connect(RadioButtonConversionPDF, &QRadioButton::clicked, this, [this] {
    model_.SetConvertPdf(true);
    ShowModel();
  });

  auto* conversionLayout = new QVBoxLayout(TabSheetConversion);
  conversionLayout->addWidget(word);
  conversionLayout->addWidget(pdf);
  conversionLayout->addStretch(1);

  const DialogButtons dialogButtons = MakeDialogButtons(this, messages, 660);
  ButtonOk = dialogButtons.ok;
  ButtonAnnuler = dialogButtons.cancel;
  ButtonAide = dialogButtons.help;
  QHBoxLayout* buttons = ButtonsRow(dialogButtons);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(PageControl);
  layout->addLayout(buttons);

  model_.FormCreate();
  ShowModel();
  PageControl->setCurrentWidget(model_.page() == TOptionsAnalyseModel::kConversionsPage ? TabSheetConversion
                                                                                        : TabSheetOptions);
}

void TOptionsAnalyse::ShowModel() {
  filling_ = true;
  QRadioButton* levels[] = {ConstRelUniv3, ConstRelUniv2, ConstRelUniv1, ConstRelScen};
  levels[model_.relationLevel() - 1]->setChecked(true);
  ScenSurTtesCateg->setChecked(model_.scenarioOnAllCategories());
  (model_.thresholdByWords() ? RadOptionSeuilFreq : RadOptionSeuilPert)->setChecked(true);
  if (ValSeuilFreq->text() != ToQt(model_.minWordsText())) ValSeuilFreq->setText(ToQt(model_.minWordsText()));
  if (ValSeuilPert->text() != ToQt(model_.pertinenceText())) ValSeuilPert->setText(ToQt(model_.pertinenceText()));
  PropRemarquables->setValue(model_.characteristicParts());
  (model_.wordThroughConverters() ? ButtonConvMsWordNatif : ButtonConvMsWordBinaire)->setChecked(true);
  (model_.convertPdf() ? RadioButtonConversionPDF : RadioButtonPasDePDF)->setChecked(true);
  RadioButtonConversionPDF->setEnabled(model_.convertPdfEnabled());
  filling_ = false;
}

void TOptionsAnalyse::accept() {
  const bool closes = model_.ButtonOkClick();
  ShowModel();
  if (closes) QDialog::accept();
}

void TOptionsAnalyse::reject() {
  model_.ButtonAnnulerClick();
  QDialog::reject();
}

}  // namespace malvex
