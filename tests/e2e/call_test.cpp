// Calls through the real Parko.exe on the simulated line: the dialogs a person sees, their
// controls and texts, and the commands Parko sends the library (its journal).
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "CallCase.h"
#include "Driver.h"

namespace {

constexpr std::initializer_list<int> kButtons = {1, 1035, 2, 3, 1036};
constexpr std::initializer_list<int> kDisplays = {1017, 1018, 1051, 1019, 1058};

TEST_F(Call, IncomingCallAnsweredHeldAndDataRestored) {
  Start();
  Line("online");
  Line(std::string("call ") + kCaller);
  HWND offered = Dialog(kTitleIncoming);
  ASSERT_NE(nullptr, offered) << Report();
  EXPECT_EQ("VVHHH", Presence(offered, kButtons));
  EXPECT_EQ("VHHVH", Presence(offered, kDisplays));
  EXPECT_EQ(kCaller, e2e::Text(e2e::Control(offered, 1019)));
  EXPECT_EQ("Anruf annehmen", e2e::Text(e2e::Control(offered, 1)));
  EXPECT_EQ("Anruf ignorieren", e2e::Text(e2e::Control(offered, 1035)));
  EXPECT_EQ(
      0u,
      e2e::Text(e2e::Control(offered, 1020)).find("Sie werden gerade angerufen. Sie k\xF6nnen"));
  EXPECT_EQ(0u, e2e::Text(e2e::Control(offered, 1017)).find("00:1"));
  // The first dialog of the process opens centred on the screen, on top of every window.
  EXPECT_TRUE(GetWindowLongA(offered, GWL_EXSTYLE) & WS_EX_TOPMOST);
  RECT rect;
  GetWindowRect(offered, &rect);
  EXPECT_NEAR(GetSystemMetrics(SM_CXSCREEN) / 2, (rect.left + rect.right) / 2, 1);
  EXPECT_NEAR(GetSystemMetrics(SM_CYSCREEN) / 2, (rect.top + rect.bottom) / 2, 1);
  // The user moves it; the next dialog opens where this one was.
  SetWindowPos(offered, nullptr, 40, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  // Asked to, it shows the status text in its info line.
  SendMessageA(offered, WM_USER + 14, 0, 0);
  EXPECT_EQ(0u, e2e::Text(e2e::Control(offered, 1019)).find("Sie werden gerade angerufen."));

  e2e::Click(offered, IDOK);
  HWND held = Dialog(kTitleIncoming, offered);
  ASSERT_NE(nullptr, held) << Report();
  GetWindowRect(held, &rect);
  EXPECT_EQ(40, rect.left);
  EXPECT_EQ(60, rect.top);
  EXPECT_EQ("HHHHV", Presence(held, kButtons));
  EXPECT_EQ("HVVHH", Presence(held, kDisplays));
  EXPECT_EQ(0u, e2e::Text(e2e::Control(held, 1020))
                    .find("Ihr ISP erm\xF6glicht ca.   2 Minuten Haltezeit. Legen Sie nach"));
  const std::string remaining = e2e::Text(e2e::Control(held, 1018));
  EXPECT_EQ(0u, remaining.find("00:01:5")) << remaining;

  PostMessageA(e2e::Control(held, 1036), BM_CLICK, 0, 0);
  HWND reminder = e2e::WaitForMessageBox(parko_);
  ASSERT_NE(nullptr, reminder) << Report();
  EXPECT_EQ(
      "Bevor Ihre Internetverbindung \nwiederhergestellt werden \nkann, m\xFCssen Sie auflegen.",
      e2e::MessageBoxText(reminder));
  EXPECT_EQ(" ", e2e::Text(reminder));
  EXPECT_FALSE(CommandSent(3));  // not before the user has read it
  ASSERT_TRUE(e2e::DismissMessageBox(reminder, IDOK)) << Report();

  ASSERT_TRUE(NoDialog()) << Report();
  // Answer, restore, then TELKA's acknowledgement of the restoring line.
  EXPECT_EQ((std::vector<std::string>{"MohCommand(handle=0, command=1)",
                                      "MohCommand(handle=0, command=3)",
                                      "MohCommand(handle=0, command=6)"}),
            Commands());
  EXPECT_TRUE(parko_.Close()) << Report();
}

TEST_F(Call, IgnoringTheCallKeepsTheDataConnection) {
  Start();
  Line("online");
  Line(std::string("call ") + kCaller);
  HWND offered = Dialog(kTitleIncoming);
  ASSERT_NE(nullptr, offered) << Report();
  // The close box does nothing here: it neither places nor answers a call.
  SendMessageA(offered, WM_CLOSE, 0, 0);
  EXPECT_TRUE(e2e::IsVisible(offered));
  EXPECT_TRUE(Commands().empty()) << Report();
  e2e::Click(offered, 1035);
  ASSERT_TRUE(NoDialog()) << Report();
  EXPECT_EQ((std::vector<std::string>{"MohCommand(handle=0, command=2)"}), Commands());
  EXPECT_TRUE(parko_.Close());
}

TEST_F(Call, WithoutAHoldTheUserDropsDataToTakeTheCall) {
  Start(std::string(kQuickLine) + "[Line]\r\nHoldAnswer=deny\r\n");
  Line("online");
  Line(std::string("call ") + kCaller);
  HWND noHold = Dialog("Modem On Hold Einstellungen");
  ASSERT_NE(nullptr, noHold) << Report();
  EXPECT_EQ("HHHVH", Presence(noHold, kButtons));
  EXPECT_EQ("Verbindung beenden. Umschalten auf Sprache", e2e::Text(e2e::Control(noHold, 3)));
  EXPECT_EQ("Ankommender Ruf.", e2e::Text(e2e::Control(noHold, 1020)));

  e2e::Click(noHold, 3);
  HWND dropped = Dialog("Modem On Hold Einstellungen", noHold);
  ASSERT_NE(nullptr, dropped) << Report();
  EXPECT_EQ("DDHHH", Presence(dropped, kButtons));
  EXPECT_EQ("Datenverbindung beendet.", e2e::Text(e2e::Control(dropped, 1020)));
  EXPECT_EQ((std::vector<std::string>{"MohCommand(handle=0, command=7)"}), Commands());
  EXPECT_TRUE(parko_.Close());
}

TEST_F(Call, AShortHoldRunsOutDuringTheVoiceCall) {
  Start(std::string(kQuickLine) + "[Line]\r\nHoldIndex=1\r\n");  // 10 s, 8 s on TELKA
  Line("online");
  Line(std::string("call ") + kCaller);
  HWND offered = Dialog(kTitleIncoming);
  ASSERT_NE(nullptr, offered) << Report();
  e2e::Click(offered, IDOK);
  HWND held = Dialog(kTitleIncoming, offered);
  ASSERT_NE(nullptr, held) << Report();
  const std::string first = e2e::Text(e2e::Control(held, 1018));
  ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::Text(e2e::Control(held, 1018)) != first; }, 3000))
      << "the countdown stands at " << first;
  EXPECT_LT(e2e::Text(e2e::Control(held, 1018)), first);

  ASSERT_TRUE(NoDialog(15000)) << Report();
  EXPECT_FALSE(CommandSent(3));
  EXPECT_TRUE(parko_.Close());
}

