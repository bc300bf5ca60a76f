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
  void SetBinary(const std::string& name, const void* data, uint32_t size) override {
    RegSetValueExA(key_, name.c_str(), 0, REG_BINARY, static_cast<const BYTE*>(data), size);
  }
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
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) {
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
