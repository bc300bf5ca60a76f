#include "Driver.h"

#include <commctrl.h>
#include <tlhelp32.h>

#include "PipeClient.h"

#include <cstdio>
#include <sstream>

namespace e2e {

namespace {

constexpr const char* kTestRoot = "C:\\parko-e2e";

// The install image beside the build tree: <build>\dist, two levels above this test program.
std::string TestProgramDir() {
  char path[MAX_PATH * 4] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, sizeof(path));
  if (length == 0 || length >= sizeof(path)) return {};
  const std::string file(path, length);
  return file.substr(0, file.find_last_of('\\'));
}

// A folder of the build tree: dist, or dist9x.
std::string BuildDir(const char* name) {
  char path[MAX_PATH * 4] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, sizeof(path));
  if (length == 0 || length >= sizeof(path)) return {};
  std::string dir(path, length);
  for (int up = 0; up < 3; ++up) dir = dir.substr(0, dir.find_last_of('\\'));
  return dir + "\\" + name;
}

std::string DistDir() { return BuildDir("dist"); }

bool WriteWholeFile(const std::string& path, const std::string& content) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok =
      WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == content.size();
}

void RemoveTree(const std::string& dir) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((dir + "\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = found.cFileName;
      if (name == "ParkoSetup.exe") continue;  // the image packed, not a part of it
      if (name == "." || name == "..") continue;
      const std::string path = dir + "\\" + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path);
      } else {
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
      }
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  RemoveDirectoryA(dir.c_str());
}

std::string ClassOf(HWND hwnd) {
  char name[128] = {};
  GetClassNameA(hwnd, name, sizeof(name));
  return name;
}

struct EnumState {
  DWORD processId;
  std::vector<HWND>* windows;
};

BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM lParam) {
  auto* state = reinterpret_cast<EnumState*>(lParam);
  DWORD owner = 0;
  GetWindowThreadProcessId(hwnd, &owner);
  // The input-method windows that the system gives every GUI thread are not the program's.
  const std::string windowClass = ClassOf(hwnd);
  if (owner == state->processId && windowClass != "IME" && windowClass != "MSCTFIME UI") {
    state->windows->push_back(hwnd);
  }
  return TRUE;
}

std::vector<HWND> TopLevelWindowsOf(DWORD processId) {
  std::vector<HWND> windows;
  EnumState state{processId, &windows};
  EnumWindows(&CollectWindow, reinterpret_cast<LPARAM>(&state));
  return windows;
}

}  // namespace

std::string BesideTestProgram(const std::string& relativePath) {
  return TestProgramDir() + "\\" + relativePath;
}

std::string ImageFile(const std::string& name) { return DistDir() + "\\" + name; }

void EndStrayParkos() {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return;
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
    if (lstrcmpiA(entry.szExeFile, "Parko.exe") != 0) continue;
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID);
    if (process == nullptr) continue;
    TerminateProcess(process, 254);
    WaitForSingleObject(process, 5000);
    CloseHandle(process);
  }
  CloseHandle(snapshot);
}

bool StartProgram(const std::string& commandLine, const std::string& directory, bool inheritHandles,
                  STARTUPINFOA& startup, PROCESS_INFORMATION& process,
                  const CreateProcessFunction& create) {
  constexpr int kAttempts = 3;
  for (int attempt = 1;; ++attempt) {
    // CreateProcessA may write into its command line.
    std::string line = commandLine;
    const char* dir = directory.empty() ? nullptr : directory.c_str();
    const BOOL started = create
                             ? create(&line[0], dir, inheritHandles, &startup, &process)
                             : CreateProcessA(nullptr, &line[0], nullptr, nullptr, inheritHandles,
                                              0, nullptr, dir, &startup, &process);
    if (started) return true;
    const DWORD error = GetLastError();
    if (error != ERROR_INTERNAL_ERROR || attempt == kAttempts) {
      SetLastError(error);
      return false;
    }
    std::fprintf(stderr,
                 "e2e: Wine could not set up the process of %s (CreateProcess error %lu: it "
                 "ended before it ran); starting it again (%d of %d)\n",
                 commandLine.c_str(), static_cast<unsigned long>(error), attempt + 1, kAttempts);
  }
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (condition()) return true;
    if (GetTickCount() - start >= timeoutMs) return false;
    Sleep(20);
  }
}

