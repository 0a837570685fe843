// The settings window's model: the settings file with its nine lines, the
// users list, the numbering on the main window, the buttons "Сохранить
// настройки", "Закрыть" and "По умолчанию", the start-up file, and the
// window geometry file.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/code_page.h"
#include "core/form_events.h"
#include "core/safe_file.h"
#include "persistence/settings.h"
#include "persistence/window_geometry.h"
#include "persistence_fixture.h"
#include "scripted_dialogs.h"

namespace velmar {
namespace {

using testing::readBytes;
using testing::writeBytes;

std::string crlf(const std::vector<std::string>& lines) {
  std::string bytes;
  for (const auto& l : lines) bytes += utf8ToCp1251(l) + "\r\n";
  return bytes;
}

// A program folder with the settings window's rules installed.
struct SettingsPoint : testing::FilePoint {
  SettingsPoint() { installSettingsRules(s, dialogs); }
  Settings& st() { return s.settings; }
  void settingsFile(const std::vector<std::string>& lines) { writeBytes(programFile("nastrprg.nst"), crlf(lines)); }
  void users(const std::vector<std::string>& names) { writeBytes(programFile("sppl.vdt"), crlf(names)); }
  std::string settingsBytes() { return readBytes(programFile("nastrprg.nst")); }
  // Line n of the stored settings file, from 1.
  std::string storedLine(size_t n) {
    const TextLines lines = readTextLines(programFile("nastrprg.nst"), 1 << 20);
    return n <= lines.lines.size() ? lines.lines[n - 1] : "<missing>";
  }
  bool closed() const { return closes > 0; }
  testing::ScriptedDialogs dialogs;
  int closes = 0;
  void watchClose() {
    st().closeWindow = [this] { ++closes; };
  }
};

TEST(Settings, TheNineLinesOfTheFileAndTheirDefaults) {
  struct Case {
    const char* title;
    std::vector<std::string> file;  // empty: no settings file
    bool tipZap;
    std::string nameFileZap;
    std::string startUpFile;
    bool tipPos, tipSavePath;
    std::string loadFolder, saveFolder;  // the dialogs' folders afterwards
    int user;                            // NamePol's selection
    int numer;
  };
  const std::vector<std::string> nine = {"1", "узел.vdt", "/data/узел.vdt", "0", "1", "/data/in", "/data/out", "1", "1"};
  std::vector<std::string> eight(nine.begin(), nine.end() - 1);
  std::vector<std::string> noFolders = nine;
  noFolders[4] = "0";
  const Case cases[] = {
      {"no file: the defaults", {}, false, "Последние введенные данные", "", true, true, "start", "start", -1, 0},
      {"nine lines", nine, true, "узел.vdt", "/data/узел.vdt", false, true, "/data/in", "/data/out", 1, 1},
      {"eight lines: automatic numbering", eight, true, "узел.vdt", "/data/узел.vdt", false, true, "/data/in",
       "/data/out", 1, 0},
      {"folders not remembered", noFolders, true, "узел.vdt", "/data/узел.vdt", false, false, "start", "start", 1, 1},
      {"any non-zero is on, the rest of a line is ignored, unknown numbering is automatic",
       {" 7 lines", "x.vdt", "/x.vdt", "-1", "2", "", "", "0 first", "5"}, true, "x.vdt", "/x.vdt", true, true,
       "start", "start", 0, 0},
      {"a line that holds no integer keeps its default",
       {"да", "x.vdt", "/x.vdt", "нет", "", "/in", "/out", "пусто", "1"}, false, "Последние введенные данные", "/x.vdt",
       true, true, "/in", "/out", -1, 1},
      {"a user index beyond the list selects nobody", {"0", "", "", "1", "1", "", "", "9", "0"}, false,
       "Последние введенные данные", "", true, true, "start", "start", -1, 0},
      {"numbers beyond any integer keep their default, negatives are numbers",
       {"99999999999", "x.vdt", "/x.vdt", "-1", "-0", "/in", "/out", "-7", "-1"}, false, "Последние введенные данные",
       "/x.vdt", true, false, "start", "start", -1, 0},
      {"a folder in place of the file: the defaults", {"/"}, false, "Последние введенные данные", "", true, true,
       "start", "start", -1, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.title);
    SettingsPoint p;
    p.users({"Иванов И.И.", "Петров П.П."});
    if (c.file == std::vector<std::string>{"/"}) {
      std::filesystem::create_directories(p.programFile("nastrprg.nst"));
    } else if (!c.file.empty()) {
      p.settingsFile(c.file);
    }
    p.st().OpenDialog1.initialDir = "start";
    p.st().SaveDialog1.initialDir = "start";
    LoadSettings(p.s);
    const Settings& st = p.st();
    EXPECT_EQ(st.TipZap.checked(), c.tipZap);
    EXPECT_EQ(st.NameFileZap.text(), c.nameFileZap);
    EXPECT_EQ(st.NameFileZap.enabled(), c.tipZap);
    EXPECT_EQ(st.FileZapButton.enabled(), c.tipZap);
    EXPECT_EQ(st.startUpFile, c.startUpFile);
    EXPECT_EQ(st.TipPos.checked(), c.tipPos);
    EXPECT_EQ(st.TipSavePath.checked(), c.tipSavePath);
    EXPECT_EQ(st.OpenDialog1.initialDir, c.loadFolder);
    EXPECT_EQ(st.SaveDialog1.initialDir, c.saveFolder);
    EXPECT_EQ(st.NamePol.items(), (std::vector<std::string>{"Иванов И.И.", "Петров П.П."}));
    EXPECT_EQ(st.NamePol.index(), c.user);
    EXPECT_EQ(st.Numer.index(), c.numer);
    // The numbering shows on the main window at once.
    EXPECT_EQ(p.s.in.NomerR.shown(), c.numer == 1);
    EXPECT_EQ(p.s.in.LabelNomerR.shown(), c.numer == 1);
    EXPECT_EQ(p.s.in.NameIzmTrub.width(), c.numer == 1 ? 272 : 440);
    EXPECT_EQ(automaticNumbering(st), c.numer == 0);
    EXPECT_EQ(currentUser(st), c.user >= 0 ? st.NamePol.items()[static_cast<size_t>(c.user)] : "");
    EXPECT_EQ(storedTipPos(p.s.files), !c.file.empty() && c.file[0] != "/" && c.tipPos)
        << "off without a settings file";
  }
}

TEST(Settings, SavedSettingsAreNineWindows1251LinesThatReadBackTheSame) {
  SettingsPoint p;
  p.users({"Сидорова А.В."});
  LoadSettings(p.s);
  Settings& st = p.st();
  p.dialogs.answers = {p.folder.file("Узел учета.vdt")};
  clickCheckBox(st.TipZap);
  pressButton(st.FileZapButton);
  clickCheckBox(st.TipPos);
  chooseItem(st.Numer, 1);
  chooseItem(st.NamePol, 0);
  clickCheckBox(st.NameUmolch);
  st.OpenDialog1.initialDir = "/архив/вход";
  st.SaveDialog1.initialDir = "/архив/выход";
  p.watchClose();
  pressButton(st.SaveSettingsButton);
  EXPECT_TRUE(p.closed());
  EXPECT_TRUE(p.dialogs.messages.empty());
  EXPECT_EQ(p.settingsBytes(), crlf({"1", "Узел учета.vdt", p.folder.file("Узел учета.vdt"), "0", "1", "/архив/вход",
                                     "/архив/выход", "0", "1"}));

  SettingsPoint again;
  again.users({"Сидорова А.В."});
  std::filesystem::copy_file(p.programFile("nastrprg.nst"), again.programFile("nastrprg.nst"));
  LoadSettings(again.s);
  EXPECT_TRUE(again.st().TipZap.checked());
  EXPECT_EQ(again.st().NameFileZap.text(), "Узел учета.vdt");
  EXPECT_EQ(again.st().startUpFile, p.folder.file("Узел учета.vdt"));
  EXPECT_FALSE(again.st().TipPos.checked());
  EXPECT_EQ(again.st().OpenDialog1.initialDir, "/архив/вход");
  EXPECT_EQ(currentUser(again.st()), "Сидорова А.В.");
  EXPECT_FALSE(automaticNumbering(again.st()));
  EXPECT_FALSE(again.st().NameUmolch.checked()) << "off at every start";
}

TEST(Settings, TheDefaultUserChangesOnlyWhenNameUmolchIsChecked) {
  SettingsPoint p;
  p.users({"Иванов", "Петров", "Сидоров"});
  p.settingsFile({"0", "Последние введенные данные", "", "1", "1", "", "", "1", "0"});
  LoadSettings(p.s);
  Settings& st = p.st();
  ASSERT_EQ(currentUser(st), "Петров");
  struct Step {
    int choose;
    bool umolch;
    const char* stored;
  };
  // Unchecked keeps the stored default user; checked stores the current
  // one, which is then the default an unchecked save keeps.
  const Step steps[] = {{2, false, "1"}, {2, true, "2"}, {0, false, "2"}, {0, true, "0"}};
  for (const Step& step : steps) {
    chooseItem(st.NamePol, step.choose);
    if (st.NameUmolch.checked() != step.umolch) clickCheckBox(st.NameUmolch);
    ASSERT_TRUE(SaveSettings(p.s));
    EXPECT_EQ(p.storedLine(8), step.stored) << "user " << step.choose << " umolch " << step.umolch;
  }
}

TEST(Settings, CloseRestoresTheStoredSettingsAndDefaultsWriteNothing) {
  SettingsPoint p;
  p.users({"Иванов", "Петров"});
  p.settingsFile({"1", "узел.vdt", "/data/узел.vdt", "1", "1", "/in", "/out", "1", "0"});
  LoadSettings(p.s);
  Settings& st = p.st();
  const std::string stored = p.settingsBytes();
  p.watchClose();

  // "По умолчанию" puts the defaults into the window and writes nothing.
  chooseItem(st.Numer, 1);
  clickCheckBox(st.TipSavePath);
  pressButton(st.DefaultsButton);
  EXPECT_FALSE(st.TipZap.checked());
  EXPECT_EQ(st.NameFileZap.text(), "Последние введенные данные");
  EXPECT_FALSE(st.NameFileZap.enabled());
  EXPECT_FALSE(st.FileZapButton.enabled());
  EXPECT_TRUE(st.TipPos.checked());
  EXPECT_TRUE(st.TipSavePath.checked());
  EXPECT_TRUE(automaticNumbering(st));
  EXPECT_FALSE(p.s.in.NomerR.visible());
  EXPECT_EQ(p.settingsBytes(), stored);
  EXPECT_FALSE(p.closed());

  // Another user and the user's own numbers, then "Закрыть": the stored
  // user and numbering come back; the folders this session's loads and
  // saves visited stay.
  chooseItem(st.NamePol, 0);
  chooseItem(st.Numer, 1);
  EXPECT_TRUE(p.s.in.NomerR.visible()) << "the controls act at once";
  st.SaveDialog1.initialDir = "/where/I/saved";
  pressButton(st.CloseButton);
  EXPECT_TRUE(p.closed());
  EXPECT_EQ(currentUser(st), "Петров");
  EXPECT_TRUE(automaticNumbering(st));
  EXPECT_FALSE(p.s.in.NomerR.visible());
  EXPECT_TRUE(st.TipZap.checked());
  EXPECT_EQ(st.NameFileZap.text(), "узел.vdt");
  EXPECT_EQ(st.SaveDialog1.initialDir, "/where/I/saved");
  EXPECT_EQ(p.settingsBytes(), stored);
}

TEST(Settings, ANewUserNeedsTwoCharactersAndIsStoredAndSelected) {
  SettingsPoint p;
  p.users({"Иванов"});
  LoadSettings(p.s);
  Settings& st = p.st();
  pressButton(st.AddUserButton);
  EXPECT_TRUE(st.NewUserBox.shown());
  EXPECT_FALSE(st.NamePol.enabled());
  EXPECT_FALSE(st.NameUmolch.enabled());
  struct Name {
    const char* text;
    bool saves;
  };
  // Characters count, not bytes: a Cyrillic letter is two bytes of UTF-8.
  const Name names[] = {{"", false}, {"A", false}, {"Я", false}, {"  Я  ", false}, {"Ян", true}, {"Li", true}};
  for (const Name& n : names) {
    changeText(st.NewUserName, n.text);
    EXPECT_EQ(st.NewUserSave.enabled(), n.saves) << n.text;
  }
  changeText(st.NewUserName, "Я");
  pressButton(st.NewUserSave);
  EXPECT_TRUE(st.NewUserBox.shown()) << "a one-character name is not saved";
  EXPECT_EQ(st.NamePol.count(), 1);

  changeText(st.NewUserName, "  Яковлев Я.Я. ");
  pressButton(st.NewUserSave);
  EXPECT_FALSE(st.NewUserBox.shown());
  EXPECT_TRUE(st.NamePol.enabled());
  EXPECT_TRUE(st.NameUmolch.enabled());
  EXPECT_EQ(currentUser(st), "Яковлев Я.Я.");
  EXPECT_EQ(readBytes(p.programFile("sppl.vdt")), crlf({"Иванов", "Яковлев Я.Я."}));

  // "Отмена" adds nobody; the box opens empty the next time.
  pressButton(st.AddUserButton);
  EXPECT_EQ(st.NewUserName.text(), "");
  EXPECT_FALSE(st.NewUserSave.enabled());
  changeText(st.NewUserName, "Петров");
  pressButton(st.NewUserCancel);
  EXPECT_FALSE(st.NewUserBox.shown());
  EXPECT_TRUE(st.NamePol.enabled());
  EXPECT_EQ(st.NamePol.count(), 2);
}

// Without a settings file the users list is read all the same: a user added
// then does not replace the users stored before.
TEST(Settings, UsersAddedBeforeAnySettingsWereSavedAreKept) {
  SettingsPoint p;
  p.users({"Иванов", "Петров"});
  LoadSettings(p.s);
  EXPECT_EQ(p.st().NamePol.count(), 2);
  EXPECT_EQ(p.st().NamePol.index(), -1);
  pressButton(p.st().AddUserButton);
  changeText(p.st().NewUserName, "Сидоров");
  pressButton(p.st().NewUserSave);
  EXPECT_EQ(readBytes(p.programFile("sppl.vdt")), crlf({"Иванов", "Петров", "Сидоров"}));
}

// A users list that cannot be read whole (too big for a list of names, a
// folder in its place) is never replaced by the few names the window holds:
// the new user is chosen for this session and the message says why the list
// on disk stayed as it was.
TEST(Settings, AUsersListThatCannotBeReadWholeIsNeverOverwritten) {
  std::string huge;
  while (huge.size() <= (1u << 20)) huge += std::to_string(huge.size()) + std::string(4000, 'x') + "\r\n";
  const struct {
    const char* title;
    std::string bytes;  // "/" : a folder in place of the file
    const char* why;
  } cases[] = {
      {"too big", huge, "файл списка слишком велик и прочитан не полностью"},
      {"a folder", "/", "под этим именем на диске папка"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.title);
    SettingsPoint p;
    if (c.bytes == "/") {
      std::filesystem::create_directories(p.programFile("sppl.vdt"));
    } else {
      writeBytes(p.programFile("sppl.vdt"), c.bytes);
    }
    LoadSettings(p.s);
    pressButton(p.st().AddUserButton);
    changeText(p.st().NewUserName, "Сидоров");
    pressButton(p.st().NewUserSave);
    EXPECT_EQ(currentUser(p.st()), "Сидоров");
    if (c.bytes == "/") {
      EXPECT_TRUE(std::filesystem::is_directory(p.programFile("sppl.vdt")));
    } else {
      EXPECT_TRUE(readBytes(p.programFile("sppl.vdt")) == c.bytes) << "the stored list is unchanged";
    }
    ASSERT_EQ(p.dialogs.messages.size(), 1u);
    EXPECT_EQ(p.dialogs.messages[0], "Список пользователей не сохранен в файл «" + p.programFile("sppl.vdt") +
                                         "»: " + c.why + ", на диске ничего не изменилось.");
  }
}

TEST(Settings, TheStartUpFileIsTheOneChosenWithDotsOrTheStoredOne) {
  SettingsPoint p;
  p.settingsFile({"1", "узел.vdt", "/data/узел.vdt", "1", "1", "", "", "-1", "0"});
  LoadSettings(p.s);
  Settings& st = p.st();
  SettingsFormShow(p.s);
  // Saved without choosing a file: the stored path stays.
  ASSERT_TRUE(SaveSettings(p.s));
  EXPECT_EQ(p.storedLine(3), "/data/узел.vdt");

  // "..." uses the load dialog, which opens in the folder "Velmar" while
  // the settings window is shown; a cancelled choice changes nothing.
  p.dialogs.answers = {"", p.folder.file("другой.vdt")};
  pressButton(st.FileZapButton);
  ASSERT_EQ(p.dialogs.shown.size(), 1u);
  EXPECT_EQ(p.dialogs.shown[0].kind, UserDialogs::Kind::Open);
  EXPECT_EQ(p.dialogs.shown[0].dialog.title, "Загрузка исходных данных");
  EXPECT_EQ(p.dialogs.shown[0].dialog.initialDir, p.folder.path + "/Velmar");
  EXPECT_EQ(p.dialogs.shown[0].dialog.fileName, "узел.vdt");
  EXPECT_EQ(st.NameFileZap.text(), "узел.vdt");
  pressButton(st.FileZapButton);
  EXPECT_EQ(st.NameFileZap.text(), "другой.vdt");

  // Unchecked, the edit tells that the last session is loaded; checked
  // again, it shows the chosen file.
  clickCheckBox(st.TipZap);
  EXPECT_EQ(st.NameFileZap.text(), "Последние введенные данные");
  EXPECT_FALSE(st.FileZapButton.enabled());
  pressButton(st.FileZapButton);
  EXPECT_EQ(p.dialogs.shown.size(), 2u) << "a disabled button opens nothing";
  clickCheckBox(st.TipZap);
  EXPECT_EQ(st.NameFileZap.text(), "другой.vdt");
  ASSERT_TRUE(SaveSettings(p.s));
  EXPECT_EQ(p.storedLine(2), "другой.vdt");
  EXPECT_EQ(p.storedLine(3), p.folder.file("другой.vdt"));
}

TEST(Settings, AFailedSaveSaysWhyAndKeepsTheWindowOpen) {
  SettingsPoint p;
  LoadSettings(p.s);
  p.watchClose();
  std::filesystem::create_directories(p.programFile("nastrprg.nst"));  // a folder in its place
  pressButton(p.st().SaveSettingsButton);
  EXPECT_FALSE(p.closed());
  ASSERT_EQ(p.dialogs.messages.size(), 1u);
  EXPECT_EQ(p.dialogs.messages[0], "Настройки не сохранены в файл «" + p.programFile("nastrprg.nst") +
                                       "»: под этим именем на диске папка, на диске ничего не изменилось.");
}

// Names and folders of the file system may hold characters the files of the
// settings cannot: they are written as "?", and the save says where.
TEST(Settings, ASaveSaysWhichCharactersItCouldNotWrite) {
  SettingsPoint p;
  LoadSettings(p.s);
  Settings& st = p.st();
  p.dialogs.answers = {p.folder.file("Узел Ø100.vdt")};
  clickCheckBox(st.TipZap);
  pressButton(st.FileZapButton);
  st.SaveDialog1.initialDir = "/архив/ГРС №2 ✓";
  p.watchClose();
  pressButton(st.SaveSettingsButton);
  EXPECT_TRUE(p.closed());
  EXPECT_EQ(p.dialogs.messages,
            (std::vector<std::string>{"Настройки сохранены в файл «" + p.programFile("nastrprg.nst") +
                                      "», но символы, которых нет в кодировке Windows-1251, записаны в нем как «?»:\n"
                                      "строка 2 (файл для загрузки при запуске): «Ø»\n"
                                      "строка 3 (путь к нему): «Ø»\n"
                                      "строка 7 (папка диалога сохранения): «✓»"}));
  EXPECT_EQ(p.storedLine(2), "Узел ?100.vdt");

  p.dialogs.messages.clear();
  pressButton(st.AddUserButton);
  changeText(st.NewUserName, "Ørsted H.C.");
  pressButton(st.NewUserSave);
  EXPECT_EQ(p.dialogs.messages,
            (std::vector<std::string>{"Список пользователей сохранен в файл «" + p.programFile("sppl.vdt") +
                                      "», но символы, которых нет в кодировке Windows-1251, записаны в нем как «?»:\n"
                                      "строка 1 (пользователь): «Ø»"}));
}

TEST(WindowGeometry, NineIntegersTheMessagePaneAtLeast200) {
  struct Case {
    const char* title;
    std::string file;  // "" : no file
    bool read;
    WindowGeometry g;
  };
  const Case cases[] = {
      {"nine lines", "1200\r\n700\r\n30\r\n40\r\n500\r\n320\r\n60\r\n70\r\n350\r\n", true,
       {1200, 700, 30, 40, 500, 320, 60, 70, 350}},
      {"line feeds, a narrow message pane", "900\n600\n-10\n-20\n0\n0\n0\n0\n50\n", true,
       {900, 600, -10, -20, 0, 0, 0, 0, 200}},
      {"no file", "", false, {}},
      {"eight lines", "1200\r\n700\r\n30\r\n40\r\n500\r\n320\r\n60\r\n70\r\n", false, {}},
      {"a line without an integer", "1200\r\n700\r\nверх\r\n40\r\n500\r\n320\r\n60\r\n70\r\n350\r\n", false, {}},
      {"no width", "0\r\n700\r\n30\r\n40\r\n500\r\n320\r\n60\r\n70\r\n350\r\n", false, {}},
      {"a negative height", "1200\r\n-700\r\n30\r\n40\r\n500\r\n320\r\n60\r\n70\r\n350\r\n", false, {}},
      {"a number beyond any integer", "99999999999\r\n700\r\n30\r\n40\r\n500\r\n320\r\n60\r\n70\r\n350\r\n",
       false, {}},
      {"huge and negative sizes of the settings window and the pane are kept as read (the window clamps them)",
       "2000000000\r\n2000000000\r\n-2000000000\r\n2000000000\r\n-5\r\n2000000000\r\n0\r\n0\r\n-300\r\n", true,
       {2000000000, 2000000000, -2000000000, 2000000000, -5, 2000000000, 0, 0, 200}},
      {"binary", std::string("\x00\xff\x7f\x01\r\n\x89PNG\r\n\x1a\n", 13) + std::string(20, '\0'), false, {}},
      {"a folder in its place", "/", false, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.title);
    testing::FilePoint p;
    if (c.file == "/") {
      std::filesystem::create_directories(p.programFile("nastrprg.nsw"));
    } else if (!c.file.empty()) {
      writeBytes(p.programFile("nastrprg.nsw"), c.file);
    }
    const std::optional<WindowGeometry> g = readWindowGeometry(p.s.files);
    ASSERT_EQ(g.has_value(), c.read);
    if (!g) continue;
    EXPECT_EQ(g->mainWidth, c.g.mainWidth);
    EXPECT_EQ(g->mainHeight, c.g.mainHeight);
    EXPECT_EQ(g->mainTop, c.g.mainTop);
    EXPECT_EQ(g->mainLeft, c.g.mainLeft);
    EXPECT_EQ(g->settingsWidth, c.g.settingsWidth);
    EXPECT_EQ(g->settingsHeight, c.g.settingsHeight);
    EXPECT_EQ(g->settingsTop, c.g.settingsTop);
    EXPECT_EQ(g->settingsLeft, c.g.settingsLeft);
    EXPECT_EQ(g->messagePaneWidth, c.g.messagePaneWidth);
  }
  testing::FilePoint p;
  ASSERT_TRUE(writeWindowGeometry(p.s.files, {1000, 650, 12, 34, 480, 300, 56, 78, 260}));
  EXPECT_EQ(readBytes(p.programFile("nastrprg.nsw")), "1000\r\n650\r\n12\r\n34\r\n480\r\n300\r\n56\r\n78\r\n260\r\n");
}

}  // namespace
}  // namespace velmar
