// The start and the end of a program run: the first start, the session file
// written at shut-down and read at the next start.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "measuring_point/session_file.h"
#include "persistence/input_data_dialogs.h"
#include "persistence/input_file.h"
#include "persistence/reference_lists.h"
#include "persistence/persistence_fixture.h"

namespace velmar {
namespace {

using testing::readBytes;
using testing::TempFolder;
using testing::writeBytes;

// A program run in a start folder: the window is created and shown.
struct ProgramRun : testing::TestPoint {
  explicit ProgramRun(const std::string& startFolder, const std::string& startUpFile = {}) {
    s.files.startFolder = startFolder;
    loaded = showInputData(s, startUpFile);
  }
  // A diameter calculation of 1000 m3/h at working conditions, at most 20 m/s
  // through the flowmeter and 25 m/s in the pipe.
  void diameterOf1000() {
    auto& in = s.in;
    choose(in.Raschet, 2);
    type(in.rststr, "0,7");
    type(in.T_str, "20");
    type(in.Pizb_str, "500");  // kPa, the unit after the reset
    choose(in.Q_Tip, 0);
    type(in.Q_Str, "1000");
    type(in.uMaxStr, "20");
    type(in.uMaxDstr, "25");
    settle();
  }
  int loaded = -1;
};

TEST(SessionFile, AFirstStartComputesADiameterFromTheDefaultSeries) {
  TempFolder folder;
  ProgramRun p(folder.path);
  EXPECT_EQ(p.loaded, 1) << "no session file yet";
  EXPECT_TRUE(std::filesystem::is_directory(folder.file("Velmar")));
  p.diameterOf1000();
  EXPECT_EQ(p.line("Число измерительных линий"), "Число измерительных линий 1");
  EXPECT_EQ(p.line("Диаметр измерительных линий"), "Диаметр измерительных линий 150 мм");
  EXPECT_TRUE(p.memo2().empty());
  // The same window without the default series cannot pick a diameter.
  testing::TestPoint bare;
  bare.s.in.strad.setCell(0, 0, "");
  bare.choose(bare.s.in.Raschet, 2);
  bare.settle();
  EXPECT_TRUE(bare.raised(151));
}

TEST(SessionFile, TheWorkOfOneRunIsThereAtTheNextStart) {
  TempFolder folder;
  {
    ProgramRun first(folder.path);
    first.diameterOf1000();
    first.type(first.s.in.NameIzmTrub, "ГРС Северная, нитка 2");
    ASSERT_EQ(saveSessionFile(first.s), 0);
  }
  const std::string session = readBytes(folder.file("Velmar/paramwin.vdt"));
  EXPECT_FALSE(session.empty());
  ProgramRun second(folder.path);
  EXPECT_EQ(second.loaded, 0);
  EXPECT_EQ(second.s.in.NameIzmTrub.text(), "ГРС Северная, нитка 2");
  second.settle();
  EXPECT_EQ(second.line("Диаметр измерительных линий"), "Диаметр измерительных линий 150 мм");

  // A start-up file named in the settings is read instead.
  const std::string other = folder.file("other.vdt");
  second.type(second.s.in.NameIzmTrub, "Другой узел");
  ASSERT_EQ(SaveInputFile(second.s, other), 0);
  ProgramRun third(folder.path, other);
  EXPECT_EQ(third.s.in.NameIzmTrub.text(), "Другой узел");
}

TEST(SessionFile, AnUnreadableSessionFileStartsFromTheDefaultsAndAFailedSaveKeepsIt) {
  TempFolder folder;
  std::filesystem::create_directories(folder.file("Velmar/paramwin.vdt"));  // a folder in its place
  ProgramRun p(folder.path);
  EXPECT_EQ(p.loaded, 2);
  EXPECT_EQ(p.s.in.metod.index(), 1) << "the defaults of the input form";
  EXPECT_EQ(p.s.in.strad.cell(0, 3), "150");
  EXPECT_EQ(saveSessionFile(p.s), 1);
  EXPECT_TRUE(std::filesystem::is_directory(folder.file("Velmar/paramwin.vdt")));
}

// The program's folder cannot be made (a file has its name): the program
// starts from the defaults, says that nothing will be kept, and the file
// stays as it was.
TEST(SessionFile, AFileInPlaceOfTheProgramFolderIsToldAtStartAndKept) {
  TempFolder folder;
  writeBytes(folder.file("Velmar"), "не папка\r\n");
  testing::TestPoint p;
  p.s.files.startFolder = folder.path;
  const StartUpStatus status = loadStartUpData(p.s);
  EXPECT_EQ(status.text, "Данные не загружены: файл «" + folder.file("Velmar/paramwin.vdt") +
                             "» не удалось прочитать, окна ввода заполнены значениями по умолчанию; папка «" +
                             folder.file("Velmar") +
                             "» не создана (на диске есть файл с этим именем), данные сеанса работы и настройки "
                             "сохранить не удастся");
  EXPECT_TRUE(status.problem);
  EXPECT_EQ(p.s.in.strad.cell(0, 0), "50");
  EXPECT_EQ(saveSessionFile(p.s), 1);
  EXPECT_EQ(readBytes(folder.file("Velmar")), "не папка\r\n");
}

}  // namespace
}  // namespace velmar

