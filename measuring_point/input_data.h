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
// reading stopped early: the values read so far stay, see the note), 1 when
// the file does not exist, 2 when it cannot be opened (nothing changes then).
int LoadInputFile(Session& s, const std::string& fileName, LoadNote* note = nullptr);

// The part of a load after the file has been read: its lines into the window,
// the rules, a pass and the second one scheduled.
void LoadInputLines(Session& s, const TextLines& file, LoadNote* note = nullptr);

// "Очистить окна ввода": every default of the input form, the form rules and
// the parse with CalcIdle false, then a pass, and a second one scheduled.
void ResetInputs(Session& s);

// "Сохранить": the save dialog proposes the file name in its folder; the
// input data go into the chosen file, and the dialog then opens in that
// file's folder. A save that fails says why in one message and leaves the
// file on disk as it was. Returns true when a file was written.
bool MenuSaveClick(Session& s, UserDialogs& dialogs);

// "Загрузить": the input data of the file chosen in the load dialog, which
// then opens in that file's folder. A file that is missing, cannot be read
// or is empty changes nothing and is told in one message, as is a reading
// that stopped early (the values read so far stay). Returns true when the
// file was read.
bool MenuLoadClick(Session& s, UserDialogs& dialogs);

}  // namespace velmar
