// The base of every window and dialog of the program: binds the object to its window handle,
// dispatches messages to member handlers and frees self-deleting objects only after the last
// message of their window has left the stack.
#pragma once

#include <windows.h>

#include <string>

namespace fw {

class Window {
 public:
  Window() = default;
  virtual ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  HWND Handle() const { return hwnd_; }
  static Window* FromHandle(HWND hwnd);

  // Registers a window class with these attributes once per process and returns its name;
  // CreateEx takes only such classes.
  static const char* RegisterWndClass(UINT classStyle, HCURSOR cursor = nullptr,
                                      HBRUSH background = nullptr, HICON icon = nullptr);

  bool CreateEx(DWORD exStyle, const char* className, const char* title, DWORD style, int x, int y,
                int width, int height, HWND parent, HMENU menu);
  virtual BOOL DestroyWindow();

  UINT_PTR SetTimer(UINT_PTR id, UINT periodMs);
  BOOL KillTimer(UINT_PTR id);
  BOOL Post(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
  LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

  // Child controls, by id.
  HWND Item(int id) const;
  LRESULT SendItemMessage(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
  void SetItemText(int id, const std::string& text);
  std::string GetItemText(int id) const;
  void ShowItem(int id, bool show);
  void EnableItem(int id, bool enable);
  void CheckItem(int id, bool check);
  bool IsItemChecked(int id) const;
  // Sets the text and repaints the whole control with its background erased.
  void RefreshItem(int id, const std::string& text);

  // The window's own text, whatever its length.
  static std::string TextOf(HWND hwnd);

  // True while one of this window's messages is being handled (also inside a nested message
  // loop such as a message box's): the object must not be deleted now, since it is freed by
  // its PostNcDestroy once the last of them returned.
  bool IsHandlingMessage() const { return depth_ > 0; }

  // The message loop offers each message for a modeless dialog to the dialog first; return
  // true to keep it from the platform's dialog processing.
  virtual bool PreTranslateMessage(const MSG& /*msg*/) { return false; }

 protected:
  // Every message of the window arrives here; the default routes the common ones to the
  // handlers below and everything else to Default().
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  // The platform's processing of the message being handled.
  LRESULT Default();

  virtual int OnCreate(CREATESTRUCTA*) { return static_cast<int>(Default()); }
  virtual void OnDestroy() { Default(); }
  virtual void OnTimer(UINT_PTR) { Default(); }
  virtual void OnClose() { Default(); }
  // WM_ENDSESSION: when the session really ends, the main window runs the application's exit.
  virtual void OnEndSession(bool ending);
  // A menu command, accelerator or control notification; return false to leave it to Default().
  virtual bool OnCommand(int /*id*/, int /*code*/, HWND /*control*/) { return false; }

  // Runs once the window is gone and its last message has returned; an object that owns itself
  // deletes itself here.
  virtual void PostNcDestroy() {}

  // Attaches this object to an existing window (a dialog) by subclassing it.
  void Subclass(HWND hwnd);

  static LRESULT CALLBACK StaticWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK StartWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  static LRESULT Dispatch(Window* self, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  void Bind(HWND hwnd);

  struct CurrentMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
  };

  HWND hwnd_ = nullptr;
  WNDPROC previousProc_ = nullptr;
  CurrentMessage current_{};
  int depth_ = 0;
  bool destroyed_ = false;
};

}  // namespace fw
