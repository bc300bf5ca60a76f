#include "call/HoldTimer.h"

#include <cmath>
#include <cstdint>

#include "base/OpenWindows.h"
#include "base/EventLog.h"
#include "base/Messages.h"
#include "call/CallState.h"
#include "fw/Text.h"
#include "moh/ModemSelection.h"
#include "moh/MohApi.h"
#include "moh/MohSettings.h"
#include "res/resource.h"

namespace {

struct Split {
  int hours, minutes, seconds;
};

Split SplitHold(int remainingMs) {
  if (remainingMs <= 0) return {0, 0, 0};
  const double s = remainingMs * 0.001;
  const int hours = static_cast<int>(std::floor(s * 0.0002777777777777778));
  const int minutes = static_cast<int>(std::floor((s - hours * 3600) * 0.016666666666666666));
  const int seconds = static_cast<int>(std::floor(s - hours * 3600 - minutes * 60));
  return {hours, minutes, seconds};
}

void StopCountdown(IPlayerWindow& player) {
  player.KillTimer(TIMER_HOLD_TICK);
  gCall.gHoldRemainingMs = 0;
  gCall.gAnswerRemainingMs = 0;
}

int Subtract(int value, uint32_t elapsed) {
  const int64_t left = static_cast<int64_t>(value) - elapsed;
  return left < 0 ? 0 : static_cast<int>(left);
}

void CountdownStep(IPlayerWindow& player) {
  if (gCall.gOnline != 1 || gCall.gCallState == CALLSTATE_MODEM_IDLE ||
      gCall.gCallState == CALLSTATE_DATA_DISCONNECTED || gCall.gCallState == CALLSTATE_DATA_RESUMED) {
    StopCountdown(player);
    if (gSettings.gMohModemType == TELKA) SetMohSessionLocked(0);
  } else if (gCall.gHoldRemainingMs > 0) {
    if (HoldRunning(gCall.gCallState)) {
      // Unsigned difference: the tick count's wrap-around does no harm.
      const uint32_t elapsed = player.TickCount() - gCall.gLastTickCount;
      gCall.gLastTickCount = player.TickCount();
      gCall.gHoldRemainingMs = Subtract(gCall.gHoldRemainingMs, elapsed);
      gCall.gAnswerRemainingMs = Subtract(gCall.gAnswerRemainingMs, elapsed);
      if (gSettings.gWarn == 1 && gCall.gHoldRemainingMs <= gSettings.gWarnTimeMs && gCall.gCallState != CALLSTATE_GRANTED) {
        gCall.gCallState = CALLSTATE_TIMEOUT_WARNING;
        if (gSettings.gMohModemType == TELKA) SetMohSessionLocked(1);
      }
    } else if (gCall.gCallState == CALLSTATE_SESSION_TERMINATED) {
      StopCountdown(player);
    }
  } else if (HoldRunning(gCall.gCallState)) {
    gCall.gCallState = CALLSTATE_TIMEOUT;
    if (gSettings.gMohModemType == TELKA) SetMohSessionLocked(0);
    StopCountdown(player);
    player.PostEvent(MOH_TIMEOUT, 0);
  } else if (gCall.gCallState == CALLSTATE_SESSION_TERMINATED) {
    StopCountdown(player);
  }

  if (gCall.gHoldRemainingMs > 0 && gSettings.MuteWarnTone == 0 && gCall.gCallState == CALLSTATE_TIMEOUT_WARNING) {
    if (gCall.gBeepCount >= 2) {
      player.Sound("beep.wav", SOUND_ASYNC);
      gCall.gBeepCount = 0;
    } else {
      ++gCall.gBeepCount;
    }
  }
  gCall.gHoldText = FormatHoldTime(gCall.gHoldRemainingMs);
  if (gCall.gAnswerRemainingMs >= 0) {
    // Intended: the minutes of the answer countdown always read "00"; its window is at most
    // 60 s, and a full minute shows as "00:60".
    const int seconds = static_cast<int>(std::floor(gCall.gAnswerRemainingMs * 0.001));
    gCall.gAnswerText = fw::Format("%.2d:%.2d", 0, seconds);
  }
}

void FallbackStep(IPlayerWindow& player) {
  if (gSettings.gMohModemType == TELKA) {
    player.PostEvent(MOH_RESTORING, 0);
  } else if ((gSettings.gMohModemType == BORIN || gSettings.gMohModemType == NUVIA) && gCall.gCallState == CALLSTATE_DENIED) {
    player.PostEvent(MOH_MODEM_ACTIVE, 0);
  }
}

void AnswerTimeoutStep(IPlayerWindow& player) {
  gCall.gPlacingCall = 0;
  gCall.gAnswerDeclined = true;
  LogEvent(0, 0, "Time out waiting for UserResponse, Going back to Data");
  MohCommand(gModem.gMohHandle, MOH_CMD_DECLINE);
  player.KillTimer(TIMER_ANSWER);
  StopRing(player);
}

}  // namespace

std::string FormatHoldTime(int remainingMs) {
  const Split split = SplitHold(remainingMs);
  return fw::Format("%.2d:%.2d:%.2d", split.hours, split.minutes, split.seconds);
}

void StartTrayRefresh(IPlayerWindow& player) {
  player.SetTimer(TIMER_TRAY_REFRESH, kTrayRefreshMs);
  HandleTimer(player, TIMER_TRAY_REFRESH);
}

void HandleTimer(IPlayerWindow& player, unsigned id) {
  if (id != TIMER_TRAY_REFRESH && id != TIMER_HOLD_TICK && id != TIMER_FALLBACK &&
      id != TIMER_ANSWER) {
    return;
  }
  player.NotifyTray(gWindows.gTrayIconAdded != 1, player.LoadText(IDS_TRAY_TIP));
  switch (id) {
    case TIMER_HOLD_TICK:
      CountdownStep(player);
      break;
    case TIMER_FALLBACK:
      FallbackStep(player);
      break;
    case TIMER_ANSWER:
      AnswerTimeoutStep(player);
      break;
    default:
      break;
  }
  gWindows.gTrayIconAdded = 1;
}
