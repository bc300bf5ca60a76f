#include "fw/StringsWin.h"

#include <map>
#include <vector>

#include "fw/Lock.h"

namespace fw {

namespace {

std::string LoadFromTable(UINT id) {
  // LoadStringA cuts a text to the buffer without saying so: grow until it has room to spare.
  // A string table entry holds at most 65535 characters.
  for (int size = 256; size <= 65536; size *= 2) {
    std::vector<char> buffer(static_cast<size_t>(size), '\0');
    const int copied = LoadStringA(GetModuleHandleA(nullptr), id, buffer.data(), size);
    if (copied <= 0) return {};
    if (copied < size - 1 || size == 65536)
      return std::string(buffer.data(), static_cast<size_t>(copied));
  }
  return {};
}

}  // namespace

std::string LoadText(UINT id) {
  // The string table does not change while the program runs, and a burst of events asks for
  // the same few texts thousands of times: each is loaded once. There are no more entries than
  // the table has ids.
  static Lock lock;
  static std::map<UINT, std::string> loaded;
  Held held(lock);
  auto found = loaded.find(id);
  if (found == loaded.end()) found = loaded.emplace(id, LoadFromTable(id)).first;
  return found->second;
}

}  // namespace fw
