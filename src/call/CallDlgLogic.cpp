#include "call/CallDlgLogic.h"

#include "base/EventLog.h"
#include "base/OpenWindows.h"
#include "call/CallState.h"
#include "fw/Text.h"
#include "moh/ModemSelection.h"
#include "moh/MohApi.h"
#include "moh/MohEvents.h"
#include "moh/MohSettings.h"
#include "res/resource.h"

namespace {

constexpr int kLayoutIds[] = {
    kButtonAnswer,   kButtonIgnore, kButtonPlace,        kButtonDrop,   kButtonRestore,
    IDC_ANSWER_TIME, IDC_HOLD_TIME, IDC_HOLD_TIME_LABEL, IDC_INFO_LINE, IDC_RECONNECT_PROGRESS};

std::string WarningNotice(const CallDialogRoad& road, ICallDialogWindow& dialog) {
  return dialog.LoadText(IDS_TIMEOUT_IN) + WarnSecondsText(road.settings.gWarnTimeMs) +
         dialog.LoadText(IDS_SECONDS);
}

// The buttons that take the call do nothing once the answer window declined it or the program
// began to end.
bool DeclinedOrEnding(const CallDialogRoad& road) {
  return road.call.gAnswerDeclined || road.modem.gLibraryClosing;
}

}  // namespace

void HeadlessCallDialog::DeclareTimeout() { MohEventCallback(MOH_TIMEOUT, 0); }

CallDlgMode ModeFor(int callState, int placingCall) {
  switch (callState) {
    case CALLSTATE_DENIED:
      return CallDlgMode::NoHold;
    case CALLSTATE_GRANTED:
      return placingCall != 0 ? CallDlgMode::Placing : CallDlgMode::Incoming;
    case CALLSTATE_SWITCH_TO_VOICE:
    case CALLSTATE_TIMEOUT_WARNING:
      return CallDlgMode::OnHold;
    case CALLSTATE_TIMEOUT:
      return CallDlgMode::TimedOut;
    case CALLSTATE_SESSION_TERMINATED:
      return CallDlgMode::Reconnecting;
    default:
      return CallDlgMode::StatusOnly;
  }
}

bool ClosesOnRequest(CallDlgMode mode) {
  return mode == CallDlgMode::NoHold || mode == CallDlgMode::TimedOut ||
         mode == CallDlgMode::Reconnecting || mode == CallDlgMode::StatusOnly;
}

std::vector<ControlPresence> LayoutFor(CallDlgMode mode) {
  constexpr Presence S = Presence::Shown, D = Presence::Disabled, H = Presence::Hidden;
  // Columns as kLayoutIds: answer, ignore, place, drop, restore, answer time, hold time, its
  // label, info line, progress bar.
  static const Presence kTable[][10] = {
      /* Incoming     */ {S, S, H, H, H, S, H, H, S, H},
      /* Placing      */ {H, H, S, H, H, H, H, H, H, H},
      /* OnHold       */ {H, H, H, H, S, H, S, S, H, H},
      /* NoHold       */ {H, H, H, S, H, H, H, H, S, H},
      /* TimedOut     */ {D, D, H, H, S, S, S, H, S, H},
      /* Reconnecting */ {H, H, H, H, H, H, H, H, H, S},
      /* StatusOnly   */ {D, D, H, H, H, H, H, H, S, H},
  };
  std::vector<ControlPresence> layout;
  for (size_t i = 0; i < std::size(kLayoutIds); ++i) {
    layout.push_back({kLayoutIds[i], kTable[static_cast<int>(mode)][i]});
  }
  return layout;
}

std::string HoldSentence(ICallDialogWindow& dialog, int holdDurationMs) {
  std::string sentence = dialog.LoadText(IDS_HOLD_SENTENCE_HEAD);
  if (holdDurationMs != 0) sentence += fw::Format(" %2d ", holdDurationMs / 60000);
  return sentence + dialog.LoadText(IDS_HOLD_MINUTES_TAIL);
}