TEST_F(Call, ReconnectingShowsACyclingProgressBar) {
  Start();
  Line("online");
  Line("event 15 0");
  HWND waiting = Dialog("Wiederherstellen der Internetverbindung");
  ASSERT_NE(nullptr, waiting) << Report();
  EXPECT_EQ("HHHHH", Presence(waiting, kButtons));
  EXPECT_EQ("HHHHV", Presence(waiting, kDisplays));
  EXPECT_EQ("Bitte warten Sie, w\xE4hrend Oskavel V.92 Ihre Internetverbindung wiederherstellt.",
            e2e::Text(e2e::Control(waiting, 1020)));
  HWND bar = e2e::Control(waiting, 1058);
  const LRESULT start = SendMessageA(bar, PBM_GETPOS, 0, 0);
  EXPECT_GE(start, 1);  // one step at once
  ASSERT_TRUE(e2e::WaitUntil([&] { return SendMessageA(bar, PBM_GETPOS, 0, 0) > start; }, 3000));
  EXPECT_TRUE(parko_.Close());
}

TEST_F(Call, AThousandEventsAtOnceAreAllHandledAndParkoStaysResponsive) {
  // NUVIA drops data at every timeout: one journal line per event handled.
  Start("[Modem1]\r\nType=3\r\n[Engine]\r\nAutomatic=No\r\n",
        "[INSTALL_OPTIONS]\r\nSilentEnumeration=Yes\r\nModemType=3\r\n");
  Line("online");
  Line("burst 1000 10");
  const std::string drop = "MohCommand(handle=0, command=7)";
  ASSERT_TRUE(e2e::WaitUntil(
      [&] {
        const std::vector<std::string> commands = Commands();
        return std::count(commands.begin(), commands.end(), drop) >= 1000;
      },
      30000))
      << Commands().size() << " commands";
  e2e::WaitUntil([] { return false; }, 300);  // any extra would arrive now
  const std::vector<std::string> commands = Commands();
  EXPECT_EQ(1000, std::count(commands.begin(), commands.end(), drop));

  DWORD_PTR result = 0;
  EXPECT_NE(0, SendMessageTimeoutA(main_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &result));
  Line("auto on");
  Line(std::string("call ") + kCaller);
  EXPECT_NE(nullptr, Dialog(kTitleIncoming)) << Report();
  EXPECT_TRUE(parko_.Close());
}

