#pragma once
// The two tables of the volume error over the control points of the flow
// (up to six) and five combinations of the extreme temperatures and pressures
// (or, with density meters, of the extreme densities): TablPogr holds the
// error of the volume, TablPogrk that error with the error of the time
// determination. The driver runs them with CalcIdle cleared, so the channel
// and volume operations they call write no line and no report value.
#include <array>
#include <string>
#include <utility>
#include <vector>

#include "gasprops/gas_properties.h"
#include "uncertainty/channel_errors.h"
#include "uncertainty/volume_error.h"

namespace velmar {

struct ErrorContext;
struct InputRecord;
class Edit;
class Label;
class StringGrid;

inline constexpr int kMaxControlPoints = 6;
inline constexpr int kCombinations = 5;

// One pair (control point k, combination j).
struct PointCell {
  double K = 0;           // compressibility coefficient of the combination
  double tOrRho = 0;      // temperature, °C, or the density at working conditions, kg/m3
  double pOrRhoSt = 0;    // pressure, Pa, or the density at standard conditions, kg/m3
  double Q = 0;           // working flow of the control point, m3/h
  double Qc = 0;          // flow at standard conditions of the control point, m3/h
  double rho = 0;         // densities of the combination, kg/m3
  double rhoSt = 0;
  double dRhoCell = 0;    // density or compressibility error of the combination, %
  double dRhoStCell = 0;  // error of the standard density of the combination, %
  bool failed = false;    // the gas properties of the combination could not be computed
};

// What the run changes and gives back to the measuring point at its end.
struct MeasuringPointState {
  ChannelErrors channels;
  GasPropertyResult gas;
  VolumeErrors volume;
  std::vector<std::pair<Edit*, double>> errorFieldValues;
};

// One run of the tables, from prepareTableCells to fillErrorTables.
struct ControlPointRun {
  std::vector<double> points;  // ControlPoints, in descending order
  std::array<std::array<PointCell, kCombinations>, kMaxControlPoints> cells{};
  bool active = false;         // the flowmeter has an upper limit: the tables are computed
  bool interrupted = false;    // an input arrived while the combinations were computed
  MeasuringPointState point;
};

// Where the caption labels of a table stand over its fixed area: TextT over
// row 0, TextP over row 1 and TextdP over row 2 of the two fixed columns,
// TextQ (TextQk) over row 2 of the result columns.
struct TableCaption {
  const Label* label;
  int col;
  int row;
  int colSpan;
};
// The captions of TablPogr or TablPogrk; none for another grid.
std::vector<TableCaption> tableCaptions(const InputRecord& in, const StringGrid& table);

// The captions of the tables and of their tabs by the current choices: what
// the combinations are (temperature and gauge or absolute pressure, or the
// densities), what the control points are, and the wording (TipPogr).
void setTableCaptions(InputRecord& in);
// The caption of the second varied quantity: the gauge or absolute pressure
// with its unit, or the density at standard conditions.
std::string tablePressureCaption(const InputRecord& in);

// The control points KT1str..KT6str sorted in descending order; N of them
// are above 0. Raises message 9 when there is none.
std::vector<double> sortControlPoints(ErrorContext& s);

// The property part of every cell: each combination's channel errors and gas
// properties, and the flows of the control points. Nothing is computed while
// the flowmeter has no upper limit (the tables then keep their texts). An
// input while a method lets pending events run stops it.
ControlPointRun prepareTableCells(ErrorContext& s, std::vector<double> points);

// The errors of every cell into both grids, with the range conditions 99,
// 100, 120, 121, the progress bar and the status text. Before each cell the
// window's pending events run; an input among them stops the run (the cells
// not reached stay empty). Either way the values of the measuring point are
// restored at the end.
void fillErrorTables(ErrorContext& s, ControlPointRun& run);

}  // namespace velmar
