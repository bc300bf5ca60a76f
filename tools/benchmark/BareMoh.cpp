// The burst's reference: the least a program does with the library's events along the path the
// program takes them. The library's callback posts each event to a hidden window, the window
// posts it once more to itself, and the handler does nothing with it; the provider's remote
// timeout, the burst's last event, only renames the window so that the benchmark sees the end.
#include <windows.h>

#include "moh/MohApi.h"

namespace {

constexpr UINT kEvent = WM_USER + 10;
constexpr UINT kDispatch = WM_USER + 12;
constexpr int kRemoteTimeout = 16;
HWND gWindow = nullptr;

void MOHAPI_CALL Callback(int event, int value) {
  PostMessageA(gWindow, kEvent, static_cast<WPARAM>(event), value);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case kEvent:
      PostMessageA(window, kDispatch, wParam, lParam);
      return 0;
    case kDispatch:
      if (static_cast<int>(wParam) == kRemoteTimeout) SetWindowTextA(window, "BareMoh drained");
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = &WindowProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = "BareMoh";
  if (!RegisterClassA(&windowClass)) return 1;
  gWindow = CreateWindowExA(WS_EX_TOOLWINDOW, "BareMoh", "BareMoh", 0, 0, 0, 0, 0, nullptr, nullptr,
                            instance, nullptr);
  if (gWindow == nullptr) return 1;
  MODEM_ENTRY modems[MOH_MAX_MODEMS] = {};
  if (MoHEnumerateModems(modems, "") < 1 || MohInitialize(0, &modems[0], &Callback) == 0) return 1;
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
  MohCommand(0, MOH_CMD_CLOSE);
  return 0;
}
