// Drives the real Parko.exe from outside, as a person would: installs the image into a fresh
// folder, starts the program, finds its windows and controls, reads and clicks them, and always
// ends the program it started. Every wait has a deadline.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace e2e {

// A file of the build tree beside the test program, by its path relative to it.
std::string BesideTestProgram(const std::string& relativePath);

// A file of the build's install image (dist/), by name.
std::string ImageFile(const std::string& name);

// Ends every Parko.exe still running in the prefix.
void EndStrayParkos();

// CreateProcessA through a function that can stand in for it.
using CreateProcessFunction =
    std::function<BOOL(char* commandLine, const char* directory, BOOL inheritHandles,
                       STARTUPINFOA* startup, PROCESS_INFORMATION* process)>;

// Starts a Windows program as CreateProcessA does, trying again a start that Wine itself could
// not set up. Now and then Wine's loader cannot lay out a new process's memory (it prints
// "failed to map the shared user data"); that process ends before any code of the program ran,
// and CreateProcess fails with ERROR_INTERNAL_ERROR, which a missing program, a missing DLL or a
// program that faults does not give. Such a start is tried up to three times, each retry said on
// standard error; any other failure ends it at once, with the error left for GetLastError.
bool StartProgram(const std::string& commandLine, const std::string& directory, bool inheritHandles,
                  STARTUPINFOA& startup, PROCESS_INFORMATION& process,
                  const CreateProcessFunction& create = {});

// Waits until the condition holds; false when the deadline passed first.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs);

// A fresh folder inside the Wine prefix with the install image and a parko.ini of the case's
// own. Removed again when the object goes.
class Installation {
 public:
  // The folder's path is padded to at least minDirLength characters.
  Installation(const std::string& caseName, const std::string& iniText, size_t minDirLength = 0);
  ~Installation();
  Installation(const Installation&) = delete;
  Installation& operator=(const Installation&) = delete;

  bool Ok() const { return ok_; }
  // Why the installation is not Ok.
  const std::string& Error() const { return error_; }
  const std::string& Dir() const { return dir_; }
  std::string PathOf(const std::string& file) const { return dir_ + "\\" + file; }
  // A file's whole content; "" when it is missing.
  std::string ReadFile(const std::string& file) const;
  bool HasFile(const std::string& file) const;
  bool WriteFile(const std::string& file, const std::string& content) const;
  // Puts a copy of another file in the installation under this name.
  bool CopyIn(const std::string& sourcePath, const std::string& file) const;
  // Replaces Parko.exe and the simulator's libraries with their builds of the 9x personality
  // (dist9x/), in which what Windows 95, 98 and ME only stub fails as it does there.
  bool UseNineXPersonality() const;

 private:
  std::string dir_;
  std::string error_;
  bool ok_ = false;
};

struct WindowInfo {
  HWND hwnd;
  std::string windowClass;
  std::string title;
  bool visible;
  bool enabled;
  // Destroyed while it was being read: the other fields say nothing.
  bool gone;
};

class ParkoProcess {
 public:
  ParkoProcess() = default;
  ~ParkoProcess();
  ParkoProcess(const ParkoProcess&) = delete;
  ParkoProcess& operator=(const ParkoProcess&) = delete;

  // Starts Parko.exe of the installation with workingDir as its current directory (default:
  // the installation's folder).
  bool Start(const Installation& installation, const std::string& workingDir = "");
  // Starts the program file at exePath in workingDir.
  bool Start(const std::string& exePath, const std::string& workingDir);
  DWORD Id() const { return processId_; }

  // The hidden main window "TrayIconHandler" of this process.
  HWND WaitForMainWindow(DWORD timeoutMs = 10000);
  // A top-level window of this process by class and title (either may be null for any).
  HWND WaitForWindow(const char* windowClass, const char* title, DWORD timeoutMs = 5000) const;
  std::vector<WindowInfo> Windows() const;

  bool IsRunning() const;
  bool WaitForExit(DWORD timeoutMs);
  DWORD ExitCode() const;
  // Asks the main window to close; ends the process by force when it has not ended by the
  // deadline. True when it ended by itself with exit code 0 (not by a fault).
  bool Close(DWORD timeoutMs = 5000);

  // What the driver sees of the process: its windows and whether it runs.
  std::string Describe() const;
  // Ends the process by force, as Windows does once the session has ended.
  void Kill();

 private:
  HANDLE process_ = nullptr;
  DWORD processId_ = 0;
  HWND mainWindow_ = nullptr;
};

// One command to the simulated engine inside the running program; its reply ("ok ...",
// "error ..."), or "" when no engine answers.
std::string Mohsim(const std::string& command);

// Controls and message boxes of another process.
HWND Control(HWND dialog, int id);
std::string Text(HWND hwnd);
bool IsVisible(HWND hwnd);
bool IsEnabled(HWND hwnd);
void Click(HWND dialog, int id);
// A list box of another process.
int ListCount(HWND listBox);
int ListSelection(HWND listBox);
// Its lines, read in the wide form and given back in the ANSI code page.
std::vector<std::string> ListLines(HWND listBox);

// Opens the tray menu of the program's main window as a right click on its icon does; the
// menu's window, or null when none came up.
HWND OpenTrayMenu(const ParkoProcess& process, HWND mainWindow);
// Chooses the entry-th entry of an open menu (1 is the first; separators do not count) with the
// arrow keys and Enter. False when the menu did not close.
bool ChooseInMenu(HWND menu, int entry);
bool ChooseFromTrayMenu(const ParkoProcess& process, HWND mainWindow, int entry);
// A double click on the icon, as the notification area reports it.
void DoubleClickTrayIcon(HWND mainWindow);

// The settings sheet "Modem On Hold Einstellungen" of the process once it shows; null by the
// deadline. Its one page, and its buttons (PSBTN_OK, PSBTN_CANCEL), pressed without waiting.
HWND WaitForSettingsSheet(const ParkoProcess& process, DWORD timeoutMs = 5000);
HWND SheetPage(HWND sheet);
void PressSheetButton(HWND sheet, int button);
// Lines of a text file, without their line ends.
std::vector<std::string> Lines(const std::string& text);
// A message box: a dialog of only statics and push buttons whose static 0xFFFF holds text.
bool IsMessageBox(HWND window);
// A visible message box of the process.
HWND WaitForMessageBox(const ParkoProcess& process, DWORD timeoutMs = 5000);
std::string MessageBoxText(HWND box);
// Clicks the button of a message box; true once the box has closed. False when the window is
// no message box, has no such button, or stays open.
[[nodiscard]] bool DismissMessageBox(HWND box, int buttonId);

// The part of the window that lies on the screen (the screen for null); empty when none does.
RECT OnScreen(HWND hwnd);
// Writes what the screen shows of the window (the whole screen for null) as a 24-bit BMP.
bool SaveScreenshot(HWND hwnd, const std::string& bmpPath);
// The same for a rectangle of the screen.
bool SaveScreenArea(const RECT& area, const std::string& bmpPath);

}  // namespace e2e
