#include "reading/document_converters.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "foundations/messages.h"
#include "platform/document_fixtures_for_tests.h"
#include "platform/registry.h"
#include "platform/scripted_box.h"
#include "reading/file_types.h"
#include "settings/settings_record.h"
#include "test_support.h"

namespace malvex {
namespace {

class DocumentConvertersTest : public ::testing::Test {
 protected:
  DocumentConvertersTest() : messages(box), converters(messages, record) { converters.Start(ConverterOverrides{}); }

  std::string Write(const std::string& name, const std::string& bytes) {
    const std::string path = dir.File(name);
    EXPECT_TRUE(testing::WriteFile(path, bytes));
    return path;
  }
  std::string Zip(const std::string& name, const testing::PackageParts& parts) {
    const std::string path = dir.File(name);
    EXPECT_TRUE(testing::WriteZip(path, parts));
    return path;
  }
  std::string Script(const std::string& name, const std::string& body) {
    const std::string path = Write(name, "#!/bin/sh\n" + body + "\n");
    ::chmod(path.c_str(), 0755);
    return path;
  }
  ConversionResult Convert(int type, const std::string& path) {
    text.clear();
    return converters.ConvertDocument(type, path, asked, text);
  }

  testing::TempDir dir;
  ScriptedBox box;
  Messages messages;
  SettingsRecord record;
  DocumentConverters converters;
  bool asked = false;
  std::string text;
};

// Romanian letters in UTF-8 and in the 8-bit code page.
const char kUtf8Sample[] = "Știință și țară în anul două mii";
const char kSample[] = "\xAAtiin\xFE\xE3 \xBAi \xFE" "ar\xE3 \xEEn anul dou\xE3 mii";

TEST_F(DocumentConvertersTest, EveryKindGivesItsTextInTheCodePage) {
  record.setXpsThroughConverter(true);
  struct Case {
    int type;
    std::string path;
  };
  const Case cases[] = {
      {kFileTypeWord, Zip("a.docx", testing::DocxParts({{kUtf8Sample}}))},
      {kFileTypePowerPointX, Zip("a.pptx", testing::PptxParts({{kUtf8Sample}}))},
      {kFileTypePowerPointX, Zip("a.ppsx", testing::PptxParts({{kUtf8Sample}}))},
      {kFileTypeOdt, Zip("a.odt", testing::OdtParts(std::string("<text:p>") + kUtf8Sample + "</text:p>"))},
      {kFileTypeOdp, Zip("a.odp", testing::OdpParts({{kUtf8Sample}}))},
      {kFileTypeXps, Zip("a.xps", testing::XpsParts({{{kUtf8Sample}}}))},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Convert(c.type, c.path), ConversionResult::kText) << c.path;
    EXPECT_NE(text.find(kSample), std::string::npos) << c.path << ": " << text;
    EXPECT_EQ(converters.LastError(), "");
  }
  // PDF: ă ș ț Ș Ț written with the PDF's own glyph names.
  EXPECT_EQ(Convert(kFileTypePdf, Write("a.pdf", testing::MakePdf({{"Ana \x80\x81\x82 \x83\x84"}}))),
            ConversionResult::kText);
  EXPECT_NE(text.find("Ana \xE3\xBA\xFE \xAA\xDE"), std::string::npos) << text;
}

TEST_F(DocumentConvertersTest, DamagedDocumentsGiveNoTextAndTheirError) {
  const std::string damaged = Write("bad.odt", "PK\x03\x04 truncated");
  EXPECT_EQ(Convert(kFileTypeOdt, damaged), ConversionResult::kNoText);
  EXPECT_EQ(text, "");
  EXPECT_EQ(converters.LastError(),
            "The conversion of this document is impossible iFilter error in step: 3 iFilter Initialization failed.");
  EXPECT_EQ(Convert(kFileTypePowerPointX, dir.File("absent.pptx")), ConversionResult::kNoText);
  EXPECT_EQ(converters.LastError(),
            "The conversion of this document is impossible iFilter error in step: 4 File to filter was not previously "
            "loaded.");
  EXPECT_EQ(Convert(kFileTypeOdp, Write("empty.odp", "")), ConversionResult::kNoText);
  // A damaged zipped Word document is not read as binary bytes.
  EXPECT_EQ(Convert(kFileTypeWord, Write("bad.docx", "PK\x03\x04 truncated")), ConversionResult::kNoText);
  EXPECT_NE(converters.LastError().find("step: 3"), std::string::npos);
  EXPECT_TRUE(box.asked().empty());
}

TEST_F(DocumentConvertersTest, BlankTextCountsAsFailureWithoutError) {
  EXPECT_EQ(Convert(kFileTypeOdt, Zip("blank.odt", testing::OdtParts("<text:p>  </text:p><text:p/>"))),
            ConversionResult::kNoText);
  EXPECT_EQ(text, "");
  EXPECT_EQ(converters.LastError(), "");
}

TEST_F(DocumentConvertersTest, FailedPdfAsksOncePerRunAndNoSwitchesPdfOff) {
  const std::string bad = Write("bad.pdf", "not a pdf");
  box.QueueAnswer(kButton3);  // No
  EXPECT_EQ(Convert(kFileTypePdf, bad), ConversionResult::kNoText);
  ASSERT_EQ(box.asked().size(), 2u);
  EXPECT_EQ(box.asked()[0].kind, BoxKind::kYesNoDefaultNo);
  EXPECT_EQ(box.asked()[0].text,
            "Driver loading failedPDF ! Error: The conversion of this document is impossible iFilter error in step: 3 "
            "iFilter Initialization failed. See software User's manual for more information. Continue?");
  EXPECT_EQ(box.asked()[1].kind, BoxKind::kMessage);
  EXPECT_EQ(box.asked()[1].text,
            "The analysis of PDF documents is disabled. Please change the Analysis options of to handle this file "
            "format. The conversion of the PDF and Office formats requires the installation of specific drivers on "
            "your computer. See software User's manual for more information.");
  EXPECT_FALSE(record.pdfThroughExtractor());
  EXPECT_TRUE(asked);
  // PDF conversion off: no text, no question.
  EXPECT_EQ(Convert(kFileTypePdf, Write("good.pdf", testing::MakePdf({{"Ana"}}))), ConversionResult::kNoText);
  EXPECT_EQ(box.asked().size(), 2u);
}

TEST_F(DocumentConvertersTest, FailedPdfAnsweredYesKeepsConvertingAndIsNotAskedAgain) {
  box.QueueAnswer(kButton1);  // Yes
  EXPECT_EQ(Convert(kFileTypePdf, Write("bad.pdf", "")), ConversionResult::kNoText);
  EXPECT_EQ(Convert(kFileTypePdf, Write("bad2.pdf", "%PDF-1.4\n")), ConversionResult::kNoText);
  EXPECT_EQ(box.asked().size(), 1u);
  EXPECT_TRUE(record.pdfThroughExtractor());
  // A PDF without text names the kind instead of an error.
  asked = false;
  box.QueueAnswer(kButton1);
  EXPECT_EQ(Convert(kFileTypePdf, Write("blank.pdf", testing::MakePdf({{}}))), ConversionResult::kNoText);
  ASSERT_EQ(box.asked().size(), 2u);
  EXPECT_EQ(box.asked()[1].text,
            "Driver loading failedPDF ! Error: iFilter PDF Documents (*.pdf) See software User's manual for more "
            "information. Continue?");
}

TEST_F(DocumentConvertersTest, WordRoutesBySettings) {
  const std::string doc = Write("a.doc", std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + "binary");
  // Word conversion off: the binary filter, even for a zipped document.
  record.setWordThroughConverters(false);
  EXPECT_EQ(Convert(kFileTypeWord, doc), ConversionResult::kBinaryFilter);
  EXPECT_EQ(Convert(kFileTypeWord, Zip("a.docx", testing::DocxParts({{"Ana"}}))), ConversionResult::kBinaryFilter);
  EXPECT_EQ(Convert(kFileTypePowerPoint, doc), ConversionResult::kBinaryFilter);
  record.setWordThroughConverters(true);
  // No Word 97-2003 converter, and the Word reader finds no document: the
  // binary filter.
  EXPECT_FALSE(converters.Available(ConverterKind::kWord97));
  EXPECT_EQ(Convert(kFileTypeWord, doc), ConversionResult::kBinaryFilter);
  EXPECT_EQ(converters.LastError(), "The conversion of this document is impossible");
  // The zipped document goes to the Word 2007 converter, whatever its name.
  EXPECT_EQ(Convert(kFileTypeWord, Zip("named.doc", testing::DocxParts({{"Ana are"}}))), ConversionResult::kText);
  EXPECT_EQ(text, "Ana are\r\n");
}

TEST_F(DocumentConvertersTest, WordReaderAndRegisteredWordConverter) {
  const std::string doc = Write("a.doc", "binary");
  std::vector<std::string> calls;
  converters.SetWordReader([&](const std::string& name, std::string& out) {
    calls.push_back("reader");
    out = name == doc ? "Din cititor\r\n" : "";
    return !out.empty();
  });
  EXPECT_EQ(Convert(kFileTypeWord, doc), ConversionResult::kText);
  EXPECT_EQ(text, "Din cititor\r\n");
  // A registered program comes first when the settings ask for it, and the
  // reader after it when it fails.
  ConverterOverrides overrides;
  overrides.program[static_cast<int>(ConverterKind::kWord97)] =
      Script("word.sh", "case \"$1\" in *a.doc) printf 'Din program' ;; *) exit 1 ;; esac");
  converters.Start(overrides);
  EXPECT_TRUE(converters.Available(ConverterKind::kWord97));
  calls.clear();
  EXPECT_EQ(Convert(kFileTypeWord, doc), ConversionResult::kText);
  EXPECT_EQ(text, "Din program");
  EXPECT_TRUE(calls.empty());
  EXPECT_EQ(Convert(kFileTypeWord, Write("b.doc", "binary")), ConversionResult::kBinaryFilter);
  EXPECT_EQ(calls.size(), 1u);
  record.setWord97ThroughExtractorFirst(false);
  EXPECT_EQ(Convert(kFileTypeWord, doc), ConversionResult::kText);
  EXPECT_EQ(text, "Din cititor\r\n");
}

TEST_F(DocumentConvertersTest, RegistryValuesReplaceTheBuiltInConverters) {
  Registry registry(dir.File("registry.ini"));
  ASSERT_TRUE(registry.Set(kConverterRegistryKey, ".odt", Script("odt.sh", "printf '\\357\\273\\277Text \\310\\231i'")));
  ASSERT_TRUE(registry.Set(kConverterRegistryKey, ".pdf", dir.File("missing-program")));
  ASSERT_TRUE(registry.Save());
  Registry loaded(dir.File("registry.ini"));
  ASSERT_TRUE(loaded.Load());
  const ConverterOverrides overrides = ReadConverterOverrides(loaded);
  EXPECT_EQ(overrides.program[static_cast<int>(ConverterKind::kOdfText)], dir.File("odt.sh"));
  EXPECT_EQ(overrides.program[static_cast<int>(ConverterKind::kWord2007)], "");

  ASSERT_TRUE(record.pdfThroughExtractor());
  converters.Start(overrides);
  // A registered PDF converter that is missing switches PDF conversion off.
  EXPECT_FALSE(converters.Available(ConverterKind::kPdf));
  EXPECT_FALSE(record.pdfThroughExtractor());
  EXPECT_TRUE(converters.AnyAvailable());
  // The program's UTF-8 output, its mark dropped.
  EXPECT_EQ(Convert(kFileTypeOdt, Write("any.odt", "")), ConversionResult::kText);
  EXPECT_EQ(text, "Text \xBAi");
}

TEST_F(DocumentConvertersTest, XpsOnlyWhenItsSettingIsOn) {
  const std::string xps = Zip("a.xps", testing::XpsParts({{{"Ana"}}}));
  EXPECT_FALSE(record.xpsThroughConverter());
  EXPECT_EQ(Convert(kFileTypeXps, xps), ConversionResult::kNoText);
  record.setXpsThroughConverter(true);
  EXPECT_EQ(Convert(kFileTypeXps, xps), ConversionResult::kText);
}

TEST(DocumentConverterTypesTest, ConverterTypes) {
  for (int type : {kFileTypeWord, kFileTypePdf, kFileTypePowerPoint, kFileTypePowerPointX, kFileTypeOdt, kFileTypeOdp,
                   kFileTypeXps})
    EXPECT_TRUE(DocumentConverters::IsConverterType(type)) << type;
  for (int type : {kFileTypeText, kFileTypeHtml, kFileTypeRtf, kFileTypeSwf, kFileTypeXls, kFileTypeAny})
    EXPECT_FALSE(DocumentConverters::IsConverterType(type)) << type;
  EXPECT_STREQ(ConverterExtension(ConverterKind::kWord2007), ".docx");
  EXPECT_STREQ(ConverterExtension(ConverterKind::kXps), "");
}

}  // namespace
}  // namespace malvex
