#include <windows.h>

#include "fw/Lock.h"

namespace fw {

struct Lock::Section {
  CRITICAL_SECTION section;
};

Lock::Lock() : section_(new Section) { InitializeCriticalSection(&section_->section); }

Lock::~Lock() {
  DeleteCriticalSection(&section_->section);
  delete section_;
}

void Lock::Enter() { EnterCriticalSection(&section_->section); }

void Lock::Leave() { LeaveCriticalSection(&section_->section); }

}  // namespace fw
