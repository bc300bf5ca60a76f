// The hidden tool window that owns the notification-area icon and turns the icon's raw
// notifications into a right click, a single click and a double click.
#pragma once

#include <windows.h>

#include "base/OpenWindows.h"
#include "fw/WindowWin.h"
#include "tray/TrayClicks.h"

class CTrayIconWnd : public fw::Window, private ITrayClickTarget {
 public:
  // The windows' record keeps the icon last sent.
  explicit CTrayIconWnd(OpenWindows& windows) : m_windows(windows) {}

  // Creates the hidden tool window "TrayIconHandler"; it is never shown.
  virtual bool CreateTrayWindow();

  // Shell_NotifyIconA with this window's record: the icon only when it differs from the last
  // one sent, the tip (at most 63 characters) when given.
  BOOL NotifyIcon(DWORD message, HICON icon, const char* tip);
  BOOL NotifyIconWithTip(DWORD message, HICON icon, UINT tipId);

 protected:
  OpenWindows& m_windows;

  virtual void OnTrayRightClick() {}
  virtual void OnTrayClick() {}
  virtual void OnTrayDoubleClick() {}

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  // The click timer; other timers are the derived window's.
  void OnTimer(UINT_PTR id) override;

  // The object owns itself: it is freed after the last message of its window.
  void PostNcDestroy() override { delete this; }

 private:
  void SetClickTimer() override;
  void KillClickTimer() override;
  void PostClick(TrayClick click) override;

  TrayClickDetector m_clicks;
};
