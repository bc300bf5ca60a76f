#include "tray/TrayClicks.h"

#include "base/Messages.h"

void TrayClickDetector::OnNotify(ITrayClickTarget& port, unsigned iconId, TrayMouse event) {
  if (iconId != kTrayIconId) return;
  switch (event) {
    case TrayMouse::LeftDown:
      m_bDoubleClick = false;
      port.SetClickTimer();
      break;
    case TrayMouse::LeftUp:
      if (m_bDoubleClick) port.PostClick(TrayClick::Double);
      break;
    case TrayMouse::LeftDoubleClick:
      m_bDoubleClick = true;
      port.KillClickTimer();
      break;
    case TrayMouse::RightUp:
      port.PostClick(TrayClick::Right);
      break;
    default:
      break;
  }
}

void TrayClickDetector::OnClickTimer(ITrayClickTarget& port) {
  port.KillClickTimer();
  port.PostClick(TrayClick::Single);
}
