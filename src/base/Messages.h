// The program's own window messages and the player window's timers. Portable: the numbers are
// spelled out (WM_USER is 0x0400).
#pragma once

constexpr unsigned kWmUser = 0x0400;

// An event of the library, as its callback posts it (wParam event, lParam value).
constexpr unsigned WM_MOH_EVENT = kWmUser + 10;
// The same event, re-posted by the player window to its own handler.
constexpr unsigned WM_MOH_DISPATCH = kWmUser + 12;
// The events the program feeds itself (the timers' fall-back and timeout, a grant without
// time) carry this mark in wParam beside the code: they answer no request of the library's.
constexpr unsigned kOwnEventMark = 0x40000000u;
constexpr unsigned kOwnEventMask = 0xC0000000u;
// The call dialog's refresh requests.
constexpr unsigned WM_CALLDLG_ANSWER_TEXT = kWmUser + 13;
constexpr unsigned WM_CALLDLG_STATUS_TEXT = kWmUser + 14;
// The notification-area icon's callback message.
constexpr unsigned WM_TRAYNOTIFY = kWmUser + 500;

constexpr unsigned TIMER_TRAY_CLICK = 4;
constexpr unsigned TIMER_TRAY_REFRESH = 5;
constexpr unsigned TIMER_HOLD_TICK = 11;
constexpr unsigned TIMER_FALLBACK = 12;
constexpr unsigned TIMER_CALL_DIALOG = 20;
constexpr unsigned TIMER_ANSWER = 21;

// The tray icon's id in the notification area.
constexpr unsigned kTrayIconId = 100;
