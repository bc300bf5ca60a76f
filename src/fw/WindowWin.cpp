#include "fw/WindowWin.h"

#include <algorithm>
#include <map>
#include <tuple>
#include <vector>

#include "fw/ApplicationWin.h"

namespace fw {

namespace {

// The object whose CreateEx is running, so that the first messages of its window find it.
thread_local Window* gWindowBeingCreated = nullptr;

}  // namespace

Window::~Window() {
  if (hwnd_ != nullptr) {
    // An object deleted while its window lives: detach so no message reaches freed memory.
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
    if (previousProc_ != nullptr) {
      SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previousProc_));
    }
    ::DestroyWindow(hwnd_);
  }
}

Window* Window::FromHandle(HWND hwnd) {
  if (hwnd == nullptr) return nullptr;
  return reinterpret_cast<Window*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

const char* Window::RegisterWndClass(UINT classStyle, HCURSOR cursor, HBRUSH background,
                                     HICON icon) {
  using Key = std::tuple<UINT, HCURSOR, HBRUSH, HICON>;
  static std::map<Key, std::string> registered;
  const Key key{classStyle, cursor, background, icon};
  auto found = registered.find(key);
  if (found != registered.end()) return found->second.c_str();

  std::string name = "Fw:" + std::to_string(registered.size()) + ":" +
                     std::to_string(reinterpret_cast<UINT_PTR>(GetModuleHandleA(nullptr)));
  WNDCLASSA wc{};
  wc.style = classStyle;
  wc.lpfnWndProc = &Window::StartWndProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = cursor;
  wc.hbrBackground = background;
  wc.hIcon = icon;
  wc.lpszClassName = name.c_str();
  if (RegisterClassA(&wc) == 0) return nullptr;
  return registered.emplace(key, std::move(name)).first->second.c_str();
}

bool Window::CreateEx(DWORD exStyle, const char* className, const char* title, DWORD style, int x,
                      int y, int width, int height, HWND parent, HMENU menu) {
  if (hwnd_ != nullptr || className == nullptr) return false;
  // The class's procedure attaches this object on the window's first message, so that
  // WM_NCCREATE and WM_CREATE already reach it.
  gWindowBeingCreated = this;
  HWND hwnd = CreateWindowExA(exStyle, className, title, style, x, y, width, height, parent, menu,
                              GetModuleHandleA(nullptr), nullptr);
  gWindowBeingCreated = nullptr;
  return hwnd != nullptr;
}

BOOL Window::DestroyWindow() { return hwnd_ != nullptr ? ::DestroyWindow(hwnd_) : FALSE; }

UINT_PTR Window::SetTimer(UINT_PTR id, UINT periodMs) {
  return ::SetTimer(hwnd_, id, periodMs, nullptr);
}

BOOL Window::KillTimer(UINT_PTR id) { return ::KillTimer(hwnd_, id); }

BOOL Window::Post(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::PostMessageA(hwnd_, message, wParam, lParam);
}

LRESULT Window::Send(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::SendMessageA(hwnd_, message, wParam, lParam);
}

HWND Window::Item(int id) const { return GetDlgItem(hwnd_, id); }

LRESULT Window::SendItemMessage(int id, UINT message, WPARAM wParam, LPARAM lParam) {
  return SendDlgItemMessageA(hwnd_, id, message, wParam, lParam);
}

void Window::SetItemText(int id, const std::string& text) {
  SetDlgItemTextA(hwnd_, id, text.c_str());
}

std::string Window::GetItemText(int id) const { return TextOf(Item(id)); }

void Window::ShowItem(int id, bool show) { ShowWindow(Item(id), show ? SW_SHOW : SW_HIDE); }

void Window::EnableItem(int id, bool enable) { EnableWindow(Item(id), enable ? TRUE : FALSE); }

void Window::CheckItem(int id, bool check) {
  CheckDlgButton(hwnd_, id, check ? BST_CHECKED : BST_UNCHECKED);
}

bool Window::IsItemChecked(int id) const { return IsDlgButtonChecked(hwnd_, id) == BST_CHECKED; }

void Window::RefreshItem(int id, const std::string& text) {
  SetItemText(id, text);
  InvalidateRect(Item(id), nullptr, TRUE);
}

std::string Window::TextOf(HWND hwnd) {
  if (hwnd == nullptr) return {};
  // WM_GETTEXT rather than GetWindowText: it also reads edit controls of other processes.
  const LRESULT length = ::SendMessageA(hwnd, WM_GETTEXTLENGTH, 0, 0);
  if (length <= 0) return {};
  std::vector<char> buffer(static_cast<size_t>(length) + 1, '\0');
  const LRESULT copied =
      ::SendMessageA(hwnd, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
  if (copied <= 0) return {};
  return std::string(buffer.data(), std::min(static_cast<size_t>(copied), buffer.size() - 1));
}

LRESULT Window::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      return OnCreate(reinterpret_cast<CREATESTRUCTA*>(lParam));
    case WM_DESTROY:
      OnDestroy();
      return 0;
    case WM_TIMER:
      OnTimer(wParam);
      return 0;
    case WM_CLOSE:
      OnClose();
      return 0;
    case WM_ENDSESSION:
      OnEndSession(wParam != 0);
      return 0;
    case WM_COMMAND:
      if (OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam))) return 0;
      return Default();
    default:
      return Default();
  }
}

void Window::OnEndSession(bool ending) {
  Application* app = Application::Current();
  if (ending && app != nullptr && app->MainWindow() == this) app->EndSession();
}

LRESULT Window::Default() {
  if (previousProc_ != nullptr) {
    return CallWindowProcA(previousProc_, hwnd_, current_.message, current_.wParam,
                           current_.lParam);
  }
  return DefWindowProcA(hwnd_, current_.message, current_.wParam, current_.lParam);
}

void Window::Bind(HWND hwnd) {
  hwnd_ = hwnd;
  SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

void Window::Subclass(HWND hwnd) {
  Bind(hwnd);
  previousProc_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Window::StaticWndProc)));
}

LRESULT CALLBACK Window::StartWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Window* self = gWindowBeingCreated;
  if (self == nullptr) return DefWindowProcA(hwnd, message, wParam, lParam);
  gWindowBeingCreated = nullptr;
  self->Bind(hwnd);
  SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Window::StaticWndProc));
  return Dispatch(self, hwnd, message, wParam, lParam);
}

LRESULT CALLBACK Window::StaticWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Window* self = FromHandle(hwnd);
  if (self == nullptr) return DefWindowProcA(hwnd, message, wParam, lParam);
  return Dispatch(self, hwnd, message, wParam, lParam);
}

LRESULT Window::Dispatch(Window* self, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  const CurrentMessage saved = self->current_;
  self->current_ = {message, wParam, lParam};
  ++self->depth_;
  const LRESULT result = self->WindowProc(message, wParam, lParam);
  self->current_ = saved;

  if (message == WM_NCDESTROY) {
    if (self->previousProc_ != nullptr) {
      SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(self->previousProc_));
      self->previousProc_ = nullptr;
    }
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    self->destroyed_ = true;
    if (Application* app = Application::Current()) app->WindowDestroyed(self, hwnd);
  }
  if (--self->depth_ == 0 && self->destroyed_) {
    self->destroyed_ = false;
    self->PostNcDestroy();  // may delete self
  }
  return result;
}

}  // namespace fw
