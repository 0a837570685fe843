// The start and the end of a program run: the first start, the session file
// written at shut-down and read at the next start.
#include <gtest/gtest.h>

#include <filesystem>

#include "persistence/input_file.h"
#include "persistence/reference_lists.h"
#include "persistence/session_file.h"
#include "persistence_fixture.h"

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

}  // namespace
}  // namespace velmar
