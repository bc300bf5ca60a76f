// MOHAPI.DLL: the seven operations, exported by ordinal only (MOHAPI.def).
//
// MinGW's runtime gives this DLL a static TLS directory, which Windows 95 sets up only for a DLL
// bound when the program loads: Parko.exe imports it, and nothing may load it with LoadLibrary.
#include <windows.h>

#include "EngineHost.h"
#include "moh/MohApi.h"

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, void*) {
  if (reason == DLL_PROCESS_ATTACH) {
    DisableThreadLibraryCalls(instance);
    sim::EngineHost::SetModule(instance);
  }
  return TRUE;
}

extern "C" {

int MOHAPI_CALL MohGetVersion(void) { return sim::EngineHost::Instance().GetVersion(); }

int MOHAPI_CALL MoHEnumerateModems(MODEM_ENTRY* table, const char* modemName) {
  return sim::EngineHost::Instance().Enumerate(table, modemName);
}

int MOHAPI_CALL MohInitialize(int handle, MODEM_ENTRY* entry, MOH_EVENT_CALLBACK callback) {
  return sim::EngineHost::Instance().Initialize(handle, entry, callback);
}

int MOHAPI_CALL MohCommand(int handle, int command) {
  return sim::EngineHost::Instance().Command(handle, command);
}

int MOHAPI_CALL MohGetParam(int handle, int id, char* buffer) {
  return sim::EngineHost::Instance().GetParam(handle, id, buffer);
}

int MOHAPI_CALL MohSetParam(int handle, int id, int value) {
  return sim::EngineHost::Instance().SetParam(handle, id, value);
}

int MOHAPI_CALL MohSetParamString(int handle, int id, const char* text) {
  return sim::EngineHost::Instance().SetParamString(handle, id, text);
}

}  // extern "C"
