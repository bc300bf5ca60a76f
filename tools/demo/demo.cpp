// The unattended run of tools/run: starts the installed Parko.exe on the simulated modem,
// plays the line and a person's clicks through it, and writes a screenshot of every window a
// person would have seen into the given folder, each checked not to be blank.
//
//   parko_demo.exe PARKO_EXE SCREENSHOT_DIR
//
// It prints one line per happening, stamped with the system's tick count in seconds (as Wine
// stamps its trace lines, so that tools/run can put the program's sounds among them):
//   @SECONDS shot NAME|CAPTION      a screenshot NAME.bmp with what it shows
//   @SECONDS step TEXT              what happened
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "Driver.h"
#include "TextFit.h"

namespace {

const char* const kCaller =
    "Datum :07.12. Uhrzeit :09:05 Nummer :0301234567 Name :Erika Mustermann";
const char* const kIncoming = "Annehmen eines Anrufs";
// The tray host tools/run starts: bottom right, this wide and high.
constexpr int kTrayWidth = 160;
constexpr int kTrayHeight = 28;
// The icon's blue (assets/make_art.py).
constexpr COLORREF kIconBlue = RGB(40, 96, 190);

std::string Stamp() {
  char text[32];
  std::snprintf(text, sizeof(text), "@%lu.%03lu", GetTickCount() / 1000, GetTickCount() % 1000);
  return text;
}

// The pixels of a 24-bit bottom-up BMP as written by the driver, as COLORREF values, the
// bottom row first; its width in *width.
std::vector<COLORREF> Pixels(const std::string& path, LONG* width = nullptr) {
  std::ifstream in(path, std::ios::binary);
  std::vector<char> data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (data.size() < sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)) return {};
  BITMAPFILEHEADER file;
  BITMAPINFOHEADER info;
  memcpy(&file, data.data(), sizeof(file));
  memcpy(&info, data.data() + sizeof(file), sizeof(info));
  const size_t stride = (static_cast<size_t>(info.biWidth) * 3 + 3) & ~size_t{3};
  if (width != nullptr) *width = info.biWidth;
  std::vector<COLORREF> pixels;
  for (LONG y = 0; y < info.biHeight; ++y) {
    for (LONG x = 0; x < info.biWidth; ++x) {
      const size_t at = file.bfOffBits + static_cast<size_t>(y) * stride + x * 3;
      if (at + 2 >= data.size()) return pixels;
      const auto byte = [&](size_t i) { return static_cast<unsigned char>(data[at + i]); };
      pixels.push_back(RGB(byte(2), byte(1), byte(0)));
    }
  }
  return pixels;
}

// The number of colours in a window's client area, three pixels in from its edges, read from
// a screenshot of the whole window (whose rows run upwards).
size_t ClientColours(HWND window, const std::vector<COLORREF>& pixels, LONG width) {
  const RECT frame = e2e::OnScreen(window);
  RECT client{};
  GetClientRect(window, &client);
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
  const LONG height = width > 0 ? static_cast<LONG>(pixels.size()) / width : 0;
  std::set<COLORREF> colours;
  for (LONG y = client.top - frame.top + 3; y < client.bottom - frame.top - 3; ++y) {
    for (LONG x = client.left - frame.left + 3; x < client.right - frame.left - 3; ++x) {
      if (x < 0 || y < 0 || x >= width || y >= height) continue;
      colours.insert(pixels[static_cast<size_t>((height - 1 - y) * width + x)]);
    }
  }
  return colours.size();
}

class Demo {
 public:
  Demo(std::string exe, std::string shots) : exe_(std::move(exe)), shots_(std::move(shots)) {}

  // True when every step went as a person would expect.
  bool Run() {
    const std::string dir = exe_.substr(0, exe_.find_last_of('\\'));
    if (!parko_.Start(exe_, dir)) return Fail("could not start " + exe_);
    main_ = parko_.WaitForMainWindow();
    if (main_ == nullptr) return Fail("Parko did not come up");
    Step("Parko starts and puts its icon into the notification area");
    if (Tray() && Settings() && AnsweredCall() && CallLog() && OtherCalls() && AboutAndEnd()) {
      if (overruns_.empty()) return true;
      for (const std::string& overrun : overruns_)
        std::fprintf(stderr, "demo: %s\n", overrun.c_str());
      std::fprintf(stderr, "demo: %zu texts or controls do not fit their room\n", overruns_.size());
      return false;
    }
    parko_.Close();
    return false;
  }

