// The library's operations and the control commands; the event thread is in EngineEvents.cpp,
// the control pipe in EnginePipe.cpp.
#include "EngineHost.h"

#include "JournalLines.h"
#include "SectionLock.h"
#include "fw/Text.h"

namespace sim {

HMODULE EngineHost::module_ = nullptr;

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

  DWORD initTick = 0;
  {
    SectionLock lock(lock_);
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
    initTick = Schedule(events);
  }
  StartEventThread();

  // The events of the initialisation reach the callback before MohInitialize returns, but
  // from the engine's thread, as a driver-backed library reports them.
  WaitForHandOver(initTick);

  if (!config_.initSucceeds) {
    {
      SectionLock lock(lock_);
      engine_->Close();
      queue_ = {};
      initialized_ = false;
    }
    StopThreads();
    return 0;
  }
  // The control line answers only now: whatever is sent on it reaches the program after the
  // initialisation's events, as a line's own events come after the modem was set up.
  StartPipeThread();
  return 1;
}

int EngineHost::Command(int handle, int command) {
  const double now = NowMs();
  journal_.Append(JournalCommand(handle, command));
  int result = 0;
  {
    SectionLock lock(lock_);
    responses_.Commanded(now);
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
  SectionLock lock(lock_);
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
  SectionLock lock(lock_);
  if (id == MOH_PARAM_MODEM_TYPE || !params_.Set(id, value)) return 0;
  StoreParam(id);
  return 1;
}

int EngineHost::SetParamString(int handle, int id, const char* text) {
  journal_.Append(JournalSetParamString(handle, id, text));
  SectionLock lock(lock_);
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
  if (command->kind == ControlCommand::Kind::Latency) {
    SectionLock lock(lock_);
    if (command->first == 0) return responses_.Report();
    responses_.Start(command->first);
    return "ok timing the answers to event " + std::to_string(command->first);
  }
  std::vector<Scheduled> events;
  std::string reply;
  DWORD tick = 0;
  {
    SectionLock lock(lock_);
    reply = engine_->Control(*command, events);
    tick = Schedule(events);
  }
  // The answer comes once what the command raised at once has reached the program: what the
  // sender does next comes after it there.
  WaitForHandOver(tick);
  return reply;
}

double EngineHost::NowMs() {
  LARGE_INTEGER frequency, counter;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&counter);
  return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

}  // namespace sim
