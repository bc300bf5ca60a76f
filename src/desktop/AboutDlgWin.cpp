#include "desktop/AboutDlgWin.h"

#include "app/SharedLogoWin.h"
#include "fw/StringsWin.h"
#include "res/resource.h"

CAboutDlg::CAboutDlg() : fw::Dialog(IDD_ABOUTBOX) {}

BOOL CAboutDlg::OnInitDialog() {
  fw::Dialog::OnInitDialog();
  UseSharedLogo(Handle());
  Send(WM_SETICON, ICON_BIG,
       reinterpret_cast<LPARAM>(
           LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME))));
  SetItemText(IDC_VERSION_TEXT, fw::LoadText(IDS_ABOUT_VERSION));
  SetItemText(IDOK, fw::LoadText(IDS_OK));
  return TRUE;
}
