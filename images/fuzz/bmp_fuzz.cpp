// Fuzzing entry for the BMP reader, followed by the copy into the store.
#include "images/format_readers.h"
#include "images/fuzz/fuzz_common.h"
#include "images/library_state.h"

namespace {
ivxfiles::Colour Pixel(int32_t x, int32_t y) { return ivxfiles::BmpCell(x, y); }
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes = ivxfuzz::Prepare(data, size);
  // Pictures of more than 2^18 pixels repeat the same loops at a cost that
  // would starve the search; the tests cover the largest and lying sizes.
  const int64_t width = static_cast<int32_t>(ivxfiles::detail::Le32(bytes, 18));
  const int64_t height = static_cast<int32_t>(ivxfiles::detail::Le32(bytes, 22));
  if ((width < 0 ? -width : width) * (height < 0 ? -height : height) > (int64_t{1} << 18)) return 0;
  ivxfiles::detail::ReadBmpBytes(bytes);
  ivxfiles::detail::CopyIntoStoreAndRegister("FUZZ", ivxfiles::BmpWidth(), ivxfiles::BmpHeight(), 2048, 769, Pixel);
  ivxfiles::RemovePictureName("FUZZ");
  return 0;
}
