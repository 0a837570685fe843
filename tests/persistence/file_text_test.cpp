// The program's files on disk: the code page, the folder "Velmar", and writes
// that never leave a half-written file in place of the previous one.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <chrono>
#include <iostream>
#include <csignal>
#include <dirent.h>
#include <random>
#include <climits>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "core/code_page.h"
#include "core/program_files.h"
#include "core/safe_file.h"
#include "persistence/input_data_dialogs.h"
#include "persistence/input_file.h"
#include "persistence_fixture.h"

namespace velmar {
namespace {

using testing::FilePoint;
using testing::readBytes;
using testing::TempFolder;
using testing::writeBytes;

TEST(CodePage, Windows1251BytesOfTheTextsUsersType) {
  const struct {
    const char* utf8;
    const char* cp1251;
  } cases[] = {
      {"Па", "\xCF\xE0"},           {"мм рт.ст.", "\xEC\xEC \xF0\xF2.\xF1\xF2."},
      {"°C", "\xB0" "C"},            {"№ 5", "\xB9 5"},
      {"ёЁ", "\xB8\xA8"},            {"—", "\x97"},
      {"€", "\x88"},                 {"АЯая", "\xC0\xDF\xE0\xFF"},
      {"Ґґ", "\xA5\xB4"},            {"ascii 0,5*|t|", "ascii 0,5*|t|"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(utf8ToCp1251(c.utf8), c.cp1251) << c.utf8;
    EXPECT_EQ(cp1251ToUtf8(c.cp1251), c.utf8) << c.utf8;
  }
  // Characters the code page lacks, and broken UTF-8, are written as "?".
  EXPECT_EQ(utf8ToCp1251("漢 Ω"), "? ?");
  EXPECT_EQ(utf8ToCp1251("a\xD0z"), "a?z");
  EXPECT_EQ(cp1251ToUtf8("\x98"), "\xEF\xBF\xBD");
}

TEST(CodePage, EveryAssignedByteSurvivesTheRoundTrip) {
  for (int b = 1; b < 256; ++b) {
    if (b == 0x98) continue;
    const std::string byte(1, static_cast<char>(b));
    EXPECT_EQ(utf8ToCp1251(cp1251ToUtf8(byte)), byte) << b;
  }
}

TEST(CodePage, AFileIsUtf8OnlyWhenItDecodesAsUtf8) {
  const struct {
    const char* bytes;
    bool utf8;
  } cases[] = {
      {"", true},           {"20,5", true},          {"\xD0\x9F\xD0\xB0", true},  {"\xF0\x9F\x98\x80", true},
      {"\xCF\xE0", false},  {"\xC0\xAF", false},     {"\xED\xA0\x80", false},     {"\xF4\x90\x80\x80", false},
      {"\xD0", false},      {"\xE2\x82", false},     {"\xFF", false},
  };
  for (const auto& c : cases) EXPECT_EQ(isValidUtf8(c.bytes), c.utf8) << c.bytes;
  EXPECT_EQ(decodeFileText("\xCF\xE0"), "Па");
  EXPECT_EQ(decodeFileText("Па"), "Па");
  // A byte-order mark says UTF-8 and is dropped.
  EXPECT_EQ(decodeFileText("\xEF\xBB\xBF" "1\r\nПа"), "1\r\nПа");
  EXPECT_EQ(decodeFileText("\xEF\xBB\xBF"), "");
  EXPECT_EQ(decodeFileText("\xEF\xBB\xBF" "a\xFFz"), "a\xEF\xBF\xBDz");
}

// What a save tells the user: the characters it writes as "?".
TEST(CodePage, TheCharactersWrittenAsQuestionMarks) {
  const struct {
    const char* text;
    const char* lost;
  } cases[] = {
      {"Узел Ø100 м³", "Ø³"}, {"Ø Ø ³ Ø", "Ø³"}, {"Расчет №1 — «ГРС» 20 °C ±0,5 ?", ""},
      {"漢字", "漢字"},          {"a\xD0z", "\xEF\xBF\xBD"}, {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(charactersOutsideCp1251(c.text), c.lost) << c.text;
}

TEST(ProgramFiles, EverySpellingOfTheFolderGoesToVelmar) {
  const struct {
    const char* start;
    const char* name;
    const char* path;
  } cases[] = {
      {"/home/u/work", "Velmar\\paramwin.vdt", "/home/u/work/Velmar/paramwin.vdt"},
      {"/home/u/work/", "velmar\\spnamesred", "/home/u/work/Velmar/spnamesred"},
      {"/home/u/work", "VELMAR/n.vdt", "/home/u/work/Velmar/n.vdt"},
      {"/home/u/work", "sppl.vdt", "/home/u/work/Velmar/sppl.vdt"},
      {"", "velmar\\spprm.0", "Velmar/spprm.0"},
      {"/w", "velmarx\\a", "/w/Velmar/velmarx/a"},
  };
  for (const auto& c : cases) {
    ProgramFiles files;
    files.startFolder = c.start;
    EXPECT_EQ(programFilePath(files, c.name), c.path) << c.name;
  }
  ProgramFiles files;
  files.startFolder = "/home/u/work";
  EXPECT_EQ(userFilePath(files, "a.vdt"), "/home/u/work/a.vdt");
  EXPECT_EQ(userFilePath(files, "/tmp/a.vdt"), "/tmp/a.vdt");

  TempFolder folder;
  files.startFolder = folder.path;
  EXPECT_TRUE(makeProgramFolder(files));
  EXPECT_TRUE(makeProgramFolder(files)) << "an existing folder is fine";
  writeBytes(folder.file("Velmar/x"), "1");
  files.startFolder = folder.file("Velmar/x");
  EXPECT_FALSE(makeProgramFolder(files)) << "a file stands where the folder should be";
}

std::vector<std::string> folderEntries(const std::string& path) {
  std::vector<std::string> names;
  if (DIR* d = ::opendir(path.c_str())) {
    while (const dirent* e = ::readdir(d)) {
      const std::string n = e->d_name;
      if (n != "." && n != "..") names.push_back(n);
    }
    ::closedir(d);
  }
  std::sort(names.begin(), names.end());
  return names;
}

// A state of about half a megabyte: every free text, the old mixture grid
// and the diameter series hold long texts.
void makeLargeState(FilePoint& p, char letter) {
  const std::string text(4000, letter);
  for (Control* c : p.s.in.registry.all()) {
    if (c->kind() != ControlKind::Edit) continue;
    auto& e = static_cast<Edit&>(*c);
    if (!e.isValueEdit()) e.setText(text);
  }
  for (int row = 1; row <= 16; ++row) {
    p.s.in.SostavSmes.setCell(1, row, text);
    p.s.in.SostavSmes.setCell(2, row, text);
  }
  for (int row = 0; row < 50; ++row) p.s.in.strad.setCell(0, row, text);
  p.s.files.keptLine = text;
}

TEST(SafeWrite, AWriteThatFailsHalfWayLeavesThePreviousFile) {
  FilePoint p;
  makeLargeState(p, 'a');
  const std::string file = p.folder.file("point.vdt");
  ASSERT_EQ(SaveInputFile(p.s, file), 0);
  const std::string previous = readBytes(file);
  ASSERT_GT(previous.size(), 400000u);
  makeLargeState(p, 'b');

  // The write fails at the n-th call, after writing part of that call's bytes:
  // a full disk, an I/O error, a write that makes no progress.
  struct Fault {
    int failingCall;
    int error;
    bool noProgress;
  };
  for (const Fault f : {Fault{1, ENOSPC, false}, Fault{2, EIO, false}, Fault{6, ENOSPC, false},
                        Fault{3, 0, true}}) {
    int calls = 0;
    const WriteStep failing = [&](int fd, const char* data, size_t size) -> long {
      if (++calls < f.failingCall) return static_cast<long>(::write(fd, data, size));
      if (f.noProgress) return 0;
      const long half = static_cast<long>(::write(fd, data, size / 2));
      (void)half;
      errno = f.error;
      return -1;
    };
    EXPECT_EQ(SaveInputFile(p.s, file, failing), 1) << "call " << f.failingCall;
    EXPECT_EQ(readBytes(file) == previous, true) << "call " << f.failingCall;
    EXPECT_EQ(folderEntries(p.folder.path), (std::vector<std::string>{"Velmar", "point.vdt"}))
        << "the temporary file is removed";
  }
  EXPECT_EQ(SaveInputFile(p.s, file), 0);
  EXPECT_NE(readBytes(file), previous);
}

TEST(SafeWrite, KillingTheSavingProcessNeverLeavesAPartialFile) {
  FilePoint p;
  makeLargeState(p, 'a');
  const std::string file = p.folder.file("session.vdt");
  ASSERT_EQ(SaveInputFile(p.s, file), 0);
  const std::string previous = readBytes(file);
  makeLargeState(p, 'b');
  ASSERT_EQ(SaveInputFile(p.s, file), 0);
  const std::string stateB = readBytes(file);
  const std::string keptB = p.s.files.keptLine;
  const std::string keptC(4000, 'c');
  p.s.files.keptLine = keptC;
  ASSERT_EQ(SaveInputFile(p.s, file), 0);
  const std::string stateC = readBytes(file);

  // Each trial: the previous file in place, a child saving two other large
  // states in turn, a SIGKILL within 0.3 ms of its first temporary file
  // appearing.
  std::mt19937 random(2026);
  int interrupted = 0;  // killed between creating and renaming its temporary file
  int complete = 0;
  for (int trial = 0; trial < 100; ++trial) {
    writeBytes(file, previous);
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      ::alarm(20);  // never outlives a broken test
      ::close(ready[0]);
      if (::write(ready[1], "r", 1) != 1) ::_exit(1);
      for (int k = 0;; ++k) {
        p.s.files.keptLine = k % 2 == 0 ? keptB : keptC;
        SaveInputFile(p.s, file);
      }
    }
    ::close(ready[1]);
    char byte = 0;
    ASSERT_EQ(::read(ready[0], &byte, 1), 1);
    ::close(ready[0]);
    auto writing = [&] {
      for (const std::string& name : folderEntries(p.folder.path)) {
        if (name.rfind("session.vdt.tmp", 0) == 0) return true;
      }
      return false;
    };
    for (int poll = 0; poll < 200000 && !writing(); ++poll) {
    }
    std::this_thread::sleep_for(std::chrono::microseconds(static_cast<long>(random() % 300)));
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    const std::string now = readBytes(file);
    const bool whole = now == previous || now == stateB || now == stateC;
    EXPECT_TRUE(whole) << "trial " << trial << ": " << now.size() << " bytes";
    complete += whole;
    // A temporary file left behind shows the kill came in the middle of a write.
    for (const std::string& name : folderEntries(p.folder.path)) {
      if (name.rfind("session.vdt.tmp", 0) == 0) {
        ++interrupted;
        std::remove(p.folder.file(name).c_str());
      }
    }
  }
  EXPECT_EQ(complete, 100);
  EXPECT_GE(interrupted, 50) << "the kills should mostly land in the middle of a write";
  std::cout << "kill -9 trials: " << complete << " of 100 left a complete file, " << interrupted
            << " killed in the middle of a write\n";
}

// A save writes a regular file or makes one; whatever else stands at the
// path (a pipe, a link to one, a link to nothing, a folder) stays as it is
// and the save says why.
TEST(SafeWrite, OnlyARegularFileOrAMissingOneIsReplaced) {
  TempFolder folder;
  const std::string fifo = folder.file("pipe");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  writeBytes(folder.file("old.vdt"), "old");
  ASSERT_EQ(::symlink("pipe", folder.file("to_pipe").c_str()), 0);
  ASSERT_EQ(::symlink("old.vdt", folder.file("to_file").c_str()), 0);
  ASSERT_EQ(::symlink("none", folder.file("to_nothing").c_str()), 0);
  std::filesystem::create_directories(folder.file("folder"));
  const struct {
    const char* name;
    bool written;
    int error;
    const char* why;  // describeWriteFailure
  } cases[] = {
      {"new.vdt", true, 0, ""},
      {"to_file", true, 0, ""},  // through the link: the link stays, old.vdt gets the bytes
      {"pipe", false, EINVAL, "под этим именем на диске канал (FIFO), а не файл"},
      {"to_pipe", false, EINVAL, "под этим именем на диске канал (FIFO), а не файл"},
      {"to_nothing", false, EINVAL, "под этим именем на диске не файл"},
      {"folder", false, EISDIR, "под этим именем на диске папка"},
  };
  for (const auto& c : cases) {
    errno = 0;
    EXPECT_EQ(writeFileSafely(folder.file(c.name), "new"), c.written) << c.name;
    if (c.written) continue;
    EXPECT_EQ(errno, c.error) << c.name;
    EXPECT_EQ(describeWriteFailure(errno, folder.file(c.name)), c.why) << c.name;
  }
  EXPECT_EQ(readBytes(folder.file("old.vdt")), "new");
  EXPECT_TRUE(std::filesystem::is_symlink(folder.file("to_file")));
  EXPECT_TRUE(std::filesystem::is_fifo(fifo));
  EXPECT_TRUE(std::filesystem::is_symlink(folder.file("to_pipe")));
  EXPECT_EQ(writeTargetOf("/dev/null"), WriteTarget::Device);
  EXPECT_EQ(folderEntries(folder.path),
            (std::vector<std::string>{"folder", "new.vdt", "old.vdt", "pipe", "to_file", "to_nothing", "to_pipe"}));
}

// The temporary file adds ".tmpXXXXXX" to the name: for the longest names it
// is cut, never a character in two, so that every name the file system takes
// can be saved.
TEST(SafeWrite, TheLongestFileNamesAreSaved) {
  TempFolder folder;
  for (const std::string& name : {std::string(245, 'a'), std::string(246, 'b'), std::string(255, 'c'),
                                  std::string(1, 'x') + [] {
                                    std::string cyrillic;
                                    for (int i = 0; i < 127; ++i) cyrillic += "ж";
                                    return cyrillic;
                                  }()}) {
    std::string temporary;
    const WriteStep watch = [&](int fd, const char* data, size_t size) -> long {
      char link[PATH_MAX] = {};
      const std::string self = "/proc/self/fd/" + std::to_string(fd);
      if (::readlink(self.c_str(), link, sizeof link - 1) > 0) temporary = fileNameOfPath(link);
      return static_cast<long>(::write(fd, data, size));
    };
    ASSERT_TRUE(writeFileSafely(folder.file(name), "bytes", watch)) << name.size() << " bytes: " << errno;
    EXPECT_EQ(readBytes(folder.file(name)), "bytes");
    EXPECT_LE(temporary.size(), 255u) << temporary;
    EXPECT_EQ(temporary.substr(0, 40), name.substr(0, 40));
    EXPECT_TRUE(isValidUtf8(temporary)) << temporary;
  }
  EXPECT_EQ(folderEntries(folder.path).size(), 4u) << "no temporary file is left";
}

// A save killed midway leaves its temporary file; the next save into that
// folder removes it, and every leftover of a killed save, but nothing else:
// not a file of another pattern, not one that changed since the save began,
// not one a running save holds.
TEST(SafeWrite, TheNextSaveRemovesWhatKilledSavesLeft) {
  TempFolder folder;
  const std::string file = folder.file("point.vdt");
  writeBytes(file, "previous");
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    // Killed halfway through its bytes.
    const WriteStep killed = [](int fd, const char* data, size_t size) -> long {
      if (::write(fd, data, size / 2) < 0) ::_exit(2);
      ::_exit(9);
    };
    writeFileSafely(file, std::string(100000, 'k'), killed);
    ::_exit(1);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 9);
  EXPECT_EQ(readBytes(file), "previous");
  std::vector<std::string> left;
  for (const std::string& name : folderEntries(folder.path)) {
    if (name != "point.vdt") left.push_back(name);
  }
  ASSERT_EQ(left.size(), 1u);
  EXPECT_EQ(left[0].rfind("point.vdt.tmp", 0), 0u);

  // Beside it: the leftover of another killed save, a file a running save
  // holds, a fresh one, and users' files of other patterns; all but the fresh
  // one an hour old.
  for (const char* name : {"other.vdt.tmpAb12Cd", "held.vdt.tmpZz9900", "fresh.vdt.tmpQq1234", "notes.tmp",
                           "list.tmp12345", "a.tmp-12345"}) {
    writeBytes(folder.file(name), "x");
  }
  const int held = ::open(folder.file("held.vdt.tmpZz9900").c_str(), O_RDONLY);
  ASSERT_GE(held, 0);
  ASSERT_EQ(::flock(held, LOCK_EX), 0);
  const timespec anHourAgo[2] = {{::time(nullptr) - 3600, 0}, {::time(nullptr) - 3600, 0}};
  for (const std::string& name : folderEntries(folder.path)) {
    if (name.find("fresh") == std::string::npos) ::utimensat(AT_FDCWD, folder.file(name).c_str(), anHourAgo, 0);
  }
  ASSERT_TRUE(writeFileSafely(file, "next"));
  ::close(held);
  EXPECT_EQ(readBytes(file), "next");
  EXPECT_EQ(folderEntries(folder.path),
            (std::vector<std::string>{"a.tmp-12345", "fresh.vdt.tmpQq1234", "held.vdt.tmpZz9900", "list.tmp12345",
                                      "notes.tmp", "point.vdt"}));
}

}  // namespace
}  // namespace velmar
