#pragma once
// Uncertainty of the component composition of natural gas determined by gas
// chromatography, GOST 31371.7-2008: the expanded uncertainty of a content x
// (mole %) is U(x) = a·x + b mole %, with the coefficients of the component's
// class; the composition grids show it relative to the content.
namespace velmar {

enum class CompositionUncertaintyClass {
  Methane,        // methane; its coefficients depend on how it is determined
  Ethane,
  Hydrocarbon,    // propane to heptane, hydrogen, helium
  NOctane,
  Nitrogen,
  CarbonDioxide,  // carbon dioxide, oxygen, argon
  Typed,          // no coefficients: the user types the uncertainty
};

struct CompositionUncertaintyCoefficients {
  double a;  // per mole % of the content
  double b;  // mole %
};

// The coefficients of a class; methane determined directly (methaneDirect) or
// by difference. A typed class has a = b = 0.
CompositionUncertaintyCoefficients compositionUncertaintyCoefficients(CompositionUncertaintyClass c,
                                                                      bool methaneDirect);

// U(x) / x × 100, the relative uncertainty in % of a content x > 0.
double relativeCompositionUncertainty(CompositionUncertaintyClass c, bool methaneDirect, double x);

}  // namespace velmar
