#pragma once
// What the report of a measuring point reads: the input form, the report
// record of the last pass, the composition vectors of the methods, the result
// of a diameter calculation, what the report page forms keep between builds
// and the program's folder with its calculation number. The report never
// recalculates.
#include "core/form_context.h"

namespace velmar {

struct ReportRecord;
struct CompositionVectors;
struct DiameterSelection;
struct ReportPages;
struct ProgramFiles;

struct ReportContext : FormContext {
  const ReportRecord& toOtchet;
  const CompositionVectors& comp;
  const DiameterSelection& diameter;
  ReportPages& reportPages;
  const ProgramFiles& files;
};

}  // namespace velmar
