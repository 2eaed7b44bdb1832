// ORBSample and ORBModule over the binding.
#include "audio/Sounds.h"

#include "audio/SDLMikMod.h"

namespace {

constexpr int kCentrePanning = 128;
constexpr int kPlayVolume = 60;

}  // namespace

void SetPlayerVolume(int volume) {
  if (!SDLMikMod_IsReady()) return;
  MixerLock lock;
  Player_SetVolume(static_cast<SWORD>(volume));
}

ORBSample::~ORBSample() { SDLMikMod_FreeSample(m_sample); }

bool ORBSample::Load(const char* path) {
  m_sample = SDLMikMod_LoadSample(path);
  if (!m_sample) return false;
  MixerLock lock;
  m_sample->panning = kCentrePanning;
  return true;
}

void ORBSample::Play() {
  if (!SDLMikMod_IsReady() || !m_sample) return;
  m_voice = SDLMikMod_PlaySample(m_sample, 0, SFX_CRITICAL);
}

void ORBSample::SetVolume(int volume) {
  if (!m_sample) return;
  MixerLock lock;
  m_sample->volume = static_cast<UBYTE>(volume < 0 ? 0 : volume > 64 ? 64 : volume);
}

ORBModule::~ORBModule() {
  Stop();
  if (!m_module) return;
  MixerLock lock;
  Player_Free(m_module);
}

bool ORBModule::Load(const char* path) {
  m_module = SDLMikMod_LoadModule(path);
  if (!m_module) return false;
  MixerLock lock;
  m_module->wrap = 1;
  m_module->volume = 0;
  m_module->initvolume = 0;
  return true;
}

void ORBModule::Play() {
  if (!SDLMikMod_IsReady() || m_playing || !m_module) return;
  {
    MixerLock lock;
    Player_Start(m_module);
  }
  SetVolume(kPlayVolume);
  m_playing = 1;
}

void ORBModule::Stop() {
  if (!SDLMikMod_IsReady() || !m_playing) return;
  MixerLock lock;
  Player_SetVolume(0);
  Player_SetPosition(0);
  m_module->patpos = 0;
  m_playing = 0;
}

void ORBModule::SetVolume(int volume) {
  if (!SDLMikMod_IsReady()) return;
  m_volume = volume < 0 ? 0 : volume > 128 ? 128 : volume;
  SetPlayerVolume(m_volume);
}

int ORBModule::Position() const {
  if (!m_module) return 0;
  MixerLock lock;
  return m_module->sngpos;
}

int ORBModule::PositionCount() const {
  if (!m_module) return 0;
  MixerLock lock;
  return m_module->numpos;
}
