// The file format readers working on bytes already in memory, so that the
// loaders, the tests and the fuzzing programs drive the same code.  Not part of
// the public interface.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace ivxfiles::detail {

// Little-endian fields of a file image; bytes past its end read as 0, so a
// truncated file never makes a reader look outside the buffer.
inline uint32_t ByteAt(std::string_view b, uint64_t pos) {
  // Below the size, the position fits a 32-bit size_t too.
  return pos < b.size() ? static_cast<unsigned char>(b[static_cast<size_t>(pos)]) : 0u;
}
inline uint32_t Le16(std::string_view b, uint64_t pos) { return ByteAt(b, pos) | (ByteAt(b, pos + 1) << 8); }
inline uint32_t Le32(std::string_view b, uint64_t pos) { return Le16(b, pos) | (Le16(b, pos + 2) << 16); }

// Paints an ".ivx" text into the store at the load origin (no registration).
// `name` only appears in the box about an unknown identifier.
void PaintIvxText(std::string_view text, const std::string& name);

// Reads a BMP file into the BMP staging buffer and its header.  Returns the
// text of the one box that refuses the file (`file` is the name it shows), or
// an empty text when the pixels were read.  A refused file changes nothing.
std::string ReadBmpBytes(std::string_view bytes, const std::string& file);

// Reads the first image of an icon or cursor file into the icon staging
// buffer; the same contract as ReadBmpBytes.
std::string ReadIconBytes(std::string_view bytes, const std::string& file);

// Width and height of the frame of a JPEG file; false when it is none.
bool ParseJpegSize(std::string_view bytes, int32_t& width, int32_t& height);

// True for a JPEG file that ends inside its image data (no end-of-image
// marker after the first scan).
bool JpegCutShort(std::string_view bytes);

}  // namespace ivxfiles::detail