 private:
  // The icon, its tooltip and its menu, with the mouse as a person uses it.
  bool Tray() {
    const int w = GetSystemMetrics(SM_CXSCREEN);
    const int h = GetSystemMetrics(SM_CYSCREEN);
    const RECT tray{w - kTrayWidth, h - kTrayHeight, w, h};
    POINT icon{};
    if (!e2e::WaitUntil([&] { return FindIcon(tray, icon); }, 30000)) {
      // What the screen showed instead, for the report.
      e2e::SaveScreenshot(nullptr, shots_ + "\\00-no-icon.bmp");
      return Fail("the icon did not show in the notification area");
    }
    if (!Shot(nullptr, "01-desktop", "The screen with Parko's icon in the tray host, bottom right"))
      return false;
    if (!ShotArea(tray, "02-tray-icon", "The notification area, enlarged: Parko's icon", true))
      return false;

    Mouse("mousemove " + std::to_string(icon.x) + " " + std::to_string(icon.y));
    HWND tip = nullptr;
    if (!e2e::WaitUntil([&] { return (tip = VisibleTooltip()) != nullptr; }, 5000)) {
      return Fail("no tooltip over the icon");
    }
    RECT tipRect{};
    GetWindowRect(tip, &tipRect);
    const RECT around{std::min(tipRect.left, tray.left) - 8, std::min(tipRect.top, tray.top) - 8, w,
                      h};
    Step("the mouse rests on the icon: its tooltip \"" + e2e::Text(tip) + "\"");
    if (!ShotArea(around, "03-tooltip", "The icon's tooltip under the mouse", false)) return false;

    Mouse("click 3");
    HWND menu = nullptr;
    if (!e2e::WaitUntil([&] { return (menu = Menu()) != nullptr; }, 5000)) {
      return Fail("a right click on the icon opened no menu");
    }
    Step("a right click on the icon opens the tray menu");
    if (!Shot(menu, "04-tray-menu", "The tray menu after a right click on the icon")) return false;
    PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    e2e::WaitUntil([&] { return Menu() == nullptr; }, 5000);
    icon_ = icon;
    return true;
  }

  bool Settings() {
    // Offline: a TELKA modem is set up only then.
    Mouse("mousemove " + std::to_string(icon_.x) + " " + std::to_string(icon_.y) +
          " click --repeat 2 --delay 60 1");
    HWND sheet = e2e::WaitForSettingsSheet(parko_, 5000);
    if (sheet == nullptr) return Fail("a double click on the icon opened no settings");
    Step("a double click on the icon opens the settings");
    if (!Shot(sheet, "05-settings", "The settings (double click on the icon)")) return false;
    e2e::PressSheetButton(sheet, PSBTN_CANCEL);
    if (!Gone(sheet)) return Fail("Cancel left the settings open");
    Step("Cancel closes them unchanged");
    return true;
  }

