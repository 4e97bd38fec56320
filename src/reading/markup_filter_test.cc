#include "reading/markup_filter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundations/charset.h"
#include "reading/file_types.h"

namespace malvex {
namespace {

// Filters `bytes` as one file of `type`, cut into blocks of `blockSize`
// bytes, and returns the whole 8-bit text.
std::string FilterFile(int type, const std::string& bytes, size_t blockSize = PlainTextFilter::kBlockSize,
                       MarkupFilter* used = nullptr) {
  static const LanguageTables tables = DefaultLanguageTables();
  MarkupFilter own;
  MarkupFilter& filter = used != nullptr ? *used : own;
  filter.StartFile(type, tables);
  std::string text;
  for (size_t at = 0; at < bytes.size() || at == 0; at += blockSize) {
    std::string block = bytes.substr(at, blockSize);
    if (at == 0) filter.DetectFirstBlock(reinterpret_cast<const uint8_t*>(block.data()), block.size());
    text += filter.FilterBlock(reinterpret_cast<uint8_t*>(block.data()), block.size(), at + blockSize >= bytes.size());
    if (bytes.empty()) break;
  }
  return text;
}

struct MarkupCase {
  const char* label;
  int type;
  std::string bytes;
  std::string text;
};

class MarkupFilterTest : public ::testing::TestWithParam<MarkupCase> {};

TEST_P(MarkupFilterTest, GivesTheText) {
  const MarkupCase& c = GetParam();
  EXPECT_EQ(FilterFile(c.type, c.bytes), c.text) << c.label;
  // Tags and entities cut by block borders give the same text.
  for (size_t blockSize : {1u, 2u, 3u, 7u})
    EXPECT_EQ(FilterFile(c.type, c.bytes, blockSize), c.text) << c.label << " in blocks of " << blockSize;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MarkupFilterTest,
    ::testing::Values(
        // A paragraph's closing tag ends a sentence in HTML; a line break
        // and the line ends of the source do not.
        MarkupCase{"closing paragraph", kFileTypeHtml, "<p>Unu\ndoi</p><p>trei<br>patru</p>",
                   " Unu doi \r  trei patru \r "},
        MarkupCase{"closing tags d h p t", kFileTypeHtml, "<h1>T</h1><div>D</div><td>C</td><a>L</a>",
                   " T \r  D \r  C \r  L "},
        MarkupCase{"closing paragraph in xml", kFileTypeXml, "<p>Unu</p><p>doi</p>", " Unu  doi "},
        // b, i and u do not separate words, in HTML and XML.
        MarkupCase{"bold inside a word", kFileTypeHtml, "<p>Ro<b>m\xE2</b>n<I>ia</I></p>", " Rom\xE2nia \r "},
        MarkupCase{"bold in sgml separates", kFileTypeSgml, "Ro<b>ma</b>nia", "Ro ma nia"},
        MarkupCase{"closing paragraph in sgml", kFileTypeSgml, "<p>Unu</p>", " Unu "},
        // Script and style content is not text.
        MarkupCase{"script", kFileTypeHtml,
                   "Inainte<script type=\"text/javascript\">if (a < b && c > d) x = '</p>';</script>dupa",
                   "Inainte dupa"},
        MarkupCase{"style", kFileTypeHtml, "A<STYLE>p { color: red }</STYLE>B", "A B"},
        MarkupCase{"script that closes itself", kFileTypeXml, "A<script src=\"x\"/>B", "A B"},
        MarkupCase{"script in sgml is text", kFileTypeSgml, "<script>x</script>", " x "},
        MarkupCase{"bindata", kFileTypeXml, "<w:binData w:name=\"i\">R0lGODlh</w:binData>text", " text"},
        // Entities.
        MarkupCase{"named entities", kFileTypeHtml, "a&lt;b&gt;c &amp; d&nbsp;e &quot;f&quot;",
                   "a<b>c & d e 'f'"},
        MarkupCase{"entity ended by a space", kFileTypeHtml, "&eacute suite", "\xE9suite"},
        MarkupCase{"space after a decoded entity", kFileTypeHtml, "x&amp y", "x&y"},
        MarkupCase{"upper-case accented entity", kFileTypeHtml, "&Eacute;t&Eacute;", "\xE9t\xE9"},
        MarkupCase{"accents", kFileTypeHtml, "&agrave;&acirc;&icirc;&ouml;&ntilde;&yacute;&yuml;&aring;&szlig;&ccedil;",
                   "\xE0\xE2\xEE\xF6\xF1\xFD\xFF\xE5\xDF\xE7"},
        MarkupCase{"accent that does not exist", kFileTypeHtml, "x&etilde;y", "xy"},
        MarkupCase{"signs", kFileTypeHtml, "&copy;&reg;&euro;&pound;&trade;&mdash;&ndash;&lsquo;&rdquo;",
                   "\xA9\xAE\x80\xA3\x99--\"\""},
        MarkupCase{"numeric entities", kFileTypeHtml, "&#65;&#233;&#537;&#x219;&#X21B;&#8364;", "A\xE9\xBA\xBA\xFE\x80"},
        MarkupCase{"numeric out of range", kFileTypeHtml, "a&#0;b&#99999;c&#;d", "abcd"},
        MarkupCase{"unknown entity", kFileTypeHtml, "x&foo;y &bar z", "xy z"},
        MarkupCase{"ampersand before a space", kFileTypeHtml, "Ion & Maria", "Ion Maria"},
        MarkupCase{"entity ended by a tag", kFileTypeHtml, "x&amp<b>y</b>", "x&y"},
        MarkupCase{"typographic apostrophes", kFileTypeHtml, "l\x92om l\xB4om &#146;", "l'om l'om '"},
        MarkupCase{"entity inside a tag is not decoded", kFileTypeHtml, "<a title=\"&eacute;\">x</a>", " x "}),
    [](const ::testing::TestParamInfo<MarkupCase>& info) {
      std::string name = info.param.label;
      for (char& ch : name)
        if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
      return name;
    });

struct DeclarationCase {
  const char* label;
  std::string bytes;
  int declared;
};

class MarkupDeclarationTest : public ::testing::TestWithParam<DeclarationCase> {};

TEST_P(MarkupDeclarationTest, FindsTheDeclaredEncoding) {
  const DeclarationCase& c = GetParam();
  EXPECT_EQ(DeclaredMarkupEncoding(reinterpret_cast<const uint8_t*>(c.bytes.data()), c.bytes.size()), c.declared)
      << c.label;
}

INSTANTIATE_TEST_SUITE_P(
    Files, MarkupDeclarationTest,
    ::testing::Values(
        DeclarationCase{"meta content-type", "<html><head><META http-equiv=\"Content-Type\" content=\"text/html; "
                                             "charset=UTF-8\">",
                        kMarkupUtf8},
        DeclarationCase{"meta charset", "<html><meta charset=\"windows-1250\">", kMarkupCodePage},
        DeclarationCase{"meta iso", "<meta charset=iso-8859-2>", kMarkupCodePage},
        DeclarationCase{"meta iso 10646", "<meta charset=\"iso-10646-ucs-2\">", kMarkupUcs},
        // A name no longer than "iso" is a code page name like any other.
        DeclarationCase{"meta bare iso", "<meta charset=\"iso\">", kMarkupCodePage},
        DeclarationCase{"meta iso at the end", "<metacharset=iso", kMarkupCodePage},
        DeclarationCase{"meta before xml", "<?xml version=\"1.0\" encoding=\"utf-16\"?><meta charset=\"utf-8\">",
                        kMarkupUtf8},
        DeclarationCase{"xml encoding", "<?xml version=\"1.0\" encoding=\"ISO-8859-2\"?><a/>", kMarkupCodePage},
        DeclarationCase{"xml single quotes", "<?xml version='1.0' encoding='utf-16'?><a/>", kMarkupUnicode16},
        DeclarationCase{"xml without encoding", "<?xml version=\"1.0\"?><a/>", kMarkupUtf8},
        DeclarationCase{"utf8 mark", "\xEF\xBB\xBF<html><body>x</body></html>", kMarkupUtf8},
        DeclarationCase{"utf16 mark", std::string("\xFF\xFE<\0h\0t\0m\0l\0>\0", 14), kMarkupUnicode16},
        DeclarationCase{"nothing", "<html><body>Text</body></html>", kMarkupUndeclared},
        DeclarationCase{"block under 10 bytes", "<?xml a?>", kMarkupUndeclared},
        // Beyond the first 8,190 bytes nothing is looked for.
        DeclarationCase{"late declaration", std::string(8190, ' ') + "<meta charset=\"utf-8\">", kMarkupUndeclared}));

TEST(MarkupEncodingNameTest, Names) {
  const std::vector<std::pair<const char*, int>> names = {
      {"ISO-8859-1", kMarkupCodePage}, {"iso-10646-ucs-2", kMarkupUcs}, {"UTF-8", kMarkupUtf8},
      {"utf8", kMarkupUtf8},           {"utf-16le", kMarkupUnicode16}, {"utf-32", kMarkupUnicode32},
      {"UCS-2", kMarkupUcs},           {"windows-1250", kMarkupCodePage}, {"koi8-r", kMarkupCodePage},
      {"", kMarkupCodePage},           {"iso", kMarkupCodePage},       {"ISO-", kMarkupCodePage},
      {"iso-1064", kMarkupCodePage}};
  for (const auto& [name, encoding] : names) EXPECT_EQ(MarkupEncodingOfName(name), encoding) << name;
}

TEST(MarkupDecodingTest, DeclaredEncodingDecidesHowBytesAreRead) {
  MarkupFilter filter;
  // Declared UTF-8: decoded even when the first block shows no multi-byte
  // sequence.
  std::string utf8 = "<meta charset=\"utf-8\">" + std::string(100, ' ') + "\xC8\x99i";
  EXPECT_EQ(FilterFile(kFileTypeHtml, utf8, 64, &filter), " " + std::string(100, ' ') + "\xBAi");
  EXPECT_EQ(filter.Encoding(), kEncodingUtf8);
  // Declared code page: bytes that would be valid UTF-8 stay as they are.
  EXPECT_EQ(FilterFile(kFileTypeHtml, "<meta charset=\"windows-1250\">\xC8\x99", PlainTextFilter::kBlockSize, &filter),
            " \xC8\x99");
  EXPECT_EQ(filter.Encoding(), kEncodingNone);
  // Undeclared UTF-8 is recognised by its sequences, as in text files.
  EXPECT_EQ(FilterFile(kFileTypeHtml, "<p>\xC8\x99i</p>"), " \xBAi \r ");
}

TEST(MarkupDecodingTest, Utf16MarkupIsDecoded) {
  auto utf16 = [](const std::string& ascii, bool mark) {
    std::string out = mark ? std::string("\xFF\xFE", 2) : std::string();
    for (char c : ascii) {
      out += c;
      out += '\0';
    }
    return out;
  };
  MarkupFilter filter;
  EXPECT_EQ(FilterFile(kFileTypeHtml, utf16("<p>Ana &amp; Ion</p>", true), PlainTextFilter::kBlockSize, &filter), " Ana & Ion \r ");
  EXPECT_EQ(filter.DeclaredEncoding(), kMarkupUnicode16);
  EXPECT_EQ(FilterFile(kFileTypeXml, utf16("<a>Text</a>", false)), " Text ");
}

TEST(MarkupDecodingTest, LongTagsAndEntitiesAreBounded) {
  // A tag or entity longer than the name buffers loses nothing after it.
  EXPECT_EQ(FilterFile(kFileTypeHtml, "<" + std::string(1000, 'x') + ">dupa"), " dupa");
  EXPECT_EQ(FilterFile(kFileTypeHtml, "&" + std::string(1000, 'x') + " dupa"), "dupa");
  // A file that ends inside an entity still decodes it.
  EXPECT_EQ(FilterFile(kFileTypeHtml, "x&#233"), "x\xE9");
}

}  // namespace
}  // namespace malvex
