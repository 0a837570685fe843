#pragma once
// Reading and writing the program's files so that no input can hang the
// reader and no failed or interrupted write destroys the previous file.
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmar {

// One write of a save: returns the number of bytes written or -1 (with errno
// set). The default is the system's write; a test injects one that fails.
using WriteStep = std::function<long(int fd, const char* data, size_t size)>;

// What stands at the path a save would write.
enum class WriteTarget {
  Missing,      // nothing: the save makes a new file
  RegularFile,  // a regular file, or a link to one: the save replaces it
  Folder,       // a folder, or a link to one
  Pipe,         // a named pipe (FIFO), or a link to one
  Device,       // a device node, or a link to one
  Other,        // a socket, a link to nothing
};
WriteTarget writeTargetOf(const std::string& path);

// Writes the bytes as the whole new content of the file: into a temporary
// file in the same folder ("<name>.tmpXXXXXX", the name shortened so that it
// stays within the file system's 255 bytes), flushed to the disk, then
// renamed over the old file. Only a regular file or a missing one is written:
// anything else at the path (a folder, a pipe, a device, a link to one) is
// left alone and refused. On any failure the old file stays as it was, the
// temporary file is removed and the result is false, with errno saying why
// (EISDIR for a folder, EINVAL for another target that is no regular file).
// First the temporary files that saves killed midway left in that folder are
// removed: files of that name pattern, of this user, last changed before this
// save began and held by no running save.
bool writeFileSafely(const std::string& path, std::string_view bytes, const WriteStep& write = {});

enum class ReadStatus {
  Read,        // read (perhaps only its first maxBytes, see truncated)
  Missing,     // no such file
  CannotOpen,  // exists but cannot be opened or read (a folder, no permission)
};

struct FileBytes {
  ReadStatus status = ReadStatus::Missing;
  std::string bytes;
  bool truncated = false;  // the file holds more than maxBytes
};

// Reads at most maxBytes of a file. A device or pipe is read like a file, up
// to the same limit, and never waited on.
FileBytes readFileCapped(const std::string& path, size_t maxBytes);

struct TextLines {
  ReadStatus status = ReadStatus::Missing;
  std::vector<std::string> lines;  // UTF-8, without their line ends
  bool truncated = false;          // lines beyond the size limit were not read
  bool lastLineEnded = true;       // the last line has its line end (a file cut inside a line has none)
};

// A text file of the program: lines ended by CR LF or LF, Windows-1251 or
// UTF-8 (see decodeFileText); a carriage return inside a line reads as a
// blank. A truncated file keeps only its complete lines.
TextLines readTextLines(const std::string& path, size_t maxBytes);
// The same for bytes already read.
TextLines splitTextLines(std::string_view bytes, bool truncated);

// The bytes of a text file: each line in Windows-1251 followed by CR LF.
std::string textFileBytes(const std::vector<std::string>& lines);

// Writes the lines as Windows-1251 with CR LF after each, safely; a line end
// inside a line is written as a blank.
bool writeTextLines(const std::string& path, const std::vector<std::string>& lines, const WriteStep& write = {});

// A line that holds an integer (an index, a check state, a size): leading
// blanks, a decimal integer within int, the rest of the line ignored; nothing
// when the line does not start with one.
std::optional<int> readIntegerLine(std::string_view text);

}  // namespace velmar
