// The text reader on each input format: markup, RTF and binary documents
// through their block filters, office documents and PDF through the
// document converters, and the reports of documents that give no text.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "platform/basic_gauges.h"
#include "platform/document_fixtures_for_tests.h"
#include "platform/scripted_box.h"
#include "reading/text_reader.h"
#include "test_installation.h"
#include "test_support.h"

namespace malvex {
namespace {

using testing::QuietFrontEnd;

// An installation in a temporary folder whose edition knows no word, and
// an engine started on it for each reading.
class InputFormatsTest : public ::testing::Test {
 protected:
  InputFormatsTest() { EXPECT_TRUE(testing::WriteTestInstallation(dir.path())); }

  // Shows the reading pass's messages (the parameter file's options).
  void ShowReadingMessages() {
    const Folders folders = DeriveFolders(dir.File("bin"), LanguageFor(kEditionLanguage));
    EXPECT_TRUE(testing::WriteFile(folders.parameterPath, "[Ergonomie]\nMessages=oui\nMessGenIndex=oui\n"));
  }

  void StartEngine() {
    EngineOptions o;
    o.places = testing::TestSettingsPlaces(dir.path());
    engine = std::make_unique<Engine>(frontEnd, o);
    ASSERT_TRUE(engine->StartEngine());
  }

  // Reads the files (already written in the folder) in one run and returns
  // the word stream as "text[separator]@position" tokens.
  std::string Run(const std::vector<std::string>& names) {
    if (!engine) StartEngine();
    engine->files().Clear();
    for (const std::string& name : names) engine->files().Add(dir.File(name));
    engine->RunAnalysis(1);
    return Dump();
  }
  std::string Read(const std::string& name, const std::string& bytes) {
    EXPECT_TRUE(testing::WriteFile(dir.File(name), bytes));
    return Run({name});
  }
  std::string ReadPackage(const std::string& name, const testing::PackageParts& parts) {
    EXPECT_TRUE(testing::WriteZip(dir.File(name), parts));
    return Run({name});
  }

  std::string Dump() { return testing::DumpStream(engine->stream()); }

