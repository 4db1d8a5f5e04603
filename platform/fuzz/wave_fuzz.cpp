// Fuzzing entry for the sound path (PlaySoundA on a file): any bytes are
// refused or decoded, never read past the file nor sized from its claims.
#include "file_input.h"
#include "platform/automation.h"
#include "platform/win32.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool headless = (automation::SetHeadless(true), true);
  (void)headless;
  const std::string path = WriteFuzzFile(".wav", data, size);
  PlaySoundA(path.c_str(), nullptr, SND_FILENAME | SND_ASYNC);
  automation::ClearSounds();
  return 0;
}
