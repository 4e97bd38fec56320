// Appends ten million words to the word stream, walks them forwards and
// backwards, and prints the time per operation and the memory per word.

#include <malloc.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string_view>

#include "reading/word_stream.h"
#include "bench_support.h"

namespace {

using malvex::bench::StatusKb;

using Clock = std::chrono::steady_clock;

// Romanian-like words of typical lengths (mean about 7 characters).
constexpr std::string_view kWords[] = {
    "si",        "de",         "la",        "care",        "pentru",     "acest",
    "oamenii",   "guvernul",   "ministrul", "economiei",   "spune",      "astazi",
    "romania",   "bucuresti",  "dezvoltare", "proiectul",  "legea",      "parlamentul",
    "tara",      "anul",       "trecut",    "important",   "situatia",   "problemele",
    "a",         "sa",         "nu",        "mai",         "foarte",     "deoarece",
    "invatamant", "sanatatii", "cetatenii", "administratia", "locale",   "comunei",
    "judetului", "primarul",   "consiliul", "hotararea",   "aprobat",    "bugetul",
    "investitii", "drumuri",   "scoli",     "spitale",     "copiii",     "familiile"};
constexpr size_t kWordCount = sizeof(kWords) / sizeof(kWords[0]);
constexpr std::string_view kSeparators[] = {" ", ", ", " (", " - "};

constexpr uint32_t kAppends = 10000000;

double NsPer(Clock::duration d, uint64_t n) {
  return std::chrono::duration<double, std::nano>(d).count() / static_cast<double>(n);
}

struct Figures {
  double appendNs = 0;
  double forwardNs = 0;
  double backNs = 0;
  uint64_t steps = 0;
  uint64_t checksum = 0;
};

// Fills the stream with kAppends words (one end marker after every eight)
// and walks it forwards, then back.
Figures FillAndWalk(malvex::WordStream& stream, uint64_t& textBytes) {
  Figures f;
  malvex::WordInfo info;
  info.category.category = 8;
  textBytes = 0;
  int32_t position = 0;
  uint32_t state = 12345;
  const auto appendStart = Clock::now();
  for (uint32_t k = 0; k < kAppends; ++k) {
    state = state * 1103515245u + 12345u;  // cheap pseudo-random choice
    std::string_view text = kWords[(state >> 16) % kWordCount];
    std::string_view separator = kSeparators[(state >> 8) & 3];
    if (k % 9 == 8) {
      text = "/";
      separator = ".";
    } else {
      ++position;
    }
    textBytes += text.size();
    if (!stream.Append(text, separator, info, position, 0, 1)) {
      std::fprintf(stderr, "append failed at %u\n", k);
      std::exit(1);
    }
  }
  f.appendNs = NsPer(Clock::now() - appendStart, kAppends);

  malvex::WordInfo got;
  const char* separator;
  int32_t pos;
  stream.Rewind();
  const auto forwardStart = Clock::now();
  while (const char* text = stream.Next(got, separator, pos)) {
    f.checksum += static_cast<unsigned char>(text[0]) + static_cast<uint32_t>(pos);
    ++f.steps;
  }
  f.forwardNs = NsPer(Clock::now() - forwardStart, f.steps);

  uint64_t backSteps = 0;
  const auto backStart = Clock::now();
  while (const char* text = stream.Previous(got, separator, pos)) {
    f.checksum += static_cast<unsigned char>(text[0]) + static_cast<unsigned char>(separator[0]);
    ++backSteps;
  }
  f.backNs = NsPer(Clock::now() - backStart, backSteps);
  if (backSteps != f.steps) std::fprintf(stderr, "walks differ: %llu forwards, %llu back\n",
                                         static_cast<unsigned long long>(f.steps),
                                         static_cast<unsigned long long>(backSteps));
  return f;
}

void Print(const char* label, const Figures& f) {
  std::printf("%s\n", label);
  std::printf("  append                %6.2f ns per word\n", f.appendNs);
  std::printf("  walk forwards (Next)  %6.2f ns per step\n", f.forwardNs);
  std::printf("  walk back (Previous)  %6.2f ns per step\n", f.backNs);
}

}  // namespace

int main() {
  // Freed chunks stay with the allocator, so that the second round measures
  // the stream alone, without the kernel's cost of first touching memory.
  mallopt(M_TRIM_THRESHOLD, 1 << 30);

  auto stream = std::make_unique<malvex::WordStream>(nullptr);
  const long rssBefore = StatusKb("VmRSS");

  uint64_t textBytes = 0;
  const Figures cold = FillAndWalk(*stream, textBytes);

  const uint32_t count = stream->Count();
  const size_t textReserved = stream->WordPool().BytesReserved();
  const size_t nodeReserved = stream->Nodes().BytesReserved();
  const long peakKb = StatusKb("VmHWM");

  const auto resetStart = Clock::now();
  stream->Reset();
  const double resetMs = std::chrono::duration<double, std::milli>(Clock::now() - resetStart).count();

  const Figures warm = FillAndWalk(*stream, textBytes);

  std::printf("words appended          %u (%llu steps each way; mean text %.2f bytes)\n", count,
              static_cast<unsigned long long>(cold.steps),
              static_cast<double>(textBytes) / count);
  std::printf("sizeof(WordNode)        %zu bytes, %zu nodes per chunk\n",
              sizeof(malvex::WordNode), malvex::NodePool::kNodesPerChunk);
  Print("first fill (fresh memory from the kernel)", cold);
  Print("second fill after Reset (memory kept by the allocator)", warm);
  std::printf("reset                   %.2f ms\n", resetMs);
  std::printf("pools                   %.2f bytes per word (nodes %.2f + texts %.2f)\n",
              static_cast<double>(textReserved + nodeReserved) / count,
              static_cast<double>(nodeReserved) / count,
              static_cast<double>(textReserved) / count);
  std::printf("peak RSS                %ld KiB (%.2f bytes per word above the %ld KiB at start)\n",
              peakKb, (peakKb - rssBefore) * 1024.0 / count, rssBefore);
  std::printf("checksum                %llu\n",
              static_cast<unsigned long long>(cold.checksum + warm.checksum));
  return 0;
}