  bool AnsweredCall() {
    if (!Line("online") || !Line(std::string("call ") + kCaller)) return false;
    Step("online; a call with caller ID comes in and the provider offers to hold the connection");
    HWND incoming = DialogShowing(kIncoming, nullptr, 1);
    if (incoming == nullptr) return Fail("no incoming-call dialog");
    e2e::WaitUntil([] { return false; }, 1200);  // the answer countdown runs a little
    if (!Shot(incoming, "06-incoming-call", "A call with caller ID: take it, or ignore it"))
      return false;

    e2e::Click(incoming, IDOK);
    Step("\"Anruf annehmen\": the provider holds the data connection during the voice call");
    HWND held = DialogShowing(kIncoming, incoming, 1036);
    if (held == nullptr) return Fail("no on-hold dialog");
    const std::string first = e2e::Text(e2e::Control(held, 1018));
    if (!Shot(held, "07-on-hold", "On hold: the hold time counts down (" + first + ")"))
      return false;
    e2e::WaitUntil([] { return false; }, 3000);
    const std::string later = e2e::Text(e2e::Control(held, 1018));
    if (later == first) return Fail("the hold countdown did not run");
    if (!Shot(held, "08-on-hold-later", "Three seconds later (" + later + ")")) return false;

    if (!Line("warn")) return false;
    HWND warned = DialogShowing(kIncoming, held, 1036);
    if (warned == nullptr) return Fail("no warning dialog");
    Step(
        "the line warns that the hold runs out soon: a beep every third second, the dialog as it "
        "was");
    e2e::WaitUntil([] { return false; }, 1500);  // the warning's first beep
    // The on-hold dialog keeps its look at the warning: what warns the user is the beep.
    if (!Shot(warned, "09-hold-warning",
              "The warning: the on-hold dialog stays as it was, and beep.wav sounds every third "
              "second"))
      return false;

    // The person hangs up and restores the connection; the line is played by hand from here.
    if (!Line("auto off")) return false;
    PostMessageA(e2e::Control(warned, 1036), BM_CLICK, 0, 0);
    HWND reminder = e2e::WaitForMessageBox(parko_, 5000);
    if (reminder == nullptr) return Fail("no hang-up reminder");
    if (!Shot(reminder, "10-hang-up-reminder", "Before restoring: hang up first")) return false;
    if (!e2e::DismissMessageBox(reminder, IDOK)) return Fail("OK did not close the reminder");
    Step("\"Meine Internetverbindung wiederherstellen\": Parko asks the line to restore data");
    if (!Line("event 15 0")) return false;
    HWND reconnecting = DialogShowing("Wiederherstellen der Internetverbindung", nullptr, 1058);
    if (reconnecting == nullptr) return Fail("no reconnecting dialog");
    e2e::WaitUntil([] { return false; }, 1000);  // the progress bar moves
    if (!Shot(reconnecting, "11-reconnecting", "Restoring the internet connection")) return false;
    if (!Line("event 12 0") || !Line("auto on")) return false;
    if (!NoDialog()) return Fail("the dialog stayed after the data connection came back");
    Step("the data connection is back; the dialog goes");
    return true;
  }

  bool CallLog() {
    if (!e2e::ChooseFromTrayMenu(parko_, main_, 2)) return Fail("no tray menu for the call log");
    HWND log = parko_.WaitForWindow("#32770", "Rufprotokoll", 5000);
    if (log == nullptr) return Fail("no call log");
    Step("\"Rufprotokoll\" from the menu: the callers so far, newest first");
    if (!Shot(log, "12-call-log", "The call log")) return false;
    PostMessageA(e2e::Control(log, 1034), WM_KEYDOWN, VK_ESCAPE, 0);
    if (!Gone(log)) return Fail("Esc left the call log open");
    return true;
  }

  bool OtherCalls() {
    if (!Line("call")) return false;
    Step("a call without caller ID");
    HWND anonymous = DialogShowing(kIncoming, nullptr, 1);
    if (anonymous == nullptr) return Fail("no dialog for a call without caller ID");
    if (!Shot(anonymous, "13-call-without-caller-id", "A call without caller ID")) return false;
    e2e::Click(anonymous, 1035);
    Step("\"Anruf ignorieren\": Parko stays online");
    if (!NoDialog()) return Fail("ignoring the call left a dialog");

    if (!Line("auto off") || !Line(std::string("call ") + kCaller) || !Line("deny")) return false;
    Step("another call; this time the provider cannot hold the connection");
    HWND noHold = DialogShowing(nullptr, nullptr, IDABORT);
    if (noHold == nullptr) return Fail("no dialog for a refused hold");
    if (!Shot(noHold, "14-no-hold", "No hold: drop the data connection to take the call"))
      return false;
    e2e::Click(noHold, IDABORT);
    Step("\"Verbindung beenden. Umschalten auf Sprache\": Parko drops the data connection");
    if (!Line("event 11 0")) return false;
    HWND dropped = DialogShowing(nullptr, noHold, 0);
    if (dropped == nullptr) return Fail("no dialog after the data connection was dropped");
    if (!Shot(dropped, "15-data-dropped", "The data connection ended; the voice call goes on"))
      return false;
    PostMessageA(dropped, WM_CLOSE, 0, 0);
    if (!Line("offline") || !Line("online") || !Line("auto on")) return false;

    if (!Line("error 0")) return false;
    Step("the line reports an error");
    HWND error = DialogShowing(nullptr, nullptr, 0);
    if (error == nullptr) return Fail("no dialog for the error");
    if (!Shot(error, "16-error", "An error of the line")) return false;
    PostMessageA(error, WM_CLOSE, 0, 0);
    if (!NoDialog()) return Fail("the error dialog did not close");
    return true;
  }

