#include "fw/Text.h"

#include <string.h>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <vector>

namespace fw {

bool CopyBounded(char* dst, std::size_t cap, const char* src) {
  if (cap == 0) return src == nullptr || *src == '\0';
  if (src == nullptr) src = "";
  const std::size_t length = BoundedLength(src, cap);
  const bool fits = length < cap;
  const std::size_t copied = fits ? length : cap - 1;
  std::memcpy(dst, src, copied);
  dst[copied] = '\0';
  return fits;
}

std::size_t BoundedLength(const char* buffer, std::size_t cap) {
  return buffer == nullptr ? 0 : ::strnlen(buffer, cap);
}

std::string FromBuffer(const char* buffer, std::size_t cap) {
  return std::string(buffer ? buffer : "", BoundedLength(buffer, cap));
}

std::string Format(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list again;
  va_copy(again, args);
  const int needed = std::vsnprintf(nullptr, 0, format, args);
  va_end(args);
  std::string out;
  if (needed > 0) {
    std::vector<char> buffer(static_cast<std::size_t>(needed) + 1);
    std::vsnprintf(buffer.data(), buffer.size(), format, again);
    out.assign(buffer.data(), static_cast<std::size_t>(needed));
  }
  va_end(again);
  return out;
}

}  // namespace fw
