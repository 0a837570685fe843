#include "core/program_files.h"

#include <cerrno>
#include <sys/stat.h>

namespace velmar {

namespace {

constexpr std::string_view kFolder = "Velmar";

std::string joinPath(std::string_view folder, std::string_view name) {
  if (folder.empty()) return std::string(name);
  std::string path(folder);
  if (path.back() != '/') path += '/';
  return path + std::string(name);
}

char lower(char ch) { return ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch - 'A' + 'a') : ch; }

// "Velmar\..." or "velmar/..." in any letter case.
bool startsWithFolder(std::string_view name) {
  if (name.size() <= kFolder.size()) return false;
  for (size_t i = 0; i < kFolder.size(); ++i) {
    if (lower(name[i]) != lower(kFolder[i])) return false;
  }
  const char sep = name[kFolder.size()];
  return sep == '\\' || sep == '/';
}

}  // namespace

std::string programFilePath(const ProgramFiles& files, std::string_view name) {
  if (startsWithFolder(name)) name.remove_prefix(kFolder.size() + 1);
  std::string rest(name);
  for (char& ch : rest) {
    if (ch == '\\') ch = '/';
  }
  return joinPath(programFolderPath(files), rest);
}

std::string programFolderPath(const ProgramFiles& files) { return joinPath(files.startFolder, kFolder); }

std::string userFilePath(const ProgramFiles& files, std::string_view name) {
  if (!name.empty() && name.front() == '/') return std::string(name);
  return joinPath(files.startFolder, name);
}

bool makeProgramFolder(const ProgramFiles& files) {
  const std::string folder = programFolderPath(files);
  if (::mkdir(folder.c_str(), 0777) == 0) return true;
  struct stat st {};
  return errno == EEXIST && ::stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace velmar
