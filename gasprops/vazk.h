#pragma once
// Dynamic viscosity of natural gas from its incomplete description (density
// at standard conditions, nitrogen and carbon dioxide), GOST 30319.1-96. The
// entry viscosityGost30319 is declared in gas_properties.h.
#include "gasprops/gas_properties.h"

namespace velmar::viscosity {

// Pressure up to which the low-pressure viscosity stands uncorrected, MPa.
inline constexpr double kLowPressureLimitMPa = 0.5;

// Viscosity at low pressure, Pa·s (xa, xy as fractions); 0 where the formula
// gives no positive value.
double lowPressureViscosity(double T, double rhoSt, double xa, double xy);

}  // namespace velmar::viscosity
