#include "gui/views/context_form.h"

#include <QCloseEvent>
#include <QDesktopServices>
#include <QGridLayout>
#include <QMouseEvent>
#include <QHBoxLayout>
#include <QPainter>
#include <QScreen>
#include <QSignalBlocker>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>
#include <QWheelEvent>

#include "foundations/messages.h"
#include "gui/qt_text.h"
#include "qtcanvas/qpainter_canvas.h"

namespace malvex {

namespace {
constexpr int kMsgContext = 387;
constexpr int kMsgCopy = 579;
constexpr int kMsgSearch = 520;
constexpr int kMsgMove = 817;
constexpr int kMsgFile = 324;
constexpr int kMsgLocalize = 1020;
constexpr int kMsgWebPage = 921;
constexpr int kMsgOpenWith = 630;
constexpr int kMsgDefaultApplication = 2147;
constexpr int kMsgExit = 608;
constexpr int kMsgUrl = 1021;
constexpr int kMsgUrlHint = 1022;
constexpr int kMsgStatus = 1054;
constexpr int kMsgNotAvailable = 2009;
}  // namespace

TContextPage::TContextPage(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  setMinimumSize(200, 100);
}

void TContextPage::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (model_ == nullptr) {
    painter.fillRect(rect(), palette().base());
    return;
  }
  QPainterCanvas canvas(painter);
  model_->Draw(canvas, CanvasRect{0, 0, width(), height()});
  if (onDrawn) onDrawn();
}

void TContextPage::wheelEvent(QWheelEvent* event) {
  if (model_ == nullptr) return;
  const bool moved = event->angleDelta().y() < 0 ? model_->LineDown() : model_->LineUp();
  if (moved) update();
  event->accept();
}

void TContextPage::mouseMoveEvent(QMouseEvent* event) {
  if (model_ == nullptr) return;
  const QPoint at = event->position().toPoint();
  TextViewHit hit;
  if (model_->view().WordAt(at.x(), at.y(), hit) && hit.kind == 0 && hit.position > 0 && onWord) onWord(hit.position);
}

TFormContexte::TFormContexte(WordStream& stream, SelectionState& selection, const SettingsRecord& settings,
                             const TPileFile& files, Messages& messages, QWidget* main)
    : QWidget(main, Qt::Window | Qt::WindowStaysOnTopHint),
      stream_(stream),
      selection_(selection),
      settings_(settings),
      files_(files),
      messages_(messages) {
  setObjectName("FormContexte");
  setWindowTitle(Text(kMsgContext));
  openUrl = [](const QString& url) { return QDesktopServices::openUrl(QUrl(url)); };

  auto button = [this](const QString& text, const QString& hint) {
    auto* b = new QToolButton(this);
    b->setText(text);
    b->setToolTip(hint);
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    return b;
  };
  ButtonCopier = button(Text(kMsgCopy), Text(kMsgCopy));
  ButtonChercher = button(Text(kMsgSearch), Text(kMsgNotAvailable));
  ButtonChercher->setEnabled(false);  // the word search has no window in this version
  ButtonDeplacer = button(Text(kMsgMove), Text(kMsgMove));
  ButtonLocaliser = button(Text(kMsgLocalize), Text(kMsgLocalize));
  ButtonOuvrirWeb = button(Text(kMsgWebPage), Text(kMsgWebPage));
  const QString withDefault = Text(kMsgOpenWith) + Text(kMsgDefaultApplication);
  ButtonOuvrirAvecDefaut = button(withDefault, withDefault);
  const QString withProgram = Text(kMsgOpenWith) + "Malvex";
  ButtonOuvrirAvecLeProgramme = button(withProgram, withProgram);
  ButtonQuitter = button(Text(kMsgExit), Text(kMsgExit));

  // Two rows, the text commands then the file commands, so that the
  // window stays narrow beside the main one.
  auto* tools = new QGridLayout;
  int column = 0;
  for (QToolButton* b : {ButtonCopier, ButtonChercher, ButtonDeplacer, ButtonQuitter}) tools->addWidget(b, 0, column++);
  column = 0;
  for (QToolButton* b : {ButtonLocaliser, ButtonOuvrirWeb, ButtonOuvrirAvecDefaut, ButtonOuvrirAvecLeProgramme}) {
    tools->addWidget(b, 1, column++);
  }
  tools->setColumnStretch(4, 1);

  EditFichier = new QLineEdit(this);
  EditFichier->setReadOnly(true);
  EditUrl = new QLineEdit(this);
  EditUrl->setReadOnly(true);
  EditUrl->setToolTip(Text(kMsgUrlHint));
  auto* fields = new QGridLayout;
  fields->addWidget(new QLabel(Text(kMsgFile), this), 0, 0);
  fields->addWidget(EditFichier, 0, 1);
  fields->addWidget(new QLabel(Text(kMsgUrl), this), 1, 0);
  fields->addWidget(EditUrl, 1, 1);

  ImageContexte = new TContextPage(this);
  ScrollBarContexte = new QScrollBar(Qt::Vertical, this);
  auto* page = new QHBoxLayout;
  page->setSpacing(0);
  page->addWidget(ImageContexte, 1);
  page->addWidget(ScrollBarContexte);

  StatusBar = new QStatusBar(this);
  StatusBar->showMessage(Text(kMsgStatus));

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(tools);
  layout->addLayout(fields);
  layout->addLayout(page, 1);
  layout->addWidget(StatusBar);

  ImageContexte->onDrawn = [this] {
    if (model_ == nullptr) return;
    const QSignalBlocker quiet(ScrollBarContexte);
    const int highest = model_->Highest();
    ScrollBarContexte->setRange(1, highest > 1 ? highest : 1);
    ScrollBarContexte->setPageStep(model_->view().WordsDrawn() > 0 ? model_->view().WordsDrawn() : 1);
    ScrollBarContexte->setValue(model_->ScrollPosition());
    ShowFile();
  };
  ImageContexte->onWord = [this](int32_t p) { word_ = p; };
  connect(ScrollBarContexte, &QScrollBar::actionTriggered, this, [this](int action) { ScrollBarAction(action); });
  connect(ButtonCopier, &QToolButton::clicked, this, [this] {
    if (copyText && word_ > 0) copyText(word_);
  });
  connect(ButtonDeplacer, &QToolButton::clicked, this, [this] {
    if (model_ == nullptr || word_ <= 0) return;
    model_->ShowContext(word_, word_);
    ImageContexte->update();
  });
  connect(ButtonLocaliser, &QToolButton::clicked, this, [this] {
    if (model_ != nullptr) model_->LocalizeFolder();
  });
  connect(ButtonOuvrirAvecDefaut, &QToolButton::clicked, this, [this] {
    if (model_ != nullptr) model_->OpenWithDefaultApplication();
  });
  connect(ButtonOuvrirWeb, &QToolButton::clicked, this, [this] {
    if (model_ != nullptr) model_->OpenWebPage();
  });
  connect(ButtonOuvrirAvecLeProgramme, &QToolButton::clicked, this, [this] {
    if (model_ != nullptr && model_->MakeMainText()) close();
  });
  connect(ButtonQuitter, &QToolButton::clicked, this, &QWidget::close);
}

