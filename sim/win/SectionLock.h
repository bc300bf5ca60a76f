// A critical section held for a scope.
#pragma once

#include <windows.h>

namespace sim {

class SectionLock {
 public:
  explicit SectionLock(CRITICAL_SECTION& section) : section_(section) {
    EnterCriticalSection(&section_);
  }
  ~SectionLock() { LeaveCriticalSection(&section_); }
  SectionLock(const SectionLock&) = delete;
  SectionLock& operator=(const SectionLock&) = delete;

 private:
  CRITICAL_SECTION& section_;
};

}  // namespace sim
