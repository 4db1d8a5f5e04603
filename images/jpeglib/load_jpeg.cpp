// LoadJPEG over libjpeg-turbo.  libjpeg reports fatal errors through a
// callback that must not return; it jumps back here with longjmp, so the code
// between setjmp and the decoder's end holds only plain values.
#include "images/jpeglib/LoadJPEG.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <jpeglib.h>

namespace {

constexpr unsigned kMaxSide = 16384;
constexpr unsigned long long kMaxPixels = 32ull << 20;

struct ErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
};

void OnFatalError(j_common_ptr info) { std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1); }
// Warnings about damaged data are not printed; the decoder carries on.
void OnMessage(j_common_ptr, int) {}

// Decodes into a malloc'd top-down buffer of blue, green, red, spare bytes.
unsigned char* Decode(std::FILE* file, unsigned& width, unsigned& height) {
  jpeg_decompress_struct info;
  ErrorManager errors;
  info.err = jpeg_std_error(&errors.pub);
  errors.pub.error_exit = OnFatalError;
  errors.pub.emit_message = OnMessage;
  unsigned char* volatile pixels = nullptr;
  if (setjmp(errors.jump)) {
    jpeg_destroy_decompress(&info);
    std::free(pixels);
    return nullptr;
  }
  jpeg_create_decompress(&info);
  jpeg_stdio_src(&info, file);
  jpeg_read_header(&info, TRUE);
  if (info.image_width == 0 || info.image_height == 0 || info.image_width > kMaxSide ||
      info.image_height > kMaxSide ||
      static_cast<unsigned long long>(info.image_width) * info.image_height > kMaxPixels) {
    jpeg_destroy_decompress(&info);
    return nullptr;
  }
  info.out_color_space = JCS_EXT_BGRX;
  jpeg_start_decompress(&info);
  width = info.output_width;
  height = info.output_height;
  pixels = static_cast<unsigned char*>(std::calloc(static_cast<size_t>(width) * height, 4));
  if (pixels == nullptr) {
    jpeg_destroy_decompress(&info);
    return nullptr;
  }
  while (info.output_scanline < height) {
    JSAMPROW row = pixels + static_cast<size_t>(info.output_scanline) * width * 4;
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return pixels;
}

}  // namespace

extern "C" HBITMAP LoadJPEG(const char* path) {
  if (path == nullptr) return nullptr;
  std::FILE* file = std::fopen(NativePath(path).c_str(), "rb");
  if (file == nullptr) return nullptr;
  unsigned width = 0;
  unsigned height = 0;
  unsigned char* pixels = Decode(file, width, height);
  std::fclose(file);
  if (pixels == nullptr) return nullptr;

  BITMAPINFO bmi{};
  bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bmi.bmiHeader.biWidth = static_cast<LONG>(width);
  bmi.bmiHeader.biHeight = -static_cast<LONG>(height);  // top-down
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 32;
  bmi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap != nullptr) {
    if (bits != nullptr) {
      std::memcpy(bits, pixels, static_cast<size_t>(width) * height * 4);
    } else {
      SetDIBits(nullptr, bitmap, 0, height, pixels, &bmi, DIB_RGB_COLORS);
    }
  }
  std::free(pixels);
  return bitmap;
}
