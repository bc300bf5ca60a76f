#include "tray/PlayerWndWin.h"

#include <shellapi.h>

#include "base/MainWindowWin.h"
#include "base/Messages.h"
#include "base/OpenWindows.h"
#include "base/OsDetect.h"
#include "call/CallEvents.h"
#include "call/CallState.h"
#include "call/HoldTimer.h"
#include "calldlg/CallDlgWin.h"
#include "calllog/CallLog.h"
#include "calllog/CallLogDlgWin.h"
#include "desktop/AboutDlgWin.h"
#include "desktop/AutoStart.h"
#include "desktop/HtmlHelpWin.h"
#include "fw/ApplicationWin.h"
#include "fw/StringsWin.h"
#include "fw/SystemLibrariesWin.h"
#include "moh/MohEvents.h"
#include "moh/MohSettings.h"
#include "res/resource.h"
#include "settings/CfgSheetWin.h"
#include "tray/PlayerTimers.h"
#include "tray/TrayMenuWin.h"

CPlayerWnd::CPlayerWnd(const ProgramRecords& records)
    : CTrayIconWnd(records.windows), m_records(records) {
  ResetCountdownTexts(m_records.call);
  HoldCallDialog(nullptr);
}

CPlayerWnd::~CPlayerWnd() { gCallLog.Clear(); }

LRESULT CPlayerWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_MOH_EVENT) return OnMohNotify(wParam, lParam);
  if (message == WM_MOH_DISPATCH) return OnMohEvent(wParam, lParam);
  if (m_taskbarCreated != 0 && message == m_taskbarCreated) {
    // A new shell knows no icon of ours: the next refresh adds it again, with its image.
    m_windows.gTrayIconAdded = false;
    m_windows.gLastTrayIcon = nullptr;
    return 0;
  }
  return CTrayIconWnd::WindowProc(message, wParam, lParam);
}

int CPlayerWnd::OnCreate(CREATESTRUCTA*) {
  if (Default() == -1) return -1;
  m_taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
  for (HICON& icon : m_hIcon) {
    icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME));
  }
  StartTrayRefresh(Road());
  return 0;
}

void CPlayerWnd::OnDestroy() {
  // The program ends, whatever closed this window: a button whose box closes with it, or a
  // request answered meanwhile, sends nothing more to the library.
  BeginClosingLibrary(m_records.modem);
  // The library's events have nowhere to go any more.
  if (MainWindowHandle() == Handle()) SetMainWindowHandle(nullptr);
  // Later copies of the program look for this mark; a closing window is no longer theirs.
  if (fw::Application* app = fw::Application::Current()) {
    RemovePropA(Handle(), app->ExeName().c_str());
  }
  Default();
  NotifyIcon(NIM_DELETE, nullptr, nullptr);
}

void CPlayerWnd::OnTimer(UINT_PTR id) {
  CTrayIconWnd::OnTimer(id);
  OnPlayerTimer(Road(), static_cast<unsigned>(id));
}

void CPlayerWnd::OnTrayDoubleClick() {
  SetForegroundWindow(Handle());
  OnSettings(Road(), *this);
}

void CPlayerWnd::ShowTrayMenu() {
  POINT cursor{};
  GetCursorPos(&cursor);
  TrayMenu menu(gSystem.OSFound, m_records.settings.gAutoStart);
  if (menu.Popup() == nullptr) return;
  // The menu closes when the user clicks elsewhere only if its owner is in the foreground, and
  // only once the owner has seen another message after it.
  SetForegroundWindow(Handle());
  TrackPopupMenu(menu.Popup(), TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, Handle(), nullptr);
  Post(WM_USER, 0, 0);
}

bool CPlayerWnd::OnCommand(int id, int, HWND) {
  switch (id) {
    case ID_SETTINGS:
      OnSettings(Road(), *this);
      return true;
    case ID_DISABLE_MOH:
      OnDisableMoh(Road(), *this);
      return true;
    case ID_SHOW_CALL_DLG:
      OnShowCallDlg(Road(), *this);
      return true;
    case ID_CALL_LOG:
      OnCallLog();
      return true;
    case ID_PLACE_CALL:
      ::OnPlaceCall(Road());
      return true;
    case ID_INFO:
      ::OnInfo(Road(), *this);
      return true;
    case ID_AUTOSTART:
      OnAutoStart();
      return true;
    case ID_HELP:
      ShowHelp();
      return true;
    default:
      return false;
  }
}

void CPlayerWnd::ShowAbout() {
  CAboutDlg about;
  about.DoModal(nullptr);
}

