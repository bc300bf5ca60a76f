// Walks random orders of the call road under every family and setting: the library's events,
// the re-posts that carry them, the program's timers, the call dialog's buttons (its reminder
// runs further steps in its message loop, as the real box does), the tray's commands with their
// own boxes, time passing and the program ending. After every step the rules below must hold; a
// broken one is printed with the shortest order of steps found that breaks it.
// PARKO_EXPLORE_WALKS=N walks N random orders per setting instead of the fixed ones.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <deque>
#include <map>
#include <memory>
#include <random>

#include "Fakes.h"
#include "RecordingPlayer.h"
#include "base/InstallOptions.h"
#include "base/Messages.h"
#include "call/CallDlgLogic.h"
#include "call/CallEvents.h"
#include "call/HoldTimer.h"
#include "moh/MohEvents.h"
#include "moh/MohSettings.h"
#include "tray/TrayCommands.h"

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

struct Explorer;
// The steps a walk takes, each with its weight and what it does with its two random numbers.
struct StepKind {
  int weight;
  void (*take)(Explorer&, int a, int b);
};
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
const Button kButtons[] = {
    {"answer", kButtonAnswer, [](ICallDialogWindow& d, CallDlgMode) { OnAnswerCall(d); }, {7, 9}},
    {"ignore", kButtonIgnore, [](ICallDialogWindow& d, CallDlgMode) { OnIgnoreCall(d); }, {7, 9}},
    {"restore", kButtonRestore, [](ICallDialogWindow& d, CallDlgMode) { OnRestoreData(d); }, {}},
    {"place",
     kButtonPlace,
     [](ICallDialogWindow& d, CallDlgMode) { OnPlaceCallButton(d); },
     {7, 9}},
    {"drop", kButtonDrop, [](ICallDialogWindow& d, CallDlgMode) { OnDropData(d); }, {6}},
    {"close box", 0, OnCloseCallDialog, {7}},
    {"Esc", 0, OnEscapeCallDialog, {}},
};
// The tray's commands; half the time it is the first.
const char* const kTray[] = {"Anruf tätigen", "settings", "Modem On Hold deaktivieren",
                             "show the call dialog", "Info"};
std::string Caller(int call) { return "Datum :07.12. Name :Anrufer " + std::to_string(call); }

struct Message {
  bool dispatch, close, library;
  uintptr_t word;
  int value, call;  // call: the incoming call it reports, 0 for none
};
struct Box {
  const void* owner;  // the call dialog whose reminder it is
  bool closed = false, yes = false;
};
struct Frame {
  const Button* button = nullptr;  // the click being handled
  bool onHold = false, restored = false;
};

// A call dialog without a window whose reminder runs further steps.
struct Dialog : HeadlessCallDialog {
  Dialog(Explorer& x);
  void StartTick(unsigned) override { ticking = true; }
  void StopAnswerTimer() override;
  void ShowHangUpReminder() override;
  void Dismiss() override;
  Explorer& x;
  CallDlgMode mode = CallDlgMode::StatusOnly;
  bool alive = true, ticking = false, boxOpen = false;
};

struct Explorer : IPlayerWindow, ITrayCommandWindow {
  explicit Explorer(const std::vector<Step>& steps) : steps(steps) {
    fake::PostTarget() = [this](int event, int value) { return Post(event, value, true); };
    fake::TheLibrary().onCommand = [this](int command) { Check(command); };
  }
  ~Explorer() override { fake::PostTarget() = nullptr; }

  // Runs the steps; the first rule broken, or "".
  std::string Run() {
    while (next < steps.size() && broken.empty() && !ended) Do(steps[next++]);
    frames.push_back({});
    if (ended) CloseLibrary(gModem);  // the exit steps, once every box has returned
    Settled();
    return broken;
  }
  void Break(const std::string& rule) {
    if (broken.empty()) broken = rule;
  }
  // A box's message loop: further steps until it is answered, or closed with its owner.
  bool RunBox(const void* owner = nullptr) {
    boxes.push_back(std::make_shared<Box>(Box{owner}));
    const std::shared_ptr<Box> box = boxes.back();
    while (!box->closed && next < steps.size() && broken.empty()) Do(steps[next++]);
    boxes.erase(std::find(boxes.begin(), boxes.end(), box));
    return box->yes && !ended;
  }
  void Trace(const std::string& what) {
    trace += "\n  " + std::string(boxes.size() * 2, ' ') + what;
  }

