#include "calllog/CallLogDlgWin.h"

#include "calllog/CallLog.h"
#include "fw/PlacementWin.h"
#include "fw/ProgramArtWin.h"
#include "fw/StringsWin.h"
#include "res/resource.h"

namespace {
// Where the last call log was when it closed.
WINDOWPLACEMENT gCallLogPlacement{};
}  // namespace

namespace {

// The one call log that is open.
CCallLogDlg* gHeldCallLog = nullptr;

}  // namespace

CCallLogDlg::CCallLogDlg(OpenWindows& windows) : fw::Dialog(IDD_CALL_LOG), m_windows(windows) {
  m_windows.gCallLogOpen = true;
}

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
  if (m_windows.gCallLogFirstOpen) {
    m_windows.gCallLogFirstOpen = false;
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
  m_windows.gCallLogOpen = false;
  DestroyWindow();
}

void CCallLogDlg::OnCancel() {
  m_windows.gCallLogOpen = false;
  DestroyWindow();
}

void CCallLogDlg::PostNcDestroy() {
  if (gHeldCallLog == this) gHeldCallLog = nullptr;
  // A log replaced while one of its messages was still being handled goes only now; the flag
  // is then its successor's.
  if (gHeldCallLog == nullptr) m_windows.gCallLogOpen = false;
  delete this;
}

CCallLogDlg* HeldCallLog() { return gHeldCallLog; }

void CloseCallLogDialog() {
  CCallLogDlg* dialog = gHeldCallLog;
  if (dialog == nullptr) return;
  dialog->DestroyWindow();
  // Only an object that never had a window, or whose window went without freeing it, is left
  // for us; one still handling a message frees itself when that returns.
  if (gHeldCallLog == dialog && !dialog->IsHandlingMessage()) delete dialog;
  gHeldCallLog = nullptr;
}

bool OpenCallLogDialog(HWND parent, int showCommand, OpenWindows& windows) {
  auto* dialog = new CCallLogDlg(windows);
  gHeldCallLog = dialog;
  if (!dialog->Create(parent)) {
    gHeldCallLog = nullptr;
    delete dialog;
    windows.gCallLogOpen = false;
    return false;
  }
  ShowWindow(dialog->Handle(), showCommand);
  return true;
}
