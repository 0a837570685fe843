#pragma once
// Errors of the measuring channels and of the volume, in per cent. They are
// overwritten by every pass; the gas properties read dT and dPabs.
namespace velmar {

struct Session;

struct ChannelErrors {
  double dQ = 0;     // flow channel at working conditions
  double dT = 0;     // temperature channel
  double dPb = 0;    // atmospheric pressure
  double dPizb = 0;  // gauge-pressure channel
  double dPabs = 0;  // absolute pressure
  double dCalc = 0;  // computing device
  double Qgr = 0;    // range boundary of the flowmeter, m3/h
  double pAbs = 0;   // absolute pressure of the point, Pa
};

struct VolumeErrors {
  double dMeas = 0;     // combined error of the measured quantities
  double dVol = 0;      // error of the volume reduced to standard conditions
  double dVolTime = 0;  // dVol combined with the error of the time determination
};

// The channel operations and the error of the volume. Until the uncertainty
// calculation is built they compute nothing and write no line.
void calcFlowChannelError(Session& s, double Q);
void calcPressureChannelErrors(Session& s);
void calcTemperatureChannelError(Session& s, double t);
void calcDensityChannelError(Session& s, double r);
void calcStdDensityChannelError(Session& s, double rSt);
void calcComputingDeviceError(Session& s);
void calcVolumeError(Session& s);

}  // namespace velmar
