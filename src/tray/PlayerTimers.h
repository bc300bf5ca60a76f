// The player window's timers: the tray icon is refreshed (and added again where the shell has
// none of ours) before the call road takes the step of the timer, and counts as added after it.
// Portable.
#pragma once

#include "call/CallRoad.h"

// How often the icon is refreshed (and added again when the shell lost it).
constexpr unsigned kTrayRefreshMs = 3000;

// The player window was created: the tray refresh starts, and its first step adds the icon.
void StartTrayRefresh(const CallRoad& road);

// Adds the icon where the shell has none of ours, else modifies it; then it counts as added.
void RefreshTrayIcon(const CallRoad& road);

// WM_TIMER of the player window for the timers 5, 11, 12 and 21 (the tray-click timer 4 is
// handled by the tray icon itself).
void OnPlayerTimer(const CallRoad& road, unsigned id);
