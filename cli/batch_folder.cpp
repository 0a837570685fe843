#include "cli/batch_folder.h"

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <exception>
#include <filesystem>
#include <iostream>
#include <mutex>
#include <optional>
#include <set>
#include <system_error>
#include <thread>
#include <unistd.h>

#include "cli/batch_summary.h"
#include "core/code_page.h"
#include "core/program_files.h"
#include "core/safe_file.h"
#include "measuring_point/named_input.h"
#include "report/calculation_number.h"
#include "report/report_text.h"

namespace velmar {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kNoReport = "no report is written while a message is raised (see the message pane)";

bool endsWithVdt(const std::string& name) {
  if (name.size() <= 4) return false;
  std::string ext = name.substr(name.size() - 4);
  for (char& ch : ext) ch = (ch >= 'A' && ch <= 'Z') ? static_cast<char>(ch - 'A' + 'a') : ch;
  return ext == ".vdt";
}

// The report PDF of each file: point.vdt gives point.pdf, the name read as
// Windows-1251 where it is no UTF-8 (a folder copied from Windows). A name
// an earlier file took already (OLD.vdt and OLD.VDT) gets the whole file
// name, then a number, so that no report overwrites another.
std::vector<std::string> pdfNamesOf(const std::vector<std::string>& files) {
  std::vector<std::string> names;
  std::set<std::string> taken;
  for (const std::string& file : files) {
    const std::string readable = decodeFileText(file);
    std::string name = readable.substr(0, readable.size() - 4) + ".pdf";
    if (taken.count(name) != 0) name = readable + ".pdf";
    for (int n = 2; taken.count(name) != 0; ++n) name = readable + " (" + std::to_string(n) + ").pdf";
    taken.insert(name);
    names.push_back(std::move(name));
  }
  return names;
}

// One file on its way: computed by a worker, numbered for its report and
// printed by the main thread in the order of the names, its report drawn by
// a worker in between.
struct Slot {
  size_t index = 0;  // of the file in name order
  FileOutcome outcome;
  std::unique_ptr<RunPoint> point;    // kept only until its report is numbered
  std::optional<ReportDocument> doc;  // numbered, waiting to be drawn
  bool ready = false;                 // nothing left but to print it
};

class FolderRun {
 public:
  FolderRun(const CalcOptions& base, const FolderOptions& folder, const ReportPdfWriter& writePdf,
            std::vector<std::string> files)
      : base_(base),
        folder_(folder),
        writePdf_(writePdf),
        files_(std::move(files)),
        pdfNames_(folder.reportDir.empty() ? std::vector<std::string>() : pdfNamesOf(files_)),
        slots_(files_.size()) {}

  int run() {
    const bool reports = !folder_.reportDir.empty();
    // Qt starts on this thread, before any worker: it sets the locale, and
    // the workers draw only once it runs.
    std::shared_ptr<void> gui;
    if (reports) {
      gui = writePdf_.start();
      nextNumber_ = ReadCalculationNumber(programFiles_);
      keepNumbers_ = fs::is_directory(programFolderPath(programFiles_));
      date_ = today();
    }
    const size_t cores = std::max(1u, std::thread::hardware_concurrency());
    const size_t jobs = std::min(files_.size(), folder_.jobs > 0 ? static_cast<size_t>(folder_.jobs) : cores);
    // A few files per worker ahead of the printed one: enough to keep every
    // worker busy, few enough that memory does not grow with the folder.
    window_ = 4 * jobs;
    std::vector<int> statusCounts(3, 0);
    int reportsWritten = 0;
    std::string summary = summaryHeader();
    {
      Workers workers(*this, jobs);
      for (;;) {
        std::unique_lock lock(mutex_);
        if (printed_ == files_.size()) break;
        changed_.wait(lock, [&] {
          return failure_ || (nextToNumber_ < files_.size() && slots_[nextToNumber_]) ||
                 (printed_ < nextToNumber_ && slots_[printed_]->ready);
        });
        // A worker that could not go on (out of memory outside a file's run)
        // stops the batch with its reason.
        if (failure_) std::rethrow_exception(failure_);
        if (printed_ < nextToNumber_ && slots_[printed_]->ready) {
          std::unique_ptr<Slot> slot = std::move(slots_[printed_]);
          const size_t printed = ++printed_;
          changed_.notify_all();  // a worker may compute one file further
          lock.unlock();
          const FileOutcome& f = slot->outcome;
          std::cout << (base_.json ? jsonLine(f, reports) : tableLine(f, reports));
          if (!folder_.summaryFile.empty()) summary += summaryRow(f);
          ++statusCounts[static_cast<size_t>(std::clamp(f.status, 0, 2))];
          if (!f.report.empty()) ++reportsWritten;
          progress(printed);
          continue;
        }
        Slot& slot = *slots_[nextToNumber_++];
        lock.unlock();
        number(slot);
        lock.lock();
        if (slot.doc) {
          toDraw_.push_back(&slot);
        } else {
          slot.ready = true;
        }
        changed_.notify_all();
      }
    }
    if (progressShown_) std::cerr << "\r\033[K";
    if (!base_.json) std::cout << countsLine(statusCounts, reportsWritten, reports);
    std::cout.flush();
    int status = statusCounts[2] > 0 ? 2 : statusCounts[1] > 0 ? 1 : 0;
    if (!std::cout) {
      std::cerr << "velmar-calc: the output could not be written to the standard output\n";
      status = 2;
    }
    if (!folder_.summaryFile.empty() && !writeFileSafely(folder_.summaryFile, summary)) {
      std::cerr << "velmar-calc: cannot write summary file " << quotedInput(folder_.summaryFile) << "\n";
      status = 2;
    }
    return status;
  }

