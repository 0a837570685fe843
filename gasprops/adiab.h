#pragma once
// Adiabatic exponent of natural gas from its incomplete description,
// GOST 30319.1-96. The entry kappaGost30319 is declared in gas_properties.h.
#include "gasprops/gas_properties.h"
