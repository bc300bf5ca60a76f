// The About box (template IDD_ABOUTBOX): the program's icon, logo and four-line version text.
#pragma once

#include <windows.h>

#include "fw/DialogWin.h"

class CAboutDlg : public fw::Dialog {
 public:
  CAboutDlg();

 protected:
  BOOL OnInitDialog() override;
};
