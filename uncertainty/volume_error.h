#pragma once
// The error of the volume reduced to standard conditions: the channel errors
// and the errors of the gas properties combined, and that error with the
// error of the time determination.
namespace velmar {

struct ErrorContext;
struct InputRecord;

// Relative errors in per cent, overwritten by every call.
struct VolumeErrors {
  double dMeas = 0;     // combined error of the measured quantities
  double dVol = 0;      // error of the volume reduced to standard conditions
  double dVolTime = 0;  // dVol combined with the error of the time determination
};

// Whether the measured part of the volume error takes the error of the
// compressibility factor dK (natural gas by R Gazprom 5.3 or GOST R 8.662, a
// gas mixture, a single technical gas) rather than that of the working
// density dRho (natural gas by GOST 30319.3, GERG-91 mod. or NX-19 mod.,
// another medium, air). With measured densities neither applies.
bool volumeErrorUsesCompressibility(const InputRecord& in);

// dMeas, dVol and dVolTime from the channel errors and the gas properties;
// while CalcIdle is set its result line and the report copies.
void calcVolumeError(ErrorContext& s);

}  // namespace velmar
