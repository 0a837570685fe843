#pragma once
// Saturated water vapour: pressure and density on the saturation line, over
// ice from 243.15 K to 273.15 K and over water elsewhere. The entry
// waterSaturation is declared in gas_properties.h.
#include "gasprops/gas_properties.h"

namespace velmar::water {

// Temperature of the critical point of water in the saturation equations, K.
// Above it there is no saturation line; the values of the critical point
// are returned there.
inline constexpr double kCriticalTemperatureK = 647.27;

}  // namespace velmar::water
