// Fuzzing entry for the icon and cursor reader, followed by the copy into the
// store.
#include "images/format_readers.h"
#include "images/fuzz/fuzz_common.h"
#include "images/library_state.h"

namespace {
ivxfiles::Colour Pixel(int32_t x, int32_t y) { return ivxfiles::IconCell(x, y); }
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes = ivxfuzz::Prepare(data, size);
  ivxfiles::detail::ReadIconBytes(bytes);
  ivxfiles::detail::CopyIntoStoreAndRegister("FUZZ", ivxfiles::IconWidth(), ivxfiles::IconHeight(), 255, 255, Pixel);
  ivxfiles::RemovePictureName("FUZZ");
  return 0;
}
