// The borders dictionary: the words (or compounds) that, met in a text,
// start or stop leaving the following words out of the analysis. The user
// keeps them in a borders file (".dlm"); before each analysis they are
// loaded into the borders store and compiled into the borders trie, which
// the reader asks for every word while borders are active.
//
// A borders file holds one entry per line, ending in CR LF: 8 code
// characters, a TAB, the text. Code byte 0 is 'X' for a border that starts
// filtering, anything else for one that stops it; bytes 1..7 are kept as
// read and written back unchanged (0 bytes written as '#'). The file is
// code page 1250; one a text editor saved in UTF-8, with or without a
// byte-order mark, is read as such and written back so.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "dictionaries/trie.h"
#include "foundations/charset.h"

namespace malvex {

class Messages;

// One border as the user typed it.
struct BorderEntry {
  static constexpr int kCodeBytes = 8;
  static constexpr int kMaxText = 79;

  char text[kMaxText + 1];  // zero-terminated; compounds join words with '_'
  char code[kCodeBytes];    // not terminated

  bool HasText() const { return text[0] != 0; }
  bool StartsFiltering() const { return code[0] == 'X'; }
};

// What the reading of one text tells the style diagnosis about borders.
struct BordersReport {
  // Borders were active while the text was read.
  bool active = false;
  // Propositions left out inside filtered parts.
  int64_t filteredPropositions = 0;
};

// The message of the diagnosis of a text with no word left: 555 ("All the
// text is filtered by the borders !") when borders removed at least one
// proposition, else 18 (empty or unreadable file).
int EmptyTextMessage(const BordersReport& report);
// The borders line of the style diagnosis: 352 when active borders removed
// at least one proposition, 353 when they were active and removed none, 0
// (no line) when they were not active.
int BordersDiagnosisMessage(const BordersReport& report);

class BordersStore {
 public:
  // Room of the borders trie, in cells.
  static constexpr uint32_t kTrieCapacity = 32599;
  // A line is read into a buffer of this many bytes (one for the end).
  static constexpr size_t kLineBuffer = 518;
  // Trie values: a border that starts filtering, one that stops it.
  static constexpr uint16_t kStarts = 1;
  static constexpr uint16_t kStops = 2;

  // `messages` (must outlive the store) shows the load, save and compile
  // messages and the memory message of Add.
  explicit BordersStore(Messages& messages);
  ~BordersStore();
  BordersStore(const BordersStore&) = delete;
  BordersStore& operator=(const BordersStore&) = delete;

  // Set when the store could set itself up.
  bool Ok() const { return ok_; }

  // Frees every entry; the store is then empty (only when ok).
  void Clear();
  // Appends a copy of `text` (cut to 79 characters) with `code` (its first
  // 8 bytes, padded with 0 bytes). When memory runs out shows message 0 and
  // returns false, the store unchanged.
  bool Add(std::string_view text, std::string_view code);
  size_t Count() const { return count_; }

  // Sequential reading in insertion order: Rewind, then Next until null.
  void Rewind() { cursor_ = first_; }
  const BorderEntry* Next();

  // Appends the entries of the borders file `path`. A file that cannot be
  // opened or read shows message 4 and fails, keeping the entries read so
  // far. Lines without a text are skipped and texts of 80 characters or
  // more are cut to 79; either shows message 550 once at the end, and the
  // load still succeeds. The file's encoding (UTF-8 when it has the mark, or
  // is well-formed UTF-8 beyond ASCII; else code page 1250) becomes the
  // store's.
  bool Load(const std::string& path);
  // Writes every entry that has a text to `path`, in the store's encoding,
  // replacing the file only once the whole new content is on disk: a failed
  // save shows message 5 and leaves any previous file whole.
  bool Save(const std::string& path) const;
  // The file content Save writes.
  std::string Serialize() const;

  // The encoding Save writes: that of the file last loaded (or attempted),
  // code page 1250 for a store that never loaded one. Clear keeps it.
  TextFileEncoding FileEncoding() const { return fileEncoding_; }
  void SetFileEncoding(TextFileEncoding encoding) { fileEncoding_ = encoding; }

  // Builds the borders trie from the entries: each text (folded to lower
  // case) gets 1 when its code starts with 'X', else 2. Borders become
  // active when at least one entry starts filtering, or whenever
  // `showBordersInText` is off (the border words must then be left out of
  // the text). A full trie shows message 560 and leaves the later entries
  // out. False when the store is not ok.
  bool Compile(bool showBordersInText);
  // Frees the borders trie and clears borders active.
  void Release();

  // True when `word` (any case) is a border; `startsFiltering` then tells
  // its kind. A word entered twice with different kinds counts as one that
  // stops filtering. False whenever no trie is compiled.
  bool IsBorder(std::string_view word, bool& startsFiltering);

  // The raw trie value of `word` (any case): 1, 2, a value with bit 15
  // set for an ambiguous border, 0 when absent or no trie is compiled.
  uint16_t TrieValue(std::string_view word);

  // The reader consults the borders only while this is set.
  bool Active() const { return active_; }
  void SetActive(bool active) { active_ = active; }
  // The trie, for reports and tests; not created while released.
  const Trie16& trie() const { return trie_; }

 private:
  struct Node {
    BorderEntry entry;
    Node* next;
  };

  // Appends a line's code and text, noting the line as damaged when it has
  // no text or its text was cut.
  void TakeLine(const char* line, size_t length, bool& damaged);

  Messages& messages_;
  bool ok_ = true;
  bool active_ = false;
  Node* first_ = nullptr;
  Node* last_ = nullptr;
  Node* cursor_ = nullptr;
  size_t count_ = 0;
  Trie16 trie_;
  TextFileEncoding fileEncoding_ = TextFileEncoding::kCodePage;
};

}  // namespace malvex
