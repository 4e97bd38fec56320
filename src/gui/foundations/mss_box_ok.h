// The notification box as a Qt dialog: a text, up to three buttons by box
// kind, and an optional "Don't show this message again" check box.
#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>

#include "platform/notify.h"

namespace malvex {

class TMssBoxOk : public QDialog {
  Q_OBJECT
 public:
  // `labels` gives the button and check-box texts (already fetched).
  struct Labels {
    QString ok = "Ok", yes = "Yes", no = "No", cancel = "Cancel";
    QString dontShow = "Don't show this message again";
  };
  TMssBoxOk(QWidget* parent, const QString& title, const QString& text, BoxKind kind,
            bool withCheckBox, const Labels& labels);
  int Answer() const { return answer_; }
  bool CheckBoxChecked() const { return CheckBoxMessage->isChecked(); }

  QLabel* Label1;
  QPushButton* Button1;
  QPushButton* Button2;
  QPushButton* Button3;
  QCheckBox* CheckBoxMessage;

 private:
  void Press(int answer);
  int answer_ = kClosed;
};

// NotificationBox over TMssBoxOk. Texts are fetched through a callback so
// the catalogue can supply the button labels.
class QtNotificationBox : public NotificationBox {
 public:
  explicit QtNotificationBox(QWidget* owner = nullptr) : owner_(owner) {}
  void SetOwner(QWidget* owner) { owner_ = owner; }
  void SetLabels(const TMssBoxOk::Labels& labels) { labels_ = labels; }
  void SetTitle(const QString& title) { title_ = title; }

  bool Show(const std::string& text, BoxKind kind, bool withCheckBox, int& answer) override;
  bool DontShowAgain() const override { return dontShowAgain_; }
  void LastResortError(const std::string& text) override;

 private:
  QWidget* owner_;
  TMssBoxOk::Labels labels_;
  QString title_ = "Malvex";
  bool dontShowAgain_ = false;
};

}  // namespace malvex
