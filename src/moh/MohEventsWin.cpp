// The library's events become messages to the main window.
#include <windows.h>

#include "base/MainWindowWin.h"
#include "base/Messages.h"
#include "moh/MohEvents.h"

bool PostMohEvent(int event, int value) {
  HWND main = MainWindowHandle();
  if (main == nullptr) return false;
  CountPostedEvent();
  if (PostMessageA(main, WM_MOH_EVENT, static_cast<WPARAM>(event), value)) return true;
  UncountPostedEvent();
  return false;
}
