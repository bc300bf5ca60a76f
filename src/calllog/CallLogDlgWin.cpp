#include "calllog/CallLogDlgWin.h"

#include "app/MohAppWin.h"
#include "calllog/CallLog.h"
#include "fw/PlacementWin.h"
#include "fw/ProgramArtWin.h"
#include "fw/StringsWin.h"
#include "res/resource.h"

WINDOWPLACEMENT gCallLogPlacement{};

CCallLogDlg::CCallLogDlg() : fw::Dialog(IDD_CALL_LOG) { gCallLogOpen = 1; }

BOOL CCallLogDlg::DestroyWindow() {
  RememberPlacement(Handle(), gCallLogPlacement);
  return fw::Dialog::DestroyWindow();
}

void CCallLogDlg::DoDataExchange(const fw::DataExchange& dx) {
  fw::DdxControl(dx, IDC_CALL_LIST, m_List);
}

BOOL CCallLogDlg::OnInitDialog() {
  fw::Dialog::OnInitDialog();
  UseProgramIcon(Handle());
  for (const CCallerID& record : gCallLog.Records()) {
    SendMessageA(m_List, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(CallLogLine(record).c_str()));
  }
  Place();
  SetItemText(IDC_CALL_LOG_HEADER, fw::LoadText(IDS_CALL_DETAILS));
  SetItemText(IDCANCEL, fw::LoadText(IDS_CANCEL));
  SetWindowTextA(Handle(), fw::LoadText(IDS_CALL_LOG_TITLE).c_str());
  return TRUE;
}

void CCallLogDlg::Place() {
  // Placing does not show the log: whoever opens it shows it.
  const UINT show = IsWindowVisible(Handle()) ? SW_SHOWNORMAL : SW_HIDE;
  if (gCallLogFirstOpen == 1) {
    gCallLogFirstOpen = 0;
    PlaceCentred(Handle(), gCallLogPlacement, show);
    return;
  }
  // Later logs open where the last one closed, above every other window.
  PlaceAsRemembered(Handle(), gCallLogPlacement, show);
  RaiseToTopAt(Handle(), gCallLogPlacement);
}

void CCallLogDlg::OnOK() {
  // Enter closes the log for real, like "Abbrechen": a modeless dialog that were only ended
  // would stay behind hidden, and its object with it.
  gCallLogOpen = 0;
  DestroyWindow();
}

void CCallLogDlg::OnCancel() {
  gCallLogOpen = 0;
  DestroyWindow();
}

void CCallLogDlg::PostNcDestroy() {
  CMohApp* app = CMohApp::Instance();
  if (app != nullptr && app->m_pCallLogDlg == this) app->m_pCallLogDlg = nullptr;
  // A log replaced while one of its messages was still being handled goes only now; the flag
  // is then its successor's.
  if (app == nullptr || app->m_pCallLogDlg == nullptr) gCallLogOpen = 0;
  delete this;
}

void CloseCallLogDialog() {
  CMohApp* app = CMohApp::Instance();
  if (app == nullptr || app->m_pCallLogDlg == nullptr) return;
  CCallLogDlg* dialog = app->m_pCallLogDlg;
  dialog->DestroyWindow();
  // Only an object that never had a window, or whose window went without freeing it, is left
  // for us; one still handling a message frees itself when that returns.
  if (app->m_pCallLogDlg == dialog && !dialog->IsHandlingMessage()) delete dialog;
  app->m_pCallLogDlg = nullptr;
}

bool OpenCallLogDialog(HWND parent, int showCommand) {
  CMohApp* app = CMohApp::Instance();
  if (app == nullptr) return false;
  auto* dialog = new CCallLogDlg;
  app->m_pCallLogDlg = dialog;
  app->m_hCallLogDlg = dialog->Handle();  // intended: still null, the window comes with Create
  if (!dialog->Create(parent)) {
    app->m_pCallLogDlg = nullptr;
    delete dialog;
    gCallLogOpen = 0;
    return false;
  }
  ShowWindow(dialog->Handle(), showCommand);
  return true;
}
