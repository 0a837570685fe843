#include "report/report_file.h"

#include <vector>

#include "core/code_page.h"

namespace velmar {

namespace {

constexpr std::string_view kFirstLine = "Velmar report 1";

std::string escaped(std::string_view text) {
  std::string out;
  for (char ch : text) {
    switch (ch) {
      case '\\': out += "\\\\"; break;
      case '\t': out += "\\t"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      default: out += ch;
    }
  }
  return out;
}

std::optional<std::string> unescaped(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      out += text[i];
      continue;
    }
    if (++i == text.size()) return std::nullopt;
    switch (text[i]) {
      case '\\': out += '\\'; break;
      case 't': out += '\t'; break;
      case 'n': out += '\n'; break;
      case 'r': out += '\r'; break;
      default: return std::nullopt;
    }
  }
  return out;
}

class Writer {
 public:
  void put(std::string_view key, std::initializer_list<std::string_view> fields) { putFields(key, fields); }
  template <size_t N>
  void put(std::string_view key, const std::array<std::string, N>& fields) {
    putFields(key, fields);
  }
  std::string text_{std::string(kFirstLine) + "\n"};

 private:
  template <typename Fields>
  void putFields(std::string_view key, const Fields& fields) {
    text_ += key;
    for (const auto& f : fields) {
      text_ += '\t';
      text_ += escaped(f);
    }
    text_ += '\n';
  }
};

void putTable(Writer& w, std::string_view key, const ReportTable& t) {
  w.put(key, {t.lead1, t.lead2, t.lead3, t.span3});
  w.put(key, t.head1);
  w.put(key, t.head2);
  for (const auto& row : t.body) w.put(key, row);
}

// The lines of a file, each split into its key and fields.
struct Record {
  std::string key;
  std::vector<std::string> fields;
};

template <size_t N>
bool take(const Record& r, std::array<std::string, N>& out) {
  if (r.fields.size() != N) return false;
  for (size_t i = 0; i < N; ++i) out[i] = r.fields[i];
  return true;
}

// Table records come in a fixed run: captions, two header rows, six body rows.
bool takeTable(const std::vector<Record>& records, size_t& at, std::string_view key, ReportTable& t) {
  if (at + 9 > records.size()) return false;
  for (size_t i = at; i < at + 9; ++i) {
    if (records[i].key != key) return false;
  }
  std::array<std::string, 4> captions;
  if (!take(records[at], captions) || !take(records[at + 1], t.head1) || !take(records[at + 2], t.head2)) return false;
  t.lead1 = captions[0];
  t.lead2 = captions[1];
  t.lead3 = captions[2];
  t.span3 = captions[3];
  for (size_t r = 0; r < 6; ++r) {
    if (!take(records[at + 3 + r], t.body[r])) return false;
  }
  at += 9;
  return true;
}

}  // namespace

std::string reportFileText(const ReportDocument& doc) {
  Writer w;
  w.put("version", {doc.versionLine});
  w.put("number", {doc.numberLine});
  w.put("standards", {doc.standardsLine});
  w.put("name", {doc.name});
  for (const std::string& line : doc.lines) w.put("line", {line});
  if (doc.errorTables) {
    const ErrorTablePage& p = *doc.errorTables;
    w.put("tables", {p.title, p.caption1, p.caption2, p.signature});
    putTable(w, "table1", p.table1);
    putTable(w, "table2", p.table2);
  }
  return w.text_;
}

std::optional<ReportDocument> readReportFile(std::string_view bytes) {
  if (!isValidUtf8(bytes)) return std::nullopt;
  std::vector<Record> records;
  bool first = true;
  while (!bytes.empty()) {
    const size_t end = bytes.find('\n');
    if (end == std::string_view::npos) return std::nullopt;  // every line ends: a cut file is refused
    std::string_view line = bytes.substr(0, end);
    bytes.remove_prefix(end + 1);
    if (first) {
      if (line != kFirstLine) return std::nullopt;
      first = false;
      continue;
    }
    Record r;
    size_t tab = line.find('\t');
    r.key = std::string(line.substr(0, tab));
    while (tab != std::string_view::npos) {
      line.remove_prefix(tab + 1);
      tab = line.find('\t');
      auto field = unescaped(line.substr(0, tab));
      if (!field) return std::nullopt;
      r.fields.push_back(std::move(*field));
    }
    records.push_back(std::move(r));
  }
  if (first) return std::nullopt;

  ReportDocument doc;
  size_t at = 0;
  const auto single = [&](std::string_view key, std::string& out) {
    if (at >= records.size() || records[at].key != key || records[at].fields.size() != 1) return false;
    out = records[at++].fields[0];
    return true;
  };
  if (!single("version", doc.versionLine) || !single("number", doc.numberLine) ||
      !single("standards", doc.standardsLine) || !single("name", doc.name)) {
    return std::nullopt;
  }
  for (std::string line; at < records.size() && records[at].key == "line";) {
    if (!single("line", line)) return std::nullopt;
    doc.lines.push_back(line);
  }
  if (at < records.size()) {
    std::array<std::string, 4> texts;
    if (records[at].key != "tables" || !take(records[at], texts)) return std::nullopt;
    ++at;
    ErrorTablePage page{texts[0], texts[1], {}, texts[2], {}, texts[3]};
    if (!takeTable(records, at, "table1", page.table1) || !takeTable(records, at, "table2", page.table2)) {
      return std::nullopt;
    }
    doc.errorTables = std::move(page);
  }
  if (at != records.size()) return std::nullopt;
  return doc;
}

}  // namespace velmar
