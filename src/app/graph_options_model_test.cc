#include "app/graph_options_model.h"

#include <gtest/gtest.h>

#include "foundations/messages.h"
#include "platform/scripted_box.h"

namespace malvex {
namespace {

class GraphOptionsModelTest : public ::testing::Test {
 protected:
  SettingsRecord record_;
  int redraws_ = 0;
  TDlgOptionsGraphesModel model_{record_, [this] { ++redraws_; }};
};

TEST_F(GraphOptionsModelTest, MovingTheObjectLimitToFourWritesItAtOnceAndRedraws) {
  model_.FormShow();
  ASSERT_EQ(model_.objectLimit(), 30);
  model_.ScrollNbreObjetsGrapheChange(4);
  EXPECT_EQ(record_.graphObjectLimit(), 4);
  EXPECT_EQ(model_.ObjectLimitLabel(), "4");
  EXPECT_EQ(redraws_, 1);
  // The bar cannot go past its range.
  model_.ScrollNbreObjetsGrapheChange(3);
  EXPECT_EQ(record_.graphObjectLimit(), 4);
  model_.ScrollNbreObjetsGrapheChange(101);
  EXPECT_EQ(record_.graphObjectLimit(), 100);
}

TEST_F(GraphOptionsModelTest, OpeningRules) {
  struct Case {
    int storedLimit, storedType;
    int shownLimit, storedLimitAfter, checkedType, storedTypeAfter;
  };
  const Case cases[] = {
      {30, 1, 30, 30, 1, 1},  {4, 5, 4, 4, 5, 5},     {100, 3, 100, 100, 3, 3},
      {3, 0, 8, 8, 2, 0},     {101, 6, 8, 8, 2, 6},   {0, 9, 8, 8, 2, 9},
      {65535, 4, 8, 8, 4, 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "limit " << c.storedLimit << " type " << c.storedType);
    record_.setGraphObjectLimit(c.storedLimit);
    record_.setGraphType(c.storedType);
    model_.FormShow();
    EXPECT_EQ(model_.objectLimit(), c.shownLimit);
    EXPECT_EQ(record_.graphObjectLimit(), c.storedLimitAfter);
    EXPECT_EQ(model_.checkedType(), c.checkedType);
    EXPECT_EQ(record_.graphType(), c.storedTypeAfter);
  }
  EXPECT_EQ(redraws_, 0);
}

TEST_F(GraphOptionsModelTest, EachControlWritesItsSetting) {
  model_.FormShow();
  model_.RadioButtonTypeClick(5);
  EXPECT_EQ(record_.graphType(), 5);
  EXPECT_EQ(model_.checkedType(), 5);
  model_.RadioButtonTypeClick(0);  // no such type: ignored
  model_.RadioButtonTypeClick(6);
  EXPECT_EQ(record_.graphType(), 5);
  ASSERT_TRUE(model_.bundlesOnAllCategories());
  model_.AfficheRafalesSurCategoriesClick(false);
  EXPECT_TRUE(record_.hideCategoryBundles());
  EXPECT_FALSE(model_.bundlesOnAllCategories());
  model_.AiresOpaquesClick(false);
  EXPECT_FALSE(record_.opaqueObjects());
  EXPECT_EQ(redraws_, 3);
}

TEST_F(GraphOptionsModelTest, CancelPutsBackWhatWasFoundOnOpening) {
  record_.setGraphType(3);
  record_.setGraphObjectLimit(12);
  model_.FormShow();
  model_.RadioButtonTypeClick(1);
  model_.ScrollNbreObjetsGrapheChange(50);
  model_.AfficheRafalesSurCategoriesClick(false);
  model_.AiresOpaquesClick(false);
  const int before = redraws_;
  model_.ButtonAnnulerClick();
  EXPECT_EQ(record_.graphType(), 3);
  EXPECT_EQ(record_.graphObjectLimit(), 12);
  EXPECT_FALSE(record_.hideCategoryBundles());
  EXPECT_TRUE(record_.opaqueObjects());
  EXPECT_EQ(model_.objectLimit(), 12);
  EXPECT_EQ(model_.checkedType(), 3);
  EXPECT_EQ(redraws_, before + 1);
}

TEST_F(GraphOptionsModelTest, CancelKeepsAnUnknownTypeAndTheCorrectedLimit) {
  record_.setGraphType(7);
  record_.setGraphObjectLimit(0);
  model_.FormShow();
  model_.RadioButtonTypeClick(1);
  model_.ButtonAnnulerClick();
  EXPECT_EQ(record_.graphType(), 7);
  EXPECT_EQ(model_.checkedType(), 2);
  EXPECT_EQ(record_.graphObjectLimit(), 8);
}

TEST(GraphOptionsCaptions, FromTheCatalogue) {
  ScriptedBox box;
  Messages messages(box);
  EXPECT_EQ(GraphOptionsCaption(messages), "Options (Graphs)");
  EXPECT_EQ(GraphTypeCaption(messages, 1), "Area");
  EXPECT_EQ(GraphTypeCaption(messages, 2), "star");
  EXPECT_EQ(GraphTypeCaption(messages, 3), "distribution");
  EXPECT_EQ(GraphTypeCaption(messages, 4), "Episodes");
  EXPECT_EQ(GraphTypeCaption(messages, 5), "Actors");
  EXPECT_EQ(GraphTypeCaption(messages, 6), "");
}

}  // namespace
}  // namespace malvex
