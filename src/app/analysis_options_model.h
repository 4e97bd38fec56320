// The analysis options dialog without its widgets: the level relations are
// built on, the scenario on all word categories, the class detection
// threshold, the quantity of characteristic parts, and how Word and PDF
// documents are read. Accept checks every value before it stores any, so a
// refused Accept leaves the settings as they were.
#pragma once

#include <string>

#include "settings/settings_record.h"

namespace malvex {

class Messages;

// What the dialog needs to know of the document converters.
struct PdfRoute {
  // A PDF text extractor is installed.
  bool extractorAvailable = false;
  // At least one document converter of any kind is installed.
  bool anyConverter = false;
};

// The marks that outlive one opening of the dialog.
struct AnalysisOptionsMarks {
  // The user accepted the warning about the scenario on all categories.
  bool scenarioWarningAccepted = false;
  // The main window refused a PDF file: the dialog opens on Conversions.
  bool pdfRefused = false;
};

class TOptionsAnalyseModel {
 public:
  static constexpr int kMinThreshold = 1;
  static constexpr int kMaxThreshold = 999;
  static constexpr int kMinParts = 1;
  static constexpr int kMaxParts = 100;
  static constexpr int kHelpTopic = 850;
  enum Page { kOptionsPage = 0, kConversionsPage = 1 };

  // `record`, `messages` and `marks` must outlive the model.
  TOptionsAnalyseModel(SettingsRecord& record, Messages& messages, AnalysisOptionsMarks& marks, PdfRoute pdf);

  // The dialog opens: the controls take the stored settings. A relation
  // level outside 1..4 shows References.
  void FormCreate();

  // What the controls show.
  int relationLevel() const { return level_; }  // 1..4
  bool scenarioOnAllCategories() const { return scenarioAll_; }
  bool thresholdByWords() const { return byWords_; }
  const std::string& minWordsText() const { return minWordsText_; }
  const std::string& pertinenceText() const { return pertinenceText_; }
  int characteristicParts() const { return parts_; }
  bool wordThroughConverters() const { return wordNative_; }
  bool convertPdf() const { return convertPdf_; }
  bool convertPdfEnabled() const { return convertPdfEnabled_; }
  Page page() const { return page_; }

  // The controls' handlers.
  void SetRelationLevel(int level);  // 1..4; other values are ignored
  void SetScenarioOnAllCategories(bool on) { scenarioAll_ = on; }
  void SetThresholdByWords(bool byWords) { byWords_ = byWords; }
  void SetMinWordsText(std::string text) { minWordsText_ = std::move(text); }
  void SetPertinenceText(std::string text) { pertinenceText_ = std::move(text); }
  void SetCharacteristicParts(int parts);
  void SetWordThroughConverters(bool on) { wordNative_ = on; }
  // "Do not convert this format" (false) or "Convert PDF documents" (true).
  // Choosing conversion without an extractor puts the refusal back and
  // says why.
  void SetConvertPdf(bool on);

  // Accept: true when the dialog closes (the values were stored). False
  // when it stays open: the warning about the scenario on all categories
  // was cancelled (the box is cleared) or a threshold is not a whole
  // number from 1 to 999 (messages 530 and 531); nothing is stored then.
  bool ButtonOkClick();
  // Cancel: nothing is stored and nothing is analysed again.
  void ButtonAnnulerClick();

  // True after an Accept that changed what the analysis reads: the text
  // must be analysed again.
  bool reanalysisNeeded() const { return reanalysis_; }

 private:
  struct Values {
    int level = 1;
    bool scenarioAll = false;
    bool byWords = true;
    int minWords = 0;
    int pertinence = 0;
    int parts = 0;
    bool wordNative = false;
    bool pdf = false;
    bool operator==(const Values&) const = default;
  };
  Values Stored() const;
  void ShowPdfUnavailable();

  SettingsRecord& record_;
  Messages& messages_;
  AnalysisOptionsMarks& marks_;
  PdfRoute pdf_;
  int level_ = 1;
  bool scenarioAll_ = false;
  bool byWords_ = true;
  std::string minWordsText_;
  std::string pertinenceText_;
  int parts_ = kMinParts;
  bool wordNative_ = false;
  bool convertPdf_ = false;
  bool convertPdfEnabled_ = true;
  bool pdfWarningShown_ = false;
  Page page_ = kOptionsPage;
  Values opened_;
  bool reanalysis_ = false;
};

// A relation level as stored: 1..4 kept, anything else References (1).
int ShownRelationLevel(int stored);
// A whole number from `low` to `high` written in `text` (digits only, no
// sign or spaces); false otherwise.
bool ParseBoundedNumber(const std::string& text, int low, int high, int& value);

// "Analysis options".
std::string AnalysisOptionsCaption(Messages& messages);

}  // namespace malvex
