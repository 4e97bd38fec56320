// embed_catalogue: turns the message catalogue (UTF-8, one "id<TAB>text"
// line per entry) into C++ initialisers in code page 1250, sorted by id,
// for inclusion into the program.
//
//   embed_catalogue <catalogue.tsv> <output.inc>
//
// Escapes in a text: \n \r \t \\ and \s (a blank). A text must not begin or
// end with a raw blank (write \s), must not be empty, and holds at most 400
// bytes once converted. Lines starting with '#' and empty lines are skipped.
// Any fault stops the build with the line number; nothing is written then.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>

namespace {

constexpr size_t kMaxTextBytes = 400;
constexpr long kMaxId = 59999;

// The non-ASCII characters the catalogue may use, with their code page 1250
// byte. Romanian comma-below letters fold to the cedilla forms of the code
// page.
struct Mapping {
  char32_t codePoint;
  unsigned char byte;
};
constexpr Mapping kToCp1250[] = {
    {0x00A0, 0xA0}, {0x00A7, 0xA7}, {0x00A9, 0xA9}, {0x00AB, 0xAB}, {0x00AE, 0xAE},
    {0x00B0, 0xB0}, {0x00BB, 0xBB}, {0x00C1, 0xC1}, {0x00C2, 0xC2}, {0x00C4, 0xC4},
    {0x00C7, 0xC7}, {0x00C9, 0xC9}, {0x00CB, 0xCB}, {0x00CD, 0xCD}, {0x00CE, 0xCE},
    {0x00D3, 0xD3}, {0x00D4, 0xD4}, {0x00D6, 0xD6}, {0x00DA, 0xDA}, {0x00DC, 0xDC},
    {0x00DD, 0xDD}, {0x00DF, 0xDF}, {0x00E1, 0xE1}, {0x00E2, 0xE2}, {0x00E4, 0xE4},
    {0x00E7, 0xE7}, {0x00E9, 0xE9}, {0x00EB, 0xEB}, {0x00ED, 0xED}, {0x00EE, 0xEE},
    {0x00F3, 0xF3}, {0x00F4, 0xF4}, {0x00F6, 0xF6}, {0x00FA, 0xFA}, {0x00FC, 0xFC},
    {0x00FD, 0xFD}, {0x0102, 0xC3}, {0x0103, 0xE3}, {0x015E, 0xAA}, {0x015F, 0xBA},
    {0x0162, 0xDE}, {0x0163, 0xFE}, {0x0218, 0xAA}, {0x0219, 0xBA}, {0x021A, 0xDE},
    {0x021B, 0xFE}, {0x2013, 0x96}, {0x2014, 0x97}, {0x2018, 0x91}, {0x2019, 0x92},
    {0x201C, 0x93}, {0x201D, 0x94}, {0x201E, 0x84}, {0x2026, 0x85}, {0x20AC, 0x80},
};

bool Fail(const std::string& where, const std::string& why) {
  std::cerr << where << ": " << why << "\n";
  return false;
}

// Decodes one UTF-8 sequence at s[i]; advances i. False on a malformed one.
bool NextCodePoint(const std::string& s, size_t& i, char32_t& cp) {
  const auto b0 = static_cast<unsigned char>(s[i]);
  int extra;
  if (b0 < 0x80) {
    cp = b0;
    extra = 0;
  } else if ((b0 & 0xE0) == 0xC0) {
    cp = b0 & 0x1F;
    extra = 1;
  } else if ((b0 & 0xF0) == 0xE0) {
    cp = b0 & 0x0F;
    extra = 2;
  } else if ((b0 & 0xF8) == 0xF0) {
    cp = b0 & 0x07;
    extra = 3;
  } else {
    return false;
  }
  if (i + extra >= s.size()) return false;
  for (int k = 1; k <= extra; ++k) {
    const auto b = static_cast<unsigned char>(s[i + k]);
    if ((b & 0xC0) != 0x80) return false;
    cp = (cp << 6) | (b & 0x3F);
  }
  i += extra + 1;
  return true;
}

bool ToCp1250(const std::string& utf8, std::string& out, const std::string& where) {
  out.clear();
  size_t i = 0;
  while (i < utf8.size()) {
    char32_t cp;
    if (!NextCodePoint(utf8, i, cp)) return Fail(where, "malformed UTF-8");
    if (cp < 0x80) {
      out += static_cast<char>(cp);
      continue;
    }
    const auto* m = std::find_if(std::begin(kToCp1250), std::end(kToCp1250),
                                 [cp](const Mapping& x) { return x.codePoint == cp; });
    if (m == std::end(kToCp1250)) {
      std::ostringstream msg;
      msg << "character U+" << std::hex << std::uppercase << static_cast<uint32_t>(cp)
          << " has no code page 1250 mapping here";
      return Fail(where, msg.str());
    }
    out += static_cast<char>(m->byte);
  }
  return true;
}

bool Unescape(const std::string& raw, std::string& out, const std::string& where) {
  out.clear();
  for (size_t i = 0; i < raw.size(); ++i) {
    if (raw[i] != '\\') {
      out += raw[i];
      continue;
    }
    if (i + 1 == raw.size()) return Fail(where, "a lone backslash ends the text");
    switch (raw[++i]) {
      case 'n': out += '\n'; break;
      case 'r': out += '\r'; break;
      case 't': out += '\t'; break;
      case 's': out += ' '; break;
      case '\\': out += '\\'; break;
      default: return Fail(where, std::string("unknown escape \\") + raw[i]);
    }
  }
  return true;
}

// A C string literal of the code page 1250 bytes: printable ASCII as is,
// everything else as three-digit octal escapes.
std::string Literal(const std::string& bytes) {
  std::string out = "\"";
  for (const char ch : bytes) {
    const auto b = static_cast<unsigned char>(ch);
    if (b == '"' || b == '\\') {
      out += '\\';
      out += ch;
    } else if (b >= 0x20 && b < 0x7F && b != '?') {  // '?' avoids trigraphs
      out += ch;
    } else {
      char esc[8];
      std::snprintf(esc, sizeof(esc), "\\%03o", b);
      out += esc;
    }
  }
  out += '"';
  return out;
}

bool Load(const std::string& path, std::map<long, std::string>& entries) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return Fail(path, "cannot open");
  std::string line;
  int lineNo = 0;
  bool ok = true;
  while (std::getline(in, line)) {
    ++lineNo;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    const std::string where = path + ":" + std::to_string(lineNo);
    const size_t tab = line.find('\t');
    if (tab == std::string::npos || tab == 0 ||
        line.find_first_not_of("0123456789") != tab) {
      ok = Fail(where, "expected <id><TAB><text>");
      continue;
    }
    if (tab > 6) {
      ok = Fail(where, "id out of range");
      continue;
    }
    const long id = std::stol(line.substr(0, tab));
    const std::string raw = line.substr(tab + 1);
    if (id > kMaxId) {
      ok = Fail(where, "id out of range");
      continue;
    }
    if (raw.empty()) {
      ok = Fail(where, "empty text");
      continue;
    }
    if (raw.front() == ' ' || raw.back() == ' ' || raw.back() == '\t') {
      ok = Fail(where, "raw blank at an end of the text; write \\s");
      continue;
    }
    std::string unescaped, bytes;
    if (!Unescape(raw, unescaped, where) || !ToCp1250(unescaped, bytes, where)) {
      ok = false;
      continue;
    }
    if (bytes.size() > kMaxTextBytes) {
      ok = Fail(where, "text longer than 400 bytes");
      continue;
    }
    if (!entries.emplace(id, bytes).second) {
      ok = Fail(where, "duplicate id " + std::to_string(id));
    }
  }
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: embed_catalogue <catalogue.tsv> <output.inc>\n";
    return 2;
  }
  std::map<long, std::string> entries;
  if (!Load(argv[1], entries)) return 1;
  std::ostringstream code;
  code << "// Generated by embed_catalogue from the catalogue source; do not edit.\n";
  for (const auto& [id, bytes] : entries) code << "{" << id << ", " << Literal(bytes) << "},\n";
  const std::string output = argv[2];
  const std::string temp = output + ".tmp";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    out << code.str();
    if (!out) {
      Fail(temp, "cannot write");
      return 1;
    }
  }
  if (std::rename(temp.c_str(), output.c_str()) != 0) {
    Fail(output, "cannot replace");
    return 1;
  }
  return 0;
}
