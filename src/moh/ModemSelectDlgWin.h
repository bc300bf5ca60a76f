// The modem selection dialog of start-up (template 152).
#pragma once

#include "fw/DialogWin.h"

class CModemSelectDlg : public fw::Dialog {
 public:
  CModemSelectDlg();

 protected:
  void DoDataExchange(const fw::DataExchange& dx) override;
  BOOL OnInitDialog() override;
  void OnOK() override;

 private:
  HWND m_ModemList = nullptr;
};
