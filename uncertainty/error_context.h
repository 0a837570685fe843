#pragma once
// What the error routines of a measuring point work on: the input form, the
// gas properties they read, the channel and volume errors they compute, the
// report record they copy their results into while CalcIdle is set, and the
// gas-property calculation at another state, which the control-point tables
// run for every combination of extreme temperatures and pressures.
#include <functional>

#include "core/form_context.h"

namespace velmar {

struct GasPropertyResult;
struct ChannelErrors;
struct VolumeErrors;
struct ReportRecord;

// The gas properties at the temperature t (°C) and the gauge pressure pGauge
// (Pa) into the property record, as a pass computes them; true when computed.
using GasPropertiesAt = std::function<bool(double t, double pGauge)>;

struct ErrorContext : FormContext {
  GasPropertyResult& gas;
  ChannelErrors& channels;
  VolumeErrors& volumeErrors;
  ReportRecord& toOtchet;
  const GasPropertiesAt& gasPropertiesAt;
};

}  // namespace velmar
