#include "fw/StringsWin.h"

#include <vector>

namespace fw {

std::string LoadText(UINT id) {
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

}  // namespace fw
