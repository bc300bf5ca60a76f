#include "tray/TrayCommands.h"

#include "base/EventLog.h"
#include "call/CallDlgLogic.h"
#include "call/CallState.h"
#include "moh/ModemSelection.h"
#include "moh/MohApi.h"
#include "moh/MohEvents.h"
#include "moh/MohSettings.h"
#include "res/resource.h"

namespace {

const bool kTrayCommandsReset = (ResetTrayCommands(), true);

const char* const kOriginating = "Originating MOH to place outgoing voice call.";

// The question's box runs a message loop in which the command may come again.
bool gAskingToDisable = false;
// Likewise the About box.
bool gAboutOpen = false;

}  // namespace

void ResetTrayCommands() { gSettingsSheetOpen = 0; }

void OnDisableMoh(ITrayCommandWindow& window) {
  if (gAskingToDisable) return;
  gAskingToDisable = true;
  const int answer = window.AskYesNo(IDS_ASK_DISABLE_MOH);
  gAskingToDisable = false;
  if (answer == kAnswerNo) return;
  MohCommand(gMohHandle, MOH_CMD_CLOSE);
  window.PostClose();
}

void OnPlaceCall() {
  if (gOriginatePending) return;  // one request an attempt, until the library answers it
  gCallerIdText.clear();
  const int family = gMohModemType;
  if (family == TELKA || family == BORIN) {
    if (gCallState != CALLSTATE_MODEM_ACTIVE) return;
    gPlacingCall = 1;
    gOriginatePending = true;
    MohCommand(gMohHandle, MOH_CMD_ORIGINATE);
    LogEvent(0, 0, kOriginating);
  } else if (family == NUVIA) {
    gPlacingCall = 1;
    gOriginatePending = true;
    if (MohCommand(gMohHandle, MOH_CMD_ORIGINATE) == 0) {  // no hold can be requested
      gPlacingCall = 0;
      gOriginatePending = false;
    }
    LogEvent(0, 0, kOriginating);
  }
}

void OnSettings(ITrayCommandWindow& window) {
  if (gSettingsSheetOpen == 1) return;
  gSettingsSheetOpen = 1;
  if (gMohModemType == TELKA && gOnline == 1) {
    window.ShowMessage(IDS_HANG_UP_BEFORE_SETTINGS);
    gSettingsSheetOpen = 0;
    return;
  }
  const int result = window.RunSettingsSheet();
  gSettingsSheetOpen = 0;
  if (result != kAnswerOk) return;
  MODEM_ENTRY entry = gpModems[gModemSelIndex];
  if (InitializeMoh(gMohHandle, &entry) != 0) {
    LoadMohSettings(gMohHandle);
  } else if (gMohModemType != BORIN) {
    window.ShowMessage(IDS_CLOSE_PORT);
  }
}

void OnShowCallDlg(ITrayCommandWindow& window) {
  if (gCallDlgOpen == 1) return;
  gCallDlgOpen = 1;
  // Closing the old dialog must not change what the new one shows.
  const std::string status = gStatusText;
  const int state = gCallState;
  window.CloseCallDialog();
  gStatusText = status;
  gCallState = state;
  window.ReopenCallDialog();
}

void OnInfo(ITrayCommandWindow& window) {
  if (gAboutOpen) return;
  gAboutOpen = true;
  window.ShowAbout();
  gAboutOpen = false;
}