// While the reminder to hang up is open, the line moves on and replaces the on-hold dialog:
// the box goes with it and restores nothing the user did not confirm.
TEST_F(Call, ABurstOfEventsWithADialogOpenEndsInTheDialogOfTheLast) {
  Start();
  Line("online");
  Line("error 0");
  HWND first = Dialog("Modem On Hold Einstellungen");
  ASSERT_NE(nullptr, first) << Report();
  // Three thousand errors, each with a dialog of its own, then the provider's timeout: once its
  // dialog shows, every error before it was handled.
  Line("burst 3000 13");
  Line("remote-timeout");
  HWND last = nullptr;
  ASSERT_TRUE(e2e::WaitUntil(
      [&] {
        last = Dialog("Modem On Hold Einstellungen", nullptr, 0);
        return last != nullptr && e2e::Text(e2e::Control(last, 1020)) ==
                                      "MoH-Zeit\xFC"
                                      "berschreitung der Gegenstelle!";
      },
      20000))
      << Report();
  int shown = 0;
  for (const e2e::WindowInfo& window : parko_.Windows()) {
    shown += window.windowClass == "#32770" && window.visible;
  }
  EXPECT_EQ(1, shown);
  EXPECT_TRUE(parko_.Close()) << Report();
}

class ReminderBox : public Call {
 protected:
  // Answers a call and presses "restore" in the on-hold dialog; returns the box.
  HWND OpenReminder(const std::string& mohsimIni = kQuickLine,
                    const std::string& parkoIni = kParkoIni) {
    Start(mohsimIni, parkoIni);
    Line("online");
    Line(std::string("call ") + kCaller);
    HWND offered = Dialog(kTitleIncoming);
    EXPECT_NE(nullptr, offered) << Report();
    e2e::Click(offered, IDOK);
    held_ = Dialog(kTitleIncoming, offered);
    EXPECT_NE(nullptr, held_) << Report();
    PostMessageA(e2e::Control(held_, 1036), BM_CLICK, 0, 0);
    return e2e::WaitForMessageBox(parko_);
  }
  void ExpectClosedWithoutRestoring(HWND box, DWORD timeoutMs = 5000) {
    EXPECT_TRUE(e2e::WaitUntil([box] { return !IsWindow(box); }, timeoutMs)) << Report();
    EXPECT_TRUE(parko_.IsRunning()) << Report();
    EXPECT_FALSE(CommandSent(3)) << Report();
    EXPECT_TRUE(parko_.Close()) << Report();
  }
  HWND held_ = nullptr;
};

TEST_F(ReminderBox, TheHoldRunningOutClosesItAndRestoresNothing) {
  HWND box = OpenReminder(std::string(kQuickLine) + "[Line]\r\nHoldIndex=1\r\n");  // 8 s
  ASSERT_NE(nullptr, box) << Report();
  ExpectClosedWithoutRestoring(box, 15000);
}

// The line's own warning replaces the dialog while its reminder is open and closes the box with
// it: the restore the user asked for is still sent, the call being on hold. The dialog that
// replaced it keeps the open flag when the old one is freed after its button's handler, so the
// command that shows the call dialog (32795) leaves it alone.
TEST_F(ReminderBox, AWarningReplacesTheDialogTheRestoreIsStillSentAndTheNewDialogStays) {
  HWND box = OpenReminder();
  ASSERT_NE(nullptr, box) << Report();
  Line("auto off");  // the line stays where it is once the restore is asked for
  Line("event 9 0");
  EXPECT_TRUE(e2e::WaitUntil([box] { return !IsWindow(box); }, 5000)) << Report();
  EXPECT_TRUE(e2e::WaitUntil([this] { return CommandSent(3); }, 5000)) << Report();
  HWND warned = Dialog(kTitleIncoming, held_);
  ASSERT_NE(nullptr, warned) << Report();

  constexpr WPARAM kShowCallDialog = 32795;
  PostMessageA(main_, WM_COMMAND, kShowCallDialog, 0);
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(main_, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored);  // handled by now
  EXPECT_TRUE(IsWindow(warned)) << Report();
  EXPECT_EQ(warned, Dialog(kTitleIncoming, held_, 0)) << Report();
  EXPECT_TRUE(parko_.Close()) << Report();
}