  // IPlayerWindow and ITrayCommandWindow
  void SetTimer(unsigned id, unsigned ms) override { timers[id] = {ms, now + ms}; }
  void KillTimer(unsigned id) override { timers.erase(id); }
  void PostEvent(int event, int value) override { Post(kOwnEventMark | event, value, false); }
  uint32_t TickCount() override { return now; }
  std::string LoadText(unsigned id) override { return RecordingPlayer::Text(id); }
  void Sound(const char* file, SoundMode mode) override { rang |= file && mode == SoundMode::Loop; }
  void NotifyTray(bool, const std::string&) override {}
  void CloseCallDialog() override {
    if (!dialog) return;
    dialog->alive = false;
    for (auto& box : boxes) box->closed |= box->owner == dialog.get();
    gWindows.gCallDlgOpen = false;
    dialog = nullptr;
  }
  void OpenCallDialog() override {
    if (dialog) Break(kTwoDialogs);
    dialog = std::make_shared<Dialog>(*this);
    dialog->mode = InitCallDialog(*dialog);
    CallDialogShown(*dialog);
  }
  bool MoreEventsQueued() override { return PostedEventsWaiting(); }
  void RefreshCallLog() override {}
  bool AskYesNo(unsigned) override { return RunBox(); }
  void ShowMessage(unsigned) override { RunBox(); }
  void PostClose() override { queue.push_back({false, true, false, 0, 0, 0}); }
  void ReopenCallDialog() override { OpenCallDialog(); }
  bool RunSettingsSheet() override { return RunBox(); }
  void ShowAbout() override { RunBox(); }
  void RaiseCallDialogBox() override {}

  bool Post(uintptr_t word, int value, bool library) {
    if (ended) return false;  // no main window any more
    CountPostedEvent();
    queue.push_back({false, false, library, word, value, word == MOH_INCOMING_CALL ? calls : 0});
    return true;
  }
  void Report(int event, int value) {
    Trace("library: " + RecordingPlayer::EventName(event) + " " + std::to_string(value));
    if (event == MOH_INCOMING_CALL) fake::TheLibrary().callerId = Caller(++calls);
    MohEventCallback(event, value);
  }
  void Do(const Step& step);
  void Pump(bool lose);
  void Fire(unsigned id);
  void Click(int pick);
  void Confirm(int pick, bool yes);
  void End();
  void Check(int command);
  void Settled();

  const std::vector<Step>& steps;
  size_t next = 0, closedAt = SIZE_MAX;
  std::string broken, trace;
  std::deque<Message> queue;
  std::map<unsigned, std::pair<unsigned, uint32_t>> timers;  // period, due
  std::vector<std::shared_ptr<Box>> boxes;
  std::vector<Frame> frames;
  std::shared_ptr<Dialog> dialog;
  uint32_t now = 1000, originateSentMs = 0;
  int calls = 0, handling = 0;  // handling: the incoming call being handled
  bool ended = false, rang = false, originating = false;
};

Dialog::Dialog(Explorer& x) : HeadlessCallDialog(RecordingPlayer::Text, x), x(x) {}
void Dialog::StopAnswerTimer() { x.KillTimer(TIMER_ANSWER); }
void Dialog::ShowHangUpReminder() {
  boxOpen = true;
  x.RunBox(this);
  boxOpen = false;
}
void Dialog::Dismiss() {
  if (alive) x.CloseCallDialog();
}

// clang-format off
const StepKind kSteps[] = {
  {24, [](Explorer& x, int a, int b) {
     const bool onward = a % 3 != 0;
     const int event = onward ? kNext[std::clamp(gCall.gCallState, 1, 18) - 1][b % 4] : 1 + a % 19;
     x.Report(event, onward && event == MOH_GRANTED ? 1 + b % 3 : b % 15); }},
  {10, [](Explorer& x, int, int) { x.Pump(false); }},
  {20, [](Explorer& x, int, int) { while (!x.queue.empty() && x.broken.empty() && !x.ended) x.Pump(false); }},
  {1, [](Explorer& x, int, int) { x.Pump(true); }},
  {12, [](Explorer& x, int a, int) { x.Fire(kTimers[a % std::size(kTimers)]); }},
  {20, [](Explorer& x, int a, int) { x.Click(a); }},
  {5, [](Explorer& x, int a, int b) { x.Confirm(a, b % 2 == 0); }},
  {10, [](Explorer& x, int a, int) {
     if (!x.queue.empty()) return;  // the user's input waits for posted messages
     x.Trace(std::string("tray: ") + kTray[std::max(0, a % 8 - 3)]);
     void (*const commands[])(Explorer&) = {[](Explorer& x) { OnPlaceCall(ProgramCallRoad(x)); },
         [](Explorer& x) { OnSettings(x); }, [](Explorer& x) { OnDisableMoh(x); },
         [](Explorer& x) { OnShowCallDlg(x); }, [](Explorer& x) { OnInfo(x); }};
     commands[std::max(0, a % 8 - 3)](x); }},
  {5, [](Explorer& x, int, int b) { x.now += b * 97; x.Trace("wait " + std::to_string(b * 97) + " ms"); }},
  {1, [](Explorer& x, int, int) {
     x.Trace("the next caller's text is read while a call comes");
     fake::TheLibrary().whileCallerIdRead = [&x] {
       Explorer& once = x;
       fake::TheLibrary().whileCallerIdRead = nullptr;
       once.Report(MOH_INCOMING_CALL, 1); }; }},
  {1, [](Explorer& x, int, int) { x.Trace("WM_CLOSE to the main window"); x.End(); }},
};
// clang-format on

