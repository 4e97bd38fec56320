#include "gui/app/assistant_setup.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "foundations/messages.h"
#include "gui/qt_text.h"

namespace malvex {

TAssistantSetup::TAssistantSetup(QWidget* parent, SetupWizardModel& model) : QDialog(parent), model_(model) {
  Messages& msg = model_.messages();
  const auto text = [&msg](int id) { return ToQt(msg.message(id)); };
  setWindowTitle("Malvex - " + text(2030));
  auto* layout = new QVBoxLayout(this);
  Pages = new QStackedWidget(this);
  layout->addWidget(Pages);

  // Page 1: the kind of use.
  auto* use = new QWidget(Pages);
  auto* useLayout = new QVBoxLayout(use);
  useLayout->addWidget(new QLabel("<b>" + text(2031) + "</b>", use));
  ButtonMultiUtilisateur = new QRadioButton("&" + text(2032), use);
  ButtonMonoUtilisateur = new QRadioButton("&" + text(2033), use);
  ButtonMultiUtilisateur->setChecked(model_.multiUserChosen());
  ButtonMonoUtilisateur->setChecked(!model_.multiUserChosen());
  useLayout->addWidget(ButtonMultiUtilisateur);
  useLayout->addWidget(ButtonMonoUtilisateur);
  useLayout->addStretch();
  Pages->addWidget(use);

  // Page 2: the base folder and the example texts.
  auto* folder = new QWidget(Pages);
  auto* folderLayout = new QVBoxLayout(folder);
  folderLayout->addWidget(new QLabel("<b>" + text(2034) + "</b>", folder));
  auto* row = new QHBoxLayout();
  EditDossier = new QLineEdit(QString::fromStdString(model_.baseFolder()), folder);
  ButtonDossierSortie = new QPushButton("&" + text(2035), folder);
  row->addWidget(EditDossier);
  row->addWidget(ButtonDossierSortie);
  folderLayout->addLayout(row);
  CheckBoxTextesExemples = new QCheckBox("&" + text(2036), folder);
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
  ButtonPrecedent = new QPushButton(text(2037), this);
  ButtonSuivant = new QPushButton(text(2038), this);
  ButtonTerminer = new QPushButton("&" + text(2039), this);
  ButtonAnnuler = new QPushButton(text(661), this);
  buttons->addStretch();
  for (QPushButton* b : {ButtonPrecedent, ButtonSuivant, ButtonTerminer, ButtonAnnuler}) buttons->addWidget(b);
  layout->addLayout(buttons);
  connect(ButtonPrecedent, &QPushButton::clicked, this, [this] { ButtonPrecedentClick(); });
  connect(ButtonSuivant, &QPushButton::clicked, this, [this] { ButtonSuivantClick(); });
  connect(ButtonTerminer, &QPushButton::clicked, this, [this] { ButtonTerminerClick(); });
  connect(ButtonAnnuler, &QPushButton::clicked, this, &QDialog::reject);
  connect(ButtonDossierSortie, &QPushButton::clicked, this, [this] {
    const QString chosen = QFileDialog::getExistingDirectory(this, ToQt(model_.messages().message(2040)), EditDossier->text());
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
                             ? ToQt(model_.messages().message(2041)) + "\n" +
                                   QString::fromStdString(model_.ComposeUserFolder())
                             : ToQt(model_.messages().message(2042)));
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