TEST_F(ReminderBox, DataResumedMeanwhileClosesItAndSendsNothing) {
  HWND box = OpenReminder();
  ASSERT_NE(nullptr, box) << Report();
  Line("event 12 0");
  ExpectClosedWithoutRestoring(box);
}

// A modal window opened from the tray over the reminder would hold the reminder's message loop
// until it closed, and the restore with it: "Info" brings the reminder forward instead, and OK
// sends the restore at once.
TEST_F(ReminderBox, InfoOverItOpensNoAboutBoxAndOkRestoresAtOnce) {
  HWND box = OpenReminder();
  ASSERT_NE(nullptr, box) << Report();
  Line("auto off");
  constexpr WPARAM kInfoCommand = 32781;
  PostMessageA(main_, WM_COMMAND, kInfoCommand, 0);
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(main_, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored);  // handled by now
  for (const e2e::WindowInfo& window : parko_.Windows()) {
    EXPECT_FALSE(window.visible && e2e::Control(window.hwnd, 1050) != nullptr) << Report();
  }
  ASSERT_TRUE(e2e::DismissMessageBox(box, IDOK)) << Report();
  EXPECT_TRUE(e2e::WaitUntil([this] { return CommandSent(3); }, 5000)) << Report();
  EXPECT_TRUE(parko_.Close()) << Report();
}

// Windows ends the session with a call on hold and the reminder open: Parko lets it end, runs its
// exit steps on WM_ENDSESSION (the library closed once, the log closed), and Windows then ends
// the process without another message.
TEST_F(ReminderBox, TheSessionEndingClosesTheLibraryOnceAndTheLog) {
  HWND box = OpenReminder(kQuickLine, std::string(kParkoIni) + "Logging=Yes\r\n");
  ASSERT_NE(nullptr, box) << Report();
  DWORD_PTR answer = 0;
  ASSERT_TRUE(SendMessageTimeoutA(main_, WM_QUERYENDSESSION, 0, 0, SMTO_NORMAL, 5000, &answer));
  EXPECT_EQ(static_cast<DWORD_PTR>(TRUE), answer);
  ASSERT_TRUE(SendMessageTimeoutA(main_, WM_ENDSESSION, TRUE, 0, SMTO_NORMAL, 5000, &answer));
  HANDLE log = CreateFileA(install_->PathOf("parko.log").c_str(), GENERIC_READ, 0, nullptr,
                           OPEN_EXISTING, 0, nullptr);
  EXPECT_NE(INVALID_HANDLE_VALUE, log) << "parko.log is still open";
  if (log != INVALID_HANDLE_VALUE) CloseHandle(log);
  parko_.Kill();
  EXPECT_EQ((std::vector<std::string>{"MohCommand(handle=0, command=1)",
                                      "MohCommand(handle=0, command=5)"}),
            Commands())
      << Report();
  EXPECT_NE(std::string::npos, install_->ReadFile("parko.log").find("Answering incoming voice"));
}

