// The benchmark's driver, run under Wine by tools/bench: measures Parko against a bare tray
// program of its own, round by round in alternating order, and prints the medians as JSON.
//
//   parko_bench.exe [ROUNDS] [IDLE_SECONDS] [start]
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "Driver.h"

namespace {

const char* const kTelkaIni = "[INSTALL_OPTIONS]\r\nSilentEnumeration=Yes\r\nModemType=1\r\n";
const char* const kNuviaIni = "[INSTALL_OPTIONS]\r\nSilentEnumeration=Yes\r\nModemType=3\r\n";
// The tray menu's "Rufprotokoll" and the log's list (resource.h).
constexpr WPARAM kCallLogCommand = 32796;
constexpr int kCallList = 1034;
// The call dialog's status line.
constexpr int kStatusText = 1020;
const char* const kCaller = "Datum :07.12. Uhrzeit :09:05 Nummer :0301234567 Name :Erika";

double NowMs() {
  LARGE_INTEGER frequency, counter;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&counter);
  return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// A program under measurement: where it is, what marks it ready.
struct Subject {
  Subject(std::string n, std::string e, std::string d, std::string property, std::string title)
      : name(std::move(n)),
        exe(std::move(e)),
        dir(std::move(d)),
        readyProperty(std::move(property)),
        windowTitle(std::move(title)) {}

  std::string name;
  std::string exe;
  std::string dir;
  std::string readyProperty;  // set on its hidden window once its icon is added
  std::string windowTitle;

  PROCESS_INFORMATION process{};
  HWND window = nullptr;
  std::map<std::string, std::vector<double>> samples;

  bool Start() {
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    const double start = NowMs();
    if (!e2e::StartProgram("\"" + exe + "\"", dir, false, startup, process)) return false;
    // Polled as tightly as the system allows: the figure is tens of milliseconds.
    for (;;) {
      window = FindWindowA(nullptr, windowTitle.c_str());
      if (window != nullptr && GetPropA(window, readyProperty.c_str()) != nullptr) break;
      if (WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0) return false;
      if (NowMs() - start > 20000) return false;
      Sleep(0);
    }
    samples["start_ms"].push_back(NowMs() - start);
    return true;
  }
  double CpuMs() const {
    FILETIME created, ended, kernel, user;
    if (!GetProcessTimes(process.hProcess, &created, &ended, &kernel, &user)) return 0;
    const auto ms = [](const FILETIME& t) {
      return ((static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 10000.0;
    };
    return ms(kernel) + ms(user);
  }
  void RecordPeak() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    if (GetProcessMemoryInfo(process.hProcess, &counters, sizeof(counters))) {
      samples["peak_ws_mb"].push_back(counters.PeakWorkingSetSize / (1024.0 * 1024.0));
    }
  }
  bool Stop() {
    const double start = NowMs();
    PostMessageA(window, WM_CLOSE, 0, 0);
    const bool ended = WaitForSingleObject(process.hProcess, 10000) == WAIT_OBJECT_0;
    if (ended) samples["exit_ms"].push_back(NowMs() - start);
    if (!ended) TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    process = {};
    return ended;
  }
};

std::string Json(const std::map<std::string, double>& values) {
  std::string text = "{";
  for (const auto& [key, value] : values) {
    if (text.size() > 1) text += ", ";
    char number[64];
    std::snprintf(number, sizeof(number), "%.3f", value);
    text += "\"" + key + "\": " + number;
  }
  return text + "}";
}

class Bench {
 public:
  Bench(int rounds, int idleSeconds, bool startOnly)
      : rounds_(rounds), idleSeconds_(idleSeconds), startOnly_(startOnly) {}

