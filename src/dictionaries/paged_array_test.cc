#include "dictionaries/paged_array.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>

#include "dictionaries/nothrow_failure_for_tests.h"
#include "dictionaries/string_pool.h"
#include "foundations/messages.h"
#include "platform/scripted_box.h"
#include "test_support.h"

namespace malvex {
namespace {

using Cells = PagedArray<uint32_t>;

TEST(PagedArrayTest, CreationAllocatesPageZeroOnly) {
  auto cells = std::make_unique<Cells>(nullptr);
  EXPECT_EQ(cells->PageCount(), 1u);
  EXPECT_TRUE(cells->HasPage(0));
  EXPECT_FALSE(cells->HasPage(1));
  EXPECT_EQ(cells->Get(0), 0u);
  EXPECT_EQ(cells->Get(8191), 0u);
  EXPECT_EQ(cells->PageCount(), 1u);
}

TEST(PagedArrayTest, FirstReadOfCell8192AllocatesPageOne) {
  auto cells = std::make_unique<Cells>(nullptr);
  EXPECT_EQ(cells->Get(8192), 0u);
  EXPECT_TRUE(cells->HasPage(1));
  EXPECT_EQ(cells->PageCount(), 2u);
}

TEST(PagedArrayTest, OutOfRangeAccessTouchesNothing) {
  auto cells = std::make_unique<Cells>(nullptr);
  for (uint32_t i : {65544192u, 70000000u, UINT32_MAX}) {
    SCOPED_TRACE(i);
    EXPECT_EQ(cells->Get(i), 0u);
    EXPECT_FALSE(cells->Set(i, 7));
    EXPECT_FALSE(cells->Swap(0, i));
    EXPECT_FALSE(cells->Swap(i, 0));
  }
  EXPECT_EQ(cells->PageCount(), 1u);
}

TEST(PagedArrayTest, HighestCellLivesInPage8000) {
  auto cells = std::make_unique<Cells>(nullptr);
  ASSERT_EQ(Cells::kMaxIndex, 65544191u);
  EXPECT_TRUE(cells->Set(Cells::kMaxIndex, 42));
  EXPECT_EQ(cells->Get(Cells::kMaxIndex), 42u);
  EXPECT_TRUE(cells->HasPage(8000));
  EXPECT_EQ(cells->PageCount(), 2u);
}

TEST(PagedArrayTest, CellsKeepTheirValuesAcrossPages) {
  auto cells = std::make_unique<Cells>(nullptr);
  // Alternating pages defeats the last-page shortcut at every step.
  const uint32_t indexes[] = {0, 8191, 8192, 5, 40000000, 8193, 65544191, 1};
  for (uint32_t i : indexes) EXPECT_TRUE(cells->Set(i, i + 1));
  for (uint32_t i : indexes) EXPECT_EQ(cells->Get(i), i + 1) << i;
  EXPECT_EQ(cells->Get(2), 0u);
  EXPECT_EQ(cells->PageCount(), 4u);  // pages 0, 1, 4882 and 8000
}

TEST(PagedArrayTest, SwapExchangesCellsInOneOrTwoPages) {
  auto cells = std::make_unique<Cells>(nullptr);
  cells->Set(3, 30);
  cells->Set(4, 40);
  cells->Set(100000, 1000);
  EXPECT_TRUE(cells->Swap(3, 4));
  EXPECT_EQ(cells->Get(3), 40u);
  EXPECT_EQ(cells->Get(4), 30u);
  EXPECT_TRUE(cells->Swap(100000, 3));
  EXPECT_EQ(cells->Get(3), 1000u);
  EXPECT_EQ(cells->Get(100000), 40u);
  EXPECT_TRUE(cells->Swap(4, 4));
  EXPECT_EQ(cells->Get(4), 30u);
}

TEST(PagedArrayTest, ClearFreesEveryPageAndLaterReadsSeeZero) {
  auto cells = std::make_unique<Cells>(nullptr);
  cells->Set(10, 1);
  cells->Set(20000, 2);
  cells->Clear();
  EXPECT_EQ(cells->PageCount(), 0u);
  EXPECT_FALSE(cells->HasPage(0));
  // The page last touched before Clear must not be reused.
  EXPECT_EQ(cells->Get(20000), 0u);
  EXPECT_EQ(cells->Get(10), 0u);
  EXPECT_EQ(cells->PageCount(), 2u);
}

TEST(PagedArrayTest, HoldsPointerCells) {
  auto cells = std::make_unique<PagedArray<const std::string*>>(nullptr);
  const std::string a = "a", b = "b";
  EXPECT_EQ(cells->Get(9000), nullptr);
  EXPECT_TRUE(cells->Set(9000, &a));
  EXPECT_TRUE(cells->Set(1, &b));
  EXPECT_TRUE(cells->Swap(1, 9000));
  EXPECT_EQ(cells->Get(1), &a);
  EXPECT_EQ(cells->Get(9000), &b);
}

TEST(PagedArrayTest, FailedCreationShowsMessageZeroAndEndsWithCodeOne) {
  testing::CatchFatalExit fatal;
  ScriptedBox box;
  Messages messages(box);
  for (Messages* shownBy : {&messages, static_cast<Messages*>(nullptr)}) {
    std::unique_ptr<Cells> cells;
    try {
      testing::NothrowFailure failure(0);
      cells = std::make_unique<Cells>(shownBy);
      ADD_FAILURE() << "creation succeeded without memory";
    } catch (const testing::FatalExitCalled& e) {
      EXPECT_EQ(e.code, 1);
    }
  }
  ASSERT_EQ(box.asked().size(), 1u);
  EXPECT_EQ(box.asked()[0].text, "Memory low. Please close some applications and try again.");
}

TEST(PagedArrayTest, FailedPageAllocationReadsZeroAndRefusesWrites) {
  auto cells = std::make_unique<Cells>(nullptr);
  cells->Set(1, 11);
  {
    testing::NothrowFailure failure(0);
    EXPECT_EQ(cells->Get(8192), 0u);
    EXPECT_FALSE(cells->Set(8192, 5));
    EXPECT_FALSE(cells->Swap(1, 8192));
    EXPECT_EQ(cells->Get(1), 11u);  // allocated pages still work
  }
  EXPECT_EQ(cells->PageCount(), 1u);
  EXPECT_TRUE(cells->Set(8192, 5));
  EXPECT_EQ(cells->Get(8192), 5u);
}

TEST(PagedTextArrayTest, KeepsSeparateCopies) {
  auto texts = std::make_unique<PagedTextArray>(nullptr, nullptr);
  EXPECT_FALSE(texts->UsesPool());
  std::string source = "lema";
  EXPECT_EQ(texts->Get(70000), nullptr);
  EXPECT_TRUE(texts->Set(70000, source));
  source[0] = 'X';
  EXPECT_STREQ(texts->Get(70000), "lema");
  EXPECT_TRUE(texts->Set(70000, "alta"));  // the old copy is released
  EXPECT_STREQ(texts->Get(70000), "alta");
  EXPECT_TRUE(texts->Set(0, ""));
  EXPECT_STREQ(texts->Get(0), "");
  EXPECT_FALSE(texts->Set(65544192, "nu"));
  texts->Clear();
  EXPECT_EQ(texts->PageCount(), 0u);
  EXPECT_EQ(texts->Get(70000), nullptr);
}

TEST(PagedTextArrayTest, TakesCopiesFromThePool) {
  StringPool pool;
  auto texts = std::make_unique<PagedTextArray>(nullptr, &pool);
  EXPECT_TRUE(texts->UsesPool());
  EXPECT_TRUE(texts->Set(12, "nume"));
  EXPECT_EQ(pool.BytesInUse(), 5u);
  EXPECT_STREQ(texts->Get(12), "nume");
  texts->Clear();
  EXPECT_EQ(texts->Get(12), nullptr);
  EXPECT_EQ(pool.BytesInUse(), 5u);  // pool texts go with the pool
}

TEST(PagedTextArrayTest, FailedCopyLeavesTheCellUnchanged) {
  auto texts = std::make_unique<PagedTextArray>(nullptr, nullptr);
  ASSERT_TRUE(texts->Set(3, "vechi"));
  {
    testing::NothrowFailure failure(0);
    EXPECT_FALSE(texts->Set(3, "nou"));
  }
  EXPECT_STREQ(texts->Get(3), "vechi");

  StringPool pool;
  pool.Add(std::string(65519, 'p'));
  auto pooled = std::make_unique<PagedTextArray>(nullptr, &pool);
  ASSERT_TRUE(pooled->Set(3, "vechi"));
  {
    testing::NothrowFailure failure(0);
    EXPECT_FALSE(pooled->Set(3, "mult prea lung"));
  }
  EXPECT_STREQ(pooled->Get(3), "vechi");
}

}  // namespace
}  // namespace malvex
