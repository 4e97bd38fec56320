// The request another program (or a second start of this one) sends to the
// running window: analyse a text or the files of a list, optionally with a
// scenario, and show an expression afterwards. It travels as a fixed
// 2167-byte little-endian record:
//
//   offset 0     4 bytes   command: 0 one text, 1 the files of a list file
//   offset 4     261 bytes scenario file name, zero-terminated (empty: keep)
//   offset 265   261 bytes the text path (command 0) or the list file path
//   offset 526   261 bytes the expression to show after the analysis
//   offset 2126  2 bytes   the expression's level code (as option h's digit)
//
// The other bytes are unused.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/command_line.h"

namespace malvex {

inline constexpr size_t kExternalRequestSize = 2167;
// Message shown when a request is refused.
inline constexpr int kRefusedRequestMessage = 451;

struct ExternalRequest {
  static constexpr uint32_t kAnalyseText = 0;
  static constexpr uint32_t kAnalyseList = 1;

  uint32_t command = kAnalyseText;
  std::string scenario;
  std::string path;
  std::string expression;
  uint16_t levelCode = 0;
};

// Reads a received payload. False (the request is refused) unless it holds
// exactly 2167 bytes and a known command. A text field without its zero
// ends at the field's 260th byte.
bool ParseExternalRequest(std::string_view payload, ExternalRequest& request);

// The 2167-byte record of `request`; each text is cut to 260 bytes.
std::string EncodeExternalRequest(const ExternalRequest& request);

// The expression as a pending display request: its first 79 characters,
// and the level when the code is 1..4 (as a number or as the digit).
DisplayRequest ExpressionOf(const ExternalRequest& request);

// What the running window offers the request.
class RequestTarget {
 public:
  virtual ~RequestTarget() = default;
  // True while an analysis runs or the window closes: the request is then
  // ignored.
  virtual bool Busy() = 0;
  virtual void ShowError(int messageId) = 0;
  virtual void RestoreAndFocus() = 0;
  virtual PendingExpressions& Pending() = 0;
  virtual void CloseCurrentText() = 0;
  virtual std::string CurrentScenario() = 0;
  virtual void LoadScenario(const std::string& name) = 0;
  // Clears the file stack, pushes `files` and analyses them as one text;
  // `addToHistory` puts a single file in the history of opened files.
  virtual void AnalyseFiles(const std::vector<std::string>& files, bool addToHistory) = 0;
};

// Acts on a received payload: a refused one shows message 451; an accepted
// one brings the window forward, makes its expression the only pending one,
// then analyses the text (loading the named scenario first when it differs
// from the current one, without regard to case) or the files of the list
// (a list of one file goes into the history). An unreadable or empty list
// shows message 18. False when the request was refused or ignored.
bool ActOnExternalRequest(std::string_view payload, RequestTarget& target);

}  // namespace malvex
