#include "jpeg_writer.h"

#include <cstdio>

#include <jpeglib.h>

namespace ivxtest {

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
