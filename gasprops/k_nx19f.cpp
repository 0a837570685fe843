// NX-19 mod. (GOST 30319.2-96): the NX-19 equation in pseudo-reduced
// pressure and temperature with the GOST pseudo-critical parameters of the
// incomplete composition, solved in closed form for Z, with the method's
// finite-difference error estimate.
#include "gasprops/k_nx19f.h"
#include "gasprops/gost30319_2_error.h"

#include <cmath>

#include "gasprops/k_gergf.h"

namespace velmar {
namespace nx19 {
namespace {

constexpr double kPerturbation = 0.9999;
constexpr double kStandardPressurePa = kStandardPressureMPa * 1e6;


}  // namespace

// The equation is written with F = 1 - E of the NX-19 correction E of the
// reduced pressure term, so "no correction" (E = 1) is F = 0. (F = 1 would
// cancel the pressure term of I; Y - J/Y is then the real root Bq of the
// cubic and the denominator of Z vanishes.)
Correction correctionF(double pa, double tau) {
  Correction c;
  if (pa >= 0 && pa <= 2 && tau >= 0 && tau <= 0.31) {
    const double st = std::sqrt(tau);
    const double q = pa * (2.17 - pa + 1.4 * st);
    c = {1, 0.00075 * std::pow(pa, 2.3) / std::exp(20 * tau) + 0.0011 * st * q * q};
  }
  if (pa >= 0 && pa < 1.3 && tau >= -0.25 && tau < 0) {
    const double t4 = tau * tau * tau * tau;
    c = {2, 0.00075 * std::pow(pa, 2.3) * (2 - std::exp(20 * tau)) +
                1.317 * pa * (1.69 - pa * pa) * t4};
  }
  if (pa >= 1.3 && pa < 2 && tau >= -0.21 && tau < 0) {
    const double t2 = tau * tau;
    c = {3, 0.00075 * std::pow(pa, 2.3) * (2 - std::exp(20 * tau)) +
                0.455 * (1.3 - pa) * (1.69 * std::pow(2.0, 1.25) - pa * pa) *
                    (tau * (0.03249 + 18.028 * t2) + t2 * (2.0167 + t2 * (42.844 + 200 * t2)))};
  }
  return c;
}

CubicTerms cubicTerms(double pa, double Ta, double F) {
  CubicTerms t;
  const double Ta2 = Ta * Ta;
  const double Ta3 = Ta2 * Ta;
  t.A = Ta2 * Ta3 / (6.60756 * Ta3 - 4.42646 * Ta2 + 3.22706);
  t.Bq = t.A * (0.305131 + 1.77218 * Ta2 - 0.8879 * Ta3) / (Ta2 * Ta2);
  t.I = t.Bq * (t.A - t.Bq * t.Bq) + 0.1 * t.A * pa * (F - 1);
  t.J = 2 * t.A / 3 - t.Bq * t.Bq;
  const double disc = t.I * t.I + t.J * t.J * t.J;
  t.N = 1 + 0.00132 / std::pow(Ta, 3.25);
  if (!(disc >= 0)) return t;  // three real roots: the closed form does not apply
  t.Y = std::cbrt(t.I + std::sqrt(disc));
  if (t.Y == 0) return t;
  t.denominator = t.Bq + t.J / t.Y - t.Y;
  if (t.denominator == 0) return t;
  const double Z = pa * t.N * t.N / (10 * t.denominator);
  if (std::isfinite(Z) && Z > 0) t.Z = Z;
  return t;
}

std::optional<State> nx19K(double T, double p, double rhoSt, double xa, double xy) {
  for (double v : {T, p, rhoSt, xa, xy})
    if (!std::isfinite(v)) return std::nullopt;
  if (T <= 0 || p < 0 || rhoSt <= 0) return std::nullopt;
  State s;
  s.Tpk = 88.25 * (0.9915 + 1.759 * rhoSt - xy - 1.681 * xa);
  s.ppk = 2958500 * (1.608 - 0.05994 * rhoSt + xy - 0.392 * xa);
  if (s.Tpk <= 0 || s.ppk <= 0) return std::nullopt;
  s.pa = 0.6714 * p / s.ppk + 0.0147;
  s.Ta = 0.71892 * T / s.Tpk + 0.0007;
  s.tau = s.Ta - 1.09;
  s.correction = correctionF(s.pa, s.tau);
  s.Z = cubicTerms(s.pa, s.Ta, s.correction.F).Z;
  const double d = 0.0741 * rhoSt - 0.006 - 0.063 * xa - 0.0575 * xy;
  s.Zc = 1 - d * d;
  if (s.Z <= 0 || s.Zc <= 0) return std::nullopt;
  s.K = s.Z / s.Zc;
  s.rho = rhoSt * p * kStandardTemperatureK / (kStandardPressurePa * T * s.K);
  if (!std::isfinite(s.K) || !std::isfinite(s.rho)) return std::nullopt;
  return s;
}

double nx19Z(double T, double p, double rhoSt, double xa, double xy) {
  const std::optional<State> s = nx19K(T, p, rhoSt, xa, xy);
  return s ? s->Z : 0.0;
}

double methodError(double rhoSt, double pPa) {
  // rows: ρr < 0.7, 0.7..0.75, above 0.75 up to 0.82, above 0.82;
  // columns: p < 3 MPa, 3..7 MPa, above 7 MPa
  static constexpr double kTable[4][3] = {
      {0.12, 0.18, 0.41},
      {0.13, 0.29, 0.42},
      {0.2, 0.57, 1.09},
      {0.15, 0.15, 0.15},
  };
  // ρс rounded to 15 decimals, so that a computed 0.7000000000000001 counts as 0.7
  const double rhoR = std::round(rhoSt * 1e15) / 1e15;
  const int row = rhoR < 0.7 ? 0 : (rhoR <= 0.75 ? 1 : (rhoSt <= 0.82 ? 2 : 3));
  const int col = pPa < 3e6 ? 0 : (pPa <= 7e6 ? 1 : 2);
  return kTable[row][col];
}

}  // namespace nx19

std::optional<MethodOutputs> calcNx19(double T, double dT, double p, double dp, double rhoSt,
                                      double xy, double xa, double dRhoSt, double dxy,
                                      double dxa) {
  using namespace nx19;
  xa /= 100;
  xy /= 100;
  const std::optional<State> base = nx19K(T, p, rhoSt, xa, xy);
  if (!base) return std::nullopt;
  const double K = base->K;

  auto stateK = [](double Tq, double pq, double rhoq, double xaq, double xyq) -> std::optional<double> {
    const std::optional<State> s = nx19K(Tq, pq, rhoq, xaq, xyq);
    if (!s) return std::nullopt;
    return s->K;
  };
  return gost30319_2::outputsWithError(stateK, {T, p, rhoSt, xa, xy}, K, base->rho, {dT, dp, dRhoSt, dxy, dxa},
                                       kPerturbation, methodError(rhoSt, p));
}

}  // namespace velmar
