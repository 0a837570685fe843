#include "measuring_point/dispatcher.h"

#include <cmath>
#include <string>

#include "core/units.h"
#include "gasprops/gas_properties.h"
#include "gasprops/method_messages.h"
#include "measuring_point/session.h"

namespace velmar {

namespace {

// Density of water vapour at standard conditions, kg/m3.
constexpr double kVapourDensitySt = 0.7496;
// GOST 30319.1: speed of sound with T in K and ρс in kg/m3.
constexpr double kSoundConstant = 18.591;

bool finite(std::initializer_list<double> values) {
  for (double v : values) {
    if (!std::isfinite(v)) return false;
  }
  return true;
}

double soundSpeedOf(double T, double kappa, double K, double rhoSt) {
  const double a = T * kappa * K / rhoSt;
  return (std::isfinite(a) && a > 0) ? kSoundConstant * std::sqrt(a) : 0.0;
}

// The outputs of a method entry that the dispatcher takes over, each the
// same field in MethodOutputs and in GasPropertyResult.
enum Output : unsigned {
  kRho = 1u << 0,
  kDRho = 1u << 1,
  kRhoSt = 1u << 2,
  kDRhoSt = 1u << 3,
  kZ = 1u << 4,
  kK = 1u << 5,
  kDK = 1u << 6,
  kSoundSpeed = 1u << 7,
  kKappa = 1u << 8,
  kMu = 1u << 9,
};
constexpr unsigned kDensities = kRho | kDRho | kRhoSt | kDRhoSt;

struct OutputField {
  Output which;
  double MethodOutputs::*from;
  double GasPropertyResult::*to;
};
constexpr OutputField kOutputFields[] = {
    {kRho, &MethodOutputs::rho, &GasPropertyResult::rho},
    {kDRho, &MethodOutputs::dRho, &GasPropertyResult::dRho},
    {kRhoSt, &MethodOutputs::rhoSt, &GasPropertyResult::rhoSt},
    {kDRhoSt, &MethodOutputs::dRhoSt, &GasPropertyResult::dRhoSt},
    {kZ, &MethodOutputs::Z, &GasPropertyResult::Z},
    {kK, &MethodOutputs::K, &GasPropertyResult::K},
    {kDK, &MethodOutputs::dK, &GasPropertyResult::dK},
    {kSoundSpeed, &MethodOutputs::soundSpeed, &GasPropertyResult::soundSpeed},
    {kKappa, &MethodOutputs::kappa, &GasPropertyResult::kappa},
    {kMu, &MethodOutputs::mu, &GasPropertyResult::mu},
};

// Copies the named outputs into the property record when every one of them
// is a finite number; otherwise the record keeps its values.
bool takeOutputs(const MethodOutputs& out, unsigned fields, GasPropertyResult& g) {
  for (const OutputField& f : kOutputFields) {
    if ((fields & f.which) != 0 && !std::isfinite(out.*f.from)) return false;
  }
  for (const OutputField& f : kOutputFields) {
    if ((fields & f.which) != 0) g.*f.to = out.*f.from;
  }
  return true;
}

// The temperature in kelvin, rounded to 1e-9 K: a temperature typed in °C
// with a few decimals then lands on the kelvin value it stands for (-23,15 °C
// is 250 K, not 249.99999999999997 K), so that a limit typed is a limit kept.
double kelvin(double t) { return std::round((t + 273.15) * 1e9) / 1e9; }

enum class Outcome { Computed, Refused, Failed, Restarted };

class Dispatch {
 public:
  Dispatch(Session& s, double t) : s_(s), in_(s.in), g_(s.gas), T_(kelvin(t)) {}

  Outcome naturalGas();
  Outcome otherMedium();
  Outcome mixture();
  Outcome technicalGas();
  Outcome air();

 private:
  // The saturated water vapour at the working and at standard conditions.
  void saturatedVapour();
  // The first estimate of the relative humidity and the dry-gas pressure.
  void humidityStep();
  void secondHumidityEstimate();
  double humidityFraction(double rhoStTerm) const;

