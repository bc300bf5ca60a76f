#include "RecordingPlayer.h"

std::string RecordingPlayer::Text(unsigned id) {
  static const std::set<unsigned> kWithout = {32801, 32815, 32816, 32817, 32818, 32819, 32820,
                                              32821, 32827, 32828, 32829, 32832, 32833};
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
