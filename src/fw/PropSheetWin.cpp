#include "fw/PropSheetWin.h"

#include "fw/PlacementWin.h"
#include "fw/SystemLibrariesWin.h"

#include <algorithm>

namespace fw {

namespace {

// The sheet whose PropertySheetA is running; its callback has no other way to find it.
thread_local PropSheet* gSheetBeingCreated = nullptr;

// The width and height in dialog units of a dialog template of the program's resources; 0 x 0
// when there is none.
SIZE TemplateSize(int templateId) {
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(templateId), MAKEINTRESOURCEA(5));
  const void* data = found != nullptr ? LockResource(LoadResource(module, found)) : nullptr;
  if (data == nullptr) return {0, 0};
  const auto* words = static_cast<const WORD*>(data);
  const DWORD bytes = SizeofResource(module, found);
  // DLGTEMPLATEEX: version, 0xFFFF, help id, extended style, style, count, x, y, cx, cy (26
  // bytes). DLGTEMPLATE: style, extended style, count, x, y, cx, cy (18 bytes).
  if (bytes < 18) return {0, 0};
  const bool extended = words[1] == 0xFFFF;
  if (extended && bytes < 26) return {0, 0};
  const WORD* size = extended ? words + 11 : words + 7;
  return {static_cast<SHORT>(size[0]), static_cast<SHORT>(size[1])};
}

RECT RectIn(HWND window, HWND parent) {
  RECT rect{};
  GetWindowRect(window, &rect);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

}  // namespace

PROPSHEETPAGEA_V1 PropPage::Descriptor() {
  PROPSHEETPAGEA_V1 page{};
  // The first version of the structure, which the common controls of Windows 95 and NT 4 know;
  // none of the later fields is used.
  page.dwSize = sizeof(page);
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
    const PROPSHEETPAGEA* descriptor = reinterpret_cast<const PROPSHEETPAGEA*>(lParam);
    auto* page = static_cast<PropPage*>(reinterpret_cast<Dialog*>(descriptor->lParam));
    const INT_PTR result = AttachOnInit(page, hwnd);
    if (page->sheet_ != nullptr) page->sheet_->FitToPage(hwnd, page->TemplateId());
    return result;
  }
  return FALSE;
}

PropSheet::PropSheet(std::string caption, HWND parent, int startPage)
    : caption_(std::move(caption)), parent_(parent), startPage_(startPage) {}

INT_PTR PropSheet::DoModal() {
  // The sheet steps through the array by each page's dwSize: the elements are of that size.
  std::vector<PROPSHEETPAGEA_V1> descriptors;
  for (PropPage* page : pages_) descriptors.push_back(page->Descriptor());

  PROPSHEETHEADERA header{};
  header.dwSize = PROPSHEETHEADERA_V1_SIZE;  // likewise
  header.dwFlags = PSH_PROPSHEETPAGE | PSH_USECALLBACK;
  header.hwndParent = parent_;
  header.hInstance = GetModuleHandleA(nullptr);
  header.pszCaption = caption_.c_str();
  header.nPages = static_cast<UINT>(descriptors.size());
  header.nStartPage = static_cast<UINT>(startPage_);
  header.ppsp = reinterpret_cast<LPCPROPSHEETPAGEA>(descriptors.data());
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

// The sheet sizes its page area in its own dialog units, a page lays itself out in those of its
// template's font. Where the two fonts differ in size (Wine's sheet font against the pages'
// "MS Sans Serif" at 120 dpi), the page would run past the sheet's edge: the sheet grows by the
// difference, its buttons move with its edges. Where they agree this changes nothing.
void PropSheet::FitToPage(HWND page, int templateId) {
  HWND tabs = reinterpret_cast<HWND>(Send(PSM_GETTABCONTROL));
  if (page == nullptr || tabs == nullptr) return;
  const SIZE units = TemplateSize(templateId);
  RECT wanted{0, 0, units.cx, units.cy};
  MapDialogRect(page, &wanted);
  RECT area{};
  GetClientRect(tabs, &area);
  SendMessageA(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
  const int dx = std::max(0L, wanted.right - (area.right - area.left));
  const int dy = std::max(0L, wanted.bottom - (area.bottom - area.top));
  if (dx > 0 || dy > 0) Grow(page, tabs, wanted, dx, dy);
  KeepInWorkArea(Handle());
}

void PropSheet::Grow(HWND page, HWND tabs, const RECT& wanted, int dx, int dy) {
  const RECT tab = RectIn(tabs, Handle());
  for (HWND child = GetWindow(Handle(), GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    const RECT at = RectIn(child, Handle());
    if (child == tabs) {
      SetWindowPos(child, nullptr, 0, 0, at.right - at.left + dx, at.bottom - at.top + dy,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    } else if (child != page && at.top >= tab.bottom) {
      // The buttons under the page area.
      SetWindowPos(child, nullptr, at.left + dx, at.top + dy, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }
  SetWindowPos(page, nullptr, 0, 0, wanted.right, wanted.bottom,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  RECT frame{};
  GetWindowRect(Handle(), &frame);
  SetWindowPos(Handle(), nullptr, 0, 0, frame.right - frame.left + dx,
               frame.bottom - frame.top + dy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  LayoutButtons();
}

}  // namespace fw
