// A modal property sheet on PropertySheetA with pages from templates of the program's resources.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "fw/DialogWin.h"

namespace fw {

class PropSheet;

class PropPage : public Dialog {
 public:
  explicit PropPage(int templateId) : Dialog(templateId) {}

  PROPSHEETPAGEA_V1 Descriptor();

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  // OK of the sheet, after the controls were read into the members.
  void OnOK() override {}
  // Cancel or close of the sheet.
  void OnCancel() override {}

 private:
  static INT_PTR CALLBACK StaticPageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  friend class PropSheet;
  PropSheet* sheet_ = nullptr;
};

class PropSheet : public Window {
 public:
  PropSheet(std::string caption, HWND parent, int startPage);

  void AddPage(PropPage* page) {
    page->sheet_ = this;
    pages_.push_back(page);
  }
  // IDOK when the user confirmed with OK, IDCANCEL otherwise.
  INT_PTR DoModal();

 protected:
  // The sheet's window exists and its first page is created.
  virtual BOOL OnInitDialog() { return TRUE; }
  // Places the buttons under the page area; again after the sheet has grown to fit its page.
  virtual void LayoutButtons() {}

 private:
  static int CALLBACK SheetCallback(HWND hwnd, UINT message, LPARAM lParam);
  // Called by a page once it is created.
  friend class PropPage;
  void FitToPage(HWND page, int templateId);
  // The tab, the page and the sheet larger by dx and dy, the buttons moved with the edges.
  void Grow(HWND page, HWND tabs, const RECT& wanted, int dx, int dy);

  std::string caption_;
  HWND parent_;
  int startPage_;
  std::vector<PropPage*> pages_;
};

}  // namespace fw
