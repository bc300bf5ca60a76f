// Bounded text helpers. Every text that comes from a library, the registry, an INI file or a
// window passes through one of these before the program uses it. Portable: no <windows.h>.
#pragma once

#include <cstddef>
#include <string>

namespace fw {

// Copies src into dst, which holds cap bytes, and always terminates it (cap > 0). Returns false
// when src did not fit and was cut. A null src copies as the empty text.
bool CopyBounded(char* dst, std::size_t cap, const char* src);

// Length of the text in a buffer of cap bytes that its writer may have left unterminated.
std::size_t BoundedLength(const char* buffer, std::size_t cap);

// The text in a buffer of cap bytes, up to its terminator or the end of the buffer.
std::string FromBuffer(const char* buffer, std::size_t cap);

// printf-style formatting without a length limit.
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace fw
