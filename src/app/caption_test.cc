#include "app/caption.h"

#include <gtest/gtest.h>

#include "platform/scripted_box.h"

namespace malvex {
namespace {

TEST(MainCaptionTest, ShowsTheLanguageLabelOfTheRunFlags) {
  struct Case {
    int code;
    const char* caption;
  } cases[] = {{14, "Malvex (Romanian)"}, {1, "Malvex (French)"}, {9, "Malvex (Greek)"},
               {13, "Malvex (other language)"}, {42, "Malvex (other language)"}};
  ScriptedBox box;
  Messages messages(box);
  for (const Case& c : cases) {
    RunFlags flags;
    flags.setLanguageCode(c.code);
    EXPECT_EQ(MainCaption(messages, "Malvex", flags), c.caption) << c.code;
  }
  EXPECT_TRUE(box.asked().empty());
}

}  // namespace
}  // namespace malvex
