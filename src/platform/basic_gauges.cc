#include "platform/basic_gauges.h"

#include <chrono>
#include <cstdio>

namespace malvex {

void SilentGauge::DefinirLibelle(int row, const std::string& text) {
  if (row >= 1 && row <= 4) labels_[row - 1] = text;
}

void SilentGauge::DefinirValeur(int row, const std::string& text) {
  if (row >= 1 && row <= 4) values_[row - 1] = text;
}

void SilentGauge::DefinirMaximum(long long n) {
  maximum_ = n <= 0 ? 1 : n;
  position_ = 0;
}

void SilentGauge::MajBar(long long pos) {
  if (visible_) position_ = pos < maximum_ ? pos : maximum_;
  MultiTache();
}

bool SilentGauge::Continue() {
  MultiTache();
  ++continues_;
  if (stopAfter_ > 0 && continues_ >= stopAfter_) stopConfirmed_ = true;
  return !stopConfirmed_;
}

ConsoleGauge::ConsoleGauge(std::function<std::string(const std::string&)> toUtf8)
    : toUtf8_(std::move(toUtf8)) {}

void ConsoleGauge::MajBar(long long pos) {
  SilentGauge::MajBar(pos);
  using namespace std::chrono;
  long long now = duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
  if (now - lastShownMs_ < 250 && pos < Maximum()) return;
  lastShownMs_ = now;
  int percent = static_cast<int>(Position() * 100 / (Maximum() > 0 ? Maximum() : 1));
  std::fprintf(stderr, "\r%s %s  %s %s  %3d%%", toUtf8_(Label(1)).c_str(), toUtf8_(Value(1)).c_str(),
               toUtf8_(Label(2)).c_str(), toUtf8_(Value(2)).c_str(), percent);
  std::fflush(stderr);
  printed_ = true;
}

void ConsoleGauge::Close() {
  if (printed_) std::fputc('\n', stderr);
  printed_ = false;
  SilentGauge::Close();
}

}  // namespace malvex
