#include "gui/views/colours_dialog.h"

#include <QColorDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPainter>
#include <QPixmap>
#include <QVBoxLayout>

#include "foundations/messages.h"
#include "gui/dialog_buttons.h"
#include "gui/qt_text.h"
#include "qtcanvas/qpainter_canvas.h"

namespace malvex {

namespace {
constexpr int kSwatch = 14;

QIcon Swatch(uint32_t rgb) {
  QPixmap pixmap(kSwatch, kSwatch);
  pixmap.fill(ToQColor(rgb));
  QPainter painter(&pixmap);
  painter.setPen(Qt::black);
  painter.drawRect(0, 0, kSwatch - 1, kSwatch - 1);
  return QIcon(pixmap);
}
}  // namespace

uint32_t FromQColor(const QColor& colour) {
  return static_cast<uint32_t>(colour.red()) | static_cast<uint32_t>(colour.green()) << 8 |
         static_cast<uint32_t>(colour.blue()) << 16;
}

TDlgCouleurs::TDlgCouleurs(TDlgCouleursModel& model, Messages& messages, QWidget* parent)
    : QDialog(parent), model_(model), messages_(messages) {
  setModal(false);
  setWindowTitle(ToQt(ColoursCaption(messages)));
  chooser_ = [this](const QColor& initial, QColor& chosen) {
    const QColor c = QColorDialog::getColor(initial, this);
    if (!c.isValid()) return false;
    chosen = c;
    return true;
  };

  ListBoxCouleurs = new QListWidget(this);
  ListBoxCouleurs->setIconSize(QSize(kSwatch, kSwatch));
  ListBoxCouleurs->setSelectionMode(QAbstractItemView::SingleSelection);
  for (const TDlgCouleursModel::Entry& e : TDlgCouleursModel::Entries()) {
    ListBoxCouleurs->addItem(ToQt(messages_.message(e.nameId)));
  }
  connect(ListBoxCouleurs, &QListWidget::currentRowChanged, this, [this](int row) {
    if (!filling_) model_.SelectEntry(row);
  });
  connect(ListBoxCouleurs, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
    model_.SelectEntry(ListBoxCouleurs->row(item));
    ButtonModifierClick();
  });

  ButtonModifier = new QPushButton(ToQt(messages.message(521)), this);
  ButtonRestaurer = new QPushButton(ToQt(messages.message(737)), this);
  ButtonRestaurer->setToolTip(ToQt(messages.message(738)));
  connect(ButtonModifier, &QPushButton::clicked, this, [this] { ButtonModifierClick(); });
  connect(ButtonRestaurer, &QPushButton::clicked, this, [this] {
    model_.ButtonRestaurerClick();
    ShowList();
  });

  auto* coloration = new QGroupBox(ToQt(messages.message(772)), this);
  auto* colorationLayout = new QVBoxLayout(coloration);
  RadioButtonSelective = new QRadioButton(ToQt(messages.message(773)), coloration);
  RadioButtonSyntaxique = new QRadioButton(ToQt(messages.message(774)), coloration);
  colorationLayout->addWidget(RadioButtonSelective);
  colorationLayout->addWidget(RadioButtonSyntaxique);
  connect(RadioButtonSelective, &QRadioButton::clicked, this, [this] { model_.RadioColorationClick(true); });
  connect(RadioButtonSyntaxique, &QRadioButton::clicked, this, [this] { model_.RadioColorationClick(false); });

  const DialogButtons dialogButtons = MakeDialogButtons(this, messages, 680);
  ButtonOk = dialogButtons.ok;
  ButtonAnnuler = dialogButtons.cancel;
  ButtonAide = dialogButtons.help;

  auto* side = new QVBoxLayout;
  side->addWidget(ButtonModifier);
  side->addWidget(ButtonRestaurer);
  side->addWidget(coloration);
  side->addStretch(1);
  side->addWidget(ButtonOk);
  side->addWidget(ButtonAnnuler);
  side->addWidget(ButtonAide);
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(ListBoxCouleurs, 1);
  layout->addLayout(side);
}

void TDlgCouleurs::ShowList() {
  filling_ = true;
  for (int i = 0; i < TDlgCouleursModel::kEntries; ++i) ListBoxCouleurs->item(i)->setIcon(Swatch(model_.EntryColour(i)));
  ListBoxCouleurs->setCurrentRow(model_.selected());
  (model_.selective() ? RadioButtonSelective : RadioButtonSyntaxique)->setChecked(true);
  filling_ = false;
}

void TDlgCouleurs::ButtonModifierClick() {
  const int entry = model_.selected();
  if (entry < 0 || entry >= TDlgCouleursModel::kEntries) return;
  QColor chosen;
  if (!chooser_(ToQColor(model_.EntryColour(entry)), chosen)) return;
  model_.ButtonModifierClick(FromQColor(chosen));
  ShowList();
}

void TDlgCouleurs::Open() {
  if (!isVisible()) {
    model_.FormShow();
    ShowList();
    show();
  }
  raise();
  activateWindow();
}

void TDlgCouleurs::reject() {
  model_.ButtonAnnulerClick();
  ShowList();
  QDialog::reject();
}

}  // namespace malvex
