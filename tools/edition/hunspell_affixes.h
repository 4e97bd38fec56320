// A reader of a Hunspell dictionary (".aff" affix rules and ".dic" stems)
// that expands every stem into its forms, telling for each form which stem
// and which suffix rule made it, so that the rules can be given
// grammatical meaning. All text is 8-bit (the files are converted from
// UTF-8 when read).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

namespace malvex::edition {

class HunspellAffixes {
 public:
  // One generated form. `rule` is the index of the suffix rule within the
  // suffix flag `flag` (both 0 / -1 for the bare stem); `prefix` is the
  // prefix added in front ("" when none).
  struct Form {
    std::string text;
    const std::string* stem;
    const std::string* stemFlags;
    char flag;
    int rule;
    std::string prefix;
  };

  // Reads the two files (UTF-8). False when either cannot be read.
  bool Load(const std::string& affPath, const std::string& dicPath);
  // Reads the contents of the two files (UTF-8 text), for the tests.
  void LoadText(const std::string& aff, const std::string& dic);

  size_t StemCount() const { return stems_.size(); }
  // Calls `form` for every form of every stem, the bare stem first.
  void Expand(const std::function<void(const Form&)>& form) const;
  // The suffix rules of `flag` as "strip>add" texts, for reports.
  std::vector<std::string> SuffixRules(char flag) const;
  // The flags of every line of the list whose stem is `stem` (8-bit, as
  // written), joined; "" when no line has that stem.
  std::string FlagsOf(const std::string& stem) const;

 private:
  struct Rule {
    std::string strip;
    std::string add;
    // The condition as a list of byte sets, one per position.
    std::vector<std::vector<bool>> condition;
  };
  struct Affix {
    bool cross = false;
    bool suffix = true;
    std::vector<Rule> rules;
  };
  struct Stem {
    std::string text;
    std::string flags;
  };

  static bool Matches(const Rule& r, const std::string& word, bool suffix);
  void ParseAff(const std::string& text);
  void ParseDic(const std::string& text);

  Affix suffixes_[256];
  Affix prefixes_[256];
  std::vector<Stem> stems_;
  std::unordered_map<std::string, std::string> flagsByStem_;
};

}  // namespace malvex::edition
