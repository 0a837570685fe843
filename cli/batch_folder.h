#pragma once
// velmar-calc --batch DIR: every input-data file of a folder computed as the
// single run "velmar-calc [options] --load FILE" computes it, each from a
// fresh start on a worker thread of its own, the output in the order of the
// file names whatever the number of workers; a summary for a spreadsheet and
// the report PDFs, numbered in that order, when asked.
#include <string>
#include <vector>

#include "cli/batch.h"

namespace velmar {

struct FolderOptions {
  bool given = false;       // --batch DIR
  std::string dir;
  std::string summaryFile;  // --summary FILE.csv
  std::string reportDir;    // --reports OUTDIR
  int jobs = 0;             // --jobs N; 0: the number of cores
};

// The value of --jobs: a whole number from 1 to kMaxJobs.
inline constexpr int kMaxJobs = 256;
int parseJobs(const std::string& text);

// Refuses what a folder run cannot combine with (--load, --set, --save, the
// single report files) and the folder's options without --batch.
void checkFolderOptions(const FolderOptions& folder, const CalcOptions& calc);

// The input-data files of the folder: every entry directly in it whose name
// ends in ".vdt" (in any case), in byte order of the names. A folder that
// does not exist, cannot be read or holds none is a usage error.
std::vector<std::string> inputDataFilesIn(const std::string& dir);

// Runs the folder with the options of each single run; prints on stdout, and
// returns the batch's exit status: 2 when a file had status 2, else 1 when one
// raised a message, else 0. Throws UsageError for a usage error of the batch.
int runFolder(const CalcOptions& base, const FolderOptions& folder, const ReportPdfWriter& writePdf);

}  // namespace velmar
