// Moving a scenario between its two forms: the entries of the ScenarioStore
// (one per file line) and the tree of groups and items the editor shows.
#pragma once

namespace malvex {

class ScenarioStore;
class ScenarioTree;

// Replaces `tree` by the groups and items of `store`, in store order. Each
// group line makes a group under the last group made one level up (at the
// top level for depth 0 or when there is none), except that a group line no
// deeper than the previous group whose label equals that of the last group
// made at its depth continues that group. Items go under the last group made
// one level above them (the depth-0 group for depth 0). In a file without
// group lines (old flat files) each run of items with the same value makes a
// group of that label holding them. Groups take their signature from their
// name, else the next value of the store's signature counter.
void ReadScenarioHierarchy(ScenarioStore& store, ScenarioTree& tree);

// Resets `store` and fills it from `tree` in display order: a group line
// per group (a group without a signature receives the next counter value),
// an item line per item below the top level, each with its depth (capped at
// 9). A word's shown text is written whole; another item's type comes from
// its suffix (" (*)", " (2)", ...), or from its icon when it has none. Every group then carries the signature the store gave it. False, with
// the store holding the lines added so far, when a group line is refused
// (message 1234 or 0).
bool WriteScenarioHierarchy(ScenarioTree& tree, ScenarioStore& store);

}  // namespace malvex
