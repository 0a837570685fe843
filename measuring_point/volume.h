#pragma once
// Volume at standard conditions (293.15 K, 101325 Pa) and mass of the gas
// measured at working conditions during the period.
namespace velmar {

struct Session;
struct InputRecord;

// Whether the volume at standard conditions is the ratio of the two densities
// (another medium, air, measured densities: no compressibility coefficient)
// rather than the pressure, the temperature and K. A flow at standard
// conditions is brought to working conditions by the same ratio.
bool volumeByDensityRatio(const InputRecord& in);

// Reads the measured volume, the temperature and the gas properties; writes
// the volumes and the mass into the report record and appends their lines to
// Memo1 (none for a diameter calculation). Raises message 7 when the density
// at standard conditions is not above 0.
void ComputeVolume(Session& s);

}  // namespace velmar
