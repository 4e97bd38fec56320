#include "scenarios/scenario_editor.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "foundations/language_tables.h"
#include "foundations/messages.h"
#include "platform/scripted_box.h"
#include "scenarios/current_scenario.h"
#include "scenarios/scenario_hierarchy.h"
#include "scenarios/scenario_store.h"
#include "settings/folders.h"
#include "settings/settings_record.h"
#include "test_support.h"

namespace malvex {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

// A host that answers the file dialogs from fields and counts the calls.
class FakeHost : public ScenarioEditorHost {
 public:
  bool ChooseFileToOpen(const std::string&, std::string& path) override {
    path = openPath;
    return !openPath.empty();
  }
  bool ChooseFileToSave(std::string& path) override {
    path = savePath;
    return !savePath.empty();
  }
  void ImportOwl(const std::string& path) override { owl = path; }
  void ScenarioChanged() override { ++changed; }
  void ShowGroupInResults(const std::string& label) override { shownGroup = label; }
  void ShowFolders(const std::string&, const std::string& other) override { shownFolder = other; }

  std::string openPath;
  std::string savePath;
  std::string owl;
  std::string shownFolder;
  std::string shownGroup;
  int changed = 0;
};

class ScenarioEditorTest : public ::testing::Test {
 protected:
  ScenarioEditorTest()
      : messages_(box_),
        store_(messages_),
        current_(store_, nullptr, record_, folders_),
        editor_(store_, current_, nullptr, record_, folders_, messages_, &host_) {
    std::filesystem::create_directories(dir_.path() / "Scenario");
    folders_.scenario = (dir_.path() / "Scenario").string();
    record_.setConfirmDeletions(false);
    record_.setScenarioWordsInCapitals(false);
    record_.setUnaccentedScenarioForms(false);
    box_.SetDefaultAnswer(kButton1);
  }

  std::string ScenarioPath(const std::string& name) const { return folders_.scenario + "/" + name; }

  // Writes `text` as the current scenario "work.scn", loads it and shows it.
  void Load(const std::string& text, const std::string& name = "work.scn") {
    ASSERT_TRUE(WriteFile(ScenarioPath(name), text));
    record_.setScenarioFile(name);
    ASSERT_TRUE(current_.LoadCurrentScenario());
    editor_.RebuildTree();
  }

  // The tree, one node a line, two blanks of indentation per level.
  std::string Dump() const {
    std::string out;
    for (const ScenarioNode* n : editor_.DisplayOrder()) {
      out += std::string(2 * n->Level(), ' ') + n->text + (n->IsGroup() ? "/" : "") + "\n";
    }
    return out;
  }
  ScenarioNode* Find(const std::string& text) const {
    for (ScenarioNode* n : editor_.DisplayOrder()) {
      if (n->text == text) return n;
    }
    return nullptr;
  }
  // A chain of groups g0..g{depth} nested one in the other.
  ScenarioNode* Chain(int depth) {
    ScenarioNode* parent = nullptr;
    for (int i = 0; i <= depth; ++i) {
      parent = editor_.mutableTree().AddGroup(parent, "g" + std::to_string(i), true, 0);
    }
    return parent;
  }
  int CountAsked(int id) {
    int n = 0;
    for (const auto& a : box_.asked()) {
      if (a.text.find(messages_.message(id)) != std::string::npos) ++n;
    }
    return n;
  }

