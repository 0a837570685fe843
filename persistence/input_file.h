#pragma once
// The input-data file (.vdt) of a measuring point: what the window shows
// (edit texts, item indexes, check states, grid cells), one value per line in
// the order of inputFileLines(), Windows-1251 with CR LF. The same file is the
// session file "Velmar\paramwin.vdt" and the user's own files. Loading a file
// is equivalent to typing its contents into the window.
#include <string>
#include <vector>

#include "persistence/safe_file.h"

namespace velmar {

struct Session;

// The largest file and line a load reads: far beyond any file the program
// writes, small enough that a foreign file (a device, a huge log) is refused
// at once.
inline constexpr size_t kMaxInputFileBytes = 4 << 20;
inline constexpr size_t kMaxInputLineBytes = 64 * 1024;

// The 585 lines the file would hold now, as UTF-8 texts.
std::vector<std::string> inputFileTexts(const Session& s);

// Writes the 585 lines; a relative name is taken from the start folder. The
// previous file is replaced only by a complete new one. Then the name of
// another medium is remembered (RememberMediumName). Returns 0 when written,
// 1 when the file could not be written (the previous file is unchanged).
int SaveInputFile(Session& s, const std::string& fileName, const WriteStep& write = {});

// Why a load read fewer lines than the file holds.
struct LoadNote {
  enum class Stop {
    None,
    NotAnInteger,  // a line that should hold an integer does not (a shifted or foreign file)
    LineTooLong,   // a line longer than kMaxInputLineBytes
    FileTooLarge,  // the file is larger than kMaxInputFileBytes
  };
  Stop stop = Stop::None;
  int line = 0;  // the line at which the reading stopped, from 1
};

// One sentence for a stopped reading, empty when the reading was complete.
std::string describeLoadNote(const LoadNote& note);

// Reads the file into the window and runs the rules and a pass as after
// typing it, then schedules a second pass. Returns 0 when read (also when the
// reading stopped early: the values read so far stay, see the note), 1 when
// the file does not exist, 2 when it cannot be opened (nothing changes then).
int LoadInputFile(Session& s, const std::string& fileName, LoadNote* note = nullptr);

// The part of a load after the file has been read: its lines into the window,
// the rules, a pass and the second one scheduled.
void LoadInputLines(Session& s, const TextLines& file, LoadNote* note = nullptr);

}  // namespace velmar
