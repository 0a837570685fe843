#include "uncertainty/channel_errors.h"

#include "core/session.h"

namespace velmar {

// The error model of the measuring channels is not part of the program yet:
// these operations leave the channel errors at 0 and write no result line,
// so that nothing is reported that was not computed.
void calcFlowChannelError(Session& s, double) { s.channels.dQ = 0; }
void calcPressureChannelErrors(Session& s) {
  s.channels.dPb = 0;
  s.channels.dPizb = 0;
  s.channels.dPabs = 0;
  s.channels.pAbs = s.in.PbarStr.value + s.in.PizbStr.value;
}
void calcTemperatureChannelError(Session& s, double) { s.channels.dT = 0; }
void calcDensityChannelError(Session&, double) {}
void calcStdDensityChannelError(Session&, double) {}
void calcComputingDeviceError(Session& s) { s.channels.dCalc = 0; }
void calcVolumeError(Session&) {}

}  // namespace velmar
