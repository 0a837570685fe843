#include "persistence/input_data_dialogs.h"

#include <cerrno>

#include "core/program_files.h"
#include "core/safe_file.h"
#include "persistence/input_file.h"
#include "persistence/settings.h"
#include "persistence/storage_context.h"

namespace velmar {

namespace {

std::string quoted(std::string_view path) { return "«" + std::string(path) + "»"; }

// A text of a file in a message: quoted, at most its first 60 characters
// (an ellipsis marks the rest), control characters shown as "?".
std::string quotedText(std::string_view text) {
  constexpr size_t kShownCharacters = 60;
  std::string out = "«";
  size_t characters = 0;
  size_t i = 0;
  for (; i < text.size() && characters < kShownCharacters; ++i) {
    const auto ch = static_cast<unsigned char>(text[i]);
    if ((ch & 0xC0) != 0x80) ++characters;
    out += ch < 0x20 || ch == 0x7F ? '?' : static_cast<char>(ch);
  }
  // The rest of the last character, then the mark of what is left out.
  while (i < text.size() && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) out += text[i++];
  if (i < text.size()) out += "…";
  return out + "»";
}

// The first bytes of a text that fit the limit, not cutting a character.
std::string firstBytes(std::string text, size_t limit) {
  if (text.size() <= limit) return text;
  size_t end = limit;
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
  text.resize(end);
  return text;
}

}  // namespace

std::string describeWriteFailure(int error, const std::string& path) {
  switch (path.empty() ? WriteTarget::Missing : writeTargetOf(path)) {
    case WriteTarget::Folder: return "под этим именем на диске папка";
    case WriteTarget::Pipe: return "под этим именем на диске канал (FIFO), а не файл";
    case WriteTarget::Device: return "под этим именем на диске устройство, а не файл";
    case WriteTarget::Other: return "под этим именем на диске не файл";
    case WriteTarget::Missing:
    case WriteTarget::RegularFile: break;
  }
  switch (error) {
    case EACCES:
    case EPERM:
    case EROFS: return "нет прав на запись";
    case ENOENT:
    case ENOTDIR: return "нет такой папки";
    case ENOSPC:
    case EDQUOT: return "на диске нет места";
    case EISDIR: return "под этим именем на диске папка";
    case ENAMETOOLONG: return "имя файла слишком длинное";
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
  constexpr size_t kLongestName = 255 - 4;  // room for ".vdt", ".pdf", ".vrp"
  std::string name = s.proposedSaveName;
  for (char& ch : name) {
    if (ch == '/' || ch == '\\') ch = ' ';
  }
  const size_t first = name.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  name = name.substr(first, name.find_last_not_of(' ') - first + 1);
  name = firstBytes(std::move(name), kLongestName);
  while (!name.empty() && name.back() == ' ') name.pop_back();
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
    case LoadNote::Stop::CutShort: return "файл поврежден — он обрывается на строке " + line;
  }
  return {};
}

std::string refusedInputsReason(const LoadNote& note, char separator) {
  if (note.refused.empty()) return {};
  for (const RefusedInput& r : note.refused) {
    if (r.otherSeparator) {
      return std::string("файл записан с другим десятичным разделителем («") + (separator == ',' ? '.' : ',') + "»)";
    }
  }
  return "в файле есть тексты, которые не являются числами";
}

std::string refusedInputsList(const LoadNote& note, char separator) {
  std::string list;
  for (const RefusedInput& r : note.refused) {
    list += "\nстрока " + std::to_string(r.line) + " (" + r.control + "): " + quotedText(r.text) + " — ";
    if (r.otherSeparator) {
      list += std::string("число с десятичным разделителем «") + (separator == ',' ? '.' : ',') +
              "», а в системе принят «" + separator + "»";
    } else {
      list += "не число";
    }
  }
  return list;
}

std::string lostCharactersMessage(std::string_view saved, std::string_view path,
                                  const std::vector<LostCharacters>& lost) {
  std::string text = std::string(saved) + " в файл " + quoted(path) +
                     ", но символы, которых нет в кодировке Windows-1251, записаны в нем как «?»:";
  for (const LostCharacters& l : lost) {
    text += "\nстрока " + std::to_string(l.line);
    if (!l.control.empty()) text += " (" + l.control + ")";
    text += ": ";
    // Each character on its own, quoted.
    for (size_t i = 0; i < l.characters.size();) {
      size_t end = i + 1;
      while (end < l.characters.size() && (static_cast<unsigned char>(l.characters[end]) & 0xC0) == 0x80) ++end;
      text += (i == 0 ? "«" : ", «") + l.characters.substr(i, end - i) + "»";
      i = end;
    }
  }
  return text;
}

}  // namespace velmar
