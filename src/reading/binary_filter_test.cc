#include "reading/binary_filter.h"

#include <gtest/gtest.h>

#include <string>

#include "reading/file_types.h"

namespace malvex {
namespace {

std::string Filter(int type, std::string block, bool first = true) {
  BinaryDocumentFilter filter;
  filter.StartFile(type);
  if (!first) {
    std::string none;
    filter.FilterBlock(reinterpret_cast<uint8_t*>(none.data()), 0);
  }
  filter.FilterBlock(reinterpret_cast<uint8_t*>(block.data()), block.size());
  return block;
}

const std::string kText = "Aceasta este o propozitie.";

TEST(BinaryFilterTest, TextRunsStayAndBinaryBytesBecomeZero) {
  const std::string block = std::string("\x01\x02", 2) + kText + std::string("\x00\x1F\xFF", 3) + "ab" + '\x05';
  EXPECT_EQ(Filter(kFileTypeXls, block), std::string("\0\0", 2) + kText + std::string("\0\0\0", 3) + "  " + '\0');
}

struct RunCase {
  const char* label;
  std::string run;
  bool kept;
};

class BinaryRunTest : public ::testing::TestWithParam<RunCase> {};

TEST_P(BinaryRunTest, JudgesTheRun) {
  const RunCase& c = GetParam();
  const std::string block = std::string(1, '\0') + c.run + std::string(1, '\0');
  const std::string expected = std::string(1, '\0') + (c.kept ? c.run : std::string(c.run.size(), ' ')) + '\0';
  EXPECT_EQ(Filter(kFileTypeSwf, block), expected) << c.label;
}

INSTANTIATE_TEST_SUITE_P(
    Runs, BinaryRunTest,
    ::testing::Values(RunCase{"three bytes", "abc", false}, RunCase{"four bytes", "abcd", true},
                      // One unusual byte in ten is allowed, two in ten are not.
                      RunCase{"a tenth unusual", "abcdefghi\xE3", true},
                      RunCase{"more than a tenth unusual", "abcdefgh\xE3\xE3", false},
                      RunCase{"line ends are unusual", "ab\r\ncdefgh", false},
                      RunCase{"accents taken as letters", "caf\xE9 ma\xF1" "ana \xE0 la", true},
                      RunCase{"signs taken as unusual", "a_b|c^d`efghij", false},
                      RunCase{"word structure marker", "bjbjVerbatim text here", false},
                      RunCase{"romanian sentence", "Aceasta este o propozi\xFEie \xEEn limba rom\xE2n\xE3.", true}),
    [](const ::testing::TestParamInfo<RunCase>& info) {
      std::string name = info.param.label;
      for (char& ch : name)
        if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
      return name;
    });

TEST(BinaryFilterTest, WordHeaderIsBlankedUpToTheMarker) {
  std::string block(300, 'x');
  block.replace(200, 9, "MSWordDoc");
  block.replace(250, kText.size(), kText);
  block[249] = '\0';
  const std::string out = Filter(kFileTypeWord, block);
  // Up to 10 bytes after the marker is blank; what follows is judged.
  EXPECT_EQ(out.substr(0, 219), std::string(219, ' '));
  EXPECT_EQ(out.substr(219, 30), std::string(30, 'x'));
  EXPECT_EQ(out.substr(250, kText.size()), kText);
}

TEST(BinaryFilterTest, HeaderSizesByType) {
  const std::string block(1000, 'x');
  auto blanks = [](const std::string& s) { return s.find_first_not_of(' '); };
  EXPECT_EQ(blanks(Filter(kFileTypeWord, block)), BinaryDocumentFilter::kWordHeader);
  EXPECT_EQ(blanks(Filter(kFileTypePowerPoint, block)), BinaryDocumentFilter::kPowerPointHeader);
  EXPECT_EQ(blanks(Filter(kFileTypeXls, block)), 0u);
  EXPECT_EQ(blanks(Filter(kFileTypeSwf, block)), 0u);
  // Only the first block of a file has a header.
  EXPECT_EQ(blanks(Filter(kFileTypeWord, block, false)), 0u);
  // A marker beyond the first 8,000 bytes is not looked for.
  std::string late(9000, 'x');
  late.replace(8500, 9, "MSWordDoc");
  EXPECT_EQ(blanks(Filter(kFileTypeWord, late)), BinaryDocumentFilter::kWordHeader);
  // A first block shorter than the header is blank.
  EXPECT_EQ(Filter(kFileTypePowerPoint, "short"), "     ");
}

}  // namespace
}  // namespace malvex