 private:
  // The worker threads, joined however the main thread leaves. Where the
  // system gives fewer threads than asked, the batch runs on those it gave.
  struct Workers {
    Workers(FolderRun& r, size_t count) : run(r) {
      for (size_t i = 0; i < count; ++i) {
        try {
          threads.emplace_back([this] { guarded(); });
        } catch (...) {
          if (threads.empty()) throw;
          break;
        }
      }
    }
    ~Workers() {
      {
        std::lock_guard lock(run.mutex_);
        run.finished_ = true;
      }
      run.changed_.notify_all();
      for (std::thread& t : threads) t.join();
    }
    void guarded() {
      try {
        run.work();
      } catch (...) {
        std::lock_guard lock(run.mutex_);
        if (!run.failure_) run.failure_ = std::current_exception();
        run.changed_.notify_all();
      }
    }
    FolderRun& run;
    std::vector<std::thread> threads;
  };

  // A worker: a report waiting to be drawn first (it frees its slot), else
  // the next file within the window ahead of the printed one.
  void work() {
    std::unique_lock lock(mutex_);
    for (;;) {
      changed_.wait(lock, [&] { return finished_ || !toDraw_.empty() || canCompute(); });
      if (finished_) return;
      if (!toDraw_.empty()) {
        Slot* slot = toDraw_.front();
        toDraw_.pop_front();
        lock.unlock();
        draw(*slot);
        lock.lock();
        slot->ready = true;
      } else {
        const size_t i = nextToCompute_++;
        lock.unlock();
        std::unique_ptr<Slot> slot = compute(i);
        lock.lock();
        slots_[i] = std::move(slot);
      }
      changed_.notify_all();
    }
  }

  // Files are computed at most window_ ahead of the first one not yet printed.
  bool canCompute() const { return nextToCompute_ < files_.size() && nextToCompute_ < printed_ + window_; }

  std::unique_ptr<Slot> compute(size_t i) {
    auto slot = std::make_unique<Slot>();
    slot->index = i;
    FileOutcome& f = slot->outcome;
    f.file = files_[i];
    try {
      CalcOptions options = base_;
      options.loadFile = (fs::path(folder_.dir) / files_[i]).string();
      CalcRun run = calculate(options);
      f.status = run.status;
      f.out = std::move(run.out);
      f.err = std::move(run.err);
      if (run.point) {
        f.facts = pointFacts(run.point->s);
        // As the menu "Отчет": no report while a message is raised.
        if (!folder_.reportDir.empty() && run.point->s.in.N2_.enabled()) slot->point = std::move(run.point);
      }
    } catch (...) {
      f.status = 2;
      f.err += stopLine(std::current_exception());
      slot->point.reset();
    }
    return slot;
  }

