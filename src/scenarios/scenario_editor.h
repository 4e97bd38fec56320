// The scenario editor's model: the tree of groups and items, the selection,
// the cut node and the search position, every editing command, the
// operations other windows use to put items into the scenario, and the file
// commands (New, Open, Save, Save as). No window system: the Qt window
// mirrors `tree()` in its tree widget, forwards each user action to the
// command of the same name and redraws after it.
//
// Text is code page 1250. One comparison rule orders and matches the tree's
// text everywhere (sorting, EnsureGroup's walk, duplicate tests, the prefix
// search, select by label): both texts go through the fold table of the
// dictionaries (FoldToLower), then compare byte by byte (CompareScenarioText).
//
// Depth: a node at level 0 is top level. No node may lie below level 9: the
// file records depths 0 to 9 and a deeper node would reload elsewhere. Every
// command that would put a node deeper refuses (message 2043 where a user
// command asked for it).
//
// Using it from the Qt window:
//   - after each command, redraw from `tree()`; `selected()` is the node to
//     select; `pasteEnabled()` the state of Paste; `modified()` the save mark.
//   - a node pointer handed to the model must be one of `tree()`'s nodes;
//     the model never keeps a pointer to a node after the node is removed
//     or the tree rebuilt (selection and cut node are forgotten then).
//   - questions go through `Messages` (the notification box); the file
//     dialogs and the main window's reactions through ScenarioEditorHost.
// Using it from the main window (Add / Insert / Show in the scenario):
//   - AddAsNewGroup(text, letter), InsertInGroup(text, letter, subclassify),
//     AddWithGroup / InsertIntoSelection after SetPending(...), SelectByLabel.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "scenarios/scenario_tree.h"
#include "scenarios/scenario_wizard.h"
#include "settings/scenario_folder_check.h"

namespace malvex {

class CurrentScenario;
struct LanguageTables;
class Messages;
class ScenarioLayer;
class ScenarioStore;
class SettingsRecord;
struct Folders;

// Message shown when a command would nest a node deeper than level 9.
inline constexpr int kScenarioTooDeepMessage = 2043;
// Asked before a save replaces a file of the scenario folder that the user
// did not choose there (the name is put before it).
inline constexpr int kScenarioReplaceMessage = kReplaceInScenarioFolderMessage;
// Deepest level a node may take.
inline constexpr int kScenarioMaxNodeLevel = 9;
// Longest group label and pending text (the file's field length).
inline constexpr size_t kScenarioLabelLength = 79;

// <0, 0, >0 as `a` sorts before, equal to, after `b` under the tree's rule:
// fold table, then byte order.
int CompareScenarioText(std::string_view a, std::string_view b);
// Whether the folded `text` begins with the folded first `length` bytes of
// `prefix` (`prefix` is already folded).
bool ScenarioTextHasPrefix(std::string_view text, std::string_view foldedPrefix);

// Item cleaning (`forItem`) and label cleaning. Blanks and underscores are
// copied only after something and never twice in a row (item cleaning
// writes a blank as '_'); item cleaning drops ! " ' ( ) * . : ; ? and '\';
// control characters are dropped; then trailing blanks and underscores go
// (the first character stays) and the text is cut at 79. `changed` tells
// whether the character pass dropped or replaced anything.
std::string CleanScenarioText(std::string_view text, bool forItem, bool& changed);
// The unaccented form of `text` (at most 78 characters); `changed` tells
// whether a byte was replaced.
std::string UnaccentedScenarioForm(std::string_view text, bool& changed);
// A group name made from an item text: first character in capitals when
// `capitals`, every underscore after the first character a blank.
std::string PrepareScenarioGroupName(std::string_view text, bool capitals);
// The text of `node` without its type suffix.
std::string ScenarioNodeBareText(const ScenarioNode& node);

// One printed line of the tree and the pages they make.
struct ScenarioPrintLine {
  const ScenarioNode* node = nullptr;
  int depth = 0;
  int row = 0;  // line number on its page: y = row x line height
};
struct ScenarioPrintPage {
  std::vector<ScenarioPrintLine> lines;
};
// Splits the tree into pages of `linesPerPage` lines: a counter starts at 3
// and grows by one before each node; when it reaches `linesPerPage` a new
// page starts with the node on row 3 (so the first page starts on row 4,
// the later ones on row 3). A tree with no node gives one empty page (the
// frame is printed all the same). `linesPerPage` below 5 is taken as 5 so
// every page holds a node.
std::vector<ScenarioPrintPage> PaginateScenarioTree(const ScenarioTree& tree, int linesPerPage);

// What the editor asks of the windows around it.
class ScenarioEditorHost {
 public:
  virtual ~ScenarioEditorHost() = default;
  // The open dialog (scenario folder, "*.scn"), preset with `current`;
  // false on cancel. `path` is the full path chosen.
  virtual bool ChooseFileToOpen(const std::string& current, std::string& path) = 0;
  // The save dialog (scenario folder, empty name); false on cancel.
  virtual bool ChooseFileToSave(std::string& path) = 0;
  // A file ending ".owl" (any case) was chosen in Open.
  virtual void ImportOwl(const std::string& path) { (void)path; }
  // Shows folders in the system's file browser.
  virtual void ShowFolders(const std::string& scenarioFolder, const std::string& otherFolder) {
    (void)scenarioFolder;
    (void)otherFolder;
  }
  // The scenario was replaced (Open) or rewritten (Save): the main window
  // clears its search and colouring state and, when a text is loaded, runs
  // the analysis again. The Scenario layer is already rebuilt.
  virtual void ScenarioChanged() = 0;
  // After a save, the group label the editor shows (empty when none), for
  // the main window to show in its results.
  virtual void ShowGroupInResults(const std::string& label) { (void)label; }
  // New: the creation wizard (modal).
  virtual void RunWizard() {}
};

// What the editor's side panel shows for the selected node.
struct ScenarioSidePanel {
  bool group = false;           // a group: the visible check box instead of the item line
  bool visible = false;         // the check box state (groups)
  std::string visibleCaption;   // "Visible" or "Invisible" (groups)
  std::string groupLabel;       // the group's label (or the item's group), first letter in capitals; "?" at the top
  std::string itemLabel;        // items: text capitalised without suffix, then error mark and type name
};

class ScenarioEditor {
 public:
  // `layer` may be null (no layer is rebuilt then), `host` too (file
  // dialogs then cancel). All must outlive the editor.
  ScenarioEditor(ScenarioStore& store, CurrentScenario& current, ScenarioLayer* layer, SettingsRecord& record,
                 const Folders& folders, Messages& messages, ScenarioEditorHost* host);
  ScenarioEditor(const ScenarioEditor&) = delete;
  ScenarioEditor& operator=(const ScenarioEditor&) = delete;

