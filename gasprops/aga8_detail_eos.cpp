#include "gasprops/aga8_detail_eos.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace velmar::aga8 {

namespace {

// (X + 1 − flag)^flag: X itself for flag 1, 1 for flag 0.
double flagFactor(double X, int flag) {
  if (flag == 0) return 1.0;
  if (flag == 1) return X;
  return std::pow(X + 1.0 - flag, flag);
}

bool positiveFinite(double v) { return std::isfinite(v) && v > 0; }

// The composition-dependent parts of the equation.
struct Mixture {
  double K3 = 0;  // K³, (m3/kmol)
  double M = 0;   // g/mol
  std::array<double, kVirialTermCount> virial{};  // Σi Σj xi xj Eij^un (KiKj)^1.5 B*nij
  std::array<double, kTermCount> cStar{};         // C*n without T^-un (n >= 13)
};

// Powers E^u for the exponents of the virial terms. Every u_n of the
// equation is a multiple of 1/2, so the powers are products of √E (far
// cheaper than pow in the pair sums); any other exponent goes to pow.
class VirialPowers {
 public:
  explicit VirialPowers(std::span<const Term, kTermCount> terms) {
    for (std::size_t t = 0; t < kVirialTermCount; ++t) {
      const double h = 2 * terms[t].u;
      u_[t] = terms[t].u;
      halves_[t] = (h == std::round(h) && std::abs(h) <= kMaxHalves) ? static_cast<int>(h) : kNone;
      if (halves_[t] != kNone) {
        up_ = std::max(up_, halves_[t]);
        down_ = std::max(down_, -halves_[t]);
      }
    }
  }
  // E^u_n for every virial term n.
  void of(double E, std::array<double, kVirialTermCount>& out) const {
    std::array<double, 2 * kMaxHalves + 1> table{};  // index kMaxHalves + m holds √E^m
    const double root = std::sqrt(E);
    const double inverse = 1.0 / root;
    table[kMaxHalves] = 1.0;
    for (int m = 1; m <= up_; ++m) table[kMaxHalves + m] = table[kMaxHalves + m - 1] * root;
    for (int m = 1; m <= down_; ++m) table[kMaxHalves - m] = table[kMaxHalves - m + 1] * inverse;
    for (std::size_t t = 0; t < kVirialTermCount; ++t)
      out[t] = halves_[t] == kNone ? std::pow(E, u_[t]) : table[kMaxHalves + halves_[t]];
  }