Installation::Installation(const std::string& caseName, const std::string& iniText,
                           size_t minDirLength) {
  static int serial = 0;
  // A case that timed out may have left its program running, holding the single-instance
  // mutex: no later case could start one.
  if (serial == 0) EndStrayParkos();
  CreateDirectoryA(kTestRoot, nullptr);
  dir_ = std::string(kTestRoot) + "\\" + caseName + "-" + std::to_string(GetCurrentProcessId()) +
         "-" + std::to_string(++serial);
  if (dir_.size() < minDirLength) dir_ += "-" + std::string(minDirLength - dir_.size() - 1, 'x');
  RemoveTree(dir_);
  if (!CreateDirectoryA(dir_.c_str(), nullptr)) {
    error_ = "cannot make the folder, error " + std::to_string(GetLastError());
    return;
  }

  const std::string dist = DistDir();
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((dist + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  bool copied = true;
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    const std::string name = found.cFileName;
    if (name == "ParkoSetup.exe") continue;  // the image packed, not a part of it
    // In a folder near the path limit only the files that fit are installed; the program and
    // its library always do.
    if (PathOf(name).size() >= MAX_PATH && name != "Parko.exe" && name != "MOHAPI.DLL") continue;
    if (!CopyFileA((dist + "\\" + name).c_str(), PathOf(name).c_str(), FALSE)) {
      error_ += "cannot copy " + name + ", error " + std::to_string(GetLastError()) + "; ";
      copied = false;
    }
  } while (FindNextFileA(search, &found));
  FindClose(search);
  ok_ = copied && HasFile("Parko.exe") && WriteWholeFile(PathOf("parko.ini"), iniText);
}

Installation::~Installation() { RemoveTree(dir_); }

std::string Installation::ReadFile(const std::string& file) const {
  HANDLE handle = CreateFileA(PathOf(file).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return {};
  std::string content;
  char buffer[4096];
  DWORD got = 0;
  while (::ReadFile(handle, buffer, sizeof(buffer), &got, nullptr) && got > 0) {
    content.append(buffer, got);
  }
  CloseHandle(handle);
  return content;
}

bool Installation::CopyIn(const std::string& sourcePath, const std::string& file) const {
  return CopyFileA(sourcePath.c_str(), PathOf(file).c_str(), FALSE) != 0;
}

bool Installation::UseNineXPersonality() const {
  const std::string dir = BuildDir("dist9x");
  for (const char* file : {"Parko.exe", "MOHAPI.DLL", "DefaultDialString.dll"}) {
    if (!CopyIn(dir + "\\" + file, file)) return false;
  }
  return true;
}

bool Installation::WriteFile(const std::string& file, const std::string& content) const {
  return WriteWholeFile(PathOf(file), content);
}

bool Installation::HasFile(const std::string& file) const {
  return GetFileAttributesA(PathOf(file).c_str()) != INVALID_FILE_ATTRIBUTES;
}

ParkoProcess::~ParkoProcess() {
  if (process_ != nullptr) {
    if (IsRunning()) Close(3000);
    CloseHandle(process_);
  }
}

bool ParkoProcess::Start(const Installation& installation, const std::string& workingDir) {
  return Start(installation.PathOf("Parko.exe"),
               workingDir.empty() ? installation.Dir() : workingDir);
}

bool ParkoProcess::Start(const std::string& exePath, const std::string& directory) {
  if (process_ != nullptr) return false;
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  if (!StartProgram("\"" + exePath + "\"", directory, false, startup, info)) {
    std::fprintf(stderr, "e2e: %s did not start (error %lu)\n", exePath.c_str(),
                 static_cast<unsigned long>(GetLastError()));
    return false;
  }
  CloseHandle(info.hThread);
  process_ = info.hProcess;
  processId_ = info.dwProcessId;
  return true;
}

HWND ParkoProcess::WaitForMainWindow(DWORD timeoutMs) {
  mainWindow_ = WaitForWindow(nullptr, "TrayIconHandler", timeoutMs);
  return mainWindow_;
}

HWND ParkoProcess::WaitForWindow(const char* windowClass, const char* title,
                                 DWORD timeoutMs) const {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        for (HWND hwnd : TopLevelWindowsOf(processId_)) {
          if (windowClass != nullptr && lstrcmpiA(ClassOf(hwnd).c_str(), windowClass) != 0) {
            continue;
          }
          if (title != nullptr && Text(hwnd) != title) continue;
          found = hwnd;
          return true;
        }
        return false;
      },
      timeoutMs);
  return found;
}

