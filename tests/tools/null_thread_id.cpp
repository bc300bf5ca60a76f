// Not built: the thread check must find the call below.
#include <windows.h>

DWORD WINAPI Work(void*) { return 0; }

void Start() { CloseHandle(CreateThread(nullptr, 0, &Work, nullptr, 0, nullptr)); }
