#include "tray/PlayerTimers.h"

#include "base/Messages.h"
#include "call/HoldTimer.h"
#include "res/resource.h"

void StartTrayRefresh(const CallRoad& road) {
  road.player.SetTimer(TIMER_TRAY_REFRESH, kTrayRefreshMs);
  OnPlayerTimer(road, TIMER_TRAY_REFRESH);
}

void OnPlayerTimer(const CallRoad& road, unsigned id) {
  // Once the program ends, no timer does anything (the call road's own first countdown step
  // comes from an event, which does nothing then either).
  if (road.modem.gLibraryClosing) return;
  if (id != TIMER_TRAY_REFRESH && id != TIMER_HOLD_TICK && id != TIMER_FALLBACK &&
      id != TIMER_ANSWER) {
    return;
  }
  RefreshTrayIcon(road);
  HandleTimer(road, id);
}

void RefreshTrayIcon(const CallRoad& road) {
  road.player.NotifyTray(!road.windows.gTrayIconAdded, road.player.LoadText(IDS_TRAY_TIP));
  road.windows.gTrayIconAdded = true;
}
