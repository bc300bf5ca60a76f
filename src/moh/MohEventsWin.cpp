// The library's events become messages to the main window.
#include <windows.h>

#include "app/MohAppWin.h"
#include "base/Messages.h"
#include "moh/MohEvents.h"

bool PostMohEvent(int event, int value) {
  // Written once before the library was initialised; read here from the library's thread.
  CMohApp* app = CMohApp::Instance();
  return app != nullptr && app->m_hMainWnd != nullptr &&
         PostMessageA(app->m_hMainWnd, WM_MOH_EVENT, static_cast<WPARAM>(event), value) != FALSE;
}
