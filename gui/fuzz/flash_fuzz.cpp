// Fuzzing entry for flash files: the whole input is the file.  The table it
// gives is drawn, hit-tested across the window, flashed again and read back:
// the second reading must give the same table.
#include <cstdlib>

#include "gui/VeltoGUI.h"
#include "gui/fuzz/fuzz_common.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  guifuzz::Prepare();
  guifuzz::WriteBytes("objects.flash", std::string_view(reinterpret_cast<const char*>(data), size));
  veltogui::DeflashObjects("objects.flash");
  const int32_t count = veltogui::ObjectCount();
  if (count < 0 || count > 250) std::abort();
  veltogui::DrawAllObjects();
  for (int32_t y = -20; y <= 520; y += 45) {
    for (int32_t x = -20; x <= 520; x += 45) veltogui::ObjectAt(x, y);
  }
  veltogui::FlashObjects("again.flash");
  veltogui::DeflashObjects("again.flash");
  if (veltogui::ObjectCount() != count) std::abort();
  veltogui::ResetObjects(0);
  return 0;
}
