#include "core/safe_file.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/code_page.h"

namespace velmar {

namespace {

constexpr size_t kChunk = 64 * 1024;

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

bool writeFileSafely(const std::string& path, std::string_view bytes, const WriteStep& write) {
  const std::string target = targetOf(path);
  // A file the user may not write stays as it is, as an overwrite would leave it.
  if (::access(target.c_str(), F_OK) == 0 && ::access(target.c_str(), W_OK) != 0) return false;
  std::string temp = target + ".tmpXXXXXX";
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) return false;
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
  if (!ok) {
    const int error = errno;  // why it failed, for the caller's message
    ::unlink(temp.c_str());
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

bool isEmptyFile(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_size == 0;
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
