// The engine's event thread: delivers the scheduled events through the program's callback,
// in order of due time, as a driver-backed library would from a thread of its own.
#include "EngineHost.h"
#include "SectionLock.h"

namespace sim {

namespace {

// How long MohInitialize and a control command wait for the events they raised at once to reach
// the program.
constexpr DWORD kHandOverTimeoutMs = 5000;

}  // namespace

bool EngineHost::Pending::operator<(const Pending& other) const {
  // std::priority_queue puts the greatest first: the greatest is the earliest.
  const LONG byDue = static_cast<LONG>(due - other.due);  // tick wrap-around safe
  if (byDue != 0) return byDue > 0;
  return sequence > other.sequence;
}

DWORD EngineHost::Schedule(const std::vector<Scheduled>& events) {
  const DWORD now = GetTickCount();
  if (events.empty()) return now;
  for (const Scheduled& event : events) {
    queue_.push({now + static_cast<DWORD>(event.delayMs), ++nextSequence_, event});
  }
  SetEvent(wake_);
  return now;
}

bool EngineHost::HandedOverUpTo(DWORD tick) const {
  if (handedOver_ != delivered_) return false;  // a callback is running
  return queue_.empty() || static_cast<LONG>(queue_.top().due - tick) > 0;
}

void EngineHost::WaitForHandOver(DWORD tick) {
  const DWORD start = GetTickCount();
  ++handOverWaiters_;
  for (;;) {
    {
      SectionLock lock(lock_);
      if (HandedOverUpTo(tick)) break;
    }
    if (stopping_ || GetTickCount() - start > kHandOverTimeoutMs) break;
    WaitForSingleObject(deliveredEvent_, 50);
  }
  --handOverWaiters_;
}

// Both with a thread-id pointer: Windows 95 and 98 fail CreateThread without one.
void EngineHost::StartEventThread() {
  stopping_ = false;
  ResetEvent(stop_);
  if (eventThread_ == nullptr) {
    eventThread_ = CreateThread(nullptr, 0, &EngineHost::EventThread, this, 0, &eventThreadId_);
  }
}

void EngineHost::StartPipeThread() {
  if (pipeThread_ == nullptr) {
    pipeThread_ = CreateThread(nullptr, 0, &EngineHost::PipeThread, this, 0, &pipeThreadId_);
  }
}

void EngineHost::StopThreads() {
  stopping_ = true;
  SetEvent(stop_);
  // Called from inside the callback the event thread cannot wait for itself; it ends when the
  // callback returns.
  const bool onEventThread = GetCurrentThreadId() == eventThreadId_;
  for (HANDLE* thread : {&eventThread_, &pipeThread_}) {
    if (*thread == nullptr) continue;
    if (!(onEventThread && thread == &eventThread_)) WaitForSingleObject(*thread, INFINITE);
    CloseHandle(*thread);
    *thread = nullptr;
  }
  eventThreadId_ = 0;
}

DWORD WINAPI EngineHost::EventThread(void* self) {
  static_cast<EngineHost*>(self)->DeliverEvents();
  return 0;
}

void EngineHost::DeliverEvents() {
  HANDLE waits[2] = {stop_, wake_};
  for (;;) {
    DWORD timeout = INFINITE;
    MOH_EVENT_CALLBACK callback = nullptr;
    Scheduled event{};
    bool deliver = false;
    bool taken = false;  // an event left the queue in this round
    {
      SectionLock lock(lock_);
      if (!queue_.empty()) {
        const Pending& next = queue_.top();
        const LONG wait = static_cast<LONG>(next.due - GetTickCount());
        if (wait > 0) {
          timeout = static_cast<DWORD>(wait);
        } else {
          event = next.event;
          delivered_ = next.sequence;
          queue_.pop();
          taken = true;
          deliver = engine_->Deliver(event);
          callback = callback_;
          if (deliver && callback != nullptr) responses_.Delivered(event.code, NowMs());
          timeout = 0;
        }
      }
    }
    if (deliver && callback != nullptr) callback(event.code, event.value);
    if (taken) {
      SectionLock lock(lock_);
      handedOver_ = delivered_;
    }
    if (stopping_) return;
    // The next event may be due already: it goes out without a wait.
    if (taken) continue;
    // All that is due is handed over: one call to the system for a burst, not one an event.
    if (handOverWaiters_ > 0) SetEvent(deliveredEvent_);
    if (WaitForMultipleObjects(2, waits, FALSE, timeout) == WAIT_OBJECT_0) return;
  }
}

}  // namespace sim
