#include "calldlg/CallDialogModel.h"

#include "app/EventLog.h"
#include "fw/Text.h"
#include "moh/ModemSelection.h"
#include "moh/MohApi.h"
#include "moh/MohSettings.h"
#include "res/resource.h"
#include "tray/CallState.h"
#include "tray/PlayerPort.h"

int gCallDlgOpen = 0;
int gCallDlgCentre = 1;
std::string gCallDlgTitle;

namespace {

constexpr int kButtonAnswer = 1;  // IDOK
constexpr int kButtonPlace = 2;   // IDCANCEL
constexpr int kButtonDrop = 3;    // IDABORT
constexpr unsigned kRingFlags = SOUND_ASYNC | SOUND_LOOP;

constexpr int kLayoutIds[] = {
    kButtonAnswer,   IDC_IGNORE_CALL, kButtonPlace,        kButtonDrop,   IDC_RESTORE_DATA,
    IDC_ANSWER_TIME, IDC_HOLD_TIME,   IDC_HOLD_TIME_LABEL, IDC_INFO_LINE, IDC_RECONNECT_PROGRESS};

void StopSound(CallDialogPort& dialog) { dialog.Sound(nullptr, SOUND_ASYNC); }

bool InVoiceCallOnHold() { return (gCallState == 8 || gCallState == 9) && gVoiceActive == 1; }

bool CanTakeCall() { return gCallState == 7 || (gCallState == 9 && gVoiceActive == 0); }

std::string WarningNotice(CallDialogPort& dialog) {
  return dialog.LoadText(IDS_TIMEOUT_IN) +
         fw::Format(" %3d ", static_cast<int>(gWarnTimeMs * 0.001)) + dialog.LoadText(IDS_SECONDS);
}

}  // namespace

