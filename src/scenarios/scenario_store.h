// The in-memory scenario: one ScenarioEntry per line of a scenario file
// (".scn"), in file order, and the reading and writing of those files.
//
// Scenario file: single-byte text in code page 1250, no header, one entry a
// line, each line ending with CR LF (a file a text editor saved in UTF-8,
// with or without a byte-order mark, is read as such and written back so):
//   code (4 characters) TAB name TAB value
// Code positions: 0 "G" for a group line, else the item type ("0" word,
// "1" / "2" / "3" class of the semantic dictionary's level 1 / 2 / 3, "A"
// adjective, "S" substantive, "V" verb); 1 "#"; 2 the depth digit "0".."9";
// 3 for a group "V" visible or "H" hidden, for an item "#" or a mark of an
// item the semantic dictionary rejected ("?"). A group line's name is its
// signature (a decimal integer) and its value its label; an item line's name
// is the item text and its value the label of its group.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "foundations/charset.h"

namespace malvex {

class Messages;

// Longest name or value of an entry; longer texts are cut.
inline constexpr size_t kScenarioFieldLength = 79;
// A line is read into a buffer of this many characters...
inline constexpr size_t kScenarioLineBuffer = 517;
// ...and cut at this many before its fields are split.
inline constexpr size_t kScenarioLineLength = 164;
// Deepest group of a scenario.
inline constexpr int kScenarioMaxDepth = 9;
// Highest signature the counter may hand out.
inline constexpr int64_t kScenarioMaxSignature = 2147483646;

// The type of an entry from its first code character: '1', '2', '3' give
// the class level 1..3, any other character 0.
int16_t ScenarioKindOf(char code);

// Reads `text` as a signed 32-bit decimal integer (an optional sign and at
// least one digit, nothing else).
bool ParseScenarioSignature(std::string_view text, int32_t& value);

// One line of a scenario file.
struct ScenarioEntry {
  std::array<char, 4> code{};
  // ScenarioKindOf(code[0]).
  int16_t kind = 0;
  std::string name;
  std::string value;
  // False when the entry has no value (written as nothing after the second
  // TAB).
  bool hasValue = false;

  // An entry of `code` (the first four characters; blanks in positions 1..3
  // stay as given), `name` and `value`.
  static ScenarioEntry Make(std::string_view code, std::string_view name, std::string_view value);
  static ScenarioEntry Make(std::string_view code, std::string_view name);

  bool IsGroup() const { return code[0] == 'G'; }
  // The depth digit of code position 2; 0 when it is not a digit.
  int Depth() const;
};

// Scenario-wide signature state, shared by the store and the Scenario layer
// of the semantic dictionary.
struct ScenarioSignatures {
  // The highest group signature handed out or seen.
  int64_t counter = 0;
  // Set when group signatures had to be reissued.
  bool renumbering = false;
  // Set by the creation wizard when it assembles existing scenarios: every
  // group line added receives a fresh signature. The Scenario layer build
  // clears it.
  bool forcedRenumbering = false;
};

class ScenarioStore {
 public:
  // `messages` shows the memory, signature and file errors; it must outlive
  // the store. The store starts empty.
  explicit ScenarioStore(Messages& messages);
  ScenarioStore(const ScenarioStore&) = delete;
  ScenarioStore& operator=(const ScenarioStore&) = delete;

  bool Ok() const { return initialized_; }
  Messages& messages() { return messages_; }

  // Empties the list (count and total 0) and clears the renumbering flag.
  void Initialise();
  // Frees every entry; count and total 0.
  void Clear();
  // Clear then Initialise.
  void Reset();

  // Appends a copy of `entry`. A group line whose name is not a valid
  // integer, or any group line while the renumbering or forced-renumbering
  // flag is set, receives the next signature (and sets the renumbering
  // flag); a group's name is stored as the decimal text of its signature (a
  // signature of 0 keeps the text as given). Valid signatures raise the
  // counter. Fails with message 1234 when the signature to hand out would
  // pass 2,147,483,646, and with message 0 when memory runs out; nothing is
  // added then.
  bool Add(const ScenarioEntry& entry);

  // Hands out the next signature: the counter plus one, which the counter
  // takes. Shows message 1234 and fails when it would pass 2,147,483,646.
  bool NextSignature(int32_t& signature);

  // Sequential reading: Rewind puts the cursor on the first entry, Next
  // returns the entry under the cursor and moves on (null at the end).
  void Rewind() { cursor_ = 0; }
  ScenarioEntry* Next() { return cursor_ < entries_.size() ? &entries_[cursor_++] : nullptr; }

  // Reads the scenario file `path` (format at the top of this file) into
  // the store, after the entries it holds. Lines without a TAB are skipped
  // and fields longer than 79 characters cut; either shows message 536 once
  // at the end. A file that cannot be opened or read shows message 4 with
  // the quoted path and returns false (the entries read so far stay); so
  // does a refused Add (which stops the load). The signature counter starts
  // at 0 and the renumbering flag clear. The file's encoding (UTF-8 when it
  // has the mark, or is well-formed UTF-8 beyond ASCII; else code page 1250)
  // becomes the store's.
  bool Load(const std::string& path);
  // Replaces `path` by the entries with a non-empty name, one line each, in
  // the store's encoding. A write error shows message 5 with the quoted path
  // and returns false.
  bool Save(const std::string& path);
  // The bytes Save writes.
  std::string Serialise() const;

  // The encoding Save writes: that of the file last loaded (or attempted),
  // code page 1250 for a store that never loaded one. It belongs to the file,
  // not to the entries: Initialise, Clear and Reset keep it.
  TextFileEncoding fileEncoding() const { return fileEncoding_; }
  void setFileEncoding(TextFileEncoding encoding) { fileEncoding_ = encoding; }

  uint32_t count() const { return static_cast<uint32_t>(entries_.size()); }
  // Sum of the name lengths of the entries that are not group lines.
  uint32_t total() const { return total_; }
  const std::vector<ScenarioEntry>& entries() const { return entries_; }
  // Entry `i` (0-based), for the Scenario layer build, which marks rejected
  // items in code position 3.
  ScenarioEntry& entry(size_t i) { return entries_[i]; }

  ScenarioSignatures& signatures() { return signatures_; }
  const ScenarioSignatures& signatures() const { return signatures_; }

  // Modification time (nanoseconds) of the file last read or written, 0
  // when no scenario is loaded.
  int64_t fileTime() const { return fileTime_; }
  void setFileTime(int64_t time) { fileTime_ = time; }

 private:
  // Shows `id`, a blank and `path` in double quotes.
  void FileError(int id, const std::string& path);
  // Splits one line and adds its entry; false when Add refuses it.
  bool AddLine(std::string_view line, bool& integrityError);

  Messages& messages_;
  std::vector<ScenarioEntry> entries_;
  size_t cursor_ = 0;
  uint32_t total_ = 0;
  bool initialized_ = false;
  ScenarioSignatures signatures_;
  int64_t fileTime_ = 0;
  TextFileEncoding fileEncoding_ = TextFileEncoding::kCodePage;
};

}  // namespace malvex
