#include "tray/TrayIconWnd.h"

bool CTrayIconWnd::CreateTrayWindow() {
  const char* windowClass = RegisterWndClass(0);
  return CreateEx(WS_EX_TOOLWINDOW, windowClass, "TrayIconHandler", 0, 0, 0, 0, 0, nullptr,
                  nullptr);
}
