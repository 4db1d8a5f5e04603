// Icon and cursor files: the first image of the file, at 1, 4, 8, 24 or 32
// bits per pixel, read into the icon staging buffer and from there into the
// store; and the writer of an icon file with one 24-bit image.
#include <array>
#include <cstdio>
#include <string>

#include "images/format_readers.h"
#include "images/library_state.h"

namespace ivxfiles {

using namespace detail;

namespace {

constexpr int32_t kStagingSize = 255;

struct IconStaging {
  std::array<uint8_t, 6> directory{};
  std::array<uint8_t, 16> entry{};
  std::array<uint8_t, 40> header{};
  std::array<Colour, static_cast<size_t>(kStagingSize) * kStagingSize> cells{};
};

IconStaging& Staging() {
  static IconStaging staging;
  return staging;
}

bool InStaging(int64_t x, int64_t y) { return x >= 1 && x <= kStagingSize && y >= 1 && y <= kStagingSize; }
size_t StagingOffset(int64_t x, int64_t y) { return static_cast<size_t>((y - 1) * kStagingSize + (x - 1)); }
Colour StagingPixel(int32_t x, int32_t y) { return IconCell(x, y); }

void IconBox(const std::string& text) { AskBox("Ico Files", text, "OK", "!", "APPLICATION"); }

template <size_t N>
void PutLe(std::array<uint8_t, N>& a, size_t pos, uint32_t value, size_t bytes) {
  for (size_t i = 0; i < bytes; ++i) a[pos + i] = static_cast<uint8_t>(value >> (8 * i));
}

void LoadIconFile(const std::string& name, const std::string& file) {
  std::string bytes;
  if (!ReadWholeFile(file, bytes)) {
    IconBox("Could not open ico file " + file);
    return;
  }
  // A refused file registers nothing and leaves the store as it was.
  const std::string refusal = ReadIconBytes(bytes, file);
  if (!refusal.empty()) {
    IconBox(refusal);
    return;
  }
  CopyIntoStoreAndRegister(name, IconWidth(), IconHeight(), kStagingSize, kStagingSize, StagingPixel);
}

}  // namespace

namespace detail {

// The file is checked whole before anything is read from it, as the BMP
// reader checks its files: a refused file leaves the staging buffer as it was,
// and the first check that fails names the one box.  The colour rows must be
// in the file; the transparency mask after them is not read, but a file cut
// before the end of the image its directory entry declares is refused too.
std::string ReadIconBytes(std::string_view bytes, const std::string& file) {
  const auto damaged = [&file](const std::string& reason) { return "Cannot load ico file " + file + ": " + reason; };
  if (bytes.size() < 6) return damaged("truncated");
  const uint32_t type = Le16(bytes, 2);
  if (Le16(bytes, 0) != 0 || (type != 1 && type != 2)) {
    return damaged(ByteAt(bytes, 0) == 0xFF && ByteAt(bytes, 1) == 0xD8 ? "not an icon file, it holds a JPEG picture"
                                                                        : "not an icon file");
  }
  const uint64_t count = Le16(bytes, 4);
  if (count == 0) return damaged("size 0 (its directory lists no picture)");
  const uint64_t directoryEnd = 6 + 16 * count;
  if (directoryEnd > bytes.size()) return damaged("truncated");
  const int32_t width = static_cast<int32_t>(ByteAt(bytes, 6));
  const int32_t height = static_cast<int32_t>(ByteAt(bytes, 7));
  const uint64_t declaredBytes = Le32(bytes, 6 + 8);
  const uint64_t headerAt = Le32(bytes, 6 + 12);
  if (headerAt >= bytes.size()) return damaged("offset past the end");
  if (headerAt < directoryEnd) return damaged("offset inside the directory");
  if (headerAt + declaredBytes > bytes.size()) return damaged("truncated");
  if (bytes.substr(static_cast<size_t>(headerAt), 8) == std::string_view("\x89PNG\r\n\x1a\n", 8)) {
    // A size byte of 0 means 256: such pictures are the ones stored as PNG.
    if (width == 0 || height == 0) {
      return "This ico file is very large (" + std::to_string(width == 0 ? 256 : width) + "x" +
             std::to_string(height == 0 ? 256 : height) + ")";
    }
    return damaged("its picture is stored as PNG");
  }
  if (headerAt + 40 > bytes.size()) return damaged("truncated");
  // The palette follows the information header, whose own first field gives
  // its size; the later, longer headers are 108 and 124 bytes.
  const uint64_t headerSize = Le32(bytes, headerAt);
  const uint64_t paletteAt = headerAt + (headerSize >= 40 && headerSize <= 124 ? headerSize : 40);
  const uint32_t bits = Le16(bytes, headerAt + 14);
  if (width == 0 || height == 0) {
    return "This ico file is very large (" + std::to_string(width == 0 ? 256 : width) + "x" +
           std::to_string(height == 0 ? 256 : height) + ")";
  }
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) {
    return "Cannot load " + std::to_string(bits) + " bit ico files !";
  }
  // Palette: 2, 16 or 256 entries of blue, green, red and a spare byte; a
  // smaller "colours used" count in the header means a shorter palette, and an
  // index past the palette is black.
  uint32_t paletteSize = bits <= 8 ? (1u << bits) : 0u;
  const uint32_t used = Le32(bytes, headerAt + 32);
  if (used > 0 && used < paletteSize) paletteSize = used;
  const uint64_t pixelsAt = paletteAt + 4ull * paletteSize;
  const uint64_t rowBytes = ((static_cast<uint64_t>(width) * bits + 31) / 32) * 4;
  if (pixelsAt + rowBytes * static_cast<uint64_t>(height) > bytes.size()) return damaged("truncated");
  // The directory entry and the information header describe the same
  // picture: the header's height counts the colour rows and the mask rows (or,
  // in some writers' files, the colour rows alone).  An icon's entry may also
  // give the bit count (a cursor keeps its hot spot there instead).
  const int64_t headerWidth = static_cast<int32_t>(Le32(bytes, headerAt + 4));
  const int64_t headerHeight = static_cast<int32_t>(Le32(bytes, headerAt + 8));
  const uint32_t entryBits = Le16(bytes, 6 + 6);
  if (headerWidth != width || (headerHeight != 2 * static_cast<int64_t>(height) && headerHeight != height) ||
      (type == 1 && entryBits != 0 && entryBits != bits)) {
    return damaged("header and directory disagree");
  }

