// The modem selection dialog of start-up (template IDD_MODEM_SELECT).
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
