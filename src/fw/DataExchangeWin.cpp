#include "fw/DataExchangeWin.h"

#include "fw/WindowWin.h"

namespace fw {

namespace {

bool IsRadioButton(HWND control) {
  char className[16] = {};
  if (GetClassNameA(control, className, sizeof(className)) == 0) return false;
  if (lstrcmpiA(className, "Button") != 0) return false;
  const LONG type = GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK;
  return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
}

}  // namespace

void DdxCheck(const DataExchange& dx, int id, int& value) {
  if (dx.saving) {
    value = IsDlgButtonChecked(dx.dialog, id) == BST_CHECKED ? 1 : 0;
  } else {
    CheckDlgButton(dx.dialog, id, value != 0 ? BST_CHECKED : BST_UNCHECKED);
  }
}

void DdxRadio(const DataExchange& dx, int firstId, int& value) {
  HWND control = GetDlgItem(dx.dialog, firstId);
  if (control == nullptr) return;
  if (dx.saving) value = -1;
  int index = 0;
  do {
    if (IsRadioButton(control)) {
      if (dx.saving) {
        if (SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED) value = index;
      } else {
        SendMessageA(control, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
      }
      ++index;
    }
    control = GetWindow(control, GW_HWNDNEXT);
  } while (control != nullptr && (GetWindowLongA(control, GWL_STYLE) & WS_GROUP) == 0);
}

void DdxText(const DataExchange& dx, int id, std::string& value) {
  if (dx.saving) {
    value = Window::TextOf(GetDlgItem(dx.dialog, id));
  } else {
    SetDlgItemTextA(dx.dialog, id, value.c_str());
  }
}

void DdxControl(const DataExchange& dx, int id, HWND& control) {
  control = GetDlgItem(dx.dialog, id);
}

}  // namespace fw
