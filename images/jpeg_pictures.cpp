// JPEG pictures: the frame size from the file's markers, the import of a
// decoded platform bitmap into the store, and drawing a JPEG file straight to
// the window.
#include <algorithm>
#include <string>

#include "gfx/veltounit.h"
#include "images/format_readers.h"
#include "images/jpeglib/LoadJPEG.h"
#include "images/library_state.h"

namespace ivxfiles {

using namespace detail;

namespace {
int32_t g_jpegWidth = 0;
int32_t g_jpegHeight = 0;

uint32_t Be16(std::string_view b, uint64_t pos) { return (ByteAt(b, pos) << 8) | ByteAt(b, pos + 1); }

bool IsStartOfFrame(uint32_t marker) {
  // 0xC0..0xCF are frames, except DHT (C4), JPG (C8) and DAC (CC).
  return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

HDC MemoryDcForWindow() { return CreateCompatibleDC(veltounit::WindowDC()); }
}  // namespace

namespace detail {

// Walks the file's marker segments rather than searching for the first
// 0xFF 0xC0: the frame may be progressive or extended, and an Exif block can
// hold a thumbnail with a frame marker of its own.  Any file that starts with
// the start-of-image marker is read (JFIF, Exif, or neither), as the decoder does.
bool ParseJpegSize(std::string_view bytes, int32_t& width, int32_t& height) {
  if (bytes.size() < 10 || ByteAt(bytes, 0) != 0xFF || ByteAt(bytes, 1) != 0xD8) return false;
  uint64_t pos = 2;
  while (pos < bytes.size()) {
    // Bytes before a marker are skipped, as the decoder skips them.
    while (pos < bytes.size() && ByteAt(bytes, pos) != 0xFF) ++pos;
    while (pos < bytes.size() && ByteAt(bytes, pos) == 0xFF) ++pos;
    if (pos >= bytes.size()) return false;
    const uint32_t marker = ByteAt(bytes, pos++);
    if (marker == 0x00) continue;                                        // a stuffed 0xFF byte, not a marker
    if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8)) continue;  // no length
    if (marker == 0xD9 || marker == 0xDA) return false;                  // image data before any frame
    const uint32_t length = Be16(bytes, pos);
    if (IsStartOfFrame(marker)) {
      if (pos + 7 > bytes.size() || length < 8) return false;
      height = static_cast<int32_t>(Be16(bytes, pos + 3));
      width = static_cast<int32_t>(Be16(bytes, pos + 5));
      return width > 0 && height > 0;
    }
    // A length too short to count itself skips only the length field, as the
    // decoder does with the segments it passes over.
    pos += length < 2 ? 2 : length;
  }
  return false;
}

}  // namespace detail

int32_t ReadJpegSize(const std::string& fileName) {
  std::string bytes;
  if (!ReadWholeFile(fileName, bytes)) return 0;
  int32_t w = 0;
  int32_t h = 0;
  if (!ParseJpegSize(bytes, w, h)) return 0;
  g_jpegWidth = w;
  g_jpegHeight = h;
  return 1;
}

int32_t JpegWidth() { return g_jpegWidth; }
int32_t JpegHeight() { return g_jpegHeight; }

int32_t ImportBitmap(HBITMAP bitmap) {
  if (bitmap == nullptr) return 0;
  BITMAP bm{};
  if (GetObjectA(bitmap, sizeof bm, &bm) == 0) {
    DeleteObject(bitmap);
    return 0;
  }
  const int64_t w = std::max<int64_t>(bm.bmWidth, 0);
  const int64_t h = std::max<int64_t>(bm.bmHeight < 0 ? -static_cast<int64_t>(bm.bmHeight) : bm.bmHeight, 0);
  LibraryState& s = State();
  const int64_t ox = s.loadOriginX;
  const int64_t oy = s.loadOriginY;
  if (ox + w > STORE_WIDTH || oy + h > STORE_HEIGHT) {
    NoticeBox("IvxFiles",
              "A picture that is being load on IvxFiles subsystem (" + std::to_string(w) + "x" + std::to_string(h) +
                  ") is larger than current setting for memory size .. Going for partial load..",
              MB_ICONEXCLAMATION);
  }
  HDC memory = MemoryDcForWindow();
  if (memory != nullptr) {
    HGDIOBJ old = SelectObject(memory, bitmap);
    const Span cols = ClipSpan(ox + 1, ox + w, STORE_WIDTH);
    const Span rows = ClipSpan(oy + 1, oy + h, STORE_HEIGHT);
    for (int64_t j = rows.first; j <= rows.last; ++j) {
      for (int64_t i = cols.first; i <= cols.last; ++i) {
        PutCell(i, j, GetPixel(memory, static_cast<int>(i - ox - 1), static_cast<int>(j - oy - 1)));
      }
    }
    SelectObject(memory, old);
    DeleteDC(memory);
  }
  DeleteObject(bitmap);
  s.info[1] = static_cast<int32_t>(w);
  s.info[2] = static_cast<int32_t>(h);
  return 1;
}

void LoadJpegPicture(const std::string& fileName) {
  HBITMAP bitmap = LoadJPEG(fileName.c_str());
  // The decoder gives no reason; the box is the one the library shows for
  // any file it cannot open, and no name is registered.
  if (bitmap == nullptr || ImportBitmap(bitmap) == 0) {
    AskBox("Error", "Could not open file " + fileName, "OK", "!", "APPLICATION");
    return;
  }
  const size_t dot = fileName.find_last_of('.');
  const size_t slash = fileName.find_last_of("\\/");
  const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
  const std::string name = hasExtension ? fileName.substr(0, dot) : fileName;
  const LibraryState& s = State();
  AddPictureName(name, s.loadOriginX, s.loadOriginY,
                 static_cast<int32_t>(static_cast<int64_t>(s.loadOriginX) + s.info[1]),
                 static_cast<int32_t>(static_cast<int64_t>(s.loadOriginY) + s.info[2]));
}

void DrawJpegFile(const std::string& fileName, int32_t x, int32_t y) {
  const bool sized = ReadJpegSize(fileName) == 1;
  HBITMAP bitmap = LoadJPEG(fileName.c_str());
  if (bitmap == nullptr) return;
  int32_t w = g_jpegWidth;
  int32_t h = g_jpegHeight;
  BITMAP bm{};
  if (!sized && GetObjectA(bitmap, sizeof bm, &bm) != 0) {
    // The decoder read a file the marker walk did not: draw at its own size.
    w = bm.bmWidth;
    h = bm.bmHeight < 0 ? -bm.bmHeight : bm.bmHeight;
  }
  HDC window = veltounit::WindowDC();
  HDC memory = MemoryDcForWindow();
  if (window != nullptr && memory != nullptr) {
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(window, x, y, w, h, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
  }
  if (memory != nullptr) DeleteDC(memory);
  DeleteObject(bitmap);
}

}  // namespace ivxfiles