std::vector<WindowInfo> ParkoProcess::Windows() const {
  std::vector<WindowInfo> windows;
  for (HWND hwnd : TopLevelWindowsOf(processId_)) {
    WindowInfo window{hwnd, ClassOf(hwnd), Text(hwnd), IsVisible(hwnd), IsEnabled(hwnd), false};
    // A window destroyed between these reads reads as an empty, hidden, disabled one.
    window.gone = !IsWindow(hwnd);
    windows.push_back(window);
  }
  return windows;
}

bool ParkoProcess::IsRunning() const {
  return process_ != nullptr && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

bool ParkoProcess::WaitForExit(DWORD timeoutMs) {
  if (process_ == nullptr) return false;
  const DWORD waited = WaitForSingleObject(process_, timeoutMs);
  // A handle that is no longer the process's (closed elsewhere) fails at once: say so, rather
  // than read it as a process that is still running.
  if (waited == WAIT_FAILED) {
    std::fprintf(stderr, "e2e: waiting for Parko (process %lu) failed, error %lu\n",
                 static_cast<unsigned long>(processId_),
                 static_cast<unsigned long>(GetLastError()));
  }
  return waited == WAIT_OBJECT_0;
}

DWORD ParkoProcess::ExitCode() const {
  DWORD code = STILL_ACTIVE;
  if (process_ != nullptr && !GetExitCodeProcess(process_, &code)) {
    std::fprintf(stderr, "e2e: the exit code of Parko (process %lu) cannot be read, error %lu\n",
                 static_cast<unsigned long>(processId_),
                 static_cast<unsigned long>(GetLastError()));
  }
  return code;
}

bool ParkoProcess::Close(DWORD timeoutMs) {
  // A process that faulted (heap checking turns a use after free into an access violation)
  // ends with the exception's code, not 0.
  if (!IsRunning()) return ExitCode() == 0;
  HWND main = mainWindow_ != nullptr ? mainWindow_ : WaitForWindow(nullptr, "TrayIconHandler", 0);
  if (main != nullptr) PostMessageA(main, WM_CLOSE, 0, 0);
  if (main != nullptr && WaitForExit(timeoutMs)) return ExitCode() == 0;
  Kill();
  return false;
}

void ParkoProcess::Kill() {
  TerminateProcess(process_, 255);
  WaitForSingleObject(process_, 5000);
}

std::string ParkoProcess::Describe() const {
  std::ostringstream out;
  out << "Parko (process " << processId_ << ") is "
      << (IsRunning() ? "running" : "ended with code " + std::to_string(ExitCode()));
  for (const WindowInfo& window : Windows()) {
    out << "\n  window " << window.hwnd << " class \"" << window.windowClass << "\"";
    if (window.gone) {
      out << " gone while it was being read";
      continue;
    }
    out << " title \"" << window.title << "\"" << (window.visible ? " visible" : " hidden")
        << (window.enabled ? "" : " disabled");
  }
  return out.str();
}

std::string Mohsim(const std::string& command) { return mohsim::SendCommand(command).value_or(""); }

HWND Control(HWND dialog, int id) { return GetDlgItem(dialog, id); }

std::string Text(HWND hwnd) {
  if (hwnd == nullptr) return {};
  // WM_GETTEXT: GetWindowText does not read edit controls of another process. With a deadline:
  // a window caught while its thread is busy must not stop the driver.
  char buffer[4096] = {};
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutA(hwnd, WM_GETTEXT, sizeof(buffer), reinterpret_cast<LPARAM>(buffer),
                           SMTO_NORMAL, 2000, &copied) ||
      copied == 0) {
    return {};
  }
  return std::string(buffer, static_cast<size_t>(copied) < sizeof(buffer)
                                 ? static_cast<size_t>(copied)
                                 : sizeof(buffer) - 1);
}

