#include "measuring_point/volume.h"

#include <cmath>

#include "core/units.h"
#include "measuring_point/session.h"

namespace velmar {

namespace {

// Density of water vapour at standard conditions in the wet-gas volume of
// GOST R 8.662, kg/m3.
constexpr double kWaterVapourDensity = 0.017312;

}  // namespace

bool volumeByDensityRatio(const InputRecord& in) {
  // Another medium and air come with both densities; measured densities are
  // taken over without a compressibility coefficient.
  const int medium = in.sreda.index();
  return medium == 1 || medium == 10 || in.pr_Rab.checked();
}

void ComputeVolume(Session& s) {
  InputRecord& in = s.in;
  GasPropertyResult& g = s.gas;
  const double Q = in.Qstr.value;
  const double t = in.Tstr.value;
  if (!(g.rhoSt > 0)) {
    s.flags.raise(7);
    return;
  }
  const int raschet = in.Raschet.index();
  const bool wet = raschet == 0 && in.VlTip.index() == 1;
  double vDry = 0;
  double vWet = 0;
  if (wet) {
    if (in.sreda.index() == 0 && in.metod.index() == 4) {
      // Water is a component of the composition: x mole %.
      const double x = s.comp.iso.x[17];
      vDry = Q * g.rho / g.rhoSt;
      vWet = Q * ((g.rho - g.rhoSat * x / 100) / (1 - x / 100)) /
             ((g.rhoSt - kWaterVapourDensity * x / 100) / (1 - x / 100));
    } else {
      vWet = Q * g.rho / g.rhoSt;
      vDry = Q * (g.phi * g.rhoSat + g.rho) / (g.phiSt * g.rhoSatSt + g.rhoSt);
    }
  } else {
    g.phi = 0;
  }
  double vc = Q * g.rho / g.rhoSt;
  // The standard temperature over the working one and the working pressure
  // over the standard one: at standard conditions and K = 1 the volume is Q.
  if (!volumeByDensityRatio(in)) vc = Q * (293.15 / (t + 273.15)) * (g.pAbs / 101325) / g.K;
  const double mass = Q * g.rho;
  // A state that yields no finite volume cannot be reported as one.
  if (!std::isfinite(vc) || !std::isfinite(mass) || !std::isfinite(vDry) || !std::isfinite(vWet)) {
    s.flags.raise(7);
    return;
  }
  s.flags.clear(7);
  if (raschet == 2 || !in.CalcIdle) return;
  ReportRecord& r = s.toOtchet;
  r.Vc = vc;
  r.VcDry = vc;
  r.M = mass;
  r.Vdry = vDry;
  r.Vwet = vWet;
  const char sep = s.decimalSeparator;
  if (wet) {
    in.Memo1.append("Объем сухой части влажного газа, приведенный к стандартным условиям " +
                    formatFixed(vDry, 8, 6, sep) + " м3");
    in.Memo1.append("Объем влажного газа, приведенный к стандартным условиям " + formatFixed(vWet, 8, 6, sep) +
                    " м3");
  } else {
    in.Memo1.append("Объем, приведенный к стандартным условиям  " + formatFixed(vc, 8, 6, sep) + " м3");
    in.Memo1.append("Масса  " + formatFixed(mass, 8, 6, sep) + " кг");
  }
}

}  // namespace velmar
