// The call road's timers: the hold countdown with its warning beep, the fall-back to data and
// the timeout of the user's answer.
#pragma once

#include <string>

#include "call/CallRoad.h"

// A hold time as hours:minutes:seconds, split as the countdown splits it.
std::string FormatHoldTime(int remainingMs);

// The step of TIMER_HOLD_TICK, TIMER_FALLBACK or TIMER_ANSWER; any other id does nothing.
void HandleTimer(const CallRoad& road, unsigned id);