  // The report of the next file in name order gets the next number. The
  // number file is advanced at once, so that a batch cut short leaves the
  // numbers its reports carry used.
  void number(Slot& slot) {
    if (folder_.reportDir.empty()) return;
    FileOutcome& f = slot.outcome;
    if (!slot.point) {
      if (f.status != 2) f.reportNote = std::string(kNoReport);
      return;
    }
    try {
      const Session& s = slot.point->s;
      ReportSettings settings = reportSettingsOf(s);
      settings.number = nextNumber_;
      slot.doc = BuildReportText(s, settings, date_);
    } catch (...) {
      f.status = 2;
      f.err += stopLine(std::current_exception());
    }
    slot.point.reset();
    if (!slot.doc) return;
    // 18 digits, as the number file keeps them; the last one stays.
    if (nextNumber_ < 999'999'999'999'999'999LL) ++nextNumber_;
    if (keepNumbers_ && !AdvanceCalculationNumber(programFiles_).written && !numberWarned_) {
      numberWarned_ = true;
      std::cerr << "velmar-calc: the next calculation number could not be written to "
                << quotedInput(programFilePath(programFiles_, kCalculationNumberFile)) << "\n";
    }
  }

  void draw(Slot& slot) {
    FileOutcome& f = slot.outcome;
    const std::string& pdf = pdfNames_[slot.index];
    const std::string path = (fs::path(folder_.reportDir) / pdf).string();
    bool written = false;
    try {
      written = writePdf_.write(*slot.doc, path);
    } catch (...) {
      written = false;
    }
    slot.doc.reset();
    if (written) {
      f.report = pdf;
    } else {
      f.status = 2;
      f.err += "velmar-calc: cannot write report file " + quotedInput(path) + "\n";
    }
  }

  // "37/400 name" on a terminal, overwritten by the next.
  void progress(size_t printed) {
    if (!isatty(STDERR_FILENO)) return;
    progressShown_ = true;
    std::cerr << "\r\033[K" << printed << "/" << files_.size() << " " << quotedInput(files_[printed - 1])
              << std::flush;
  }

  const CalcOptions& base_;
  const FolderOptions& folder_;
  const ReportPdfWriter& writePdf_;
  const std::vector<std::string> files_;
  const std::vector<std::string> pdfNames_;
  const ProgramFiles programFiles_;  // the current folder's Velmar, for the calculation numbers

  // Shared by the workers and the main thread, under mutex_.
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<std::unique_ptr<Slot>> slots_;  // computed and not yet printed
  size_t nextToCompute_ = 0;
  size_t nextToNumber_ = 0;
  size_t printed_ = 0;
  std::deque<Slot*> toDraw_;
  bool finished_ = false;
  std::exception_ptr failure_;
  size_t window_ = 1;

  // The main thread's own.
  long long nextNumber_ = 0;
  bool keepNumbers_ = false;
  bool numberWarned_ = false;
  bool progressShown_ = false;
  std::string date_;
};

}  // namespace

int parseJobs(const std::string& text) {
  int jobs = 0;
  bool digits = !text.empty() && text.size() <= 4;
  for (char ch : text) {
    if (ch < '0' || ch > '9') digits = false;
  }
  if (digits) jobs = std::stoi(text);
  if (!digits || jobs < 1 || jobs > kMaxJobs) {
    throw UsageError{"--jobs takes a whole number from 1 to " + std::to_string(kMaxJobs) + ", got " +
                     quotedInput(text)};
  }
  return jobs;
}

void checkFolderOptions(const FolderOptions& folder, const CalcOptions& calc) {
  if (!folder.given) {
    if (!folder.summaryFile.empty()) throw UsageError{"--summary needs --batch DIR"};
    if (!folder.reportDir.empty()) throw UsageError{"--reports needs --batch DIR"};
    if (folder.jobs != 0) throw UsageError{"--jobs needs --batch DIR"};
    return;
  }
  const std::pair<bool, const char*> single[] = {{!calc.loadFile.empty(), "--load"},
                                                 {!calc.sets.empty(), "--set"},
                                                 {!calc.saveFile.empty(), "--save"},
                                                 {!calc.reportTextFile.empty(), "--report-text"},
                                                 {!calc.reportPdfFile.empty(), "--report-pdf"}};
  for (const auto& [given, option] : single) {
    if (given) throw UsageError{std::string("--batch does not take ") + option + " (each file is loaded as it is)"};
  }
  if (folder.dir.empty()) throw UsageError{"--batch needs a folder"};
}

std::vector<std::string> inputDataFilesIn(const std::string& dir) {
  std::error_code ec;
  if (!fs::is_directory(dir, ec)) throw UsageError{"--batch: " + quotedInput(dir) + " is no folder"};
  std::vector<std::string> names;
  fs::directory_iterator it(dir, ec);
  for (const fs::directory_iterator end; !ec && it != end; it.increment(ec)) {
    std::string name = it->path().filename().string();
    if (endsWithVdt(name)) names.push_back(std::move(name));
  }
  if (ec) throw UsageError{"--batch: the folder " + quotedInput(dir) + " cannot be read"};
  if (names.empty()) throw UsageError{"--batch: the folder " + quotedInput(dir) + " holds no .vdt file"};
  // std::string compares as unsigned bytes: the byte order of the names.
  std::sort(names.begin(), names.end());
  return names;
}

int runFolder(const CalcOptions& base, const FolderOptions& folder, const ReportPdfWriter& writePdf) {
  std::vector<std::string> files = inputDataFilesIn(folder.dir);
  std::error_code ec;
  if (!folder.summaryFile.empty()) {
    const fs::path parent = fs::path(folder.summaryFile).parent_path();
    if (fs::is_directory(folder.summaryFile, ec) || (!parent.empty() && !fs::is_directory(parent, ec))) {
      throw UsageError{"cannot write summary file " + quotedInput(folder.summaryFile)};
    }
  }
  if (!folder.reportDir.empty()) {
    if (fs::exists(folder.reportDir, ec) ? !fs::is_directory(folder.reportDir, ec)
                                         : !fs::create_directories(folder.reportDir, ec)) {
      throw UsageError{"--reports: " + quotedInput(folder.reportDir) + " is no folder and cannot be made one"};
    }
  }
  return FolderRun(base, folder, writePdf, std::move(files)).run();
}

}  // namespace velmar
