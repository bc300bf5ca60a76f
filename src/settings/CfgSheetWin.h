// The settings sheet "Modem On Hold Einstellungen": one page, only OK and Cancel, centred.
#pragma once

#include <windows.h>

#include <string>

#include "call/CallRoad.h"
#include "fw/PropSheetWin.h"
#include "settings/GenPPageWin.h"

class CCfgSheet : public fw::PropSheet {
 public:
  // The page shows and writes the records' settings; the sheet clears their open flag.
  CCfgSheet(const std::string& caption, HWND parent, int startPage, const ProgramRecords& records);

 protected:
  BOOL OnInitDialog() override;
  void LayoutButtons() override { CenterSheetButtons(true, true, false); }
  void OnDestroy() override;

 private:
  void CenterSheetButtons(bool showOk, bool showCancel, bool showApply);

  CGenPPage m_page;
  OpenWindows& m_windows;
};

// Shows a new settings sheet on the records modally, captioned "Modem On Hold Einstellungen";
// IDOK when the user confirmed it.
int ShowSettingsSheet(const ProgramRecords& records);