  int Run() {
    e2e::EndStrayParkos();
    e2e::Installation minimal("bench-minimal", kTelkaIni);
    e2e::Installation simulated("bench-simulator", kTelkaIni);
    if (!minimal.Ok() || !simulated.Ok()) return Fail("no installation") ? 0 : 1;
    // Parko on a library with nothing behind it; and a second copy on the simulator under a
    // name of its own, so that both run at once (the single-instance mark is per name).
    if (!minimal.CopyIn(e2e::BesideTestProgram("minimal\\MOHAPI.DLL"), "MOHAPI.DLL") ||
        !simulated.CopyIn(simulated.PathOf("Parko.exe"), "ParkoSim.exe")) {
      return Fail("cannot set up the installations") ? 0 : 1;
    }
    std::vector<Subject> subjects = {
        {"bare", e2e::BesideTestProgram("BareTray.exe"), e2e::BesideTestProgram(""), "BareTray",
         "BareTray"},
        {"parko", minimal.PathOf("Parko.exe"), minimal.Dir(), "Parko", "TrayIconHandler"},
        {"parko_sim", simulated.PathOf("ParkoSim.exe"), simulated.Dir(), "ParkoSim",
         "TrayIconHandler"},
    };
    // Each program starts first, second and third equally often: on two cores the first of a
    // round starts on a quiet system and the others while it still settles, which alone made a
    // difference of 15 % when the bare program was first in four rounds of ten.
    const int count = static_cast<int>(subjects.size());
    rounds_ = (rounds_ + count - 1) / count * count;
    for (int round = 0; round < rounds_; ++round) {
      if (!Round(subjects, round)) return 1;
      std::fprintf(stderr, "bench: round %d of %d\n", round + 1, rounds_);
    }

    std::printf("{\n  \"rounds\": %d,\n  \"idle_seconds\": %d,\n", rounds_, idleSeconds_);
    for (const char* figure : {"start_ms", "peak_ws_mb", "exit_ms", "idle_cpu_ms"}) {
      std::map<std::string, double> medians;
      for (const Subject& subject : subjects) {
        auto found = subject.samples.find(figure);
        medians[subject.name] = found == subject.samples.end() ? -1 : Median(found->second);
      }
      std::printf("  \"%s\": %s,\n", figure, Json(medians).c_str());
    }
    if (startOnly_) {
      std::printf("  \"end\": true\n}\n");
      return 0;
    }
    if (!EventPath() || !Burst() || !Callers() || !Calls()) return 1;
    std::printf("  \"end\": true\n}\n");
    return 0;
  }

 private:
  bool Round(std::vector<Subject>& subjects, int round) {
    // Alternating: each round starts with another program.
    std::vector<Subject*> order;
    for (size_t i = 0; i < subjects.size(); ++i) {
      order.push_back(&subjects[(i + round) % subjects.size()]);
    }
    for (Subject* subject : order) {
      if (!subject->Start()) return Fail("could not start " + subject->name);
    }
    std::vector<double> cpu;
    for (Subject* subject : order) cpu.push_back(subject->CpuMs());
    Sleep(static_cast<DWORD>(idleSeconds_) * 1000);
    for (size_t i = 0; i < order.size(); ++i) {
      order[i]->samples["idle_cpu_ms"].push_back(order[i]->CpuMs() - cpu[i]);
      order[i]->RecordPeak();
    }
    for (Subject* subject : order) {
      if (!subject->Stop()) return Fail(subject->name + " did not end");
    }
    return true;
  }

