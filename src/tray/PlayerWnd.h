// The program's invisible main window: it receives the library's events and hands them, one
// at a time and in posting order, to the call state machine.
#pragma once

#include "tray/TrayIconWnd.h"

class CPlayerWnd : public CTrayIconWnd {
 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnDestroy() override;

  // WM_MOH_EVENT: re-posts the event to this window as WM_MOH_DISPATCH.
  LRESULT OnMohNotify(WPARAM event, LPARAM value);
  // WM_MOH_DISPATCH: the call state machine.
  virtual LRESULT OnMohEvent(WPARAM event, LPARAM value);
};
