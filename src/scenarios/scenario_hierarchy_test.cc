#include "scenarios/scenario_hierarchy.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundations/messages.h"
#include "platform/scripted_box.h"
#include "scenarios/scenario_store.h"
#include "scenarios/scenario_tree.h"
#include "test_support.h"

namespace malvex {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

// A node and its children: "label#signature" for a visible group ("label#s
// H" hidden), "text@icon" for an item, children in braces.
std::string Show(const ScenarioNode& node) {
  std::string s = node.text;
  if (node.IsGroup()) {
    s += '#' + std::to_string(node.signature);
    if (!node.IsVisibleGroup()) s += " H";
  } else {
    s += '@' + std::to_string(static_cast<int>(node.icon));
  }
  if (!node.children.empty()) {
    s += '{';
    for (size_t i = 0; i < node.children.size(); ++i) s += (i ? ", " : "") + Show(*node.children[i]);
    s += '}';
  }
  return s;
}

std::string Show(const ScenarioTree& tree) {
  std::string s;
  for (size_t i = 0; i < tree.roots().size(); ++i) s += (i ? " | " : "") + Show(*tree.roots()[i]);
  return s;
}

class ScenarioHierarchyTest : public ::testing::Test {
 protected:
  ScenarioHierarchyTest() : messages_(box_), store_(messages_) {}

  // Loads `text` into the store and reads the tree from it.
  std::string Read(const std::string& text) {
    store_.Reset();
    const std::string path = dir_.File("in.scn");
    EXPECT_TRUE(WriteFile(path, text));
    EXPECT_TRUE(store_.Load(path));
    ReadScenarioHierarchy(store_, tree_);
    return Show(tree_);
  }
  // Writes the tree into the store and saves it; the file's text.
  std::string Written() {
    EXPECT_TRUE(WriteScenarioHierarchy(tree_, store_));
    const std::string path = dir_.File("out.scn");
    EXPECT_TRUE(store_.Save(path));
    return ReadFile(path);
  }

