// Fuzzing entry for "enviroment.nfo": the whole input is the settings file,
// read by the search for the resources folder.  A "Resources" folder stands
// beside the start folder, so a folder is always found; the search must come
// back to the start folder, answer a folder that stays valid from any current
// folder, and leave a delay the screen saver can wait for.
#include <cstdlib>
#include <filesystem>

#include "gui/VeltoGUI.h"
#include "gui/fuzz/fuzz_common.h"
#include "platform/win32.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  guifuzz::Prepare();
  std::filesystem::create_directories("Resources");
  guifuzz::WriteBytes("enviroment.nfo", std::string_view(reinterpret_cast<const char*>(data), size));
  const std::string folder = veltogui::FindResourcesFolder();
  if (std::filesystem::current_path().string() + "/" != guifuzz::Folder()) std::abort();
  if (veltogui::ScreenSaverDelay() < 0) std::abort();
  if (guifuzz::EndRequested() == -1) {
    // Found: it must be enterable from another folder as well.
    std::filesystem::current_path("/");
    if (SetCurrentDirectoryA(folder.c_str()) == 0) std::abort();
    std::filesystem::current_path(guifuzz::Folder());
  }
  return 0;
}