void CPlayerWnd::OnCallLog() {
  if (m_windows.gCallLogOpen) return;
  m_windows.gCallLogOpen = true;
  CloseCallLogDialog();
  OpenCallLogDialog(Handle(), SW_RESTORE, m_windows);
}

LRESULT CPlayerWnd::OnMohNotify(WPARAM event, LPARAM value) {
  if (Post(WM_MOH_DISPATCH, event, value)) {
    RepostedEvent(static_cast<int>(event));
  } else {
    ForgetPostedEvent(static_cast<int>(event));
  }
  return 0;
}

LRESULT CPlayerWnd::OnMohEvent(WPARAM event, LPARAM value) {
  return DispatchMohEvent(Road(), event, static_cast<int>(value));
}

void CPlayerWnd::SetTimer(unsigned id, unsigned periodMs) {
  if (fw::Window::SetTimer(id, periodMs)) m_runningTimers.insert(id);
}

void CPlayerWnd::KillTimer(unsigned id) {
  // The call dialog may have stopped the answer timer itself; a kill too many does no harm.
  if (m_runningTimers.erase(id) != 0) fw::Window::KillTimer(id);
}

void CPlayerWnd::PostEvent(int event, int value) {
  CountPostedEvent();
  if (!Post(WM_MOH_EVENT, kOwnEventMark | static_cast<WPARAM>(event), value)) UncountPostedEvent();
}

uint32_t CPlayerWnd::TickCount() { return GetTickCount(); }

std::string CPlayerWnd::LoadText(unsigned id) { return fw::LoadText(id); }

void CPlayerWnd::Sound(const char* file, SoundMode mode) { fw::PlaySoundFile(file, mode); }

void CPlayerWnd::NotifyTray(bool add, const std::string& tip) {
  NotifyIcon(add ? NIM_ADD : NIM_MODIFY, m_hIcon[0], tip.c_str());
}

void CPlayerWnd::RefreshTrayIcon() { ::RefreshTrayIcon(Road()); }

void CPlayerWnd::CloseCallDialog() {
  CCallDlg* dialog = HeldCallDialog();
  if (dialog == nullptr) return;
  dialog->DestroyWindow();
  // The dialog frees itself after its last message. One whose own handler is still running
  // (its button's message box is open) is freed when that handler returns; only an object
  // that never had a window is left for us.
  if (HeldCallDialog() == dialog && !dialog->IsHandlingMessage()) delete dialog;
  HoldCallDialog(nullptr);
}

void CPlayerWnd::OpenCallDialog() { CreateCallDialog(true); }

bool CPlayerWnd::MoreEventsQueued() { return PostedEventsWaiting(); }

void CPlayerWnd::ReopenCallDialog() { CreateCallDialog(false); }

void CPlayerWnd::CreateCallDialog(bool foreground) {
  auto* dialog = new CCallDlg(DialogRoadOf(m_records));
  HoldCallDialog(dialog);
  if (!dialog->Create(Handle())) {
    delete dialog;
    HoldCallDialog(nullptr);
    return;
  }
  ShowWindow(dialog->Handle(), SW_RESTORE);
  if (foreground) SetForegroundWindow(dialog->Handle());
}

void CPlayerWnd::RefreshCallLog() {
  if (HeldCallLog() == nullptr) return;
  CloseCallLogDialog();
  OpenCallLogDialog(Handle(), SW_SHOWNORMAL, m_windows);
}

bool CPlayerWnd::AskYesNo(unsigned stringId) {
  const int answer =
      MessageBoxA(Handle(), fw::LoadText(stringId).c_str(), " ", MB_YESNO | MB_ICONQUESTION);
  // A window destroyed meanwhile (the program is ending) has nothing left to decide.
  return Handle() != nullptr && answer != IDNO;
}

void CPlayerWnd::ShowMessage(unsigned stringId) {
  const fw::Application* app = fw::Application::Current();
  MessageBoxA(Handle(), fw::LoadText(stringId).c_str(), app ? app->ExeName().c_str() : "",
              MB_OK | MB_ICONEXCLAMATION);
}

void CPlayerWnd::PostClose() { Post(WM_CLOSE); }

void CPlayerWnd::RaiseCallDialogBox() {
  const CCallDlg* dialog = HeldCallDialog();
  if (dialog == nullptr || dialog->Handle() == nullptr) return;
  SetForegroundWindow(GetLastActivePopup(dialog->Handle()));
}

bool CPlayerWnd::RunSettingsSheet() { return ShowSettingsSheet(m_records) == IDOK; }