  const ScenarioTree& tree() const { return tree_; }
  ScenarioTree& mutableTree() { return tree_; }
  ScenarioNode* selected() const { return selected_; }
  void Select(ScenarioNode* node) { selected_ = node; }
  ScenarioNode* cutNode() const { return cut_; }
  bool pasteEnabled() const { return cut_ != nullptr; }
  bool modified() const { return tree_.modified; }

  // Nodes in display order (depth first, parents first).
  std::vector<ScenarioNode*> DisplayOrder() const;

  // The window's title: "Scenario Tool", and " : " and the file name when
  // a scenario is current.
  std::string Title();
  // The status bar: message 893 when modified; else the anomaly count and
  // message 885 when there are anomalies; else empty.
  std::string StatusText(size_t anomalyCount);
  // The side panel for `node` (the selection when null is passed, an empty
  // panel when nothing is selected).
  ScenarioSidePanel SidePanel(const ScenarioNode* node);
  // Closing the window: when modified, asks message 450 and saves on Yes.
  // False when that save failed (the window stays open).
  bool Close();

  // --- Tree from the store -------------------------------------------------
  // Rebuilds the tree from the store (sorted by text), clears modified,
  // forgets the selection and the cut node.
  void RebuildTree();
  // Asks message 892; on Ok rebuilds the tree. False when not modified or
  // refused.
  bool CancelAllChanges();

  // --- Editing commands ----------------------------------------------------
  // The top-level group "Group ???" (made or found), selected.
  ScenarioNode* CreateGroup();
  // A visible group "???" just before the selection, at its level, selected.
  ScenarioNode* NewGroupBesideSelection();
  // Whether `node` may be renamed: top-level nodes and groups.
  static bool CanRename(const ScenarioNode& node);
  // Ends a label edit: empty gives "group ???"; else label cleaning, and a
  // cleaned label under 2 characters gives "group ???". False when `node`
  // may not be renamed.
  bool Rename(ScenarioNode* node, std::string_view label);
  // Capitals after start, blank or hyphen in a visible group's label.
  bool Capitalise(ScenarioNode* node);
  bool SetVisible(ScenarioNode* node, bool visible);
  // Cut remembers the selection; Paste moves it under the selection.
  bool Cut();
  // Pastes the cut node under the selection (an item target is first
  // promoted to a group). Refused, with message 2043, when the moved subtree
  // would pass level 9; refused when the target lies in the cut node. A
  // top-level former parent left empty is deleted.
  bool Paste();
  // Moves `node` under `target` as a drag inside the tree does (target
  // promoted to a group; former parent deleted when left empty; target's
  // children sorted). Same refusals as Paste.
  bool MoveNode(ScenarioNode* node, ScenarioNode* target);
  // Deletes the selection, asking message 452 when the confirm-deletions
  // setting is on (a ticked "don't show again" turns the setting off).
  bool DeleteSelected();
  // Dissociate the selection.
  bool Dissociate();
  // Sorts the whole tree by text.
  void SortAll();

  // --- Search --------------------------------------------------------------
  // The search box: folds `text`; searches by prefix from the search
  // position with relaxing, then once more from the top when the position
  // was not 0. Selects and returns the hit, null when none.
  ScenarioNode* SearchInScenario(std::string_view text);
  // Typing in the search box.
  void ResetSearchPosition() { searchPosition_ = 0; }
  size_t searchPosition() const { return searchPosition_; }
  // The shared prefix search from `position` (updated); `foldedText` is
  // folded already.
  ScenarioNode* SearchByPrefix(std::string_view foldedText, size_t& position, bool relax);
  // First node whose text equals `text` ignoring case (only visible groups
  // when `visibleGroupsOnly`); selected.
  ScenarioNode* SelectByLabel(std::string_view text, bool visibleGroupsOnly);

