#include "gui/app/assistant_setup.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "gui/qt_text.h"

namespace malvex {

TAssistantSetup::TAssistantSetup(QWidget* parent, SetupWizardModel& model) : QDialog(parent), model_(model) {
  setWindowTitle("Malvex - Set-up");
  auto* layout = new QVBoxLayout(this);
  Pages = new QStackedWidget(this);
  layout->addWidget(Pages);

  // Page 1: the kind of use.
  auto* use = new QWidget(Pages);
  auto* useLayout = new QVBoxLayout(use);
  useLayout->addWidget(new QLabel("<b>How will Malvex be used on this computer?</b>", use));
  ButtonMultiUtilisateur = new QRadioButton("&Several users, each with a folder of their own (recommended)", use);
  ButtonMonoUtilisateur = new QRadioButton("&One user, the settings beside the program", use);
  ButtonMultiUtilisateur->setChecked(model_.multiUserChosen());
  ButtonMonoUtilisateur->setChecked(!model_.multiUserChosen());
  useLayout->addWidget(ButtonMultiUtilisateur);
  useLayout->addWidget(ButtonMonoUtilisateur);
  useLayout->addStretch();
  Pages->addWidget(use);

  // Page 2: the base folder and the example texts.
  auto* folder = new QWidget(Pages);
  auto* folderLayout = new QVBoxLayout(folder);
  folderLayout->addWidget(new QLabel("<b>Where should your scenarios, borders and texts be kept?</b>", folder));
  auto* row = new QHBoxLayout();
  EditDossier = new QLineEdit(QString::fromStdString(model_.baseFolder()), folder);
  ButtonDossierSortie = new QPushButton("&Browse...", folder);
  row->addWidget(EditDossier);
  row->addWidget(ButtonDossierSortie);
  folderLayout->addLayout(row);
  CheckBoxTextesExemples = new QCheckBox("Copy the &example texts", folder);
  CheckBoxTextesExemples->setChecked(model_.copyExampleTextsChosen());
  folderLayout->addWidget(CheckBoxTextesExemples);
  folderLayout->addStretch();
  Pages->addWidget(folder);

  // Page 3: the folder the choices give.
  auto* last = new QWidget(Pages);
  auto* lastLayout = new QVBoxLayout(last);
  LabelResume = new QLabel(last);
  LabelResume->setWordWrap(true);
  lastLayout->addWidget(LabelResume);
  lastLayout->addStretch();
  Pages->addWidget(last);

  auto* buttons = new QHBoxLayout();
  ButtonPrecedent = new QPushButton("< &Back", this);
  ButtonSuivant = new QPushButton("&Next >", this);
  ButtonTerminer = new QPushButton("&Finish", this);
  ButtonAnnuler = new QPushButton("Cancel", this);
  buttons->addStretch();
  for (QPushButton* b : {ButtonPrecedent, ButtonSuivant, ButtonTerminer, ButtonAnnuler}) buttons->addWidget(b);
  layout->addLayout(buttons);
  connect(ButtonPrecedent, &QPushButton::clicked, this, [this] { ButtonPrecedentClick(); });
  connect(ButtonSuivant, &QPushButton::clicked, this, [this] { ButtonSuivantClick(); });
  connect(ButtonTerminer, &QPushButton::clicked, this, [this] { ButtonTerminerClick(); });
  connect(ButtonAnnuler, &QPushButton::clicked, this, &QDialog::reject);
  connect(ButtonDossierSortie, &QPushButton::clicked, this, [this] {
    const QString chosen = QFileDialog::getExistingDirectory(this, "Base folder", EditDossier->text());
    if (!chosen.isEmpty()) EditDossier->setText(chosen);
  });
  ShowPage(0);
  resize(520, 260);
}

void TAssistantSetup::Run(SetupWizardModel& model) {
  TAssistantSetup wizard(nullptr, model);
  wizard.exec();
}

void TAssistantSetup::TakeChoices() {
  model_.chooseMultiUser(ButtonMultiUtilisateur->isChecked());
  model_.setBaseFolder(EditDossier->text().toStdString());
  model_.setCopyExampleTexts(CheckBoxTextesExemples->isChecked());
}

void TAssistantSetup::ShowPage(int page) {
  Pages->setCurrentIndex(page);
  ButtonPrecedent->setEnabled(page > 0);
  ButtonSuivant->setEnabled(page < Pages->count() - 1);
  ButtonTerminer->setEnabled(page == Pages->count() - 1);
  if (page == 2) {
    TakeChoices();
    LabelResume->setText(model_.multiUserChosen()
                             ? "Your files will be kept in:\n" + QString::fromStdString(model_.ComposeUserFolder())
                             : QString("Your settings will be kept beside the program."));
  }
  // The folder page only matters for several users.
  if (page == 1) EditDossier->setEnabled(ButtonMultiUtilisateur->isChecked());
}

void TAssistantSetup::ButtonSuivantClick() {
  if (Page() < Pages->count() - 1) ShowPage(Page() + 1);
}

void TAssistantSetup::ButtonPrecedentClick() {
  if (Page() > 0) ShowPage(Page() - 1);
}

void TAssistantSetup::ButtonTerminerClick() {
  TakeChoices();
  // A folder that cannot be made keeps the wizard open (the model shows
  // the error).
  if (model_.Finish()) accept();
}

}  // namespace malvex
