#include "gui/scenarios/form_import_owl.h"

#include <QApplication>
#include <QDesktopServices>
#include <QHBoxLayout>
#include <QUrl>
#include <QVBoxLayout>

#include "engine/engine.h"
#include "foundations/messages.h"
#include "gui/qt_text.h"
#include "scenarios/scenario_editor.h"

namespace malvex {

namespace {

constexpr int kMsgOk = 680;
constexpr int kMsgCancel = 661;

OwlLogOpener& LogOpener() {
  static OwlLogOpener opener = [](const std::string& path) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
  };
  return opener;
}

}  // namespace

TFormImportOWL::TFormImportOWL(OwlImportModel& model, Messages& messages, QWidget* parent)
    : QDialog(parent), model_(model), messages_(messages) {
  setObjectName("FormImportOWL");
  setModal(true);
  setWindowTitle(ToQt(messages.message(kOwlTitleMessage)));
  LabelWelcome = new QLabel(ToQt(messages.message(kOwlWelcomeMessage)), this);
  QFont bold = LabelWelcome->font();
  bold.setBold(true);
  LabelWelcome->setFont(bold);
  LabelFile = new QLabel(QString::fromStdString(model.FileName()), this);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(LabelWelcome);
  layout->addWidget(LabelFile);
  layout->addSpacing(8);
  QCheckBox** boxes[] = {&CheckBoxOWLPluriels,          &CheckBoxConvertUnicode, &CheckBoxDiscardOtherLanguages,
                         &CheckBoxIgnoreRestrictions,   &CheckBoxLogDetaillee,   &CheckBoxDumpInputBufferDansLogFile};
  for (int i = 0; i < kOwlOptionCount; ++i) {
    const auto option = static_cast<OwlOption>(i);
    auto* box = new QCheckBox(ToQt(messages.message(model.OptionMessage(option))), this);
    box->setChecked(model.option(option));
    *boxes[i] = box;
    layout->addWidget(box);
  }
  ButtonOK = new QPushButton(ToQt(messages.message(kMsgOk)), this);
  ButtonOK->setDefault(true);
  ButtonOK->setFocus();
  ButtonCancel = new QPushButton(ToQt(messages.message(kMsgCancel)), this);
  connect(ButtonOK, &QPushButton::clicked, this, [this] { ButtonOKClick(); });
  connect(ButtonCancel, &QPushButton::clicked, this, [this] { ButtonCancelClick(); });
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(ButtonOK);
  buttons->addWidget(ButtonCancel);
  layout->addSpacing(8);
  layout->addLayout(buttons);
  StatusBar = new QLabel(this);
  StatusBar->setFrameShape(QFrame::StyledPanel);
  layout->addWidget(StatusBar);
}

QCheckBox* TFormImportOWL::BoxOf(OwlOption option) const {
  QCheckBox* const boxes[] = {CheckBoxOWLPluriels,        CheckBoxConvertUnicode, CheckBoxDiscardOtherLanguages,
                              CheckBoxIgnoreRestrictions, CheckBoxLogDetaillee,   CheckBoxDumpInputBufferDansLogFile};
  return boxes[static_cast<int>(option)];
}

void TFormImportOWL::ButtonOKClick() {
  for (int i = 0; i < kOwlOptionCount; ++i) {
    const auto option = static_cast<OwlOption>(i);
    model_.setOption(option, BoxOf(option)->isChecked());
  }
  ButtonOK->setEnabled(false);
  ButtonCancel->setEnabled(false);
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const bool done = model_.Run([this](const std::string& status) {
    StatusBar->setText(ToQt(status));
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  });
  QApplication::restoreOverrideCursor();
  if (done) {
    accept();
  } else {
    reject();
  }
}

void TFormImportOWL::ButtonCancelClick() {
  model_.Cancel();
  reject();
}

void SetOwlLogOpener(OwlLogOpener opener) { LogOpener() = std::move(opener); }

void RunOwlImport(Engine& engine, ScenarioEditor& editor, const std::string& owlPath, QWidget* parent) {
  OwlImportModel model(engine, owlPath);
  TFormImportOWL form(model, engine.messages(), parent);
  const bool written = form.exec() == QDialog::Accepted && !model.outputPath().empty();
  if (written) model.LoadInto(editor);
  if (!model.result().logPath.empty() && LogOpener()) LogOpener()(model.result().logPath);
}

}  // namespace malvex
