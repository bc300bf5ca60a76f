// Walks random orders of the call road under every family and setting: the library's events,
// the re-posts that carry them, the program's timers, the call dialog's buttons (its reminder
// box runs further steps in its message loop, as the real one does), the tray's commands with
// their own boxes, time passing and the program ending. After every step the rules below must
// hold; a broken one is printed with the shortest order of steps found that breaks it.
// PARKO_EXPLORE_WALKS=N walks N orders per setting instead of the fixed number.
#include <gtest/gtest.h>

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

enum Kind {
  kEvent,
  kPump,
  kTimer,
  kClick,
  kConfirm,
  kTray,
  kWait,
  kCallWhileRead,
  kLostRepost,
  kEnd
};
struct Step {
  int kind, a, b;
};
const char* const kKinds[] = {"event",
                              "pump",
                              "timer",
                              "click",
                              "confirm box",
                              "tray",
                              "wait",
                              "a call while the caller is read",
                              "pump, the re-post lost",
                              "end"};
const int kWeights[] = {24, 30, 12, 12, 5, 6, 5, 1, 1, 1};
const unsigned kTimers[] = {TIMER_HOLD_TICK, TIMER_FALLBACK, TIMER_ANSWER, TIMER_TRAY_REFRESH,
                            TIMER_CALL_DIALOG};
const int kEvents[] = {3,  3,  4,  5,  5,  6,  7, 7, 8,  8,  9, 10,
                       11, 12, 13, 14, 15, 16, 1, 2, 17, 18, 19};
enum Button { kAnswer, kIgnore, kRestore, kPlace, kDrop, kClose, kEsc };
const int kButtonIds[] = {kButtonAnswer, kButtonIgnore, kButtonRestore, kButtonPlace, kButtonDrop};
// The states in which each button's command may go out, from the call dialog's rows.
const std::vector<int> kAllowed[] = {{7, 9}, {7, 9}, {8, 9}, {7, 9}, {6}, {7}, {}};

std::string Caller(int call) {
  return "Datum :07.12. Uhrzeit :09:05 Name :Anrufer " + std::to_string(call);
}

struct Message {
  enum { kEvent, kDispatch, kClose } type;
  uintptr_t word;
  int value;
  bool library;
  int call;  // the incoming call it reports, 0 for none
};
struct Box {
  const void* owner;  // the call dialog that owns a reminder
  bool closed = false, yes = false;
};
struct Frame {
  int kind, button;
  bool eligible = false, used = false;
};

class Explorer;
class Dialog : public ICallDialogWindow {
 public:
  explicit Dialog(Explorer& x) : x_(x) {}
  std::string LoadText(unsigned id) override { return RecordingPlayer::Text(id); }
  void SetItemText(int, const std::string&) override {}
  void RefreshItem(int, const std::string&) override {}
  std::string ItemText(int) override { return ""; }
  void SetPresence(int, Presence) override {}
  void SetCaption(const std::string&) override {}
  void Place() override {}
  void StartTick(unsigned) override { ticking = true; }
  void SetProgress(int, int, int) override {}
  void StepProgress() override {}
  void Sound(const char* file, SoundMode) override;
  void StopAnswerTimer() override;
  void ShowHangUpReminder() override;
  void Dismiss() override;
  void DeclareTimeout() override { MohEventCallback(MOH_TIMEOUT, 0); }
  CallDlgMode mode = CallDlgMode::StatusOnly;
  bool alive = true, ticking = false, boxOpen = false;

 private:
  Explorer& x_;
};

class Explorer : public IPlayerWindow, public ITrayCommandWindow {
 public:
  explicit Explorer(const std::vector<Step>& steps) : steps_(steps) {
    fake::PostTarget() = [this](int event, int value) { return Post(event, value, true); };
    fake::TheLibrary().onCommand = [this](int command) { Check(command); };
  }
  ~Explorer() override { fake::PostTarget() = nullptr; }

  // Runs the steps; the first rule broken, or "".
  std::string Run() {
    while (next_ < steps_.size() && broken_.empty() && !ended_) Do(steps_[next_++]);
    if (ended_) CloseLibrary(gModem);  // the exit steps, once every box has returned
    ExpectOnlyTheClose();
    return broken_;
  }
  size_t used() const { return next_; }

  void Break(const std::string& rule) {
    if (broken_.empty()) broken_ = rule;
  }
  // A box's message loop: further steps until it is answered or closed with its owner.
  bool RunBox(const void* owner = nullptr) {
    boxes_.push_back(std::make_shared<Box>(Box{owner}));
    const std::shared_ptr<Box> box = boxes_.back();
    while (!box->closed && next_ < steps_.size() && broken_.empty()) Do(steps_[next_++]);
    boxes_.erase(std::find(boxes_.begin(), boxes_.end(), box));
    return box->yes && !ended_;
  }

