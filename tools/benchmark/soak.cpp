// The soak's program, run under Wine by tools/soak: Parko's own application object runs on the
// main thread exactly as in Parko.exe, bound to the simulator that lies beside this program,
// while a second thread plays full calls through the simulator's control pipe and the call
// dialogs' buttons. Every 100 calls it samples the process: GDI and USER objects, kernel
// handles, committed memory and the event log's size. The calls run in this process because
// only here can Wine's GDI objects be counted (its GetGuiResources is a stub).
//
//   parko_soak.exe CALLS CSV_PATH
//
// Exit code 0 when the calls ran and no figure grew by more than 1 % from the baseline to the
// end; 1 otherwise. Both are floors, the least of each figure over a few samples: calls 900 to
// 1,100 (around a tenth of the calls when there are fewer) and the last 200 calls.
//
// Wine's device contexts are judged apart from the other GDI objects. Wine keeps the DC it gave
// a window, with a region, after the window is gone, and hands it to the next window: the number
// it holds is the most windows ever drawn at the same time, and that depends on timing (a box
// still open while the next dialog draws). It rises once, in a step of a DC and a region for
// each window more, whenever that happens first. So DCs and regions fail only when they grew in
// both halves of the run, as a leak does; every other object fails at 1 % as before.
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "GdiObjects.h"
#include "PipeClient.h"
#include "app/MohAppWin.h"
#include "base/MainWindowWin.h"

namespace {

// The tray menu's "Rufprotokoll" and the call dialog's buttons (resource.h).
constexpr WPARAM kCallLogCommand = 32796;
constexpr int kAnswer = 1, kDrop = 3, kIgnore = 1035, kRestore = 1036;

struct Sample {
  int calls;
  int gdi;
  int user;
  int handles;
  double commitKb;
  double logKb;
  double seconds;
  int windows;
  int dcsAndRegions;
  int otherGdi;  // the GDI objects but DCs and regions
};

int gCalls = 10000;
std::string gCsv = "soak.csv";
int gResult = 1;

// Progress goes to soak.txt where it runs: the simulator's library takes over the console.
void Say(const std::string& text) {
  if (FILE* file = std::fopen("soak.txt", "a")) {
    std::fprintf(file, "soak: %s\n", text.c_str());
    std::fclose(file);
  }
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  while (!condition()) {
    if (GetTickCount() - start > timeoutMs) return false;
    Sleep(1);
  }
  return true;
}

std::string Send(const std::string& line) { return mohsim::SendCommand(line).value_or(""); }

bool EngineOnline() { return Send("status").find("state online\n") != std::string::npos; }

std::string TitleOf(HWND window) {
  char title[128] = {};
  GetWindowTextA(window, title, sizeof(title));
  return title;
}

BOOL CALLBACK CollectVisibleDialog(HWND window, LPARAM list) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  char name[16] = {};
  GetClassNameA(window, name, sizeof(name));
  if (process == GetCurrentProcessId() && IsWindowVisible(window) &&
      std::string(name) == "#32770") {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  }
  return TRUE;
}

// The visible dialogs of this process: the call dialog, and the call log when it is open.
std::vector<HWND> VisibleDialogs() {
  std::vector<HWND> found;
  EnumWindows(CollectVisibleDialog, reinterpret_cast<LPARAM>(&found));
  return found;
}

HWND CallLog() {
  for (HWND dialog : VisibleDialogs()) {
    if (TitleOf(dialog) == "Rufprotokoll") return dialog;
  }
  return nullptr;
}

bool ButtonLive(HWND dialog, int id) {
  HWND button = GetDlgItem(dialog, id);
  return button != nullptr && IsWindowVisible(button) && IsWindowEnabled(button);
}

// A call dialog other than `previous` whose button `id` can be pressed.
HWND WaitForCallDialog(int id, HWND previous) {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        for (HWND dialog : VisibleDialogs()) {
          if (dialog != previous && TitleOf(dialog) != "Rufprotokoll" && ButtonLive(dialog, id)) {
            found = dialog;
            return true;
          }
        }
        return false;
      },
      5000);
  return found;
}

bool NoCallDialog() {
  for (HWND dialog : VisibleDialogs()) {
    if (TitleOf(dialog) != "Rufprotokoll") return false;
  }
  return true;
}

