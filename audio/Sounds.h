// ORBSample and ORBModule: one sound effect and one music module, each
// owning its MikMod object. Every call that changes the mixer takes the
// MixerLock; with the binding not ready they do nothing.
#pragma once

#include <mikmod.h>

class ORBSample {
 public:
  ORBSample() = default;
  ORBSample(const ORBSample&) = delete;
  ORBSample& operator=(const ORBSample&) = delete;
  virtual ~ORBSample();

  // True when the file gave a sample; it is then panned to the centre.
  bool Load(const char* path);
  // Plays from the start on a voice no other sound takes over.
  void Play();
  void SetVolume(int volume);
  SAMPLE* Sample() const { return m_sample; }
  // The mixer voice the last Play took, -1 before any.
  int Voice() const { return m_voice; }

 private:
  SAMPLE* m_sample = nullptr;
  int m_voice = -1;
};

class ORBModule {
 public:
  ORBModule() = default;
  ORBModule(const ORBModule&) = delete;
  ORBModule& operator=(const ORBModule&) = delete;
  virtual ~ORBModule();

  // True when the file gave a module; it then wraps at its end and starts
  // at volume 0.
  bool Load(const char* path);
  void Play();
  // Silences and rewinds the module; the player itself keeps running.
  void Stop();
  void SetVolume(int volume);

  bool IsPlaying() const { return m_playing != 0; }
  int Volume() const { return m_volume; }
  // The song position now playing and the song's number of positions; 0
  // and 0 without a module.
  int Position() const;
  int PositionCount() const;
  MODULE* Module() const { return m_module; }

 private:
  MODULE* m_module = nullptr;
  unsigned char m_playing = 0;
  int m_volume = 0;
};

// Player_SetVolume under the mixer lock, when the binding is ready.
void SetPlayerVolume(int volume);
