#pragma once
// What the files of a measuring point work on: the input form, the program's
// folder and what it keeps of its files, the settings of the settings window,
// and the file name the save dialog proposes.
#include <string>

#include "core/form_context.h"

namespace velmar {

struct ProgramFiles;
struct Settings;

struct StorageContext : FormContext {
  ProgramFiles& files;
  Settings& settings;
  std::string& proposedSaveName;
};

}  // namespace velmar
