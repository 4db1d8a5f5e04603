// Uncompressed 24-bit Windows bitmap files, read into the BMP staging buffer
// and from there into the store.
#include <algorithm>
#include <array>
#include <cstdlib>
#include <string>

#include "images/format_readers.h"
#include "images/library_state.h"

namespace ivxfiles {

using namespace detail;

namespace {

constexpr int32_t kStagingWidth = 2048;
constexpr int32_t kStagingHeight = 769;
constexpr uint32_t kHeaderBytes = 54;

struct BmpStaging {
  std::array<uint8_t, kHeaderBytes> header{};
  int32_t width = 0;        // as in the header
  int32_t height = 0;       // as in the header: negative for a top-down file
  uint32_t bitCount = 0;
  uint32_t compression = 0;
  std::array<Colour, static_cast<size_t>(kStagingWidth) * kStagingHeight> cells{};
};

BmpStaging& Staging() {
  static BmpStaging staging;
  return staging;
}

bool InStaging(int64_t x, int64_t y) { return x >= 1 && x <= kStagingWidth && y >= 1 && y <= kStagingHeight; }
size_t StagingOffset(int64_t x, int64_t y) { return static_cast<size_t>((y - 1) * kStagingWidth + (x - 1)); }

Colour StagingPixel(int32_t x, int32_t y) { return BmpCell(x, y); }

void BmpBox(const std::string& text) { AskBox("Bmp Files", text, "OK", "!", "APPLICATION"); }

// The picture's size: a negative width holds no picture, and a top-down file
// (negative height) is as tall as its height's magnitude.
int32_t PictureWidth() { return Staging().width > 0 ? Staging().width : 0; }
int32_t PictureHeight() {
  const int64_t h = Staging().height;
  return static_cast<int32_t>(std::min<int64_t>(h < 0 ? -h : h, INT32_MAX));
}

}  // namespace

namespace detail {

bool ReadBmpBytes(std::string_view bytes) {
  BmpStaging& st = Staging();
  for (uint32_t i = 0; i < kHeaderBytes; ++i) st.header[i] = static_cast<uint8_t>(ByteAt(bytes, i));
  st.width = static_cast<int32_t>(Le32(bytes, 18));
  st.height = static_cast<int32_t>(Le32(bytes, 22));
  st.bitCount = Le16(bytes, 28);
  st.compression = Le32(bytes, 30);

  const int32_t width = PictureWidth();
  const int32_t height = PictureHeight();
  // Every check runs, so one file can raise several boxes.
  bool loadable = true;
  if (width >= kStagingWidth + 1 || height >= kStagingHeight + 1) {
    const int64_t magnitude = st.height < 0 ? -static_cast<int64_t>(st.height) : st.height;
    BmpBox("This BMP file is very large (" + std::to_string(st.width) + "x" + std::to_string(magnitude) + ")");
    loadable = false;
  }
  if (st.compression != 0) {
    BmpBox("Cannot load compressed bmp files !");
    loadable = false;
  }
  // Only 24-bit files are read.  The 1, 4 and 8 bit files have their boxes;
  // every other bit count (16, 32, or a damaged header) gets one of the same
  // kind, so that no such file is registered in silence.
  if (st.bitCount != 24) {
    BmpBox("Cannot load " + std::to_string(st.bitCount) + " bit bmp files !");
    loadable = false;
  }
  // A negative width describes no picture at all.
  if (st.width < 0) {
    BmpBox("This BMP file has a negative width (" + std::to_string(st.width) + ")");
    loadable = false;
  }
  if (!loadable) return false;

  // The pixels start where the file header says; files with the larger
  // information headers keep more than 54 bytes before them.
  uint64_t pos = Le32(bytes, 10);
  if (pos < kHeaderBytes || pos >= bytes.size()) pos = kHeaderBytes;
  const uint64_t padding = (4 - (static_cast<uint64_t>(width) * 3) % 4) % 4;
  const bool bottomUp = st.height > 0;
  for (int32_t k = 0; k < height; ++k) {
    const int32_t y = bottomUp ? height - k : k + 1;
    if (pos >= bytes.size()) {
      // Past the end of a truncated file: the row is black.
      std::fill_n(st.cells.begin() + static_cast<ptrdiff_t>(StagingOffset(1, y)), width, 0u);
      continue;
    }
    for (int32_t x = 1; x <= width; ++x) {
      const uint32_t blue = ByteAt(bytes, pos);
      const uint32_t green = ByteAt(bytes, pos + 1);
      const uint32_t red = ByteAt(bytes, pos + 2);
      pos += 3;
      st.cells[StagingOffset(x, y)] = Rgb(red, green, blue);
    }
    pos += padding;
  }
  return true;
}

}  // namespace detail

// The picture's size, so a top-down file answers its height as a positive number.
int32_t BmpWidth() { return PictureWidth(); }
int32_t BmpHeight() { return PictureHeight(); }

Colour BmpCell(int32_t x, int32_t y) { return InStaging(x, y) ? Staging().cells[StagingOffset(x, y)] : 0; }

void SetBmpCell(int32_t x, int32_t y, Colour colour) {
  if (InStaging(x, y)) Staging().cells[StagingOffset(x, y)] = colour;
}

void LoadBmpPicture(const std::string& name) {
  const std::string file = name + ".bmp";
  std::string bytes;
  if (ReadWholeFile(file, bytes)) {
    ReadBmpBytes(bytes);
  } else {
    BmpBox("Could not open bmp file " + file);
  }
  // Also after a failed read: the staging buffer's content is registered with
  // the header's size (the previous file's when this one could not be opened).
  CopyIntoStoreAndRegister(name, PictureWidth(), PictureHeight(), kStagingWidth, kStagingHeight, StagingPixel);
}

}  // namespace ivxfiles
