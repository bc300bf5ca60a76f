// Walks random orders of the call road under every family and setting: the library's events,
// the re-posts that carry them, the program's timers, the call dialog's buttons (its reminder
// runs further steps in its message loop, as the real box does), the tray's commands with their
// own boxes, time passing and the program ending. After every step the rules below must hold; a
// broken one is printed with the shortest order of steps found that breaks it.
// PARKO_EXPLORE_WALKS=N walks N random orders per setting instead of the fixed ones.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>

#include "FakeMessageLoop.h"
#include "Fakes.h"
#include "ProgramRoads.h"
#include "base/InstallOptions.h"
#include "base/Messages.h"
#include "base/OpenWindows.h"
#include "call/CallEvents.h"
#include "fw/Lock.h"
#include "moh/ModemSelection.h"
#include "moh/MohEvents.h"
#include "moh/MohSettings.h"

namespace {

const std::string kEndedCalled = "1: the library was called after the program began to end";
const char* const kRestoreUnasked = "2: a restore went out that no click asked for on hold";
const char* const kRestoreLost = "2: a restore asked for while the data are held was not sent";
const char* const kSecondRequest = "3: a second place-call request while the first waits";
const char* const kButtonState = "4: a button's command went out from a state its row forbids";
const char* const kTwoDialogs = "5: a second call dialog opened over an open one";
const char* const kWrongMode = "5: the call dialog's mode does not match the state";
const char* const kOwnGrantRings = "5: the grant of the user's own request showed a call";
const char* const kOtherCaller = "6: a caller's text went to another call";
const char* const kCountsLeft = "7: events are counted as waiting in an empty queue";
const char* const kUnlocked = "8: a TELKA online or session flag changed outside its lock";

struct Step {
  int kind, a, b;
};
const unsigned kTimers[] = {TIMER_HOLD_TICK, TIMER_FALLBACK, TIMER_ANSWER, TIMER_TRAY_REFRESH,
                            TIMER_CALL_DIALOG};
// Two in three of the library's events are one that may follow on the line in the state the call
// is in; the others are any at all.
const int kNext[][4] = {{3, 3, 4, 5}, {3, 3, 4, 5},  {5, 5, 4, 7},   {3, 3, 5, 4},    {7, 7, 6, 18},
                        {3, 3, 5, 7}, {8, 8, 6, 10}, {9, 12, 6, 14}, {10, 12, 6, 14}, {12, 3, 4, 5},
                        {4, 3, 5, 5}, {5, 5, 4, 3},  {3, 5, 4, 12},  {12, 3, 15, 5},  {12, 3, 5, 4},
                        {3, 5, 4, 4}, {3, 5, 4, 4},  {3, 3, 4, 5}};
struct Button {
  const char* name;
  int id;  // 0: the close box and Esc, always there
  void (*press)(ICallDialogWindow&, CallDlgMode);
  std::vector<int> states;  // where its command may go out, from the dialog's rows
};
using Dialog = ICallDialogWindow;
CallDialogRoad Records() { return ProgramCallDialogRoad(); }
const Button kButtons[] = {
    {"answer", kButtonAnswer, [](Dialog& d, CallDlgMode) { OnAnswerCall(Records(), d); }, {7, 9}},
    {"ignore", kButtonIgnore, [](Dialog& d, CallDlgMode) { OnIgnoreCall(Records(), d); }, {7, 9}},
    {"restore", kButtonRestore, [](Dialog& d, CallDlgMode) { OnRestoreData(Records(), d); }, {}},
    {"place",
     kButtonPlace,
     [](Dialog& d, CallDlgMode) { OnPlaceCallButton(Records(), d); },
     {7, 9}},
    {"drop", kButtonDrop, [](Dialog& d, CallDlgMode) { OnDropData(Records(), d); }, {6}},
    {"close box", 0, [](Dialog& d, CallDlgMode m) { OnCloseCallDialog(Records(), d, m); }, {7}},
    {"Esc", 0, OnEscapeCallDialog, {}},
};
const Button& kRestore = kButtons[2];
const Button& kCloseBox = kButtons[5];
// What a step does while it runs: the click it is, whether it asked to restore while on hold.
struct Frame {
  const Button* button = nullptr;
  bool onHold = false, restored = false;
};

struct Explorer : FakeLoop {
  explicit Explorer(const std::vector<Step>& s) : steps(s) {
    fake::TheLibrary().onCommand = [this](int command) { Check(command); };
  }
  std::string Run() {
    while (!ended && NextStep()) {
    }
    frames.push_back({});
    if (ended) CloseLibrary(gModem);  // the exit steps, once every box has returned
    Settled();
    return broken;
  }
  bool NextStep() override {
    if (next == steps.size() || !broken.empty()) return false;
    Do(steps[next++]);
    return true;
  }
  void Break(const std::string& rule) {
    if (broken.empty()) broken = rule;
  }
  void Do(const Step& step);
  void Click(int pick);
  void Check(int command);
  void Settled();
  void SecondDialog() override { Break(kTwoDialogs); }
  void Ending() override { closedAt = std::min(closedAt, fake::TheLibrary().calls.size()); }
  void Dispatching(const LoopMessage& message) override {
    answersRequest = message.library && originating;
    originating &= !message.library;
    callerBefore = gCall.gCallerIdText;
  }
  void Dispatched(const LoopMessage& message) override;

