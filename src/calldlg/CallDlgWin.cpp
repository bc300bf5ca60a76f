#include "calldlg/CallDlgWin.h"

#include <commctrl.h>

#include "base/MainWindowWin.h"
#include "base/Messages.h"
#include "base/OpenWindows.h"
#include "call/CallState.h"
#include "fw/PlacementWin.h"
#include "fw/ProgramArtWin.h"
#include "fw/StringsWin.h"
#include "fw/SystemLibrariesWin.h"
#include "moh/MohEvents.h"
#include "res/resource.h"

namespace {

// Where the last call dialog was when it closed.
WINDOWPLACEMENT gCallDlgPlacement{};

// The one call dialog the player window holds.
CCallDlg* gHeldCallDialog = nullptr;

static_assert(kButtonAnswer == IDOK && kButtonPlace == IDCANCEL && kButtonDrop == IDABORT,
              "the template's standard buttons");

bool IsCallButton(int id) {
  return id == kButtonAnswer || id == kButtonPlace || id == kButtonDrop || id == kButtonIgnore ||
         id == kButtonRestore;
}

}  // namespace

CCallDlg* HeldCallDialog() { return gHeldCallDialog; }

void HoldCallDialog(CCallDlg* dialog) { gHeldCallDialog = dialog; }

CCallDlg::CCallDlg(const CallDialogRoad& road) : fw::Dialog(IDD_CALL), m_road(road) {}

CCallDlg::~CCallDlg() {
  if (m_brCounter != nullptr) DeleteObject(m_brCounter);
}

BOOL CCallDlg::DestroyWindow() {
  RememberPlacement(Handle(), gCallDlgPlacement);
  return fw::Dialog::DestroyWindow();
}

void CCallDlg::DoDataExchange(const fw::DataExchange& dx) {
  fw::DdxControl(dx, IDC_RECONNECT_PROGRESS, m_progress);
  fw::DdxControl(dx, IDC_ANSWER_TIME, m_stAnswerTime);
  fw::DdxText(dx, IDC_INFO_LINE, m_strInfo);
}

BOOL CCallDlg::OnInitDialog() {
  fw::Dialog::OnInitDialog();
  UseProgramIcon(Handle());
  UseSharedLogo(Handle());
  // Green figures on black for the counters, a dark blue info line.
  m_crCounterText = RGB(0, 255, 0);
  m_crCounterBack = RGB(0, 0, 0);
  m_brCounter = CreateSolidBrush(m_crCounterBack);
  m_crInfoText = RGB(0, 0, 192);
  m_mode = InitCallDialog(m_road, *this);
  m_strInfo = m_road.call.gCallerIdText;
  return TRUE;
}

LRESULT CCallDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CTLCOLORSTATIC:
      return OnCtlColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_SHOWWINDOW: {
      const LRESULT result = Default();
      if (wParam) CallDialogShown(m_road, *this);
      return result;
    }
    case WM_COMMAND:
      // Esc reaches a dialog as IDCANCEL and a stray command can name a hidden button: neither
      // may answer, place or drop a call.
      if (IsCallButton(LOWORD(wParam)) && !IsButtonLive(LOWORD(wParam))) return 0;
      return fw::Dialog::WindowProc(message, wParam, lParam);
    case WM_CALLDLG_ANSWER_TEXT:
      RefreshItem(IDC_ANSWER_TIME, m_road.call.gAnswerText);
      return 0;
    case WM_CALLDLG_STATUS_TEXT:
      RefreshItem(IDC_INFO_LINE, m_road.call.gStatusText);
      return 0;
    default:
      return fw::Dialog::WindowProc(message, wParam, lParam);
  }
}

LRESULT CCallDlg::OnCtlColorStatic(HDC dc, HWND control) {
  const LRESULT defaultBrush = Default();
  const int id = GetDlgCtrlID(control);
  if (id == IDC_ANSWER_TIME || id == IDC_HOLD_TIME) {
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, m_crCounterText);
    return reinterpret_cast<LRESULT>(m_brCounter);
  }
  if (id == IDC_INFO_LINE) {
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, m_crInfoText);
  }
  return defaultBrush;
}

bool CCallDlg::PreTranslateMessage(const MSG& msg) {
  if (msg.message != WM_KEYDOWN || msg.wParam != VK_ESCAPE) return false;
  OnEscapeCallDialog(*this, m_mode);
  return true;
}

