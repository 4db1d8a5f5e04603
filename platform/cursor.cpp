// Mouse pointers: the system arrow, pointers read from Windows cursor files
// (".cur", also ".ico" images) with their hot spot, and the current pointer.
#include <cstdio>
#include <fstream>
#include <map>

#include "platform/backend.h"
#include "platform/state.h"

namespace plat {

namespace {

CursorState& Pointers() { return State().cursors; }
constexpr uintptr_t kArrow = 0x2FF00;
constexpr uintptr_t kApplicationIcon = 0x2FF01;

constexpr size_t kMaxFile = 4 << 20;

void MakeSystem() {
  if (Pointers().cursors.count(kArrow)) return;
  // A plain 12 x 19 arrow with its tip as the hot spot: black outline, white
  // inside, as the desktop's arrow is shaped.
  static const char* kShape[] = {"X           ", "XX          ", "X.X         ", "X..X        ", "X...X       ",
                                 "X....X      ", "X.....X     ", "X......X    ", "X.......X   ", "X........X  ",
                                 "X.........X ", "X......XXXXX", "X...X..X    ", "X..XX..X    ", "X.X  X..X   ",
                                 "XX   X..X   ", "X     X..X  ", "      X..X  ", "       XX   "};
  CursorImage arrow;
  arrow.system = true;
  arrow.width = 12;
  arrow.height = 19;
  for (const char* row : kShape)
    for (int x = 0; x < 12; ++x)
      arrow.argb.push_back(row[x] == 'X' ? 0xFF000000u : row[x] == '.' ? 0xFFFFFFFFu : 0u);
  Pointers().cursors[kArrow] = arrow;
  CursorImage icon;
  icon.system = true;
  icon.width = 32;
  icon.height = 32;
  icon.argb.assign(size_t{32} * 32, 0xFF2060C0u);
  Pointers().cursors[kApplicationIcon] = icon;
}

uint32_t Le16(const std::vector<unsigned char>& d, size_t at) { return d[at] | (uint32_t{d[at + 1]} << 8); }
uint32_t Le32(const std::vector<unsigned char>& d, size_t at) {
  return d[at] | (uint32_t{d[at + 1]} << 8) | (uint32_t{d[at + 2]} << 16) | (uint32_t{d[at + 3]} << 24);
}

// Decodes the first image of an icon or cursor file; false on anything the
// file does not hold.  The size comes from the image's own header, which is
// what is drawn; the directory entry's bytes only repeat it.
bool ParseCursorFile(const std::vector<unsigned char>& d, CursorImage* out) {
  if (d.size() < 6 + 16 || Le16(d, 0) != 0) return false;
  uint32_t type = Le16(d, 2), count = Le16(d, 4);
  if ((type != 1 && type != 2) || count == 0) return false;
  uint32_t hotX = Le16(d, 10), hotY = Le16(d, 12);
  uint32_t bytes = Le32(d, 14), offset = Le32(d, 18);
  // The whole directory must be in the file and the image after it: an
  // image said to lie inside the directory, or to run past the end of the
  // file, is a damaged file.
  const size_t directoryEnd = 6 + 16 * static_cast<size_t>(count);
  if (directoryEnd > d.size() || offset < directoryEnd) return false;
  if (offset >= d.size() || bytes > d.size() - offset || bytes < 40) return false;
  size_t h0 = offset;
  uint32_t headerSize = Le32(d, h0);
  if (headerSize < 40 || headerSize > bytes) return false;  // also refuses PNG images
  int32_t width = static_cast<int32_t>(Le32(d, h0 + 4));
  int32_t height2 = static_cast<int32_t>(Le32(d, h0 + 8));
  uint32_t bpp = Le16(d, h0 + 14);
  uint32_t compression = Le32(d, h0 + 16);
  uint32_t coloursUsed = Le32(d, h0 + 32);
  if (compression != BI_RGB || width <= 0 || width > 256 || height2 <= 0 || height2 > 512) return false;
  int height = height2 / 2;
  if (height <= 0) return false;
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32) return false;
  size_t palette = bpp <= 8 ? (coloursUsed && coloursUsed <= (1u << bpp) ? coloursUsed : (1u << bpp)) : 0;
  size_t pos = h0 + headerSize;
  size_t end = static_cast<size_t>(offset) + bytes;
  if (pos + palette * 4 > end) return false;
  size_t paletteAt = pos;
  pos += palette * 4;
  // Checked above to be positive; rows and columns index from here on.
  const size_t columns = static_cast<size_t>(width), rows = static_cast<size_t>(height);
  size_t xorStride = ((columns * bpp + 31) / 32) * 4;
  size_t andStride = ((columns + 31) / 32) * 4;
  size_t xorAt = pos, andAt = pos + xorStride * rows;
  bool hasMask = andAt + andStride * rows <= end;
  if (xorAt + xorStride * rows > end) return false;