void Explorer::Do(const Step& step) {
  frames.push_back({});
  kSteps[step.kind].take(*this, step.a, step.b);
  const Frame& frame = frames.back();
  if (frame.onHold && !frame.restored && HoldStillHeld(gCall.gCallState) && !gModem.gLibraryClosing)
    Break(kRestoreLost);
  frames.pop_back();
  Settled();
}

void Explorer::Pump(bool lose) {
  if (queue.empty()) return;
  const Message message = queue.front();
  queue.pop_front();
  if (message.close) return End();
  const int event = static_cast<int>(message.word & ~kOwnEventMask);
  if (!message.dispatch && lose) {
    Trace("the re-post of " + RecordingPlayer::EventName(event) + " is lost");
    return ForgetPostedEvent(static_cast<int>(message.word));
  }
  if (!message.dispatch) RepostedEvent(static_cast<int>(message.word));
  if (!message.dispatch)
    return queue.push_back(
        {true, false, message.library, message.word, message.value, message.call});
  Trace((message.library ? "handle " : "handle own ") + RecordingPlayer::EventName(event));
  const bool answersRequest = message.library && originating;
  originating &= !message.library;
  const std::string callerBefore = gCall.gCallerIdText;
  rang = false;
  handling = message.call;
  DispatchMohEvent(ProgramCallRoad(*this), message.word, message.value);
  handling = 0;
  const std::string& caller = gCall.gCallerIdText;
  if (caller != callerBefore && !caller.empty() && caller != Caller(message.call))
    Break(kOtherCaller);
  if (answersRequest && event == MOH_GRANTED &&
      (rang || (dialog && dialog->mode == CallDlgMode::Incoming)))
    Break(kOwnGrantRings);
  // The dialog's own tick may have declared the hold over meanwhile: that waits in the queue.
  if (dialog && !gModem.gLibraryClosing && queue.empty() &&
      dialog->mode != ModeFor(gCall.gCallState, gCall.gPlacingCall))
    Break(kWrongMode);
}

void Explorer::Fire(unsigned id) {
  if (!queue.empty()) return;  // WM_TIMER comes only while no posted message waits
  if (id == TIMER_CALL_DIALOG) {
    if (dialog && dialog->ticking) CallDialogTick(*dialog);
    return;
  }
  auto timer = timers.find(id);
  if (timer == timers.end()) return;
  Trace("timer " + RecordingPlayer::TimerName(id));
  if (static_cast<int32_t>(timer->second.second - now) > 0) now = timer->second.second;
  timer->second.second = now + timer->second.first;
  HandleTimer(ProgramCallRoad(*this), id);
}

// A button the user can see and press: the close box and Esc always. Like every input of the
// user's, the click waits until no posted message does.
void Explorer::Click(int pick) {
  const std::shared_ptr<Dialog> pressed = dialog;  // lives on while its handler runs
  if (!pressed || pressed->boxOpen || !queue.empty()) return;
  std::vector<const Button*> live;
  for (const Button& button : kButtons) {
    for (const ControlPresence& control : LayoutFor(pressed->mode)) {
      if (button.id == control.id && control.presence == Presence::Shown) live.push_back(&button);
    }
    if (button.id == 0) live.push_back(&button);
  }
  Frame& frame = frames.back();
  frame.button = live[pick % live.size()];
  frame.onHold =
      frame.button == &kButtons[2] && InVoiceCallOnHold(gCall.gCallState, gCall.gVoiceActive);
  Trace(std::string("click ") + frame.button->name);
  frame.button->press(*pressed, pressed->mode);
}

void Explorer::Confirm(int pick, bool yes) {
  if (boxes.empty() || !queue.empty()) return;
  Box& box = *boxes[boxes.size() - 1 - pick % boxes.size()];
  Trace(std::string("answer a box ") + (yes ? "yes" : "no"));
  box.closed = true;
  box.yes = yes;
}

// The main window goes, and every window and box with it.
void Explorer::End() {
  BeginClosingLibrary(gModem);
  closedAt = std::min(closedAt, fake::TheLibrary().calls.size());
  CloseCallDialog();
  for (auto& box : boxes) box->closed = true;
  ended = true;
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
  if (command == MOH_CMD_DECLINE && frame.button == &kButtons[5]) originating = false;
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
  const int walks = asked ? std::atoi(asked) : 64;
  std::mt19937 random(asked ? std::random_device{}() : 92u);
  std::vector<int> weights;
  for (const StepKind& kind : kSteps) weights.push_back(kind.weight);
  std::discrete_distribution<int> kind(weights.begin(), weights.end());
  size_t total = 0;
  for (const int family : {TELKA, BORIN, NUVIA, 7}) {
    for (int n = 0; n < 18 * walks; ++n) {
      const Setting setting{family, n % 3, n / 3 % 2, n / 6 % 3};
      std::vector<Step> steps(120);
      for (Step& step : steps)
        step = {kind(random), static_cast<int>(random() % 1000), static_cast<int>(random() % 1000)};
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