namespace {

void LabelDialog(ICallDialogWindow& dialog) {
  dialog.SetItemText(kButtonAnswer, dialog.LoadText(IDS_ANSWER_CALL));
  dialog.SetItemText(kButtonIgnore, dialog.LoadText(IDS_IGNORE_CALL));
  dialog.SetItemText(kButtonRestore, dialog.LoadText(IDS_RESTORE_DATA));
  dialog.SetItemText(kButtonPlace, dialog.LoadText(IDS_PLACE_CALL));
  dialog.SetItemText(kButtonDrop, dialog.LoadText(IDS_DROP_DATA));
  dialog.SetCaption(dialog.LoadText(IDS_CALL_DLG_CAPTION));
}

// The body, caption and timers of the modes that set them when the dialog is made.
void FillMode(const CallDialogRoad& road, ICallDialogWindow& dialog, CallDlgMode mode) {
  switch (mode) {
    case CallDlgMode::Incoming:
      dialog.SetItemText(IDC_BODY_TEXT, dialog.LoadText(IDS_CALL_OFFERED));
      road.windows.gCallDlgTitle = dialog.LoadText(IDS_TITLE_INCOMING);
      dialog.SetCaption(road.windows.gCallDlgTitle);
      dialog.RefreshItem(IDC_ANSWER_TIME, road.call.gAnswerText);
      dialog.RefreshItem(IDC_INFO_LINE, road.call.gCallerIdText);
      if (road.settings.MuteRingTone == 0) dialog.Sound("ring.wav", SoundMode::Loop);
      break;
    case CallDlgMode::Placing:
      dialog.SetItemText(IDC_BODY_TEXT, road.call.gStatusText);
      road.windows.gCallDlgTitle = dialog.LoadText(IDS_TITLE_PLACING);
      dialog.SetCaption(road.windows.gCallDlgTitle);
      break;
    case CallDlgMode::OnHold:
      dialog.RefreshItem(IDC_BODY_TEXT, HoldSentence(dialog, road.call.gHoldDurationMs));
      dialog.SetCaption(road.windows.gCallDlgTitle);
      dialog.RefreshItem(IDC_HOLD_TIME, road.call.gHoldText);
      break;
    case CallDlgMode::Reconnecting:
      dialog.SetItemText(IDC_BODY_TEXT, road.call.gStatusText);
      dialog.SetCaption(dialog.LoadText(IDS_TITLE_RECONNECTING));
      dialog.SetProgress(0, 30, 1);
      dialog.StartTick(1000);
      CallDialogTick(road, dialog);
      break;
    default:
      break;  // the body follows when the dialog is shown
  }
}

// The status text the dialog leaves for a state, shown when it is.
void SetStatusForState(const CallDialogRoad& road, ICallDialogWindow& dialog) {
  switch (road.call.gCallState) {
    case CALLSTATE_DENIED:
      road.call.gStatusText =
          dialog.LoadText(road.call.gPlacingCall ? IDS_MOH_DENIED : IDS_INCOMING_CALL);
      break;
    case CALLSTATE_GRANTED:
      road.call.gStatusText =
          dialog.LoadText(road.call.gPlacingCall ? IDS_PLACE_CALL_PROMPT : IDS_CALL_OFFERED);
      break;
    case CALLSTATE_SWITCH_TO_VOICE:
      road.call.gStatusText = dialog.LoadText(IDS_HOLD_MINUTES_TAIL);
      break;
    case CALLSTATE_TIMEOUT_WARNING:
      road.call.gStatusText = dialog.LoadText(IDS_TIMEOUT_IN);
      break;
    case CALLSTATE_TIMEOUT:
      road.call.gStatusText = dialog.LoadText(IDS_TIMEOUT);
      break;
    default:
      break;
  }
}

}  // namespace

CallDlgMode InitCallDialog(const CallDialogRoad& road, ICallDialogWindow& dialog) {
  LabelDialog(dialog);
  dialog.Place();
  const CallDlgMode mode = ModeFor(road.call.gCallState, road.call.gPlacingCall);
  for (const ControlPresence& control : LayoutFor(mode)) {
    dialog.SetPresence(control.id, control.presence);
  }
  FillMode(road, dialog, mode);

  dialog.SetItemText(IDC_INFO_LINE, road.call.gCallerIdText);
  if (road.call.gCallState == CALLSTATE_GRANTED ||
      road.call.gCallState == CALLSTATE_SWITCH_TO_VOICE) {
    dialog.StartTick(100);
    CallDialogTick(road, dialog);
  }
  SetStatusForState(road, dialog);
  dialog.SetItemText(IDC_INFO_LINE, road.call.gCallerIdText);
  road.windows.gCallDlgOpen = true;
  return mode;
}

void CallDialogShown(const CallDialogRoad& road, ICallDialogWindow& dialog) {
  if (road.call.gCallState != CALLSTATE_SWITCH_TO_VOICE &&
      road.call.gCallState != CALLSTATE_TIMEOUT_WARNING)
    dialog.RefreshItem(IDC_BODY_TEXT, road.call.gStatusText);
}

void CallDialogTick(const CallDialogRoad& road, ICallDialogWindow& dialog) {
  const int remaining = road.call.gHoldRemainingMs;
  const int warnTime = road.settings.gWarnTimeMs;
  if (road.call.gCallState == CALLSTATE_SESSION_TERMINATED) dialog.StepProgress();
  if (remaining <= 0 && road.call.gCallState >= CALLSTATE_GRANTED &&
      road.call.gCallState <= CALLSTATE_TIMEOUT) {
    dialog.RefreshItem(IDC_INFO_LINE, dialog.LoadText(IDS_TIMEOUT));
    road.call.gCallState = CALLSTATE_TIMEOUT;
    road.call.gHoldRemainingMs = 0;
    // Through the library's callback, as if the line had said so, on purpose: the timeout
    // then takes the event road of every other family and state, not a path of its own here.
    dialog.DeclareTimeout();
  } else if (remaining > 0 && road.settings.gWarn == 1 &&
             (road.call.gCallState == CALLSTATE_SWITCH_TO_VOICE ||
              road.call.gCallState == CALLSTATE_TIMEOUT_WARNING) &&
             remaining <= warnTime) {
    const std::string notice = WarningNotice(road, dialog);
    if (dialog.ItemText(IDC_INFO_LINE) != notice) dialog.RefreshItem(IDC_INFO_LINE, notice);
  }
  if (road.call.gCallState == CALLSTATE_GRANTED) {
    dialog.RefreshItem(IDC_ANSWER_TIME, road.call.gAnswerText);
  } else if (road.call.gCallState >= CALLSTATE_SWITCH_TO_VOICE &&
             road.call.gCallState <= CALLSTATE_TIMEOUT) {
    dialog.RefreshItem(IDC_HOLD_TIME, road.call.gHoldText);
  }
}

