// Sound: wave files through SDL audio, one at a time (a new sound cuts off the
// one playing), and tones for Beep.  Without an audio device, or without the
// file, nothing is heard and the program goes on.
#include <SDL.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>

#include "platform/backend.h"
#include "platform/state.h"

namespace plat {

namespace {

Devices& Dev() { return State().devices; }
std::vector<automation::SoundRecord>& Records() { return State().sound.sounds; }

bool AudioWanted() {
  const int choice = State().sound.audioChoice;
  return choice < 0 ? Backend().desktop : choice == 1;
}

bool EnsureDevice() {
  if (Dev().audioDevice != 0) return true;
  if (Dev().audioTried || !AudioWanted()) return false;
  Dev().audioTried = true;
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  SDL_AudioSpec want{};
  want.freq = 44100;
  want.format = AUDIO_S16SYS;
  want.channels = 2;
  want.samples = 2048;
  SDL_AudioSpec output{};
  const SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &want, &output, 0);
  if (device == 0) return false;
  Dev().audioDevice = device;
  Dev().audioFrequency = output.freq;
  Dev().audioFormat = output.format;
  Dev().audioChannels = output.channels;
  SDL_PauseAudioDevice(device, 0);
  return true;
}

// Replaces whatever is playing with these samples (already in device format).
void Play(const Uint8* data, Uint32 bytes) {
  SDL_ClearQueuedAudio(Dev().audioDevice);
  SDL_QueueAudio(Dev().audioDevice, data, bytes);
}

void WaitUntilQuiet() {
  while (Dev().audioDevice != 0 && SDL_GetQueuedAudioSize(Dev().audioDevice) > 0) Sleep(10);
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
    if (SDL_BuildAudioCVT(&cvt, wave.format, wave.channels, wave.freq, Dev().audioFormat, Dev().audioChannels,
                          Dev().audioFrequency) >= 0) {
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

// Whatever is playing stops (a test's reset).
void StopSound() {
  if (Dev().audioDevice != 0) SDL_ClearQueuedAudio(Dev().audioDevice);
}

}  // namespace plat

using namespace plat;

BOOL WINAPI PlaySoundA(LPCSTR sound, HMODULE, DWORD flags) {
  automation::SoundRecord record;
  record.flags = flags;
  if (sound == nullptr || (flags & SND_PURGE)) {  // stop what is playing
    if (Dev().audioDevice != 0) SDL_ClearQueuedAudio(Dev().audioDevice);
    Records().push_back(record);
    return TRUE;
  }
  record.name = sound;
  // Sounds from memory or resources do not exist in this program.
  if ((flags & SND_MEMORY) || (flags & SND_RESOURCE) == SND_RESOURCE) {
    Records().push_back(record);
    return FALSE;
  }
  record.path = NativePath(sound);
  if (flags & SND_NOSTOP && Dev().audioDevice != 0 && SDL_GetQueuedAudioSize(Dev().audioDevice) > 0) {
    Records().push_back(record);
    return FALSE;
  }
  record.played = PlayWave(record.path, (flags & SND_ASYNC) == 0, &record.decodedBytes);
  Records().push_back(record);
  return record.played ? TRUE : FALSE;
}

// A square tone; Beep returns when it has sounded, as on Windows.
BOOL WINAPI Beep(DWORD frequency, DWORD duration) {
  if (frequency < 37 || frequency > 32767) return FALSE;
  automation::SoundRecord record;
  record.name = "beep " + std::to_string(frequency) + " Hz " + std::to_string(duration) + " ms";
  record.played = true;
  Records().push_back(record);
  duration = std::min<DWORD>(duration, 60000);
  if (EnsureDevice() && Dev().audioFormat == AUDIO_S16SYS) {
    size_t frames = static_cast<size_t>(Dev().audioFrequency) * duration / 1000;
    std::vector<Sint16> samples(frames * Dev().audioChannels);
    double period = static_cast<double>(Dev().audioFrequency) / frequency;
    for (size_t i = 0; i < frames; ++i) {
      Sint16 v = std::fmod(static_cast<double>(i), period) < period / 2 ? 6000 : -6000;
      for (int c = 0; c < Dev().audioChannels; ++c) samples[i * Dev().audioChannels + c] = v;
    }
    Play(reinterpret_cast<const Uint8*>(samples.data()), static_cast<Uint32>(samples.size() * sizeof(Sint16)));
  }
  Sleep(duration);
  return TRUE;
}

BOOL WINAPI MessageBeep(UINT) { return TRUE; }