TFormContexte::~TFormContexte() = default;

QString TFormContexte::Text(int id) const { return ToQt(messages_.message(id)); }

void TFormContexte::Place() {
  // 160 pixels below the top of the desktop, 20 from its right edge, down
  // to 100 pixels above its bottom.
  const QScreen* screen = parentWidget() != nullptr ? parentWidget()->screen() : nullptr;
  if (screen == nullptr) return;
  const QRect desk = screen->availableGeometry();
  const int width = std::min(std::max(600, minimumSizeHint().width()), desk.width() - 40);
  const int height = std::max(200, desk.height() - 160 - 100);
  setGeometry(desk.right() - 20 - width, desk.top() + 160, width, height);
}

void TFormContexte::ShowContextOf(int32_t p) {
  if (model_ == nullptr) {
    model_ = std::make_unique<ContextWindowModel>(stream_, selection_, settings_, files_, *this);
    ImageContexte->SetModel(model_.get());
  }
  word_ = p;
  if (isMinimized()) showNormal();
  if (!placed_) Place();
  placed_ = true;
  model_->ShowContextOf(p);
  ShowFile();
  show();
  raise();
  ImageContexte->update();
}

void TFormContexte::Forget() {
  ImageContexte->SetModel(nullptr);
  model_.reset();
  word_ = 0;
  hide();
}

void TFormContexte::ScrollBarAction(int action) {
  if (model_ == nullptr) return;
  switch (action) {
    case QAbstractSlider::SliderSingleStepAdd:
      model_->LineDown();
      break;
    case QAbstractSlider::SliderSingleStepSub:
      model_->LineUp();
      break;
    case QAbstractSlider::SliderPageStepAdd:
      model_->PageDown();
      break;
    case QAbstractSlider::SliderPageStepSub:
      model_->PageUp();
      break;
    default:
      model_->ScrollTo(ScrollBarContexte->sliderPosition());
      break;
  }
  // The bar shows where the page really starts, not where the step put it.
  const QSignalBlocker quiet(ScrollBarContexte);
  ScrollBarContexte->setSliderPosition(model_->ScrollPosition());
  ShowFile();
  ImageContexte->update();
}

void TFormContexte::ShowFile() {
  if (model_ == nullptr) return;
  EditFichier->setText(QString::fromStdString(model_->FileName()));
  EditUrl->setText(QString::fromStdString(model_->ShortcutAddress()));
  ButtonOuvrirWeb->setEnabled(model_->CanOpenWebPage());
  ButtonOuvrirAvecLeProgramme->setEnabled(model_->CanMakeMainText());
  ButtonLocaliser->setEnabled(!model_->FileName().empty());
  ButtonOuvrirAvecDefaut->setEnabled(!model_->FileName().empty());
}

void TFormContexte::closeEvent(QCloseEvent* event) {
  if (model_ != nullptr) model_->Close();
  QWidget::closeEvent(event);
}

bool TFormContexte::ShowFolder(const std::string& folder) {
  return openUrl && openUrl(QUrl::fromLocalFile(QString::fromStdString(folder)).toString());
}

bool TFormContexte::OpenWithDefaultApplication(const std::string& path) {
  return openUrl && openUrl(QUrl::fromLocalFile(QString::fromStdString(path)).toString());
}

bool TFormContexte::OpenWebPage(const std::string& url) { return openUrl && openUrl(QString::fromStdString(url)); }

void TFormContexte::MakeMainText(const std::string& path) {
  if (!makeMainText) return;
  // Opening the text empties the stream and forgets the model, which is
  // still running this command: the main window opens it once the command
  // has returned.
  const std::string file = path;
  QMetaObject::invokeMethod(this, [this, file] { makeMainText(file); }, Qt::QueuedConnection);
}

}  // namespace malvex
