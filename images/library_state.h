// The one instance of the picture library's state, shared by its files, and
// the small services every part of the library uses.  Not part of the public
// interface.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "images/IvxFiles.h"

namespace ivxfiles::detail {

struct LibraryState {
  int32_t count = 0;
  std::array<IVX_INFO, MAX_PICTURES + 1> index{};  // slot 0 unused
  std::string lastName;
  int32_t lastIndex = 0;
  bool binarySearch = true;
  int32_t left = 0, top = 0, right = 0, bottom = 0;
  int32_t loadOriginX = 0, loadOriginY = 0;
  std::array<int32_t, 9> info{};  // info[1..8]
  bool transparent = false;
  Colour transparentColour = 0;
  int32_t rotationQuality = 2;
  HDC screenCopy = nullptr;
  HBITMAP screenCopyBitmap = nullptr;
  HGDIOBJ screenCopyOld = nullptr;
  Colour currentColour = 0;  // the drawing colour of the IVX readers
};

LibraryState& State();

// Raw cell access with the store's bounds; coordinates are 64-bit so that
// origin + offset sums never overflow.
bool InStore(int64_t x, int64_t y);
Colour Cell(int64_t x, int64_t y);
void PutCell(int64_t x, int64_t y, Colour colour);

// The range lo..hi cut to 1..limit; empty when first > last.
struct Span {
  int64_t first;
  int64_t last;
};
Span ClipSpan(int64_t lo, int64_t hi, int64_t limit);

// Window positions are worked out in 64 bits.  One that does not fit 32 bits
// lies outside any window and is dropped: cut to 32 bits it could wrap back
// inside the window.
inline bool FitsInt32(int64_t v) { return v >= INT32_MIN && v <= INT32_MAX; }

std::string UpperAscii(std::string_view text);
bool SameNoCase(std::string_view a, std::string_view b);

// 0x00BBGGRR from components as veltounit builds it.
Colour Rgb(int64_t r, int64_t g, int64_t b);
inline uint32_t RedPart(Colour c) { return c & 0xFFu; }
inline uint32_t GreenPart(Colour c) { return (c >> 8) & 0xFFu; }
inline uint32_t BluePart(Colour c) { return (c >> 16) & 0xFFu; }

// A box shown through AskUser (caption, text, buttons, icon, modality words)
// or through MessageBoxA with MB_ flags; both honour the box handler.
void AskBox(const std::string& caption, const std::string& text, const std::string& buttons, const std::string& icon,
            const std::string& modality);
void NoticeBox(const std::string& caption, const std::string& text, unsigned style);

// Reads a whole file (at most kMaxFileBytes; the rest is ignored).  False when
// it cannot be opened.
constexpr size_t kMaxFileBytes = 256u << 20;
bool ReadWholeFile(const std::string& path, std::string& out);

// Copies a staging picture into the store at the load origin and registers it
// as width x height.  Only staging pixels 1..copyWidth x 1..copyHeight exist;
// store cells past them are left alone.  Sets information numbers 1 and 2.
void CopyIntoStoreAndRegister(const std::string& name, int32_t width, int32_t height, int32_t copyWidth,
                              int32_t copyHeight, Colour (*pixel)(int32_t x, int32_t y));

}  // namespace ivxfiles::detail
