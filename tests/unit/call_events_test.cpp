// The call state machine and the hold timer, road by road, with fake time: the globals after
// each event and the effects on the player window, the library and the log, in order.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

#include "Fakes.h"
#include "RecordingPlayer.h"
#include "app/InstallOptions.h"
#include "call/CallState.h"
#include "moh/ModemSelection.h"
#include "moh/MohSettings.h"
#include "tray/CallEvents.h"
#include "tray/HoldTimer.h"

namespace {

using Effects = std::vector<std::string>;

const char* const kCaller = "Datum :07.12. Uhrzeit :09:05 Nummer :0301234567 Name :Erika";

class CallRoad : public fake::LoggingTest {
 protected:
  void SetUp() override {
    fake::LoggingTest::SetUp();
    gEnableMOH = 1;
    gCallerID = 1;
    gWarn = 1;
    gWarnTimeMs = 30000;
    fake::TheLibrary().callerId = kCaller;
  }

  void Family(int family) { gMohModemType = family; }
  Effects Event(int event, int value = 0, int* result = nullptr) {
    const int r = HandleMohEvent(player_, event, value);
    if (result) *result = r;
    return player_.Take();
  }
  Effects Timer(unsigned id) {
    HandleTimer(player_, id);
    return player_.Take();
  }
  // A second passes and the hold timer fires.
  Effects Second(uint32_t ms = 1000) {
    player_.now += ms;
    return Timer(11);
  }
  static std::string T(unsigned id) { return RecordingPlayer::Text(id); }

