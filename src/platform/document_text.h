// Text extraction from the documents that are not read block by block: PDF
// files (through poppler), the zipped XML office formats (Word 2007,
// PowerPoint 2007, OpenDocument text and presentation, XPS) and, when the
// user registers one, an external converter program. Each extractor gives
// the whole text of a document in UTF-8, in reading order, every paragraph,
// slide and page ending in a line end, or the step at which it failed.
#pragma once

#include <cstddef>
#include <string>

namespace malvex {

// The formats read by the built-in extractors.
enum class DocumentFormat : int {
  kPdf,
  kWordprocessing,  // ".docx": word/document.xml
  kPresentation,    // ".pptx", ".ppsx": the slides in presentation order
  kOdfText,         // ".odt": content.xml, office:text
  kOdfPresentation, // ".odp": content.xml, one draw:page per slide
  kXps,             // ".xps", ".oxps": the pages of the fixed documents
};

// Why an extraction failed. The values are the step numbers shown to the
// user, each with its extractor message (ExtractionMessage).
enum class ExtractionStep : int {
  kDone = 0,
  kNotInstalled = 1,      // no extractor (a registered program that is missing)
  kCannotLoad = 2,        // the extractor could not be started
  kInitialisation = 3,    // not a document of its kind, or the extractor refused it
  kNotLoaded = 4,         // the file could not be opened
  kCountMismatch = 5,     // a part the package lists is missing or damaged
  kPasswordProtected = 6,
  kAccessFailure = 7,     // a read failed, or the document is too large
  kUnexpected = 8,        // a part is not well-formed XML
};

// The extractor's message for a step ("Document is password protected."
// for kPasswordProtected); empty for kDone.
const char* ExtractionMessage(ExtractionStep step);

// Largest text an extractor returns, and largest XML part it reads
// (uncompressed); larger documents fail with kAccessFailure.
inline constexpr size_t kMaxExtractedText = size_t{256} << 20;
inline constexpr size_t kMaxPackagePart = size_t{512} << 20;

// Replaces `utf8` by the text of the document `path` read as `format`.
// Never throws; a damaged document gives a failure step.
ExtractionStep ExtractDocumentText(DocumentFormat format, const std::string& path, std::string& utf8);

// True when `program` names an executable file.
bool ConverterProgramAvailable(const std::string& program);

// Runs `program` with `path` as its only argument (no shell) and replaces
// `utf8` by what it writes on its standard output. Fails with kNotInstalled
// when the program is missing, kCannotLoad when it cannot be started,
// kInitialisation when it ends with a non-zero status or a signal.
ExtractionStep RunConverterProgram(const std::string& program, const std::string& path, std::string& utf8);

}  // namespace malvex
