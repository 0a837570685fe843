#include "uncertainty/channel_errors.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <string>

#include "core/input_record.h"
#include "core/messages.h"
#include "core/platform.h"
#include "core/report_record.h"
#include "core/units.h"
#include "gasprops/gas_properties.h"
#include "uncertainty/error_context.h"
#include "uncertainty/volume_error.h"

namespace velmar {

ErrorKind errorKindOf(const Choice& box) {
  switch (box.index()) {
    case 1: return ErrorKind::Reduced;
    case 2: return ErrorKind::Absolute;
    default: return ErrorKind::Relative;
  }
}

AdditionRule additionRuleOf(const Choice& box) {
  return box.index() == 1 ? AdditionRule::Arithmetic : AdditionRule::Geometric;
}

double toRelative(double e, ErrorKind kind, double x, double N) {
  switch (kind) {
    case ErrorKind::Relative: return e;
    case ErrorKind::Reduced: return x > 0 ? e * N / x : 0.0;
    case ErrorKind::Absolute: return x > 0 ? e / x * 100 : 0.0;
  }
  return e;
}

double finiteError(double e) {
  if (std::isnan(e)) return std::numeric_limits<double>::max();
  return std::clamp(e, -std::numeric_limits<double>::max(), std::numeric_limits<double>::max());
}

namespace {

// The channel's root sum of squares over its instruments, taken without
// forming the squares (std::hypot), so that absurdly large entered errors give
// a large number rather than an overflow.
class ChannelSum {
 public:
  // x the measured value; nMain and nAdditional the normalising values of
  // the reduced main and additional errors.
  void add(const TransducerErrors& t, double x, double nMain, double nAdditional) {
    const double p = toRelative(t.main.field->value, errorKindOf(*t.main.kind), x, nMain);
    const double q = toRelative(t.additional.field->value, errorKindOf(*t.additional.kind), x, nAdditional);
    root_ = additionRuleOf(*t.rule) == AdditionRule::Arithmetic ? std::hypot(root_, p + q) : std::hypot(root_, p, q);
  }
  // The enabled ones of the instruments.
  template <std::size_t N>
  void addEnabled(const std::array<TransducerErrors, N>& transducers, double x, double nMain, double nAdditional) {
    for (const TransducerErrors& t : transducers) {
      if (t.enabled->checked()) add(t, x, nMain, nAdditional);
    }
  }
  // A contribution of its own (the resistance thermometer's class tolerance).
  void addSquare(double p) { root_ = std::hypot(root_, p); }
  double value() const { return finiteError(root_); }

