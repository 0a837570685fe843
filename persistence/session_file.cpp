#include "persistence/session_file.h"

#include "core/session.h"
#include "persistence/input_file.h"
#include "persistence/input_reset.h"
#include "persistence/program_files.h"
#include "persistence/reference_lists.h"

namespace velmar {

int showInputData(Session& s, const std::string& startUpFile) {
  makeProgramFolder(s.files);
  s.in.InputChanged = false;
  FillDefaultDiameters(s);
  const int result = LoadInputFile(s, startUpFile.empty() ? programFilePath(s.files, kSessionFile) : startUpFile);
  if (result != 0) ResetInputs(s);
  return result;
}

void startWithDefaults(Session& s) {
  s.in.InputChanged = false;
  FillDefaultDiameters(s);
  ResetInputs(s);
}

int saveSessionFile(Session& s) {
  if (!makeProgramFolder(s.files)) return 1;
  return SaveInputFile(s, programFilePath(s.files, kSessionFile));
}

}  // namespace velmar
