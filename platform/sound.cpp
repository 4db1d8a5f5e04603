// Sound: wave files through SDL audio, one at a time (a new sound cuts off the
// one playing), and tones for Beep.  Without an audio device, or without the
// file, nothing is heard and the program goes on.
#include <SDL.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>

#include "platform/internal.h"

namespace plat {

namespace {

std::vector<automation::SoundRecord> g_sounds;
int g_audioChoice = -1;  // -1: on unless headless
bool g_audioTried = false;
SDL_AudioDeviceID g_device = 0;
SDL_AudioSpec g_output{};

bool AudioWanted() { return g_audioChoice < 0 ? !Headless() : g_audioChoice == 1; }

bool EnsureDevice() {
  if (g_device != 0) return true;
  if (g_audioTried || !AudioWanted()) return false;
  g_audioTried = true;
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  SDL_AudioSpec want{};
  want.freq = 44100;
  want.format = AUDIO_S16SYS;
  want.channels = 2;
  want.samples = 2048;
  g_device = SDL_OpenAudioDevice(nullptr, 0, &want, &g_output, 0);
  if (g_device == 0) return false;
  SDL_PauseAudioDevice(g_device, 0);
  return true;
}

// Replaces whatever is playing with these samples (already in device format).
void Play(const Uint8* data, Uint32 bytes) {
  SDL_ClearQueuedAudio(g_device);
  SDL_QueueAudio(g_device, data, bytes);
}

void WaitUntilQuiet() {
  while (g_device != 0 && SDL_GetQueuedAudioSize(g_device) > 0) Sleep(10);
}

// Sound files of the game are a few hundred kilobytes; anything past this is
// not a sound the program means to play.
constexpr std::streamoff kMaxWaveFile = 64 << 20;

bool PlayWave(const std::string& path, bool wait, unsigned* decoded) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  if (!in) return false;
  const std::streamoff fileSize = in.tellg();
  if (fileSize <= 0 || fileSize > kMaxWaveFile) {
    std::fprintf(stderr, "Sound file \"%s\" refused: %s\n", path.c_str(), fileSize <= 0 ? "empty" : "too large");
    return false;
  }
  std::vector<uint8_t> bytes(static_cast<size_t>(fileSize));
  in.seekg(0);
  in.read(reinterpret_cast<char*>(bytes.data()), fileSize);
  if (in.gcount() != fileSize) return false;
  std::string why;
  if (!CheckWave(bytes, &why)) {
    std::fprintf(stderr, "Sound file \"%s\" refused: %s\n", path.c_str(), why.c_str());
    return false;
  }
  SDL_AudioSpec wave;
  Uint8* buffer = nullptr;
  Uint32 length = 0;
  SDL_RWops* rw = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
  if (rw == nullptr || SDL_LoadWAV_RW(rw, 1, &wave, &buffer, &length) == nullptr) return false;
  *decoded = length;
  if (EnsureDevice()) {
    SDL_AudioCVT cvt;
    if (SDL_BuildAudioCVT(&cvt, wave.format, wave.channels, wave.freq, g_output.format, g_output.channels,
                          g_output.freq) >= 0) {
      std::vector<Uint8> work(static_cast<size_t>(length) * std::max(cvt.len_mult, 1));
      std::memcpy(work.data(), buffer, length);
      cvt.len = static_cast<int>(length);
      cvt.buf = work.data();
      if (cvt.needed == 0 || SDL_ConvertAudio(&cvt) == 0) {
        Play(work.data(), cvt.needed ? static_cast<Uint32>(cvt.len_cvt) : length);
        if (wait) WaitUntilQuiet();
      }
    }
  }
  SDL_FreeWAV(buffer);
  return true;
}

}  // namespace

void ResetSound() {
  g_sounds.clear();
  g_audioChoice = -1;
  if (g_device != 0) SDL_ClearQueuedAudio(g_device);
}

}  // namespace plat

namespace automation {
const std::vector<SoundRecord>& Sounds() { return plat::g_sounds; }
void ClearSounds() { plat::g_sounds.clear(); }
void SetAudioOutput(bool on) {
  plat::g_audioChoice = on ? 1 : 0;
  if (on) plat::g_audioTried = false;
}
}  // namespace automation

using namespace plat;

BOOL WINAPI PlaySoundA(LPCSTR sound, HMODULE, DWORD flags) {
  automation::SoundRecord record;
  record.flags = flags;
  if (sound == nullptr || (flags & SND_PURGE)) {  // stop what is playing
    if (g_device != 0) SDL_ClearQueuedAudio(g_device);
    g_sounds.push_back(record);
    return TRUE;
  }
  record.name = sound;
  // Sounds from memory or resources do not exist in this program.
  if ((flags & SND_MEMORY) || (flags & SND_RESOURCE) == SND_RESOURCE) {
    g_sounds.push_back(record);
    return FALSE;
  }
  record.path = NativePath(sound);
  if (flags & SND_NOSTOP && g_device != 0 && SDL_GetQueuedAudioSize(g_device) > 0) {
    g_sounds.push_back(record);
    return FALSE;
  }
  record.played = PlayWave(record.path, (flags & SND_ASYNC) == 0, &record.decodedBytes);
  g_sounds.push_back(record);
  return record.played ? TRUE : FALSE;
}

// A square tone; Beep returns when it has sounded, as on Windows.
BOOL WINAPI Beep(DWORD frequency, DWORD duration) {
  if (frequency < 37 || frequency > 32767) return FALSE;
  automation::SoundRecord record;
  record.name = "beep " + std::to_string(frequency) + " Hz " + std::to_string(duration) + " ms";
  record.played = true;
  g_sounds.push_back(record);
  duration = std::min<DWORD>(duration, 60000);
  if (EnsureDevice() && g_output.format == AUDIO_S16SYS) {
    size_t frames = static_cast<size_t>(g_output.freq) * duration / 1000;
    std::vector<Sint16> samples(frames * g_output.channels);
    double period = static_cast<double>(g_output.freq) / frequency;
    for (size_t i = 0; i < frames; ++i) {
      Sint16 v = std::fmod(static_cast<double>(i), period) < period / 2 ? 6000 : -6000;
      for (int c = 0; c < g_output.channels; ++c) samples[i * g_output.channels + c] = v;
    }
    Play(reinterpret_cast<const Uint8*>(samples.data()), static_cast<Uint32>(samples.size() * sizeof(Sint16)));
  }
  Sleep(duration);
  return TRUE;
}

BOOL WINAPI MessageBeep(UINT) { return TRUE; }
