#include "cli/batch_summary.h"

#include <string_view>

#include "cli/batch.h"
#include "core/code_page.h"
#include "measuring_point/session.h"

namespace velmar {

namespace {

// The result lines the summary takes its numbers from, as the pass words them.
constexpr std::string_view kVolumeLine = "Объем, приведенный к стандартным условиям";
constexpr std::string_view kWetVolumeLine = "Объем влажного газа, приведенный к стандартным условиям";
constexpr std::string_view kDryVolumeLine = "Объем сухой части влажного газа, приведенный к стандартным условиям";
constexpr std::string_view kMassLine = "Масса";
constexpr std::string_view kVolumeErrorLine = "Относительная погрешность измерения объема, приведенного к стандартным условиям";

// The number of the result line of that name: the line is the name, blanks,
// the number and its unit.
std::string numberOf(const std::vector<std::string>& lines, std::string_view name) {
  for (const std::string& line : lines) {
    if (line.size() <= name.size() || line.compare(0, name.size(), name) != 0 || line[name.size()] != ' ') continue;
    const size_t from = line.find_first_not_of(' ', name.size());
    if (from == std::string::npos) return {};
    return line.substr(from, line.find_first_of(" %", from) - from);
  }
  return {};
}

// Runs of blanks as one (item texts are spaced for the window's layout).
std::string collapsed(std::string_view text) {
  std::string out;
  for (char ch : text) {
    if (ch == ' ' && (out.empty() || out.back() == ' ')) continue;
    out += ch;
  }
  while (!out.empty() && out.back() == ' ') out.pop_back();
  return out;
}

// A file name or a stderr line for a text that must be UTF-8: names from a
// Windows folder may be Windows-1251.
std::string readable(std::string_view bytes) { return decodeFileText(bytes); }

// A name as a field of a line of the table: a tab or a line break in a file
// name would split the line, so every control character shows as "?".
std::string field(std::string text) {
  for (char& ch : text) {
    if (static_cast<unsigned char>(ch) < 0x20 || ch == 0x7F) ch = '?';
  }
  return text;
}

std::vector<std::string> errLines(const std::string& err) {
  std::vector<std::string> lines;
  for (size_t at = 0; at < err.size();) {
    const size_t end = err.find('\n', at);
    lines.push_back(readable(err.substr(at, end == std::string::npos ? std::string::npos : end - at)));
    at = end == std::string::npos ? err.size() : end + 1;
  }
  return lines;
}

// A stderr line without the tool's name before it.
std::string withoutToolName(std::string line) {
  constexpr std::string_view kTool = "velmar-calc: ";
  if (line.compare(0, kTool.size(), kTool) == 0) line.erase(0, kTool.size());
  return line;
}

std::string messageList(const std::vector<int>& numbers) {
  std::string out;
  for (int n : numbers) out += (out.empty() ? "[" : " [") + std::to_string(n) + "]";
  return out;
}

// What went wrong with a file, or what it gave besides its panes.
std::string noteOf(const FileOutcome& f) {
  std::string note;
  for (const std::string& line : errLines(f.err)) note += (note.empty() ? "" : "; ") + withoutToolName(line);
  if (!f.reportNote.empty()) note += (note.empty() ? "" : "; ") + f.reportNote;
  return note;
}

// A cell of the summary. A text that a spreadsheet would take for a formula
// (a calculation name "=1+1" in a foreign file) is kept as text by a leading
// apostrophe; a cell with the separator, a quote or a line break is quoted.
std::string cell(std::string text, bool isText = true) {
  if (isText && !text.empty() && std::string_view("=+-@\t\r").find(text.front()) != std::string_view::npos) {
    text = std::string(1, '\'').append(text);
  }
  if (text.find_first_of(";\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (char ch : text) quoted += ch == '"' ? std::string("\"\"") : std::string(1, ch);
  return quoted + "\"";
}

}  // namespace

PointFacts pointFacts(const Session& s) {
  const InputRecord& in = s.in;
  PointFacts f;
  f.name = in.NameIzmTrub.text();
  f.kind = collapsed(in.Raschet.selectedText());
  f.medium = in.sreda.selectedText();
  const int sreda = in.sreda.index();
  if (sreda == 1 && !in.NamePrSred.text().empty()) f.medium += " (" + in.NamePrSred.text() + ")";
  if (sreda == 0) f.method = collapsed(in.metod.selectedText());
  if (sreda == 2) f.method = collapsed(in.Metod_s.selectedText());
  for (int n = 1; n <= kMessageCount; ++n) {
    if (s.flags.raised(n)) f.messages.push_back(n);
  }
  const std::vector<std::string>& lines = in.Memo1.lines();
  f.volume = numberOf(lines, kVolumeLine);
  if (f.volume.empty()) f.volume = numberOf(lines, kWetVolumeLine);
  f.dryVolume = numberOf(lines, kDryVolumeLine);
  f.mass = numberOf(lines, kMassLine);
  f.volumeError = numberOf(lines, kVolumeErrorLine);
  return f;
}

std::string jsonLine(const FileOutcome& f, bool reportsAsked) {
  std::string line = "{\"file\": " + jsonString(readable(f.file)) + ", \"status\": " + std::to_string(f.status);
  // The single run's object, its members after these.
  const std::string& object = f.out;
  if (object.size() > 3 && object.front() == '{' && object.compare(object.size() - 2, 2, "}\n") == 0) {
    line += ", " + object.substr(1, object.size() - 3);
  }
  std::vector<std::string> lines = errLines(f.err);
  if (f.status == 2 && !lines.empty()) {
    line += ", \"error\": " + jsonString(lines.back());
    lines.pop_back();
  }
  if (!lines.empty()) line += ", \"warnings\": " + jsonArray(lines);
  if (reportsAsked) line += ", \"report\": " + (f.report.empty() ? std::string("null") : jsonString(f.report));
  return line + "}\n";
}

std::string tableLine(const FileOutcome& f, bool reportsAsked) {
  const std::string messages = messageList(f.facts.messages);
  std::string line = field(readable(f.file));
  line.append("\t").append(std::to_string(f.status)).append("\t").append(messages.empty() ? "-" : messages);
  if (reportsAsked) line.append("\t").append(f.report.empty() ? "-" : field(f.report));
  if (const std::string note = noteOf(f); !note.empty()) line.append("\t").append(note);
  return line.append("\n");
}

std::string countsLine(const std::vector<int>& statusCounts, int reports, bool reportsAsked) {
  int files = 0;
  for (int n : statusCounts) files += n;
  std::string line = std::to_string(files) + (files == 1 ? " file" : " files");
  for (size_t status = 0; status < statusCounts.size(); ++status) {
    line += (status ? ", " : ": ") + std::to_string(statusCounts[status]) + " with status " + std::to_string(status);
  }
  if (reportsAsked) line += ", " + std::to_string(reports) + (reports == 1 ? " report" : " reports") + " written";
  return line + "\n";
}

std::string summaryHeader() {
  return "\xEF\xBB\xBF"
         "Файл;Название расчета;Вид расчета;Среда;Метод;Статус;Сообщения;"
         "Объем при стандартных условиях, м3;Объем сухой части влажного газа, м3;Масса, кг;"
         "Погрешность объема, %;Отчет;Примечание\r\n";
}

std::string summaryRow(const FileOutcome& f) {
  const PointFacts& p = f.facts;
  const std::string cells[] = {cell(readable(f.file)),
                               cell(p.name),
                               cell(p.kind),
                               cell(p.medium),
                               cell(p.method),
                               cell(std::to_string(f.status), false),
                               cell(messageList(p.messages)),
                               cell(p.volume, false),
                               cell(p.dryVolume, false),
                               cell(p.mass, false),
                               cell(p.volumeError, false),
                               cell(f.report),
                               cell(noteOf(f))};
  std::string row;
  for (const std::string& c : cells) row += (&c == cells ? "" : ";") + c;
  return row + "\r\n";
}

}  // namespace velmar