  // --- Insertion -----------------------------------------------------------
  // The pending insertion: text (cut at 79), level 0 word or 1..3 class,
  // letter 'V', 'A', 'S' or '?'.
  void SetPending(std::string_view text, int level, char letter);
  const std::string& pendingText() const { return pendingText_; }
  char pendingLetter() const { return pendingLetter_; }
  // Finds or makes the group named by the pending text; level -1 uses the
  // selection as the place (the new group becomes its last child).
  bool EnsureGroup(int level, bool asChild);
  // Adds the pending item under the selection; with `checkDuplicates` an
  // existing item of the same shown text is selected instead (items only).
  bool AppendItem(bool checkDuplicates);
  // Turns a drop target into a group; null when it would nest too deep.
  ScenarioNode* PromoteToGroup(ScenarioNode* node);
  bool AddAsNewGroup(std::string_view text, char letter);
  bool InsertInGroup(std::string_view text, char letter, bool subclassify);
  bool AddWithGroup();
  bool InsertIntoSelection();
  // A drop from outside the tree (result list, text view) after
  // SetPending: on `target` (null for the side panel or an empty place),
  // which becomes a group; without a target, or with `forceAdd` (Ctrl held),
  // AddWithGroup, else AppendItem with the duplicate check into the target.
  // A plain word that is not a substantive also gets its unaccented form
  // when the setting is on. False when nothing was added (a duplicate is
  // selected instead; a target too deep shows message 2043).
  bool DropFromOutside(ScenarioNode* target, bool forceAdd, bool substantiveDrop);
  // The lemma rule of the search box's Add and Insert: the typed text is
  // normalised; `lemmaOf` answers a verb ('V') or adjective ('A') lemma of
  // a single-reading form, or returns '?'. Then AddAsNewGroup or
  // InsertInGroup with subclassify.
  using LemmaLookup = std::function<char(const std::string& form, std::string& lemma)>;
  bool AddFromSearchBox(const LanguageTables& tables, std::string_view typed, bool insert,
                        const LemmaLookup& lemmaOf);

  // --- Files ---------------------------------------------------------------
  // Open: asks message 450 when modified (a failed save stops); the chosen
  // file must lie in the scenario folder (else messages 1221/1222).
  bool Open();
  // Opens the scenario `name` of the scenario folder.
  bool OpenByName(const std::string& name);
  // Save, with the default-scenario question (1140..1142).
  bool Save();
  // Save as: fresh signatures, the user's name; a file of that name in the
  // scenario folder is replaced only when the user agrees.
  bool SaveAs();
  // New: the wizard.
  void New();

  // --- What the creation wizard makes (scenario_editor_wizard.cc) ----------
  // Each leaves an untitled scenario (no current file name). When the tree
  // is modified they first ask message 450 and save on Yes; a failed save
  // stops them (false), the editor unchanged.
  // An empty scenario: the store and the layer emptied, signatures
  // restarted, the tree cleared and not modified.
  bool NewEmptyScenario();
  // A scenario made of `candidates` (see FillWizardTree), sorted, written
  // into the store and built into the layer, left modified. A class level
  // with no class in the text stops before anything changes (message 2300).
  // False too when the store refuses the tree.
  bool BuildFromText(const WizardCandidates& candidates, const WizardBuildOptions& options);
  // The scenario files `names` of the scenario folder merged (see
  // MergeScenarioFiles) and loaded with every group numbered afresh, left
  // modified; the merged file is deleted. False when no merged file could
  // be made.
  bool MergeScenarios(const std::vector<std::string>& names);

 private:
  bool SaveWithReload();
  bool SaveBeforeReplacing();
  bool ReloadCurrent();
  bool AfterSave();
  void Forget(const ScenarioNode* removed);
  void RemoveNode(ScenarioNode* node);
  void SortChildren(ScenarioNode* parent);
  bool Detach(ScenarioNode* node);
  bool CheckDepth(const ScenarioNode& node, const ScenarioNode* newParent, bool tell);
  bool DefaultScenarioQuestion();
  std::string GroupPlaceholder() const;

  ScenarioStore& store_;
  CurrentScenario& current_;
  ScenarioLayer* const layer_;
  SettingsRecord& record_;
  const Folders& folders_;
  Messages& messages_;
  ScenarioEditorHost* const host_;

  ScenarioTree tree_;
  ScenarioNode* selected_ = nullptr;
  ScenarioNode* cut_ = nullptr;
  size_t searchPosition_ = 0;
  std::string pendingText_;
  int pendingLevel_ = 0;
  char pendingLetter_ = '?';
};

// The height of the subtree under `node`: 0 for a leaf.
int ScenarioSubtreeHeight(const ScenarioNode& node);

}  // namespace malvex
