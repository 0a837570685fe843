// GOST R 8.662-2009 (AGA8-92DC): natural gas of full composition.
#include "gasprops/AGA.h"
#include "gasprops/perturbation_error.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace velmar {

namespace aga {

namespace {

constexpr double kR = 8.31451;  // J/(mol·K)

// Component parameters: M, E, K, G, Q, F, S, W.
constexpr std::array<aga8::Component, kComponentCount> kComponents = {{
    {28.0135, 99.73778, 0.4479153, 0.027815, 0.0, 0.0, 0.0, 0.0},  // nitrogen
    {44.01, 241.9606, 0.4557489, 0.189065, 0.69, 0.0, 0.0, 0.0},  // carbon dioxide
    {16.043, 151.3183, 0.4619255, 0.0, 0.0, 0.0, 0.0, 0.0},  // methane
    {30.07, 244.1667, 0.5279209, 0.0793, 0.0, 0.0, 0.0, 0.0},  // ethane
    {44.097, 298.1183, 0.583749, 0.141239, 0.0, 0.0, 0.0, 0.0},  // propane
    {58.123, 337.6389, 0.6341423, 0.281835, 0.0, 0.0, 0.0, 0.0},  // n-butane
    {58.123, 324.0689, 0.6406937, 0.256692, 0.0, 0.0, 0.0, 0.0},  // i-butane
    {72.15, 370.6823, 0.6798307, 0.366911, 0.0, 0.0, 0.0, 0.0},  // n-pentane
    {72.15, 365.5999, 0.6738577, 0.332267, 0.0, 0.0, 0.0, 0.0},  // i-pentane
    {86.177, 402.636293, 0.7175118, 0.289731, 0.0, 0.0, 0.0, 0.0},  // n-hexane
    {100.204, 427.72263, 0.7525189, 0.337542, 0.0, 0.0, 0.0, 0.0},  // n-heptane
    {114.231, 450.325022, 0.784955, 0.383381, 0.0, 0.0, 0.0, 0.0},  // n-octane
    {128.258, 470.840891, 0.8152731, 0.427354, 0.0, 0.0, 0.0, 0.0},  // n-nonane
    {142.285, 489.558373, 0.8437826, 0.469659, 0.0, 0.0, 0.0, 0.0},  // n-decane
    {2.0159, 26.95794, 0.3514916, 0.034369, 0.0, 1.0, 0.0, 0.0},  // hydrogen
    {31.9988, 122.7667, 0.4186954, 0.021, 0.0, 0.0, 0.0, 0.0},  // oxygen
    {28.01, 105.5348, 0.4533894, 0.038953, 0.0, 0.0, 0.0, 0.0},  // carbon monoxide
    {18.0153, 514.0156, 0.3825868, 0.3325, 1.06775, 0.0, 1.5822, 1.0},  // water
    {34.082, 296.355, 0.4618263, 0.0885, 0.633276, 0.0, 0.39, 0.0},  // hydrogen sulphide
    {4.0026, 2.610111, 0.3589888, 0.0, 0.0, 0.0, 0.0, 0.0},  // helium
    {39.948, 119.6299, 0.4216551, 0.0, 0.0, 0.0, 0.0, 0.0},  // argon
}};

// Ideal-gas heat capacity cp0/R: B, C, D, E, F, G, H, I, J (D, F, H, J in K).
constexpr std::array<aga8::HeatCapacity, kComponentCount> kHeatCapacity = {{
    {3.50031, 0.13732, 662.738, -0.1466, 680.562, 0.90066, 1740.06, 0.0, 0.0},  // nitrogen
    {3.50002, 2.04452, 919.306, -1.06044, 865.07, 2.03366, 483.553, 0.01393, 341.109},  // carbon dioxide
    {4.00088, 0.76315, 820.659, 0.0046, 178.41, 8.74432, 1062.82, -4.46921, 1090.53},  // methane
    {4.00263, 4.33939, 559.314, 1.23722, 223.284, 13.1974, 1031.38, -6.01989, 1071.29},  // ethane
    {4.02939, 6.60569, 479.856, 3.197, 200.893, 19.1921, 955.312, -8.37267, 1027.29},  // propane
    {4.33944, 9.44893, 468.27, 6.89406, 183.636, 24.4618, 1914.1, 14.7824, 903.185},  // n-butane
    {4.06714, 8.97575, 438.27, 5.25156, 198.018, 25.1423, 1905.02, 16.1388, 893.765},  // i-butane
    {4.0, 8.95043, 178.67, 21.836, 840.538, 33.4032, 1774.25, 0.0, 0.0},  // n-pentane
    {4.0, 11.7618, 292.503, 20.1101, 910.237, 33.1688, 1919.37, 0.0, 0.0},  // i-pentane
    {4.0, 11.6977, 182.326, 26.8142, 859.207, 38.6164, 1826.59, 0.0, 0.0},  // n-hexane
    {4.0, 13.7266, 169.789, 30.4707, 836.195, 43.5561, 1760.46, 0.0, 0.0},  // n-heptane
    {4.0, 15.6865, 158.922, 33.8029, 815.064, 48.1731, 1693.07, 0.0, 0.0},  // n-octane
    {4.0, 18.0241, 156.854, 38.1235, 814.882, 53.3415, 1693.79, 0.0, 0.0},  // n-nonane
    {4.0, 21.0069, 164.947, 43.4931, 836.264, 58.3657, 1750.24, 0.0, 0.0},  // n-decane
    {2.47906, 0.95806, 228.734, 0.45444, 326.843, 1.56039, 1651.71, -1.3756, 1671.69},  // hydrogen
    {3.50146, 1.07558, 2235.71, 1.01334, 1116.69, 0.0, 0.0, 0.0, 0.0},  // oxygen
    {3.50055, 1.02865, 1550.45, 0.00493, 704.525, 0.0, 0.0, 0.0, 0.0},  // carbon monoxide
    {4.00392, 0.01059, 268.795, 0.98763, 1141.41, 3.06904, 2507.37, 0.0, 0.0},  // water
    {4.0, 3.11942, 1833.63, 1.00243, 847.181, 0.0, 0.0, 0.0, 0.0},  // hydrogen sulphide
    {2.5, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0},  // helium
    {2.5, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0},  // argon
}};

// Terms of the equation: a, b, c, k, u, g, q, f, s, w.
constexpr std::array<aga8::Term, aga8::kTermCount> kTerms = {{
    {0.1538326, 1, 0, 0, 0.0, 0, 0, 0, 0, 0},  // 1
    {1.341953, 1, 0, 0, 0.5, 0, 0, 0, 0, 0},  // 2
    {-2.998583, 1, 0, 0, 1.0, 0, 0, 0, 0, 0},  // 3
    {-0.04831228, 1, 0, 0, 3.5, 0, 0, 0, 0, 0},  // 4
    {0.3757965, 1, 0, 0, -0.5, 1, 0, 0, 0, 0},  // 5
    {-1.589575, 1, 0, 0, 4.5, 1, 0, 0, 0, 0},  // 6
    {-0.05358847, 1, 0, 0, 0.5, 0, 1, 0, 0, 0},  // 7
    {0.88659463, 1, 0, 0, 7.5, 0, 0, 0, 1, 0},  // 8
    {-0.71023704, 1, 0, 0, 9.5, 0, 0, 0, 1, 0},  // 9
    {-1.471722, 1, 0, 0, 6.0, 0, 0, 0, 0, 1},  // 10
    {1.32185035, 1, 0, 0, 12.0, 0, 0, 0, 0, 1},  // 11
    {-0.78665925, 1, 0, 0, 12.5, 0, 0, 0, 0, 1},  // 12
    {2.29129e-09, 1, 1, 3, -6.0, 0, 0, 1, 0, 0},  // 13
    {0.1576724, 1, 1, 2, 2.0, 0, 0, 0, 0, 0},  // 14
    {-0.4363864, 1, 1, 2, 3.0, 0, 0, 0, 0, 0},  // 15
    {-0.04408159, 1, 1, 2, 2.0, 0, 1, 0, 0, 0},  // 16
    {-0.003433888, 1, 1, 4, 2.0, 0, 0, 0, 0, 0},  // 17
    {0.03205905, 1, 1, 4, 11.0, 0, 0, 0, 0, 0},  // 18
    {0.02487355, 2, 0, 0, -0.5, 0, 0, 0, 0, 0},  // 19
    {0.07332279, 2, 0, 0, 0.5, 0, 0, 0, 0, 0},  // 20
    {-0.001600573, 2, 1, 2, 0.0, 0, 0, 0, 0, 0},  // 21
    {0.6424706, 2, 1, 2, 4.0, 0, 0, 0, 0, 0},  // 22
    {-0.4162601, 2, 1, 2, 6.0, 0, 0, 0, 0, 0},  // 23
    {-0.06689957, 2, 1, 4, 21.0, 0, 0, 0, 0, 0},  // 24
    {0.2791795, 2, 1, 4, 23.0, 1, 0, 0, 0, 0},  // 25
    {-0.6966051, 2, 1, 4, 22.0, 0, 1, 0, 0, 0},  // 26
    {-0.002860589, 2, 1, 4, -1.0, 0, 0, 1, 0, 0},  // 27
    {-0.008098836, 3, 0, 0, -0.5, 0, 1, 0, 0, 0},  // 28
    {3.150547, 3, 1, 1, 7.0, 1, 0, 0, 0, 0},  // 29
    {0.007224479, 3, 1, 1, -1.0, 0, 0, 1, 0, 0},  // 30
    {-0.7057529, 3, 1, 2, 6.0, 0, 0, 0, 0, 0},  // 31
    {0.5349792, 3, 1, 2, 4.0, 1, 0, 0, 0, 0},  // 32
    {-0.07931491, 3, 1, 3, 1.0, 1, 0, 0, 0, 0},  // 33
    {-1.418465, 3, 1, 3, 9.0, 1, 0, 0, 0, 0},  // 34
    {-5.99905e-17, 3, 1, 4, -13.0, 0, 0, 1, 0, 0},  // 35
    {0.1058402, 3, 1, 4, 21.0, 0, 0, 0, 0, 0},  // 36
    {0.03431729, 3, 1, 4, 8.0, 0, 1, 0, 0, 0},  // 37
    {-0.007022847, 4, 0, 0, -0.5, 0, 0, 0, 0, 0},  // 38
    {0.02495587, 4, 0, 0, 0.0, 0, 0, 0, 0, 0},  // 39
    {0.04296818, 4, 1, 2, 2.0, 0, 0, 0, 0, 0},  // 40
    {0.7465453, 4, 1, 2, 7.0, 0, 0, 0, 0, 0},  // 41
    {-0.2919613, 4, 1, 2, 9.0, 0, 1, 0, 0, 0},  // 42
    {7.294616, 4, 1, 4, 22.0, 0, 0, 0, 0, 0},  // 43
    {-9.936757, 4, 1, 4, 23.0, 0, 0, 0, 0, 0},  // 44
    {-0.005399808, 5, 0, 0, 1.0, 0, 0, 0, 0, 0},  // 45
    {-0.2432567, 5, 1, 2, 9.0, 0, 0, 0, 0, 0},  // 46
    {0.04987016, 5, 1, 2, 3.0, 0, 1, 0, 0, 0},  // 47
    {0.003733797, 5, 1, 4, 8.0, 0, 0, 0, 0, 0},  // 48
    {1.874951, 5, 1, 4, 23.0, 0, 1, 0, 0, 0},  // 49
    {0.002168144, 6, 0, 0, 1.5, 0, 0, 0, 0, 0},  // 50
    {-0.6587164, 6, 1, 2, 5.0, 1, 0, 0, 0, 0},  // 51
    {0.000205518, 7, 0, 0, -0.5, 0, 1, 0, 0, 0},  // 52
    {0.009776195, 7, 1, 2, 4.0, 0, 0, 0, 0, 0},  // 53
    {-0.02048708, 8, 1, 1, 7.0, 1, 0, 0, 0, 0},  // 54
    {0.01557322, 8, 1, 2, 3.0, 0, 0, 0, 0, 0},  // 55
    {0.006862415, 8, 1, 2, 0.0, 1, 0, 0, 0, 0},  // 56
    {-0.001226752, 9, 1, 2, 1.0, 0, 0, 0, 0, 0},  // 57
    {0.002850908, 9, 1, 2, 0.0, 0, 1, 0, 0, 0},  // 58
}};

// Pairs whose E*ij, Uij, Kij, G*ij differ from 1 (every other pair: 1).
constexpr std::array<aga8::PairEntry, 61> kPairs = {{
    {0, 1, {1.02274, 0.835058, 0.982361, 0.982746}},  // nitrogen - carbon dioxide
    {0, 2, {0.97164, 0.886106, 1.00363, 1.0}},  // nitrogen - methane
    {0, 3, {0.97012, 0.816431, 1.00796, 1.0}},  // nitrogen - ethane
    {0, 4, {0.945939, 0.915502, 1.0, 1.0}},  // nitrogen - propane
    {0, 5, {0.973384, 0.993556, 1.0, 1.0}},  // nitrogen - n-butane
    {0, 6, {0.946914, 1.0, 1.0, 1.0}},  // nitrogen - i-butane
    {0, 7, {0.94552, 1.0, 1.0, 1.0}},  // nitrogen - n-pentane
    {0, 8, {0.95934, 1.0, 1.0, 1.0}},  // nitrogen - i-pentane
    {0, 14, {1.08632, 0.408838, 1.03227, 1.0}},  // nitrogen - hydrogen
    {0, 15, {1.021, 1.0, 1.0, 1.0}},  // nitrogen - oxygen
    {0, 16, {1.00571, 1.0, 1.0, 1.0}},  // nitrogen - carbon monoxide
    {0, 17, {0.746954, 1.0, 1.0, 1.0}},  // nitrogen - water
    {0, 18, {0.902271, 0.993476, 0.942596, 1.0}},  // nitrogen - hydrogen sulphide
    {1, 2, {0.960644, 0.963827, 0.995933, 0.807653}},  // carbon dioxide - methane
    {1, 3, {0.925053, 0.96987, 1.00851, 0.370296}},  // carbon dioxide - ethane
    {1, 4, {0.960237, 1.0, 1.0, 1.0}},  // carbon dioxide - propane
    {1, 5, {0.897362, 1.0, 1.0, 1.0}},  // carbon dioxide - n-butane
    {1, 6, {0.906849, 1.0, 1.0, 1.0}},  // carbon dioxide - i-butane
    {1, 7, {0.859764, 1.0, 1.0, 1.0}},  // carbon dioxide - n-pentane
    {1, 8, {0.726255, 1.0, 1.0, 1.0}},  // carbon dioxide - i-pentane
    {1, 9, {0.855134, 1.066638, 0.910183, 1.0}},  // carbon dioxide - n-hexane
    {1, 10, {0.831229, 1.077634, 0.895362, 1.0}},  // carbon dioxide - n-heptane
    {1, 11, {0.80831, 1.088178, 0.881152, 1.0}},  // carbon dioxide - n-octane
    {1, 12, {0.786323, 1.098291, 0.86752, 1.0}},  // carbon dioxide - n-nonane
    {1, 13, {0.765171, 1.108021, 0.854406, 1.0}},  // carbon dioxide - n-decane
    {1, 14, {1.28179, 1.0, 1.0, 1.0}},  // carbon dioxide - hydrogen
    {1, 16, {1.5, 0.9, 1.0, 1.0}},  // carbon dioxide - carbon monoxide
    {1, 17, {0.849408, 1.0, 1.0, 1.67309}},  // carbon dioxide - water
    {1, 18, {0.955052, 1.04529, 1.00779, 1.0}},  // carbon dioxide - hydrogen sulphide
    {2, 4, {0.994635, 0.990877, 1.007619, 1.0}},  // methane - propane
    {2, 5, {0.989844, 0.992291, 0.997596, 1.0}},  // methane - n-butane
    {2, 6, {1.01953, 1.0, 1.0, 1.0}},  // methane - i-butane
    {2, 7, {0.999268, 1.00367, 1.002529, 1.0}},  // methane - n-pentane
    {2, 8, {1.00235, 1.0, 1.0, 1.0}},  // methane - i-pentane
    {2, 9, {1.107274, 1.302576, 0.982962, 1.0}},  // methane - n-hexane
    {2, 10, {0.88088, 1.191904, 0.983565, 1.0}},  // methane - n-heptane
    {2, 11, {0.880973, 1.205769, 0.982707, 1.0}},  // methane - n-octane
    {2, 12, {0.881067, 1.219634, 0.981849, 1.0}},  // methane - n-nonane
    {2, 13, {0.881161, 1.233498, 0.980991, 1.0}},  // methane - n-decane
    {2, 14, {1.17052, 1.15639, 1.02326, 1.95731}},  // methane - hydrogen
    {2, 16, {0.990126, 1.0, 1.0, 1.0}},  // methane - carbon monoxide
    {2, 17, {0.708218, 1.0, 1.0, 1.0}},  // methane - water
    {2, 18, {0.931484, 0.736833, 1.00008, 1.0}},  // methane - hydrogen sulphide
    {3, 4, {1.02256, 1.065173, 0.986893, 1.0}},  // ethane - propane
    {3, 5, {1.01306, 1.25, 1.0, 1.0}},  // ethane - n-butane
    {3, 6, {1.0, 1.25, 1.0, 1.0}},  // ethane - i-butane
    {3, 7, {1.00532, 1.25, 1.0, 1.0}},  // ethane - n-pentane
    {3, 8, {1.0, 1.25, 1.0, 1.0}},  // ethane - i-pentane
    {3, 14, {1.16446, 1.61666, 1.02034, 1.0}},  // ethane - hydrogen
    {3, 17, {0.693168, 1.0, 1.0, 1.0}},  // ethane - water
    {3, 18, {0.946871, 0.971926, 0.999969, 1.0}},  // ethane - hydrogen sulphide
    {4, 5, {1.0049, 1.0, 1.0, 1.0}},  // propane - n-butane
    {4, 14, {1.034787, 1.0, 1.0, 1.0}},  // propane - hydrogen
    {5, 14, {1.3, 1.0, 1.0, 1.0}},  // n-butane - hydrogen
    {6, 14, {1.3, 1.0, 1.0, 1.0}},  // i-butane - hydrogen
    {9, 18, {1.008692, 1.028973, 0.96813, 1.0}},  // n-hexane - hydrogen sulphide
    {10, 18, {1.010126, 1.033754, 0.96287, 1.0}},  // n-heptane - hydrogen sulphide
    {11, 18, {1.011501, 1.038338, 0.957828, 1.0}},  // n-octane - hydrogen sulphide
    {12, 18, {1.012821, 1.042735, 0.952441, 1.0}},  // n-nonane - hydrogen sulphide
    {13, 18, {1.014089, 1.046966, 0.948338, 1.0}},  // n-decane - hydrogen sulphide
    {14, 16, {1.1, 1.0, 1.0, 1.0}},  // hydrogen - carbon monoxide
}};

constexpr auto kBinary = aga8::pairTable<kComponentCount>(kPairs);

constexpr aga8::Model kModel{kComponents, kHeatCapacity, kBinary, kTerms, kR};

// Every component takes part in the mixing sums; components below the mole
// fraction 1e-6 are left out of the ideal-gas heat capacity.
constexpr aga8::Settings kSettings{
    .mixingCut = 0, .heatCapacityCut = 1e-6, .tolerance = 1e-6, .maxNewtonSteps = 100};

constexpr double kTMin = 250, kTMax = 350;  // K
constexpr double kPMin = 0.1, kPMax = 30;   // MPa

struct Range {
  double lo;
  double hi;
};

// Limits of the composition, mol %, for codes 1..17 in this order: nitrogen,
// carbon dioxide, methane, ethane, propane, butanes, pentanes, n-hexane,
// n-heptane, octane and heavier, hydrogen, carbon monoxide, water, helium,
// oxygen, hydrogen sulphide, argon.
constexpr std::array<Range, 17> kCompositionLimits = {{
    {0, 20}, {0, 20}, {70, 100}, {0, 10}, {0, 3.5}, {0, 1.5}, {0, 0.5}, {0, 0.1}, {0, 0.05},
    {0, 0.05}, {0, 10}, {0, 3}, {0, 0.015}, {0, 0.5}, {0, 0.02}, {0, 0.02}, {0, 0.02},
}};

bool inside(double v, Range r) { return v >= r.lo && v <= r.hi; }  // false for NaN

MethodFailure compositionCode(std::span<const double, kComponentCount> x) {
  const std::array<double, 17> checked = {
      x[kNitrogen],
      x[kCarbonDioxide],
      x[kMethane],
      x[kEthane],
      x[kPropane],
      x[kNButane] + x[kIButane],
      x[kNPentane] + x[kIPentane],
      x[kNHexane],
      x[kNHeptane],
      x[kNOctane] + x[kNNonane] + x[kNDecane],
      x[kHydrogen],
      x[kCarbonMonoxide],
      x[kWater],
      x[kHelium],
      x[kOxygen],
      x[kHydrogenSulphide],
      x[kArgon],
  };
  MethodFailure code = 0;
  for (std::size_t i = 0; i < checked.size(); ++i)
    if (!inside(checked[i], kCompositionLimits[i])) code = static_cast<MethodFailure>(i + 1);
  return code;
}

}  // namespace

const aga8::Model& model() { return kModel; }
std::span<const aga8::PairEntry> nonDefaultPairs() { return kPairs; }

const aga8::Equation& equation() {
  static const aga8::Equation e(kModel);
  return e;
}

aga8::Evaluator evaluator() { return aga8::Evaluator(equation(), kSettings); }

double methodError(double T, double p) {
  const double p1 = 0.32353 * T - 78.882;
  const double p2 = 0.94118 * T - 221.29;
  const double p3 = 1.7308 * T - 454.62;
  const double p4 = -1.2 * T + 384;
  const double p5 = 0.3 * T - 81;
  if (T < 267) return p >= p2 ? 0.4 : (p >= p1 ? 0.2 : 0.1);
  if (T < 280) return p >= p3 ? 0.2 : 0.1;
  if (T < 295) return 0.1;
  if (T < 310) return p >= p4 ? 0.2 : 0.1;
  return p >= p5 ? 0.2 : 0.1;
}

std::optional<aga8::Properties> equationState(aga8::Evaluator& evaluator,
                                              std::span<const double, kComponentCount> fractions,
                                              double T, double p) {
  return evaluator.evaluate(fractions, T, p);
}

std::optional<aga8::Properties> equationState(std::span<const double, kComponentCount> fractions,
                                              double T, double p) {
  return aga8::evaluate(equation(), fractions, T, p, kSettings);
}

State agaState(std::span<const double, kComponentCount> x, double T, double p, bool strict) {
  aga8::Evaluator e = evaluator();
  return agaState(e, x, T, p, strict);
}

State agaState(aga8::Evaluator& evaluator, std::span<const double, kComponentCount> x, double T,
               double p, bool strict) {
  State s;
  if (strict) {
    s.code = compositionCode(x);
    if (!inside(T, {kTMin, kTMax})) s.code = kTemperatureOutOfRange;
    if (!inside(p, {kPMin, kPMax})) s.code = kPressureOutOfRange;
  } else {
    if (std::isnan(T)) return {0, 0, 0, 0, kTemperatureOutOfRange};
    if (std::isnan(p)) return {0, 0, 0, 0, kPressureOutOfRange};
    T = std::clamp(T, kTMin, kTMax);
    p = std::clamp(p, kPMin, kPMax);
  }

  // Contents to mole fractions; traces (and negative contents) become 1e-10.
  std::array<double, kComponentCount> f{};
  double sum = 0;
  for (std::size_t i = 0; i < kComponentCount; ++i) {
    f[i] = x[i] < 1e-7 ? 1e-10 : x[i] / 100;
    sum += f[i];
  }
  if (!(sum >= 0.999499 && sum <= 1.000501)) s.code = kSumOutOfRange;
  if (s.code != 0) return s;

  const auto eos = equationState(evaluator, f, T, p);
  if (!eos) return {0, 0, 0, 0, kNoDensity};
  s.rho = eos->density;
  s.soundSpeed = eos->soundSpeed;
  s.Z = eos->Z;
  s.methodError = methodError(T, p);
  return s;
}

}  // namespace aga