bool IsVisible(HWND hwnd) { return hwnd != nullptr && IsWindowVisible(hwnd); }

bool IsEnabled(HWND hwnd) { return hwnd != nullptr && IsWindowEnabled(hwnd); }

void Click(HWND dialog, int id) { SendMessageA(Control(dialog, id), BM_CLICK, 0, 0); }

bool IsMessageBox(HWND window) {
  if (ClassOf(window) != "#32770") return false;
  // Its text is a static without an id (0xFFFF) that holds text, not a picture: other dialogs
  // give their pictures that id too (the About box's logo).
  HWND text = GetDlgItem(window, 0xFFFF);
  if (text == nullptr || lstrcmpiA(ClassOf(text).c_str(), "Static") != 0) return false;
  const LONG kind = GetWindowLongA(text, GWL_STYLE) & SS_TYPEMASK;
  if (kind == SS_BITMAP || kind == SS_ICON || kind == SS_ENHMETAFILE) return false;
  // And nothing but statics and push buttons.
  for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    const std::string kindOf = ClassOf(child);
    if (lstrcmpiA(kindOf.c_str(), "Static") != 0 && lstrcmpiA(kindOf.c_str(), "Button") != 0) {
      return false;
    }
  }
  return true;
}

HWND WaitForMessageBox(const ParkoProcess& process, DWORD timeoutMs) {
  HWND box = nullptr;
  WaitUntil(
      [&] {
        for (HWND hwnd : TopLevelWindowsOf(process.Id())) {
          if (IsWindowVisible(hwnd) && IsMessageBox(hwnd)) {
            box = hwnd;
            return true;
          }
        }
        return false;
      },
      timeoutMs);
  return box;
}

int ListCount(HWND listBox) { return static_cast<int>(SendMessageA(listBox, LB_GETCOUNT, 0, 0)); }

int ListSelection(HWND listBox) {
  return static_cast<int>(SendMessageA(listBox, LB_GETCURSEL, 0, 0));
}

std::vector<std::string> ListLines(HWND listBox) {
  std::vector<std::string> lines;
  const int count = ListCount(listBox);
  for (int i = 0; i < count; ++i) {
    // Wide: the ANSI form faults in the caller when the list box is another process's.
    const LRESULT length = SendMessageW(listBox, LB_GETTEXTLEN, i, 0);
    if (length < 0 || length > 4096) {
      lines.emplace_back();
      continue;
    }
    std::wstring wide(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT copied = SendMessageW(listBox, LB_GETTEXT, i, reinterpret_cast<LPARAM>(&wide[0]));
    wide.resize(copied > 0 && copied <= length ? static_cast<size_t>(copied) : 0);
    std::string line(wide.size() * 2 + 1, '\0');
    const int bytes =
        WideCharToMultiByte(CP_ACP, 0, wide.c_str(), static_cast<int>(wide.size()), &line[0],
                            static_cast<int>(line.size()), nullptr, nullptr);
    line.resize(bytes > 0 ? static_cast<size_t>(bytes) : 0);
    lines.push_back(line);
  }
  return lines;
}

HWND OpenTrayMenu(const ParkoProcess& process, HWND mainWindow) {
  constexpr UINT kTrayNotify = WM_USER + 500;
  constexpr WPARAM kIconId = 100;
  PostMessageA(mainWindow, kTrayNotify, kIconId, WM_RBUTTONUP);
  HWND menu = nullptr;
  WaitUntil(
      [&] {
        for (HWND hwnd : TopLevelWindowsOf(process.Id())) {
          if (ClassOf(hwnd) == "#32768" && IsWindowVisible(hwnd)) menu = hwnd;
        }
        return menu != nullptr;
      },
      5000);
  return menu;
}

bool ChooseInMenu(HWND menu, int entry) {
  if (menu == nullptr) return false;
  for (int i = 0; i < entry; ++i) PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
  PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
  return WaitUntil([&] { return !IsWindowVisible(menu); }, 5000);
}

void DoubleClickTrayIcon(HWND mainWindow) {
  constexpr UINT kTrayNotify = WM_USER + 500;
  constexpr WPARAM kIconId = 100;
  for (UINT mouse : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}) {
    PostMessageA(mainWindow, kTrayNotify, kIconId, mouse);
  }
}

