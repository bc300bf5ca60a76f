// The tray menu (IDR_TRAY_MENU) as the icon's right click shows it: texts from the string table,
// the settings item bold, the autostart item checked while it is on.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

// The size of MENUITEMINFOA that every Windows accepts: today's headers add hbmpItem (Windows
// 98 and 2000), which the user32 of Windows 95 and NT 4 reject along with the whole call.
constexpr UINT kMenuItemInfoSize = offsetof(MENUITEMINFOA, hbmpItem);

class TrayMenu {
 public:
  // Loads the menu IDR_TRAY_MENU and prepares its popup for a system of kind os (gSystem.OSFound)
  // with the autostart flag as given.
  TrayMenu(uint8_t os, int autoStart);
  ~TrayMenu();
  TrayMenu(const TrayMenu&) = delete;
  TrayMenu& operator=(const TrayMenu&) = delete;

  // The popup to track; null when the menu could not be loaded.
  HMENU Popup() const { return popup_; }

 private:
  HMENU menu_ = nullptr;
  HMENU popup_ = nullptr;
};
