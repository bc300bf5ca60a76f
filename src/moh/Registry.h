// The registry under HKEY_LOCAL_MACHINE, as the settings store, the autostart switch and the
// shortcut's record need it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

// Value types as the registry stores them.
constexpr uint32_t REGISTRY_SZ = 1;
constexpr uint32_t REGISTRY_BINARY = 3;
constexpr uint32_t REGISTRY_DWORD = 4;
constexpr uint32_t REGISTRY_MULTI_SZ = 7;

class RegistryKey {
 public:
  virtual ~RegistryKey() = default;
  // Reads a value into at most `size` bytes and reports its type; false when it is missing or
  // does not fit.
  virtual bool Query(const std::string& name, void* data, uint32_t size, uint32_t* type) = 0;
  // Whether a value of this name exists, whatever its type and data.
  virtual bool HasValue(const std::string& name) = 0;
  virtual void SetBinary(const std::string& name, const void* data, uint32_t size) = 0;
  // A REG_SZ value; the length written counts the terminating NUL only when withNul.
  virtual void SetString(const std::string& name, const std::string& text, bool withNul) = 0;
  virtual void DeleteValue(const std::string& name) = 0;
  // Closes the key; the platform's result.
  virtual long Close() = 0;
};

class Registry {
 public:
  virtual ~Registry() = default;
  // A key under HKEY_LOCAL_MACHINE, opened with full access, never created; null when it
  // cannot be opened.
  virtual std::unique_ptr<RegistryKey> OpenMachineKey(const std::string& path) = 0;
  // The same, opened only to query values.
  virtual std::unique_ptr<RegistryKey> OpenMachineKeyToQuery(const std::string& path) = 0;
  // Creates the key when it is missing; false when it could not be.
  virtual bool CreateMachineKey(const std::string& path) = 0;
};

// The registry the program uses: the system's unless a test put its own in place.
Registry& TheRegistry();
void UseRegistry(Registry* registry);
// Adapter: the system's registry.
Registry& SystemRegistry();
