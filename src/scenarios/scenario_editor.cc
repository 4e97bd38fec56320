#include "scenarios/scenario_editor.h"

#include <algorithm>
#include <utility>

#include "foundations/charset.h"
#include "foundations/messages.h"
#include "platform/files.h"
#include "scenarios/current_scenario.h"
#include "scenarios/scenario_hierarchy.h"
#include "scenarios/scenario_layer.h"
#include "scenarios/scenario_store.h"
#include "settings/folders.h"
#include "settings/scenario_folder_check.h"
#include "settings/settings_record.h"

namespace malvex {

namespace {

constexpr const char* kDefaultScenarios[] = {"Concepts Romanian V8.scn", "Concepte RO V81.scn"};

uint8_t Folded(char c) { return FoldCharToLower(static_cast<uint8_t>(c)); }

bool IsPartLetter(char c) { return c == 'A' || c == 'S' || c == 'V'; }

// Capital of a lower-case letter a..z and of the code page's ş ă ţ.
char Capital(char c) {
  const auto u = static_cast<uint8_t>(c);
  if (u >= 'a' && u <= 'z') return static_cast<char>(u - 32);
  switch (u) {
    case 0xBA: return static_cast<char>(0xAA);  // ş -> Ş
    case 0xE3: return static_cast<char>(0xC3);  // ă -> Ă
    case 0xFE: return static_cast<char>(0xDE);  // ţ -> Ţ
    default: return c;
  }
}

std::string FolderPart(const std::string& path) {
  std::string folder = path;
  if (!StripLastComponent(folder)) return std::string(".");
  return folder;
}

bool EndsWithNoCase(std::string_view text, std::string_view end) {
  if (text.size() < end.size()) return false;
  for (size_t i = 0; i < end.size(); ++i) {
    if (Folded(text[text.size() - end.size() + i]) != Folded(end[i])) return false;
  }
  return true;
}

void CollectOrder(ScenarioNode& node, std::vector<ScenarioNode*>& out) {
  out.push_back(&node);
  for (const auto& c : node.children) CollectOrder(*c, out);
}

bool Contains(const ScenarioNode* root, const ScenarioNode* node) {
  for (const ScenarioNode* p = node; p != nullptr; p = p->parent) {
    if (p == root) return true;
  }
  return false;
}

}  // namespace

int CompareScenarioText(std::string_view a, std::string_view b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    const uint8_t x = Folded(a[i]);
    const uint8_t y = Folded(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

bool ScenarioTextHasPrefix(std::string_view text, std::string_view foldedPrefix) {
  if (text.size() < foldedPrefix.size()) return false;
  for (size_t i = 0; i < foldedPrefix.size(); ++i) {
    if (Folded(text[i]) != static_cast<uint8_t>(foldedPrefix[i])) return false;
  }
  return true;
}

std::string CleanScenarioText(std::string_view text, bool forItem, bool& changed) {
  changed = false;
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    const auto u = static_cast<uint8_t>(c);
    // The tests look at the last character written, so that a blank written
    // as '_' stops the next blank too ("a  b" gives "a_b").
    const char last = out.empty() ? '\0' : out.back();
    if (c == ' ') {
      const char written = forItem ? '_' : ' ';
      if (!out.empty() && last != written && last != ' ') {
        out.push_back(written);
        if (written != c) changed = true;
      } else {
        changed = true;
      }
      continue;
    }
    if (c == '_') {
      if (!out.empty() && last != '_') {
        out.push_back(c);
      } else {
        changed = true;
      }
      continue;
    }
    if (u < 0x20 ||
        (forItem && std::string_view("!\"'()*.:;?\\").find(c) != std::string_view::npos)) {
      changed = true;
      continue;
    }
    out.push_back(c);
  }
  while (out.size() > 1 && (out.back() == ' ' || out.back() == '_')) out.pop_back();
  if (out.size() > kScenarioLabelLength) out.resize(kScenarioLabelLength);
  return out;
}

std::string UnaccentedScenarioForm(std::string_view text, bool& changed) {
  changed = false;
  std::string out;
  for (const char c : text) {
    if (out.size() >= 78) break;
    const auto u = static_cast<uint8_t>(c);
    const char* replacement = nullptr;
    if (u == 0xDF) replacement = "ss";
    else if (u >= 0xE0 && u <= 0xE5) replacement = "a";
    else if (u == 0xE7) replacement = "c";
    else if (u >= 0xE8 && u <= 0xEB) replacement = "e";
    else if (u >= 0xEC && u <= 0xEF) replacement = "i";
    else if (u == 0xF1) replacement = "n";
    else if (u >= 0xF2 && u <= 0xF6) replacement = "o";
    else if (u >= 0xF9 && u <= 0xFC) replacement = "u";
    else if (u == 0xFD || u == 0xFF) replacement = "y";
    if (replacement == nullptr) {
      out.push_back(c);
      continue;
    }
    changed = true;
    for (const char* r = replacement; *r != '\0' && out.size() < 78; ++r) out.push_back(*r);
  }
  return out;
}

std::string PrepareScenarioGroupName(std::string_view text, bool capitals) {
  std::string name(text);
  if (capitals && !name.empty()) name[0] = static_cast<char>(UpperCaseOf(static_cast<uint8_t>(name[0])));
  for (size_t i = 1; i < name.size(); ++i) {
    if (name[i] == '_') name[i] = ' ';
  }
  return name;
}

std::string ScenarioNodeBareText(const ScenarioNode& node) {
  if (node.IsGroup() || node.icon == ScenarioIcon::kWord) return node.text;
  std::string text;
  char type = '0';
  SplitScenarioItemText(node.text, text, type);
  return text;
}

int ScenarioSubtreeHeight(const ScenarioNode& node) {
  int height = 0;
  for (const auto& c : node.children) height = std::max(height, 1 + ScenarioSubtreeHeight(*c));
  return height;
}

std::vector<ScenarioPrintPage> PaginateScenarioTree(const ScenarioTree& tree, int linesPerPage) {
  linesPerPage = std::max(linesPerPage, 5);
  std::vector<ScenarioPrintPage> pages(1);
  int counter = 3;
  tree.ForEach([&](ScenarioNode& node) {
    ++counter;
    // The break comes when the counter reaches the page's lines, so that no
    // line is printed into the page's bottom band.
    if (counter >= linesPerPage) {
      pages.emplace_back();
      counter = 3;
    }
    pages.back().lines.push_back({&node, node.Level(), counter});
  });
  return pages;
}

ScenarioEditor::ScenarioEditor(ScenarioStore& store, CurrentScenario& current, ScenarioLayer* layer,
                               SettingsRecord& record, const Folders& folders, Messages& messages,
                               ScenarioEditorHost* host)
    : store_(store),
      current_(current),
      layer_(layer),
      record_(record),
      folders_(folders),
      messages_(messages),
      host_(host) {}

std::vector<ScenarioNode*> ScenarioEditor::DisplayOrder() const {
  std::vector<ScenarioNode*> order;
  for (const auto& r : tree_.roots()) CollectOrder(*r, order);
  return order;
}

std::string ScenarioEditor::GroupPlaceholder() const {
  std::string label = messages_.message(522);
  if (record_.scenarioWordsInCapitals() && !label.empty()) {
    label[0] = static_cast<char>(UpperCaseOf(static_cast<uint8_t>(label[0])));
  }
  return label + " ???";
}

std::string ScenarioEditor::Title() {
  std::string title = messages_.message(1065);
  const std::string name = record_.scenarioFile();
  if (!name.empty()) title += " : " + name;
  return title;
}

std::string ScenarioEditor::StatusText(size_t anomalyCount) {
  if (tree_.modified) return messages_.message(893);
  if (anomalyCount == 0) return std::string();
  return std::to_string(anomalyCount) + " " + messages_.message(885);
}

namespace {

std::string FirstCapital(std::string text) {
  if (!text.empty()) text[0] = static_cast<char>(UpperCaseOf(static_cast<uint8_t>(text[0])));
  return text;
}

int TypeNameMessage(char suffix) {
  switch (suffix) {
    case '*': return 300;
    case '1': return 307;
    case '2': return 308;
    case 'A': return 848;
    case 'S': return 852;
    case 'V': return 845;
    default: return 0;
  }
}

}  // namespace

ScenarioSidePanel ScenarioEditor::SidePanel(const ScenarioNode* node) {
  ScenarioSidePanel panel;
  if (node == nullptr) return panel;
  if (node->IsGroup()) {
    panel.group = true;
    panel.visible = node->IsVisibleGroup();
    panel.visibleCaption = messages_.message(panel.visible ? 883 : 1068);
    panel.groupLabel = FirstCapital(node->text);
    return panel;
  }
  panel.groupLabel = node->parent != nullptr ? FirstCapital(node->parent->text) : std::string("?");
  std::string item = FirstCapital(ScenarioNodeBareText(*node));
  const size_t n = node->text.size();
  const bool suffixed = node->icon != ScenarioIcon::kWord && n >= 5 && node->text.back() == ')';
  if (suffixed) {
    if (node->icon == ScenarioIcon::kRejected) {
      item += ' ';
      item += messages_.message(61);
      item += " ! ";
    }
    const int typeName = TypeNameMessage(node->text[n - 2]);
    if (typeName != 0) {
      item += " (";
      item += messages_.message(typeName);
      item += ')';
    }
  }
  panel.itemLabel = item;
  return panel;
}

bool ScenarioEditor::Close() {
  if (tree_.modified && messages_.ask(messages_.message(450)) && !Save()) return false;
  tree_.modified = false;
  return true;
}

// ---- Tree from the store ----------------------------------------------------

void ScenarioEditor::RebuildTree() {
  selected_ = nullptr;
  cut_ = nullptr;
  searchPosition_ = 0;
  ReadScenarioHierarchy(store_, tree_);
  SortAll();
  tree_.modified = false;
}

bool ScenarioEditor::CancelAllChanges() {
  if (!tree_.modified) return false;
  if (messages_.confirmCancel(messages_.message(892))) return false;
  RebuildTree();
  return true;
}

void ScenarioEditor::Forget(const ScenarioNode* removed) {
  if (Contains(removed, cut_)) cut_ = nullptr;
  if (Contains(removed, selected_)) selected_ = nullptr;
}

void ScenarioEditor::RemoveNode(ScenarioNode* node) {
  Forget(node);
  tree_.Remove(node);
  tree_.modified = true;
}

void ScenarioEditor::SortChildren(ScenarioNode* parent) {
  auto& children = tree_.MutableChildren(parent);
  std::stable_sort(children.begin(), children.end(),
                   [](const std::unique_ptr<ScenarioNode>& a, const std::unique_ptr<ScenarioNode>& b) {
                     return CompareScenarioText(a->text, b->text) < 0;
                   });
}

void ScenarioEditor::SortAll() {
  SortChildren(nullptr);
  tree_.ForEach([this](ScenarioNode& node) {
    if (!node.children.empty()) SortChildren(&node);
  });
}

bool ScenarioEditor::CheckDepth(const ScenarioNode& node, const ScenarioNode* newParent, bool tell) {
  const int level = newParent != nullptr ? newParent->Level() + 1 : 0;
  if (level + ScenarioSubtreeHeight(node) <= kScenarioMaxNodeLevel) return true;
  if (tell) messages_.errorBox(messages_.message(kScenarioTooDeepMessage));
  return false;
}

// ---- Editing commands -------------------------------------------------------

ScenarioNode* ScenarioEditor::CreateGroup() {
  SetPending(GroupPlaceholder(), 0, '?');
  if (!EnsureGroup(0, false)) return nullptr;
  return selected_;
}

ScenarioNode* ScenarioEditor::NewGroupBesideSelection() {
  if (selected_ == nullptr) return nullptr;
  ScenarioNode* parent = selected_->parent;
  auto& siblings = tree_.MutableChildren(parent);
  auto it = std::find_if(siblings.begin(), siblings.end(),
                         [this](const std::unique_ptr<ScenarioNode>& n) { return n.get() == selected_; });
  auto node = std::make_unique<ScenarioNode>();
  node->text = "???";
  node->icon = ScenarioIcon::kGroup;
  node->parent = parent;
  ScenarioNode* made = siblings.insert(it, std::move(node))->get();
  selected_ = made;
  tree_.modified = true;
  return made;
}

bool ScenarioEditor::CanRename(const ScenarioNode& node) { return node.parent == nullptr || node.IsGroup(); }

bool ScenarioEditor::Rename(ScenarioNode* node, std::string_view label) {
  if (node == nullptr || !CanRename(*node)) return false;
  bool blank = true;
  for (const char c : label) {
    if (c != ' ') blank = false;
  }
  if (blank) {
    node->text = GroupPlaceholder();
  } else {
    bool changed = false;
    std::string cleaned = CleanScenarioText(label, false, changed);
    node->text = changed && cleaned.size() < 2 ? GroupPlaceholder() : std::move(cleaned);
  }
  tree_.modified = true;
  return true;
}

bool ScenarioEditor::Capitalise(ScenarioNode* node) {
  if (node == nullptr || !node->IsVisibleGroup()) return false;
  bool any = false;
  std::string& text = node->text;
  for (size_t i = 0; i < text.size(); ++i) {
    if (i != 0 && text[i - 1] != ' ' && text[i - 1] != '-') continue;
    if (text[i] >= 'A' && text[i] <= 'Z') continue;
    const char capital = Capital(text[i]);
    if (capital != text[i]) {
      text[i] = capital;
      any = true;
    }
  }
  if (any) tree_.modified = true;
  return any;
}

bool ScenarioEditor::SetVisible(ScenarioNode* node, bool visible) {
  if (node == nullptr || !node->IsGroup()) return false;
  const ScenarioIcon icon = visible ? ScenarioIcon::kGroup : ScenarioIcon::kHiddenGroup;
  if (node->icon != icon) {
    node->icon = icon;
    tree_.modified = true;
  }
  return true;
}

bool ScenarioEditor::Cut() {
  cut_ = selected_;
  return cut_ != nullptr;
}

bool ScenarioEditor::MoveNode(ScenarioNode* node, ScenarioNode* target) {
  if (node == nullptr || target == nullptr || Contains(node, target)) return false;
  // The depth is checked before the target is promoted: a refused move
  // leaves the tree as it was.
  // An item target becomes a group at its own level, so the node lands one
  // level below the target either way.
  if (!CheckDepth(*node, target, true)) return false;
  ScenarioNode* group = PromoteToGroup(target);
  if (group == nullptr || Contains(node, group)) return false;
  ScenarioNode* former = node->parent;
  if (!tree_.Move(node, group)) return false;
  if (former != nullptr && former->parent == nullptr && former->children.empty()) RemoveNode(former);
  SortChildren(group);
  tree_.modified = true;
  return true;
}

bool ScenarioEditor::Paste() {
  if (cut_ == nullptr || selected_ == nullptr) return false;
  ScenarioNode* node = cut_;
  const bool moved = MoveNode(node, selected_);
  cut_ = nullptr;
  return moved;
}

bool ScenarioEditor::DeleteSelected() {
  if (selected_ == nullptr) return false;
  if (record_.confirmDeletions()) {
    const std::string question = messages_.message(452) + " \"" + selected_->text + "\" ?";
    const bool yes = messages_.askDontShow(question);
    if (!yes) return false;
    if (messages_.dontShowAgain()) record_.setConfirmDeletions(false);
  }
  cut_ = nullptr;
  RemoveNode(selected_);
  selected_ = nullptr;
  return true;
}

bool ScenarioEditor::Detach(ScenarioNode* node) {
  if (node->parent == nullptr) return false;
  if (CanRename(*node)) {
    if (!tree_.Move(node, nullptr)) return false;
    tree_.modified = true;
    return true;
  }
  ScenarioNode* keepSelection = selected_;
  SetPending(ScenarioNodeBareText(*node), 0, '?');
  if (!EnsureGroup(0, false)) return false;
  ScenarioNode* group = selected_;
  selected_ = keepSelection;
  if (group == node->parent) return false;
  if (!tree_.Move(node, group)) return false;
  SortChildren(group);
  tree_.modified = true;
  return true;
}

bool ScenarioEditor::Dissociate() {
  if (selected_ == nullptr) return false;
  ScenarioNode* node = selected_;
  if (node->parent != nullptr) return Detach(node);
  if (!node->IsGroup()) return false;
  const size_t times = node->children.size() + 1;
  bool any = false;
  for (size_t i = 0; i < times && !node->children.empty(); ++i) {
    if (!Detach(node->children.front().get())) break;
    any = true;
  }
  selected_ = node;
  return any;
}

// ---- Search -----------------------------------------------------------------

ScenarioNode* ScenarioEditor::SearchByPrefix(std::string_view foldedText, size_t& position, bool relax) {
  const std::vector<ScenarioNode*> order = DisplayOrder();
  const size_t n = order.size();
  if (position >= n) position = 0;
  size_t length = foldedText.size();
  auto pass = [&](size_t from) -> ScenarioNode* {
    const std::string_view prefix = foldedText.substr(0, length);
    for (size_t i = from; i < n; ++i) {
      position = i + 1;
      if (ScenarioTextHasPrefix(order[i]->text, prefix)) return order[i];
    }
    return nullptr;
  };
  ScenarioNode* hit = pass(position);
  if (hit == nullptr && relax) {
    if (length > 6) --length;
    for (int k = 0; k < 2 && hit == nullptr && length > 3; ++k) {
      --length;
      hit = pass(0);
    }
  }
  if (hit != nullptr) selected_ = hit;
  return hit;
}

ScenarioNode* ScenarioEditor::SearchInScenario(std::string_view text) {
  std::string folded(text);
  FoldToLower(folded);
  if (folded.empty()) return nullptr;
  const size_t start = searchPosition_;
  ScenarioNode* hit = SearchByPrefix(folded, searchPosition_, true);
  if (hit == nullptr && start != 0) {
    searchPosition_ = 0;
    hit = SearchByPrefix(folded, searchPosition_, true);
  }
  return hit;
}

ScenarioNode* ScenarioEditor::SelectByLabel(std::string_view text, bool visibleGroupsOnly) {
  for (ScenarioNode* node : DisplayOrder()) {
    if (visibleGroupsOnly && !node->IsVisibleGroup()) continue;
    if (CompareScenarioText(node->text, text) == 0) {
      selected_ = node;
      return node;
    }
  }
  return nullptr;
}

// ---- Insertion --------------------------------------------------------------

void ScenarioEditor::SetPending(std::string_view text, int level, char letter) {
  pendingText_.assign(text.substr(0, kScenarioLabelLength));
  pendingLevel_ = level;
  pendingLetter_ = letter;
}

bool ScenarioEditor::EnsureGroup(int level, bool asChild) {
  if (pendingText_.empty()) return false;
  std::string name = PrepareScenarioGroupName(pendingText_, record_.scenarioWordsInCapitals());
  if (name.size() > kScenarioLabelLength) name.resize(kScenarioLabelLength);

  ScenarioNode* candidate = nullptr;
  int last = -1;  // the last comparison: <0 candidate before the name
  if (level < 0) {
    candidate = selected_;
    if (candidate == nullptr) return false;
    last = 1;
  } else {
    for (ScenarioNode* node : DisplayOrder()) {
      if (node->Level() != level) continue;
      candidate = node;
      last = CompareScenarioText(node->text, name);
      if (node->parent == nullptr && last >= 0) break;
    }
  }
  ScenarioNode* group = nullptr;
  if (candidate != nullptr && last == 0) {
    group = candidate;
  } else {
    ScenarioNode* parent = nullptr;
    auto made = std::make_unique<ScenarioNode>();
    made->text = name;
    made->icon = ScenarioIcon::kGroup;
    if (candidate == nullptr || last < 0) {
      parent = nullptr;
      made->parent = nullptr;
      group = tree_.MutableChildren(nullptr).emplace_back(std::move(made)).get();
    } else if (asChild) {
      if (candidate->Level() + 1 > kScenarioMaxNodeLevel) return false;
      parent = candidate;
      made->parent = parent;
      group = candidate->children.emplace_back(std::move(made)).get();
    } else {
      parent = candidate->parent;
      made->parent = parent;
      auto& siblings = tree_.MutableChildren(parent);
      auto it = std::find_if(siblings.begin(), siblings.end(),
                             [candidate](const std::unique_ptr<ScenarioNode>& n) { return n.get() == candidate; });
      group = siblings.insert(it, std::move(made))->get();
    }
  }
  selected_ = group;
  SortChildren(group);
  tree_.modified = true;
  return true;
}

bool ScenarioEditor::AppendItem(bool checkDuplicates) {
  if (pendingText_.empty() || selected_ == nullptr) return false;
  cut_ = nullptr;
  bool changed = false;
  std::string cleaned = CleanScenarioText(pendingText_, true, changed);
  if (changed) pendingText_ = cleaned;
  if (pendingText_.empty()) return false;

  char type = '0';
  if (pendingLevel_ >= 1 && pendingLevel_ <= 3) {
    type = static_cast<char>('0' + pendingLevel_);
  } else if (IsPartLetter(pendingLetter_)) {
    type = pendingLetter_;
  }
  const std::string display = ScenarioItemDisplayText(pendingText_, type);
  if (checkDuplicates) {
    // Only items count: a group of the same name is where the item goes.
    for (ScenarioNode* node : DisplayOrder()) {
      if (!node->IsGroup() && CompareScenarioText(node->text, display) == 0) {
        selected_ = node;
        return false;
      }
    }
  }
  if (selected_->Level() + 1 > kScenarioMaxNodeLevel) return false;
  tree_.AddItem(selected_, display, ScenarioItemIcon(type, false));
  SortChildren(selected_);
  tree_.modified = true;
  pendingLetter_ = '?';
  return true;
}

ScenarioNode* ScenarioEditor::PromoteToGroup(ScenarioNode* node) {
  if (node == nullptr) return nullptr;
  while (node->Level() > kScenarioMaxNodeLevel && node->parent != nullptr) node = node->parent;
  if (node->IsGroup() || node->parent == nullptr) return node;
  // The item moves one level down into its new group.
  if (node->Level() + 1 > kScenarioMaxNodeLevel) return nullptr;
  ScenarioNode* parent = node->parent;
  auto made = std::make_unique<ScenarioNode>();
  made->text = PrepareScenarioGroupName(ScenarioNodeBareText(*node), record_.scenarioWordsInCapitals());
  if (made->text.size() > kScenarioLabelLength) made->text.resize(kScenarioLabelLength);
  made->icon = ScenarioIcon::kGroup;
  made->parent = parent;
  ScenarioNode* group = parent->children.emplace_back(std::move(made)).get();
  tree_.Move(node, group);
  SortChildren(parent);
  tree_.modified = true;
  return group;
}

bool ScenarioEditor::AddAsNewGroup(std::string_view text, char letter) {
  SetPending(text, 0, letter);
  if (!EnsureGroup(0, false)) return false;
  return InsertInGroup(text, letter, false);
}

bool ScenarioEditor::InsertInGroup(std::string_view text, char letter, bool subclassify) {
  if (selected_ == nullptr) return false;
  SetPending(text, 0, letter);
  bool found = false;
  if (selected_->IsGroup()) {
    found = true;
  } else if (selected_->parent != nullptr && selected_->parent->IsGroup()) {
    selected_ = selected_->parent;
    found = true;
  } else if (!EnsureGroup(0, true)) {
    return false;
  }
  // A sub-group is made only where it and its item still fit.
  if (subclassify && found && selected_->Level() + 2 <= kScenarioMaxNodeLevel) {
    if (!EnsureGroup(-1, true)) return false;
  }
  if (!IsPartLetter(letter)) {
    for (size_t i = 1; i < pendingText_.size(); ++i) {
      if (pendingText_[i] == '-') pendingText_[i] = '_';
    }
  }
  const std::string original = pendingText_;
  ScenarioNode* target = selected_;
  const bool added = AppendItem(false);
  if (added && !IsPartLetter(letter) && record_.unaccentedScenarioForms()) {
    bool changed = false;
    const std::string plain = UnaccentedScenarioForm(original, changed);
    if (changed) {
      selected_ = target;
      pendingText_ = plain;
      pendingLevel_ = 0;
      AppendItem(true);
      selected_ = target;
    }
  }
  if (target->parent != nullptr) SortChildren(target->parent);
  return added;
}

bool ScenarioEditor::AddWithGroup() {
  const size_t before = tree_.NodeCount();
  if (!EnsureGroup(0, false)) return false;
  ScenarioNode* group = selected_;
  const bool made = tree_.NodeCount() > before;
  if (AppendItem(true)) return true;
  // The item is already in another group (now selected): the group made
  // for it would stay empty in the scenario.
  if (made && group != nullptr && group != selected_ && group->children.empty()) RemoveNode(group);
  return false;
}

bool ScenarioEditor::InsertIntoSelection() {
  ScenarioNode* group = PromoteToGroup(selected_);
  if (group == nullptr) return false;
  selected_ = group;
  return AppendItem(true);
}

bool ScenarioEditor::DropFromOutside(ScenarioNode* target, bool forceAdd, bool substantiveDrop) {
  const bool plainWord = pendingLevel_ == 0 && !IsPartLetter(pendingLetter_);
  const std::string text = pendingText_;
  ScenarioNode* group = nullptr;
  if (target != nullptr) {
    group = PromoteToGroup(target);
    if (group == nullptr) {
      messages_.errorBox(messages_.message(kScenarioTooDeepMessage));
      return false;
    }
    selected_ = group;
  }
  bool added = false;
  if (group == nullptr || forceAdd) {
    added = AddWithGroup();
    group = added ? selected_ : nullptr;
  } else {
    added = AppendItem(true);
  }
  if (added && plainWord && !substantiveDrop && group != nullptr && record_.unaccentedScenarioForms()) {
    bool changed = false;
    const std::string plain = UnaccentedScenarioForm(text, changed);
    if (changed) {
      selected_ = group;
      SetPending(plain, 0, '?');
      AppendItem(true);
    }
  }
  // A duplicate found by AppendItem stays selected: the user sees the item
  // the drop did not repeat.
  if (added && group != nullptr) selected_ = group;
  return added;
}

bool ScenarioEditor::AddFromSearchBox(const LanguageTables& tables, std::string_view typed, bool insert,
                                      const LemmaLookup& lemmaOf) {
  size_t b = 0;
  size_t e = typed.size();
  while (b < e && static_cast<uint8_t>(typed[b]) <= ' ') ++b;
  while (e > b && static_cast<uint8_t>(typed[e - 1]) <= ' ') --e;
  std::string text = NormalizeTerm(tables, typed.substr(b, e - b));
  if (text.empty()) return false;
  char letter = '?';
  if (lemmaOf) {
    std::string lemma;
    const char found = lemmaOf(text, lemma);
    if ((found == 'V' || found == 'A') && !lemma.empty()) {
      text = lemma;
      letter = found;
    }
  }
  return insert ? InsertInGroup(text, letter, true) : AddAsNewGroup(text, letter);
}

// ---- Files ------------------------------------------------------------------

bool ScenarioEditor::ReloadCurrent() {
  const bool loaded = current_.LoadCurrentScenario();
  RebuildTree();
  if (!loaded) record_.setScenarioFile(std::string());
  if (host_ != nullptr) host_->ScenarioChanged();
  return loaded;
}

bool ScenarioEditor::Open() {
  if (tree_.modified && messages_.ask(messages_.message(450)) && !Save()) return false;
  if (host_ == nullptr) return false;
  std::string path;
  if (!host_->ChooseFileToOpen(record_.scenarioFile(), path)) return false;
  if (EndsWithNoCase(path, ".owl")) {
    host_->ImportOwl(path);
    return true;
  }
  if (!CheckInScenarioFolder(folders_, messages_, path)) {
    host_->ShowFolders(folders_.scenario, FolderPart(path));
    return false;
  }
  record_.setScenarioFile(FilePart(path));
  return ReloadCurrent();
}

bool ScenarioEditor::OpenByName(const std::string& name) {
  if (tree_.modified && messages_.ask(messages_.message(450)) && !Save()) return false;
  record_.setScenarioFile(FilePart(name));
  return ReloadCurrent();
}

bool ScenarioEditor::DefaultScenarioQuestion() {
  const std::string name = record_.scenarioFile();
  for (const char* d : kDefaultScenarios) {
    if (CompareScenarioText(name, d) == 0) {
      // Each text is copied before the next is fetched: they share one buffer.
      std::string question = name;
      question += messages_.message(1140);
      question += ' ';
      question += messages_.message(1141);
      question += ' ';
      question += messages_.message(1142);
      return messages_.ask(question);
    }
  }
  return true;
}

bool ScenarioEditor::SaveWithReload() {
  if (record_.scenarioFile().empty()) {
    std::string path;
    if (host_ == nullptr || !host_->ChooseFileToSave(path)) return false;
    // The scenario goes into the scenario folder under the user's name; a
    // file already there is replaced only when the user says so.
    std::string name;
    if (!ScenarioFolderSaveName(folders_, messages_, path, kScenarioExtension, name)) return false;
    record_.setScenarioFile(name);
  }
  if (!current_.SaveScenarioFile(tree_)) return false;
  if (layer_ != nullptr) layer_->Build(store_.signatures().renumbering);
  return true;
}

bool ScenarioEditor::AfterSave() {
  if (host_ != nullptr) {
    // The group the side panel shows: the selected group, or the selected
    // item's group.
    const ScenarioNode* group = selected_;
    if (group != nullptr && !group->IsGroup()) group = group->parent;
    if (group != nullptr) host_->ShowGroupInResults(group->text);
    host_->ScenarioChanged();
  }
  tree_.modified = false;
  // Rejected items show once the tree is read back with the layer's marks.
  if (layer_ != nullptr && !layer_->anomalies().empty()) RebuildTree();
  return true;
}

bool ScenarioEditor::Save() {
  if (!DefaultScenarioQuestion()) return false;
  if (!SaveWithReload()) return false;
  return AfterSave();
}

bool ScenarioEditor::SaveAs() {
  const std::string remembered = record_.scenarioFile();
  record_.setScenarioFile(std::string());
  if (layer_ != nullptr) layer_->RestartSignatures(false);
  tree_.ClearSignatures();
  if (!SaveWithReload()) {
    record_.setScenarioFile(remembered);
    return false;
  }
  return AfterSave();
}

void ScenarioEditor::New() {
  if (host_ != nullptr) host_->RunWizard();
}

}  // namespace malvex
