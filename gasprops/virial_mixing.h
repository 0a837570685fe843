#pragma once
// The virial equations of state of GSSSD MR 118-05 and MR 135-07 form their
// second and third virial coefficients alike: pair and triple parameters of
// a corresponding-states potential (with the induction of a dipole in a
// non-polar partner by the one polar component), reduced coefficients as
// series in T*^(-1/2), and sums over the pairs and triples of the mole
// fractions. Each method hands in its own component table and constants.
#include <array>
#include <cmath>
#include <cstddef>
#include <span>

namespace velmar::virial {

template <std::size_t N>
inline constexpr std::size_t kTriples = N * (N + 1) * (N + 2) / 6;

template <std::size_t N>
using PairTable = std::array<std::array<double, N>, N>;

// Sum of coef[m]·s^m, s = T*^(-1/2).
inline double series(const std::array<double, 13>& coef, double s) {
  double v = 0;
  for (std::size_t m = coef.size(); m-- > 0;) v = v * s + coef[m];
  return v;
}

// What the coefficients take from the component table alone: b0·sigma_ij³
// and √eps_ij of each pair, b0²·sigma_ijk⁶ and √eps_ijk of each triple
// i <= j <= k, so that a temperature needs only the series.
template <std::size_t N>
struct PotentialParameters {
  PairTable<N> pairScale{};
  PairTable<N> pairRootEps{};
  std::array<double, kTriples<N>> tripleScale{};
  std::array<double, kTriples<N>> tripleRootEps{};
};

// The pair of the polar component p with a non-polar partner n has its
// potential scaled by xi = 1 + polarFactor·alpha_n·sqrt(eps_p/eps_n)/(b0·sigma_n³)
// (sigma by xi^(-1/6), eps by xi²); eps_ij is taken times (1 − k_ij).
// sigma_ijk⁶ = (sigma_ij·sigma_ik·sigma_jk)², eps_ijk their geometric mean.
template <std::size_t N, class Component>
PotentialParameters<N> potentialParameters(const std::array<Component, N>& components,
                                           std::size_t polar, double polarFactor, double b0,
                                           const PairTable<N>& pairK) {
  PairTable<N> sigma{}, eps{};
  for (std::size_t i = 0; i < N; ++i) {
    for (std::size_t j = i; j < N; ++j) {
      const Component& a = components[i];
      const Component& b = components[j];
      double xi = 1.0;
      if ((i == polar) != (j == polar)) {
        const Component& n = (i == polar) ? b : a;
        xi = 1.0 + polarFactor * n.alpha * std::sqrt(components[polar].epsK / n.epsK) /
                       (b0 * n.sigma * n.sigma * n.sigma);
      }
      const double s = 0.5 * (a.sigma + b.sigma) * std::pow(xi, -1.0 / 6.0);
      const double e = std::sqrt(a.epsK * b.epsK) * xi * xi * (1.0 - pairK[i][j]);
      sigma[i][j] = sigma[j][i] = s;
      eps[i][j] = eps[j][i] = e;
    }
  }
  PotentialParameters<N> P;
  for (std::size_t i = 0; i < N; ++i) {
    for (std::size_t j = i; j < N; ++j) {
      const double s3 = sigma[i][j] * sigma[i][j] * sigma[i][j];
      P.pairScale[i][j] = P.pairScale[j][i] = b0 * s3;
      P.pairRootEps[i][j] = P.pairRootEps[j][i] = std::sqrt(eps[i][j]);
    }
  }
  std::size_t n = 0;
  for (std::size_t i = 0; i < N; ++i) {
    for (std::size_t j = i; j < N; ++j) {
      for (std::size_t k = j; k < N; ++k, ++n) {
        const double s3 = sigma[i][j] * sigma[i][k] * sigma[j][k];
        const double e = std::cbrt(eps[i][j] * eps[i][k] * eps[j][k]);
        P.tripleScale[n] = b0 * b0 * s3 * s3;
        P.tripleRootEps[n] = std::sqrt(e);
      }
    }
  }
  return P;
}

// Σi Σj yi·yj·Bij.
template <std::size_t N>
double pairSum(const PairTable<N>& B, std::span<const double, N> y) {
  double v = 0;
  for (std::size_t i = 0; i < N; ++i) {
    v += y[i] * y[i] * B[i][i];
    for (std::size_t j = i + 1; j < N; ++j) v += 2.0 * y[i] * y[j] * B[i][j];
  }
  return v;
}

// Σi Σj Σk yi·yj·yk·Cijk over the triples i <= j <= k, each with its
// multiplicity: 1 for iii, 3 for iij and ijj, 6 for ijk.
template <std::size_t N>
double tripleSum(const std::array<double, kTriples<N>>& C, std::span<const double, N> y) {
  double v = 0;
  std::size_t n = 0;
  for (std::size_t i = 0; i < N; ++i) {
    for (std::size_t j = i; j < N; ++j) {
      const double yij = y[i] * y[j];
      const double first = (i == j) ? 1.0 : 3.0;  // k = j
      const double rest = (i == j) ? 3.0 : 6.0;   // k > j
      v += first * yij * y[j] * C[n++];
      for (std::size_t k = j + 1; k < N; ++k, ++n) v += rest * yij * y[k] * C[n];
    }
  }
  return v;
}

}  // namespace velmar::virial
