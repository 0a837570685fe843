#pragma once
// The calculation driver: one pass turns the input record into the result
// lines of Memo1 and the message list of Memo2.
namespace velmar {

struct Session;

// Runs one pass: phase 1 refreshes the value fields and runs the value
// checks; phases 2 (the cross-checks, the error formulas) and 3 (channel
// errors, gas properties, volume, diameter, volume error, control-point
// tables) run again from phase 2 whenever an input event arrives during the
// pass. Does nothing while TimerProv runs or CalcIdle is false.
void RunCalculation(Session& s);

// A pass at once, whatever TimerProv says, then TimerProv restarted with
// InputChanged set so that a second pass follows one second later: the end
// of a load and the click of TipIkQ.
void calculateNow(Session& s);

// TimerProvTimer: the timer has stopped itself; the pass runs.
void TimerProvTimer(Session& s);

}  // namespace velmar
