#pragma once
// Sets of message numbers that several routines share: the messages whose
// inputs a calculation step needs, and the messages a grid's rule owns. The
// numbers are the ones the user sees.
#include <array>

#include "core/messages.h"

namespace velmar {

// The flow channel needs an average flow of the pass: a period, a measured
// volume and the flowmeter's upper limit. An average flow above that limit
// (37) is still the flow the error is taken at.
inline constexpr std::array kFlowChannelInputs = {36, 38, 28};
// The pressure channels: the atmospheric and gauge pressure against their
// instruments' ranges, the range of change of pressure, a pressure below the
// manometer's lower limit, the lower limit itself, the absolute pressure.
inline constexpr std::array kPressureChannelInputs = {33, 34, 35, 56, 23, 24, 8, 95, 96};
// The temperature channel: the temperature against the thermometer's range,
// the range of change of temperature, the thermometer's limits.
inline constexpr std::array kTemperatureChannelInputs = {31, 32, 21, 22, 6, 79, 80};
// The density channels: their own channel error, the density, the meter's
// range, and the three transducers of the working-density meter (107-109),
// which both channels need.
inline constexpr std::array kWorkingDensityChannelInputs = {113, 115, 101, 102, 103, 107, 109, 108};
inline constexpr std::array kStandardDensityChannelInputs = {114, 116, 110, 111, 112, 107, 109, 108};
// The control-point tables need a volume (7), the gas properties (2), the
// temperature coefficient of another medium (41) and a pressure above the
// manometer's lower limit (8) ...
inline constexpr std::array kControlPointTableInputs = {7, 2, 41, 8};
// ... and control points (9) with sane ranges of change (21-27, 118, 119).
inline constexpr MessageRange kControlPointRanges = {21, 27};
inline constexpr std::array kControlPointInputs = {9, 118, 119};
// The inputs of a diameter calculation.
inline constexpr MessageRange kDiameterInputs = {151, 159};
// The errors of the gas parameters of GOST 30319.2 (density, nitrogen, carbon
// dioxide), negative.
inline constexpr MessageRange kGasParameterErrors = {161, 163};
// The composition grid of GOST 30319.3 (its uncertainty is 71) and that of
// R Gazprom 5.3 (its limits, 11 to 18, and its remainder, 19).
inline constexpr MessageRange kSostavGridMessages = {57, 71};
inline constexpr MessageRange kRGazpromGridMessages = {11, 20};

}  // namespace velmar
