#include "tray/TrayClicks.h"

#include "base/Messages.h"

void TrayClickDetector::OnNotify(ITrayClickTarget& port, unsigned iconId, unsigned mouseMessage) {
  if (iconId != kTrayIconId) return;
  switch (mouseMessage) {
    case kWmLButtonDown:
      m_bDoubleClick = 0;
      port.SetClickTimer();
      break;
    case kWmLButtonUp:
      if (m_bDoubleClick == 1) port.PostToSelf(kWmLButtonDblClk);
      break;
    case kWmLButtonDblClk:
      m_bDoubleClick = 1;
      port.KillClickTimer();
      break;
    case kWmRButtonUp:
      port.PostToSelf(kWmRButtonUp);
      break;
    default:
      break;
  }
}

void TrayClickDetector::OnClickTimer(ITrayClickTarget& port) {
  port.KillClickTimer();
  port.PostToSelf(kWmLButtonUp);
}
