// Kernel32 functions that some Windows versions the simulator runs on lack (the pipe server on
// Windows 95, AttachConsole before XP): looked up by name, so that the files still load there.
// Each is null where the system has none.
#pragma once

#include <windows.h>

namespace sim {

template <typename Function>
Function Kernel32Function(const char* name) {
  return reinterpret_cast<Function>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), name)));
}

// The named-pipe server's functions: the engine offers its control pipe only where all are
// there.
struct PipeServerApi {
  decltype(&CreateNamedPipeA) createNamedPipe =
      Kernel32Function<decltype(&CreateNamedPipeA)>("CreateNamedPipeA");
  decltype(&ConnectNamedPipe) connectNamedPipe =
      Kernel32Function<decltype(&ConnectNamedPipe)>("ConnectNamedPipe");
  decltype(&DisconnectNamedPipe) disconnectNamedPipe =
      Kernel32Function<decltype(&DisconnectNamedPipe)>("DisconnectNamedPipe");
  decltype(&CancelIo) cancelIo = Kernel32Function<decltype(&CancelIo)>("CancelIo");

  bool Complete() const {
    return createNamedPipe != nullptr && connectNamedPipe != nullptr &&
           disconnectNamedPipe != nullptr && cancelIo != nullptr;
  }
};

}  // namespace sim
