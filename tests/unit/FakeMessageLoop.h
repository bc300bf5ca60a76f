// The player window's message loop as a walk of the call road sees it, without windows: the
// posted messages in their queue (the library's events and the program's own, their re-posts,
// WM_CLOSE), the timers on a clock of its own, the call dialog, and the boxes, whose message
// loops run further steps of the walk until they are answered or close with their owner.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "call/CallDlgLogic.h"
#include "call/IPlayerWindow.h"
#include "tray/TrayCommands.h"

struct LoopMessage {
  bool dispatch, close, library;
  uintptr_t word;  // the event, with kOwnEventMark for the program's own
  int value;
  int call;  // the incoming call it reports (1, 2, ...), 0 for none
};

struct LoopBox {
  const void* owner;  // the call dialog whose reminder it is
  bool closed = false, yes = false;
};

class FakeLoop;

// A call dialog without a window; its reminder is a box of the loop.
struct LoopDialog : HeadlessCallDialog {
  explicit LoopDialog(FakeLoop& loop);
  void StartTick(unsigned) override { ticking = true; }
  void StopAnswerTimer() override;
  void ShowHangUpReminder() override;
  void Dismiss() override;
  FakeLoop& loop;
  CallDlgMode mode = CallDlgMode::StatusOnly;
  bool alive = true, ticking = false, boxOpen = false;
};

// The library's text of incoming call number `call`.
std::string CallerText(int call);

class FakeLoop : public IPlayerWindow, public ITrayCommandWindow {
 public:
  FakeLoop();
  ~FakeLoop() override;

  // The walk's next step, run by a box's loop; false when there is none left.
  virtual bool NextStep() = 0;
  // Around each dispatch of an event to the handler.
  virtual void Dispatching(const LoopMessage&) {}
  virtual void Dispatched(const LoopMessage&) {}
  // A call dialog is opened while one is open.
  virtual void SecondDialog() {}
  // The program begins to end, before anything closes.
  virtual void Ending() {}

  // The library reports an event through the program's callback.
  void Report(int event, int value);
  // The next posted message: an event is re-posted (or the re-post is lost), a re-posted one
  // handled, WM_CLOSE ends the program.
  void Pump(bool loseRepost);
  // Every posted message, until none waits (or the program ended).
  void PumpAll();
  // A timer fires, once no posted message waits; the clock moves on to it.
  void Fire(unsigned id);
  // The user answers one of the open boxes, once no posted message waits.
  void Confirm(int pick, bool yes);
  // WM_CLOSE: the main window goes, and every window and box with it.
  void End();
  // One of the tray's commands, in the order of its menu's entries that call the road:
  // "Anruf tätigen", the settings, "Modem On Hold deaktivieren", the call dialog, "Info". Like
  // every input of the user's, it waits until no posted message does.
  void Tray(int command);
  // Time passes without a message.
  void Wait(uint32_t ms);
  // The next read of a caller's text happens while the library reports another call.
  void CallWhileCallerIsRead();
  // A box's message loop: further steps until it is answered, or closed with its owner.
  bool RunBox(const void* owner = nullptr);
  void Trace(const std::string& what);

  // IPlayerWindow and ITrayCommandWindow
  void SetTimer(unsigned id, unsigned ms) override { timers[id] = {ms, now + ms}; }
  void KillTimer(unsigned id) override { timers.erase(id); }
  void PostEvent(int event, int value) override;
  uint32_t TickCount() override { return now; }
  std::string LoadText(unsigned id) override;
  void Sound(const char* file, SoundMode mode) override { rang |= file && mode == SoundMode::Loop; }
  void NotifyTray(bool, const std::string&) override {}
  void RefreshTrayIcon() override;
  void CloseCallDialog() override;
  void OpenCallDialog() override;
  bool MoreEventsQueued() override;
  void RefreshCallLog() override {}
  bool AskYesNo(unsigned) override { return RunBox(); }
  void ShowMessage(unsigned) override { RunBox(); }
  void PostClose() override { queue.push_back({false, true, false, 0, 0, 0}); }
  void ReopenCallDialog() override { OpenCallDialog(); }
  bool RunSettingsSheet() override { return RunBox(); }
  void ShowAbout() override { RunBox(); }
  void RaiseCallDialogBox() override {}

  std::deque<LoopMessage> queue;
  std::map<unsigned, std::pair<unsigned, uint32_t>> timers;  // period, due
  std::vector<std::shared_ptr<LoopBox>> boxes;
  std::shared_ptr<LoopDialog> dialog;
  uint32_t now = 1000;
  int calls = 0;       // incoming calls the library reported
  int handling = 0;    // the incoming call being handled, 0 for none
  bool ended = false;  // WM_CLOSE was handled
  bool rang = false;   // the ring was started since the last dispatch began
  std::string trace;

 private:
  bool Post(uintptr_t word, int value, bool library);
};
