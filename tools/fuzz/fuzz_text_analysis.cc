// Plain text through the whole analysis: the engine (started once, on the
// mini edition with a default scenario) reads the input as a text file and
// runs the reading pass (words, sentences, propositions) and the semantic
// pass on it. The first byte chooses how the text is presented to the
// reader:
//   bits 0..2  the encoding and the file's extension: 0 code page 1250
//              (".txt"), 1 UTF-8 with its mark, 2 UTF-8 without a mark,
//              3 UTF-16 little-endian with its mark, 4 UTF-16 big-endian
//              with its mark (all ".txt"), 5 OEM code page 852 (".asc"),
//              6 Macintosh (".mac"), 7 bytes as they are (an extension of
//              more than 11 characters);
//   bit 7      clear: the rest is code page 1250 text, converted to that
//              encoding; set: the rest is written as it is after the mark,
//              so that broken sequences reach the decoders;
//   bits 3..5  analysis options: the relation level (bits 3..4), numbers
//              taken as substantives (bit 5); an odd input size sets the
//              class threshold by pertinence instead of words;
//   bit 6      blanks (in the encoding) before the text, so that the end of
//              the reader's first block falls in its middle: sequences cut
//              by the end of a block must read as they do whole.
// A code page 1250 text converted to UTF-8 or UTF-16 must give the same
// word stream and counts as the text read in the code page itself (when
// every character of it survives the conversion both ways).
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "foundations/charset.h"
#include "fuzz_engine.h"
#include "fuzz_support.h"
#include "reading/file_types.h"
#include "reading/plain_text_filter.h"

