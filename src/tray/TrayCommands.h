// What the tray menu's commands decide: ending modem-on-hold, placing a call, the settings'
// refusal while a TELKA modem is online, and re-opening the call dialog. Portable; they take the
// program's records through CallRoad, and the player window carries them out through
// ITrayCommandWindow.
#pragma once

#include <string>

#include "call/CallRoad.h"
#include "settings/GenPage.h"

class ITrayCommandWindow {
 public:
  virtual ~ITrayCommandWindow() = default;
  // Asks with a yes/no question box owned by the player window. False when the user answered
  // No or the window went away meanwhile; a box that could not be shown says nothing against.
  virtual bool AskYesNo(unsigned stringId) = 0;
  // An exclamation box with a text of the string table.
  virtual void ShowMessage(unsigned stringId) = 0;
  // WM_CLOSE to the player window: the program ends.
  virtual void PostClose() = 0;
  virtual void CloseCallDialog() = 0;
  // Creates a call dialog for the current state and shows it without bringing it forward.
  virtual void ReopenCallDialog() = 0;
  // Shows the settings sheet modally; true when the user confirmed it with OK.
  virtual bool RunSettingsSheet() = 0;
  // Shows the About box modally.
  virtual void ShowAbout() = 0;
  // Brings the call dialog's open box to the foreground.
  virtual void RaiseCallDialogBox() = 0;
};

// The commands that open a modal window (the question, the settings, the About box) open none
// while the call dialog's reminder is open: the reminder could not return, nor its restore go
// out, before that window closed. They bring the reminder forward instead.
//
// "Modem On Hold deaktivieren": unless the user says no, closes the library and the program.
// While its question is open, the command asks nothing again.
void OnDisableMoh(const CallRoad& road, ITrayCommandWindow& window);
// "Anruf tätigen": asks the library to hold the data call for an outgoing voice call. TELKA and
// BORIN only while online with nothing pending; NUVIA always. One request at a time: the next is
// sent once the library has answered, or once the family's answer window has passed since the
// request. A request ends the fall-back of a refused call and the answer window of an offer that
// is over, which would otherwise end it as theirs.
void OnPlaceCall(const CallRoad& road);
// "Modem On Hold Einstellungen" and the icon's double click: the settings sheet, then the
// library bound again so that it works with the new settings. A TELKA modem cannot be set up
// while its data connection is up: the user is asked to hang up first.
void OnSettings(const CallRoad& road, ITrayCommandWindow& window);
// The command that shows the call dialog (ID_SHOW_CALL_DLG): a call dialog for the current
// state, unless one is open.
void OnShowCallDlg(const CallRoad& road, ITrayCommandWindow& window);
// "Info": the About box, unless one is open (its message loop may bring the command again).
void OnInfo(const CallRoad& road, ITrayCommandWindow& window);
