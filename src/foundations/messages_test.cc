#include "foundations/messages.h"

#include <gtest/gtest.h>

#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "platform/scripted_box.h"
#include "test_support.h"

namespace malvex {
namespace {

std::vector<std::string> SplitCrLf(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t at; (at = text.find("\r\n", start)) != std::string::npos; start = at + 2) {
    lines.push_back(text.substr(start, at - start));
  }
  lines.push_back(text.substr(start));
  return lines;
}

class MessagesTest : public ::testing::Test {
 protected:
  ScriptedBox box_;
  Messages messages_{box_};
};

TEST_F(MessagesTest, StartsWithoutAnyBox) {
  EXPECT_TRUE(box_.asked().empty());
  EXPECT_TRUE(box_.lastResortErrors().empty());
}

TEST_F(MessagesTest, MissingIdShowsTheInternalErrorAndGivesQuestionMark) {
  EXPECT_EQ(messages_.message(97), "?");
  ASSERT_EQ(box_.lastResortErrors().size(), 1u);
  const std::vector<std::string> lines = SplitCrLf(box_.lastResortErrors()[0]);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], "Minor internal error - Erreur interne mineure.");
  EXPECT_EQ(lines[1], "Cause: LoadString Id=   97 failed.");
  EXPECT_EQ(lines[2].rfind("Please report this error at - Merci de signaler l'erreur", 0), 0u);
  EXPECT_EQ(lines[3], kSupportContact);
  EXPECT_TRUE(box_.asked().empty());  // only the platform's own box

  // Once per lookup.
  EXPECT_EQ(messages_.message(97), "?");
  EXPECT_EQ(box_.lastResortErrors().size(), 2u);
}

TEST_F(MessagesTest, MissingIdIsRightAlignedInFiveColumns) {
  const struct {
    int id;
    const char* line;
  } cases[] = {{59999, "Cause: LoadString Id=59999 failed."},
               {-1, "Cause: LoadString Id=   -1 failed."},
               {123456, "Cause: LoadString Id=123456 failed."}};
  for (const auto& c : cases) {
    box_.ClearRecords();
    EXPECT_EQ(messages_.message(c.id), "?");
    ASSERT_EQ(box_.lastResortErrors().size(), 1u);
    EXPECT_EQ(SplitCrLf(box_.lastResortErrors()[0])[1], c.line);
  }
}

TEST_F(MessagesTest, TwoCallsShareOneBuffer) {
  const std::string& first = messages_.message(132);
  EXPECT_EQ(first, "Verb");
  const std::string& second = messages_.message(140);
  EXPECT_EQ(&first, &second);
  EXPECT_EQ(first, "Adjective");  // overwritten by the second call
  messages_.message(97);
  EXPECT_EQ(first, "?");
}

TEST_F(MessagesTest, MessageWithColon) {
  EXPECT_EQ(messages_.messageWithColon(324), "File:");
  EXPECT_EQ(messages_.messageWithColon(97), "?:");
}

TEST_F(MessagesTest, TitlesAreCopiedOnce) {
  const struct {
    int id;
    const char* text;
  } cases[] = {{60, "Undefined"}, {61, "Error"},   {63, "Be careful"}, {65, "Success"},
               {68, "Dictionary"}, {71, "Wait..."}, {72, "Loading"},    {74, "PRINTING"},
               {78, "Saving"}};
  messages_.message(132);  // the shared buffer does not hold the titles
  for (const auto& c : cases) EXPECT_EQ(messages_.title(c.id), c.text) << c.id;
  EXPECT_EQ(messages_.title(66), "");
  EXPECT_EQ(messages_.title(132), "");
}

TEST_F(MessagesTest, QuestionsMapTheAnswers) {
  // answer -> ask, askNot, confirmCancel, askThreeWays
  const struct {
    int answer;
    bool ask, askNot, confirmCancel;
  } cases[] = {{kClosed, false, true, true},
               {kButton1, true, false, false},
               {kButton2, false, true, true},
               {kButton3, false, true, true}};
  for (const auto& c : cases) {
    box_.SetDefaultAnswer(c.answer);
    EXPECT_EQ(messages_.ask("q"), c.ask) << c.answer;
    EXPECT_EQ(messages_.askNot("q"), c.askNot) << c.answer;
    EXPECT_EQ(messages_.confirmCancel("q"), c.confirmCancel) << c.answer;
    EXPECT_EQ(messages_.askThreeWays("q"), c.answer);
  }
}

TEST_F(MessagesTest, EachHelperShowsItsKind) {
  box_.SetDefaultAnswer(kButton1);
  messages_.errorBox("e");
  messages_.ask("a");
  messages_.askDontShow("d");
  messages_.askYesDefaultDontShow("y");
  messages_.confirmCancel("c");
  messages_.askThreeWays("t");
  const struct {
    const char* text;
    BoxKind kind;
    bool withCheckBox;
  } expected[] = {{"e", BoxKind::kMessage, false},        {"a", BoxKind::kYesNoDefaultNo, false},
                  {"d", BoxKind::kYesNoDefaultNo, true},  {"y", BoxKind::kYesNoDefaultYes, true},
                  {"c", BoxKind::kOkCancel, false},       {"t", BoxKind::kYesNoCancel, false}};
  ASSERT_EQ(box_.asked().size(), std::size(expected));
  for (size_t i = 0; i < std::size(expected); ++i) {
    EXPECT_EQ(box_.asked()[i].text, expected[i].text);
    EXPECT_EQ(box_.asked()[i].kind, expected[i].kind);
    EXPECT_EQ(box_.asked()[i].withCheckBox, expected[i].withCheckBox);
  }
}

