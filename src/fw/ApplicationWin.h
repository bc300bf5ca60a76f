// The application object: one per process. WinMain hands control to Run, which calls the
// start-up hook, runs the message loop until the main window is gone and calls the exit hook.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace fw {

class Window;

class Application {
 public:
  Application();
  virtual ~Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  static Application* Current();

  // The body of WinMain. Returns the process exit code.
  int Run(HINSTANCE instance);

  HINSTANCE Instance() const { return instance_; }
  // The program file's name without directory and extension, in the case it is written in.
  const std::string& ExeName() const { return exeName_; }

  Window* MainWindow() const { return mainWindow_; }
  void SetMainWindow(Window* window) { mainWindow_ = window; }

  // Modeless dialogs get keyboard navigation through IsDialogMessage in the loop.
  void AddModeless(HWND dialog);
  void RemoveModeless(HWND dialog);

  // Called by Window when a window has received its last message.
  void WindowDestroyed(Window* window, HWND hwnd);

  // Windows ends the session: the process is ended once the main window has returned from
  // WM_ENDSESSION, whatever window is open, so the exit steps run now, once.
  void EndSession();

 protected:
  // Return false to end the process at once; the main window, if any, is then destroyed and
  // ExitInstance still runs.
  virtual bool InitInstance() { return true; }
  virtual int ExitInstance() { return exitCode_; }
  int ExitCode() const { return exitCode_; }

 private:
  void ReadModuleName();
  int MessageLoop();
  // ExitInstance, once.
  int Exit();
  // Keyboard navigation of the modeless dialog the message is for; true when it took it.
  bool TranslateForModeless(const MSG& msg);

  HINSTANCE instance_ = nullptr;
  std::string exeName_;
  Window* mainWindow_ = nullptr;
  std::vector<HWND> modeless_;
  int exitCode_ = 0;
  bool exited_ = false;
};

}  // namespace fw
