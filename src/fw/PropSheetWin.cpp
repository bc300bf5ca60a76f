#include "fw/PropSheetWin.h"

#include "fw/SystemLibrariesWin.h"

namespace fw {

namespace {

// The sheet whose PropertySheetA is running; its callback has no other way to find it.
thread_local PropSheet* gSheetBeingCreated = nullptr;

}  // namespace

PROPSHEETPAGEA PropPage::Descriptor() {
  PROPSHEETPAGEA page{};
  // The first version of the structure, which the common controls of Windows 95 and NT 4 know;
  // none of the later fields is used.
  page.dwSize = PROPSHEETPAGEA_V1_SIZE;
  page.hInstance = GetModuleHandleA(nullptr);
  page.pszTemplate = MAKEINTRESOURCEA(TemplateId());
  page.pfnDlgProc = &PropPage::StaticPageProc;
  page.lParam = reinterpret_cast<LPARAM>(static_cast<Dialog*>(this));
  return page;
}

LRESULT PropPage::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NOTIFY) {
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    switch (header->code) {
      case PSN_KILLACTIVE:
        UpdateData(true);
        return FALSE;  // leaving the page is allowed
      case PSN_APPLY:
        OnOK();
        return PSNRET_NOERROR;
      case PSN_RESET:
        OnCancel();
        return 0;
      default:
        break;
    }
  }
  return Dialog::WindowProc(message, wParam, lParam);
}

INT_PTR CALLBACK PropPage::StaticPageProc(HWND hwnd, UINT message, WPARAM, LPARAM lParam) {
  if (message == WM_INITDIALOG && FromHandle(hwnd) == nullptr) {
    const PROPSHEETPAGEA* page = reinterpret_cast<const PROPSHEETPAGEA*>(lParam);
    return AttachOnInit(reinterpret_cast<Dialog*>(page->lParam), hwnd);
  }
  return FALSE;
}

PropSheet::PropSheet(std::string caption, HWND parent, int startPage)
    : caption_(std::move(caption)), parent_(parent), startPage_(startPage) {}

INT_PTR PropSheet::DoModal() {
  std::vector<PROPSHEETPAGEA> descriptors;
  for (PropPage* page : pages_) descriptors.push_back(page->Descriptor());

  PROPSHEETHEADERA header{};
  header.dwSize = PROPSHEETHEADERA_V1_SIZE;  // likewise
  header.dwFlags = PSH_PROPSHEETPAGE | PSH_USECALLBACK;
  header.hwndParent = parent_;
  header.hInstance = GetModuleHandleA(nullptr);
  header.pszCaption = caption_.c_str();
  header.nPages = static_cast<UINT>(descriptors.size());
  header.nStartPage = static_cast<UINT>(startPage_);
  header.ppsp = descriptors.data();
  header.pfnCallback = &PropSheet::SheetCallback;

  gSheetBeingCreated = this;
  const INT_PTR result = fw::PropertySheet(&header);
  gSheetBeingCreated = nullptr;
  return result > 0 ? IDOK : IDCANCEL;
}

int CALLBACK PropSheet::SheetCallback(HWND hwnd, UINT message, LPARAM) {
  if (message == PSCB_INITIALIZED && gSheetBeingCreated != nullptr) {
    PropSheet* sheet = gSheetBeingCreated;
    gSheetBeingCreated = nullptr;
    sheet->Subclass(hwnd);
    sheet->OnInitDialog();
  }
  return 0;
}

}  // namespace fw
