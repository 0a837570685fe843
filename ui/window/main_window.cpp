#include "ui/window/main_window.h"

#include <filesystem>

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

#include <QCloseEvent>
#include <cerrno>

#include "core/program_files.h"
#include "measuring_point/input_data.h"
#include "measuring_point/session.h"
#include "measuring_point/session_file.h"
#include "persistence/input_data_dialogs.h"
#include "persistence/input_file.h"
#include "persistence/window_geometry.h"
#include "ui/window/about_dialog.h"
#include "ui/window/form_binding.h"
#include "ui/window/formula_editor_dialog.h"
#include "ui/window/qt_dialogs.h"
#include "ui/window/qt_services.h"
#include "ui/window/qt_text.h"
#include "ui/window/report_menu.h"
#include "ui/window/settings_dialog.h"

namespace velmar::window {

namespace {
constexpr int kDefaultWidth = 1340;
constexpr int kDefaultHeight = 700;
// The status text after the start-up load: what was loaded, or what failed.
constexpr int kStatusSeconds = 5;
constexpr int kProblemSeconds = 10;
const QColor kProblemColour(0x80, 0, 0);

// The load dialog answered with a given file at once; its messages are the
// window's own.
class GivenFile : public UserDialogs {
 public:
  GivenFile(std::string path, UserDialogs& shown) : path_(std::move(path)), shown_(shown) {}
  std::string chooseFile(Kind, const FileDialog&) override { return path_; }
  void showMessage(const std::string& text) override { shown_.showMessage(text); }

 private:
  std::string path_;
  UserDialogs& shown_;
};
}  // namespace

MainWindow::MainWindow(Session& s, UserDialogs* dialogs)
    : s_(s),
      ownDialogs_(dialogs == nullptr ? std::make_unique<QtUserDialogs>(this) : nullptr),
      dialogs_(dialogs == nullptr ? *ownDialogs_ : *dialogs),
      binding_(std::make_unique<FormBinding>(s)) {
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
  settings_ = new SettingsDialog(s_, this);
  about_ = new AboutDialog(this);
  installMenus();
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

  in.PanelDate.setCaption(fromQt(shortDateText(QLocale::system(), QDate::currentDate())));

  statusTimer_.setSingleShot(true);
  connect(&statusTimer_, &QTimer::timeout, this, [this] { clearStatusText(); });
  clockTimer_.setInterval(StatusClock::kIntervalMs);
  connect(&clockTimer_, &QTimer::timeout, this, [this] { tickClock(); });
  tickClock();
  clockTimer_.start();

  placeOnScreen(*this);
}

MainWindow::~MainWindow() {
  // The session may outlive the window: its buttons and menus forget the
  // editor and the dialogs, and the model its observer, before the widgets go.
  for (Button* b : formulaButtons_) b->onClick = nullptr;
  report_.reset();
  for (MenuItem* m : {&s_.in.MenuSave, &s_.in.MenuLoad, &s_.in.MenuReset, &s_.in.MenuSettings, &s_.in.MenuAbout}) {
    m->onClick = nullptr;
  }
  for (Control* c : s_.settings.registry.all()) {
    if (c->kind() == ControlKind::Button) static_cast<Button*>(c)->onClick = nullptr;
  }
  binding_.reset();
}

void MainWindow::installMenus() {
  InputRecord& in = s_.in;
  installSettingsRules(s_, dialogs_);
  in.MenuSave.onClick = [this] { MenuSaveClick(s_, dialogs_); };
  in.MenuLoad.onClick = [this] { showLoadResult(MenuLoadClick(s_, dialogs_)); };
  in.MenuReset.onClick = [this] { ResetInputs(s_); };
  in.MenuSettings.onClick = [this] { settings_->openSettings(); };
  in.MenuAbout.onClick = [this] { about_->open(); };
}

void MainWindow::startProgram() {
  Settings& st = s_.settings;
  // As the window is created: the program's folder, the dialogs in the start
  // folder, the geometry when the settings keep it.
  makeProgramFolder(s_.files);
  st.OpenDialog1.initialDir = s_.files.startFolder;
  st.SaveDialog1.initialDir = s_.files.startFolder;
  const bool keepGeometry = storedTipPos(s_.files);
  const std::optional<WindowGeometry> geometry = keepGeometry ? readWindowGeometry(s_.files) : std::nullopt;
  if (geometry) {
    RestoreWindowGeometry(*geometry);
  } else {
    placeOnScreen(*this);
  }
  // As the settings window is created: the settings and the users.
  LoadSettings(s_);
  // As the window is shown the load dialog opens in the start folder again:
  // only the save dialog starts in its remembered folder.
  st.OpenDialog1.initialDir = s_.files.startFolder;
  // As the window is shown: the input data and what the status line says.
  const StartUpStatus status = loadStartUpData(s_);
  s_.in.TabSheet17.hide();
  ShowStatusText(toQt(status.text), status.problem ? kProblemColour : QColor(Qt::blue), true,
                 status.problem ? kProblemSeconds : kStatusSeconds);
  if (!status.message.empty()) dialogs_.showMessage(status.message);
  started_ = true;
}

bool MainWindow::openInputFile(const std::string& path) {
  GivenFile given(path, dialogs_);
  const LoadResult r = MenuLoadClick(s_, given);
  showLoadResult(r);
  return r.loaded;
}

void MainWindow::showLoadResult(const LoadResult& r) {
  if (r.status.empty()) return;
  ShowStatusText(toQt(r.status), r.problem ? kProblemColour : QColor(Qt::blue), true,
                 r.problem ? kProblemSeconds : kStatusSeconds);
}

WindowGeometry MainWindow::currentGeometry() const {
  WindowGeometry g;
  const QRect main = isMaximized() || isFullScreen() ? normalGeometry() : QRect(pos(), size());
  g.mainWidth = main.width();
  g.mainHeight = main.height();
  g.mainTop = main.y();
  g.mainLeft = main.x();
  g.settingsWidth = settings_->width();
  g.settingsHeight = settings_->height();
  g.settingsTop = settings_->y();
  g.settingsLeft = settings_->x();
  const QList<int> panes = panes_->sizes();
  g.messagePaneWidth = panes.isEmpty() ? kMinMessagePaneWidth : std::max(panes.first(), kMinMessagePaneWidth);
  return g;
}

void MainWindow::RestoreWindowGeometry(const WindowGeometry& g) {
  QRect area(0, 0, kDefaultWidth, kDefaultHeight);
  if (const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen()) {
    area = screen->availableGeometry();
  }
  // The saved place may lie on a screen that is no longer there: the window
  // stays within the screen it opens on.
  const QSize size(std::clamp(g.mainWidth, 200, area.width()), std::clamp(g.mainHeight, 150, area.height()));
  resize(size);
  move(std::clamp(g.mainLeft, area.left(), area.right() + 1 - size.width()),
       std::clamp(g.mainTop, area.top(), area.bottom() + 1 - size.height()));
  if (g.settingsWidth > 0 && g.settingsHeight > 0) {
    settings_->resize(std::min(g.settingsWidth, area.width()), std::min(g.settingsHeight, area.height()));
  }
  pendingPaneWidth_ = std::max(g.messagePaneWidth, kMinMessagePaneWidth);
  if (isVisible()) applyPaneWidth();
}

void MainWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  applyPaneWidth();
}

