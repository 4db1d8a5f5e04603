// Fuzzing entry for LoadJPEG and the import of its bitmap into the store.  The
// decoder reads files, so each input is written to one scratch file first.
#include <unistd.h>

#include <cstdio>
#include <string>

#include "images/format_readers.h"
#include "images/fuzz/fuzz_common.h"
#include "images/jpeglib/LoadJPEG.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes = ivxfuzz::Prepare(data, size);
  static const std::string path = "/tmp/ivx_jpeg_fuzz_" + std::to_string(getpid()) + ".jpg";
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return 0;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  // A file cut short by the disk is not the input; it is left untried.
  if (std::fclose(file) != 0 || !written) {
    std::remove(path.c_str());
    return 0;
  }
  // LoadJpegPicture's order: a file cut inside its image data is refused
  // before the decoder sees it.
  if (!ivxfiles::detail::JpegCutShort(bytes)) ivxfiles::ImportBitmap(LoadJPEG(path.c_str()));
  std::remove(path.c_str());
  return 0;
}