 private:
  double root_ = 0;
};

// The channel pairs count when the computing device's error excludes the
// measuring channels.
bool channelPairsCount(const InputRecord& in) { return in.pr_IK.checked() && in.TipIK.index() == 2; }
// The device's error covers the channels with their primary transducers.
bool deviceCoversTransducers(const InputRecord& in) { return in.pr_IK.checked() && in.TipIK.index() == 0; }

// --- Result lines -------------------------------------------------------------------

struct ResultLine {
  const char* error;        // TipPogr 0
  const char* uncertainty;  // TipPogr 1
  int precision;
  int decimals;
  const char* unit;
};

constexpr ResultLine kFlowLine{"Относительная погрешность канала измерения расхода при рабочих условиях ",
                               "Суммарная расширенная неопределенность результата измерений расхода при рабочих "
                               "условиях ",
                               4, 3, "%"};
constexpr ResultLine kBarometerLine{"Относительная погрешность канала измерения атмосферного давления ",
                                    "Суммарная расширенная неопределенность результов измерений атмосферного давления ",
                                    4, 3, "%"};
constexpr ResultLine kConstantBarometerLine{"Относительная погрешность определения барометрического давления  ",
                                            "Относительная погрешность определения барометрического давления  ", 5,
                                            3, " %"};
constexpr ResultLine kGaugeLine{"Относительная погрешность канала измерения избыточного давления ",
                                "Суммарная расширенная неопределенность результата измерения избыточного давления ",
                                5, 3, " %"};
constexpr ResultLine kAbsoluteLine{"Относительная погрешность измерения абсолютного давления ",
                                   "Суммарная расширенная неопределенность результата измерения абсолютного давления ",
                                   5, 3, " %"};
constexpr ResultLine kTemperatureLine{"Относительная погрешность канала измерения температуры ",
                                      "Суммарная расширенная неопределенность результата измерения температуры ", 5, 3,
                                      " %"};
constexpr ResultLine kDensityLine{"Относительная погрешность канала измерения плотности при рабочих условиях  ",
                                  "Суммарная расширенная неопределенность результата измерения плотности при рабочих "
                                  "условиях  ",
                                  5, 3, " %"};
constexpr ResultLine kStdDensityLine{"Относительная погрешность канала измерения плотности при стандартных условиях ",
                                     "Суммарная расширенная неопределенность результата измерения плотности при "
                                     "стандартных условиях ",
                                     5, 3, " %"};
constexpr ResultLine kDeviceLine{"Относительная погрешность вычислителя (ИК) при вычислении объема ",
                                 "Относительная погрешность вычислителя (ИК) при вычислении объема ", 5, 3, " %"};

void writeLine(ErrorContext& s, const ResultLine& line, double value) {
  const char* text = s.in.TipPogr.index() == 1 ? line.uncertainty : line.error;
  s.in.Memo1.append(text + formatFixed(value, line.precision, line.decimals, s.decimalSeparator) + line.unit);
}

// --- The instruments of each channel ------------------------------------------------

std::array<TransducerErrors, 3> flowTransducers(const InputRecord& in, bool belowBoundary) {
  // Below the range boundary the flowmeter's main error is that of the
  // additional range.
  const ErrorEntry flowmeter = belowBoundary ? ErrorEntry{&in.dP1dopsisStr, &in.dP1dopdiapTipPogr}
                                             : ErrorEntry{&in.dP1sisstr, &in.dP1tipPogr};
  return {{{&in.dP1check, flowmeter, {&in.dp1dopStr, &in.dp1tipdopPogr}, &in.TipAdddP1},
           {&in.dP2check, {&in.dP2sisstr, &in.dP2tipPogr}, {&in.dp2dopStr, &in.dP2tipdopPogr}, &in.TipAdddP2},
           {&in.dP3check, {&in.dP3sisstr, &in.dP3tipPogr}, {&in.dp3dopStr, &in.dP3tipdopPogr}, &in.TipAdddP3}}};
}

TransducerErrors flowPair(const InputRecord& in) {
  return {nullptr, {&in.PogrKanaldPStr, &in.TipPogrKanaldP}, {&in.PogrKanaldPdopStr, &in.TipPogrKanaldPdop},
          &in.TipAddKanaldP};
}

std::array<TransducerErrors, 2> laterTemperatureTransducers(const InputRecord& in) {
  return {{{&in.T2check, {&in.T2sisstr, &in.T2tipPogr}, {&in.T2dopStr, &in.T2tipdopPogr}, &in.TipAddT2},
           {&in.T3check, {&in.T3sisstr, &in.T3tipPogr}, {&in.T3dopStr, &in.T3tipdopPogr}, &in.TipAddT3}}};
}

std::array<TransducerErrors, 3> pressureTransducers(const InputRecord& in) {
  return {{{&in.P1check, {&in.P1sisstr, &in.P1tipPogr}, {&in.P1dopStr, &in.P1tipdopPogr}, &in.TipAddP1},
           {&in.P2check, {&in.P2sisstr, &in.P2tipPogr}, {&in.P2dopStr, &in.P2tipdopPogr}, &in.TipAddP2},
           {&in.P3check, {&in.P3sisstr, &in.P3tipPogr}, {&in.P3dopStr, &in.P3tipdopPogr}, &in.TipAddP3}}};
}

std::array<TransducerErrors, 3> densityTransducers(const InputRecord& in) {
  return {{{&in.rrab1Check, {&in.rrab1pogrStr, &in.rrab1TipPogr}, {&in.rrab1dopPogrStr, &in.rrab1tipdopPogr},
            &in.TipAddrrab1},
           {&in.rrab2Check, {&in.rrab2PogrStr, &in.rrab2TipPogr}, {&in.rrab2dopPogrStr, &in.rrab2tipdopPogr},
            &in.TipAddrrab2},
           {&in.rrab3check, {&in.rrab3PogrStr, &in.rrab3TipPogr}, {&in.rrab3doppogrStr, &in.rrab3tipdopPogr},
            &in.TipAddrrab3}}};
}

std::array<TransducerErrors, 3> stdDensityTransducers(const InputRecord& in) {
  return {{{&in.rst1Check, {&in.rst1PogrStr, &in.rst1TipPogr}, {&in.rst1dopPogrStr, &in.rst1tipdopPogr},
            &in.TipAddrst1},
           {&in.rst2Check, {&in.rst2PogrStr, &in.rst2TipPogr}, {&in.rst2dopPogrStr, &in.rst2tipdopPogr},
            &in.TipAddrst2},
           {&in.rst3Check, {&in.rst3PogrStr, &in.rst3TipPogr}, {&in.rst3dopPogrStr, &in.rst3tipdopPogr},
            &in.TipAddrst3}}};
}

}  // namespace

// --- Flow at working conditions -----------------------------------------------------

void calcFlowChannelError(ErrorContext& s, double Q) {
  InputRecord& in = s.in;
  ChannelErrors& ch = s.channels;
  ch.dQ = 0;
  if (!(Q > 0)) return;
  // At the measuring point the flow is the average flow of the period.
  if (in.CalcIdle) s.toOtchet.Qavg = Q;
  const double Qv = in.QpredMaxStr.value;
  // The boundary between the additional range [Qн, Qgr] and the main range
  // [Qgr, Qв]; without an additional range the main range starts at Qн.
  const bool twoRanges = in.dP1dopcheck.checked();
  if (twoRanges) {
    ch.Qgr = in.Diap1Ed.index() == 0 ? Qv * in.Diap1minStr.value / 100 : in.Diap1minStr.value;
  } else {
    ch.Qgr = in.QpredMinStr.value;
  }
  const bool below = twoRanges && Q < ch.Qgr;
  const double nMain = below ? ch.Qgr : Qv;
  // The device's error covers the flowmeter as well.
  if (deviceCoversTransducers(in) && !in.TipIkQ.checked()) return;
  ChannelSum sum;
  sum.addEnabled(flowTransducers(in, below), Q, nMain, Qv);
  if (channelPairsCount(in)) sum.add(flowPair(in), Q, nMain, Qv);
  ch.dQ = sum.value();
  if (!in.CalcIdle) return;
  s.toOtchet.dQ = ch.dQ;
  if (!(deviceCoversTransducers(in) && !in.dP1check.checked())) writeLine(s, kFlowLine, ch.dQ);
}

// --- Temperature -----------------------------------------------------------------

void calcTemperatureChannelError(ErrorContext& s, double t) {
  InputRecord& in = s.in;
  ChannelErrors& ch = s.channels;
  ch.dT = 0;
  // Without a sensing element the channel gives 0, and so does the report.
  if (in.CalcIdle) s.toOtchet.dT = 0;
  if (!in.T1check.checked()) return;
  // The callers pass temperatures above absolute zero; the error is relative
  // to the absolute temperature.
  const double T = t + 273.15;
  if (!(T > 0)) return;
  const double span = in.TmaxStr.value - in.TminStr.value;
  ChannelSum sum;
  if (in.T11check.checked()) {
    // A resistance thermometer: the class tolerance Δt = a + b·|t| is the
    // whole error of the sensing element; its additional entry is not counted.
    sum.addSquare((in.T11str.value + in.T12str.value * std::fabs(t)) / T * 100);
  } else {
    sum.add({&in.T1check, {&in.T1sisstr, &in.T1tipPogr}, {&in.T1dopStr, &in.T1tipdopPogr}, &in.TipAddT1}, T, span,
            span);
  }
  sum.addEnabled(laterTemperatureTransducers(in), T, span, span);
  if (channelPairsCount(in)) {
    sum.add({nullptr, {&in.PogrKanalTStr, &in.TipPogrKanalT}, {&in.PogrKanalTdopStr, &in.TipPogrKanalTdop},
             &in.TipAddKanalT},
            T, span, span);
  }
  ch.dT = sum.value();
  if (!in.CalcIdle) return;
  s.toOtchet.dT = ch.dT;
  writeLine(s, kTemperatureLine, ch.dT);
}

// --- Pressures -------------------------------------------------------------------

void calcPressureChannelErrors(ErrorContext& s) { calcPressureChannelErrors(s, s.in.PizbStr.value, s.in.PbarStr.value); }

void calcPressureChannelErrors(ErrorContext& s, double P, double Pb) {
  InputRecord& in = s.in;
  ChannelErrors& ch = s.channels;
  ReportRecord& r = s.toOtchet;
  ch.pAbs = Pb + P;
  ch.dPb = 0;
  ch.dPizb = 0;
  ch.dPabs = 0;
  // Without a manometer the channels give 0, and so does the report.
  if (in.CalcIdle) {
    r.pAbs = ch.pAbs;
    r.dPb = 0;
    r.dPizb = 0;
    r.dPabs = 0;
  }
  if (!in.P1check.checked()) return;
  const bool pairs = channelPairsCount(in);

  // Atmospheric pressure: measured by the barometer, or taken as constant
  // within [Pбн, Pбв].
  const double PbMin = in.PbarMinStr.value;
  const double PbMax = in.PbarMaxStr.value;
  const bool measuredBarometer = in.TipIzmBar.index() == 0;
  const bool barometer = Pb > 0 && PbMin >= 0 && PbMax >= 0;
  if (barometer && measuredBarometer) {
    ChannelSum sum;
    sum.add({nullptr, {&in.PbarPogrStr, &in.PbarTipPogr}, {&in.PbarDopPogrStr, &in.PbarTipdopPogr}, &in.TipAddPbar},
            Pb, PbMax, PbMax);
    if (pairs) {
      sum.add({nullptr, {&in.PogrKanalPbarStr, &in.TipPogrKanalPbar},
               {&in.PogrKanalPbardopStr, &in.TipPogrKanalPbardop}, &in.TipAddKanalPbar},
              Pb, PbMax, PbMax);
    }
    ch.dPb = sum.value();
  } else if (barometer) {
    // The half range of a uniform distribution over [Pбн, Pбв] related to its
    // middle; an empty range (both limits 0) gives no error rather than 0/0.
    const double middle = (PbMax + PbMin) * std::sqrt(3.0);
    ch.dPb = middle > 0 ? finiteError(std::fabs(PbMax - PbMin) / middle * 100) : 0.0;
  }

  // Gauge pressure (absolute without pr_Pbar).
  if (P > 0) {
    const double Pv = in.PizbPredstr.value;
    ChannelSum sum;
    sum.addEnabled(pressureTransducers(in), P, Pv, Pv);
    if (pairs) {
      sum.add({nullptr, {&in.PogrKanalPStr, &in.TipPogrKanalP}, {&in.PogrKanalPdopStr, &in.TipPogrKanalPdop},
               &in.TipAddKanalP},
              P, Pv, Pv);
    }
    ch.dPizb = sum.value();
  }

  if (ch.pAbs > 0) {
    ch.dPabs = finiteError(std::hypot(P / ch.pAbs * ch.dPizb, Pb / ch.pAbs * ch.dPb));
  }

  if (!in.CalcIdle) return;
  const bool gaugeInstrument = in.pr_Pbar.checked();
  if (gaugeInstrument && barometer) {
    r.dPb = ch.dPb;
    writeLine(s, measuredBarometer ? kBarometerLine : kConstantBarometerLine, ch.dPb);
  }
  if (P > 0) {
    r.dPizb = ch.dPizb;
    if (gaugeInstrument) writeLine(s, kGaugeLine, ch.dPizb);
  }
  if (ch.pAbs > 0) {
    r.dPabs = ch.dPabs;
    writeLine(s, kAbsoluteLine, ch.dPabs);
  }
}

// --- Measured densities ------------------------------------------------------------

void calcDensityChannelError(ErrorContext& s, double r) {
  InputRecord& in = s.in;
  GasPropertyResult& g = s.gas;
  g.dRho = 0;
  // The report prints the channel as it was computed: 0 when the device's
  // error covers it, not the value of an earlier pass.
  if (in.CalcIdle) s.toOtchet.dRho = 0;
  if (deviceCoversTransducers(in) || !in.pr_Rab.checked() || !(r > 0)) return;
  const double rv = in.rrabMaxStr.value;
  ChannelSum sum;
  sum.addEnabled(densityTransducers(in), r, rv, rv);
  if (channelPairsCount(in)) {
    sum.add({nullptr, {&in.PogrKanalrrabStr, &in.TipPogrKanalrrab}, {&in.PogrKanalrrabdopStr, &in.TipPogrKanalrrabdop},
             &in.TipAddKanalrrab},
            r, rv, rv);
  }
  g.dRho = sum.value();
  if (!in.CalcIdle) return;
  s.toOtchet.dRho = g.dRho;
  writeLine(s, kDensityLine, g.dRho);
}

void calcStdDensityChannelError(ErrorContext& s, double rSt) {
  InputRecord& in = s.in;
  GasPropertyResult& g = s.gas;
  g.dRhoSt = 0;
  if (in.CalcIdle) s.toOtchet.dRhoSt = 0;
  if (deviceCoversTransducers(in) || !(rSt > 0)) return;
  if (in.pr_St.checked()) {
    const double rv = in.rstMaxStr.value;
    ChannelSum sum;
    sum.addEnabled(stdDensityTransducers(in), rSt, rv, rv);
    if (channelPairsCount(in)) {
      sum.add({nullptr, {&in.PogrKanalrstStr, &in.TipPogrKanalrst}, {&in.PogrKanalrstdopStr, &in.TipPogrKanalrstdop},
               &in.TipAddKanalrst},
              rSt, rv, rv);
    }
    g.dRhoSt = sum.value();
    if (in.CalcIdle) writeLine(s, kStdDensityLine, g.dRhoSt);
  } else {
    // No meter of the standard density: its entered error, relative or in kg/m3.
    const double e = in.rst_pogrStr.value;
    g.dRhoSt = in.rst_pogrTip.index() == 1 ? toRelative(e, ErrorKind::Absolute, rSt, 0) : e;
  }
  if (in.CalcIdle) s.toOtchet.dRhoSt = g.dRhoSt;
}

// --- Computing device --------------------------------------------------------------

void calcComputingDeviceError(ErrorContext& s) {
  InputRecord& in = s.in;
  ChannelErrors& ch = s.channels;
  if (!in.pr_IK.checked()) {
    ch.dCalc = 0;
    return;
  }
  ch.dCalc = in.CompPogrStr.value;
  if (!in.CalcIdle) return;
  // The pressure of the measuring point below the lower limit of the
  // manometer; checked where the pressure is measured (not with density
  // meters) and only for the point itself: the control-point tables have the
  // range condition of their own.
  if (!in.pr_Rab.checked() && in.PbarStr.value + in.PizbStr.value < in.PizbprednStr.value) s.flags.raise(8);
  if (ch.dCalc > 0 && in.TipIK.index() != 0) writeLine(s, kDeviceLine, ch.dCalc);
}

}  // namespace velmar
