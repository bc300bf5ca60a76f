// Tells single, double and right clicks on the tray icon apart. Portable.
#pragma once

// Mouse messages as the notification area reports them in lParam.
constexpr unsigned kWmLButtonDown = 0x0201;
constexpr unsigned kWmLButtonUp = 0x0202;
constexpr unsigned kWmLButtonDblClk = 0x0203;
constexpr unsigned kWmRButtonDown = 0x0204;
constexpr unsigned kWmRButtonUp = 0x0205;

class ITrayClickTarget {
 public:
  virtual ~ITrayClickTarget() = default;
  // The click timer runs one double-click time.
  virtual void SetClickTimer() = 0;
  virtual void KillClickTimer() = 0;
  // Posts a mouse message (wParam 0, lParam 0) to the window itself: WM_LBUTTONUP reaches the
  // single-click handler, WM_LBUTTONDBLCLK the double-click one, WM_RBUTTONUP the right-click
  // one.
  virtual void PostToSelf(unsigned message) = 0;
};

class TrayClickDetector {
 public:
  // A notification of the icon; other icons than ours are ignored.
  void OnNotify(ITrayClickTarget& port, unsigned iconId, unsigned mouseMessage);
  // The click timer ran out: it was a single click.
  void OnClickTimer(ITrayClickTarget& port);

  int m_bDoubleClick = 0;
};
