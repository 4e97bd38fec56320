// The progress gauge of an analysis run: four caption/value rows, a bar and
// a Stop button. The Qt front end shows a dialog, the CLI a progress line on
// stderr, tests use a silent or scripted one.
#pragma once

#include <string>

namespace malvex {

class Gauge {
 public:
  virtual ~Gauge() = default;

  // Makes the gauge visible (after creation) and hides it again.
  virtual void Show() = 0;
  virtual void Close() = 0;
  virtual bool Visible() const = 0;

  // Caption of row 1..4 (rows above 4 are ignored). Text in code page 1250.
  virtual void DefinirLibelle(int row, const std::string& text) = 0;
  // Value of row 1..4; repaints only while visible.
  virtual void DefinirValeur(int row, const std::string& text) = 0;
  // Bar range 0..n; n <= 0 stores 1. Resets the bar position to 0.
  virtual void DefinirMaximum(long long n) = 0;
  // Moves the bar to min(pos, maximum) while visible, then pumps events.
  virtual void MajBar(long long pos) = 0;
  // Dispatches pending user-interface events when pumping is enabled.
  virtual void MultiTache() = 0;
  // Pumps events; false once the user has confirmed Stop.
  virtual bool Continue() = 0;
  // Enables or disables the event pumping of MajBar and MultiTache.
  virtual void SetPumping(bool on) = 0;
};

}  // namespace malvex
