#include "gui/views/copy_text_dialog.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QMenu>
#include <QTextCursor>
#include <QVBoxLayout>

#include "foundations/messages.h"
#include "gui/qt_text.h"

namespace malvex {

namespace {
constexpr int kMsgCopy = 579;
constexpr int kMsgExit = 608;
constexpr int kMsgSearch = 520;
constexpr int kMsgAddInScenario = 524;
constexpr int kMsgInsertInScenario = 525;
constexpr int kMsgNotAvailable = 2009;
}  // namespace

TFormCopierTexte::TFormCopierTexte(Messages& messages, QWidget* parent) : QDialog(parent), messages_(messages) {
  setObjectName("FormCopierTexte");
  setModal(false);
  setWindowTitle(ToQt(messages.message(kMsgCopy)));
  MemoTexte = new QPlainTextEdit(this);
  MemoTexte->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  ButtonCopier = new QPushButton(ToQt(messages.message(kMsgCopy)), this);
  ButtonQuitter = new QPushButton(ToQt(messages.message(kMsgExit)), this);

  // The box's pop-up: Copy, and the search and the scenario, whose windows
  // this version lacks (shown greyed).
  PopupChercher = new QAction(ToQt(messages.message(kMsgSearch)), this);
  PopupAjouterDsScenario = new QAction(ToQt(messages.message(kMsgAddInScenario)), this);
  PopupInsererDsScenario = new QAction(ToQt(messages.message(kMsgInsertInScenario)), this);
  for (QAction* a : {PopupChercher, PopupAjouterDsScenario, PopupInsererDsScenario}) {
    a->setEnabled(false);
    a->setToolTip(ToQt(messages.message(kMsgNotAvailable)));
  }
  MemoTexte->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(MemoTexte, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    QMenu menu(this);
    QAction* copy = menu.addAction(ToQt(messages_.message(kMsgCopy)));
    connect(copy, &QAction::triggered, this, [this] { Copy(); });
    menu.addAction(PopupChercher);
    menu.addSeparator();
    menu.addAction(PopupAjouterDsScenario);
    menu.addAction(PopupInsererDsScenario);
    menu.exec(MemoTexte->mapToGlobal(at));
  });
  connect(ButtonCopier, &QPushButton::clicked, this, [this] { Copy(); });
  connect(ButtonQuitter, &QPushButton::clicked, this, &QDialog::close);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(ButtonCopier);
  buttons->addStretch(1);
  buttons->addWidget(ButtonQuitter);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(MemoTexte, 1);
  layout->addLayout(buttons);
  resize(640, 420);
}

void TFormCopierTexte::Load(WordStream& stream, int32_t clicked, TExtraitDuTexte* extractView,
                            SelectionState* selection) {
  box_ = FillCopyText(stream, clicked, extractView, selection);
  // Code page 1250 has one character per byte, so the box's offsets are
  // those of the Qt text.
  MemoTexte->setPlainText(ToQt(box_.Text()));
  QTextCursor cursor = MemoTexte->textCursor();
  cursor.setPosition(box_.caret > 0 ? box_.caret : 0);
  MemoTexte->setTextCursor(cursor);
  MemoTexte->ensureCursorVisible();
  show();
  raise();
  activateWindow();
}

void TFormCopierTexte::Copy() {
  const QTextCursor cursor = MemoTexte->textCursor();
  const QString text = MemoTexte->toPlainText();
  QString clip;
  if (cursor.selectionEnd() - cursor.selectionStart() < 2) {
    clip = text;
  } else {
    // A selection across lines holds U+2029 for each break.
    clip = cursor.selectedText().replace(QChar(0x2029), QChar('\n'));
  }
  QClipboard* clipboard = QGuiApplication::clipboard();
  clipboard->clear();
  clipboard->setText(clip);
}

}  // namespace malvex
