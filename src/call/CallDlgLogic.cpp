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

std::string WarningNotice(ICallDialogWindow& dialog) {
  return dialog.LoadText(IDS_TIMEOUT_IN) + WarnSecondsText(gSettings.gWarnTimeMs) +
         dialog.LoadText(IDS_SECONDS);
}

// The buttons that take the call do nothing once the answer window declined it or the program
// began to end.
bool DeclinedOrEnding() { return gCall.gAnswerDeclined || gModem.gLibraryClosing; }

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
void FillMode(ICallDialogWindow& dialog, CallDlgMode mode) {
  switch (mode) {
    case CallDlgMode::Incoming:
      dialog.SetItemText(IDC_BODY_TEXT, dialog.LoadText(IDS_CALL_OFFERED));
      gWindows.gCallDlgTitle = dialog.LoadText(IDS_TITLE_INCOMING);
      dialog.SetCaption(gWindows.gCallDlgTitle);
      dialog.RefreshItem(IDC_ANSWER_TIME, gCall.gAnswerText);
      dialog.RefreshItem(IDC_INFO_LINE, gCall.gCallerIdText);
      if (gSettings.MuteRingTone == 0) dialog.Sound("ring.wav", SoundMode::Loop);
      break;
    case CallDlgMode::Placing:
      dialog.SetItemText(IDC_BODY_TEXT, gCall.gStatusText);
      gWindows.gCallDlgTitle = dialog.LoadText(IDS_TITLE_PLACING);
      dialog.SetCaption(gWindows.gCallDlgTitle);
      break;
    case CallDlgMode::OnHold:
      dialog.RefreshItem(IDC_BODY_TEXT, HoldSentence(dialog, gCall.gHoldDurationMs));
      dialog.SetCaption(gWindows.gCallDlgTitle);
      dialog.RefreshItem(IDC_HOLD_TIME, gCall.gHoldText);
      break;
    case CallDlgMode::Reconnecting:
      dialog.SetItemText(IDC_BODY_TEXT, gCall.gStatusText);
      dialog.SetCaption(dialog.LoadText(IDS_TITLE_RECONNECTING));
      dialog.SetProgress(0, 30, 1);
      dialog.StartTick(1000);
      CallDialogTick(dialog);
      break;
    default:
      break;  // the body follows when the dialog is shown
  }
}

// The status text the dialog leaves for a state, shown when it is.
void SetStatusForState(ICallDialogWindow& dialog) {
  switch (gCall.gCallState) {
    case CALLSTATE_DENIED:
      gCall.gStatusText = dialog.LoadText(gCall.gPlacingCall ? IDS_MOH_DENIED : IDS_INCOMING_CALL);
      break;
    case CALLSTATE_GRANTED:
      gCall.gStatusText =
          dialog.LoadText(gCall.gPlacingCall ? IDS_PLACE_CALL_PROMPT : IDS_CALL_OFFERED);
      break;
    case CALLSTATE_SWITCH_TO_VOICE:
      gCall.gStatusText = dialog.LoadText(IDS_HOLD_MINUTES_TAIL);
      break;
    case CALLSTATE_TIMEOUT_WARNING:
      gCall.gStatusText = dialog.LoadText(IDS_TIMEOUT_IN);
      break;
    case CALLSTATE_TIMEOUT:
      gCall.gStatusText = dialog.LoadText(IDS_TIMEOUT);
      break;
    default:
      break;
  }
}

}  // namespace

CallDlgMode InitCallDialog(ICallDialogWindow& dialog) {
  LabelDialog(dialog);
  dialog.Place();
  const CallDlgMode mode = ModeFor(gCall.gCallState, gCall.gPlacingCall);
  for (const ControlPresence& control : LayoutFor(mode)) {
    dialog.SetPresence(control.id, control.presence);
  }
  FillMode(dialog, mode);

  dialog.SetItemText(IDC_INFO_LINE, gCall.gCallerIdText);
  if (gCall.gCallState == CALLSTATE_GRANTED || gCall.gCallState == CALLSTATE_SWITCH_TO_VOICE) {
    dialog.StartTick(100);
    CallDialogTick(dialog);
  }
  SetStatusForState(dialog);
  dialog.SetItemText(IDC_INFO_LINE, gCall.gCallerIdText);
  gWindows.gCallDlgOpen = true;
  return mode;
}

void CallDialogShown(ICallDialogWindow& dialog) {
  if (gCall.gCallState != CALLSTATE_SWITCH_TO_VOICE &&
      gCall.gCallState != CALLSTATE_TIMEOUT_WARNING)
    dialog.RefreshItem(IDC_BODY_TEXT, gCall.gStatusText);
}

