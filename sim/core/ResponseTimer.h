// Times the program's answers to the library's events: from the delivery of an event of one
// code to the next command the program gives. Portable; the host supplies the clock.
#pragma once

#include <deque>
#include <string>
#include <vector>

namespace sim {

class ResponseTimer {
 public:
  // Starts timing the answers to events of this code; forgets earlier samples.
  void Start(int code);
  // An event went to the program's callback at nowMs.
  void Delivered(int code, double nowMs);
  // The program gave a command at nowMs: it answers the oldest event not yet answered.
  void Commanded(double nowMs);
  // "ok COUNT P50 P99 MAX" in microseconds (nearest-rank percentiles); timing stops.
  std::string Report();

 private:
  int code_ = 0;
  bool running_ = false;
  std::deque<double> unanswered_;
  std::vector<double> samples_;
};

}  // namespace sim