// The splitter shares out its width only once the window is laid out.
void MainWindow::applyPaneWidth() {
  if (pendingPaneWidth_ <= 0) return;
  const QList<int> sizes = panes_->sizes();
  int total = 0;
  for (int w : sizes) total += w;
  if (sizes.size() == 2 && total > 0) {
    const int message = std::min(pendingPaneWidth_, std::max(total - kMinMessagePaneWidth, kMinMessagePaneWidth));
    panes_->setSizes({message, total - message});
  }
  pendingPaneWidth_ = 0;
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (started_) FormClose();
  QMainWindow::closeEvent(event);
}

void MainWindow::FormClose() {
  started_ = false;
  const std::string sessionPath = programFilePath(s_.files, kSessionFile);
  // What the next start finds when this save fails: the session file kept as
  // it was, or none and so the defaults.
  std::error_code ec;
  const bool kept = std::filesystem::is_regular_file(sessionPath, ec);
  if (saveSessionFile(s_) != 0) {
    const int error = errno;
    dialogs_.showMessage("Данные сеанса работы не сохранены в файл «" + sessionPath + "»: " +
                         describeWriteFailure(error, sessionPath) +
                         (kept ? ", при следующем запуске будут загружены прежние данные."
                               : ", при следующем запуске окна ввода будут заполнены значениями по умолчанию."));
  } else if (const std::vector<LostCharacters> lost = charactersLostInFile(s_); !lost.empty()) {
    dialogs_.showMessage(lostCharactersMessage("Данные сеанса работы сохранены", sessionPath, lost));
  }
  writeWindowGeometry(s_.files, currentGeometry());
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
