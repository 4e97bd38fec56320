// The built edition read back through the engine's own loaders: the words
// of the generated sources come out of the compiled lexicon, lemma indexes
// and semantic dictionary with the readings and lemmas the sources give
// them. Runs when the edition has been built (the `edition` target);
// skipped otherwise.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "curated_tables.h"
#include "dictionaries/lemma_index.h"
#include "dictionaries/lexicon.h"
#include "dictionaries/noun_lemma_dictionary.h"
#include "dictionaries/semantic_dictionary.h"
#include "dictionaries/string_pool.h"
#include "foundations/category.h"
#include "foundations/charset.h"
#include "foundations/language_tables.h"
#include "foundations/messages.h"
#include "platform/scripted_box.h"

namespace malvex::edition {
namespace {

const std::string kBase = std::string(MALVEX_DICO_DIR) + "/roglex";

bool EditionBuilt() {
  for (const char* ext : {".lv8", ".sv8", ".vv8", ".av8", ".zv8"}) {
    if (!std::filesystem::exists(kBase + ext)) return false;
  }
  return std::filesystem::exists(std::string(MALVEX_EDITION_SOURCES) + "/lexicon.tsv");
}

// The fields of the first line of each listed form (8-bit) in senses.tsv.
std::map<std::string, std::vector<std::string>> FirstSenses(const std::vector<std::string>& forms) {
  std::map<std::string, std::vector<std::string>> senses;
  std::ifstream in(std::string(MALVEX_EDITION_SOURCES) + "/senses.tsv");
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> f = SplitTabs(line);
    const std::string form = FromUtf8(f[0]);
    if (std::find(forms.begin(), forms.end(), form) == forms.end() || senses.count(form)) continue;
    f.resize(6);
    senses[form] = std::move(f);
  }
  return senses;
}

// The codes of the listed forms (8-bit) in lexicon.tsv.
std::map<std::string, std::vector<uint16_t>> SourceCodes(const std::vector<std::string>& forms) {
  std::map<std::string, std::vector<uint16_t>> codes;
  std::ifstream in(std::string(MALVEX_EDITION_SOURCES) + "/lexicon.tsv");
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    const std::vector<std::string> f = SplitTabs(line);
    const std::string form = FromUtf8(f[0]);
    if (std::find(forms.begin(), forms.end(), form) == forms.end()) continue;
    for (size_t i = 1; i < f.size(); ++i) codes[form].push_back(static_cast<uint16_t>(std::stoul(f[i], nullptr, 16)));
  }
  return codes;
}

class EditionRoundTrip : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (!EditionBuilt()) return;
    state_ = new State;
    state_->lexicon.Open(kBase + ".*");
    state_->semantic.Load(kBase + ".*");
    state_->verbs.Load(kBase + kVerbLemmaExtension);
    state_->adjectives.Load(kBase + kAdjectiveLemmaExtension);
  }
  static void TearDownTestSuite() {
    delete state_;
    state_ = nullptr;
  }
  void SetUp() override {
    if (state_ == nullptr) GTEST_SKIP() << "the edition is not built";
  }

  struct State {
    ScriptedBox box;
    Messages messages{box};
    LanguageTables tables = DefaultLanguageTables();
    StringPool pool;
    Lexicon lexicon{messages, tables};
    SemanticDictionary semantic{messages, tables, pool};
    LemmaIndex verbs{29, 7, &messages, &pool};
    LemmaIndex adjectives{29, 7, &messages, &pool};
  };
  static State* state_;
};

EditionRoundTrip::State* EditionRoundTrip::state_ = nullptr;