  out->width = width;
  out->height = height;
  out->hotX = static_cast<int>(std::min<uint32_t>(hotX, static_cast<uint32_t>(columns - 1)));
  out->hotY = static_cast<int>(std::min<uint32_t>(hotY, static_cast<uint32_t>(rows - 1)));
  if (type == 1) {  // an icon used as a pointer points with its centre
    out->hotX = width / 2;
    out->hotY = height / 2;
  }
  out->argb.assign(columns * rows, 0);
  bool anyAlpha = false;
  for (size_t row = 0; row < rows; ++row) {
    size_t y = rows - 1 - row;  // bottom row first in the file
    const unsigned char* line = &d[xorAt + xorStride * row];
    for (size_t x = 0; x < columns; ++x) {
      uint32_t rgb = 0, alpha = 255;
      if (bpp <= 8) {
        uint32_t index;
        if (bpp == 1) index = (uint32_t{line[x >> 3]} >> (7 - (x & 7))) & 1;
        else if (bpp == 4) index = (uint32_t{line[x >> 1]} >> ((x & 1) ? 0 : 4)) & 0xF;
        else index = line[x];
        if (index < palette) {
          const unsigned char* p = &d[paletteAt + size_t{index} * 4];
          rgb = (uint32_t{p[2]} << 16) | (uint32_t{p[1]} << 8) | p[0];
        }
      } else {
        const unsigned char* p = line + x * (bpp / 8);
        rgb = (uint32_t{p[2]} << 16) | (uint32_t{p[1]} << 8) | p[0];
        if (bpp == 32) {
          alpha = p[3];
          anyAlpha = anyAlpha || alpha != 0;
        }
      }
      out->argb[y * columns + x] = (alpha << 24) | rgb;
    }
  }
  if (bpp != 32 || !anyAlpha) {
    // The AND mask says where the pointer is transparent.  Where it also
    // inverts the screen (mask 1, colour not black) we show black, which keeps
    // the shape visible on any background.
    for (size_t row = 0; row < rows && hasMask; ++row) {
      size_t y = rows - 1 - row;
      const unsigned char* line = &d[andAt + andStride * row];
      for (size_t x = 0; x < columns; ++x) {
        bool transparent = (uint32_t{line[x >> 3]} >> (7 - (x & 7))) & 1;
        uint32_t& p = out->argb[y * columns + x];
        uint32_t rgb = p & 0xFFFFFF;
        if (!transparent) p = 0xFF000000u | rgb;
        else p = rgb == 0 ? 0u : 0xFF000000u;
      }
    }
    if (!hasMask)
      for (uint32_t& p : out->argb) p |= 0xFF000000u;
  }
  return true;
}

}  // namespace

CursorImage* FindCursor(HCURSOR c) {
  MakeSystem();
  auto it = Pointers().cursors.find(reinterpret_cast<uintptr_t>(c));
  return it == Pointers().cursors.end() ? nullptr : &it->second;
}

}  // namespace plat

using namespace plat;

HCURSOR WINAPI LoadCursorA(HINSTANCE instance, LPCSTR name) {
  MakeSystem();
  // Only the system's pointers exist; the program has no pointer resources.
  if (instance != nullptr || reinterpret_cast<uintptr_t>(name) > 0xFFFF) return nullptr;
  return reinterpret_cast<HCURSOR>(kArrow);
}

HICON WINAPI LoadIconA(HINSTANCE instance, LPCSTR name) {
  MakeSystem();
  if (instance != nullptr || reinterpret_cast<uintptr_t>(name) > 0xFFFF) return nullptr;
  return reinterpret_cast<HICON>(kApplicationIcon);
}

HCURSOR WINAPI LoadCursorFromFileA(LPCSTR fileName) {
  if (fileName == nullptr) return nullptr;
  std::ifstream in(NativePath(fileName), std::ios::binary);
  if (!in) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return nullptr;
  }
  std::vector<unsigned char> data;
  char buffer[65536];
  while (in && data.size() <= kMaxFile) {
    in.read(buffer, sizeof buffer);
    data.insert(data.end(), buffer, buffer + in.gcount());
  }
  if (data.size() > kMaxFile) {
    SetLastError(ERROR_INVALID_DATA);
    return nullptr;
  }
  CursorImage image;
  if (!ParseCursorFile(data, &image)) {
    SetLastError(ERROR_INVALID_DATA);
    return nullptr;
  }
  MakeSystem();
  uintptr_t id = Pointers().nextCursor++;
  Pointers().cursors[id] = std::move(image);
  return reinterpret_cast<HCURSOR>(id);
}

BOOL WINAPI DestroyCursor(HCURSOR cursor) {
  CursorImage* c = FindCursor(cursor);
  if (c == nullptr || c->system || cursor == Pointers().current) return c != nullptr && c->system;
  Backend().freePointer(*c);
  Pointers().cursors.erase(reinterpret_cast<uintptr_t>(cursor));
  return TRUE;
}

HCURSOR WINAPI SetCursor(HCURSOR cursor) {
  HCURSOR previous = Pointers().current;
  if (cursor != nullptr && FindCursor(cursor) == nullptr) return previous;
  Pointers().current = cursor;
  Backend().showPointer(cursor != nullptr ? FindCursor(cursor) : nullptr,
                        cursor != nullptr && Pointers().showCount >= 0);
  return previous;
}

HCURSOR WINAPI GetCursor(void) { return Pointers().current; }

int WINAPI ShowCursor(BOOL show) {
  Pointers().showCount += show ? 1 : -1;
  HCURSOR current = Pointers().current;
  Backend().showPointer(current != nullptr ? FindCursor(current) : nullptr,
                        Pointers().showCount >= 0 && current != nullptr);
  return Pointers().showCount;
}