  // IPlayerWindow and ITrayCommandWindow
  void SetTimer(unsigned id, unsigned periodMs) override {
    timers_[id] = {periodMs, now_ + periodMs};
  }
  void KillTimer(unsigned id) override { timers_.erase(id); }
  void PostEvent(int event, int value) override { Post(kOwnEventMark | event, value, false); }
  uint32_t TickCount() override { return now_; }
  std::string LoadText(unsigned id) override { return RecordingPlayer::Text(id); }
  void Sound(const char* file, SoundMode mode) override {
    rang_ |= file != nullptr && mode == SoundMode::Loop;
  }
  void NotifyTray(bool, const std::string&) override {}
  void CloseCallDialog() override {
    if (!dialog_) return;
    dialog_->alive = false;
    for (auto& box : boxes_) box->closed |= box->owner == dialog_.get();
    gWindows.gCallDlgOpen = false;
    dialog_ = nullptr;
  }
  void OpenCallDialog() override {
    if (dialog_) Break("5: a second call dialog opened over one that is open");
    dialog_ = std::make_shared<Dialog>(*this);
    dialog_->mode = InitCallDialog(*dialog_);
    CallDialogShown(*dialog_);
  }
  bool MoreEventsQueued() override { return PostedEventsWaiting(); }
  void RefreshCallLog() override {}
  bool AskYesNo(unsigned) override { return RunBox(); }
  void ShowMessage(unsigned) override { RunBox(); }
  void PostClose() override { queue_.push_back({Message::kClose, 0, 0, false, 0}); }
  void ReopenCallDialog() override { OpenCallDialog(); }
  bool RunSettingsSheet() override { return RunBox(); }
  void ShowAbout() override { RunBox(); }
  void RaiseCallDialogBox() override {}

 private:
  bool Post(uintptr_t word, int value, bool library) {
    if (ended_) return false;  // no main window any more
    CountPostedEvent();
    const int call = library && word == MOH_INCOMING_CALL ? calls_ : 0;
    queue_.push_back({Message::kEvent, word, value, library, call});
    return true;
  }
  void Report(int event, int value) {
    if (event == MOH_INCOMING_CALL) fake::TheLibrary().callerId = Caller(++calls_);
    MohEventCallback(event, value);
  }

  void Do(const Step& step) {
    frames_.push_back({step.kind, step.a % 7});
    switch (step.kind) {
      case kEvent:
        Report(kEvents[step.a % std::size(kEvents)], step.b % 15);
        break;
      case kCallWhileRead:
        fake::TheLibrary().whileCallerIdRead = [this] { Report(MOH_INCOMING_CALL, 1); };
        break;
      case kPump:
      case kLostRepost:
        Pump(step.kind == kLostRepost);
        break;
      case kTimer:
        Fire(kTimers[step.a % std::size(kTimers)]);
        break;
      case kClick:
        Click();
        break;
      case kConfirm:
        if (!boxes_.empty()) {
          Box& box = *boxes_[boxes_.size() - 1 - step.a % boxes_.size()];
          box.closed = true;
          box.yes = step.b % 2 == 0;
        }
        break;
      case kTray:
        Tray(step.a % 5);
        break;
      case kWait:
        now_ += step.b * 97 % 20000;
        break;
      case kEnd:
        End();
        break;
    }
    Frame& frame = frames_.back();
    if (frame.kind == kClick && frame.button == kRestore && frame.eligible && !frame.used &&
        HoldStillHeld(gCall.gCallState) && !gModem.gLibraryClosing)
      Break("2: a restore the user asked for while the data are held was not sent");
    frames_.pop_back();
    Settled();
  }

  void Pump(bool lose) {
    if (queue_.empty()) return;
    const Message message = queue_.front();
    queue_.pop_front();
    if (message.type == Message::kClose) return End();
    if (message.type == Message::kEvent) {
      if (lose) return ForgetPostedEvent(static_cast<int>(message.word));
      Message dispatch = message;
      dispatch.type = Message::kDispatch;
      return queue_.push_back(dispatch);
    }
    const bool answersRequest = message.library && originating_;
    if (message.library) originating_ = false;
    const std::string callerBefore = gCall.gCallerIdText;
    rang_ = false;
    dispatching_ = message.call;
    DispatchMohEvent(ProgramCallRoad(*this), message.word, message.value);
    dispatching_ = 0;
    if (gCall.gCallerIdText != callerBefore && !gCall.gCallerIdText.empty() &&
        gCall.gCallerIdText != Caller(message.call))
      Break("6: an event took another call's caller");
    if (answersRequest && message.word == MOH_GRANTED &&
        (rang_ || (dialog_ && dialog_->mode == CallDlgMode::Incoming)))
      Break("5: the grant of the user's own request was shown as an incoming call");
    // The dialog's own tick may have declared the hold over meanwhile: that waits in the queue.
    if (dialog_ && !gModem.gLibraryClosing && queue_.empty() &&
        dialog_->mode != ModeFor(gCall.gCallState, gCall.gPlacingCall))
      Break("5: the call dialog's mode does not match the state the event left");
  }