  // Parko on the simulator, NUVIA: every MOH_TIMEOUT is answered with MOH_CMD_DROP_DATA.
  bool EventPath() {
    e2e::Installation install("bench-events", kNuviaIni);
    if (!install.Ok() ||
        !install.WriteFile("mohsim.ini", "[Modem1]\r\nType=3\r\n[Engine]\r\nAutomatic=No\r\n")) {
      return Fail("no installation for the event path");
    }
    e2e::ParkoProcess parko;
    if (!parko.Start(install) || parko.WaitForMainWindow() == nullptr || !Engine()) {
      return Fail("Parko on the simulator did not come up");
    }
    Line("online");
    std::map<std::string, double> figures;
    for (bool dialog : {false, true}) {
      Line("latency 10");
      for (int i = 0; i < 1000; ++i) {
        if (dialog) {
          // An error shows a dialog; the timeout that follows is answered with it open: made,
          // shown and painted, which the message returns after.
          Line("error 0");
          SettleDialog(parko);
        }
        const size_t before = JournalSize(install);
        Line("event 10 0");
        const double start = NowMs();
        while (JournalSize(install) == before && NowMs() - start < 1000) Sleep(0);
      }
      unsigned count = 0, p50 = 0, p99 = 0, most = 0;
      if (std::sscanf(e2e::Mohsim("latency").c_str(), "ok %u %u %u %u", &count, &p50, &p99,
                      &most) != 4 ||
          count < 1000) {
        return Fail("the simulator timed " + std::to_string(count) + " answers");
      }
      const std::string prefix = dialog ? "dialog_" : "no_dialog_";
      figures[prefix + "p50_us"] = p50;
      figures[prefix + "p99_us"] = p99;
    }
    std::printf("  \"event_path\": %s,\n", Json(figures).c_str());
    return parko.Close();
  }

  // Three thousand errors, each a dialog of its own, with a dialog open; then the provider's
  // timeout, whose dialog shows once all are handled. Round by round beside the reference, which
  // takes the same events from the same library along the same path and does nothing with them
  // (the engine's control line serves one program at a time: each starts anew every round).
  bool Burst() {
    e2e::Installation install("bench-burst", kTelkaIni);
    if (!install.Ok() ||
        !install.WriteFile("mohsim.ini", "[Engine]\r\nAnswerDelayMs=0\r\nFollowUpDelayMs=0\r\n") ||
        !install.CopyIn(e2e::BesideTestProgram("BareMoh.exe"), "BareMoh.exe")) {
      return Fail("no installation for the burst");
    }
    std::vector<double> drains, bareDrains;
    std::string final;
    int dialogs = 0;
    for (int round = 0; round < std::max(rounds_, 4); ++round) {
      for (const bool bare : {round % 2 == 0, round % 2 != 0}) {
        double drain = 0;
        if (!(bare ? BareBurst(install, drain) : ParkoBurst(install, drain, final, dialogs)))
          return false;
        (bare ? bareDrains : drains).push_back(drain);
      }
    }
    std::printf(
        "  \"burst\": {\"drain_ms\": %.1f, \"bare_drain_ms\": %.1f, \"dialogs_at_end\": %d, "
        "\"final_text_ok\": %s},\n",
        Median(drains), Median(bareDrains), dialogs, final.empty() ? "false" : "true");
    return true;
  }

  static void Burst3000() {
    Line("burst 3000 13");
    Line("remote-timeout");
  }

  bool ParkoBurst(const e2e::Installation& install, double& drain, std::string& final,
                  int& dialogs) {
    e2e::ParkoProcess parko;
    if (!parko.Start(install) || parko.WaitForMainWindow() == nullptr || !Engine()) {
      return Fail("Parko on the simulator did not come up");
    }
    Line("online");
    Line("error 0");
    if (!e2e::WaitUntil([&] { return FinalText(parko) == "Fehler."; }, 5000)) {
      return Fail("no dialog before the burst");
    }
    SettleDialog(parko);
    Quiet(parko);
    const HWND before = parko.WaitForWindow("#32770", nullptr, 0);
    const DWORD thread = WindowThread(parko);
    const double start = NowMs();
    Burst3000();
    // Only a dialog made since is asked for its text: asking sends Parko a message, which
    // would be timed along.
    const auto drained = [&] {
      for (HWND dialog : VisibleDialogs(thread)) {
        if (dialog != before && e2e::Text(e2e::Control(dialog, kStatusText)) ==
                                    "MoH-Zeit\xFC"
                                    "berschreitung der Gegenstelle!") {
          return true;
        }
      }
      return false;
    };
    while (!drained()) {
      if (NowMs() - start > 60000) return Fail("the burst did not drain");
      Sleep(1);
    }
    drain = NowMs() - start;
    final = FinalText(parko);
    dialogs = 0;
    for (const e2e::WindowInfo& window : parko.Windows()) {
      dialogs += window.windowClass == "#32770" && window.visible;
    }
    return parko.Close();
  }

