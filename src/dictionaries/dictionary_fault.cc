#include "dictionaries/dictionary_fault.h"

#include <string>

#include "foundations/messages.h"
#include "platform/fatal.h"

namespace malvex {

void DictionaryFault(Messages* messages, int messageId, int exitCode, std::string_view path) {
  if (messages != nullptr) {
    std::string text = messages->message(messageId);
    if (!path.empty()) {
      text += ' ';
      text += path;
    }
    messages->errorBox(text);
  }
  FatalExit(exitCode);
}

}  // namespace malvex
