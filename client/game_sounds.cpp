// The game's sounds: wave files in the folder "Sounds" beside the program.
#include "client/client.h"
#include "platform/win32.h"

namespace client {

void PlayGameSound(const std::string& name) {
  if (sound_on == 0) return;
  // Asynchronous, so the game goes on at once and a new sound cuts off the one
  // still playing.  A file that is missing simply plays nothing.
  const std::string path = "Sounds\\" + name;
  PlaySoundA(path.c_str(), nullptr, SND_FILENAME | SND_ASYNC);
}

}  // namespace client