  bool AboutAndEnd() {
    if (!e2e::ChooseFromTrayMenu(parko_, main_, 6)) return Fail("no tray menu for the About box");
    HWND about = nullptr;
    e2e::WaitUntil(
        [&] {
          about = parko_.WaitForWindow("#32770", "", 0);
          return about != nullptr && e2e::Control(about, 1050) != nullptr && e2e::IsVisible(about);
        },
        5000);
    if (about == nullptr) return Fail("no About box");
    Step("\"Info\" from the menu: the version");
    if (!Shot(about, "17-about", "The About box")) return false;
    PostMessageA(e2e::Control(about, IDOK), BM_CLICK, 0, 0);
    if (!Gone(about)) return Fail("OK left the About box open");

    if (!e2e::ChooseFromTrayMenu(parko_, main_, 7)) return Fail("no tray menu to end Parko");
    HWND question = e2e::WaitForMessageBox(parko_, 5000);
    if (question == nullptr) return Fail("no question before ending");
    if (!Shot(question, "18-end-question", "\"Modem On Hold deaktivieren\" asks first"))
      return false;
    if (!e2e::DismissMessageBox(question, IDYES)) return Fail("\"Ja\" did not close the question");
    // On a loaded machine an exit may take a while: the run waits long and says how long.
    const DWORD asked = GetTickCount();
    const bool ended = parko_.WaitForExit(60000);
    const DWORD took = GetTickCount() - asked;
    if (!ended || parko_.ExitCode() != 0) {
      return Fail("Parko did not end cleanly from its menu (waited " + std::to_string(took) +
                  " ms)");
    }
    Step("\"Ja\": Parko closes the library and ends (" + std::to_string(took) + " ms)");
    return true;
  }

