#include "platform/document_text.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "platform/document_fixtures_for_tests.h"
#include "test_support.h"

namespace malvex {
namespace {

using testing::PackageParts;

class DocumentTextTest : public ::testing::Test {
 protected:
  // Extracts `parts` written as a zip named `name`.
  std::string Package(DocumentFormat format, const PackageParts& parts, ExtractionStep expected = ExtractionStep::kDone) {
    const std::string path = dir.File("doc.zip");
    EXPECT_TRUE(testing::WriteZip(path, parts));
    std::string text;
    EXPECT_EQ(ExtractDocumentText(format, path, text), expected);
    return text;
  }

  std::string Script(const std::string& body) {
    const std::string path = dir.File("convert.sh");
    EXPECT_TRUE(testing::WriteFile(path, "#!/bin/sh\n" + body + "\n"));
    ::chmod(path.c_str(), 0755);
    return path;
  }

  testing::TempDir dir;
};

TEST_F(DocumentTextTest, WordDocumentGivesItsParagraphsInOrder) {
  // Runs of a paragraph join; tab stops of the paragraph properties are no text.
  EXPECT_EQ(Package(DocumentFormat::kWordprocessing,
                    testing::DocxParts({{"Știință ", "și ", "țară"}, {}, {"Două < trei & ", "ĂÂÎȘȚ"}})),
            "Știință și țară\r\n\r\nDouă < trei & ĂÂÎȘȚ\r\n");
}

TEST_F(DocumentTextTest, WordDocumentTablesBreaksAndTextBoxes) {
  PackageParts parts = testing::DocxParts({});
  parts.back().second =
      std::string(testing::kXmlHead) +
      "<w:document xmlns:w=\"w\" xmlns:mc=\"mc\"><w:body>"
      "<w:p><w:r><w:t>Unu</w:t><w:tab/><w:t>doi</w:t><w:br/><w:t>trei</w:t><w:noBreakHyphen/><w:t>x</w:t></w:r>"
      "<w:r><mc:AlternateContent><mc:Choice><w:drawing><w:txbxContent><w:p><w:r><w:t>caseta</w:t></w:r></w:p>"
      "</w:txbxContent></w:drawing></mc:Choice><mc:Fallback><w:pict><w:txbxContent><w:p><w:r><w:t>caseta</w:t>"
      "</w:r></w:p></w:txbxContent></w:pict></mc:Fallback></mc:AlternateContent></w:r></w:p>"
      "<w:tbl><w:tr><w:tc><w:p><w:r><w:t>A1</w:t></w:r></w:p></w:tc><w:tc><w:p><w:r><w:t>B1</w:t></w:r></w:p></w:tc>"
      "</w:tr></w:tbl>"
      "<w:p><w:del><w:r><w:delText>sters</w:delText></w:r></w:del><w:r><w:instrText>PAGE</w:instrText>"
      "<w:t>rest</w:t></w:r></w:p></w:body></w:document>";
  EXPECT_EQ(Package(DocumentFormat::kWordprocessing, parts),
            "Unu\tdoi\r\ntrei-x\r\ncaseta\r\nA1\r\nB1\r\nrest\r\n");
}

TEST_F(DocumentTextTest, PresentationFollowsItsSlideList) {
  EXPECT_EQ(Package(DocumentFormat::kPresentation, testing::PptxParts({{"Primul", "rând"}, {"Al doilea"}, {"Țintă"}})),
            "Primul\r\nrând\r\n\r\nAl doilea\r\n\r\nȚintă\r\n\r\n");
}

TEST_F(DocumentTextTest, PresentationWithoutSlideListTakesSlidesByNumber) {
  PackageParts parts = testing::PptxParts({{"trei"}, {"doi"}, {"unu"}});
  // Without the presentation part the slide files are read by number:
  // slide1 holds the last slide of the list.
  std::erase_if(parts, [](const auto& p) { return p.first.find("presentation.xml") != std::string::npos; });
  EXPECT_EQ(Package(DocumentFormat::kPresentation, parts), "unu\r\n\r\ndoi\r\n\r\ntrei\r\n\r\n");
}

TEST_F(DocumentTextTest, OpenDocumentText) {
  const std::string body =
      "<text:sequence-decls><text:sequence-decl text:name=\"Figura\"/></text:sequence-decls>"
      "<text:h text:outline-level=\"1\">Capitolul <text:span>întâi</text:span></text:h>"
      "<text:p>A<text:s text:c=\"3\"/>B<text:tab/>C<text:line-break/>D<text:s/>E</text:p>"
      "<text:p>Nota<text:note><text:note-citation>1</text:note-citation><text:note-body><text:p>jos</text:p>"
      "</text:note-body></text:note> aici<draw:frame><draw:text-box><text:p>în cadru</text:p></draw:text-box>"
      "</draw:frame></text:p>"
      "<text:list><text:list-item><text:p>punct</text:p></text:list-item></text:list>";
  EXPECT_EQ(Package(DocumentFormat::kOdfText, testing::OdtParts(body)),
            "Capitolul întâi\r\nA   B\tC\r\nD E\r\nNota aici\r\nîn cadru\r\npunct\r\n");
}

TEST_F(DocumentTextTest, OpenDocumentPresentationLeavesOutTheNotes) {
  EXPECT_EQ(Package(DocumentFormat::kOdfPresentation, testing::OdpParts({{"Șir", "doi"}, {"ultim"}})),
            "Șir\r\ndoi\r\n\r\nultim\r\n\r\n");
}

TEST_F(DocumentTextTest, XpsRunsOfALineAreJoined) {
  EXPECT_EQ(Package(DocumentFormat::kXps, testing::XpsParts({{{"Ană", "are"}, {"mere"}}, {{"{}{acolade}"}}})),
            "Ană are\r\nmere\r\n{acolade}\r\n");
}

TEST_F(DocumentTextTest, PdfGivesThePagesInOrder) {
  const std::string path = dir.File("a.pdf");
  ASSERT_TRUE(testing::WriteFile(path, testing::MakePdf({{"Prima linie", "\x80\x81\x82 \x83\x84"}, {"Pagina doi"}})));
  std::string text;
  ASSERT_EQ(ExtractDocumentText(DocumentFormat::kPdf, path, text), ExtractionStep::kDone);
  EXPECT_NE(text.find("Prima linie"), std::string::npos) << text;
  EXPECT_NE(text.find("ășț ȘȚ"), std::string::npos) << text;
  EXPECT_LT(text.find("ȘȚ"), text.find("Pagina doi")) << text;
}

struct BrokenCase {
  const char* label;
  DocumentFormat format;
  std::string bytes;
  ExtractionStep step;
};

class BrokenDocumentTest : public DocumentTextTest, public ::testing::WithParamInterface<BrokenCase> {};

TEST_P(BrokenDocumentTest, FailsWithItsStep) {
  const std::string path = dir.File("broken");
  ASSERT_TRUE(testing::WriteFile(path, GetParam().bytes));
  std::string text = "old";
  EXPECT_EQ(ExtractDocumentText(GetParam().format, path, text), GetParam().step) << GetParam().label;
  EXPECT_EQ(text, "");
}

std::string OleWith(const std::string& streamName) {
  std::string bytes("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
  bytes.append(1000, '\0');
  for (char c : streamName) {
    bytes += c;
    bytes += '\0';
  }
  bytes.append(1000, '\0');
  return bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Documents, BrokenDocumentTest,
    ::testing::Values(
        BrokenCase{"empty docx", DocumentFormat::kWordprocessing, "", ExtractionStep::kInitialisation},
        BrokenCase{"text as docx", DocumentFormat::kWordprocessing, "nu este o arhiva", ExtractionStep::kInitialisation},
        BrokenCase{"word 97 named docx", DocumentFormat::kWordprocessing, OleWith("WordDocument"),
                   ExtractionStep::kInitialisation},
        BrokenCase{"encrypted docx", DocumentFormat::kWordprocessing, OleWith("EncryptedPackage"),
                   ExtractionStep::kPasswordProtected},
        BrokenCase{"zip cut short", DocumentFormat::kOdfText, "PK\x03\x04\x14\x00\x00\x00", ExtractionStep::kInitialisation},
        BrokenCase{"empty pdf", DocumentFormat::kPdf, "", ExtractionStep::kInitialisation},
        BrokenCase{"text as pdf", DocumentFormat::kPdf, "nu este un pdf", ExtractionStep::kInitialisation},
        BrokenCase{"pdf header only", DocumentFormat::kPdf, "%PDF-1.4\n", ExtractionStep::kInitialisation}),
    [](const ::testing::TestParamInfo<BrokenCase>& info) {
      std::string name = info.param.label;
      for (char& ch : name)
        if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
      return name;
    });

TEST_F(DocumentTextTest, MissingFileIsNotLoaded) {
  std::string text;
  for (DocumentFormat f : {DocumentFormat::kPdf, DocumentFormat::kWordprocessing, DocumentFormat::kXps})
    EXPECT_EQ(ExtractDocumentText(f, dir.File("absent"), text), ExtractionStep::kNotLoaded);
}

TEST_F(DocumentTextTest, PackageWithoutItsPartsOrWithBadXml) {
  Package(DocumentFormat::kWordprocessing, {{"mimetype", "x"}}, ExtractionStep::kCountMismatch);
  Package(DocumentFormat::kOdfText, {{"content.xml", "<office:document-content><text:p>nu se inchide"}},
          ExtractionStep::kUnexpected);
  Package(DocumentFormat::kXps, {{"readme.txt", "x"}}, ExtractionStep::kCountMismatch);
  PackageParts pptx = testing::PptxParts({{"a"}, {"b"}});
  std::erase_if(pptx, [](const auto& p) { return p.first == "ppt/slides/slide1.xml"; });
  Package(DocumentFormat::kPresentation, pptx, ExtractionStep::kCountMismatch);
}

TEST_F(DocumentTextTest, EncryptedZipPartIsPasswordProtected) {
  const std::string path = dir.File("locked.odt");
  int error = 0;
  zip_t* zip = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
  ASSERT_NE(zip, nullptr);
  const PackageParts parts = testing::OdtParts("<text:p>secret</text:p>");
  for (const auto& [name, bytes] : parts) {
    const zip_int64_t index = zip_file_add(zip, name.c_str(), zip_source_buffer(zip, bytes.data(), bytes.size(), 0), 0);
    ASSERT_GE(index, 0);
    if (name == "content.xml" && zip_file_set_encryption(zip, static_cast<zip_uint64_t>(index), ZIP_EM_AES_256, "parola") != 0) {
      zip_discard(zip);
      GTEST_SKIP() << "libzip without encryption";
    }
  }
  ASSERT_EQ(zip_close(zip), 0);
  std::string text;
  EXPECT_EQ(ExtractDocumentText(DocumentFormat::kOdfText, path, text), ExtractionStep::kPasswordProtected);
}

TEST_F(DocumentTextTest, EncryptedPdfIsPasswordProtected) {
  // A standard security handler whose user password is not empty.
  std::string pdf = testing::MakePdf({{"secret"}});
  const std::string key(32, 'x');
  const size_t trailer = pdf.find("trailer\n<< ");
  ASSERT_NE(trailer, std::string::npos);
  pdf.insert(trailer + 11, "/Encrypt << /Filter /Standard /V 1 /R 2 /O (" + key + ") /U (" + key +
                               ") /P -4 >> /ID [<00112233445566778899aabbccddeeff> "
                               "<00112233445566778899aabbccddeeff>] ");
  const std::string path = dir.File("locked.pdf");
  ASSERT_TRUE(testing::WriteFile(path, pdf));
  std::string text;
  EXPECT_EQ(ExtractDocumentText(DocumentFormat::kPdf, path, text), ExtractionStep::kPasswordProtected);
}

TEST_F(DocumentTextTest, DamagedDocumentsNeverCrash) {
  // Every prefix and a few corruptions of valid documents fail or give
  // text, and never more than the whole document's text.
  ASSERT_TRUE(testing::WriteZip(dir.File("ok.docx"), testing::DocxParts({{"Ana are mere"}, {"și pere"}})));
  const std::string docx = testing::ReadFile(dir.File("ok.docx"));
  const std::string pdf = testing::MakePdf({{"Ana are mere"}});
  const std::string path = dir.File("damaged");
  for (const auto& [format, bytes] : {std::pair{DocumentFormat::kWordprocessing, docx}, std::pair{DocumentFormat::kPdf, pdf}}) {
    for (size_t cut = 0; cut < bytes.size(); cut += 37) {
      for (int variant = 0; variant < 2; ++variant) {
        std::string damaged = bytes;
        if (variant == 0)
          damaged.resize(cut);
        else
          damaged[cut] = static_cast<char>(damaged[cut] ^ 0x5A);
        ASSERT_TRUE(testing::WriteFile(path, damaged));
        std::string text;
        const ExtractionStep step = ExtractDocumentText(format, path, text);
        if (step != ExtractionStep::kDone) {
          EXPECT_EQ(text, "");
        }
        EXPECT_LE(text.size(), 64u);
      }
    }
  }
}

TEST_F(DocumentTextTest, ExtractorMessages) {
  EXPECT_STREQ(ExtractionMessage(ExtractionStep::kNotInstalled), "iFilter DLL is not installed.");
  EXPECT_STREQ(ExtractionMessage(ExtractionStep::kPasswordProtected), "Document is password protected.");
  EXPECT_STREQ(ExtractionMessage(ExtractionStep::kUnexpected), "Unexpected error in Chunking.");
  EXPECT_EQ(static_cast<int>(ExtractionStep::kUnexpected), 8);
}

TEST_F(DocumentTextTest, ConverterProgramGetsThePathAndGivesItsOutput) {
  const std::string program = Script("printf 'Text din %s\\n' \"$1\"");
  EXPECT_TRUE(ConverterProgramAvailable(program));
  std::string text;
  EXPECT_EQ(RunConverterProgram(program, "/cale/cu spatiu.doc", text), ExtractionStep::kDone);
  EXPECT_EQ(text, "Text din /cale/cu spatiu.doc\n");
}

TEST_F(DocumentTextTest, ConverterProgramFailures) {
  std::string text = "old";
  EXPECT_FALSE(ConverterProgramAvailable(dir.File("absent")));
  EXPECT_FALSE(ConverterProgramAvailable(dir.path().string()));
  EXPECT_EQ(RunConverterProgram(dir.File("absent"), "a.doc", text), ExtractionStep::kNotInstalled);
  EXPECT_EQ(RunConverterProgram(Script("echo partial; exit 3"), "a.doc", text), ExtractionStep::kInitialisation);
  EXPECT_EQ(text, "");
  // A file that is executable but no program.
  const std::string bad = dir.File("bad");
  ASSERT_TRUE(testing::WriteFile(bad, "\x7F" "ELF garbage"));
  ::chmod(bad.c_str(), 0755);
  EXPECT_NE(RunConverterProgram(bad, "a.doc", text), ExtractionStep::kDone);
}

}  // namespace
}  // namespace malvex
