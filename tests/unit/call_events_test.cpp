// The call state machine and the hold timer, road by road, with fake time: the globals after
// each event and the effects on the player window, the library and the log, in order.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

#include "Fakes.h"
#include "ProgramRoads.h"
#include "RecordingPlayer.h"
#include "base/InstallOptions.h"
#include "base/Messages.h"
#include "call/CallEvents.h"
#include "call/CallState.h"
#include "call/HoldTimer.h"
#include "calllog/CallLog.h"
#include "moh/ModemSelection.h"
#include "moh/MohEvents.h"
#include "moh/MohSettings.h"
#include "res/resource.h"
#include "tray/PlayerTimers.h"

namespace {

using Effects = std::vector<std::string>;

const char* const kCaller = "Datum :07.12. Uhrzeit :09:05 Nummer :0301234567 Name :Erika";

class CallStateMachine : public fake::LoggingTest {
 protected:
  void SetUp() override {
    fake::LoggingTest::SetUp();
    gSettings.gEnableMOH = 1;
    gSettings.gCallerID = 1;
    gSettings.gWarn = 1;
    gSettings.gWarnTimeMs = 30000;
    fake::TheLibrary().callerId = kCaller;
  }

  void Family(int family) { gSettings.gMohModemType = family; }
  Effects Event(int event, int value = 0, int* result = nullptr) {
    const int r = HandleMohEvent(ProgramCallRoad(player_), event, value);
    if (result) *result = r;
    return player_.Take();
  }
  Effects Timer(unsigned id) {
    HandleTimer(ProgramCallRoad(player_), id);
    return player_.Take();
  }
  // A second passes and the hold timer fires.
  Effects Second(uint32_t ms = 1000) {
    player_.now += ms;
    return Timer(TIMER_HOLD_TICK);
  }
  static std::string T(unsigned id) { return RecordingPlayer::Text(id); }

