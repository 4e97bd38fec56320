// The progress gauge of a run as a small dialog that stays on top: four
// caption/value rows, a progress bar and a Stop button.
#pragma once

#include <QDialog>
#include <QElapsedTimer>
#include <QTimer>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <functional>

#include "platform/gauge.h"

namespace malvex {

class TInfoJauge : public QDialog, public Gauge {
  Q_OBJECT
 public:
  // `confirmStop` asks the user whether to stop (true on Yes).
  TInfoJauge(QWidget* parent, const QString& title, const QString& stopLabel,
             std::function<bool()> confirmStop);
  ~TInfoJauge() override;

  void Show() override;
  void Close() override;
  bool Visible() const override { return isVisible(); }
  void DefinirLibelle(int row, const std::string& text) override;
  void DefinirValeur(int row, const std::string& text) override;
  void DefinirMaximum(long long n) override;
  void MajBar(long long pos) override;
  void MultiTache() override;
  bool Continue() override;
  void SetPumping(bool on) override { pumping_ = on; }

  void ButtonArretClick();

  QLabel* Label[4];
  QLabel* LabelBis[4];
  QProgressBar* ProgressBar1;
  QPushButton* ButtonArret;

 private:
  // Shows the bar's range and position and repaints at once, unless the
  // last repaint is very recent: a corpus of thousands of small files
  // would otherwise spend its time drawing the gauge. A skipped repaint
  // is done by a timer at the next event pumping.
  void Repaint();

  std::function<bool()> confirmStop_;
  QElapsedTimer lastRepaint_;
  QTimer pendingRepaint_;
  int barMaximum_ = 1;
  int barValue_ = 0;
  long long maximum_ = 1;
  bool pumping_ = false;
  bool stopConfirmed_ = false;
};

}  // namespace malvex
