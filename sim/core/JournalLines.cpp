#include "JournalLines.h"

#include <cstdio>

#include "fw/Text.h"
#include "moh/MohApi.h"

namespace sim {

namespace {

// No text of the program's is longer than this; a longer one is cut in the journal only.
constexpr std::size_t kMaxText = 1024;

std::string Pointer(const void* p) { return p ? "buffer" : "null"; }

}  // namespace

std::string Quoted(const char* text, std::size_t cap) {
  if (text == nullptr) return "null";
  const std::string raw = fw::FromBuffer(text, cap);
  std::string out = "\"";
  for (unsigned char c : raw) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof(escaped), "\\x%02X", c);
      out += escaped;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

std::string JournalGetVersion() { return "MohGetVersion()"; }

std::string JournalEnumerate(const char* modemName) {
  return "MoHEnumerateModems(table, name=" + Quoted(modemName, kMaxText) + ")";
}

std::string JournalInitialize(int handle, const MODEM_ENTRY* entry) {
  std::string line = "MohInitialize(handle=" + std::to_string(handle) + ", ";
  if (entry == nullptr) return line + "entry=null)";
  return line + "type=" + std::to_string(entry->Type) +
         ", name=" + Quoted(entry->DisplayName, sizeof(entry->DisplayName)) +
         ", port=" + Quoted(entry->ComPort, sizeof(entry->ComPort)) + ")";
}

std::string JournalCommand(int handle, int command) {
  return "MohCommand(handle=" + std::to_string(handle) + ", command=" + std::to_string(command) +
         ")";
}

std::string JournalGetParam(int handle, int id, const char* buffer) {
  return "MohGetParam(handle=" + std::to_string(handle) + ", id=" + std::to_string(id) + ", " +
         Pointer(buffer) + ")";
}

std::string JournalSetParam(int handle, int id, int value) {
  return "MohSetParam(handle=" + std::to_string(handle) + ", id=" + std::to_string(id) +
         ", value=" + std::to_string(value) + ")";
}

std::string JournalSetParamString(int handle, int id, const char* text) {
  return "MohSetParamString(handle=" + std::to_string(handle) + ", id=" + std::to_string(id) +
         ", text=" + Quoted(text, kMaxText) + ")";
}

std::string JournalInitDefaultDialString() { return "InitDefaultDialString()"; }

std::string JournalGetDefaultDialString(const char* buffer) {
  return "GetDefaultDialString(" + Pointer(buffer) + ")";
}

std::string JournalNoControlPipe(unsigned long error) {
  return "NoControlPipe(error=" + std::to_string(error) + ")";
}

}  // namespace sim
