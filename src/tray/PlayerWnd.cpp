#include "tray/PlayerWnd.h"

#include "fw/Application.h"
#include "tray/Messages.h"

LRESULT CPlayerWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MOH_EVENT:
      return OnMohNotify(wParam, lParam);
    case WM_MOH_DISPATCH:
      return OnMohEvent(wParam, lParam);
    default:
      return CTrayIconWnd::WindowProc(message, wParam, lParam);
  }
}

void CPlayerWnd::OnDestroy() {
  // Later copies of the program look for this mark; a closing window is no longer theirs.
  if (fw::Application* app = fw::Application::Current()) {
    RemovePropA(Handle(), app->ExeName().c_str());
  }
  Default();
}

LRESULT CPlayerWnd::OnMohNotify(WPARAM event, LPARAM value) {
  Post(WM_MOH_DISPATCH, event, value);
  return 0;
}

LRESULT CPlayerWnd::OnMohEvent(WPARAM, LPARAM) { return 0; }
