#include "Fakes.h"

#include <cstring>

#include "JournalLines.h"
#include "base/InstallOptions.h"
#include "base/OpenWindows.h"
#include "base/OsDetect.h"
#include "call/CallDlgLogic.h"
#include "call/CallState.h"
#include "calllog/CallLog.h"
#include "desktop/AutoStart.h"
#include "fw/Text.h"
#include "moh/DefaultDialString.h"
#include "moh/ModemSelection.h"
#include "moh/MohEvents.h"
#include "moh/MohSettings.h"
#include "tray/TrayCommands.h"

namespace fake {

Library& TheLibrary() {
  static Library library;
  return library;
}

MODEM_ENTRY Modem(int type, const std::string& name, const std::string& port) {
  MODEM_ENTRY entry{};
  entry.Type = type;
  fw::CopyBounded(entry.DisplayName, sizeof(entry.DisplayName), name.c_str());
  fw::CopyBounded(entry.ComPort, sizeof(entry.ComPort), port.c_str());
  return entry;
}

std::vector<std::pair<int, int>>& PostedEvents() {
  static std::vector<std::pair<int, int>> events;
  return events;
}

std::function<bool(int, int)>& PostTarget() {
  static std::function<bool(int, int)> target;
  return target;
}

std::vector<std::string> Log::Texts() const {
  std::vector<std::string> texts;
  for (const std::string& line : lines) {
    const size_t start = line.find(" - ");
    std::string text = start == std::string::npos ? line : line.substr(start + 3);
    if (text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0) {
      text.resize(text.size() - 2);
    }
    texts.push_back(text);
  }
  return texts;
}

int& LogFilesCreated() {
  static int created = 0;
  return created;
}

RegistryData& TheRegistryData() {
  static RegistryData data;
  return data;
}

std::string Bytes(int32_t value) {
  return std::string(reinterpret_cast<const char*>(&value), sizeof(value));
}

namespace {

class MemoryKey : public RegistryKey {
 public:
  MemoryKey(std::map<std::string, std::string>& values, std::map<std::string, uint32_t>& types)
      : values_(values), types_(types) {}
  bool Query(const std::string& name, void* data, uint32_t size, uint32_t* type) override {
    auto found = values_.find(name);
    if (found == values_.end()) return false;
    auto typed = types_.find(name);
    *type = typed == types_.end() ? REGISTRY_BINARY : typed->second;
    if (found->second.size() > size) return false;
    std::memcpy(data, found->second.data(), found->second.size());
    return true;
  }
  bool HasValue(const std::string& name) override { return values_.count(name) != 0; }
  void SetBinary(const std::string& name, const void* data, uint32_t size) override {
    values_[name] = std::string(static_cast<const char*>(data), size);
    types_.erase(name);
  }
  void SetString(const std::string& name, const std::string& text, bool withNul) override {
    values_[name] = withNul ? text + '\0' : text;
    types_[name] = REGISTRY_SZ;
  }
  void DeleteValue(const std::string& name) override {
    values_.erase(name);
    types_.erase(name);
  }
  long Close() override { return 0; }

 private:
  std::map<std::string, std::string>& values_;
  std::map<std::string, uint32_t>& types_;
};

class MemoryRegistry : public Registry {
 public:
  std::unique_ptr<RegistryKey> OpenMachineKey(const std::string& path) override {
    auto found = TheRegistryData().keys.find(path);
    if (found == TheRegistryData().keys.end()) return nullptr;
    ++TheRegistryData().opened;
    return std::make_unique<MemoryKey>(found->second, TheRegistryData().types[path]);
  }
  std::unique_ptr<RegistryKey> OpenMachineKeyToQuery(const std::string& path) override {
    return OpenMachineKey(path);
  }
  bool CreateMachineKey(const std::string& path) override {
    TheRegistryData().keys[path];
    return true;
  }
};

Log gLog;

}  // namespace

void ResetAll() {
  TheLibrary() = Library{};
  TheLibrary().modems.push_back(Modem(TELKA, "Oskavel V.92 Data Fax Modem"));
  PostedEvents().clear();
  PostTarget() = nullptr;
  gLog = Log{};
  gEventLog = nullptr;
  LogFilesCreated() = 0;
  TheRegistryData() = RegistryData{};
  UseRegistry(nullptr);

  ResetInstallOptions();
  gInstall.gInstallDir = "C:\\Parko";
  ResetSystemFacts();
  ResetModemSelection();
  ResetModemActiveEchoes();
  ResetMohSettings();
  ResetCallState();
  ResetOpenWindows();
  ResetCallLog();
}

void LoggingTest::SetUp() {
  ResetAll();
  log_ = Log{};
  gEventLog = &log_;
  gInstall.gLogging = 1;
}

std::vector<std::string> LoggingTest::LibraryCalls() {
  std::vector<std::string> calls = TheLibrary().calls;
  TheLibrary().calls.clear();
  return calls;
}

}  // namespace fake