  RecordingPlayer player_;
};

TEST_F(CallRoad, TelkaIncomingCallFromOnlineToDataResumed) {
  Family(TELKA);
  EXPECT_EQ((Effects{"CloseDialog"}), Event(3));
  EXPECT_EQ(3, gCallState);
  EXPECT_EQ(1, gOnline);
  EXPECT_EQ(T(32803), gStatusText);

  EXPECT_EQ((Effects{"CallerIdFetched", "SetTimer 12 15000", "CloseDialog"}), Event(5, 1));
  EXPECT_EQ(5, gCallState);
  EXPECT_EQ(T(32805), gStatusText);
  EXPECT_EQ(kCaller, gCallerIdText);
  EXPECT_EQ(1, gMohSession);
  EXPECT_EQ((std::vector<std::string>{"MohGetParam(handle=0, id=7, buffer)"}), LibraryCalls());
  EXPECT_EQ(kCaller, log_.Texts().back());

  EXPECT_EQ((Effects{"KillTimer 12", "SetTimer 11 1000", "SetTimer 21 15000", "CloseDialog",
                     "OpenDialog"}),
            Event(7, 6));
  EXPECT_EQ(7, gCallState);
  EXPECT_EQ(120000, gHoldDurationMs);
  EXPECT_EQ(118000, gHoldRemainingMs);  // TELKA counts from two seconds below
  EXPECT_EQ(15000, gAnswerRemainingMs);
  EXPECT_EQ("00:01:58", gHoldText);
  EXPECT_EQ("00:15", gAnswerText);
  EXPECT_EQ(T(32809) + " 15 " + T(32873) + "\n" + kCaller, gStatusText);
  EXPECT_EQ("MOH Duration 120000 Msec", log_.Texts().back());

  EXPECT_EQ((Effects{}), Second());
  EXPECT_EQ(117000, gHoldRemainingMs);
  EXPECT_EQ("00:14", gAnswerText);

  EXPECT_EQ((Effects{"KillTimer 12", "KillTimer 21", "Sound stop", "CloseDialog", "OpenDialog"}),
            Event(8));
  EXPECT_EQ(8, gCallState);
  EXPECT_EQ(1, gVoiceActive);
  EXPECT_EQ(T(32872) + "\n" + kCaller, gStatusText);

  EXPECT_EQ((Effects{"KillTimer 12", "CloseDialog", "OpenDialog"}), Event(14));
  EXPECT_EQ(14, gCallState);
  EXPECT_EQ(T(32838) + "\n" + kCaller, gStatusText);
  EXPECT_EQ((std::vector<std::string>{"MohCommand(handle=0, command=6)"}), LibraryCalls());

  EXPECT_EQ((Effects{"KillTimer 21", "Sound stop", "KillTimer 12", "CloseDialog"}), Event(12));
  EXPECT_EQ(12, gCallState);
  EXPECT_EQ(0, gMohSession);
  EXPECT_EQ(T(32831), gStatusText);
  // The countdown stops itself once data flows again.
  EXPECT_EQ((Effects{"KillTimer 11"}), Second());
  EXPECT_EQ(0, gHoldRemainingMs);
}

TEST_F(CallRoad, BorinAndNuviaGrantTheWholeHoldAndAMinuteToAnswer) {
  for (int family : {BORIN, NUVIA}) {
    SCOPED_TRACE(family);
    SetUp();
    Family(family);
    Event(3);
    EXPECT_EQ((Effects{"CallerIdFetched", "SetTimer 12 15000", "CloseDialog"}), Event(5, 1));
    EXPECT_EQ((Effects{"KillTimer 12", "SetTimer 11 1000", "SetTimer 21 60000", "CloseDialog",
                       "OpenDialog"}),
              Event(7, 5));
    EXPECT_EQ(1, gOnline);
    EXPECT_EQ(60000, gHoldRemainingMs);
    EXPECT_EQ("00:60", gAnswerText);  // the minutes field is always 00
    EXPECT_EQ(T(32809) + " 15 " + T(32873) + "\n" + kCaller, gStatusText);
  }
}

TEST_F(CallRoad, SecondTelkaCallDuringASessionKeepsItsFallBackTime) {
  Family(TELKA);
  Event(3);
  Event(5, 1);
  EXPECT_EQ((Effects{"CallerIdFetched", "CloseDialog"}), Event(5, 1));
  EXPECT_EQ(T(32805), gStatusText);
}

TEST_F(CallRoad, TelkaCallWhileOfflineLeavesTheState) {
  Family(TELKA);
  EXPECT_EQ((Effects{"CloseDialog"}), Event(5, 1));
  EXPECT_EQ(4, gCallState);
  EXPECT_TRUE(LibraryCalls().empty());
}

TEST_F(CallRoad, CallWithoutCallerIdOrWithItSwitchedOffFetchesNothing) {
  Family(NUVIA);
  Event(5, 0);
  EXPECT_EQ("", gCallerIdText);
  gCallerID = 0;
  Event(5, 1);
  EXPECT_TRUE(LibraryCalls().empty());
  Event(7, 3);
  EXPECT_EQ(T(32809) + " 15 " + T(32873) + "\n", gStatusText);  // a bare line break at the end
}

TEST_F(CallRoad, CallerIdBufferIsTerminatedWhateverTheLibraryWrote) {
  Family(TELKA);
  Event(3);
  fake::TheLibrary().callerIdFillsBuffer = true;
  Event(5, 1);
  EXPECT_EQ(std::string(255, 'X'), gCallerIdText);
}

TEST_F(CallRoad, NoHoldOnTelka) {
  Family(TELKA);
  Event(3);
  Event(5, 1);
  EXPECT_EQ((Effects{"KillTimer 12", "CloseDialog", "OpenDialog"}), Event(6));
  EXPECT_EQ(6, gCallState);
  EXPECT_EQ(T(32805), gStatusText);
  // Refused while not ringing: nothing but the timer.
  Event(3);
  EXPECT_EQ((Effects{"KillTimer 12", "CloseDialog"}), Event(18));
  EXPECT_EQ(3, gCallState);
}

TEST_F(CallRoad, NoHoldOnBorinAndNuviaFallsBackFiveSecondsLater) {
  for (int family : {BORIN, NUVIA}) {
    for (int event : {6, 18}) {
      SCOPED_TRACE(testing::Message() << family << " " << event);
      SetUp();
      Family(family);
      Event(3);
      Event(5, 1);
      EXPECT_EQ((Effects{"SetTimer 12 5000", "CloseDialog", "OpenDialog"}), Event(event));
      EXPECT_EQ(6, gCallState);
      EXPECT_EQ(T(32805), gStatusText);
      EXPECT_EQ((Effects{"Post 3 0"}), Timer(12));
      EXPECT_EQ((Effects{"CloseDialog"}), Event(3));
      EXPECT_EQ((Effects{}), Timer(12));  // keeps firing, without effect
    }
  }
}

TEST_F(CallRoad, RefusedOutgoingCallSaysSo) {
  Family(BORIN);
  Event(3);
  gPlacingCall = 1;
  Event(6);
  EXPECT_EQ(T(32808), gStatusText);
}

TEST_F(CallRoad, GrantWithoutHoldTime) {
  Family(TELKA);
  Event(3);
  Event(5, 1);
  EXPECT_EQ((Effects{"KillTimer 12", "Post 6 0", "CloseDialog", "OpenDialog"}), Event(7, 0));
  EXPECT_EQ(6, gCallState);
  EXPECT_EQ(0, gMohSession);

  for (int family : {BORIN, NUVIA}) {
    SetUp();
    Family(family);
    Event(3);
    Event(5, 1);
    // Refused, then counted as a hold of nothing: the first step declares the timeout.
    EXPECT_EQ((Effects{"KillTimer 12", "Post 6 0", "SetTimer 11 1000", "KillTimer 11", "Post 10 0",
                       "SetTimer 21 60000", "CloseDialog"}),
              Event(7, 0));
    EXPECT_EQ(10, gCallState);
    EXPECT_EQ(0, gHoldDurationMs);
  }
}

TEST_F(CallRoad, IndexAboveThirteenTimesOutAtOnceWithoutADurationLine) {
  Family(TELKA);
  Event(3);
  Event(5, 1);
  const size_t lines = log_.lines.size();
  EXPECT_EQ((Effects{"KillTimer 12", "SetTimer 11 1000", "KillTimer 11", "Post 10 0",
                     "SetTimer 21 15000", "CloseDialog"}),
            Event(7, 14));
  EXPECT_EQ(10, gCallState);
  EXPECT_EQ(lines, log_.lines.size());
}

TEST_F(CallRoad, IndexThirteenOnTelkaIsAlmostUnlimited) {
  Family(TELKA);
  Event(3);
  Event(5, 1);
  Event(7, 13);
  EXPECT_EQ(2147481647, gHoldRemainingMs);
  EXPECT_EQ("596:31:21", gHoldText);
  EXPECT_EQ(15000, gAnswerRemainingMs);
}

TEST_F(CallRoad, HoldTimesOfEveryIndex) {
  const int expected[] = {0,      10000,  20000,  30000,  40000,  60000,  120000,
                          180000, 240000, 360000, 480000, 720000, 960000, INT_MAX};
  for (int i = 0; i <= 13; ++i) EXPECT_EQ(expected[i], HoldTimeForIndex(i)) << i;
  EXPECT_EQ(0, HoldTimeForIndex(14));
  EXPECT_EQ(0, HoldTimeForIndex(-1));
}

TEST_F(CallRoad, HoldTimeSplit) {
  EXPECT_EQ("01:00:00", FormatHoldTime(3600000));
  EXPECT_EQ("01:59:59", FormatHoldTime(7199999));
  EXPECT_EQ("00:15:58", FormatHoldTime(958000));
  EXPECT_EQ("00:00:00", FormatHoldTime(999));
  EXPECT_EQ("00:00:00", FormatHoldTime(-5));
  EXPECT_EQ("596:31:21", FormatHoldTime(2147481647));
}

TEST_F(CallRoad, WarningIsEnteredSilentlyInTheVoiceCallButNotWhileTheUserIsAsked) {
  Family(NUVIA);
  Event(3);
  Event(5, 1);
  Event(7, 4);    // 40 s
  Second(15000);  // 25 s left, still waiting for the answer
  EXPECT_EQ(7, gCallState);
  Event(8);
  const std::string status = gStatusText;
  EXPECT_EQ((Effects{"Sound beep.wav 1"}), Second());
  EXPECT_EQ(9, gCallState);
  EXPECT_EQ(status, gStatusText);  // entered silently: the text stays
}

TEST_F(CallRoad, BeepOnTheFirstStepOfTheWarningThenEveryThird) {
  Family(TELKA);
  Event(3);
  Event(5, 1);
  Event(7, 6);
  Event(8);
  Event(9);
  EXPECT_EQ(9, gCallState);
  EXPECT_EQ(T(32810) + "  30 " + T(32873) + "\n" + kCaller, gStatusText);
  std::vector<int> beeps;
  for (int second = 1; second <= 10; ++second) {
    const Effects effects = Second();
    if (!effects.empty() && effects[0] == "Sound beep.wav 1") beeps.push_back(second);
  }
  EXPECT_EQ((std::vector<int>{1, 4, 7, 10}), beeps);
}

TEST_F(CallRoad, NoWarningWithoutWarnAndNoBeepWhenMuted) {
  Family(BORIN);
  gWarn = 0;
  Event(3);
  Event(5, 1);
  Event(7, 3);
  Event(8);
  for (int i = 0; i < 5; ++i) EXPECT_EQ((Effects{}), Second());
  EXPECT_EQ(8, gCallState);

  gWarn = 1;
  MuteWarnTone = 1;
  EXPECT_EQ((Effects{}), Second());
  EXPECT_EQ(9, gCallState);
}

TEST_F(CallRoad, HoldRunningOutIsDeclaredOnceAtTheNextStep) {
  Family(BORIN);
  Event(3);
  Event(5, 1);
  Event(7, 1);  // 10 s
  Event(8);
  gWarn = 0;
  for (int i = 0; i < 9; ++i) Second();
  EXPECT_EQ((Effects{}), Second());  // brought to 0 now, acted on next time
  EXPECT_EQ(0, gHoldRemainingMs);
  EXPECT_EQ(8, gCallState);
  EXPECT_EQ((Effects{"KillTimer 11", "Post 10 0"}), Second());
  EXPECT_EQ(10, gCallState);
  EXPECT_EQ((Effects{}), Second());
}

TEST_F(CallRoad, TickCountWrapAroundDoesNoHarm) {
  Family(NUVIA);
  Event(3);
  Event(5, 1);
  player_.now = 0xFFFFFE00u;
  Event(7, 6);
  EXPECT_EQ(120000, gHoldRemainingMs);
  player_.now = 0x00000300u;  // 1280 ms later, across the wrap
  Timer(11);
  EXPECT_EQ(120000 - 1280, gHoldRemainingMs);
}

TEST_F(CallRoad, FallBackOnTelkaRestoresAndAcknowledges) {
  Family(TELKA);
  Event(3);
  Event(5, 1);
  EXPECT_EQ((Effects{"Post 14 0"}), Timer(12));
  LibraryCalls();
  EXPECT_EQ((Effects{"KillTimer 12", "CloseDialog", "OpenDialog"}), Event(14));
  EXPECT_EQ((std::vector<std::string>{"MohCommand(handle=0, command=6)"}), LibraryCalls());
  EXPECT_EQ(0, gMohSession);
}

TEST_F(CallRoad, NoAnswerInTimeDeclinesTheCallAndStopsTheRing) {
  Family(TELKA);
  Event(3);
  Event(5, 1);
  Event(7, 6);
  gPlacingCall = 1;
  LibraryCalls();
  EXPECT_EQ((Effects{"KillTimer 21", "Sound stop"}), Timer(21));
  EXPECT_EQ(0, gPlacingCall);
  EXPECT_EQ((std::vector<std::string>{"MohCommand(handle=0, command=2)"}), LibraryCalls());
  EXPECT_EQ("Time out waiting for UserResponse, Going back to Data", log_.Texts().back());
}

TEST_F(CallRoad, TimeoutDropsDataOnlyOnNuvia) {
  for (int family : {TELKA, BORIN, NUVIA}) {
    SetUp();
    Family(family);
    Event(3);
    Event(5, 1);
    Event(7, 6);
    LibraryCalls();
    EXPECT_EQ((Effects{"KillTimer 12", "KillTimer 21", "Sound stop", "CloseDialog"}), Event(10));
    EXPECT_EQ(10, gCallState) << family;
    EXPECT_EQ(T(32811) + "\n" + kCaller, gStatusText);
    const std::vector<std::string> calls = LibraryCalls();
    if (family == NUVIA) {
      EXPECT_EQ((std::vector<std::string>{"MohCommand(handle=0, command=7)"}), calls);
    } else {
      EXPECT_TRUE(calls.empty()) << family;
    }
  }
}

TEST_F(CallRoad, EveryEventThatEndsTheAnswerWindowStopsTheRing) {
  for (int event : {8, 9, 10, 11, 12, 13, 15}) {
    SetUp();
    Family(NUVIA);
    const Effects effects = Event(event);
    const auto kill = std::find(effects.begin(), effects.end(), "KillTimer 21");
    ASSERT_NE(effects.end(), kill) << event;
    EXPECT_EQ("Sound stop", *(kill + 1)) << event;
  }
}

TEST_F(CallRoad, ErrorSubCodes) {
  struct Case {
    int family, sub;
    std::string status;
  };
  const Case cases[] = {{TELKA, 0, T(32813)}, {BORIN, 0, T(32813)},  {NUVIA, 0, "previous"},
                        {TELKA, 1, ""},       {NUVIA, 7, ""},        {BORIN, 8, ""},
                        {TELKA, 12, ""},      {NUVIA, 13, T(32813)}, {TELKA, 99, T(32813)}};
  for (const Case& c : cases) {
    SetUp();
    Family(c.family);
    gStatusText = "previous";
    EXPECT_EQ((Effects{"KillTimer 12", "KillTimer 21", "Sound stop", "CloseDialog", "OpenDialog"}),
              Event(13, c.sub));
    EXPECT_EQ(13, gCallState);
    EXPECT_EQ(c.status, gStatusText) << c.family << " " << c.sub;
  }
}

TEST_F(CallRoad, UnknownEventsChangeNothingButRefreshTheDialog) {
  Family(TELKA);
  Event(3);
  EXPECT_EQ((Effects{"CloseDialog"}), Event(0));
  EXPECT_EQ(3, gCallState);
  gCallState = 8;
  gStatusText = "held";
  EXPECT_EQ((Effects{"CloseDialog", "OpenDialog"}), Event(19, 5));
  EXPECT_EQ(8, gCallState);
  EXPECT_EQ("held", gStatusText);
}

TEST_F(CallRoad, BorinReinitialisesOnModemActiveAndStopsAtOnceWhenThatFails) {
  Family(BORIN);
  gpModems[0] = fake::Modem(BORIN, "Borin", "COM4");
  int result = 0;
  EXPECT_EQ((Effects{"CloseDialog"}), Event(3, 0, &result));
  EXPECT_EQ(0, result);
  EXPECT_EQ(1, gOnline);
  EXPECT_EQ(1, gMohSession);
  EXPECT_STREQ("Borin", fake::TheLibrary().initializedWith.DisplayName);

  SetUp();
  Family(BORIN);
  fake::TheLibrary().initResult = 0;
  gStatusText = "before";
  gVoiceActive = gPlacingCall = 1;
  EXPECT_EQ((Effects{}), Event(3, 0, &result));
  EXPECT_EQ(-1, result);
  EXPECT_EQ(3, gCallState);
  EXPECT_EQ(0, gVoiceActive);
  EXPECT_EQ(0, gPlacingCall);
  EXPECT_EQ("before", gStatusText);
}

TEST_F(CallRoad, BorinModemActiveReportedDuringItsOwnInitialisationStartsNoOther) {
  Family(BORIN);
  gpModems[0] = fake::Modem(BORIN, "Borin", "COM4");
  fake::TheLibrary().initEvents = {{3, 0}};  // every initialisation reports "modem active"
  Event(3);
  ASSERT_EQ((std::vector<std::pair<int, int>>{{3, 0}}), fake::PostedEvents());
  EXPECT_EQ(1u, LibraryCalls().size());

  // The echo arrives: the modem is active, bound once, and no further echo follows.
  fake::PostedEvents().clear();
  gOnline = gMohSession = 0;
  int result = -1;
  EXPECT_EQ((Effects{"CloseDialog"}), Event(3, 0, &result));
  EXPECT_EQ(0, result);
  EXPECT_TRUE(LibraryCalls().empty());
  EXPECT_TRUE(fake::PostedEvents().empty());
  EXPECT_EQ(3, gCallState);
  EXPECT_EQ(1, gOnline);
  EXPECT_EQ(1, gMohSession);
  EXPECT_EQ(T(32803), gStatusText);

  // The line's own "modem active" later still re-binds.
  fake::TheLibrary().initEvents.clear();
  Event(3);
  EXPECT_EQ(1u, LibraryCalls().size());
  Event(5, 1);
  EXPECT_EQ(5, gCallState);
}

TEST_F(CallRoad, ControlCharactersOfTheCallerIdAreEscapedInTheLogOnly) {
  Family(TELKA);
  Event(3);
  fake::TheLibrary().callerId = "Name :Erika\r\n12-7-2003 9:5:3 - MOH Request granted by server.";
  Event(5, 1);
  EXPECT_EQ("Name :Erika\\x0D\\x0A12-7-2003 9:5:3 - MOH Request granted by server.",
            log_.Texts().back());
  EXPECT_EQ(fake::TheLibrary().callerId, gCallerIdText);
}

TEST_F(CallRoad, RemoteTimeoutStopsTheCountdown) {
  Family(TELKA);
  Event(3);
  Event(5, 1);
  Event(7, 6);
  EXPECT_EQ((Effects{"KillTimer 11", "CloseDialog", "OpenDialog"}), Event(16));
  EXPECT_EQ(16, gCallState);
  EXPECT_EQ(0, gMohSession);
}

TEST_F(CallRoad, OfflineAndOtherStates) {
  Family(TELKA);
  Event(3);
  Event(5, 1);
  EXPECT_EQ((Effects{"KillTimer 12", "CloseDialog"}), Event(4));
  EXPECT_EQ(0, gOnline);
  EXPECT_EQ(0, gMohSession);
  EXPECT_EQ(T(32804), gStatusText);
  const std::pair<int, unsigned> rows[] = {{1, 32801}, {2, 32802}, {17, 32852}, {15, 32842}};
  for (auto [event, id] : rows) {
    Event(event);
    EXPECT_EQ(event, gCallState);
    EXPECT_EQ(T(id), gStatusText);
  }
  Event(11);
  EXPECT_EQ(T(32830), gStatusText);
  Family(NUVIA);
  Event(11);
  EXPECT_EQ(T(32848), gStatusText);
  Event(12);
  EXPECT_EQ(T(32847), gStatusText);
}

TEST_F(CallRoad, TrayIconIsAddedOnceThenModified) {
  HandleTimer(player_, 5);
  HandleTimer(player_, 5);
  HandleTimer(player_, 4);   // the click timer is not this handler's
  HandleTimer(player_, 99);  // nor any other
  EXPECT_EQ((Effects{"Tray add <102>", "Tray modify <102>"}), player_.effects);
}

}  // namespace
