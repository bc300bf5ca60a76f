// Import entries of our own for kernel32 functions that Windows 95, 98 and ME export only as
// stubs failing with ERROR_CALL_NOT_IMPLEMENTED. Linked as an object into every shipped file, an
// entry here takes the place of the import library's: every caller in the file, the compiler's
// runtime included, calls through it.
//
// CreateSemaphoreW: the compiler's Win32 thread runtime makes the semaphore of every C++ runtime
// mutex with it. On 9x that semaphore would be null, and the first time two threads contend for
// such a mutex (a function-local static, the unwinder's frame registry, the runtime's own locks)
// the wait fails and the runtime ends the program. Where the W function is a stub, the entry
// makes the semaphore with CreateSemaphoreA.
//
// Compiled with PARKO_NINE_X_STUBS (the test builds of the "9x personality", never shipped) the
// file makes the stubs fail as they do on 9x, under any Windows: CreateSemaphoreW,
// GetModuleHandleW and LoadLibraryW fail with ERROR_CALL_NOT_IMPLEMENTED and CreateThread fails
// without a thread-id pointer. With PARKO_NO_SEMAPHORE_FALLBACK as well, CreateSemaphoreW fails
// as the stub does, which shows what the fallback prevents.
//
// No function-local statics here: their guard takes a runtime mutex, which needs a semaphore.
#include <windows.h>

// The name of the import entry for a kernel32 function with `bytes` bytes of arguments.
#if defined(__i386__)
#define PARKO_IMPORT_ENTRY(name, bytes) "__imp__" #name "@" #bytes
#else
#define PARKO_IMPORT_ENTRY(name, bytes) "__imp_" #name
#endif

namespace {

FARPROC KernelExport(const char* name) {
  HMODULE kernel = GetModuleHandleA("KERNEL32.DLL");
  return kernel != nullptr ? GetProcAddress(kernel, name) : nullptr;
}

template <typename Function>
Function Kernel(const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(KernelExport(name)));
}

#if defined(PARKO_NINE_X_STUBS)
void NotOnThisSystem() { SetLastError(ERROR_CALL_NOT_IMPLEMENTED); }
#endif

// The system's CreateSemaphoreW: on 95, 98 and ME a stub that fails.
HANDLE WINAPI SystemCreateSemaphoreW(LPSECURITY_ATTRIBUTES attributes, LONG initial, LONG maximum,
                                     LPCWSTR name) {
#if defined(PARKO_NINE_X_STUBS)
  (void)attributes, (void)initial, (void)maximum, (void)name;
  NotOnThisSystem();
  return nullptr;
#else
  const auto create = Kernel<decltype(&CreateSemaphoreW)>("CreateSemaphoreW");
  if (create == nullptr) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return nullptr;
  }
  return create(attributes, initial, maximum, name);
#endif
}

HANDLE WINAPI CreateSemaphoreWOrA(LPSECURITY_ATTRIBUTES attributes, LONG initial, LONG maximum,
                                  LPCWSTR name) {
  HANDLE semaphore = SystemCreateSemaphoreW(attributes, initial, maximum, name);
#if !defined(PARKO_NO_SEMAPHORE_FALLBACK)
  if (semaphore == nullptr && GetLastError() == ERROR_CALL_NOT_IMPLEMENTED) {
    char ansiName[MAX_PATH] = {};
    if (name != nullptr && WideCharToMultiByte(CP_ACP, 0, name, -1, ansiName, sizeof(ansiName),
                                               nullptr, nullptr) == 0) {
      return nullptr;  // a name longer than any the system takes
    }
    semaphore =
        CreateSemaphoreA(attributes, initial, maximum, name != nullptr ? ansiName : nullptr);
  }
#endif
  return semaphore;
}

#if defined(PARKO_NINE_X_STUBS)
HMODULE WINAPI StubbedGetModuleHandleW(LPCWSTR) {
  NotOnThisSystem();
  return nullptr;
}

HMODULE WINAPI StubbedLoadLibraryW(LPCWSTR) {
  NotOnThisSystem();
  return nullptr;
}

// Windows 95 and 98 fail CreateThread when lpThreadId is null.
HANDLE WINAPI CreateThreadWithId(LPSECURITY_ATTRIBUTES attributes, SIZE_T stack,
                                 LPTHREAD_START_ROUTINE start, LPVOID parameter, DWORD flags,
                                 LPDWORD threadId) {
  if (threadId == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  const auto create = Kernel<decltype(&CreateThread)>("CreateThread");
  return create(attributes, stack, start, parameter, flags, threadId);
}
#endif

}  // namespace

extern "C" {
extern decltype(&CreateSemaphoreW)
    const parkoCreateSemaphoreW __asm__(PARKO_IMPORT_ENTRY(CreateSemaphoreW, 16));
#if defined(PARKO_NINE_X_STUBS)
extern decltype(&GetModuleHandleW)
    const parkoGetModuleHandleW __asm__(PARKO_IMPORT_ENTRY(GetModuleHandleW, 4));
extern decltype(&LoadLibraryW) const parkoLoadLibraryW __asm__(PARKO_IMPORT_ENTRY(LoadLibraryW, 4));
extern decltype(&CreateThread)
    const parkoCreateThread __asm__(PARKO_IMPORT_ENTRY(CreateThread, 24));
#endif
}

decltype(&CreateSemaphoreW) const parkoCreateSemaphoreW = &CreateSemaphoreWOrA;
#if defined(PARKO_NINE_X_STUBS)
decltype(&GetModuleHandleW) const parkoGetModuleHandleW = &StubbedGetModuleHandleW;
decltype(&LoadLibraryW) const parkoLoadLibraryW = &StubbedLoadLibraryW;
decltype(&CreateThread) const parkoCreateThread = &CreateThreadWithId;
#endif
