// The player window's timers: the tray refresh, the hold countdown with its warning beep,
// the fall-back to data and the timeout of the user's answer.
#pragma once

#include <string>

#include "call/CallRoad.h"

// A hold time as hours:minutes:seconds, split as the countdown splits it.
std::string FormatHoldTime(int remainingMs);

// How often the icon is refreshed (and added again when the shell lost it).
constexpr unsigned kTrayRefreshMs = 3000;

// The player window was created: the tray refresh starts, and its first step adds the icon.
void StartTrayRefresh(const CallRoad& road);

// WM_TIMER of the player window for the timers 5, 11, 12 and 21 (the tray-click timer 4 is
// handled by the tray icon itself).
void HandleTimer(const CallRoad& road, unsigned id);
