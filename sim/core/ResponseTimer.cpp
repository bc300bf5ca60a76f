#include "ResponseTimer.h"

#include <algorithm>
#include <cmath>

namespace sim {

namespace {

constexpr size_t kMostSamples = 100000;

double Percentile(const std::vector<double>& sorted, double share) {
  if (sorted.empty()) return 0;
  const size_t rank = static_cast<size_t>(std::ceil(share * sorted.size()));
  return sorted[std::min(sorted.size(), std::max<size_t>(rank, 1)) - 1];
}

}  // namespace

void ResponseTimer::Start(int code) {
  code_ = code;
  running_ = true;
  unanswered_.clear();
  samples_.clear();
}

void ResponseTimer::Delivered(int code, double nowMs) {
  if (running_ && code == code_ && unanswered_.size() < kMostSamples) unanswered_.push_back(nowMs);
}

void ResponseTimer::Commanded(double nowMs) {
  if (!running_ || unanswered_.empty()) return;
  if (samples_.size() < kMostSamples) samples_.push_back(nowMs - unanswered_.front());
  unanswered_.pop_front();
}

std::string ResponseTimer::Report() {
  std::vector<double> sorted = samples_;
  std::sort(sorted.begin(), sorted.end());
  running_ = false;
  const auto micro = [](double ms) { return std::to_string(std::lround(ms * 1000)); };
  return "ok " + std::to_string(sorted.size()) + " " + micro(Percentile(sorted, 0.5)) + " " +
         micro(Percentile(sorted, 0.99)) + " " + micro(sorted.empty() ? 0 : sorted.back());
}

}  // namespace sim
