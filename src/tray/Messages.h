// The program's own window messages and the player window's timers.
#pragma once

#include <windows.h>

// An event of the library, as its callback posts it (wParam event, lParam value).
constexpr UINT WM_MOH_EVENT = WM_USER + 10;
// The same event, re-posted by the player window to its own handler.
constexpr UINT WM_MOH_DISPATCH = WM_USER + 12;
// The call dialog's refresh requests.
constexpr UINT WM_CALLDLG_ANSWER_TEXT = WM_USER + 13;
constexpr UINT WM_CALLDLG_STATUS_TEXT = WM_USER + 14;
// The notification-area icon's callback message.
constexpr UINT WM_TRAYNOTIFY = WM_USER + 500;

constexpr UINT_PTR TIMER_TRAY_CLICK = 4;
constexpr UINT_PTR TIMER_TRAY_REFRESH = 5;
constexpr UINT_PTR TIMER_HOLD_TICK = 11;
constexpr UINT_PTR TIMER_FALLBACK = 12;
constexpr UINT_PTR TIMER_CALL_DIALOG = 20;
constexpr UINT_PTR TIMER_ANSWER = 21;
