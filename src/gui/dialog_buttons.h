// The OK, Cancel and Help buttons of the option dialogs.
#pragma once

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>

namespace malvex {

class Messages;

struct DialogButtons {
  QPushButton* ok = nullptr;
  QPushButton* cancel = nullptr;
  QPushButton* help = nullptr;
};

// Makes the three buttons of `dialog` with the catalogue texts: OK
// (message `okMessage`, the default button) accepts, Cancel rejects, and
// Help is greyed, since this version has no help file to open.
DialogButtons MakeDialogButtons(QDialog* dialog, Messages& messages, int okMessage);

// A row with the three buttons at its right, in the order OK, Cancel, Help.
QHBoxLayout* ButtonsRow(const DialogButtons& buttons);

}  // namespace malvex
