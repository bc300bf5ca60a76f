// The behaviour of the simulated line and provider: what follows a command of the program and
// a happening on the line. Portable and single-threaded; the DLL runs it under a lock and
// delivers the events it schedules from a thread of its own.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "ControlLine.h"
#include "SimConfig.h"

namespace sim {

enum class LineState {
  Idle,         // no data connection
  Online,       // data connection up, nothing pending
  CallOffered,  // a voice call is waiting, no answer from the provider yet
  Originating,  // the program asked for a hold to place a call
  HoldOffered,  // the provider holds data; the user has not switched to voice yet
  Voice,        // in the voice call, data on hold
  Restoring,    // the data connection is being restored
  Closed,       // the program closed the engine: no events at all
};

const char* StateName(LineState state);

// An event to deliver after a delay. An automatic one (the engine's own follow-up) is dropped
// when the line has moved on from the state it was meant for by the time it is due.
struct Scheduled {
  int code;
  int value;
  int delayMs;
  bool automatic;
  LineState expected;
  // The caller-ID text the line holds once this event is delivered (an incoming call's own, empty
  // for a call without one); none: the text stays.
  std::optional<std::string> callerId = {};
};

// The caller-ID text of the n-th caller of a "callers" burst.
std::string NumberedCallerText(int n);

class Engine {
 public:
  explicit Engine(const SimConfig& config);

  // MohInitialize: the engine serves a modem of this family. A closed engine starts with the
  // line idle; initialising an open one again keeps the line as it is.
  void Initialize(int family, std::vector<Scheduled>& out);
  // The library stops: no event is delivered until the next initialisation.
  void Close() { state_ = LineState::Closed; }
  // MohCommand: returns the command's result; follow-ups are appended to out.
  int Command(int code, std::vector<Scheduled>& out);
  // A line of the control language; returns the reply ("ok ..." or "error ...").
  std::string Control(const ControlCommand& command, std::vector<Scheduled>& out);
  // Called when an event is due: false drops it. Delivered events move the line's state.
  bool Deliver(const Scheduled& event);

  LineState State() const { return state_; }
  bool Automatic() const { return automatic_; }
  const std::string& CallerId() const { return callerId_; }
  std::string Status() const;

 private:
  void Raise(std::vector<Scheduled>& out, int code, int value);
  void FollowUp(std::vector<Scheduled>& out, int code, int value, int delayMs, LineState expected);
  void ProviderAnswer(std::vector<Scheduled>& out, LineState expected);
  void Remember(std::deque<std::string>& history, const std::string& entry);

  SimConfig config_;
  int family_ = 0;
  LineState state_ = LineState::Closed;
  bool automatic_;
  std::string callerId_;
  std::deque<std::string> lastEvents_;
  std::deque<std::string> lastCommands_;
};

}  // namespace sim
