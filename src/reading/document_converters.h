// The document converters: the text of PDF, Word, PowerPoint 2007,
// OpenDocument and XPS files is extracted whole, before reading starts,
// and converted to the 8-bit code page. One converter per kind; each is
// either the built-in extractor or, when the converters' registry key
// names one for the kind's extension, that external program. The settings
// decide which files go through a converter; failures fall back to the
// binary filter (Word documents) or give no text, and a failed PDF asks
// the user, once per run, whether to keep converting PDF documents.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>

#include "platform/document_text.h"

namespace malvex {

class Messages;
class Registry;
class SettingsRecord;

// The kinds of converter, each with the extension its registry value is
// named after.
enum class ConverterKind : int {
  kPdf,               // ".pdf"
  kWord97,            // ".doc": only through a registered program
  kWord2007,          // ".docx"
  kPowerPoint2007,    // ".pptx" (also ".ppsx" files)
  kOdfText,           // ".odt"
  kOdfPresentation,   // ".odp"
  kXps,               // ".xps": no registry value
};
inline constexpr int kConverterKinds = 7;

// The extension a kind's registry value is named after; empty for XPS.
const char* ConverterExtension(ConverterKind kind);

// The external programs registered per kind (empty: the built-in one).
struct ConverterOverrides {
  std::array<std::string, kConverterKinds> program;
};

// Reads the values of the converters' key (kConverterRegistryKey) of
// `registry`.
ConverterOverrides ReadConverterOverrides(const Registry& registry);

// The system's own reader of Word 97-2003 documents: the text of the
// document as 8-bit lines, none when it cannot read it.
using WordDocumentReader = std::function<bool(const std::string& fileName, std::string& text)>;

// What ConvertDocument did.
enum class ConversionResult {
  kText,          // the text is in `text`
  kNoText,        // the file gives no text (reported as described)
  kBinaryFilter,  // read the file through the binary filter instead
};

class DocumentConverters {
 public:
  // `messages` and `record` (the settings) must outlive the converters.
  DocumentConverters(Messages& messages, SettingsRecord& record);
  DocumentConverters(const DocumentConverters&) = delete;
  DocumentConverters& operator=(const DocumentConverters&) = delete;

  // Start-up: takes the registered programs and checks every converter; an
  // unavailable PDF converter switches PDF conversion off.
  void Start(const ConverterOverrides& overrides);
  // Replaces the system's own Word reader (TMSWordDocument, through
  // ReadWordDocumentText), tried after the Word 97-2003 converter. With an
  // empty reader, Word 97-2003 documents that no converter reads go to the
  // binary filter.
  void SetWordReader(WordDocumentReader reader) { wordReader_ = std::move(reader); }

  bool Available(ConverterKind kind) const { return available_[static_cast<int>(kind)]; }
  // True when at least one converter is available.
  bool AnyAvailable() const;

  // True for the file types read through ConvertDocument (Word, PDF,
  // PowerPoint, OpenDocument, XPS).
  static bool IsConverterType(int fileType);

  // The text of `fileName`, of a converter type, in 8-bit characters, as
  // the settings ask:
  //  - PDF (when PDF conversion is on): on failure, the first time in a
  //    run (`askedThisRun` false) the user is asked whether to go on;
  //    "No" switches PDF conversion off. The file gives no text.
  //  - Word and PowerPoint 97-2003 (when Word conversion is on): zipped
  //    Word files through the Word 2007 converter; others through the Word
  //    97-2003 converter (when the setting puts it first and it is
  //    available), then the system's own Word reader; when every way
  //    fails, and always when Word conversion is off, the binary filter.
  //  - PowerPoint 2007, OpenDocument, XPS (when XPS conversion is on):
  //    their converter; on failure no text.
  // A text holding nothing but blanks counts as a failure. After a
  // failure LastError() holds the error text (message 1177 and the
  // extractor's step), or is empty when the converter gave no text.
  ConversionResult ConvertDocument(int fileType, const std::string& fileName, bool& askedThisRun,
                                   std::string& text);

  const std::string& LastError() const { return lastError_; }

 private:
  // Runs the converter of `kind`; true with non-blank text.
  bool Extract(ConverterKind kind, const std::string& fileName, std::string& text);
  bool ConvertWord(const std::string& fileName, std::string& text);
  void PdfFailed(bool& askedThisRun);

  Messages& messages_;
  SettingsRecord& record_;
  ConverterOverrides overrides_;
  std::array<bool, kConverterKinds> available_{};
  WordDocumentReader wordReader_;
  std::string lastError_;
};

}  // namespace malvex
