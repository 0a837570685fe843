#pragma once
// The gas-property dispatcher: chooses the method by medium and method,
// removes the water vapour of a wet natural gas, checks the state against the
// method's limits, turns a method's failure into message 2 with its reason,
// writes the property lines and copies the results into the report record.
namespace velmar {

struct Session;

// t in °C, pGauge the gauge (excess) pressure in Pa. Returns true when the
// properties of this state were computed (or taken over from the density
// meters), false when the state was refused or could not be computed; the
// fields of the result record that were not computed keep their values.
bool calcGasProperties(Session& s, double t, double pGauge);

}  // namespace velmar
