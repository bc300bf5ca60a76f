#include "call/CallEvents.h"

#include <climits>

#include "base/EventLog.h"
#include "base/Messages.h"
#include "call/CallDlgLogic.h"
#include "call/HoldTimer.h"
#include "calllog/CallLog.h"
#include "fw/Text.h"
#include "moh/MohApi.h"
#include "moh/MohEvents.h"

namespace {

constexpr int kIncomingFallbackMs = 15000;
constexpr int kRefusedFallbackMs = 5000;
// The answer prompt quotes this many seconds for every family.
constexpr int kAnswerSecondsQuoted = 15;

std::string Text(const CallRoad& road, unsigned id) { return road.player.LoadText(id); }

void SetState(const CallRoad& road, int state, unsigned textId) {
  road.call.gCallState = state;
  road.call.gStatusText = Text(road, textId);
}

std::string WithCallerId(const CallRoad& road, unsigned id) {
  return Text(road, id) + "\n" + road.call.gCallerIdText;
}

// Where the program keeps the line's state, hold events count only while it is online with
// modem-on-hold on and a session running.
bool SessionHolds(const CallRoad& road) {
  return road.call.gOnline && road.settings.gEnableMOH == 1 && road.call.gMohSession;
}

// The answer window ends: its timer stops, and so does the ring it may have left playing.
void EndAnswerWindow(const CallRoad& road) {
  road.player.KillTimer(TIMER_ANSWER);
  StopRing(road.player);
}

// The offer is over: no fall-back, no answer window.
void EndOffer(const CallRoad& road) {
  road.player.KillTimer(TIMER_FALLBACK);
  EndAnswerWindow(road);
}

// The caller's text, asked of the library now. It holds the newest call's text only: when a
// later call already waits behind this one, the text is that call's, and this call stays one
// without caller ID (on a real line a second call cannot come while the first is offered).
void FetchCallerId(const CallRoad& road, bool newerCallLost) {
  road.call.gCallerIdText.clear();
  if (newerCallLost || LaterIncomingCallWaiting()) return;
  char buffer[MOH_CALLER_ID_SIZE] = {};
  MohGetParam(road.modem.gMohHandle, MOH_PARAM_CALLER_ID_DATA, buffer);
  buffer[sizeof(buffer) - 1] = '\0';  // whatever the library left in the last byte
  // A call reported while we asked may have put its own text there.
  if (LaterIncomingCallWaiting()) return;
  const std::string text = buffer;
  LogEvent(0, 0, EscapeControlCharacters(text));
  road.call.gCallerIdText = text;
  ParseCallerId(road.call.gCallerIdText);
  road.windows.gCallLogBehind = true;
}

void AnswerPrompt(const CallRoad& road) {
  CallInProgress& call = road.call;
  if (call.gPlacingCall) {
    call.gStatusText = Text(road, IDS_PLACE_CALL_PROMPT);
    return;
  }
  // The prompt quotes the answer window's seconds (" %2d ") and the word for them.
  call.gStatusText = Text(road, IDS_CALL_OFFERED) + fw::Format(" %2d ", kAnswerSecondsQuoted) +
                     Text(road, IDS_SECONDS) + "\n" + call.gCallerIdText;
}

void WarningText(const CallRoad& road) {
  CallInProgress& call = road.call;
  call.gStatusText = Text(road, IDS_TIMEOUT_IN) + WarnSecondsText(road.settings.gWarnTimeMs) +
                     Text(road, IDS_SECONDS) + "\n" + call.gCallerIdText;
}

void StartCountdown(const CallRoad& road) {
  road.call.gLastTickCount = road.player.TickCount();
  road.player.SetTimer(TIMER_HOLD_TICK, 1000);
  // The first step at once, as the window's timer handling makes it.
  road.player.RefreshTrayIcon();
  HandleTimer(road, TIMER_HOLD_TICK);
}

void LogHoldDuration(int holdMs) {
  if (holdMs != 0) LogEvent(0, 0, fw::Format("MOH Duration %d Msec", holdMs));
}

bool GrantCounts(const CallRoad& road) {
  if (road.family.keepsLineState) return road.call.gOnline && road.settings.gEnableMOH == 1;
  return road.family.Known() && road.settings.gEnableMOH != 0;
}

void OnGranted(const CallRoad& road, int index) {
  if (!GrantCounts(road)) return;
  CallInProgress& call = road.call;
  const ModemFamily& family = road.family;
  if (!family.keepsLineState) call.gOnline = true;
  if (index == 0) {
    SetState(road, CALLSTATE_DENIED, IDS_INCOMING_CALL);
    call.gHoldDurationMs = 0;
    SetSession(road, false);
    road.player.PostEvent(MOH_DENIED, 0);
    if (!family.zeroHoldOnDenial) return;
  }
  call.gHoldDurationMs = HoldTimeForIndex(index);
  LogHoldDuration(call.gHoldDurationMs);
  call.gCallState = CALLSTATE_GRANTED;
  SetSession(road, true);
  AnswerPrompt(road);
  call.gHoldRemainingMs = call.gHoldDurationMs - family.holdHeadroomMs;
  call.gAnswerRemainingMs = family.answerWindowMs;
  StartCountdown(road);
  road.player.SetTimer(TIMER_ANSWER, family.answerWindowMs);
}

void OnIncomingCall(const CallRoad& road, int value) {
  const bool newerCallLost = TakeIncomingCall();
  CallInProgress& call = road.call;
  call.gPlacingCall = false;
  if (!road.family.Known()) return;
  const bool keepsLine = road.family.keepsLineState;
  if (!keepsLine || call.gOnline) {
    SetState(road, CALLSTATE_INCOMING_CALL, IDS_INCOMING_CALL);
    call.gCallerIdText.clear();
    if (value == 1 && road.settings.gCallerID != 0) FetchCallerId(road, newerCallLost);
  }
  if (!keepsLine) {
    if (road.settings.gEnableMOH != 0) road.player.SetTimer(TIMER_FALLBACK, kIncomingFallbackMs);
  } else if (call.gOnline && road.settings.gEnableMOH == 1 && !call.gMohSession) {
    // A second call while a session runs shows the call again but keeps its fall-back time.
    SetMohSessionLocked(call, true);
    call.gVoiceActive = false;
    road.player.SetTimer(TIMER_FALLBACK, kIncomingFallbackMs);
  }
}

void OnRefused(const CallRoad& road) {
  CallInProgress& call = road.call;
  call.gVoiceActive = false;
  if (road.family.keepsLineState) {
    road.player.KillTimer(TIMER_FALLBACK);
    if (call.gOnline && road.settings.gEnableMOH != 0 &&
        call.gCallState == CALLSTATE_INCOMING_CALL) {
      SetState(road, CALLSTATE_DENIED, IDS_INCOMING_CALL);
    }
  } else if (road.family.Known() && road.settings.gEnableMOH != 0) {
    call.gCallState = CALLSTATE_DENIED;
    road.player.SetTimer(TIMER_FALLBACK, kRefusedFallbackMs);
    call.gStatusText = Text(road, call.gPlacingCall ? IDS_MOH_DENIED : IDS_INCOMING_CALL);
  }
}

// Returns false when the handler must stop at once.
bool OnModemActive(const CallRoad& road) {
  CallInProgress& call = road.call;
  call.gVoiceActive = false;
  call.gPlacingCall = false;
  call.gCallState = CALLSTATE_MODEM_ACTIVE;
  const bool echo = TakeModemActiveEcho();
  if (road.family.keepsLineState) SetOnlineLocked(call, true);
  if (road.family.rebindsWhenActive) {
    MODEM_ENTRY entry = road.modem.gpModems[road.modem.gModemSelIndex];
    // The echo of an initialisation of ours reports the modem bound already.
    if (!echo && InitializeMoh(road.modem.gMohHandle, &entry) == 0) return false;
    call.gOnline = true;
    call.gMohSession = true;
  }
  call.gStatusText = Text(road, IDS_MODEM_ACTIVE);
  return true;
}

void OnModemIdle(const CallRoad& road) {
  road.player.KillTimer(TIMER_FALLBACK);
  road.call.gVoiceActive = false;
  road.call.gPlacingCall = false;
  if (road.family.keepsLineState) SetOnlineLocked(road.call, false);
  SetSession(road, false);
  SetState(road, CALLSTATE_MODEM_IDLE, IDS_MODEM_IDLE);
}

void OnSwitchToVoice(const CallRoad& road) {
  EndOffer(road);
  road.call.gVoiceActive = true;
  road.call.gCallState = CALLSTATE_SWITCH_TO_VOICE;
  road.call.gStatusText = WithCallerId(road, IDS_HOLD_MINUTES_TAIL);
}

void OnTimeoutWarning(const CallRoad& road) {
  EndOffer(road);
  // Where the program keeps the line's state, hold events need modem-on-hold set to exactly 1.
  // Elsewhere the warning does too, while the timeout below, the grant and the refusal count
  // for any nonzero setting.
  const bool counts = road.family.keepsLineState
                          ? SessionHolds(road)
                          : road.family.Known() && road.settings.gEnableMOH == 1;
  if (!counts) return;
  road.call.gCallState = CALLSTATE_TIMEOUT_WARNING;
  SetSession(road, true);
  WarningText(road);
}

void OnTimeout(const CallRoad& road) {
  EndOffer(road);
  const bool counts = road.family.keepsLineState
                          ? SessionHolds(road)
                          : road.family.Known() && road.settings.gEnableMOH != 0;
  if (!counts) return;
  road.call.gCallState = CALLSTATE_TIMEOUT;
  if (road.family.dropsDataOnTimeout) MohCommand(road.modem.gMohHandle, MOH_CMD_DROP_DATA);
  road.call.gStatusText = WithCallerId(road, IDS_TIMEOUT);
}

void OnDataDisconnected(const CallRoad& road) {
  EndOffer(road);
  road.call.gVoiceActive = false;
  if (!road.family.Known()) return;
  SetState(road, CALLSTATE_DATA_DISCONNECTED, road.family.dataDisconnectedText);
  SetSession(road, false);
}

void OnDataResumed(const CallRoad& road) {
  EndAnswerWindow(road);
  road.call.gVoiceActive = false;
  if (!road.family.Known()) return;
  road.player.KillTimer(TIMER_FALLBACK);
  SetState(road, CALLSTATE_DATA_RESUMED, road.family.dataResumedText);
  SetSession(road, false);
}

void OnError(const CallRoad& road, int subCode) {
  EndOffer(road);
  road.call.gVoiceActive = false;
  road.call.gCallState = CALLSTATE_ERROR;
  const unsigned id = ErrorTextId(subCode, road.family);
  if (id != 0) road.call.gStatusText = Text(road, id);
}

void OnRestoring(const CallRoad& road) {
  road.call.gCallState = CALLSTATE_RESTORING;
  road.call.gStatusText = WithCallerId(road, IDS_RESTORING);
  if (road.family.acknowledgesRestore) MohCommand(road.modem.gMohHandle, MOH_CMD_RESTORE_ACK);
  road.player.KillTimer(TIMER_FALLBACK);
  road.call.gVoiceActive = false;
  SetSession(road, false);
}

void OnSessionTerminated(const CallRoad& road) {
  EndOffer(road);
  road.call.gVoiceActive = false;
  SetState(road, CALLSTATE_SESSION_TERMINATED, IDS_RECONNECTING);
}

void OnRemoteTimeout(const CallRoad& road) {
  road.call.gVoiceActive = false;
  SetState(road, CALLSTATE_REMOTE_TIMEOUT, IDS_REMOTE_TIMEOUT);
  SetSession(road, false);
  road.player.KillTimer(TIMER_HOLD_TICK);
}

// The events that end or leave a hold.
void ApplyLaterEvent(const CallRoad& road, int event, int value) {
  switch (event) {
    case MOH_DATA_DISCONNECTED:
      OnDataDisconnected(road);
      break;
    case MOH_DATA_RESUMED:
      OnDataResumed(road);
      break;
    case MOH_ERROR:
      OnError(road, value);
      break;
    case MOH_RESTORING:
      OnRestoring(road);
      break;
    case MOH_SESSION_TERMINATED:
      OnSessionTerminated(road);
      break;
    case MOH_REMOTE_TIMEOUT:
      OnRemoteTimeout(road);
      break;
    case MOH_MODEM_UNAVAILABLE:
      SetState(road, CALLSTATE_MODEM_UNAVAILABLE, IDS_MODEM_UNAVAILABLE);
      break;
    default:
      break;  // an event the program does not know changes nothing
  }
}

// Returns false when the handler must stop at once.
bool ApplyEvent(const CallRoad& road, int event, int value) {
  switch (event) {
    case MOH_EVENT_1:
      SetState(road, CALLSTATE_EVENT_1, IDS_EVENT_1);
      break;
    case MOH_MODEM_ACCESS_FAILED:
      SetState(road, CALLSTATE_MODEM_ACCESS_FAILED, IDS_MODEM_ACCESS_FAILED);
      break;
    case MOH_MODEM_ACTIVE:
      return OnModemActive(road);
    case MOH_MODEM_IDLE:
      OnModemIdle(road);
      break;
    case MOH_INCOMING_CALL:
      OnIncomingCall(road, value);
      break;
    case MOH_DENIED:
    case MOH_NOT_SUPPORTED:
      OnRefused(road);
      break;
    case MOH_GRANTED:
      road.player.KillTimer(TIMER_FALLBACK);
      road.call.gVoiceActive = false;
      OnGranted(road, value);
      break;
    case MOH_SWITCH_TO_VOICE:
      OnSwitchToVoice(road);
      break;
    case MOH_TIMEOUT_WARNING:
      OnTimeoutWarning(road);
      break;
    case MOH_TIMEOUT:
      OnTimeout(road);
      break;
    default:
      ApplyLaterEvent(road, event, value);
      break;
  }
  return true;
}

// After the event: an open call log that is behind is brought up to date once a burst is
// handled, and the call dialog is closed and, for a state that shows one, opened anew.
void ShowOutcome(const CallRoad& road) {
  IPlayerWindow& player = road.player;
  const bool more = player.MoreEventsQueued();
  if (road.windows.gCallLogBehind && !more) {
    road.windows.gCallLogBehind = false;
    player.RefreshCallLog();
  }
  player.CloseCallDialog();
  if (!ShowsCallDialog(road.call.gCallState)) return;
  if (more) {
    // The next event replaces this dialog at once: it makes every change a shown dialog would,
    // without a window, so that of a burst of events only the last dialog is built.
    HeadlessCallDialog dialog([&player](unsigned id) { return player.LoadText(id); }, player);
    InitCallDialog(DialogRoadOf(road), dialog);
    CallDialogShown(DialogRoadOf(road), dialog);
    road.windows.gCallDlgOpen = false;  // and is closed again, as the next event would close it
    return;
  }
  player.OpenCallDialog();
}

}  // namespace

