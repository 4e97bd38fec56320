#include "gui/views/form_param_impression.h"

#include <QFontDialog>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "foundations/messages.h"
#include "gui/dialog_buttons.h"
#include "gui/qt_text.h"

namespace malvex {

namespace {
constexpr int kTitleMessage = 606;       // "Print"
constexpr int kColoursMessage = 543;     // "Colors"
constexpr int kToPdfMessage = 2331;      // "Print to a PDF file"
constexpr int kFontMessage = 2333;       // "Font..."
constexpr int kNoPrinterMessage = 2334;  // no printer: a PDF file
constexpr int kOkMessage = 606;
}  // namespace

TFormParamImpression::TFormParamImpression(PrintOptionsModel& model, Messages& messages, bool printerAvailable,
                                           QWidget* parent)
    : QDialog(parent), model_(model) {
  setObjectName("FormParamImpression");
  setWindowTitle(ToQt(messages.message(kTitleMessage)));
  auto* layout = new QVBoxLayout(this);

  CheckListBox = new QListWidget(this);
  CheckListBox->setObjectName("CheckListBox");
  for (int i = 0; i < kPrintReportCount; ++i) {
    auto* item = new QListWidgetItem(ToQt(PrintOptionsModel::ItemLabel(messages, i)), CheckListBox);
    Qt::ItemFlags flags = Qt::ItemIsUserCheckable | Qt::ItemIsSelectable;
    if (model_.available(i)) flags |= Qt::ItemIsEnabled;
    item->setFlags(flags);
    item->setCheckState(model_.checked(i) ? Qt::Checked : Qt::Unchecked);
  }
  CheckListBox->setMinimumHeight(CheckListBox->sizeHintForRow(0) * (kPrintReportCount + 1));
  connect(CheckListBox, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
    model_.setChecked(CheckListBox->row(item), item->checkState() == Qt::Checked);
    ButtonOk->setEnabled(model_.AnythingChosen());
  });
  layout->addWidget(CheckListBox);

  CheckBoxCouleurs = new QCheckBox(ToQt(messages.message(kColoursMessage)), this);
  CheckBoxCouleurs->setChecked(model_.colour());
  connect(CheckBoxCouleurs, &QCheckBox::toggled, this, [this](bool on) { model_.setColour(on); });
  layout->addWidget(CheckBoxCouleurs);

  auto* fontRow = new QHBoxLayout;
  ButtonPolice = new QPushButton(ToQt(messages.message(kFontMessage)), this);
  LabelPolice = new QLabel(this);
  fontRow->addWidget(ButtonPolice);
  fontRow->addWidget(LabelPolice, 1);
  layout->addLayout(fontRow);
  connect(ButtonPolice, &QPushButton::clicked, this, [this] {
    bool ok = false;
    QFont initial(QString::fromStdString(model_.fontFamily()), model_.pointSize());
    const QFont chosen = QFontDialog::getFont(&ok, initial, this);
    if (ok) {
      model_.setFont(chosen.family().toStdString(), chosen.pointSize());
      ShowFont();
    }
  });
  ShowFont();

  ToPdfFile = new QCheckBox(ToQt(messages.message(kToPdfMessage)), this);
  ToPdfFile->setObjectName("ToPdfFile");
  if (!printerAvailable) {
    ToPdfFile->setChecked(true);
    ToPdfFile->setEnabled(false);
    ToPdfFile->setToolTip(ToQt(messages.message(kNoPrinterMessage)));
  }
  layout->addWidget(ToPdfFile);

  const DialogButtons buttons = MakeDialogButtons(this, messages, kOkMessage);
  ButtonOk = buttons.ok;
  ButtonAnnuler = buttons.cancel;
  layout->addLayout(ButtonsRow(buttons));
  ButtonOk->setEnabled(model_.AnythingChosen());
}

void TFormParamImpression::ShowFont() {
  LabelPolice->setText(QString::fromStdString(model_.fontFamily()) + ", " + QString::number(model_.pointSize()));
}

void TFormParamImpression::accept() {
  model_.Accept();
  QDialog::accept();
}

}  // namespace malvex
