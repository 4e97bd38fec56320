#include "app/analysis_options_model.h"

#include "foundations/messages.h"

namespace malvex {

namespace {
constexpr int kMsgCaption = 637;
constexpr int kMsgScenarioOnAllWarning = 559;
constexpr int kMsgIncorrectValues = 530;
constexpr int kMsgThresholdRange = 531;
constexpr int kMsgDriverFailed = 51;
constexpr int kMsgPdfDocuments = 493;
constexpr int kMsgPdfNeedsConverter = 1175;
constexpr int kMsgPdfInstall = 1176;
}  // namespace

int ShownRelationLevel(int stored) { return stored >= 1 && stored <= 4 ? stored : 1; }

bool ParseBoundedNumber(const std::string& text, int low, int high, int& value) {
  if (text.empty() || text.size() > 9) return false;
  int v = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return false;
    v = v * 10 + (c - '0');
  }
  if (v < low || v > high) return false;
  value = v;
  return true;
}

std::string AnalysisOptionsCaption(Messages& messages) { return messages.message(kMsgCaption); }

TOptionsAnalyseModel::TOptionsAnalyseModel(SettingsRecord& record, Messages& messages, AnalysisOptionsMarks& marks,
                                           PdfRoute pdf)
    : record_(record), messages_(messages), marks_(marks), pdf_(pdf) {}

TOptionsAnalyseModel::Values TOptionsAnalyseModel::Stored() const {
  Values v;
  v.level = ShownRelationLevel(record_.relationLevel());
  v.scenarioAll = record_.scenarioOnAllCategories();
  v.byWords = record_.classThresholdByWords();
  v.minWords = record_.classMinWords();
  v.pertinence = record_.classPertinence();
  v.parts = record_.remarkablePropositions();
  v.wordNative = record_.wordThroughConverters();
  v.pdf = record_.pdfThroughExtractor();
  return v;
}

void TOptionsAnalyseModel::FormCreate() {
  reanalysis_ = false;
  pdfWarningShown_ = false;
  convertPdfEnabled_ = true;
  // A warning accepted for a setting that has been switched off since is
  // asked again when it is switched back on.
  if (!record_.scenarioOnAllCategories()) marks_.scenarioWarningAccepted = false;
  opened_ = Stored();
  byWords_ = opened_.byWords;
  minWordsText_ = std::to_string(opened_.minWords);
  pertinenceText_ = std::to_string(opened_.pertinence);
  level_ = opened_.level;
  scenarioAll_ = opened_.scenarioAll;
  parts_ = opened_.parts < kMinParts ? kMinParts : opened_.parts > kMaxParts ? kMaxParts : opened_.parts;
  wordNative_ = opened_.wordNative;
  convertPdf_ = opened_.pdf;
  page_ = marks_.pdfRefused ? kConversionsPage : kOptionsPage;
}

void TOptionsAnalyseModel::SetRelationLevel(int level) {
  if (level >= 1 && level <= 4) level_ = level;
}

void TOptionsAnalyseModel::SetCharacteristicParts(int parts) {
  parts_ = parts < kMinParts ? kMinParts : parts > kMaxParts ? kMaxParts : parts;
}

void TOptionsAnalyseModel::ShowPdfUnavailable() {
  if (!pdfWarningShown_) {
    pdfWarningShown_ = true;
    convertPdfEnabled_ = false;
    if (!pdf_.anyConverter) {
      std::string text = messages_.message(kMsgPdfNeedsConverter);
      text += ' ';
      text += messages_.message(kMsgPdfInstall);
      messages_.errorBox(text);
    }
  }
  std::string text = messages_.message(kMsgDriverFailed);
  text += " \"";
  text += messages_.message(kMsgPdfDocuments);
  text += "\". ";
  text += messages_.message(kMsgPdfNeedsConverter);
  text += ' ';
  text += messages_.message(kMsgPdfInstall);
  messages_.errorBox(text);
}

void TOptionsAnalyseModel::SetConvertPdf(bool on) {
  if (on && !pdf_.extractorAvailable) {
    convertPdf_ = false;
    ShowPdfUnavailable();
    return;
  }
  convertPdf_ = on;
}

bool TOptionsAnalyseModel::ButtonOkClick() {
  // Everything is checked before anything is stored: a refused Accept
  // leaves the settings exactly as the dialog found them.
  bool warningAccepted = marks_.scenarioWarningAccepted;
  if (scenarioAll_ && !warningAccepted) {
    if (messages_.confirmCancel(messages_.message(kMsgScenarioOnAllWarning))) {
      scenarioAll_ = false;
      return false;
    }
    warningAccepted = true;
  }
  int minWords = 0;
  int pertinence = 0;
  if (!ParseBoundedNumber(minWordsText_, kMinThreshold, kMaxThreshold, minWords) ||
      !ParseBoundedNumber(pertinenceText_, kMinThreshold, kMaxThreshold, pertinence)) {
    std::string text = messages_.message(kMsgIncorrectValues);
    text += '\n';
    text += messages_.message(kMsgThresholdRange);
    messages_.errorBox(text);
    return false;
  }
  bool pdf = convertPdf_;
  if (pdf && !pdf_.extractorAvailable) {
    pdf = false;
    convertPdf_ = false;
    ShowPdfUnavailable();
  }

  marks_.scenarioWarningAccepted = warningAccepted;
  record_.setClassThresholdByWords(byWords_);
  record_.setClassMinWords(minWords);
  record_.setClassPertinence(pertinence);
  record_.setRelationLevel(level_);
  record_.setScenarioOnAllCategories(scenarioAll_);
  record_.setRemarkablePropositions(parts_);
  record_.setWordThroughConverters(wordNative_);
  record_.setPdfThroughExtractor(pdf);
  reanalysis_ = !(Stored() == opened_);
  return true;
}

void TOptionsAnalyseModel::ButtonAnnulerClick() { reanalysis_ = false; }

}  // namespace malvex
