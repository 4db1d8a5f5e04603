// Fuzzing entry for the ".ivx" reader.  The whole input is the file text; its
// first two bytes also choose the load origin.
#include "images/format_readers.h"
#include "images/fuzz/fuzz_common.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text = ivxfuzz::Prepare(data, size);
  ivxfiles::detail::PaintIvxText(text, "FUZZ");
  // Register and draw through the store as LoadIvxPicture would, then drop
  // the name so the index never fills.
  const int64_t ox = ivxfiles::LoadOriginX();
  const int64_t oy = ivxfiles::LoadOriginY();
  ivxfiles::AddPictureName("FUZZ", static_cast<int32_t>(ox), static_cast<int32_t>(oy),
                           static_cast<int32_t>(ox + ivxfiles::PictureInfo(1)),
                           static_cast<int32_t>(oy + ivxfiles::PictureInfo(2)));
  ivxfiles::PictureMetric("FUZZ", "CENTERX2");
  ivxfiles::FlipPicture("FUZZ", "HORIZONTALY");
  ivxfiles::RemovePictureName("FUZZ");
  return 0;
}
