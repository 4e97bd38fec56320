// The text view on what the semantic pass leaves: class paths, referent
// marks and the relation store.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "engine/semantic_pass_test_fixture.h"
#include "views/recording_canvas.h"
#include "views/text_view.h"

namespace malvex {
namespace {

using testing::kNoun;
using testing::kVerb;

class TextViewAnalysisTest : public testing::SemanticPassTest {
 protected:
  void SetUp() override {
    // Three propositions: "w1 w2 w3 w4 w5 w6 w7", "w1 merge w2", "w7 w1".
    Nouns(7);
    Add("w1", kNoun);
    Add("merge", kVerb);
    Add("w2", kNoun);
    End();
    Add("w7", kNoun);
    Add("w1", kNoun);
    End();
    ASSERT_TRUE(Run());
    view = std::make_unique<TExtraitDuTexte>(engine->stream(), selection, engine->record());
    view->SetRelationStore(&context->relations());
    view->Rewind();
    engine->record().setTextViewByProposition(true);
  }

  int32_t ClassOf(int word) { return Word(word)->info.classPath[0]; }

  // The first word of each proposition shown in the extract.
  std::string Extract() {
    RecordingCanvas canvas;
    view->ColorationSelective();
    view->Rewind();
    view->DrawExtract(canvas, CanvasRect{0, 0, 2000, 400});
    std::string out;
    int line = -1;
    for (const auto& op : canvas.Texts()) {
      if (op.y == line) continue;
      line = op.y;
      out += op.text;
    }
    return out;
  }

  SelectionState selection;
  std::unique_ptr<TExtraitDuTexte> view;
};

TEST_F(TextViewAnalysisTest, RelationSelectionFollowsTheRelationStore) {
  const uint32_t w1 = ClassOf(1);
  const uint32_t w2 = ClassOf(2);
  const uint32_t w7 = ClassOf(7);
  ASSERT_NE(w1, 0u);
  // w1 before w2: neighbours in the first proposition, and in the second.
  selection.SelectRelation(1, w1, w2, "w1", "w2");
  EXPECT_EQ(Extract(), " w1 w1");
  // w1 before w7 in the first proposition lies beyond a relation's reach;
  // w7 before w1 is the third proposition's relation.
  selection.SelectRelation(1, w1, w7, "w1", "w7");
  EXPECT_EQ(Extract(), "");
  selection.SelectRelation(1, w7, w1, "w7", "w1");
  EXPECT_EQ(Extract(), " w7");
  // Without the store the order of the words decides.
  view->SetRelationStore(nullptr);
  selection.SelectRelation(1, w1, w7, "w1", "w7");
  EXPECT_EQ(Extract(), " w1");
}

TEST_F(TextViewAnalysisTest, ClassSelectionShowsItsPropositionsAndColoursItsWords) {
  selection.SelectClass(1, ClassOf(7), "w7");
  EXPECT_EQ(Extract(), " w1 w7");
  // In the whole text only the class's words take the class colour.
  view->ColorationSyntaxique();
  view->Rewind();
  RecordingCanvas canvas;
  view->DrawExtract(canvas, CanvasRect{0, 0, 2000, 400});
  for (const auto& op : canvas.Texts()) {
    EXPECT_EQ(op.style.colour, op.text == " w7" ? engine->record().colour(11) : kBlack) << op.text;
  }
}

}  // namespace
}  // namespace malvex