namespace velmar {
namespace {

// The start of a session as the settings ask for it, and what the status line
// says: a failed or partial load never leaves the form half-loaded without a
// word.
TEST(StartUp, TheStatusTextSaysWhatWasLoadedOrWhatFailed) {
  TempFolder folder;
  const std::string velmar = folder.file("Velmar");
  std::string full;
  {
    ProgramRun first(folder.path);
    first.diameterOf1000();
    first.type(first.s.in.NameIzmTrub, "ГРС Северная");
    ASSERT_EQ(SaveInputFile(first.s, folder.file("узел.vdt")), 0);
    full = readBytes(folder.file("узел.vdt"));
  }
  // Line 104 (the index of KTtip) holds a text.
  std::string corrupt;
  {
    size_t at = 0;
    for (int i = 0; i < 103; ++i) at = full.find('\n', at) + 1;
    corrupt = full.substr(0, at) + "мусор\r\n" + full.substr(full.find('\n', at) + 1);
  }
  // Cut inside a line: a damaged file, read as far as it goes.
  const std::string truncated = full.substr(0, full.size() / 2);
  const std::string cutAt = std::to_string(std::count(truncated.begin(), truncated.end(), '\n') + 1);
  struct Case {
    const char* title;
    std::string session;  // the session file's bytes; "-" : none, "/" : a folder in its place
    bool tipZap;
    std::string startUpFile;
    std::string status;
    bool problem;
    std::string name;  // NameIzmTrub afterwards
    int raschet;       // Raschet afterwards (line 1)
  };
  const std::string defaults = ", окна ввода заполнены значениями по умолчанию";
  const Case cases[] = {
      {"first start", "-", false, "", "Данных предыдущего сеанса работы нет" + defaults, false, "", 0},
      {"the previous session", full, false, "", "Загружены данные предыдущего сеанса работы", false, "ГРС Северная", 2},
      {"half a session file: what it holds, and that it is damaged", truncated, false, "",
       "Не полностью загружены данные предыдущего сеанса работы: файл поврежден — он обрывается на строке " + cutAt,
       true, "ГРС Северная", 2},
      {"a corrupt session file: the lines before the stop over the defaults", corrupt, false, "",
       "Не полностью загружены данные предыдущего сеанса работы: строка 104 не содержит целого числа, остальные "
       "окна ввода заполнены значениями по умолчанию",
       true, "", 2},
      {"a foreign session file", "это не файл исходных данных\r\n", false, "",
       "Не полностью загружены данные предыдущего сеанса работы: строка 1 не содержит целого числа, остальные "
       "окна ввода заполнены значениями по умолчанию",
       true, "", 0},
      {"an empty session file", "", false, "",
       "Данные не загружены: файл «" + velmar + "/paramwin.vdt» пуст" + defaults, true, "", 0},
      {"an unreadable session file", "/", false, "",
       "Данные не загружены: файл «" + velmar + "/paramwin.vdt» не удалось прочитать" + defaults, true, "", 0},
      {"the start-up file", "-", true, folder.file("узел.vdt"), "Загружены данные из узел.vdt", false, "ГРС Северная",
       2},
      {"a missing start-up file", full, true, folder.file("нет.vdt"),
       "Данные не загружены: файл «" + folder.file("нет.vdt") + "» не найден" + defaults, true, "", 0},
      {"no start-up file chosen", full, true, "",
       "Данные не загружены: файл для загрузки при запуске не выбран" + defaults, true, "", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.title);
    std::filesystem::remove_all(velmar);
    std::filesystem::create_directories(velmar);
    if (c.session == "/") {
      std::filesystem::create_directories(velmar + "/paramwin.vdt");
    } else if (c.session != "-") {
      writeBytes(velmar + "/paramwin.vdt", c.session);
    }
    testing::TestPoint p;
    p.s.files.startFolder = folder.path;
    p.s.settings.TipZap.setChecked(c.tipZap);
    p.s.settings.startUpFile = c.startUpFile;
    p.s.settings.NameFileZap.setText(fileNameOfPath(c.startUpFile));
    const StartUpStatus status = loadStartUpData(p.s);
    EXPECT_EQ(status.text, c.status);
    EXPECT_EQ(status.problem, c.problem);
    EXPECT_EQ(p.s.in.NameIzmTrub.text(), c.name);
    EXPECT_EQ(p.s.in.Raschet.index(), c.raschet);
    EXPECT_EQ(p.s.in.metod.index(), 1) << "the default method, or the one of the file";
    EXPECT_EQ(p.s.in.strad.cell(0, 0), "50") << "the default diameter series";
    EXPECT_TRUE(p.s.in.CalcIdle);
    EXPECT_TRUE(p.timer.running()) << "a second pass is scheduled";
    p.settle();
    EXPECT_FALSE(p.memo2().empty() && p.memo1().empty()) << "a pass ran";
  }
}

}  // namespace
}  // namespace velmar