  RecordingPlayer player_;
};

TEST_F(CallStateMachine, TelkaIncomingCallFromOnlineToDataResumed) {
  Family(TELKA);
  EXPECT_EQ((Effects{"CloseDialog"}), Event(MOH_MODEM_ACTIVE));
  EXPECT_EQ(CALLSTATE_MODEM_ACTIVE, gCall.gCallState);
  EXPECT_EQ(1, gCall.gOnline);
  EXPECT_EQ(T(IDS_MODEM_ACTIVE), gCall.gStatusText);

  EXPECT_EQ((Effects{"SetTimer TIMER_FALLBACK 15000", "RefreshCallLog", "CloseDialog"}),
            Event(MOH_INCOMING_CALL, 1));
  EXPECT_EQ(CALLSTATE_INCOMING_CALL, gCall.gCallState);
  EXPECT_EQ(T(IDS_INCOMING_CALL), gCall.gStatusText);
  EXPECT_EQ(kCaller, gCall.gCallerIdText);
  EXPECT_EQ(1, gCall.gMohSession);
  EXPECT_EQ((std::vector<std::string>{"MohGetParam(handle=0, id=7, buffer)"}), LibraryCalls());
  EXPECT_EQ(kCaller, log_.Texts().back());

  EXPECT_EQ((Effects{"KillTimer TIMER_FALLBACK", "SetTimer TIMER_HOLD_TICK 1000",
                     "SetTimer TIMER_ANSWER 15000", "CloseDialog", "OpenDialog"}),
            Event(MOH_GRANTED, 6));
  EXPECT_EQ(CALLSTATE_GRANTED, gCall.gCallState);
  EXPECT_EQ(120000, gCall.gHoldDurationMs);
  EXPECT_EQ(118000, gCall.gHoldRemainingMs);  // TELKA counts from two seconds below
  EXPECT_EQ(15000, gCall.gAnswerRemainingMs);
  EXPECT_EQ("00:01:58", gCall.gHoldText);
  EXPECT_EQ("00:15", gCall.gAnswerText);
  EXPECT_EQ(T(IDS_CALL_OFFERED) + " 15 " + T(IDS_SECONDS) + "\n" + kCaller, gCall.gStatusText);
  EXPECT_EQ("MOH Duration 120000 Msec", log_.Texts().back());

  EXPECT_EQ((Effects{}), Second());
  EXPECT_EQ(117000, gCall.gHoldRemainingMs);
  EXPECT_EQ("00:14", gCall.gAnswerText);

  EXPECT_EQ((Effects{"KillTimer TIMER_FALLBACK", "KillTimer TIMER_ANSWER", "Sound stop",
                     "CloseDialog", "OpenDialog"}),
            Event(MOH_SWITCH_TO_VOICE));
  EXPECT_EQ(CALLSTATE_SWITCH_TO_VOICE, gCall.gCallState);
  EXPECT_EQ(1, gCall.gVoiceActive);
  EXPECT_EQ(T(IDS_HOLD_MINUTES_TAIL) + "\n" + kCaller, gCall.gStatusText);

  EXPECT_EQ((Effects{"KillTimer TIMER_FALLBACK", "CloseDialog", "OpenDialog"}),
            Event(MOH_RESTORING));
  EXPECT_EQ(CALLSTATE_RESTORING, gCall.gCallState);
  EXPECT_EQ(T(IDS_RESTORING) + "\n" + kCaller, gCall.gStatusText);
  EXPECT_EQ((std::vector<std::string>{"MohCommand(handle=0, command=6)"}), LibraryCalls());

  EXPECT_EQ(
      (Effects{"KillTimer TIMER_ANSWER", "Sound stop", "KillTimer TIMER_FALLBACK", "CloseDialog"}),
      Event(MOH_DATA_RESUMED));
  EXPECT_EQ(CALLSTATE_DATA_RESUMED, gCall.gCallState);
  EXPECT_EQ(0, gCall.gMohSession);
  EXPECT_EQ(T(IDS_DATA_RESUMED_TELKA), gCall.gStatusText);
  // The countdown stops itself once data flows again.
  EXPECT_EQ((Effects{"KillTimer TIMER_HOLD_TICK"}), Second());
  EXPECT_EQ(0, gCall.gHoldRemainingMs);
}

TEST_F(CallStateMachine, BorinAndNuviaGrantTheWholeHoldAndAMinuteToAnswer) {
  for (int family : {BORIN, NUVIA}) {
    SCOPED_TRACE(family);
    SetUp();
    Family(family);
    Event(MOH_MODEM_ACTIVE);
    EXPECT_EQ((Effects{"SetTimer TIMER_FALLBACK 15000", "RefreshCallLog", "CloseDialog"}),
              Event(MOH_INCOMING_CALL, 1));
    EXPECT_EQ((Effects{"KillTimer TIMER_FALLBACK", "SetTimer TIMER_HOLD_TICK 1000",
                       "SetTimer TIMER_ANSWER 60000", "CloseDialog", "OpenDialog"}),
              Event(MOH_GRANTED, 5));
    EXPECT_EQ(1, gCall.gOnline);
    EXPECT_EQ(60000, gCall.gHoldRemainingMs);
    EXPECT_EQ("00:60", gCall.gAnswerText);  // the minutes field is always 00
    EXPECT_EQ(T(IDS_CALL_OFFERED) + " 15 " + T(IDS_SECONDS) + "\n" + kCaller, gCall.gStatusText);
  }
}

TEST_F(CallStateMachine, SecondTelkaCallDuringASessionKeepsItsFallBackTime) {
  Family(TELKA);
  Event(MOH_MODEM_ACTIVE);
  Event(MOH_INCOMING_CALL, 1);
  EXPECT_EQ((Effects{"RefreshCallLog", "CloseDialog"}), Event(MOH_INCOMING_CALL, 1));
  EXPECT_EQ(T(IDS_INCOMING_CALL), gCall.gStatusText);
}

TEST_F(CallStateMachine, TelkaCallWhileOfflineLeavesTheState) {
  Family(TELKA);
  EXPECT_EQ((Effects{"CloseDialog"}), Event(MOH_INCOMING_CALL, 1));
  EXPECT_EQ(CALLSTATE_MODEM_IDLE, gCall.gCallState);
  EXPECT_TRUE(LibraryCalls().empty());
}

TEST_F(CallStateMachine, CallWithoutCallerIdOrWithItSwitchedOffFetchesNothing) {
  Family(NUVIA);
  Event(MOH_INCOMING_CALL, 0);
  EXPECT_EQ("", gCall.gCallerIdText);
  gSettings.gCallerID = 0;
  Event(MOH_INCOMING_CALL, 1);
  EXPECT_TRUE(LibraryCalls().empty());
  Event(MOH_GRANTED, 3);
  EXPECT_EQ(T(IDS_CALL_OFFERED) + " 15 " + T(IDS_SECONDS) + "\n",
            gCall.gStatusText);  // a bare line break at the end
}

// Calls queued behind each other, as only a simulated line makes them: the library holds the
// newest caller's text, so the calls before it are handled as calls without caller ID (logged
// without a caller line, not in the call log), and the newest gets its own. The callback calls
// nothing of the library. A call reported while the text is read makes that text the new call's.
TEST_F(CallStateMachine, NoCallIsShownWithALaterCallersText) {
  Family(NUVIA);
  fake::TheLibrary().callerId = "Datum :03.12. Uhrzeit :09:03 Nummer :3 Name :Drei";
  for (int i = 0; i < 3; ++i) MohEventCallback(MOH_INCOMING_CALL, 1);
  EXPECT_TRUE(LibraryCalls().empty());
  const std::vector<std::pair<int, int>> posted = fake::PostedEvents();
  ASSERT_EQ(3u, posted.size());
  int refreshes = 0;
  for (size_t i = 0; i < posted.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(MOH_INCOMING_CALL, posted[i].first);  // as the library reported it
    player_.moreEventsQueued = i + 1 < posted.size();
    const Effects effects = Event(posted[i].first, posted[i].second);
    refreshes += static_cast<int>(std::count(effects.begin(), effects.end(), "RefreshCallLog"));
    EXPECT_EQ(i + 1 < posted.size() ? "" : fake::TheLibrary().callerId, gCall.gCallerIdText);
  }
  EXPECT_EQ(1, refreshes);
  EXPECT_EQ((std::vector<std::string>{"MohGetParam(handle=0, id=7, buffer)"}), LibraryCalls());
  ASSERT_EQ(1u, gCallLog.Records().size());
  EXPECT_EQ("3", gCallLog.Records()[0].m_Number);
  const std::vector<std::string> logged = log_.Texts();
  EXPECT_EQ(3, std::count(logged.begin(), logged.end(), "Incoming call detected."));
  EXPECT_EQ(fake::TheLibrary().callerId, logged.back());

  // The next call comes while the text is read: the text is the new call's.
  MohEventCallback(MOH_INCOMING_CALL, 1);
  fake::TheLibrary().whileCallerIdRead = [] {
    fake::TheLibrary().callerId = "Datum :04.12. Uhrzeit :09:04 Nummer :4 Name :Vier";
    MohEventCallback(MOH_INCOMING_CALL, 1);
  };
  Event(MOH_INCOMING_CALL, 1);
  EXPECT_EQ("", gCall.gCallerIdText);
  EXPECT_EQ(1u, gCallLog.Records().size());
  fake::TheLibrary().whileCallerIdRead = nullptr;
  Event(MOH_INCOMING_CALL, 1);
  EXPECT_EQ(fake::TheLibrary().callerId, gCall.gCallerIdText);
  ASSERT_EQ(2u, gCallLog.Records().size());
  EXPECT_EQ("4", gCallLog.Records()[0].m_Number);
}

TEST_F(CallStateMachine, CallerIdBufferIsTerminatedWhateverTheLibraryWrote) {
  Family(TELKA);
  Event(MOH_MODEM_ACTIVE);
  fake::TheLibrary().callerIdFillsBuffer = true;
  Event(MOH_INCOMING_CALL, 1);
  EXPECT_EQ(std::string(255, 'X'), gCall.gCallerIdText);
}

TEST_F(CallStateMachine, NoHoldOnTelka) {
  Family(TELKA);
  Event(MOH_MODEM_ACTIVE);
  Event(MOH_INCOMING_CALL, 1);
  EXPECT_EQ((Effects{"KillTimer TIMER_FALLBACK", "CloseDialog", "OpenDialog"}), Event(MOH_DENIED));
  EXPECT_EQ(CALLSTATE_DENIED, gCall.gCallState);
  EXPECT_EQ(T(IDS_INCOMING_CALL), gCall.gStatusText);
  // Refused while not ringing: nothing but the timer.
  Event(MOH_MODEM_ACTIVE);
  EXPECT_EQ((Effects{"KillTimer TIMER_FALLBACK", "CloseDialog"}), Event(MOH_NOT_SUPPORTED));
  EXPECT_EQ(CALLSTATE_MODEM_ACTIVE, gCall.gCallState);
}

TEST_F(CallStateMachine, NoHoldOnBorinAndNuviaFallsBackFiveSecondsLater) {
  for (int family : {BORIN, NUVIA}) {
    for (int event : {6, 18}) {
      SCOPED_TRACE(testing::Message() << family << " " << event);
      SetUp();
      Family(family);
      Event(MOH_MODEM_ACTIVE);
      Event(MOH_INCOMING_CALL, 1);
      EXPECT_EQ((Effects{"SetTimer TIMER_FALLBACK 5000", "CloseDialog", "OpenDialog"}),
                Event(event));
      EXPECT_EQ(CALLSTATE_DENIED, gCall.gCallState);
      EXPECT_EQ(T(IDS_INCOMING_CALL), gCall.gStatusText);
      EXPECT_EQ((Effects{"Post MOH_MODEM_ACTIVE 0"}), Timer(TIMER_FALLBACK));
      EXPECT_EQ((Effects{"CloseDialog"}), Event(MOH_MODEM_ACTIVE));
      EXPECT_EQ((Effects{}), Timer(TIMER_FALLBACK));  // keeps firing, without effect
    }
  }
}

TEST_F(CallStateMachine, RefusedOutgoingCallSaysSo) {
  Family(BORIN);
  Event(MOH_MODEM_ACTIVE);
  gCall.gPlacingCall = 1;
  Event(MOH_DENIED);
  EXPECT_EQ(T(IDS_MOH_DENIED), gCall.gStatusText);
}

TEST_F(CallStateMachine, GrantWithoutHoldTime) {
  Family(TELKA);
  Event(MOH_MODEM_ACTIVE);
  Event(MOH_INCOMING_CALL, 1);
  EXPECT_EQ((Effects{"KillTimer TIMER_FALLBACK", "Post MOH_DENIED 0", "CloseDialog", "OpenDialog"}),
            Event(MOH_GRANTED, 0));
  EXPECT_EQ(CALLSTATE_DENIED, gCall.gCallState);
  EXPECT_EQ(0, gCall.gMohSession);

  for (int family : {BORIN, NUVIA}) {
    SetUp();
    Family(family);
    Event(MOH_MODEM_ACTIVE);
    Event(MOH_INCOMING_CALL, 1);
    // Refused, then counted as a hold of nothing: the first step declares the timeout.
    EXPECT_EQ((Effects{"KillTimer TIMER_FALLBACK", "Post MOH_DENIED 0",
                       "SetTimer TIMER_HOLD_TICK 1000", "KillTimer TIMER_HOLD_TICK",
                       "Post MOH_TIMEOUT 0", "SetTimer TIMER_ANSWER 60000", "CloseDialog"}),
              Event(MOH_GRANTED, 0));
    EXPECT_EQ(CALLSTATE_TIMEOUT, gCall.gCallState);
    EXPECT_EQ(0, gCall.gHoldDurationMs);
  }
}

TEST_F(CallStateMachine, IndexAboveThirteenTimesOutAtOnceWithoutADurationLine) {
  Family(TELKA);
  Event(MOH_MODEM_ACTIVE);
  Event(MOH_INCOMING_CALL, 1);
  const size_t lines = log_.lines.size();
  EXPECT_EQ((Effects{"KillTimer TIMER_FALLBACK", "SetTimer TIMER_HOLD_TICK 1000",
                     "KillTimer TIMER_HOLD_TICK", "Post MOH_TIMEOUT 0",
                     "SetTimer TIMER_ANSWER 15000", "CloseDialog"}),
            Event(MOH_GRANTED, 14));
  EXPECT_EQ(CALLSTATE_TIMEOUT, gCall.gCallState);
  EXPECT_EQ(lines, log_.lines.size());
}

TEST_F(CallStateMachine, IndexThirteenOnTelkaIsAlmostUnlimited) {
  Family(TELKA);
  Event(MOH_MODEM_ACTIVE);
  Event(MOH_INCOMING_CALL, 1);
  Event(MOH_GRANTED, 13);
  EXPECT_EQ(2147481647, gCall.gHoldRemainingMs);
  EXPECT_EQ("596:31:21", gCall.gHoldText);
  EXPECT_EQ(15000, gCall.gAnswerRemainingMs);
}

TEST_F(CallStateMachine, HoldTimesOfEveryIndex) {
  const int expected[] = {0,      10000,  20000,  30000,  40000,  60000,  120000,
                          180000, 240000, 360000, 480000, 720000, 960000, INT_MAX};
  for (int i = 0; i <= 13; ++i) EXPECT_EQ(expected[i], HoldTimeForIndex(i)) << i;
  EXPECT_EQ(0, HoldTimeForIndex(14));
  EXPECT_EQ(0, HoldTimeForIndex(-1));
}

TEST(ErrorTexts, EachSubCodeHasItsTextAndTheFamilyDecidesForNone) {
  EXPECT_EQ(IDS_ERROR_1, ErrorTextId(1, FamilyOf(TELKA)));
  EXPECT_EQ(IDS_ERROR_8, ErrorTextId(8, FamilyOf(BORIN)));
  EXPECT_EQ(IDS_ERROR_12, ErrorTextId(12, FamilyOf(NUVIA)));
  for (int outside : {13, -1, INT_MIN}) EXPECT_EQ(IDS_ERROR, ErrorTextId(outside, FamilyOf(NUVIA)));
  EXPECT_EQ(IDS_ERROR, ErrorTextId(0, FamilyOf(BORIN)));
  EXPECT_EQ(0u, ErrorTextId(0, FamilyOf(NUVIA)));  // the text stays
}

TEST_F(CallStateMachine, HoldTimeSplit) {
  EXPECT_EQ("01:00:00", FormatHoldTime(3600000));
  EXPECT_EQ("01:59:59", FormatHoldTime(7199999));
  EXPECT_EQ("00:15:58", FormatHoldTime(958000));
  EXPECT_EQ("00:00:00", FormatHoldTime(999));
  EXPECT_EQ("00:00:00", FormatHoldTime(-5));
  EXPECT_EQ("596:31:21", FormatHoldTime(2147481647));
}

TEST_F(CallStateMachine, WarningIsEnteredSilentlyInTheVoiceCallButNotWhileTheUserIsAsked) {
  Family(NUVIA);
  Event(MOH_MODEM_ACTIVE);
  Event(MOH_INCOMING_CALL, 1);
  Event(MOH_GRANTED, 4);  // 40 s
  Second(15000);          // 25 s left, still waiting for the answer
  EXPECT_EQ(CALLSTATE_GRANTED, gCall.gCallState);
  Event(MOH_SWITCH_TO_VOICE);
  const std::string status = gCall.gStatusText;
  EXPECT_EQ((Effects{"Sound beep.wav once"}), Second());
  EXPECT_EQ(CALLSTATE_TIMEOUT_WARNING, gCall.gCallState);
  EXPECT_EQ(status, gCall.gStatusText);  // entered silently: the text stays
}

TEST_F(CallStateMachine, BeepOnTheFirstStepOfTheWarningThenEveryThird) {
  Family(TELKA);
  Event(MOH_MODEM_ACTIVE);
  Event(MOH_INCOMING_CALL, 1);
  Event(MOH_GRANTED, 6);
  Event(MOH_SWITCH_TO_VOICE);
  Event(MOH_TIMEOUT_WARNING);
  EXPECT_EQ(CALLSTATE_TIMEOUT_WARNING, gCall.gCallState);
  EXPECT_EQ(T(IDS_TIMEOUT_IN) + "  30 " + T(IDS_SECONDS) + "\n" + kCaller, gCall.gStatusText);
  std::vector<int> beeps;
  for (int second = 1; second <= 10; ++second) {
    const Effects effects = Second();
    if (!effects.empty() && effects[0] == "Sound beep.wav once") beeps.push_back(second);
  }
  EXPECT_EQ((std::vector<int>{1, 4, 7, 10}), beeps);
}

TEST_F(CallStateMachine, NoWarningWithoutWarnAndNoBeepWhenMuted) {
  Family(BORIN);
  gSettings.gWarn = 0;
  Event(MOH_MODEM_ACTIVE);
  Event(MOH_INCOMING_CALL, 1);
  Event(MOH_GRANTED, 3);
  Event(MOH_SWITCH_TO_VOICE);
  for (int i = 0; i < 5; ++i) EXPECT_EQ((Effects{}), Second());
  EXPECT_EQ(CALLSTATE_SWITCH_TO_VOICE, gCall.gCallState);

  gSettings.gWarn = 1;
  gSettings.MuteWarnTone = 1;
  EXPECT_EQ((Effects{}), Second());
  EXPECT_EQ(CALLSTATE_TIMEOUT_WARNING, gCall.gCallState);
}

TEST_F(CallStateMachine, HoldRunningOutIsDeclaredOnceAtTheNextStep) {
  Family(BORIN);
  Event(MOH_MODEM_ACTIVE);
  Event(MOH_INCOMING_CALL, 1);
  Event(MOH_GRANTED, 1);  // 10 s
  Event(MOH_SWITCH_TO_VOICE);
  gSettings.gWarn = 0;
  for (int i = 0; i < 9; ++i) Second();
  EXPECT_EQ((Effects{}), Second());  // brought to 0 now, acted on next time
  EXPECT_EQ(0, gCall.gHoldRemainingMs);
  EXPECT_EQ(CALLSTATE_SWITCH_TO_VOICE, gCall.gCallState);
  EXPECT_EQ((Effects{"KillTimer TIMER_HOLD_TICK", "Post MOH_TIMEOUT 0"}), Second());
  EXPECT_EQ(CALLSTATE_TIMEOUT, gCall.gCallState);
  EXPECT_EQ((Effects{}), Second());
}

TEST_F(CallStateMachine, TickCountWrapAroundDoesNoHarm) {
  Family(NUVIA);
  Event(MOH_MODEM_ACTIVE);
  Event(MOH_INCOMING_CALL, 1);
  player_.now = 0xFFFFFE00u;
  Event(MOH_GRANTED, 6);
  EXPECT_EQ(120000, gCall.gHoldRemainingMs);
  player_.now = 0x00000300u;  // 1280 ms later, across the wrap
  Timer(TIMER_HOLD_TICK);
  EXPECT_EQ(120000 - 1280, gCall.gHoldRemainingMs);
}

TEST_F(CallStateMachine, FallBackOnTelkaRestoresAndAcknowledges) {
  Family(TELKA);
  Event(MOH_MODEM_ACTIVE);
  Event(MOH_INCOMING_CALL, 1);
  EXPECT_EQ((Effects{"Post MOH_RESTORING 0"}), Timer(TIMER_FALLBACK));
  LibraryCalls();
  EXPECT_EQ((Effects{"KillTimer TIMER_FALLBACK", "CloseDialog", "OpenDialog"}),
            Event(MOH_RESTORING));
  EXPECT_EQ((std::vector<std::string>{"MohCommand(handle=0, command=6)"}), LibraryCalls());
  EXPECT_EQ(0, gCall.gMohSession);
}

TEST_F(CallStateMachine, NoAnswerInTimeDeclinesTheCallAndStopsTheRing) {
  Family(TELKA);
  Event(MOH_MODEM_ACTIVE);
  Event(MOH_INCOMING_CALL, 1);
  Event(MOH_GRANTED, 6);
  gCall.gPlacingCall = 1;
  LibraryCalls();
  EXPECT_EQ((Effects{"KillTimer TIMER_ANSWER", "Sound stop"}), Timer(TIMER_ANSWER));
  EXPECT_EQ(0, gCall.gPlacingCall);
  EXPECT_EQ((std::vector<std::string>{"MohCommand(handle=0, command=2)"}), LibraryCalls());
  EXPECT_EQ("Time out waiting for UserResponse, Going back to Data", log_.Texts().back());
}

TEST_F(CallStateMachine, TimeoutDropsDataOnlyOnNuvia) {
  for (int family : {TELKA, BORIN, NUVIA}) {
    SetUp();
    Family(family);
    Event(MOH_MODEM_ACTIVE);
    Event(MOH_INCOMING_CALL, 1);
    Event(MOH_GRANTED, 6);
    LibraryCalls();
    EXPECT_EQ((Effects{"KillTimer TIMER_FALLBACK", "KillTimer TIMER_ANSWER", "Sound stop",
                       "CloseDialog"}),
              Event(MOH_TIMEOUT));
    EXPECT_EQ(CALLSTATE_TIMEOUT, gCall.gCallState) << family;
    EXPECT_EQ(T(IDS_TIMEOUT) + "\n" + kCaller, gCall.gStatusText);
    const std::vector<std::string> calls = LibraryCalls();
    if (family == NUVIA) {
      EXPECT_EQ((std::vector<std::string>{"MohCommand(handle=0, command=7)"}), calls);
    } else {
      EXPECT_TRUE(calls.empty()) << family;
    }
  }
}

TEST_F(CallStateMachine, EveryEventThatEndsTheAnswerWindowStopsTheRing) {
  for (int event : {8, 9, 10, 11, 12, 13, 15}) {
    SetUp();
    Family(NUVIA);
    const Effects effects = Event(event);
    const auto kill = std::find(effects.begin(), effects.end(), "KillTimer TIMER_ANSWER");
    ASSERT_NE(effects.end(), kill) << event;
    EXPECT_EQ("Sound stop", *(kill + 1)) << event;
  }
}

TEST_F(CallStateMachine, ErrorSubCodes) {
  struct Case {
    int family, sub;
    std::string status;
  };
  const Case cases[] = {{TELKA, 0, T(IDS_ERROR)}, {BORIN, 0, T(IDS_ERROR)},
                        {NUVIA, 0, "previous"},   {TELKA, 1, ""},
                        {NUVIA, 7, ""},           {BORIN, 8, ""},
                        {TELKA, 12, ""},          {NUVIA, 13, T(IDS_ERROR)},
                        {TELKA, 99, T(IDS_ERROR)}};
  for (const Case& c : cases) {
    SetUp();
    Family(c.family);
    gCall.gStatusText = "previous";
    EXPECT_EQ((Effects{"KillTimer TIMER_FALLBACK", "KillTimer TIMER_ANSWER", "Sound stop",
                       "CloseDialog", "OpenDialog"}),
              Event(MOH_ERROR, c.sub));
    EXPECT_EQ(CALLSTATE_ERROR, gCall.gCallState);
    EXPECT_EQ(c.status, gCall.gStatusText) << c.family << " " << c.sub;
  }
}

TEST_F(CallStateMachine, UnknownEventsChangeNothingButRefreshTheDialog) {
  Family(TELKA);
  Event(MOH_MODEM_ACTIVE);
  EXPECT_EQ((Effects{"CloseDialog"}), Event(0));
  EXPECT_EQ(CALLSTATE_MODEM_ACTIVE, gCall.gCallState);
  gCall.gCallState = CALLSTATE_SWITCH_TO_VOICE;
  gCall.gStatusText = "held";
  EXPECT_EQ((Effects{"CloseDialog", "OpenDialog"}), Event(19, 5));
  EXPECT_EQ(CALLSTATE_SWITCH_TO_VOICE, gCall.gCallState);
  EXPECT_EQ("held", gCall.gStatusText);
}

TEST_F(CallStateMachine, BorinReinitialisesOnModemActiveAndStopsAtOnceWhenThatFails) {
  Family(BORIN);
  gModem.gpModems[0] = fake::Modem(BORIN, "Borin", "COM4");
  int result = 0;
  EXPECT_EQ((Effects{"CloseDialog"}), Event(MOH_MODEM_ACTIVE, 0, &result));
  EXPECT_EQ(0, result);
  EXPECT_EQ(1, gCall.gOnline);
  EXPECT_EQ(1, gCall.gMohSession);
  EXPECT_STREQ("Borin", fake::TheLibrary().initializedWith.DisplayName);

  SetUp();
  Family(BORIN);
  fake::TheLibrary().initResult = 0;
  gCall.gStatusText = "before";
  gCall.gVoiceActive = gCall.gPlacingCall = 1;
  EXPECT_EQ((Effects{}), Event(MOH_MODEM_ACTIVE, 0, &result));
  EXPECT_EQ(-1, result);
  EXPECT_EQ(CALLSTATE_MODEM_ACTIVE, gCall.gCallState);
  EXPECT_EQ(0, gCall.gVoiceActive);
  EXPECT_EQ(0, gCall.gPlacingCall);
  EXPECT_EQ("before", gCall.gStatusText);
}

TEST_F(CallStateMachine, BorinModemActiveReportedDuringItsOwnInitialisationStartsNoOther) {
  Family(BORIN);
  gModem.gpModems[0] = fake::Modem(BORIN, "Borin", "COM4");
  fake::TheLibrary().initEvents = {{3, 0}};  // every initialisation reports "modem active"
  Event(MOH_MODEM_ACTIVE);
  ASSERT_EQ((std::vector<std::pair<int, int>>{{3, 0}}), fake::PostedEvents());
  EXPECT_EQ(1u, LibraryCalls().size());

  // The echo arrives: the modem is active, bound once, and no further echo follows.
  fake::PostedEvents().clear();
  gCall.gOnline = gCall.gMohSession = 0;
  int result = -1;
  EXPECT_EQ((Effects{"CloseDialog"}), Event(MOH_MODEM_ACTIVE, 0, &result));
  EXPECT_EQ(0, result);
  EXPECT_TRUE(LibraryCalls().empty());
  EXPECT_TRUE(fake::PostedEvents().empty());
  EXPECT_EQ(CALLSTATE_MODEM_ACTIVE, gCall.gCallState);
  EXPECT_EQ(1, gCall.gOnline);
  EXPECT_EQ(1, gCall.gMohSession);
  EXPECT_EQ(T(IDS_MODEM_ACTIVE), gCall.gStatusText);

  // The line's own "modem active" later still re-binds.
  fake::TheLibrary().initEvents.clear();
  Event(MOH_MODEM_ACTIVE);
  EXPECT_EQ(1u, LibraryCalls().size());
  Event(MOH_INCOMING_CALL, 1);
  EXPECT_EQ(CALLSTATE_INCOMING_CALL, gCall.gCallState);
}

TEST_F(CallStateMachine, ControlCharactersOfTheCallerIdAreEscapedInTheLogOnly) {
  Family(TELKA);
  Event(MOH_MODEM_ACTIVE);
  fake::TheLibrary().callerId = "Name :Erika\r\n12-7-2003 9:5:3 - MOH Request granted by server.";
  Event(MOH_INCOMING_CALL, 1);
  EXPECT_EQ("Name :Erika\\x0D\\x0A12-7-2003 9:5:3 - MOH Request granted by server.",
            log_.Texts().back());
  EXPECT_EQ(fake::TheLibrary().callerId, gCall.gCallerIdText);
}

TEST_F(CallStateMachine, RemoteTimeoutStopsTheCountdown) {
  Family(TELKA);
  Event(MOH_MODEM_ACTIVE);
  Event(MOH_INCOMING_CALL, 1);
  Event(MOH_GRANTED, 6);
  EXPECT_EQ((Effects{"KillTimer TIMER_HOLD_TICK", "CloseDialog", "OpenDialog"}),
            Event(MOH_REMOTE_TIMEOUT));
  EXPECT_EQ(CALLSTATE_REMOTE_TIMEOUT, gCall.gCallState);
  EXPECT_EQ(0, gCall.gMohSession);
}

TEST_F(CallStateMachine, OfflineAndOtherStates) {
  Family(TELKA);
  Event(MOH_MODEM_ACTIVE);
  Event(MOH_INCOMING_CALL, 1);
  EXPECT_EQ((Effects{"KillTimer TIMER_FALLBACK", "CloseDialog"}), Event(MOH_MODEM_IDLE));
  EXPECT_EQ(0, gCall.gOnline);
  EXPECT_EQ(0, gCall.gMohSession);
  EXPECT_EQ(T(IDS_MODEM_IDLE), gCall.gStatusText);
  const std::pair<int, unsigned> rows[] = {{1, 32801}, {2, 32802}, {17, 32852}, {15, 32842}};
  for (auto [event, id] : rows) {
    Event(event);
    EXPECT_EQ(event, gCall.gCallState);
    EXPECT_EQ(T(id), gCall.gStatusText);
  }
  Event(MOH_DATA_DISCONNECTED);
  EXPECT_EQ(T(IDS_DATA_DISCONNECTED), gCall.gStatusText);
  Family(NUVIA);
  Event(MOH_DATA_DISCONNECTED);
  EXPECT_EQ(T(IDS_DATA_DISCONNECTED_IDLE), gCall.gStatusText);
  Event(MOH_DATA_RESUMED);
  EXPECT_EQ(T(IDS_DATA_RESUMED), gCall.gStatusText);
}

TEST_F(CallStateMachine, TrayIconIsAddedAtOnceThenRefreshedEveryThreeSeconds) {
  StartTrayRefresh(ProgramCallRoad(player_));
  OnPlayerTimer(ProgramCallRoad(player_), 5);
  OnPlayerTimer(ProgramCallRoad(player_), 4);   // the click timer is not this handler's
  OnPlayerTimer(ProgramCallRoad(player_), 99);  // nor any other
  EXPECT_EQ((Effects{"SetTimer TIMER_TRAY_REFRESH 3000", "Tray add <102>", "Tray modify <102>"}),
            player_.effects);
}

}  // namespace
