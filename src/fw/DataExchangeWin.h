// Moving values between dialog members and their controls, in either direction.
#pragma once

#include <windows.h>

#include <string>

namespace fw {

struct DataExchange {
  HWND dialog;
  bool saving;  // true: controls to members; false: members to controls
};

// A check box as 0 or 1.
void DdxCheck(const DataExchange& dx, int id, int& value);
// A radio group that starts at firstId and runs to the next control that starts a group: the
// index of the selected button among the group's radio buttons, -1 when none is selected. On
// display, the button at that index is selected and every other one cleared.
void DdxRadio(const DataExchange& dx, int firstId, int& value);
// A control's text.
void DdxText(const DataExchange& dx, int id, std::string& value);
// Binds a control's window handle to a member.
void DdxControl(const DataExchange& dx, int id, HWND& control);

}  // namespace fw