// Intended: the buttons act in whatever state the dialog is in when pressed; only the command
// and its log line are guarded, the rest always runs. Once the answer window has declined the
// call, the buttons that take it do nothing: accepting would contradict what was just sent.
// Once the program has begun to end, no button does anything.
void OnAnswerCall(const CallDialogRoad& road, ICallDialogWindow& dialog) {
  if (DeclinedOrEnding(road)) return;
  if (CanTakeCall(road.call.gCallState, road.call.gVoiceActive)) {
    MohCommand(road.modem.gMohHandle, MOH_CMD_ACCEPT);
    LogEvent(0, 0, "Answering incoming voice call.");
  }
  StopRing(dialog);
  dialog.StopAnswerTimer();
  road.call.gVoiceActive = true;
}

void OnIgnoreCall(const CallDialogRoad& road, ICallDialogWindow& dialog) {
  if (road.modem.gLibraryClosing) return;
  if ((road.call.gCallState == CALLSTATE_GRANTED ||
       road.call.gCallState == CALLSTATE_TIMEOUT_WARNING) &&
      !road.call.gVoiceActive) {
    MohCommand(road.modem.gMohHandle, MOH_CMD_DECLINE);
    LogEvent(0, 0, "Ignoring incoming voice call.");
  }
  StopRing(dialog);
  dialog.StopAnswerTimer();
  road.call.gVoiceActive = false;
}

void OnRestoreData(const CallDialogRoad& road, ICallDialogWindow& dialog) {
  if (road.modem.gLibraryClosing) return;
  if (InVoiceCallOnHold(road.call.gCallState, road.call.gVoiceActive)) {
    const bool outerBox = road.windows.gCallDlgBoxOpen;
    road.windows.gCallDlgBoxOpen = true;
    dialog.ShowHangUpReminder();
    road.windows.gCallDlgBoxOpen = outerBox;
    // While the box was open the line may have moved on, and an event that replaced this
    // dialog closed the box with it. The restore the user asked for is still sent while the
    // data connection is held, whichever dialog shows now (a refusal of the line may have
    // cleared the voice flag meanwhile); once the hold has ended (run out, data back, session
    // over) there is nothing left to restore, and once the program ends, nothing is sent.
    if (road.modem.gLibraryClosing) return;
    if (HoldStillHeld(road.call.gCallState)) {
      MohCommand(road.modem.gMohHandle, MOH_CMD_RESUME_DATA);
      LogEvent(0, 0, "Ending voice call, switching back to data.");
    }
  }
  dialog.StopAnswerTimer();
  road.call.gVoiceActive = false;
}

void OnPlaceCallButton(const CallDialogRoad& road, ICallDialogWindow& dialog) {
  if (DeclinedOrEnding(road)) return;
  if (CanTakeCall(road.call.gCallState, road.call.gVoiceActive)) {
    MohCommand(road.modem.gMohHandle, MOH_CMD_ACCEPT);
    LogEvent(0, 0, "Switching to Outgoing voice call.");
  }
  dialog.StopAnswerTimer();
  road.call.gVoiceActive = true;
}

void OnDropData(const CallDialogRoad& road, ICallDialogWindow& dialog) {
  if (road.modem.gLibraryClosing) return;
  if (road.call.gCallState == CALLSTATE_DENIED) {
    MohCommand(road.modem.gMohHandle, MOH_CMD_DROP_DATA);
    LogEvent(0, 0, "Disconnecting data call to answer incoming voice call.");
  }
  dialog.StopAnswerTimer();
}

void OnCloseCallDialog(const CallDialogRoad& road, ICallDialogWindow& dialog, CallDlgMode mode) {
  if (road.call.gCallState == CALLSTATE_GRANTED && road.call.gPlacingCall &&
      !road.modem.gLibraryClosing) {
    road.call.gPlacingCall = false;
    LogEvent(0, 0, "UserCancelled PlaceCall, Going back to Data");
    MohCommand(road.modem.gMohHandle, MOH_CMD_DECLINE);
    road.call.gCallState = CALLSTATE_SESSION_TERMINATED;
    dialog.StopAnswerTimer();
    StopRing(dialog);
    return;
  }
  if (ClosesOnRequest(mode)) dialog.Dismiss();
}

void OnEscapeCallDialog(ICallDialogWindow& dialog, CallDlgMode mode) {
  if (ClosesOnRequest(mode)) dialog.Dismiss();
}
