// What the three modem families, and a family the program does not know, do differently on the
// call road: one row an event, family and setting, with the state, status text, flags, timers,
// posts, library calls and dialog it must leave. The rows are written from the rules of the
// event handler and the hold timer, not from the family table: changing one cell of that table
// or one guard of the handler fails a row.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Fakes.h"
#include "ProgramRoads.h"
#include "RecordingPlayer.h"
#include "base/Messages.h"
#include "call/CallEvents.h"
#include "call/CallState.h"
#include "call/HoldTimer.h"
#include "moh/MohApi.h"
#include "moh/MohSettings.h"

namespace {

constexpr int T = 1, B = 2, N = 3, U = 7;  // TELKA, BORIN, NUVIA, a type nobody knows

// The call as the row finds it. "before" is its status text.
struct Given {
  int state;
  bool online, session, voice, placing;
};
constexpr Given kActive{3, true, false, true, true};     // online, nothing pending
constexpr Given kOffline{4, false, false, true, true};   // no data connection
constexpr Given kOffered{5, true, true, false, true};    // a call rings, session running
constexpr Given kRinging{5, true, false, false, false};  // a call rings, no session yet
constexpr Given kOnHold{8, true, true, true, true};      // in the voice call, data held
constexpr Given kNoSession{8, true, false, true, true};  // on hold by the library's count only

// The status text a row expects: "" for none, "=" for the one it found.
std::string Id(unsigned id) { return RecordingPlayer::Text(id); }
std::string WithCaller(unsigned id) { return Id(id) + "\nC"; }
const std::string kSame = "=";
const std::string kPrompt = Id(32809) + " 15 " + Id(32873) + "\nC";
const std::string kPlacePrompt = Id(32891);
const std::string kWarning = Id(32810) + "  30 " + Id(32873) + "\nC";

struct Row {
  const char* what;
  int family;
  int enable;  // gEnableMOH
  Given given;
  int event, value;
  // What it leaves: state, status text, online, session, voice, placing.
  int state;
  std::string text;
  bool online, session, voice, placing;
  // Timers, posts and the dialog in order ("+FALLBACK 15000", "-ANSWER", "post DENIED 0",
  // "dialog" when one is opened); the library's calls ("caller", "init", "cmd 7").
  const char* effects;
  const char* library;
};

// clang-format off
const Row kRows[] = {
  // 1, 2, 17: no family-dependent steps.
  {"event 1", U, 1, kActive, 1, 0, 1, "", 1, 0, 1, 1, "dialog", ""},
  {"access failed", T, 1, kActive, 2, 0, 2, Id(32802), 1, 0, 1, 1, "dialog", ""},
  {"modem unavailable", N, 1, kActive, 17, 0, 17, Id(32852), 1, 0, 1, 1, "dialog", ""},
  // 3 modem active: TELKA keeps the line's state, BORIN binds again, NUVIA and others do not.
  {"active T", T, 1, kOffline, 3, 0, 3, Id(32803), 1, 0, 0, 0, "", ""},
  {"active B", B, 1, kOffline, 3, 0, 3, Id(32803), 1, 1, 0, 0, "", "init"},
  {"active N", N, 1, kOffline, 3, 0, 3, Id(32803), 0, 0, 0, 0, "", ""},
  {"active U", U, 1, kOffline, 3, 0, 3, Id(32803), 0, 0, 0, 0, "", ""},
  // 4 modem idle: only TELKA's own flags go down.
  {"idle T", T, 1, kOnHold, 4, 0, 4, Id(32804), 0, 0, 0, 0, "-FALLBACK", ""},
  {"idle B", B, 1, kOnHold, 4, 0, 4, Id(32804), 1, 1, 0, 0, "-FALLBACK", ""},
  {"idle N", N, 1, kOnHold, 4, 0, 4, Id(32804), 1, 1, 0, 0, "-FALLBACK", ""},
  {"idle U", U, 1, kOnHold, 4, 0, 4, Id(32804), 1, 1, 0, 0, "-FALLBACK", ""},
  // 5 incoming call: TELKA only while online, the session and fall-back only with exactly 1.
  {"call T", T, 1, kActive, 5, 1, 5, Id(32805), 1, 1, 0, 0, "+FALLBACK 15000, log", "caller"},
  {"call T in a session", T, 1, kOffered, 5, 1, 5, Id(32805), 1, 1, 0, 0, "log", "caller"},
  {"call T offline", T, 1, kOffline, 5, 1, 4, kSame, 0, 0, 1, 0, "", ""},
  {"call T, MOH 2", T, 2, kActive, 5, 1, 5, Id(32805), 1, 0, 1, 0, "log", "caller"},
  {"call T, MOH 0", T, 0, kActive, 5, 1, 5, Id(32805), 1, 0, 1, 0, "log", "caller"},
  {"call B offline", B, 1, kOffline, 5, 1, 5, Id(32805), 0, 0, 1, 0, "+FALLBACK 15000, log",
   "caller"},
  {"call B, MOH 2", B, 2, kActive, 5, 1, 5, Id(32805), 1, 0, 1, 0, "+FALLBACK 15000, log",
   "caller"},
  {"call N, MOH 0", N, 0, kActive, 5, 1, 5, Id(32805), 1, 0, 1, 0, "log", "caller"},
  {"call N without caller ID", N, 1, kActive, 5, 0, 5, Id(32805), 1, 0, 1, 0, "+FALLBACK 15000",
   ""},
  {"call U", U, 1, kActive, 5, 1, 3, kSame, 1, 0, 1, 0, "", ""},
  // 6 denied and 18 not supported: TELKA only from state 5 while online, with any nonzero MOH.
  {"denied T", T, 1, kRinging, 6, 0, 6, Id(32805), 1, 0, 0, 0, "-FALLBACK, dialog", ""},
  {"not supported T, MOH 2", T, 2, kRinging, 18, 0, 6, Id(32805), 1, 0, 0, 0,
   "-FALLBACK, dialog", ""},
  {"denied T, MOH 0", T, 0, kRinging, 6, 0, 5, kSame, 1, 0, 0, 0, "-FALLBACK", ""},
  {"denied T offline", T, 1, Given{5, false, false, true, false}, 6, 0, 5, kSame, 0, 0, 0, 0,
   "-FALLBACK", ""},
  {"denied T on hold", T, 1, kOnHold, 18, 0, 8, kSame, 1, 1, 0, 1, "-FALLBACK, dialog", ""},
  {"denied B while placing", B, 1, kActive, 6, 0, 6, Id(32808), 1, 0, 0, 1,
   "+FALLBACK 5000, dialog", ""},
  {"denied N, MOH 2", N, 2, kRinging, 18, 0, 6, Id(32805), 1, 0, 0, 0, "+FALLBACK 5000, dialog",
   ""},
  {"denied B, MOH 0", B, 0, kRinging, 6, 0, 5, kSame, 1, 0, 0, 0, "", ""},
  {"denied U", U, 1, kRinging, 6, 0, 5, kSame, 1, 0, 0, 0, "", ""},
  // 7 granted: TELKA online with exactly 1, two seconds of headroom, 15 s to answer; the others
  // with any nonzero MOH, go online, 60 s to answer; index 0 is a denial, which BORIN and NUVIA
  // follow with a hold of no time that runs out at once.
  {"granted T", T, 1, kOffered, 7, 6, 7, kPlacePrompt, 1, 1, 0, 1,
   "-FALLBACK, +HOLD_TICK 1000, +ANSWER 15000, dialog", ""},
  {"granted T, MOH 2", T, 2, kOffered, 7, 6, 5, kSame, 1, 1, 0, 1, "-FALLBACK", ""},
  {"granted T offline", T, 1, Given{5, false, true, true, false}, 7, 6, 5, kSame, 0, 1, 0, 0,
   "-FALLBACK", ""},
  {"granted T, index 0", T, 1, kOffered, 7, 0, 6, Id(32805), 1, 0, 0, 1,
   "-FALLBACK, post DENIED 0, dialog", ""},
  {"granted B offline", B, 1, Given{5, false, false, false, false}, 7, 6, 7, kPrompt, 1, 0, 0, 0,
   "-FALLBACK, +HOLD_TICK 1000, +ANSWER 60000, dialog", ""},
  {"granted N, MOH 2", N, 2, kRinging, 7, 6, 7, kPrompt, 1, 0, 0, 0,
   "-FALLBACK, +HOLD_TICK 1000, +ANSWER 60000, dialog", ""},
  {"granted N, index 0", N, 1, kRinging, 7, 0, 10, kPrompt, 1, 0, 0, 0,
   "-FALLBACK, post DENIED 0, +HOLD_TICK 1000, -HOLD_TICK, post TIMEOUT 0, +ANSWER 60000", ""},
  {"granted B, MOH 0", B, 0, kRinging, 7, 6, 5, kSame, 1, 0, 0, 0, "-FALLBACK", ""},
  {"granted U", U, 1, kRinging, 7, 6, 5, kSame, 1, 0, 0, 0, "-FALLBACK", ""},
  // 8 switch to voice: the same everywhere.
  {"voice U", U, 1, kOffered, 8, 0, 8, WithCaller(32872), 1, 1, 1, 1,
   "-FALLBACK, -ANSWER, dialog", ""},
  // 9 warning: TELKA online in a session with exactly 1; the others with exactly 1.
  {"warning T", T, 1, kOnHold, 9, 0, 9, kWarning, 1, 1, 1, 1, "-FALLBACK, -ANSWER, dialog", ""},
  {"warning T without session", T, 1, kNoSession, 9, 0, 8, kSame, 1, 0, 1, 1,
   "-FALLBACK, -ANSWER, dialog", ""},
  {"warning T, MOH 2", T, 2, kOnHold, 9, 0, 8, kSame, 1, 1, 1, 1, "-FALLBACK, -ANSWER, dialog",
   ""},
  {"warning B", B, 1, kNoSession, 9, 0, 9, kWarning, 1, 0, 1, 1, "-FALLBACK, -ANSWER, dialog",
   ""},
  {"warning N, MOH 2", N, 2, kNoSession, 9, 0, 8, kSame, 1, 0, 1, 1,
   "-FALLBACK, -ANSWER, dialog", ""},
  {"warning U", U, 1, kOnHold, 9, 0, 8, kSame, 1, 1, 1, 1, "-FALLBACK, -ANSWER, dialog", ""},
  // BORIN and NUVIA do not keep the line's state: the warning and the timeout count offline too,
  // where TELKA's do not.
  {"warning B offline", B, 1, Given{8, false, false, true, true}, 9, 0, 9, kWarning, 0, 0, 1, 1,
   "-FALLBACK, -ANSWER, dialog", ""},
  {"warning T offline", T, 1, Given{8, false, true, true, true}, 9, 0, 8, kSame, 0, 1, 1, 1,
   "-FALLBACK, -ANSWER, dialog", ""},
  // 10 timeout: TELKA online in a session with exactly 1; the others with any nonzero MOH, and
  // NUVIA drops the data call.
  {"timeout T", T, 1, kOnHold, 10, 0, 10, WithCaller(32811), 1, 1, 1, 1, "-FALLBACK, -ANSWER",
   ""},
  {"timeout T without session", T, 1, kNoSession, 10, 0, 8, kSame, 1, 0, 1, 1,
   "-FALLBACK, -ANSWER, dialog", ""},
  {"timeout B, MOH 2", B, 2, kNoSession, 10, 0, 10, WithCaller(32811), 1, 0, 1, 1,
   "-FALLBACK, -ANSWER", ""},
  {"timeout N", N, 1, kNoSession, 10, 0, 10, WithCaller(32811), 1, 0, 1, 1, "-FALLBACK, -ANSWER",
   "cmd 7"},
  {"timeout N offline", N, 1, Given{8, false, false, true, true}, 10, 0, 10, WithCaller(32811), 0,
   0, 1, 1, "-FALLBACK, -ANSWER", "cmd 7"},
  {"timeout T offline", T, 1, Given{8, false, true, true, true}, 10, 0, 8, kSame, 0, 1, 1, 1,
   "-FALLBACK, -ANSWER, dialog", ""},
  {"timeout N, MOH 0", N, 0, kNoSession, 10, 0, 8, kSame, 1, 0, 1, 1,
   "-FALLBACK, -ANSWER, dialog", ""},
  {"timeout U", U, 1, kOnHold, 10, 0, 8, kSame, 1, 1, 1, 1, "-FALLBACK, -ANSWER, dialog", ""},
  // 11 data disconnected and 12 data resumed: each family's text; TELKA ends its session.
  {"disconnected T", T, 1, kOnHold, 11, 0, 11, Id(32830), 1, 0, 0, 1,
   "-FALLBACK, -ANSWER, dialog", ""},
  {"disconnected B", B, 1, kOnHold, 11, 0, 11, Id(32848), 1, 1, 0, 1,
   "-FALLBACK, -ANSWER, dialog", ""},
  {"disconnected U", U, 1, kOnHold, 11, 0, 8, kSame, 1, 1, 0, 1, "-FALLBACK, -ANSWER, dialog",
   ""},
  {"resumed T", T, 1, kOnHold, 12, 0, 12, Id(32831), 1, 0, 0, 1, "-ANSWER, -FALLBACK", ""},
  {"resumed B", B, 1, kOnHold, 12, 0, 12, Id(32847), 1, 1, 0, 1, "-ANSWER, -FALLBACK", ""},
  {"resumed N", N, 1, kOnHold, 12, 0, 12, Id(32847), 1, 1, 0, 1, "-ANSWER, -FALLBACK", ""},
  {"resumed U", U, 1, kOnHold, 12, 0, 8, kSame, 1, 1, 0, 1, "-ANSWER, dialog", ""},
  // 13 error: sub-code 0 shows the general text on TELKA and BORIN only.
  {"error 0 T", T, 1, kOnHold, 13, 0, 13, Id(32813), 1, 1, 0, 1, "-FALLBACK, -ANSWER, dialog",
   ""},
  {"error 0 B", B, 1, kOnHold, 13, 0, 13, Id(32813), 1, 1, 0, 1, "-FALLBACK, -ANSWER, dialog",
   ""},
  {"error 0 N", N, 1, kOnHold, 13, 0, 13, kSame, 1, 1, 0, 1, "-FALLBACK, -ANSWER, dialog", ""},
  {"error 0 U", U, 1, kOnHold, 13, 0, 13, kSame, 1, 1, 0, 1, "-FALLBACK, -ANSWER, dialog", ""},
  {"error 13 N", N, 1, kOnHold, 13, 13, 13, Id(32813), 1, 1, 0, 1, "-FALLBACK, -ANSWER, dialog",
   ""},
  // 14 restoring: TELKA acknowledges and ends its session.
  {"restoring T", T, 1, kOnHold, 14, 0, 14, WithCaller(32838), 1, 0, 0, 1, "-FALLBACK, dialog",
   "cmd 6"},
  {"restoring B", B, 1, kOnHold, 14, 0, 14, WithCaller(32838), 1, 1, 0, 1, "-FALLBACK, dialog",
   ""},
  {"restoring N", N, 1, kOnHold, 14, 0, 14, WithCaller(32838), 1, 1, 0, 1, "-FALLBACK, dialog",
   ""},
  {"restoring U", U, 1, kOnHold, 14, 0, 14, WithCaller(32838), 1, 1, 0, 1, "-FALLBACK, dialog",
   ""},
  // 15 session terminated, 16 remote timeout.
  {"terminated N", N, 1, kOnHold, 15, 0, 15, Id(32842), 1, 1, 0, 1,
   "-FALLBACK, -ANSWER, dialog", ""},
  {"remote timeout T", T, 1, kOnHold, 16, 0, 16, Id(32849), 1, 0, 0, 1, "-HOLD_TICK, dialog",
   ""},
  {"remote timeout B", B, 1, kOnHold, 16, 0, 16, Id(32849), 1, 1, 0, 1, "-HOLD_TICK, dialog",
   ""},
  {"remote timeout N", N, 1, kOnHold, 16, 0, 16, Id(32849), 1, 1, 0, 1, "-HOLD_TICK, dialog",
   ""},
  // Codes outside 1..18: nothing but the dialog for the state as it is.
  {"code 19", T, 1, kOnHold, 19, 0, 8, kSame, 1, 1, 1, 1, "dialog", ""},
  {"code 0", N, 1, kActive, 0, 0, 3, kSame, 1, 0, 1, 1, "", ""},
};
// clang-format on

// The effects as a row writes them: tray refreshes, sounds and the closing of the old dialog
// left out.
std::string Compact(const std::vector<std::string>& effects) {
  std::string out;
  const auto add = [&out](const std::string& item) { out += (out.empty() ? "" : ", ") + item; };
  for (const std::string& effect : effects) {
    if (effect.rfind("SetTimer TIMER_", 0) == 0) {
      add("+" + effect.substr(15));
    } else if (effect.rfind("KillTimer TIMER_", 0) == 0) {
      add("-" + effect.substr(16));
    } else if (effect.rfind("Post MOH_", 0) == 0) {
      add("post " + effect.substr(9));
    } else if (effect == "OpenDialog") {
      add("dialog");
    } else if (effect == "RefreshCallLog") {
      add("log");
    } else if (effect == "Sound beep.wav once") {
      add("beep");
    }
  }
  return out;
}

std::string CompactLibrary(const std::vector<std::string>& calls) {
  std::string out;
  const auto add = [&out](const std::string& item) { out += (out.empty() ? "" : ", ") + item; };
  for (const std::string& call : calls) {
    if (call.rfind("MohInitialize(", 0) == 0) {
      add("init");
    } else if (call.rfind("MohGetParam(handle=0, id=7", 0) == 0) {
      add("caller");
    } else if (call.rfind("MohCommand(handle=0, command=", 0) == 0) {
      add("cmd " + call.substr(29, call.size() - 30));
    } else {
      add(call);
    }
  }
  return out;
}

class FamilyRoad : public fake::LoggingTest {
 protected:
  RecordingPlayer player_;
};

TEST_F(FamilyRoad, EveryFamilyTakesEachEventItsOwnWay) {
  for (const Row& row : kRows) {
    SCOPED_TRACE(row.what);
    fake::ResetAll();
    gSettings.gMohModemType = row.family;
    gSettings.gEnableMOH = row.enable;
    gSettings.gCallerID = 1;
    gSettings.gWarn = 1;
    gSettings.gWarnTimeMs = 30000;
    gCall.gCallState = row.given.state;
    gCall.gOnline = row.given.online;
    gCall.gMohSession = row.given.session;
    gCall.gVoiceActive = row.given.voice;
    gCall.gPlacingCall = row.given.placing;
    gCall.gStatusText = "before";
    gCall.gCallerIdText = "C";
    fake::TheLibrary().callerId = "C";
    fake::TheLibrary().calls.clear();
    player_.effects.clear();

    HandleMohEvent(ProgramCallRoad(player_), row.event, row.value);

    EXPECT_EQ(row.state, gCall.gCallState);
    EXPECT_EQ(row.text == kSame ? "before" : row.text, gCall.gStatusText);
    EXPECT_EQ(row.online, gCall.gOnline);
    EXPECT_EQ(row.session, gCall.gMohSession);
    EXPECT_EQ(row.voice, gCall.gVoiceActive);
    EXPECT_EQ(row.placing, gCall.gPlacingCall);
    EXPECT_EQ(row.effects, Compact(player_.Take()));
    EXPECT_EQ(row.library, CompactLibrary(fake::TheLibrary().calls));
  }
}

// A BORIN initialisation that fails on "modem active" stops the handler at once: the state is
// already 3, the text and the dialog are left as they were.
TEST_F(FamilyRoad, ABorinRebindThatFailsStopsTheHandler) {
  gSettings.gMohModemType = B;
  gSettings.gEnableMOH = 1;
  gCall.gStatusText = "before";
  gCall.gVoiceActive = true;
  fake::TheLibrary().initResult = 0;
  EXPECT_EQ(-1, HandleMohEvent(ProgramCallRoad(player_), MOH_MODEM_ACTIVE, 0));
  EXPECT_EQ(3, gCall.gCallState);
  EXPECT_EQ("before", gCall.gStatusText);
  EXPECT_FALSE(gCall.gVoiceActive);
  EXPECT_FALSE(gCall.gOnline);
  EXPECT_EQ("", Compact(player_.Take()));
}

// One second of the hold countdown (TIMER_HOLD_TICK), by family and warning setting.
struct Tick {
  const char* what;
  int family;
  int warn, warnMs, mute;
  // The countdown as the step finds it.
  int state;
  bool online, session;
  int remainingMs, answerMs, beeps;
  // What it leaves.
  int stateAfter;
  bool sessionAfter;
  int remainingAfter;
  const char* holdText;
  const char* answerText;
  int beepsAfter;
  const char* effects;
};

// clang-format off
const Tick kTicks[] = {
  // The line gone: idle, data dropped or back, offline. TELKA's session ends with it.
  {"idle T", T, 1, 30000, 0, 4, true, true, 50000, 5000, 3, 4, false, 0, "00:00:00", "00:00", 3,
   "-HOLD_TICK"},
  {"disconnected B", B, 1, 30000, 0, 11, true, true, 50000, 5000, 3, 11, true, 0, "00:00:00",
   "00:00", 3, "-HOLD_TICK"},
  {"resumed N", N, 1, 30000, 0, 12, true, false, 50000, 5000, 3, 12, false, 0, "00:00:00", "00:00",
   3, "-HOLD_TICK"},
  {"offline T", T, 1, 30000, 0, 8, false, true, 50000, 0, 3, 8, false, 0, "00:00:00", "00:00", 3,
   "-HOLD_TICK"},
  {"offline N", N, 1, 30000, 0, 8, false, true, 50000, 0, 3, 8, true, 0, "00:00:00", "00:00", 3,
   "-HOLD_TICK"},
  // Counting, and the warning at the warning time: TELKA's session is written with it.
  {"counts", T, 1, 30000, 0, 8, true, true, 95000, 0, 3, 8, true, 94000, "00:01:34", "00:00", 3,
   ""},
  {"warning T", T, 1, 30000, 0, 8, true, false, 31000, 0, 3, 9, true, 30000, "00:00:30", "00:00",
   0, "beep"},
  {"warning B", B, 1, 30000, 0, 8, true, false, 31000, 0, 3, 9, false, 30000, "00:00:30",
   "00:00", 0, "beep"},
  {"warning at 60 s", N, 1, 60000, 0, 8, true, false, 61000, 0, 3, 9, false, 60000, "00:01:00",
   "00:00", 0, "beep"},
  {"above 50 s", N, 1, 50000, 0, 8, true, false, 52000, 0, 3, 8, false, 51000, "00:00:51",
   "00:00", 3, ""},
  {"not while answering", T, 1, 30000, 0, 7, true, true, 20000, 5000, 3, 7, true, 19000,
   "00:00:19", "00:04", 3, ""},
  {"warning off", T, 0, 30000, 0, 8, true, true, 20000, 0, 3, 8, true, 19000, "00:00:19", "00:00",
   3, ""},
  {"warning 2", T, 2, 30000, 0, 8, true, true, 20000, 0, 3, 8, true, 19000, "00:00:19", "00:00",
   3, ""},
  // The beep every third step in state 9, unless muted.
  {"between beeps", B, 1, 30000, 0, 9, true, false, 20000, 0, 0, 9, false, 19000, "00:00:19",
   "00:00", 1, ""},
  {"third step", B, 1, 30000, 0, 9, true, false, 20000, 0, 2, 9, false, 19000, "00:00:19",
   "00:00", 0, "beep"},
  {"muted", T, 1, 30000, 1, 9, true, true, 20000, 0, 3, 9, true, 19000, "00:00:19", "00:00", 3,
   ""},
  // The hold used up: a timeout in states 8 and 9, nothing in 10; state 15 stops the count.
  {"timeout in 8 T", T, 1, 30000, 0, 8, true, true, 0, 0, 3, 10, false, 0, "00:00:00", "00:00", 3,
   "-HOLD_TICK, post TIMEOUT 0"},
  {"timeout in 9 B", B, 1, 30000, 0, 9, true, true, 0, 0, 3, 10, true, 0, "00:00:00", "00:00", 3,
   "-HOLD_TICK, post TIMEOUT 0"},
  {"used up in 10", N, 1, 30000, 0, 10, true, false, 0, 0, 3, 10, false, 0, "00:00:00", "00:00",
   3, ""},
  {"reconnecting", N, 1, 30000, 0, 15, true, false, 5000, 3000, 3, 15, false, 0, "00:00:00",
   "00:00", 3, "-HOLD_TICK"},
  // The answer countdown's text: whole seconds, minutes always "00", also at exactly 0 ms.
  {"answer at 0 ms", B, 1, 30000, 0, 7, true, false, 90000, 1000, 3, 7, false, 89000, "00:01:29",
   "00:00", 3, ""},
  {"answer a minute", B, 1, 30000, 0, 7, true, false, 90000, 61000, 3, 7, false, 89000,
   "00:01:29", "00:60", 3, ""},
};
// clang-format on

TEST_F(FamilyRoad, EachSecondOfTheHoldCountsWarnsAndEndsByTheRules) {
  for (const Tick& tick : kTicks) {
    SCOPED_TRACE(tick.what);
    fake::ResetAll();
    gSettings.gMohModemType = tick.family;
    gSettings.gEnableMOH = 1;
    gSettings.gWarn = tick.warn;
    gSettings.gWarnTimeMs = tick.warnMs;
    gSettings.MuteWarnTone = tick.mute;
    gCall.gCallState = tick.state;
    gCall.gOnline = tick.online;
    gCall.gMohSession = tick.session;
    gCall.gHoldRemainingMs = tick.remainingMs;
    gCall.gAnswerRemainingMs = tick.answerMs;
    gCall.gBeepCount = tick.beeps;
    gCall.gHoldText = "stale";  // each step writes both texts anew
    gCall.gAnswerText = "stale";
    gCall.gLastTickCount = player_.now;
    player_.now += 1000;
    player_.effects.clear();

    HandleTimer(ProgramCallRoad(player_), TIMER_HOLD_TICK);

    EXPECT_EQ(tick.stateAfter, gCall.gCallState);
    EXPECT_EQ(tick.sessionAfter, gCall.gMohSession);
    EXPECT_EQ(tick.remainingAfter, gCall.gHoldRemainingMs);
    EXPECT_EQ(tick.holdText, gCall.gHoldText);
    EXPECT_EQ(tick.answerText, gCall.gAnswerText);
    EXPECT_EQ(tick.beepsAfter, gCall.gBeepCount);
    EXPECT_EQ(tick.effects, Compact(player_.Take()));
  }
}

}  // namespace
