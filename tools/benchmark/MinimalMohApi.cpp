// A modem-on-hold library of the benchmark's own with nothing behind it: one TELKA modem, every
// call succeeds at once, no thread, no file. It measures Parko without the simulator's cost.
#include <windows.h>

#include <cstring>

#include "moh/MohApi.h"

extern "C" {

int MOHAPI_CALL MohGetVersion(void) { return (2 << 16) | 10; }

int MOHAPI_CALL MoHEnumerateModems(MODEM_ENTRY* table, const char*) {
  if (table == nullptr) return 0;
  std::memset(&table[0], 0, sizeof(MODEM_ENTRY));
  table[0].Type = TELKA;
  lstrcpynA(table[0].DisplayName, "Bench Modem", sizeof(table[0].DisplayName));
  lstrcpynA(table[0].ComPort, "COM1", sizeof(table[0].ComPort));
  return 1;
}

int MOHAPI_CALL MohInitialize(int, MODEM_ENTRY*, MOH_EVENT_CALLBACK) { return 1; }

int MOHAPI_CALL MohCommand(int, int) { return 1; }

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

}  // extern "C"
