#include "platform/console_box.h"

#include <cctype>
#include <cstdint>
#include <utility>

namespace malvex {
namespace {

// Unicode code points of the bytes 0x80..0xFF of code page 1250; the five
// bytes the code page leaves undefined show as U+FFFD. The engine's own
// charset conversion lives above this folder, so the command line passes it
// in as the converter; this table serves when none is given.
constexpr char16_t kCp1250High[128] = {
    0x20AC, 0xFFFD, 0x201A, 0xFFFD, 0x201E, 0x2026, 0x2020, 0x2021,
    0xFFFD, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,
    0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0xFFFD, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

std::string Cp1250ToUtf8(const std::string& text) {
  std::string out;
  out.reserve(text.size() + text.size() / 4);
  for (const char ch : text) {
    const auto b = static_cast<unsigned char>(ch);
    if (b < 0x80) {
      out += ch;
      continue;
    }
    const char16_t cp = kCp1250High[b - 0x80];
    if (cp < 0x800) {
      out += static_cast<char>(0xC0 | (cp >> 6));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
      out += static_cast<char>(0xE0 | (cp >> 12));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    }
  }
  return out;
}

// The buttons of a box, as shown in the prompt.
const char* ButtonsOf(BoxKind kind) {
  switch (kind) {
    case BoxKind::kMessage: return "[Ok]";
    case BoxKind::kOkCancel: return "[Ok/Cancel]";
    case BoxKind::kYesNoCancel: return "[Yes/No/Cancel]";
    case BoxKind::kYesNoDefaultNo:
    case BoxKind::kYesNoDefaultYes: return "[Yes/No]";
  }
  return "[?]";
}

// The label of `answer` in a box of `kind`.
const char* AnswerName(BoxKind kind, int answer) {
  if (answer == kClosed) return "closed";
  switch (kind) {
    case BoxKind::kMessage: return answer == kButton2 ? "Ok" : "?";
    case BoxKind::kOkCancel: return answer == kButton1 ? "Ok" : answer == kButton3 ? "Cancel" : "?";
    case BoxKind::kYesNoCancel:
      return answer == kButton1 ? "Yes" : answer == kButton2 ? "No" : answer == kButton3 ? "Cancel" : "?";
    case BoxKind::kYesNoDefaultNo:
    case BoxKind::kYesNoDefaultYes: return answer == kButton1 ? "Yes" : answer == kButton3 ? "No" : "?";
  }
  return "?";
}

// The answer a typed letter stands for in a box of `kind`; -1 for none.
int AnswerOfLetter(BoxKind kind, char letter) {
  switch (std::tolower(static_cast<unsigned char>(letter))) {
    case 'o':
      if (kind == BoxKind::kMessage) return kButton2;
      if (kind == BoxKind::kOkCancel) return kButton1;
      return -1;
    case 'y':
      if (kind == BoxKind::kYesNoCancel || kind == BoxKind::kYesNoDefaultNo ||
          kind == BoxKind::kYesNoDefaultYes) {
        return kButton1;
      }
      return -1;
    case 'n':
      if (kind == BoxKind::kYesNoCancel) return kButton2;
      if (kind == BoxKind::kYesNoDefaultNo || kind == BoxKind::kYesNoDefaultYes) return kButton3;
      return -1;
    case 'c':
      if (kind == BoxKind::kOkCancel || kind == BoxKind::kYesNoCancel) return kButton3;
      return -1;
  }
  return -1;
}

}  // namespace

ConsoleBox::ConsoleBox(Converter toUtf8, Options options, std::FILE* out, std::FILE* in)
    : toUtf8_(toUtf8 ? std::move(toUtf8) : Converter(Cp1250ToUtf8)),
      options_(options),
      out_(out),
      in_(in) {}

int ConsoleBox::DefaultAnswer(BoxKind kind, bool assumeYes) {
  switch (kind) {
    case BoxKind::kMessage: return kButton2;
    case BoxKind::kOkCancel: return assumeYes ? kButton1 : kButton3;
    case BoxKind::kYesNoCancel: return assumeYes ? kButton1 : kButton2;
    case BoxKind::kYesNoDefaultNo: return assumeYes ? kButton1 : kButton3;
    case BoxKind::kYesNoDefaultYes: return kButton1;
  }
  return kClosed;
}

int ConsoleBox::ReadAnswer(BoxKind kind, int fallback) {
  char line[64];
  for (;;) {
    std::fprintf(out_, "%s? ", ButtonsOf(kind));
    std::fflush(out_);
    if (std::fgets(line, sizeof(line), in_) == nullptr) return kClosed;
    const char* p = line;
    while (*p == ' ' || *p == '\t') ++p;
    if (*p == '\n' || *p == '\r' || *p == '\0') return fallback;
    const int answer = AnswerOfLetter(kind, *p);
    if (answer >= 0) return answer;
  }
}

bool ConsoleBox::Show(const std::string& text, BoxKind kind, bool withCheckBox, int& answer) {
  std::fprintf(out_, "%s\n", toUtf8_(text).c_str());
  const int fallback = DefaultAnswer(kind, options_.assumeYes);
  const int chosen = options_.interactive ? ReadAnswer(kind, fallback) : fallback;
  if (!options_.interactive) {
    std::fprintf(out_, "%s -> %s\n", ButtonsOf(kind), AnswerName(kind, chosen));
  }
  std::fflush(out_);
  answer = chosen;
  if (withCheckBox) dontShowAgain_ = options_.tickCheckBox;
  return true;
}

void ConsoleBox::LastResortError(const std::string& text) {
  std::fprintf(out_, "Error - Erreur: %s\n", toUtf8_(text).c_str());
  std::fflush(out_);
}

}  // namespace malvex
