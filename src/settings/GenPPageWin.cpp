#include "settings/GenPPageWin.h"

#include "fw/ProgramArtWin.h"
#include "moh/MohSettings.h"
#include "res/resource.h"

CGenPPage::CGenPPage(SettingsRoad road) : fw::PropPage(IDD_GENERAL_PAGE), logic_(road) {}

void CGenPPage::DoDataExchange(const fw::DataExchange& dx) {
  GenPageMembers& m = logic_.m;
  fw::DdxControl(dx, IDC_WARN_TIME, m_cbWarnTime);
  fw::DdxCheck(dx, IDC_WARN, m.m_bWarn);
  fw::DdxCheck(dx, IDC_CALLER_ID, m.m_bCallerID);
  fw::DdxRadio(dx, IDC_ALWAYS_DISCONNECT, m.m_nAlwaysDisconnect);
  fw::DdxCheck(dx, IDC_CALL_WAITING, m.m_bCallWaiting);
  fw::DdxRadio(dx, IDC_CONFIRM_CALL, m.m_nConfirmCall);
  fw::DdxCheck(dx, IDC_QUICK_CONNECT, m.m_bQuickConnect);
  fw::DdxCheck(dx, IDC_MUTE_WARN_TONE, m.m_bMuteWarnTone);
  fw::DdxCheck(dx, IDC_MUTE_RING_TONE, m.m_bMuteRingTone);
  fw::DdxCheck(dx, IDC_CHANGE_DIAL_STRING, m.m_bChangeDialString);
  fw::DdxCheck(dx, IDC_RESET_DIAL_STRING, m.m_bResetDialString);
}

BOOL CGenPPage::OnInitDialog() {
  fw::PropPage::OnInitDialog();
  UseSharedLogo(Handle());
  for (const WarnTimeChoice& choice : kWarnTimes) {
    SendMessageA(m_cbWarnTime, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(choice.item));
  }
  SendDlgItemMessageA(Handle(), IDC_DIAL_STRING, EM_LIMITTEXT, kDialStringTyped, 0);
  logic_.OnInitDialog(*this);
  return TRUE;
}

bool CGenPPage::OnCommand(int id, int code, HWND) {
  if (code != BN_CLICKED) return false;
  logic_.OnClicked(*this, id);
  return true;
}

void CGenPPage::OnOK() { logic_.OnOK(*this); }

void CGenPPage::Enable(int id, bool enable) { EnableItem(id, enable); }

void CGenPPage::Check(int id, bool check) { CheckItem(id, check); }

void CGenPPage::Refresh() { UpdateData(false); }

void CGenPPage::SelectWarnTime(int index) {
  SendMessageA(m_cbWarnTime, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int CGenPPage::WarnTimeSelection() {
  return static_cast<int>(SendMessageA(m_cbWarnTime, CB_GETCURSEL, 0, 0));
}

void CGenPPage::SetDialStringText(const std::string& text) { SetItemText(IDC_DIAL_STRING, text); }

std::string CGenPPage::DialStringText(std::size_t maxChars) {
  return GetItemText(IDC_DIAL_STRING).substr(0, maxChars);
}
