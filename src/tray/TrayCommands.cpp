#include "tray/TrayCommands.h"

#include "base/EventLog.h"
#include "base/Messages.h"
#include "base/OpenWindows.h"
#include "call/CallDlgLogic.h"
#include "call/CallState.h"
#include "moh/ModemFamily.h"
#include "moh/ModemSelection.h"
#include "moh/MohApi.h"
#include "moh/MohEvents.h"
#include "moh/MohSettings.h"
#include "res/resource.h"

namespace {

const char* const kOriginating = "Originating MOH to place outgoing voice call.";

// The question's box runs a message loop in which the command may come again.
bool gAskingToDisable = false;
// Likewise the About box.
bool gAboutOpen = false;

}  // namespace

void OnDisableMoh(const CallRoad& road, ITrayCommandWindow& window) {
  if (gAskingToDisable || road.modem.gLibraryClosing) return;
  if (road.windows.gCallDlgBoxOpen) return window.RaiseCallDialogBox();
  gAskingToDisable = true;
  const bool yes = window.AskYesNo(IDS_ASK_DISABLE_MOH);
  gAskingToDisable = false;
  if (!yes || road.modem.gLibraryClosing) return;
  CloseLibrary(road.modem);
  window.PostClose();
}

void OnPlaceCall(const CallRoad& road) {
  CallInProgress& call = road.call;
  const ModemFamily& family = road.family;
  const uint32_t nowMs = road.player.TickCount();
  if (road.modem.gLibraryClosing) return;
  // One request at a time, until the library answers it. TELKA and BORIN do not say whether
  // they took the request, and a library that never answers must not leave the command dead:
  // a provider answers a hold request within the time a caller is given to answer, so a
  // request still unanswered after the family's answer window is taken as lost.
  if (call.gOriginatePending) {
    const uint32_t waited = nowMs - call.gOriginateSentMs;  // wrap-around safe
    if (waited < static_cast<uint32_t>(family.answerWindowMs)) return;
    call.gOriginatePending = false;
  }
  call.gCallerIdText.clear();
  if (!family.Known()) return;
  if (family.placesCallsOnlyWhenActive && call.gCallState != CALLSTATE_MODEM_ACTIVE) return;
  // A request starts a call of its own: a refused call's fall-back and a past offer's answer
  // window, still running, would end it as theirs.
  if (call.gCallState == CALLSTATE_DENIED) road.player.KillTimer(TIMER_FALLBACK);
  if (!HoldRunning(call.gCallState)) road.player.KillTimer(TIMER_ANSWER);
  call.gPlacingCall = true;
  call.gOriginatePending = true;
  call.gOriginateSentMs = nowMs;
  const int accepted = MohCommand(road.modem.gMohHandle, MOH_CMD_ORIGINATE);
  if (!family.placesCallsOnlyWhenActive && accepted == 0) {  // no hold can be requested
    call.gPlacingCall = false;
    call.gOriginatePending = false;
  }
  LogEvent(0, 0, kOriginating);
}

void OnSettings(const CallRoad& road, ITrayCommandWindow& window) {
  OpenWindows& windows = road.windows;
  if (windows.gSettingsSheetOpen || road.modem.gLibraryClosing) return;
  if (windows.gCallDlgBoxOpen) return window.RaiseCallDialogBox();
  windows.gSettingsSheetOpen = true;
  if (road.family.settingsOnlyOffline && road.call.gOnline) {
    window.ShowMessage(IDS_HANG_UP_BEFORE_SETTINGS);
    windows.gSettingsSheetOpen = false;
    return;
  }
  const bool confirmed = window.RunSettingsSheet();
  windows.gSettingsSheetOpen = false;
  // Closed with the program (setup ends a running Parko): nothing is bound again.
  if (!confirmed || road.modem.gLibraryClosing) return;
  MODEM_ENTRY entry = road.modem.gpModems[road.modem.gModemSelIndex];
  if (InitializeMoh(road.modem.gMohHandle, &entry) != 0) {
    LoadMohSettings(road.modem.gMohHandle);
  } else if (FamilyOf(road.settings.gMohModemType).reportsFailedRebind) {  // as the sheet left it
    window.ShowMessage(IDS_CLOSE_PORT);
  }
}

void OnShowCallDlg(const CallRoad& road, ITrayCommandWindow& window) {
  if (road.windows.gCallDlgOpen) return;
  road.windows.gCallDlgOpen = true;
  // Closing the old dialog must not change what the new one shows.
  const std::string status = road.call.gStatusText;
  const int state = road.call.gCallState;
  window.CloseCallDialog();
  road.call.gStatusText = status;
  road.call.gCallState = state;
  window.ReopenCallDialog();
}

void OnInfo(const CallRoad& road, ITrayCommandWindow& window) {
  if (gAboutOpen) return;
  if (road.windows.gCallDlgBoxOpen) return window.RaiseCallDialogBox();
  gAboutOpen = true;
  window.ShowAbout();
  gAboutOpen = false;
}
