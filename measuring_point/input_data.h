#pragma once
// The input data of a measuring point as a whole: a file loaded into the
// window, the form reset to its defaults, and the commands "Сохранить" and
// "Загрузить" of the menu "Исходные данные". A load and a reset end as the
// arrival of input data does: the form rules, the parse of every value, a
// pass at once and a second one scheduled.
#include <string>

namespace velmar {

struct Session;
struct LoadNote;
struct TextLines;
class UserDialogs;

// Reads the file into the window and runs the rules and a pass as after
// typing it, then schedules a second pass. Returns 0 when read (also when the
// reading stopped early or the file is cut short: the values read so far
// stay; and when some inputs were not taken: their controls keep their
// texts; see the note), 1 when the file does not exist, 2 when it cannot be
// opened, 3 when it holds nothing (an empty file, /dev/null, an empty pipe);
// nothing changes then.
int LoadInputFile(Session& s, const std::string& fileName, LoadNote* note = nullptr);
inline constexpr int kEmptyInputFile = 3;

// The part of a load after the file has been read: its lines into the window,
// the rules, a pass and the second one scheduled.
void LoadInputLines(Session& s, const TextLines& file, LoadNote* note = nullptr);

// "Очистить окна ввода": every default of the input form, the form rules and
// the parse with CalcIdle false, then a pass, and a second one scheduled.
void ResetInputs(Session& s);

// "Сохранить": the save dialog proposes the file name in its folder; the
// input data go into the chosen file, and the dialog then opens in that
// file's folder. A save that fails says why in one message and leaves the
// file on disk as it was; a save that wrote "?" for characters Windows-1251
// lacks says which inputs lost which. Returns true when a file was written.
bool MenuSaveClick(Session& s, UserDialogs& dialogs);

// What a load leaves in the status line.
struct LoadResult {
  bool loaded = false;     // the file was read (perhaps not whole, see the status)
  std::string status;      // the status line's text, empty when a message box said it all
  bool problem = false;    // the status tells of a problem
};

// "Загрузить": the input data of the file chosen in the load dialog, which
// then opens in that file's folder. A file that is missing, cannot be read
// or is empty changes nothing and is told in one message. A file read says
// so in the status line; a reading that stopped early or a file cut short
// (the values read so far stay), and inputs that were not taken (their
// controls keep their texts), are said in the status line and in one message
// that lists them.
LoadResult MenuLoadClick(Session& s, UserDialogs& dialogs);

}  // namespace velmar
