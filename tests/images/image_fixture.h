// Every picture-library test starts from an empty store, a fresh window, a
// scratch folder as the current folder, and the library's boxes recorded.
// Where the window and the boxes come from is the one part that differs
// between the systems: image_host_headless.cpp (the platform layer's headless
// window, boxes answered OK through its automation) and image_host_windows.cpp
// (a real window of the system, boxes taken by the library's box handler).
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "gfx/veltounit.h"
#include "images/IvxFiles.h"

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

// A box the library showed: its text, caption and MB_ style bits.
struct BoxSeen {
  std::string text;
  std::string caption;
  unsigned style = 0;
};

// The host of one test (image_host_*.cpp): a fresh window of kWindowWidth x
// kWindowHeight, boxes recorded from now on.
void StartHost();
// The boxes shown since StartHost or ClearBoxes, in order.
std::vector<BoxSeen> Boxes();
void ClearBoxes();
// The colour of window pixel (x, y), from 0.
uint32_t WindowPixel(int x, int y);
// How far (levels of 255, per colour channel) LoadJPEG's pixels may be from
// libjpeg's decoding of the same file: decoders round the colour planes and
// the inverse transform differently.
extern const int kJpegLevels;

// Texts and captions of the boxes shown so far, in order.
std::vector<std::string> BoxTexts();
std::vector<std::string> BoxCaptions();

// The path of a file of fixtures/.
std::string FixturePath(const std::string& name);

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

}  // namespace ivxtest