  testing::TempDir dir;
  QuietFrontEnd frontEnd;
  std::unique_ptr<Engine> engine;
};

struct FormatCase {
  const char* label;
  const char* name;
  std::string bytes;
  std::string stream;
};

class InputFormatCaseTest : public InputFormatsTest, public ::testing::WithParamInterface<FormatCase> {};

TEST_P(InputFormatCaseTest, ReadsTheWords) {
  EXPECT_EQ(Read(GetParam().name, GetParam().bytes), GetParam().stream) << GetParam().label;
}

INSTANTIATE_TEST_SUITE_P(
    Files, InputFormatCaseTest,
    ::testing::Values(
        // A paragraph's closing tag ends the sentence, a line break does not.
        FormatCase{"html paragraph and line break", "a.html", "<p>Unu doi<br>trei</p><p>Patru</p>",
                   "unu[]@1 doi[ ]@2 trei[ ]@3 /[ ]@3 patru[]@4 /[ ]@4"},
        FormatCase{"html script and style", "a.htm",
                   "<head><style>p {x: y}</style><script>var a = 'nu';</script></head><body>Da</body>",
                   "da[]@1 /[ ]@1"},
        FormatCase{"html entities", "a.htm", "<p>L&Acirc;NG&#259; p&acirc;ine &amp; ap&#x103;</p>",
                   "l\xE2ng\xE3[]@1 p\xE2ine[ ]@2 &[ ]@3 ap\xE3[ ]@4 /[ ]@4"},
        FormatCase{"html declared utf-8", "a.htm",
                   "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\"></head>"
                   "<body><p>Țară</p></body></html>",
                   "\xFE" "ar\xE3[]@1 /[ ]@1"},
        FormatCase{"html declared code page", "a.htm",
                   "<meta charset=\"windows-1250\"><p>\xDE" "ar\xE3</p>", "\xFE" "ar\xE3[]@1 /[ ]@1"},
        FormatCase{"unknown extension is html", "a.xyz", "<b>Ro</b>m<i>a</i>nia", "romania[]@1 /[ ]@1"},
        FormatCase{"xml", "a.xml", "<?xml version=\"1.0\"?><doc><p>Ion</p><p>vine</p></doc>",
                   "ion[]@1 vine[ ]@2 /[ ]@2"},
        FormatCase{"sgml", "a.sgm", "<DOC><TEXT>Ion &amp; Maria</TEXT></DOC>", "ion[]@1 &[ ]@2 maria[ ]@3 /[ ]@3"},
        // Text nested three groups deep (a field result) is not read.
        FormatCase{"rtf", "a.rtf",
                   "{\\rtf1\\ansi\\ansicpg1250{\\fonttbl{\\f0\\fswiss Arial;}}\\pard \\'aatiin\\'fe\\'e3 "
                   "{\\field{\\*\\fldinst HYPERLINK x}{\\fldrslt legat}} \\u537?i pace.\\par}",
                   "\xBAtiin\xFE\xE3[]@1 \xBAi[ ]@2 pace[ ]@3 /[.]@3"},
        // Binary documents: the text runs stay, short runs and binary
        // structures go.
        FormatCase{"excel", "a.xls",
                   std::string("\x09\x08\x10\x00\x00\x06\x05\x00", 8) + "Vanzari pe anul trecut" +
                       std::string("\x00\x01\xFF\x02", 4) + "ab" + std::string("\x00", 1),
                   "vanzari[]@1 pe[ ]@2 anul[ ]@3 trecut[ ]@4 /[ ]@4"},
        // The first 512 bytes of a presentation are its header.
        FormatCase{"powerpoint header", "a.ppt",
                   std::string(100, '\x01') + "Ascuns in antet" + std::string(485, '\x01') + "Prezentare anuala" +
                       std::string(1, '\0'),
                   "prezentare[]@1 anuala[ ]@2 /[ ]@2"}),
    [](const ::testing::TestParamInfo<FormatCase>& info) {
      std::string name = info.param.label;
      for (char& ch : name)
        if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
      return name;
    });

const char kUtf8Sample[] = "Știință și țară.";
const std::string kSampleWords = "\xBAtiin\xFE\xE3[]@1 \xBAi[ ]@2 \xFE" "ar\xE3[ ]@3 /[.]@3";

TEST_F(InputFormatsTest, ConvertedDocumentsGiveTheirWords) {
  EXPECT_EQ(ReadPackage("a.docx", testing::DocxParts({{kUtf8Sample}, {"Al doilea ", "r\xC3\xA2nd"}})),
            kSampleWords + " al[]@4 doilea[ ]@5 r\xE2nd[ ]@6 /[ ]@6");
  EXPECT_EQ(engine->record().fileType(), kFileTypeWord);
  EXPECT_EQ(ReadPackage("a.pptx", testing::PptxParts({{kUtf8Sample}})), kSampleWords);
  EXPECT_EQ(ReadPackage("a.odt", testing::OdtParts(std::string("<text:p>") + kUtf8Sample + "</text:p>")),
            kSampleWords);
  EXPECT_EQ(ReadPackage("a.odp", testing::OdpParts({{kUtf8Sample}})), kSampleWords);
  EXPECT_EQ(Read("a.pdf", testing::MakePdf({{"\x83tiin\x82\x80 \x81i \x82" "ar\x80."}})), kSampleWords);
  // XPS only when its setting is on.
  EXPECT_EQ(ReadPackage("a.xps", testing::XpsParts({{{kUtf8Sample}}})), "");
  engine->record().setXpsThroughConverter(true);
  EXPECT_EQ(ReadPackage("b.xps", testing::XpsParts({{{kUtf8Sample}}})), kSampleWords);
  EXPECT_TRUE(frontEnd.box.asked().empty());
}

TEST_F(InputFormatsTest, ConvertedTextLongerThanOneBlock) {
  std::vector<std::vector<std::string>> paragraphs(9000, std::vector<std::string>{"Ana are mere."});
  ReadPackage("long.docx", testing::DocxParts(paragraphs));
  // 135,000 bytes of text in three slices: every word is read, once.
  int words = 0, last = 0;
  WordStream& stream = engine->stream();
  stream.Rewind();
  WordInfo info;
  const char* sep = nullptr;
  int32_t pos = 0;
  while (const char* text = stream.Next(info, sep, pos)) {
    if (text[0] == '/') continue;
    const char* expected = words % 3 == 0 ? "ana" : words % 3 == 1 ? "are" : "mere";
    EXPECT_STREQ(text, expected) << words;
    ++words;
    last = pos;
  }
  EXPECT_EQ(words, 3 * 9000);
  EXPECT_EQ(last, 3 * 9000);
}

TEST_F(InputFormatsTest, WordDocumentsWithoutConverterGoThroughTheBinaryFilter) {
  // A document the Word reader cannot read, and no registered converter:
  // the binary filter, as when Word conversion is off.
  std::string doc(700, '\0');
  doc.replace(0, 8, "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1");
  doc.replace(600, 20, "Raport de activitate");
  EXPECT_EQ(Read("a.doc", doc), "raport[]@1 de[ ]@2 activitate[ ]@3 /[ ]@3");
  engine->record().setWordThroughConverters(false);
  EXPECT_EQ(Run({"a.doc"}), "raport[]@1 de[ ]@2 activitate[ ]@3 /[ ]@3");
  // Word conversion off: a zipped document too (its compressed bytes give
  // no word).
  ReadPackage("z.docx", testing::DocxParts({{"Cuvinte ascunse in arhiva"}}));
  EXPECT_EQ(Dump().find("cuvinte"), std::string::npos);
}

TEST_F(InputFormatsTest, DamagedDocumentsAreReportedWhenTheMessageOptionsAllow) {
  EXPECT_EQ(Read("bad.odt", "PK\x03\x04 damaged"), "");
  EXPECT_TRUE(frontEnd.box.asked().empty());
  ShowReadingMessages();
  engine.reset();
  StartEngine();
  frontEnd.box.ClearRecords();  // the start-up's own questions
  EXPECT_EQ(Run({"bad.odt"}), "");
  ASSERT_EQ(frontEnd.box.asked().size(), 1u);
  EXPECT_EQ(frontEnd.box.asked()[0].text,
            "The conversion of this document is impossible iFilter error in step: 3 iFilter Initialization failed. " +
                dir.File("bad.odt"));
  // A document that gives no text, and an empty file: message 18.
  frontEnd.box.ClearRecords();
  ReadPackage("blank.odt", testing::OdtParts("<text:p> </text:p>"));
  Read("empty.docx", "");
  ASSERT_EQ(frontEnd.box.asked().size(), 2u);
  EXPECT_EQ(frontEnd.box.asked()[0].text, "Empty, moved, deleted or unreadable file. " + dir.File("blank.odt"));
  EXPECT_EQ(frontEnd.box.asked()[1].text, "Empty, moved, deleted or unreadable file. " + dir.File("empty.docx"));
}

TEST_F(InputFormatsTest, FailedPdfAsksOncePerRun) {
  ASSERT_TRUE(testing::WriteFile(dir.File("a.pdf"), "damaged"));
  ASSERT_TRUE(testing::WriteFile(dir.File("b.pdf"), "%PDF-1.4 damaged too"));
  ASSERT_TRUE(testing::WriteFile(dir.File("c.txt"), "Text bun"));
  frontEnd.box.SetDefaultAnswer(kButton1);  // Yes: go on
  EXPECT_EQ(Run({"a.pdf", "b.pdf", "c.txt"}), "text[]@1 bun[ ]@2 /[ ]@2");
  ASSERT_EQ(frontEnd.box.asked().size(), 1u);
  EXPECT_EQ(frontEnd.box.asked()[0].kind, BoxKind::kYesNoDefaultNo);
  EXPECT_EQ(frontEnd.box.asked()[0].text.rfind("Driver loading failedPDF ! Error: ", 0), 0u);
  // The next run asks again; No switches PDF conversion off.
  frontEnd.box.ClearRecords();
  frontEnd.box.QueueAnswer(kButton3);
  Run({"a.pdf", "b.pdf"});
  ASSERT_EQ(frontEnd.box.asked().size(), 2u);
  EXPECT_EQ(frontEnd.box.asked()[1].text.rfind("The analysis of PDF documents is disabled.", 0), 0u);
  EXPECT_FALSE(engine->record().pdfThroughExtractor());
  // Conversion off: a good PDF gives nothing and nothing is asked.
  frontEnd.box.ClearRecords();
  EXPECT_EQ(Read("good.pdf", testing::MakePdf({{"Ana"}})), "");
  EXPECT_TRUE(frontEnd.box.asked().empty());
}

}  // namespace
}  // namespace malvex
