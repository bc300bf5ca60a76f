// The control language of the simulated engine: one command a line, as mohsim.exe sends it
// through the engine's pipe and as play scripts hold it.
#pragma once

#include <optional>
#include <string>

namespace sim {

struct ControlCommand {
  enum class Kind {
    Event,          // event CODE VALUE: one raw event
    Auto,           // auto on|off: the engine's own follow-ups
    Online,         // online
    Offline,        // offline
    Call,           // call [CALLER-ID TEXT]
    Grant,          // grant INDEX
    Deny,           // deny
    Warn,           // warn
    Timeout,        // timeout
    RemoteTimeout,  // remote-timeout
    Error,          // error SUBCODE
    Status,         // status
    Burst,          // burst COUNT CODE: COUNT events CODE with values 0..COUNT-1 at once
    Callers,        // callers COUNT: COUNT incoming calls at once, callers 1..COUNT
    Wait,           // wait MS: only in play scripts, where the player waits
    Latency,        // latency CODE: time the answers to events CODE; latency: report them
  };
  Kind kind = Kind::Status;
  int first = 0;   // CODE, INDEX, SUBCODE, COUNT, MS
  int second = 0;  // VALUE, CODE of a burst
  bool on = false;
  std::string text;  // caller-ID text of a call; empty: none
};

// Parses one line; on failure returns nothing and says why in *error.
std::optional<ControlCommand> ParseControlLine(const std::string& line, std::string* error);

// True for lines a script may hold that are no command: blank ones and # comments.
bool IsBlankOrComment(const std::string& line);

}  // namespace sim
