// The graph options dialog: a modeless form over TDlgOptionsGraphesModel.
// It forwards the clicks and the scroll bar to the model and shows what
// the model holds.
#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include "app/graph_options_model.h"

namespace malvex {

class Messages;

class TDlgOptionsGraphes : public QDialog {
  Q_OBJECT
 public:
  // `model` and `messages` must outlive the form.
  TDlgOptionsGraphes(TDlgOptionsGraphesModel& model, Messages& messages, QWidget* parent = nullptr);

  // Opens the form, or brings it to the front when it is open already (the
  // values found on the first opening stay the ones Cancel returns to).
  void Open();

  QRadioButton* RadioButtonAire;
  QRadioButton* RadioButtonEtoile;
  QRadioButton* RadioButtonDensite;
  QRadioButton* RadioButtonEpisodes;
  QRadioButton* RadioButtonActeurs;
  QScrollBar* ScrollNbreObjetsGraphe;
  QLabel* LabelNbreObjets;
  QCheckBox* AfficheRafalesSurCategories;
  QRadioButton* AiresTransparentes;
  QRadioButton* AiresOpaques;
  QPushButton* ButtonOk;
  QPushButton* ButtonAnnuler;
  QPushButton* ButtonAide;

  void reject() override;

 private:
  void ShowModel();
  QRadioButton* TypeButton(int type) const;

  TDlgOptionsGraphesModel& model_;
  bool filling_ = false;
};

}  // namespace malvex
