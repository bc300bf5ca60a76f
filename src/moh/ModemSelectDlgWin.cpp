#include "moh/ModemSelectDlgWin.h"

#include "fw/ProgramArtWin.h"
#include "fw/StringsWin.h"
#include "fw/Text.h"
#include "moh/ModemSelection.h"
#include "res/resource.h"

CModemSelectDlg::CModemSelectDlg() : fw::Dialog(IDD_MODEM_SELECT) {}

void CModemSelectDlg::DoDataExchange(const fw::DataExchange& dx) {
  fw::DdxControl(dx, IDC_MODEM_LIST, m_ModemList);
}

BOOL CModemSelectDlg::OnInitDialog() {
  fw::Dialog::OnInitDialog();
  UseProgramIcon(Handle());
  // Inserting at explicit positions keeps the table order although the list sorts.
  for (int i = 0; i < gModem.gModemCount && i < MOH_MAX_MODEMS; ++i) {
    const std::string name =
        fw::FromBuffer(gModem.gpModems[i].DisplayName, sizeof(gModem.gpModems[i].DisplayName));
    SendMessageA(m_ModemList, LB_INSERTSTRING, static_cast<WPARAM>(i),
                 reinterpret_cast<LPARAM>(name.c_str()));
  }
  if (SendMessageA(m_ModemList, LB_GETCOUNT, 0, 0) > 0)
    SendMessageA(m_ModemList, LB_SETCURSEL, 0, 0);
  SetItemText(IDOK, fw::LoadText(IDS_OK));
  SetWindowTextA(Handle(), fw::LoadText(IDS_SELECT_MODEM).c_str());
  return TRUE;
}

void CModemSelectDlg::OnOK() {
  const LRESULT selection = SendMessageA(m_ModemList, LB_GETCURSEL, 0, 0);
  // With nothing selected the previous choice stands.
  if (selection >= 0 && selection < gModem.gModemCount)
    gModem.gModemSelIndex = static_cast<int>(selection);
  fw::Dialog::OnOK();
}