namespace {

using namespace malvex;

// The inverse of a byte-to-byte conversion: for every code page 1250 byte
// the first byte the conversion turns into it (the byte itself when none).
struct Inverse {
  uint8_t of[256];
  template <typename Convert>
  explicit Inverse(Convert convert) {
    bool set[256] = {};
    for (int c = 0; c < 256; ++c) of[c] = static_cast<uint8_t>(c);
    for (int b = 0; b < 256; ++b) {
      const uint8_t a = convert(static_cast<uint8_t>(b));
      if (!set[a]) {
        set[a] = true;
        of[a] = static_cast<uint8_t>(b);
      }
    }
  }
};

void AppendUtf16(std::string& out, char32_t c, bool big) {
  const auto unit = static_cast<uint16_t>(c);
  const char hi = static_cast<char>(unit >> 8), lo = static_cast<char>(unit & 0xFF);
  out += big ? hi : lo;
  out += big ? lo : hi;
}

// The file the reader is given for `text` presented as `encoding`, and its
// name's extension.
std::string Present(int encoding, bool raw, std::string_view text, const char*& extension) {
  static const Inverse oem([](uint8_t b) { return OemToAnsi(b); });
  static const Inverse mac([](uint8_t b) { return fuzz::TheEngine().tables().macToAnsi[b]; });
  extension = ".txt";
  std::string file;
  switch (encoding) {
    case 0:
      return std::string(text);
    case 1:
      return "\xEF\xBB\xBF" + (raw ? std::string(text) : ToUtf8(text));
    case 2:
      return raw ? std::string(text) : ToUtf8(text);
    case 3:
    case 4: {
      const bool big = encoding == 4;
      file = big ? "\xFE\xFF" : "\xFF\xFE";
      if (raw) return file + std::string(text);
      for (const char c : text) AppendUtf16(file, Cp1250ToUnicode(static_cast<uint8_t>(c)), big);
      return file;
    }
    case 5:
    case 6: {
      extension = encoding == 5 ? ".asc" : ".mac";
      if (raw) return std::string(text);
      const Inverse& inverse = encoding == 5 ? oem : mac;
      for (const char c : text) file += static_cast<char>(inverse.of[static_cast<uint8_t>(c)]);
      return file;
    }
    default:
      extension = ".abcdefghijkl";
      return std::string(text);
  }
}

// `file` with blanks inserted after its mark, so that the first block of
// the reader ends in the middle of the text (UTF-16 blanks are whole
// units; a raw text may still cut its own units).
std::string Padded(int encoding, const std::string& file) {
  const size_t mark = encoding == 1 ? 3 : encoding == 3 || encoding == 4 ? 2 : 0;
  const size_t body = file.size() - std::min(mark, file.size());
  if (mark + body / 2 >= PlainTextFilter::kBlockSize) return file;
  const size_t blanks = (PlainTextFilter::kBlockSize - mark - body / 2) & ~size_t{1};
  std::string padding;
  if (encoding == 3 || encoding == 4) {
    for (size_t i = 0; i < blanks / 2; ++i) padding += encoding == 3 ? std::string(" \0", 2) : std::string("\0 ", 2);
  } else {
    padding.assign(blanks, ' ');
  }
  return file.substr(0, mark) + padding + file.substr(std::min(mark, file.size()));
}

// Whether every byte of `text` is a character of the code page that UTF-8
// and UTF-16 carry and bring back unchanged.
bool SurvivesConversion(std::string_view text) {
  for (const char c : text) {
    const auto b = static_cast<uint8_t>(c);
    if (UnicodeTo8Bit(static_cast<uint16_t>(Cp1250ToUnicode(b))) != b) return false;
  }
  return FromUtf8(ToUtf8(text)) == text;
}

// Whether the text file `file` is read in the code page: its bytes may
// also begin with a mark or look like UTF-8, and are then no text of the
// code page for the reader.
bool ReadInCodePage(const std::string& file) {
  static const LanguageTables tables = DefaultLanguageTables();
  static PlainTextFilter filter;
  filter.StartFile(kFileTypeText, tables);
  std::vector<uint8_t> block;
  for (size_t at = 0; at < file.size(); at += PlainTextFilter::kBlockSize) {
    block.assign(file.begin() + static_cast<std::ptrdiff_t>(at),
                 file.begin() + static_cast<std::ptrdiff_t>(std::min(file.size(), at + PlainTextFilter::kBlockSize)));
    if (at == 0) filter.DetectFirstBlock(block.data(), block.size());
    filter.FilterBlock(block.data(), block.size(), at + block.size() == file.size());
  }
  return filter.Encoding() == kEncodingNone;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  Engine& engine = fuzz::TheEngine();
  const uint8_t selector = data[0];
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  const char* extension = nullptr;
  std::string file = Present(selector & 7, (selector & 0x80) != 0, text, extension);
  if ((selector & 0x40) != 0) file = Padded(selector & 7, file);
  const std::string path = fuzz::ScratchPath(std::string("text") + extension);
  if (!fuzz::WriteBytes(path, file)) return 0;

  SettingsRecord& record = engine.record();
  record.setRelationLevel(1 + (selector >> 3 & 3));
  record.setNumbersAsSubstantives((selector & 0x20) != 0);
  record.setClassThresholdByWords((size & 1) == 0);
  const int encoding = selector & 7;
  std::string plain;
  bool compare = (selector & 0x80) == 0 && encoding >= 1 && encoding <= 4 && SurvivesConversion(text);
  if (compare) {
    plain.assign(text);
    if ((selector & 0x40) != 0) plain = Padded(0, plain);
    compare = ReadInCodePage(plain);
  }
  std::string stream;
  const bool ok = fuzz::AnalyseAlone(engine, path, compare ? &stream : nullptr);
  if (compare) {
    const std::string plainPath = fuzz::ScratchPath("plain.txt");
    if (!fuzz::WriteBytes(plainPath, plain)) return 0;
    std::string plainStream;
    const bool plainOk = fuzz::AnalyseAlone(engine, plainPath, &plainStream);
    if (ok != plainOk || stream != plainStream) {
      std::fprintf(stderr, "encoding %d:\n%s\ncode page:\n%s\n", encoding, stream.c_str(), plainStream.c_str());
      __builtin_trap();
    }
  }
  return 0;
}
