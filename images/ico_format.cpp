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
  std::array<Colour, kStagingSize * kStagingSize> cells{};
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
  if (ReadWholeFile(file, bytes)) {
    ReadIconBytes(bytes);
  } else {
    IconBox("Could not open ico file " + file);
  }
  CopyIntoStoreAndRegister(name, IconWidth(), IconHeight(), kStagingSize, kStagingSize, StagingPixel);
}

}  // namespace

namespace detail {

bool ReadIconBytes(std::string_view bytes) {
  IconStaging& st = Staging();
  for (size_t i = 0; i < st.directory.size(); ++i) st.directory[i] = static_cast<uint8_t>(ByteAt(bytes, i));
  for (size_t i = 0; i < st.entry.size(); ++i) st.entry[i] = static_cast<uint8_t>(ByteAt(bytes, 6 + i));
  // The first image's information header is where its directory entry says;
  // in a file of one image that is right after the entry.
  uint64_t headerAt = Le32(bytes, 6 + 12);
  if (headerAt < 22 || headerAt >= bytes.size()) headerAt = 22;
  for (size_t i = 0; i < st.header.size(); ++i) st.header[i] = static_cast<uint8_t>(ByteAt(bytes, headerAt + i));

  const int32_t width = st.entry[0];
  const int32_t height = st.entry[1];
  const uint32_t bits = st.header[14] | (st.header[15] << 8);
  // Refusals are shown, as the BMP reader shows its own, instead of
  // registering the staging buffer's old content in silence.  A size byte of 0
  // in the directory entry means 256, more than the staging buffer holds.  A
  // picture stored as PNG inside the icon has no bit count here and is refused
  // with it.
  bool loadable = true;
  if (bytes.size() >= 22 && (width == 0 || height == 0)) {
    IconBox("This ico file is very large (" + std::to_string(width == 0 ? 256 : width) + "x" +
            std::to_string(height == 0 ? 256 : height) + ")");
    loadable = false;
  }
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) {
    IconBox("Cannot load " + std::to_string(bits) + " bit ico files !");
    loadable = false;
  }
  if (!loadable) return false;

  // Palette: 2, 16 or 256 entries of blue, green, red and a spare byte; a
  // smaller "colours used" count in the header means a shorter palette, and an
  // index past the palette is black.
  uint32_t paletteSize = bits <= 8 ? (1u << bits) : 0u;
  const uint32_t used = Le32(std::string_view(reinterpret_cast<const char*>(st.header.data()), 40), 32);
  if (used > 0 && used < paletteSize) paletteSize = used;
  std::array<Colour, 256> palette{};
  // The palette follows the information header, whose own first field gives
  // its size; the later, longer headers are 108 and 124 bytes.
  const uint32_t headerSize = Le32(std::string_view(reinterpret_cast<const char*>(st.header.data()), 40), 0);
  const uint64_t paletteAt = headerAt + (headerSize >= 40 && headerSize <= 124 ? headerSize : 40);
  for (uint32_t i = 0; i < paletteSize; ++i) {
    const uint64_t at = paletteAt + 4ull * i;
    palette[i] = Rgb(ByteAt(bytes, at + 2), ByteAt(bytes, at + 1), ByteAt(bytes, at));
  }
  const uint64_t pixelsAt = paletteAt + 4ull * paletteSize;
  const uint64_t rowBytes = ((static_cast<uint64_t>(width) * bits + 31) / 32) * 4;
  for (int32_t k = 0; k < height; ++k) {
    const int32_t y = height - k;  // the bottom row comes first
    const uint64_t row = pixelsAt + rowBytes * k;
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
  return true;
}

}  // namespace detail

int32_t IconWidth() { return Staging().entry[0]; }
int32_t IconHeight() { return Staging().entry[1]; }
Colour IconCell(int32_t x, int32_t y) { return InStaging(x, y) ? Staging().cells[StagingOffset(x, y)] : 0; }

void LoadIcoPicture(const std::string& name) { LoadIconFile(name, name + ".ico"); }
void LoadCurPicture(const std::string& name) { LoadIconFile(name, name + ".cur"); }

void SaveIcoFile(const std::string& fileName) {
  IconStaging& st = Staging();
  const uint32_t w = st.entry[0];
  const uint32_t h = st.entry[1];
  std::FILE* file = std::fopen(NativePath(fileName).c_str(), "wb");
  if (file == nullptr) {
    IconBox("Could not save ico file " + fileName);
    return;
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
  std::fwrite(out.data(), 1, out.size(), file);
  std::fclose(file);
}

}  // namespace ivxfiles
