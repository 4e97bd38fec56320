// Feeds arbitrary bytes to the scenario file loader as a ".scn" file, reads
// the editor's tree from the entries, and saves and reloads it twice. The
// first save may normalise what the file held (fresh signatures, cut or
// merged lines, items moved to the group they land in); from then on a
// scenario written and read back (in the encoding it was written in, code
// page 1250 or UTF-8) must give the same tree and the same file.
#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "platform/files.h"
#include "scenarios/scenario_hierarchy.h"
#include "scenarios/scenario_store.h"
#include "scenarios/scenario_tree.h"

namespace {

using malvex::ScenarioNode;
using malvex::ScenarioStore;
using malvex::ScenarioTree;

void Show(const ScenarioNode& node, std::string& out) {
  out += node.text;
  out += node.IsGroup() ? '#' + std::to_string(node.signature) : '@' + std::to_string(static_cast<int>(node.icon));
  if (node.children.empty()) return;
  out += '{';
  for (const auto& child : node.children) {
    Show(*child, out);
    out += ',';
  }
  out += '}';
}

std::string Show(const ScenarioTree& tree) {
  std::string out;
  for (const auto& root : tree.roots()) {
    Show(*root, out);
    out += '|';
  }
  return out;
}

// Checks what the store holds against its own counters.
void CheckStore(const ScenarioStore& store) {
  uint32_t total = 0;
  for (const malvex::ScenarioEntry& e : store.entries()) {
    if (e.name.size() > malvex::kScenarioFieldLength || e.value.size() > malvex::kScenarioFieldLength)
      __builtin_trap();
    if (!e.IsGroup()) total += static_cast<uint32_t>(e.name.size());
  }
  if (total != store.total() || store.count() != store.entries().size()) __builtin_trap();
}

enum class Reload { kSame, kFailed, kOtherEncoding };

// Writes `tree` to `path` and reads it back into `store` and `tree`. Code
// page text can happen to be well-formed UTF-8 once the lines the first
// load dropped are gone: read back so it is another text, and the file is
// not compared then.
Reload SaveAndReload(ScenarioTree& tree, ScenarioStore& store, const std::string& path, std::string& file) {
  if (!malvex::WriteScenarioHierarchy(tree, store)) return Reload::kFailed;
  const malvex::TextFileEncoding written = store.fileEncoding();
  if (!store.Save(path)) __builtin_trap();
  if (!malvex::ReadWholeFile(path, file)) __builtin_trap();
  store.Reset();
  if (!store.Load(path)) return Reload::kFailed;
  CheckStore(store);
  if (store.fileEncoding() != written) return Reload::kOtherEncoding;
  malvex::ReadScenarioHierarchy(store, tree);
  return Reload::kSame;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace malvex;
  Messages& messages = fuzz::FuzzMessages();
  static const std::string input = fuzz::ScratchPath("in.scn");
  static const std::string output = fuzz::ScratchPath("out.scn");
  try {
    if (!fuzz::WriteBytes(input, data, size)) return 0;
    ScenarioStore store(messages);
    if (!store.Load(input)) return 0;
    CheckStore(store);
    for (const ScenarioEntry& e : store.entries()) {
      int32_t signature = 0;
      // A group's name is the decimal text of its signature once stored.
      if (e.IsGroup() && !e.name.empty() &&
          (!ParseScenarioSignature(e.name, signature) || (signature != 0 && std::to_string(signature) != e.name)))
        __builtin_trap();
    }
    ScenarioTree tree;
    ReadScenarioHierarchy(store, tree);
    std::string first, second, third;
    if (SaveAndReload(tree, store, output, first) != Reload::kSame) return 0;
    const std::string once = Show(tree);
    if (SaveAndReload(tree, store, output, second) != Reload::kSame) __builtin_trap();
    if (Show(tree) != once) __builtin_trap();
    if (SaveAndReload(tree, store, output, third) != Reload::kSame) __builtin_trap();
    if (third != second) __builtin_trap();
  } catch (const fuzz::Refused&) {
  }
  return 0;
}
