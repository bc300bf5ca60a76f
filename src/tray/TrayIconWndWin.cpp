#include "tray/TrayIconWndWin.h"

#include <shellapi.h>

#include "base/Messages.h"
#include "call/CallState.h"
#include "fw/StringsWin.h"
#include "fw/Text.h"

bool CTrayIconWnd::CreateTrayWindow() {
  const char* windowClass = RegisterWndClass(0);
  return CreateEx(WS_EX_TOOLWINDOW, windowClass, "TrayIconHandler", 0, 0, 0, 0, 0, nullptr,
                  nullptr);
}

BOOL CTrayIconWnd::NotifyIcon(DWORD message, HICON icon, const char* tip) {
  NOTIFYICONDATAA record{};
  record.cbSize = NOTIFYICONDATAA_V1_SIZE;  // 88 bytes: what every shell understands
  record.hWnd = Handle();
  record.uID = kTrayIconId;
  record.uCallbackMessage = WM_TRAYNOTIFY;
  record.uFlags = NIF_MESSAGE;
  if (icon != nullptr && icon != m_windows.gLastTrayIcon) {
    record.uFlags |= NIF_ICON;
    record.hIcon = icon;
    m_windows.gLastTrayIcon = icon;
  }
  if (tip != nullptr) {
    record.uFlags |= NIF_TIP;
    fw::CopyBounded(record.szTip, 64, tip);
  }
  return Shell_NotifyIconA(message, &record);
}

BOOL CTrayIconWnd::NotifyIconWithTip(DWORD message, HICON icon, UINT tipId) {
  return NotifyIcon(message, icon, fw::LoadText(tipId).c_str());
}

namespace {

TrayMouse TrayMouseOf(LPARAM message) {
  switch (message) {
    case WM_LBUTTONDOWN:
      return TrayMouse::LeftDown;
    case WM_LBUTTONUP:
      return TrayMouse::LeftUp;
    case WM_LBUTTONDBLCLK:
      return TrayMouse::LeftDoubleClick;
    case WM_RBUTTONDOWN:
      return TrayMouse::RightDown;
    case WM_RBUTTONUP:
      return TrayMouse::RightUp;
    default:
      return TrayMouse::Other;
  }
}

}  // namespace

LRESULT CTrayIconWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TRAYNOTIFY:
      m_clicks.OnNotify(*this, static_cast<unsigned>(wParam), TrayMouseOf(lParam));
      return 0;
    case WM_LBUTTONDBLCLK:
      OnTrayDoubleClick();
      return 0;
    case WM_LBUTTONUP:
      OnTrayClick();
      return 0;
    case WM_RBUTTONUP:
      OnTrayRightClick();
      return 0;
    default:
      return fw::Window::WindowProc(message, wParam, lParam);
  }
}

void CTrayIconWnd::OnTimer(UINT_PTR id) {
  if (id == TIMER_TRAY_CLICK) m_clicks.OnClickTimer(*this);
}

void CTrayIconWnd::SetClickTimer() { SetTimer(TIMER_TRAY_CLICK, GetDoubleClickTime()); }

void CTrayIconWnd::KillClickTimer() { KillTimer(TIMER_TRAY_CLICK); }

void CTrayIconWnd::PostClick(TrayClick click) {
  // As the mouse messages of the window itself, which WindowProc hands on.
  switch (click) {
    case TrayClick::Single:
      Post(WM_LBUTTONUP, 0, 0);
      break;
    case TrayClick::Double:
      Post(WM_LBUTTONDBLCLK, 0, 0);
      break;
    case TrayClick::Right:
      Post(WM_RBUTTONUP, 0, 0);
      break;
  }
}
