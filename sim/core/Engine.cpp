#include "Engine.h"

#include "moh/MohApi.h"

namespace sim {

namespace {

constexpr size_t kHistory = 10;

bool HasDataConnection(LineState state) {
  return state != LineState::Idle && state != LineState::Closed;
}

}  // namespace

const char* StateName(LineState state) {
  switch (state) {
    case LineState::Idle:
      return "idle";
    case LineState::Online:
      return "online";
    case LineState::CallOffered:
      return "call-offered";
    case LineState::Originating:
      return "originating";
    case LineState::HoldOffered:
      return "hold-offered";
    case LineState::Voice:
      return "voice";
    case LineState::Restoring:
      return "restoring";
    case LineState::Closed:
      return "closed";
  }
  return "?";
}

Engine::Engine(const SimConfig& config)
    : config_(config), automatic_(config.automatic), callerId_(config.callerId) {}

void Engine::Initialize(int family, std::vector<Scheduled>& out) {
  family_ = family;
  if (state_ != LineState::Closed) return;
  state_ = LineState::Idle;
  if (config_.onlineAfterInit) Raise(out, MOH_MODEM_ACTIVE, 0);
}

void Engine::Raise(std::vector<Scheduled>& out, int code, int value) {
  out.push_back({code, value, 0, false, state_});
}

void Engine::FollowUp(std::vector<Scheduled>& out, int code, int value, int delayMs,
                      LineState expected) {
  if (automatic_) out.push_back({code, value, delayMs, true, expected});
}

void Engine::ProviderAnswer(std::vector<Scheduled>& out, LineState expected) {
  switch (config_.holdAnswer) {
    case HoldAnswer::Grant:
      FollowUp(out, MOH_GRANTED, config_.holdIndex, config_.answerDelayMs, expected);
      break;
    case HoldAnswer::Deny:
      FollowUp(out, MOH_DENIED, 0, config_.answerDelayMs, expected);
      break;
    case HoldAnswer::Unsupported:
      FollowUp(out, MOH_NOT_SUPPORTED, 0, config_.answerDelayMs, expected);
      break;
  }
}

int Engine::Command(int code, std::vector<Scheduled>& out) {
  Remember(lastCommands_, std::to_string(code));
  if (state_ == LineState::Closed) return 0;
  const int delay = config_.followUpDelayMs;
  switch (code) {
    case MOH_CMD_ACCEPT:
      if (state_ == LineState::HoldOffered) FollowUp(out, MOH_SWITCH_TO_VOICE, 0, delay, state_);
      return 1;
    case MOH_CMD_DECLINE:
      if (state_ == LineState::CallOffered || state_ == LineState::HoldOffered ||
          state_ == LineState::Originating) {
        FollowUp(out, MOH_DATA_RESUMED, 0, delay, state_);
      }
      return 1;
    case MOH_CMD_RESUME_DATA:
      if (state_ == LineState::Voice || state_ == LineState::HoldOffered) {
        FollowUp(out, MOH_RESTORING, 0, delay, state_);
        // A TELKA modem waits for the program's acknowledgement before data flows again.
        if (family_ != TELKA) FollowUp(out, MOH_DATA_RESUMED, 0, delay, LineState::Restoring);
      }
      return 1;
    case MOH_CMD_RESTORE_ACK:
      if (HasDataConnection(state_) && state_ != LineState::Online) {
        FollowUp(out, MOH_DATA_RESUMED, 0, delay, state_);
      }
      return 1;
    case MOH_CMD_DROP_DATA:
      if (HasDataConnection(state_)) FollowUp(out, MOH_DATA_DISCONNECTED, 0, delay, state_);
      return 1;
    case MOH_CMD_ORIGINATE:
      if (state_ != LineState::Online) return 0;
      state_ = LineState::Originating;
      ProviderAnswer(out, state_);
      return 1;
    case MOH_CMD_CLOSE:
      state_ = LineState::Closed;
      return 1;
    default:
      return 0;
  }
}

std::string NumberedCallerText(int n) {
  return "Datum :08.12. Uhrzeit :12:00 Nummer :" + std::to_string(n) + " Name :Anrufer " +
         std::to_string(n);
}

std::string Engine::Control(const ControlCommand& command, std::vector<Scheduled>& out) {
  using Kind = ControlCommand::Kind;
  if (command.kind == Kind::Status) return "ok\n" + Status();
  if (command.kind == Kind::Auto) {
    automatic_ = command.on;
    return std::string("ok auto ") + (automatic_ ? "on" : "off");
  }
  if (command.kind == Kind::Wait) return "error wait belongs in a play script";
  if (state_ == LineState::Closed) return "error the engine is closed";

  switch (command.kind) {
    case Kind::Event:
      Raise(out, command.first, command.second);
      break;
    case Kind::Online:
      Raise(out, MOH_MODEM_ACTIVE, 0);
      break;
    case Kind::Offline:
      Raise(out, MOH_MODEM_IDLE, 0);
      break;
    case Kind::Call:
      // The caller's text travels with its call: the line holds it from the call's delivery on,
      // not from this command, so that calls still queued keep theirs.
      out.push_back(
          {MOH_INCOMING_CALL, command.text.empty() ? 0 : 1, 0, false, state_, command.text});
      ProviderAnswer(out, LineState::CallOffered);
      break;
    case Kind::Grant:
      Raise(out, MOH_GRANTED, command.first);
      break;
    case Kind::Deny:
      Raise(out, MOH_DENIED, 0);
      break;
    case Kind::Warn:
      Raise(out, MOH_TIMEOUT_WARNING, 0);
      break;
    case Kind::Timeout:
      Raise(out, MOH_TIMEOUT, 0);
      break;
    case Kind::RemoteTimeout:
      Raise(out, MOH_REMOTE_TIMEOUT, 0);
      break;
    case Kind::Error:
      Raise(out, MOH_ERROR, command.first);
      break;
    case Kind::Burst:
      for (int i = 0; i < command.first; ++i) Raise(out, command.second, i);
      break;
    case Kind::Callers:
      for (int n = 1; n <= command.first; ++n) {
        out.push_back({MOH_INCOMING_CALL, 1, 0, false, state_, NumberedCallerText(n)});
      }
      break;
    default:
      return "error unexpected command";
  }
  return "ok";
}

bool Engine::Deliver(const Scheduled& event) {
  if (state_ == LineState::Closed) return false;
  if (event.automatic && state_ != event.expected) return false;
  if (event.callerId) callerId_ = *event.callerId;
  switch (event.code) {
    case MOH_MODEM_ACTIVE:
    case MOH_DENIED:
    case MOH_NOT_SUPPORTED:
    case MOH_DATA_RESUMED:
      state_ = LineState::Online;
      break;
    case MOH_MODEM_IDLE:
    case MOH_DATA_DISCONNECTED:
      state_ = LineState::Idle;
      break;
    case MOH_INCOMING_CALL:
      state_ = LineState::CallOffered;
      break;
    case MOH_GRANTED:
      state_ = LineState::HoldOffered;
      break;
    case MOH_SWITCH_TO_VOICE:
      state_ = LineState::Voice;
      break;
    case MOH_RESTORING:
    case MOH_SESSION_TERMINATED:
      state_ = LineState::Restoring;
      break;
    default:
      break;  // reports that do not move the line
  }
  Remember(lastEvents_, std::to_string(event.code) + " " + std::to_string(event.value));
  return true;
}

std::string Engine::Status() const {
  std::string text = std::string("state ") + StateName(state_) + "\n";
  text += std::string("auto ") + (automatic_ ? "on" : "off") + "\n";
  text += "family " + std::to_string(family_) + "\n";
  text += "caller-id " + callerId_ + "\n";
  text += "last events:";
  for (const std::string& event : lastEvents_) text += " [" + event + "]";
  text += "\nlast commands:";
  for (const std::string& command : lastCommands_) text += " " + command;
  return text + "\n";
}

void Engine::Remember(std::deque<std::string>& history, const std::string& entry) {
  history.push_back(entry);
  while (history.size() > kHistory) history.pop_front();
}

}  // namespace sim