bool CCallDlg::IsButtonLive(int id) const {
  HWND button = Item(id);
  return button != nullptr && IsWindowVisible(button) && IsWindowEnabled(button);
}

void CCallDlg::OnOK() { OnAnswerCall(m_road, *this); }

void CCallDlg::OnCancel() { OnPlaceCallButton(m_road, *this); }

bool CCallDlg::OnCommand(int id, int code, HWND) {
  if (code != BN_CLICKED) return false;
  switch (id) {
    case kButtonIgnore:
      OnIgnoreCall(m_road, *this);
      return true;
    case kButtonRestore:
      OnRestoreData(m_road, *this);
      return true;
    case kButtonDrop:
      OnDropData(m_road, *this);
      return true;
    default:
      return false;
  }
}

void CCallDlg::OnTimer(UINT_PTR) { CallDialogTick(m_road, *this); }

void CCallDlg::OnClose() {
  // The platform's own handling would press IDCANCEL, which in this dialog is "Anruf tätigen":
  // closing must never place a call, so the close request is only this.
  OnCloseCallDialog(m_road, *this, m_mode);
}

void CCallDlg::OnDestroy() {
  Default();
  fw::Window::KillTimer(TIMER_CALL_DIALOG);
  m_road.windows.gCallDlgOpen = false;
}

void CCallDlg::PostNcDestroy() {
  if (gHeldCallDialog == this) gHeldCallDialog = nullptr;
  // A dialog replaced while its own message box was open is freed only now, after the dialog
  // that replaced it set the open flag: the flag is then that dialog's.
  if (gHeldCallDialog == nullptr) m_road.windows.gCallDlgOpen = false;
  delete this;
}

std::string CCallDlg::LoadText(unsigned id) { return fw::LoadText(id); }

void CCallDlg::SetItemText(int id, const std::string& text) { fw::Window::SetItemText(id, text); }

void CCallDlg::RefreshItem(int id, const std::string& text) { fw::Window::RefreshItem(id, text); }

std::string CCallDlg::ItemText(int id) { return GetItemText(id); }

void CCallDlg::SetPresence(int id, Presence presence) {
  ShowItem(id, presence != Presence::Hidden);
  EnableItem(id, presence == Presence::Shown);
}

void CCallDlg::SetCaption(const std::string& caption) { SetWindowTextA(Handle(), caption.c_str()); }

void CCallDlg::Place() {
  // Topmost always; the size stays the template's. Placing does not show the dialog: it
  // becomes visible when the main window shows it, with its texts complete.
  const UINT show = IsWindowVisible(Handle()) ? SW_SHOWNOACTIVATE : SW_HIDE;
  if (m_road.windows.gCallDlgCentre) {
    m_road.windows.gCallDlgCentre = false;
    PlaceCentred(Handle(), gCallDlgPlacement, show);
  } else {
    PlaceAsRemembered(Handle(), gCallDlgPlacement, show);
  }
  RaiseToTopAt(Handle(), gCallDlgPlacement);
}

void CCallDlg::StartTick(unsigned periodMs) { fw::Window::SetTimer(TIMER_CALL_DIALOG, periodMs); }

void CCallDlg::SetProgress(int low, int high, int step) {
  SendMessageA(m_progress, PBM_SETRANGE, 0, MAKELPARAM(low, high));
  SendMessageA(m_progress, PBM_SETSTEP, static_cast<WPARAM>(step), 0);
}

void CCallDlg::StepProgress() { SendMessageA(m_progress, PBM_STEPIT, 0, 0); }

void CCallDlg::Sound(const char* file, SoundMode mode) { fw::PlaySoundFile(file, mode); }

void CCallDlg::StopAnswerTimer() { ::KillTimer(MainWindowHandle(), TIMER_ANSWER); }

void CCallDlg::ShowHangUpReminder() {
  // Destroying the dialog closes the box it owns; the object itself lives on until this
  // handler has returned.
  MessageBoxA(Handle(), fw::LoadText(IDS_HANG_UP_FIRST).c_str(), " ", MB_OK | MB_ICONEXCLAMATION);
}

void CCallDlg::Dismiss() { DestroyWindow(); }

void CCallDlg::DeclareTimeout() { MohEventCallback(MOH_TIMEOUT, 0); }
