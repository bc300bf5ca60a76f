#include "RecordingPlayer.h"

#include <iterator>
#include <map>

#include "ProgramRoads.h"
#include "base/Messages.h"
#include "call/CallEvents.h"
#include "tray/PlayerTimers.h"

std::string RecordingPlayer::Text(unsigned id) {
  // The ids whose text the string table leaves empty.
  static const std::set<unsigned> kWithout = [] {
    std::set<unsigned> ids(std::begin(kErrorTextIds), std::end(kErrorTextIds));
    ids.insert(IDS_EVENT_1);
    return ids;
  }();
  return kWithout.count(id) ? std::string() : "<" + std::to_string(id) + ">";
}

std::vector<std::string> RecordingPlayer::Take() {
  std::vector<std::string> taken;
  for (const std::string& effect : effects) {
    if (effect.rfind("Tray ", 0) != 0) taken.push_back(effect);
  }
  effects.clear();
  return taken;
}

std::string RecordingPlayer::TimerName(unsigned id) {
  static const std::map<unsigned, std::string> kNames = {
      {TIMER_TRAY_CLICK, "TIMER_TRAY_CLICK"},   {TIMER_TRAY_REFRESH, "TIMER_TRAY_REFRESH"},
      {TIMER_HOLD_TICK, "TIMER_HOLD_TICK"},     {TIMER_FALLBACK, "TIMER_FALLBACK"},
      {TIMER_CALL_DIALOG, "TIMER_CALL_DIALOG"}, {TIMER_ANSWER, "TIMER_ANSWER"}};
  auto found = kNames.find(id);
  return found != kNames.end() ? found->second : std::to_string(id);
}

std::string RecordingPlayer::EventName(int event) {
  static const char* const kNames[] = {
      "MOH_EVENT_1",        "MOH_MODEM_ACCESS_FAILED", "MOH_MODEM_ACTIVE",
      "MOH_MODEM_IDLE",     "MOH_INCOMING_CALL",       "MOH_DENIED",
      "MOH_GRANTED",        "MOH_SWITCH_TO_VOICE",     "MOH_TIMEOUT_WARNING",
      "MOH_TIMEOUT",        "MOH_DATA_DISCONNECTED",   "MOH_DATA_RESUMED",
      "MOH_ERROR",          "MOH_RESTORING",           "MOH_SESSION_TERMINATED",
      "MOH_REMOTE_TIMEOUT", "MOH_MODEM_UNAVAILABLE",   "MOH_NOT_SUPPORTED"};
  if (event >= 1 && event <= 18) return kNames[event - 1];
  return std::to_string(event);
}

void RecordingPlayer::RefreshTrayIcon() { ::RefreshTrayIcon(ProgramCallRoad(*this)); }
