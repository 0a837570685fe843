#pragma once
// The program's own files: they live in one folder "Velmar" under the start
// folder (the current folder when the program started), whatever folder a
// file dialog visited. Older names spell the folder "velmar"; on a
// case-sensitive file system every spelling goes to "Velmar".
#include <string>
#include <string_view>

namespace velmar {

// What the program keeps beside the input record about its files.
struct ProgramFiles {
  // The start folder; empty means the current folder.
  std::string startFolder;
  // Line 137 of the input-data file: read into this variable and written back
  // unchanged (empty until a file has been read).
  std::string keptLine;
  // The stored names of another medium have been read since the start.
  bool mediumNamesRead = false;
  // They could not be read whole (too big, unreadable): they are never
  // written over with the names the window holds.
  bool mediumNamesCut = false;
};

// The path of one of the program's files, given as the program names it
// ("Velmar\paramwin.vdt", "velmar\spnamesred", or a bare "n.vdt"): the folder
// "Velmar" under the start folder, with "/" as the separator.
std::string programFilePath(const ProgramFiles& files, std::string_view name);

// The folder "Velmar" under the start folder.
std::string programFolderPath(const ProgramFiles& files);

// A file name a user gave: a relative one is taken from the start folder.
std::string userFilePath(const ProgramFiles& files, std::string_view name);

// Creates the folder "Velmar" under the start folder when it is missing;
// false when it does not exist and cannot be made.
bool makeProgramFolder(const ProgramFiles& files);

}  // namespace velmar