  TempDir dir_;
  ScriptedBox box_;
  Messages messages_;
  ScenarioStore store_;
  ScenarioTree tree_;
};

TEST_F(ScenarioHierarchyTest, ReadingBuildsGroupsAndItems) {
  struct Case {
    const char* what;
    std::string text;
    std::string tree;
  };
  const std::vector<Case> cases = {
      {"groups, sub-groups and every item type",
       "G#0V\t12\tHealth\r\n0#1#\tdoctor\tHealth\r\n1#1#\tMedicine\tHealth\r\n2#1#\tcare\tHealth\r\n"
       "3#1#\tlife\tHealth\r\nG#1H\t13\tHospitals\r\nS#2#\tclinic\tHospitals\r\nV#2#\theal\tHospitals\r\n"
       "A#2?\tsick\tHospitals\r\n",
       "Health#12{doctor@2, Medicine (*)@3, care (2)@3, life (1)@3, Hospitals#13 H{clinic (S)@7, heal (V)@4, "
       "sick (A)@6}}"},
      {"two consecutive groups with one label make one group",
       "G#0V\t1\tA\r\n0#1#\tx\tA\r\nG#0V\t2\tA\r\n0#1#\ty\tA\r\n", "A#1{x@2, y@2}"},
      {"a deeper group is made even with the label of its parent",
       "G#0V\t1\tA\r\nG#1V\t2\tA\r\n0#2#\tx\tA\r\n", "A#1{A#2{x@2}}"},
      {"a new top-level group after sub-groups; items follow their depth",
       "G#0V\t1\tA\r\nG#1V\t2\tB\r\nG#0V\t3\tC\r\n0#1#\tx\tC\r\n0#2#\ty\tB\r\n", "A#1{B#2{y@2}} | C#3{x@2}"},
      {"a group without a group one level up goes to the top level", "G#2V\t1\tDeep\r\n0#3#\tx\tDeep\r\n",
       "Deep#1{x@2}"},
      {"an old flat file: one group per run of equal values",
       "0   \tdoctor\tHealth\r\n0   \tnurse\tHealth\r\n0   \tcar\tTransport\r\n0   \tbus\tTransport\r\n",
       "Health#1{doctor@2, nurse@2} | Transport#2{car@2, bus@2}"},
      {"a flat file with item depths keeps its items in their groups", "0#1#\tdoctor\tHealth\r\n0#1#\tnurse\tHealth\r\n",
       "Health#1{doctor@2, nurse@2}"},
      {"a group line whose name is no number", "G##V\tOld\tOld\r\n0###\tword\tOld\r\n", "Old#1{word@2}"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Read(c.text), c.tree);
  }
}

TEST_F(ScenarioHierarchyTest, ItemTextsSurviveEverySave) {
  // A word ending with ')' was taken for an item with a type suffix and
  // lost its last four characters at every save (the flat file of the
  // first case is the one the scenario file fuzz target found).
  struct Case {
    const char* what;
    std::string file;
    std::string written;
  };
  const std::string parens(20, ')');
  const std::vector<Case> cases = {
      {"a word ending with parentheses in a flat file", "0###\tcas\xE3\tLocuri\r\n0###\tmar" + parens + "e" + parens +
                                                            "\tLocuri\r\n",
       "G#0V\t1\tLocuri\r\n0#1#\tcas\xE3\tLocuri\r\n0#1#\tmar" + parens + "e" + parens + "\tLocuri\r\n"},
      {"a word with a parenthesis", "G#0V\t1\tG\r\n0#1#\tGuvern (RO)\tG\r\n",
       "G#0V\t1\tG\r\n0#1#\tGuvern (RO)\tG\r\n"},
      {"a word ending like a suffix stays a word", "G#0V\t1\tG\r\n0#1#\tscrie (V)\tG\r\n",
       "G#0V\t1\tG\r\n0#1#\tscrie (V)\tG\r\n"},
      {"a rejected word", "G#0V\t1\tG\r\n0#1?\tabc)))\tG\r\n", "G#0V\t1\tG\r\n0#1#\tabc)))\tG\r\n"},
      {"typed items keep their type", "G#0V\t1\tG\r\nV#1?\theal\tG\r\n3#1#\tlife\tG\r\nA#1#\tbun(\tG\r\n",
       "G#0V\t1\tG\r\nV#1#\theal\tG\r\n3#1#\tlife\tG\r\nA#1#\tbun(\tG\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Read(c.file);
    EXPECT_EQ(Written(), c.written);
    Read(c.written);
    EXPECT_EQ(Written(), c.written);
  }
}

TEST_F(ScenarioHierarchyTest, WellFormedFileIsWrittenBackUnchanged) {
  const std::string text =
      "G#0V\t12\tHealth\r\n0#1#\tdoctor\tHealth\r\n1#1#\tMedicine\tHealth\r\nG#1H\t13\tHospitals\r\n"
      "S#2#\tclinic\tHospitals\r\nV#2#\theal\tHospitals\r\nG#0V\t14\tTransport\r\n3#1#\tvehicle\tTransport\r\n";
  Read(text);
  EXPECT_EQ(Written(), text);
}

TEST_F(ScenarioHierarchyTest, WritingNumbersNewGroupsAndCapsTheDepth) {
  store_.signatures().counter = 20;
  ScenarioNode* parent = tree_.AddGroup(nullptr, "Top", true, 0);
  tree_.AddItem(parent, "word", ScenarioIcon::kWord);
  // A rejected item keeps its type in its suffix; its mark is not written.
  tree_.AddItem(parent, "go (V)", ScenarioIcon::kRejected);
  for (int depth = 1; depth <= 10; ++depth) {
    parent = tree_.AddGroup(parent, "L" + std::to_string(depth), depth != 3, 0);
  }
  tree_.AddItem(parent, "deep (*)", ScenarioIcon::kClass);
  // Items at the top level are not written.
  tree_.AddItem(nullptr, "loose", ScenarioIcon::kWord);
  EXPECT_EQ(Written(),
            "G#0V\t21\tTop\r\n0#1#\tword\tTop\r\nV#1#\tgo\tTop\r\nG#1V\t22\tL1\r\nG#2V\t23\tL2\r\n"
            "G#3H\t24\tL3\r\nG#4V\t25\tL4\r\nG#5V\t26\tL5\r\nG#6V\t27\tL6\r\nG#7V\t28\tL7\r\nG#8V\t29\tL8\r\n"
            "G#9V\t30\tL9\r\nG#9V\t31\tL10\r\n1#9#\tdeep\tL10\r\n");
  // The groups keep their new signatures: a second save writes the same.
  const std::string again = Written();
  EXPECT_NE(again.find("G#0V\t21\tTop"), std::string::npos);
}

TEST_F(ScenarioHierarchyTest, LongLabelsAreCutInGroupAndItemLines) {
  const std::string label(100, 'g');
  ScenarioNode* group = tree_.AddGroup(nullptr, label, true, 5);
  tree_.AddItem(group, "w", ScenarioIcon::kWord);
  const std::string cut(79, 'g');
  EXPECT_EQ(Written(), "G#0V\t5\t" + cut + "\r\n0#1#\tw\t" + cut + "\r\n");
}

TEST_F(ScenarioHierarchyTest, ForcedRenumberingIsKeptByTheTree) {
  Read("G#0V\t7\tA\r\nG#0V\t9\tB\r\n");
  store_.signatures().counter = 100;
  store_.signatures().forcedRenumbering = true;
  ASSERT_TRUE(WriteScenarioHierarchy(tree_, store_));
  EXPECT_EQ(Show(tree_), "A#101 | B#102");
  store_.signatures().forcedRenumbering = false;
  EXPECT_EQ(Written(), "G#0V\t101\tA\r\nG#0V\t102\tB\r\n");
}

TEST_F(ScenarioHierarchyTest, WritingStopsWhenNoSignatureIsLeft) {
  store_.signatures().counter = kScenarioMaxSignature;
  ScenarioNode* kept = tree_.AddGroup(nullptr, "Kept", true, 4);
  tree_.AddItem(kept, "w", ScenarioIcon::kWord);
  tree_.AddGroup(nullptr, "New", true, 0);
  tree_.AddGroup(nullptr, "Never", true, 6);
  EXPECT_FALSE(WriteScenarioHierarchy(tree_, store_));
  EXPECT_EQ(store_.count(), 2u);
  ASSERT_EQ(box_.asked().size(), 1u);
  EXPECT_EQ(box_.asked()[0].text.rfind("Max. Signature reached.", 0), 0u);
}

TEST(ScenarioItemTextTest, SuffixGivesTheEntryType) {
  struct Case {
    const char* display;
    const char* text;
    char type;
  };
  const Case cases[] = {
      {"doctor", "doctor", '0'},       {"Medicine (*)", "Medicine", '1'}, {"care (3)", "care", '1'},
      {"field (2)", "field", '2'},     {"domain (1)", "domain", '3'},     {"sick (A)", "sick", 'A'},
      {"clinic (S)", "clinic", 'S'},   {"heal (V)", "heal", 'V'},         {"odd (x)", "odd", '0'},
      {"(S)", "(S)", '0'},             {"a(b)", "a(b)", '0'},             {"abcd)", "a", '0'},
  };
  for (const Case& c : cases) {
    std::string text;
    char type = 0;
    SplitScenarioItemText(c.display, text, type);
    EXPECT_EQ(text, c.text) << c.display;
    EXPECT_EQ(type, c.type) << c.display;
  }
  for (const char type : {'0', '1', '2', '3', 'A', 'S', 'V'}) {
    std::string text;
    char back = 0;
    SplitScenarioItemText(ScenarioItemDisplayText("item", type), text, back);
    EXPECT_EQ(text, "item");
    EXPECT_EQ(back, type);
  }
}

TEST(ScenarioTreeTest, MoveRefusesToPutANodeUnderItself) {
  ScenarioTree tree;
  ScenarioNode* a = tree.AddGroup(nullptr, "A", true, 1);
  ScenarioNode* b = tree.AddGroup(a, "B", true, 2);
  ScenarioNode* c = tree.AddGroup(nullptr, "C", true, 3);
  EXPECT_FALSE(tree.Move(a, b));
  EXPECT_TRUE(tree.Move(b, c));
  EXPECT_EQ(Show(tree), "A#1 | C#3{B#2}");
  EXPECT_EQ(b->Level(), 1);
  tree.Remove(c);
  EXPECT_EQ(Show(tree), "A#1");
  EXPECT_EQ(tree.NodeCount(), 1u);
}

}  // namespace
}  // namespace malvex
