// The program's life around the calculation, as velmar runs it in a start
// folder: the first start in an empty folder, the session kept between runs,
// the start-up file chosen in the settings window, a damaged session file,
// the window geometry, the menus "Исходные данные", "Настройка программы" and
// the about window. The file dialogs and the message boxes are scripted.
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QTemporaryDir>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include "core/version.h"
#include "persistence/input_file.h"
#include "ui/window/about_dialog.h"
#include "ui/window/desktop_program.h"
#include "ui/window/settings_dialog.h"
#include "scripted_dialogs.h"
#include "window_test_support.h"

namespace velmar::window::testing {
namespace {

std::string fileBytes(const QString& path) {
  std::ifstream in(path.toStdString(), std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

void writeFile(const QString& path, const std::string& bytes) {
  std::ofstream out(path.toStdString(), std::ios::binary | std::ios::trunc);
  out << bytes;
}

class ProgramTest : public ::testing::Test, public WindowHands {
 protected:
  void SetUp() override { ASSERT_TRUE(folder.isValid()); }
  void TearDown() override { program.reset(); }

  // Starts the program as velmar starts it, with the test's folder as the
  // start folder.
  void start(const std::string& fileToOpen = {}) {
    program = std::make_unique<DesktopProgram>(folder.path().toStdString(), &dialogs);
    program->start(fileToOpen);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&program->window()));
    waitForCalculation();
  }
  // The user closes the main window; the program ends.
  void closeWindow() {
    program->window().close();
    QCoreApplication::processEvents();
    program.reset();
  }

  Session& session() const override { return program->session(); }
  MainWindow& mainWindow() const override { return program->window(); }

  QString path(const QString& name) const { return folder.filePath(name); }
  QString number(const char* whole, const char* fraction) const {
    return QString::fromUtf8(whole) + QChar::fromLatin1(session().decimalSeparator) + QString::fromUtf8(fraction);
  }

  // A measuring point typed in: natural gas by GERG-91 mod., a volume of dry gas.
  void typeMeasuringPoint(const QString& name) {
    typeInto("NameIzmTrub", name);
    pickItem("VlTip", 0);
    typeInto("rststr", number("0", "7"));
    typeInto("n2str", "1");
    typeInto("co2str", number("0", "5"));
    typeInto("Tstr", "20");
    typeInto("PizbStr", "500000");
    typeInto("PbarStr", "101325");
    typeInto("Qstr", "1000");
    waitForCalculation();
  }

  QLabel* statusLabel() const { return qobject_cast<QLabel*>(binding().widgetOf(session().in.InitTextStr)); }

  SettingsDialog& settingsWindow() const { return mainWindow().settingsWindow(); }
  template <typename W>
  W* settingsWidget(const Control& c) const {
    auto* w = qobject_cast<W*>(settingsWindow().binding().widgetOf(c));
    if (w == nullptr) throw std::runtime_error("no widget of that kind for " + std::string(c.name()));
    return w;
  }
  void click(QAbstractButton* b) {
    ASSERT_TRUE(b->isVisible());
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(8, b->height() / 2));
  }
  void menu(const char* name) {
    QAction* a = binding().actionOf(control(name));
    ASSERT_NE(a, nullptr) << name;
    ASSERT_TRUE(a->isEnabled()) << name;
    a->trigger();
    QCoreApplication::processEvents();
  }