TEST_F(Call, EscInTheIncomingCallDialogNeitherAnswersNorPlacesTheCall) {
  Start();
  Line("online");
  Line(std::string("call ") + kCaller);
  HWND offered = Dialog(kTitleIncoming);
  ASSERT_NE(nullptr, offered) << Report();
  GUITHREADINFO thread{};
  thread.cbSize = sizeof(thread);
  ASSERT_TRUE(GetGUIThreadInfo(GetWindowThreadProcessId(offered, nullptr), &thread));
  HWND focus = thread.hwndFocus != nullptr ? thread.hwndFocus : offered;
  PostMessageA(focus, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
  PostMessageA(focus, WM_KEYUP, VK_ESCAPE, 0xC0010001);
  // Handled in posting order: once the dialog shows its status text, Esc was handled before.
  PostMessageA(offered, WM_USER + 14, 0, 0);
  ASSERT_TRUE(e2e::WaitUntil(
      [&] { return e2e::Text(e2e::Control(offered, 1019)).find("Sie werden") == 0; }, 5000));
  EXPECT_TRUE(e2e::IsVisible(offered));
  EXPECT_TRUE(Commands().empty()) << Report();
  EXPECT_TRUE(parko_.Close()) << Report();
}

TEST_F(Call, TheNoHoldDialogClosesWithItsCloseBoxAndAStatusDialogWithEsc) {
  Start(std::string(kQuickLine) + "[Line]\r\nHoldAnswer=deny\r\n");
  Line("online");
  Line(std::string("call ") + kCaller);
  HWND noHold = Dialog("Modem On Hold Einstellungen");
  ASSERT_NE(nullptr, noHold) << Report();
  PostMessageA(noHold, WM_SYSCOMMAND, SC_CLOSE, 0);
  ASSERT_TRUE(NoDialog(5000)) << Report();
  EXPECT_TRUE(Commands().empty()) << Report();

  // The next event that shows a dialog opens one as usual; Esc closes it.
  Line("error 4");
  HWND error = Dialog("Modem On Hold Einstellungen");
  ASSERT_NE(nullptr, error) << Report();
  PostMessageA(error, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
  ASSERT_TRUE(NoDialog(5000)) << Report();
  EXPECT_TRUE(Commands().empty()) << Report();
  EXPECT_TRUE(parko_.Close()) << Report();
}

TEST_F(Call, ABorinLineReportingModemActiveDuringEveryInitialisationIsBoundOnce) {
  Start("[Library]\r\nInitEvents=3\r\n[Modem1]\r\nType=2\r\n" + std::string(kQuickLine),
        "[INSTALL_OPTIONS]\r\nSilentEnumeration=Yes\r\nModemType=2\r\n");
  auto initialisations = [this] {
    int count = 0;
    for (const std::string& line : e2e::Lines(install_->ReadFile("mohsim.journal"))) {
      count += line.rfind("MohInitialize(", 0) == 0;
    }
    return count;
  };
  Line("online");  // the line's own report: bound again, once
  ASSERT_TRUE(e2e::WaitUntil([&] { return initialisations() == 2; }, 5000)) << Report();
  // The second binding is over once the line has reported it as well (the first binding, the
  // line coming online and the second each report "modem active"); a call before that would
  // reach the engine the binding resets.
  auto reports = [] {
    const std::string status = e2e::Mohsim("status");
    size_t count = 0;
    for (size_t at = status.find("[3 0]"); at != std::string::npos;
         at = status.find("[3 0]", at + 1)) {
      ++count;
    }
    return count;
  };
  ASSERT_TRUE(e2e::WaitUntil([&] { return reports() >= 3; }, 5000)) << e2e::Mohsim("status");
  Line(std::string("call ") + kCaller);
  ASSERT_NE(nullptr, Dialog(kTitleIncoming)) << Report();
  EXPECT_EQ(2, initialisations()) << Report() << e2e::Mohsim("status");
  EXPECT_TRUE(parko_.Close()) << Report();
}

TEST_F(Call, ACallerIdWithALineBreakCannotWriteALineOfItsOwnInTheLog) {
  Start(kQuickLine, "[INSTALL_OPTIONS]\r\nSilentEnumeration=Yes\r\nModemType=1\r\nLogging=Yes\r\n");
  Line("online");
  Line("call Name :Erika\\x0D\\x0A12-7-2003 9:5:3 - MOH Request granted by server.");
  HWND offered = Dialog(kTitleIncoming);
  ASSERT_NE(nullptr, offered) << Report();
  // The dialog shows the text as the line sent it.
  EXPECT_EQ("Name :Erika\r\n12-7-2003 9:5:3 - MOH Request granted by server.",
            e2e::Text(e2e::Control(offered, 1019)));
  EXPECT_TRUE(parko_.Close()) << Report();
  const std::vector<std::string> log = e2e::Lines(install_->ReadFile("parko.log"));
  const auto escaped = std::find_if(log.begin(), log.end(), [](const std::string& line) {
    return line.find(" - Name :Erika\\x0D\\x0A12-7-2003 9:5:3 - MOH Request granted") !=
           std::string::npos;
  });
  EXPECT_NE(log.end(), escaped) << install_->ReadFile("parko.log");
  for (const std::string& line : log) EXPECT_NE(0u, line.rfind("12-7-2003", 0)) << line;
}

}  // namespace
