// Dialogs from a template of the program's resources, modal or modeless. The dialog window is
// subclassed on WM_INITDIALOG, so its messages reach WindowProc like those of any Window and
// Default() is the platform's dialog processing.
#pragma once

#include "fw/DataExchangeWin.h"
#include "fw/WindowWin.h"

namespace fw {

class Dialog : public Window {
 public:
  explicit Dialog(int templateId) : templateId_(templateId) {}

  int TemplateId() const { return templateId_; }

  // Runs the dialog modally; returns the code it ended with, or -1 when it could not be made.
  INT_PTR DoModal(HWND parent = nullptr);
  // Creates the dialog modeless (hidden unless its template says visible).
  bool Create(HWND parent);
  // Ends a modal dialog with this code.
  void EndDialog(INT_PTR result);

  // Members to controls (save false) or controls to members (save true).
  void UpdateData(bool save);

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  // Return TRUE to let the platform put the focus on the first control.
  virtual BOOL OnInitDialog();
  // IDOK and IDCANCEL: end a modal dialog with that code; destroy a modeless one.
  virtual void OnOK();
  virtual void OnCancel();
  virtual void DoDataExchange(const DataExchange&) {}

  static INT_PTR CALLBACK StaticDialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  // Binds the object found from WM_INITDIALOG's lParam and handles WM_INITDIALOG.
  static INT_PTR AttachOnInit(Dialog* dialog, HWND hwnd);

 private:
  int templateId_;
  bool modal_ = false;
};

}  // namespace fw
