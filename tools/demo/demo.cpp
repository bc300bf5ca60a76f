// The unattended run of tools/run: starts the installed Parko.exe on the simulated modem, plays
// a call through it as the line and a person would, and writes a screenshot of every window a
// person would have seen into the given folder.
//
//   parko_demo.exe PARKO_EXE SCREENSHOT_DIR
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <string>

#include "Driver.h"

namespace {

const char* const kCaller =
    "Datum :07.12. Uhrzeit :09:05 Nummer :0301234567 Name :Erika Mustermann";

class Demo {
 public:
  Demo(std::string exe, std::string shots) : exe_(std::move(exe)), shots_(std::move(shots)) {}

  int Run() {
    const std::string dir = exe_.substr(0, exe_.find_last_of('\\'));
    if (!parko_.Start(exe_, dir)) return Fail("could not start " + exe_);
    HWND main = parko_.WaitForMainWindow();
    if (main == nullptr) return Fail("Parko did not come up");
    Say("Parko runs in the notification area");
    Shot(nullptr, "01-desktop");

    // A double click on the icon: the settings (offline: a TELKA modem online
    // cannot be set up); the user looks and cancels.
    e2e::DoubleClickTrayIcon(main);
    HWND sheet = e2e::WaitForSettingsSheet(parko_, 5000);
    if (sheet == nullptr) return Fail("no settings sheet");
    Shot(sheet, "02-settings");
    e2e::PressSheetButton(sheet, PSBTN_CANCEL);
    if (!e2e::WaitUntil([&] { return !IsWindow(sheet); }, 5000)) {
      return Fail("Cancel left the settings open");
    }

    // The line: online, then a call with caller ID; the provider grants a hold.
    if (!Line("online") || !Line(std::string("call ") + kCaller)) return 1;
    HWND incoming = parko_.WaitForWindow("#32770", "Annehmen eines Anrufs", 10000);
    if (incoming == nullptr) return Fail("no incoming-call dialog");
    e2e::WaitUntil([] { return false; }, 1500);  // let the answer countdown run a little
    Say("incoming call offered: " + e2e::Text(e2e::Control(incoming, 1019)));
    Shot(incoming, "03-incoming-call");

    // The user answers; the data connection is held during the voice call.
    e2e::Click(incoming, IDOK);
    HWND held = nullptr;
    e2e::WaitUntil(
        [&] {
          held = parko_.WaitForWindow("#32770", "Annehmen eines Anrufs", 0);
          return held != nullptr && held != incoming && e2e::IsVisible(e2e::Control(held, 1036));
        },
        10000);
    if (held == nullptr || !e2e::IsVisible(e2e::Control(held, 1036))) {
      return Fail("no on-hold dialog");
    }
    e2e::WaitUntil([] { return false; }, 2000);
    Say("on hold, remaining " + e2e::Text(e2e::Control(held, 1018)));
    Shot(held, "04-on-hold");

    // The user hangs up and restores the connection: first the reminder.
    PostMessageA(e2e::Control(held, 1036), BM_CLICK, 0, 0);
    HWND reminder = e2e::WaitForMessageBox(parko_, 5000);
    if (reminder == nullptr) return Fail("no hang-up reminder");
    Shot(reminder, "05-hang-up-reminder");
    e2e::DismissMessageBox(reminder, IDOK);

    // The line restores data; with it the dialog goes.
    if (!e2e::WaitUntil([&] { return parko_.WaitForWindow("#32770", nullptr, 0) == nullptr; },
                        10000)) {
      return Fail("the call dialog did not close when data came back");
    }
    Say("data connection restored");
    Shot(nullptr, "06-back-online");

    // A right click on the icon: the tray menu, and from it the call log with the caller.
    HWND menu = e2e::OpenTrayMenu(parko_, main);
    if (menu == nullptr) return Fail("no tray menu");
    Shot(menu, "07-tray-menu");
    if (!e2e::ChooseInMenu(menu, 2)) return Fail("the tray menu did not take \"Rufprotokoll\"");
    HWND log = parko_.WaitForWindow("#32770", "Rufprotokoll", 5000);
    if (log == nullptr) return Fail("no call log");
    Say("call log: " + std::to_string(e2e::ListCount(e2e::Control(log, 1034))) + " caller(s)");
    Shot(log, "08-call-log");
    PostMessageA(e2e::Control(log, 1034), WM_KEYDOWN, VK_ESCAPE, 0);
    if (!e2e::WaitUntil([&] { return !IsWindow(log); }, 5000)) return Fail("Esc left the log open");

    // "Info" from the menu: the About box.
    if (!e2e::ChooseFromTrayMenu(parko_, main, 6)) return Fail("no tray menu for the About box");
    HWND about = nullptr;
    e2e::WaitUntil(
        [&] {
          about = parko_.WaitForWindow("#32770", "", 0);
          return about != nullptr && e2e::Control(about, 1050) != nullptr &&
                 e2e::IsVisible(about);
        },
        5000);
    if (about == nullptr) return Fail("no About box");
    Shot(about, "09-about");
    PostMessageA(e2e::Control(about, IDOK), BM_CLICK, 0, 0);
    if (!e2e::WaitUntil([&] { return !IsWindow(about); }, 5000)) return Fail("OK left it open");

    // The user ends Parko from its menu.
    if (!e2e::ChooseFromTrayMenu(parko_, main, 7)) return Fail("no tray menu to end Parko");
    HWND question = e2e::WaitForMessageBox(parko_, 5000);
    if (question == nullptr) return Fail("no question before ending");
    Shot(question, "10-end-question");
    e2e::DismissMessageBox(question, IDYES);
    const bool clean = parko_.WaitForExit(5000) && parko_.ExitCode() == 0;
    if (!clean) parko_.Close();
    Say(std::string("Parko ") + (clean ? "ended from its tray menu" : "had to be stopped") +
        ", exit code " + std::to_string(parko_.ExitCode()));
    return clean ? 0 : 1;
  }

 private:
  bool Line(const std::string& command) {
    const std::string reply = e2e::Mohsim(command);
    if (reply.rfind("ok", 0) == 0) return true;
    Fail("the engine refused \"" + command + "\": " + reply);
    return false;
  }
  void Shot(HWND window, const std::string& name) {
    const std::string path = shots_ + "\\" + name + ".bmp";
    if (e2e::SaveScreenshot(window, path)) Say("screenshot " + name);
  }
  void Say(const std::string& text) { std::printf("demo: %s\n", text.c_str()); }
  int Fail(const std::string& why) {
    std::fprintf(stderr, "demo: %s\n%s\n", why.c_str(), parko_.Describe().c_str());
    return 1;
  }

  std::string exe_;
  std::string shots_;
  e2e::ParkoProcess parko_;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: parko_demo PARKO_EXE SCREENSHOT_DIR\n");
    return 2;
  }
  return Demo(argv[1], argv[2]).Run();
}
