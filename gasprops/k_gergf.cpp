// GERG-91 mod. (GOST 30319.2-96): the truncated virial equation of the
// equivalent hydrocarbon, nitrogen and carbon dioxide, solved in closed form
// for Z, with the method's finite-difference error estimate.
#include "gasprops/k_gergf.h"
#include "gasprops/gost30319_2_error.h"

#include <cmath>
#include <initializer_list>

namespace velmar {
namespace gerg91 {
namespace {

// GOST 30319.2-96 coefficients. The H*T^2 term of B11 (bH1.c2) is 8.81514e-9
// as in the standard; the ISO 12213-3 / SGERG-88 codes print 8.8151e-9.
constexpr VirialTable kVirial{
    /*bH0*/ {-0.425468, 0.002865, -4.62073e-06},
    /*bH1*/ {0.000877118, -5.56281e-06, 8.81514e-09},
    /*bH2*/ {-8.24747e-07, 4.31436e-09, -6.08319e-12},
    /*B22*/ {-0.1446, 0.00074091, -9.1195e-07},
    /*B23*/ {-0.339693, 0.00161176, -2.04429e-06},
    /*B33*/ {-0.86834, 0.0040376, -5.1657e-06},
    /*cH0*/ {-0.302488, 0.00195861, -3.16302e-06},
    /*cH1*/ {0.000646422, -4.22876e-06, 6.88157e-09},
    /*cH2*/ {-3.32805e-07, 2.2316e-09, -3.67713e-12},
    /*C222*/ {0.0078498, -3.9895e-05, 6.1187e-08},
    /*C223*/ {0.00552066, -1.68609e-05, 1.57169e-08},
    /*C233*/ {0.00358783, 8.06674e-06, -3.25798e-08},
    /*C333*/ {0.0020513, 3.4888e-05, -8.3703e-08},
};

constexpr double kMaxPressureMPa = 12.0;
constexpr double kZeroContent = 1e-6;  // stands for a zero xa or xy in the virial sums
constexpr double kPerturbation = 0.9999;

double sign(double v) { return v > 0 ? 1.0 : (v < 0 ? -1.0 : 0.0); }

bool finite(std::initializer_list<double> values) {
  for (double v : values)
    if (!std::isfinite(v)) return false;
  return true;
}


}  // namespace

const VirialTable& virialTable() { return kVirial; }

double gergZ(double H, double xa, double xy, double p, double T) {
  if (xa == 0) xa = kZeroContent;
  if (xy == 0) xy = kZeroContent;
  const double xe = 1 - xa - xy;
  if (p > kMaxPressureMPa) return 0;

  const VirialTable& c = kVirial;
  const double B11 = c.bH0.at(T) + (c.bH1.at(T) + c.bH2.at(T) * H) * H;
  const double B22 = c.B22.at(T);
  const double B23 = c.B23.at(T);
  const double B33 = c.B33.at(T);
  const double C111 = c.cH0.at(T) + (c.cH1.at(T) + c.cH2.at(T) * H) * H;
  const double C222 = c.C222.at(T);
  const double C223 = c.C223.at(T);
  const double C233 = c.C233.at(T);
  const double C333 = c.C333.at(T);

  const double B11B33 = B11 * B33;
  if (!(B11B33 >= 0)) return 0;  // no real cross coefficient B13
  const double B12factor = 0.72 + 1.875e-5 * (320 - T) * (320 - T);
  const double Bm = xe * xe * B11 + xe * xa * B12factor * (B11 + B22) -
                    1.73 * xe * xy * std::sqrt(B11B33) + xa * xa * B22 + 2 * xa * xy * B23 +
                    xy * xy * B33;

  const double F = 0.92 + 0.0013 * (T - 270);
  const double Cm = xe * xe * xe * C111 + 3 * xe * xe * xa * F * std::cbrt(C111 * C111 * C222) +
                    2.76 * xe * xe * xy * std::cbrt(C111 * C111 * C333) +
                    3 * xe * xa * xa * F * std::cbrt(C111 * C222 * C222) +
                    6.6 * xe * xa * xy * std::cbrt(C111 * C222 * C333) +
                    2.76 * xe * xy * xy * std::cbrt(C111 * C333 * C333) + xa * xa * xa * C222 +
                    3 * xa * xa * xy * C223 + 3 * xa * xy * xy * C233 + xy * xy * xy * C333;

  const double b = 1000 * p / (2.7715 * T);
  const double B0 = b * Bm;
  const double C0 = b * b * Cm;
  const double A0 = 1 + 1.5 * (B0 + C0);
  const double A1 = 1 + B0;
  const double D = A0 * A0 - A1 * A1 * A1;
  const double A2 = std::cbrt(A0 - sign(D) * std::sqrt(std::fabs(D)));
  // With A1 = 0 the root of the depressed cubic is A2 itself; A1/A2 tends to
  // 0 there, also when A2 is 0.
  const double ratio = A2 != 0 ? A1 / A2 : 0.0;
  const double Z = (1 + A2 + ratio) / 3;
  if (!std::isfinite(Z) || Z <= 0) return 0;
  return Z;
}

std::optional<State> gergK(double T, double p, double rhoSt, double xa, double xy) {
  if (!finite({T, p, rhoSt, xa, xy})) return std::nullopt;
  if (T <= 0 || p < 0 || p > kMaxPressureMPa || rhoSt <= 0 || xa + xy >= 1)
    return std::nullopt;
  State s;
  const double d = 0.0741 * rhoSt - 0.006 - 0.063 * xa - 0.0575 * xy;
  s.Zc = 1 - d * d;
  s.Me = (24.05525 * s.Zc * rhoSt - 28.0135 * xa - 44.01 * xy) / (1 - xa - xy);
  s.H = 128.64 + 47.479 * s.Me;
  s.Z = gergZ(s.H, xa, xy, p, T);
  if (s.Z <= 0 || s.Zc <= 0) return std::nullopt;
  s.K = s.Z / s.Zc;
  s.rho = rhoSt * p * kStandardTemperatureK / (kStandardPressureMPa * T * s.K);
  if (!finite({s.Me, s.H, s.K, s.rho})) return std::nullopt;
  return s;
}

double methodError(double rhoSt, double pMPa) {
  // rows: ρс <= 0.7, <= 0.75, above; columns: p <= 3, <= 7, above
  static constexpr double kTable[3][3] = {
      {0.11, 0.15, 0.2},
      {0.12, 0.15, 0.19},
      {0.13, 0.15, 0.19},
  };
  const int row = rhoSt <= 0.7 ? 0 : (rhoSt <= 0.75 ? 1 : 2);
  const int col = pMPa <= 3 ? 0 : (pMPa <= 7 ? 1 : 2);
  return kTable[row][col];
}

}  // namespace gerg91

std::optional<MethodOutputs> calcGerg91(double T, double dT, double p, double dp, double rhoSt,
                                        double xy, double xa, double dRhoSt, double dxy,
                                        double dxa) {
  using namespace gerg91;
  p /= 1e6;
  if (!(p <= kMaxPressureMPa)) return std::nullopt;
  xa /= 100;
  xy /= 100;

  const std::optional<State> base = gergK(T, p, rhoSt, xa, xy);
  if (!base) return std::nullopt;
  const double K = base->K;

  // Each sensitivity comes from one more state with one input scaled by
  // 0.9999; a state that cannot be evaluated leaves the error undefined.
  auto stateK = [](double Tq, double pq, double rhoq, double xaq, double xyq) -> std::optional<double> {
    const std::optional<State> s = gergK(Tq, pq, rhoq, xaq, xyq);
    if (!s) return std::nullopt;
    return s->K;
  };
  return gost30319_2::outputsWithError(stateK, {T, p, rhoSt, xa, xy}, K, base->rho, {dT, dp, dRhoSt, dxy, dxa},
                                       kPerturbation, methodError(rhoSt, p));
}

}  // namespace velmar
