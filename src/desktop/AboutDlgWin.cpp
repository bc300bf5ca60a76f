#include "desktop/AboutDlgWin.h"

#include "fw/ProgramArtWin.h"
#include "fw/StringsWin.h"
#include "res/resource.h"

CAboutDlg::CAboutDlg() : fw::Dialog(IDD_ABOUTBOX) {}

BOOL CAboutDlg::OnInitDialog() {
  fw::Dialog::OnInitDialog();
  UseSharedLogo(Handle());
  UseProgramIcon(Handle());
  SetItemText(IDC_VERSION_TEXT, fw::LoadText(IDS_ABOUT_VERSION));
  SetItemText(IDOK, fw::LoadText(IDS_OK));
  return TRUE;
}
