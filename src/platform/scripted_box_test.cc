#include "platform/scripted_box.h"

#include <gtest/gtest.h>

namespace malvex {
namespace {

TEST(ScriptedBoxTest, AnswersFromTheQueueThenTheDefault) {
  ScriptedBox box(kButton2);
  box.QueueAnswer(kButton1);
  box.QueueAnswer(kButton3);
  int answer = -1;
  EXPECT_TRUE(box.Show("one", BoxKind::kYesNoCancel, false, answer));
  EXPECT_EQ(answer, kButton1);
  EXPECT_TRUE(box.Show("two", BoxKind::kOkCancel, false, answer));
  EXPECT_EQ(answer, kButton3);
  EXPECT_EQ(box.pendingAnswers(), 0u);
  EXPECT_TRUE(box.Show("three", BoxKind::kMessage, false, answer));
  EXPECT_EQ(answer, kButton2);
  box.SetDefaultAnswer(kClosed);
  EXPECT_TRUE(box.Show("four", BoxKind::kMessage, false, answer));
  EXPECT_EQ(answer, kClosed);

  ASSERT_EQ(box.asked().size(), 4u);
  EXPECT_EQ(box.asked()[0].text, "one");
  EXPECT_EQ(box.asked()[0].kind, BoxKind::kYesNoCancel);
  EXPECT_EQ(box.asked()[1].kind, BoxKind::kOkCancel);
}

TEST(ScriptedBoxTest, FailingToShowKeepsTheAnswerAndTheQueue) {
  ScriptedBox box;
  box.QueueAnswer(kButton1);
  box.SetFailToShow(true);
  int answer = 42;
  EXPECT_FALSE(box.Show("lost", BoxKind::kYesNoDefaultNo, true, answer));
  EXPECT_EQ(answer, 42);
  EXPECT_EQ(box.pendingAnswers(), 1u);
  ASSERT_EQ(box.asked().size(), 1u);
  EXPECT_TRUE(box.asked()[0].withCheckBox);

  box.SetFailToShow(false);
  EXPECT_TRUE(box.Show("shown", BoxKind::kYesNoDefaultNo, false, answer));
  EXPECT_EQ(answer, kButton1);
}

TEST(ScriptedBoxTest, CheckBoxStateIsTakenOnlyFromBoxesThatShowIt) {
  ScriptedBox box(kButton1);
  int answer = 0;
  box.SetCheckBoxState(true);
  EXPECT_TRUE(box.Show("plain", BoxKind::kYesNoDefaultNo, false, answer));
  EXPECT_FALSE(box.DontShowAgain());
  EXPECT_TRUE(box.Show("with", BoxKind::kYesNoDefaultYes, true, answer));
  EXPECT_TRUE(box.DontShowAgain());
  box.SetCheckBoxState(false);
  EXPECT_TRUE(box.Show("plain", BoxKind::kYesNoDefaultNo, false, answer));
  EXPECT_TRUE(box.DontShowAgain());  // state after the last box that showed it
  box.SetFailToShow(true);
  EXPECT_FALSE(box.Show("with", BoxKind::kYesNoDefaultYes, true, answer));
  EXPECT_TRUE(box.DontShowAgain());
}

TEST(ScriptedBoxTest, RecordsLastResortErrorsApart) {
  ScriptedBox box;
  box.LastResortError("catalogue failed");
  EXPECT_TRUE(box.asked().empty());
  ASSERT_EQ(box.lastResortErrors().size(), 1u);
  EXPECT_EQ(box.lastResortErrors()[0], "catalogue failed");
  box.ClearRecords();
  EXPECT_TRUE(box.lastResortErrors().empty());
}

}  // namespace
}  // namespace malvex
