// Fuzzing entry for the pointer file reader (LoadCursorFromFileA): any bytes
// are refused or give a pointer whose pixels match its size.
#include <cstdlib>

#include "file_input.h"
#include "platform/automation.h"
#include "platform/win32.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool headless = (automation::SetHeadless(true), true);
  (void)headless;
  const std::string path = WriteFuzzFile(".cur", data, size);
  HCURSOR c = LoadCursorFromFileA(path.c_str());
  if (c != nullptr) {
    automation::CursorInfo info;
    if (!automation::DescribeCursor(c, &info) || info.width <= 0 || info.height <= 0 ||
        info.argb.size() != static_cast<size_t>(info.width) * static_cast<size_t>(info.height) || info.hotX < 0 ||
        info.hotX >= info.width || info.hotY < 0 || info.hotY >= info.height)
      std::abort();
    DestroyCursor(c);
  }
  return 0;
}
