// The coefficients of the uncertainty of composition by GOST 31371.7-2008,
// U(x) = a·x + b mole %, for every class of component.
#include "uncertainty/composition_uncertainty.h"

#include <gtest/gtest.h>

namespace velmar {
namespace {

TEST(CompositionUncertainty, CoefficientsOfEveryClass) {
  using C = CompositionUncertaintyClass;
  const struct {
    C cls;
    bool methaneDirect;
    double a;
    double b;
  } table[] = {
      {C::Methane, false, -0.0187, 1.88}, {C::Methane, true, -0.0023, 0.29}, {C::Ethane, false, 0.04, 0.00026},
      {C::Hydrocarbon, false, 0.06, 0.00024}, {C::NOctane, false, 0.08, 0.00022},
      {C::Nitrogen, false, 0.04, 0.0013}, {C::CarbonDioxide, false, 0.06, 0.0012}, {C::Typed, false, 0, 0},
  };
  for (const auto& row : table) {
    const auto k = compositionUncertaintyCoefficients(row.cls, row.methaneDirect);
    EXPECT_EQ(k.a, row.a) << static_cast<int>(row.cls);
    EXPECT_EQ(k.b, row.b) << static_cast<int>(row.cls);
  }
  // Only methane depends on how it is determined.
  EXPECT_EQ(compositionUncertaintyCoefficients(C::Ethane, true).b, 0.00026);
  // The relative uncertainty of 1 % of methane by difference is the text a
  // cleared cell used to keep: 186,13 %.
  EXPECT_DOUBLE_EQ(relativeCompositionUncertainty(C::Methane, false, 1), 186.13);
}

}  // namespace
}  // namespace velmar
