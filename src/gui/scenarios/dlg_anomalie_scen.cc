#include "gui/scenarios/dlg_anomalie_scen.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "foundations/messages.h"
#include "gui/qt_text.h"
#include "scenarios/scenario_anomaly_list.h"

namespace malvex {

TDlgAnomalieScen::TDlgAnomalieScen(ScenarioAnomalyList& list, Messages& messages, std::function<void(int)> search,
                                   QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint), list_(list), messages_(messages),
      search_(std::move(search)) {
  setObjectName("DlgAnomalieScen");
  auto* layout = new QVBoxLayout(this);
  ListBox1 = new QListWidget(this);
  ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
  layout->addWidget(ListBox1, 1);
  auto* buttons = new QHBoxLayout();
  ButtonChercher = new QPushButton("&" + ToQt(messages_.message(520)), this);
  ButtonAide = new QPushButton("&" + ToQt(messages_.message(616)), this);
  ButtonAide->setEnabled(false);
  ButtonFermer = new QPushButton("&" + ToQt(messages_.message(545)), this);
  buttons->addWidget(ButtonChercher);
  buttons->addWidget(ButtonAide);
  buttons->addStretch(1);
  buttons->addWidget(ButtonFermer);
  layout->addLayout(buttons);
  StatusBar1 = new QStatusBar(this);
  StatusBar1->setSizeGripEnabled(false);
  layout->addWidget(StatusBar1);
  connect(ButtonFermer, &QPushButton::clicked, this, &QWidget::close);
  connect(ButtonChercher, &QPushButton::clicked, this, [this] { ButtonChercherClick(); });
  connect(ListBox1, &QListWidget::itemClicked, this, [this] { ButtonChercherClick(); });
  resize(520, 260);
  ShowLines();
}

void TDlgAnomalieScen::ShowLines() {
  setWindowTitle(ToQt(list_.Title()));
  ListBox1->clear();
  for (const std::string& line : list_.lines()) ListBox1->addItem(ToQt(line));
  // Search works on the first line until another one is chosen.
  if (ListBox1->count() > 0) ListBox1->setCurrentRow(0);
  StatusBar1->showMessage(ToQt(messages_.message(902)));
}

void TDlgAnomalieScen::ButtonChercherClick() {
  const int row = ListBox1->currentRow();
  if (search_) search_(row);
}

}  // namespace malvex