  const std::vector<Step>& steps;
  size_t next = 0, closedAt = SIZE_MAX;
  std::string broken, callerBefore;
  std::vector<Frame> frames;
  uint32_t originateSentMs = 0;
  bool originating = false, answersRequest = false;
};

// The steps a walk takes, each with its weight and what it does with its two random numbers.
struct StepKind {
  int weight;
  void (*take)(Explorer&, int a, int b);
};
// clang-format off
const StepKind kSteps[] = {
  {24, [](Explorer& x, int a, int b) {
     const bool onward = a % 3 != 0;
     const int event = onward ? kNext[std::clamp(gCall.gCallState, 1, 18) - 1][b % 4] : 1 + a % 19;
     x.Report(event, onward && event == MOH_GRANTED ? 1 + b % 3 : b % 15); }},
  {10, [](Explorer& x, int, int) { x.Pump(false); }},
  {20, [](Explorer& x, int, int) { x.PumpAll(); }},
  {1, [](Explorer& x, int, int) { x.Pump(true); }},
  {12, [](Explorer& x, int a, int) { x.Fire(kTimers[a % std::size(kTimers)]); }},
  {20, [](Explorer& x, int a, int) { x.Click(a); }},
  {5, [](Explorer& x, int a, int b) { x.Confirm(a, b % 2 == 0); }},
  // Half the tray's commands are "Anruf tätigen".
  {10, [](Explorer& x, int a, int) { x.Tray(std::max(0, a % 8 - 3)); }},
  {5, [](Explorer& x, int, int b) { x.Wait(b * 97); }},
  {1, [](Explorer& x, int, int) { x.CallWhileCallerIsRead(); }},
  {1, [](Explorer& x, int, int) { x.End(); }},
};
// clang-format on

void Explorer::Do(const Step& step) {
  frames.push_back({});
  const bool online = gCall.gOnline, session = gCall.gMohSession;
  const bool telka = gSettings.gMohModemType == TELKA;
  const int locks = fw::LocksEntered();
  kSteps[step.kind].take(*this, step.a, step.b);
  const int changed = (gCall.gOnline != online) + (gCall.gMohSession != session);
  if (telka && fw::LocksEntered() - locks < changed) Break(kUnlocked);
  const Frame& frame = frames.back();
  if (frame.onHold && !frame.restored && HoldStillHeld(gCall.gCallState) && !gModem.gLibraryClosing)
    Break(kRestoreLost);
  frames.pop_back();
  Settled();
}

void Explorer::Dispatched(const LoopMessage& message) {
  const std::string& caller = gCall.gCallerIdText;
  if (caller != callerBefore && !caller.empty() && caller != CallerText(message.call))
    Break(kOtherCaller);
  if (answersRequest && message.word == MOH_GRANTED &&
      (rang || (dialog && dialog->mode == CallDlgMode::Incoming)))
    Break(kOwnGrantRings);
  // The dialog's own tick may have declared the hold over meanwhile: that waits in the queue.
  if (dialog && !gModem.gLibraryClosing && queue.empty() &&
      dialog->mode != ModeFor(gCall.gCallState, gCall.gPlacingCall))
    Break(kWrongMode);
}

// A button the user can see and press: the close box and Esc always. Like every input of the
// user's, the click waits until no posted message does.
void Explorer::Click(int pick) {
  const std::shared_ptr<LoopDialog> pressed = dialog;  // lives on while its handler runs
  if (!pressed || pressed->boxOpen || !queue.empty()) return;
  std::vector<const Button*> live;
  for (const Button& button : kButtons) {
    for (const ControlPresence& control : LayoutFor(pressed->mode)) {
      if (button.id == control.id && control.presence == Presence::Shown) live.push_back(&button);
    }
    if (button.id == 0) live.push_back(&button);
  }
  Frame& frame = frames.back();
  frame.button = live[static_cast<size_t>(pick) % live.size()];
  frame.onHold =
      frame.button == &kRestore && InVoiceCallOnHold(gCall.gCallState, gCall.gVoiceActive);
  Trace(std::string("click ") + frame.button->name);
  frame.button->press(*pressed, pressed->mode);
}

// The rules a command keeps as it goes out.
void Explorer::Check(int command) {
  Frame& frame = frames.back();
  if (command == MOH_CMD_CLOSE) closedAt = std::min(closedAt, fake::TheLibrary().calls.size());
  if (command == MOH_CMD_RESUME_DATA) {
    if (!frame.onHold || frame.restored || !HoldStillHeld(gCall.gCallState)) Break(kRestoreUnasked);
    frame.restored = true;
  }
  if (command == MOH_CMD_ORIGINATE) {
    const auto window = static_cast<uint32_t>(FamilyOf(gSettings.gMohModemType).answerWindowMs);
    if (originating && now - originateSentMs < window) Break(kSecondRequest);
    originating = true;
    originateSentMs = now;
  }
  // Closing the placing dialog cancels the user's requests.
  if (command == MOH_CMD_DECLINE && frame.button == &kCloseBox) originating = false;
  const std::vector<int>* states = frame.button ? &frame.button->states : nullptr;
  if ((command == MOH_CMD_ACCEPT && !states) ||
      (states &&
       (command == MOH_CMD_ACCEPT || command == MOH_CMD_DROP_DATA || command == MOH_CMD_DECLINE) &&
       std::count(states->begin(), states->end(), gCall.gCallState) == 0))
    Break(kButtonState);
}

// The rules that hold between any two steps.
void Explorer::Settled() {
  const std::vector<std::string>& journal = fake::TheLibrary().calls;
  for (size_t i = closedAt; i < journal.size(); ++i) {
    if (journal[i] != "MohCommand(handle=0, command=5)") Break(kEndedCalled + (": " + journal[i]));
  }
  if (queue.empty() && (PostedEventsWaiting() || LaterIncomingCallWaiting())) Break(kCountsLeft);
}

// A caller's text is logged only while its own call is handled.
struct CallerLog : fake::Log {
  Explorer* explorer = nullptr;
  void WriteLine(const std::string& line) override {
    const size_t at = line.find("Anrufer ");
    if (at != std::string::npos && std::atoi(line.c_str() + at + 8) != explorer->handling)
      explorer->Break(kOtherCaller);
  }
};

struct Setting {
  int family, enable, callerId, warn;
};

// The rule broken, or ""; trace: what the walk did.
std::string Walk(const Setting& s, const std::vector<Step>& steps, size_t* used = nullptr,
                 std::string* trace = nullptr) {
  fake::ResetAll();
  CallerLog log;
  gEventLog = &log;
  gInstall.gLogging = 1;
  gSettings.gMohModemType = s.family;
  gSettings.gEnableMOH = s.enable;
  gSettings.gCallerID = s.callerId;
  gSettings.gWarn = s.warn;
  fake::TheLibrary().modems = {fake::Modem(s.family, "Modem")};  // bound again, it stays
  if (s.family == BORIN) fake::TheLibrary().initEvents = {{MOH_MODEM_ACTIVE, 0}};
  Explorer explorer(steps);
  log.explorer = &explorer;
  const std::string broken = explorer.Run();
  gEventLog = nullptr;
  if (used) *used = explorer.next;
  if (trace) *trace = explorer.trace;
  return broken;
}

// The shortest order found that breaks the same rule: steps left out one at a time.
std::vector<Step> Shrink(const Setting& s, std::vector<Step> steps, const std::string& rule) {
  for (bool shorter = true; shorter;) {
    shorter = false;
    for (size_t i = steps.size(); i-- > 0;) {
      std::vector<Step> without = steps;
      without.erase(without.begin() + static_cast<long>(i));
      if (Walk(s, without).substr(0, 2) != rule.substr(0, 2)) continue;
      steps = without;
      shorter = true;
    }
  }
  return steps;
}

TEST(CallRoadExplorer, EveryOrderOfEventsTimersClicksAndBoxesKeepsTheRules) {
  const char* asked = std::getenv("PARKO_EXPLORE_WALKS");
  const int walks = asked ? std::atoi(asked) : 160;
  std::mt19937 random(asked ? std::random_device{}() : 92u);
  std::vector<int> weights;
  for (const StepKind& kind : kSteps) weights.push_back(kind.weight);
  std::discrete_distribution<int> kind(weights.begin(), weights.end());
  size_t total = 0;
  for (const int family : {TELKA, BORIN, NUVIA, 7}) {
    for (int n = 0; n < 18 * walks; ++n) {
      const Setting setting{family, n % 3, n / 3 % 2, n / 6 % 3};
      std::vector<Step> steps(120);
      for (Step& step : steps) {
        step = {kind(random), static_cast<int>(random() % 1000), static_cast<int>(random() % 1000)};
      }
      size_t used = 0;
      const std::string broken = Walk(setting, steps, &used);
      total += used;
      if (broken.empty()) continue;
      steps.resize(used);
      std::string trace;
      Walk(setting, Shrink(setting, steps, broken), nullptr, &trace);
      FAIL() << "rule " << broken << "\nfamily " << setting.family << ", gEnableMOH "
             << setting.enable << ", gCallerID " << setting.callerId << ", gWarn " << setting.warn
             << ":" << trace;
    }
  }
  std::printf("%zu steps explored\n", total);
}

}  // namespace
