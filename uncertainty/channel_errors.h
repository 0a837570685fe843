#pragma once
// Errors of the measuring channels of an error (or uncertainty) calculation:
// flow at working conditions, temperature, gauge, atmospheric and absolute
// pressure, the two densities when they are measured, and the computing
// device. Each instrument's main and additional error is turned into per cent
// of the measured value, the two are joined by the instrument's addition rule
// and the instruments of a channel add up as a root sum of squares. The error
// and the expanded uncertainty share this arithmetic; TipPogr only words the
// result lines.
namespace velmar {

struct ErrorContext;
class Edit;
class Choice;
class CheckBox;

// The item index of every error-kind box.
enum class ErrorKind : int {
  Relative = 0,  // "относительная": per cent of the measured value
  Reduced = 1,   // "приведенная": per cent of a normalising value of the instrument
  Absolute = 2,  // "абсолютная": in the unit of the quantity
};

// The item index of every addition box: how an instrument's main error p and
// additional error q (in %) enter the channel's sum of squares.
enum class AdditionRule : int {
  Geometric = 0,   // "геометрически сложить": p² + q²
  Arithmetic = 1,  // "арифметически сложить": (p + q)²
};

ErrorKind errorKindOf(const Choice& box);
AdditionRule additionRuleOf(const Choice& box);

// e of the given kind in per cent of the measured value x (> 0), with the
// normalising value N of a reduced error. A non-positive x gives 0.
double toRelative(double e, ErrorKind kind, double x, double N);

// An error as a result line can show it: an overflow of absurdly large
// entered errors gives the largest double instead of inf or nan.
double finiteError(double e);

// One error characteristic: an error field (its value, a number or the value
// of its formula) and its kind box.
struct ErrorEntry {
  const Edit* field;
  const Choice* kind;
};

// One instrument of a channel, or the channel pair counted when the computing
// device's error excludes the channels.
struct TransducerErrors {
  const CheckBox* enabled;  // nullptr for the channel pair
  ErrorEntry main;
  ErrorEntry additional;
  const Choice* rule;
};

// The results, relative errors in per cent. They are overwritten by every
// call; the gas properties read dT and dPabs.
struct ChannelErrors {
  double dQ = 0;     // flow channel at working conditions
  double dT = 0;     // temperature channel
  double dPb = 0;    // atmospheric pressure
  double dPizb = 0;  // gauge-pressure channel
  double dPabs = 0;  // absolute pressure
  double dCalc = 0;  // computing device
  double Qgr = 0;    // range boundary of the flowmeter, m3/h
  double pAbs = 0;   // absolute pressure of the point, Pa
};

// The channel operations. Each reads the inputs of its instruments, sets its
// result and, while CalcIdle is set, appends its result line to Memo1 and
// copies the result into the report record; with CalcIdle cleared (the
// control-point tables) they compute silently.
//
// Q: the working flow, m3/h; Q <= 0 gives dQ = 0 and no line.
void calcFlowChannelError(ErrorContext& s, double Q);
// The gauge (or, without pr_Pbar, absolute) pressure P and the atmospheric
// pressure Pb in Pa; the first form takes both from the measuring point.
void calcPressureChannelErrors(ErrorContext& s);
void calcPressureChannelErrors(ErrorContext& s, double P, double Pb);
// t in °C.
void calcTemperatureChannelError(ErrorContext& s, double t);
// The measured densities (pr_Rab), kg/m3; the results go to the dRho and
// dRhoSt of the gas properties.
void calcDensityChannelError(ErrorContext& s, double r);
void calcStdDensityChannelError(ErrorContext& s, double rSt);
// Raises message 8 at the measuring point when the absolute pressure lies
// below the lower limit of the manometer.
void calcComputingDeviceError(ErrorContext& s);

}  // namespace velmar
