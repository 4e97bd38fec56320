// The message catalogue: every text the system shows is fetched by id, and
// reported or asked through the notification box.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/notify.h"

namespace malvex {

// Longest catalogue text, in bytes.
inline constexpr size_t kMaxMessageLength = 400;

// The product's support address, printed when a catalogue text is missing.
inline constexpr char kSupportContact[] = "support@malvex.example";

// Text of catalogue entry `id` as compiled into the program (code page
// 1250), or nullptr when the catalogue has no such entry.
const char* CatalogueText(int id);

// Number of entries compiled into the catalogue.
int CatalogueSize();

class Messages {
 public:
  // `box` must outlive this object. Copies the caption titles.
  explicit Messages(NotificationBox& box);

  Messages(const Messages&) = delete;
  Messages& operator=(const Messages&) = delete;

  // Text of `id` in the shared message buffer, overwritten by the next call.
  // A missing id shows the internal-error box once and returns "?".
  const std::string& message(int id);
  // The text followed by ":".
  std::string messageWithColon(int id);

  // Caption titles copied at start-up: ids 60..65, 68..74 and 78. Any
  // other id gives an empty string.
  std::string title(int id) const;

  void errorBox(const std::string& text);               // kind 0
  bool ask(const std::string& text);                    // kind 4, true on Yes
  bool askNot(const std::string& text);                 // !ask
  bool askDontShow(const std::string& text);            // kind 4 + check box
  bool askYesDefaultDontShow(const std::string& text);  // kind 5 + check box
  bool confirmCancel(const std::string& text);          // kind 1, true unless Ok
  int askThreeWays(const std::string& text);            // kind 3, the answer
  bool dontShowAgain() const;
  void lastResortError(const std::string& text);

  // Null `p`: error box with message 0, then FatalExit(1).
  void checkMemory(const void* p);
  // `failed`: the same box without ending the process.
  void reportMemory(bool failed);

  NotificationBox& box() { return box_; }

 private:
  // Shows `text` in a box of `kind`; the answer, or 0 when the box was
  // closed without a button or could not be shown.
  int show(const std::string& text, BoxKind kind, bool withCheckBox);

  NotificationBox& box_;
  std::string buffer_;
  std::vector<std::pair<int, std::string>> titles_;
};

}  // namespace malvex