// Sent, not posted: it returns once the dialog handled the click.
void Press(HWND dialog, int id) { SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

std::string CallerText(int call) {
  return "Datum :08.12. Uhrzeit :12:00 Nummer :0301" + std::to_string(call) + " Name :Soak " +
         std::to_string(call);
}

// Incoming with caller ID, taken, held, warned, restored.
bool TakenCall(int call) {
  Send("call " + CallerText(call));
  HWND offered = WaitForCallDialog(kAnswer, nullptr);
  if (offered == nullptr) return false;
  Press(offered, kAnswer);
  HWND held = WaitForCallDialog(kRestore, offered);
  if (held == nullptr) return false;
  Send("warn");
  HWND warned = WaitForCallDialog(kRestore, held);
  if (warned == nullptr) return false;
  // In the voice call the restore first asks the user to hang up, in a box of the dialog's.
  PostMessageA(GetDlgItem(warned, kRestore), BM_CLICK, 0, 0);
  HWND box = nullptr;
  if (!WaitUntil([&] { return (box = FindWindowA("#32770", " ")) != nullptr; }, 5000)) {
    return false;
  }
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  return true;
}

// Incoming, and the user ignores it: the data call goes on.
bool RefusedCall(int call) {
  Send("call " + CallerText(call));
  HWND offered = WaitForCallDialog(kIgnore, nullptr);
  if (offered == nullptr) return false;
  Press(offered, kIgnore);
  return true;
}

// Incoming, the provider denies the hold, and the user drops the data call for the voice call;
// the line comes back online afterwards.
bool DroppedCall(int call) {
  Send("auto off");
  Send("call " + CallerText(call));
  Send("deny");
  Send("auto on");
  HWND denied = WaitForCallDialog(kDrop, nullptr);
  if (denied == nullptr) return false;
  Press(denied, kDrop);
  if (!WaitUntil([] { return Send("status").find("state idle\n") != std::string::npos; }, 5000)) {
    return false;
  }
  Send("online");
  return true;
}

bool OneCall(int call) {
  // The log is open for ten calls in every hundred, rebuilt for each caller.
  if (call % 100 == 50) {
    PostMessageA(MainWindowHandle(), WM_COMMAND, kCallLogCommand, 0);
    if (!WaitUntil([] { return CallLog() != nullptr; }, 5000)) return false;
  }
  if (call % 100 == 60) {
    SendMessageA(CallLog(), WM_COMMAND, IDCANCEL, 0);
    if (!WaitUntil([] { return CallLog() == nullptr; }, 5000)) return false;
  }
  const bool played = call % 20 == 3    ? RefusedCall(call)
                      : call % 20 == 13 ? DroppedCall(call)
                                        : TakenCall(call);
  return played && WaitUntil([] { return NoCallDialog() && EngineOnline(); }, 5000);
}

// The process's kernel handles. Wine's GetProcessHandleCount says 0: there every handle value
// is tried instead (they are multiples of four).
int CountHandles() {
  using HandleCount = BOOL(WINAPI*)(HANDLE, PDWORD);
  using HandleInformation = BOOL(WINAPI*)(HANDLE, LPDWORD);
  HMODULE kernel = GetModuleHandleA("kernel32.dll");
  const auto handleCount = reinterpret_cast<HandleCount>(
      reinterpret_cast<void*>(GetProcAddress(kernel, "GetProcessHandleCount")));
  DWORD count = 0;
  if (handleCount != nullptr && handleCount(GetCurrentProcess(), &count) && count != 0) {
    return static_cast<int>(count);
  }
  const auto information = reinterpret_cast<HandleInformation>(
      reinterpret_cast<void*>(GetProcAddress(kernel, "GetHandleInformation")));
  if (information == nullptr) return 0;
  int handles = 0;
  for (UINT_PTR value = 4; value < 0x10000; value += 4) {
    DWORD flags = 0;
    if (information(reinterpret_cast<HANDLE>(value), &flags)) ++handles;
  }
  return handles;
}

double FileKb(const char* path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data)) return 0;
  return data.nFileSizeLow / 1024.0;
}

struct WindowCount {
  DWORD process;
  int windows;
};

BOOL CALLBACK CountChild(HWND, LPARAM data) {
  ++reinterpret_cast<WindowCount*>(data)->windows;
  return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND window, LPARAM data) {
  auto* count = reinterpret_cast<WindowCount*>(data);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != count->process) return TRUE;
  ++count->windows;
  EnumChildWindows(window, &CountChild, data);
  return TRUE;
}

// The process's windows, top-level and child: Wine's GetGuiResources counts no USER objects, and a
// window that is never destroyed is the leak of them that would show first.
int CountWindows() {
  WindowCount count{GetCurrentProcessId(), 0};
  EnumWindows(&CountTopLevel, reinterpret_cast<LPARAM>(&count));
  return count.windows;
}