TEST_F(EditionRoundTrip, KnownWordsKeepTheirReadingsAndLemmas) {
  struct Row {
    const char* form;  // UTF-8, as the text reader stores it ("dr." loses its full stop)
    const char* verbLemma;       // expected in the verb lemma index, or null
    const char* adjectiveLemma;  // expected in the adjective lemma index, or null
    const char* nounLemma;       // noun lemma of the first sense, or null
  };
  const Row rows[] = {
      {"mănânc", "mânca", nullptr, nullptr},
      {"am", "avea", nullptr, nullptr},
      {"și", nullptr, nullptr, nullptr},
      {"dacă", nullptr, nullptr, nullptr},
      {"foarte", nullptr, nullptr, nullptr},
      {"nu", nullptr, nullptr, nullptr},
      {"eu", nullptr, nullptr, nullptr},
      {"el", nullptr, nullptr, nullptr},
      {"care", nullptr, nullptr, nullptr},
      {"acest", nullptr, nullptr, nullptr},
      {"frumos", nullptr, "frumos", nullptr},
      {"frumoasă", nullptr, "frumos", nullptr},
      {"trei", nullptr, nullptr, nullptr},
      {"casa", nullptr, nullptr, "casă"},
      {"dr", nullptr, nullptr, "dr"},
  };
  std::vector<std::string> forms;
  for (const Row& r : rows) forms.push_back(FromUtf8(r.form));
  const auto codes = SourceCodes(forms);
  const auto senses = FirstSenses(forms);
  State& s = *state_;
  for (const Row& r : rows) {
    const std::string form = FromUtf8(r.form);
    const auto it = codes.find(form);
    ASSERT_NE(it, codes.end()) << r.form << " is not in lexicon.tsv";
    // Every reading of the source, in order, the ambiguity bit on all but
    // the last.
    const std::vector<uint16_t>& source = it->second;
    for (size_t k = 0; k < source.size(); ++k) {
      char buf[80] = {};
      form.copy(buf, form.size());
      ASSERT_GE(s.lexicon.Lookup(static_cast<int>(k), buf, form.size()), 0) << r.form << " reading " << k;
      const uint16_t expected = k + 1 < source.size() ? (source[k] | kCodeAmbiguous) : source[k];
      EXPECT_EQ(s.lexicon.code(), expected) << r.form << " reading " << k;
    }
    if (r.verbLemma != nullptr) {
      const char* lemma = s.verbs.LemmaOfForm(form);
      ASSERT_NE(lemma, nullptr) << r.form;
      EXPECT_EQ(ToUtf8(lemma), r.verbLemma) << r.form;
    }
    if (r.adjectiveLemma != nullptr) {
      const char* lemma = s.adjectives.LemmaOfForm(form);
      ASSERT_NE(lemma, nullptr) << r.form;
      EXPECT_EQ(ToUtf8(lemma), r.adjectiveLemma) << r.form;
    }
    if (r.nounLemma != nullptr) {
      char buf[80] = {};
      form.copy(buf, form.size());
      ASSERT_GT(s.semantic.AllReadings(buf), 0) << r.form;
      const FoundReading& first = s.semantic.Reading(0);
      const char* lemma = s.semantic.nounLemmas().NameOf(first.lemma);
      ASSERT_NE(lemma, nullptr) << r.form;
      EXPECT_EQ(ToUtf8(lemma), r.nounLemma) << r.form;
      // The classes of the first sense line of the form.
      const auto line = senses.find(form);
      ASSERT_NE(line, senses.end()) << r.form << " is not in senses.tsv";
      for (int level = 1; level <= 3; ++level) {
        const std::string& name = line->second[static_cast<size_t>(level)];
        if (name.empty() || name == "-") {
          EXPECT_EQ(first.path.at(level), 0) << r.form << " level " << level;
        } else {
          // A class keeps the first spelling of its name.
          std::string stored = s.semantic.ClassName(level, first.path.at(level));
          std::string expected = FromUtf8(name);
          FoldToLower(stored);
          FoldToLower(expected);
          EXPECT_EQ(ToUtf8(stored), ToUtf8(expected)) << r.form << " level " << level;
        }
      }
    }
  }
}

TEST_F(EditionRoundTrip, LemmaIndexesAndSensesHoldWhatTheSourcesList) {
  // Every line of the lemma tables and of the senses made it into the
  // compiled files: the builder writes only what they can hold.
  State& s = *state_;
  const struct {
    const char* file;
    LemmaIndex* index;
  } tables[] = {{"verb_lemmas.tsv", &s.verbs}, {"adjective_lemmas.tsv", &s.adjectives}};
  for (const auto& t : tables) {
    std::ifstream in(std::string(MALVEX_EDITION_SOURCES) + "/" + t.file);
    std::string line;
    size_t lines = 0, wrong = 0;
    while (std::getline(in, line)) {
      if (line.empty() || line[0] == '#') continue;
      const std::vector<std::string> f = SplitTabs(line);
      ASSERT_EQ(f.size(), 2u) << t.file << ": " << line;
      const std::string form = FromUtf8(f[0]);
      const std::string lemma = FromUtf8(f[1]);
      if (form == lemma) {
        // A lemma line: the lemma table knows it.
        if (!t.index->IsLemma(lemma)) ++wrong;
      } else {
        const char* found = t.index->LemmaOfForm(form);
        if (found == nullptr || lemma != found) ++wrong;
      }
      ++lines;
    }
    EXPECT_GT(lines, 0u) << t.file;
    EXPECT_EQ(wrong, 0u) << t.file;
  }
  std::ifstream in(std::string(MALVEX_EDITION_SOURCES) + "/senses.tsv");
  std::string line;
  size_t lines = 0, missing = 0;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    const std::vector<std::string> f = SplitTabs(line);
    ASSERT_EQ(f.size(), 6u) << line;
    std::string form = FromUtf8(f[0]);
    char buf[80] = {};
    form.copy(buf, form.size());
    if (s.semantic.FindWord(buf) < 0) ++missing;
    ++lines;
  }
  EXPECT_GT(lines, 0u);
  EXPECT_EQ(missing, 0u);
}

}  // namespace
}  // namespace malvex::edition