  // The reference renames its window when the last event reaches its handler; the name is read
  // from the window's record, which asks the program nothing.
  bool BareBurst(const e2e::Installation& install, double& drain) {
    e2e::ParkoProcess bare;
    HWND window = nullptr;
    if (!bare.Start(install.PathOf("BareMoh.exe"), install.Dir()) ||
        (window = bare.WaitForWindow("BareMoh", "BareMoh", 10000)) == nullptr || !Engine()) {
      return Fail("the burst's reference did not come up");
    }
    Quiet(bare);
    const double start = NowMs();
    Burst3000();
    char title[64] = {};
    while (GetWindowTextA(window, title, sizeof(title)) == 0 ||
           std::string(title) != "BareMoh drained") {
      if (NowMs() - start > 60000) return Fail("the reference's burst did not drain");
      Sleep(1);
    }
    drain = NowMs() - start;
    PostMessageA(window, WM_CLOSE, 0, 0);
    if (bare.WaitForExit(10000)) return true;
    bare.Kill();
    return Fail("the burst's reference did not end");
  }

  // A thousand callers at once with the call log open: drained when the log shows the newest
  // caller. The library holds the newest caller's text only, so the calls handled while later
  // ones wait are calls without caller ID: the log shows the newest alone, never a caller with
  // another call's text.
  bool Callers() {
    e2e::Installation install("bench-callers", kTelkaIni);
    if (!install.Ok() || !install.WriteFile("mohsim.ini", "[Engine]\r\nAutomatic=No\r\n")) {
      return Fail("no installation for the callers");
    }
    std::vector<double> drains;
    bool alone = true;
    // A Parko of its own each round, so that the log starts empty and the last ten are new.
    for (int round = 0; round < std::max(rounds_, 3); ++round) {
      e2e::ParkoProcess parko;
      HWND main = nullptr;
      if (!parko.Start(install) || (main = parko.WaitForMainWindow()) == nullptr || !Engine()) {
        return Fail("Parko on the simulator did not come up");
      }
      Line("online");
      PostMessageA(main, WM_COMMAND, kCallLogCommand, 0);
      if (!e2e::WaitUntil(
              [&] { return parko.WaitForWindow("#32770", "Rufprotokoll", 0) != nullptr; }, 5000)) {
        return Fail("the call log did not open");
      }
      SettleDialog(parko);
      Quiet(parko);
      const DWORD thread = WindowThread(parko);
      const HWND before = CallLogOf(thread);
      const double start = NowMs();
      Line("callers 1000");
      // The log is made anew for the newest caller; only that one is read.
      const auto drained = [&] {
        HWND log = CallLogOf(thread);
        return log != nullptr && log != before && ShowsNewestAlone(log);
      };
      while (!drained()) {
        if (NowMs() - start > 60000) return Fail("the callers did not drain");
        Sleep(1);
      }
      drains.push_back(NowMs() - start);
      Settle(parko);
      alone = alone && ShowsNewestAlone(CallLogOf(thread));
      if (!parko.Close()) return Fail("Parko did not end after the callers");
    }
    std::printf("  \"callers\": {\"drain_ms\": %.1f, \"newest_alone\": %s},\n", Median(drains),
                alone ? "true" : "false");
    return true;
  }

  // Caller 1000 alone in the log's list, with his number and name.
  static bool ShowsNewestAlone(HWND log) {
    const std::vector<std::string> lines = e2e::ListLines(e2e::Control(log, kCallList));
    return lines.size() == 1 && lines[0].find("\t1000\t") != std::string::npos &&
           lines[0].find("Anrufer 1000") != std::string::npos;
  }

