// Two threads contend for the C++ runtime's locks: its own mutex type, held while the other
// thread waits; the lock of function-local statics, held while one initialises; and, in 32-bit
// code, the unwinder's registry, which every thrown exception takes. Each waits on a semaphore
// that the compiler's Win32 thread runtime made with CreateSemaphoreW. Built with the 9x
// personality (CreateSemaphoreW failing as its stub on Windows 95, 98 and ME does) this exits
// with 0 only when the semaphores were made some other way: a failed wait ends the program.
#include <windows.h>

#include <cstdio>
#include <ext/concurrence.h>
#include <stdexcept>
#include <utility>

namespace {

constexpr int kRounds = 64;
__gnu_cxx::__mutex gLock;
long gLocked = 0;
long gCaught = 0;
long gStatics = 0;

int Slowly() {
  Sleep(2);  // the other thread meets the statics' lock while this one holds it
  return static_cast<int>(InterlockedIncrement(&gStatics));
}

template <int N>
int Static() {
  static const int value = Slowly();
  return value;
}

template <int... N>
void InitialiseStatics(int round, std::integer_sequence<int, N...>) {
  ((round == N ? static_cast<void>(Static<N>()) : static_cast<void>(0)), ...);
}

// Which thread this is: they meet the statics in opposite orders.
DWORD WINAPI Contend(void* which) {
  for (int i = 0; i < kRounds; ++i) {
    {
      __gnu_cxx::__scoped_lock hold(gLock);
      ++gLocked;
      Sleep(1);
    }
    InitialiseStatics(which != nullptr ? i : kRounds - 1 - i,
                      std::make_integer_sequence<int, kRounds>());
    try {
      throw std::runtime_error("round");
    } catch (const std::runtime_error&) {
      InterlockedIncrement(&gCaught);
    }
  }
  return 0;
}

}  // namespace

int main() {
  HANDLE threads[2] = {};
  DWORD ids[2] = {};
  for (int i = 0; i < 2; ++i) {
    threads[i] = CreateThread(nullptr, 0, &Contend, reinterpret_cast<void*>(i), 0, &ids[i]);
    if (threads[i] == nullptr) {
      std::printf("no thread: error %lu\n", GetLastError());
      return 2;
    }
  }
  WaitForMultipleObjects(2, threads, TRUE, 60000);
  std::printf("%ld times locked, %ld statics made, %ld exceptions caught\n", gLocked, gStatics,
              gCaught);
  return gLocked == 2 * kRounds && gStatics == kRounds && gCaught == 2 * kRounds ? 0 : 1;
}
