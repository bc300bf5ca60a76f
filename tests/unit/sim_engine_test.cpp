// The simulated line and provider: what each command and each happening leads to, delivered
// the way the DLL's event thread delivers it (earliest due first, raising order among equals).
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "Engine.h"
#include "moh/MohApi.h"

namespace {

using Events = std::vector<std::pair<int, int>>;

class Line {
 public:
  explicit Line(sim::SimConfig config = {}, int family = TELKA) : engine_(config) {
    std::vector<sim::Scheduled> out;
    engine_.Initialize(family, out);
    Deliver(out);
  }

  Events Command(int code, int* result = nullptr) {
    std::vector<sim::Scheduled> out;
    const int r = engine_.Command(code, out);
    if (result) *result = r;
    return Deliver(out);
  }

  Events Control(const std::string& line, std::string* reply = nullptr) {
    std::string error;
    auto command = sim::ParseControlLine(line, &error);
    EXPECT_TRUE(command) << error;
    std::vector<sim::Scheduled> out;
    const std::string r = engine_.Control(*command, out);
    if (reply) *reply = r;
    return Deliver(out);
  }

  sim::Engine& engine() { return engine_; }

  // Delivers in due order; returns what reached the callback.
  Events Deliver(std::vector<sim::Scheduled> scheduled) {
    std::stable_sort(
        scheduled.begin(), scheduled.end(),
        [](const sim::Scheduled& a, const sim::Scheduled& b) { return a.delayMs < b.delayMs; });
    Events delivered;
    for (const sim::Scheduled& event : scheduled) {
      if (engine_.Deliver(event)) delivered.emplace_back(event.code, event.value);
    }
    return delivered;
  }

