#include "semantic/proposition_store.h"

#include "reading/word_stream.h"

namespace malvex {

void PropositionStore::Clear() {
  entries_.Clear();
  items_.Clear();
  cursor_.Reset();
}

bool PropositionStore::Append(const ClassPath* items, int count, WordNode* firstToken, int32_t position) {
  if (count < 0) count = 0;
  if (count > kPropositionItems) count = kPropositionItems;
  const uint32_t firstItem = items_.Size();
  for (int i = 0; i < count; ++i) {
    ClassPath* const slot = items_.Append();
    if (slot == nullptr) {
      items_.Truncate(firstItem);
      return false;
    }
    *slot = items[i];
  }
  Entry* const entry = entries_.Append();
  if (entry == nullptr) {
    items_.Truncate(firstItem);
    return false;
  }
  entry->firstToken = firstToken;
  entry->position = position;
  entry->firstItem = firstItem;
  entry->itemCount = static_cast<uint32_t>(count);
  return true;
}

void PropositionStore::Read(uint32_t i, PropositionView& out) const {
  const Entry& entry = entries_[i];
  const int count = static_cast<int>(entry.itemCount);
  for (int k = 0; k < count; ++k) out.items[k] = items_[entry.firstItem + static_cast<uint32_t>(k)];
  for (int k = count; k < kPropositionItems; ++k) out.items[k] = ClassPath{};
  out.itemCount = count;
  out.firstToken = entry.firstToken;
  out.position = entry.position;
}

bool PropositionStore::Next(PropositionView& out) {
  const uint32_t c = cursor_.Get();
  if (c == StoreCursor::kNone || c >= Count()) return false;
  Read(c, out);
  cursor_.Set(c + 1);
  return true;
}

bool PropositionStore::Previous(PropositionView& out) {
  const uint32_t c = cursor_.Get();
  if (c == StoreCursor::kNone || c == 0) return false;
  cursor_.Set(c - 1);
  Read(c - 1, out);
  return true;
}

int32_t PropositionStore::PositionAtCursor(int32_t highestPosition) const {
  if (!cursor_.HasCursor()) return 0;
  if (Bookmark2Passed()) return highestPosition;
  const WordNode* const token = entries_[cursor_.Get()].firstToken;
  return token == nullptr ? 0 : token->position;
}

}  // namespace malvex
