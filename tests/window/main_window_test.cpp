#include <QDate>
#include <QDir>
#include <QLabel>
#include <QLocale>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSplitter>
#include <QTableWidget>
#include <algorithm>
#include <functional>
#include <iostream>
#include <limits>
#include <sstream>
#include <utility>

#include "core/form_events.h"
#include "measuring_point/named_input.h"
#include "window_test_support.h"

namespace velmar::window::testing {
namespace {

// One user input NAME=VALUE, made through the widgets and given to the batch
// tool as the same --set. The core reads it as the batch tool does; the
// kind of control it addresses says which widget the user's hands work.
struct Step {
  const char* name;
  const char* value;
};

struct Scenario {
  const char* title;
  std::vector<Step> steps;
};

std::vector<std::string> calcLines(const std::vector<Step>& steps, std::vector<std::string>& messages) {
  QStringList args{QStringLiteral("--decimal-separator"), QStringLiteral(",")};
  for (const Step& step : steps) args << QStringLiteral("--set") << QString::fromUtf8(step.name) + "=" + QString::fromUtf8(step.value);
  QProcess calc;
  calc.start(QStringLiteral(VELMAR_CALC_PATH), args);
  EXPECT_TRUE(calc.waitForFinished(30000));
  EXPECT_EQ(calc.exitStatus(), QProcess::NormalExit);
  const int code = calc.exitCode();
  EXPECT_TRUE(code == 0 || code == 1) << code << " " << calc.readAllStandardError().toStdString();
  std::vector<std::string> results;
  std::istringstream out(calc.readAllStandardOutput().toStdString());
  std::string line;
  bool inMessages = false;
  while (std::getline(out, line)) {
    if (!inMessages && line.empty()) {
      inMessages = true;
      continue;
    }
    (inMessages ? messages : results).push_back(line);
  }
  return results;
}

class MainWindowTest : public WindowTest {
 protected:
  void apply(const Step& step) {
    const std::string assignment = std::string(step.name) + "=" + step.value;
    const NamedInputResult read = readNamedInput(session(), assignment, TextCheck::Strict);
    ASSERT_TRUE(read.input) << read.error;
    const NamedInput& input = *read.input;
    switch (input.action) {
      case NamedInput::Action::TypeText: typeInto(step.name, QString::fromUtf8(step.value)); break;
      case NamedInput::Action::ChooseItem:
        if (input.control->kind() == ControlKind::RadioGroup) {
          clickRadio(step.name, input.index);
        } else {
          pickItem(step.name, input.index);
        }
        break;
      case NamedInput::Action::SetCheck: setCheck(step.name, input.index == 1); break;
      default: FAIL() << "no widget action for " << assignment;
    }
  }

  // For every control of the model: its widget is shown in the window
  // exactly when the model shows the control.
  void expectWidgetsAgreeWithModel(const std::string& where) {
    int shown = 0;
    for (Control* c : session().in.registry.all()) {
      if (c->kind() == ControlKind::Form) continue;
      if (QAction* a = binding().actionOf(*c)) {
        EXPECT_EQ(a->isVisible(), c->shown()) << c->name() << " at " << where;
        continue;
      }
      QWidget* w = binding().widgetOf(*c);
      ASSERT_NE(w, nullptr) << c->name();
      const bool inWindow = shownInWindow(w, window.get());
      EXPECT_EQ(inWindow, c->shown()) << c->name() << " at " << where;
      if (QLabel* caption = binding().captionLabelOf(*c)) {
        EXPECT_EQ(shownInWindow(caption, window.get()), c->shown()) << c->name() << " caption at " << where;
      }
      shown += inWindow ? 1 : 0;
    }
    EXPECT_GT(shown, 20) << where;
  }

