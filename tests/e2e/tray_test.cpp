// The tray icon as the program's front door: its menu opened by a right click and driven by
// keyboard, and the call log it opens, with the callers of the simulated line.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>

#include "CallCase.h"
#include "Driver.h"

namespace {

const char* const kCallers[] = {
    "Datum :05.12. Uhrzeit :18:30 Nummer :0407654321 Name :Max Mustermann",
    "Datum :06.12. Uhrzeit :12:00 0891111 Name :Anna",  // no number label
    "Datum :07.12. Uhrzeit :09:05 Nummer :0301234567 Name :Erika Mustermann-Schulz",
    "Datum :08.12. Uhrzeit :07:45 Nummer :0221999",  // no name label
};
const char* const kLines[] = {
    "05.12.\t18:30 \t0407654321\tMax Mustermann",
    "06.12.\t12:00 \tDatum :06.12. Uhrzeit :12:00 0891111 \tAnna",
    "07.12.\t09:05 \t0301234567\tErika Mustermann",
    "08.12.\t07:45 \t0221999\t",
};

class TrayCommand : public Call {
 protected:
  // The line without a provider that answers by itself.
  void StartOnline() {
    Start();
    Line("auto off");
    Line("online");
  }
  // A call with caller ID, once Parko has fetched its text.
  void CallFrom(const char* caller) {
    const size_t before = Fetches();
    Line(std::string("call ") + caller);
    ASSERT_TRUE(e2e::WaitUntil([&] { return Fetches() > before; }, 5000)) << Report();
  }
  size_t Fetches() const {
    size_t count = 0;
    for (const std::string& line : e2e::Lines(install_->ReadFile("mohsim.journal"))) {
      if (line.rfind("MohGetParam(handle=0, id=7", 0) == 0) ++count;
    }
    return count;
  }
  HWND CallLog(HWND previous = nullptr) { return Dialog("Rufprotokoll", previous, 5000); }
  std::vector<std::string> LogLines(HWND log) { return e2e::ListLines(e2e::Control(log, 1034)); }
  bool Gone(HWND window) {
    return e2e::WaitUntil([&] { return !IsWindow(window); }, 5000);
  }
};

TEST_F(TrayCommand, TheCallLogListsTheCallersNewestFirstAndShowsANewOneWhileOpen) {
  StartOnline();
  for (int i = 0; i < 3; ++i) CallFrom(kCallers[i]);
  Choose(kCallLog);
  HWND log = CallLog();
  ASSERT_NE(nullptr, log) << Report();
  EXPECT_EQ((std::vector<std::string>{kLines[2], kLines[1], kLines[0]}), LogLines(log));

  // A fourth caller while it is open: a new log in its place shows him at the top.
  RECT before;
  GetWindowRect(log, &before);
  CallFrom(kCallers[3]);
  ASSERT_TRUE(Gone(log)) << Report();
  HWND renewed = CallLog(log);
  ASSERT_NE(nullptr, renewed) << Report();
  EXPECT_EQ((std::vector<std::string>{kLines[3], kLines[2], kLines[1], kLines[0]}),
            LogLines(renewed));
  RECT after;
  GetWindowRect(renewed, &after);
  EXPECT_EQ(before.left, after.left);
  EXPECT_EQ(before.top, after.top);
}

TEST_F(TrayCommand, EnterEscAndAbbrechenEachCloseTheCallLogForGood) {
  StartOnline();
  CallFrom(kCallers[0]);
  struct Way {
    const char* what;
    UINT key;  // 0: the button
  };
  for (const Way& way : {Way{"Enter", VK_RETURN}, Way{"Esc", VK_ESCAPE}, Way{"Abbrechen", 0}}) {
    SCOPED_TRACE(way.what);
    Choose(kCallLog);
    HWND log = CallLog();
    ASSERT_NE(nullptr, log) << Report();
    if (way.key != 0) {
      HWND list = e2e::Control(log, 1034);
      PostMessageA(list, WM_KEYDOWN, way.key, 0);
      PostMessageA(list, WM_KEYUP, way.key, 0);
    } else {
      PostMessageA(e2e::Control(log, IDCANCEL), BM_CLICK, 0, 0);
    }
    EXPECT_TRUE(Gone(log)) << Report();
  }
  // Closed each time, not hidden: the next opening is a fresh log.
  Choose(kCallLog);
  EXPECT_NE(nullptr, CallLog()) << Report();
  EXPECT_TRUE(parko_.Close()) << Report();
}

TEST_F(TrayCommand, PlacingACallWhileOnlineAsksTheLibraryAndPromptsOnceGranted) {
  StartOnline();
  Choose(kPlaceCall);
  ASSERT_TRUE(e2e::WaitUntil([&] { return CommandSent(8); }, 5000)) << Report();
  Line("grant 5");
  HWND placing = Dialog("T\xE4tigen eines Anrufs");
  ASSERT_NE(nullptr, placing) << Report();
  EXPECT_EQ(0u, e2e::Text(e2e::Control(placing, 1020)).find("Um einen Anruf zu t\xE4tigen"));
  EXPECT_TRUE(e2e::IsVisible(e2e::Control(placing, IDCANCEL)));
}

TEST_F(TrayCommand, DisablingAsksFirstNoKeepsParkoAndYesClosesTheLibraryAndEndsIt) {
  StartOnline();
  Choose(kDisable);
  HWND box = e2e::WaitForMessageBox(parko_);
  ASSERT_NE(nullptr, box) << Report();
  EXPECT_EQ(
      "M\xF6"
      "chten Sie MoH jetzt beenden?",
      e2e::MessageBoxText(box));
  EXPECT_EQ(" ", e2e::Text(box));
  ASSERT_TRUE(e2e::DismissMessageBox(box, IDNO)) << Report();
  EXPECT_FALSE(parko_.WaitForExit(500));
  EXPECT_FALSE(CommandSent(5));

  Choose(kDisable);
  box = e2e::WaitForMessageBox(parko_);
  ASSERT_NE(nullptr, box) << Report();
  ASSERT_TRUE(e2e::DismissMessageBox(box, IDYES)) << Report();
  ASSERT_TRUE(parko_.WaitForExit(5000)) << Report();
  EXPECT_EQ(0u, parko_.ExitCode());
  EXPECT_TRUE(CommandSent(5));
}

// The About box shows its logo as a static without an id, as a message box shows its text: the
// question that follows it must be told apart from it, and Parko must end after "Ja".
TEST_F(TrayCommand, AboutThenEndFromTheMenuEndsParko) {
  StartOnline();
  Choose(kInfo);
  HWND about = parko_.WaitForWindow("#32770", "", 5000);
  ASSERT_NE(nullptr, about) << Report();
  EXPECT_FALSE(e2e::IsMessageBox(about));
  PostMessageA(e2e::Control(about, IDOK), BM_CLICK, 0, 0);
  ASSERT_TRUE(Gone(about)) << Report();

  Choose(kDisable);
  HWND box = e2e::WaitForMessageBox(parko_);
  ASSERT_NE(nullptr, box) << Report();
  ASSERT_TRUE(e2e::DismissMessageBox(box, IDYES)) << Report();
  const DWORD asked = GetTickCount();
  ASSERT_TRUE(parko_.WaitForExit(30000)) << Report();
  EXPECT_EQ(0u, parko_.ExitCode());
  std::printf("Parko ended %lu ms after \"Ja\"\n", GetTickCount() - asked);
}

// Each of these runs in a nested loop of a handler of the player window, or is owned by it.
class EndWhileOpen : public TrayCommand, public testing::WithParamInterface<const char*> {};

TEST_P(EndWhileOpen, ParkoEndsCleanly) {
  const std::string which = GetParam();
  if (which == "SettingsSheet") {
    Start();  // offline: a TELKA modem is set up only then
    e2e::DoubleClickTrayIcon(main_);
    ASSERT_NE(nullptr, e2e::WaitForSettingsSheet(parko_)) << Report();
  } else if (which == "EndQuestion") {
    StartOnline();
    Choose(kDisable);
    ASSERT_NE(nullptr, e2e::WaitForMessageBox(parko_)) << Report();
  } else {
    StartOnline();
    Choose(kCallLog);
    ASSERT_NE(nullptr, CallLog()) << Report();
  }
  EXPECT_TRUE(parko_.Close()) << Report();
}

INSTANTIATE_TEST_SUITE_P(TrayCommand, EndWhileOpen,
                         testing::Values("SettingsSheet", "EndQuestion", "CallLog"));

}  // namespace
