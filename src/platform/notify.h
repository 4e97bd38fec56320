// The notification box: the one window through which the engine reports an
// error or asks a question. Front ends implement it (Qt dialog, console,
// scripted answers for tests); engine code only sees this interface.
#pragma once

#include <string>

namespace malvex {

// Which buttons a box shows.
enum class BoxKind : int {
  kMessage = 0,          // one "Ok" button
  kOkCancel = 1,         // "Ok", "Cancel" (Cancel focused)
  kYesNoCancel = 3,      // "Yes", "No", "Cancel" (No focused)
  kYesNoDefaultNo = 4,   // "Yes", "No" (No focused)
  kYesNoDefaultYes = 5,  // "Yes", "No" (Yes focused)
};

// Box answers: 0 closed without a button, 1 first button ("Yes", or "Ok" in
// kind 1), 2 second button ("Ok" in kind 0, "No" in kind 3), 3 third button
// ("Cancel" in kinds 1 and 3, "No" in kinds 4 and 5).
enum BoxAnswer : int { kClosed = 0, kButton1 = 1, kButton2 = 2, kButton3 = 3 };

class NotificationBox {
 public:
  virtual ~NotificationBox() = default;

  // Shows `text` (code page 1250) in a modal box of `kind`, with the
  // "Don't show this message again" check box when `withCheckBox`.
  // Returns false when the box could not be shown; `answer` is then left
  // unchanged. Otherwise stores the button pressed in `answer`.
  virtual bool Show(const std::string& text, BoxKind kind, bool withCheckBox,
                    int& answer) = 0;

  // State of the check box after the last box that showed it.
  virtual bool DontShowAgain() const = 0;

  // The platform's own error box, used only when the catalogue itself fails
  // or memory ran out before the interface exists. Caption "Error - Erreur".
  virtual void LastResortError(const std::string& text) = 0;
};

}  // namespace malvex
