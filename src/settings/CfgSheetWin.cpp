#include "settings/CfgSheetWin.h"

#include <commctrl.h>

#include "fw/ProgramArtWin.h"
#include "fw/StringsWin.h"
#include "res/resource.h"
#include "settings/GenPage.h"

namespace {

constexpr int kHelpButton = 9;
constexpr int kApplyButton = 12321;

RECT ClientRectOf(HWND child, HWND parent) {
  RECT rect{};
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

}  // namespace

CCfgSheet::CCfgSheet(const std::string& caption, HWND parent, int startPage,
                     const ProgramRecords& records)
    : fw::PropSheet(caption, parent, startPage),
      m_page(SettingsRoad{records.settings, records.modem}),
      m_windows(records.windows) {
  AddPage(&m_page);
}

BOOL CCfgSheet::OnInitDialog() {
  const BOOL result = fw::PropSheet::OnInitDialog();
  UseProgramIcon(Handle());
  ShowItem(kHelpButton, false);
  LayoutButtons();
  SetWindowTextA(Handle(), fw::LoadText(IDS_SETTINGS_CAPTION).c_str());
  HWND tabs = reinterpret_cast<HWND>(Send(PSM_GETTABCONTROL));
  std::string tabText = fw::LoadText(IDS_SETTINGS_TAB);
  TCITEMA tab{};
  tab.mask = TCIF_TEXT;
  tab.pszText = &tabText[0];
  SendMessageA(tabs, TCM_SETITEMA, 0, reinterpret_cast<LPARAM>(&tab));
  return result;
}

void CCfgSheet::CenterSheetButtons(bool showOk, bool showCancel, bool showApply) {
  const RECT ok = ClientRectOf(Item(IDOK), Handle());
  const RECT cancel = ClientRectOf(Item(IDCANCEL), Handle());
  RECT client{};
  GetClientRect(Handle(), &client);
  const int width = ok.right - ok.left;
  const int gap = cancel.left - ok.right;
  const int shown = (showOk ? 1 : 0) + (showCancel ? 1 : 0) + (showApply ? 1 : 0);
  int x = CentredButtonsX(client.left, client.right, shown, width, gap);
  const std::pair<int, bool> buttons[] = {
      {IDOK, showOk}, {IDCANCEL, showCancel}, {kApplyButton, showApply}};
  for (const auto& [id, show] : buttons) {
    if (!show) continue;
    SetWindowPos(Item(id), nullptr, x, ok.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    x += width + gap;
  }
  ShowItem(kApplyButton, false);
}

void CCfgSheet::OnDestroy() {
  Default();
  if (m_windows.gSettingsSheetOpen) m_windows.gSettingsSheetOpen = false;
}

int ShowSettingsSheet(const ProgramRecords& records) {
  CCfgSheet sheet(fw::LoadText(IDS_MOH_SETTINGS), nullptr, 0, records);
  return sheet.DoModal() == IDOK ? IDOK : IDCANCEL;
}
