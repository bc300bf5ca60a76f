// The program's windows that come and go: which are open, and what the next one of a kind
// needs to know. The windows' objects and handles are held by their own rooms; these are the
// flags that portable code decides on.
#pragma once

#include <string>

struct OpenWindows {
  // The call dialog is open (or being opened); the first one of the process opens centred.
  bool gCallDlgOpen = false;
  bool gCallDlgCentre = true;
  std::string gCallDlgTitle;
  // The call dialog's reminder to hang up is open. Its message loop cannot return while a
  // window opened later runs one above it, so the tray opens no modal window meanwhile.
  bool gCallDlgBoxOpen = false;
  // The settings sheet is open (or being opened): a second request does nothing.
  bool gSettingsSheetOpen = false;
  // The call log is open; the first one of the process opens centred.
  bool gCallLogOpen = false;
  bool gCallLogFirstOpen = true;
  // A caller was stored that an open log does not show yet: it is shown once the events queued
  // behind it are handled, so that a burst of calls rebuilds the open log once.
  bool gCallLogBehind = false;
  // The notification-area icon: added yet, and the icon last sent.
  bool gTrayIconAdded = false;
  const void* gLastTrayIcon = nullptr;
};
extern OpenWindows gWindows;

// No window open, the next of each kind the first: as a process starts.
void ResetOpenWindows();
