#include "views/text_view.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "views/recording_canvas.h"

namespace malvex {
namespace {

// One node of a hand-made word stream; text "/" is an end marker, which
// repeats the position of the word before it.
struct W {
  std::string text;
  std::string separator = " ";
  uint8_t category = kClassSubstantive;
  uint8_t referent = 0;
  uint32_t classId = 0;  // level-1 class
  uint32_t lemma = 0;
  uint8_t markA = 0;
  uint16_t file = 1;
};

W End(const std::string& separator = ".") { return W{"/", separator, 0}; }

// The recording canvas draws every character 6 pixels wide and 10 high: the
// gap between pieces is 3 pixels and a line 12 pixels high.
constexpr int kChar = 6;
constexpr int kGap = 3;
constexpr int kLine = 12;

class TextViewTest : public ::testing::Test {
 protected:
  TextViewTest() : stream_(nullptr) {}

  void Fill(const std::vector<W>& words) {
    for (const W& w : words) {
      WordInfo info;
      info.category.category = w.category;
      info.referent = w.referent;
      info.classPath[0] = w.classId;
      const bool end = w.text == "/";
      const int32_t position = end ? stream_.HighestPosition() : stream_.HighestPosition() + 1;
      ASSERT_TRUE(stream_.Append(w.text, w.separator, info, position, w.lemma, w.file));
      stream_.Tail()->prev->markA = w.markA;
    }
    view_->Rewind();
  }

  // `n` propositions of one word each: "w1" .. "wn", positions 1..n.
  void FillPropositions(int n) {
    std::vector<W> words;
    for (int i = 1; i <= n; ++i) {
      words.push_back(W{"w" + std::to_string(i)});
      words.push_back(End());
    }
    Fill(words);
  }

  void Draw(int width = 600, int height = 400) {
    canvas_.Clear();
    view_->DrawExtract(canvas_, CanvasRect{0, 0, width, height});
  }
  void DrawPage(int width = 600, int height = 400) {
    canvas_.Clear();
    view_->DrawPage(canvas_, CanvasRect{0, 0, width, height});
  }

  // Colour of the text piece that ends with `word`.
  Colour ColourOf(const std::string& word) {
    for (const RecordingCanvas::Op& op : canvas_.Texts()) {
      if (op.text.size() >= word.size() && op.text.compare(op.text.size() - word.size(), word.size(), word) == 0) {
        return op.style.colour;
      }
    }
    ADD_FAILURE() << "not drawn: " << word;
    return 0xDEAD;
  }

