// The modem-on-hold library MOHAPI.DLL: its seven operations (imported by ordinal), the event
// callback, the modem record and the numbers that go across. Parko and the simulated engine
// both build against this one header.
#pragma once

#include <cstddef>
#include <cstdint>

// Every operation and the event callback use the Windows standard calling convention.
#if defined(_WIN32)
#define MOHAPI_CALL __stdcall
#else
#define MOHAPI_CALL
#endif

// One modem as the library reports it; 268 bytes, laid out exactly as the library writes it.
struct MODEM_ENTRY {
  int32_t Type;           // modem family, 0 in an empty entry
  char DisplayName[256];  // zero-terminated
  char ComPort[8];        // zero-terminated
};
static_assert(sizeof(MODEM_ENTRY) == 268, "MODEM_ENTRY is 268 bytes");
static_assert(offsetof(MODEM_ENTRY, Type) == 0, "Type at 0");
static_assert(offsetof(MODEM_ENTRY, DisplayName) == 4, "DisplayName at 4");
static_assert(offsetof(MODEM_ENTRY, ComPort) == 260, "ComPort at 260");

// The table the library fills holds this many entries; the library is passed no capacity.
constexpr int MOH_MAX_MODEMS = 10;

// Modem families.
constexpr int TELKA = 1;
constexpr int BORIN = 2;
constexpr int NUVIA = 3;

// Events (first argument of the callback; the second is the event's value).
constexpr int MOH_EVENT_1 = 1;
constexpr int MOH_MODEM_ACCESS_FAILED = 2;
constexpr int MOH_MODEM_ACTIVE = 3;
constexpr int MOH_MODEM_IDLE = 4;
constexpr int MOH_INCOMING_CALL = 5;  // value 1: caller-ID data is available
constexpr int MOH_DENIED = 6;
constexpr int MOH_GRANTED = 7;  // value: hold-time index 0..13
constexpr int MOH_SWITCH_TO_VOICE = 8;
constexpr int MOH_TIMEOUT_WARNING = 9;
constexpr int MOH_TIMEOUT = 10;
constexpr int MOH_DATA_DISCONNECTED = 11;
constexpr int MOH_DATA_RESUMED = 12;
constexpr int MOH_ERROR = 13;  // value: error sub-code
constexpr int MOH_RESTORING = 14;
constexpr int MOH_SESSION_TERMINATED = 15;
constexpr int MOH_REMOTE_TIMEOUT = 16;
constexpr int MOH_MODEM_UNAVAILABLE = 17;
constexpr int MOH_NOT_SUPPORTED = 18;

// Errors the library reports as events while it is being initialised.
constexpr int MOH_ERR_LOAD_DRIVERS = 51;
constexpr int MOH_ERR_OPEN_PORT = 52;
constexpr int MOH_ERR_CONFIGURE_DEVICE = 53;
constexpr int MOH_ERR_ACCESS_DRIVERS = 54;
constexpr int MOH_ERR_FILTER_DRIVER = 55;

// Commands (second argument of MohCommand).
constexpr int MOH_CMD_ACCEPT = 1;
constexpr int MOH_CMD_DECLINE = 2;
constexpr int MOH_CMD_RESUME_DATA = 3;
constexpr int MOH_CMD_CLOSE = 5;
constexpr int MOH_CMD_RESTORE_ACK = 6;
constexpr int MOH_CMD_DROP_DATA = 7;
constexpr int MOH_CMD_ORIGINATE = 8;  // result 0: no hold can be requested

// Parameters (second argument of MohGetParam, MohSetParam and MohSetParamString).
constexpr int MOH_PARAM_ENABLE_MOH = 1;
constexpr int MOH_PARAM_2 = 2;  // read by the program, meaning unsettled
constexpr int MOH_PARAM_WARN = 3;
constexpr int MOH_PARAM_CALL_WAITING = 4;
constexpr int MOH_PARAM_MODEM_TYPE = 5;  // read only
constexpr int MOH_PARAM_CALLER_ID = 6;
constexpr int MOH_PARAM_CALLER_ID_DATA = 7;  // text: at most 255 characters and a NUL
constexpr int MOH_PARAM_TIMER_INDEX = 8;
constexpr int MOH_PARAM_DIAL_STRING = 9;     // text: at most 15 characters and a NUL
constexpr int MOH_PARAM_QUICK_CONNECT = 10;  // low 8 bits; 9: not set

constexpr std::size_t MOH_CALLER_ID_SIZE = 256;
constexpr std::size_t MOH_DIAL_STRING_SIZE = 16;

typedef void(MOHAPI_CALL* MOH_EVENT_CALLBACK)(int event, int value);

extern "C" {
// Ordinal 1: major version in the high 16 bits, minor in the low 16.
int MOHAPI_CALL MohGetVersion(void);
// Ordinal 2: fills up to MOH_MAX_MODEMS entries; returns the number of modems.
int MOHAPI_CALL MoHEnumerateModems(MODEM_ENTRY* table, const char* modemName);
// Ordinal 3: binds the library to the modem; non-zero on success.
int MOHAPI_CALL MohInitialize(int handle, MODEM_ENTRY* entry, MOH_EVENT_CALLBACK callback);
// Ordinal 4.
int MOHAPI_CALL MohCommand(int handle, int command);
// Ordinal 5: a scalar parameter's value; text parameters go into buffer.
int MOHAPI_CALL MohGetParam(int handle, int id, char* buffer);
// Ordinal 6.
int MOHAPI_CALL MohSetParam(int handle, int id, int value);
// Ordinal 7.
int MOHAPI_CALL MohSetParamString(int handle, int id, const char* text);
}