HWND WaitForSettingsSheet(const ParkoProcess& process, DWORD timeoutMs) {
  return process.WaitForWindow("#32770", "Modem On Hold Einstellungen", timeoutMs);
}

HWND SheetPage(HWND sheet) {
  return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

void PressSheetButton(HWND sheet, int button) {
  PostMessageA(sheet, PSM_PRESSBUTTON, static_cast<WPARAM>(button), 0);
}

bool ChooseFromTrayMenu(const ParkoProcess& process, HWND mainWindow, int entry) {
  return ChooseInMenu(OpenTrayMenu(process, mainWindow), entry);
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

std::string MessageBoxText(HWND box) { return Text(GetDlgItem(box, 0xFFFF)); }

bool DismissMessageBox(HWND box, int buttonId) {
  if (box == nullptr || !IsMessageBox(box)) return false;
  HWND button = GetDlgItem(box, buttonId);
  if (button == nullptr || !IsWindowVisible(button)) return false;
  if (!PostMessageA(button, BM_CLICK, 0, 0)) return false;
  return WaitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); }, 5000);
}

RECT OnScreen(HWND hwnd) {
  const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  RECT frame{};
  if (hwnd == nullptr) return screen;
  RECT part{};
  if (!GetWindowRect(hwnd, &frame) || !IntersectRect(&part, &frame, &screen)) return {};
  return part;
}

bool SaveScreenshot(HWND hwnd, const std::string& bmpPath) {
  const RECT area = OnScreen(hwnd);
  if (IsRectEmpty(&area)) return false;
  // A window that has only just appeared may not have painted yet: it paints now.
  if (hwnd != nullptr) {
    RedrawWindow(hwnd, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  }
  return SaveScreenArea(area, bmpPath);
}

bool SaveScreenArea(const RECT& area, const std::string& bmpPath) {
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return false;

  BITMAPINFOHEADER header{};
  header.biSize = sizeof(header);
  header.biWidth = width;
  header.biHeight = height;  // bottom-up, as BMP files store it
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
  header.biSizeImage = stride * static_cast<DWORD>(height);

  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS,
                                    &bits, nullptr, 0);
  bool ok = bitmap != nullptr;
  if (ok) {
    HGDIOBJ old = SelectObject(memory, bitmap);
    ok = BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY) != FALSE;
    GdiFlush();
    SelectObject(memory, old);
  }
  if (ok) {
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof(file) + sizeof(header);
    file.bfSize = file.bfOffBits + header.biSizeImage;
    std::string content(reinterpret_cast<const char*>(&file), sizeof(file));
    content.append(reinterpret_cast<const char*>(&header), sizeof(header));
    content.append(static_cast<const char*>(bits), header.biSizeImage);
    ok = WriteWholeFile(bmpPath, content);
  }
  if (bitmap != nullptr) DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return ok;
}

}  // namespace e2e