  QTemporaryDir folder;
  velmar::testing::ScriptedDialogs dialogs;
  std::unique_ptr<DesktopProgram> program;
};

TEST_F(ProgramTest, AMeasuringPointTypedInIsThereAtTheNextStart) {
  start();
  EXPECT_TRUE(QDir(path("Velmar")).exists());
  EXPECT_EQ(statusLabel()->text(),
            QStringLiteral("Данных предыдущего сеанса работы нет, окна ввода заполнены значениями по умолчанию"));
  typeMeasuringPoint(QStringLiteral("ГРС Северная"));
  const std::vector<std::string> inputs = inputFileTexts(session());
  const std::vector<std::string> results = session().in.Memo1.lines();
  ASSERT_GE(results.size(), 5u);
  EXPECT_EQ(results.back().rfind("Масса", 0), 0u) << results.back();
  closeWindow();
  EXPECT_TRUE(QFile::exists(path("Velmar/paramwin.vdt")));
  EXPECT_TRUE(QFile::exists(path("Velmar/nastrprg.nsw")));
  EXPECT_TRUE(dialogs.messages.empty());

  start();
  EXPECT_EQ(inputFileTexts(session()), inputs);
  EXPECT_EQ(widget<QLineEdit>("NameIzmTrub")->text(), QStringLiteral("ГРС Северная"));
  EXPECT_EQ(widget<QLineEdit>("Qstr")->text(), QStringLiteral("1000"));
  EXPECT_EQ(session().in.Memo1.lines(), results);
  // The status line says so, blue and bold, and clears after five seconds.
  QLabel* status = statusLabel();
  EXPECT_EQ(status->text(), QStringLiteral("Загружены данные предыдущего сеанса работы"));
  EXPECT_TRUE(status->font().bold());
  EXPECT_EQ(status->palette().color(QPalette::WindowText), QColor(Qt::blue));
  EXPECT_TRUE(QTest::qWaitFor([&] { return status->text().isEmpty(); }, 7000));
  EXPECT_FALSE(status->font().bold());
}

TEST_F(ProgramTest, AStartUpFileChosenInTheSettingsIsLoadedAtTheNextStart) {
  start();
  typeMeasuringPoint(QStringLiteral("Узел А"));
  dialogs.answers = {path("узел").toStdString()};
  menu("MenuSave");
  ASSERT_TRUE(QFile::exists(path("узел.vdt")));
  const std::vector<std::string> inputs = inputFileTexts(session());
  typeInto("NameIzmTrub", QStringLiteral("Другой узел"));
  typeInto("Qstr", "2000");

  // "Настройка программы": check "При запуске загружать файл:", choose the
  // file with "...", "Сохранить настройки".
  Settings& st = session().settings;
  menu("MenuSettings");
  ASSERT_TRUE(settingsWindow().isVisible());
  EXPECT_EQ(settingsWindow().windowTitle(), QStringLiteral("Настройка"));
  EXPECT_FALSE(settingsWidget<QLineEdit>(st.NameFileZap)->isEnabled());
  EXPECT_EQ(settingsWidget<QLineEdit>(st.NameFileZap)->text(), QStringLiteral("Последние введенные данные"));
  click(settingsWidget<QCheckBox>(st.TipZap));
  ASSERT_TRUE(settingsWidget<QPushButton>(st.FileZapButton)->isEnabled());
  dialogs.answers = {path("узел.vdt").toStdString()};
  click(settingsWidget<QPushButton>(st.FileZapButton));
  EXPECT_EQ(dialogs.shown.back().dialog.initialDir, path("Velmar").toStdString());
  EXPECT_EQ(settingsWidget<QLineEdit>(st.NameFileZap)->text(), QStringLiteral("узел.vdt"));
  click(settingsWidget<QPushButton>(st.SaveSettingsButton));
  EXPECT_FALSE(settingsWindow().isVisible());
  EXPECT_TRUE(QFile::exists(path("Velmar/nastrprg.nst")));
  closeWindow();

  start();
  EXPECT_EQ(inputFileTexts(session()), inputs);
  EXPECT_EQ(statusLabel()->text(), QStringLiteral("Загружены данные из узел.vdt"));
  EXPECT_TRUE(session().settings.TipZap.checked());
}

// A damaged session file: the form comes up reset, or with what a cut file
// holds, and the status line says which.
TEST_F(ProgramTest, ADamagedSessionFileGivesTheDefaultsOrWhatItHoldsAndAClearStatus) {
  start();
  typeMeasuringPoint(QStringLiteral("ГРС Южная"));
  closeWindow();
  const std::string full = fileBytes(path("Velmar/paramwin.vdt"));
  const struct {
    const char* title;
    std::string bytes;
    const char* name;  // NameIzmTrub afterwards
    QString status;
  } cases[] = {
      {"foreign", "<html><body>не файл</body></html>\r\n", "",
       QStringLiteral("Не полностью загружены данные предыдущего сеанса работы: строка 1 не содержит целого числа, "
                      "остальные окна ввода заполнены значениями по умолчанию")},
      {"empty", "", "",
       QStringLiteral("Данные не загружены: файл «%1» пуст, окна ввода заполнены значениями по умолчанию")
           .arg(folder.filePath(QStringLiteral("Velmar/paramwin.vdt")))},
      {"cut after line 200", full.substr(0, [&] {
         size_t at = 0;
         for (int i = 0; i < 200; ++i) at = full.find('\n', at) + 1;
         return at;
       }()),
       "ГРС Южная",
       QStringLiteral("Не полностью загружены данные предыдущего сеанса работы: файл поврежден — он обрывается на "
                      "строке 200")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.title);
    writeFile(path("Velmar/paramwin.vdt"), c.bytes);
    start();
    EXPECT_EQ(session().in.NameIzmTrub.text(), c.name);
    EXPECT_EQ(widget<QLineEdit>("NameIzmTrub")->text(), QString::fromUtf8(c.name));
    EXPECT_EQ(statusLabel()->text(), c.status);
    EXPECT_TRUE(statusLabel()->font().bold());
    EXPECT_FALSE(session().in.Memo2.lines().empty() && session().in.Memo1.lines().empty()) << "a pass ran";
    program.reset();  // ended without writing the session file
  }
}

TEST_F(ProgramTest, TheWindowGeometryIsRestoredWithinTheScreenAndTheMessagePaneAtLeast200) {
  QDir().mkpath(path("Velmar"));
  const std::string keep = "0\r\nПоследние введенные данные\r\n\r\n1\r\n1\r\n\r\n\r\n-1\r\n0\r\n";
  const struct {
    const char* title;
    std::string settings;
    std::string geometry;
    QRect window;    // empty: centred with the default size
    int messages;    // the message pane's width
  } cases[] = {
      {"restored", keep, "1000\r\n600\r\n50\r\n60\r\n520\r\n340\r\n0\r\n0\r\n350\r\n", QRect(60, 50, 1000, 600), 350},
      {"a narrow message pane", keep, "1000\r\n600\r\n50\r\n60\r\n520\r\n340\r\n0\r\n0\r\n50\r\n",
       QRect(60, 50, 1000, 600), 200},
      {"a place off the screen", keep, "900\r\n500\r\n-3000\r\n5000\r\n520\r\n340\r\n0\r\n0\r\n300\r\n",
       QRect(1366 - 900, 0, 900, 500), 300},
      {"TipPos off", "0\r\nПоследние введенные данные\r\n\r\n0\r\n1\r\n\r\n\r\n-1\r\n0\r\n",
       "1000\r\n600\r\n50\r\n60\r\n520\r\n340\r\n0\r\n0\r\n350\r\n", QRect(), -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.title);
    writeFile(path("Velmar/nastrprg.nst"), c.settings);
    writeFile(path("Velmar/nastrprg.nsw"), c.geometry);
    start();
    const MainWindow& w = mainWindow();
    if (c.window.isEmpty()) {
      const QRect screen = w.screen()->availableGeometry();
      EXPECT_LE(std::abs(w.frameGeometry().center().x() - screen.center().x()), 2);
    } else {
      EXPECT_EQ(QRect(w.pos(), w.size()), c.window);
      EXPECT_EQ(settingsWindow().size(), QSize(520, 340));
    }
    const int messages = w.panesSplitter()->sizes().first();
    if (c.messages > 0) {
      EXPECT_EQ(messages, c.messages);
    }
    EXPECT_GE(widget<QPlainTextEdit>("Memo2")->width(), 200);
    const std::string width = std::to_string(w.size().width());
    closeWindow();
    // Written at shut-down whatever TipPos says.
    EXPECT_EQ(fileBytes(path("Velmar/nastrprg.nsw")).rfind(width + "\r\n", 0), 0u);
  }
}

TEST_F(ProgramTest, TheSettingsWindowUsersAndNumbering) {
  start();
  Settings& st = session().settings;
  menu("MenuSettings");
  ASSERT_TRUE(settingsWindow().isVisible());
  EXPECT_TRUE(settingsWindow().isModal());
  auto* tabs = settingsWidget<QTabWidget>(st.SettingsPages);
  ASSERT_EQ(tabs->count(), 2);
  EXPECT_EQ(tabs->tabText(0), QStringLiteral("Настройка"));
  EXPECT_EQ(tabs->tabText(1), QStringLiteral("Пользователи"));
  EXPECT_EQ(settingsWidget<QCheckBox>(st.TipZap)->toolTip().count(QLatin1Char('\n')), 3);
  // Centred over the main window.
  EXPECT_LE((settingsWindow().frameGeometry().center() - mainWindow().frameGeometry().center()).manhattanLength(), 4);

  // The user's own numbers show NomerR on the main window at once.
  auto* numer = settingsWidget<QComboBox>(st.Numer);
  QTest::keyClick(numer, Qt::Key_Down);
  EXPECT_EQ(numer->currentText(), QStringLiteral("Произвольная"));
  EXPECT_TRUE(widget<QLineEdit>("NomerR")->isVisibleTo(&mainWindow()));
  EXPECT_EQ(widget<QLineEdit>("NameIzmTrub")->width(), 272);

  // A new user of two letters; one letter is not enough.
  tabs->setCurrentIndex(1);
  click(settingsWidget<QPushButton>(st.AddUserButton));
  auto* name = settingsWidget<QLineEdit>(st.NewUserName);
  auto* save = settingsWidget<QPushButton>(st.NewUserSave);
  ASSERT_TRUE(name->isVisible());
  EXPECT_FALSE(settingsWidget<QComboBox>(st.NamePol)->isEnabled());
  name->setFocus();
  typeKeys(name, QStringLiteral("Я"));
  EXPECT_FALSE(save->isEnabled());
  typeKeys(name, QStringLiteral("н"));
  EXPECT_TRUE(save->isEnabled());
  click(save);
  EXPECT_FALSE(name->isVisible());
  EXPECT_EQ(settingsWidget<QComboBox>(st.NamePol)->currentText(), QStringLiteral("Ян"));
  EXPECT_TRUE(QFile::exists(path("Velmar/sppl.vdt")));

  // Esc is "Закрыть": the stored settings come back.
  QTest::keyClick(&settingsWindow(), Qt::Key_Escape);
  EXPECT_FALSE(settingsWindow().isVisible());
  EXPECT_TRUE(automaticNumbering(st));
  EXPECT_FALSE(widget<QLineEdit>("NomerR")->isVisibleTo(&mainWindow()));
  EXPECT_EQ(widget<QLineEdit>("NameIzmTrub")->width(), 440);
  EXPECT_EQ(currentUser(st), "") << "no default user is stored";
  EXPECT_EQ(st.NamePol.items(), std::vector<std::string>{"Ян"});
  EXPECT_FALSE(QFile::exists(path("Velmar/nastrprg.nst")));
}

// With the folders remembered, the save dialog opens in its stored folder at
// the next start; the load dialog opens in the start folder all the same.
TEST_F(ProgramTest, AtStartTheSaveDialogOpensInItsStoredFolderAndTheLoadDialogInTheStartFolder) {
  QDir().mkpath(path("Velmar"));
  writeFile(path("Velmar/nastrprg.nst"),
            "0\r\n\r\n\r\n1\r\n1\r\n/stored/load\r\n/stored/save\r\n-1\r\n0\r\n");
  start();
  dialogs.answers = {"", ""};
  menu("MenuLoad");
  menu("MenuSave");
  ASSERT_EQ(dialogs.shown.size(), 2u);
  EXPECT_EQ(dialogs.shown[0].dialog.title, "Загрузка исходных данных");
  EXPECT_EQ(dialogs.shown[0].dialog.initialDir, folder.path().toStdString());
  EXPECT_EQ(dialogs.shown[1].dialog.title, "Сохранение исходных данных");
  EXPECT_EQ(dialogs.shown[1].dialog.initialDir, "/stored/save");
}

// A start folder the user may not write: the program runs, says at once that
// nothing it keeps can be stored there, and at the end says so again.
TEST_F(ProgramTest, AReadOnlyStartFolderRunsAndSaysThatNothingIsKept) {
  if (::geteuid() == 0) GTEST_SKIP() << "the superuser may write any folder";
  ASSERT_TRUE(QFile::setPermissions(folder.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
  start();
  EXPECT_FALSE(QDir(path("Velmar")).exists());
  EXPECT_EQ(statusLabel()->text(),
            QStringLiteral("Данных предыдущего сеанса работы нет, окна ввода заполнены значениями по умолчанию; "
                           "папка «%1» не создана (нет прав на запись), данные сеанса работы и настройки сохранить "
                           "не удастся")
                .arg(path("Velmar")));
  typeMeasuringPoint(QStringLiteral("Узел"));
  EXPECT_FALSE(session().in.Memo1.lines().empty());
  closeWindow();
  EXPECT_EQ(dialogs.messages, std::vector<std::string>{"Данные сеанса работы не сохранены в файл «" +
                                                        path("Velmar/paramwin.vdt").toStdString() +
                                                        "»: нет прав на запись, при следующем запуске окна ввода "
                                                        "будут заполнены значениями по умолчанию."});
  QFile::setPermissions(folder.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

// A session file kept from an earlier run that cannot be replaced: the
// message says the next start loads it.
TEST_F(ProgramTest, ASessionFileThatCannotBeReplacedIsKeptForTheNextStart) {
  if (::geteuid() == 0) GTEST_SKIP() << "the superuser may write any folder";
  start();
  closeWindow();
  ASSERT_TRUE(QFile::exists(path("Velmar/paramwin.vdt")));
  ASSERT_TRUE(QFile::setPermissions(path("Velmar"), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
  start();
  closeWindow();
  EXPECT_EQ(dialogs.messages, std::vector<std::string>{"Данные сеанса работы не сохранены в файл «" +
                                                        path("Velmar/paramwin.vdt").toStdString() +
                                                        "»: нет прав на запись, при следующем запуске будут "
                                                        "загружены прежние данные."});
  QFile::setPermissions(path("Velmar"), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

TEST_F(ProgramTest, TheMenusOfTheInputDataAndTheAboutWindow) {
  start();
  typeMeasuringPoint(QStringLiteral("Узел: 3."));
  // "Сохранить" proposes the name without the colon and the full stop, and
  // without the blank they leave at its end.
  dialogs.answers = {path("нет/узел.vdt").toStdString(), ""};
  menu("MenuSave");
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].dialog.fileName, "Узел  3");
  EXPECT_EQ(dialogs.shown[0].dialog.initialDir, folder.path().toStdString());
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].rfind("Исходные данные не сохранены в файл", 0), 0u) << dialogs.messages[0];

  // "Очистить окна ввода", then "Загрузить" of a file saved before.
  dialogs.answers = {path("узел.vdt").toStdString()};
  menu("MenuSave");
  const std::vector<std::string> inputs = inputFileTexts(session());
  menu("MenuReset");
  EXPECT_EQ(widget<QLineEdit>("NameIzmTrub")->text(), QString());
  EXPECT_EQ(widget<QLineEdit>("Qstr")->text(), QStringLiteral("0"));
  dialogs.answers = {path("узел.vdt").toStdString()};
  menu("MenuLoad");
  EXPECT_EQ(inputFileTexts(session()), inputs);
  EXPECT_EQ(dialogs.shown.back().dialog.title, "Загрузка исходных данных");
  EXPECT_EQ(dialogs.messages.size(), 1u);

  menu("MenuAbout");
  AboutDialog& about = mainWindow().aboutWindow();
  EXPECT_TRUE(about.isVisible());
  EXPECT_EQ(about.versionLabel()->text(), QStringLiteral("Версия ") + QString::fromUtf8(kProgramVersion.data()));
  about.accept();

  // A session file that cannot be written is told at shut-down, with what
  // the next start will find: here no session file, so the defaults.
  QFile::remove(path("Velmar/paramwin.vdt"));
  QDir().mkpath(path("Velmar/paramwin.vdt"));
  closeWindow();
  ASSERT_EQ(dialogs.messages.size(), 2u);
  EXPECT_EQ(dialogs.messages[1], "Данные сеанса работы не сохранены в файл «" + path("Velmar/paramwin.vdt").toStdString() +
                                     "»: под этим именем на диске папка, при следующем запуске окна ввода будут "
                                     "заполнены значениями по умолчанию.");
}

// `velmar FILE.vdt`: the file is opened after the start of the session as
// "Загрузить" opens it, with the same messages; the status line says what was
// loaded, and the load dialog then opens in the file's folder.
TEST_F(ProgramTest, AFileGivenOnTheCommandLineOpensAsLoadDoes) {
  // A measuring point saved on this machine, with its decimal separator.
  start();
  typeMeasuringPoint(QStringLiteral("Точка"));
  dialogs.answers = {path("точка.vdt").toStdString()};
  menu("MenuSave");
  closeWindow();
  writeFile(path("пустой.vdt"), "");
  struct Case {
    const char* given;     // as typed after velmar, relative to the start folder
    bool loaded;
    const char* message;   // the message box, after the full path in «»
  };
  const Case cases[] = {
      {"точка.vdt", true, ""},
      {"нет такого.vdt", false, " не найден."},
      {"пустой.vdt", false, " пуст."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.given);
    dialogs.messages.clear();
    start(c.given);
    const std::string full = path(QString::fromUtf8(c.given)).toStdString();
    if (c.loaded) {
      EXPECT_TRUE(dialogs.messages.empty());
      // As after "Загрузить": the status line names the file.
      EXPECT_EQ(statusLabel()->text(), QStringLiteral("Загружены данные из ") + QString::fromUtf8(c.given));
      EXPECT_EQ(widget<QLineEdit>("Qstr")->text(), QStringLiteral("1000"));
      EXPECT_EQ(session().settings.OpenDialog1.initialDir, folder.path().toStdString());
      EXPECT_EQ(session().settings.OpenDialog1.fileName, full);
    } else {
      ASSERT_EQ(dialogs.messages.size(), 1u);
      EXPECT_EQ(dialogs.messages[0], "Исходные данные не загружены: файл «" + full + "»" + c.message);
      // What the start found stays, and the status line says so.
      EXPECT_TRUE(statusLabel()->text().startsWith(QStringLiteral("Загружены данные предыдущего сеанса")))
          << statusLabel()->text().toStdString();
    }
    closeWindow();
  }
}

// A file from a machine of the other decimal separator, opened with
// "Загрузить" and found as the session file at the next start: the
// temperature typed there does not convert here, so the edit keeps what it
// showed and the pass computes with that; the status line says why and a
// message lists the line.
TEST_F(ProgramTest, AFileOfTheOtherDecimalSeparatorSaysWhichInputsItDidNotTake) {
  start();
  typeMeasuringPoint(QStringLiteral("ГРС Южная"));
  dialogs.answers = {path("узел.vdt").toStdString()};
  menu("MenuSave");
  const std::vector<std::string> at20 = session().in.Memo1.lines();
  const std::string sep(1, session().decimalSeparator);
  const std::string other = sep == "," ? "." : ",";
  std::string bytes = fileBytes(path("узел.vdt"));
  size_t at = 0;
  for (int i = 0; i < 91; ++i) at = bytes.find('\n', at) + 1;
  ASSERT_EQ(bytes.substr(at, 4), "20\r\n");
  bytes.replace(at, 2, "25" + other + "5");
  writeFile(path("другой.vdt"), bytes);

  typeInto("Tstr", "20");
  dialogs.answers = {path("другой.vdt").toStdString()};
  menu("MenuLoad");
  waitForCalculation();
  const std::string line92 = "строка 92 (Tstr): «25" + other + "5» — число с десятичным разделителем «" + other +
                             "», а в системе принят «" + sep + "»";
  const std::string reason = "файл записан с другим десятичным разделителем («" + other + "»); эти окна ввода ";
  const std::string notTaken = "Не все значения из файла «" + path("другой.vdt").toStdString() + "» приняты: " + reason;
  EXPECT_EQ(widget<QLineEdit>("Tstr")->text(), QStringLiteral("20"));
  EXPECT_EQ(session().in.Memo1.lines(), at20);
  EXPECT_EQ(statusLabel()->text().toStdString(), notTaken + "сохранили прежние значения");
  EXPECT_EQ(dialogs.messages.back(), notTaken + "сохранили прежние значения:\n" + line92);

  closeWindow();
  writeFile(path("Velmar/paramwin.vdt"), bytes);
  dialogs.messages.clear();
  start();
  EXPECT_EQ(widget<QLineEdit>("Tstr")->text(), QStringLiteral("0"));
  EXPECT_EQ(widget<QLineEdit>("NameIzmTrub")->text(), QStringLiteral("ГРС Южная"));
  EXPECT_EQ(statusLabel()->text().toStdString(),
            "Загружены данные предыдущего сеанса работы, но не все значения приняты: " + reason +
                "заполнены значениями по умолчанию");
  EXPECT_EQ(dialogs.messages, (std::vector<std::string>{"Не все значения из файла «" +
                                                        path("Velmar/paramwin.vdt").toStdString() + "» приняты: " +
                                                        reason + "заполнены значениями по умолчанию:\n" + line92}));
}

}  // namespace
}  // namespace velmar::window::testing
