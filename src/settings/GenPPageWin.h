// The settings page (template IDD_GENERAL_PAGE): its controls and members; what it does is
// GenPage's.
#pragma once

#include <windows.h>

#include "fw/PropSheetWin.h"
#include "settings/GenPage.h"

class CGenPPage : public fw::PropPage, private IGenPageWindow {
 public:
  explicit CGenPPage(SettingsRoad road);

 protected:
  void DoDataExchange(const fw::DataExchange& dx) override;
  BOOL OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;
  void OnOK() override;

 private:
  // IGenPageWindow
  void Enable(int id, bool enable) override;
  void Check(int id, bool check) override;
  void Refresh() override;
  void SelectWarnTime(int index) override;
  int WarnTimeSelection() override;
  void SetDialStringText(const std::string& text) override;
  std::string DialStringText(std::size_t maxChars) override;

  HWND m_cbWarnTime = nullptr;
  GenPage logic_;
};
