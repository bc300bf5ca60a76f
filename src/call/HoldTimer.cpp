#include "call/HoldTimer.h"

#include <cmath>
#include <cstdint>

#include "base/EventLog.h"
#include "base/Messages.h"
#include "fw/Text.h"
#include "moh/MohApi.h"
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

void StopCountdown(const CallRoad& road) {
  road.player.KillTimer(TIMER_HOLD_TICK);
  road.call.gHoldRemainingMs = 0;
  road.call.gAnswerRemainingMs = 0;
}

int Subtract(int value, uint32_t elapsed) {
  const int64_t left = static_cast<int64_t>(value) - elapsed;
  return left < 0 ? 0 : static_cast<int>(left);
}

bool LineGone(const CallInProgress& call) {
  return !call.gOnline || call.gCallState == CALLSTATE_MODEM_IDLE ||
         call.gCallState == CALLSTATE_DATA_DISCONNECTED ||
         call.gCallState == CALLSTATE_DATA_RESUMED;
}

// A second of a running hold: the time left shrinks by what the clock says passed, and the
// warning starts when it falls to the warning time.
void CountDown(const CallRoad& road) {
  CallInProgress& call = road.call;
  // Unsigned difference: the tick count's wrap-around does no harm.
  const uint32_t elapsed = road.player.TickCount() - call.gLastTickCount;
  call.gLastTickCount = road.player.TickCount();
  call.gHoldRemainingMs = Subtract(call.gHoldRemainingMs, elapsed);
  call.gAnswerRemainingMs = Subtract(call.gAnswerRemainingMs, elapsed);
  if (road.settings.gWarn == 1 && call.gHoldRemainingMs <= road.settings.gWarnTimeMs &&
      call.gCallState != CALLSTATE_GRANTED) {
    call.gCallState = CALLSTATE_TIMEOUT_WARNING;
    SetSession(road, true);
  }
}

void Beep(const CallRoad& road) {
  CallInProgress& call = road.call;
  if (call.gHoldRemainingMs <= 0 || road.settings.MuteWarnTone != 0 ||
      call.gCallState != CALLSTATE_TIMEOUT_WARNING) {
    return;
  }
  if (call.gBeepCount >= 2) {
    road.player.Sound("beep.wav", SoundMode::Once);
    call.gBeepCount = 0;
  } else {
    ++call.gBeepCount;
  }
}

void CountdownStep(const CallRoad& road) {
  CallInProgress& call = road.call;
  if (LineGone(call)) {
    StopCountdown(road);
    SetSession(road, false);
  } else if (call.gHoldRemainingMs > 0) {
    if (HoldRunning(call.gCallState)) {
      CountDown(road);
    } else if (call.gCallState == CALLSTATE_SESSION_TERMINATED) {
      StopCountdown(road);
    }
  } else if (HoldRunning(call.gCallState)) {
    call.gCallState = CALLSTATE_TIMEOUT;
    SetSession(road, false);
    StopCountdown(road);
    road.player.PostEvent(MOH_TIMEOUT, 0);
  } else if (call.gCallState == CALLSTATE_SESSION_TERMINATED) {
    StopCountdown(road);
  }

  Beep(road);
  call.gHoldText = FormatHoldTime(call.gHoldRemainingMs);
  if (call.gAnswerRemainingMs >= 0) {
    // Intended: the minutes of the answer countdown always read "00"; its window is at most
    // 60 s, and a full minute shows as "00:60".
    const int seconds = static_cast<int>(std::floor(call.gAnswerRemainingMs * 0.001));
    call.gAnswerText = fw::Format("%.2d:%.2d", 0, seconds);
  }
}

void FallbackStep(const CallRoad& road) {
  if (road.family.keepsLineState) {
    road.player.PostEvent(MOH_RESTORING, 0);
  } else if (road.family.Known() && road.call.gCallState == CALLSTATE_DENIED) {
    road.player.PostEvent(MOH_MODEM_ACTIVE, 0);
  }
}

void AnswerTimeoutStep(const CallRoad& road) {
  // The window of an offer ran out; a call the user asked to place since, which the library
  // has not answered yet, is still being placed.
  if (!road.call.gOriginatePending) road.call.gPlacingCall = false;
  road.call.gAnswerDeclined = true;
  LogEvent(0, 0, "Time out waiting for UserResponse, Going back to Data");
  MohCommand(road.modem.gMohHandle, MOH_CMD_DECLINE);
  road.player.KillTimer(TIMER_ANSWER);
  StopRing(road.player);
}

}  // namespace

std::string FormatHoldTime(int remainingMs) {
  const Split split = SplitHold(remainingMs);
  return fw::Format("%.2d:%.2d:%.2d", split.hours, split.minutes, split.seconds);
}

void HandleTimer(const CallRoad& road, unsigned id) {
  switch (id) {
    case TIMER_HOLD_TICK:
      CountdownStep(road);
      break;
    case TIMER_FALLBACK:
      FallbackStep(road);
      break;
    case TIMER_ANSWER:
      AnswerTimeoutStep(road);
      break;
    default:
      break;  // the tray refresh is the player window's, and other timers are not the road's
  }
}