  // Parko's visible dialogs, found without sending it anything: class, visibility and, for
  // another process's window, its caption are the system's to tell.
  static BOOL CALLBACK CollectDialog(HWND window, LPARAM found) {
    char name[16] = {};
    GetClassNameA(window, name, sizeof(name));
    if (IsWindowVisible(window) && std::string(name) == "#32770") {
      reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
    }
    return TRUE;
  }
  // The windows of Parko's window thread only: a search of every window on the desktop each
  // millisecond would load the Wine server that Parko itself needs.
  static std::vector<HWND> VisibleDialogs(DWORD thread) {
    std::vector<HWND> found;
    EnumThreadWindows(thread, CollectDialog, reinterpret_cast<LPARAM>(&found));
    return found;
  }
  static DWORD WindowThread(e2e::ParkoProcess& parko) {
    return GetWindowThreadProcessId(parko.WaitForMainWindow(0), nullptr);
  }
  static HWND CallLogOf(DWORD thread) {
    for (HWND dialog : VisibleDialogs(thread)) {
      char title[32] = {};
      GetWindowTextA(dialog, title, sizeof(title));
      if (std::string(title) == "Rufprotokoll") return dialog;
    }
    return nullptr;
  }

  // Returns once Parko's window thread has handled everything sent before: a message sent to
  // its main window is answered only then.
  static void Settle(e2e::ParkoProcess& parko) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(parko.WaitForMainWindow(0), WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result);
  }

