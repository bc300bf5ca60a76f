#include "fw/ApplicationWin.h"

#include <windows.h>

#include <commctrl.h>

#include <algorithm>

#include "fw/WindowWin.h"

namespace fw {

namespace {

Application* gCurrentApplication = nullptr;

}  // namespace

Application::Application() { gCurrentApplication = this; }

Application::~Application() {
  if (gCurrentApplication == this) gCurrentApplication = nullptr;
}

Application* Application::Current() { return gCurrentApplication; }

int Application::Run(HINSTANCE instance) {
  instance_ = instance;
  ReadModuleName();
  if (!InitInstance()) {
    if (mainWindow_ != nullptr && mainWindow_->Handle() != nullptr) mainWindow_->DestroyWindow();
    // Destroying the main window posts a quit message that nobody will read.
    MSG stale;
    PeekMessageA(&stale, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    return Exit();
  }
  exitCode_ = MessageLoop();
  return Exit();
}

int Application::Exit() {
  if (exited_) return exitCode_;
  exited_ = true;
  exitCode_ = ExitInstance();
  return exitCode_;
}

void Application::EndSession() { Exit(); }

void Application::ReadModuleName() {
  std::vector<char> buffer(MAX_PATH);
  std::string path;
  for (;;) {
    const DWORD length =
        GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return;
    if (length < buffer.size()) {
      path.assign(buffer.data(), length);
      break;
    }
    buffer.resize(buffer.size() * 2);
  }
  const size_t slash = path.find_last_of("\\/:");
  std::string file = slash == std::string::npos ? path : path.substr(slash + 1);
  const size_t dot = file.find_last_of('.');
  exeName_ = dot == std::string::npos ? file : file.substr(0, dot);
}

int Application::MessageLoop() {
  MSG msg;
  for (;;) {
    const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0) return static_cast<int>(msg.wParam);
    if (got == -1) return -1;
    if (TranslateForModeless(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

bool Application::TranslateForModeless(const MSG& msg) {
  // A copy: a handler run from here may open or close a modeless dialog.
  const std::vector<HWND> dialogs = modeless_;
  for (HWND dialog : dialogs) {
    if (msg.hwnd != dialog && !IsChild(dialog, msg.hwnd)) continue;
    if (Window* window = Window::FromHandle(dialog)) {
      if (window->PreTranslateMessage(msg)) return true;
    }
    // The dialog may have gone in PreTranslateMessage.
    if (IsWindow(dialog) && IsDialogMessageA(dialog, const_cast<MSG*>(&msg))) return true;
  }
  return false;
}

void Application::AddModeless(HWND dialog) {
  if (std::find(modeless_.begin(), modeless_.end(), dialog) == modeless_.end()) {
    modeless_.push_back(dialog);
  }
}

void Application::RemoveModeless(HWND dialog) {
  modeless_.erase(std::remove(modeless_.begin(), modeless_.end(), dialog), modeless_.end());
}

void Application::WindowDestroyed(Window* window, HWND hwnd) {
  RemoveModeless(hwnd);
  if (window == mainWindow_) {
    mainWindow_ = nullptr;
    PostQuitMessage(0);
  }
}

}  // namespace fw
