#pragma once
// The file dialogs of the menu "Исходные данные" and of the settings window:
// the dialogs "Сохранение исходных данных" and "Загрузка исходных
// данных" (the filter of the program's files, the default extension ".vdt",
// the proposed file name, the remembered folders) and one sentence for the
// user when a save or a load fails. The dialogs and the message box are the
// platform's, behind UserDialogs, so that the tests drive them.
#include <string>
#include <string_view>

namespace velmar {

struct StorageContext;
struct FileDialog;
struct LoadNote;

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

// Why a write failed, from the errno it left ("нет прав на запись").
std::string describeWriteFailure(int error);

// The folder part of a path ("" for a bare name) and the file name without
// its folder.
std::string folderOfPath(std::string_view path);
std::string fileNameOfPath(std::string_view path);

// A file name the user typed without an extension gets ".vdt".
std::string withDefaultSuffix(std::string path);

// The file name the save dialog proposes: the calculation name NameIzmTrub
// with colons, double quotes, full stops, commas and semicolons replaced by
// blanks (Session::proposedSaveName), and the folder separators too, so that
// the name stays one file name.
std::string proposedFileName(const StorageContext& s);

// One sentence on a stopped reading, in the user's words: where and why it
// stopped ("в строке 5 вместо целого числа записан текст").
std::string loadStopReason(const LoadNote& note);

}  // namespace velmar