  void Fire(unsigned id) {
    // WM_TIMER comes only while no posted message waits.
    if (!queue_.empty()) return;
    if (id == TIMER_CALL_DIALOG) {
      if (dialog_ && dialog_->ticking) CallDialogTick(*dialog_);
      return;
    }
    auto timer = timers_.find(id);
    if (timer == timers_.end()) return;
    if (static_cast<int32_t>(timer->second.second - now_) > 0) now_ = timer->second.second;
    timer->second.second = now_ + timer->second.first;
    HandleTimer(ProgramCallRoad(*this), id);
  }

  void Click() {
    Frame& frame = frames_.back();
    const std::shared_ptr<Dialog> dialog = dialog_;  // lives on while its handler runs
    if (!dialog || dialog->boxOpen) return;
    // A hidden or greyed button is not pressed; the close box and Esc always are.
    for (const ControlPresence& control : LayoutFor(dialog->mode)) {
      if (frame.button < kClose && control.id == kButtonIds[frame.button] &&
          control.presence != Presence::Shown)
        return;
    }
    frame.eligible = InVoiceCallOnHold(gCall.gCallState, gCall.gVoiceActive);
    switch (frame.button) {
      case kAnswer:
        OnAnswerCall(*dialog);
        break;
      case kIgnore:
        OnIgnoreCall(*dialog);
        break;
      case kRestore:
        OnRestoreData(*dialog);
        break;
      case kPlace:
        OnPlaceCallButton(*dialog);
        break;
      case kDrop:
        OnDropData(*dialog);
        break;
      case kClose:
        OnCloseCallDialog(*dialog, dialog->mode);
        break;
      default:
        OnEscapeCallDialog(*dialog, dialog->mode);
        break;
    }
  }

  void Tray(int command) {
    switch (command) {
      case 0:
        OnPlaceCall(ProgramCallRoad(*this));
        break;
      case 1:
        OnSettings(*this);
        break;
      case 2:
        OnDisableMoh(*this);
        break;
      case 3:
        OnShowCallDlg(*this);
        break;
      default:
        OnInfo(*this);
        break;
    }
  }

  // WM_CLOSE: the main window goes, and every window and box with it.
  void End() {
    BeginClosingLibrary(gModem);
    closedAt_ = std::min(closedAt_, fake::TheLibrary().calls.size());
    CloseCallDialog();
    for (auto& box : boxes_) box->closed = true;
    ended_ = true;
  }

  // The rules a command of the library must keep when it goes out.
  void Check(int command) {
    const Frame& frame = frames_.back();
    if (command == MOH_CMD_CLOSE) closedAt_ = std::min(closedAt_, fake::TheLibrary().calls.size());
    if (command == MOH_CMD_RESUME_DATA) {
      if (frame.kind != kClick || frame.button != kRestore || !frame.eligible || frame.used ||
          !HoldStillHeld(gCall.gCallState))
        Break("2: a restore went out that no click on restore asked for while on hold");
      frames_.back().used = true;
    }
    if (command == MOH_CMD_ORIGINATE) {
      const int window = FamilyOf(gSettings.gMohModemType).answerWindowMs;
      if (originating_ && now_ - originateSentMs_ < static_cast<uint32_t>(window))
        Break("3: a second place-call request while the first waits for the library's answer");
      originating_ = true;
      originateSentMs_ = now_;
    }
    const bool fromButton = command == MOH_CMD_ACCEPT || command == MOH_CMD_DROP_DATA ||
                            (command == MOH_CMD_DECLINE && frame.kind == kClick);
    if (fromButton && frame.kind == kClick) {
      const std::vector<int>& allowed = kAllowed[frame.button];
      if (std::find(allowed.begin(), allowed.end(), gCall.gCallState) == allowed.end())
        Break("4: a button sent its command from a state its row does not allow");
    } else if (command == MOH_CMD_ACCEPT) {
      Break("4: the call was accepted without a click");
    }
  }

  void ExpectOnlyTheClose() {
    const std::vector<std::string>& calls = fake::TheLibrary().calls;
    for (size_t i = closedAt_; i < calls.size(); ++i) {
      if (calls[i] != "MohCommand(handle=0, command=5)")
        Break("1: the library was called after the program began to end: " + calls[i]);
    }
  }

  // The rules that hold between any two steps.
  void Settled() {
    ExpectOnlyTheClose();
    if (queue_.empty() && (PostedEventsWaiting() || LaterIncomingCallWaiting()))
      Break("7: events are counted as waiting in an empty queue");
  }