  WordStream stream_;
  SelectionState selection_;
  SettingsRecord settings_;
  std::unique_ptr<TExtraitDuTexte> view_ = std::make_unique<TExtraitDuTexte>(stream_, selection_, settings_);
  RecordingCanvas canvas_{kChar, 10};
};

TEST_F(TextViewTest, PageTallerThan202LinesShows202AndTheNextPageGoesOn) {
  FillPropositions(300);
  // On a 30-pixel line the file marker of the text's first word stands
  // alone, and so does every word with its full stop (" wNN" and ". " are
  // wider than the line together, and the stop stays with its word).
  DrawPage(30, 5000);
  EXPECT_EQ(view_->LineHeight(), kLine);
  EXPECT_EQ(view_->LinesPerPage(), 202);
  EXPECT_EQ(view_->LinesDrawn(), 202);
  const auto texts = canvas_.Texts();
  ASSERT_EQ(texts.size(), 402u);  // w1 to w201, each with its end marker
  EXPECT_EQ(texts[texts.size() - 2].text, " w201");
  EXPECT_EQ(texts.back().text, ". ");
  EXPECT_EQ(texts.back().y, 201 * kLine);
  EXPECT_EQ(view_->Line(201).bottom, 202 * kLine);

  ASSERT_TRUE(view_->NextPage());
  DrawPage(30, 5000);
  EXPECT_EQ(canvas_.Texts().front().text, " w202");
  EXPECT_EQ(view_->FirstPositionShown(), 202);
}

TEST_F(TextViewTest, PageHeightLimitsTheLines) {
  FillPropositions(50);
  DrawPage(40, 5 * kLine + 5);
  EXPECT_EQ(view_->LinesPerPage(), 5);
  EXPECT_EQ(view_->LinesDrawn(), 5);
  EXPECT_EQ(canvas_.Texts().back().y, 4 * kLine);
}

TEST_F(TextViewTest, PieceWiderThanThePageTakesOneLine) {
  Fill({W{"ion", ""}, W{"nemaipomenit"}, W{"vine"}, End(" ")});
  // The file marker and " ion" share the first line; the long word cannot
  // fit any line and is drawn alone on the second, without empty lines.
  DrawPage(50, 400);
  const auto texts = canvas_.Texts();
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(texts[1].text, " nemaipomenit");
  EXPECT_EQ(texts[1].y, kLine);
  EXPECT_EQ(texts[2].y, 2 * kLine);
  EXPECT_EQ(view_->LinesDrawn(), 3);
}

TEST_F(TextViewTest, LineBeyond95PiecesKeepsDrawingButOnly95CanBeHit) {
  std::vector<W> words;
  for (int i = 0; i < 120; ++i) words.push_back(W{"a", i == 0 ? "" : " "});
  words.push_back(End(" "));
  Fill(words);
  DrawPage(100000, 100);
  ASSERT_EQ(view_->LinesDrawn(), 1);
  EXPECT_EQ(canvas_.Texts().size(), 120u);
  EXPECT_EQ(view_->Line(0).count, 95);

  // The file marker, then pieces " a" of 12 pixels, each followed by the gap.
  const int marker = TExtraitDuTexte::kIconWidth + kGap;
  const int step = 2 * kChar + kGap;
  TextViewHit hit;
  ASSERT_TRUE(view_->WordAt(marker + 94 * step - 1, 5, hit));
  EXPECT_EQ(hit.position, 94);  // the 95th entry
  EXPECT_FALSE(view_->WordAt(marker + 94 * step + 5, 5, hit));  // the 95th word is drawn there
}

TEST_F(TextViewTest, ExtractWithoutSelectionShowsEveryProposition) {
  for (bool byProposition : {true, false}) {
    SCOPED_TRACE(byProposition ? "by propositions" : "with context");
    stream_.Reset();
    settings_.setTextViewByProposition(byProposition);
    Fill({W{"ion", ""}, W{"vine"}, End(","), W{"maria"}, W{"pleaca"}, End("."), W{"ana", ""}, W{"canta"},
          End(".")});
    selection_.Clear();
    view_->ColorationSelective();
    Draw();
    EXPECT_TRUE(view_->Extract());
    EXPECT_EQ(view_->WordsDrawn(), 6);
    EXPECT_EQ(canvas_.JoinedTexts(), " ion| vine|, | maria| pleaca|. | ana| canta|. ");
    // By propositions every one opens a line with its marker (the first
    // one the file's); as context the short ones run on after the first.
    EXPECT_EQ(view_->PropositionsShown(), byProposition ? 3 : 1);
    std::vector<int> icons;
    for (const auto& op : canvas_.Icons()) icons.push_back(op.icon);
    if (byProposition) {
      EXPECT_EQ(icons, (std::vector<int>{TExtraitDuTexte::kFileMarkerIcon, TExtraitDuTexte::kSelectiveMarkerIcon,
                                         TExtraitDuTexte::kSelectiveMarkerIcon}));
    } else {
      EXPECT_EQ(icons, std::vector<int>{TExtraitDuTexte::kFileMarkerIcon});
    }
  }
}

TEST_F(TextViewTest, SeparatorRepeatedAtAPropositionStartIsDrawnOnceInFullText) {
  // "; " closes the first proposition and is repeated on the next word; the
  // commas of a list inside a proposition are each drawn.
  Fill({W{"ion", ""}, W{"vine"}, End(";"), W{"maria", ";"}, W{"mere"}, W{"pere", ","}, W{"prune", ","},
        End(".")});
  DrawPage();
  EXPECT_EQ(canvas_.JoinedTexts(), " ion| vine|; |maria| mere|, pere|, prune|. ");

  selection_.Clear();
  view_->ColorationSelective();
  settings_.setTextViewByProposition(true);
  Draw();
  EXPECT_EQ(canvas_.JoinedTexts(), " ion| vine|; |; maria| mere|, pere|, prune|. ");
}

TEST_F(TextViewTest, PunctuationIsSpacedLikeRunningText) {
  // The signs that close the clause before a word stay on the left of a
  // blank, the ones that open what follows go against the word; none is
  // lost, however many the reader joined.
  const struct {
    const char* separator;
    const char* drawn;
  } cases[] = {
      {"", " vino"},           {",", ", vino"},        {"(", " (vino"},          {"),", "), vino"},
      {":\"", ": \"vino"},     {"...", "... vino"},    {"!\"", "!\" vino"},      {"\",", "\", vino"},
      {".(", ". (vino"},       {"\"", " \"vino"},      {"!\"(", "!\" (vino"},  {",\"", ", \"vino"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.separator);
    stream_.Reset();
    Fill({W{"ion", ""}, W{"vino", c.separator}, End(".")});
    DrawPage();
    EXPECT_EQ(canvas_.JoinedTexts(), std::string(" ion|") + c.drawn + "|. ");
  }
}

TEST_F(TextViewTest, HyphenOrSlashJoinsAWordToTheOneBefore) {
  // "M-am dus", "și/sau dus": the second word follows the first with no
  // gap; the third after the usual one.
  for (const char* sign : {"-", "/"}) {
    SCOPED_TRACE(sign);
    stream_.Reset();
    Fill({W{"m", ""}, W{"am", sign}, W{"dus"}, End(".")});
    DrawPage();
    const auto texts = canvas_.Texts();
    ASSERT_EQ(texts.size(), 4u);
    EXPECT_EQ(texts[1].text, std::string(sign) + "am");
    const int gap = canvas_.TextWidth(" ") / 2;
    EXPECT_EQ(texts[1].x, texts[0].x + canvas_.TextWidth(texts[0].text));
    EXPECT_EQ(texts[2].x, texts[1].x + canvas_.TextWidth(texts[1].text) + gap);
  }
}

TEST_F(TextViewTest, BlankAfterABlankEndMarkerIsKept) {
  // A proposition cut before "care" ends with a blank end marker; the blank
  // before "care" is the only one between the two words.
  Fill({W{"ion", ""}, W{"vede"}, W{"casa"}, End(" "), W{"care"}, W{"arde"}, End(".")});
  DrawPage();
  EXPECT_EQ(canvas_.JoinedTexts(), " ion| vede| casa| care| arde|. ");
}

TEST_F(TextViewTest, EndMarkerPunctuationFollowingTheSameSignIsKept) {
  Fill({W{"ion", ""}, W{"vine"}, W{"maria", ","}, End(","), W{"ana"}, W{"pleaca"}, End(".")});
  DrawPage();
  EXPECT_EQ(canvas_.JoinedTexts(), " ion| vine|, maria|, | ana| pleaca|. ");
}

TEST_F(TextViewTest, FileChangeStartsANewLineWithTheFileMarker) {
  Fill({W{"unu", "", 8, 0, 0, 0, 0, 1}, End("."), W{"doi", "", 8, 0, 0, 0, 0, 2}, End(".")});
  DrawPage();
  const auto icons = canvas_.Icons();
  ASSERT_EQ(icons.size(), 2u);
  EXPECT_EQ(icons[0].icon, TExtraitDuTexte::kFileMarkerIcon);
  EXPECT_EQ(icons[0].y, 0);
  EXPECT_EQ(icons[1].icon, TExtraitDuTexte::kFileMarkerIcon);
  EXPECT_EQ(icons[1].y, kLine);
  TextViewHit hit;
  ASSERT_TRUE(view_->WordAt(5, kLine + 5, hit));
  EXPECT_EQ(hit.kind, 1);
  EXPECT_EQ(hit.position, 2);
}

// A verb, a connector, a principal referent of class 5 and an adjective,
// then a second proposition with a verb of lemma 7 and a word of the
// characteristic parts.
const std::vector<W> kColourText = {
    W{"merge", "", kClassVerb, 0, 0, 3},
    W{"si", " ", kClassConnector},
    W{"casa", " ", kClassSubstantive, 1, 5},
    W{"mare", " ", kClassAdjective},
    End("."),
    W{"vede", " ", kClassVerb, 0, 0, 7},
    W{"drum", " ", kClassSubstantive, 1, 6, 0, 1},
    End("."),
};

struct ColourCase {
  const char* name;
  bool selectiveOption;
  std::function<void(SelectionState&, TExtraitDuTexte&)> setup;
  std::map<std::string, Colour> expected;
};

constexpr Colour kVerb = 0x0000A0;
constexpr Colour kConnector = 0x00FFFF;
constexpr Colour kAdjective = 0x80FFA0;
constexpr Colour kClass = 0xFF0000;

class TextViewColourTest : public TextViewTest, public ::testing::WithParamInterface<ColourCase> {};

TEST_P(TextViewColourTest, WordsTakeTheColoursOfTheMode) {
  const ColourCase& c = GetParam();
  Fill(kColourText);
  settings_.setSelectiveColoration(c.selectiveOption);
  settings_.setTextViewByProposition(true);
  c.setup(selection_, *view_);
  Draw();
  for (const auto& [word, colour] : c.expected) {
    EXPECT_EQ(ColourOf(word), colour) << word;
  }
  EXPECT_EQ(canvas_.ops()[1].kind, RecordingCanvas::OpKind::kFill);
  EXPECT_EQ(canvas_.ops()[1].style.colour, 0xC0C0C0u);
}

const ColorationCriterion kVerbCriterion{kGroupVerbs, 0};

INSTANTIATE_TEST_SUITE_P(
    Modes, TextViewColourTest,
    ::testing::Values(
        ColourCase{"SyntacticUnderSyntacticOption", false,
                   [](SelectionState&, TExtraitDuTexte& v) { v.ColorationSyntaxique(); },
                   {{"merge", kVerb}, {"si", kConnector}, {"casa", kClass}, {"mare", kAdjective}}},
        ColourCase{"SyntacticUnderSelectiveOption", true,
                   [](SelectionState& s, TExtraitDuTexte& v) {
                     // A class no word of the text belongs to.
                     s.Clear();
                     s.SelectClass(1, 99, "absent");
                     v.ColorationSyntaxique();
                   },
                   {{"merge", kBlack}, {"si", kBlack}, {"casa", kBlack}, {"mare", kBlack}}},
        ColourCase{"SelectiveOptionWithNothingChosen", true,
                   [](SelectionState& s, TExtraitDuTexte& v) {
                     s.Clear();
                     v.ColorationSyntaxique();
                   },
                   {{"merge", kVerb}, {"si", kConnector}, {"casa", kClass}, {"mare", kAdjective}}},
        ColourCase{"SelectiveModeWithNothingChosen", true,
                   [](SelectionState& s, TExtraitDuTexte& v) {
                     s.Clear();
                     v.ColorationSelective();
                   },
                   {{"merge", kVerb}, {"si", kConnector}, {"casa", kClass}, {"mare", kAdjective}}},
        ColourCase{"ReferentKeepsOnlyClasses", false,
                   [](SelectionState&, TExtraitDuTexte& v) { v.ColorationReferent(); },
                   {{"merge", kBlack}, {"si", kBlack}, {"casa", kClass}, {"mare", kBlack}}},
        ColourCase{"SelectiveColoursTheChosenGroup", true,
                   [](SelectionState& s, TExtraitDuTexte& v) {
                     s.SelectCriteria(&kVerbCriterion, 1);
                     v.ColorationSelective();
                   },
                   {{"merge", kVerb}, {"si", kBlack}, {"casa", kBlack}, {"mare", kBlack}, {"vede", kVerb}}},
        ColourCase{"ClassSelectionColoursItsWords", true,
                   [](SelectionState& s, TExtraitDuTexte& v) {
                     s.Clear();
                     s.SelectClass(1, 5, "casa");
                     v.ColorationSyntaxique();
                   },
                   {{"merge", kBlack}, {"casa", kClass}, {"drum", kBlack}}},
        ColourCase{"WordSelectionInExtract", true,
                   [](SelectionState& s, TExtraitDuTexte& v) {
                     // The verbs' group is chosen with the word, or its
                     // colour would be black too.
                     s.Clear();
                     s.criteria[0] = kVerbCriterion;
                     s.BuildCriteria();
                     s.SelectWord(7, kClassVerb, "vedea");
                     v.ColorationSelective();
                   },
                   {{"vede", kVerb}, {"drum", kBlack}}},
        ColourCase{"CharacteristicPartsInExtract", true,
                   [](SelectionState& s, TExtraitDuTexte& v) {
                     s.Clear();
                     s.SelectCharacteristicParts("parts");
                     v.ColorationSelective();
                   },
                   {{"vede", kBlack}, {"drum", kClass}}}),
    [](const ::testing::TestParamInfo<ColourCase>& info) { return std::string(info.param.name); });

TEST_F(TextViewTest, ExtractShowsOnlyThePropositionsOfTheSelection) {
  Fill(kColourText);
  settings_.setTextViewByProposition(true);
  selection_.Clear();
  selection_.SelectWord(7, kClassVerb, "vedea");
  view_->ColorationSelective();
  Draw();
  EXPECT_EQ(canvas_.JoinedTexts(), " vede| drum|. ");
  EXPECT_EQ(selection_.foundPosition, 5);
  EXPECT_EQ(selection_.foundPropositionStart, 5);
}

TEST_F(TextViewTest, ChosenCriteriaShowTheirPropositionsInColour) {
  Fill(kColourText);
  settings_.setTextViewByProposition(true);
  selection_.SelectClass(1, 5, "casa");
  view_->SetCursorPosition(3);
  // A verdict that colours the connectors and the adjectives.
  const ColorationCriterion chosen[] = {{kGroupConnectors, 0}, {kGroupAdjectives, 0}};
  view_->ShowCriteria(chosen, 2);
  EXPECT_FALSE(selection_.active);
  EXPECT_EQ(view_->coloration(), ColorationMode::kSelective);
  EXPECT_EQ(view_->CursorPosition(), 0);
  Draw();
  EXPECT_EQ(canvas_.JoinedTexts(), " merge| si| casa| mare|. ");
  EXPECT_EQ(ColourOf("si"), kConnector);
  EXPECT_EQ(ColourOf("mare"), kAdjective);
  EXPECT_EQ(ColourOf("merge"), kBlack);
  EXPECT_EQ(ColourOf("casa"), kBlack);  // referents stay black under the "Selective" option
}

TEST_F(TextViewTest, SpanStartSkipsTheMatchesBeforeIt) {
  FillPropositions(6);
  settings_.setTextViewByProposition(true);
  selection_.Clear();
  selection_.spanStart = 4;
  view_->ColorationSelective();
  Draw();
  EXPECT_EQ(view_->FirstPositionShown(), 4);
  EXPECT_EQ(view_->PropositionsShown(), 3);
}

TEST_F(TextViewTest, CursorWordIsUnderlinedOnTheInvertedColour) {
  Fill({W{"ion", ""}, W{"vine"}, End(".")});
  view_->SetCursorPosition(2);
  DrawPage();
  const auto texts = canvas_.Texts();
  EXPECT_FALSE(texts[0].style.underline);
  EXPECT_TRUE(texts[1].style.underline);
  EXPECT_TRUE(texts[1].style.opaque);
  EXPECT_EQ(texts[1].style.background, kWhite);
  EXPECT_FALSE(texts[2].style.underline);  // the end marker shares the position
}

TEST_F(TextViewTest, WordAtFindsTheLineAndThePiece) {
  Fill({W{"ion", ""}, W{"vine", " ", kClassVerb}, End("."), W{"ana", ""}, End(".")});
  // Line 1: the file marker (to x 19), " ion" (to 46), " vine" (to 79),
  // ". " (to 94); line 2: " ana" (to 27), ". " (to 42).
  DrawPage(94, 400);
  struct Case {
    int x, y;
    bool found;
    int32_t position;
    uint8_t kind;
    uint8_t category;
  };
  const Case cases[] = {
      {1, 1, true, 1, 1, kClassSubstantive},           // the file marker
      {20, 5, true, 1, 0, kClassSubstantive},
      {47, 5, true, 2, 0, kClassVerb},
      {79, kLine, true, 2, 0, kClassVerb},              // right and bottom edges belong to the piece
      {80, 5, true, 2, 0, kClassUnclassified},          // the end marker's ". "
      {95, 5, false, 0, 0, 0},                          // right of the last piece
      {1, kLine + 1, true, 3, 0, kClassSubstantive},
      {30, kLine + 1, true, 3, 0, kClassUnclassified},  // the second end marker
      {43, kLine + 1, false, 0, 0, 0},
      {1, 10 * kLine, false, 0, 0, 0},                  // below the last line
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
    TextViewHit hit;
    ASSERT_EQ(view_->WordAt(c.x, c.y, hit), c.found);
    if (!c.found) continue;
    EXPECT_EQ(hit.position, c.position);
    EXPECT_EQ(hit.kind, c.kind);
    EXPECT_EQ(hit.category.category, c.category);
  }
}

// Four propositions; which of them each kind of selection finds.
const std::vector<W> kSearchText = {
    W{"a", "", kClassSubstantive, 1, 5},  W{"b", " ", kClassVerb, 0, 0, 7}, End("."),               // 1-2
    W{"c", "", kClassSubstantive, 1, 6},  W{"d", " ", kClassSubstantive, 1, 5}, End("."),           // 3-4
    W{"e", "", kClassSubstantive, 1, 5, 0, 1}, W{"f", " ", kClassSubstantive, 1, 6}, End("."),      // 5-6
    W{"g", "", kClassVerb, 0, 0, 7},      W{"h", " ", kClassAdjective}, End("."),                   // 7-8
};

struct SearchCase {
  const char* name;
  std::function<void(SelectionState&)> select;
  std::vector<int32_t> forward;  // found proposition starts, in order
};

class TextViewSearchTest : public TextViewTest, public ::testing::WithParamInterface<SearchCase> {};

TEST_P(TextViewSearchTest, FindNextWalksBothWays) {
  const SearchCase& c = GetParam();
  Fill(kSearchText);
  selection_.Clear();
  c.select(selection_);
  std::vector<int32_t> forward;
  stream_.Rewind();
  while (view_->FindNext(true)) forward.push_back(selection_.foundPropositionStart);
  EXPECT_EQ(forward, c.forward);
  EXPECT_TRUE(stream_.AtEnd());

  std::vector<int32_t> backward;
  while (view_->FindNext(false)) backward.push_back(selection_.foundPropositionStart);
  EXPECT_EQ(backward, std::vector<int32_t>(c.forward.rbegin(), c.forward.rend()));
  EXPECT_FALSE(view_->FindNext(false));
}

const ColorationCriterion kVerbAndAdjective[] = {{kGroupVerbs, 0}, {kGroupAdjectives, 0}};

INSTANTIATE_TEST_SUITE_P(
    Kinds, TextViewSearchTest,
    ::testing::Values(
        SearchCase{"NoSelection", [](SelectionState&) {}, {1, 3, 5, 7}},
        SearchCase{"Class", [](SelectionState& s) { s.SelectClass(1, 6, "c6"); }, {3, 5}},
        SearchCase{"RelationInOrder", [](SelectionState& s) { s.SelectRelation(1, 5, 6, "c5", "c6"); }, {5}},
        SearchCase{"CharacteristicParts", [](SelectionState& s) { s.SelectCharacteristicParts("p"); }, {5}},
        SearchCase{"Word", [](SelectionState& s) { s.SelectWord(7, kClassVerb, "v"); }, {1, 7}},
        SearchCase{"AllCriteria",
                   [](SelectionState& s) {
                     s.criteria[0] = kVerbAndAdjective[0];
                     s.criteria[1] = kVerbAndAdjective[1];
                     s.BuildCriteria();
                   },
                   {7}},
        SearchCase{"AnyCriterion", [](SelectionState& s) { s.SelectCriteria(kVerbAndAdjective, 2); }, {1, 7}}),
    [](const ::testing::TestParamInfo<SearchCase>& info) { return std::string(info.param.name); });

class Within7 : public GroupHierarchy {
 public:
  bool IsWithin(uint32_t group, uint32_t ancestor) const override { return ancestor == 7 && group == 5; }
};

TEST_F(TextViewTest, ScenarioGroupSelectionTakesItsDescendants) {
  std::vector<W> words = kSearchText;
  Fill(words);
  // Level 4 reads the fourth class number; copy level 1 there.
  for (WordNode* n = stream_.Head(); n != stream_.Tail(); n = n->next) n->info.classPath[3] = n->info.classPath[0];
  Within7 groups;
  selection_.Clear();
  selection_.SelectClass(4, 7, "g7");
  stream_.Rewind();
  EXPECT_FALSE(view_->FindNext(true));
  view_->SetGroupHierarchy(&groups);
  stream_.Rewind();
  ASSERT_TRUE(view_->FindNext(true));
  EXPECT_EQ(selection_.foundPropositionStart, 1);
}

TEST_F(TextViewTest, FullTextPagingForwardAndBack) {
  FillPropositions(30);
  // One proposition per 80-pixel line: its marker, " wN" and ". ".
  settings_.setTextViewByProposition(true);
  Draw(80, 5 * kLine);
  EXPECT_EQ(view_->FirstPositionShown(), 1);
  ASSERT_TRUE(view_->NextPage());
  Draw(80, 5 * kLine);
  EXPECT_EQ(view_->FirstPositionShown(), 6);
  ASSERT_TRUE(view_->NextProposition());
  Draw(80, 5 * kLine);
  EXPECT_EQ(view_->FirstPositionShown(), 7);
  ASSERT_TRUE(view_->PreviousProposition());
  Draw(80, 5 * kLine);
  EXPECT_EQ(view_->FirstPositionShown(), 6);
  ASSERT_TRUE(view_->PreviousPage());
  Draw(80, 5 * kLine);
  EXPECT_EQ(view_->FirstPositionShown(), 1);
  EXPECT_FALSE(view_->PreviousPage());

  // The last page: nothing further.
  view_->StartAtPosition(28);
  Draw(80, 5 * kLine);
  EXPECT_EQ(view_->FirstPositionShown(), 28);
  EXPECT_FALSE(view_->NextPage());
}

TEST_F(TextViewTest, ExtractPagingMovesBetweenMatchingPropositions) {
  Fill(kSearchText);
  settings_.setTextViewByProposition(true);
  selection_.Clear();
  selection_.SelectClass(1, 6, "c6");
  view_->ColorationSelective();
  Draw(600, 1 * kLine);  // one line: one proposition per page
  EXPECT_EQ(view_->FirstPositionShown(), 3);
  ASSERT_TRUE(view_->NextProposition());
  Draw(600, 1 * kLine);
  EXPECT_EQ(view_->FirstPositionShown(), 5);
  EXPECT_FALSE(view_->NextProposition());
  ASSERT_TRUE(view_->PreviousProposition());
  Draw(600, 1 * kLine);
  EXPECT_EQ(view_->FirstPositionShown(), 3);
  EXPECT_FALSE(view_->PreviousProposition());
  EXPECT_EQ(view_->FirstPositionShown(), stream_.HighestPosition());
}

TEST_F(TextViewTest, EmptyStreamDrawsOnlyTheBackground) {
  Draw();
  EXPECT_FALSE(view_->HasWords());
  EXPECT_TRUE(canvas_.Texts().empty());
  EXPECT_EQ(view_->FirstPositionShown(), 0);
  TextViewHit hit;
  EXPECT_FALSE(view_->WordAt(1, 1, hit));
  EXPECT_FALSE(view_->NextPage());
  EXPECT_FALSE(view_->PreviousPage());
}

TEST_F(TextViewTest, LargeFontSettingChoosesTheFontSize) {
  Fill({W{"ion", ""}, End(".")});
  for (bool large : {false, true}) {
    settings_.setLargeFonts(large);
    DrawPage();
    EXPECT_EQ(canvas_.ops().front().fontSize, large ? 14 : 8);
  }
}

// ---- Line breaks and punctuation -------------------------------------

// Signs that close what comes before them and signs that open what
// follows: » ” … and « „ “ in code page 1250 with the ASCII ones.
bool ClosingSign(char c) { return c != '\0' && std::string(",.;:!?)]}\xBB\x94\x85").find(c) != std::string::npos; }
bool OpeningSign(char c) { return c != '\0' && std::string("([{\xAB\x84\x93").find(c) != std::string::npos; }
bool StraightQuote(char c) { return c == '"' || c == '\''; }

// The texts of a drawing line by line, the pieces of a line joined.
std::vector<std::string> LinesOf(const RecordingCanvas& canvas) {
  std::vector<std::string> lines;
  int y = -1;
  for (const RecordingCanvas::Op& op : canvas.Texts()) {
    if (lines.empty() || op.y != y) lines.emplace_back();
    y = op.y;
    lines.back() += op.text;
  }
  return lines;
}

// The lines of `lines` that start with a closing sign or end with an
// opening one. A line that goes on with a new word starts with its blank
// (" pur", " (vino"), so a sign right at its start closes what came
// before; a straight quote after a blank at the end of a line opens what
// follows.
std::vector<std::string> BadLines(const std::vector<std::string>& lines) {
  std::vector<std::string> bad;
  for (const std::string& line : lines) {
    const size_t last = line.find_last_not_of(' ');
    if (last == std::string::npos) continue;
    const bool closes = ClosingSign(line[0]) || StraightQuote(line[0]);
    const bool opens = OpeningSign(line[last]) || (StraightQuote(line[last]) && last > 0 && line[last - 1] == ' ');
    if (closes || opens) bad.push_back(line);
  }
  return bad;
}

struct Placed {
  std::string text;
  int x = 0;
  int y = 0;
  bool operator==(const Placed&) const = default;
};

void PrintTo(const Placed& p, std::ostream* os) { *os << '"' << p.text << "\" at " << p.x << "," << p.y; }

std::vector<Placed> Placements(const RecordingCanvas& canvas) {
  std::vector<Placed> out;
  for (const RecordingCanvas::Op& op : canvas.Texts()) out.push_back(Placed{op.text, op.x, op.y});
  return out;
}

// `pieces` laid the plain way, after the file marker at the start of the
// first line: a piece goes on the line when it fits there with the gap
// after it, or when it would be alone; otherwise it opens the next line.
std::vector<Placed> PlainLayout(const std::vector<std::string>& pieces, int width) {
  std::vector<Placed> out;
  int x = TExtraitDuTexte::kIconWidth + kGap;
  int y = 0;
  bool empty = false;
  for (const std::string& piece : pieces) {
    const int w = static_cast<int>(piece.size()) * kChar;
    if (x + w + kGap > width && !empty) {
      x = 0;
      y += kLine;
    }
    out.push_back(Placed{piece, x, y});
    x += w + kGap;
    empty = false;
  }
  return out;
}

// Texts of one file and one page of words, with closing and opening signs
// around them.
const std::vector<std::vector<W>> kPunctuatedTexts = {
    // "Ion vine, pur si simplu."
    {W{"ion", ""}, W{"vine"}, W{"pur", ","}, W{"si"}, W{"simplu"}, End(".")},
    // "Ion vine. Numai filme." (the second sentence repeats its full stop)
    {W{"ion", ""}, W{"vine"}, End("."), W{"numai", "."}, W{"filme"}, End(".")},
    // "Ion vine. (Vino repede)."
    {W{"ion", ""}, W{"vine"}, End(".("), W{"vino", ".("}, W{"repede"}, End(").")},
    // El zise: "vino acum", (ieri) gata!
    {W{"el", ""}, W{"zise"}, W{"vino", ":\""}, W{"acum"}, W{"ieri", "\",("}, W{"gata", ")"}, End("!")},
    // A spus: „da”, bine; «nu» apoi… gata?
    {W{"a", ""}, W{"spus"}, W{"da", ":\x84"}, W{"bine", "\x94,"}, W{"nu", ";\xAB"}, W{"apoi", "\xBB"},
     W{"gata", "\x85"}, End("?")},
};

TEST_F(TextViewTest, ClosingSignsStayWithTheWordBeforeAndOpeningSignsWithTheWordAfter) {
  // Widths where the plain layout starts a line with ", pur", ". " or
  // "vino" after an opening bracket left at the end of the line above.
  const struct {
    size_t text;
    int width;
    std::vector<std::string> lines;
  } cases[] = {
      {0, 100, {" ion vine,", " pur si", " simplu. "}},
      {1, 90, {" ion", " vine. numai", " filme. "}},
      {2, 110, {" ion vine.", " (vino repede). "}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("text " + std::to_string(c.text) + " at " + std::to_string(c.width));
    stream_.Reset();
    Fill(kPunctuatedTexts[c.text]);
    DrawPage(c.width, 400);
    EXPECT_EQ(LinesOf(canvas_), c.lines);
  }
}

TEST_F(TextViewTest, NoLineStartsWithAClosingSignOrEndsWithAnOpeningOne) {
  for (size_t t = 0; t < kPunctuatedTexts.size(); ++t) {
    stream_.Reset();
    Fill(kPunctuatedTexts[t]);
    // On a line wide enough for everything each piece is drawn whole.
    DrawPage(10000, 400);
    ASSERT_EQ(LinesOf(canvas_).size(), 1u);
    std::vector<std::string> pieces;
    for (const RecordingCanvas::Op& op : canvas_.Texts()) pieces.push_back(op.text);
    const std::string whole = LinesOf(canvas_)[0];
    int moved = 0;
    for (int width = 20; width <= 300; ++width) {
      SCOPED_TRACE("text " + std::to_string(t) + " at " + std::to_string(width));
      DrawPage(width, 2000);
      const std::vector<std::string> lines = LinesOf(canvas_);
      EXPECT_EQ(BadLines(lines), std::vector<std::string>{});
      std::string joined;
      for (const std::string& line : lines) joined += line;
      EXPECT_EQ(joined, whole);  // nothing lost, nothing drawn twice
      // Where no line of the plain layout starts or ends with a sign,
      // every piece stays where the plain layout puts it.
      const std::vector<Placed> plain = PlainLayout(pieces, width);
      std::vector<std::string> plainLines;
      for (size_t i = 0; i < plain.size(); ++i) {
        if (i == 0 || plain[i].y != plain[i - 1].y) plainLines.emplace_back();
        plainLines.back() += plain[i].text;
      }
      if (BadLines(plainLines).empty()) {
        EXPECT_EQ(Placements(canvas_), plain);
      } else {
        ++moved;
      }
    }
    // Each text meets both kinds of width.
    EXPECT_GT(moved, 0) << "text " << t;
    EXPECT_LT(moved, 281) << "text " << t;
  }
}

TEST_F(TextViewTest, AClosingSignThatEndsAPageIsNotDrawnAgainOnTheNext) {
  Fill(kPunctuatedTexts[0]);
  // One line a page: " ion vine," then " pur si", then " simplu. ".
  const std::vector<std::string> pages[] = {{" ion vine,"}, {" pur si"}, {" simplu. "}};
  const int32_t firstWords[] = {1, 3, 5};
  for (int p = 0; p < 3; ++p) {
    SCOPED_TRACE("page " + std::to_string(p + 1));
    if (p > 0) {
      ASSERT_TRUE(view_->NextPage());
    }
    // Drawn twice, as a window repaints: the same page both times.
    for (int repaint = 0; repaint < 2; ++repaint) {
      DrawPage(100, kLine);
      EXPECT_EQ(LinesOf(canvas_), pages[p]);
      EXPECT_EQ(view_->FirstPositionShown(), firstWords[p]);
    }
  }
  EXPECT_FALSE(view_->NextPage());
  // Back to the start of the proposition: the page shows it whole again.
  ASSERT_TRUE(view_->PreviousPage());
  DrawPage(100, kLine);
  EXPECT_EQ(LinesOf(canvas_), pages[0]);
}

}  // namespace
}  // namespace malvex
