// Fuzzing entry for "metrics.dat": the whole input is the file.  The text box
// frame stays 1 to 64 pixels wide, and a text box is drawn with it.
#include <cstdlib>

#include "gui/VeltoGUI.h"
#include "gui/fuzz/fuzz_common.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  guifuzz::Prepare();
  guifuzz::WriteBytes("metrics.dat", std::string_view(reinterpret_cast<const char*>(data), size));
  veltogui::LoadMetrics();
  const int32_t frame = veltogui::GetTextboxSize();
  if (frame < 1 || frame > 64) std::abort();
  veltogui::DrawTextBox("metrics", 10, 10, 200, 40);
  return 0;
}
