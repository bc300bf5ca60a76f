#include <mutex>

#include "fw/Lock.h"

namespace fw {

struct Lock::Section {
  std::mutex mutex;
};

Lock::Lock() : section_(new Section) {}

Lock::~Lock() { delete section_; }

void Lock::Enter() { section_->mutex.lock(); }

void Lock::Leave() { section_->mutex.unlock(); }

}  // namespace fw
