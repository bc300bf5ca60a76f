#include "fw/ProgramArtWin.h"

#include "res/resource.h"

namespace {

// Loaded once for the process and never freed.
HBITMAP SharedLogo() {
  static const HBITMAP logo = static_cast<HBITMAP>(LoadImageA(
      GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_LOGO), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
  return logo;
}

BOOL CALLBACK SetLogoOnBitmapStatic(HWND child, LPARAM) {
  char className[16] = {};
  GetClassNameA(child, className, sizeof(className));
  if (lstrcmpiA(className, "Static") != 0) return TRUE;
  if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) != SS_BITMAP) return TRUE;
  HBITMAP logo = SharedLogo();
  const HGDIOBJ own = reinterpret_cast<HGDIOBJ>(
      SendMessageA(child, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(logo)));
  if (own != nullptr && own != logo) DeleteObject(own);
  return TRUE;
}

}  // namespace

void UseSharedLogo(HWND dialog) { EnumChildWindows(dialog, &SetLogoOnBitmapStatic, 0); }

void UseProgramIcon(HWND window) {
  SendMessageA(window, WM_SETICON, ICON_BIG,
               reinterpret_cast<LPARAM>(
                   LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME))));
}