  TempDir dir_;
  ScriptedBox box_;
  Messages messages_;
  SettingsRecord record_;
  Folders folders_;
  ScenarioStore store_;
  CurrentScenario current_;
  FakeHost host_;
  ScenarioEditor editor_;
};

constexpr char kThreeGroups[] =
    "G#0V\t1\tAnimale\r\n"
    "0#1#\tcaine\tAnimale\r\n"
    "0#1#\tcal\tAnimale\r\n"
    "G#1V\t2\tPasari\r\n"
    "0#2#\tcioara\tPasari\r\n"
    "G#0V\t3\tCase\r\n"
    "0#1#\tcasa\tCase\r\n";

// ---- Text helpers -----------------------------------------------------------

struct CleanCase {
  const char* in;
  bool forItem;
  const char* out;
  bool changed;
};

TEST(ScenarioTextCleaning, Table) {
  const CleanCase cases[] = {
      {"a  b", true, "a_b", true},  // a blank written as '_' stops the next one
      {"a  b", false, "a b", true},
      {"a b", true, "a_b", true},
      {"a b", false, "a b", false},
      {"  lead", true, "lead", true},
      {"a__b", true, "a_b", true},
      {"a _b", true, "a_b", true},
      {"ce?", true, "ce", true},
      {"ce?", false, "ce?", false},
      {"(x).y", true, "xy", true},
      {"tail  ", false, "tail", true},
      {"tail_", true, "tail", false},  // the trailing step does not count
      {"a\x01" "b", false, "ab", true},
      {"x", true, "x", false},
  };
  for (const CleanCase& c : cases) {
    bool changed = false;
    EXPECT_EQ(CleanScenarioText(c.in, c.forItem, changed), c.out) << c.in << " item=" << c.forItem;
    EXPECT_EQ(changed, c.changed) << c.in << " item=" << c.forItem;
  }
  bool changed = false;
  EXPECT_EQ(CleanScenarioText(std::string(100, 'x'), true, changed).size(), 79u);
  EXPECT_FALSE(changed);
}

TEST(ScenarioTextCleaning, UnaccentedForm) {
  const struct {
    std::string in, out;
    bool changed;
  } cases[] = {
      {"\xE3rbore", "arbore", true},            // ă
      {"\xEEnc\xE2t", "incat", true},           // î â
      {"stra\xDF" "e", "strasse", true},        // ß
      {"\xBA" "coal\xE3", "\xBA" "coala", true},  // ş stays
      {"\xC3" "B", "\xC3" "B", false},          // capitals stay
      {"plain", "plain", false},
  };
  for (const auto& c : cases) {
    bool changed = false;
    EXPECT_EQ(UnaccentedScenarioForm(c.in, changed), c.out);
    EXPECT_EQ(changed, c.changed) << c.in;
  }
  bool changed = false;
  EXPECT_EQ(UnaccentedScenarioForm(std::string(100, '\xE0'), changed).size(), 78u);
}

TEST(ScenarioTextCleaning, GroupNamePreparation) {
  EXPECT_EQ(PrepareScenarioGroupName("_porte_monnaie", false), "_porte monnaie");
  EXPECT_EQ(PrepareScenarioGroupName("porte_monnaie", true), "Porte monnaie");
  EXPECT_EQ(PrepareScenarioGroupName("", true), "");
}

TEST(ScenarioTextCleaning, ComparisonFoldsThenComparesBytes) {
  EXPECT_EQ(CompareScenarioText("Casa", "casa"), 0);
  EXPECT_LT(CompareScenarioText("cas", "casa"), 0);
  EXPECT_GT(CompareScenarioText("casb", "casa"), 0);
  EXPECT_EQ(CompareScenarioText("\xC3rbore", "\xE3rbore"), 0);  // Ă folds to ă
}

// ---- Rebuild, cut and paste -------------------------------------------------

TEST_F(ScenarioEditorTest, RebuildShowsTheStoreSorted) {
  Load(kThreeGroups);
  EXPECT_EQ(Dump(),
            "Animale/\n  caine\n  cal\n  Pasari/\n    cioara\nCase/\n  casa\n");
  EXPECT_FALSE(editor_.modified());
}

// The cut node is forgotten whenever it leaves the tree, so Paste can never
// move a freed node.
TEST_F(ScenarioEditorTest, CutNodeIsForgottenWhenTheTreeChangesUnderIt) {
  Load(kThreeGroups);
  const std::vector<std::string> ways = {"cancel", "rebuild", "delete", "delete parent", "open"};
  for (const std::string& way : ways) {
    editor_.RebuildTree();
    editor_.Select(Find("caine"));
    ASSERT_TRUE(editor_.Cut()) << way;
    editor_.mutableTree().modified = true;
    if (way == "cancel") {
      box_.QueueAnswer(kButton1);
      ASSERT_TRUE(editor_.CancelAllChanges());
    } else if (way == "rebuild") {
      editor_.RebuildTree();
    } else if (way == "delete") {
      ASSERT_TRUE(editor_.DeleteSelected());
    } else if (way == "delete parent") {
      editor_.Select(Find("Animale"));
      ASSERT_TRUE(editor_.DeleteSelected());
    } else {
      host_.openPath = ScenarioPath("work.scn");
      editor_.mutableTree().modified = false;
      ASSERT_TRUE(editor_.Open());
    }
    EXPECT_EQ(editor_.cutNode(), nullptr) << way;
    EXPECT_FALSE(editor_.pasteEnabled()) << way;
    editor_.Select(Find("Case"));
    EXPECT_FALSE(editor_.Paste()) << way;
  }
}

TEST_F(ScenarioEditorTest, PastingTheLastItemOutOfATopGroupDeletesIt) {
  Load("G#0V\t1\tA\r\n0#1#\tx\tA\r\nG#0V\t2\tB\r\nG#1V\t3\tSub\r\n0#2#\ty\tSub\r\n");
  editor_.Select(Find("x"));
  editor_.Cut();
  editor_.Select(Find("B"));
  ASSERT_TRUE(editor_.Paste());
  EXPECT_EQ(Dump(), "B/\n  Sub/\n    y\n  x\n");
  // Out of a sub-group, the emptied sub-group stays.
  editor_.Select(Find("y"));
  editor_.Cut();
  editor_.Select(Find("B"));
  ASSERT_TRUE(editor_.Paste());
  EXPECT_EQ(Dump(), "B/\n  Sub/\n  x\n  y\n");
  EXPECT_TRUE(editor_.modified());
  EXPECT_FALSE(editor_.pasteEnabled());
}

TEST_F(ScenarioEditorTest, PasteOntoAnItemMakesItAGroup) {
  Load("G#0V\t1\tA\r\n0#1#\tx\tA\r\n0#1#\ty\tA\r\n");
  editor_.Select(Find("y"));
  editor_.Cut();
  editor_.Select(Find("x"));
  ASSERT_TRUE(editor_.Paste());
  EXPECT_EQ(Dump(), "A/\n  x/\n    x\n    y\n");
  // The file keeps that shape.
  const std::string before = Dump();
  ASSERT_TRUE(current_.SaveScenarioFile(editor_.mutableTree()));
  ASSERT_TRUE(current_.LoadCurrentScenario());
  editor_.RebuildTree();
  EXPECT_EQ(Dump(), before);
}

TEST_F(ScenarioEditorTest, PasteAndMovesRefuseToNestDeeperThanNine) {
  ScenarioNode* deepest = Chain(8);  // g8 at level 8
  ScenarioNode* top = editor_.mutableTree().AddGroup(nullptr, "top", true, 0);
  ScenarioNode* inner = editor_.mutableTree().AddGroup(top, "inner", true, 0);
  editor_.mutableTree().AddItem(inner, "leaf", ScenarioIcon::kWord);
  // "top" holds two levels below it: under g8 its leaf would be at level 11.
  editor_.Select(top);
  editor_.Cut();
  editor_.Select(deepest);
  EXPECT_FALSE(editor_.Paste());
  EXPECT_EQ(CountAsked(kScenarioTooDeepMessage), 1);
  EXPECT_EQ(top->parent, nullptr);
  // An item alone fits at level 9.
  ScenarioNode* item = editor_.mutableTree().AddItem(inner, "free", ScenarioIcon::kWord);
  EXPECT_TRUE(editor_.MoveNode(item, deepest));
  EXPECT_EQ(item->Level(), 9);
  // Nothing may go below a node of level 9, not even by promoting it.
  ScenarioNode* other = editor_.mutableTree().AddItem(inner, "other", ScenarioIcon::kWord);
  EXPECT_FALSE(editor_.MoveNode(other, item));
  EXPECT_EQ(editor_.PromoteToGroup(item), nullptr);
  EXPECT_FALSE(item->IsGroup());
}

TEST_F(ScenarioEditorTest, ATreeAtTheDepthLimitReloadsWithTheSameShape) {
  ScenarioNode* deepest = Chain(8);
  editor_.mutableTree().AddItem(deepest, "leaf", ScenarioIcon::kWord);
  record_.setScenarioFile("deep.scn");
  const std::string before = Dump();
  ASSERT_TRUE(current_.SaveScenarioFile(editor_.mutableTree()));
  ASSERT_TRUE(current_.LoadCurrentScenario());
  editor_.RebuildTree();
  EXPECT_EQ(Dump(), before);
}

// ---- Editing commands -------------------------------------------------------

TEST_F(ScenarioEditorTest, RenameCleansTheLabel) {
  Load(kThreeGroups);
  const std::string placeholder = messages_.message(522) + " ???";
  const struct {
    const char* label;
    std::string shown;
  } cases[] = {{"   ", placeholder}, {"", placeholder}, {"\x01" "a", placeholder}, {"Noi  case", "Noi case"},
               {"Ce?", "Ce?"}};
  ScenarioNode* group = Find("Case");
  ASSERT_NE(group, nullptr);
  for (const auto& c : cases) {
    ASSERT_TRUE(editor_.Rename(group, c.label));
    EXPECT_EQ(group->text, c.shown) << c.label;
  }
  // Items inside a group cannot be renamed.
  EXPECT_FALSE(editor_.Rename(Find("casa"), "x"));
}

TEST_F(ScenarioEditorTest, CapitaliseAndVisible) {
  Load("G#0V\t1\tvin-rosu \xBA" "i alb\r\n0#1#\tx\tv\r\n");
  ScenarioNode* g = editor_.DisplayOrder()[0];
  EXPECT_TRUE(editor_.Capitalise(g));
  EXPECT_EQ(g->text, "Vin-Rosu \xAAi Alb");
  EXPECT_FALSE(editor_.Capitalise(g));
  EXPECT_TRUE(editor_.SetVisible(g, false));
  EXPECT_EQ(g->icon, ScenarioIcon::kHiddenGroup);
  EXPECT_FALSE(editor_.Capitalise(g));  // hidden groups are left alone
  EXPECT_FALSE(editor_.SetVisible(Find("x"), true));
}

TEST_F(ScenarioEditorTest, DeleteAsksWhenTheSettingSaysSo) {
  Load(kThreeGroups);
  record_.setConfirmDeletions(true);
  editor_.Select(Find("cal"));
  box_.QueueAnswer(kButton3);  // No
  EXPECT_FALSE(editor_.DeleteSelected());
  ASSERT_NE(Find("cal"), nullptr);
  EXPECT_NE(box_.asked().back().text.find("\"cal\""), std::string::npos);
  box_.QueueAnswer(kButton1);
  box_.SetCheckBoxState(true);
  EXPECT_TRUE(editor_.DeleteSelected());
  EXPECT_EQ(Find("cal"), nullptr);
  EXPECT_EQ(editor_.selected(), nullptr);
  EXPECT_FALSE(record_.confirmDeletions());
}

TEST_F(ScenarioEditorTest, DissociatingATopGroupDispersesItsItems) {
  Load("G#0V\t1\tMix\r\n0#1#\tmar\tMix\r\n0#1#\tpara\tMix\r\n0#1#\tprun\tMix\r\n"
       "G#0V\t2\tPara\r\n0#1#\tpere\tPara\r\n");
  editor_.Select(Find("Mix"));
  ASSERT_TRUE(editor_.Dissociate());
  EXPECT_EQ(Dump(), "mar/\n  mar\nMix/\nPara/\n  para\n  pere\nprun/\n  prun\n");
}

TEST_F(ScenarioEditorTest, DissociatingASubGroupMovesItToTheTop) {
  Load(kThreeGroups);
  editor_.Select(Find("Pasari"));
  ASSERT_TRUE(editor_.Dissociate());
  EXPECT_EQ(Find("Pasari")->parent, nullptr);
}

TEST_F(ScenarioEditorTest, NewGroupBesideTheSelection) {
  Load(kThreeGroups);
  editor_.Select(Find("cal"));
  ScenarioNode* g = editor_.NewGroupBesideSelection();
  ASSERT_NE(g, nullptr);
  EXPECT_EQ(Dump(), "Animale/\n  caine\n  ???/\n  cal\n  Pasari/\n    cioara\nCase/\n  casa\n");
}

// ---- Search -----------------------------------------------------------------

TEST_F(ScenarioEditorTest, RepeatedSearchWalksThenWraps) {
  Load(kThreeGroups);
  EXPECT_EQ(editor_.SearchInScenario("CAS"), Find("Case"));
  EXPECT_EQ(editor_.SearchInScenario("cas"), Find("casa"));
  EXPECT_EQ(editor_.SearchInScenario("cas"), Find("Case"));
  editor_.ResetSearchPosition();
  EXPECT_EQ(editor_.SearchInScenario("cio"), Find("cioara"));
}

TEST_F(ScenarioEditorTest, SearchRelaxesLongTexts) {
  // A text of 7 or more loses one character without a search, then one and
  // two more; one of 4 to 6 loses one then two, down to 3; 3 or fewer none.
  Load("G#0V\t1\tG\r\n0#1#\tabcdefgh\tG\r\n0#1#\tabz\tG\r\n");
  size_t position = 0;
  std::string t = "abcdefXX";
  EXPECT_EQ(editor_.SearchByPrefix(t, position, true), Find("abcdefgh"));
  position = 0;
  EXPECT_EQ(editor_.SearchByPrefix("abcdexxx", position, true), Find("abcdefgh"));  // 8 -> 7 -> 6 -> 5
  position = 0;
  EXPECT_EQ(editor_.SearchByPrefix("abcxxxx", position, true), nullptr);  // 7 -> 6 -> 5 -> 4
  position = 0;
  EXPECT_EQ(editor_.SearchByPrefix("abcdx", position, true), Find("abcdefgh"));  // 5 -> 4
  position = 0;
  EXPECT_EQ(editor_.SearchByPrefix("abcx", position, true), Find("abcdefgh"));  // 4 -> 3
  position = 0;
  EXPECT_EQ(editor_.SearchByPrefix("abx", position, true), nullptr);
  position = 0;
  EXPECT_EQ(editor_.SearchByPrefix("abcx", position, false), nullptr);
}

TEST_F(ScenarioEditorTest, SelectByLabelIgnoresCase) {
  Load("G#0H\t1\tcasa\r\n0#1#\tcasa\tcasa\r\nG#0V\t2\tCasa\r\n");
  EXPECT_EQ(editor_.SelectByLabel("CASA", false), editor_.DisplayOrder()[0]);
  ScenarioNode* visible = editor_.SelectByLabel("CASA", true);
  ASSERT_NE(visible, nullptr);
  EXPECT_TRUE(visible->IsVisibleGroup());
  EXPECT_EQ(editor_.selected(), visible);
}

// ---- Insertion --------------------------------------------------------------

TEST_F(ScenarioEditorTest, EnsureGroupFindsOrPlacesInOrder) {
  Load(kThreeGroups);
  editor_.SetPending("casa", 0, '?');
  ASSERT_TRUE(editor_.EnsureGroup(0, false));
  EXPECT_EQ(editor_.selected()->text, "casa");
  EXPECT_TRUE(editor_.selected()->IsGroup());
  EXPECT_EQ(Dump(), "Animale/\n  caine\n  cal\n  Pasari/\n    cioara\ncasa/\nCase/\n  casa\n");
  // An existing name, whatever its case, is found and not changed.
  editor_.SetPending("ANIMALE", 0, '?');
  ASSERT_TRUE(editor_.EnsureGroup(0, false));
  EXPECT_EQ(editor_.selected()->text, "Animale");
  // A name after every group goes at the end.
  editor_.SetPending("zebra", 0, '?');
  ASSERT_TRUE(editor_.EnsureGroup(0, false));
  EXPECT_EQ(editor_.DisplayOrder().back()->text, "zebra");
  editor_.SetPending("", 0, '?');
  EXPECT_FALSE(editor_.EnsureGroup(0, false));
}

// A long name is cut where the file cuts it, so two names that share their
// first 79 characters are the same group in the tree as after a reload.
TEST_F(ScenarioEditorTest, GroupNamesAreCutWhereTheFileCutsThem) {
  const std::string stem(79, 'n');
  editor_.SetPending(stem + "first", 0, '?');
  ASSERT_TRUE(editor_.EnsureGroup(0, false));
  editor_.SetPending(stem + "second", 0, '?');
  ASSERT_TRUE(editor_.EnsureGroup(0, false));
  ASSERT_EQ(editor_.tree().roots().size(), 1u);
  EXPECT_EQ(editor_.tree().roots()[0]->text, stem);
  editor_.SetPending("x", 0, '?');
  ASSERT_TRUE(editor_.AppendItem(false));
  record_.setScenarioFile("long.scn");
  const std::string before = Dump();
  ASSERT_TRUE(current_.SaveScenarioFile(editor_.mutableTree()));
  ASSERT_TRUE(current_.LoadCurrentScenario());
  editor_.RebuildTree();
  EXPECT_EQ(Dump(), before);
}

TEST_F(ScenarioEditorTest, AppendItemChecksItemsOnlyForDuplicates) {
  Load("G#0V\t1\tCasa\r\n");
  editor_.Select(editor_.DisplayOrder()[0]);
  editor_.SetPending("casa", 0, '?');
  ASSERT_TRUE(editor_.AppendItem(true));
  EXPECT_EQ(Dump(), "Casa/\n  casa\n");
  // The same item again is found, not added.
  editor_.Select(editor_.DisplayOrder()[0]);
  editor_.SetPending("CASA", 0, '?');
  EXPECT_FALSE(editor_.AppendItem(true));
  EXPECT_EQ(editor_.selected(), Find("casa"));
  EXPECT_EQ(Dump(), "Casa/\n  casa\n");
}

TEST_F(ScenarioEditorTest, AppendItemShowsTheTypeAndResetsTheLetter) {
  editor_.SetPending("G", 0, '?');
  ASSERT_TRUE(editor_.EnsureGroup(0, false));
  ScenarioNode* g = editor_.selected();
  const struct {
    int level;
    char letter;
    const char* shown;
    ScenarioIcon icon;
  } cases[] = {{1, '?', "c1 (*)", ScenarioIcon::kClass},  {2, '?', "c2 (2)", ScenarioIcon::kClass},
               {3, '?', "c3 (1)", ScenarioIcon::kClass},  {0, 'V', "v (V)", ScenarioIcon::kVerb},
               {0, 'A', "a (A)", ScenarioIcon::kAdjective}, {0, 'S', "s (S)", ScenarioIcon::kSubstantive},
               {0, '?', "w", ScenarioIcon::kWord}};
  for (const auto& c : cases) {
    editor_.Select(g);
    std::string text(c.shown);
    text = text.substr(0, text.find(' '));
    editor_.SetPending(text, c.level, c.letter);
    ASSERT_TRUE(editor_.AppendItem(true)) << c.shown;
    ASSERT_NE(Find(c.shown), nullptr) << c.shown;
    EXPECT_EQ(Find(c.shown)->icon, c.icon) << c.shown;
    EXPECT_EQ(editor_.pendingLetter(), '?');
  }
  // Item cleaning of the pending text.
  editor_.Select(g);
  editor_.SetPending("porte  monnaie!", 0, '?');
  ASSERT_TRUE(editor_.AppendItem(true));
  EXPECT_NE(Find("porte_monnaie"), nullptr);
}

TEST_F(ScenarioEditorTest, AddTwiceDuplicatesButDropTwiceDoesNot) {
  ASSERT_TRUE(editor_.AddAsNewGroup("mar", '?'));
  ASSERT_TRUE(editor_.AddAsNewGroup("mar", '?'));
  EXPECT_EQ(Dump(), "mar/\n  mar\n  mar\n");
  editor_.SetPending("rosu", 1, '?');
  ASSERT_TRUE(editor_.AddWithGroup());
  editor_.SetPending("rosu", 1, '?');
  EXPECT_FALSE(editor_.AddWithGroup());
  EXPECT_EQ(editor_.selected(), Find("rosu (*)"));
  EXPECT_EQ(Dump(), "mar/\n  mar\n  mar\nrosu/\n  rosu (*)\n");
}

TEST_F(ScenarioEditorTest, DropOnAnItemMakesASubGroup) {
  Load("G#0V\t1\tFructe\r\n0#1#\tmar\tFructe\r\n");
  editor_.Select(Find("mar"));
  editor_.SetPending("mar_rosu", 0, '?');
  ASSERT_TRUE(editor_.InsertIntoSelection());
  EXPECT_EQ(Dump(), "Fructe/\n  mar/\n    mar\n    mar_rosu\n");
}

TEST_F(ScenarioEditorTest, DropsFromOutside) {
  Load("G#0V\t1\tFructe\r\n0#1#\tmar\tFructe\r\n");
  // The same class dropped twice on no target: the second selects it.
  editor_.SetPending("vehicul", 1, '?');
  ASSERT_TRUE(editor_.DropFromOutside(nullptr, false, false));
  editor_.SetPending("vehicul", 1, '?');
  EXPECT_FALSE(editor_.DropFromOutside(nullptr, false, false));
  EXPECT_EQ(editor_.selected(), Find("vehicul (*)"));
  // An item that is in another group, dropped on no target: selected, and
  // no empty group is left for it.
  editor_.SetPending("mar", 0, '?');
  EXPECT_FALSE(editor_.DropFromOutside(nullptr, false, false));
  EXPECT_EQ(editor_.selected(), Find("mar"));
  EXPECT_EQ(Dump(), "Fructe/\n  mar\nvehicul/\n  vehicul (*)\n");
  // The same on a group that holds it: nothing added, the item selected.
  editor_.SetPending("vehicul", 1, '?');
  EXPECT_FALSE(editor_.DropFromOutside(Find("vehicul"), false, false));
  EXPECT_EQ(editor_.selected(), Find("vehicul (*)"));
  // A result dropped on an item makes a sub-group holding both.
  editor_.SetPending("para", 0, 'S');
  ASSERT_TRUE(editor_.DropFromOutside(Find("mar"), false, true));
  EXPECT_EQ(Dump(), "Fructe/\n  mar/\n    mar\n    para (S)\nvehicul/\n  vehicul (*)\n");
  // Plain words get their unaccented form too; substantive drops do not.
  record_.setUnaccentedScenarioForms(true);
  editor_.SetPending("c\xE2ine", 0, '?');
  ASSERT_TRUE(editor_.DropFromOutside(Find("Fructe"), false, false));
  EXPECT_NE(Find("caine"), nullptr);
  editor_.SetPending("p\xE2ine", 0, '?');
  ASSERT_TRUE(editor_.DropFromOutside(Find("Fructe"), false, true));
  EXPECT_EQ(Find("paine"), nullptr);
  // Ctrl held: always Add, into the item's own group.
  editor_.SetPending("prun", 0, '?');
  ASSERT_TRUE(editor_.DropFromOutside(Find("Fructe"), true, false));
  ScenarioNode* added = Find("prun");
  ASSERT_NE(added, nullptr);
  EXPECT_TRUE(added->IsGroup());
  EXPECT_EQ(added->parent, nullptr);
  ASSERT_EQ(added->children.size(), 1u);
  EXPECT_EQ(added->children[0]->text, "prun");
}

TEST_F(ScenarioEditorTest, InsertWithSubclassify) {
  Load("G#0V\t1\tFructe\r\n0#1#\tmar\tFructe\r\n");
  editor_.Select(Find("mar"));  // an item: its group is the target
  ASSERT_TRUE(editor_.InsertInGroup("para-verde", '?', true));
  EXPECT_EQ(Dump(), "Fructe/\n  mar\n  para-verde/\n    para_verde\n");
  // A verb keeps its hyphen.
  editor_.Select(Find("Fructe"));
  ASSERT_TRUE(editor_.InsertInGroup("a-si", 'V', false));
  EXPECT_NE(Find("a-si (V)"), nullptr);
}

TEST_F(ScenarioEditorTest, InsertWithSubclassifyAtTheDepthLimitAddsDirectly) {
  ScenarioNode* deep = Chain(8);
  editor_.Select(deep);
  ASSERT_TRUE(editor_.InsertInGroup("frunza", '?', true));
  ASSERT_EQ(deep->children.size(), 1u);
  EXPECT_FALSE(deep->children[0]->IsGroup());
  EXPECT_EQ(deep->children[0]->Level(), 9);
  // A group at level 9 takes nothing more.
  ScenarioNode* nine = editor_.mutableTree().AddGroup(deep, "g9", true, 0);
  editor_.Select(nine);
  EXPECT_FALSE(editor_.InsertInGroup("x", '?', true));
  EXPECT_TRUE(nine->children.empty());
}

TEST_F(ScenarioEditorTest, UnaccentedFormsAreAddedWhenTheSettingIsOn) {
  record_.setUnaccentedScenarioForms(true);
  ASSERT_TRUE(editor_.AddAsNewGroup("p\xE2ine", '?'));
  EXPECT_EQ(Dump(), "p\xE2ine/\n  paine\n  p\xE2ine\n");
  ASSERT_TRUE(editor_.AddAsNewGroup("merge", 'V'));  // verbs keep one form
  EXPECT_NE(Find("merge (V)"), nullptr);
  record_.setUnaccentedScenarioForms(false);
  ASSERT_TRUE(editor_.AddAsNewGroup("\xEEn", '?'));
  EXPECT_EQ(Find("in"), nullptr);
}

TEST_F(ScenarioEditorTest, SearchBoxAddTakesTheLemma) {
  const LanguageTables tables = DefaultLanguageTables();
  auto lemmaOf = [](const std::string& form, std::string& lemma) {
    if (form == "merge") {
      lemma = "merge";
      return 'V';
    }
    if (form == "frumoasa") {
      lemma = "frumos";
      return 'A';
    }
    return '?';
  };
  ASSERT_TRUE(editor_.AddFromSearchBox(tables, "  Frumoasa \t", false, lemmaOf));
  EXPECT_NE(Find("frumos (A)"), nullptr);
  ASSERT_TRUE(editor_.AddFromSearchBox(tables, "Porte Monnaie!", false, lemmaOf));
  EXPECT_NE(Find("porte_monnaie"), nullptr);
  EXPECT_FALSE(editor_.AddFromSearchBox(tables, " !! ", false, lemmaOf));
}

TEST_F(ScenarioEditorTest, CreateGroupMakesThePlaceholderGroup) {
  record_.setScenarioWordsInCapitals(true);
  ScenarioNode* g = editor_.CreateGroup();
  ASSERT_NE(g, nullptr);
  std::string expected = messages_.message(522) + " ???";
  expected[0] = static_cast<char>(expected[0] - 32);
  EXPECT_EQ(g->text, expected);
  EXPECT_EQ(editor_.CreateGroup(), g);
}

// ---- Print pagination -------------------------------------------------------

TEST(ScenarioPrint, PageBreakComesWhenTheCounterReachesTheLinesPerPage) {
  ScenarioTree tree;
  ScenarioNode* g = tree.AddGroup(nullptr, "g", true, 0);
  for (int i = 0; i < 12; ++i) tree.AddItem(g, "i" + std::to_string(i), ScenarioIcon::kWord);
  const std::vector<ScenarioPrintPage> pages = PaginateScenarioTree(tree, 8);
  // Page 1: rows 4..7 (4 nodes); later pages rows 3..7 (5 nodes).
  ASSERT_EQ(pages.size(), 3u);
  EXPECT_EQ(pages[0].lines.size(), 4u);
  EXPECT_EQ(pages[0].lines.front().row, 4);
  EXPECT_EQ(pages[0].lines.back().row, 7);
  EXPECT_EQ(pages[1].lines.size(), 5u);
  EXPECT_EQ(pages[1].lines.front().row, 3);
  EXPECT_EQ(pages[1].lines.back().row, 7);
  EXPECT_EQ(pages[2].lines.size(), 4u);
  for (const auto& page : pages) {
    for (const auto& line : page.lines) EXPECT_LT(line.row, 8);
  }
  EXPECT_EQ(pages[0].lines[0].depth, 0);
  EXPECT_EQ(pages[0].lines[1].depth, 1);
  EXPECT_EQ(PaginateScenarioTree(ScenarioTree(), 8).size(), 1u);
}

// ---- Files ------------------------------------------------------------------

TEST_F(ScenarioEditorTest, SavingADefaultScenarioAsksFirst) {
  const std::string original = std::string(kThreeGroups);
  Load(original, "Concepts Romanian V8.scn");
  record_.setScenarioFile("concepts romanian v8.SCN");
  editor_.Select(Find("cal"));
  ASSERT_TRUE(editor_.DeleteSelected());
  box_.QueueAnswer(kButton3);  // No
  EXPECT_FALSE(editor_.Save());
  EXPECT_EQ(CountAsked(1140), 1);
  EXPECT_EQ(ReadFile(ScenarioPath("Concepts Romanian V8.scn")), original);
  EXPECT_TRUE(editor_.modified());
}

TEST_F(ScenarioEditorTest, SaveWritesAndTellsTheMainWindow) {
  Load(kThreeGroups);
  editor_.Select(Find("cal"));
  ASSERT_TRUE(editor_.DeleteSelected());
  const int before = host_.changed;
  editor_.Select(Find("casa"));
  ASSERT_TRUE(editor_.Save());
  EXPECT_EQ(host_.shownGroup, "Case");
  EXPECT_FALSE(editor_.modified());
  EXPECT_EQ(host_.changed, before + 1);
  EXPECT_EQ(ReadFile(ScenarioPath("work.scn")).find("\tcal\t"), std::string::npos);
  EXPECT_TRUE(box_.asked().empty());
}

TEST_F(ScenarioEditorTest, OpenOutsideTheScenarioFolderLoadsNothing) {
  Load(kThreeGroups);
  std::filesystem::create_directories(dir_.path() / "elsewhere");
  const std::string outside = (dir_.path() / "elsewhere" / "other.scn").string();
  ASSERT_TRUE(WriteFile(outside, "G#0V\t1\tAltceva\r\n"));
  host_.openPath = outside;
  EXPECT_FALSE(editor_.Open());
  EXPECT_EQ(CountAsked(1221), 1);
  EXPECT_EQ(record_.scenarioFile(), "work.scn");
  EXPECT_EQ(host_.shownFolder, (dir_.path() / "elsewhere").string());
  EXPECT_NE(Find("Animale"), nullptr);
  // An OWL file goes to the import, whatever the case of its extension.
  host_.openPath = (dir_.path() / "elsewhere" / "x.OWL").string();
  EXPECT_TRUE(editor_.Open());
  EXPECT_EQ(host_.owl, host_.openPath);
}

TEST_F(ScenarioEditorTest, OpenAsksToSaveTheWorkFirst) {
  Load(kThreeGroups);
  ASSERT_TRUE(WriteFile(ScenarioPath("other.scn"), "G#0V\t1\tAltceva\r\n"));
  editor_.Select(Find("cal"));
  ASSERT_TRUE(editor_.DeleteSelected());
  host_.openPath = ScenarioPath("other.scn");
  box_.QueueAnswer(kButton1);  // save first
  ASSERT_TRUE(editor_.Open());
  EXPECT_EQ(record_.scenarioFile(), "other.scn");
  EXPECT_EQ(Dump(), "Altceva/\n");
  EXPECT_EQ(ReadFile(ScenarioPath("work.scn")).find("\tcal\t"), std::string::npos);
}

// Save as to a folder other than the scenario folder saves into the scenario
// folder under the user's name, and asks before replacing a file there.
TEST_F(ScenarioEditorTest, SaveAsOutsideTheFolderAsksBeforeReplacing) {
  Load(kThreeGroups);
  const std::string kept = "G#0V\t1\tPastreaza\r\n";
  ASSERT_TRUE(WriteFile(ScenarioPath("mine.scn"), kept));
  std::filesystem::create_directories(dir_.path() / "elsewhere");
  host_.savePath = (dir_.path() / "elsewhere" / "mine").string();
  box_.QueueAnswer(kButton1);  // the 1221 box
  box_.QueueAnswer(kButton3);  // No: do not replace
  EXPECT_FALSE(editor_.SaveAs());
  EXPECT_EQ(ReadFile(ScenarioPath("mine.scn")), kept);
  EXPECT_EQ(record_.scenarioFile(), "work.scn");
  EXPECT_EQ(CountAsked(kScenarioReplaceMessage), 1);

  box_.QueueAnswer(kButton1);
  box_.QueueAnswer(kButton1);  // Yes: replace
  ASSERT_TRUE(editor_.SaveAs());
  EXPECT_EQ(record_.scenarioFile(), "mine.scn");
  EXPECT_NE(ReadFile(ScenarioPath("mine.scn")).find("Animale"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(dir_.path() / "elsewhere" / "mine.scn"));
}

TEST_F(ScenarioEditorTest, SaveAsCancelledKeepsTheName) {
  Load(kThreeGroups);
  host_.savePath.clear();
  EXPECT_FALSE(editor_.SaveAs());
  EXPECT_EQ(record_.scenarioFile(), "work.scn");
}

TEST_F(ScenarioEditorTest, TitleStatusAndSidePanel) {
  Load("G#0H\t1\tanimale\r\n1#1#\tmedic\tanimale\r\nV#1#\tmerge\tanimale\r\n0#0#\tliber\tanimale\r\n");
  EXPECT_EQ(editor_.Title(), "Scenario Tool : work.scn");
  EXPECT_EQ(editor_.StatusText(0), "");
  EXPECT_EQ(editor_.StatusText(2), "2 " + messages_.message(885));
  const ScenarioSidePanel group = editor_.SidePanel(Find("animale"));
  EXPECT_TRUE(group.group);
  EXPECT_FALSE(group.visible);
  EXPECT_EQ(group.visibleCaption, "Invisible");
  EXPECT_EQ(group.groupLabel, "Animale");
  const ScenarioSidePanel verb = editor_.SidePanel(Find("merge (V)"));
  EXPECT_FALSE(verb.group);
  EXPECT_EQ(verb.groupLabel, "Animale");
  EXPECT_EQ(verb.itemLabel, "Merge (Verbs)");
  // A class item the layer rejected.
  Find("medic (*)")->icon = ScenarioIcon::kRejected;
  EXPECT_EQ(editor_.SidePanel(Find("medic (*)")).itemLabel, "Medic Error !  (References)");
  editor_.mutableTree().modified = true;
  EXPECT_EQ(editor_.StatusText(2), messages_.message(893));
  record_.setScenarioFile("");
  EXPECT_EQ(editor_.Title(), "Scenario Tool");
}

TEST_F(ScenarioEditorTest, CloseAsksToSaveAndStaysOpenWhenTheSaveFails) {
  Load(kThreeGroups);
  editor_.mutableTree().modified = true;
  record_.setScenarioFile("");  // the save dialog is cancelled: the save fails
  box_.QueueAnswer(kButton1);
  EXPECT_FALSE(editor_.Close());
  EXPECT_TRUE(editor_.modified());
  box_.QueueAnswer(kButton3);  // No: close without saving
  EXPECT_TRUE(editor_.Close());
  EXPECT_FALSE(editor_.modified());
}

}  // namespace
}  // namespace malvex