 private:
  static constexpr int kMaxHalves = 32;
  static constexpr int kNone = 1000;
  std::array<double, kVirialTermCount> u_{};
  std::array<int, kVirialTermCount> halves_{};
  int up_ = 0;    // highest multiple of 1/2 needed
  int down_ = 0;  // lowest, negated
};

std::optional<Mixture> mix(const Model& model, std::span<const double> x, double cut) {
  const std::size_t n = model.components.size();
  const VirialPowers powers(model.terms);
  std::array<double, kVirialTermCount> Eu{};
  std::vector<std::size_t> in;
  in.reserve(n);
  for (std::size_t i = 0; i < n; ++i)
    if (x[i] > 0 && x[i] >= cut) in.push_back(i);
  if (in.empty()) return std::nullopt;

  // Ki^1.5, Ki^2.5, Ei^2.5 and √Ei of each component, so that the pair sums
  // multiply instead of raising to powers.
  std::vector<double> k15(n), k25(n), e25(n), eRoot(n);
  for (std::size_t i : in) {
    const Component& c = model.components[i];
    const double kRoot = std::sqrt(c.K);
    eRoot[i] = std::sqrt(c.E);
    k15[i] = c.K * kRoot;
    k25[i] = c.K * c.K * kRoot;
    e25[i] = c.E * c.E * eRoot[i];
  }

  Mixture m;
  double kSum = 0, uSum = 0, G = 0, Q = 0, F = 0;
  for (std::size_t i : in) {
    const Component& c = model.components[i];
    kSum += x[i] * k25[i];
    uSum += x[i] * e25[i];
    G += x[i] * c.G;
    Q += x[i] * c.Q;
    F += x[i] * x[i] * c.F;
    m.M += x[i] * c.M;
  }
  double K5 = kSum * kSum;
  double U5 = uSum * uSum;

  for (std::size_t a = 0; a < in.size(); ++a) {
    const std::size_t i = in[a];
    const Component& ci = model.components[i];
    for (std::size_t b = a; b < in.size(); ++b) {
      const std::size_t j = in[b];
      const Component& cj = model.components[j];
      const BinaryParameters& bp = model.binary[i * n + j];
      const double xx = (i == j ? 1.0 : 2.0) * x[i] * x[j];
      if (i != j) {
        const double k2 = bp.K * bp.K, u2 = bp.U * bp.U;
        K5 += xx * (k2 * k2 * bp.K - 1.0) * k25[i] * k25[j];
        U5 += xx * (u2 * u2 * bp.U - 1.0) * e25[i] * e25[j];
        G += xx * (bp.G - 1.0) * (ci.G + cj.G) / 2.0;
      }
      const double Eij = bp.E * eRoot[i] * eRoot[j];
      const double Gij = bp.G * (ci.G + cj.G) / 2.0;
      const double weight = xx * k15[i] * k15[j];
      powers.of(Eij, Eu);
      for (std::size_t t = 0; t < kVirialTermCount; ++t) {
        const Term& term = model.terms[t];
        const double bStar = flagFactor(Gij, term.g) * flagFactor(ci.Q * cj.Q, term.q) *
                             flagFactor(std::sqrt(ci.F * cj.F), term.f) *
                             flagFactor(ci.S * cj.S, term.s) * flagFactor(ci.W * cj.W, term.w);
        if (bStar == 0) continue;
        m.virial[t] += weight * Eu[t] * bStar;
      }
    }
  }
  if (!positiveFinite(K5) || !positiveFinite(U5) || !positiveFinite(m.M)) return std::nullopt;
  m.K3 = std::pow(K5, 0.6);
  const double U = std::pow(U5, 0.2);
  for (std::size_t t = kFirstDensityTerm; t < kTermCount; ++t) {
    const Term& term = model.terms[t];
    m.cStar[t] = term.a * flagFactor(G, term.g) * flagFactor(Q * Q, term.q) *
                 flagFactor(F, term.f) * std::pow(U, term.u);
  }
  return m;
}

// The temperature-dependent coefficients of the residual Helmholtz energy
// αr(D) = Σn lin_n·D + Σn≥13 exp_n·D^bn·exp(−cn·D^kn), each term ∝ T^−un.
struct Coefficients {
  std::array<double, kTermCount> lin{};
  std::array<double, kTermCount> ex{};
};

Coefficients coefficients(const Model& model, const Mixture& m, double T) {
  Coefficients c;
  for (std::size_t t = 0; t < kTermCount; ++t) {
    const Term& term = model.terms[t];
    const double tu = std::pow(T, -term.u);
    if (t < kVirialTermCount) c.lin[t] += term.a * tu * m.virial[t] / m.K3;
    if (t >= kFirstDensityTerm) {
      c.ex[t] = m.cStar[t] * tu;
      if (t < kVirialTermCount) c.lin[t] -= c.ex[t];
    }
  }
  return c;
}

// Density sums at D: S0 = Z − 1 = D·∂αr/∂D and A2 = D²·∂²αr/∂D²; with
// temperature sums: ST = Σ(1 − un)·D·∂αr_n/∂D (so that 1 + ST = Z + T·∂Z/∂T)
// and STT = −Σ un(un − 1)·αr_n (the residual cv/R).
struct Sums {
  double S0 = 0;
  double A2 = 0;
  double ST = 0;
  double STT = 0;
};

Sums sums(const Model& model, const Coefficients& c, double D, bool withTemperature) {
  std::array<double, 10> Dpow{};  // D^0 .. D^9
  Dpow[0] = 1.0;
  for (std::size_t i = 1; i < Dpow.size(); ++i) Dpow[i] = Dpow[i - 1] * D;
  std::array<double, 5> ek{};  // exp(−D^k), k = 0..4
  for (std::size_t k = 0; k < ek.size(); ++k) ek[k] = std::exp(-Dpow[k]);

  Sums s;
  for (std::size_t t = 0; t < kTermCount; ++t) {
    const Term& term = model.terms[t];
    double alpha = c.lin[t] * D;
    double dAlpha = alpha;  // D·∂/∂D of the linear part
    double d2Alpha = 0;
    if (t >= kFirstDensityTerm && c.ex[t] != 0) {
      const double Dk = (term.c != 0) ? Dpow[static_cast<std::size_t>(term.k)] : 0.0;
      const double e = (term.c == 0) ? 1.0
                       : (term.c == 1) ? ek[static_cast<std::size_t>(term.k)]
                                       : std::exp(-term.c * Dk);
      const double g = c.ex[t] * Dpow[static_cast<std::size_t>(term.b)] * e;
      const double ckDk = term.c * term.k * Dk;
      alpha += g;
      dAlpha += g * (term.b - ckDk);
      d2Alpha = g * ((term.b - ckDk) * (term.b - 1 - ckDk) - ckDk * term.k);
    }
    s.S0 += dAlpha;
    s.A2 += d2Alpha;
    if (withTemperature) {
      s.ST += (1.0 - term.u) * dAlpha;
      s.STT -= term.u * (term.u - 1.0) * alpha;
    }
  }
  return s;
}

// Ideal-gas cp0/R of the mixture.
double idealHeatCapacity(const Model& model, std::span<const double> x, double T, double cut) {
  auto sinhTerm = [T](double coef, double theta) {
    if (theta == 0 || coef == 0) return 0.0;
    const double r = (theta / T) / std::sinh(theta / T);
    return coef * r * r;
  };
  auto coshTerm = [T](double coef, double theta) {
    if (theta == 0 || coef == 0) return 0.0;
    const double r = (theta / T) / std::cosh(theta / T);
    return coef * r * r;
  };
  double cp = 0;
  for (std::size_t i = 0; i < model.components.size(); ++i) {
    if (!(x[i] > 0 && x[i] >= cut)) continue;
    const HeatCapacity& h = model.heatCapacity[i];
    cp += x[i] * (h.B + sinhTerm(h.C, h.D) + coshTerm(h.E, h.F) + sinhTerm(h.G, h.H) +
                  coshTerm(h.I, h.J));
  }
  return cp;
}

}  // namespace

