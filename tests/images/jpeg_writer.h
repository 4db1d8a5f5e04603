// JPEG files for the tests, written and decoded with libjpeg (the decoder the
// Linux build of LoadJPEG stands on); only the Linux test program has them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "image_fixture.h"

namespace ivxtest {

// A JPEG written with libjpeg; progressive and Exif variants.
struct JpegOptions {
  bool progressive = false;
  bool exif = false;  // APP1 "Exif" instead of the JFIF header, holding a stray frame marker
};
void WriteJpeg(const std::string& path, int width, int height, PixelFn pixel, JpegOptions options = {});
// libjpeg's own decoding of a file as 0x00BBGGRR colours, row by row.
std::vector<uint32_t> DecodeJpeg(const std::string& path, int& width, int& height);

}  // namespace ivxtest
