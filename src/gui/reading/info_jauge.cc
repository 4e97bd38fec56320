#include "gui/reading/info_jauge.h"

#include <QApplication>
#include <QGridLayout>

#include "gui/qt_text.h"

namespace malvex {

TInfoJauge::TInfoJauge(QWidget* parent, const QString& title, const QString& stopLabel,
                       std::function<bool()> confirmStop)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint), confirmStop_(std::move(confirmStop)) {
  setWindowTitle(title);
  auto* grid = new QGridLayout(this);
  for (int i = 0; i < 4; ++i) {
    Label[i] = new QLabel(this);
    LabelBis[i] = new QLabel("0", this);
    LabelBis[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(Label[i], i, 0);
    grid->addWidget(LabelBis[i], i, 1);
  }
  ProgressBar1 = new QProgressBar(this);
  grid->addWidget(ProgressBar1, 4, 0, 1, 2);
  ButtonArret = new QPushButton(stopLabel, this);
  grid->addWidget(ButtonArret, 5, 1);
  connect(ButtonArret, &QPushButton::clicked, this, [this] { ButtonArretClick(); });
  for (int i = 0; i < 4; ++i) Label[i]->clear();
  setMinimumWidth(380);
  pendingRepaint_.setSingleShot(true);
  connect(&pendingRepaint_, &QTimer::timeout, this, [this] { Repaint(); });
  if (parent) move(parent->geometry().center() - rect().center());
}

TInfoJauge::~TInfoJauge() = default;

void TInfoJauge::Show() {
  show();
  raise();
  QApplication::processEvents();
}

void TInfoJauge::Close() { hide(); }

void TInfoJauge::DefinirLibelle(int row, const std::string& text) {
  if (row < 1 || row > 4) return;
  Label[row - 1]->setText(ToQt(text));
  Repaint();
}

void TInfoJauge::DefinirValeur(int row, const std::string& text) {
  if (row < 1 || row > 4) return;
  LabelBis[row - 1]->setText(ToQt(text));
  if (isVisible()) Repaint();
}

void TInfoJauge::DefinirMaximum(long long n) {
  maximum_ = n <= 0 ? 1 : n;
  // QProgressBar takes ints: scale large files down to kilobytes.
  barMaximum_ = static_cast<int>(maximum_ > 0x7fffffffLL ? maximum_ / 1024 : maximum_);
  barValue_ = 0;
  Repaint();
}

void TInfoJauge::MajBar(long long pos) {
  if (isVisible()) {
    long long p = pos < maximum_ ? pos : maximum_;
    barValue_ = static_cast<int>(maximum_ > 0x7fffffffLL ? p / 1024 : p);
    Repaint();
  }
  MultiTache();
}

void TInfoJauge::Repaint() {
  constexpr int kMinimumMilliseconds = 40;
  if (lastRepaint_.isValid() && lastRepaint_.elapsed() < kMinimumMilliseconds) {
    if (!pendingRepaint_.isActive()) pendingRepaint_.start(kMinimumMilliseconds);
    return;
  }
  pendingRepaint_.stop();
  ProgressBar1->setRange(0, barMaximum_);
  ProgressBar1->setValue(barValue_);
  repaint();
  lastRepaint_.start();
}

void TInfoJauge::MultiTache() {
  if (pumping_) QApplication::processEvents();
}

bool TInfoJauge::Continue() {
  MultiTache();
  return !stopConfirmed_;
}

void TInfoJauge::ButtonArretClick() {
  if (confirmStop_ && confirmStop_()) stopConfirmed_ = true;
}

}  // namespace malvex