  // A dialog is open once it is shown and painted, every control of it, and the thread that
  // made it has answered since: an event timed earlier would be timed against its making.
  static void SettleDialog(e2e::ParkoProcess& parko) {
    e2e::WaitUntil(
        [&] {
          HWND dialog = parko.WaitForWindow("#32770", nullptr, 0);
          if (dialog == nullptr || !IsWindowVisible(dialog) || Unpainted(dialog)) return false;
          bool painted = true;
          for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr && painted;
               child = GetWindow(child, GW_HWNDNEXT)) {
            painted = !Unpainted(child);
          }
          return painted;
        },
        2000);
    Settle(parko);
  }
  // Returns once Parko used no processor time for 30 ms twice in a row: what a shown window
  // leaves to do (the system's replies to its making and activation) is done.
  static void Quiet(const e2e::ParkoProcess& parko) {
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, parko.Id());
    if (process == nullptr) return;
    const auto cpu = [process] {
      FILETIME created, ended, kernel, user;
      GetProcessTimes(process, &created, &ended, &kernel, &user);
      return (static_cast<ULONGLONG>(kernel.dwHighDateTime) << 32 | kernel.dwLowDateTime) +
             (static_cast<ULONGLONG>(user.dwHighDateTime) << 32 | user.dwLowDateTime);
    };
    const double start = NowMs();
    int quiet = 0;
    ULONGLONG last = cpu();
    while (quiet < 2 && NowMs() - start < 3000) {
      Sleep(30);
      const ULONGLONG now = cpu();
      quiet = now == last ? quiet + 1 : 0;
      last = now;
    }
    CloseHandle(process);
  }
  static bool Unpainted(HWND window) {
    return IsWindowVisible(window) && GetUpdateRect(window, nullptr, FALSE);
  }

  // Two hundred calls through Parko on the simulator (its private bytes), and the same in the
  // GDI probe's own process (its GDI objects).
  bool Calls() {
    e2e::Installation install("bench-calls", kTelkaIni);
    if (!install.Ok() ||
        !install.WriteFile("mohsim.ini", "[Engine]\r\nAnswerDelayMs=0\r\nFollowUpDelayMs=0\r\n")) {
      return Fail("no installation for the calls");
    }
    e2e::ParkoProcess parko;
    if (!parko.Start(install) || parko.WaitForMainWindow() == nullptr || !Engine()) {
      return Fail("Parko on the simulator did not come up");
    }
    Line("online");
    const auto call = [&] {
      Line(std::string("call ") + kCaller);
      if (!e2e::WaitUntil([&] { return parko.WaitForWindow("#32770", nullptr, 0) != nullptr; },
                          5000)) {
        return false;
      }
      Line("event 12 0");
      return e2e::WaitUntil([&] { return parko.WaitForWindow("#32770", nullptr, 0) == nullptr; },
                            5000);
    };
    for (int i = 0; i < 10; ++i) {
      if (!call()) return Fail("a warm-up call failed");
    }
    const double before = PrivateMb(parko);
    for (int i = 0; i < 200; ++i) {
      if (!call()) return Fail("call " + std::to_string(i) + " failed");
    }
    const double after = PrivateMb(parko);
    if (!parko.Close()) return Fail("Parko did not end after the calls");

    int gdiBefore = -1, gdiAfter = -1;
    unsigned long probeBefore = 0, probeAfter = 0;
    const std::string probe = RunProbe();
    std::sscanf(probe.c_str(), "gdi %d %d private %lu %lu", &gdiBefore, &gdiAfter, &probeBefore,
                &probeAfter);
    std::printf(
        "  \"calls_200\": {\"private_mb_before\": %.3f, \"private_mb_after\": %.3f, "
        "\"gdi_before\": %d, \"gdi_after\": %d},\n",
        before, after, gdiBefore, gdiAfter);
    return gdiBefore > 0;
  }

  static std::string RunProbe() {
    const std::string output = e2e::BesideTestProgram("gdi-probe.txt");
    SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
    HANDLE out = CreateFileA(output.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                             CREATE_ALWAYS, 0, nullptr);
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = out;
    PROCESS_INFORMATION process{};
    if (e2e::StartProgram("\"" + e2e::BesideTestProgram("minimal\\GdiProbe.exe") + "\"",
                          e2e::BesideTestProgram("minimal"), true, startup, process)) {
      WaitForSingleObject(process.hProcess, 120000);
      CloseHandle(process.hThread);
      CloseHandle(process.hProcess);
    }
    CloseHandle(out);
    char text[256] = {};
    HANDLE in = CreateFileA(output.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            0, nullptr);
    DWORD read = 0;
    if (in != INVALID_HANDLE_VALUE) {
      ReadFile(in, text, sizeof(text) - 1, &read, nullptr);
      CloseHandle(in);
    }
    DeleteFileA(output.c_str());
    return std::string(text, read);
  }

  static double PrivateMb(const e2e::ParkoProcess& parko) {
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, parko.Id());
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                         sizeof(counters));
    CloseHandle(process);
    // Wine leaves PrivateUsage at 0; the committed bytes are the same figure on Windows.
    return counters.PagefileUsage / (1024.0 * 1024.0);
  }
  static std::string FinalText(const e2e::ParkoProcess& parko) {
    for (const e2e::WindowInfo& window : parko.Windows()) {
      if (window.windowClass == "#32770" && window.visible) {
        return e2e::Text(e2e::Control(window.hwnd, kStatusText));
      }
    }
    return {};
  }
  static size_t JournalSize(const e2e::Installation& install) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExA(install.PathOf("mohsim.journal").c_str(), GetFileExInfoStandard, &data);
    return data.nFileSizeLow;
  }
  static bool Engine() {
    return e2e::WaitUntil([] { return e2e::Mohsim("status").rfind("ok", 0) == 0; }, 10000);
  }
  static void Line(const std::string& command) { e2e::Mohsim(command); }
  static bool Fail(const std::string& why) {
    std::fprintf(stderr, "bench: %s\n", why.c_str());
    return false;
  }

  int rounds_;
  int idleSeconds_;
  bool startOnly_;
};

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
  const int idle = argc > 2 ? std::max(1, std::atoi(argv[2])) : 10;
  // "start": only the rounds of start, memory, idle and exit, for a quick look at those.
  const bool startOnly = argc > 3 && std::string(argv[3]) == "start";
  return Bench(rounds, idle, startOnly).Run();
}
