#pragma once
// The file dialogs of the menu "Исходные данные" and of the settings window:
// the dialogs "Сохранение исходных данных" and "Загрузка исходных
// данных" (the filter of the program's files, the default extension ".vdt",
// the proposed file name, the remembered folders) and one sentence for the
// user when a save or a load fails. The dialogs and the message box are the
// platform's, behind UserDialogs, so that the tests drive them.
#include <string>
#include <string_view>
#include <vector>

namespace velmar {

struct StorageContext;
struct FileDialog;
struct LoadNote;
struct LostCharacters;

// The filter of both dialogs: the program is named as its title bar names it.
inline constexpr std::string_view kInputFileFilter = "Файлы программы \"Велмар\"  (*.vdt)";
inline constexpr std::string_view kInputFilePattern = "*.vdt";
inline constexpr std::string_view kInputFileSuffix = "vdt";

// The platform's common dialogs.
class UserDialogs {
 public:
  enum class Kind { Open, Save };
  virtual ~UserDialogs() = default;
  // Shows a file dialog with the dialog's title, initial folder and file name,
  // the filter kInputFileFilter and the default extension kInputFileSuffix;
  // returns the full path chosen, empty when the user cancels.
  virtual std::string chooseFile(Kind kind, const FileDialog& dialog) = 0;
  // A message box with one sentence.
  virtual void showMessage(const std::string& text) = 0;
};

// Why a write failed: what stands at the path when it is no regular file
// ("под этим именем на диске папка"), otherwise from the errno the write
// left ("нет прав на запись").
std::string describeWriteFailure(int error, const std::string& path = {});

// The folder part of a path ("" for a bare name) and the file name without
// its folder.
std::string folderOfPath(std::string_view path);
std::string fileNameOfPath(std::string_view path);

// A file name the user typed without an extension gets ".vdt".
std::string withDefaultSuffix(std::string path);

// The file name every save dialog proposes (input data, report, PDF), without
// its extension: the calculation name NameIzmTrub with colons, double
// quotes, full stops, commas and semicolons replaced by blanks
// (Session::proposedSaveName), and the folder separators too, so that the
// name stays one file name in the dialog's folder; without blanks at its
// ends and short enough that an extension of four bytes keeps it within the
// 255 bytes of a file name.
std::string proposedFileName(const StorageContext& s);

// One sentence on a stopped or cut reading, in the user's words: where and
// why it stopped ("строка 5 не содержит целого числа").
std::string loadStopReason(const LoadNote& note);

// The inputs a load did not take. The clause for a status line, empty when
// every input was taken ("файл записан с другим десятичным разделителем
// («,»)"), and the message that lists them, one line each with the text and
// why it was not taken.
std::string refusedInputsReason(const LoadNote& note, char separator);
std::string refusedInputsList(const LoadNote& note, char separator);

// The message after a save that wrote "?" for characters Windows-1251 lacks:
// what was saved where, then one line for each input with those characters.
std::string lostCharactersMessage(std::string_view saved, std::string_view path,
                                  const std::vector<LostCharacters>& lost);

}  // namespace velmar