CallDlgMode ModeFor(int callState, int placingCall) {
  switch (callState) {
    case 6:
      return CallDlgMode::NoHold;
    case 7:
      return placingCall != 0 ? CallDlgMode::Placing : CallDlgMode::Incoming;
    case 8:
    case 9:
      return CallDlgMode::OnHold;
    case 10:
      return CallDlgMode::TimedOut;
    case 15:
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
  // Columns as kLayoutIds: 1, 1035, 2, 3, 1036, 1017, 1018, 1051, 1019, 1058.
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

Origin CentredOrigin(int screenWidth, int screenHeight, int width, int height) {
  return {screenWidth / 2 - width / 2, screenHeight / 2 - height / 2};
}

std::string HoldSentence(CallDialogPort& dialog, int holdDurationMs) {
  std::string sentence = dialog.LoadText(IDS_HOLD_SENTENCE_HEAD);
  if (holdDurationMs != 0) sentence += fw::Format(" %2d ", holdDurationMs / 60000);
  return sentence + dialog.LoadText(IDS_HOLD_MINUTES_TAIL);
}

CallDlgMode InitCallDialog(CallDialogPort& dialog) {
  dialog.SetItemText(kButtonAnswer, dialog.LoadText(IDS_ANSWER_CALL));
  dialog.SetItemText(IDC_IGNORE_CALL, dialog.LoadText(IDS_IGNORE_CALL));
  dialog.SetItemText(IDC_RESTORE_DATA, dialog.LoadText(IDS_RESTORE_DATA));
  dialog.SetItemText(kButtonPlace, dialog.LoadText(IDS_PLACE_CALL));
  dialog.SetItemText(kButtonDrop, dialog.LoadText(IDS_DROP_DATA));
  dialog.SetCaption(dialog.LoadText(IDS_CALL_DLG_CAPTION));
  dialog.Place();

  const CallDlgMode mode = ModeFor(gCallState, gPlacingCall);
  for (const ControlPresence& control : LayoutFor(mode)) {
    dialog.SetPresence(control.id, control.presence);
  }
  switch (mode) {
    case CallDlgMode::Incoming:
      dialog.SetItemText(IDC_BODY_TEXT, dialog.LoadText(IDS_CALL_OFFERED));
      gCallDlgTitle = dialog.LoadText(IDS_TITLE_INCOMING);
      dialog.SetCaption(gCallDlgTitle);
      dialog.RefreshItem(IDC_ANSWER_TIME, gAnswerText);
      dialog.RefreshItem(IDC_INFO_LINE, gCallerIdText);
      if (MuteRingTone == 0) dialog.Sound("ring.wav", kRingFlags);
      break;
    case CallDlgMode::Placing:
      dialog.SetItemText(IDC_BODY_TEXT, gStatusText);
      gCallDlgTitle = dialog.LoadText(IDS_TITLE_PLACING);
      dialog.SetCaption(gCallDlgTitle);
      break;
    case CallDlgMode::OnHold:
      dialog.RefreshItem(IDC_BODY_TEXT, HoldSentence(dialog, gHoldDurationMs));
      dialog.SetCaption(gCallDlgTitle);
      dialog.RefreshItem(IDC_HOLD_TIME, gHoldText);
      break;
    case CallDlgMode::Reconnecting:
      dialog.SetItemText(IDC_BODY_TEXT, gStatusText);
      dialog.SetCaption(dialog.LoadText(IDS_TITLE_RECONNECTING));
      dialog.SetProgress(0, 30, 1);
      dialog.StartTick(1000);
      CallDialogTick(dialog);
      break;
    default:
      break;  // the body follows when the dialog is shown
  }

  dialog.SetItemText(IDC_INFO_LINE, gCallerIdText);
  if (gCallState == 7 || gCallState == 8) {
    dialog.StartTick(100);
    CallDialogTick(dialog);
  }
  switch (gCallState) {
    case 6:
      gStatusText = dialog.LoadText(gPlacingCall == 0 ? IDS_INCOMING_CALL : IDS_MOH_DENIED);
      break;
    case 7:
      gStatusText = dialog.LoadText(gPlacingCall == 0 ? IDS_CALL_OFFERED : IDS_PLACE_CALL_PROMPT);
      break;
    case 8:
      gStatusText = dialog.LoadText(IDS_HOLD_MINUTES_TAIL);
      break;
    case 9:
      gStatusText = dialog.LoadText(IDS_TIMEOUT_IN);
      break;
    case 10:
      gStatusText = dialog.LoadText(IDS_TIMEOUT);
      break;
    default:
      break;
  }
  dialog.SetItemText(IDC_INFO_LINE, gCallerIdText);
  gCallDlgOpen = 1;
  return mode;
}

void CallDialogShown(CallDialogPort& dialog) {
  if (gCallState != 8 && gCallState != 9) dialog.RefreshItem(IDC_BODY_TEXT, gStatusText);
}

void CallDialogTick(CallDialogPort& dialog) {
  const int remaining = gHoldRemainingMs;
  const int warnTime = gWarnTimeMs;
  if (gCallState == 15) dialog.StepProgress();
  if (remaining <= 0 && gCallState >= 7 && gCallState <= 10) {
    dialog.RefreshItem(IDC_INFO_LINE, dialog.LoadText(IDS_TIMEOUT));
    gCallState = 10;
    gHoldRemainingMs = 0;
    dialog.DeclareTimeout();
  } else if (remaining > 0 && gWarn == 1 && (gCallState == 8 || gCallState == 9) &&
             remaining <= warnTime) {
    const std::string notice = WarningNotice(dialog);
    if (dialog.ItemText(IDC_INFO_LINE) != notice) dialog.RefreshItem(IDC_INFO_LINE, notice);
  }
  if (gCallState == 7) {
    dialog.RefreshItem(IDC_ANSWER_TIME, gAnswerText);
  } else if (gCallState >= 8 && gCallState <= 10) {
    dialog.RefreshItem(IDC_HOLD_TIME, gHoldText);
  }
}

void OnAnswerCall(CallDialogPort& dialog) {
  if (CanTakeCall()) {
    MohCommand(gMohHandle, MOH_CMD_ACCEPT);
    LogEvent(0, 0, "Answering incoming voice call.");
  }
  StopSound(dialog);
  dialog.StopAnswerTimer();
  gVoiceActive = 1;
}

void OnIgnoreCall(CallDialogPort& dialog) {
  if ((gCallState == 7 || gCallState == 9) && gVoiceActive == 0) {
    MohCommand(gMohHandle, MOH_CMD_DECLINE);
    LogEvent(0, 0, "Ignoring incoming voice call.");
  }
  StopSound(dialog);
  dialog.StopAnswerTimer();
  gVoiceActive = 0;
}

void OnRestoreData(CallDialogPort& dialog) {
  if (InVoiceCallOnHold()) {
    // While the box is open the hold may run out or the line move on; only a call still on
    // hold in a dialog still open is restored.
    if (!dialog.ShowHangUpReminder() || !InVoiceCallOnHold()) return;
    MohCommand(gMohHandle, MOH_CMD_RESUME_DATA);
    LogEvent(0, 0, "Ending voice call, switching back to data.");
  }
  dialog.StopAnswerTimer();
  gVoiceActive = 0;
}

void OnPlaceCallButton(CallDialogPort& dialog) {
  if (CanTakeCall()) {
    MohCommand(gMohHandle, MOH_CMD_ACCEPT);
    LogEvent(0, 0, "Switching to Outgoing voice call.");
  }
  dialog.StopAnswerTimer();
  gVoiceActive = 1;
}

void OnDropData(CallDialogPort& dialog) {
  if (gCallState == 6) {
    MohCommand(gMohHandle, MOH_CMD_DROP_DATA);
    LogEvent(0, 0, "Disconnecting data call to answer incoming voice call.");
  }
  dialog.StopAnswerTimer();
}

void OnCloseCallDialog(CallDialogPort& dialog, CallDlgMode mode) {
  if (gCallState == 7 && gPlacingCall == 1) {
    gPlacingCall = 0;
    LogEvent(0, 0, "UserCancelled PlaceCall, Going back to Data");
    MohCommand(gMohHandle, MOH_CMD_DECLINE);
    gCallState = 15;
    dialog.StopAnswerTimer();
    StopSound(dialog);
    return;
  }
  if (ClosesOnRequest(mode)) dialog.Dismiss();
}

void OnEscapeCallDialog(CallDialogPort& dialog, CallDlgMode mode) {
  if (ClosesOnRequest(mode)) dialog.Dismiss();
}
