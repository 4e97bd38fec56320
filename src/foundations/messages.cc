#include "foundations/messages.h"

#include <cstdio>
#include <cstring>
#include <iterator>
#include <new>
#include <string>

#include "platform/fatal.h"

namespace malvex {
namespace {

constexpr int kMsgMemoryLow = 0;

// The caption titles copied once when the catalogue is set up.
constexpr int kTitleIds[] = {60, 61, 62, 63, 64, 65, 68, 69, 70, 71, 72, 73, 74, 78};

}  // namespace

Messages::Messages(NotificationBox& box) : box_(box) {
  buffer_.reserve(kMaxMessageLength + 1);
  titles_.reserve(std::size(kTitleIds));
  for (const int id : kTitleIds) {
    try {
      titles_.emplace_back(id, message(id));
    } catch (const std::bad_alloc&) {
      // The title's number within the table range, then the bilingual notice.
      box_.LastResortError(std::to_string(id - 60) + "Memory low - M\xE9moire insuffisante");
      FatalExit(1);
    }
  }
}

const std::string& Messages::message(int id) {
  const char* text = CatalogueText(id);
  if (text != nullptr && text[0] != '\0') {
    buffer_.assign(text, strnlen(text, kMaxMessageLength));
    return buffer_;
  }
  char number[16];
  std::snprintf(number, sizeof(number), "%5d", id);
  std::string report = "Minor internal error - Erreur interne mineure.\r\nCause: LoadString Id=";
  report += number;
  report += " failed.\r\n";
  // Code page 1250 has no a-grave; the plain letter keeps the line readable.
  report += "Please report this error at - Merci de signaler l'erreur a :\r\n";
  report += kSupportContact;
  box_.LastResortError(report);
  buffer_ = "?";
  return buffer_;
}

std::string Messages::messageWithColon(int id) { return message(id) + ":"; }

std::string Messages::title(int id) const {
  for (const auto& [titleId, text] : titles_) {
    if (titleId == id) return text;
  }
  return std::string();
}

int Messages::show(const std::string& text, BoxKind kind, bool withCheckBox) {
  int answer = kClosed;
  if (!box_.Show(text, kind, withCheckBox, answer)) return kClosed;
  return answer;
}

void Messages::errorBox(const std::string& text) { show(text, BoxKind::kMessage, false); }

bool Messages::ask(const std::string& text) {
  return show(text, BoxKind::kYesNoDefaultNo, false) == kButton1;
}

bool Messages::askNot(const std::string& text) { return !ask(text); }

bool Messages::askDontShow(const std::string& text) {
  return show(text, BoxKind::kYesNoDefaultNo, true) == kButton1;
}

bool Messages::askYesDefaultDontShow(const std::string& text) {
  return show(text, BoxKind::kYesNoDefaultYes, true) == kButton1;
}

bool Messages::confirmCancel(const std::string& text) {
  // Only Ok goes on: a box closed without a button (Escape, the window's
  // close button, no box at all) cancels, as its safe answer.
  return show(text, BoxKind::kOkCancel, false) != kButton1;
}

int Messages::askThreeWays(const std::string& text) {
  return show(text, BoxKind::kYesNoCancel, false);
}

bool Messages::dontShowAgain() const { return box_.DontShowAgain(); }

void Messages::lastResortError(const std::string& text) { box_.LastResortError(text); }

void Messages::checkMemory(const void* p) {
  if (p != nullptr) return;
  errorBox(message(kMsgMemoryLow));
  FatalExit(1);
}

void Messages::reportMemory(bool failed) {
  if (failed) errorBox(message(kMsgMemoryLow));
}

}  // namespace malvex
