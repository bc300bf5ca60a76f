#include "fw/DialogWin.h"

#include "fw/ApplicationWin.h"
#include "fw/SystemLibrariesWin.h"

namespace fw {

INT_PTR Dialog::DoModal(HWND parent) {
  EnsureCommonControls();  // a template may hold any of them
  modal_ = true;
  const INT_PTR result =
      DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId_), parent,
                      &Dialog::StaticDialogProc, reinterpret_cast<LPARAM>(this));
  modal_ = false;
  return result;
}

bool Dialog::Create(HWND parent) {
  EnsureCommonControls();
  modal_ = false;
  HWND hwnd = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId_), parent,
                                 &Dialog::StaticDialogProc, reinterpret_cast<LPARAM>(this));
  if (hwnd == nullptr) return false;
  if (Application* app = Application::Current()) app->AddModeless(hwnd);
  return true;
}

void Dialog::EndDialog(INT_PTR result) { ::EndDialog(Handle(), result); }

void Dialog::UpdateData(bool save) { DoDataExchange(DataExchange{Handle(), save}); }

LRESULT Dialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog();
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED || lParam == 0) {
        if (LOWORD(wParam) == IDOK) {
          OnOK();
          return 0;
        }
        if (LOWORD(wParam) == IDCANCEL) {
          OnCancel();
          return 0;
        }
      }
      break;
    default:
      break;
  }
  return Window::WindowProc(message, wParam, lParam);
}

BOOL Dialog::OnInitDialog() {
  UpdateData(false);
  return TRUE;
}

void Dialog::OnOK() {
  UpdateData(true);
  if (modal_) {
    EndDialog(IDOK);
  } else {
    DestroyWindow();
  }
}

void Dialog::OnCancel() {
  if (modal_) {
    EndDialog(IDCANCEL);
  } else {
    DestroyWindow();
  }
}

INT_PTR Dialog::AttachOnInit(Dialog* dialog, HWND hwnd) {
  dialog->Subclass(hwnd);
  // WM_INITDIALOG itself arrived through the original procedure: hand it on explicitly.
  return ::SendMessageA(hwnd, WM_INITDIALOG, 0, 0);
}

INT_PTR CALLBACK Dialog::StaticDialogProc(HWND hwnd, UINT message, WPARAM, LPARAM lParam) {
  // Once subclassed, every message reaches WindowProc first; the platform's dialog processing
  // calls back in here only through Default(), where nothing is left to do.
  if (message == WM_INITDIALOG && FromHandle(hwnd) == nullptr) {
    return AttachOnInit(reinterpret_cast<Dialog*>(lParam), hwnd);
  }
  return FALSE;
}

}  // namespace fw
