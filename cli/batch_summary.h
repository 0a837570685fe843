#pragma once
// What a folder run shows of each input-data file: the JSON line, the line of
// the table on stdout and the row of the summary for a spreadsheet, each from
// the single run of the file and the facts of its measuring point.
#include <string>
#include <vector>

namespace velmar {

struct Session;

// The facts of one measuring point after its pass, as the summary lists them.
struct PointFacts {
  std::string name;    // NameIzmTrub, the calculation name
  std::string kind;    // the kind of calculation (Raschet)
  std::string medium;  // sreda, with the name of another medium
  std::string method;  // the method where the medium has a choice of one
  std::vector<int> messages;  // the numbers of the raised messages
  // The numbers as the result lines print them (the run's decimal
  // separator); empty where the calculation printed none.
  std::string volume;       // at standard conditions (of a wet gas: of the wet gas)
  std::string dryVolume;    // of the dry part of a wet gas
  std::string mass;
  std::string volumeError;  // the error (or uncertainty) of the volume, %
};

PointFacts pointFacts(const Session& s);

// One file of a folder run, as far as it went.
struct FileOutcome {
  std::string file;        // the file name in the folder
  int status = 2;          // the single run's exit status
  std::string out;         // the single run's stdout
  std::string err;         // its lines on stderr
  PointFacts facts;        // empty when the run stopped before the pass
  std::string report;      // the report PDF written (its file name), empty when none
  std::string reportNote;  // why no report was written, when reports were asked
};

// The single run's JSON object with "file", "status", for status 2 "error"
// (the single run's stderr line), "warnings" for its other stderr lines and,
// when reports are asked, "report" (the PDF file name or null); one line.
std::string jsonLine(const FileOutcome& f, bool reportsAsked);

// The file, its status, its message numbers ("-" for none), when reports
// are asked the PDF written ("-" for none), and what went wrong; by tabs.
std::string tableLine(const FileOutcome& f, bool reportsAsked);

// How many files had each status (and how many reports were written).
std::string countsLine(const std::vector<int>& statusCounts, int reports, bool reportsAsked);

// The summary: a byte-order mark and the header row, then one row per file;
// ";" between cells, CR LF after each row.
std::string summaryHeader();
std::string summaryRow(const FileOutcome& f);

}  // namespace velmar
