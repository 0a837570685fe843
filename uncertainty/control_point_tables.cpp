#include "uncertainty/control_point_tables.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "core/input_record.h"
#include "core/messages.h"
#include "core/platform.h"
#include "core/report_record.h"
#include "core/units.h"
#include "gasprops/gas_properties.h"
#include "uncertainty/channel_errors.h"
#include "uncertainty/error_context.h"
#include "uncertainty/error_fields.h"
#include "uncertainty/error_formula.h"
#include "uncertainty/volume_error.h"

namespace velmar {

namespace {

// The inputs of the five combinations: temperature and pressure, or with
// density meters the densities at working and at standard conditions; the
// third is the measuring point.
std::array<std::pair<const Edit*, const Edit*>, kCombinations> combinationInputs(const InputRecord& in) {
  if (in.pr_Rab.checked()) {
    return {{{&in.KTrrabminStr, &in.KTrstMinStr},
             {&in.KTrrabminStr, &in.KTrstMaxStr},
             {&in.rrab_Str, &in.rst_str},
             {&in.KTrrabMaxStr, &in.KTrstMinStr},
             {&in.KTrrabMaxStr, &in.KTrstMaxStr}}};
  }
  return {{{&in.KTTminStr, &in.KTPminStr},
           {&in.KTTminStr, &in.KTPmaxStr},
           {&in.Tstr, &in.PizbStr},
           {&in.KTTmaxStr, &in.KTPminStr},
           {&in.KTTmaxStr, &in.KTPmaxStr}}};
}

MeasuringPointState saveMeasuringPoint(ErrorContext& s) {
  MeasuringPointState p{s.channels, s.gas, s.volumeErrors, {}};
  for (Control* c : s.in.registry.all()) {
    if (c->kind() != ControlKind::Edit) continue;
    auto* e = static_cast<Edit*>(c);
    if (e->traits().kind == ValueKind::ErrorValue) p.errorFieldValues.emplace_back(e, e->value);
  }
  return p;
}

void restoreMeasuringPoint(ErrorContext& s, const MeasuringPointState& p) {
  s.channels = p.channels;
  s.gas = p.gas;
  s.volumeErrors = p.volume;
  for (const auto& [e, value] : p.errorFieldValues) e->value = value;
}

// The flow at standard conditions follows from the density ratio where both
// densities are known (another medium, air, measured densities), otherwise
// from the state of the combination and its compressibility coefficient.
bool flowByDensityRatio(const InputRecord& in) {
  const int medium = in.sreda.index();
  return in.pr_Rab.checked() || medium == 1 || medium == 10;
}

// Property part of one combination at (x, y): temperature and pressure, or
// the two densities; `point` the properties of the measuring point.
PointCell combinationCell(ErrorContext& s, double x, double y, const GasPropertyResult& point) {
  InputRecord& in = s.in;
  GasPropertyResult& g = s.gas;
  PointCell cell;
  cell.tOrRho = x;
  cell.pOrRhoSt = y;
  const std::optional<double> pointFlow = formulaVariables(s).Q;
  if (in.pr_Rab.checked()) {
    // The error formulas follow the densities of the combination.
    evalErrorFieldValues(s, formulaVariables(s, {pointFlow, in.Tstr.value, in.PizbStr.value, x, y}));
    calcDensityChannelError(s, x);
    calcStdDensityChannelError(s, y);
    cell.rho = x;
    cell.rhoSt = y;
    cell.dRhoCell = g.dRho;
    cell.dRhoStCell = g.dRhoSt;
    cell.failed = !(x > 0 && y > 0);
    return cell;
  }
  // The temperature and pressure errors follow the temperature and pressure
  // of the combination (a formula in t or P takes its values).
  evalErrorFieldValues(s, formulaVariables(s, {pointFlow, x, y, point.rho, point.rhoSt}));
  calcPressureChannelErrors(s, y, in.PbarStr.value);
  calcTemperatureChannelError(s, x);
  const bool computed = s.gasPropertiesAt(x, y);
  cell.K = g.K;
  cell.rho = g.rho;
  cell.rhoSt = g.rhoSt;
  cell.dRhoCell = volumeErrorUsesCompressibility(in) ? g.dK : g.dRho;
  cell.dRhoStCell = g.dRhoSt;
  cell.failed = !computed || !(g.rho > 0) || !(g.rhoSt > 0) || (!flowByDensityRatio(in) && !(g.K > 0));
  return cell;
}

// The flows of control point c in a cell whose properties are known.
void cellFlows(const ErrorContext& s, double c, PointCell& cell) {
  const InputRecord& in = s.in;
  if (in.KTtip.index() == 1) {
    cell.Qc = c;
    cell.Q = cell.failed ? 0.0 : c * cell.rhoSt / cell.rho;
    return;
  }
  cell.Q = in.KT1ed.index() == 1 ? in.QpredMaxStr.value * c / 100 : c;
  if (cell.failed) return;
  if (flowByDensityRatio(in)) {
    cell.Qc = cell.Q * cell.rho / cell.rhoSt;
  } else {
    const double pAbs = in.PbarStr.value + cell.pOrRhoSt;
    cell.Qc = cell.Q * 293.15 * pAbs / (101325 * (273.15 + cell.tOrRho) * cell.K);
  }
}

// The corner combinations against the measuring ranges of the instruments.
// The conditions are set afresh at every run, so that a corrected range
// clears its message.
void rangeConditions(ErrorContext& s) {
  InputRecord& in = s.in;
  FailureFlags& f = s.flags;
  for (int n : {99, 100, 120, 121}) f.clear(n);
  const auto outside = [](double v, double low, double high) { return v < low || v > high; };
  const auto inputs = combinationInputs(in);
  for (int j = 0; j < kCombinations; ++j) {
    if (j == 2) continue;  // the measuring point
    const double x = inputs[static_cast<size_t>(j)].first->value;
    const double y = inputs[static_cast<size_t>(j)].second->value;
    if (in.pr_Rab.checked()) {
      if (outside(x, in.rrabMinStr.value, in.rrabMaxStr.value)) f.raise(120);
      if (in.pr_St.checked() && outside(y, in.rstMinStr.value, in.rstMaxStr.value)) f.raise(121);
    } else {
      if (outside(x, in.TminStr.value, in.TmaxStr.value)) f.raise(99);
      // Without a computing device the lower limit of the manometer is not
      // entered and counts as 0.
      const double low = in.pr_IK.checked() ? in.PizbprednStr.value : 0.0;
      if (outside(y, low, in.PizbPredstr.value)) f.raise(100);
    }
  }
}

std::string flowText(double q, char sep) { return formatGeneral(RoundSignificant(5, q), sep); }

void clearTables(InputRecord& in) {
  for (StringGrid* g : {&in.TablPogr, &in.TablPogrk}) {
    for (int r = 0; r < g->rowCount(); ++r) {
      for (int c = 0; c < g->colCount(); ++c) g->setCell(c, r, "");
    }
  }
}

void setBoth(InputRecord& in, int col, int row, const std::string& text) {
  in.TablPogr.setCell(col, row, text);
  in.TablPogrk.setCell(col, row, text);
}

void startProgress(InputRecord& in) {
  in.ProgressBar1.setPosition(0);
  in.ProgressBar1.show();
  in.MenuReport.setEnabled(false);
  in.InitTextStr.setCaption(in.TipPogr.index() == 1 ? "Производится расчет неопределенностей"
                                                    : "Производится расчет погрешностей");
}

void endRun(ErrorContext& s, const ControlPointRun& run) {
  InputRecord& in = s.in;
  in.ProgressBar1.hide();
  in.InitTextStr.setCaption("");
  in.MenuReport.setEnabled(true);
  restoreMeasuringPoint(s, run.point);
}

// The errors of one cell into both grids.
void fillCell(ErrorContext& s, const PointCell& cell, int col, int row) {
  InputRecord& in = s.in;
  const char sep = s.decimalSeparator;
  if (cell.failed) {
    setBoth(in, col, row, " - ");
    return;
  }
  GasPropertyResult& g = s.gas;
  g.dRho = cell.dRhoCell;
  g.dK = cell.dRhoCell;
  g.dRhoSt = cell.dRhoStCell;
  // The error formulas take the cell's flow, and its temperature and
  // pressure (the measuring point's with density meters) and densities.
  const bool densities = in.pr_Rab.checked();
  const CellQuantities q{cell.Q, densities ? in.Tstr.value : cell.tOrRho, densities ? in.PizbStr.value : cell.pOrRhoSt,
                         cell.rho, cell.rhoSt};
  evalErrorFieldValues(s, formulaVariables(s, q));
  calcFlowChannelError(s, cell.Q);
  calcComputingDeviceError(s);
  calcVolumeError(s);
  const std::string flow = flowText(in.KTtip.index() == 1 ? cell.Q : cell.Qc, sep) + " ";
  const bool inRange = cell.Q > 0 && in.QpredMinStr.value <= cell.Q && cell.Q <= in.QpredMaxStr.value;
  if (inRange) {
    in.TablPogr.setCell(col, row, flow + "\n" + formatFixed(s.volumeErrors.dVol, 5, 2, sep) + " ");
    in.TablPogrk.setCell(col, row, formatFixed(s.volumeErrors.dVolTime, 5, 2, sep) + " ");
  } else {
    in.TablPogr.setCell(col, row, flow + "\n - ");
    in.TablPogrk.setCell(col, row, " - ");
  }
}

}  // namespace

std::vector<TableCaption> tableCaptions(const InputRecord& in, const StringGrid& table) {
  if (&table == &in.TablPogrk) {
    return {{&in.TextTk, 0, 0, 2}, {&in.TextPk, 0, 1, 2}, {&in.TextdPk, 0, 2, 2}, {&in.TextQk, 2, 2, 5}};
  }
  if (&table == &in.TablPogr) {
    return {{&in.TextT, 0, 0, 2}, {&in.TextP, 0, 1, 2}, {&in.TextdP, 0, 2, 2}, {&in.TextQ, 2, 2, 5}};
  }
  return {};
}

std::string tablePressureCaption(const InputRecord& in) {
  if (in.pr_Rab.checked()) return "Плотность при станд. усл.,кг/м3";
  return (in.pr_Pbar.checked() ? "Изб. давление ," : "Абс. давление ,") + in.KTPed.selectedText();
}

void setTableCaptions(InputRecord& in) {
  const bool uncertainty = in.TipPogr.index() == 1;
  in.TabSheet11.setCaption(uncertainty ? "Расчет неопределенностей" : "Расчет погрешностей");
  in.TabSheet12.setCaption(uncertainty ? "Неопределенность измерения расхода" : "Погрешность измерения расхода");
  in.TabSheet13.setCaption(uncertainty ? "неопределенность измерения объема" : "Погрешность измерения объема");
  const bool densities = in.pr_Rab.checked();
  const std::string t = densities ? "Плотность при раб. усл.,кг/м3" : "Температура ,°C";
  const std::string p = tablePressureCaption(in);
  const bool standardPoints = in.KTtip.index() == 1;
  const std::string flow = standardPoints ? "Расход при ст. усл., м3/ч" : "Расход при раб. усл., м3/ч";
  const std::string w = uncertainty ? " неопределенность" : " погрешность";
  in.TextT.setCaption(t);
  in.TextTk.setCaption(t);
  in.TextP.setCaption(p);
  in.TextPk.setCaption(p);
  in.TextdP.setCaption(flow);
  in.TextdPk.setCaption(flow);
  in.TextQ.setCaption(standardPoints ? "Расход при раб. усл., м3/ч   /  " + w + ", % "
                                     : "Расход при станд. усл., м3/ч   /  " + w + ", %");
  in.TextQk.setCaption(uncertainty ? "Неопределенность, %" : "Погрешность, %");
}

std::vector<double> sortControlPoints(ErrorContext& s) {
  InputRecord& in = s.in;
  std::vector<double> points = {in.KT1str.value, in.KT2str.value, in.KT3str.value,
                                in.KT4str.value, in.KT5str.value, in.KT6str.value};
  // Five passes of adjacent swaps, the larger value moving forward.
  for (int pass = 0; pass < 5; ++pass) {
    for (size_t i = 0; i + 1 < points.size(); ++i) {
      if (points[i] < points[i + 1]) std::swap(points[i], points[i + 1]);
    }
  }
  const auto n = std::count_if(points.begin(), points.end(), [](double v) { return v > 0; });
  if (n == 0) s.flags.raise(9);
  points.resize(static_cast<size_t>(n));
  return points;
}

ControlPointRun prepareTableCells(ErrorContext& s, std::vector<double> points) {
  InputRecord& in = s.in;
  ControlPointRun run;
  if (points.size() > static_cast<size_t>(kMaxControlPoints)) points.resize(kMaxControlPoints);
  run.points = std::move(points);
  if (!(in.QpredMaxStr.value > 0) || run.points.empty()) return run;
  run.active = true;
  run.point = saveMeasuringPoint(s);
  const auto inputs = combinationInputs(in);
  for (int j = 0; j < kCombinations; ++j) {
    const PointCell combination = combinationCell(s, inputs[static_cast<size_t>(j)].first->value,
                                                  inputs[static_cast<size_t>(j)].second->value, run.point.gas);
    // A method lets the window's pending events run between its evaluations;
    // an input among them ends the run here. The method, abandoned, has set
    // CalcIdle for the driver: the run keeps it cleared until it ends.
    if (in.InputChanged) {
      in.CalcIdle = false;
      run.interrupted = true;
      return run;
    }
    for (size_t k = 0; k < run.points.size(); ++k) {
      PointCell& cell = run.cells[k][static_cast<size_t>(j)];
      cell = combination;
      cellFlows(s, run.points[k], cell);
    }
  }
  return run;
}

void fillErrorTables(ErrorContext& s, ControlPointRun& run) {
  if (!run.active) return;
  if (run.interrupted) {
    restoreMeasuringPoint(s, run.point);
    return;
  }
  InputRecord& in = s.in;
  const char sep = s.decimalSeparator;
  clearTables(in);
  setTableCaptions(in);
  // The headings of the combinations: the texts of their inputs.
  const auto inputs = combinationInputs(in);
  for (int j = 0; j < kCombinations; ++j) {
    setBoth(in, 2 + j, 0, inputs[static_cast<size_t>(j)].first->text() + " ");
    setBoth(in, 2 + j, 1, inputs[static_cast<size_t>(j)].second->text() + " ");
  }
  rangeConditions(s);
  startProgress(in);
  const int n = static_cast<int>(run.points.size());
  const bool standardPoints = in.KTtip.index() == 1;
  for (int k = 0; k < n; ++k) {
    const int row = 3 + k;
    const PointCell& first = run.cells[static_cast<size_t>(k)][0];
    setBoth(in, 0, row, flowText(standardPoints ? first.Qc : first.Q, sep) + " ");
    setBoth(in, 1, row, standardPoints ? " " : formatFixed(first.Q / in.QpredMaxStr.value * 100, 6, 2, sep) + " % ");
    for (int j = 0; j < kCombinations; ++j) {
      // The bar shows the share of the cells reached, this one included, and
      // the window gets to show it.
      const int cell = kCombinations * k + j + 1;
      in.ProgressBar1.setPosition(static_cast<int>(std::lround(100.0 * cell / (kCombinations * n))));
      s.pump.processPendingEvents();
      // An input arrived: the pass starts again with the new values.
      if (in.InputChanged) {
        endRun(s, run);
        return;
      }
      fillCell(s, run.cells[static_cast<size_t>(k)][static_cast<size_t>(j)], 2 + j, row);
    }
  }
  endRun(s, run);
}

}  // namespace velmar
