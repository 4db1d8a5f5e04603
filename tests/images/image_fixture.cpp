#include "image_fixture.h"

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iterator>

namespace ivxtest {

void ImageTest::SetUp() {
  StartHost();
  if (HasFatalFailure()) return;
  ivxfiles::ResetPictureStore();
  ivxfiles::SetBinarySearch(true);
  ivxfiles::TransparencyOff();
  ivxfiles::SetRotationQuality(2);
  previous_ = std::filesystem::current_path();
  static int serial = 0;
  folder_ = std::filesystem::temp_directory_path() /
            ("ivxfiles_test_" + std::to_string(getpid()) + "_" + std::to_string(++serial));
  std::filesystem::create_directories(folder_);
  std::filesystem::current_path(folder_);
}

void ImageTest::TearDown() {
  ivxfiles::ReleaseScreen();
  std::filesystem::current_path(previous_);
  std::error_code ignored;
  std::filesystem::remove_all(folder_, ignored);
}

std::vector<std::string> BoxTexts() {
  std::vector<std::string> out;
  for (const auto& box : Boxes()) out.push_back(box.text);
  return out;
}

std::vector<std::string> BoxCaptions() {
  std::vector<std::string> out;
  for (const auto& box : Boxes()) out.push_back(box.caption);
  return out;
}

void WriteFile(const std::string& name, const std::string& bytes) {
  std::ofstream out(name, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string FixturePath(const std::string& name) { return std::string(IVX_FIXTURES_DIR) + "/" + name; }

std::string ReadFile(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

namespace {
void Put(std::string& s, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) s += static_cast<char>((value >> (8 * i)) & 0xFF);
}
void PutBgr(std::string& s, uint32_t colour) {
  s += static_cast<char>((colour >> 16) & 0xFF);
  s += static_cast<char>((colour >> 8) & 0xFF);
  s += static_cast<char>(colour & 0xFF);
}
}  // namespace

std::string MakeBmp(int width, int height, int bits, uint32_t compression, PixelFn pixel, bool topDown,
                    uint32_t dataOffset) {
  const int rowBytes = ((width * 3 + 3) / 4) * 4;
  std::string s = "BM";
  Put(s, dataOffset + rowBytes * height, 4);
  Put(s, 0, 4);
  Put(s, dataOffset, 4);
  Put(s, 40, 4);
  Put(s, static_cast<uint32_t>(width), 4);
  Put(s, static_cast<uint32_t>(topDown ? -height : height), 4);
  Put(s, 1, 2);
  Put(s, static_cast<uint32_t>(bits), 2);
  Put(s, compression, 4);
  Put(s, rowBytes * height, 4);
  Put(s, 2835, 4);
  Put(s, 2835, 4);
  Put(s, 0, 4);
  Put(s, 0, 4);
  s.resize(dataOffset, '\x77');  // a larger header's extra bytes
  for (int k = 0; k < height; ++k) {
    const int y = topDown ? k + 1 : height - k;
    for (int x = 1; x <= width; ++x) PutBgr(s, pixel(x, y));
    s.append(static_cast<size_t>(rowBytes - width * 3), '\0');
  }
  return s;
}

std::string MakeIcon(int type, int width, int height, int bits, const std::vector<uint32_t>& palette,
                     int (*index)(int x, int y), PixelFn pixel) {
  const int rowBytes = ((width * bits + 31) / 32) * 4;
  const int maskRow = ((width + 31) / 32) * 4;
  const int paletteBytes = static_cast<int>(palette.size()) * 4;
  const int imageBytes = 40 + paletteBytes + rowBytes * height + maskRow * height;
  std::string s;
  Put(s, 0, 2);
  Put(s, static_cast<uint32_t>(type), 2);
  Put(s, 1, 2);
  s += static_cast<char>(width);
  s += static_cast<char>(height);
  s += static_cast<char>(bits <= 8 ? palette.size() & 0xFF : 0);
  s += '\0';
  Put(s, type == 2 ? 3 : 1, 2);  // planes, or the hot spot of a cursor
  Put(s, type == 2 ? 4 : static_cast<uint32_t>(bits), 2);
  Put(s, static_cast<uint32_t>(imageBytes), 4);
  Put(s, 22, 4);
  Put(s, 40, 4);
  Put(s, static_cast<uint32_t>(width), 4);
  Put(s, static_cast<uint32_t>(2 * height), 4);
  Put(s, 1, 2);
  Put(s, static_cast<uint32_t>(bits), 2);
  for (int i = 0; i < 6; ++i) Put(s, 0, 4);
  for (uint32_t colour : palette) {
    PutBgr(s, colour);
    s += '\0';
  }
  for (int y = height; y >= 1; --y) {
    std::string row(static_cast<size_t>(rowBytes), '\0');
    for (int x = 1; x <= width; ++x) {
      const int i = x - 1;
      if (bits == 24 || bits == 32) {
        const uint32_t c = pixel(x, y);
        const size_t at = static_cast<size_t>(i * bits / 8);
        row[at] = static_cast<char>((c >> 16) & 0xFF);
        row[at + 1] = static_cast<char>((c >> 8) & 0xFF);
        row[at + 2] = static_cast<char>(c & 0xFF);
        if (bits == 32) row[at + 3] = static_cast<char>(0xFF);
      } else {
        const int bit = i * bits;
        const int shift = 8 - bits - bit % 8;
        row[static_cast<size_t>(bit / 8)] = static_cast<char>(
            static_cast<unsigned char>(row[static_cast<size_t>(bit / 8)]) | (index(x, y) << shift));
      }
    }
    s += row;
  }
  s.append(static_cast<size_t>(maskRow) * static_cast<size_t>(height), '\0');
  return s;
}

}  // namespace ivxtest
