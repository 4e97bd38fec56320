#include "reading/file_types.h"

#include <gtest/gtest.h>

#include <string>

namespace malvex {
namespace {

struct TypeCase {
  const char* name;
  int type;
};

class FileTypeTest : public ::testing::TestWithParam<TypeCase> {};

TEST_P(FileTypeTest, ExtensionGivesTheType) {
  EXPECT_EQ(FileTypeOf(GetParam().name), GetParam().type) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Names, FileTypeTest,
    ::testing::Values(
        TypeCase{"a.txt", kFileTypeText}, TypeCase{"/home/u/Text/A.TXT", kFileTypeText},
        TypeCase{"notes.text", kFileTypeText},
        // Longer extensions count by their first four characters.
        TypeCase{"page.html", kFileTypeHtml}, TypeCase{"page.htm", kFileTypeHtml},
        TypeCase{"letter.docx", kFileTypeWord}, TypeCase{"old.doc", kFileTypeWord},
        TypeCase{"data.xml", kFileTypeXml}, TypeCase{"x.rtf", kFileTypeRtf}, TypeCase{"x.sgml", kFileTypeSgml},
        TypeCase{"dos.asc", kFileTypeOem}, TypeCase{"dos.tx8", kFileTypeOem}, TypeCase{"old.mac", kFileTypeMac},
        TypeCase{"a.pdf", kFileTypePdf}, TypeCase{"a.ppt", kFileTypePowerPoint},
        // ".pptx" and ".ppsx" are compared whole.
        TypeCase{"a.pptx", kFileTypePowerPointX}, TypeCase{"a.ppsx", kFileTypePowerPointX},
        TypeCase{"a.pptm", kFileTypePowerPoint}, TypeCase{"a.odt", kFileTypeOdt}, TypeCase{"a.odp", kFileTypeOdp},
        TypeCase{"a.xps", kFileTypeXps}, TypeCase{"a.swf", kFileTypeSwf}, TypeCase{"a.xlsx", kFileTypeXls},
        TypeCase{"a.scn", kFileTypeScenario}, TypeCase{"a.idt", kFileTypeTextIndex},
        TypeCase{"a.mit", kFileTypeIndex}, TypeCase{"a.mft", kFileTypeIndex}, TypeCase{"a.mvi", kFileTypeIndex},
        TypeCase{"a.dlm", kFileTypeBorders}, TypeCase{"a.*", kFileTypeAny},
        // More than 11 characters: all files.
        TypeCase{"a.abcdefghijk", kFileTypeAny}, TypeCase{"a.abcdefghij", kFileTypeHtml},
        // Unknown or no extension: HTML; a dot in a folder name is no extension.
        TypeCase{"README", kFileTypeHtml}, TypeCase{"notes.md", kFileTypeHtml},
        TypeCase{"dir.txt/README", kFileTypeHtml}, TypeCase{"a.t", kFileTypeHtml}));

}  // namespace
}  // namespace malvex