std::optional<Properties> evaluate(const Model& model, std::span<const double> x, double T,
                                   double p, const Settings& settings) {
  if (x.size() != model.components.size()) return std::nullopt;
  if (!positiveFinite(T) || !positiveFinite(p) || !positiveFinite(model.R)) return std::nullopt;
  for (double xi : x)
    if (!std::isfinite(xi)) return std::nullopt;

  const auto m = mix(model, x, settings.mixingCut);
  if (!m) return std::nullopt;
  const Coefficients c = coefficients(model, *m, T);

  // Newton's method on the reduced density from the ideal-gas value:
  // D·(1 + S0(D)) = K³·1000·p/(R·T).
  const double ideal = m->K3 * 1000.0 * p / (model.R * T);
  if (!positiveFinite(ideal)) return std::nullopt;
  double D = ideal;
  bool converged = false;
  int steps = 0;
  while (steps < settings.maxNewtonSteps) {
    ++steps;
    const Sums s = sums(model, c, D, false);
    const double slope = 1.0 + 2.0 * s.S0 + s.A2;  // 1 + S1 = ∂(D·Z)/∂D
    if (!std::isfinite(slope) || slope == 0) return std::nullopt;
    const double next = D + (ideal - (1.0 + s.S0) * D) / slope;
    if (!positiveFinite(next)) return std::nullopt;
    const double change = std::abs(next - D);
    D = next;
    if (change <= settings.tolerance * D) {
      converged = true;
      break;
    }
  }
  if (!converged) return std::nullopt;

  const Sums s = sums(model, c, D, true);
  Properties out;
  out.newtonSteps = steps;
  out.reducedDensity = D;
  out.molarDensity = D / m->K3;
  out.molarMass = m->M;
  out.density = m->M * out.molarDensity;
  out.Z = 1.0 + s.S0;
  if (!positiveFinite(out.Z) || !positiveFinite(out.density)) return std::nullopt;

  const double cv = idealHeatCapacity(model, x, T, settings.heatCapacityCut) - 1.0 + s.STT;
  const double dpdT = 1.0 + s.ST;
  const double dpdD = 1.0 + 2.0 * s.S0 + s.A2;
  if (!positiveFinite(cv)) return std::nullopt;
  const double w2 = 1000.0 * model.R * T / m->M * (dpdT * dpdT / cv + dpdD);
  if (!positiveFinite(w2)) return std::nullopt;
  out.soundSpeed = std::sqrt(w2);
  return out;
}

}  // namespace velmar::aga8
