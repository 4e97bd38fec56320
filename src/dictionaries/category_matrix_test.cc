#include "dictionaries/category_matrix.h"

#include <gtest/gtest.h>

#include <string>

#include "foundations/messages.h"
#include "platform/scripted_box.h"
#include "test_support.h"

namespace malvex {
namespace {

TEST(CategoryMatrixTest, LayoutOfTheWeights) {
  struct Case {
    size_t index;
    size_t expected;
  };
  const Case cases[] = {
      {CategoryMatrix::BigramIndex(0, 0), 4},
      {CategoryMatrix::BigramIndex(1, 8), 4 + 22 + 16},
      {CategoryMatrix::BigramIndex(10, 10), 244},
      {CategoryMatrix::TrigramIndex(0, 0, 0), 488},
      {CategoryMatrix::TrigramIndex(10, 10, 10), 3148},
      {CategoryMatrix::PronounBigramIndex(0, 0), 5812},
      {CategoryMatrix::PronounBigramIndex(10, 10), 6052},
      {CategoryMatrix::PronounTrigramIndex(0, 0, 0), 6054},
      {CategoryMatrix::PronounTrigramIndex(10, 10, 10), 8714},
  };
  for (const Case& c : cases) EXPECT_EQ(c.index, c.expected);
  EXPECT_EQ(CategoryMatrix::kBytes, 17432u);
}

TEST(CategoryMatrixTest, ReadsAndWritesLittleEndianSignedValues) {
  CategoryMatrix m;
  m.SetValue(CategoryMatrix::kConnectorStartIndex, 15);
  m.SetValue(CategoryMatrix::BigramIndex(5, 1), -2);
  m.SetValue(CategoryMatrix::TrigramIndex(8, 1, 8), 300);
  m.SetValue(CategoryMatrix::PronounBigramIndex(4, 1), -300);
  m.SetValue(CategoryMatrix::PronounTrigramIndex(3, 1, 2), 32767);
  m.SetValue(1, 77);  // an unused value is kept too
  const std::string bytes = m.Bytes();
  ASSERT_EQ(bytes.size(), CategoryMatrix::kBytes);
  EXPECT_EQ(bytes.substr(0, 4), std::string("\x0F\x00\x4D\x00", 4));
  const size_t at = 2 * CategoryMatrix::BigramIndex(5, 1);
  EXPECT_EQ(bytes.substr(at, 2), "\xFE\xFF");

  CategoryMatrix r;
  ASSERT_TRUE(r.FromBytes(bytes + "trailing bytes are ignored"));
  EXPECT_EQ(r.ConnectorStartBonus(), 15);
  EXPECT_EQ(r.Bigram(5, 1), -2);
  EXPECT_EQ(r.Trigram(8, 1, 8), 300);
  EXPECT_EQ(r.PronounBigram(4, 1), -300);
  EXPECT_EQ(r.PronounTrigram(3, 1, 2), 32767);
  EXPECT_EQ(r.Value(1), 77);
  EXPECT_EQ(r.Bytes(), bytes);

  EXPECT_FALSE(r.FromBytes(bytes.substr(0, CategoryMatrix::kBytes - 1)));
  EXPECT_EQ(r.Bigram(5, 1), -2);  // unchanged
}

TEST(CategoryMatrixTest, MissingOrShortFileEndsTheStartUpWith1412) {
  testing::TempDir dir;
  const std::string base = dir.File("roglex.*");
  CategoryMatrix good;
  good.SetValue(0, 3);
  ASSERT_TRUE(good.Write(dir.File("roglex.zv8")));
  ScriptedBox box;
  Messages messages(box);
  CategoryMatrix loaded;
  loaded.LoadOrExit(base, messages);
  EXPECT_EQ(loaded.ConnectorStartBonus(), 3);
  EXPECT_TRUE(box.asked().empty());

  for (const std::string& content : {std::string(), std::string(CategoryMatrix::kBytes - 1, 'x')}) {
    ASSERT_TRUE(testing::WriteFile(dir.File("short.zv8"), content));
    for (const std::string& b : {dir.File("short.*"), dir.File("absent.*")}) {
      box.ClearRecords();
      testing::CatchFatalExit fatal;
      try {
        loaded.LoadOrExit(b, messages);
        ADD_FAILURE() << b << ": no fatal exit";
      } catch (const testing::FatalExitCalled& e) {
        EXPECT_EQ(e.code, 1412);
      }
      ASSERT_EQ(box.asked().size(), 1u);
      EXPECT_EQ(box.asked()[0].text, CatalogueText(218));
    }
  }
}

}  // namespace
}  // namespace malvex
