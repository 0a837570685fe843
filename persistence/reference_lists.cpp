#include "persistence/reference_lists.h"

#include <algorithm>
#include <string>
#include <vector>

#include "core/input_record.h"
#include "core/program_files.h"
#include "persistence/settings.h"
#include "persistence/storage_context.h"

namespace velmar {

namespace {

constexpr std::string_view kMediumNamesFile = "velmar\\spnamesred";
// The lists are a few hundred short lines; anything larger is not ours.
constexpr size_t kMaxListBytes = 1 << 20;

}  // namespace

void FillDefaultDiameters(StorageContext& s) {
  StringGrid& strad = s.in.strad;
  if (!strad.cell(0, 0).empty()) return;
  for (int row = 0; row < strad.rowCount(); ++row) strad.setCell(0, row, {});
  for (size_t i = 0; i < kDefaultDiameters.size(); ++i) {
    strad.setCell(0, static_cast<int>(i), std::string(kDefaultDiameters[i]));
  }
}

void LoadMediumNames(StorageContext& s) {
  const TextLines names = readTextLines(programFilePath(s.files, kMediumNamesFile), kMaxListBytes);
  s.files.mediumNamesCut = names.truncated || names.status == ReadStatus::CannotOpen;
  if (names.status != ReadStatus::Read) return;
  ComboBox& box = s.in.NamePrSred;
  const std::string text = box.text();
  box.setItems(names.lines, -1);
  box.setText(text);
  s.files.mediumNamesRead = true;
}

void trimMediumName(StorageContext& s) {
  std::string name = s.in.NamePrSred.text();
  while (!name.empty() && static_cast<unsigned char>(name.back()) <= ' ') name.pop_back();
  s.in.NamePrSred.setText(name);
}

bool RememberMediumName(StorageContext& s, const WriteStep& write) {
  trimMediumName(s);
  if (!s.files.mediumNamesRead) LoadMediumNames(s);
  ComboBox& box = s.in.NamePrSred;
  const std::string name = box.text();
  std::vector<std::string> items = box.items();
  if (std::find(items.begin(), items.end(), name) == items.end()) {
    items.push_back(name);
    box.setItems(items, -1);
    box.setText(name);
  }
  if (s.files.mediumNamesCut) return false;
  return writeTextLines(programFilePath(s.files, kMediumNamesFile), items, write);
}

void LoadPipeMaterials(StorageContext& s) {
  std::vector<std::string> names;
  bool all = true;
  for (int k = 0; k < 4 && all; ++k) {
    const TextLines part = readTextLines(programFilePath(s.files, "velmar\\spprm." + std::to_string(k)), kMaxListBytes);
    all = part.status == ReadStatus::Read;
    if (k == 0) names = part.lines;
  }
  if (!all) names.clear();
  ComboBox& box = s.in.NamePrTr;
  box.setItems(names, box.index());
}

}  // namespace velmar
