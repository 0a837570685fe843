#include "measuring_point/input_data.h"

#include <cerrno>
#include <string_view>
#include <vector>

#include "core/program_files.h"
#include "core/safe_file.h"
#include "measuring_point/diameter.h"
#include "measuring_point/session.h"
#include "measuring_point/start_up.h"
#include "persistence/input_data_dialogs.h"
#include "persistence/input_file.h"
#include "persistence/input_reset.h"
#include "report/report_pages.h"

namespace velmar {

namespace {

std::string quoted(std::string_view path) { return "«" + std::string(path) + "»"; }

}  // namespace

int LoadInputFile(Session& s, const std::string& fileName, LoadNote* note) {
  const TextLines file = readInputFile(s, fileName);
  if (file.status == ReadStatus::Missing) return 1;
  if (file.status == ReadStatus::CannotOpen) return 2;
  // A file of no lines holds no input data (it would read as zeros).
  if (file.lines.empty() && !file.truncated) return kEmptyInputFile;
  LoadInputLines(s, file, note);
  return 0;
}

void LoadInputLines(Session& s, const TextLines& file, LoadNote* note) {
  const InputFileValues read = readInputLines(s, file, note);
  applyInputsAndCalculate(s, [&] {
    giveBackValues(s.in, read);
    OrderDiameterSeries(s);  // as by "Упорядочить"
    TipSUChange(s);          // the standards line of the report pages
  });
}

void ResetInputs(Session& s) {
  // The cleared form opens on its first page, "Вид расчета".
  s.in.PageControl1.setActivePage(s.in.TabSheet1);
  const int flowmeterType = s.in.TipSU.index();
  resetInputValues(s);
  applyInputsAndCalculate(s, [&] {
    // The rule of a changed flowmeter type: the report's standards line
    // names the standard of the type now chosen.
    if (s.in.TipSU.index() != flowmeterType) TipSUChange(s);
  });
}

bool MenuSaveClick(Session& s, UserDialogs& dialogs) {
  FileDialog& dialog = s.settings.SaveDialog1;
  FileDialog shown = dialog;
  shown.fileName = proposedFileName(s);
  const std::string chosen = dialogs.chooseFile(UserDialogs::Kind::Save, shown);
  if (chosen.empty()) return false;
  const std::string path = userFilePath(s.files, withDefaultSuffix(chosen));
  if (SaveInputFile(s, path) != 0) {
    const int error = errno;
    dialogs.showMessage("Исходные данные не сохранены в файл " + quoted(path) + ": " +
                        describeWriteFailure(error, path) + ", на диске ничего не изменилось.");
    return false;
  }
  dialog.initialDir = folderOfPath(path);
  dialog.fileName = path;
  if (const std::vector<LostCharacters> lost = charactersLostInFile(s); !lost.empty()) {
    dialogs.showMessage(lostCharactersMessage("Исходные данные сохранены", path, lost));
  }
  return true;
}

LoadResult MenuLoadClick(Session& s, UserDialogs& dialogs) {
  FileDialog& dialog = s.settings.OpenDialog1;
  FileDialog shown = dialog;
  shown.fileName = fileNameOfPath(dialog.fileName);
  const std::string chosen = dialogs.chooseFile(UserDialogs::Kind::Open, shown);
  if (chosen.empty()) return {};
  const std::string path = userFilePath(s.files, chosen);
  LoadNote note;
  switch (LoadInputFile(s, path, &note)) {
    case 0: break;
    case 1:
      dialogs.showMessage("Исходные данные не загружены: файл " + quoted(path) + " не найден.");
      return {};
    case kEmptyInputFile:
      dialogs.showMessage("Исходные данные не загружены: файл " + quoted(path) + " пуст.");
      return {};
    default:
      dialogs.showMessage("Исходные данные не загружены: файл " + quoted(path) + " не удалось прочитать.");
      return {};
  }
  dialog.initialDir = folderOfPath(path);
  dialog.fileName = path;
  const std::string refused = refusedInputsReason(note, s.decimalSeparator);
  if (note.stop == LoadNote::Stop::None && refused.empty()) {
    return {true, "Загружены данные из " + fileNameOfPath(path), false};
  }
  // What was not read, then what was not taken; the status line says the
  // first of them, the message lists them all.
  std::string status;
  std::string message;
  if (note.stop != LoadNote::Stop::None) {
    status = "Исходные данные из файла " + quoted(path) + " загружены не полностью: " + loadStopReason(note);
    message = status + (note.stop == LoadNote::Stop::CutShort ? "."
                                                              : ", остальные окна ввода сохранили прежние значения.");
  }
  if (!refused.empty()) {
    const std::string notTaken = "Не все значения из файла " + quoted(path) + " приняты: " + refused +
                                 "; эти окна ввода сохранили прежние значения";
    if (status.empty()) status = notTaken;
    message += (message.empty() ? "" : "\n") + notTaken + ":" + refusedInputsList(note, s.decimalSeparator);
  }
  dialogs.showMessage(message);
  return {true, status, true};
}

}  // namespace velmar
