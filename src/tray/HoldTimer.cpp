#include "tray/HoldTimer.h"

#include <cmath>
#include <cstdint>

#include "app/EventLog.h"
#include "fw/Text.h"
#include "moh/ModemSelection.h"
#include "moh/MohApi.h"
#include "moh/MohSettings.h"
#include "res/resource.h"
#include "tray/CallState.h"
#include "tray/Messages.h"

namespace {

bool HoldRunning(int state) { return state == 7 || state == 8 || state == 9; }

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

void StopCountdown(PlayerPort& player) {
  player.KillTimer(TIMER_HOLD_TICK);
  gHoldRemainingMs = 0;
  gAnswerRemainingMs = 0;
}

int Subtract(int value, uint32_t elapsed) {
  const int64_t left = static_cast<int64_t>(value) - elapsed;
  return left < 0 ? 0 : static_cast<int>(left);
}

void CountdownStep(PlayerPort& player) {
  if (gOnline != 1 || gCallState == 4 || gCallState == 11 || gCallState == 12) {
    StopCountdown(player);
    if (gMohModemType == TELKA) SetMohSessionLocked(0);
  } else if (gHoldRemainingMs > 0) {
    if (HoldRunning(gCallState)) {
      // Unsigned difference: the tick count's wrap-around does no harm.
      const uint32_t elapsed = player.TickCount() - gLastTickCount;
      gLastTickCount = player.TickCount();
      gHoldRemainingMs = Subtract(gHoldRemainingMs, elapsed);
      gAnswerRemainingMs = Subtract(gAnswerRemainingMs, elapsed);
      if (gWarn == 1 && gHoldRemainingMs <= gWarnTimeMs && gCallState != 7) {
        gCallState = 9;
        if (gMohModemType == TELKA) SetMohSessionLocked(1);
      }
    } else if (gCallState == 15) {
      StopCountdown(player);
    }
  } else if (HoldRunning(gCallState)) {
    gCallState = 10;
    if (gMohModemType == TELKA) SetMohSessionLocked(0);
    StopCountdown(player);
    player.PostEvent(MOH_TIMEOUT, 0);
  } else if (gCallState == 15) {
    StopCountdown(player);
  }

  const Split split = SplitHold(gHoldRemainingMs);
  gHoldHours = split.hours;
  gHoldMinutes = split.minutes;
  gHoldSeconds = split.seconds;
  if (gHoldRemainingMs > 0 && MuteWarnTone == 0 && gCallState == 9) {
    if (gBeepCount >= 2) {
      player.Sound("beep.wav", SOUND_ASYNC);
      gBeepCount = 0;
    } else {
      ++gBeepCount;
    }
  }
  gHoldText = fw::Format("%.2d:%.2d:%.2d", gHoldHours, gHoldMinutes, gHoldSeconds);
  gHoldMinutes = 0;
  gHoldSeconds = 0;
  if (gAnswerRemainingMs >= 0) {
    gHoldSeconds = static_cast<int>(std::floor(gAnswerRemainingMs * 0.001));
    gAnswerText = fw::Format("%.2d:%.2d", 0, gHoldSeconds);
  }
}

void FallbackStep(PlayerPort& player) {
  if (gMohModemType == TELKA) {
    player.PostEvent(MOH_RESTORING, 0);
  } else if ((gMohModemType == BORIN || gMohModemType == NUVIA) && gCallState == 6) {
    player.PostEvent(MOH_MODEM_ACTIVE, 0);
  }
}

void AnswerTimeoutStep(PlayerPort& player) {
  gPlacingCall = 0;
  LogEvent(0, 0, "Time out waiting for UserResponse, Going back to Data");
  MohCommand(gMohHandle, MOH_CMD_DECLINE);
  player.KillTimer(TIMER_ANSWER);
  player.Sound(nullptr, SOUND_ASYNC);
}

}  // namespace

std::string FormatHoldTime(int remainingMs) {
  const Split split = SplitHold(remainingMs);
  return fw::Format("%.2d:%.2d:%.2d", split.hours, split.minutes, split.seconds);
}

void HandleTimer(PlayerPort& player, unsigned id) {
  if (id != TIMER_TRAY_REFRESH && id != TIMER_HOLD_TICK && id != TIMER_FALLBACK &&
      id != TIMER_ANSWER) {
    return;
  }
  player.NotifyTray(gTrayIconAdded != 1, player.LoadText(IDS_TRAY_TIP));
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
  gTrayIconAdded = 1;
}