  bool shownControl(const char* name) { return control(name).shown(); }
};

TEST_F(MainWindowTest, TypedInputsGiveTheLinesOfTheBatchTool) {
  const std::vector<Scenario> scenarios = {
      {"GERG-91 mod., volume",
       {{"metod", "1"},
        {"Tstr", "20"},
        {"PizbEd", "1"},
        {"PizbStr", "500"},
        {"PbarStr", "101325"},
        {"Qstr", "1000"},
        {"rststr", "0,7"}}},
      {"GERG-91 mod., error of measurement",
       {{"Raschet", "1"},
        {"metod", "1"},
        {"Tstr", "12,5"},
        {"PizbStr", "350000"},
        {"PbarStr", "100100"},
        {"Qstr", "2500"},
        {"TauStr", "24"},
        {"rststr", "0,68"},
        {"n2str", "1,2"},
        {"co2str", "0,4"}}},
      {"NX-19 mod. outside its density range",
       {{"metod", "2"},
        {"Tstr", "-5"},
        {"PizbStr", "200000"},
        {"PbarStr", "99000"},
        {"Qstr", "10"},
        {"rststr", "1,2"}}},
      {"air",
       {{"sreda", "10"},
        {"Tstr", "15"},
        {"PizbStr", "200000"},
        {"PbarStr", "100000"},
        {"Qstr", "50"}}},
      {"diameter",
       {{"Raschet", "2"},
        {"metod", "1"},
        {"rststr", "0,7"},
        {"Q_Str", "500"},
        {"T_str", "20"},
        {"Pizb_str", "300000"},
        {"uMaxStr", "20"},
        {"uMaxDstr", "25"}}},
  };
  for (const Scenario& sc : scenarios) {
    SCOPED_TRACE(sc.title);
    TearDown();
    SetUp();
    for (const Step& step : sc.steps) apply(step);
    waitForCalculation();
    std::vector<std::string> messages;
    const std::vector<std::string> results = calcLines(sc.steps, messages);
    EXPECT_EQ(paneLines(widget<QPlainTextEdit>("Memo1")), results);
    EXPECT_EQ(paneLines(widget<QPlainTextEdit>("Memo2")), messages);
    EXPECT_EQ(session().in.Memo1.lines(), results);
  }
}

TEST_F(MainWindowTest, TheWidgetsShowExactlyWhatTheModelShows) {
  expectWidgetsAgreeWithModel("start");
  for (int raschet = 0; raschet < 3; ++raschet) {
    clickRadio("Raschet", raschet);
    const std::string r = "Raschet " + std::to_string(raschet);
    expectWidgetsAgreeWithModel(r);
    for (bool rab : {false, true}) {
      setCheck("pr_Rab", rab);
      const std::string rr = r + (rab ? " pr_Rab on" : " pr_Rab off");
      expectWidgetsAgreeWithModel(rr);
      for (bool pbar : {false, true}) {
        const char* box = raschet == 2 ? "pr_Pbar_" : "pr_Pbar";
        if (!shownControl(box)) continue;
        setCheck(box, pbar);
        const std::string rp = rr + (pbar ? " Pb on" : " Pb off");
        expectWidgetsAgreeWithModel(rp);
        for (int medium = 0; medium < 11; ++medium) {
          pickItem("sreda", medium);
          const std::string rm = rp + " sreda " + std::to_string(medium);
          expectWidgetsAgreeWithModel(rm);
          if (medium == 0 && shownControl("metod")) {
            for (int m = 0; m < 5; ++m) {
              clickRadio("metod", m);
              expectWidgetsAgreeWithModel(rm + " metod " + std::to_string(m));
            }
          }
          if (medium == 2 && shownControl("Metod_s")) {
            for (int m = 0; m < 3; ++m) {
              clickRadio("Metod_s", m);
              expectWidgetsAgreeWithModel(rm + " Metod_s " + std::to_string(m));
            }
          }
        }
        pickItem("sreda", 0);
      }
    }
    setCheck("pr_Rab", false);
  }
  // The instrument pages follow the density meter.
  clickRadio("Raschet", 1);
  EXPECT_TRUE(shownInWindow(binding().widgetOf(control("TabSheet6")), window.get()));
  EXPECT_TRUE(shownInWindow(binding().widgetOf(control("TabSheet8")), window.get()));
  setCheck("pr_Rab", true);
  EXPECT_FALSE(shownInWindow(binding().widgetOf(control("TabSheet8")), window.get()));
  EXPECT_TRUE(shownInWindow(binding().widgetOf(control("TabSheet3")), window.get()));
  expectWidgetsAgreeWithModel("end");
}

// Model changes show at once and are not sent back as the user's input:
// neither InputChanged nor the timer moves.
TEST_F(MainWindowTest, ModelChangesShowAtOnceWithoutBecomingInput) {
  InputRecord& in = session().in;
  timer.stop();
  in.InputChanged = false;

  in.Raschet.setIndex(2);
  EXPECT_TRUE(widget<QGroupBox>("Raschet")->findChildren<QRadioButton*>()[2]->isChecked());
  in.PizbEd.setIndex(3);
  EXPECT_EQ(widget<QComboBox>("PizbEd")->currentIndex(), 3);
  in.Tstr.setText("33,5");
  EXPECT_EQ(widget<QLineEdit>("Tstr")->text(), QStringLiteral("33,5"));
  in.pr_Pbar.setChecked(false);
  EXPECT_FALSE(widget<QCheckBox>("pr_Pbar")->isChecked());
  in.sostav.setCell(1, 2, "12,5");
  auto* grid = widget<QTableWidget>("sostav");
  ASSERT_NE(grid->item(2, 1), nullptr);
  EXPECT_EQ(grid->item(2, 1)->text(), QStringLiteral("12,5"));
  in.sostav.setColCount(2);
  EXPECT_EQ(grid->columnCount(), 2);
  in.Memo2.setLines({"[1]  первая", "[2]  вторая"});
  EXPECT_EQ(widget<QPlainTextEdit>("Memo2")->toPlainText(), QStringLiteral("[1]  первая\n[2]  вторая"));
  in.TipPogr.setEnabled(true);
  EXPECT_TRUE(widget<QComboBox>("TipPogr")->isEnabled());
  in.TipPogr.setEnabled(false);
  EXPECT_FALSE(widget<QComboBox>("TipPogr")->isEnabled());
  in.T11str.setReadOnly(true);
  EXPECT_TRUE(widget<QLineEdit>("T11str")->isReadOnly());
  in.Label4.setCaption("Абсолютное давление (P)");
  EXPECT_EQ(widget<QLabel>("Label4")->text(), QStringLiteral("Абсолютное давление (P)"));
  in.GroupBox6.setCaption("Изменение абс. давления");
  EXPECT_EQ(widget<QGroupBox>("GroupBox6")->title(), QStringLiteral("Изменение абс. давления"));
  in.TabSheet11.setCaption("Расчет погрешностей");
  auto* tabs = binding().tabWidgetOf(in.TabSheet11);
  EXPECT_EQ(tabs->tabText(tabs->indexOf(binding().widgetOf(in.TabSheet11))), QStringLiteral("Расчет погрешностей"));
  in.Qstr.setHint("подсказка");
  EXPECT_EQ(widget<QLineEdit>("Qstr")->toolTip(), QStringLiteral("подсказка"));
  in.ProgressBar1.show();
  in.ProgressBar1.setPosition(42);
  EXPECT_FALSE(widget<QProgressBar>("ProgressBar1")->isHidden());
  EXPECT_EQ(widget<QProgressBar>("ProgressBar1")->value(), 42);
  in.ProgressBar1.hide();
  EXPECT_TRUE(widget<QProgressBar>("ProgressBar1")->isHidden());
  in.TabSheet15.show();
  EXPECT_TRUE(tabs->isTabVisible(tabs->indexOf(binding().widgetOf(in.TabSheet15))));
  in.TabSheet15.hide();
  EXPECT_FALSE(tabs->isTabVisible(tabs->indexOf(binding().widgetOf(in.TabSheet15))));
  in.N2_.setEnabled(false);
  EXPECT_FALSE(binding().actionOf(in.N2_)->isEnabled());
  in.NamePrSred.setItems({"Метан", "Этан"}, 1);
  EXPECT_EQ(widget<QComboBox>("NamePrSred")->count(), 2);
  EXPECT_EQ(widget<QComboBox>("NamePrSred")->currentText(), QStringLiteral("Этан"));
  // A bar in a field text shows as the broken bar and reads back as stored.
  in.dP1sisstr.setText("0,5+0,01*\x05t\x05");
  EXPECT_EQ(widget<QLineEdit>("dP1sisstr")->text(), QStringLiteral("0,5+0,01*¦t¦"));

  QCoreApplication::processEvents();
  EXPECT_FALSE(in.InputChanged);
  EXPECT_FALSE(timer.running());
}

TEST_F(MainWindowTest, UserActionsReachTheModelAsItsEvents) {
  InputRecord& in = session().in;
  // A text that does not convert brings the previous text back.
  typeInto("PbarStr", "12");
  QTest::keyClicks(widget<QLineEdit>("PbarStr"), "a");
  EXPECT_EQ(widget<QLineEdit>("PbarStr")->text(), QStringLiteral("12"));
  EXPECT_EQ(in.PbarStr.text(), "12");
  EXPECT_DOUBLE_EQ(in.PbarStr.value, 12.0);
  EXPECT_TRUE(in.InputChanged);
  EXPECT_TRUE(timer.running());
  // "-" in a temperature reads as 0 and stays.
  typeInto("Tstr", "-");
  EXPECT_EQ(in.Tstr.text(), "-");
  EXPECT_DOUBLE_EQ(in.Tstr.value, 0.0);

  // A click runs the box's rule: the density meter shows its panels.
  setCheck("pr_Rab", true);
  EXPECT_TRUE(in.pr_Rab.checked());
  EXPECT_TRUE(in.rrab_panel.visible());
  EXPECT_FALSE(in.metod.visible());
  setCheck("pr_Rab", false);

  // A key in a grid cell: the cell changes and the calculation is scheduled.
  timer.stop();
  in.InputChanged = false;
  showTabsOf(in.sostav);
  auto* grid = widget<QTableWidget>("sostav");
  grid->setCurrentCell(3, 1);
  grid->editItem(grid->item(3, 1));
  auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
  ASSERT_NE(editor, nullptr);
  editor->selectAll();
  QTest::keyClicks(editor, "4,5");
  EXPECT_EQ(in.sostav.cell(1, 3), "4,5");
  EXPECT_TRUE(in.InputChanged);
  QTest::keyClick(editor, Qt::Key_Return);
  EXPECT_EQ(in.sostav.cell(1, 3), "4,5");
  // The heading cells are not input cells.
  ASSERT_NE(grid->item(0, 1), nullptr);
  EXPECT_FALSE(grid->item(0, 1)->flags() & Qt::ItemIsEditable);

  // The name of another medium is typed into its box.
  pickItem("sreda", 1);
  showTabsOf(in.NamePrSred);
  auto* names = widget<QComboBox>("NamePrSred");
  ASSERT_TRUE(names->isEditable());
  names->lineEdit()->setFocus();
  QTest::keyClick(names->lineEdit(), Qt::Key_A, Qt::ControlModifier);  // over the "0" of a first start
  typeKeys(names->lineEdit(), QStringLiteral("Метан"));
  EXPECT_EQ(in.NamePrSred.text(), "Метан");

  // The absolute humidity keeps its previous text when a key comes up: a
  // letter after "5" brings "5" back.
  pickItem("sreda", 2);
  clickRadio("Metod_s", 0);
  typeInto("Vlag113Str", "5");
  QTest::keyClicks(widget<QLineEdit>("Vlag113Str"), "x");
  EXPECT_EQ(in.Vlag113Str.text(), "5");
  EXPECT_EQ(widget<QLineEdit>("Vlag113Str")->text(), QStringLiteral("5"));

  // A menu command reaches its item only while the item is enabled.
  int chosen = 0;
  in.N2_.onClick = [&chosen] { ++chosen; };
  in.N2_.setEnabled(true);
  binding().actionOf(in.N2_)->trigger();
  EXPECT_EQ(chosen, 1);
  in.N2_.setEnabled(false);
  binding().actionOf(in.N2_)->trigger();
  EXPECT_EQ(chosen, 1);
  in.N2_.onClick = nullptr;

  // A pressed button runs its rule.
  clickRadio("Raschet", 2);
  in.strad.setCell(0, 0, "50");
  in.strad.setCell(0, 1, "25");
  showTabsOf(in.Button46);
  QTest::mouseClick(widget<QPushButton>("Button46"), Qt::LeftButton);
  EXPECT_EQ(in.strad.cell(0, 0), "25");
}

// Lets the window's pending events run, after posting the keys that a user
// types while the pass is running.
class TypingPump : public QtEventPump {
 public:
  void processPendingEvents() override {
    ++calls;
    if (during) std::exchange(during, nullptr)();
    QtEventPump::processPendingEvents();
  }
  std::function<void()> during;
  int calls = 0;
};

class TypingDuringAPassTest : public MainWindowTest {
 protected:
  EventPump& eventPump() override { return typing; }
  TypingPump typing;
};

TEST_F(TypingDuringAPassTest, KeysTypedDuringAPassRestartItWithTheNewValue) {
  const std::vector<Step> steps = {{"metod", "1"},  {"Tstr", "20"},
                                   {"PizbStr", "500000"}, {"PbarStr", "101325"},
                                   {"Qstr", "1000"},  {"rststr", "0,7"}};
  for (const Step& step : steps) apply(step);
  waitForCalculation();
  std::vector<std::string> messages;
  const std::vector<std::string> at20 = calcLines(steps, messages);
  ASSERT_EQ(session().in.Memo1.lines(), at20);

  // "20" becomes "25" by a backspace and a 5 that arrive during the next pass.
  auto* line = widget<QLineEdit>("Tstr");
  line->setCursorPosition(2);
  typing.calls = 0;
  typing.during = [line] {
    for (auto [key, text] : {std::pair{Qt::Key_Backspace, QString()}, std::pair{Qt::Key_5, QStringLiteral("5")}}) {
      QCoreApplication::postEvent(line, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier, text));
      QCoreApplication::postEvent(line, new QKeyEvent(QEvent::KeyRelease, key, Qt::NoModifier, text));
    }
  };
  scheduleCalculation(session());
  // The condition is looked at between events, so it holds once that pass is over.
  ASSERT_TRUE(QTest::qWaitFor([&] { return typing.calls > 0; }, 5000));
  EXPECT_EQ(line->text(), QStringLiteral("25"));
  std::vector<Step> at25Steps = steps;
  at25Steps[1].value = "25";
  const std::vector<std::string> at25 = calcLines(at25Steps, messages);
  ASSERT_NE(at25, at20);
  EXPECT_EQ(session().in.Memo1.lines(), at25);
  // The keys scheduled the next pass, which finds the same.
  EXPECT_TRUE(timer.running());
  waitForCalculation();
  EXPECT_EQ(session().in.Memo1.lines(), at25);
}

TEST_F(MainWindowTest, TitleStatusLineAndDefaultSize) {
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Программный комплекс \"Велмар\""));
  EXPECT_EQ(widget<QLabel>("PanelDate")->text(), shortDateText(QLocale::system(), QDate::currentDate()));
  EXPECT_EQ(session().in.PanelDate.caption(), fromQt(widget<QLabel>("PanelDate")->text()));

  // The clock ticks every 1.5 s, the separators alternating, ":" first.
  const QRegularExpression colons(QStringLiteral("^\\d{1,2}:\\d\\d:\\d\\d$"));
  const QRegularExpression blanks(QStringLiteral("^\\d{1,2} \\d\\d \\d\\d$"));
  auto* clock = widget<QLabel>("Panel4");
  EXPECT_TRUE(colons.match(clock->text()).hasMatch()) << clock->text().toStdString();
  EXPECT_TRUE(QTest::qWaitFor([&] { return blanks.match(clock->text()).hasMatch(); }, 2500))
      << clock->text().toStdString();
  EXPECT_TRUE(QTest::qWaitFor([&] { return colons.match(clock->text()).hasMatch(); }, 2500))
      << clock->text().toStdString();

  // A status text in colour and bold goes after its seconds.
  window->ShowStatusText(QStringLiteral("Загружены данные предыдущего сеанса работы"), Qt::blue, true, 1);
  auto* status = widget<QLabel>("InitTextStr");
  EXPECT_EQ(status->text(), QStringLiteral("Загружены данные предыдущего сеанса работы"));
  EXPECT_TRUE(status->font().bold());
  EXPECT_EQ(status->palette().color(QPalette::WindowText), QColor(Qt::blue));
  EXPECT_TRUE(QTest::qWaitFor([&] { return status->text().isEmpty(); }, 2500));
  EXPECT_FALSE(status->font().bold());
  EXPECT_EQ(session().in.InitTextStr.caption(), "");
  EXPECT_TRUE(status->isVisible());
  EXPECT_TRUE(widget<QProgressBar>("ProgressBar1")->isHidden());

  // The window and both panes fit a 1366×768 screen.
  EXPECT_LE(window->frameGeometry().width(), 1366);
  EXPECT_LE(window->frameGeometry().height(), 768);
  auto* results = widget<QPlainTextEdit>("Memo1");
  auto* messages = widget<QPlainTextEdit>("Memo2");
  EXPECT_TRUE(results->isVisible());
  EXPECT_TRUE(messages->isVisible());
  EXPECT_GE(messages->width(), 200);
  EXPECT_GE(results->height(), 100);
  EXPECT_LT(messages->x(), results->x());  // the message pane on the left
  EXPECT_GE(widget<QTabWidget>("PageControl1")->height(), 380);
}

