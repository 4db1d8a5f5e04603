// Fuzzing entry for the JPEG frame-size reader, checked against the decoder:
// every file whose header the decoder reads must be sized by the marker walk,
// and to the same width and height, or DrawJpegFile would draw it wrongly.
#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

#include "images/format_readers.h"
#include "images/fuzz/fuzz_common.h"

namespace {

struct ErrorJump {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
};

void OnFatal(j_common_ptr info) { std::longjmp(reinterpret_cast<ErrorJump*>(info->err)->jump, 1); }
void OnMessage(j_common_ptr, int) {}

// The decoder's own reading of the frame header; false when it refuses the file.
bool DecoderSize(std::string_view bytes, int32_t& width, int32_t& height) {
  jpeg_decompress_struct info;
  ErrorJump errors;
  info.err = jpeg_std_error(&errors.pub);
  errors.pub.error_exit = OnFatal;
  errors.pub.emit_message = OnMessage;
  if (setjmp(errors.jump)) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()),
               static_cast<unsigned long>(bytes.size()));
  const bool read = jpeg_read_header(&info, TRUE) == JPEG_HEADER_OK;
  width = static_cast<int32_t>(info.image_width);
  height = static_cast<int32_t>(info.image_height);
  jpeg_destroy_decompress(&info);
  return read;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes = ivxfuzz::Prepare(data, size);
  int32_t width = 0;
  int32_t height = 0;
  const bool sized = ivxfiles::detail::ParseJpegSize(bytes, width, height);
  int32_t decoderWidth = 0;
  int32_t decoderHeight = 0;
  if (bytes.size() >= 10 && DecoderSize(bytes, decoderWidth, decoderHeight)) {
    if (!sized || width != decoderWidth || height != decoderHeight) {
      std::fprintf(stderr, "decoder reads %dx%d, marker walk %s %dx%d\n", decoderWidth, decoderHeight,
                   sized ? "reads" : "refuses", width, height);
      __builtin_trap();
    }
  }
  return 0;
}
