#include "app/caption.h"

namespace malvex {

std::string MainCaption(Messages& messages, const std::string& title, const RunFlags& flags) {
  std::string caption = title;
  caption += " (";
  caption += messages.message(LanguageFor(flags.languageCode()).labelId);
  caption += ")";
  return caption;
}

}  // namespace malvex
