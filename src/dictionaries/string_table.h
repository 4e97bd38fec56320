// StringTable: a StringIndex together with up to 65,535 numbered text
// slots; the number the index gives a text is the slot that holds it.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "dictionaries/dictionary_fault.h"
#include "dictionaries/string_index.h"

namespace malvex {

class ByteReader;
class ByteWriter;
class Messages;
class PagedTextArray;
class StringPool;

class StringTable {
 public:
  // Most texts a table holds.
  static constexpr uint32_t kMaxTexts = 65535;

  // A table whose index has `tries` tries (see StringIndex for `loading`).
  // When `keepTexts`, the texts are kept in slots, copied into `pool` when
  // one is given, otherwise into allocations of their own; a table that
  // does not keep its texts only numbers them. `messages` may be null.
  StringTable(int tries, bool loading, bool keepTexts, Messages* messages, StringPool* pool);
  ~StringTable();
  StringTable(const StringTable&) = delete;
  StringTable& operator=(const StringTable&) = delete;

  bool ok() const { return index_.ok(); }
  StringIndex& index() { return index_; }
  const StringIndex& index() const { return index_; }

  // With the overflow report on, adding to a full table shows catalogue
  // message 16 and ends the process (exit code 0). On by default.
  void SetOverflowReport(bool on) { overflowReport_ = on; }

  // Gives `text` the next number (Count() + 1): inserts the text into the
  // index and keeps a copy in that slot. A full table ends the process or
  // fails as SetOverflowReport says. An insertion the index refuses (text
  // empty or too long, trie full) fails with nothing added. A copy that
  // cannot be made shows message 0 and fails, the number staying taken with
  // an empty slot. A text the index already holds keeps its first number
  // there (the new slot is still filled).
  bool AddText(std::string_view text);
  // Replaces the text of slot `number` (1..65,535); false outside that
  // range, when the table keeps no texts, or when the copy cannot be made
  // (message 0). The index is not changed.
  bool SetText(uint32_t number, std::string_view text);
  // The text of slot `number`; null for an empty slot or a number outside
  // 1..65,535.
  const char* TextOf(uint32_t number) const;

  // The number of `text` (already folded), 0 when absent.
  uint32_t NumberOf(std::string_view text) { return index_.NumberOf(text); }
  // The number of `text` and, in `found`, its slot's text (null when none).
  uint32_t Find(std::string_view text, const char*& found) {
    const uint32_t number = NumberOf(text);
    found = TextOf(number);
    return number;
  }

  // Texts added (or read from a file).
  uint32_t Count() const { return count_; }

  // ---- Stored form ----------------------------------------------------
  // Reads `count` name records (80 bytes each, scrambled) into slots
  // 1..count and makes `count` the text count. kTruncated when the image
  // ends early; kDamaged when `count` exceeds 65,535 or the table keeps no
  // texts.
  LoadStatus LoadTexts(ByteReader& in, uint32_t count);
  // Writes slots 1..Count() as name records; false when a text cannot be
  // stored so (the record is then written empty).
  bool WriteTexts(ByteWriter& out) const;

 private:
  StringIndex index_;
  Messages* const messages_;
  std::unique_ptr<PagedTextArray> texts_;
  uint32_t count_ = 0;
  bool overflowReport_ = true;
};

}  // namespace malvex