MethodFailure calcAga(std::span<const double, 21> x, std::span<const double, 21> dx, double T,
                      double dT, double p, double dp, MethodOutputs& out,
                      const RestartProbe& restart, AgaSwitches switches) {
  using namespace aga;
  // One evaluator for every state of the call: the standard, working,
  // temperature and pressure states share the mixing sums of x.
  aga8::Evaluator eval = evaluator();
  // Standard conditions: 293.15 K, 101325 Pa.
  const State st = agaState(eval, x, 293.15, 0.101325, true);
  if (st.code != 0) return st.code;
  out.rhoSt = st.rho;
  out.dRhoSt = st.methodError;
  const double Zst = st.Z;

  if (restartRequested(restart)) return 0;
  const State w = agaState(eval, x, T, p, true);
  if (w.code != 0) return w.code;
  out.rho = w.rho;
  out.Z = w.Z;
  out.K = w.Z / Zst;
  out.soundSpeed = w.soundSpeed;

  // The error estimate: each input in turn times 1.00001. The switches I
  // and P take the direct effect of T and p out of the coefficients of K
  // when the channels carry their first transducers.
  const perturbation::Constants c{.step = 1.00001,
                                  .smallestContent = 5e-5,
                                  .negativeContentFloor = 1e-6,
                                  .I = switches.I,
                                  .P = switches.P,
                                  .nonFinite = {kTemperatureOutOfRange, kPressureOutOfRange, kSumOutOfRange}};
  const perturbation::BaseStates b{T, p, w.rho, w.Z, Zst, w.methodError, st.methodError};
  const auto state = [&eval](std::span<const double, kComponentCount> xs, double Ts, double ps) {
    return agaState(eval, xs, Ts, ps, false);
  };
  return perturbation::estimateErrors(state, x, dx, b, {dT, dp}, c, restart, out);
}

}  // namespace velmar