// The GDI objects of each kind (by GetObjectType's number), as Wine's GDI hands out small
// handles; all 0 where the system does not.
constexpr const char* kGdiKinds[] = {"",        "pen",    "brush",     "dc",          "metadc",
                                     "palette", "font",   "bitmap",    "region",      "metafile",
                                     "memdc",   "extpen", "enhmetadc", "enhmetafile", "colorspace"};
using GdiKindCounts = std::array<int, std::size(kGdiKinds)>;

GdiKindCounts CountGdiKinds() {
  GdiKindCounts counts{};
  for (UINT_PTR index = 1; index <= 0xFFFF; ++index) {
    const DWORD kind = GetObjectType(reinterpret_cast<HGDIOBJ>(index));
    if (kind > 0 && kind < counts.size()) ++counts[kind];
  }
  return counts;
}

// Wine's device contexts and regions, which it keeps for the windows drawn at the same time.
int CountDcsAndRegions() {
  const GdiKindCounts counts = CountGdiKinds();
  return counts[OBJ_DC] + counts[OBJ_REGION];
}

// The GDI objects by kind ("brush 12, font 9, ..."), said when their number changes, so that a
// step in the plot names what it is.
std::string GdiObjectsByKind() {
  const GdiKindCounts counts = CountGdiKinds();
  std::string text;
  for (size_t kind = 1; kind < counts.size(); ++kind) {
    if (counts[kind] == 0) continue;
    text += (text.empty() ? "" : ", ") + std::string(kGdiKinds[kind]) + " " +
            std::to_string(counts[kind]);
  }
  return text;
}

Sample MeasureOnce(int calls, DWORD start) {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof(counters);
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
  // Looked up: not in the headers of the oldest systems the program builds for.
  using GuiResources = DWORD(WINAPI*)(HANDLE, DWORD);
  const auto guiResources = reinterpret_cast<GuiResources>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "GetGuiResources")));
  constexpr DWORD kUserObjects = 1;  // GR_USEROBJECTS
  Sample sample{calls,
                CountGdiObjects(),
                guiResources != nullptr
                    ? static_cast<int>(guiResources(GetCurrentProcess(), kUserObjects))
                    : 0,
                CountHandles(),
                counters.PagefileUsage / 1024.0,
                FileKb("parko.log"),
                (GetTickCount() - start) / 1000.0,
                CountWindows(),
                CountDcsAndRegions(),
                0};
  sample.otherGdi = sample.gdi - sample.dcsAndRegions;
  return sample;
}

// The least of three readings a little apart: a handle or object that lives only while the
// simulator's threads deliver an event is not what stays behind.
Sample Measure(int calls, DWORD start) {
  Sample least = MeasureOnce(calls, start);
  for (int i = 0; i < 2; ++i) {
    Sleep(30);
    const Sample next = MeasureOnce(calls, start);
    least.gdi = std::min(least.gdi, next.gdi);
    least.user = std::min(least.user, next.user);
    least.handles = std::min(least.handles, next.handles);
    least.commitKb = std::min(least.commitKb, next.commitKb);
    least.windows = std::min(least.windows, next.windows);
    least.dcsAndRegions = std::min(least.dcsAndRegions, next.dcsAndRegions);
    least.otherGdi = std::min(least.otherGdi, next.otherGdi);
  }
  return least;
}

bool WriteCsv(const std::vector<Sample>& samples) {
  FILE* file = std::fopen(gCsv.c_str(), "w");
  if (file == nullptr) return false;
  std::fprintf(file,
               "calls,gdi_objects,user_objects,handles,committed_kb,log_kb,seconds,windows,"
               "dcs_and_regions\n");
  for (const Sample& s : samples) {
    std::fprintf(file, "%d,%d,%d,%d,%.0f,%.1f,%.1f,%d,%d\n", s.calls, s.gdi, s.user, s.handles,
                 s.commitKb, s.logKb, s.seconds, s.windows, s.dcsAndRegions);
  }
  return std::fclose(file) == 0;
}

