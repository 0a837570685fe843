#pragma once
// toOtchet: the last computed values that the report prints, written by the
// calculation routines while CalcIdle is true (a silent control-point run
// leaves the values of the measuring point).
namespace velmar {

struct ReportRecord {
  double rhoSt = 0;       // density at standard conditions, kg/m3
  double rho = 0;         // density at working conditions, kg/m3
  double dRho = 0;        // relative error of the density, %
  double K = 0;           // compressibility coefficient
  double Z = 0;           // compressibility factor at working conditions
  double soundSpeed = 0;  // m/s
  double kappa = 0;       // adiabatic exponent
  double mu = 0;          // dynamic viscosity, Pa·s
  double pAbs = 0;        // absolute pressure, Pa
  double dT = 0;          // channel errors, %
  double dPizb = 0;
  double dPb = 0;
  double dPabs = 0;
  double dQ = 0;
  double dRhoSt = 0;
  double Vc = 0;      // volume reduced to standard conditions, m3
  double VcDry = 0;   // the same, second position read by the report for the volume
  double Vdry = 0;    // volume of the dry part of wet gas, m3
  double Vwet = 0;    // volume of wet gas, m3
  double M = 0;       // mass, kg
  double dVol = 0;    // error of the volume, %
  double dMeas = 0;
  double dVolTime = 0;
  double Qavg = 0;    // average flow at working conditions, m3/h
};

}  // namespace velmar