  const std::vector<Step>& steps_;
  size_t next_ = 0, closedAt_ = SIZE_MAX;
  std::string broken_;
  std::deque<Message> queue_;
  std::map<unsigned, std::pair<unsigned, uint32_t>> timers_;  // period, due
  std::vector<std::shared_ptr<Box>> boxes_;
  std::vector<Frame> frames_;
  std::shared_ptr<Dialog> dialog_;
  uint32_t now_ = 1000, originateSentMs_ = 0;
  int calls_ = 0;

 public:
  int dispatching_ = 0;  // the incoming call being handled
  bool ended_ = false, rang_ = false, originating_ = false;
};

void Dialog::Sound(const char* file, SoundMode mode) { x_.Sound(file, mode); }
void Dialog::StopAnswerTimer() { x_.KillTimer(TIMER_ANSWER); }
void Dialog::ShowHangUpReminder() {
  boxOpen = true;
  x_.RunBox(this);
  boxOpen = false;
}
void Dialog::Dismiss() {
  if (alive) x_.CloseCallDialog();
}

std::string Describe(const Step& step) {
  static const char* const kButtons[] = {"answer", "ignore",    "restore", "place",
                                         "drop",   "close box", "Esc"};
  static const char* const kTrayCommands[] = {"Anruf tätigen", "settings", "Modem On Hold deaktivieren",
                                      "show the call dialog", "Info"};
  std::string what = kKinds[step.kind];
  switch (step.kind) {
    case kEvent:
      return "library: " + RecordingPlayer::EventName(kEvents[step.a % std::size(kEvents)]) + " " +
             std::to_string(step.b % 15);
    case kTimer:
      return "timer " + RecordingPlayer::TimerName(kTimers[step.a % std::size(kTimers)]);
    case kClick:
      return "click " + std::string(kButtons[step.a % 7]);
    case kConfirm:
      return what + " " + std::to_string(step.a) + (step.b % 2 ? " (no)" : " (yes, OK)");
    case kTray:
      return "tray: " + std::string(kTrayCommands[step.a % 5]);
    case kWait:
      return "wait " + std::to_string(step.b * 97 % 20000) + " ms";
    default:
      return what;
  }
}

struct Setting {
  int family, enable, callerId, warn;
};

// A caller's text is logged only while its own call is handled.
struct CallerLog : fake::Log {
  const Explorer* explorer = nullptr;
  void WriteLine(const std::string& line) override {
    const size_t at = line.find("Anrufer ");
    if (at != std::string::npos && std::atoi(line.c_str() + at + 8) != explorer->dispatching_)
      const_cast<Explorer*>(explorer)->Break("6: a caller's text was logged for another call");
  }
};

std::string Walk(const Setting& s, const std::vector<Step>& steps, size_t* used = nullptr) {
  fake::ResetAll();
  CallerLog log;
  gEventLog = &log;
  gInstall.gLogging = 1;
  gSettings = {};
  gSettings.gMohModemType = s.family;
  gSettings.gEnableMOH = s.enable;
  gSettings.gCallerID = s.callerId;
  gSettings.gWarn = s.warn;
  if (s.family == BORIN) fake::TheLibrary().initEvents = {{MOH_MODEM_ACTIVE, 0}};
  Explorer explorer(steps);
  log.explorer = &explorer;
  const std::string broken = explorer.Run();
  gEventLog = nullptr;
  if (used) *used = explorer.used();
  return broken;
}

// The shortest order found that still breaks the same rule: steps left out one at a time.
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
  std::discrete_distribution<int> kind(std::begin(kWeights), std::end(kWeights));
  size_t total = 0;
  for (int family : {TELKA, BORIN, NUVIA, 7}) {
    for (int enable : {0, 1, 2}) {
      for (int callerId : {0, 1}) {
        for (int warn : {0, 1, 2}) {
          const Setting setting{family, enable, callerId, warn};
          for (int walk = 0; walk < walks; ++walk) {
            std::vector<Step> steps(80);
            for (Step& step : steps) {
              step = {kind(random), static_cast<int>(random() % 1000),
                      static_cast<int>(random() % 1000)};
            }
            size_t used = 0;
            const std::string broken = Walk(setting, steps, &used);
            total += used;
            if (broken.empty()) continue;
            steps.resize(used);
            std::string order;
            for (const Step& step : Shrink(setting, steps, broken))
              order += "\n  " + Describe(step);
            FAIL() << "rule " << broken << "\nfamily " << family << ", gEnableMOH " << enable
                   << ", gCallerID " << callerId << ", gWarn " << warn << ":" << order;
          }
        }
      }
    }
  }
  std::printf("%zu steps explored\n", total);
}

}  // namespace
