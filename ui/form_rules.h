#pragma once
// Input form rules of the main window: which inputs apply under the current
// kind of calculation, medium, method and options, what a choice resets, and
// which rules follow. Every rule first restarts TimerProv and sets
// InputChanged; a rule that runs others as guarded follow-ups does so only
// while CalcIdle is true and holds it false meanwhile.
#include <string>

namespace velmar {

struct Session;
struct InputRecord;

// Assembles the form of a window or a batch run: installs the rules as the
// handlers of their controls (each control one rule per event), the handler
// of TimerProv (the pass) and Session::applyFormRules (applyAllFormRules).
void installFormRules(Session& s);

// Runs every rule in the order a load of the input data runs them, with
// CalcIdle false, so that the window agrees with its choices.
void applyAllFormRules(Session& s);

void RaschetClick(Session& s);
void pr_pogrClick(Session& s);
void sredaChange(Session& s);
void metodClick(Session& s);
void Metod_sClick(Session& s);
void pr_RabClick(Session& s);
void pr_StClick(Session& s);
void pr_PbarClick(Session& s);
void Q_TipChange(Session& s);
void pr_Pbar_Click(Session& s);
void TipIzmBarChange(Session& s);
void VlTipChange(Session& s);
void TipVlChange(Session& s);
void QmaxEdChange(Session& s);
void PbarPredEdChange(Session& s);
void PbarEdChange(Session& s);
void PizbEdChange(Session& s);
void dP2checkClick(Session& s);
void dP3checkClick(Session& s);
void P1checkClick(Session& s);
void P2checkClick(Session& s);
void P3checkClick(Session& s);
void T2checkClick(Session& s);
void T3checkClick(Session& s);
// The captions of the control-point tables and the mirrors of KT1ed.
void controlPointCaptions(Session& s);
// The caption of the pressure row of both tables: gauge or absolute pressure
// in the unit of KTPed, or the standard density while it is measured.
std::string controlPointPressureCaption(const InputRecord& in);

}  // namespace velmar
