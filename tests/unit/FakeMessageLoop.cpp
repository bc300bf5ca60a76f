#include "FakeMessageLoop.h"

#include <algorithm>

#include "Fakes.h"
#include "ProgramRoads.h"
#include "RecordingPlayer.h"
#include "base/Messages.h"
#include "base/OpenWindows.h"
#include "call/CallEvents.h"
#include "call/HoldTimer.h"
#include "moh/ModemSelection.h"
#include "moh/MohEvents.h"
#include "tray/PlayerTimers.h"

LoopDialog::LoopDialog(FakeLoop& l) : HeadlessCallDialog(RecordingPlayer::Text, l), loop(l) {}

void LoopDialog::StopAnswerTimer() { loop.KillTimer(TIMER_ANSWER); }

void LoopDialog::ShowHangUpReminder() {
  boxOpen = true;
  loop.RunBox(this);
  boxOpen = false;
}

void LoopDialog::Dismiss() {
  if (alive) loop.CloseCallDialog();
}

std::string CallerText(int call) { return "Datum :07.12. Name :Anrufer " + std::to_string(call); }

FakeLoop::FakeLoop() {
  fake::PostTarget() = [this](int event, int value) { return Post(event, value, true); };
}

FakeLoop::~FakeLoop() { fake::PostTarget() = nullptr; }

void FakeLoop::Report(int event, int value) {
  Trace("library: " + RecordingPlayer::EventName(event) + " " + std::to_string(value));
  if (event == MOH_INCOMING_CALL) fake::TheLibrary().callerId = CallerText(++calls);
  MohEventCallback(event, value);
}

void FakeLoop::Pump(bool loseRepost) {
  if (queue.empty()) return;
  const LoopMessage message = queue.front();
  queue.pop_front();
  if (message.close) return End();
  const int event = static_cast<int>(message.word & ~kOwnEventMask);
  if (!message.dispatch && loseRepost) {
    Trace("the re-post of " + RecordingPlayer::EventName(event) + " is lost");
    return ForgetPostedEvent(static_cast<int>(message.word));
  }
  if (!message.dispatch) {
    RepostedEvent(static_cast<int>(message.word));
    LoopMessage dispatch = message;
    dispatch.dispatch = true;
    return queue.push_back(dispatch);
  }
  Trace((message.library ? "handle " : "handle own ") + RecordingPlayer::EventName(event));
  Dispatching(message);
  rang = false;
  handling = message.call;
  DispatchMohEvent(ProgramCallRoad(*this), message.word, message.value);
  handling = 0;
  Dispatched(message);
}

void FakeLoop::PumpAll() {
  while (!queue.empty() && !ended) Pump(false);
}

void FakeLoop::Wait(uint32_t ms) {
  now += ms;
  Trace("wait " + std::to_string(ms) + " ms");
}

void FakeLoop::CallWhileCallerIsRead() {
  Trace("the next caller's text is read while a call comes");
  fake::TheLibrary().whileCallerIdRead = [this] {
    FakeLoop& once = *this;
    fake::TheLibrary().whileCallerIdRead = nullptr;
    once.Report(MOH_INCOMING_CALL, 1);
  };
}

void FakeLoop::Fire(unsigned id) {
  if (!queue.empty()) return;  // WM_TIMER comes only while no posted message waits
  if (id == TIMER_CALL_DIALOG) {
    if (dialog && dialog->ticking) CallDialogTick(ProgramCallDialogRoad(), *dialog);
    return;
  }
  auto timer = timers.find(id);
  if (timer == timers.end()) return;
  Trace("timer " + RecordingPlayer::TimerName(id));
  if (static_cast<int32_t>(timer->second.second - now) > 0) now = timer->second.second;
  timer->second.second = now + timer->second.first;
  OnPlayerTimer(ProgramCallRoad(*this), id);
}

void FakeLoop::Confirm(int pick, bool yes) {
  if (boxes.empty() || !queue.empty()) return;
  LoopBox& box = *boxes[boxes.size() - 1 - static_cast<size_t>(pick) % boxes.size()];
  Trace(std::string("answer a box ") + (yes ? "yes" : "no"));
  box.closed = true;
  box.yes = yes;
}

void FakeLoop::End() {
  Trace("WM_CLOSE to the main window");
  Ending();
  BeginClosingLibrary(gModem);
  CloseCallDialog();
  for (auto& box : boxes) box->closed = true;
  ended = true;
}

void FakeLoop::Tray(int command) {
  static const char* const kNames[] = {"Anruf tätigen", "settings", "Modem On Hold deaktivieren",
                                       "show the call dialog", "Info"};
  if (!queue.empty()) return;
  Trace(std::string("tray: ") + kNames[command]);
  if (command == 0) OnPlaceCall(ProgramCallRoad(*this));
  if (command == 1) OnSettings(ProgramCallRoad(*this), *this);
  if (command == 2) OnDisableMoh(ProgramCallRoad(*this), *this);
  if (command == 3) OnShowCallDlg(ProgramCallRoad(*this), *this);
  if (command == 4) OnInfo(ProgramCallRoad(*this), *this);
}

bool FakeLoop::RunBox(const void* owner) {
  boxes.push_back(std::make_shared<LoopBox>(LoopBox{owner}));
  const std::shared_ptr<LoopBox> box = boxes.back();
  while (!box->closed && NextStep()) {
  }
  boxes.erase(std::find(boxes.begin(), boxes.end(), box));
  return box->yes && !ended;
}

void FakeLoop::Trace(const std::string& what) {
  trace += "\n  " + std::string(boxes.size() * 2, ' ') + what;
}

void FakeLoop::PostEvent(int event, int value) { Post(kOwnEventMark | event, value, false); }

void FakeLoop::RefreshTrayIcon() { ::RefreshTrayIcon(ProgramCallRoad(*this)); }

std::string FakeLoop::LoadText(unsigned id) { return RecordingPlayer::Text(id); }

void FakeLoop::CloseCallDialog() {
  if (!dialog) return;
  dialog->alive = false;
  for (auto& box : boxes) box->closed |= box->owner == dialog.get();
  gWindows.gCallDlgOpen = false;
  dialog = nullptr;
}

void FakeLoop::OpenCallDialog() {
  if (dialog) SecondDialog();
  dialog = std::make_shared<LoopDialog>(*this);
  dialog->mode = InitCallDialog(ProgramCallDialogRoad(), *dialog);
  CallDialogShown(ProgramCallDialogRoad(), *dialog);
}

bool FakeLoop::MoreEventsQueued() { return PostedEventsWaiting(); }

bool FakeLoop::Post(uintptr_t word, int value, bool library) {
  if (ended) return false;  // no main window any more
  CountPostedEvent();
  queue.push_back({false, false, library, word, value, word == MOH_INCOMING_CALL ? calls : 0});
  return true;
}
