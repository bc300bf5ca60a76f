// Tells single, double and right clicks on the tray icon apart. Portable.
#pragma once

// The mouse events the notification area reports for the icon.
enum class TrayMouse { LeftDown, LeftUp, LeftDoubleClick, RightDown, RightUp, Other };

// What the detector concludes.
enum class TrayClick { Single, Double, Right };

class ITrayClickTarget {
 public:
  virtual ~ITrayClickTarget() = default;
  // The click timer runs one double-click time.
  virtual void SetClickTimer() = 0;
  virtual void KillClickTimer() = 0;
  // Posts the click to the window itself, so that it is handled after the notification.
  virtual void PostClick(TrayClick click) = 0;
};

class TrayClickDetector {
 public:
  // A notification of the icon; other icons than ours are ignored.
  void OnNotify(ITrayClickTarget& port, unsigned iconId, TrayMouse event);
  // The click timer ran out: it was a single click.
  void OnClickTimer(ITrayClickTarget& port);

  bool m_bDoubleClick = false;
};
