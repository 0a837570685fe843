#pragma once
// The input-data file (.vdt) of a measuring point: what the window shows
// (edit texts, item indexes, check states, grid cells), one value per line in
// the order of inputFileLines(), Windows-1251 with CR LF. The same file is the
// session file "Velmar\paramwin.vdt" and the user's own files. Loading a file
// is equivalent to typing its contents into the window.
#include <string>
#include <vector>

#include "core/safe_file.h"

namespace velmar {

struct StorageContext;
struct InputRecord;
struct FileLine;

// The largest file and line a load reads: far beyond any file the program
// writes, small enough that a foreign file (a device, a huge log) is refused
// at once.
inline constexpr size_t kMaxInputFileBytes = 4 << 20;
inline constexpr size_t kMaxInputLineBytes = 64 * 1024;

// The 585 lines the file would hold now, as UTF-8 texts.
std::vector<std::string> inputFileTexts(const StorageContext& s);

// Writes the 585 lines; a relative name is taken from the start folder. The
// previous file is replaced only by a complete new one. Then the name of
// another medium is remembered (RememberMediumName). Returns 0 when written,
// 1 when the file could not be written (the previous file is unchanged).
int SaveInputFile(StorageContext& s, const std::string& fileName, const WriteStep& write = {});

// An input of the file that the window did not take: a number edit or a
// number cell of a composition grid whose text does not convert with the
// system's decimal separator. The control keeps the text it had before, so
// that what it shows is what the calculation uses.
struct RefusedInput {
  int line = 0;          // from 1
  std::string control;   // its name; a grid cell as NAME[col,row]
  std::string text;      // the text of the file
  // The text converts with the other decimal separator: the file was written
  // where that one is the system's.
  bool otherSeparator = false;
};

// What a load did not read or take.
struct LoadNote {
  enum class Stop {
    None,
    NotAnInteger,  // a line that should hold an integer does not (a shifted or foreign file)
    LineTooLong,   // a line longer than kMaxInputLineBytes
    FileTooLarge,  // the file is larger than kMaxInputFileBytes
    // The file ends where no older file ends: inside a line, inside a block,
    // or after any line but 413 and the last lines before blocks B to J. It
    // is damaged; it is read as an older file is, and `line` is the last
    // line read.
    CutShort,
  };
  Stop stop = Stop::None;
  int line = 0;  // the line at which the reading stopped, from 1
  std::vector<RefusedInput> refused;  // in the order of the file
};

// One sentence for a stopped or cut reading, empty when the reading was
// complete.
std::string describeLoadNote(const LoadNote& note);

// An input of the file whose text holds characters that Windows-1251 cannot
// hold: a save writes "?" for each of them.
struct LostCharacters {
  int line = 0;            // from 1
  std::string control;     // its name; a grid cell as NAME[col,row]; empty for the kept line
  std::string characters;  // each once, in the order they first appear
};

// The inputs that a save now writes with "?" in place of some characters.
std::vector<LostCharacters> charactersLostInFile(const StorageContext& s);

// Reads the file of the given name (a relative name from the start folder),
// after the pipe materials have been listed so that their index reads.
TextLines readInputFile(StorageContext& s, const std::string& fileName);

// The values of a file read that the form rules change when they run after
// the reading (unit lists rebuilt, third transducers and pr_St cleared): they
// are given back once the rules have run.
struct InputFileValues {
  struct Integer {
    const FileLine* line;
    int value;
  };
  std::vector<Integer> givenBack;
};

// The lines of a file into the window, with CalcIdle false, as if typed; the
// note says where a reading stopped early or the file was cut short, and
// which inputs were not taken (their controls keep their texts).
InputFileValues readInputLines(StorageContext& s, const TextLines& file, LoadNote* note = nullptr);

// Gives back the values the rules changed, each with its box's rule.
void giveBackValues(InputRecord& in, const InputFileValues& read);

}  // namespace velmar
