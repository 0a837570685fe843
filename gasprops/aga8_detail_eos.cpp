#include "gasprops/aga8_detail_eos.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace velmar::aga8 {

namespace {

constexpr int kNone = 1 << 20;

// (X + 1 − flag)^flag: X itself for flag 1, 1 for flag 0.
double flagFactor(double X, int flag) {
  if (flag == 0) return 1.0;
  if (flag == 1) return X;
  return std::pow(X + 1.0 - flag, flag);
}

bool positiveFinite(double v) { return std::isfinite(v) && v > 0; }

std::array<double, kTermCount> exponents(std::span<const Term, kTermCount> terms) {
  std::array<double, kTermCount> u{};
  for (std::size_t t = 0; t < kTermCount; ++t) u[t] = terms[t].u;
  return u;
}

// The coefficients of the residual Helmholtz energy at one temperature,
// αr(D) = Σn lin_n·D + Σn≥13 ex_n·D^bn·exp(−cn·D^kn), each term ∝ T^−un,
// summed as the density sums need them: the linear part and each group of
// equal (b, c, k) with the weights 1, (1 − un) and un(un − 1).
struct Reduced {
  double lin = 0;
  double linT = 0;
  double linTT = 0;
  std::array<double, kTermCount> ex{};
  std::array<double, kTermCount> exT{};
  std::array<double, kTermCount> exTT{};
};

Reduced reduce(const Equation& eq, const Evaluator::Mixture& m, const Evaluator::Temperature& t) {
  Reduced r;
  const auto terms = eq.model().terms;
  for (std::size_t n = 0; n < kTermCount; ++n) {
    const Term& term = terms[n];
    const double tu = t.power[n];
    double lin = 0;
    double ex = 0;
    if (n < kVirialTermCount) lin = term.a * tu * m.virial[n] / m.K3;
    if (n >= kFirstDensityTerm) {
      ex = m.cStar[n] * tu;
      if (n < kVirialTermCount) lin -= ex;
      const std::size_t g = eq.groupOf(n);
      r.ex[g] += ex;
      r.exT[g] += (1.0 - term.u) * ex;
      r.exTT[g] += term.u * (term.u - 1.0) * ex;
    }
    r.lin += lin;
    r.linT += (1.0 - term.u) * lin;
    r.linTT += term.u * (term.u - 1.0) * lin;
  }
  return r;
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

Sums sums(const Equation& eq, const Reduced& r, double D, bool withTemperature) {
  constexpr std::size_t kPowers = 16;
  std::array<double, kPowers> Dpow{};  // D^0 .. D^highest
  const auto highest = static_cast<std::size_t>(eq.highestDensityPower());
  Dpow[0] = 1.0;
  for (std::size_t i = 1; i <= highest; ++i) Dpow[i] = Dpow[i - 1] * D;
  std::array<double, kPowers> ek{};  // exp(−D^k)
  const auto highestK = static_cast<std::size_t>(eq.highestExponentialPower());
  for (std::size_t k = 1; k <= highestK; ++k) ek[k] = std::exp(-Dpow[k]);

  Sums s;
  s.S0 = r.lin * D;
  if (withTemperature) {
    s.ST = r.linT * D;
    s.STT = -r.linTT * D;
  }
  const auto groups = eq.groups();
  for (std::size_t g = 0; g < groups.size(); ++g) {
    const Equation::Group& grp = groups[g];
    const double Dk = Dpow[static_cast<std::size_t>(grp.k)];
    const double e = (grp.c == 0)   ? 1.0
                     : (grp.c == 1) ? ek[static_cast<std::size_t>(grp.k)]
                                    : std::exp(-grp.c * Dk);
    const double shape = Dpow[static_cast<std::size_t>(grp.b)] * e;
    const double ckDk = grp.ck * Dk;
    const double first = grp.bReal - ckDk;
    s.S0 += shape * first * r.ex[g];
    s.A2 += shape * (first * (grp.bMinus1 - ckDk) - grp.ck2 * Dk) * r.ex[g];
    if (withTemperature) {
      s.ST += shape * first * r.exT[g];
      s.STT -= shape * r.exTT[g];
    }
  }
  return s;
}

// cp0/R of one component at T.
double componentHeatCapacity(const HeatCapacity& h, double T) {
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
  return h.B + sinhTerm(h.C, h.D) + coshTerm(h.E, h.F) + sinhTerm(h.G, h.H) + coshTerm(h.I, h.J);
}

}  // namespace

// --- powers -------------------------------------------------------------------

HalfPowers::HalfPowers(std::span<const double> exponents)
    : u_(exponents.begin(), exponents.end()), twice_(exponents.size(), kNone) {
  for (std::size_t n = 0; n < u_.size(); ++n) {
    const double h = 2 * u_[n];
    if (!(h == std::round(h) && std::abs(h) <= 2 * kMaxWhole + 1)) continue;
    const int m = static_cast<int>(h);
    twice_[n] = m;
    if (m >= 0) up_ = std::max(up_, m / 2);
    else down_ = std::max(down_, -m / 2);
  }
}

void HalfPowers::of(double v, std::span<double> out) const {
  // whole[n] = v^n and inverse[n] = v^−n, each from two lower powers, so that
  // a power carries the rounding of a few products rather than of n.
  std::array<double, kMaxWhole + 1> whole;
  std::array<double, kMaxWhole + 1> inverse;
  whole[0] = inverse[0] = 1.0;
  whole[1] = v;
  inverse[1] = 1.0 / v;
  for (int n = 2; n <= up_; ++n) whole[n] = whole[n / 2] * whole[n - n / 2];
  for (int n = 2; n <= down_; ++n) inverse[n] = inverse[n / 2] * inverse[n - n / 2];
  const double root = std::sqrt(v);
  for (std::size_t n = 0; n < u_.size(); ++n) {
    const int m = twice_[n];
    if (m == kNone) {
      out[n] = std::pow(v, u_[n]);
    } else if (m >= 0) {
      out[n] = (m % 2 == 0) ? whole[m / 2] : whole[m / 2] * root;
    } else {
      out[n] = (m % 2 == 0) ? inverse[-m / 2] : inverse[-m / 2] / root;
    }
  }
}

// --- the equation's own tables --------------------------------------------------

Equation::Equation(const Model& model) : model_(model) {
  const std::size_t n = model.components.size();
  if (n == 0 || n > kMaxComponents || model.heatCapacity.size() != n ||
      model.binary.size() != n * n)
    throw std::invalid_argument("AGA8 model: inconsistent table sizes");

  const auto u = exponents(model.terms);
  termPowers_ = HalfPowers(u);

  std::array<double, kMaxComponents> k15{};
  std::array<double, kMaxComponents> eRoot{};
  for (std::size_t i = 0; i < n; ++i) {
    const Component& c = model.components[i];
    const double kRoot = std::sqrt(c.K);
    eRoot[i] = std::sqrt(c.E);
    k15[i] = c.K * kRoot;
    k25_[i] = c.K * c.K * kRoot;
    e25_[i] = c.E * c.E * eRoot[i];
  }

  rowStart_.resize(n);
  pairs_.resize(n * (n + 1) / 2);
  std::size_t next = 0;
  for (std::size_t i = 0; i < n; ++i) {
    rowStart_[i] = next;
    const Component& ci = model.components[i];
    for (std::size_t j = i; j < n; ++j, ++next) {
      const Component& cj = model.components[j];
      const BinaryParameters& bp = model.binary[i * n + j];
      const double w = (i == j) ? 1.0 : 2.0;
      const double Eij = bp.E * eRoot[i] * eRoot[j];
      const double Gij = bp.G * (ci.G + cj.G) / 2.0;
      const double weight = w * k15[i] * k15[j];
      Lanes& lanes = pairs_[next];
      lanes.fill(0.0);
      for (std::size_t t = 0; t < kVirialTermCount; ++t) {
        const Term& term = model.terms[t];
        const double bStar = flagFactor(Gij, term.g) * flagFactor(ci.Q * cj.Q, term.q) *
                             flagFactor(std::sqrt(ci.F * cj.F), term.f) *
                             flagFactor(ci.S * cj.S, term.s) * flagFactor(ci.W * cj.W, term.w);
        lanes[t] = (bStar == 0) ? 0.0 : weight * std::pow(Eij, term.u) * bStar;
      }
      if (i != j) {
        const double k2 = bp.K * bp.K, u2 = bp.U * bp.U;
        lanes[kSizeLane] = w * (k2 * k2 * bp.K - 1.0) * k25_[i] * k25_[j];
        lanes[kEnergyLane] = w * (u2 * u2 * bp.U - 1.0) * e25_[i] * e25_[j];
        lanes[kOrientationLane] = w * (bp.G - 1.0) * (ci.G + cj.G) / 2.0;
      }
    }
  }

  highestPower_ = 1;  // the linear part
  for (std::size_t t = kFirstDensityTerm; t < kTermCount; ++t) {
    const Term& term = model.terms[t];
    if (term.b < 0 || term.k < 0 || term.c < 0 || term.b > 15 || (term.c != 0 && term.k > 15))
      throw std::invalid_argument("AGA8 model: density exponent out of range");
    const int k = term.c == 0 ? 0 : term.k;
    const Group key{term.b, term.c, k, static_cast<double>(term.b), term.b - 1.0,
                    static_cast<double>(term.c * k), static_cast<double>(term.c * k * k)};
    const auto found = std::find_if(groups_.begin(), groups_.end(), [&](const Group& g) {
      return g.b == key.b && g.c == key.c && g.k == key.k;
    });
    groupOf_[t] = static_cast<std::size_t>(found - groups_.begin());
    if (found == groups_.end()) groups_.push_back(key);
    highestPower_ = std::max({highestPower_, key.b, key.k});
    if (key.c == 1) highestExponential_ = std::max(highestExponential_, key.k);
  }
}

// --- evaluation -------------------------------------------------------------------

Evaluator::Evaluator(const Equation& equation, const Settings& settings)
    : equation_(&equation), settings_(settings) {}

// Σi Σj>=i ei·ej·(pair lanes) over the components that take part: each row
// summed with ej, then with ei. The components left out (ei = 0: below the
// method's cut) are taken out of the list before, so that their pairs are
// never looked at.
void Evaluator::quadraticSums(const Fractions& e, Equation::Lanes& total) const {
  const Equation& eq = *equation_;
  const std::size_t n = eq.size();
  std::array<std::size_t, kMaxComponents> in{};
  std::size_t count = 0;
  for (std::size_t i = 0; i < n; ++i)
    if (e[i] != 0) in[count++] = i;
  total.fill(0.0);
  for (std::size_t a = 0; a < count; ++a) {
    const std::size_t i = in[a];
    Equation::Lanes row{};
    if (count == n) {  // every pair of the row, in a row
      const auto pairs = eq.row(i);
      for (std::size_t b = 0; b < pairs.size(); ++b) {
        const double ej = e[i + b];
        for (std::size_t l = 0; l < Equation::kLanes; ++l) row[l] += ej * pairs[b][l];
      }
    } else {
      for (std::size_t b = a; b < count; ++b) {
        const std::size_t j = in[b];
        const Equation::Lanes& pair = eq.pair(i, j);
        for (std::size_t l = 0; l < Equation::kLanes; ++l) row[l] += e[j] * pair[l];
      }
    }
    for (std::size_t l = 0; l < Equation::kLanes; ++l) total[l] += e[i] * row[l];
  }
}

// A composition e that is the kept one scaled, e = s·e0 + c, with only a
// few contents changed beyond that (a content raised and the rest lowered in
// proportion, as the error estimate does), has the quadratic sums
//   eᵀAe = s²·e0ᵀAe0 + 2s·cᵀ(A·e0) + cᵀAc,
// an identity for any s, with A the symmetric matrix of the pair lanes (the
// lanes of pair i < j hold 2·Aij). The term in A·e0 takes every c; cᵀAc takes
// every pair with a changed content and leaves out only the products of two
// contents whose change is below kNegligible (rounding, or traces that are
// not scaled): at most (21·kNegligible)² ≈ 4e-24 times the largest pair
// factor, far below the rounding of the sums. More changed contents than
// kMostChanged, or no scale, and the sums are formed in full.
bool Evaluator::lowRankSums(const Fractions& e, Equation::Lanes& total) {
  constexpr double kNegligible = 1e-13;
  constexpr std::size_t kMostChanged = 6;
  if (!hasBase_ || baseCount_ < 3) return false;
  const Equation& eq = *equation_;
  const std::size_t n = eq.size();

  // The scale from the three largest contents: their median ratio, so that
  // one of them may be the changed content.
  std::array<double, 3> ratio{};
  for (std::size_t r = 0; r < 3; ++r) ratio[r] = e[baseLargest_[r]] / baseE_[baseLargest_[r]];
  std::sort(ratio.begin(), ratio.end());
  const double s = ratio[1];
  if (!positiveFinite(s)) return false;

  Fractions c{};
  std::array<std::size_t, kMostChanged> changed{};
  std::array<bool, kMaxComponents> isChanged{};
  std::size_t changedCount = 0;
  for (std::size_t k = 0; k < n; ++k) {
    c[k] = e[k] - s * baseE_[k];
    if (std::abs(c[k]) > kNegligible) {
      if (changedCount == kMostChanged) return false;
      changed[changedCount++] = k;
      isChanged[k] = true;
    }
  }

  if (!baseRowsReady_) {  // A·e0, lane by lane
    for (auto& row : baseRows_) row.fill(0.0);
    for (std::size_t i = 0; i < n; ++i) {
      const auto pairs = eq.row(i);
      for (std::size_t l = 0; l < Equation::kLanes; ++l) baseRows_[i][l] += pairs[0][l] * baseE_[i];
      for (std::size_t b = 1; b < pairs.size(); ++b) {
        const std::size_t j = i + b;
        for (std::size_t l = 0; l < Equation::kLanes; ++l) {
          const double half = 0.5 * pairs[b][l];
          baseRows_[i][l] += half * baseE_[j];
          baseRows_[j][l] += half * baseE_[i];
        }
      }
    }
    baseRowsReady_ = true;
  }

  Equation::Lanes linear{};
  for (std::size_t k = 0; k < n; ++k) {
    if (c[k] == 0) continue;
    for (std::size_t l = 0; l < Equation::kLanes; ++l) linear[l] += c[k] * baseRows_[k][l];
  }
  Equation::Lanes quadratic{};
  for (std::size_t a = 0; a < changedCount; ++a) {
    const std::size_t i = changed[a];
    Equation::Lanes sum{};  // Σk A_ik·c_k·(1 for a changed k, 2 for the others)
    for (std::size_t k = 0; k < n; ++k) {
      if (c[k] == 0) continue;
      const double weight = (k == i || !isChanged[k]) ? 1.0 : 0.5;
      const Equation::Lanes& pair = eq.pair(std::min(i, k), std::max(i, k));
      for (std::size_t l = 0; l < Equation::kLanes; ++l) sum[l] += weight * c[k] * pair[l];
    }
    for (std::size_t l = 0; l < Equation::kLanes; ++l) quadratic[l] += c[i] * sum[l];
  }
  for (std::size_t l = 0; l < Equation::kLanes; ++l)
    total[l] = s * s * baseTotal_[l] + 2.0 * s * linear[l] + quadratic[l];
  return true;
}

bool Evaluator::mixNew(std::span<const double> x) {
  const Equation& eq = *equation_;
  const std::size_t n = eq.size();
  if (mixed_ && std::equal(x.begin(), x.end(), x_.begin())) return mixOk_;
  std::copy(x.begin(), x.end(), x_.begin());
  mixed_ = true;
  mixOk_ = false;
  ++mixings_;

  // The fractions that take part; 0 for the others, whose pairs are never
  // looked at.
  Fractions e{};
  std::size_t count = 0;
  for (std::size_t i = 0; i < n; ++i) {
    if (x[i] > 0 && x[i] >= settings_.mixingCut) {
      e[i] = x[i];
      ++count;
    }
  }
  if (count == 0) return false;

  Mixture m;
  double kSum = 0, uSum = 0, G = 0, Q = 0, F = 0;
  for (std::size_t i = 0; i < n; ++i) {
    if (e[i] == 0) continue;
    const Component& c = eq.model().components[i];
    kSum += e[i] * eq.k25(i);
    uSum += e[i] * eq.e25(i);
    G += e[i] * c.G;
    Q += e[i] * c.Q;
    F += e[i] * e[i] * c.F;
    m.M += e[i] * c.M;
  }

  Equation::Lanes total{};
  if (lowRankSums(e, total)) {
    ++lowRankMixings_;
  } else {
    quadraticSums(e, total);
    hasBase_ = true;
    baseRowsReady_ = false;
    baseE_ = e;
    baseTotal_ = total;
    baseCount_ = count;
    std::array<std::size_t, kMaxComponents> order{};
    for (std::size_t i = 0; i < n; ++i) order[i] = i;
    std::partial_sort(order.begin(), order.begin() + std::min<std::size_t>(3, n), order.begin() + n,
                      [&](std::size_t a, std::size_t b) { return e[a] > e[b]; });
    for (std::size_t r = 0; r < 3 && r < n; ++r) baseLargest_[r] = order[r];
  }

  const double K5 = kSum * kSum + total[Equation::kSizeLane];
  const double U5 = uSum * uSum + total[Equation::kEnergyLane];
  G += total[Equation::kOrientationLane];
  std::copy_n(total.begin(), kVirialTermCount, m.virial.begin());
  if (!positiveFinite(K5) || !positiveFinite(U5) || !positiveFinite(m.M)) return false;

  m.K3 = std::pow(K5, 0.6);
  const double U = std::pow(U5, 0.2);
  std::array<double, kTermCount> Uu{};
  eq.termPowers().of(U, Uu);
  for (std::size_t t = kFirstDensityTerm; t < kTermCount; ++t) {
    const Term& term = eq.model().terms[t];
    m.cStar[t] = term.a * flagFactor(G, term.g) * flagFactor(Q * Q, term.q) *
                 flagFactor(F, term.f) * Uu[t];
  }
  mixture_ = m;
  mixOk_ = true;
  return true;
}

const Evaluator::Temperature& Evaluator::temperature(double T) {
  for (std::size_t s = 0; s < temperatureCount_; ++s)
    if (temperatures_[s].T == T) return temperatures_[s];
  Temperature& t = temperatures_[nextTemperature_];
  nextTemperature_ = (nextTemperature_ + 1) % kTemperatures;
  temperatureCount_ = std::min(temperatureCount_ + 1, kTemperatures);
  t.T = T;
  equation_->termPowers().of(1.0 / T, t.power);
  const auto heat = equation_->model().heatCapacity;
  for (std::size_t i = 0; i < heat.size(); ++i) t.heatCapacity[i] = componentHeatCapacity(heat[i], T);
  return t;
}

std::optional<Properties> Evaluator::evaluate(std::span<const double> x, double T, double p) {
  const Equation& eq = *equation_;
  const Model& model = eq.model();
  if (x.size() != eq.size()) return std::nullopt;
  if (!positiveFinite(T) || !positiveFinite(p) || !positiveFinite(model.R)) return std::nullopt;
  for (double xi : x)
    if (!std::isfinite(xi)) return std::nullopt;

  if (!mixNew(x)) return std::nullopt;
  const Mixture& m = mixture_;
  const Temperature& temp = temperature(T);
  const Reduced r = reduce(eq, m, temp);

  // Newton's method on the reduced density from the ideal-gas value:
  // D·(1 + S0(D)) = K³·1000·p/(R·T).
  const double ideal = m.K3 * 1000.0 * p / (model.R * T);
  if (!positiveFinite(ideal)) return std::nullopt;
  double D = ideal;
  bool converged = false;
  int steps = 0;
  while (steps < settings_.maxNewtonSteps) {
    ++steps;
    const Sums s = sums(eq, r, D, false);
    const double slope = 1.0 + 2.0 * s.S0 + s.A2;  // 1 + S1 = ∂(D·Z)/∂D
    if (!std::isfinite(slope) || slope == 0) return std::nullopt;
    const double next = D + (ideal - (1.0 + s.S0) * D) / slope;
    if (!positiveFinite(next)) return std::nullopt;
    const double change = std::abs(next - D);
    D = next;
    if (change <= settings_.tolerance * D) {
      converged = true;
      break;
    }
  }
  if (!converged) return std::nullopt;

  const Sums s = sums(eq, r, D, true);
  Properties out;
  out.newtonSteps = steps;
  out.reducedDensity = D;
  out.molarDensity = D / m.K3;
  out.molarMass = m.M;
  out.density = m.M * out.molarDensity;
  out.Z = 1.0 + s.S0;
  if (!positiveFinite(out.Z) || !positiveFinite(out.density)) return std::nullopt;

  double cp = 0;
  for (std::size_t i = 0; i < x.size(); ++i)
    if (x[i] > 0 && x[i] >= settings_.heatCapacityCut) cp += x[i] * temp.heatCapacity[i];
  const double cv = cp - 1.0 + s.STT;
  const double dpdT = 1.0 + s.ST;
  const double dpdD = 1.0 + 2.0 * s.S0 + s.A2;
  if (!positiveFinite(cv)) return std::nullopt;
  const double w2 = 1000.0 * model.R * T / m.M * (dpdT * dpdT / cv + dpdD);
  if (!positiveFinite(w2)) return std::nullopt;
  out.soundSpeed = std::sqrt(w2);
  return out;
}

std::optional<Properties> evaluate(const Equation& equation, std::span<const double> x, double T,
                                   double p, const Settings& settings) {
  Evaluator evaluator(equation, settings);
  return evaluator.evaluate(x, T, p);
}

}  // namespace velmar::aga8
