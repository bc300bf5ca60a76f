// A lock for state that more than one thread writes. On Windows a critical section, which every
// Windows version has; natively (the unit tests) a std::mutex.
#pragma once

namespace fw {

class Lock {
 public:
  Lock();
  ~Lock();
  Lock(const Lock&) = delete;
  Lock& operator=(const Lock&) = delete;

  void Enter();
  void Leave();

 private:
  struct Section;
  Section* section_;
};

// How many times any lock was entered. Counted in the native build only, where tests see from it
// that a write was made under a lock.
int LocksEntered();

// Holds a lock for a scope.
class Held {
 public:
  explicit Held(Lock& lock) : lock_(lock) { lock_.Enter(); }
  ~Held() { lock_.Leave(); }
  Held(const Held&) = delete;
  Held& operator=(const Held&) = delete;

 private:
  Lock& lock_;
};

}  // namespace fw
