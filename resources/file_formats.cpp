#include "resources/file_formats.h"

#include <cstdio>
#include <jpeglib.h>
#include <png.h>

#include <algorithm>
#include <map>
#include <stdexcept>

namespace datagen {

// ----------------------------------------------------------------- ivx ----

bool ForbiddenInCoordinate(unsigned char byte) {
  switch (byte) {
    case 0:
    case 10:
    case 13:
    case 26:
    case 44:
    case 99:
    case 105:
    case 112:
    case 125: return true;
    default: return false;
  }
}

std::string EncodeIvxCoordinate(int value) {
  std::string out;
  while (value > 0) {
    int b = std::min(value, 255);
    while (ForbiddenInCoordinate(static_cast<unsigned char>(b))) --b;  // 1 is always allowed
    out += static_cast<char>(static_cast<unsigned char>(b));
    value -= b;
  }
  return out;
}

namespace {

uint32_t Key(Pixel p) { return (uint32_t(p.r) << 16) | (uint32_t(p.g) << 8) | p.b; }

std::string ColourText(uint32_t key) {
  return std::to_string((key >> 16) & 255) + "," + std::to_string((key >> 8) & 255) + "," +
         std::to_string(key & 255);
}

}  // namespace

std::string IvxFile(const Picture& picture) {
  // Cells of each colour, in row order; std::map keeps the colours sorted so
  // the output does not depend on hashing.
  std::map<uint32_t, std::vector<std::pair<int, int>>> cells;
  for (int y = 0; y < picture.height; ++y)
    for (int x = 0; x < picture.width; ++x) cells[Key(picture.At(x, y))].emplace_back(x + 1, y + 1);
  uint32_t background = 0;
  size_t most = 0;
  for (const auto& [key, list] : cells) {
    if (list.size() > most) {
      most = list.size();
      background = key;
    }
  }
  std::string out = "*=ivx2*[BK(" + ColourText(background) + ")][LENGTH(" + std::to_string(picture.width) +
                    ")][WIDTH(" + std::to_string(picture.height) + ")]&";
  for (const auto& [key, list] : cells) {
    if (key == background) continue;
    out += "c" + ColourText(key);
    for (const auto& [x, y] : list) out += "i" + EncodeIvxCoordinate(x) + "," + EncodeIvxCoordinate(y);
  }
  out += "}";
  return out;
}

// ---------------------------------------------------------------- bytes ----

namespace {

void Put16(std::string& s, uint32_t v) {
  s += static_cast<char>(v & 255);
  s += static_cast<char>((v >> 8) & 255);
}
void Put32(std::string& s, uint32_t v) {
  Put16(s, v & 0xFFFF);
  Put16(s, v >> 16);
}

}  // namespace

std::string CursorFile(const Picture& colours, const std::vector<uint8_t>& alpha, int hotX, int hotY) {
  const int w = colours.width, h = colours.height;
  if (w <= 0 || h <= 0 || w > 256 || h > 256 || alpha.size() != colours.pixels.size())
    throw std::invalid_argument("cursor picture of a size a cursor file cannot hold");
  const uint32_t maskStride = ((w + 31) / 32) * 4;
  const uint32_t imageBytes = 40 + uint32_t(w) * h * 4 + maskStride * h;
  std::string s;
  Put16(s, 0);  // reserved
  Put16(s, 2);  // cursor
  Put16(s, 1);  // one image
  s += static_cast<char>(w == 256 ? 0 : w);
  s += static_cast<char>(h == 256 ? 0 : h);
  s += static_cast<char>(0);  // no palette
  s += static_cast<char>(0);
  Put16(s, static_cast<uint32_t>(hotX));
  Put16(s, static_cast<uint32_t>(hotY));
  Put32(s, imageBytes);
  Put32(s, 22);
  // Bitmap information header; the height counts colour rows and mask rows.
  Put32(s, 40);
  Put32(s, static_cast<uint32_t>(w));
  Put32(s, static_cast<uint32_t>(h * 2));
  Put16(s, 1);
  Put16(s, 32);
  Put32(s, 0);
  Put32(s, imageBytes - 40);
  Put32(s, 0);
  Put32(s, 0);
  Put32(s, 0);
  Put32(s, 0);
  for (int y = h - 1; y >= 0; --y) {
    for (int x = 0; x < w; ++x) {
      const size_t i = static_cast<size_t>(y) * w + x;
      // Fully clear pixels are black so that a reader using only the mask
      // sees "transparent", not "invert the screen".
      const Pixel p = alpha[i] == 0 ? Pixel{0, 0, 0} : colours.pixels[i];
      s += static_cast<char>(p.b);
      s += static_cast<char>(p.g);
      s += static_cast<char>(p.r);
      s += static_cast<char>(alpha[i]);
    }
  }
  for (int y = h - 1; y >= 0; --y) {
    std::string row(maskStride, '\0');
    for (int x = 0; x < w; ++x)
      if (alpha[static_cast<size_t>(y) * w + x] < 128)
        row[x / 8] = static_cast<char>(row[x / 8] | (0x80 >> (x % 8)));
    s += row;
  }
  return s;
}

std::string WavFile(const std::vector<int16_t>& samples, int sampleRate) {
  const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
  std::string s = "RIFF";
  Put32(s, 36 + dataBytes);
  s += "WAVEfmt ";
  Put32(s, 16);
  Put16(s, 1);  // PCM
  Put16(s, 1);  // mono
  Put32(s, static_cast<uint32_t>(sampleRate));
  Put32(s, static_cast<uint32_t>(sampleRate) * 2);
  Put16(s, 2);
  Put16(s, 16);
  s += "data";
  Put32(s, dataBytes);
  for (int16_t v : samples) Put16(s, static_cast<uint16_t>(v));
  return s;
}

std::string JpegFile(const Picture& picture, int quality) {
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr jerr{};
  cinfo.err = jpeg_std_error(&jerr);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = static_cast<JDIMENSION>(picture.width);
  cinfo.image_height = static_cast<JDIMENSION>(picture.height);
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  cinfo.optimize_coding = FALSE;  // plain baseline tables
  cinfo.dct_method = JDCT_ISLOW;  // the exact integer transform, same bytes everywhere
  cinfo.write_JFIF_header = TRUE;
  jpeg_start_compress(&cinfo, TRUE);
  std::vector<unsigned char> row(static_cast<size_t>(picture.width) * 3);
  while (cinfo.next_scanline < cinfo.image_height) {
    const int y = static_cast<int>(cinfo.next_scanline);
    for (int x = 0; x < picture.width; ++x) {
      const Pixel p = picture.At(x, y);
      row[x * 3] = p.r;
      row[x * 3 + 1] = p.g;
      row[x * 3 + 2] = p.b;
    }
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&cinfo, rows, 1);
  }
  jpeg_finish_compress(&cinfo);
  std::string out(reinterpret_cast<const char*>(buffer), size);
  jpeg_destroy_compress(&cinfo);
  free(buffer);
  return out;
}

namespace {

void PngWrite(png_structp png, png_bytep data, png_size_t length) {
  auto* out = static_cast<std::string*>(png_get_io_ptr(png));
  out->append(reinterpret_cast<const char*>(data), length);
}
void PngFlush(png_structp) {}

}  // namespace

std::string PngFile(const Picture& picture) {
  std::string out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (png == nullptr) throw std::runtime_error("libpng could not start");
  png_infop info = png_create_info_struct(png);
  if (info == nullptr || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    throw std::runtime_error("libpng could not write the picture");
  }
  png_set_write_fn(png, &out, PngWrite, PngFlush);
  png_set_IHDR(png, info, static_cast<png_uint_32>(picture.width), static_cast<png_uint_32>(picture.height), 8,
               PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  std::vector<png_byte> row(static_cast<size_t>(picture.width) * 3);
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      const Pixel p = picture.At(x, y);
      row[x * 3] = p.r;
      row[x * 3 + 1] = p.g;
      row[x * 3 + 2] = p.b;
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

}  // namespace datagen
