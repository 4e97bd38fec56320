#include "gui/foundations/mss_box_ok.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QVBoxLayout>

#include "gui/qt_text.h"

namespace malvex {

TMssBoxOk::TMssBoxOk(QWidget* parent, const QString& title, const QString& text, BoxKind kind,
                     bool withCheckBox, const Labels& labels)
    : QDialog(parent) {
  setWindowTitle(title);
  setWindowIcon(QApplication::windowIcon());
  setModal(true);
  Label1 = new QLabel(text, this);
  Label1->setWordWrap(true);
  Label1->setTextInteractionFlags(Qt::TextSelectableByMouse);
  Button1 = new QPushButton(this);
  Button2 = new QPushButton(this);
  Button3 = new QPushButton(this);
  CheckBoxMessage = new QCheckBox("&" + labels.dontShow, this);
  CheckBoxMessage->setVisible(withCheckBox);

  auto label = [](const QString& t) { return t.isEmpty() ? QString("???") : "&" + t; };
  QPushButton* focused = Button2;
  switch (kind) {
    case BoxKind::kMessage:
      Button1->hide();
      Button2->setText(label(labels.ok));
      Button3->hide();
      focused = Button2;
      break;
    case BoxKind::kOkCancel:
      Button1->setText(label(labels.ok));
      Button2->hide();
      Button3->setText(label(labels.cancel));
      focused = Button3;
      break;
    case BoxKind::kYesNoCancel:
      Button1->setText(label(labels.yes));
      Button2->setText(label(labels.no));
      Button3->setText(label(labels.cancel));
      focused = Button2;
      break;
    case BoxKind::kYesNoDefaultNo:
    case BoxKind::kYesNoDefaultYes:
      Button1->setText(label(labels.yes));
      Button2->hide();
      Button3->setText(label(labels.no));
      focused = kind == BoxKind::kYesNoDefaultNo ? Button3 : Button1;
      break;
  }
  connect(Button1, &QPushButton::clicked, this, [this] { Press(kButton1); });
  connect(Button2, &QPushButton::clicked, this, [this] { Press(kButton2); });
  connect(Button3, &QPushButton::clicked, this, [this] { Press(kButton3); });

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  for (QPushButton* b : {Button1, Button2, Button3}) {
    buttons->addWidget(b);
    buttons->addStretch();
  }
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Label1);
  layout->addWidget(CheckBoxMessage);
  layout->addLayout(buttons);
  focused->setDefault(true);
  focused->setFocus();
}

void TMssBoxOk::Press(int answer) {
  answer_ = answer;
  accept();
}

bool QtNotificationBox::Show(const std::string& text, BoxKind kind, bool withCheckBox, int& answer) {
  TMssBoxOk box(owner_, title_, ToQt(text), kind, withCheckBox, labels_);
  box.raise();
  box.activateWindow();
  box.exec();
  answer = box.Answer();
  if (withCheckBox) dontShowAgain_ = box.CheckBoxChecked();
  return true;
}

void QtNotificationBox::LastResortError(const std::string& text) {
  QMessageBox::critical(QApplication::focusWidget(), "Error - Erreur", ToQt(text));
}

}  // namespace malvex
