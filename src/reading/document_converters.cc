#include "reading/document_converters.h"

#include <cstdio>
#include <cstring>

#include "foundations/charset.h"
#include "foundations/messages.h"
#include "platform/files.h"
#include "platform/registry.h"
#include "reading/file_types.h"
#include "reading/ms_word_document.h"
#include "settings/settings_record.h"

namespace malvex {
namespace {

DocumentFormat FormatOf(ConverterKind kind) {
  switch (kind) {
    case ConverterKind::kPdf:
      return DocumentFormat::kPdf;
    case ConverterKind::kPowerPoint2007:
      return DocumentFormat::kPresentation;
    case ConverterKind::kOdfText:
      return DocumentFormat::kOdfText;
    case ConverterKind::kOdfPresentation:
      return DocumentFormat::kOdfPresentation;
    case ConverterKind::kXps:
      return DocumentFormat::kXps;
    case ConverterKind::kWord97:
    case ConverterKind::kWord2007:
      break;
  }
  return DocumentFormat::kWordprocessing;
}

// True when the text holds nothing but blanks and line ends.
bool Blank(std::string_view text) {
  for (char c : text)
    if (c != ' ' && c != '\t' && c != '\r' && c != '\n' && c != '\f' && c != '\v' && c != '\0') return false;
  return true;
}

// True when the file starts as a zip archive does (a Word 2007 document).
bool IsZipFile(const std::string& fileName) {
  std::string head;
  return ReadFileHead(fileName, 4, head) && head == std::string_view("PK\x03\x04", 4);
}

}  // namespace

const char* ConverterExtension(ConverterKind kind) {
  static constexpr const char* kExtensions[kConverterKinds] = {".pdf", ".doc", ".docx", ".pptx", ".odt", ".odp", ""};
  return kExtensions[static_cast<int>(kind)];
}

ConverterOverrides ReadConverterOverrides(const Registry& registry) {
  ConverterOverrides overrides;
  for (int k = 0; k < kConverterKinds; ++k) {
    const char* extension = ConverterExtension(static_cast<ConverterKind>(k));
    if (*extension != '\0') registry.Get(kConverterRegistryKey, extension, overrides.program[k]);
  }
  return overrides;
}

DocumentConverters::DocumentConverters(Messages& messages, SettingsRecord& record)
    : messages_(messages), record_(record), wordReader_(ReadWordDocumentText) {}

void DocumentConverters::Start(const ConverterOverrides& overrides) {
  overrides_ = overrides;
  for (int k = 0; k < kConverterKinds; ++k) {
    const std::string& program = overrides_.program[k];
    if (!program.empty())
      available_[k] = ConverterProgramAvailable(program);
    else
      available_[k] = static_cast<ConverterKind>(k) != ConverterKind::kWord97;  // the others are built in
  }
  if (!Available(ConverterKind::kPdf)) record_.setPdfThroughExtractor(false);
}

bool DocumentConverters::AnyAvailable() const {
  for (bool a : available_)
    if (a) return true;
  return false;
}

bool DocumentConverters::IsConverterType(int fileType) {
  switch (fileType) {
    case kFileTypeWord:
    case kFileTypePdf:
    case kFileTypePowerPoint:
    case kFileTypePowerPointX:
    case kFileTypeOdt:
    case kFileTypeOdp:
    case kFileTypeXps:
      return true;
    default:
      return false;
  }
}

ConversionResult DocumentConverters::ConvertDocument(int fileType, const std::string& fileName, bool& askedThisRun,
                                                     std::string& text) {
  text.clear();
  lastError_.clear();
  switch (fileType) {
    case kFileTypePdf:
      if (!record_.pdfThroughExtractor()) return ConversionResult::kNoText;
      if (Extract(ConverterKind::kPdf, fileName, text)) return ConversionResult::kText;
      PdfFailed(askedThisRun);
      return ConversionResult::kNoText;
    case kFileTypeWord:
    case kFileTypePowerPoint:
      if (!record_.wordThroughConverters()) return ConversionResult::kBinaryFilter;
      if (fileType == kFileTypeWord && IsZipFile(fileName)) {
        // A zipped document has no text the binary filter could find.
        return Extract(ConverterKind::kWord2007, fileName, text) ? ConversionResult::kText : ConversionResult::kNoText;
      }
      return ConvertWord(fileName, text) ? ConversionResult::kText : ConversionResult::kBinaryFilter;
    case kFileTypePowerPointX:
      return Extract(ConverterKind::kPowerPoint2007, fileName, text) ? ConversionResult::kText
                                                                     : ConversionResult::kNoText;
    case kFileTypeOdt:
      return Extract(ConverterKind::kOdfText, fileName, text) ? ConversionResult::kText : ConversionResult::kNoText;
    case kFileTypeOdp:
      return Extract(ConverterKind::kOdfPresentation, fileName, text) ? ConversionResult::kText
                                                                      : ConversionResult::kNoText;
    case kFileTypeXps:
      if (!record_.xpsThroughConverter()) return ConversionResult::kNoText;
      return Extract(ConverterKind::kXps, fileName, text) ? ConversionResult::kText : ConversionResult::kNoText;
    default:
      return ConversionResult::kNoText;
  }
}

bool DocumentConverters::Extract(ConverterKind kind, const std::string& fileName, std::string& text) {
  const int k = static_cast<int>(kind);
  std::string utf8;
  ExtractionStep step = ExtractionStep::kNotInstalled;
  if (available_[k]) {
    if (!overrides_.program[k].empty())
      step = RunConverterProgram(overrides_.program[k], fileName, utf8);
    else
      step = ExtractDocumentText(FormatOf(kind), fileName, utf8);
  }
  if (step != ExtractionStep::kDone) {
    lastError_ = messages_.message(1177);
    lastError_ += " iFilter error in step: ";
    lastError_ += std::to_string(static_cast<int>(step));
    lastError_ += " ";
    lastError_ += ExtractionMessage(step);
    return false;
  }
  std::string_view body = utf8;
  if (body.substr(0, 3) == "\xEF\xBB\xBF") body.remove_prefix(3);
  text = FromUtf8(body);
  if (Blank(text)) {
    text.clear();
    return false;
  }
  return true;
}

bool DocumentConverters::ConvertWord(const std::string& fileName, std::string& text) {
  if (record_.word97ThroughExtractorFirst() && Available(ConverterKind::kWord97) &&
      Extract(ConverterKind::kWord97, fileName, text))
    return true;
  if (wordReader_ && wordReader_(fileName, text) && !Blank(text)) {
    lastError_.clear();
    return true;
  }
  text.clear();
  lastError_ = messages_.message(1177);
  return false;
}

void DocumentConverters::PdfFailed(bool& askedThisRun) {
  if (askedThisRun) return;
  askedThisRun = true;
  // The catalogue hands out one shared buffer: each text is appended
  // before the next is fetched.
  std::string question = messages_.message(51);
  question += "PDF ! ";
  question += messages_.message(61);
  question += ": ";
  if (lastError_.empty()) {
    question += "iFilter ";
    question += messages_.message(493);
  } else {
    question += lastError_;
  }
  question += " ";
  question += messages_.message(1176);
  question += " ";
  question += messages_.message(549);
  if (messages_.ask(question)) return;
  std::string refusal = messages_.message(1178);
  refusal += " ";
  refusal += messages_.message(1175);
  refusal += " ";
  refusal += messages_.message(1176);
  messages_.errorBox(refusal);
  record_.setPdfThroughExtractor(false);
}

}  // namespace malvex
