#include "app/colours_model.h"

#include <gtest/gtest.h>

#include "foundations/messages.h"
#include "platform/scripted_box.h"

namespace malvex {
namespace {

class ColoursModelTest : public ::testing::Test {
 protected:
  SettingsRecord record_;
  int redraws_ = 0;
  TDlgCouleursModel model_{record_, [this] { ++redraws_; }};
};

TEST_F(ColoursModelTest, TheTenEntriesMapToTheColourTable) {
  const int expected[] = {11, 1, 2, 3, 4, 5, 12, 13, 14, 15};
  const auto& entries = TDlgCouleursModel::Entries();
  for (int i = 0; i < TDlgCouleursModel::kEntries; ++i) {
    EXPECT_EQ(entries[static_cast<size_t>(i)].colourIndex, expected[i]) << i;
    record_.setColour(expected[i], 0x100 + static_cast<uint32_t>(i));
    EXPECT_EQ(model_.EntryColour(i), 0x100u + static_cast<uint32_t>(i));
  }
  ScriptedBox box;
  Messages messages(box);
  EXPECT_EQ(messages.message(entries[0].nameId), "Class");
  EXPECT_EQ(messages.message(entries[9].nameId), "Background");
  EXPECT_EQ(ColoursCaption(messages), "Options (Colors)");
}

TEST_F(ColoursModelTest, ModifyWritesTheColourAndMovesTheSelection) {
  model_.FormShow();
  // From the first entry the selection moves down, from the others up.
  struct Case {
    int selected;
    int colourIndex;
    int selectedAfter;
  };
  const Case cases[] = {{0, 11, 1}, {1, 1, 0}, {5, 5, 4}, {9, 15, 8}};
  uint32_t rgb = 0x123456;
  for (const Case& c : cases) {
    model_.SelectEntry(c.selected);
    model_.ButtonModifierClick(rgb);
    EXPECT_EQ(record_.colour(c.colourIndex), rgb) << c.selected;
    EXPECT_EQ(model_.selected(), c.selectedAfter) << c.selected;
    ++rgb;
  }
  EXPECT_EQ(redraws_, 4);
  // With no entry selected nothing is written.
  model_.SelectEntry(-1);
  model_.ButtonModifierClick(0x0000FF);
  EXPECT_EQ(redraws_, 4);
}

TEST_F(ColoursModelTest, CancelAfterModifyingTwoColoursRestoresBoth) {
  record_.setColour(16, 0x010203);  // outside the list, kept too
  model_.FormShow();
  model_.SelectEntry(1);
  model_.ButtonModifierClick(0x111111);  // verbs
  model_.SelectEntry(9);
  model_.ButtonModifierClick(0x222222);  // background
  model_.RadioColorationClick(false);
  ASSERT_EQ(record_.colour(1), 0x111111u);
  ASSERT_FALSE(record_.selectiveColoration());
  model_.ButtonAnnulerClick();
  EXPECT_EQ(record_.colour(1), DefaultColourTable()[1]);
  EXPECT_EQ(record_.colour(15), DefaultColourTable()[15]);
  EXPECT_EQ(record_.colour(16), 0x010203u);
  EXPECT_TRUE(record_.selectiveColoration());
  EXPECT_EQ(redraws_, 4);
}

TEST_F(ColoursModelTest, RestoreWritesTheDefaultTable) {
  for (int i = 0; i < SettingsRecord::kColourTableSize; ++i) record_.setColour(i, 0x777777);
  model_.FormShow();
  model_.ButtonRestaurerClick();
  for (int i = 0; i < SettingsRecord::kColourTableSize; ++i) {
    EXPECT_EQ(record_.colour(i), DefaultColourTable()[static_cast<size_t>(i)]) << i;
  }
  EXPECT_EQ(record_.colour(1), 0x0000A0u);
  EXPECT_EQ(record_.colour(15), 0xC0C0C0u);
  EXPECT_EQ(redraws_, 1);
  // Cancel still returns to the colours found on opening.
  model_.ButtonAnnulerClick();
  EXPECT_EQ(record_.colour(1), 0x777777u);
}

TEST_F(ColoursModelTest, ColorationWritesThePreference) {
  model_.FormShow();
  model_.RadioColorationClick(false);
  EXPECT_FALSE(record_.selectiveColoration());
  EXPECT_FALSE(model_.selective());
  model_.RadioColorationClick(true);
  EXPECT_TRUE(record_.selectiveColoration());
  EXPECT_EQ(redraws_, 2);
}

}  // namespace
}  // namespace malvex
