// The call dialog's decisions: the layout and texts of every mode, the buttons' conditions,
// the close request, and the countdown tick with its warning and timeout.
#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "Fakes.h"
#include "ProgramRoads.h"
#include "RecordingPlayer.h"
#include "base/Messages.h"
#include "base/OpenWindows.h"
#include "call/CallDlgLogic.h"
#include "call/CallEvents.h"
#include "call/CallState.h"
#include "call/HoldTimer.h"
#include "fw/Placement.h"
#include "moh/MohSettings.h"
#include "res/resource.h"

namespace {

using Effects = std::vector<std::string>;

class RecordingDialog : public ICallDialogWindow {
 public:
  std::map<int, std::string> texts;
  std::map<int, Presence> presence;
  std::string caption;
  Effects effects;

  std::string LoadText(unsigned id) override { return RecordingPlayer::Text(id); }
  void SetItemText(int id, const std::string& text) override { texts[id] = text; }
  void RefreshItem(int id, const std::string& text) override {
    texts[id] = text;
    effects.push_back("Refresh " + std::to_string(id));
  }
  std::string ItemText(int id) override { return texts[id]; }
  void SetPresence(int id, Presence p) override { presence[id] = p; }
  void SetCaption(const std::string& text) override { caption = text; }
  void Place() override { effects.push_back("Place"); }
  void StartTick(unsigned ms) override { effects.push_back("Tick " + std::to_string(ms)); }
  void SetProgress(int low, int high, int step) override {
    effects.push_back("Progress " + std::to_string(low) + ".." + std::to_string(high) + "/" +
                      std::to_string(step));
  }
  void StepProgress() override { effects.push_back("StepIt"); }
  void Sound(const char* file, SoundMode mode) override {
    effects.push_back(file ? "Sound " + std::string(file) +
                                 (mode == SoundMode::Loop ? " loop" : " once")
                           : "Sound stop");
  }
  void StopAnswerTimer() override { effects.push_back("KillTimer TIMER_ANSWER"); }
  void ShowHangUpReminder() override {
    effects.push_back("HangUpReminder");
    if (whileReminderOpen) whileReminderOpen();
  }
  void Dismiss() override { effects.push_back("Dismiss"); }
  // What happens while the box is open: events arrive and may replace the dialog.
  std::function<void()> whileReminderOpen;
  void DeclareTimeout() override { effects.push_back("Declare 10"); }
};

std::string T(unsigned id) { return RecordingPlayer::Text(id); }

class CallDialog : public fake::LoggingTest {
 protected:
  void SetUp() override {
    fake::LoggingTest::SetUp();
    gWindows.gCallDlgOpen = 0;
    gWindows.gCallDlgTitle.clear();
    gSettings.gWarn = 1;
    gSettings.gWarnTimeMs = 30000;
    gCall.gCallerIdText = "Nummer :0301234567";
    gCall.gHoldRemainingMs = 100000;  // a hold that still runs
  }
  RecordingDialog Open(int state, int placing = 0) {
    gCall.gCallState = state;
    gCall.gPlacingCall = placing;
    RecordingDialog dialog;
    InitCallDialog(ProgramCallDialogRoad(), dialog);
    return dialog;
  }
};

TEST(CallDialogModes, EveryStateHasItsMode) {
  EXPECT_EQ(CallDlgMode::NoHold, ModeFor(6, 0));
  EXPECT_EQ(CallDlgMode::Incoming, ModeFor(7, 0));
  EXPECT_EQ(CallDlgMode::Placing, ModeFor(7, 1));
  EXPECT_EQ(CallDlgMode::OnHold, ModeFor(8, 0));
  EXPECT_EQ(CallDlgMode::OnHold, ModeFor(9, 1));
  EXPECT_EQ(CallDlgMode::TimedOut, ModeFor(10, 0));
  EXPECT_EQ(CallDlgMode::Reconnecting, ModeFor(15, 0));
  for (int state : {1, 2, 3, 4, 5, 11, 12, 13, 14, 16, 17}) {
    EXPECT_EQ(CallDlgMode::StatusOnly, ModeFor(state, 1)) << state;
  }
}

TEST(CallDialogModes, TheFirstDialogIsCentredWithEachHalvingTruncated) {
  const Origin origin = CentredOrigin(1024, 768, 379, 173);
  EXPECT_EQ(512 - 189, origin.x);
  EXPECT_EQ(384 - 86, origin.y);
  const Origin odd = CentredOrigin(1023, 767, 100, 50);
  EXPECT_EQ(511 - 50, odd.x);
  EXPECT_EQ(383 - 25, odd.y);
}

// A 1024 x 768 screen with a 28-pixel task bar at the bottom.
TEST(WindowPlacement, AWindowIsMovedIntoTheWorkAreaAndATallOneKeepsItsButtonsInside) {
  const Area work{0, 0, 1024, 740};
  struct Case {
    const char* what;
    int x, y, width, height;
    int wantX, wantY;
  } cases[] = {
      {"inside: stays", 100, 100, 400, 500, 100, 100},
      {"past the bottom", 100, 300, 400, 500, 100, 240},
      {"past the right and above the top", 800, -20, 400, 500, 624, 0},
      {"left of the screen", -50, 10, 400, 500, 0, 10},
      {"taller than the area: bottom edge inside", 200, 0, 547, 847, 200, -107},
      {"wider than the area: left edge inside", 300, 10, 1100, 300, 0, 10},
  };
  for (const Case& c : cases) {
    const Origin origin = KeptInArea(work, c.x, c.y, c.width, c.height);
    EXPECT_EQ(c.wantX, origin.x) << c.what;
    EXPECT_EQ(c.wantY, origin.y) << c.what;
  }
}

TEST(CallDialogModes, LayoutOfEveryMode) {
  // Rows: 1, 1035, 2, 3, 1036, 1017, 1018, 1051, 1019, 1058. S shown, D greyed, H hidden.
  const std::map<CallDlgMode, std::string> expected = {
      {CallDlgMode::Incoming, "SSHHHSHHSH"},  {CallDlgMode::Placing, "HHSHHHHHHH"},
      {CallDlgMode::OnHold, "HHHHSHSSHH"},    {CallDlgMode::NoHold, "HHHSHHHHSH"},
      {CallDlgMode::TimedOut, "DDHHSSSHSH"},  {CallDlgMode::Reconnecting, "HHHHHHHHHS"},
      {CallDlgMode::StatusOnly, "DDHHHHHHSH"}};
  const int ids[] = {1, 1035, 2, 3, 1036, 1017, 1018, 1051, 1019, 1058};
  for (const auto& [mode, letters] : expected) {
    const std::vector<ControlPresence> layout = LayoutFor(mode);
    ASSERT_EQ(10u, layout.size());
    for (size_t i = 0; i < 10; ++i) {
      EXPECT_EQ(ids[i], layout[i].id);
      const char letter = layout[i].presence == Presence::Shown      ? 'S'
                          : layout[i].presence == Presence::Disabled ? 'D'
                                                                     : 'H';
      EXPECT_EQ(letters[i], letter) << "mode " << static_cast<int>(mode) << " control " << ids[i];
    }
  }
}

TEST_F(CallDialog, IncomingCallRingsShowsTheCallerAndTheAnswerCountdown) {
  gCall.gAnswerText = "00:14";
  RecordingDialog dialog = Open(7);
  EXPECT_EQ(T(IDS_TITLE_INCOMING), dialog.caption);
  EXPECT_EQ(T(IDS_TITLE_INCOMING), gWindows.gCallDlgTitle);
  EXPECT_EQ(T(IDS_CALL_OFFERED), dialog.texts[IDC_BODY_TEXT]);
  EXPECT_EQ("00:14", dialog.texts[IDC_ANSWER_TIME]);
  EXPECT_EQ("Nummer :0301234567", dialog.texts[IDC_INFO_LINE]);
  EXPECT_EQ(T(IDS_ANSWER_CALL), dialog.texts[1]);
  EXPECT_EQ(T(IDS_IGNORE_CALL), dialog.texts[IDC_IGNORE_CALL]);
  EXPECT_EQ(T(IDS_RESTORE_DATA), dialog.texts[IDC_RESTORE_DATA]);
  EXPECT_EQ(T(IDS_PLACE_CALL), dialog.texts[2]);
  EXPECT_EQ(T(IDS_DROP_DATA), dialog.texts[3]);
  EXPECT_EQ((Effects{"Place", "Refresh 1017", "Refresh 1019", "Sound ring.wav loop", "Tick 100",
                     "Refresh 1017"}),
            dialog.effects);
  EXPECT_EQ(T(IDS_CALL_OFFERED), gCall.gStatusText);
  EXPECT_EQ(1, gWindows.gCallDlgOpen);

  gSettings.MuteRingTone = 1;
  RecordingDialog silent = Open(7);
  EXPECT_EQ(std::count(silent.effects.begin(), silent.effects.end(), "Sound ring.wav loop"), 0);
}

TEST_F(CallDialog, PlacingACallPromptsAndTheOnHoldDialogRepeatsItsCaption) {
  gCall.gStatusText = "as the event left it";
  RecordingDialog placing = Open(7, 1);
  EXPECT_EQ(T(IDS_TITLE_PLACING), placing.caption);
  EXPECT_EQ("as the event left it", placing.texts[IDC_BODY_TEXT]);
  EXPECT_EQ(T(IDS_PLACE_CALL_PROMPT), gCall.gStatusText);
  CallDialogShown(ProgramCallDialogRoad(), placing);
  EXPECT_EQ(T(IDS_PLACE_CALL_PROMPT), placing.texts[IDC_BODY_TEXT]);

  gCall.gHoldDurationMs = 120000;
  gCall.gHoldText = "00:01:55";
  RecordingDialog held = Open(8);
  EXPECT_EQ(T(IDS_TITLE_PLACING), held.caption);
  EXPECT_EQ(T(IDS_HOLD_SENTENCE_HEAD) + "  2 " + T(IDS_HOLD_MINUTES_TAIL),
            held.texts[IDC_BODY_TEXT]);
  EXPECT_EQ("00:01:55", held.texts[IDC_HOLD_TIME]);
  CallDialogShown(ProgramCallDialogRoad(), held);  // the body keeps the hold sentence
  EXPECT_EQ(T(IDS_HOLD_SENTENCE_HEAD) + "  2 " + T(IDS_HOLD_MINUTES_TAIL),
            held.texts[IDC_BODY_TEXT]);
}

TEST_F(CallDialog, OnHoldWithoutAnEarlierOfferHasAnEmptyCaptionAndNoTimerInState9) {
  RecordingDialog held = Open(9);
  EXPECT_EQ("", held.caption);
  EXPECT_EQ(0, std::count(held.effects.begin(), held.effects.end(), "Tick 100"));
  EXPECT_EQ(T(IDS_TIMEOUT_IN), gCall.gStatusText);
}

TEST_F(CallDialog, HoldSentenceOfEveryDuration) {
  RecordingDialog dialog;
  const std::string head = T(IDS_HOLD_SENTENCE_HEAD);
  const std::string tail = T(IDS_HOLD_MINUTES_TAIL);
  EXPECT_EQ(head + tail, HoldSentence(dialog, 0));
  EXPECT_EQ(head + "  0 " + tail, HoldSentence(dialog, 59999));
  EXPECT_EQ(head + "  2 " + tail, HoldSentence(dialog, 120000));
  EXPECT_EQ(head + " 35791 " + tail, HoldSentence(dialog, 2147483647));
}

TEST_F(CallDialog, StatusModesShowTheTextWhenShownAndReconnectingCycles) {
  gCall.gStatusText = "<status>";
  RecordingDialog error = Open(13);
  EXPECT_EQ(T(IDS_CALL_DLG_CAPTION), error.caption);
  EXPECT_EQ("", error.texts[IDC_BODY_TEXT]);
  CallDialogShown(ProgramCallDialogRoad(), error);
  EXPECT_EQ("<status>", error.texts[IDC_BODY_TEXT]);

  RecordingDialog noHold = Open(6, 1);
  CallDialogShown(ProgramCallDialogRoad(), noHold);
  EXPECT_EQ(T(IDS_MOH_DENIED), noHold.texts[IDC_BODY_TEXT]);

  gCall.gStatusText = T(IDS_RECONNECTING);
  RecordingDialog reconnecting = Open(15);
  EXPECT_EQ(T(IDS_TITLE_RECONNECTING), reconnecting.caption);
  EXPECT_EQ(T(IDS_RECONNECTING), reconnecting.texts[IDC_BODY_TEXT]);
  EXPECT_EQ((Effects{"Place", "Progress 0..30/1", "Tick 1000", "StepIt"}), reconnecting.effects);
  CallDialogTick(ProgramCallDialogRoad(), reconnecting);
  EXPECT_EQ("StepIt", reconnecting.effects.back());
}

TEST_F(CallDialog, TimedOutModeKeepsTheTemplateCountersAndStartsNoTimer) {
  RecordingDialog dialog = Open(10);
  EXPECT_EQ((Effects{"Place"}), dialog.effects);
  EXPECT_EQ(0u, dialog.texts.count(IDC_HOLD_TIME));
  EXPECT_EQ(T(IDS_TIMEOUT), gCall.gStatusText);
}

TEST_F(CallDialog, ButtonsActOnlyInTheirStatesButAlwaysTidyUp) {
  struct Case {
    void (*button)(const CallDialogRoad&, ICallDialogWindow&);
    int state, voice;
    const char* command;  // null: none sent
    Effects effects;
    int voiceAfter;
  };
  const Case cases[] = {
      {OnAnswerCall, 7, 0, "command=1", {"Sound stop", "KillTimer TIMER_ANSWER"}, 1},
      {OnAnswerCall, 7, 1, "command=1", {"Sound stop", "KillTimer TIMER_ANSWER"}, 1},
      {OnAnswerCall, 9, 0, "command=1", {"Sound stop", "KillTimer TIMER_ANSWER"}, 1},
      {OnAnswerCall, 9, 1, nullptr, {"Sound stop", "KillTimer TIMER_ANSWER"}, 1},
      {OnAnswerCall, 8, 0, nullptr, {"Sound stop", "KillTimer TIMER_ANSWER"}, 1},
      {OnIgnoreCall, 7, 0, "command=2", {"Sound stop", "KillTimer TIMER_ANSWER"}, 0},
      {OnIgnoreCall, 7, 1, nullptr, {"Sound stop", "KillTimer TIMER_ANSWER"}, 0},
      {OnIgnoreCall, 9, 0, "command=2", {"Sound stop", "KillTimer TIMER_ANSWER"}, 0},
      {OnIgnoreCall, 8, 0, nullptr, {"Sound stop", "KillTimer TIMER_ANSWER"}, 0},
      {OnRestoreData, 8, 1, "command=3", {"HangUpReminder", "KillTimer TIMER_ANSWER"}, 0},
      {OnRestoreData, 9, 1, "command=3", {"HangUpReminder", "KillTimer TIMER_ANSWER"}, 0},
      {OnRestoreData, 8, 0, nullptr, {"KillTimer TIMER_ANSWER"}, 0},
      {OnRestoreData, 10, 1, nullptr, {"KillTimer TIMER_ANSWER"}, 0},
      {OnPlaceCallButton, 7, 1, "command=1", {"KillTimer TIMER_ANSWER"}, 1},
      {OnPlaceCallButton, 9, 1, nullptr, {"KillTimer TIMER_ANSWER"}, 1},
      {OnPlaceCallButton, 15, 0, nullptr, {"KillTimer TIMER_ANSWER"}, 1},
      {OnDropData, 6, 0, "command=7", {"KillTimer TIMER_ANSWER"}, 0},
      {OnDropData, 7, 0, nullptr, {"KillTimer TIMER_ANSWER"}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "state " << c.state << " voice " << c.voice);
    fake::TheLibrary().calls.clear();
    gCall.gCallState = c.state;
    gCall.gVoiceActive = c.voice;
    RecordingDialog dialog;
    c.button(ProgramCallDialogRoad(), dialog);
    const std::vector<std::string> calls = LibraryCalls();
    if (c.command) {
      ASSERT_EQ(1u, calls.size());
      EXPECT_EQ(std::string("MohCommand(handle=0, ") + c.command + ")", calls[0]);
    } else {
      EXPECT_TRUE(calls.empty());
    }
    EXPECT_EQ(c.effects, dialog.effects);
    EXPECT_EQ(c.voiceAfter, gCall.gVoiceActive);
  }
}

// Once the answer window has run out and sent DECLINE, taking the call would send the
// opposite: the buttons that take it do nothing until the library reports again.
TEST_F(CallDialog, AfterTheAnswerWindowDeclinedTheButtonsThatTakeTheCallDoNothing) {
  for (void (*button)(const CallDialogRoad&, ICallDialogWindow&) :
       {OnAnswerCall, OnPlaceCallButton}) {
    SetUp();
    gSettings.gMohModemType = NUVIA;
    gSettings.gEnableMOH = 1;
    RecordingPlayer player;
    HandleMohEvent(ProgramCallRoad(player), MOH_GRANTED, 5);
    LibraryCalls();
    HandleTimer(ProgramCallRoad(player), TIMER_ANSWER);
    EXPECT_EQ(Effects{"MohCommand(handle=0, command=2)"}, LibraryCalls());
    RecordingDialog dialog;
    button(ProgramCallDialogRoad(), dialog);
    EXPECT_EQ(Effects{}, LibraryCalls());
    EXPECT_EQ(0, gCall.gVoiceActive);

    HandleMohEvent(ProgramCallRoad(player), MOH_GRANTED, 5);  // the line offers the call again
    button(ProgramCallDialogRoad(), dialog);
    EXPECT_EQ(Effects{"MohCommand(handle=0, command=1)"}, LibraryCalls());
  }
}

TEST_F(CallDialog, ButtonsLogWhatTheyDo) {
  RecordingDialog dialog;
  gCall.gCallState = CALLSTATE_GRANTED;
  OnAnswerCall(ProgramCallDialogRoad(), dialog);
  OnAnswerCall(ProgramCallDialogRoad(), dialog);  // twice: sent and logged twice
  OnIgnoreCall(ProgramCallDialogRoad(), dialog);  // after answering: nothing sent, nothing logged
  gCall.gCallState = CALLSTATE_DENIED;
  OnDropData(ProgramCallDialogRoad(), dialog);
  gCall.gCallState = CALLSTATE_GRANTED;
  OnPlaceCallButton(ProgramCallDialogRoad(), dialog);
  gCall.gCallState = CALLSTATE_SWITCH_TO_VOICE;
  gCall.gVoiceActive = 1;
  OnRestoreData(ProgramCallDialogRoad(), dialog);
  gCall.gCallState = CALLSTATE_GRANTED;
  gCall.gVoiceActive = 0;
  OnIgnoreCall(ProgramCallDialogRoad(), dialog);
  EXPECT_EQ((std::vector<std::string>{
                "Answering incoming voice call.", "Answering incoming voice call.",
                "Disconnecting data call to answer incoming voice call.",
                "Switching to Outgoing voice call.", "Ending voice call, switching back to data.",
                "Ignoring incoming voice call."}),
            log_.Texts());
}

TEST_F(CallDialog, ClosingCancelsOnlyAnOutgoingCallBeingPlaced) {
  RecordingDialog dialog;
  for (auto [state, placing] : {std::make_pair(7, 0), std::make_pair(8, 1), std::make_pair(9, 0)}) {
    gCall.gCallState = state;
    gCall.gPlacingCall = placing;
    OnCloseCallDialog(ProgramCallDialogRoad(), dialog, ModeFor(state, placing));
    EXPECT_EQ(state, gCall.gCallState);
  }
  EXPECT_TRUE(dialog.effects.empty());
  EXPECT_TRUE(LibraryCalls().empty());

  gCall.gCallState = CALLSTATE_GRANTED;
  gCall.gPlacingCall = 1;
  OnCloseCallDialog(ProgramCallDialogRoad(), dialog, CallDlgMode::Placing);
  EXPECT_EQ(CALLSTATE_SESSION_TERMINATED, gCall.gCallState);
  EXPECT_EQ(0, gCall.gPlacingCall);
  EXPECT_EQ((Effects{"KillTimer TIMER_ANSWER", "Sound stop"}), dialog.effects);
  EXPECT_EQ((std::vector<std::string>{"MohCommand(handle=0, command=2)"}), LibraryCalls());
  EXPECT_EQ("UserCancelled PlaceCall, Going back to Data", log_.Texts().back());
  dialog.effects.clear();
  OnCloseCallDialog(ProgramCallDialogRoad(), dialog,
                    CallDlgMode::Placing);  // once only; the layout stays
  EXPECT_TRUE(LibraryCalls().empty());
  EXPECT_TRUE(dialog.effects.empty());
}

TEST_F(CallDialog, CloseAndEscCloseOnlyTheModesWithNothingLeftToDo) {
  const std::pair<int, bool> kStates[] = {{1, true},  {2, true},  {6, true},  {7, false},
                                          {8, false}, {9, false}, {10, true}, {11, true},
                                          {13, true}, {14, true}, {15, true}, {16, true}};
  for (auto [state, closes] : kStates) {
    for (bool escape : {false, true}) {
      SCOPED_TRACE(testing::Message() << "state " << state << (escape ? " Esc" : " close"));
      gCall.gCallState = state;
      gCall.gPlacingCall = 0;
      gCall.gVoiceActive = state == 8 || state == 9;
      RecordingDialog dialog;
      const CallDlgMode mode = ModeFor(state, 0);
      if (escape) {
        OnEscapeCallDialog(dialog, mode);
      } else {
        OnCloseCallDialog(ProgramCallDialogRoad(), dialog, mode);
      }
      EXPECT_EQ(closes ? Effects{"Dismiss"} : Effects{}, dialog.effects);
      EXPECT_EQ(state, gCall.gCallState);
      EXPECT_TRUE(LibraryCalls().empty());
    }
  }
  // Esc while placing neither places nor cancels the call.
  gCall.gCallState = CALLSTATE_GRANTED;
  gCall.gPlacingCall = 1;
  RecordingDialog placing;
  OnEscapeCallDialog(placing, CallDlgMode::Placing);
  EXPECT_TRUE(placing.effects.empty());
  EXPECT_EQ(1, gCall.gPlacingCall);
  EXPECT_TRUE(LibraryCalls().empty());
}

// The restore the user asked for is sent while the call is still on hold after the reminder,
// whichever dialog shows by then (the library's warning replaces the one the box belonged to),
// and not once the hold has ended. Either way the answer timer stops and the voice flag drops.
TEST_F(CallDialog, RestoreIsSentWhileTheCallIsStillOnHoldAfterTheReminder) {
  struct Case {
    const char* what;
    std::function<void()> meanwhile;
    bool sends;
    int stateAfter;
  };
  const Case cases[] = {
      {"read and dismissed", nullptr, true, 8},
      {"warning meanwhile, dialog replaced", [] { gCall.gCallState = 9; }, true, 9},
      {"hold ran out", [] { gCall.gCallState = 10; }, false, 10},
      {"data resumed", [] { gCall.gCallState = 12, gCall.gVoiceActive = 0; }, false, 12},
      {"provider timed out", [] { gCall.gCallState = 16, gCall.gVoiceActive = 0; }, false, 16},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    gCall.gCallState = CALLSTATE_SWITCH_TO_VOICE;
    gCall.gVoiceActive = 1;
    RecordingDialog dialog;
    dialog.whileReminderOpen = c.meanwhile;
    OnRestoreData(ProgramCallDialogRoad(), dialog);
    EXPECT_EQ(c.stateAfter, gCall.gCallState);
    EXPECT_EQ(c.sends ? Effects{"MohCommand(handle=0, command=3)"} : Effects{}, LibraryCalls());
    EXPECT_EQ(c.sends ? Effects{"Ending voice call, switching back to data."} : Effects{},
              log_.Texts());
    log_.lines.clear();
    EXPECT_EQ((Effects{"HangUpReminder", "KillTimer TIMER_ANSWER"}), dialog.effects);
    EXPECT_EQ(0, gCall.gVoiceActive);
  }
}

TEST_F(CallDialog, TickWritesTheWarningOnceAtTheThresholdInclusive) {
  RecordingDialog dialog;
  gCall.gCallState = CALLSTATE_SWITCH_TO_VOICE;
  gCall.gHoldText = "00:00:31";
  gCall.gHoldRemainingMs = 30001;
  CallDialogTick(ProgramCallDialogRoad(), dialog);
  EXPECT_EQ((Effects{"Refresh 1018"}), dialog.effects);

  gCall.gHoldRemainingMs = 30000;
  CallDialogTick(ProgramCallDialogRoad(), dialog);
  const std::string notice = T(IDS_TIMEOUT_IN) + "  30 " + T(IDS_SECONDS);
  EXPECT_EQ(notice, dialog.texts[IDC_INFO_LINE]);
  dialog.effects.clear();
  gCall.gHoldRemainingMs = 29000;
  CallDialogTick(ProgramCallDialogRoad(), dialog);
  EXPECT_EQ((Effects{"Refresh 1018"}), dialog.effects);  // the same notice is not rewritten

  gSettings.gWarn = 0;
  dialog.texts[IDC_INFO_LINE] = "";
  CallDialogTick(ProgramCallDialogRoad(), dialog);
  EXPECT_EQ("", dialog.texts[IDC_INFO_LINE]);
}

TEST_F(CallDialog, TickDeclaresTheTimeoutWhenTheHoldIsUsedUp) {
  RecordingDialog dialog;
  gCall.gCallState = CALLSTATE_GRANTED;
  gCall.gHoldRemainingMs = 0;
  CallDialogTick(ProgramCallDialogRoad(), dialog);
  EXPECT_EQ(CALLSTATE_TIMEOUT, gCall.gCallState);
  EXPECT_EQ(T(IDS_TIMEOUT), dialog.texts[IDC_INFO_LINE]);
  EXPECT_EQ((Effects{"Refresh 1019", "Declare 10", "Refresh 1018"}), dialog.effects);

  RecordingDialog answering;
  gCall.gCallState = CALLSTATE_GRANTED;
  gCall.gHoldRemainingMs = 5000;
  gCall.gAnswerText = "00:09";
  CallDialogTick(ProgramCallDialogRoad(), answering);
  EXPECT_EQ((Effects{"Refresh 1017"}), answering.effects);
  EXPECT_EQ("00:09", answering.texts[IDC_ANSWER_TIME]);
}

TEST(SoundGate, PassesEverySoundAndAStopOnlyOnceSomethingPlayed) {
  SoundGate gate;
  EXPECT_FALSE(gate.Pass(nullptr));  // nothing can be playing yet
  EXPECT_TRUE(gate.Pass("ring.wav"));
  EXPECT_TRUE(gate.Pass(nullptr));
  EXPECT_TRUE(gate.Pass(nullptr));
}

}  // namespace
