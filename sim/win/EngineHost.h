// The running simulated engine inside the process that loaded MOHAPI.DLL: the operations'
// implementations, the thread that delivers events through the program's callback, and the
// control pipe that mohsim.exe talks to.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <queue>
#include <string>
#include <vector>

#include "ControlPipe.h"
#include "Engine.h"
#include "ResponseTimer.h"
#include "SimConfig.h"
#include "SimFiles.h"
#include "moh/MohApi.h"

namespace sim {

class EngineHost {
 public:
  // The one engine of this DLL instance; reads the configuration on first use.
  static EngineHost& Instance();
  static void SetModule(HMODULE module) { module_ = module; }

  int GetVersion();
  int Enumerate(MODEM_ENTRY* table, const char* modemName);
  int Initialize(int handle, MODEM_ENTRY* entry, MOH_EVENT_CALLBACK callback);
  int Command(int handle, int command);
  int GetParam(int handle, int id, char* buffer);
  int SetParam(int handle, int id, int value);
  int SetParamString(int handle, int id, const char* text);

  // One line of the control language; the reply to send back.
  std::string Control(const std::string& line);

 private:
  EngineHost();

  struct Pending {
    DWORD due;
    uint64_t sequence;
    Scheduled event;
    bool operator<(const Pending& other) const;  // earliest due first, then raising order
  };

  // Queues the events by their delays from now; the tick they count from. Lock held.
  DWORD Schedule(const std::vector<Scheduled>& events);
  // Every event due by `tick` has left the queue and its callback has returned.
  bool HandedOverUpTo(DWORD tick) const;  // lock held
  // Waits, bounded, until HandedOverUpTo(tick); lock not held.
  void WaitForHandOver(DWORD tick);
  void StartEventThread();
  void StartPipeThread();
  void StopThreads();
  static DWORD WINAPI EventThread(void* self);
  static DWORD WINAPI PipeThread(void* self);
  void DeliverEvents();
  void ServePipe();
  void ServeClient(HANDLE pipe, HANDLE ioEvent);
  int Family() const;  // lock held
  void StoreParam(int id);
  // Milliseconds of the performance counter.
  static double NowMs();

  static HMODULE module_;
  std::string iniPath_;
  SimConfig config_;
  ParamStore params_;
  JournalFile journal_;
  std::unique_ptr<Engine> engine_;
  ResponseTimer responses_;

  CRITICAL_SECTION lock_;
  std::priority_queue<Pending> queue_;
  uint64_t nextSequence_ = 0;
  uint64_t delivered_ = 0;   // sequence of the last event taken from the queue
  uint64_t handedOver_ = 0;  // sequence of the last event whose callback has returned
  MOH_EVENT_CALLBACK callback_ = nullptr;
  MODEM_ENTRY entry_{};
  bool initialized_ = false;

  HANDLE wake_;            // the queue changed
  HANDLE deliveredEvent_;  // all that was due went out; set only while somebody waits for that
  HANDLE stop_;
  // The same as stop_ and the waiting for a hand-over, for the event thread to read without a
  // call to the system: a burst of events then costs one post each.
  std::atomic<bool> stopping_{false};
  std::atomic<int> handOverWaiters_{0};
  HANDLE eventThread_ = nullptr;
  HANDLE pipeThread_ = nullptr;
  DWORD eventThreadId_ = 0;
  DWORD pipeThreadId_ = 0;
};

}  // namespace sim
