#pragma once
// R Gazprom 5.3-2009: natural gas of ten components by the AGA8-92DC
// equation of state, with the method's own limits, sum check and error
// estimate. The entry calcRGazprom is declared in gas_properties.h.
#include <array>
#include <cstddef>
#include <optional>
#include <span>

#include "gasprops/AGA.h"
#include "gasprops/aga8_detail_eos.h"
#include "gasprops/gas_properties.h"

namespace velmar::rgaz {

inline constexpr std::size_t kComponentCount = 10;

// Positions in the composition vector.
enum Component : std::size_t {
  kMethane,
  kEthane,
  kPropane,
  kIButane,
  kNButane,
  kIPentane,
  kNPentane,
  kHexane,
  kNitrogen,
  kCarbonDioxide,
};

// Limits of the entered composition, mol %. Limit k bounds the sum of the
// contents first..last (the two butanes and the two pentanes are limited
// together): methane, ethane, propane, butanes, pentanes, n-hexane,
// nitrogen, carbon dioxide. The method refuses a composition outside a limit
// with failure code k + 1; the grid of the method raises message 11 + k as the
// contents are typed. The bounds carry a margin of rounding, so that a content
// typed as the limit itself passes.
struct CompositionLimit {
  Component first;
  Component last;
  double lo;
  double hi;
};

inline constexpr std::array<CompositionLimit, 8> kCompositionLimits = {{
    {kMethane, kMethane, 69.99999999999, 100.00000000001},
    {kEthane, kEthane, 0, 10.00000000001},
    {kPropane, kPropane, 0, 3.500000000001},
    {kIButane, kNButane, 0, 1.50000000001},
    {kIPentane, kNPentane, 0, 0.50000000001},
    {kHexane, kHexane, 0, 0.1000000001},
    {kNitrogen, kNitrogen, 0, 20.0000000001},
    {kCarbonDioxide, kCarbonDioxide, 0, 20.0000000001},
}};

// The sum the limit bounds.
inline double limitedContent(std::span<const double, kComponentCount> x, const CompositionLimit& limit) {
  double sum = x[limit.first];
  for (std::size_t k = limit.first + 1; k <= limit.last; ++k) sum += x[k];
  return sum;
}

// False for NaN.
inline bool withinLimit(double content, const CompositionLimit& limit) {
  return content >= limit.lo && content <= limit.hi;
}

// Failure codes of the method (texts in kRGazpromMessages).
inline constexpr MethodFailure kTemperatureOutOfRange = 9;
inline constexpr MethodFailure kPressureOutOfRange = 10;
inline constexpr MethodFailure kSumOutOfRange = 11;
// The density cannot be found at the given pressure (Newton's method does not
// converge within its step limit): reported with the pressure-range text.
inline constexpr MethodFailure kNoDensity = kPressureOutOfRange;

struct State {
  double rho = 0;          // kg/m3
  double Z = 0;
  double soundSpeed = 0;   // m/s
  double methodError = 0;  // δм, %
  MethodFailure code = 0;
};

// One evaluation at T (K) and p (MPa) for contents x in mol %. The standard
// call checks the composition (codes 1..8, the last failing check stands)
// and clamps T and p into the method's range; every other call checks T
// (code 9) and p (code 10) instead. Code 11: sum of the contents.
State rgazState(std::span<const double, kComponentCount> x, double T, double p, bool standardCall);
// The same with a kept evaluator: states of one composition mix once.
State rgazState(aga8::Evaluator& evaluator, std::span<const double, kComponentCount> x, double T,
                double p, bool standardCall);

// Method error of the density, %, by region of the (T, p) plane: the table
// of GOST R 8.662.
using aga::methodError;

// The equation alone, for mole fractions as given (components below the
// fraction 1e-6 are left out), without the method's limits or sum check.
std::optional<aga8::Properties> equationState(std::span<const double, kComponentCount> fractions,
                                              double T, double p);

// The method's tables, as the equation sees them; the equation with its pair
// factors, built once; an evaluator with the method's settings.
const aga8::Model& model();
const aga8::Equation& equation();
aga8::Evaluator evaluator();

}  // namespace velmar::rgaz
