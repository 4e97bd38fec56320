// The reader of Word 97-2003 (and earlier) binary documents: opens the
// document as a compound file, reads the text of the main document through
// its file information block and piece table, the "Macros" element and the
// summary information, converts the text to 8-bit characters by the code
// page of the document's language, and hands it over as a list of lines.
//
// Every offset and count read from the document is checked against the
// bytes actually there: a damaged document gives less text, never a read
// outside its streams.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace malvex {

// The fields of the file information block the reader uses.
struct WordFileInformation {
  uint16_t identifier = 0;     // wIdent
  uint16_t formatNumber = 0;   // nFib
  uint16_t languageId = 0;     // lid
  uint16_t farEastLanguageId = 0;  // lidFE (version 8 only)
  bool complex = false;        // fast-saved: the text lies in pieces
  bool encrypted = false;
  bool tableStreamOne = false; // version 8: "1Table", else "0Table"
  bool farEast = false;        // version 8: lidFE is the document's language
  uint32_t firstTextPosition = 0;  // fcMin
  uint32_t lastTextPosition = 0;   // fcMac
  uint32_t mainTextLength = 0;     // ccpText, in characters
  uint32_t clxPosition = 0;        // fcClx, in the table stream (version 8)
  uint32_t clxLength = 0;          // lcbClx
};

// The standard summary property set. Strings are the bytes stored, up to
// their first zero; times are file times (100 ns units since 1601).
struct TSMWordSummaryInformation {
  std::string title, subject, author, keywords, comments, templateName, lastAuthor, revisionNumber,
      applicationName;
  uint64_t editTime = 0, lastPrinted = 0, created = 0, lastSaved = 0;
  int32_t pageCount = 0, wordCount = 0, characterCount = 0, security = 0;
};

// Called for the special characters 1, 2, 3, 5, 6, 8, 11, 12, 20, 31 and
// 34, which give nothing unless the handler puts a text in `text`, and for
// the field marks 19 and 21, which always give nothing.
using TMSWordConvertSysCharEvent = std::function<void(uint8_t code, std::string& text)>;

// The document version from the first two 16-bit words of the
// "WordDocument" stream: 5 for the identifier 14334; otherwise by the
// format number: up to 100 -> 2, 101 -> 6, 103 -> 0, 104 -> 7, any other
// -> 8.
int WordDocumentVersion(uint16_t identifier, uint16_t formatNumber);

// Reads the file information block at the start of `stream` in the layout
// of `version` (2; 0 and 5 to 7; 8). False when the stream is too short
// for the fields the layout places; fields beyond a short version 8 block
// stay 0.
bool ReadWordFileInformation(std::string_view stream, int version, WordFileInformation& fib);

// The text of the main document. Version 8 text comes out as UTF-16 little
// endian (compressed pieces widened from code page 1252) and `wide` is set;
// earlier versions give their 8-bit bytes. `table` is the table stream
// (version 8) or the "WordDocument" stream itself. Pieces that lie outside
// the stream are skipped; the text never exceeds twice the stream's size.
std::string ReadWordText(const WordFileInformation& fib, int version, std::string_view document,
                         std::string_view table, bool& wide);

// Converts one text run into one output line: 16-bit text (`wide`) is
// walked byte by byte, each pair of bytes taken as a UTF-16 code unit and,
// when the code page of `languageId` has that character, replaced by it;
// otherwise the single byte is taken. 8-bit text is taken byte by byte.
// Then the special characters: 0 nothing; 7 a blank, and with another 7
// right after it a line end; 9 a tab; 13 CR LF; 19, 21 and the others
// listed for the handler nothing (or the handler's text).
std::string ConvertWordRun(std::string_view run, bool wide, uint16_t languageId,
                           const TMSWordConvertSysCharEvent& handler);

// Reads the summary property set from the content of the stream
// "\x05SummaryInformation": the section whose offset stands at byte 44,
// its properties of type 3 (32-bit integer), 30 (counted string) and 64
// (file time). False when the section cannot be found.
bool ReadWordSummaryInformation(std::string_view stream, TSMWordSummaryInformation& info);

class TMSWordDocument {
 public:
  TMSWordDocument() = default;
  TMSWordDocument(const TMSWordDocument&) = delete;
  TMSWordDocument& operator=(const TMSWordDocument&) = delete;

  void SetFileName(std::string name) { fileName_ = std::move(name); }
  const std::string& FileName() const { return fileName_; }

  // Reads the document named by SetFileName: the lines of the main
  // document's text (none for an encrypted document) and of a non-empty
  // "Macros" stream, and the summary information. False when the file is
  // not a compound file or a storage error ended the reading; the lines
  // produced until then stay.
  bool Read();

  // 0 before a "WordDocument" stream was read.
  int DocVersion() const { return docVersion_; }
  const WordFileInformation& FileInformation() const { return fib_; }
  const TSMWordSummaryInformation& SummaryInformation() const { return summary_; }
  // The document's language: the far-east identifier when the far-east
  // flag is set, else the ordinary one.
  uint16_t LanguageId() const;
  const std::vector<std::string>& Lines() const { return lines_; }

  // Converts the special characters and the 16-bit text (on by default);
  // off, each run is added unchanged.
  bool ConvertSysCharacters = true;
  TMSWordConvertSysCharEvent OnConvertSysChar;

 private:
  void AddRun(std::string_view run, bool wide);

  std::string fileName_;
  int docVersion_ = 0;
  WordFileInformation fib_;
  TSMWordSummaryInformation summary_;
  std::vector<std::string> lines_;
};

// The system's own Word reader as the document converters call it: the
// text of the Word document `path` in `text`, its lines joined by line
// ends, read with the handler the converters use (manual line breaks, page
// and section breaks end a line; a double quote stays a double quote).
// False, with `text` empty, when the document gives no text.
bool ReadWordDocumentText(const std::string& path, std::string& text);

}  // namespace malvex
