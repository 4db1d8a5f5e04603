#include "image_fixture.h"

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iterator>

#include <jpeglib.h>

namespace ivxtest {

void ImageTest::SetUp() {
  automation::Reset();
  automation::SetHeadless(true);
  automation::SetVirtualTime(true);
  automation::SetScreenSize(1024, 768);
  ASSERT_EQ(1, veltounit::CreateMainWindow("IvxFiles test", kWindowWidth, kWindowHeight, 0));
  while (automation::PendingMessages() > 0) veltounit::PumpMessages(1);
  for (int i = 0; i < 32; ++i) automation::ScriptMessageBoxAnswer(IDOK);
  ivxfiles::SetBoxHandler(nullptr);
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
  for (const auto& box : automation::MessageBoxes()) out.push_back(box.text);
  return out;
}

std::vector<std::string> BoxCaptions() {
  std::vector<std::string> out;
  for (const auto& box : automation::MessageBoxes()) out.push_back(box.caption);
  return out;
}

void WriteFile(const std::string& name, const std::string& bytes) {
  std::ofstream out(name, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

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
  s.append(static_cast<size_t>(maskRow * height), '\0');
  return s;
}

void WriteJpeg(const std::string& path, int width, int height, PixelFn pixel, JpegOptions options) {
  jpeg_compress_struct info;
  jpeg_error_mgr errors;
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  std::FILE* file = std::fopen(path.c_str(), "wb");
  ASSERT_NE(file, nullptr);
  jpeg_stdio_dest(&info, file);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 95, TRUE);
  if (options.progressive) jpeg_simple_progression(&info);
  if (options.exif) info.write_JFIF_header = FALSE;
  jpeg_start_compress(&info, TRUE);
  if (options.exif) {
    // An Exif block whose contents hold the bytes of a frame marker of a
    // different size, as a thumbnail would.
    const unsigned char app1[] = {'E', 'x', 'i', 'f', 0, 0, 0xFF, 0xC0, 0, 17, 8, 0, 7, 0, 9, 3};
    jpeg_write_marker(&info, JPEG_APP0 + 1, app1, sizeof app1);
  }
  std::vector<unsigned char> row(static_cast<size_t>(width) * 3);
  while (info.next_scanline < info.image_height) {
    const int y = static_cast<int>(info.next_scanline) + 1;
    for (int x = 1; x <= width; ++x) {
      const uint32_t c = pixel(x, y);
      row[static_cast<size_t>(x - 1) * 3] = static_cast<unsigned char>(c & 0xFF);
      row[static_cast<size_t>(x - 1) * 3 + 1] = static_cast<unsigned char>((c >> 8) & 0xFF);
      row[static_cast<size_t>(x - 1) * 3 + 2] = static_cast<unsigned char>((c >> 16) & 0xFF);
    }
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  std::fclose(file);
}

std::vector<uint32_t> DecodeJpeg(const std::string& path, int& width, int& height) {
  jpeg_decompress_struct info;
  jpeg_error_mgr errors;
  info.err = jpeg_std_error(&errors);
  jpeg_create_decompress(&info);
  std::FILE* file = std::fopen(path.c_str(), "rb");
  std::vector<uint32_t> out;
  if (file == nullptr) return out;
  jpeg_stdio_src(&info, file);
  jpeg_read_header(&info, TRUE);
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  width = static_cast<int>(info.output_width);
  height = static_cast<int>(info.output_height);
  std::vector<unsigned char> row(static_cast<size_t>(width) * 3);
  while (info.output_scanline < info.output_height) {
    JSAMPROW rows[1] = {row.data()};
    jpeg_read_scanlines(&info, rows, 1);
    for (int x = 0; x < width; ++x) {
      out.push_back(Rgb(row[static_cast<size_t>(x) * 3], row[static_cast<size_t>(x) * 3 + 1],
                        row[static_cast<size_t>(x) * 3 + 2]));
    }
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  std::fclose(file);
  return out;
}

}  // namespace ivxtest
