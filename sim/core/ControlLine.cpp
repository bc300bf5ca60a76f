#include "ControlLine.h"

#include <cctype>
#include <climits>
#include <sstream>
#include <vector>

#include "SimConfig.h"

namespace sim {

namespace {

std::vector<std::string> Words(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> words;
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

// Everything after the first word, without surrounding blanks and quotes.
std::string RestAfterFirstWord(const std::string& line) {
  size_t i = 0;
  while (i < line.size() && std::isspace(static_cast<unsigned char>(line[i]))) ++i;
  while (i < line.size() && !std::isspace(static_cast<unsigned char>(line[i]))) ++i;
  while (i < line.size() && std::isspace(static_cast<unsigned char>(line[i]))) ++i;
  std::string rest = line.substr(i);
  while (!rest.empty() && std::isspace(static_cast<unsigned char>(rest.back()))) rest.pop_back();
  if (rest.size() >= 2 && rest.front() == '"' && rest.back() == '"') {
    rest = rest.substr(1, rest.size() - 2);
  }
  return rest;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// A command is one line, so bytes such as CR and LF travel as \xHH; nothing else is decoded.
std::string DecodeByteEscapes(const std::string& text) {
  std::string decoded;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 3 < text.size() && text[i + 1] == 'x' &&
        HexDigit(text[i + 2]) >= 0 && HexDigit(text[i + 3]) >= 0) {
      decoded += static_cast<char>(HexDigit(text[i + 2]) * 16 + HexDigit(text[i + 3]));
      i += 3;
    } else {
      decoded += text[i];
    }
  }
  return decoded;
}

}  // namespace

bool IsBlankOrComment(const std::string& line) {
  for (char c : line) {
    if (c == '#') return true;
    if (!std::isspace(static_cast<unsigned char>(c))) return false;
  }
  return true;
}

std::optional<ControlCommand> ParseControlLine(const std::string& line, std::string* error) {
  using Kind = ControlCommand::Kind;
  const std::vector<std::string> words = Words(line);
  auto fail = [error](const std::string& why) -> std::optional<ControlCommand> {
    if (error) *error = why;
    return std::nullopt;
  };
  if (words.empty()) return fail("empty command");
  const std::string& verb = words[0];
  const size_t args = words.size() - 1;
  ControlCommand command;

  auto number = [&](size_t index, int low, int high, int& out) {
    auto parsed = ParseInt(words[index], low, high);
    if (parsed) out = *parsed;
    return parsed.has_value();
  };
  struct Plain {
    const char* verb;
    Kind kind;
  };
  static const Plain kPlain[] = {
      {"online", Kind::Online}, {"offline", Kind::Offline}, {"deny", Kind::Deny},
      {"warn", Kind::Warn},     {"timeout", Kind::Timeout}, {"remote-timeout", Kind::RemoteTimeout},
      {"status", Kind::Status}};
  for (const Plain& plain : kPlain) {
    if (verb == plain.verb) {
      if (args != 0) return fail(verb + " takes no arguments");
      command.kind = plain.kind;
      return command;
    }
  }
  if (verb == "event") {
    command.kind = Kind::Event;
    if (args != 2 || !number(1, INT_MIN, INT_MAX, command.first) ||
        !number(2, INT_MIN, INT_MAX, command.second)) {
      return fail("usage: event CODE VALUE");
    }
    return command;
  }
  if (verb == "auto") {
    command.kind = Kind::Auto;
    if (args != 1 || (words[1] != "on" && words[1] != "off")) return fail("usage: auto on|off");
    command.on = words[1] == "on";
    return command;
  }
  if (verb == "call") {
    command.kind = Kind::Call;
    command.text = DecodeByteEscapes(RestAfterFirstWord(line));
    return command;
  }
  if (verb == "grant") {
    command.kind = Kind::Grant;
    if (args != 1 || !number(1, 0, INT_MAX, command.first)) return fail("usage: grant INDEX");
    return command;
  }
  if (verb == "error") {
    command.kind = Kind::Error;
    if (args != 1 || !number(1, INT_MIN, INT_MAX, command.first)) {
      return fail("usage: error SUBCODE");
    }
    return command;
  }
  if (verb == "burst") {
    command.kind = Kind::Burst;
    if (args != 2 || !number(1, 1, 100000, command.first) ||
        !number(2, INT_MIN, INT_MAX, command.second)) {
      return fail("usage: burst COUNT CODE");
    }
    return command;
  }
  if (verb == "latency") {
    command.kind = Kind::Latency;
    if (args > 1 || (args == 1 && !number(1, 1, INT_MAX, command.first))) {
      return fail("usage: latency [CODE]");
    }
    return command;
  }
  if (verb == "wait") {
    command.kind = Kind::Wait;
    if (args != 1 || !number(1, 0, 3600000, command.first)) return fail("usage: wait MS");
    return command;
  }
  return fail("unknown command: " + verb);
}

}  // namespace sim