  // A method's code: 0 is success; k raises message 2 with text k as its note.
  template <std::size_t N>
  Outcome methodResult(MethodFailure code, const std::array<std::string_view, N>& table);
  bool restartRequested() const { return in_.InputChanged; }
  Outcome restarted() {
    in_.CalcIdle = true;
    return Outcome::Restarted;
  }
  Outcome failed(std::string_view reason) {
    s_.flags.raise(2);
    s_.notes.setNote(2, std::string(reason));
    return Outcome::Failed;
  }
  Outcome refused(int message) {
    s_.flags.raise(message);
    return Outcome::Refused;
  }
  // Between its evaluations a method lets the window process pending
  // events, so that an input typed during a long mixture calculation
  // restarts the pass at once; it then asks whether one arrived.
  RestartProbe probe() const {
    return [this] {
      s_.pump.processPendingEvents();
      return in_.InputChanged;
    };
  }
  double dT() const { return s_.channels.dT; }
  double dp() const { return s_.channels.dPabs; }

  Session& s_;
  InputRecord& in_;
  GasPropertyResult& g_;
  const double T_;
};

double Dispatch::humidityFraction(double rhoStTerm) const {
  // The humidity applies while its tab is shown, to a volume of the dry part
  // of wet gas; otherwise the gas is dry, whatever a hidden edit still holds.
  if (!in_.VlStr.shown()) return 0.0;
  const double W = in_.VlStr.value;
  double phi = g_.phi;
  if (in_.TipVl.index() == 0) {
    phi = W / 100;
  } else if (in_.TipVl.index() == 1) {
    switch (in_.TipAbsVl.index()) {
      case 0:
      case 1: {
        const double denominator = (rhoStTerm + W / 1000) * g_.pSat;
        phi = denominator > 0 ? (g_.pAbs * W / 1000) / denominator : 0.0;
        break;
      }
      case 2: phi = g_.rhoSat > 0 ? (W / 1000) / g_.rhoSat : 0.0; break;
      default: break;
    }
  }
  // Above saturation the gas holds saturated vapour; a negative humidity
  // (message 160) counts as dry gas.
  if (!std::isfinite(phi) || phi < 0) phi = 0;
  if (phi > 1) phi = 1.0;
  return phi;
}

void Dispatch::saturatedVapour() {
  const SaturatedVapour working = waterSaturation(T_);
  const SaturatedVapour standard = waterSaturation(293.15);
  g_.pSat = working.pSat;
  g_.rhoSat = working.rhoSat;
  g_.pSatSt = standard.pSat;
  g_.rhoSatSt = standard.rhoSat;
}

void Dispatch::humidityStep() {
  saturatedVapour();
  const int method = in_.metod.index();
  if (method == 0 || method == 3) g_.rhoSt = 0.675;  // provisional, the method replaces it
  const int basis = in_.TipAbsVl.index();
  const double rhoStTerm = basis == 0 ? kVapourDensitySt / g_.rhoSt : kVapourDensitySt;
  g_.phi = humidityFraction(basis == 0 && !(g_.rhoSt > 0) ? INFINITY : rhoStTerm);
  g_.phiSt = g_.phi * 101325 * T_ * g_.pSat / (293.15 * g_.pAbs * g_.pSatSt);
  if (!std::isfinite(g_.phiSt)) g_.phiSt = 0;
  g_.pAbs -= g_.phi * g_.pSat;
}

void Dispatch::secondHumidityEstimate() {
  const int basis = in_.TipAbsVl.index();
  const double rhoStTerm = basis == 0 ? kVapourDensitySt * g_.K / g_.rhoSt : kVapourDensitySt * g_.K;
  g_.phi = humidityFraction(std::isfinite(rhoStTerm) ? rhoStTerm : INFINITY);
}

template <std::size_t N>
Outcome Dispatch::methodResult(MethodFailure code, const std::array<std::string_view, N>& table) {
  if (restartRequested()) return restarted();
  if (code == 0) return Outcome::Computed;
  const std::string_view reason = methodMessage(table, code);
  return failed(reason);
}

Outcome Dispatch::naturalGas() {
  const int method = in_.metod.index();
  if (method == 1 || method == 2) g_.rhoSt = in_.rststr.value;  // the input of GOST 30319.2
  if (method >= 0 && method <= 3) {
    humidityStep();
  } else {
    // GOST R 8.662 carries the water in its composition; the volume of the
    // wet gas takes the saturated vapour at the working temperature.
    saturatedVapour();
  }
  if ((method == 0 || method == 1 || method == 2) && (T_ < 250 || T_ > 340)) return refused(3);
  const double pMPa = g_.pAbs / 1e6;
  MethodOutputs out;
  switch (method) {
    case 0: {
      if (T_ < 250 || T_ > 350) return refused(3);
      if (pMPa < 0.1 || pMPa > 25) return refused(4);
      const auto& c = s_.comp.vnic;
      const Outcome o = methodResult(calcVnic30319(c.x, c.dx, T_, dT(), pMPa, dp(), out, probe()),
                                     kVnic30319Messages);
      if (o != Outcome::Computed) return o;
      if (!takeOutputs(out, kDensities | kKappa | kMu | kK | kDK, g_)) return failed({});
      g_.soundSpeed = soundSpeedOf(T_, g_.kappa, g_.K, g_.rhoSt);
      break;
    }
    case 1:
    case 2: {
      if (g_.pAbs > 12e6) return refused(1);
      const double xa = in_.n2str.value;
      const double xy = in_.co2str.value;
      const auto result = method == 1
                              ? calcGerg91(T_, dT(), g_.pAbs, dp(), g_.rhoSt, xy, xa, in_.rstsisstr.value,
                                           in_.co2sisstr.value, in_.n2sisstr.value)
                              : calcNx19(T_, dT(), g_.pAbs, dp(), g_.rhoSt, xy, xa, in_.rstsisstr.value,
                                         in_.co2sisstr.value, in_.n2sisstr.value);
      // GOST 30319.2 has no failure code: a state the equation cannot give
      // (no real root) is reported as a failure without a reason.
      if (!result || !takeOutputs(*result, kRho | kDRho | kK | kDK, g_)) return failed({});
      g_.kappa = kappaGost30319(T_, g_.pAbs, xa, g_.rhoSt);
      g_.mu = viscosityGost30319(T_, g_.pAbs, xa, xy, g_.rhoSt);
      g_.dRhoSt = 0;
      g_.soundSpeed = soundSpeedOf(T_, g_.kappa, g_.K, g_.rhoSt);
      break;
    }
    case 3:
    case 4: {
      if (T_ < 250 || T_ > 350) return refused(3);
      MethodFailure code = 0;
      if (method == 3) {
        if (pMPa < 0.1 || pMPa > 25) return refused(4);
        const auto& c = s_.comp.rgaz;
        code = calcRGazprom(c.x, c.dx, T_, dT(), pMPa, dp(), out, probe());
        if (code == 0) g_.mu = viscosityGost30319(T_, g_.pAbs, c.x[8], c.x[9], out.rhoSt);
      } else {
        const auto& c = s_.comp.iso;
        // The method's own error contributions of temperature and pressure
        // are left out when the computing device's error covers the first
        // transducers.
        AgaSwitches sw;
        sw.I = (in_.T1check.checked() && in_.TipIK.index() == 0) ? 0 : 1;
        sw.P = (in_.P1check.checked() && in_.TipIK.index() == 0) ? 0 : 1;
        code = calcAga(c.x, c.dx, T_, dT(), pMPa, dp(), out, probe(), sw);
        if (code == 0) g_.mu = viscosityGost30319(T_, g_.pAbs, c.x[0], c.x[1], out.rhoSt);
      }
      const Outcome o = method == 3 ? methodResult(code, kRGazpromMessages) : methodResult(code, kAgaMessages);
      if (o != Outcome::Computed) return o;
      if (!takeOutputs(out, kDensities | kZ | kK | kDK | kSoundSpeed, g_)) return failed({});
      break;
    }
    default: return failed({});
  }
  if (method >= 0 && method <= 3) secondHumidityEstimate();
  return Outcome::Computed;
}

Outcome Dispatch::otherMedium() {
  const double rho = in_.rPrSredStr.value;
  g_.rhoSt = in_.rstPrSredStr.shown() ? in_.rstPrSredStr.value : rho;
  g_.rho = rho;
  // An absolute error (kg/m3) is made relative to its density.
  const auto relative = [](double error, const Choice& kind, double density) {
    return kind.index() == 1 ? (density > 0 ? error / density * 100 : 0.0) : error;
  };
  const double dRho = relative(in_.rPrSredPogrSisStr.value, in_.rPrSredTipPogr, rho);
  const double kT = in_.KoefTPrSredStr.value;
  const double kP = in_.KoefPPrSredStr.value;
  g_.dRho = std::sqrt((kT * dT()) * (kT * dT()) + (kP * dp()) * (kP * dp()) + dRho * dRho);
  g_.dRhoSt = relative(in_.rstPrSredPogrSisStr.value, in_.rstPrSredTipPogr, g_.rhoSt);
  if (!finite({g_.rho, g_.rhoSt, g_.dRho, g_.dRhoSt})) return failed({});
  return Outcome::Computed;
}

Outcome Dispatch::mixture() {
  const double pMPa = g_.pAbs / 1e6;
  MethodOutputs out;
  Outcome o = Outcome::Failed;
  switch (in_.Metod_s.index()) {
    case 0: {
      const auto& c = s_.comp.mr113;
      o = methodResult(calcMr113(c.x, c.dx, T_, dT(), pMPa, dp(), in_.Vlag113Str.value, out, probe()),
                       kMr113Messages);
      break;
    }
    case 1: {
      const auto& c = s_.comp.mr118;
      o = methodResult(calcMr118(c.x, c.dx, T_, dT(), pMPa, dp(), out, probe()), kMr118Messages);
      break;
    }
    case 2: {
      const auto& c = s_.comp.mr135;
      o = methodResult(calcMr135(c.x, c.dx, T_, dT(), pMPa, dp(), out, probe()), kMr135Messages);
      break;
    }
    default: return failed({});
  }
  if (o != Outcome::Computed) return o;
  if (!takeOutputs(out, kDensities | kZ | kK | kDK, g_)) return failed({});
  return Outcome::Computed;
}

Outcome Dispatch::technicalGas() {
  MethodOutputs out;
  const Outcome o =
      methodResult(calcMr134(in_.sreda.index() - 3, T_, dT(), g_.pAbs / 1e6, dp(), out, probe()), kMr134Messages);
  if (o != Outcome::Computed) return o;
  if (!takeOutputs(out, kDensities | kZ | kK, g_)) return failed({});
  // The compressibility error of a pure gas is that of its two densities.
  g_.dK = std::sqrt(g_.dRho * g_.dRho + g_.dRhoSt * g_.dRhoSt);
  return Outcome::Computed;
}

Outcome Dispatch::air() {
  const DensityWithError standard = calcTechGas(1, 293.15, 0, 101325, 0);
  const DensityWithError working = calcTechGas(1, T_, dT(), g_.pAbs, dp());
  // The air routine gives a density of 0 for a state it cannot compute.
  if (!(working.rho > 0) || !(standard.rho > 0) || !finite({working.rho, working.dRho, standard.dRho})) {
    return failed({});
  }
  g_.rhoSt = standard.rho;
  g_.dRhoSt = standard.dRho;
  g_.rho = working.rho;
  g_.dRho = working.dRho;
  return Outcome::Computed;
}

void outputStep(Session& s) {
  InputRecord& in = s.in;
  GasPropertyResult& g = s.gas;
  ReportRecord& r = s.toOtchet;
  if (in.InputChanged) {
    s.TimerProv.stop();
    s.TimerProv.start();
  }
  if (s.flags.raised(2) || !in.CalcIdle) return;
  const char sep = s.decimalSeparator;
  const int medium = in.sreda.index();
  const bool measured = in.pr_Rab.checked();
  const bool noStandardDensity = in.Q_Tip.index() == 0 && in.Raschet.index() == 2 && measured;
  in.Memo1.append("Плотность при рабочих условиях  " + formatFixed(g.rho, 10, 5, sep) + " кг/м3");
  if (!noStandardDensity) {
    in.Memo1.append("Плотность при стандартных условиях  " + formatFixed(g.rhoSt, 10, 6, sep) + " кг/м3");
  }
  r.K = g.K;
  r.rho = g.rho;
  r.Z = g.Z;
  r.soundSpeed = g.soundSpeed;
  if (!noStandardDensity && !measured && (medium == 0 || (medium >= 2 && medium <= 9))) {
    in.Memo1.append("Коэффициент сжимаемости " + formatFixed(g.K, 10, 6, sep));
  }
  if (medium == 0 && !measured && in.Raschet.index() != 2) {
    in.Memo1.append("Скорость звука  " + formatFixed(g.soundSpeed, 10, 6, sep) + " м/с");
  }
  r.kappa = g.kappa;
  r.rhoSt = g.rhoSt;
  r.rho = g.rho;
  r.mu = g.mu;
  // The measured densities come with no compressibility error of their own.
  if (in.TabSheet6.shown() && !measured) {
    if (medium == 0) {
      in.Memo1.append(
          "Относительная погрешность определения коэффициента сжимаемости с учетом погрешностей определения "
          "температуры, давления и состава газа " +
          formatFixed(g.dK, 5, 3, sep) + " %");
    } else if (medium >= 2 && medium <= 9) {
      in.Memo1.append(
          "Относительная погрешность определения коэффициента сжимаемости с учетом погрешностей определения "
          "температуры и давления газа " +
          formatFixed(g.dK, 5, 3, sep) + " %");
    } else if (medium == 1 || medium == 10) {
      in.Memo1.append("Относительная погрешность определения плотности при рабочих условиях  " +
                      formatFixed(g.dRho, 5, 3, sep) + " %");
    }
    r.dRho = g.dRho;
  }
}

}  // namespace

bool calcGasProperties(Session& s, double t, double pGauge) {
  InputRecord& in = s.in;
  FailureFlags& f = s.flags;
  GasPropertyResult& g = s.gas;
  g.Z = 0;
  // The humidity of this state: only the wet-gas step of natural gas sets it,
  // so that no other medium takes over the humidity of an earlier pass.
  g.phi = 0;
  g.phiSt = 0;
  f.clear(1);
  if (in.pr_Rab.checked()) {
    g.rho = in.rrab_Str.value;
    g.rhoSt = in.rst_str.value;
    f.clear(2);
    outputStep(s);
    return true;
  }
  const int medium = in.sreda.index();
  if (medium != 0) in.VlStr.value = 0;
  g.pAbs = in.PbarStr.value + pGauge;
  if (in.CalcIdle) s.toOtchet.pAbs = g.pAbs;
  f.raise(2);
  if (medium == 0) {
    f.clear(2);
    switch (in.metod.index()) {
      case 0:
        f.clear(71);
        f.clear(88);
        break;
      case 1:
        if (g.pAbs > 30e6) f.raise(53);
        break;
      case 2:
        if (g.pAbs > 12e6) f.raise(1);
        break;
      default: break;
    }
  } else if (medium >= 1 && medium <= 10) {
    f.clear(2);
  }
  if (f.raised(2)) return false;
  // The state must have a pressure to compute at. The program refuses such a
  // state instead of showing the values of an earlier calculation.
  const bool naturalGas = medium == 0;
  if (!(g.pAbs > 100 || (naturalGas && g.rhoSt > 0 && g.pAbs > 0))) {
    f.raise(2);
    s.notes.setNote(2, {});
    return false;
  }
  Dispatch d(s, t);
  Outcome o = Outcome::Failed;
  switch (medium) {
    case 0: o = d.naturalGas(); break;
    case 1: o = d.otherMedium(); break;
    case 2: o = d.mixture(); break;
    case 10: o = d.air(); break;
    default: o = d.technicalGas(); break;
  }
  if (o != Outcome::Computed) return false;
  outputStep(s);
  return true;
}

}  // namespace velmar
