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

namespace {

using Kind = ControlCommand::Kind;

struct PlainVerb {
  const char* verb;
  Kind kind;
};
const PlainVerb kPlainVerbs[] = {
    {"online", Kind::Online}, {"offline", Kind::Offline}, {"deny", Kind::Deny},
    {"warn", Kind::Warn},     {"timeout", Kind::Timeout}, {"remote-timeout", Kind::RemoteTimeout},
    {"status", Kind::Status}};

// A verb with up to two whole numbers, each within its range.
struct NumberedVerb {
  const char* verb;
  Kind kind;
  size_t minArgs, maxArgs;
  int low[2], high[2];
  const char* usage;
};
const NumberedVerb kNumberedVerbs[] = {
    {"event", Kind::Event, 2, 2, {INT_MIN, INT_MIN}, {INT_MAX, INT_MAX}, "usage: event CODE VALUE"},
    {"grant", Kind::Grant, 1, 1, {0, 0}, {INT_MAX, 0}, "usage: grant INDEX"},
    {"error", Kind::Error, 1, 1, {INT_MIN, 0}, {INT_MAX, 0}, "usage: error SUBCODE"},
    {"burst", Kind::Burst, 2, 2, {1, INT_MIN}, {100000, INT_MAX}, "usage: burst COUNT CODE"},
    {"callers", Kind::Callers, 1, 1, {1, 0}, {100000, 0}, "usage: callers COUNT"},
    {"latency", Kind::Latency, 0, 1, {1, 0}, {INT_MAX, 0}, "usage: latency [CODE]"},
    {"wait", Kind::Wait, 1, 1, {0, 0}, {3600000, 0}, "usage: wait MS"},
};

bool ParseNumbers(const NumberedVerb& verb, const std::vector<std::string>& words,
                  ControlCommand& command) {
  const size_t args = words.size() - 1;
  if (args < verb.minArgs || args > verb.maxArgs) return false;
  int* const out[2] = {&command.first, &command.second};
  for (size_t i = 0; i < args; ++i) {
    const std::optional<int> parsed = ParseInt(words[i + 1], verb.low[i], verb.high[i]);
    if (!parsed) return false;
    *out[i] = *parsed;
  }
  return true;
}

}  // namespace

std::optional<ControlCommand> ParseControlLine(const std::string& line, std::string* error) {
  const std::vector<std::string> words = Words(line);
  auto fail = [error](const std::string& why) -> std::optional<ControlCommand> {
    if (error) *error = why;
    return std::nullopt;
  };
  if (words.empty()) return fail("empty command");
  const std::string& verb = words[0];
  ControlCommand command;
  for (const PlainVerb& plain : kPlainVerbs) {
    if (verb != plain.verb) continue;
    if (words.size() != 1) return fail(verb + " takes no arguments");
    command.kind = plain.kind;
    return command;
  }
  for (const NumberedVerb& numbered : kNumberedVerbs) {
    if (verb != numbered.verb) continue;
    command.kind = numbered.kind;
    if (!ParseNumbers(numbered, words, command)) return fail(numbered.usage);
    return command;
  }
  if (verb == "auto") {
    command.kind = Kind::Auto;
    if (words.size() != 2 || (words[1] != "on" && words[1] != "off")) {
      return fail("usage: auto on|off");
    }
    command.on = words[1] == "on";
    return command;
  }
  if (verb == "call") {
    command.kind = Kind::Call;
    command.text = DecodeByteEscapes(RestAfterFirstWord(line));
    return command;
  }
  return fail("unknown command: " + verb);
}

}  // namespace sim
