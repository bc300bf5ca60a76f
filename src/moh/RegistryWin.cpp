// The system registry.
#include <windows.h>

#include "moh/Registry.h"

namespace {

class Win32Key : public RegistryKey {
 public:
  explicit Win32Key(HKEY key) : key_(key) {}
  ~Win32Key() override { Close(); }

  bool Query(const std::string& name, void* data, uint32_t size, uint32_t* type) override {
    DWORD length = size;
    DWORD valueType = REG_NONE;
    const bool ok = RegQueryValueExA(key_, name.c_str(), nullptr, &valueType,
                                     static_cast<BYTE*>(data), &length) == ERROR_SUCCESS;
    *type = valueType;
    return ok;
  }
  bool HasValue(const std::string& name) override {
    return RegQueryValueExA(key_, name.c_str(), nullptr, nullptr, nullptr, nullptr) ==
           ERROR_SUCCESS;
  }
  void SetBinary(const std::string& name, const void* data, uint32_t size) override {
    RegSetValueExA(key_, name.c_str(), 0, REG_BINARY, static_cast<const BYTE*>(data), size);
  }
  void SetString(const std::string& name, const std::string& text, bool withNul) override {
    RegSetValueExA(key_, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size() + (withNul ? 1 : 0)));
  }
  void DeleteValue(const std::string& name) override { RegDeleteValueA(key_, name.c_str()); }
  long Close() override {
    if (key_ == nullptr) return ERROR_SUCCESS;
    const LONG result = RegCloseKey(key_);
    key_ = nullptr;
    return result;
  }

 private:
  HKEY key_;
};

class Win32Registry : public Registry {
 public:
  std::unique_ptr<RegistryKey> OpenMachineKey(const std::string& path) override {
    return Open(path, KEY_ALL_ACCESS);
  }
  std::unique_ptr<RegistryKey> OpenMachineKeyToQuery(const std::string& path) override {
    return Open(path, KEY_QUERY_VALUE);
  }
  bool CreateMachineKey(const std::string& path) override {
    HKEY key = nullptr;
    if (RegCreateKeyA(HKEY_LOCAL_MACHINE, path.c_str(), &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
  }

 private:
  static std::unique_ptr<RegistryKey> Open(const std::string& path, REGSAM access) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, access, &key) != ERROR_SUCCESS) {
      return nullptr;
    }
    return std::make_unique<Win32Key>(key);
  }
};

}  // namespace

Registry& SystemRegistry() {
  static Win32Registry system;
  return system;
}
