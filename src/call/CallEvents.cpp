#include "call/CallEvents.h"

#include <climits>

#include "base/OpenWindows.h"
#include "base/EventLog.h"
#include "base/Messages.h"
#include "call/CallDlgLogic.h"
#include "call/CallState.h"
#include "call/HoldTimer.h"
#include "calllog/CallLog.h"
#include "fw/Text.h"
#include "moh/ModemSelection.h"
#include "moh/MohApi.h"
#include "moh/MohEvents.h"
#include "moh/MohSettings.h"
#include "res/resource.h"

namespace {

constexpr int kTelkaAnswerMs = 15000;
constexpr int kOtherAnswerMs = 60000;
constexpr int kIncomingFallbackMs = 15000;
constexpr int kRefusedFallbackMs = 5000;
// The answer prompt quotes this many seconds for every family.
constexpr int kAnswerSecondsQuoted = 15;

// The answer window ends: its timer stops, and so does the ring it may have left playing.
void EndAnswerWindow(IPlayerWindow& player) {
  player.KillTimer(TIMER_ANSWER);
  StopRing(player);
}

// The caller's text: the one taken when the library reported this call, else the library's now.
void FetchCallerId(const std::string* taken) {
  gCall.gCallerIdText.clear();
  std::string text;
  if (taken != nullptr) {
    text = *taken;
  } else {
    char buffer[MOH_CALLER_ID_SIZE] = {};
    MohGetParam(gModem.gMohHandle, MOH_PARAM_CALLER_ID_DATA, buffer);
    buffer[sizeof(buffer) - 1] = '\0';  // whatever the library left in the last byte
    text = buffer;
  }
  LogEvent(0, 0, EscapeControlCharacters(text));
  gCall.gCallerIdText = text;
  ParseCallerId(gCall.gCallerIdText);
  gWindows.gCallLogBehind = true;
}

void AnswerPrompt(IPlayerWindow& player) {
  if (gCall.gPlacingCall == 0) {
    gCall.gStatusText = player.LoadText(IDS_CALL_OFFERED);
    gCall.gSecondsWord = player.LoadText(IDS_SECONDS);
    gCall.gAnswerSeconds = kAnswerSecondsQuoted;
    gCall.gAnswerSecondsText = fw::Format(" %2d ", gCall.gAnswerSeconds);
    gCall.gStatusText += gCall.gAnswerSecondsText + gCall.gSecondsWord + "\n" + gCall.gCallerIdText;
  } else {
    gCall.gStatusText = player.LoadText(IDS_PLACE_CALL_PROMPT);
  }
}

void WarningText(IPlayerWindow& player) {
  gCall.gStatusText = player.LoadText(IDS_TIMEOUT_IN);
  gCall.gSecondsWord = player.LoadText(IDS_SECONDS);
  gCall.gWarnSeconds = WarnSeconds(gSettings.gWarnTimeMs);
  gCall.gWarnSecondsText = WarnSecondsText(gSettings.gWarnTimeMs);
  gCall.gStatusText += gCall.gWarnSecondsText + gCall.gSecondsWord + "\n" + gCall.gCallerIdText;
}

void StartCountdown(IPlayerWindow& player) {
  gCall.gLastTickCount = player.TickCount();
  player.SetTimer(TIMER_HOLD_TICK, 1000);
  HandleTimer(player, TIMER_HOLD_TICK);
}

void LogHoldDuration() {
  if (gCall.gHoldDurationMs != 0) LogEvent(0, 0, fw::Format("MOH Duration %d Msec", gCall.gHoldDurationMs));
}

void OnGranted(IPlayerWindow& player, int index) {
  const int family = gSettings.gMohModemType;
  if (family == TELKA && gCall.gOnline == 1 && gSettings.gEnableMOH == 1) {
    if (index == 0) {
      gCall.gCallState = CALLSTATE_DENIED;
      gCall.gHoldDurationMs = 0;
      SetMohSessionLocked(0);
      gCall.gStatusText = player.LoadText(IDS_INCOMING_CALL);
      player.PostEvent(MOH_DENIED, 0);
      return;
    }
    gCall.gHoldDurationMs = HoldTimeForIndex(index);
    LogHoldDuration();
    gCall.gCallState = CALLSTATE_GRANTED;
    SetMohSessionLocked(1);
    AnswerPrompt(player);
    gCall.gHoldRemainingMs = gCall.gHoldDurationMs - 2000;  // TELKA counts from two seconds below
    gCall.gAnswerRemainingMs = kTelkaAnswerMs;
    StartCountdown(player);
    player.SetTimer(TIMER_ANSWER, kTelkaAnswerMs);
  } else if ((family == BORIN || family == NUVIA) && gSettings.gEnableMOH != 0) {
    gCall.gOnline = 1;
    if (index == 0) {
      gCall.gCallState = CALLSTATE_DENIED;
      gCall.gHoldDurationMs = 0;
      gCall.gStatusText = player.LoadText(IDS_INCOMING_CALL);
      player.PostEvent(MOH_DENIED, 0);
      // Intended: BORIN and NUVIA go on into the granted state with a 0 ms hold, whose
      // immediate countdown step then posts MOH_TIMEOUT behind the MOH_DENIED.
    }
    gCall.gHoldDurationMs = HoldTimeForIndex(index);
    LogHoldDuration();
    gCall.gCallState = CALLSTATE_GRANTED;
    AnswerPrompt(player);
    gCall.gHoldRemainingMs = gCall.gHoldDurationMs;
    gCall.gAnswerRemainingMs = kOtherAnswerMs;
    StartCountdown(player);
    player.SetTimer(TIMER_ANSWER, kOtherAnswerMs);
  }
}

void OnIncomingCall(IPlayerWindow& player, int value, const std::string* callerId) {
  gCall.gPlacingCall = 0;
  const int family = gSettings.gMohModemType;
  const bool fetch = value == 1 && gSettings.gCallerID != 0;
  if (family == TELKA) {
    if (gCall.gOnline != 0) {
      gCall.gCallState = CALLSTATE_INCOMING_CALL;
      gCall.gStatusText = player.LoadText(IDS_INCOMING_CALL);
      gCall.gCallerIdText.clear();
      if (fetch) FetchCallerId(callerId);
    }
    // A second call while a session runs shows the call again but keeps its fall-back time.
    if (gCall.gOnline == 1 && gSettings.gEnableMOH == 1 && gCall.gMohSession != 1) {
      SetMohSessionLocked(1);
      gCall.gVoiceActive = 0;
      player.SetTimer(TIMER_FALLBACK, kIncomingFallbackMs);
    }
  } else if (family == BORIN || family == NUVIA) {
    gCall.gCallState = CALLSTATE_INCOMING_CALL;
    gCall.gStatusText = player.LoadText(IDS_INCOMING_CALL);
    gCall.gCallerIdText.clear();
    if (fetch) FetchCallerId(callerId);
    if (gSettings.gEnableMOH != 0) player.SetTimer(TIMER_FALLBACK, kIncomingFallbackMs);
  }
}

void OnRefused(IPlayerWindow& player) {
  gCall.gVoiceActive = 0;
  const int family = gSettings.gMohModemType;
  if (family == TELKA) {
    player.KillTimer(TIMER_FALLBACK);
    if (gCall.gOnline == 1 && gSettings.gEnableMOH != 0 && gCall.gCallState == CALLSTATE_INCOMING_CALL) {
      gCall.gCallState = CALLSTATE_DENIED;
      gCall.gStatusText = player.LoadText(IDS_INCOMING_CALL);
    }
  } else if ((family == BORIN || family == NUVIA) && gSettings.gEnableMOH != 0) {
    gCall.gCallState = CALLSTATE_DENIED;
    player.SetTimer(TIMER_FALLBACK, kRefusedFallbackMs);
    gCall.gStatusText = player.LoadText(gCall.gPlacingCall != 0 ? IDS_MOH_DENIED : IDS_INCOMING_CALL);
  }
}

// Returns false when the handler must stop at once.
bool OnModemActive(IPlayerWindow& player) {
  gCall.gVoiceActive = 0;
  gCall.gPlacingCall = 0;
  gCall.gCallState = CALLSTATE_MODEM_ACTIVE;
  const bool echo = TakeModemActiveEcho();
  if (gSettings.gMohModemType == TELKA) SetOnlineLocked(1);
  if (gSettings.gMohModemType == BORIN) {
    MODEM_ENTRY entry = gModem.gpModems[gModem.gModemSelIndex];
    // The echo of an initialisation of ours reports the modem bound already.
    if (!echo && InitializeMoh(gModem.gMohHandle, &entry) == 0) return false;
    gCall.gOnline = 1;
    gCall.gMohSession = 1;
  }
  gCall.gStatusText = player.LoadText(IDS_MODEM_ACTIVE);
  return true;
}

std::string WithCallerId(IPlayerWindow& player, unsigned id) {
  return player.LoadText(id) + "\n" + gCall.gCallerIdText;
}

}  // namespace

