// Sound as the call handling asks for it: the ring that loops until stopped, the warning beep.
#pragma once

// sndPlaySoundA flags the call handling uses.
constexpr unsigned SOUND_ASYNC = 0x0001;
constexpr unsigned SOUND_LOOP = 0x0008;

class ISoundPlayer {
 public:
  virtual ~ISoundPlayer() = default;
  // Plays a sound file; null stops what plays.
  virtual void Sound(const char* file, unsigned flags) = 0;
};

// Stops whatever plays; the ring outlives the dialog that started it until this.
inline void StopRing(ISoundPlayer& sound) { sound.Sound(nullptr, SOUND_ASYNC); }

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
