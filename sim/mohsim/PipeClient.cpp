#include "PipeClient.h"

#include <windows.h>

#include "ControlPipe.h"
#include "Kernel32Win.h"

namespace mohsim {

std::optional<std::string> SendCommand(const std::string& line) {
  HANDLE pipe = INVALID_HANDLE_VALUE;
  const DWORD start = GetTickCount();
  while (pipe == INVALID_HANDLE_VALUE && GetTickCount() - start < 2000) {
    pipe = CreateFileA(sim::kControlPipe, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                       0, nullptr);
    if (pipe != INVALID_HANDLE_VALUE) break;
    if (GetLastError() == ERROR_PIPE_BUSY) {
      static const auto waitNamedPipe =
          sim::Kernel32Function<decltype(&WaitNamedPipeA)>("WaitNamedPipeA");
      if (waitNamedPipe != nullptr) {
        waitNamedPipe(sim::kControlPipe, 500);
      } else {
        Sleep(50);
      }
    } else {
      // Between two clients the engine takes a moment to offer the pipe again (meanwhile the
      // name is missing or the old instance is still being let go), and a second
      // initialisation of the library closes it while it restarts the engine: up to two
      // seconds in all, asked again often so that a command right after another is not held
      // up for long.
      Sleep(2);
    }
  }
  if (pipe == INVALID_HANDLE_VALUE) return std::nullopt;

  const std::string request = line + "\n";
  DWORD written = 0;
  if (!WriteFile(pipe, request.data(), static_cast<DWORD>(request.size()), &written, nullptr)) {
    CloseHandle(pipe);
    return std::nullopt;
  }
  std::string reply;
  char buffer[1024];
  DWORD got = 0;
  while (ReadFile(pipe, buffer, sizeof(buffer), &got, nullptr) && got > 0) {
    reply.append(buffer, got);
  }
  CloseHandle(pipe);
  if (reply.empty()) return std::nullopt;
  while (!reply.empty() && (reply.back() == '\n' || reply.back() == '\r')) reply.pop_back();
  return reply;
}

}  // namespace mohsim
