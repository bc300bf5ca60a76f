#include "SimConfig.h"

#include <cctype>
#include <climits>

namespace sim {

namespace {

std::string Trim(const std::string& text) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && std::isspace(static_cast<unsigned char>(text[begin]))) ++begin;
  while (end > begin && std::isspace(static_cast<unsigned char>(text[end - 1]))) --end;
  return text.substr(begin, end - begin);
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

template <typename T, typename Parse>
void Apply(const IniLookup& ini, const char* section, const char* key, T& target, Parse parse) {
  const std::optional<std::string> raw = ini(section, key);
  if (!raw) return;
  if (auto parsed = parse(Trim(*raw))) target = *parsed;
}

std::optional<std::pair<int, int>> ParseVersion(const std::string& text) {
  const size_t dot = text.find('.');
  if (dot == std::string::npos) return std::nullopt;
  auto major = ParseInt(text.substr(0, dot), 0, 0x7FFF);
  auto minor = ParseInt(text.substr(dot + 1), 0, 0xFFFF);
  if (!major || !minor) return std::nullopt;
  return std::make_pair(*major, *minor);
}

// "52, 55" or "13:4": codes with optional values, separated by commas or blanks.
std::optional<std::vector<std::pair<int, int>>> ParseEventList(const std::string& text) {
  std::vector<std::pair<int, int>> events;
  std::string item;
  auto flush = [&]() -> bool {
    if (item.empty()) return true;
    const size_t colon = item.find(':');
    auto code = ParseInt(item.substr(0, colon), INT_MIN, INT_MAX);
    std::optional<int> value = 0;
    if (colon != std::string::npos) value = ParseInt(item.substr(colon + 1), INT_MIN, INT_MAX);
    item.clear();
    if (!code || !value) return false;
    events.emplace_back(*code, *value);
    return true;
  };
  for (char c : text) {
    if (c == ',' || std::isspace(static_cast<unsigned char>(c))) {
      if (!flush()) return std::nullopt;
    } else {
      item += c;
    }
  }
  if (!flush()) return std::nullopt;
  return events;
}

std::optional<HoldAnswer> ParseHoldAnswer(const std::string& text) {
  const std::string word = Lower(text);
  if (word == "grant") return HoldAnswer::Grant;
  if (word == "deny") return HoldAnswer::Deny;
  if (word == "unsupported") return HoldAnswer::Unsupported;
  return std::nullopt;
}

std::optional<std::string> AnyText(const std::string& text) { return text; }

}  // namespace

std::optional<int> ParseInt(const std::string& text, int low, int high) {
  const std::string trimmed = Trim(text);
  size_t i = 0;
  bool negative = false;
  if (i < trimmed.size() && (trimmed[i] == '-' || trimmed[i] == '+')) {
    negative = trimmed[i] == '-';
    ++i;
  }
  if (i == trimmed.size()) return std::nullopt;
  long long value = 0;
  for (; i < trimmed.size(); ++i) {
    if (!std::isdigit(static_cast<unsigned char>(trimmed[i]))) return std::nullopt;
    value = value * 10 + (trimmed[i] - '0');
    if (value > static_cast<long long>(INT_MAX) + 1) return std::nullopt;
  }
  if (negative) value = -value;
  if (value < low || value > high) return std::nullopt;
  return static_cast<int>(value);
}

std::optional<bool> ParseSwitch(const std::string& text) {
  const std::string word = Lower(Trim(text));
  if (word == "yes" || word == "y" || word == "on" || word == "1" || word == "true") return true;
  if (word == "no" || word == "n" || word == "off" || word == "0" || word == "false") return false;
  return std::nullopt;
}

SimConfig ReadConfig(const IniLookup& ini) {
  SimConfig config;
  if (auto version = ini("Library", "Version")) {
    if (auto parsed = ParseVersion(Trim(*version))) {
      config.versionMajor = parsed->first;
      config.versionMinor = parsed->second;
    }
  }
  auto anyCount = [](const std::string& t) { return ParseInt(t, 0, 1000); };
  Apply(ini, "Library", "ReportCount", config.reportedCount,
        [](const std::string& t) -> std::optional<std::optional<int>> {
          if (auto n = ParseInt(t, INT_MIN, INT_MAX)) return std::optional<int>(*n);
          return std::nullopt;
        });
  Apply(ini, "Library", "InitSucceeds", config.initSucceeds, ParseSwitch);
  Apply(ini, "Library", "InitEvents", config.initEvents, ParseEventList);
  Apply(ini, "Library", "DefaultDialString", config.defaultDialString, AnyText);
  Apply(ini, "Engine", "Automatic", config.automatic, ParseSwitch);
  Apply(ini, "Engine", "OnlineAfterInit", config.onlineAfterInit, ParseSwitch);
  Apply(ini, "Engine", "AnswerDelayMs", config.answerDelayMs,
        [](const std::string& t) { return ParseInt(t, 0, 600000); });
  Apply(ini, "Engine", "FollowUpDelayMs", config.followUpDelayMs,
        [](const std::string& t) { return ParseInt(t, 0, 600000); });
  Apply(ini, "Line", "HoldAnswer", config.holdAnswer, ParseHoldAnswer);
  Apply(ini, "Line", "HoldIndex", config.holdIndex,
        [](const std::string& t) { return ParseInt(t, 0, 255); });
  Apply(ini, "Line", "CallerId", config.callerId, AnyText);

  // Without a count the one default modem is listed; a [Modem1] section still shapes it.
  int count = static_cast<int>(config.modems.size());
  Apply(ini, "Modems", "Count", count, anyCount);
  {
    const ModemSpec fallback = config.modems.front();
    config.modems.clear();
    for (int i = 1; i <= count; ++i) {
      const std::string section = "Modem" + std::to_string(i);
      ModemSpec modem = fallback;
      Apply(ini, section.c_str(), "Type", modem.type,
            [](const std::string& t) { return ParseInt(t, INT_MIN, INT_MAX); });
      Apply(ini, section.c_str(), "Name", modem.name, AnyText);
      Apply(ini, section.c_str(), "Port", modem.port, AnyText);
      config.modems.push_back(modem);
    }
  }
  return config;
}

void ParamStore::Load(const IniLookup& ini) {
  for (auto& [id, value] : scalars_) {
    Apply(ini, "Params", std::to_string(id).c_str(), value,
          [](const std::string& t) { return ParseInt(t, INT_MIN, INT_MAX); });
  }
  if (auto text = ini("Params", "9")) SetDialString(*text);
}

int ParamStore::Get(int id, int family) const {
  if (id == 5) return family;
  auto found = scalars_.find(id);
  return found == scalars_.end() ? 0 : found->second;
}

bool ParamStore::Set(int id, int value) {
  auto found = scalars_.find(id);
  if (found == scalars_.end()) return false;
  found->second = value;
  return true;
}

void ParamStore::SetDialString(const std::string& text) {
  dialString_ = text.substr(0, kDialStringMax);
}

std::string ParamStore::StoredText(int id) const {
  if (id == 9) return dialString_;
  auto found = scalars_.find(id);
  return found == scalars_.end() ? std::string() : std::to_string(found->second);
}

}  // namespace sim
