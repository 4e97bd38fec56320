// Builds a Trie32 of about one million generated word forms, then times
// 200,000 lookups (forms present, and forms absent that share a prefix with
// stored ones) and prints lookups per second.

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "dictionaries/trie.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr size_t kKeys = 1000000;
constexpr size_t kLookups = 200000;
constexpr uint32_t kCapacity = 40000000;

// Romanian-like syllables and endings; forms are 2 to 4 syllables and an
// ending, mean length about 9 characters.
constexpr std::string_view kSyllables[] = {
    "ca", "pa", "ra", "ma", "ta", "la", "na", "sa", "de", "ne", "re", "te", "le", "me", "mi",
    "ri", "ti", "li", "ni", "si", "co", "po", "ro", "to", "lo", "mo", "cu", "pu", "ru", "tu",
    "lu", "mu", "str", "pr", "tr", "gr", "br", "fl", "cl", "ve", "vi", "fa", "fi", "ga", "ge",
    "gi", "ba", "bi", "du", "da", "za", "zi", "\xE3" "r", "\xE2" "n", "\xEE" "n", "\xBA" "a",
    "\xFE" "i", "sc", "nt", "mp"};
constexpr std::string_view kEndings[] = {
    "", "ul", "ului", "ii", "ilor", "a", "ei", "ele", "elor", "\xE3", "e", "i", "at", "ate",
    "ea", "esc", "e\xBA" "te", "im", "i\xFE" "i", "eaz\xE3", "are", "area", "\xE3" "rii", "iu"};

template <size_t N>
std::string_view Pick(std::mt19937& random, const std::string_view (&table)[N]) {
  return table[random() % N];
}

std::string Form(std::mt19937& random) {
  std::string form;
  const int syllables = 2 + static_cast<int>(random() % 3);
  for (int i = 0; i < syllables; ++i) form += Pick(random, kSyllables);
  form += Pick(random, kEndings);
  return form;
}

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

}  // namespace

int main() {
  std::mt19937 random(2024);
  std::vector<std::string> forms;
  forms.reserve(kKeys);
  {
    std::unordered_set<std::string> seen;
    seen.reserve(kKeys * 2);
    while (forms.size() < kKeys) {
      std::string form = Form(random);
      if (seen.insert(form).second) forms.push_back(std::move(form));
    }
  }

  malvex::Trie32 trie;
  trie.Create(kCapacity, nullptr);
  const Clock::time_point buildStart = Clock::now();
  for (size_t i = 0; i < forms.size(); ++i) {
    if (!trie.Insert(forms[i], static_cast<uint16_t>(1 + i % 0x7FFF))) {
      std::fprintf(stderr, "insertion refused at %zu keys\n", i);
      return 1;
    }
  }
  const double buildSeconds = Seconds(Clock::now() - buildStart);

  // Probes: stored forms, and absent ones (a stored form with a changed
  // last character or an extra one), in random order.
  std::vector<std::string> present;
  std::vector<std::string> absent;
  present.reserve(kLookups);
  absent.reserve(kLookups);
  for (size_t i = 0; i < kLookups; ++i) present.push_back(forms[random() % forms.size()]);
  while (absent.size() < kLookups) {
    std::string probe = forms[random() % forms.size()];
    if (random() % 2 == 0) {
      probe.back() = static_cast<char>('a' + random() % 26);
    } else {
      probe += "q";
    }
    if (trie.ValueOf(probe) == 0) absent.push_back(std::move(probe));
  }

  const auto run = [&trie](const std::vector<std::string>& probes, uint64_t& hits) {
    const Clock::time_point start = Clock::now();
    for (const std::string& probe : probes) {
      if (trie.Find(probe.data(), probe.size()) >= 0 && trie.Cursor().value != 0) ++hits;
    }
    return Seconds(Clock::now() - start);
  };
  uint64_t presentHits = 0;
  uint64_t absentHits = 0;
  const double presentSeconds = run(present, presentHits);
  const double absentSeconds = run(absent, absentHits);

  std::printf("Trie32: %zu keys, %u cells in use (%.1f MB of arrays), built in %.2f s "
              "(%.0f insertions/s)\n",
              forms.size(), trie.Used(), trie.Used() * 7.0 / 1e6, buildSeconds,
              forms.size() / buildSeconds);
  std::printf("lookups of present forms: %zu in %.3f s = %.0f lookups/s (%llu found)\n", kLookups,
              presentSeconds, kLookups / presentSeconds,
              static_cast<unsigned long long>(presentHits));
  std::printf("lookups of absent forms:  %zu in %.3f s = %.0f lookups/s (%llu found)\n", kLookups,
              absentSeconds, kLookups / absentSeconds, static_cast<unsigned long long>(absentHits));
  return presentHits == kLookups && absentHits == 0 ? 0 : 1;
}
