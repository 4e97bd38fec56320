// The scenario as a tree of groups and items, the form in which the
// scenario editor shows and changes it. Plain nodes with no tie to any
// window system: the editor mirrors them in its own tree widget.
//
// A node is a group (visible or hidden, with its label and signature) or an
// item. An item's text is the way the editor shows it: the item text, and
// for every type but the plain word a blank and a type suffix in
// parentheses: "(*)" class of level 1, "(2)" class of level 2, "(1)" class
// of level 3, "(A)" adjective, "(S)" substantive, "(V)" verb.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace malvex {

// The icon of a node, which also tells its kind.
enum class ScenarioIcon : uint8_t {
  kWord = 2,
  kClass = 3,
  kVerb = 4,
  kAdjective = 5,
  kRejected = 6,  // an item the semantic dictionary did not take
  kSubstantive = 7,
  kGroup = 8,       // visible group
  kHiddenGroup = 9,
};

// The displayed text of an item of entry type `type` (code position 0).
std::string ScenarioItemDisplayText(std::string_view text, char type);
// The icon of an item of entry type `type`; `rejected` gives kRejected.
ScenarioIcon ScenarioItemIcon(char type, bool rejected);
// Splits a displayed item text into the item text and the entry type. A
// text of at least 5 characters ending with ')' carries a suffix: its last
// four characters are removed, and the character before ')' gives the type
// ('*' and '3' give '1', '2' gives '2', '1' gives '3', 'A', 'S', 'V' give
// themselves, any other '0'). Any other text is a word, type '0'.
void SplitScenarioItemText(std::string_view display, std::string& text, char& type);

struct ScenarioNode {
  std::string text;  // a group's label, or an item's displayed text
  ScenarioIcon icon = ScenarioIcon::kWord;
  // A group's signature; below 1 when it has none yet.
  int32_t signature = 0;
  ScenarioNode* parent = nullptr;
  std::vector<std::unique_ptr<ScenarioNode>> children;

  bool IsGroup() const { return icon == ScenarioIcon::kGroup || icon == ScenarioIcon::kHiddenGroup; }
  bool IsVisibleGroup() const { return icon == ScenarioIcon::kGroup; }
  // 0 for a top-level node.
  int Level() const;
};

class ScenarioTree {
 public:
  ScenarioTree() = default;
  ScenarioTree(const ScenarioTree&) = delete;
  ScenarioTree& operator=(const ScenarioTree&) = delete;

  // Appends a group as the last child of `parent` (at the top level when
  // null).
  ScenarioNode* AddGroup(ScenarioNode* parent, std::string label, bool visible, int32_t signature);
  // Appends an item with its displayed text and icon.
  ScenarioNode* AddItem(ScenarioNode* parent, std::string displayText, ScenarioIcon icon);
  // Deletes `node` with everything under it.
  void Remove(ScenarioNode* node);
  // Moves `node` to the end of `newParent`'s children (the top level when
  // null). Refused (false) when `newParent` is `node` or lies under it.
  bool Move(ScenarioNode* node, ScenarioNode* newParent);
  void Clear() { roots_.clear(); }
  // The children of `parent` (the top-level nodes when null), for the
  // editor's inserting and sorting; every node put there must have its
  // parent set to `parent`.
  std::vector<std::unique_ptr<ScenarioNode>>& MutableChildren(ScenarioNode* parent) { return ChildrenOf(parent); }

  const std::vector<std::unique_ptr<ScenarioNode>>& roots() const { return roots_; }
  bool empty() const { return roots_.empty(); }
  // Calls `visit` for every node in display order: depth first, parents
  // before their children.
  void ForEach(const std::function<void(ScenarioNode&)>& visit) const;
  size_t NodeCount() const;
  // Forgets every group's signature, so that the next save numbers the
  // groups afresh.
  void ClearSignatures();

  // Set by every change the editor makes, cleared by a save or a rebuild.
  bool modified = false;

 private:
  std::vector<std::unique_ptr<ScenarioNode>>& ChildrenOf(ScenarioNode* parent) {
    return parent != nullptr ? parent->children : roots_;
  }

  std::vector<std::unique_ptr<ScenarioNode>> roots_;
};

}  // namespace malvex
