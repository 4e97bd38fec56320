// Pieces shared by the benchmarks: a scratch folder and ordinary Romanian
// prose to analyse.
#pragma once

#include <stdlib.h>

#include <time.h>

#include <chrono>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cstdint>
#include <filesystem>
#include <string>
#include <system_error>

#include "foundations/charset.h"

namespace malvex::bench {

// A fresh folder under the temporary folder, removed with its content.
class ScratchFolder {
 public:
  ScratchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "malvex-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
  }
  ~ScratchFolder() {
    std::error_code ec;
    if (!path_.empty()) std::filesystem::remove_all(path_, ec);
  }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// Sentences of ordinary Romanian prose (UTF-8): narration, news, description
// and dialogue, with nouns repeated across them so that classes recur.
inline constexpr const char* kProseSentences[] = {
    "Omul a intrat în casă și a închis ușa după el.",
    "Copiii se joacă în grădina din spatele școlii până seara.",
    "Guvernul a anunțat ieri noi măsuri pentru sprijinirea agricultorilor.",
    "Marea era liniștită, iar bărcile pescarilor se întorceau încet spre port.",
    "Profesorul le-a explicat elevilor cum funcționează un motor electric.",
    "În orașul nostru s-a deschis o bibliotecă nouă, cu mii de cărți.",
    "Medicul a spus că pacientul trebuie să se odihnească o săptămână.",
    "Trenul de București a întârziat o oră din cauza zăpezii.",
    "Bunica făcea pâine în fiecare duminică, iar casa mirosea a cozonac.",
    "Primarul a promis că drumul spre sat va fi reparat până în toamnă.",
    "Studenții au protestat în fața ministerului pentru burse mai mari.",
    "Cartea vorbește despre istoria țării și despre oamenii care au construit-o.",
    "Câinele a alergat după minge prin parc, fericit și obosit.",
    "Economia a crescut anul trecut, dar prețurile au crescut și ele.",
    "Am cumpărat mere, pere și struguri de la piața din centru.",
    "Fratele meu lucrează la o fabrică de mobilă de lângă râu.",
    "Echipa noastră a câștigat meciul după o luptă grea în a doua repriză.",
    "Pădurea de pe deal este plină de fagi bătrâni și de izvoare reci.",
    "Directorul companiei a semnat contractul cu partenerii străini.",
    "Când a venit primăvara, țăranii au ieșit la câmp să are pământul.",
    "Scriitorul și-a terminat romanul după zece ani de muncă.",
    "Vremea se va răci mâine, iar în munți va ninge.",
    "Poliția a găsit mașina furată într-o parcare de la marginea orașului.",
    "Mama a pregătit ciorbă de legume și friptură pentru toată familia.",
    "Spitalul județean a primit aparate noi pentru secția de urgență.",
    "Pe strada noastră trec în fiecare dimineață sute de mașini.",
    "Tânărul a plecat la studii în străinătate și s-a întors inginer.",
    "Parlamentul a votat legea educației după o dezbatere lungă.",
    "Vecinul nostru are o vie mare și face vin bun în fiecare toamnă.",
    "Muzeul satului păstrează case vechi din toate regiunile țării.",
    "Dacă nu plouă, mergem duminică la munte cu prietenii.",
    "Banca a redus dobânda la credite pentru locuințe.",
    "Fata citea o scrisoare de la tatăl ei, care era marinar.",
    "Lupul a ieșit din pădure și s-a apropiat de turma de oi.",
    "Artiștii au pictat pereții școlii cu flori și păsări.",
    "Copilul a întrebat de ce cerul este albastru și de ce marea este sărată.",
};
inline constexpr size_t kProseSentenceCount = sizeof kProseSentences / sizeof kProseSentences[0];

// The words of a sentence: runs of characters other than blanks, commas and
// full stops.
inline uint64_t CountWords(const std::string& sentence) {
  uint64_t words = 0;
  bool inWord = false;
  for (const char c : sentence) {
    const bool letter = c != ' ' && c != ',' && c != '.';
    if (letter && !inWord) ++words;
    inWord = letter;
  }
  return words;
}

// Whole sentences of the prose until about `words` words, in the
// edition's code page, with a line break after every sixth sentence.
inline std::string ProseText(int words) {
  std::string text;
  int count = 0;
  for (size_t k = 0; count < words; ++k) {
    const std::string s = FromUtf8(kProseSentences[k % kProseSentenceCount]);
    text += s;
    text += (k % 6 == 5) ? "\n" : " ";
    count += static_cast<int>(CountWords(s));
  }
  return text;
}

// A figure of /proc/self/status in KiB ("VmRSS", "VmHWM"); -1 when it
// cannot be read.
inline long StatusKb(const char* key) {
  std::FILE* f = std::fopen("/proc/self/status", "r");
  if (f == nullptr) return -1;
  char line[256];
  long kb = -1;
  const size_t n = std::strlen(key);
  while (std::fgets(line, sizeof line, f) != nullptr) {
    if (std::strncmp(line, key, n) == 0 && line[n] == ':') {
      kb = std::atol(line + n + 1);
      break;
    }
  }
  std::fclose(f);
  return kb;
}

// Processor time of the whole process, in seconds.
inline double CpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

// Processor time of the calling thread, in milliseconds: the figure to
// trust on a busy machine.
inline double ThreadCpuMs() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// Wall-clock seconds between two instants.
inline double Seconds(std::chrono::steady_clock::time_point a, std::chrono::steady_clock::time_point b) {
  return std::chrono::duration<double>(b - a).count();
}

}  // namespace malvex::bench
