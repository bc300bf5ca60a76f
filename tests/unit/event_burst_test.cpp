// A burst of the library's events handled with only the last call dialog built ends exactly
// where handling them one by one, each with its dialog shown and closed, ends.
#include <gtest/gtest.h>

#include "Fakes.h"
#include "ProgramRoads.h"
#include "RecordingPlayer.h"
#include "base/OpenWindows.h"
#include "call/CallDlgLogic.h"
#include "call/CallEvents.h"
#include "call/CallState.h"
#include "calllog/CallLog.h"
#include "moh/MohEvents.h"
#include "moh/MohSettings.h"

namespace {

// What a shown dialog does to the shared state, modelled without a window: its
// initialisation and its showing, and on closing the end of its life.
class ShownDialog : public HeadlessCallDialog {
 public:
  explicit ShownDialog(RecordingPlayer& player)
      : HeadlessCallDialog([](unsigned id) { return RecordingPlayer::Text(id); }, player),
        player_(player) {}
  // A shown dialog plays its sounds itself; only the headless one hands them on.
  void Sound(const char* file, SoundMode mode) override { player_.Sound(file, mode); }

 private:
  RecordingPlayer& player_;
};

class DialogShowingPlayer : public RecordingPlayer {
 public:
  void OpenCallDialog() override {
    RecordingPlayer::OpenCallDialog();
    ShownDialog dialog(*this);
    InitCallDialog(ProgramCallDialogRoad(), dialog);
    CallDialogShown(ProgramCallDialogRoad(), dialog);
    open = true;
  }
  void CloseCallDialog() override {
    RecordingPlayer::CloseCallDialog();
    if (open) gWindows.gCallDlgOpen = 0;
    open = false;
  }
  bool open = false;
};

struct Outcome {
  std::vector<std::string> effects, calls, log;
  std::vector<std::pair<int, int>> posted;
  std::string state;

  bool operator==(const Outcome& o) const {
    return effects == o.effects && calls == o.calls && log == o.log && posted == o.posted &&
           state == o.state;
  }
};

void PrintTo(const Outcome& o, std::ostream* out) {
  *out << o.state << "\n";
  for (const std::string& e : o.effects) *out << "  " << e << "\n";
}

class EventBurst : public fake::LoggingTest {
 protected:
  Outcome Handle(int family, const std::vector<std::pair<int, int>>& events, bool coalesced) {
    SetUp();
    gSettings.gMohModemType = family;
    gSettings.gEnableMOH = gSettings.gCallerID = gSettings.gWarn = 1;
    gSettings.gWarnTimeMs = 30000;
    fake::TheLibrary().callerId = "Datum :07.12. Uhrzeit :09:05 Nummer :0301 Name :Erika";
    DialogShowingPlayer player;
    for (size_t i = 0; i < events.size(); ++i) {
      player.moreEventsQueued = coalesced && i + 1 < events.size();
      HandleMohEvent(ProgramCallRoad(player), events[i].first, events[i].second);
    }
    Outcome outcome;
    for (const std::string& effect : player.Take()) {
      // Building and closing dialogs and rebuilding the open call log are what coalescing
      // saves; everything else must match, and no caller is left unshown at the end.
      if (effect != "OpenDialog" && effect != "CloseDialog" && effect != "RefreshCallLog") {
        outcome.effects.push_back(effect);
      }
    }
    outcome.calls = LibraryCalls();
    outcome.log = log_.Texts();
    outcome.posted = fake::PostedEvents();
    outcome.state =
        "state " + std::to_string(gCall.gCallState) + " status [" + gCall.gStatusText +
        "] caller [" + gCall.gCallerIdText + "] open " + std::to_string(gWindows.gCallDlgOpen) +
        " online " + std::to_string(gCall.gOnline) + " session " +
        std::to_string(gCall.gMohSession) + " voice " + std::to_string(gCall.gVoiceActive) +
        " hold " + std::to_string(gCall.gHoldRemainingMs) + " " + gCall.gHoldText + " " +
        gCall.gAnswerText + " title [" + gWindows.gCallDlgTitle + "]" +
        (gWindows.gCallLogBehind ? " log behind" : "");
    if (player.open) outcome.state += " final dialog";
    return outcome;
  }
};

TEST_F(EventBurst, EndsAsTheSameEventsOneByOne) {
  const std::vector<std::pair<int, int>> road = {
      {MOH_MODEM_ACTIVE, 0},    {MOH_INCOMING_CALL, 1},
      {MOH_GRANTED, 5},         {MOH_SWITCH_TO_VOICE, 0},
      {MOH_TIMEOUT_WARNING, 0}, {MOH_ERROR, 3},
      {MOH_RESTORING, 0},       {MOH_SESSION_TERMINATED, 0},
      {MOH_DATA_RESUMED, 0},    {MOH_INCOMING_CALL, 0},
      {MOH_DENIED, 0},          {99, 0},
      {MOH_GRANTED, 0},         {MOH_GRANTED, 14},
      {MOH_REMOTE_TIMEOUT, 0},  {MOH_ERROR, 0},
      {MOH_ERROR, 40},          {MOH_MODEM_UNAVAILABLE, 0}};
  for (int family : {TELKA, BORIN, NUVIA}) {
    SCOPED_TRACE(family);
    const Outcome oneByOne = Handle(family, road, false);
    EXPECT_EQ(oneByOne, Handle(family, road, true));
    // And every prefix of the road, so that each kind of last event is the one built.
    for (size_t end = 1; end < road.size(); ++end) {
      const std::vector<std::pair<int, int>> part(road.begin(), road.begin() + end);
      ASSERT_EQ(Handle(family, part, false), Handle(family, part, true)) << "first " << end;
    }
  }
}

// The count behind "more events wait": long it would keep the last event's dialog from being
// built, so a post that failed and an event posted from outside (never counted) must not make
// it so.
TEST(PostedEvents, TheCountIsNeverLongerThanWhatWasPostedAndNotHandled) {
  ResetModemActiveEchoes();
  CountPostedEvent();
  CountPostedEvent();
  UncountPostedEvent();  // a post that failed
  EXPECT_TRUE(PostedEventsWaiting());
  UncountPostedEvent();  // its handling
  UncountPostedEvent();  // an event posted from outside, handled
  EXPECT_FALSE(PostedEventsWaiting());
  CountPostedEvent();
  EXPECT_TRUE(PostedEventsWaiting());
  UncountPostedEvent();
  EXPECT_FALSE(PostedEventsWaiting());
}

}  // namespace
