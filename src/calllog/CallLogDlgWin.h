// The call log "Rufprotokoll" (template IDD_CALL_LOG): a modeless dialog listing the stored
// callers, newest first, as they were when it opened. At most one exists; the application object
// holds it, and it frees itself when its window is gone.
#pragma once

#include <windows.h>

#include "base/OpenWindows.h"
#include "fw/DialogWin.h"

class CCallLogDlg : public fw::Dialog {
 public:
  // Marks the call log open among the windows until it is gone.
  explicit CCallLogDlg(OpenWindows& windows);

  // Remembers where the log was, so that the next one opens there.
  BOOL DestroyWindow() override;

 protected:
  void DoDataExchange(const fw::DataExchange& dx) override;
  BOOL OnInitDialog() override;
  void OnOK() override;      // Enter (the button is hidden)
  void OnCancel() override;  // "Abbrechen", Esc and the close box
  void PostNcDestroy() override;

 private:
  void Place();

  HWND m_List = nullptr;
  OpenWindows& m_windows;
};

// The call log that is open, at most one; null when none is.
CCallLogDlg* HeldCallLog();
// Closes the call log that is open, if any.
void CloseCallLogDialog();
// Creates a call log over the parent, shows it with the show command and lets the application
// hold it; the windows say it is open. False when no dialog could be made (nothing is then open).
bool OpenCallLogDialog(HWND parent, int showCommand, OpenWindows& windows);