int HoldTimeForIndex(int index) {
  static const int kHoldMs[] = {0,      10000,  20000,  30000,  40000,  60000,  120000,
                                180000, 240000, 360000, 480000, 720000, 960000, INT_MAX};
  if (index < 0 || index > 13) return 0;
  return kHoldMs[index];
}

unsigned ErrorTextId(int subCode, int family) {
  static const unsigned kIds[] = {0,     32815, 32816, 32817, 32818, 32819, 32820,
                                  32821, 32827, 32828, 32829, 32832, 32833};
  if (subCode == 0) return family == TELKA || family == BORIN ? IDS_ERROR : 0;
  if (subCode >= 1 && subCode <= 12) return kIds[subCode];
  return IDS_ERROR;
}

int HandleMohEvent(IPlayerWindow& player, int event, int value, const std::string* callerId) {
  // Whatever the library reports next answers a pending request and ends a declined offer.
  gCall.gOriginatePending = false;
  gCall.gAnswerDeclined = false;
  const int family = gSettings.gMohModemType;
  const bool telka = family == TELKA;
  const bool borinOrNuvia = family == BORIN || family == NUVIA;
  switch (event) {
    case MOH_EVENT_1:
      gCall.gCallState = CALLSTATE_EVENT_1;
      gCall.gStatusText = player.LoadText(IDS_EVENT_1);
      break;
    case MOH_MODEM_ACCESS_FAILED:
      gCall.gCallState = CALLSTATE_MODEM_ACCESS_FAILED;
      gCall.gStatusText = player.LoadText(IDS_MODEM_ACCESS_FAILED);
      break;
    case MOH_MODEM_ACTIVE:
      if (!OnModemActive(player)) return -1;
      break;
    case MOH_MODEM_IDLE:
      player.KillTimer(TIMER_FALLBACK);
      gCall.gVoiceActive = 0;
      gCall.gPlacingCall = 0;
      if (telka) {
        SetOnlineLocked(0);
        SetMohSessionLocked(0);
      }
      gCall.gCallState = CALLSTATE_MODEM_IDLE;
      gCall.gStatusText = player.LoadText(IDS_MODEM_IDLE);
      break;
    case MOH_INCOMING_CALL:
      OnIncomingCall(player, value, callerId);
      break;
    case MOH_DENIED:
    case MOH_NOT_SUPPORTED:
      OnRefused(player);
      break;
    case MOH_GRANTED:
      player.KillTimer(TIMER_FALLBACK);
      gCall.gVoiceActive = 0;
      OnGranted(player, value);
      break;
    case MOH_SWITCH_TO_VOICE:
      player.KillTimer(TIMER_FALLBACK);
      EndAnswerWindow(player);
      gCall.gVoiceActive = 1;
      gCall.gCallState = CALLSTATE_SWITCH_TO_VOICE;
      gCall.gStatusText = WithCallerId(player, IDS_HOLD_MINUTES_TAIL);
      break;
    case MOH_TIMEOUT_WARNING:
      player.KillTimer(TIMER_FALLBACK);
      EndAnswerWindow(player);
      if (telka && gCall.gOnline == 1 && gSettings.gEnableMOH == 1 && gCall.gMohSession == 1) {
        gCall.gCallState = CALLSTATE_TIMEOUT_WARNING;
        SetMohSessionLocked(1);
        WarningText(player);
      } else if (borinOrNuvia && gSettings.gEnableMOH == 1) {
        gCall.gCallState = CALLSTATE_TIMEOUT_WARNING;
        WarningText(player);
      }
      break;
    case MOH_TIMEOUT:
      player.KillTimer(TIMER_FALLBACK);
      EndAnswerWindow(player);
      if ((telka && gCall.gOnline == 1 && gSettings.gEnableMOH == 1 && gCall.gMohSession == 1) ||
          (borinOrNuvia && gSettings.gEnableMOH != 0)) {
        gCall.gCallState = CALLSTATE_TIMEOUT;
        if (family == NUVIA) MohCommand(gModem.gMohHandle, MOH_CMD_DROP_DATA);
        gCall.gStatusText = WithCallerId(player, IDS_TIMEOUT);
      }
      break;
    case MOH_DATA_DISCONNECTED:
      player.KillTimer(TIMER_FALLBACK);
      EndAnswerWindow(player);
      gCall.gVoiceActive = 0;
      if (telka) {
        gCall.gCallState = CALLSTATE_DATA_DISCONNECTED;
        SetMohSessionLocked(0);
        gCall.gStatusText = player.LoadText(IDS_DATA_DISCONNECTED);
      } else if (borinOrNuvia) {
        gCall.gCallState = CALLSTATE_DATA_DISCONNECTED;
        gCall.gStatusText = player.LoadText(IDS_DATA_DISCONNECTED_IDLE);
      }
      break;
    case MOH_DATA_RESUMED:
      EndAnswerWindow(player);
      gCall.gVoiceActive = 0;
      if (telka) {
        player.KillTimer(TIMER_FALLBACK);
        gCall.gCallState = CALLSTATE_DATA_RESUMED;
        SetMohSessionLocked(0);
        gCall.gStatusText = player.LoadText(IDS_DATA_RESUMED_TELKA);
      } else if (borinOrNuvia) {
        player.KillTimer(TIMER_FALLBACK);
        gCall.gCallState = CALLSTATE_DATA_RESUMED;
        gCall.gStatusText = player.LoadText(IDS_DATA_RESUMED);
      }
      break;
    case MOH_ERROR: {
      player.KillTimer(TIMER_FALLBACK);
      EndAnswerWindow(player);
      gCall.gVoiceActive = 0;
      gCall.gCallState = CALLSTATE_ERROR;
      const unsigned id = ErrorTextId(value, family);
      if (id != 0) gCall.gStatusText = player.LoadText(id);
      break;
    }
    case MOH_RESTORING:
      gCall.gCallState = CALLSTATE_RESTORING;
      gCall.gStatusText = WithCallerId(player, IDS_RESTORING);
      if (telka) MohCommand(gModem.gMohHandle, MOH_CMD_RESTORE_ACK);
      player.KillTimer(TIMER_FALLBACK);
      gCall.gVoiceActive = 0;
      if (telka) SetMohSessionLocked(0);
      break;
    case MOH_SESSION_TERMINATED:
      player.KillTimer(TIMER_FALLBACK);
      EndAnswerWindow(player);
      gCall.gVoiceActive = 0;
      gCall.gCallState = CALLSTATE_SESSION_TERMINATED;
      gCall.gStatusText = player.LoadText(IDS_RECONNECTING);
      break;
    case MOH_REMOTE_TIMEOUT:
      gCall.gVoiceActive = 0;
      gCall.gCallState = CALLSTATE_REMOTE_TIMEOUT;
      gCall.gStatusText = player.LoadText(IDS_REMOTE_TIMEOUT);
      if (telka) SetMohSessionLocked(0);
      player.KillTimer(TIMER_HOLD_TICK);
      break;
    case MOH_MODEM_UNAVAILABLE:
      gCall.gCallState = CALLSTATE_MODEM_UNAVAILABLE;
      gCall.gStatusText = player.LoadText(IDS_MODEM_UNAVAILABLE);
      break;
    default:
      break;  // an event the program does not know changes nothing
  }

  const bool more = player.MoreEventsQueued();
  if (gWindows.gCallLogBehind && !more) {
    gWindows.gCallLogBehind = false;
    player.RefreshCallLog();
  }
  player.CloseCallDialog();
  if (!ShowsCallDialog(gCall.gCallState)) return 0;
  if (more) {
    // The next event replaces this dialog at once: it makes every change a shown dialog would,
    // without a window, so that of a burst of events only the last dialog is built.
    HeadlessCallDialog dialog([&player](unsigned id) { return player.LoadText(id); }, player);
    InitCallDialog(dialog);
    CallDialogShown(dialog);
    gWindows.gCallDlgOpen = 0;  // and is closed again, as the next event would close a shown one
    return 0;
  }
  player.OpenCallDialog();
  return 0;
}

int HandlePostedMohEvent(IPlayerWindow& player, int posted, int value) {
  if ((posted & kCallerIdTaken) == 0) return HandleMohEvent(player, posted, value);
  const std::optional<std::string> callerId = TakeCallerIdSnapshot();
  return HandleMohEvent(player, posted & ~kCallerIdTaken, value, callerId ? &*callerId : nullptr);
}
