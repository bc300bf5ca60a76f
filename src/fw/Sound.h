// Sound as the call handling asks for it: the ring that loops until stopped, the warning beep.
#pragma once

// Every sound plays without waiting for it; the ring repeats until it is stopped.
enum class SoundMode { Once, Loop };

class ISoundPlayer {
 public:
  virtual ~ISoundPlayer() = default;
  // Plays a sound file; null stops what plays.
  virtual void Sound(const char* file, SoundMode mode) = 0;
};

// Stops whatever plays; the ring outlives the dialog that started it until this.
inline void StopRing(ISoundPlayer& sound) { sound.Sound(nullptr, SoundMode::Once); }

// Which sound requests must reach the system: every sound, and a stop once something played.
// A stop before any sound needs no sound library loaded for it.
class SoundGate {
 public:
  bool Pass(const char* file) {
    if (file != nullptr) played_ = true;
    return played_;
  }

 private:
  bool played_ = false;
};
