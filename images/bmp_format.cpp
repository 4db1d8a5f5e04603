// Uncompressed 24-bit Windows bitmap files, read into the BMP staging buffer
// and from there into the store.
#include <algorithm>
#include <array>
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
  int32_t width = 0;   // as in the header
  int32_t height = 0;  // as in the header: negative for a top-down file
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

// A file is checked whole before anything is read from it: a refused file
// leaves the staging buffer as it was, so nothing of it (and nothing left over
// from an earlier file) can reach the store.  The checks run in the order
// below and the first that fails names the refusal, so a file gets one box.
std::string ReadBmpBytes(std::string_view bytes, const std::string& file) {
  const auto damaged = [&file](const std::string& reason) { return "Cannot load bmp file " + file + ": " + reason; };
  if (bytes.size() >= 2 && (ByteAt(bytes, 0) != 'B' || ByteAt(bytes, 1) != 'M')) {
    return damaged(ByteAt(bytes, 0) == 0xFF && ByteAt(bytes, 1) == 0xD8 ? "not a bmp file, it holds a JPEG picture"
                                                                        : "not a bmp file");
  }
  if (bytes.size() < 18) return damaged("truncated");
  // The information header's own size tells its layout: 12 bytes is the
  // early (OS/2) header with 16-bit sizes; every later header starts with the
  // 40-byte layout, of which a short OS/2 2.x header holds only a prefix.
  const uint64_t headerSize = Le32(bytes, 14);
  if (headerSize < 12) return damaged("unknown information header size (" + std::to_string(headerSize) + ")");
  const uint64_t headerEnd = 14 + headerSize;
  if (headerEnd > bytes.size()) return damaged("truncated");
  const auto field = [&](uint64_t pos, uint64_t length) -> uint64_t {
    if (pos + length > headerEnd) return 0;
    return length == 2 ? Le16(bytes, pos) : Le32(bytes, pos);
  };
  int32_t width = 0;
  int32_t height = 0;
  uint32_t bitCount = 0;
  uint32_t compression = 0;
  if (headerSize == 12) {
    width = static_cast<int32_t>(Le16(bytes, 18));
    height = static_cast<int32_t>(Le16(bytes, 20));
    bitCount = Le16(bytes, 24);
  } else {
    width = static_cast<int32_t>(field(18, 4));
    height = static_cast<int32_t>(field(22, 4));
    bitCount = static_cast<uint32_t>(field(28, 2));
    compression = static_cast<uint32_t>(field(30, 4));
  }
  const int64_t rows = height < 0 ? -static_cast<int64_t>(height) : height;

  if (width >= kStagingWidth + 1 || rows >= kStagingHeight + 1) {
    return "This BMP file is very large (" + std::to_string(width) + "x" + std::to_string(rows) + ")";
  }
  if (compression != 0) return "Cannot load compressed bmp files !";
  // Only 24-bit files are read.  The 1, 4 and 8 bit files have their boxes;
  // every other bit count (16, 32, or a damaged header) gets one of the same
  // kind, so that no such file is refused in silence.
  if (bitCount != 24) return "Cannot load " + std::to_string(bitCount) + " bit bmp files !";
  if (width < 0) return "This BMP file has a negative width (" + std::to_string(width) + ")";
  if (width == 0 || rows == 0) return damaged("size 0");

  // The pixels start where the file header says; files with the larger
  // information headers keep more than 54 bytes before them.  An offset that
  // points into the headers (0 in some old writers' files) means "right after
  // them".
  uint64_t pos = Le32(bytes, 10);
  if (pos >= bytes.size()) return damaged("offset past the end");
  if (pos < headerEnd) pos = headerEnd;
  // Every row but the last with its padding; the last one may lack its
  // padding, which nothing reads.
  const uint64_t rowBytes = (static_cast<uint64_t>(width) * 3 + 3) / 4 * 4;
  if (pos + rowBytes * static_cast<uint64_t>(rows - 1) + static_cast<uint64_t>(width) * 3 > bytes.size()) {
    return damaged("truncated");
  }

  BmpStaging& st = Staging();
  for (uint32_t i = 0; i < kHeaderBytes; ++i) st.header[i] = static_cast<uint8_t>(ByteAt(bytes, i));
  st.width = width;
  st.height = height;
  st.bitCount = bitCount;
  st.compression = compression;
  const bool bottomUp = height > 0;
  for (int64_t k = 0; k < rows; ++k) {
    const int64_t y = bottomUp ? rows - k : k + 1;
    const uint64_t row = pos + rowBytes * static_cast<uint64_t>(k);
    for (int32_t x = 1; x <= width; ++x) {
      const uint64_t at = row + 3ull * static_cast<uint64_t>(x - 1);
      st.cells[StagingOffset(x, y)] = Rgb(ByteAt(bytes, at + 2), ByteAt(bytes, at + 1), ByteAt(bytes, at));
    }
  }
  return std::string();
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
  if (!ReadWholeFile(file, bytes)) {
    BmpBox("Could not open bmp file " + file);
    return;
  }
  // A refused file registers nothing and leaves the store as it was: a name
  // pointing at the staging buffer's leftovers would draw another picture.
  const std::string refusal = ReadBmpBytes(bytes, file);
  if (!refusal.empty()) {
    BmpBox(refusal);
    return;
  }
  CopyIntoStoreAndRegister(name, PictureWidth(), PictureHeight(), kStagingWidth, kStagingHeight, StagingPixel);
}

}  // namespace ivxfiles
