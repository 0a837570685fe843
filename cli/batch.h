#pragma once
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/platform.h"
#include "measuring_point/named_input.h"
#include "measuring_point/session.h"
#include "report/report_document.h"

namespace velmar {

// The report pages as PDF files, from the window layer where Qt is built.
struct ReportPdfWriter {
  // Brings up what drawing needs (Qt's offscreen platform) for as long as the
  // handle it gives lives; called on the main thread before the first write.
  std::function<std::shared_ptr<void>()> start;
  // Writes one PDF file; false when the file could not be written. Once
  // started, several threads may write at once, each a file of its own.
  std::function<bool(const ReportDocument& doc, const std::string& path)> write;
  explicit operator bool() const { return static_cast<bool>(write); }
};

// A usage error: the run stops with its line on stderr and status 2.
struct UsageError {
  std::string message;
};

// What one run of velmar-calc computes, as its options say.
struct CalcOptions {
  char separator = '.';
  bool json = false;
  bool tables = false;
  TextCheck textCheck = TextCheck::Strict;
  std::vector<std::string> sets;
  std::string loadFile;
  std::string saveFile;
  std::string reportTextFile;
  std::string reportPdfFile;
};

// The measuring point of one run with the virtual clock and the event pump it
// runs on, started fresh.
struct RunPoint {
  explicit RunPoint(char separator) : s(timer, pump, separator) {}
  ManualTimer timer;
  ScriptedEventPump pump;
  Session s;
};

// What one run gives: its exit status, what it prints on stdout and its lines
// on stderr, and the measuring point after the pass (none when the run stopped
// before the pass).
struct CalcRun {
  int status = 2;
  std::string out;
  std::string err;
  std::unique_ptr<RunPoint> point;
};

// One run of the options from a fresh start: the load, the --set options in
// order, the pass, the save, the panes (or the JSON object). No exception
// leaves it: whatever stops the run is a line of err and status 2. The report
// files of the options are not written here (see runBatch). Runs on any
// thread: it shares nothing with another run.
CalcRun calculate(const CalcOptions& options);

// Whatever stops a run (the exception it throws), as its one line on stderr.
std::string stopLine(std::exception_ptr stop);

// Today in the short form of the Russian regional settings, as a report dates it.
std::string today();

// A text as a JSON string, and a list of texts as a JSON array.
std::string jsonString(const std::string& text);
std::string jsonArray(const std::vector<std::string>& lines);

// The batch tool velmar-calc: options applied in order to a freshly started
// form, one calculation pass, both panes printed, the report written when
// asked; with --batch DIR every input-data file of a folder so (see
// cli/batch_folder.h). Returns the exit status; no exception leaves it
// (whatever stops the run is a line on stderr and status 2). Without a PDF
// writer --report-pdf and --reports are refused as usage errors.
int runBatch(int argc, char** argv, const ReportPdfWriter& writePdf = {});

}  // namespace velmar
