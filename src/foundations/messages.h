// The message catalogue: every text the system shows is fetched by id, and
// reported or asked through the notification box.
#pragma once

#include <string>

#include "platform/notify.h"

namespace malvex {

// Text of catalogue entry `id` as compiled into the program (code page
// 1250), or nullptr when the catalogue has no such entry.
const char* CatalogueText(int id);

class Messages {
 public:
  // `box` must outlive this object.
  explicit Messages(NotificationBox& box);

  // Text of `id` in the shared message buffer, overwritten by the next call.
  // A missing id shows the internal-error box once and returns "?".
  const std::string& message(int id);
  // The text followed by ":".
  std::string messageWithColon(int id);

  // Caption titles copied at start-up: ids 60..65, 68..74 and 78.
  std::string title(int id) const;

  void errorBox(const std::string& text);               // kind 0
  bool ask(const std::string& text);                    // kind 4, true on Yes
  bool askNot(const std::string& text);                 // !ask
  bool askDontShow(const std::string& text);            // kind 4 + check box
  bool askYesDefaultDontShow(const std::string& text);  // kind 5 + check box
  bool confirmCancel(const std::string& text);          // kind 1, true on Cancel
  int askThreeWays(const std::string& text);            // kind 3, the answer
  bool dontShowAgain() const;
  void lastResortError(const std::string& text);

  // Null `p`: error box with message 0, then FatalExit(1).
  void checkMemory(const void* p);
  // `failed`: the same box without ending the process.
  void reportMemory(bool failed);

  NotificationBox& box() { return box_; }

 private:
  NotificationBox& box_;
  std::string buffer_;
};

}  // namespace malvex