  IconStaging& st = Staging();
  for (size_t i = 0; i < st.directory.size(); ++i) st.directory[i] = static_cast<uint8_t>(ByteAt(bytes, i));
  for (size_t i = 0; i < st.entry.size(); ++i) st.entry[i] = static_cast<uint8_t>(ByteAt(bytes, 6 + i));
  for (size_t i = 0; i < st.header.size(); ++i) st.header[i] = static_cast<uint8_t>(ByteAt(bytes, headerAt + i));
  std::array<Colour, 256> palette{};
  for (uint32_t i = 0; i < paletteSize; ++i) {
    const uint64_t at = paletteAt + 4ull * i;
    palette[i] = Rgb(ByteAt(bytes, at + 2), ByteAt(bytes, at + 1), ByteAt(bytes, at));
  }
  for (int32_t k = 0; k < height; ++k) {
    const int32_t y = height - k;  // the bottom row comes first
    const uint64_t row = pixelsAt + rowBytes * static_cast<uint64_t>(k);
    for (int32_t x = 1; x <= width; ++x) {
      const uint64_t i = static_cast<uint64_t>(x - 1);
      Colour colour = 0;
      if (bits == 24 || bits == 32) {
        const uint64_t at = row + i * (bits / 8);
        colour = Rgb(ByteAt(bytes, at + 2), ByteAt(bytes, at + 1), ByteAt(bytes, at));
      } else {
        const uint32_t byte = ByteAt(bytes, row + i * bits / 8);
        const uint32_t shift = 8 - bits - static_cast<uint32_t>((i * bits) % 8);
        const uint32_t index = (byte >> shift) & ((1u << bits) - 1);
        colour = index < paletteSize ? palette[index] : 0;
      }
      st.cells[StagingOffset(x, y)] = colour;
    }
  }
  return std::string();
}

}  // namespace detail

int32_t IconWidth() { return Staging().entry[0]; }
int32_t IconHeight() { return Staging().entry[1]; }
Colour IconCell(int32_t x, int32_t y) { return InStaging(x, y) ? Staging().cells[StagingOffset(x, y)] : 0; }

void LoadIcoPicture(const std::string& name) { LoadIconFile(name, name + ".ico"); }
void LoadCurPicture(const std::string& name) { LoadIconFile(name, name + ".cur"); }

bool SaveIcoFile(const std::string& fileName) {
  IconStaging& st = Staging();
  const uint32_t w = st.entry[0];
  const uint32_t h = st.entry[1];
  std::FILE* file = std::fopen(NativePath(fileName).c_str(), "wb");
  if (file == nullptr) {
    IconBox("Could not save ico file " + fileName);
    return false;
  }
  const uint32_t colourPad = (4 - (3 * w) % 4) % 4;
  const uint32_t maskBytes = w / 8 + (w % 8 != 0 ? 1 : 0);
  const uint32_t maskPad = (4 - maskBytes % 4) % 4;
  const uint32_t resourceBytes = 40 + h * (3 * w + colourPad) + h * (maskBytes + maskPad);

  st.directory = {};
  PutLe(st.directory, 2, 1, 2);
  PutLe(st.directory, 4, 1, 2);
  st.entry = {};
  st.entry[0] = static_cast<uint8_t>(w);
  st.entry[1] = static_cast<uint8_t>(h);
  PutLe(st.entry, 4, 1, 2);
  PutLe(st.entry, 6, 24, 2);
  PutLe(st.entry, 8, resourceBytes, 4);
  PutLe(st.entry, 12, 22, 4);
  st.header = {};
  PutLe(st.header, 0, 40, 4);
  PutLe(st.header, 4, w, 4);
  PutLe(st.header, 8, 2 * h, 4);
  PutLe(st.header, 12, 1, 2);
  PutLe(st.header, 14, 24, 2);
  PutLe(st.header, 20, resourceBytes - 40, 4);

  std::string out;
  out.append(reinterpret_cast<const char*>(st.directory.data()), st.directory.size());
  out.append(reinterpret_cast<const char*>(st.entry.data()), st.entry.size());
  out.append(reinterpret_cast<const char*>(st.header.data()), st.header.size());
  for (uint32_t y = h; y >= 1; --y) {
    for (uint32_t x = 1; x <= w; ++x) {
      const Colour c = IconCell(static_cast<int32_t>(x), static_cast<int32_t>(y));
      out += static_cast<char>(BluePart(c));
      out += static_cast<char>(GreenPart(c));
      out += static_cast<char>(RedPart(c));
    }
    out.append(colourPad, '\0');
  }
  out.append(static_cast<size_t>(h) * (maskBytes + maskPad), '\0');
  const bool written = std::fwrite(out.data(), 1, out.size(), file) == out.size();
  // A full disk may show only when the buffer goes out at the close.
  if (std::fclose(file) != 0 || !written) {
    IconBox("Could not save ico file " + fileName);
    return false;
  }
  return true;
}

}  // namespace ivxfiles
