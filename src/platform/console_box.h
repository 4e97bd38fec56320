// A notification box for the command line: writes each box on a stream
// (stderr by default) in UTF-8 and answers it without a window.
#pragma once

#include <cstdio>
#include <functional>
#include <string>

#include "platform/notify.h"

namespace malvex {

// How a ConsoleBox answers.
struct ConsoleBoxOptions {
  // Answers every question with its first button ("Yes", or "Ok" in an
  // OK/Cancel box) instead of the box's default button.
  bool assumeYes = false;
  // Reads each answer from the input stream (y, n, o, c; an empty line
  // takes the default; end of input closes the box).
  bool interactive = false;
  // State reported for the "Don't show this message again" check box.
  bool tickCheckBox = false;
};

class ConsoleBox : public NotificationBox {
 public:
  // Turns engine text (code page 1250) into UTF-8.
  using Converter = std::function<std::string(const std::string&)>;

  using Options = ConsoleBoxOptions;

  // An empty `toUtf8` uses the built-in code page 1250 table. `out` and
  // `in` must stay open while the box is used; `in` is read only when
  // `options.interactive`.
  explicit ConsoleBox(Converter toUtf8 = {}, Options options = {}, std::FILE* out = stderr,
                      std::FILE* in = stdin);

  bool Show(const std::string& text, BoxKind kind, bool withCheckBox, int& answer) override;
  bool DontShowAgain() const override { return dontShowAgain_; }
  void LastResortError(const std::string& text) override;

  // The answer a non-interactive box gives to `kind`: the focused button,
  // or the first button under assumeYes ("Ok" alone for a message box).
  static int DefaultAnswer(BoxKind kind, bool assumeYes);

 private:
  int ReadAnswer(BoxKind kind, int fallback);

  Converter toUtf8_;
  Options options_;
  std::FILE* out_;
  std::FILE* in_;
  bool dontShowAgain_ = false;
};

}  // namespace malvex
