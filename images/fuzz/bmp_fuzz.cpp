// Fuzzing entry for the BMP reader, followed by the copy into the store.  A
// refused file must leave the staging buffer exactly as it was.
#include <cstdlib>

#include "images/format_readers.h"
#include "images/fuzz/fuzz_common.h"
#include "images/library_state.h"

namespace {
ivxfiles::Colour Pixel(int32_t x, int32_t y) { return ivxfiles::BmpCell(x, y); }
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes = ivxfuzz::Prepare(data, size);
  const int32_t width = ivxfiles::BmpWidth();
  const int32_t height = ivxfiles::BmpHeight();
  const ivxfiles::Colour corner = ivxfiles::BmpCell(1, 1);
  const std::string refusal = ivxfiles::detail::ReadBmpBytes(bytes, "fuzz.bmp");
  if (!refusal.empty()) {
    if (width != ivxfiles::BmpWidth() || height != ivxfiles::BmpHeight() || corner != ivxfiles::BmpCell(1, 1)) {
      std::abort();
    }
    return 0;
  }
  ivxfiles::detail::CopyIntoStoreAndRegister("FUZZ", ivxfiles::BmpWidth(), ivxfiles::BmpHeight(), 2048, 769, Pixel);
  ivxfiles::RemovePictureName("FUZZ");
  return 0;
}
