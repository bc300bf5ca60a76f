// The application object of Parko.exe: start-up, the message loop's owner, exit.
#pragma once

#include <windows.h>

#include "fw/ApplicationWin.h"

class CMohApp : public fw::Application {
 protected:
  bool InitInstance() override;
  int ExitInstance() override;
};
