#include "gasprops/cubic_roots.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace velmar {

double CubicRoots::largest() const { return std::max({v[0], v[1], v[2]}); }

// With Q = (c² − 3b)/9, Rc = (2c³ − 9bc + 27a)/54 and D = Q³ − Rc²:
//   D > 0: three real roots by the trigonometric form;
//   D = 0: a double root and a single one;
//   D < 0: one real root by the hyperbolic form — cosh/arcosh when Q > 0,
//          sinh/arsinh when Q < 0, and the plain cube root when Q = 0 (the
//          cosh form alone would divide by zero or take arcosh below 1 there).
CubicRoots cubicRoots(double a, double b, double c) {
  CubicRoots r;
  if (!std::isfinite(a) || !std::isfinite(b) || !std::isfinite(c)) return r;
  const double shift = c / 3.0;
  const double Q = (c * c - 3.0 * b) / 9.0;
  const double Rc = (2.0 * c * c * c - 9.0 * b * c + 27.0 * a) / 54.0;
  const double Q3 = Q * Q * Q;
  const double D = Q3 - Rc * Rc;
  if (!std::isfinite(D)) return r;

  if (D > 0) {
    // D > 0 implies Q > 0; the quotient is clamped against rounding.
    const double sq = std::sqrt(Q);
    const double arg = std::clamp(Rc / std::sqrt(Q3), -1.0, 1.0);
    const double theta = std::acos(arg) / 3.0;
    constexpr double third = 2.0 * std::numbers::pi / 3.0;
    r.v = {-2.0 * sq * std::cos(theta) - shift, -2.0 * sq * std::cos(theta + third) - shift,
           -2.0 * sq * std::cos(theta - third) - shift};
    r.count = 3;
  } else if (D == 0) {
    const double cr = std::cbrt(Rc);
    if (cr == 0) {
      r.v[0] = -shift;  // triple root
      r.count = 1;
    } else {
      r.v = {-2.0 * cr - shift, cr - shift, 0.0};
      r.count = 2;
    }
  } else {
    const double sgn = Rc < 0 ? -1.0 : 1.0;
    double t = 0;
    if (Q > 0) {
      const double sq = std::sqrt(Q);
      const double arg = std::max(1.0, std::fabs(Rc) / (Q * sq));
      t = -2.0 * sgn * sq * std::cosh(std::acosh(arg) / 3.0);
    } else if (Q < 0) {
      const double sq = std::sqrt(-Q);
      t = -2.0 * sgn * sq * std::sinh(std::asinh(std::fabs(Rc) / (-Q * sq)) / 3.0);
    } else {
      t = -std::cbrt(2.0 * Rc);
    }
    r.v[0] = t - shift;
    r.count = std::isfinite(r.v[0]) ? 1 : 0;
    if (r.count == 0) r.v[0] = 0;
  }
  for (double& x : r.v)
    if (!std::isfinite(x)) x = 0;  // cannot happen for finite Q and Rc; kept as a guard
  return r;
}

}  // namespace velmar
