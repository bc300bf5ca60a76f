// The settings sheet "Modem On Hold Einstellungen": one page, only OK and Cancel, centred.
#pragma once

#include <windows.h>

#include <string>

#include "fw/PropSheetWin.h"
#include "settings/GenPPageWin.h"

class CCfgSheet : public fw::PropSheet {
 public:
  CCfgSheet(const std::string& caption, HWND parent, int startPage);

 protected:
  BOOL OnInitDialog() override;
  void LayoutButtons() override { CenterSheetButtons(true, true, false); }
  void OnDestroy() override;

 private:
  void CenterSheetButtons(bool showOk, bool showCancel, bool showApply);

  CGenPPage m_page;
};

// Shows a new settings sheet modally, captioned with string 106; IDOK when the
// user confirmed it.
int ShowSettingsSheet();
