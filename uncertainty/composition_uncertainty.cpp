#include "uncertainty/composition_uncertainty.h"

namespace velmar {

CompositionUncertaintyCoefficients compositionUncertaintyCoefficients(CompositionUncertaintyClass c,
                                                                      bool methaneDirect) {
  using C = CompositionUncertaintyClass;
  switch (c) {
    case C::Methane: return methaneDirect ? CompositionUncertaintyCoefficients{-0.0023, 0.29}
                                          : CompositionUncertaintyCoefficients{-0.0187, 1.88};
    case C::Ethane: return {0.04, 0.00026};
    case C::Hydrocarbon: return {0.06, 0.00024};
    case C::NOctane: return {0.08, 0.00022};
    case C::Nitrogen: return {0.04, 0.0013};
    case C::CarbonDioxide: return {0.06, 0.0012};
    case C::Typed: break;
  }
  return {0, 0};
}

double relativeCompositionUncertainty(CompositionUncertaintyClass c, bool methaneDirect, double x) {
  const CompositionUncertaintyCoefficients k = compositionUncertaintyCoefficients(c, methaneDirect);
  return (k.a * x + k.b) / x * 100;
}

}  // namespace velmar
