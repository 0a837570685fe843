#pragma once
// GOST R 8.662-2009: natural gas of full composition (21 components) by the
// AGA8-92DC equation of state. The entry calcAga is declared in
// gas_properties.h; the routines below are what it is built of.
#include <cstddef>
#include <optional>
#include <span>

#include "gasprops/aga8_detail_eos.h"
#include "gasprops/gas_properties.h"

namespace velmar::aga {

inline constexpr std::size_t kComponentCount = 21;

// Positions in the composition vector.
enum Component : std::size_t {
  kNitrogen,
  kCarbonDioxide,
  kMethane,
  kEthane,
  kPropane,
  kNButane,
  kIButane,
  kNPentane,
  kIPentane,
  kNHexane,
  kNHeptane,
  kNOctane,
  kNNonane,
  kNDecane,
  kHydrogen,
  kOxygen,
  kCarbonMonoxide,
  kWater,
  kHydrogenSulphide,
  kHelium,
  kArgon,
};

// Failure codes of the method (texts in kAgaMessages).
inline constexpr MethodFailure kTemperatureOutOfRange = 18;
inline constexpr MethodFailure kPressureOutOfRange = 19;
inline constexpr MethodFailure kSumOutOfRange = 20;
// The density cannot be found at the given pressure (Newton's method does not
// converge within its step limit): reported with the pressure-range text.
inline constexpr MethodFailure kNoDensity = kPressureOutOfRange;

struct State {
  double rho = 0;          // kg/m3
  double soundSpeed = 0;   // m/s
  double Z = 0;
  double methodError = 0;  // δм, %
  MethodFailure code = 0;
};

// One evaluation of the method at T (K) and p (MPa) for contents x in mol %.
// Strict: the composition, temperature and pressure limits are checked (the
// last failing check gives the code). Not strict (the perturbed states of the
// error estimate): no limits, T and p are clamped into the method's range.
State agaState(std::span<const double, kComponentCount> x, double T, double p, bool strict);
// The same with a kept evaluator: states of one composition mix once.
State agaState(aga8::Evaluator& evaluator, std::span<const double, kComponentCount> x, double T,
               double p, bool strict);

// Method error of the density, %, by region of the (T, p) plane; R Gazprom
// 5.3 uses the same table.
double methodError(double T, double p);

// The equation alone, for mole fractions as given, without the method's
// limits, clamps or sum check.
std::optional<aga8::Properties> equationState(std::span<const double, kComponentCount> fractions,
                                              double T, double p);
std::optional<aga8::Properties> equationState(aga8::Evaluator& evaluator,
                                              std::span<const double, kComponentCount> fractions,
                                              double T, double p);

// The method's tables, as the equation sees them, and the pairs whose
// interaction parameters differ from 1.
const aga8::Model& model();
std::span<const aga8::PairEntry> nonDefaultPairs();
// The equation with its pair factors, built once; an evaluator with the
// method's settings (mixing cut, heat-capacity cut, Newton tolerance).
const aga8::Equation& equation();
aga8::Evaluator evaluator();

}  // namespace velmar::aga
