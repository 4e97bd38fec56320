#include "scenarios/scenario_tree.h"

#include <algorithm>
#include <utility>

namespace malvex {

namespace {

// The suffix letter shown for entry type `type`; 0 for a word.
char SuffixOf(char type) {
  switch (type) {
    case '1': return '*';
    case '2': return '2';
    case '3': return '1';
    case 'A':
    case 'S':
    case 'V': return type;
    default: return 0;
  }
}

void Visit(ScenarioNode& node, const std::function<void(ScenarioNode&)>& visit) {
  visit(node);
  for (const auto& child : node.children) Visit(*child, visit);
}

}  // namespace

std::string ScenarioItemDisplayText(std::string_view text, char type) {
  std::string display(text);
  const char suffix = SuffixOf(type);
  if (suffix != 0) {
    display += " (";
    display += suffix;
    display += ')';
  }
  return display;
}

ScenarioIcon ScenarioItemIcon(char type, bool rejected) {
  if (rejected) return ScenarioIcon::kRejected;
  switch (type) {
    case '1':
    case '2':
    case '3': return ScenarioIcon::kClass;
    case 'A': return ScenarioIcon::kAdjective;
    case 'S': return ScenarioIcon::kSubstantive;
    case 'V': return ScenarioIcon::kVerb;
    default: return ScenarioIcon::kWord;
  }
}

void SplitScenarioItemText(std::string_view display, std::string& text, char& type) {
  type = '0';
  if (display.size() < 5 || display.back() != ')') {
    text.assign(display);
    return;
  }
  switch (display[display.size() - 2]) {
    case '*':
    case '3': type = '1'; break;
    case '2': type = '2'; break;
    case '1': type = '3'; break;
    case 'A': type = 'A'; break;
    case 'S': type = 'S'; break;
    case 'V': type = 'V'; break;
    default: break;
  }
  text.assign(display.substr(0, display.size() - 4));
}

int ScenarioNode::Level() const {
  int level = 0;
  for (const ScenarioNode* p = parent; p != nullptr; p = p->parent) ++level;
  return level;
}

ScenarioNode* ScenarioTree::AddGroup(ScenarioNode* parent, std::string label, bool visible,
                                     int32_t signature) {
  auto node = std::make_unique<ScenarioNode>();
  node->text = std::move(label);
  node->icon = visible ? ScenarioIcon::kGroup : ScenarioIcon::kHiddenGroup;
  node->signature = signature;
  node->parent = parent;
  return ChildrenOf(parent).emplace_back(std::move(node)).get();
}

ScenarioNode* ScenarioTree::AddItem(ScenarioNode* parent, std::string displayText, ScenarioIcon icon) {
  auto node = std::make_unique<ScenarioNode>();
  node->text = std::move(displayText);
  node->icon = icon;
  node->parent = parent;
  return ChildrenOf(parent).emplace_back(std::move(node)).get();
}

void ScenarioTree::Remove(ScenarioNode* node) {
  auto& siblings = ChildrenOf(node->parent);
  siblings.erase(std::remove_if(siblings.begin(), siblings.end(),
                                [node](const std::unique_ptr<ScenarioNode>& n) { return n.get() == node; }),
                 siblings.end());
}

bool ScenarioTree::Move(ScenarioNode* node, ScenarioNode* newParent) {
  for (const ScenarioNode* p = newParent; p != nullptr; p = p->parent) {
    if (p == node) return false;
  }
  auto& siblings = ChildrenOf(node->parent);
  const auto it = std::find_if(siblings.begin(), siblings.end(),
                               [node](const std::unique_ptr<ScenarioNode>& n) { return n.get() == node; });
  if (it == siblings.end()) return false;
  std::unique_ptr<ScenarioNode> owned = std::move(*it);
  siblings.erase(it);
  owned->parent = newParent;
  ChildrenOf(newParent).push_back(std::move(owned));
  return true;
}

void ScenarioTree::ForEach(const std::function<void(ScenarioNode&)>& visit) const {
  for (const auto& root : roots_) Visit(*root, visit);
}

size_t ScenarioTree::NodeCount() const {
  size_t n = 0;
  ForEach([&n](ScenarioNode&) { ++n; });
  return n;
}

void ScenarioTree::ClearSignatures() {
  ForEach([](ScenarioNode& node) {
    if (node.IsGroup()) node.signature = 0;
  });
}

}  // namespace malvex
