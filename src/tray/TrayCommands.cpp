#include "tray/TrayCommands.h"

#include "base/OpenWindows.h"
#include "base/EventLog.h"
#include "call/CallDlgLogic.h"
#include "call/CallState.h"
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

void OnDisableMoh(ITrayCommandWindow& window) {
  if (gAskingToDisable) return;
  gAskingToDisable = true;
  const int answer = window.AskYesNo(IDS_ASK_DISABLE_MOH);
  gAskingToDisable = false;
  if (answer == kAnswerNo) return;
  MohCommand(gModem.gMohHandle, MOH_CMD_CLOSE);
  window.PostClose();
}

void OnPlaceCall() {
  if (gCall.gOriginatePending) return;  // one request an attempt, until the library answers it
  gCall.gCallerIdText.clear();
  const int family = gSettings.gMohModemType;
  if (family == TELKA || family == BORIN) {
    if (gCall.gCallState != CALLSTATE_MODEM_ACTIVE) return;
    gCall.gPlacingCall = 1;
    gCall.gOriginatePending = true;
    MohCommand(gModem.gMohHandle, MOH_CMD_ORIGINATE);
    LogEvent(0, 0, kOriginating);
  } else if (family == NUVIA) {
    gCall.gPlacingCall = 1;
    gCall.gOriginatePending = true;
    if (MohCommand(gModem.gMohHandle, MOH_CMD_ORIGINATE) == 0) {  // no hold can be requested
      gCall.gPlacingCall = 0;
      gCall.gOriginatePending = false;
    }
    LogEvent(0, 0, kOriginating);
  }
}

void OnSettings(ITrayCommandWindow& window) {
  if (gWindows.gSettingsSheetOpen == 1) return;
  gWindows.gSettingsSheetOpen = 1;
  if (gSettings.gMohModemType == TELKA && gCall.gOnline == 1) {
    window.ShowMessage(IDS_HANG_UP_BEFORE_SETTINGS);
    gWindows.gSettingsSheetOpen = 0;
    return;
  }
  const int result = window.RunSettingsSheet();
  gWindows.gSettingsSheetOpen = 0;
  if (result != kAnswerOk) return;
  MODEM_ENTRY entry = gModem.gpModems[gModem.gModemSelIndex];
  if (InitializeMoh(gModem.gMohHandle, &entry) != 0) {
    LoadMohSettings(gModem.gMohHandle);
  } else if (gSettings.gMohModemType != BORIN) {
    window.ShowMessage(IDS_CLOSE_PORT);
  }
}

void OnShowCallDlg(ITrayCommandWindow& window) {
  if (gWindows.gCallDlgOpen == 1) return;
  gWindows.gCallDlgOpen = 1;
  // Closing the old dialog must not change what the new one shows.
  const std::string status = gCall.gStatusText;
  const int state = gCall.gCallState;
  window.CloseCallDialog();
  gCall.gStatusText = status;
  gCall.gCallState = state;
  window.ReopenCallDialog();
}

void OnInfo(ITrayCommandWindow& window) {
  if (gAboutOpen) return;
  gAboutOpen = true;
  window.ShowAbout();
  gAboutOpen = false;
}