void CallDialogTick(ICallDialogWindow& dialog) {
  const int remaining = gCall.gHoldRemainingMs;
  const int warnTime = gSettings.gWarnTimeMs;
  if (gCall.gCallState == CALLSTATE_SESSION_TERMINATED) dialog.StepProgress();
  if (remaining <= 0 && gCall.gCallState >= CALLSTATE_GRANTED &&
      gCall.gCallState <= CALLSTATE_TIMEOUT) {
    dialog.RefreshItem(IDC_INFO_LINE, dialog.LoadText(IDS_TIMEOUT));
    gCall.gCallState = CALLSTATE_TIMEOUT;
    gCall.gHoldRemainingMs = 0;
    dialog.DeclareTimeout();
  } else if (remaining > 0 && gSettings.gWarn == 1 &&
             (gCall.gCallState == CALLSTATE_SWITCH_TO_VOICE ||
              gCall.gCallState == CALLSTATE_TIMEOUT_WARNING) &&
             remaining <= warnTime) {
    const std::string notice = WarningNotice(dialog);
    if (dialog.ItemText(IDC_INFO_LINE) != notice) dialog.RefreshItem(IDC_INFO_LINE, notice);
  }
  if (gCall.gCallState == CALLSTATE_GRANTED) {
    dialog.RefreshItem(IDC_ANSWER_TIME, gCall.gAnswerText);
  } else if (gCall.gCallState >= CALLSTATE_SWITCH_TO_VOICE &&
             gCall.gCallState <= CALLSTATE_TIMEOUT) {
    dialog.RefreshItem(IDC_HOLD_TIME, gCall.gHoldText);
  }
}

// Intended: the buttons act in whatever state the dialog is in when pressed; only the command
// and its log line are guarded, the rest always runs. Once the answer window has declined the
// call, the buttons that take it do nothing: accepting would contradict what was just sent.
// Once the program has begun to end, no button does anything.
void OnAnswerCall(ICallDialogWindow& dialog) {
  if (DeclinedOrEnding()) return;
  if (CanTakeCall(gCall.gCallState, gCall.gVoiceActive)) {
    MohCommand(gModem.gMohHandle, MOH_CMD_ACCEPT);
    LogEvent(0, 0, "Answering incoming voice call.");
  }
  StopRing(dialog);
  dialog.StopAnswerTimer();
  gCall.gVoiceActive = true;
}

void OnIgnoreCall(ICallDialogWindow& dialog) {
  if (gModem.gLibraryClosing) return;
  if ((gCall.gCallState == CALLSTATE_GRANTED || gCall.gCallState == CALLSTATE_TIMEOUT_WARNING) &&
      !gCall.gVoiceActive) {
    MohCommand(gModem.gMohHandle, MOH_CMD_DECLINE);
    LogEvent(0, 0, "Ignoring incoming voice call.");
  }
  StopRing(dialog);
  dialog.StopAnswerTimer();
  gCall.gVoiceActive = false;
}

void OnRestoreData(ICallDialogWindow& dialog) {
  if (gModem.gLibraryClosing) return;
  if (InVoiceCallOnHold(gCall.gCallState, gCall.gVoiceActive)) {
    const bool outerBox = gWindows.gCallDlgBoxOpen;
    gWindows.gCallDlgBoxOpen = true;
    dialog.ShowHangUpReminder();
    gWindows.gCallDlgBoxOpen = outerBox;
    // While the box was open the line may have moved on, and an event that replaced this
    // dialog closed the box with it. The restore the user asked for is still sent while the
    // data connection is held, whichever dialog shows now (a refusal of the line may have
    // cleared the voice flag meanwhile); once the hold has ended (run out, data back, session
    // over) there is nothing left to restore, and once the program ends, nothing is sent.
    if (gModem.gLibraryClosing) return;
    if (HoldStillHeld(gCall.gCallState)) {
      MohCommand(gModem.gMohHandle, MOH_CMD_RESUME_DATA);
      LogEvent(0, 0, "Ending voice call, switching back to data.");
    }
  }
  dialog.StopAnswerTimer();
  gCall.gVoiceActive = false;
}

void OnPlaceCallButton(ICallDialogWindow& dialog) {
  if (DeclinedOrEnding()) return;
  if (CanTakeCall(gCall.gCallState, gCall.gVoiceActive)) {
    MohCommand(gModem.gMohHandle, MOH_CMD_ACCEPT);
    LogEvent(0, 0, "Switching to Outgoing voice call.");
  }
  dialog.StopAnswerTimer();
  gCall.gVoiceActive = true;
}

void OnDropData(ICallDialogWindow& dialog) {
  if (gModem.gLibraryClosing) return;
  if (gCall.gCallState == CALLSTATE_DENIED) {
    MohCommand(gModem.gMohHandle, MOH_CMD_DROP_DATA);
    LogEvent(0, 0, "Disconnecting data call to answer incoming voice call.");
  }
  dialog.StopAnswerTimer();
}

void OnCloseCallDialog(ICallDialogWindow& dialog, CallDlgMode mode) {
  if (gCall.gCallState == CALLSTATE_GRANTED && gCall.gPlacingCall && !gModem.gLibraryClosing) {
    gCall.gPlacingCall = false;
    LogEvent(0, 0, "UserCancelled PlaceCall, Going back to Data");
    MohCommand(gModem.gMohHandle, MOH_CMD_DECLINE);
    gCall.gCallState = CALLSTATE_SESSION_TERMINATED;
    dialog.StopAnswerTimer();
    StopRing(dialog);
    return;
  }
  if (ClosesOnRequest(mode)) dialog.Dismiss();
}

void OnEscapeCallDialog(ICallDialogWindow& dialog, CallDlgMode mode) {
  if (ClosesOnRequest(mode)) dialog.Dismiss();
}
