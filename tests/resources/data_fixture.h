// The data tests read the files the build wrote beside the program, through
// the picture library and the platform, in a fresh headless 500 x 500 window.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "gfx/veltounit.h"
#include "images/IvxFiles.h"
#include "platform/automation.h"
#include "resources/canvas.h"
#include "resources/data_set.h"

namespace datatest {

std::filesystem::path DataDir();
std::string ReadBytes(const std::filesystem::path& path);

class DataTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Every box the picture library would have shown (a missing file, a bad id).
  std::vector<std::string> boxes_;
  std::filesystem::path previous_;
};

// The skin pictures placed the way the toolkit places them: a cursor from
// (1, 1), each picture loaded at (x + 1, y + 1), 2 pixels apart, a new row
// when x reaches 1821.  The current folder is restored afterwards.
void LoadSkinLikeToolkit(const std::string& skin);

// The cells of a registered picture as a picture (olive stays olive).
datagen::Picture StorePicture(const std::string& name);

inline datagen::Pixel PixelOf(veltounit::Colour c) {
  return datagen::Pixel{static_cast<uint8_t>(c & 255), static_cast<uint8_t>((c >> 8) & 255),
                        static_cast<uint8_t>((c >> 16) & 255)};
}

inline double Luminance(datagen::Pixel p) { return 0.2126 * p.r + 0.7152 * p.g + 0.0722 * p.b; }

}  // namespace datatest
