// The control pipe: mohsim.exe sends one command a connection, the engine answers it.
#include "EngineHost.h"
#include "JournalLines.h"
#include "Kernel32Win.h"

namespace sim {

namespace {

// How long the pipe waits for a client's command before it gives up on that client.
constexpr DWORD kClientTimeoutMs = 3000;
// A pipe that cannot be made this many times in a row, half a second apart, is given up.
constexpr int kCreateAttempts = 10;

const PipeServerApi& Pipes() {
  static const PipeServerApi api;
  return api;
}

// A cancelled operation may still be under way: its OVERLAPPED must outlive it.
void CancelAndWait(HANDLE pipe, OVERLAPPED& operation) {
  Pipes().cancelIo(pipe);
  DWORD ignored = 0;
  GetOverlappedResult(pipe, &operation, &ignored, TRUE);
}

}  // namespace

DWORD WINAPI EngineHost::PipeThread(void* self) {
  static_cast<EngineHost*>(self)->ServePipe();
  return 0;
}

// Windows 95, 98 and ME have no named-pipe server (95 lacks the functions, 98 and ME fail them
// with ERROR_CALL_NOT_IMPLEMENTED): there the engine runs without a control pipe, says so once in
// its journal and ends this thread. The line then plays only what mohsim.ini scripts.
void EngineHost::ServePipe() {
  if (!Pipes().Complete()) {
    journal_.Append(JournalNoControlPipe(ERROR_CALL_NOT_IMPLEMENTED));
    return;
  }
  HANDLE ioEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  int failures = 0;
  while (WaitForSingleObject(stop_, 0) == WAIT_TIMEOUT) {
    HANDLE pipe = Pipes().createNamedPipe(kControlPipe, PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED,
                                          PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT,
                                          PIPE_UNLIMITED_INSTANCES, 4096, 4096, 0, nullptr);
    if (pipe == INVALID_HANDLE_VALUE) {
      const DWORD error = GetLastError();
      if (error == ERROR_CALL_NOT_IMPLEMENTED || ++failures == kCreateAttempts) {
        journal_.Append(JournalNoControlPipe(error));
        break;
      }
      if (WaitForSingleObject(stop_, 500) == WAIT_OBJECT_0) break;
      continue;
    }
    failures = 0;
    OVERLAPPED connect{};
    connect.hEvent = ioEvent;
    ResetEvent(ioEvent);
    bool connected = Pipes().connectNamedPipe(pipe, &connect) != FALSE;
    if (!connected) {
      const DWORD error = GetLastError();
      if (error == ERROR_PIPE_CONNECTED) {
        connected = true;
      } else if (error == ERROR_IO_PENDING) {
        HANDLE waits[2] = {stop_, ioEvent};
        if (WaitForMultipleObjects(2, waits, FALSE, INFINITE) == WAIT_OBJECT_0 + 1) {
          DWORD ignored = 0;
          connected = GetOverlappedResult(pipe, &connect, &ignored, FALSE) != FALSE;
        } else {
          CancelAndWait(pipe, connect);
        }
      }
    }
    if (connected) ServeClient(pipe, ioEvent);
    Pipes().disconnectNamedPipe(pipe);
    CloseHandle(pipe);
  }
  CloseHandle(ioEvent);
}

void EngineHost::ServeClient(HANDLE pipe, HANDLE ioEvent) {
  // One command a connection: read up to the line end, answer, hang up. A client that goes
  // away or stays silent is let go; the engine carries on.
  std::string line;
  const DWORD start = GetTickCount();
  while (line.find('\n') == std::string::npos && line.size() < 65536) {
    char buffer[512];
    DWORD got = 0;
    OVERLAPPED read{};
    read.hEvent = ioEvent;
    ResetEvent(ioEvent);
    if (!ReadFile(pipe, buffer, sizeof(buffer), &got, &read)) {
      if (GetLastError() != ERROR_IO_PENDING) return;
      const DWORD left = kClientTimeoutMs - (GetTickCount() - start);
      HANDLE waits[2] = {stop_, ioEvent};
      const DWORD woke =
          WaitForMultipleObjects(2, waits, FALSE, static_cast<LONG>(left) > 0 ? left : 0);
      if (woke != WAIT_OBJECT_0 + 1) {
        CancelAndWait(pipe, read);
        return;
      }
      if (!GetOverlappedResult(pipe, &read, &got, FALSE)) return;
    }
    if (got == 0) return;
    line.append(buffer, got);
  }
  const size_t end = line.find_first_of("\r\n");
  if (end == std::string::npos) return;  // no whole command: nothing happens
  const std::string reply = Control(line.substr(0, end)) + "\n";

  OVERLAPPED write{};
  write.hEvent = ioEvent;
  ResetEvent(ioEvent);
  DWORD written = 0;
  if (!WriteFile(pipe, reply.data(), static_cast<DWORD>(reply.size()), &written, &write) &&
      GetLastError() == ERROR_IO_PENDING) {
    if (WaitForSingleObject(ioEvent, kClientTimeoutMs) != WAIT_OBJECT_0) {
      CancelAndWait(pipe, write);
      return;
    }
    GetOverlappedResult(pipe, &write, &written, FALSE);
  }
  FlushFileBuffers(pipe);
}

}  // namespace sim