 private:
  sim::Engine engine_;
};

sim::SimConfig Config(sim::HoldAnswer answer = sim::HoldAnswer::Grant, int index = 6) {
  sim::SimConfig config;
  config.holdAnswer = answer;
  config.holdIndex = index;
  return config;
}

TEST(SimEngine, IncomingCallIsAnsweredByTheProviderThenTheUserTakesItAndDataComesBack) {
  Line line(Config(), NUVIA);
  EXPECT_EQ((Events{{MOH_MODEM_ACTIVE, 0}}), line.Control("online"));
  EXPECT_EQ((Events{{MOH_INCOMING_CALL, 1}, {MOH_GRANTED, 6}}), line.Control("call Nummer :1"));
  EXPECT_EQ("Nummer :1", line.engine().CallerId());
  EXPECT_EQ((Events{{MOH_SWITCH_TO_VOICE, 0}}), line.Command(MOH_CMD_ACCEPT));
  EXPECT_EQ(sim::LineState::Voice, line.engine().State());
  EXPECT_EQ((Events{{MOH_RESTORING, 0}, {MOH_DATA_RESUMED, 0}}), line.Command(MOH_CMD_RESUME_DATA));
  EXPECT_EQ(sim::LineState::Online, line.engine().State());
}

TEST(SimEngine, TelkaWaitsForTheRestoreAcknowledgement) {
  Line line(Config(), TELKA);
  line.Control("online");
  line.Control("call");
  line.Command(MOH_CMD_ACCEPT);
  EXPECT_EQ((Events{{MOH_RESTORING, 0}}), line.Command(MOH_CMD_RESUME_DATA));
  EXPECT_EQ((Events{{MOH_DATA_RESUMED, 0}}), line.Command(MOH_CMD_RESTORE_ACK));
  EXPECT_EQ((Events{}), line.Command(MOH_CMD_RESTORE_ACK));  // nothing left to restore
}

TEST(SimEngine, CallWithoutCallerIdHasValueZero) {
  Line line(Config(sim::HoldAnswer::Deny));
  line.Control("online");
  EXPECT_EQ((Events{{MOH_INCOMING_CALL, 0}, {MOH_DENIED, 0}}), line.Control("call"));
}

TEST(SimEngine, ProviderAnswersAsConfigured) {
  Line denies(Config(sim::HoldAnswer::Deny));
  denies.Control("online");
  EXPECT_EQ(MOH_DENIED, denies.Control("call x").back().first);

  Line old(Config(sim::HoldAnswer::Unsupported));
  old.Control("online");
  EXPECT_EQ(MOH_NOT_SUPPORTED, old.Control("call x").back().first);
  EXPECT_EQ(sim::LineState::Online, old.engine().State());
}

TEST(SimEngine, IgnoringDecliningOrDroppingData) {
  Line line;
  line.Control("online");
  line.Control("call x");
  EXPECT_EQ((Events{{MOH_DATA_RESUMED, 0}}), line.Command(MOH_CMD_DECLINE));
  line.Control("call x");
  EXPECT_EQ((Events{{MOH_DATA_DISCONNECTED, 0}}), line.Command(MOH_CMD_DROP_DATA));
  EXPECT_EQ(sim::LineState::Idle, line.engine().State());
  EXPECT_EQ((Events{}), line.Command(MOH_CMD_DROP_DATA));  // no data connection to drop
}

TEST(SimEngine, OriginateAsksForAHoldOnlyWhileOnlineAndIdleOtherwise) {
  Line line(Config(sim::HoldAnswer::Grant, 3));
  int result = -1;
  EXPECT_EQ((Events{}), line.Command(MOH_CMD_ORIGINATE, &result));
  EXPECT_EQ(0, result);

  line.Control("online");
  EXPECT_EQ((Events{{MOH_GRANTED, 3}}), line.Command(MOH_CMD_ORIGINATE, &result));
  EXPECT_NE(0, result);
  EXPECT_EQ((Events{{MOH_SWITCH_TO_VOICE, 0}}), line.Command(MOH_CMD_ACCEPT));
  EXPECT_EQ(0, (line.Command(MOH_CMD_ORIGINATE, &result), result));  // already in a call
}

TEST(SimEngine, AutomaticFollowUpsCanBeSwitchedOffWhileHappeningsStillRaiseTheirEvents) {
  Line line;
  std::string reply;
  line.Control("auto off", &reply);
  EXPECT_EQ("ok auto off", reply);
  EXPECT_EQ((Events{{MOH_MODEM_ACTIVE, 0}}), line.Control("online"));
  EXPECT_EQ((Events{{MOH_INCOMING_CALL, 1}}), line.Control("call x"));
  EXPECT_EQ((Events{{MOH_GRANTED, 13}}), line.Control("grant 13"));
  EXPECT_EQ((Events{}), line.Command(MOH_CMD_ACCEPT));
  EXPECT_EQ((Events{{MOH_TIMEOUT_WARNING, 0}}), line.Control("warn"));
  EXPECT_EQ((Events{{MOH_TIMEOUT, 0}}), line.Control("timeout"));
  EXPECT_EQ((Events{{MOH_REMOTE_TIMEOUT, 0}}), line.Control("remote-timeout"));
  EXPECT_EQ((Events{{MOH_ERROR, 4}}), line.Control("error 4"));
  EXPECT_EQ((Events{{MOH_DENIED, 0}}), line.Control("deny"));
  EXPECT_EQ((Events{{MOH_MODEM_IDLE, 0}}), line.Control("offline"));
  EXPECT_EQ((Events{{99, -3}}), line.Control("event 99 -3"));  // delivered as asked
}

TEST(SimEngine, AFollowUpIsDroppedWhenTheLineMovedOnBeforeItWasDue) {
  Line line;
  line.Control("online");
  std::vector<sim::Scheduled> pending;
  std::string error;
  line.engine().Control(*sim::ParseControlLine("call x", &error), pending);
  ASSERT_EQ(2u, pending.size());  // the call now, the provider's answer later
  EXPECT_TRUE(line.engine().Deliver(pending[0]));
  line.Control("offline");  // the user hangs up the modem before the provider answers
  EXPECT_FALSE(line.engine().Deliver(pending[1]));
}

TEST(SimEngine, CloseStopsEveryEventUntilTheNextInitialisation) {
  Line line;
  line.Control("online");
  std::vector<sim::Scheduled> pending;
  std::string error;
  line.engine().Control(*sim::ParseControlLine("call x", &error), pending);
  line.Command(MOH_CMD_CLOSE);
  for (const sim::Scheduled& event : pending) EXPECT_FALSE(line.engine().Deliver(event));
  std::string reply;
  EXPECT_EQ((Events{}), line.Control("online", &reply));
  EXPECT_EQ("error the engine is closed", reply);

  std::vector<sim::Scheduled> out;
  line.engine().Initialize(TELKA, out);
  EXPECT_EQ((Events{{MOH_MODEM_ACTIVE, 0}}), line.Control("online"));
}

TEST(SimEngine, ReinitialisingAnOpenEngineKeepsTheLine) {
  sim::SimConfig config;
  config.onlineAfterInit = true;
  Line line(config, BORIN);
  EXPECT_EQ(sim::LineState::Online, line.engine().State());
  std::vector<sim::Scheduled> out;
  line.engine().Initialize(BORIN, out);
  EXPECT_TRUE(out.empty());
  EXPECT_EQ(sim::LineState::Online, line.engine().State());
}

TEST(SimEngine, BurstRaisesCountEventsWithRisingValues) {
  Line line;
  const Events events = line.Control("burst 1000 13");
  ASSERT_EQ(1000u, events.size());
  for (int i = 0; i < 1000; ++i) EXPECT_EQ(std::make_pair(13, i), events[i]);
}

// Each caller's text travels with its own call and is the line's from that call's delivery on,
// also for a call right behind a burst of callers: the simulator never pairs a caller with
// another call.
TEST(SimEngine, EveryCallCarriesItsOwnCallerTextEvenBehindABurst) {
  Line line;
  line.Control("online");
  std::vector<sim::Scheduled> out;
  for (const char* command : {"callers 400", "call Nummer :40001", "call"}) {
    std::string error;
    line.engine().Control(*sim::ParseControlLine(command, &error), out);
  }
  EXPECT_EQ(sim::SimConfig{}.callerId, line.engine().CallerId());  // nothing delivered yet
  std::vector<std::pair<int, std::string>> seen;  // value and the line's text, each call
  for (const sim::Scheduled& event : out) {
    if (event.code == MOH_INCOMING_CALL && line.engine().Deliver(event)) {
      seen.emplace_back(event.value, line.engine().CallerId());
    }
  }
  ASSERT_EQ(402u, seen.size());
  for (int n = 1; n <= 400; ++n) {
    EXPECT_EQ(std::make_pair(1, sim::NumberedCallerText(n)), seen[n - 1]) << n;
  }
  EXPECT_EQ(std::make_pair(1, std::string("Nummer :40001")), seen[400]);
  EXPECT_EQ(std::make_pair(0, std::string()), seen[401]);  // without caller ID: none left behind
}

TEST(SimEngine, StatusNamesStateModeAndRecentTraffic) {
  Line line;
  line.Control("online");
  line.Command(MOH_CMD_ORIGINATE);
  std::string reply;
  line.Control("status", &reply);
  EXPECT_NE(std::string::npos, reply.find("state hold-offered")) << reply;
  EXPECT_NE(std::string::npos, reply.find("auto on")) << reply;
  EXPECT_NE(std::string::npos, reply.find("last events: [3 0] [7 6]")) << reply;
  EXPECT_NE(std::string::npos, reply.find("last commands: 8")) << reply;
}

}  // namespace