TEST_F(MessagesTest, AskWhenClosedIsFalse) {
  box_.QueueAnswer(kClosed);
  EXPECT_FALSE(messages_.ask("Do you really want to stop this process?"));
}

TEST_F(MessagesTest, ConfirmCancelGoesOnOnlyForOk) {
  box_.QueueAnswer(kButton1);  // "Ok"
  box_.QueueAnswer(kButton3);  // "Cancel"
  box_.QueueAnswer(kClosed);   // closed without a button
  EXPECT_FALSE(messages_.confirmCancel("c"));
  EXPECT_TRUE(messages_.confirmCancel("c"));
  EXPECT_TRUE(messages_.confirmCancel("c"));
}

TEST_F(MessagesTest, DontShowAgainFollowsTheCheckBox) {
  box_.SetCheckBoxState(true);
  box_.QueueAnswer(kButton1);
  EXPECT_TRUE(messages_.askDontShow("d"));
  EXPECT_TRUE(messages_.dontShowAgain());
  box_.SetCheckBoxState(false);
  box_.QueueAnswer(kButton3);
  EXPECT_FALSE(messages_.askYesDefaultDontShow("y"));
  EXPECT_FALSE(messages_.dontShowAgain());
}

TEST_F(MessagesTest, ABoxThatCannotBeShownAnswersNothing) {
  box_.SetDefaultAnswer(kButton1);
  box_.SetFailToShow(true);
  EXPECT_FALSE(messages_.ask("a"));
  EXPECT_TRUE(messages_.askNot("a"));
  EXPECT_FALSE(messages_.askDontShow("a"));
  // No Ok was given: the operation asked about is cancelled.
  EXPECT_TRUE(messages_.confirmCancel("c"));
  EXPECT_EQ(messages_.askThreeWays("t"), kClosed);
}

TEST_F(MessagesTest, CheckMemoryEndsTheProgramAfterMessage0) {
  testing::CatchFatalExit catcher;
  const int something = 0;
  messages_.checkMemory(&something);
  EXPECT_TRUE(box_.asked().empty());
  try {
    messages_.checkMemory(nullptr);
    FAIL() << "checkMemory(nullptr) returned";
  } catch (const testing::FatalExitCalled& e) {
    EXPECT_EQ(e.code, 1);
  }
  ASSERT_EQ(box_.asked().size(), 1u);
  EXPECT_EQ(box_.asked()[0].text, "Memory low. Please close some applications and try again.");
  EXPECT_EQ(box_.asked()[0].kind, BoxKind::kMessage);
}

TEST_F(MessagesTest, ReportMemoryShowsTheBoxWithoutEnding) {
  messages_.reportMemory(false);
  EXPECT_TRUE(box_.asked().empty());
  messages_.reportMemory(true);
  ASSERT_EQ(box_.asked().size(), 1u);
  EXPECT_EQ(box_.asked()[0].text, CatalogueText(0));
}

TEST_F(MessagesTest, LastResortErrorGoesToThePlatformBox) {
  messages_.lastResortError("x");
  ASSERT_EQ(box_.lastResortErrors().size(), 1u);
  EXPECT_EQ(box_.lastResortErrors()[0], "x");
}

TEST(CatalogueTest, KnownTexts) {
  const struct {
    int id;
    const char* text;
  } cases[] = {
      {0, "Memory low. Please close some applications and try again."},
      {10, "Corrupted dictionary files. Execution failed, re-install the software."},
      {11, "Corrupted dictionary files. Execution failed, re-install the software."},
      {60, "Undefined"},
      {70, "Do you really want to stop this process?"},
      {89, ">ambiguity< "},
      {132, "Verb"},
      {159, "\"I\""},
      {165, "\"Somebody\""},
      {192, "Statistics on  "},
      {218, "Dictionary matrix unreadable. Please, reinstall the software"},
      {232, " "},
      {348, "Setting: involving with \"I\""},
      {680, "Ok"},
      {1140, " is one of the default Scenarios."},
      {1267, "Don't show this message again"},
  };
  for (const auto& c : cases) {
    const char* text = CatalogueText(c.id);
    ASSERT_NE(text, nullptr) << c.id;
    EXPECT_STREQ(text, c.text) << c.id;
  }
}

TEST(CatalogueTest, EveryTextFitsAndTheStatisticsLabelsExist) {
  int found = 0;
  for (int id = -10; id < 60000; ++id) {
    const char* text = CatalogueText(id);
    if (text == nullptr) continue;
    ++found;
    EXPECT_GE(id, 0);
    EXPECT_GT(std::strlen(text), 0u) << id;
    EXPECT_LE(std::strlen(text), kMaxMessageLength) << id;
  }
  EXPECT_EQ(found, CatalogueSize());
  EXPECT_GT(found, 500);
  // Labels of the statistics indexes 0..77 (89 + index), all but 97.
  for (int id = 89; id <= 166; ++id) {
    if (id == 97) continue;
    EXPECT_NE(CatalogueText(id), nullptr) << id;
  }
  EXPECT_EQ(CatalogueText(97), nullptr);
  EXPECT_EQ(CatalogueText(60000), nullptr);
}

}  // namespace
}  // namespace malvex
