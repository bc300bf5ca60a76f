// A modem-on-hold library of the test suite's own that keeps calling back from its thread
// after MOH_CMD_CLOSE returned, as the interface allows: the program must survive its exit
// while such a thread still logs through it.
#include <windows.h>

#include <cstring>

#include "moh/MohApi.h"

namespace {

MOH_EVENT_CALLBACK gCallback = nullptr;

DWORD WINAPI CallBackAfterClose(LPVOID) {
  const DWORD start = GetTickCount();
  // "Incoming call detected." has a log line: each call writes to the program's log.
  while (GetTickCount() - start < 2000) {
    if (MOH_EVENT_CALLBACK callback = gCallback) callback(MOH_INCOMING_CALL, 0);
  }
  return 0;
}

}  // namespace

extern "C" {

int MOHAPI_CALL MohGetVersion(void) { return (2 << 16) | 10; }

int MOHAPI_CALL MoHEnumerateModems(MODEM_ENTRY* table, const char*) {
  std::memset(&table[0], 0, sizeof(table[0]));
  table[0].Type = TELKA;
  lstrcpynA(table[0].DisplayName, "Late Modem", sizeof(table[0].DisplayName));
  lstrcpynA(table[0].ComPort, "COM3", sizeof(table[0].ComPort));
  return 1;
}

int MOHAPI_CALL MohInitialize(int, MODEM_ENTRY*, MOH_EVENT_CALLBACK callback) {
  gCallback = callback;
  return 1;
}

int MOHAPI_CALL MohCommand(int, int command) {
  if (command == MOH_CMD_CLOSE) {
    // Several at once, so that one of them is likely to be between taking the log and
    // writing to it when the program closes the log.
    for (int i = 0; i < 8; ++i) {
      HANDLE thread = CreateThread(nullptr, 0, &CallBackAfterClose, nullptr, 0, nullptr);
      if (thread != nullptr) CloseHandle(thread);
    }
  }
  return 1;
}

int MOHAPI_CALL MohGetParam(int, int id, char* buffer) {
  if (buffer != nullptr) buffer[0] = '\0';
  switch (id) {
    case MOH_PARAM_ENABLE_MOH:
    case MOH_PARAM_WARN:
    case MOH_PARAM_CALLER_ID:
      return 1;
    case MOH_PARAM_MODEM_TYPE:
      return TELKA;
    case MOH_PARAM_QUICK_CONNECT:
      return 9;
    default:
      return 0;
  }
}

int MOHAPI_CALL MohSetParam(int, int, int) { return 1; }

int MOHAPI_CALL MohSetParamString(int, int, const char*) { return 1; }
}
