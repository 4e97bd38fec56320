#include "views/text_pointer.h"

#include <gtest/gtest.h>

#include <memory>

#include "foundations/messages.h"
#include "platform/scripted_box.h"
#include "views/recording_canvas.h"

namespace malvex {
namespace {

TEST(TextPointerTest, StatusFollowsTheWordUnderTheMouse) {
  WordStream stream(nullptr);
  WordInfo verb;
  verb.category.category = kClassVerb;
  verb.category.subcategory = 1;
  verb.category.tensePerson = 1;
  verb.category.modeMark = 1;
  ASSERT_TRUE(stream.Append("ion", "", WordInfo{}, 1, 0, 1));
  ASSERT_TRUE(stream.Append("vine", " ", verb, 2, 0, 1));
  ASSERT_TRUE(stream.Append("/", ".", WordInfo{}, 2, 0, 1));
  SelectionState selection;
  SettingsRecord settings;
  auto view = std::make_unique<TExtraitDuTexte>(stream, selection, settings);
  view->Rewind();
  RecordingCanvas canvas(6, 10);
  // The file marker to x 19, " ion" to 46, " vine" to 79.
  view->DrawPage(canvas, CanvasRect{0, 0, 600, 100});

  ScriptedBox box;
  Messages messages(box);
  TextPointer pointer(*view, stream, messages);

  TextPointerInfo marker = pointer.MouseMove(5, 5);
  EXPECT_EQ(marker.change, TextPointerInfo::Change::kMarker);
  EXPECT_EQ(marker.statusText, "Click here to show the context");
  EXPECT_EQ(marker.hint, marker.statusText);

  TextPointerInfo word = pointer.MouseMove(60, 5);
  EXPECT_EQ(word.change, TextPointerInfo::Change::kWord);
  EXPECT_EQ(word.positionText, "2/2");
  EXPECT_EQ(word.statusText, LongLabel(messages, verb.category, true));
  EXPECT_NE(word.statusText.find(messages.message(132)), std::string::npos);
  EXPECT_EQ(word.hint, "Click me");
  EXPECT_EQ(pointer.Position(), 2);

  EXPECT_EQ(pointer.MouseMove(70, 8).change, TextPointerInfo::Change::kNone);  // the same word
  EXPECT_EQ(pointer.MouseMove(300, 5).change, TextPointerInfo::Change::kCleared);
  EXPECT_EQ(pointer.MouseMove(25, 5).change, TextPointerInfo::Change::kWord);
  EXPECT_EQ(pointer.Position(), 1);
  EXPECT_TRUE(box.asked().empty());
}

}  // namespace
}  // namespace malvex
