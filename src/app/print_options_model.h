// The print dialog without its widgets: the check list of the eleven
// reports and "Colors", kept in the settings record, the print font, and
// which reports the analysis shown can print.
#pragma once

#include <string>

#include "settings/settings_record.h"
#include "views/print_reports.h"

namespace malvex {

class Messages;

class PrintOptionsModel {
 public:
  static constexpr int kDefaultPointSize = 10;

  // `record` must outlive the model.
  explicit PrintOptionsModel(SettingsRecord& record) : record_(record) {}

  // The dialog opens: the boxes take the stored choices; `sources` tells
  // which reports have something to print.
  void FormShow(const PrintSources& sources);
  // OK: the boxes go back into the record.
  void Accept();

  // The label of item `i` of the check list (code page 1250).
  static std::string ItemLabel(Messages& messages, int i);

  bool checked(int i) const { return i >= 0 && i < kPrintReportCount && checked_[static_cast<size_t>(i)]; }
  void setChecked(int i, bool v) {
    if (i >= 0 && i < kPrintReportCount) checked_[static_cast<size_t>(i)] = v;
  }
  // Whether item `i` can be printed now: the text only while a text is
  // analysed, the Scenario only when one is loaded, the graph when one is
  // drawn.
  bool available(int i) const { return i >= 0 && i < kPrintReportCount && available_[static_cast<size_t>(i)]; }
  bool colour() const { return colour_; }
  void setColour(bool v) { colour_ = v; }

  // The print font.
  const std::string& fontFamily() const { return fontFamily_; }
  int pointSize() const { return pointSize_; }
  void setFont(std::string family, int pointSize) {
    fontFamily_ = std::move(family);
    pointSize_ = pointSize > 0 ? pointSize : kDefaultPointSize;
  }

  // The reports a job prints: checked and available.
  PrintChoices Choices() const;
  // Whether a job would print anything.
  bool AnythingChosen() const;

 private:
  SettingsRecord& record_;
  PrintChoices checked_{};
  PrintChoices available_{};
  bool colour_ = false;
  std::string fontFamily_ = "DejaVu Sans";
  int pointSize_ = kDefaultPointSize;
};

}  // namespace malvex
