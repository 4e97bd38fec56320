#include "gui/views/graph_options_dialog.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "foundations/messages.h"
#include "gui/dialog_buttons.h"
#include "gui/qt_text.h"

namespace malvex {

TDlgOptionsGraphes::TDlgOptionsGraphes(TDlgOptionsGraphesModel& model, Messages& messages, QWidget* parent)
    : QDialog(parent), model_(model) {
  setModal(false);
  setWindowTitle(ToQt(GraphOptionsCaption(messages)));
  setToolTip(ToQt(messages.message(722)));

  auto* types = new QGroupBox(ToQt(messages.message(731)), this);
  auto* typesLayout = new QVBoxLayout(types);
  auto* typeGroup = new QButtonGroup(this);
  QRadioButton** buttons[] = {&RadioButtonAire, &RadioButtonEtoile, &RadioButtonDensite, &RadioButtonEpisodes,
                              &RadioButtonActeurs};
  for (int type = 1; type <= 5; ++type) {
    auto* b = new QRadioButton(ToQt(GraphTypeCaption(messages, type)), types);
    *buttons[type - 1] = b;
    typeGroup->addButton(b, type);
    typesLayout->addWidget(b);
  }
  connect(typeGroup, &QButtonGroup::idClicked, this, [this](int type) {
    if (!filling_) model_.RadioButtonTypeClick(type);
  });

  auto* objects = new QGroupBox(ToQt(messages.message(729)), this);
  auto* objectsLayout = new QHBoxLayout(objects);
  ScrollNbreObjetsGraphe = new QScrollBar(Qt::Horizontal, objects);
  ScrollNbreObjetsGraphe->setRange(TDlgOptionsGraphesModel::kMinObjects, TDlgOptionsGraphesModel::kMaxObjects);
  ScrollNbreObjetsGraphe->setPageStep(4);
  ScrollNbreObjetsGraphe->setMinimumWidth(160);
  LabelNbreObjets = new QLabel(objects);
  LabelNbreObjets->setMinimumWidth(LabelNbreObjets->fontMetrics().horizontalAdvance("0000"));
  objectsLayout->addWidget(ScrollNbreObjetsGraphe, 1);
  objectsLayout->addWidget(LabelNbreObjets);
  connect(ScrollNbreObjetsGraphe, &QScrollBar::valueChanged, this, [this](int value) {
    if (filling_) return;
    model_.ScrollNbreObjetsGrapheChange(value);
    LabelNbreObjets->setText(ToQt(model_.ObjectLimitLabel()));
  });

  AfficheRafalesSurCategories = new QCheckBox(ToQt(messages.message(730)), this);
  connect(AfficheRafalesSurCategories, &QCheckBox::clicked, this,
          [this](bool on) { model_.AfficheRafalesSurCategoriesClick(on); });

  auto* texture = new QGroupBox(ToQt(messages.message(732)), this);
  auto* textureLayout = new QHBoxLayout(texture);
  AiresTransparentes = new QRadioButton(ToQt(messages.message(733)), texture);
  AiresOpaques = new QRadioButton(ToQt(messages.message(1055)), texture);
  textureLayout->addWidget(AiresTransparentes);
  textureLayout->addWidget(AiresOpaques);
  connect(AiresTransparentes, &QRadioButton::clicked, this, [this] { model_.AiresOpaquesClick(false); });
  connect(AiresOpaques, &QRadioButton::clicked, this, [this] { model_.AiresOpaquesClick(true); });

  const DialogButtons dialogButtons = MakeDialogButtons(this, messages, 680);
  ButtonOk = dialogButtons.ok;
  ButtonAnnuler = dialogButtons.cancel;
  ButtonAide = dialogButtons.help;

  auto* right = new QVBoxLayout;
  right->addWidget(objects);
  right->addWidget(AfficheRafalesSurCategories);
  right->addWidget(texture);
  right->addStretch(1);
  auto* top = new QHBoxLayout;
  top->addWidget(types);
  top->addLayout(right, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addLayout(ButtonsRow(dialogButtons));
}

QRadioButton* TDlgOptionsGraphes::TypeButton(int type) const {
  switch (type) {
    case 1: return RadioButtonAire;
    case 3: return RadioButtonDensite;
    case 4: return RadioButtonEpisodes;
    case 5: return RadioButtonActeurs;
    default: return RadioButtonEtoile;
  }
}

void TDlgOptionsGraphes::ShowModel() {
  filling_ = true;
  TypeButton(model_.checkedType())->setChecked(true);
  ScrollNbreObjetsGraphe->setValue(model_.objectLimit());
  LabelNbreObjets->setText(ToQt(model_.ObjectLimitLabel()));
  AfficheRafalesSurCategories->setChecked(model_.bundlesOnAllCategories());
  (model_.opaqueObjects() ? AiresOpaques : AiresTransparentes)->setChecked(true);
  filling_ = false;
}

void TDlgOptionsGraphes::Open() {
  if (!isVisible()) {
    model_.FormShow();
    ShowModel();
    show();
  }
  raise();
  activateWindow();
}

void TDlgOptionsGraphes::reject() {
  model_.ButtonAnnulerClick();
  ShowModel();
  QDialog::reject();
}

}  // namespace malvex
