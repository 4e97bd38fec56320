#include "gui/dialog_buttons.h"

#include "foundations/messages.h"
#include "gui/qt_text.h"

namespace malvex {

namespace {
constexpr int kMsgCancel = 661;
constexpr int kMsgHelp = 616;
constexpr int kMsgNotAvailable = 2009;
}  // namespace

DialogButtons MakeDialogButtons(QDialog* dialog, Messages& messages, int okMessage) {
  DialogButtons b;
  b.ok = new QPushButton(ToQt(messages.message(okMessage)), dialog);
  b.ok->setDefault(true);
  b.cancel = new QPushButton(ToQt(messages.message(kMsgCancel)), dialog);
  b.help = new QPushButton(ToQt(messages.message(kMsgHelp)), dialog);
  b.help->setEnabled(false);
  b.help->setToolTip(ToQt(messages.message(kMsgNotAvailable)));
  QObject::connect(b.ok, &QPushButton::clicked, dialog, &QDialog::accept);
  QObject::connect(b.cancel, &QPushButton::clicked, dialog, &QDialog::reject);
  return b;
}

QHBoxLayout* ButtonsRow(const DialogButtons& buttons) {
  auto* row = new QHBoxLayout;
  row->addStretch(1);
  row->addWidget(buttons.ok);
  row->addWidget(buttons.cancel);
  row->addWidget(buttons.help);
  return row;
}

}  // namespace malvex