int HoldTimeForIndex(int index) {
  static const int kHoldMs[] = {0,      10000,  20000,  30000,  40000,  60000,  120000,
                                180000, 240000, 360000, 480000, 720000, 960000, INT_MAX};
  if (index < 0 || index > 13) return 0;
  return kHoldMs[index];
}

unsigned ErrorTextId(int subCode, const ModemFamily& family) {
  constexpr int kCodes = static_cast<int>(sizeof(kErrorTextIds) / sizeof(kErrorTextIds[0]));
  if (subCode == 0) return family.showsUncodedError ? IDS_ERROR : 0;
  if (subCode >= 1 && subCode <= kCodes) return kErrorTextIds[subCode - 1];
  return IDS_ERROR;
}

int HandleMohEvent(const CallRoad& road, int event, int value, EventSource source) {
  if (road.modem.gLibraryClosing) {
    // The program ends: the event changes nothing, and a call no longer waits behind another.
    if (event == MOH_INCOMING_CALL) TakeIncomingCall();
    return 0;
  }
  // Whatever the library reports next answers a pending request and ends a declined offer.
  if (source == EventSource::Library) {
    road.call.gOriginatePending = false;
    road.call.gAnswerDeclined = false;
  }
  if (!ApplyEvent(road, event, value)) return -1;
  ShowOutcome(road);
  return 0;
}

int DispatchMohEvent(const CallRoad& road, uintptr_t eventWord, int value) {
  UncountPostedEvent();  // this one: what is counted now waits behind it
  const auto word = static_cast<uint32_t>(eventWord);
  if ((word & kOwnEventMask) == kOwnEventMark) {
    return HandleMohEvent(road, static_cast<int>(word & ~kOwnEventMask), value,
                          EventSource::Program);
  }
  return HandleMohEvent(road, static_cast<int>(word), value);
}
