// The tray menu's commands: placing a call per family and state, ending modem-on-hold, the
// settings' refusal while a TELKA modem is online, and re-opening the call dialog.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "Fakes.h"
#include "ProgramRoads.h"
#include "RecordingPlayer.h"
#include "base/OpenWindows.h"
#include "call/CallDlgLogic.h"
#include "call/CallEvents.h"
#include "call/CallState.h"
#include "moh/MohSettings.h"
#include "res/resource.h"
#include "tray/TrayCommands.h"

namespace {

using Effects = std::vector<std::string>;
const char* const kOriginate = "MohCommand(handle=0, command=8)";
const char* const kClose = "MohCommand(handle=0, command=5)";
const char* const kOriginating = "Originating MOH to place outgoing voice call.";

class RecordingCommandWindow : public ITrayCommandWindow {
 public:
  Effects effects;
  bool yes = true;
  bool sheetConfirmed = false;

  bool AskYesNo(unsigned id) override {
    effects.push_back("Ask " + RecordingPlayer::Text(id));
    if (whileAsking) whileAsking();
    return yes;
  }
  std::function<void()> whileAsking;  // what happens while the box is open
  void ShowMessage(unsigned id) override {
    effects.push_back("Message " + RecordingPlayer::Text(id));
  }
  void PostClose() override { effects.push_back("PostClose"); }
  void CloseCallDialog() override {
    effects.push_back("CloseDialog");
    // What the old dialog's clean-up may do to the shared state.
    gCall.gStatusText = "changed";
    gCall.gCallState = CALLSTATE_MODEM_IDLE;
  }
  bool RunSettingsSheet() override {
    effects.push_back("Sheet");
    EXPECT_TRUE(gWindows.gSettingsSheetOpen);
    return sheetConfirmed;
  }
  void ShowAbout() override {
    effects.push_back("About");
    if (whileAbout) {
      const auto again = whileAbout;
      whileAbout = nullptr;
      again();
    }
  }
  std::function<void()> whileAbout;  // what happens while the box is open
  void RaiseCallDialogBox() override { effects.push_back("Raise box"); }
  void ReopenCallDialog() override {
    effects.push_back("Reopen " + std::to_string(gCall.gCallState) + " " + gCall.gStatusText);
  }
};

class TrayCommands : public fake::LoggingTest {
 protected:
  void PlaceCallAt(uint32_t nowMs) {
    player_.now = nowMs;
    OnPlaceCall(ProgramCallRoad(player_));
  }
  RecordingCommandWindow window_;
  RecordingPlayer player_;
};

TEST_F(TrayCommands, PlacingACallAsksTheLibraryOnlyWhereTheFamilyAllowsIt) {
  struct Case {
    int family;
    int state;
    int originateResult;
    bool asks;
    int placingAfter;
  };
  const Case cases[] = {
      {TELKA, CALLSTATE_MODEM_ACTIVE, 1, true, 1},
      {TELKA, CALLSTATE_MODEM_ACTIVE, 0, true, 1},  // the result is not looked at
      {TELKA, CALLSTATE_MODEM_IDLE, 1, false, 0},
      {TELKA, CALLSTATE_SWITCH_TO_VOICE, 1, false, 0},
      {BORIN, CALLSTATE_MODEM_ACTIVE, 1, true, 1},
      {BORIN, CALLSTATE_GRANTED, 1, false, 0},
      {NUVIA, CALLSTATE_MODEM_IDLE, 1, true, 1},
      {NUVIA, CALLSTATE_GRANTED, 0, true, 0},  // refused: nothing is being placed
      {0, CALLSTATE_MODEM_ACTIVE, 1, false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "family " << c.family << " state " << c.state << " result "
                                    << c.originateResult);
    SetUp();
    gSettings.gMohModemType = c.family;
    gCall.gCallState = c.state;
    gCall.gCallerIdText = "Datum :07.12.";
    fake::TheLibrary().originateResult = c.originateResult;
    PlaceCallAt(1000);
    EXPECT_EQ("", gCall.gCallerIdText);
    EXPECT_EQ(c.placingAfter, gCall.gPlacingCall);
    EXPECT_EQ(c.asks ? Effects{kOriginate} : Effects{}, LibraryCalls());
    EXPECT_EQ(c.asks ? Effects{kOriginating} : Effects{}, log_.Texts());
  }
}

// While the library has not answered a request, choosing "Anruf tätigen" again asks nothing;
// its answer, whatever it is, allows the next one, and so does the end of the family's answer
// window without one. A refused request is no pending one.
TEST_F(TrayCommands, OnePlaceCallRequestUntilTheLibraryAnswersItOrTheAnswerWindowEnds) {
  for (int family : {TELKA, BORIN, NUVIA}) {
    SCOPED_TRACE(family);
    SetUp();
    gSettings.gMohModemType = family;
    gCall.gCallState = CALLSTATE_MODEM_ACTIVE;
    for (uint32_t at : {1000u, 1001u, 2000u}) PlaceCallAt(at);
    EXPECT_EQ(Effects{kOriginate}, LibraryCalls());
    EXPECT_EQ(Effects{kOriginating}, log_.Texts());

    RecordingPlayer player;
    HandleMohEvent(ProgramCallRoad(player), MOH_DENIED, 0);
    gCall.gCallState = CALLSTATE_MODEM_ACTIVE;
    PlaceCallAt(3000);
    EXPECT_EQ(Effects{kOriginate}, LibraryCalls());

    // No answer at all: the command is dead for the answer window, then asks again.
    const uint32_t window = family == TELKA ? 15000 : 60000;
    PlaceCallAt(3000 + window - 1);
    EXPECT_TRUE(LibraryCalls().empty());
    PlaceCallAt(3000 + window);
    EXPECT_EQ(Effects{kOriginate}, LibraryCalls());
  }
  // Across the tick count's wrap-around.
  SetUp();
  gSettings.gMohModemType = BORIN;
  gCall.gCallState = CALLSTATE_MODEM_ACTIVE;
  PlaceCallAt(0xFFFFF000u);
  PlaceCallAt(1000);
  EXPECT_EQ(Effects{kOriginate}, LibraryCalls());
  PlaceCallAt(0xFFFFF000u + 60000);
  EXPECT_EQ(Effects{kOriginate}, LibraryCalls());

  SetUp();
  gSettings.gMohModemType = NUVIA;
  fake::TheLibrary().originateResult = 0;
  PlaceCallAt(1000);
  PlaceCallAt(1001);
  EXPECT_EQ((Effects{kOriginate, kOriginate}), LibraryCalls());
}

// "Info" while its box is open (a second command reaches the box's message loop) shows none.
TEST_F(TrayCommands, InfoShowsOneAboutBoxAtATime) {
  window_.whileAbout = [this] { OnInfo(ProgramCallRoad(player_), window_); };
  OnInfo(ProgramCallRoad(player_), window_);
  OnInfo(ProgramCallRoad(player_), window_);
  EXPECT_EQ((Effects{"About", "About"}), window_.effects);
}

TEST_F(TrayCommands, DisablingEndsTheProgramUnlessTheUserSaysNo) {
  for (const bool yes : {true, false}) {
    SCOPED_TRACE(yes);
    SetUp();
    window_ = RecordingCommandWindow{};
    window_.yes = yes;
    OnDisableMoh(ProgramCallRoad(player_), window_);
    const std::string ask = "Ask " + RecordingPlayer::Text(IDS_ASK_DISABLE_MOH);
    const Effects asked = yes ? Effects{ask, "PostClose"} : Effects{ask};
    EXPECT_EQ(asked, window_.effects);
    EXPECT_EQ(yes ? Effects{kClose} : Effects{}, LibraryCalls());
  }

  // Chosen again while its question is open: nothing is asked a second time.
  window_ = RecordingCommandWindow{};
  window_.whileAsking = [this] { OnDisableMoh(ProgramCallRoad(player_), window_); };
  OnDisableMoh(ProgramCallRoad(player_), window_);
  EXPECT_EQ(1, std::count(window_.effects.begin(), window_.effects.end(),
                          "Ask " + RecordingPlayer::Text(IDS_ASK_DISABLE_MOH)));
}

TEST_F(TrayCommands, SettingsAreRefusedWhileATelkaModemIsOnlineAndNeverShownTwice) {
  gSettings.gMohModemType = TELKA;
  gCall.gOnline = 1;
  OnSettings(ProgramCallRoad(player_), window_);
  EXPECT_EQ(Effects{"Message " + RecordingPlayer::Text(IDS_HANG_UP_BEFORE_SETTINGS)},
            window_.effects);
  EXPECT_EQ(0, gWindows.gSettingsSheetOpen);

  window_.effects.clear();
  gWindows.gSettingsSheetOpen = 1;  // a sheet is open
  OnSettings(ProgramCallRoad(player_), window_);
  EXPECT_EQ(Effects{}, window_.effects);

  // The other families are set up online too.
  for (int family : {BORIN, NUVIA, 7}) {
    window_ = RecordingCommandWindow{};
    gWindows.gSettingsSheetOpen = 0;
    gSettings.gMohModemType = family;
    OnSettings(ProgramCallRoad(player_), window_);
    EXPECT_EQ(Effects{"Sheet"}, window_.effects) << family;
  }
}

TEST_F(TrayCommands, AfterOkTheLibraryIsBoundAgainAndTheSettingsReadBack) {
  struct Case {
    int family;
    bool sheetConfirmed;
    int initResult;
    bool binds, loads;
    const char* message;
  };
  const Case cases[] = {
      {BORIN, true, 1, true, true, nullptr},
      {TELKA, true, 0, true, false, "Message <32874>"},
      {BORIN, true, 0, true, false, nullptr},
      {NUVIA, true, 0, true, false, "Message <32874>"},
      {7, true, 0, true, false, "Message <32874>"},  // every family but BORIN says so
      {NUVIA, false, 1, false, false, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.family << " " << c.sheetConfirmed << " " << c.initResult);
    SetUp();
    window_ = RecordingCommandWindow{};
    gSettings.gMohModemType = c.family;
    window_.sheetConfirmed = c.sheetConfirmed;
    fake::TheLibrary().initResult = c.initResult;
    OnSettings(ProgramCallRoad(player_), window_);
    Effects expected{"Sheet"};
    if (c.message) expected.push_back(c.message);
    EXPECT_EQ(expected, window_.effects);
    EXPECT_EQ(0, gWindows.gSettingsSheetOpen);
    const Effects calls = LibraryCalls();
    EXPECT_EQ(c.binds, !calls.empty() && calls.front().rfind("MohInitialize(", 0) == 0);
    EXPECT_EQ(c.loads, calls.size() > 1);
  }
}

TEST_F(TrayCommands, ReopeningTheCallDialogKeepsTheStateAndNeverDoublesADialog) {
  gWindows.gCallDlgOpen = 1;
  OnShowCallDlg(ProgramCallRoad(player_), window_);
  EXPECT_EQ(Effects{}, window_.effects);

  gWindows.gCallDlgOpen = 0;
  gCall.gCallState = CALLSTATE_GRANTED;
  gCall.gStatusText = "offered";
  OnShowCallDlg(ProgramCallRoad(player_), window_);
  EXPECT_EQ((Effects{"CloseDialog", "Reopen 7 offered"}), window_.effects);
}

}  // namespace