// ---- The adapters the portable code calls, linked in place of the Win32 ones ----------------

void CreateLogFile() {
  ++fake::LogFilesCreated();
  gEventLog = &fake::gLog;
}

void CloseLogFile() { gEventLog = nullptr; }

bool PostMohEvent(int event, int value) {
  if (fake::PostTarget()) return fake::PostTarget()(event, value);
  fake::PostedEvents().emplace_back(event, value);
  return true;
}

Registry& SystemRegistry() {
  static fake::MemoryRegistry registry;
  return registry;
}

extern "C" {

int MOHAPI_CALL MohGetVersion(void) {
  fake::TheLibrary().calls.push_back(sim::JournalGetVersion());
  return fake::TheLibrary().version;
}

int MOHAPI_CALL MoHEnumerateModems(MODEM_ENTRY* table, const char* modemName) {
  fake::Library& library = fake::TheLibrary();
  library.calls.push_back(sim::JournalEnumerate(modemName));
  int written = 0;
  for (const MODEM_ENTRY& modem : library.modems) {
    if (written == MOH_MAX_MODEMS) break;
    table[written++] = modem;
  }
  return library.reportedCount >= 0 ? library.reportedCount : written;
}

int MOHAPI_CALL MohInitialize(int handle, MODEM_ENTRY* entry, MOH_EVENT_CALLBACK callback) {
  fake::Library& library = fake::TheLibrary();
  library.calls.push_back(sim::JournalInitialize(handle, entry));
  library.initializedWith = *entry;
  library.callback = callback;
  for (const auto& [code, value] : library.initEvents) callback(code, value);
  return library.initResult;
}

int MOHAPI_CALL MohCommand(int handle, int command) {
  fake::TheLibrary().calls.push_back(sim::JournalCommand(handle, command));
  if (fake::TheLibrary().onCommand) fake::TheLibrary().onCommand(command);
  return command == MOH_CMD_ORIGINATE ? fake::TheLibrary().originateResult : 1;
}

int MOHAPI_CALL MohGetParam(int handle, int id, char* buffer) {
  fake::Library& library = fake::TheLibrary();
  library.calls.push_back(sim::JournalGetParam(handle, id, buffer));
  if (id == MOH_PARAM_CALLER_ID_DATA && buffer) {
    if (library.whileCallerIdRead) library.whileCallerIdRead();
    if (library.callerIdFillsBuffer) {
      std::memset(buffer, 'X', MOH_CALLER_ID_SIZE);
    } else {
      fw::CopyBounded(buffer, MOH_CALLER_ID_SIZE, library.callerId.c_str());
    }
    return 0;
  }
  if (id == MOH_PARAM_DIAL_STRING && buffer) {
    // Whole, however long: a dial string longer than the contract's 15 characters stands for
    // a library that overruns a buffer of the contract's size.
    std::memcpy(buffer, library.dialString.c_str(), library.dialString.size() + 1);
    return 0;
  }
  if (id == MOH_PARAM_MODEM_TYPE)
    return library.initializedWith.Type != 0
               ? library.initializedWith.Type
               : (library.modems.empty() ? 0 : library.modems[0].Type);
  auto found = library.params.find(id);
  return found == library.params.end() ? 0 : found->second;
}

int MOHAPI_CALL MohSetParam(int handle, int id, int value) {
  fake::TheLibrary().calls.push_back(sim::JournalSetParam(handle, id, value));
  fake::TheLibrary().params[id] = value;
  return 1;
}

int MOHAPI_CALL MohSetParamString(int handle, int id, const char* text) {
  fake::TheLibrary().calls.push_back(sim::JournalSetParamString(handle, id, text));
  if (id == MOH_PARAM_DIAL_STRING) fake::TheLibrary().dialString = text;
  return 1;
}

int MOHAPI_CALL InitDefaultDialString(void) {
  fake::TheLibrary().calls.push_back(sim::JournalInitDefaultDialString());
  return 1;
}

int MOHAPI_CALL GetDefaultDialString(char* buffer) {
  fake::Library& library = fake::TheLibrary();
  library.calls.push_back(sim::JournalGetDefaultDialString(buffer));
  // Whole, as above: a long default stands for a library that overruns.
  std::memcpy(buffer, library.defaultDialString.c_str(), library.defaultDialString.size() + 1);
  return 1;
}

}  // extern "C"
