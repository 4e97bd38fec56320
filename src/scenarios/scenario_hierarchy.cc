#include "scenarios/scenario_hierarchy.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>

#include "scenarios/scenario_store.h"
#include "scenarios/scenario_tree.h"

namespace malvex {

namespace {

char DepthDigit(int depth) { return static_cast<char>('0' + std::min(depth, kScenarioMaxDepth)); }

std::string CutField(const std::string& text) { return text.substr(0, kScenarioFieldLength); }

// Whether `display` ends with a type suffix as ScenarioItemDisplayText
// writes it: a blank and one of the suffix characters in parentheses.
bool HasTypeSuffix(const std::string& display) {
  const size_t n = display.size();
  return n >= 5 && display[n - 4] == ' ' && display[n - 3] == '(' && display[n - 1] == ')' &&
         std::string_view("*123ASV").find(display[n - 2]) != std::string_view::npos;
}

// The item text and entry type of an item node. A word is shown without a
// suffix, so its shown text is its text whatever it ends with (a word
// ending with ')' would otherwise lose its last four characters at every
// save); the other kinds carry their suffix, and without one the icon
// tells the type.
void ItemOf(const ScenarioNode& node, std::string& text, char& type) {
  if (node.icon != ScenarioIcon::kWord && HasTypeSuffix(node.text)) {
    SplitScenarioItemText(node.text, text, type);
    return;
  }
  text = node.text;
  switch (node.icon) {
    case ScenarioIcon::kClass: type = '1'; break;
    case ScenarioIcon::kVerb: type = 'V'; break;
    case ScenarioIcon::kAdjective: type = 'A'; break;
    case ScenarioIcon::kSubstantive: type = 'S'; break;
    default: type = '0'; break;
  }
}

// The tree's state while entries are read.
class HierarchyReader {
 public:
  HierarchyReader(ScenarioStore& store, ScenarioTree& tree) : store_(store), tree_(tree) {}

  void Read() {
    tree_.Clear();
    store_.Rewind();
    while (const ScenarioEntry* e = store_.Next()) {
      const int depth = e->Depth();
      if (e->IsGroup()) {
        noGroupLineYet_ = false;
        const ScenarioNode* last = lastGroup_[depth];
        if (depth > previousDepth_ || last == nullptr || last->text != e->value) {
          MakeGroup(depth, e->value, *e);
        }
        continue;
      }
      if (noGroupLineYet_ && e->value != lastLabel_) {
        // An old flat file: the item's value names its group. The group is
        // made one level above the item so that the item lands inside it.
        MakeGroup(depth > 0 ? depth - 1 : 0, e->value, *e);
      }
      ScenarioNode* parent = lastGroup_[depth > 0 ? depth - 1 : 0];
      tree_.AddItem(parent, ScenarioItemDisplayText(e->name, e->code[0]),
                    ScenarioItemIcon(e->code[0], e->code[3] != '#'));
    }
  }

 private:
  void MakeGroup(int depth, const std::string& label, const ScenarioEntry& e) {
    ScenarioSignatures& s = store_.signatures();
    int32_t signature = 0;
    if (!ParseScenarioSignature(e.name, signature)) {
      ++s.counter;
      signature = static_cast<int32_t>(std::min<int64_t>(s.counter, INT32_MAX));
    }
    ScenarioNode* parent = depth > 0 ? lastGroup_[depth - 1] : nullptr;
    lastGroup_[depth] = tree_.AddGroup(parent, label, e.code[3] != 'H', signature);
    previousDepth_ = depth;
    lastLabel_ = label;
  }

  ScenarioStore& store_;
  ScenarioTree& tree_;
  std::array<ScenarioNode*, kScenarioMaxDepth + 1> lastGroup_{};
  int previousDepth_ = 0;
  std::string lastLabel_;
  bool noGroupLineYet_ = true;
};

bool WriteNode(ScenarioNode& node, int depth, ScenarioStore& store) {
  if (node.IsGroup()) {
    if (node.signature < 1 && !store.NextSignature(node.signature)) return false;
    const char code[4] = {'G', '#', DepthDigit(depth), node.IsVisibleGroup() ? 'V' : 'H'};
    if (!store.Add(ScenarioEntry::Make(std::string_view(code, 4), std::to_string(node.signature),
                                       CutField(node.text)))) {
      return false;
    }
    // The store may have reissued the signature; the node keeps the one
    // written, so that the next save writes the same.
    int32_t written = 0;
    if (ParseScenarioSignature(store.entries().back().name, written)) node.signature = written;
  } else if (node.parent != nullptr) {
    std::string text;
    char type = '0';
    ItemOf(node, text, type);
    const char code[4] = {type, '#', DepthDigit(depth), '#'};
    // A refused item is left out; the save goes on.
    store.Add(ScenarioEntry::Make(std::string_view(code, 4), text, CutField(node.parent->text)));
  }
  for (const auto& child : node.children) {
    if (!WriteNode(*child, depth + 1, store)) return false;
  }
  return true;
}

}  // namespace

void ReadScenarioHierarchy(ScenarioStore& store, ScenarioTree& tree) {
  HierarchyReader(store, tree).Read();
  tree.modified = false;
}

bool WriteScenarioHierarchy(ScenarioTree& tree, ScenarioStore& store) {
  store.Reset();
  for (const auto& root : tree.roots()) {
    if (!WriteNode(*root, 0, store)) return false;
  }
  return true;
}

}  // namespace malvex
