// Gauges without a window: a silent one for tests and batch use, and one
// that writes a progress line on stderr for the command line.
#pragma once

#include <atomic>
#include <functional>
#include <string>

#include "platform/gauge.h"

namespace malvex {

// Keeps the rows and the bar in memory and shows nothing. A test can ask it
// to report Stop after a number of Continue() calls.
class SilentGauge : public Gauge {
 public:
  void Show() override { visible_ = true; }
  void Close() override { visible_ = false; }
  bool Visible() const override { return visible_; }
  void DefinirLibelle(int row, const std::string& text) override;
  void DefinirValeur(int row, const std::string& text) override;
  void DefinirMaximum(long long n) override;
  void MajBar(long long pos) override;
  void MultiTache() override {}
  bool Continue() override;
  void SetPumping(bool on) override { pumping_ = on; }

  // Continue() returns false from its `n`-th call on (n >= 1; 0 never).
  void StopAfterContinues(int n) { stopAfter_ = n; }
  // Marks Stop as confirmed, as the Stop button would.
  void ConfirmStop() { stopConfirmed_ = true; }

  const std::string& Label(int row) const { return labels_[row - 1]; }
  const std::string& Value(int row) const { return values_[row - 1]; }
  long long Maximum() const { return maximum_; }
  long long Position() const { return position_; }
  int ContinueCalls() const { return continues_; }
  bool Pumping() const { return pumping_; }

 private:
  bool visible_ = false;
  bool pumping_ = false;
  std::string labels_[4];
  std::string values_[4];
  long long maximum_ = 1;
  long long position_ = 0;
  int continues_ = 0;
  int stopAfter_ = 0;
  std::atomic<bool> stopConfirmed_{false};
};

// Writes "label value ... nn%" lines on stderr, at most a few per second.
// Stop is confirmed by RequestStop(), which the command line calls from
// its interrupt handling.
class ConsoleGauge : public SilentGauge {
 public:
  // `toUtf8` converts code page 1250 texts for the terminal.
  explicit ConsoleGauge(std::function<std::string(const std::string&)> toUtf8);
  void MajBar(long long pos) override;
  void Close() override;

 private:
  std::function<std::string(const std::string&)> toUtf8_;
  long long lastShownMs_ = 0;
  bool printed_ = false;
};

}  // namespace malvex
