// Every picture-library test starts from an empty store, a fresh headless
// window, a scratch folder as the current folder, and boxes answered OK.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "gfx/veltounit.h"
#include "images/IvxFiles.h"
#include "platform/automation.h"

namespace ivxtest {

constexpr int kWindowWidth = 320;
constexpr int kWindowHeight = 240;

class ImageTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  std::filesystem::path folder_;
  std::filesystem::path previous_;
};

// Texts of the boxes shown so far, in order.
std::vector<std::string> BoxTexts();
std::vector<std::string> BoxCaptions();

void WriteFile(const std::string& name, const std::string& bytes);
std::string ReadFile(const std::string& name);

inline uint32_t Rgb(int r, int g, int b) { return veltounit::MakeColour(r, g, b); }

// A pixel source for the file builders: colour of picture pixel (x, y), from 1.
using PixelFn = uint32_t (*)(int x, int y);

// A BMP file with a 40-byte information header; `topDown` stores a negative
// height.  `dataOffset` is where the pixels start (54 in the plain layout).
std::string MakeBmp(int width, int height, int bits, uint32_t compression, PixelFn pixel, bool topDown = false,
                    uint32_t dataOffset = 54);

// An icon (type 1) or cursor (type 2) file of one image.  For 1, 4 and 8 bits
// `index` gives palette indices and `palette` the colours; for 24 and 32 bits
// `pixel` gives the colours.
std::string MakeIcon(int type, int width, int height, int bits, const std::vector<uint32_t>& palette,
                     int (*index)(int x, int y), PixelFn pixel);

// A JPEG written with libjpeg; progressive and Exif variants.
struct JpegOptions {
  bool progressive = false;
  bool exif = false;  // APP1 "Exif" instead of the JFIF header, holding a stray frame marker
};
void WriteJpeg(const std::string& path, int width, int height, PixelFn pixel, JpegOptions options = {});
// libjpeg's own decoding of a file as 0x00BBGGRR colours, row by row.
std::vector<uint32_t> DecodeJpeg(const std::string& path, int& width, int& height);

}  // namespace ivxtest
