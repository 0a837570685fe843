#include "uncertainty/volume_error.h"

#include <cmath>

#include "core/input_record.h"
#include "core/messages.h"
#include "core/platform.h"
#include "core/report_record.h"
#include "core/units.h"
#include "gasprops/gas_properties.h"
#include "uncertainty/channel_errors.h"
#include "uncertainty/error_context.h"

namespace velmar {

bool volumeErrorUsesCompressibility(const InputRecord& in) {
  if (in.pr_Rab.checked()) return false;
  const int medium = in.sreda.index();
  const int method = in.metod.index();
  return (medium == 0 && (method == 3 || method == 4)) || (medium >= 2 && medium <= 9);
}

void calcVolumeError(ErrorContext& s) {
  InputRecord& in = s.in;
  const GasPropertyResult& g = s.gas;
  VolumeErrors& v = s.volumeErrors;
  const double dQ = s.channels.dQ;
  // Root sums of squares without forming the squares (std::hypot).
  if (in.pr_Rab.checked()) {
    v.dMeas = finiteError(std::hypot(g.dRhoSt, g.dRho, dQ));
  } else {
    v.dMeas = finiteError(std::hypot(volumeErrorUsesCompressibility(in) ? g.dK : g.dRho, dQ));
  }
  v.dVol = finiteError(std::hypot(s.channels.dCalc, v.dMeas));
  // The time is determined by the computing device: without one there is no
  // entered error of it (its edit is hidden).
  const double dTime = in.pr_IK.checked() ? in.CompVrStr.value : 0.0;
  v.dVolTime = finiteError(std::hypot(v.dVol, dTime));
  if (!in.CalcIdle) return;
  in.Memo1.append("Относительная погрешность измерения объема, приведенного к стандартным условиям  " +
                  formatFixed(v.dVol, 5, 3, s.decimalSeparator) + " %");
  s.toOtchet.dVol = v.dVol;
  s.toOtchet.dMeas = v.dMeas;
  s.toOtchet.dVolTime = v.dVolTime;
}

}  // namespace velmar
