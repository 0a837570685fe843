#include "core/safe_file.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <climits>
#include <cstdlib>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/code_page.h"

namespace velmar {

namespace {

constexpr size_t kChunk = 64 * 1024;

// The longest file name the file systems take, in bytes, and the tail the
// temporary file of a save adds to the name: ".tmp" and six letters or digits.
constexpr size_t kNameMax = 255;
constexpr std::string_view kTempTail = ".tmpXXXXXX";

std::string folderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// The file a save replaces: the target of a symbolic link, so that the link
// stays a link.
std::string targetOf(const std::string& path) {
  char resolved[PATH_MAX];
  struct stat st {};
  if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode) && ::realpath(path.c_str(), resolved) != nullptr) {
    return resolved;
  }
  return path;
}

// The temporary file of a save of the target: its name cut at a character
// boundary so that the tail fits.
std::string temporaryPathOf(const std::string& target) {
  const size_t slash = target.rfind('/');
  const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  size_t nameEnd = target.size();
  if (nameEnd - nameStart > kNameMax - kTempTail.size()) {
    nameEnd = nameStart + (kNameMax - kTempTail.size());
    // Not inside a UTF-8 sequence: back to the start of the character.
    while (nameEnd > nameStart && (static_cast<unsigned char>(target[nameEnd]) & 0xC0) == 0x80) --nameEnd;
  }
  return target.substr(0, nameEnd) + std::string(kTempTail);
}

bool isLetterOrDigit(char ch) {
  return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9');
}

// "<name>.tmp" and the six letters or digits mkstemp chose.
bool isTemporaryName(std::string_view name) {
  if (name.size() <= kTempTail.size()) return false;
  const std::string_view tail = name.substr(name.size() - kTempTail.size());
  if (tail.substr(0, 4) != ".tmp") return false;
  for (char ch : tail.substr(4)) {
    if (!isLetterOrDigit(ch)) return false;
  }
  return true;
}

// The temporary files that saves killed midway left in the folder. A running
// save holds a lock on its temporary file, so that only a dead one's file
// can be locked here; and a file changed since this save began is left
// alone whatever its lock.
void removeLeftoverTemporaries(const std::string& folder, std::time_t began) {
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string_view name = entry->d_name;
    if (!isTemporaryName(name)) continue;
    const std::string path = folder + "/" + std::string(name);
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid() ||
        st.st_mtime >= began) {
      continue;
    }
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) continue;
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) ::unlink(path.c_str());
    ::close(fd);
  }
  ::closedir(dir);
}

bool writeAll(int fd, std::string_view bytes, const WriteStep& write) {
  while (!bytes.empty()) {
    const size_t n = bytes.size() < kChunk ? bytes.size() : kChunk;
    const long written = write ? write(fd, bytes.data(), n) : static_cast<long>(::write(fd, bytes.data(), n));
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (written == 0) return false;
    bytes.remove_prefix(static_cast<size_t>(written));
  }
  return true;
}

void syncFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

WriteTarget writeTargetOf(const std::string& path) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0) return WriteTarget::Missing;
  if (S_ISLNK(st.st_mode) && ::stat(path.c_str(), &st) != 0) return WriteTarget::Other;
  if (S_ISREG(st.st_mode)) return WriteTarget::RegularFile;
  if (S_ISDIR(st.st_mode)) return WriteTarget::Folder;
  if (S_ISFIFO(st.st_mode)) return WriteTarget::Pipe;
  if (S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode)) return WriteTarget::Device;
  return WriteTarget::Other;
}

