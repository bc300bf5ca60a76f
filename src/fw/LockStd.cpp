#include <atomic>
#include <mutex>

#include "fw/Lock.h"

namespace fw {

struct Lock::Section {
  std::mutex mutex;
};

Lock::Lock() : section_(new Section) {}

Lock::~Lock() { delete section_; }

namespace {

std::atomic<int> gLocksEntered{0};

}  // namespace

int LocksEntered() { return gLocksEntered; }

void Lock::Enter() {
  section_->mutex.lock();
  ++gLocksEntered;
}

void Lock::Leave() { section_->mutex.unlock(); }

}  // namespace fw
