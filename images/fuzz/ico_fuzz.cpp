// Fuzzing entry for the icon and cursor reader, followed by the copy into the
// store.  A refused file must leave the staging buffer exactly as it was.
#include <cstdlib>

#include "images/format_readers.h"
#include "images/fuzz/fuzz_common.h"
#include "images/library_state.h"

namespace {
ivxfiles::Colour Pixel(int32_t x, int32_t y) { return ivxfiles::IconCell(x, y); }
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes = ivxfuzz::Prepare(data, size);
  const int32_t width = ivxfiles::IconWidth();
  const int32_t height = ivxfiles::IconHeight();
  const ivxfiles::Colour corner = ivxfiles::IconCell(1, 1);
  const std::string refusal = ivxfiles::detail::ReadIconBytes(bytes, "fuzz.ico");
  if (!refusal.empty()) {
    if (width != ivxfiles::IconWidth() || height != ivxfiles::IconHeight() || corner != ivxfiles::IconCell(1, 1)) {
      std::abort();
    }
    return 0;
  }
  ivxfiles::detail::CopyIntoStoreAndRegister("FUZZ", ivxfiles::IconWidth(), ivxfiles::IconHeight(), 255, 255, Pixel);
  ivxfiles::RemovePictureName("FUZZ");
  return 0;
}