bool writeFileSafely(const std::string& path, std::string_view bytes, const WriteStep& write) {
  const std::time_t began = std::time(nullptr);
  // A rename would put a regular file in place of a pipe, a device or a
  // folder: only a regular file is replaced.
  if (const WriteTarget kind = writeTargetOf(path); kind != WriteTarget::Missing && kind != WriteTarget::RegularFile) {
    errno = kind == WriteTarget::Folder ? EISDIR : EINVAL;
    return false;
  }
  const std::string target = targetOf(path);
  // A file the user may not write stays as it is, as an overwrite would leave it.
  if (::access(target.c_str(), F_OK) == 0 && ::access(target.c_str(), W_OK) != 0) return false;
  removeLeftoverTemporaries(folderOf(target), began);
  std::string temp = temporaryPathOf(target);
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) return false;
  // Held until the file has its name: a save that is still running keeps its
  // temporary file from the cleaning of the others.
  const int lock = ::open(temp.c_str(), O_RDONLY | O_CLOEXEC);
  if (lock >= 0) ::flock(lock, LOCK_EX | LOCK_NB);
  // The new file gets the old one's permissions, or those of a new file.
  struct stat old {};
  if (::stat(target.c_str(), &old) == 0) {
    ::fchmod(fd, old.st_mode & 07777);
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
  }
  bool ok = writeAll(fd, bytes, write) && ::fsync(fd) == 0;
  ok = (::close(fd) == 0) && ok;
  ok = ok && ::rename(temp.c_str(), target.c_str()) == 0;
  const int error = errno;  // why it failed, for the caller's message
  if (!ok) ::unlink(temp.c_str());
  if (lock >= 0) ::close(lock);
  if (!ok) {
    errno = error;
    return false;
  }
  syncFolder(folderOf(target));
  return true;
}

FileBytes readFileCapped(const std::string& path, size_t maxBytes) {
  FileBytes r;
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    r.status = errno == ENOENT ? ReadStatus::Missing : ReadStatus::CannotOpen;
    return r;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
    ::close(fd);
    r.status = ReadStatus::CannotOpen;
    return r;
  }
  r.status = ReadStatus::Read;
  char buf[kChunk];
  while (r.bytes.size() <= maxBytes) {
    const ssize_t n = ::read(fd, buf, sizeof buf);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && r.bytes.empty() && errno != EAGAIN) r.status = ReadStatus::CannotOpen;
    if (n <= 0) break;
    r.bytes.append(buf, static_cast<size_t>(n));
  }
  ::close(fd);
  if (r.bytes.size() > maxBytes) {
    r.bytes.resize(maxBytes);
    r.truncated = true;
  }
  return r;
}

TextLines splitTextLines(std::string_view bytes, bool truncated) {
  TextLines r;
  r.status = ReadStatus::Read;
  r.truncated = truncated;
  // A cut file keeps its complete lines only.
  if (truncated) {
    const size_t lastEnd = bytes.rfind('\n');
    bytes = bytes.substr(0, lastEnd == std::string_view::npos ? 0 : lastEnd + 1);
  }
  const std::string text = decodeFileText(bytes);
  r.lastLineEnded = text.empty() || text.back() == '\n';
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    // A carriage return inside a line is read as the writer writes it: a blank.
    std::replace(line.begin(), line.end(), '\r', ' ');
    r.lines.push_back(std::move(line));
    start = end + 1;
  }
  return r;
}

TextLines readTextLines(const std::string& path, size_t maxBytes) {
  const FileBytes file = readFileCapped(path, maxBytes);
  if (file.status != ReadStatus::Read) {
    TextLines r;
    r.status = file.status;
    return r;
  }
  return splitTextLines(file.bytes, file.truncated);
}

std::string textFileBytes(const std::vector<std::string>& lines) {
  std::string bytes;
  for (const std::string& line : lines) {
    // A line end inside a text would shift every later line: it is written as
    // a blank.
    std::string text = utf8ToCp1251(line);
    std::replace(text.begin(), text.end(), '\r', ' ');
    std::replace(text.begin(), text.end(), '\n', ' ');
    bytes += text;
    bytes += "\r\n";
  }
  return bytes;
}

bool writeTextLines(const std::string& path, const std::vector<std::string>& lines, const WriteStep& write) {
  return writeFileSafely(path, textFileBytes(lines), write);
}

std::optional<int> readIntegerLine(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  int v = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  if (ec != std::errc() || end == text.data()) return std::nullopt;
  return v;
}

}  // namespace velmar
