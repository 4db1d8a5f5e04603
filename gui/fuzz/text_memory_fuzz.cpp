// Fuzzing entry for text memory files: the whole input is the file.  The
// memory it gives offers completions, and saved and loaded again it keeps
// its count.
#include <cstdlib>

#include "gui/VeltoGUI.h"
#include "gui/fuzz/fuzz_common.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  guifuzz::Prepare();
  veltogui::TextMemory("CLEAR", "");
  guifuzz::WriteBytes("memory.txt", std::string_view(reinterpret_cast<const char*>(data), size));
  veltogui::TextMemory("LOAD", "memory.txt");
  const int32_t count = veltogui::TextMemoryCount();
  if (count < 0 || count > 1024) std::abort();
  if (count > 0) {
    const std::string first = veltogui::TextMemoryEntry(1);
    veltogui::FastText(first.substr(0, 3));
    veltogui::FastText(first.substr(first.size() / 2));
  }
  veltogui::FastText("abc");
  veltogui::TextMemory("SAVE", "saved.txt");
  veltogui::TextMemory("CLEAR", "");
  veltogui::TextMemory("LOAD", "saved.txt");
  if (veltogui::TextMemoryCount() != count) std::abort();
  return 0;
}
