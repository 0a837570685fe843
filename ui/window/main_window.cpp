#include "ui/window/main_window.h"

#include <QDate>
#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLocale>
#include <QMenuBar>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QTime>
#include <algorithm>

#include "core/session.h"
#include "ui/window/form_binding.h"
#include "ui/window/formula_editor_dialog.h"
#include "ui/window/qt_text.h"
#include "ui/window/report_menu.h"

namespace velmar::window {

namespace {
constexpr int kDefaultWidth = 1340;
constexpr int kDefaultHeight = 700;
constexpr int kMinMessagePaneWidth = 200;
}  // namespace

MainWindow::MainWindow(Session& s) : s_(s), binding_(std::make_unique<FormBinding>(s)) {
  InputRecord& in = s_.in;
  setObjectName(QStringLiteral("TForm2"));
  binding_->bindForm(in.TForm2, this);
  binding_->buildMenus(menuBar(), in.TForm2);

  QWidget* pages = binding_->build(in.PageControl1);
  QWidget* messages = binding_->build(in.Memo2);
  QWidget* results = binding_->build(in.Memo1);
  messages->setMinimumWidth(kMinMessagePaneWidth);

  panes_ = new QSplitter(Qt::Horizontal);
  panes_->setObjectName(QStringLiteral("panes"));
  panes_->addWidget(messages);
  panes_->addWidget(results);
  panes_->setChildrenCollapsible(false);
  panes_->setSizes({kDefaultWidth * 9 / 20, kDefaultWidth * 11 / 20});

  auto* split = new QSplitter(Qt::Vertical);
  split->setObjectName(QStringLiteral("pagesAndPanes"));
  split->addWidget(pages);
  split->addWidget(panes_);
  split->setStretchFactor(0, 1);
  split->setStretchFactor(1, 0);
  split->setChildrenCollapsible(false);
  split->setSizes({kDefaultHeight - 230, 150});
  setCentralWidget(split);

  statusBar()->addWidget(binding_->build(in.Panel3), 1);
  binding_->finish();
  if (QWidget* bar = binding_->widgetOf(in.ProgressBar1)) bar->installEventFilter(this);

  editor_ = new FormulaEditorDialog(s_, this);
  report_ = std::make_unique<ReportMenu>(s_, *this);
  // Every "f(x).." button opens the editor for the field it stands beside.
  for (Control* c : in.registry.all()) {
    if (c->kind() != ControlKind::Button) continue;
    const std::string_view name = c->name();
    if (name.size() <= 2 || name.substr(name.size() - 2) != "Fx") continue;
    Control* field = in.registry.find(name.substr(0, name.size() - 2));
    auto& button = static_cast<Button&>(*c);
    if (field == nullptr || field->kind() != ControlKind::Edit || button.onClick) continue;
    auto* edit = static_cast<Edit*>(field);
    button.onClick = [this, edit] { openFormulaEditor(*edit); };
    formulaButtons_.push_back(&button);
  }

  in.PanelDate.setCaption(QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat).toStdString());

  statusTimer_.setSingleShot(true);
  connect(&statusTimer_, &QTimer::timeout, this, [this] { clearStatusText(); });
  clockTimer_.setInterval(StatusClock::kIntervalMs);
  connect(&clockTimer_, &QTimer::timeout, this, [this] { tickClock(); });
  tickClock();
  clockTimer_.start();

  placeOnScreen(*this);
}

MainWindow::~MainWindow() {
  // The session may outlive the window: its buttons forget the editor, and
  // the model its observer, before the widgets go.
  for (Button* b : formulaButtons_) b->onClick = nullptr;
  report_.reset();
  binding_.reset();
}

void MainWindow::ShowStatusText(const QString& text, const QColor& colour, bool bold, int seconds) {
  s_.in.InitTextStr.setCaption(fromQt(text));
  if (auto* label = qobject_cast<QLabel*>(binding_->widgetOf(s_.in.InitTextStr))) {
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, colour);
    label->setPalette(p);
  }
  setStatusBold(bold);
  statusTimer_.start(std::max(seconds, 0) * 1000);
}

void MainWindow::clearStatusText() {
  s_.in.InitTextStr.setCaption("");
  if (auto* label = qobject_cast<QLabel*>(binding_->widgetOf(s_.in.InitTextStr))) label->setPalette(QPalette());
  setStatusBold(false);
}

void MainWindow::setStatusBold(bool bold) {
  if (auto* label = qobject_cast<QLabel*>(binding_->widgetOf(s_.in.InitTextStr))) {
    QFont f = label->font();
    f.setBold(bold);
    label->setFont(f);
  }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (binding_ && watched == binding_->widgetOf(s_.in.ProgressBar1)) {
    if (event->type() == QEvent::Show) setStatusBold(true);
    if (event->type() == QEvent::Hide) setStatusBold(false);
  }
  return QMainWindow::eventFilter(watched, event);
}

void MainWindow::tickClock() {
  const QTime now = QTime::currentTime();
  s_.in.Panel4.setCaption(clock_.tick(now.hour(), now.minute(), now.second()));
}

void MainWindow::openFormulaEditor(Edit& field) { editor_->edit(field); }

void placeOnScreen(QMainWindow& window) {
  QSize size(kDefaultWidth, kDefaultHeight);
  QRect area(0, 0, kDefaultWidth, kDefaultHeight);
  if (const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen()) {
    area = screen->availableGeometry();
    // Leave room for the window frame.
    size = size.boundedTo(area.size() - QSize(16, 40));
  }
  window.resize(size);
  window.move(area.center() - QPoint(size.width() / 2, size.height() / 2));
}

}  // namespace velmar::window