// Runs this test binary once more to start a window in a fresh process.
QString startWindowProcess(const std::vector<std::pair<QString, QString>>& vars = {}) {
  QProcess self;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  for (const auto& [name, value] : vars) env.insert(name, value);
  self.setProcessEnvironment(env);
  self.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--measure-start-up")});
  EXPECT_TRUE(self.waitForFinished(60000));
  EXPECT_EQ(self.exitCode(), 0) << self.readAllStandardError().toStdString();
  return QString::fromUtf8(self.readAllStandardOutput());
}

// The best of three fresh starts: the tests run side by side, and one start
// that shares the two cores with a compiler or a sanitized test says little
// about the program.
TEST(WindowStartUp, TakesUnderHalfASecond) {
  int ms = std::numeric_limits<int>::max();
  int again = std::numeric_limits<int>::max();
  for (int attempt = 0; attempt < 3; ++attempt) {
    const QString out = startWindowProcess();
    const auto m = QRegularExpression(QStringLiteral("start-up: (\\d+) ms")).match(out);
    ASSERT_TRUE(m.hasMatch()) << out.toStdString();
    ms = std::min(ms, m.captured(1).toInt());
    const auto n = QRegularExpression(QStringLiteral("start-up with a session file: (\\d+) ms")).match(out);
    ASSERT_TRUE(n.hasMatch()) << out.toStdString();
    again = std::min(again, n.captured(1).toInt());
  }
  ::testing::Test::RecordProperty("start_up_ms", ms);
  ::testing::Test::RecordProperty("start_up_with_session_ms", again);
  std::cout << "start-up (application, construction, settings, form rules and first pass, show): " << ms << " ms\n"
            << "next start-up (construction, settings, geometry, session file, show): " << again << " ms\n";
#if defined(NDEBUG) && !defined(VELMAR_SANITIZED)
  EXPECT_LT(ms, 500);
  EXPECT_LT(again, 500);
#endif
}

// Numbers follow the regional settings of the system: the session gets their
// decimal separator.
TEST(WindowStartUp, TheSessionGetsTheSystemDecimalSeparator) {
  const struct {
    const char* locale;
    const char* separator;
  } cases[] = {{"ru_RU.UTF-8", ","}, {"de_DE.UTF-8", ","}, {"en_US.UTF-8", "."}, {"C", "."}};
  for (const auto& c : cases) {
    const QString out = startWindowProcess({{QStringLiteral("LC_ALL"), QString::fromUtf8(c.locale)}});
    EXPECT_TRUE(out.contains(QStringLiteral("decimal separator: ") + QString::fromUtf8(c.separator)))
        << c.locale << ": " << out.toStdString();
  }
}

}  // namespace
}  // namespace velmar::window::testing
