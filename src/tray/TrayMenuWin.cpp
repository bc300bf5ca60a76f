#include "tray/TrayMenuWin.h"

#include <string>

#include "base/OsDetect.h"
#include "fw/StringsWin.h"
#include "res/resource.h"

namespace {

// The items whose texts come from the string table; the menu resource's own texts carry the
// "..." and the access key of another generation of the menu.
constexpr UINT kTextItems[] = {ID_SETTINGS,    ID_CALL_LOG,   ID_AUTOSTART, ID_INFO,
                               ID_DISABLE_MOH, ID_PLACE_CALL, ID_HELP};

void MakeDefault(HMENU popup, UINT id) {
  MENUITEMINFOA item{};
  item.cbSize = kMenuItemInfoSize;
  item.fMask = MIIM_STATE;
  if (!GetMenuItemInfoA(popup, id, FALSE, &item)) return;
  item.fState |= MFS_DEFAULT;
  SetMenuItemInfoA(popup, id, FALSE, &item);
}

void SetText(HMENU popup, UINT id) {
  std::string text = fw::LoadText(id);
  MENUITEMINFOA item{};
  item.cbSize = kMenuItemInfoSize;
  item.fMask = MIIM_TYPE;
  item.fType = MFT_STRING;
  item.dwTypeData = &text[0];
  item.cch = static_cast<UINT>(text.size());
  SetMenuItemInfoA(popup, id, FALSE, &item);
}

}  // namespace

TrayMenu::TrayMenu(uint8_t os, int autoStart) {
  menu_ = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_TRAY_MENU));
  if (menu_ == nullptr) return;
  popup_ = GetSubMenu(menu_, 0);
  if (popup_ == nullptr) return;
  if (os != WINDOWS_NT4) MakeDefault(popup_, ID_SETTINGS);
  for (UINT id : kTextItems) SetText(popup_, id);
  CheckMenuItem(popup_, ID_AUTOSTART, MF_BYCOMMAND | (autoStart != 0 ? MF_CHECKED : MF_UNCHECKED));
}

TrayMenu::~TrayMenu() {
  if (menu_ != nullptr) DestroyMenu(menu_);
}
