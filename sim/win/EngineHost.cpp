#include "EngineHost.h"

#include "JournalLines.h"
#include "fw/Text.h"

namespace sim {

namespace {

// How long MohInitialize waits for the events it reports to have been delivered.
constexpr DWORD kInitEventsTimeoutMs = 5000;
// How long the pipe waits for a client's command before it gives up on that client.
constexpr DWORD kClientTimeoutMs = 3000;

class Lock {
 public:
  explicit Lock(CRITICAL_SECTION& section) : section_(section) { EnterCriticalSection(&section_); }
  ~Lock() { LeaveCriticalSection(&section_); }
  Lock(const Lock&) = delete;
  Lock& operator=(const Lock&) = delete;

 private:
  CRITICAL_SECTION& section_;
};

}  // namespace

HMODULE EngineHost::module_ = nullptr;

bool EngineHost::Pending::operator<(const Pending& other) const {
  // std::priority_queue puts the greatest first: the greatest is the earliest.
  const LONG byDue = static_cast<LONG>(due - other.due);  // tick wrap-around safe
  if (byDue != 0) return byDue > 0;
  return sequence > other.sequence;
}

EngineHost& EngineHost::Instance() {
  // Never destroyed: it outlives no thread of its own, and unloading must not wait for one.
  static EngineHost* host = new EngineHost;
  return *host;
}

EngineHost::EngineHost() {
  InitializeCriticalSection(&lock_);
  wake_ = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  deliveredEvent_ = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  stop_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  const std::string dir = ModuleDir(module_);
  iniPath_ = dir + "\\mohsim.ini";
  const IniLookup ini = IniFileLookup(iniPath_);
  config_ = ReadConfig(ini);
  params_.Load(ini);
  journal_.Open(dir + "\\mohsim.journal");
  engine_ = std::make_unique<Engine>(config_);
}

int EngineHost::GetVersion() {
  journal_.Append(JournalGetVersion());
  return static_cast<int>((static_cast<unsigned>(config_.versionMajor) << 16) |
                          (static_cast<unsigned>(config_.versionMinor) & 0xFFFFu));
}

int EngineHost::Enumerate(MODEM_ENTRY* table, const char* modemName) {
  journal_.Append(JournalEnumerate(modemName));
  int written = 0;
  if (table != nullptr) {
    for (const ModemSpec& modem : config_.modems) {
      if (written == MOH_MAX_MODEMS) break;
      MODEM_ENTRY& entry = table[written++];
      entry = MODEM_ENTRY{};
      entry.Type = modem.type;
      fw::CopyBounded(entry.DisplayName, sizeof(entry.DisplayName), modem.name.c_str());
      fw::CopyBounded(entry.ComPort, sizeof(entry.ComPort), modem.port.c_str());
    }
  }
  return config_.reportedCount ? *config_.reportedCount : written;
}

int EngineHost::Initialize(int handle, MODEM_ENTRY* entry, MOH_EVENT_CALLBACK callback) {
  journal_.Append(JournalInitialize(handle, entry));
  StopThreads();  // a second initialisation replaces the first

  uint64_t lastInitEvent = 0;
  {
    Lock lock(lock_);
    queue_ = {};
    entry_ = MODEM_ENTRY{};
    if (entry != nullptr) {
      entry_.Type = entry->Type;
      fw::CopyBounded(entry_.DisplayName, sizeof(entry_.DisplayName),
                      fw::FromBuffer(entry->DisplayName, sizeof(entry->DisplayName)).c_str());
      fw::CopyBounded(entry_.ComPort, sizeof(entry_.ComPort),
                      fw::FromBuffer(entry->ComPort, sizeof(entry->ComPort)).c_str());
    }
    callback_ = callback;
    initialized_ = true;
    std::vector<Scheduled> events;
    engine_->Initialize(entry_.Type, events);
    for (const auto& [code, value] : config_.initEvents) {
      events.push_back({code, value, 0, false, LineState::Idle});
    }
    Schedule(events);
    lastInitEvent = nextSequence_;
  }
  StartThreads();

  // The events of the initialisation reach the callback before MohInitialize returns, but
  // from the engine's thread, as a driver-backed library reports them.
  const DWORD start = GetTickCount();
  for (;;) {
    {
      Lock lock(lock_);
      if (delivered_ >= lastInitEvent || queue_.empty()) break;
    }
    if (GetTickCount() - start > kInitEventsTimeoutMs) break;
    WaitForSingleObject(deliveredEvent_, 50);
  }

  if (!config_.initSucceeds) {
    {
      Lock lock(lock_);
      engine_->Close();
      queue_ = {};
      initialized_ = false;
    }
    StopThreads();
    return 0;
  }
  return 1;
}

int EngineHost::Command(int handle, int command) {
  journal_.Append(JournalCommand(handle, command));
  int result = 0;
  {
    Lock lock(lock_);
    std::vector<Scheduled> events;
    result = engine_->Command(command, events);
    Schedule(events);
    if (command == MOH_CMD_CLOSE) {
      queue_ = {};
      initialized_ = false;
    }
  }
  if (command == MOH_CMD_CLOSE) StopThreads();
  return result;
}

int EngineHost::GetParam(int handle, int id, char* buffer) {
  journal_.Append(JournalGetParam(handle, id, buffer));
  Lock lock(lock_);
  if (id == MOH_PARAM_CALLER_ID_DATA) {
    if (buffer != nullptr) {
      fw::CopyBounded(buffer, MOH_CALLER_ID_SIZE, engine_->CallerId().c_str());
    }
    return 0;
  }
  if (id == MOH_PARAM_DIAL_STRING) {
    if (buffer != nullptr) {
      fw::CopyBounded(buffer, MOH_DIAL_STRING_SIZE, params_.DialString().c_str());
    }
    return 0;
  }
  return params_.Get(id, Family());
}

int EngineHost::SetParam(int handle, int id, int value) {
  journal_.Append(JournalSetParam(handle, id, value));
  Lock lock(lock_);
  if (id == MOH_PARAM_MODEM_TYPE || !params_.Set(id, value)) return 0;
  StoreParam(id);
  return 1;
}

int EngineHost::SetParamString(int handle, int id, const char* text) {
  journal_.Append(JournalSetParamString(handle, id, text));
  Lock lock(lock_);
  if (id != MOH_PARAM_DIAL_STRING || text == nullptr) return 0;
  params_.SetDialString(fw::FromBuffer(text, MOH_DIAL_STRING_SIZE));
  StoreParam(id);
  return 1;
}

void EngineHost::StoreParam(int id) {
  WriteIniValue(iniPath_, "Params", std::to_string(id), params_.StoredText(id));
}

int EngineHost::Family() const {
  if (initialized_ || entry_.Type != 0) return entry_.Type;
  return config_.modems.empty() ? 0 : config_.modems.front().type;
}

std::string EngineHost::Control(const std::string& line) {
  std::string error;
  const std::optional<ControlCommand> command = ParseControlLine(line, &error);
  if (!command) return "error " + error;
  Lock lock(lock_);
  std::vector<Scheduled> events;
  const std::string reply = engine_->Control(*command, events);
  Schedule(events);
  return reply;
}

void EngineHost::Schedule(const std::vector<Scheduled>& events) {
  if (events.empty()) return;
  const DWORD now = GetTickCount();
  for (const Scheduled& event : events) {
    queue_.push({now + static_cast<DWORD>(event.delayMs), ++nextSequence_, event});
  }
  SetEvent(wake_);
}

void EngineHost::StartThreads() {
  ResetEvent(stop_);
  if (eventThread_ == nullptr) {
    eventThread_ = CreateThread(nullptr, 0, &EngineHost::EventThread, this, 0, &eventThreadId_);
  }
  if (pipeThread_ == nullptr) {
    pipeThread_ = CreateThread(nullptr, 0, &EngineHost::PipeThread, this, 0, nullptr);
  }
}

void EngineHost::StopThreads() {
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

DWORD WINAPI EngineHost::PipeThread(void* self) {
  static_cast<EngineHost*>(self)->ServePipe();
  return 0;
}

void EngineHost::DeliverEvents() {
  HANDLE waits[2] = {stop_, wake_};
  for (;;) {
    DWORD timeout = INFINITE;
    MOH_EVENT_CALLBACK callback = nullptr;
    Scheduled event{};
    bool deliver = false;
    {
      Lock lock(lock_);
      if (!queue_.empty()) {
        const Pending& next = queue_.top();
        const LONG wait = static_cast<LONG>(next.due - GetTickCount());
        if (wait > 0) {
          timeout = static_cast<DWORD>(wait);
        } else {
          event = next.event;
          delivered_ = next.sequence;
          queue_.pop();
          deliver = engine_->Deliver(event);
          callback = callback_;
          timeout = 0;
        }
      }
    }
    if (deliver && callback != nullptr) callback(event.code, event.value);
    SetEvent(deliveredEvent_);
    if (WaitForMultipleObjects(2, waits, FALSE, timeout) == WAIT_OBJECT_0) return;
  }
}

void EngineHost::ServePipe() {
  HANDLE ioEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  while (WaitForSingleObject(stop_, 0) == WAIT_TIMEOUT) {
    HANDLE pipe = CreateNamedPipeA(kControlPipe, PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED,
                                   PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT,
                                   PIPE_UNLIMITED_INSTANCES, 4096, 4096, 0, nullptr);
    if (pipe == INVALID_HANDLE_VALUE) {
      if (WaitForSingleObject(stop_, 500) == WAIT_OBJECT_0) break;
      continue;
    }
    OVERLAPPED connect{};
    connect.hEvent = ioEvent;
    ResetEvent(ioEvent);
    bool connected = ConnectNamedPipe(pipe, &connect) != FALSE;
    if (!connected) {
      const DWORD error = GetLastError();
      if (error == ERROR_PIPE_CONNECTED) {
        connected = true;
      } else if (error == ERROR_IO_PENDING) {
        HANDLE waits[2] = {stop_, ioEvent};
        if (WaitForMultipleObjects(2, waits, FALSE, INFINITE) == WAIT_OBJECT_0 + 1) {
          DWORD ignored = 0;
          connected = GetOverlappedResult(pipe, &connect, &ignored, FALSE) != FALSE;
        } else {
          CancelIo(pipe);
        }
      }
    }
    if (connected) ServeClient(pipe, ioEvent);
    DisconnectNamedPipe(pipe);
    CloseHandle(pipe);
  }
  CloseHandle(ioEvent);
}

void EngineHost::ServeClient(HANDLE pipe, HANDLE ioEvent) {
  // One command a connection: read up to the line end, answer, hang up. A client that goes
  // away or stays silent is let go; the engine carries on.
  std::string line;
  const DWORD start = GetTickCount();
  while (line.find('\n') == std::string::npos && line.size() < 65536) {
    char buffer[512];
    DWORD got = 0;
    OVERLAPPED read{};
    read.hEvent = ioEvent;
    ResetEvent(ioEvent);
    if (!ReadFile(pipe, buffer, sizeof(buffer), &got, &read)) {
      if (GetLastError() != ERROR_IO_PENDING) return;
      const DWORD left = kClientTimeoutMs - (GetTickCount() - start);
      HANDLE waits[2] = {stop_, ioEvent};
      const DWORD woke =
          WaitForMultipleObjects(2, waits, FALSE, static_cast<LONG>(left) > 0 ? left : 0);
      if (woke != WAIT_OBJECT_0 + 1) {
        CancelIo(pipe);
        return;
      }
      if (!GetOverlappedResult(pipe, &read, &got, FALSE)) return;
    }
    if (got == 0) return;
    line.append(buffer, got);
  }
  const size_t end = line.find_first_of("\r\n");
  if (end == std::string::npos) return;  // no whole command: nothing happens
  const std::string reply = Control(line.substr(0, end)) + "\n";

  OVERLAPPED write{};
  write.hEvent = ioEvent;
  ResetEvent(ioEvent);
  DWORD written = 0;
  if (!WriteFile(pipe, reply.data(), static_cast<DWORD>(reply.size()), &written, &write) &&
      GetLastError() == ERROR_IO_PENDING) {
    if (WaitForSingleObject(ioEvent, kClientTimeoutMs) != WAIT_OBJECT_0) {
      CancelIo(pipe);
      return;
    }
    GetOverlappedResult(pipe, &write, &written, FALSE);
  }
  FlushFileBuffers(pipe);
}

}  // namespace sim
