#include "persistence/input_data_dialogs.h"

#include <cerrno>

#include "core/program_files.h"
#include "core/safe_file.h"
#include "persistence/input_file.h"
#include "persistence/settings.h"
#include "persistence/storage_context.h"

namespace velmar {

std::string describeWriteFailure(int error) {
  switch (error) {
    case EACCES:
    case EPERM:
    case EROFS: return "нет прав на запись";
    case ENOENT:
    case ENOTDIR: return "нет такой папки";
    case ENOSPC:
    case EDQUOT: return "на диске нет места";
    case EISDIR: return "под этим именем на диске папка";
    default: return "ошибка записи на диск";
  }
}

std::string folderOfPath(std::string_view path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string_view::npos) return {};
  return std::string(path.substr(0, slash == 0 ? 1 : slash));
}

std::string fileNameOfPath(std::string_view path) {
  const size_t slash = path.rfind('/');
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string withDefaultSuffix(std::string path) {
  const std::string name = fileNameOfPath(path);
  if (!name.empty() && name.find('.') == std::string::npos) {
    path += '.';
    path += kInputFileSuffix;
  }
  return path;
}

std::string proposedFileName(const StorageContext& s) {
  std::string name = s.proposedSaveName;
  for (char& ch : name) {
    if (ch == '/' || ch == '\\') ch = ' ';
  }
  return name;
}

std::string loadStopReason(const LoadNote& note) {
  const std::string line = std::to_string(note.line);
  switch (note.stop) {
    case LoadNote::Stop::None: return {};
    case LoadNote::Stop::NotAnInteger: return "строка " + line + " не содержит целого числа";
    case LoadNote::Stop::LineTooLong:
      return "строка " + line + " длиннее " + std::to_string(kMaxInputLineBytes) + " байт";
    case LoadNote::Stop::FileTooLarge:
      return "файл больше " + std::to_string(kMaxInputFileBytes >> 20) + " МБ, строки с " + line +
             "-й не прочитаны";
  }
  return {};
}

}  // namespace velmar
