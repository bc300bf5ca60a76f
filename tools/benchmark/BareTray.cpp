// The reference of the benchmark: the least a tray program does. One hidden tool window with a
// property, one notification-area icon, a message loop; WM_CLOSE ends it.
#include <windows.h>

#include <shellapi.h>

namespace {

constexpr UINT kIconId = 100;

NOTIFYICONDATAA Icon(HWND window) {
  NOTIFYICONDATAA icon{};
  icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
  icon.hWnd = window;
  icon.uID = kIconId;
  icon.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  icon.uCallbackMessage = WM_USER + 500;
  icon.hIcon = LoadIconA(nullptr, MAKEINTRESOURCEA(32512));  // IDI_APPLICATION
  lstrcpynA(icon.szTip, "BareTray", sizeof(icon.szTip));
  return icon;
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    NOTIFYICONDATAA icon = Icon(window);
    Shell_NotifyIconA(NIM_DELETE, &icon);
    RemovePropA(window, "BareTray");
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = &WindowProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = "BareTray";
  if (!RegisterClassA(&windowClass)) return 1;
  HWND window = CreateWindowExA(WS_EX_TOOLWINDOW, "BareTray", "BareTray", 0, 0, 0, 0, 0, nullptr,
                                nullptr, instance, nullptr);
  if (window == nullptr) return 1;
  NOTIFYICONDATAA icon = Icon(window);
  Shell_NotifyIconA(NIM_ADD, &icon);
  // Ready: the window exists with its property and the icon is added.
  SetPropA(window, "BareTray", reinterpret_cast<HANDLE>(1));
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
  return 0;
}