// The least of each figure over the samples from call `first` to call `last`: what stays
// whatever a sample happened to catch in passing. A leak raises it; a handle the simulator's
// threads hold for a moment does not.
Sample Floor(const std::vector<Sample>& samples, int first, int last) {
  Sample floor{last, INT_MAX, INT_MAX, INT_MAX, 1e300, 0, 0, INT_MAX, INT_MAX, INT_MAX};
  for (const Sample& s : samples) {
    if (s.calls < first || s.calls > last) continue;
    floor.gdi = std::min(floor.gdi, s.gdi);
    floor.user = std::min(floor.user, s.user);
    floor.handles = std::min(floor.handles, s.handles);
    floor.commitKb = std::min(floor.commitKb, s.commitKb);
    floor.windows = std::min(floor.windows, s.windows);
    floor.dcsAndRegions = std::min(floor.dcsAndRegions, s.dcsAndRegions);
    floor.otherGdi = std::min(floor.otherGdi, s.otherGdi);
  }
  return floor;
}

bool Grew(double before, double after) { return after > before * 1.01; }

// Growth from the baseline to the end beyond 1 %, figure by figure; a figure the system does not
// give (0 throughout) is left out. DCs and regions grew only when they did in both halves.
bool Flat(const Sample& base, const Sample& middle, const Sample& end) {
  bool flat = true;
  const auto check = [&](const char* name, double before, double after) {
    if (before == 0 && after == 0) return;
    const bool holds = !Grew(before, after);
    char line[192];
    std::snprintf(line, sizeof(line), "%-32s %10.0f -> %10.0f  %s", name, before, after,
                  holds ? "flat" : "GREW");
    Say(line);
    flat = flat && holds;
  };
  check("GDI objects but DCs and regions", base.otherGdi, end.otherGdi);
  const bool firstHalf = Grew(base.dcsAndRegions, middle.dcsAndRegions);
  const bool secondHalf = Grew(middle.dcsAndRegions, end.dcsAndRegions);
  char line[192];
  std::snprintf(line, sizeof(line), "%-32s %10d -> %10d -> %d  %s", "DCs and regions",
                base.dcsAndRegions, middle.dcsAndRegions, end.dcsAndRegions,
                firstHalf && secondHalf ? "GREW"
                : firstHalf || secondHalf
                    ? "one step: more windows drawn at once than before, no leak"
                    : "flat");
  Say(line);
  flat = flat && !(firstHalf && secondHalf);
  check("USER objects", base.user, end.user);
  check("kernel handles", base.handles, end.handles);
  check("committed KB", base.commitKb, end.commitKb);
  check("windows", base.windows, end.windows);
  return flat;
}

DWORD WINAPI Drive(LPVOID) {
  if (!WaitUntil([] { return MainWindowHandle() != nullptr; }, 20000) ||
      !WaitUntil([] { return Send("status").rfind("ok", 0) == 0; }, 20000)) {
    Say("Parko did not come up on the simulator");
  } else {
    Send("online");
    const DWORD start = GetTickCount();
    const int baseline = gCalls >= 10000 ? 1000 : std::max(300, gCalls / 10 / 100 * 100);
    std::vector<Sample> samples{Measure(0, start)};
    int call = 1;
    for (; call <= gCalls; ++call) {
      if (!OneCall(call)) {
        Say("call " + std::to_string(call) + " did not end as it should; the engine says:\n" +
            Send("status"));
        for (HWND dialog : VisibleDialogs()) Say("open: " + TitleOf(dialog));
        break;
      }
      if (call % 100 == 0) {
        samples.push_back(Measure(call, start));
        const int before = samples[samples.size() - 2].gdi, now = samples.back().gdi;
        if (now != before) {
          Say("call " + std::to_string(call) + ": GDI objects " + std::to_string(before) + " -> " +
              std::to_string(now) + " (" + GdiObjectsByKind() + ")");
        }
      }
      if (call % 1000 == 0) Say(std::to_string(call) + " calls");
    }
    if (!WriteCsv(samples)) Say("cannot write " + gCsv);
    const int middle = (baseline + gCalls) / 2 / 100 * 100;
    if (call > gCalls &&
        Flat(Floor(samples, baseline - 100, baseline + 100),
             Floor(samples, middle - 100, middle + 100), Floor(samples, gCalls - 200, gCalls))) {
      gResult = 0;
    }
  }
  PostMessageA(MainWindowHandle(), WM_CLOSE, 0, 0);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1) gCalls = std::max(100, std::atoi(argv[1]));
  if (argc > 2) gCsv = argv[2];
  CMohApp app;
  HANDLE driver = CreateThread(nullptr, 0, Drive, nullptr, 0, nullptr);
  if (driver == nullptr) return 1;
  app.Run(GetModuleHandleA(nullptr));
  WaitForSingleObject(driver, INFINITE);
  CloseHandle(driver);
  return gResult;
}
