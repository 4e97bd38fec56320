#include "views/style_coloration.h"

#include <gtest/gtest.h>

#include <memory>

#include "views/recording_canvas.h"

namespace malvex {
namespace {

class StyleColorationTest : public ::testing::Test {
 protected:
  StyleColorationTest() : stream_(nullptr) {
    // "Ion merge." then "Maria este aici." (a factive and a stative verb).
    Word("ion", kClassSubstantive, 0, 1);
    Word("merge", kClassVerb, 1, 2);
    Word("/", 0, 0, 2);
    Word("maria", kClassSubstantive, 0, 3);
    Word("este", kClassVerb, 2, 4);
    Word("aici", kClassModality, 2, 5);
    Word("/", 0, 0, 5);
    view_->Rewind();
    settings_.setTextViewByProposition(true);
  }

  void Word(const char* text, uint8_t category, uint8_t subcategory, int32_t position) {
    WordInfo info;
    info.category.category = category;
    info.category.subcategory = subcategory;
    ASSERT_TRUE(stream_.Append(text, text[0] == '/' ? "." : " ", info, position, 0, 1));
  }

  std::string Drawn() {
    RecordingCanvas canvas;
    view_->DrawExtract(canvas, CanvasRect{0, 0, 600, 200});
    return canvas.JoinedTexts();
  }

  WordStream stream_;
  SelectionState selection_;
  SettingsRecord settings_;
  std::unique_ptr<TExtraitDuTexte> view_ = std::make_unique<TExtraitDuTexte>(stream_, selection_, settings_);
};

TEST_F(StyleColorationTest, ColouringVerdictShowsThePropositionsOfItsCriteria) {
  // "Setting: in the real" colours the stative verbs.
  ASSERT_TRUE(ColourStyleLine(DescribeStyleLine(346), *view_));
  EXPECT_EQ(view_->coloration(), ColorationMode::kSelective);
  EXPECT_EQ(selection_.criteria[0].group, kGroupVerbs);
  EXPECT_EQ(selection_.criteria[0].position, 2);
  EXPECT_EQ(Drawn(), " maria| este| aici|. ");
}

TEST_F(StyleColorationTest, TextOnlyVerdictLeavesTheView) {
  view_->ColorationReferent();
  EXPECT_FALSE(ColourStyleLine(DescribeStyleLine(350), *view_));
  EXPECT_FALSE(ColourStyleLine(DescribeStyleLine(1), *view_));
  EXPECT_EQ(view_->coloration(), ColorationMode::kReferent);
}

TEST_F(StyleColorationTest, CategoryLinesColourTheirCriterionOrTheWholeText) {
  CategoryLineSelection modalities;
  modalities.action = CategoryLineAction::kColoration;
  modalities.slot = CriteriaSlot{kGroupModalities, 0};
  ASSERT_TRUE(ColourCategoryLine(modalities, *view_));
  EXPECT_EQ(Drawn(), " maria| este| aici|. ");

  CategoryLineSelection plain;
  plain.action = CategoryLineAction::kPlainColoration;
  ASSERT_TRUE(ColourCategoryLine(plain, *view_));
  EXPECT_EQ(view_->coloration(), ColorationMode::kSyntactic);
  EXPECT_EQ(Drawn(), " ion| merge|. | maria| este| aici|. ");

  EXPECT_FALSE(ColourCategoryLine(CategoryLineSelection{}, *view_));
}

}  // namespace
}  // namespace malvex
