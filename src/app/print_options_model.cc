#include "app/print_options_model.h"

#include "foundations/messages.h"

namespace malvex {

void PrintOptionsModel::FormShow(const PrintSources& sources) {
  for (int i = 0; i < kPrintReportCount; ++i) {
    checked_[static_cast<size_t>(i)] = record_.printChoice(i);
    available_[static_cast<size_t>(i)] = PrintReportAvailable(sources, i);
  }
  colour_ = record_.printInColour();
}

void PrintOptionsModel::Accept() {
  for (int i = 0; i < kPrintReportCount; ++i) record_.setPrintChoice(i, checked_[static_cast<size_t>(i)]);
  record_.setPrintInColour(colour_);
}

std::string PrintOptionsModel::ItemLabel(Messages& messages, int i) {
  const int id = PrintReportMessage(i);
  return id > 0 ? std::string(messages.message(id)) : std::string();
}

PrintChoices PrintOptionsModel::Choices() const {
  PrintChoices out{};
  for (size_t i = 0; i < out.size(); ++i) out[i] = checked_[i] && available_[i];
  return out;
}

bool PrintOptionsModel::AnythingChosen() const {
  const PrintChoices c = Choices();
  for (bool b : c)
    if (b) return true;
  return false;
}

}  // namespace malvex