  // The icon as the screen shows it in the tray host: the centre of its blue, in screen
  // coordinates.
  bool FindIcon(const RECT& tray, POINT& centre) {
    const std::string path = shots_ + "\\tray-search.bmp";
    if (!e2e::SaveScreenArea(tray, path)) return false;
    LONG width = 0;
    const std::vector<COLORREF> pixels = Pixels(path, &width);
    DeleteFileA(path.c_str());
    const LONG height = tray.bottom - tray.top;
    LONG left = width, right = -1, top = height, bottom = -1;
    for (size_t i = 0; i < pixels.size(); ++i) {
      if (pixels[i] != kIconBlue) continue;
      const LONG x = static_cast<LONG>(i % width);
      const LONG y = height - 1 - static_cast<LONG>(i / width);  // the file's rows run upwards
      left = std::min(left, x);
      right = std::max(right, x);
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
    if (right < 0) return false;
    centre = {tray.left + (left + right) / 2, tray.top + (top + bottom) / 2};
    return true;
  }
  static HWND VisibleTooltip() {
    for (HWND tip = FindWindowExA(nullptr, nullptr, "tooltips_class32", nullptr); tip != nullptr;
         tip = FindWindowExA(nullptr, tip, "tooltips_class32", nullptr)) {
      if (IsWindowVisible(tip) && !e2e::Text(tip).empty()) return tip;
    }
    return nullptr;
  }
  HWND Menu() const {
    for (const e2e::WindowInfo& window : parko_.Windows()) {
      if (window.windowClass == "#32768" && window.visible) return window.hwnd;
    }
    return nullptr;
  }
  // A visible dialog of Parko with this caption (any for null), other than `previous`, that
  // shows the control `id` (any for 0).
  HWND DialogShowing(const char* caption, HWND previous, int id) {
    HWND found = nullptr;
    e2e::WaitUntil(
        [&] {
          for (const e2e::WindowInfo& window : parko_.Windows()) {
            if (window.windowClass != "#32770" || !window.visible || window.hwnd == previous) {
              continue;
            }
            if (caption != nullptr && window.title != caption) continue;
            if (id != 0 && !e2e::IsVisible(e2e::Control(window.hwnd, id))) continue;
            found = window.hwnd;
            return true;
          }
          return false;
        },
        10000);
    return found;
  }
  bool NoDialog() {
    return e2e::WaitUntil(
        [&] {
          for (const e2e::WindowInfo& window : parko_.Windows()) {
            if (window.windowClass == "#32770" && window.visible) return false;
          }
          return true;
        },
        10000);
  }
  bool Gone(HWND window) {
    return e2e::WaitUntil([&] { return !IsWindow(window); }, 5000);
  }
  bool Line(const std::string& command) {
    const std::string reply = e2e::Mohsim(command);
    if (reply.rfind("ok", 0) == 0) return true;
    Fail("the engine refused \"" + command + "\": " + reply);
    return false;
  }
  // xdotool on the display, as a person's mouse; Wine starts it as a Unix program.
  void Mouse(const std::string& arguments) {
    std::string commandLine = "/usr/bin/xdotool " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    // For a Unix program Wine reports success with no process handle and leaves the thread
    // handle as whatever was there before: closing that closed a handle of ours now and then
    // (the one Parko's process was waited on with). Only a real process's handles are closed.
    if (CreateProcessA("Z:\\usr\\bin\\xdotool", &commandLine[0], nullptr, nullptr, FALSE, 0,
                       nullptr, nullptr, &startup, &process) &&
        process.hProcess != nullptr) {
      CloseHandle(process.hThread);
      CloseHandle(process.hProcess);
    }
  }

  // A window's screenshot once the window has painted: two pictures in a row are the same and
  // its client area, inside the frame's edges, is not one colour (a window whose frame was drawn
  // but not its contents shows the frame's colours alone).
  bool Shot(HWND window, const std::string& name, const std::string& caption) {
    const std::string path = shots_ + "\\" + name + ".bmp";
    std::vector<COLORREF> previous;
    bool painted = false;
    e2e::WaitUntil(
        [&] {
          if (!e2e::SaveScreenshot(window, path)) return false;
          LONG width = 0;
          const std::vector<COLORREF> pixels = Pixels(path, &width);
          const bool same = pixels == previous;
          previous = pixels;
          painted = window != nullptr
                        ? ClientColours(window, pixels, width) >= 2
                        : std::set<COLORREF>(pixels.begin(), pixels.end()).size() >= 3;
          return same && painted;
        },
        3000);
    if (!painted) return Fail("screenshot " + name + " shows an unpainted window");
    // Every text whole, in the fonts and at the resolution of this display.
    // Parko's own dialogs, all in their templates' font; a message box is laid out by the system
    // from its text.
    if (window != nullptr && !e2e::IsMessageBox(window)) {
      for (const std::string& overrun : e2e::TextOverruns(window, "MS Sans Serif", 8)) {
        overruns_.push_back(name + ": " + overrun);
      }
    }
    return Checked(path, name, caption, false);
  }
  bool ShotArea(const RECT& area, const std::string& name, const std::string& caption,
                bool holdsIcon) {
    const std::string path = shots_ + "\\" + name + ".bmp";
    if (!e2e::SaveScreenArea(area, path)) return Fail("no screenshot " + name);
    return Checked(path, name, caption, holdsIcon);
  }
  // Not blank; the icon's colour where it must show.
  bool Checked(const std::string& path, const std::string& name, const std::string& caption,
               bool holdsIcon) {
    const std::vector<COLORREF> pixels = Pixels(path);
    const std::set<COLORREF> colours(pixels.begin(), pixels.end());
    if (colours.size() < 3) return Fail("screenshot " + name + " is blank");
    if (holdsIcon && colours.count(kIconBlue) == 0) {
      return Fail("screenshot " + name + " does not show the icon");
    }
    std::printf("%s shot %s|%s\n", Stamp().c_str(), name.c_str(), caption.c_str());
    std::fflush(stdout);
    return true;
  }
  void Step(const std::string& text) {
    std::printf("%s step %s\n", Stamp().c_str(), text.c_str());
    std::fflush(stdout);
  }
  bool Fail(const std::string& why) {
    std::fprintf(stderr, "demo: %s\n%s\n", why.c_str(), parko_.Describe().c_str());
    return false;
  }

  std::string exe_;
  std::string shots_;
  e2e::ParkoProcess parko_;
  HWND main_ = nullptr;
  POINT icon_{};
  // The texts and controls of the windows shown that ran past their room.
  std::vector<std::string> overruns_;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: parko_demo PARKO_EXE SCREENSHOT_DIR\n");
    return 2;
  }
  return Demo(argv[1], argv[2]).Run() ? 0 : 1;
}
