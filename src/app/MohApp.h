// The application object of Parko.exe.
#pragma once

#include <windows.h>

#include "fw/Application.h"

class CMohApp : public fw::Application {
 public:
  HWND m_hMainWnd = nullptr;

 protected:
  bool InitInstance() override;
  int ExitInstance() override;
};
