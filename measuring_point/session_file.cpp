#include "measuring_point/session_file.h"
#include "measuring_point/input_data.h"

#include <cerrno>

#include "core/program_files.h"
#include "core/safe_file.h"
#include "measuring_point/session.h"
#include "persistence/input_data_dialogs.h"
#include "persistence/input_file.h"
#include "persistence/input_reset.h"
#include "persistence/reference_lists.h"

namespace velmar {

namespace {

constexpr std::string_view kDefaults = "окна ввода заполнены значениями по умолчанию";

std::string withDefaults(std::string text, std::string_view which = {}) {
  text += ", ";
  text += which;
  text += kDefaults;
  return text;
}

}  // namespace

int showInputData(Session& s, const std::string& startUpFile, LoadNote* note) {
  makeProgramFolder(s.files);
  s.in.InputChanged = false;
  FillDefaultDiameters(s);
  const int result =
      LoadInputFile(s, startUpFile.empty() ? programFilePath(s.files, kSessionFile) : startUpFile, note);
  if (result != 0) ResetInputs(s);
  return result;
}

namespace {

StartUpStatus loadStartUpInputs(Session& s) {
  const Settings& st = s.settings;
  const bool fromFile = st.TipZap.checked();
  if (fromFile && st.startUpFile.empty()) {
    startWithDefaults(s);
    return {withDefaults("Данные не загружены: файл для загрузки при запуске не выбран"), true};
  }
  const std::string path = fromFile ? userFilePath(s.files, st.startUpFile) : programFilePath(s.files, kSessionFile);
  LoadNote note;
  switch (showInputData(s, path, &note)) {
    case 0: break;
    case 1:
      if (!fromFile) return {withDefaults("Данных предыдущего сеанса работы нет"), false};
      return {withDefaults("Данные не загружены: файл «" + path + "» не найден"), true};
    case kEmptyInputFile: return {withDefaults("Данные не загружены: файл «" + path + "» пуст"), true};
    default:
      return {withDefaults("Данные не загружены: файл «" + path + "» не удалось прочитать"), true};
  }
  const std::string what = fromFile ? "данные из " + st.NameFileZap.text() : "данные предыдущего сеанса работы";
  if (note.stop == LoadNote::Stop::None && note.refused.empty()) return {"Загружены " + what, false};
  // A file that stops early, or whose inputs were not all taken: what was
  // read and taken over the defaults.
  ResetInputs(s);
  LoadInputFile(s, path, &note);
  StartUpStatus status;
  status.problem = true;
  if (note.stop == LoadNote::Stop::CutShort) {
    status.text = "Не полностью загружены " + what + ": " + loadStopReason(note);
  } else if (note.stop != LoadNote::Stop::None) {
    status.text = withDefaults("Не полностью загружены " + what + ": " + loadStopReason(note), "остальные ");
  }
  if (const std::string refused = refusedInputsReason(note, s.decimalSeparator); !refused.empty()) {
    const std::string notTaken = "приняты: " + refused + "; эти окна ввода заполнены значениями по умолчанию";
    status.text += (status.text.empty() ? "Загружены " + what + ", но" : ";") + " не все значения " + notTaken;
    status.message = "Не все значения из файла «" + path + "» " + notTaken + ":" +
                     refusedInputsList(note, s.decimalSeparator);
  }
  return status;
}

}  // namespace

StartUpStatus loadStartUpData(Session& s) {
  const bool folderMade = makeProgramFolder(s.files);
  const int error = errno;
  StartUpStatus status = loadStartUpInputs(s);
  // The session file, the settings and the users could not be kept: better
  // said now than at the end of the day's work.
  if (!folderMade) {
    const std::string why = error == EEXIST ? "на диске есть файл с этим именем" : describeWriteFailure(error);
    status.text += "; папка «" + programFolderPath(s.files) + "» не создана (" + why +
                   "), данные сеанса работы и настройки сохранить не удастся";
    status.problem = true;
  }
  return status;
}

void startWithDefaults(Session& s) {
  s.in.InputChanged = false;
  FillDefaultDiameters(s);
  ResetInputs(s);
}

int saveSessionFile(Session& s) {
  if (!makeProgramFolder(s.files)) return 1;
  return SaveInputFile(s, programFilePath(s.files, kSessionFile));
}

}  // namespace velmar
