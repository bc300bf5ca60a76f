// The application object of Parko.exe: start-up, the message loop's owner, exit.
#pragma once

#include <windows.h>

#include "fw/ApplicationWin.h"

class CCallDlg;
class CCallLogDlg;

class CMohApp : public fw::Application {
 public:
  CMohApp();
  ~CMohApp() override;
  static CMohApp* Instance();

  // Read by the library's callback from its own thread: written once, before the library is
  // initialised.
  HWND m_hMainWnd = nullptr;
  HWND m_hCallDlg = nullptr;
  HWND m_hCallInfo = nullptr;
  HWND m_hCallTimer = nullptr;
  HWND m_hCallLogDlg = nullptr;
  HWND m_hSettingsSheet = nullptr;
  CCallDlg* m_pCallDlg = nullptr;
  CCallLogDlg* m_pCallLogDlg = nullptr;

 protected:
  bool InitInstance() override;
  int ExitInstance() override;
};
