// The values Parko reads from the registry, of any type and length: the tone switches, the
// recorded program folder and the Run value. A value that does not fit leaves its buffer as the
// system may, written up to its end; the readers still keep a switch a switch and a path within
// its buffer, terminated.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <string>

#include "base/EventLog.h"
#include "desktop/AutoStart.h"
#include "desktop/ProgramLink.h"
#include "moh/MohApi.h"
#include "moh/MohSettings.h"
#include "moh/Registry.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

struct Value {
  uint32_t type;
  std::string data;
};
using Values = std::map<std::string, Value>;
std::map<std::string, Values> gKeys;

class FuzzedKey : public RegistryKey {
 public:
  explicit FuzzedKey(Values& values) : values_(values) {}
  bool Query(const std::string& name, void* data, uint32_t size, uint32_t* type) override {
    auto found = values_.find(name);
    if (found == values_.end()) return false;
    *type = found->second.type;
    const std::string& bytes = found->second.data;
    // Too large: the data as far as it fits, and a failure.
    std::memcpy(data, bytes.data(), bytes.size() < size ? bytes.size() : size);
    return bytes.size() <= size;
  }
  bool HasValue(const std::string& name) override { return values_.count(name) != 0; }
  void SetBinary(const std::string& name, const void* data, uint32_t size) override {
    values_[name] = {REGISTRY_BINARY, std::string(static_cast<const char*>(data), size)};
  }
  void SetString(const std::string& name, const std::string& text, bool withNul) override {
    values_[name] = {REGISTRY_SZ, withNul ? text + '\0' : text};
  }
  void DeleteValue(const std::string& name) override { values_.erase(name); }
  long Close() override { return 0; }

 private:
  Values& values_;
};

class FuzzedRegistry : public Registry {
 public:
  std::unique_ptr<RegistryKey> OpenMachineKey(const std::string& path) override {
    auto found = gKeys.find(path);
    if (found == gKeys.end()) return nullptr;
    return std::make_unique<FuzzedKey>(found->second);
  }
  std::unique_ptr<RegistryKey> OpenMachineKeyToQuery(const std::string& path) override {
    return OpenMachineKey(path);
  }
  bool CreateMachineKey(const std::string& path) override {
    gKeys[path];
    return true;
  }
};

FuzzedRegistry gRegistry;

// A value of any type with any bytes, or none.
void MaybeValue(FuzzedDataProvider& input, const std::string& key, const char* name) {
  if (!input.ConsumeBool()) return;
  Value value;
  value.type = input.ConsumeIntegralInRange<uint32_t>(0, 12);
  if (input.ConsumeBool()) value.type = input.ConsumeIntegral<uint32_t>();
  value.data = input.ConsumeRandomLengthString(600);
  gKeys[key][name] = value;
}

bool IsSwitch(const Value* value) {
  return value != nullptr && IsToneSwitchType(value->type) && value->data.size() <= 4;
}

const Value* Find(const std::string& key, const char* name) {
  auto found = gKeys.find(key);
  if (found == gKeys.end()) return nullptr;
  auto value = found->second.find(name);
  return value == found->second.end() ? nullptr : &value->second;
}

}  // namespace

// The library is not asked for anything by the readers under test.
extern "C" int MOHAPI_CALL MohGetParam(int, int, char*) { return 0; }
Registry& SystemRegistry() { return gRegistry; }
// Nor is the event log opened.
void CreateLogFile() {}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  gKeys.clear();
  if (input.ConsumeBool()) gKeys[kMohRegistryKey];
  if (input.ConsumeBool()) gKeys[kAutoStartKey];
  for (const char* name : {"MuteRingTone", "MuteWarnTone", "AppPath", "LinkName"}) {
    MaybeValue(input, kMohRegistryKey, name);
  }
  MaybeValue(input, kAutoStartKey, kAutoStartValue);
  UseRegistry(&gRegistry);

  gSettings.MuteRingTone = gSettings.MuteWarnTone = -1;
  ReadToneSettings();
  for (auto [name, tone] : {std::make_pair("MuteRingTone", gSettings.MuteRingTone),
                            std::make_pair("MuteWarnTone", gSettings.MuteWarnTone)}) {
    const Value* value = Find(kMohRegistryKey, name);
    if (gKeys.count(kMohRegistryKey) == 0) {
      Require(tone == -1);  // no key: the switches are left as they were
    } else if (!IsSwitch(value)) {
      Require(tone == 0);
    } else {
      int32_t expected = 0;
      std::memcpy(&expected, value->data.data(), value->data.size());
      Require(tone == expected);
    }
  }

  std::string path = "unchanged";
  if (GetPrevAppPath(path)) {
    Require(path.size() <= 260 && path.find('\0') == std::string::npos);
  } else {
    Require(path == "unchanged");
  }

  QueryStartAutomatically();
  Require(gSettings.gAutoStart == (Find(kAutoStartKey, kAutoStartValue) != nullptr));
  return 0;
}
