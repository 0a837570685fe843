#pragma once
// Reactions of the error inputs on the instrument pages: the unit box beside
// every error value follows its kind box, the panels follow the mode of the
// computing device, some transducer boxes cannot be cleared, the resistance
// thermometer's class fills its coefficients, the flowmeter's ranges fill
// their texts, the ambient temperatures follow their boxes, and the units of
// the control points follow their kind.
namespace velmar {

struct Session;
class Choice;

// The unit box beside the error value of this kind box: "%" for a relative
// or reduced error, the unit of the quantity for an absolute one; then the
// value is evaluated again.
void errorKindRule(Session& s, Choice& kindBox);
// The unit labels of the other medium's density errors.
void otherMediumErrorKindRule(Session& s);
// The panels of the instrument pages by pr_IK, TipIK and TipIkQ.
void channelModeRule(Session& s);
// KTtip refills the control-point unit box; KT1ed is copied to KT2ed..KT6ed.
void controlPointUnitRule(Session& s, bool keepSelection);

void installErrorInputRules(Session& s);
void applyErrorInputRules(Session& s);

}  // namespace velmar
