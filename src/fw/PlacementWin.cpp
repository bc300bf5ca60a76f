#include "fw/PlacementWin.h"

#include "fw/Placement.h"

void RememberPlacement(HWND window, WINDOWPLACEMENT& placement) {
  if (window == nullptr) return;
  placement.length = sizeof(placement);
  GetWindowPlacement(window, &placement);
}

void PlaceCentred(HWND window, WINDOWPLACEMENT& placement, UINT show) {
  WINDOWPLACEMENT own{};
  own.length = sizeof(own);
  GetWindowPlacement(window, &own);
  const int width = own.rcNormalPosition.right - own.rcNormalPosition.left;
  const int height = own.rcNormalPosition.bottom - own.rcNormalPosition.top;
  const Origin origin =
      CentredOrigin(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), width, height);
  placement = own;
  placement.rcNormalPosition = {origin.x, origin.y, origin.x + width, origin.y + height};
  placement.showCmd = show;
  SetWindowPlacement(window, &placement);
}

void PlaceAsRemembered(HWND window, WINDOWPLACEMENT& placement, UINT show) {
  placement.length = sizeof(placement);
  placement.showCmd = show;
  SetWindowPlacement(window, &placement);
}

void RaiseToTopAt(HWND window, const WINDOWPLACEMENT& placement) {
  const RECT& normal = placement.rcNormalPosition;
  SetWindowPos(window, HWND_TOPMOST, normal.left, normal.top, 0, 0, SWP_NOSIZE);
}

void KeepInWorkArea(HWND window) {
  RECT work{};
  if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0)) {
    work = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  }
  RECT frame{};
  if (!GetWindowRect(window, &frame)) return;
  const Origin origin = KeptInArea({work.left, work.top, work.right, work.bottom}, frame.left,
                                   frame.top, frame.right - frame.left, frame.bottom - frame.top);
  if (origin.x == frame.left && origin.y == frame.top) return;
  SetWindowPos(window, nullptr, origin.x, origin.y, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
