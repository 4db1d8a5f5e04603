// The picture store, its sorted name index with the one-entry lookup cache,
// the selection, the information numbers, transparency, and the operations that
// manage pictures as rectangles of the store.
#include <algorithm>
#include <array>
#include <vector>

#include "gfx/veltounit.h"
#include "images/library_state.h"

namespace ivxfiles {
namespace detail {

namespace {
// Column-major: cell (x, y) follows cell (x, y - 1).  Static for the life of
// the process (about 13.4 MB).
std::array<Colour, static_cast<size_t>(STORE_WIDTH) * STORE_HEIGHT> g_store{};

size_t Offset(int64_t x, int64_t y) { return static_cast<size_t>((x - 1) * STORE_HEIGHT + (y - 1)); }
}  // namespace

LibraryState& State() {
  static LibraryState state;
  return state;
}

bool InStore(int64_t x, int64_t y) { return x >= 1 && x <= STORE_WIDTH && y >= 1 && y <= STORE_HEIGHT; }

Colour Cell(int64_t x, int64_t y) { return InStore(x, y) ? g_store[Offset(x, y)] : 0; }

// Cells outside the store are dropped rather than refused as a whole: a
// picture loaded near the edge keeps the part that fits.
void PutCell(int64_t x, int64_t y, Colour colour) {
  if (InStore(x, y)) g_store[Offset(x, y)] = colour;
}

Span ClipSpan(int64_t lo, int64_t hi, int64_t limit) { return {std::max<int64_t>(lo, 1), std::min(hi, limit)}; }

void CopyIntoStoreAndRegister(const std::string& name, int32_t width, int32_t height, int32_t copyWidth,
                              int32_t copyHeight, Colour (*pixel)(int32_t x, int32_t y)) {
  LibraryState& s = State();
  const int64_t ox = s.loadOriginX;
  const int64_t oy = s.loadOriginY;
  const Span cols = ClipSpan(ox + 1, ox + std::min(width, copyWidth), STORE_WIDTH);
  const Span rows = ClipSpan(oy + 1, oy + std::min(height, copyHeight), STORE_HEIGHT);
  for (int64_t x = cols.first; x <= cols.last; ++x) {
    for (int64_t y = rows.first; y <= rows.last; ++y) {
      PutCell(x, y, pixel(static_cast<int32_t>(x - ox), static_cast<int32_t>(y - oy)));
    }
  }
  s.info[1] = width;
  s.info[2] = height;
  AddPictureName(name, s.loadOriginX, s.loadOriginY, static_cast<int32_t>(ox + width),
                 static_cast<int32_t>(oy + height));
}

}  // namespace detail

using namespace detail;

// ------------------------------------------------------------ name index ----

int32_t AddPictureName(const std::string& name, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  LibraryState& s = State();
  const std::string upper = UpperAscii(name);
  // The index has room for 128 names; a 129th is refused (nothing is
  // overwritten) and the refusal is logged where the library keeps its reports.
  if (s.count >= MAX_PICTURES) {
    WriteLibraryLog("IVX index full, not added (" + upper + ")");
    return 0;
  }
  s.count += 1;
  int32_t slot = 1;
  if (s.count > 1) {
    int32_t j = s.count;
    slot = 0;
    while (slot == 0) {
      j -= 1;
      if (s.index[j].name > upper) {
        s.index[j + 1] = s.index[j];
        if (j == 1) slot = 1;
      } else {
        slot = j + 1;
      }
    }
  }
  s.index[slot] = IVX_INFO{upper, x1, y1, x2, y2};
  s.info[5] = s.count;
  s.lastName = upper;
  s.lastIndex = slot;
  return slot;
}

int32_t LocatePicture(const std::string& name) {
  LibraryState& s = State();
  const std::string upper = UpperAscii(name);
  int32_t candidate = 0;
  // A cached failure (index 0) is no candidate: the next lookup searches again.
  if (upper == s.lastName && s.lastIndex > 0) candidate = s.lastIndex;
  int32_t result = 0;
  if (candidate == 0) {
    if (s.binarySearch) {
      int32_t lo = 1;
      int32_t hi = s.count;
      while (lo <= hi) {
        const int32_t mid = lo + (hi - lo) / 2;
        if (mid == 0) break;
        if (SameNoCase(s.index[mid].name, upper)) {
          result = mid;
          break;
        }
        if (upper < s.index[mid].name) hi = mid - 1;
        else lo = mid + 1;
      }
    } else {
      for (int32_t i = 1; i <= s.count; ++i) {
        if (SameNoCase(s.index[i].name, upper)) {
          result = i;
          break;
        }
      }
    }
  } else if (candidate <= MAX_PICTURES && SameNoCase(s.index[candidate].name, upper)) {
    result = candidate;
  } else {
    const std::string held = candidate <= MAX_PICTURES ? s.index[candidate].name : std::string();
    WriteLibraryLog("IVX Locate (" + upper + ") as " + std::to_string(candidate) + held);
    result = 0;
  }
  s.lastName = upper;
  s.lastIndex = result;
  return result;
}

void RemovePictureName(const std::string& name) {
  LibraryState& s = State();
  const int32_t at = LocatePicture(name);
  if (at == 0) return;
  if (at == s.count) {
    s.index[at] = IVX_INFO{};
  } else {
    for (int32_t i = at; i < s.count; ++i) s.index[i] = s.index[i + 1];
    s.index[s.count] = IVX_INFO{};
  }
  s.count -= 1;
  s.info[5] = s.count;
}

int32_t PictureCount() { return State().count; }

IVX_INFO PictureEntry(int32_t index) {
  if (index < 1 || index > State().count) return IVX_INFO{};
  return State().index[index];
}

void SetBinarySearch(bool on) { State().binarySearch = on; }
bool BinarySearchOn() { return State().binarySearch; }

// ------------------------------------------------------------- selection ----

namespace {
void SelectEntry(const IVX_INFO& e) {
  LibraryState& s = State();
  s.left = e.x1;
  s.top = e.y1;
  s.right = static_cast<int32_t>(static_cast<int64_t>(e.x2) - 1);
  s.bottom = static_cast<int32_t>(static_cast<int64_t>(e.y2) - 1);
}
}  // namespace

int32_t SelectPicture(const std::string& name) {
  LibraryState& s = State();
  if (SameNoCase(name, "ALL")) {
    s.left = 1;
    s.top = 1;
    s.right = s.info[1];
    s.bottom = s.info[2];
    return 1;
  }
  const int32_t at = LocatePicture(name);
  if (at == 0) return 0;
  SelectEntry(s.index[at]);
  return at;
}

int32_t SelectPictureByIndex(int32_t index) {
  // Indices past the count hold no picture; they are refused like index 0.
  if (index <= 0 || index > State().count) return 0;
  SelectEntry(State().index[index]);
  return index;
}

int32_t SelectionLeft() { return State().left; }
int32_t SelectionTop() { return State().top; }
int32_t SelectionRight() { return State().right; }
int32_t SelectionBottom() { return State().bottom; }

int32_t PictureInfo(int32_t number) {
  if (number == 100) return STORE_WIDTH;
  if (number == 101) return STORE_HEIGHT;
  if (number == 5) return State().count;
  if (number >= 1 && number <= 8) return State().info[number];
  return 0;
}

int32_t PictureMetric(const std::string& name, const std::string& word) {
  SelectPicture(name);
  const LibraryState& s = State();
  const std::string w = UpperAscii(word);
  // 64-bit arithmetic: index entries may hold any coordinates.
  const int64_t sizeX = static_cast<int64_t>(s.right) - s.left;
  const int64_t sizeY = static_cast<int64_t>(s.bottom) - s.top;
  // The centring offsets are drawing offsets, and drawing already subtracts the
  // picture's place in the store; subtracting it here as well would put every
  // picture that is not at the store's left or top edge off the window (the
  // splash sits far to the right in the store, after the skin).
  const int64_t centerX = veltounit::WindowWidth() / 2 - sizeX / 2;
  const int64_t centerY = veltounit::WindowHeight() / 2 - sizeY / 2;
  int64_t v = 0;
  if (w == "NUMBER" || w == "MAXX" || w == "X2") v = s.right;
  else if (w == "MAXY" || w == "Y2") v = s.bottom;
  else if (w == "X") v = s.left;
  else if (w == "Y") v = s.top;
  else if (w == "SIZEX") v = sizeX;
  else if (w == "SIZEY") v = sizeY;
  else if (w == "CENTERX") v = centerX;
  else if (w == "CENTERY") v = centerY;
  else if (w == "CENTERX2") v = centerX + s.right;
  else if (w == "CENTERY2") v = centerY + s.bottom;
  return static_cast<int32_t>(v);
}

// ----------------------------------------------------------------- store ----

void ResetPictureStore() {
  LibraryState& s = State();
  s.left = s.top = s.right = s.bottom = 0;
  s.loadOriginX = s.loadOriginY = 0;
  s.info.fill(0);
  s.count = 0;
  for (IVX_INFO& e : s.index) e = IVX_INFO{};
  // The cache would otherwise point at a cleared entry and fail one lookup.
  s.lastName.clear();
  s.lastIndex = 0;
  std::fill(g_store.begin(), g_store.end(), 0u);
}

void SetLoadOrigin(int32_t x, int32_t y) {
  State().loadOriginX = x;
  State().loadOriginY = y;
}
int32_t LoadOriginX() { return State().loadOriginX; }
int32_t LoadOriginY() { return State().loadOriginY; }

Colour StoreCell(int32_t x, int32_t y) { return Cell(x, y); }
void SetStoreCell(int32_t x, int32_t y, Colour colour) { PutCell(x, y, colour); }

namespace {
// Calls fn(c, r) for every cell of the selection that lies in the store.
template <typename Fn>
void ForSelectedCells(Fn fn) {
  const LibraryState& s = State();
  const Span cols = ClipSpan(static_cast<int64_t>(s.left) + 1, static_cast<int64_t>(s.right) + 1, STORE_WIDTH);
  const Span rows = ClipSpan(static_cast<int64_t>(s.top) + 1, static_cast<int64_t>(s.bottom) + 1, STORE_HEIGHT);
  for (int64_t c = cols.first; c <= cols.last; ++c) {
    for (int64_t r = rows.first; r <= rows.last; ++r) fn(c, r);
  }
}
}  // namespace

// Operations that change cells refuse an unknown name: working on the previous
// selection would change some other picture.
void DeletePicture(const std::string& name) {
  LibraryState& s = State();
  s.binarySearch = false;
  const int32_t found = SelectPicture(name);
  if (found != 0) ForSelectedCells([](int64_t c, int64_t r) { PutCell(c, r, 0); });
  s.binarySearch = true;
  if (found != 0) RemovePictureName(name);
}

void ReplaceColour(const std::string& name, Colour from, Colour to) {
  if (SelectPicture(name) == 0) return;
  ForSelectedCells([&](int64_t c, int64_t r) {
    if (Cell(c, r) == from) PutCell(c, r, to);
  });
}

void CopyPicture(const std::string& source, const std::string& newName, int32_t x, int32_t y) {
  if (SelectPicture(source) == 0) return;
  const LibraryState& s = State();
  const int64_t width = static_cast<int64_t>(s.right) + 1 - s.left;
  const int64_t height = static_cast<int64_t>(s.bottom) + 1 - s.top;
  // Read first, then write, so that a copy overlapping its source is exact.
  std::vector<Colour> cells;
  std::vector<std::pair<int64_t, int64_t>> at;
  ForSelectedCells([&](int64_t c, int64_t r) {
    cells.push_back(Cell(c, r));
    at.emplace_back(c - s.left, r - s.top);
  });
  for (size_t k = 0; k < cells.size(); ++k) PutCell(x + at[k].first, y + at[k].second, cells[k]);
  AddPictureName(newName, x, y, static_cast<int32_t>(x + std::max<int64_t>(width, 0)),
                 static_cast<int32_t>(y + std::max<int64_t>(height, 0)));
}

// ---------------------------------------------------------- transparency ----

void SetTransparentColour(Colour colour) {
  State().transparent = true;
  State().transparentColour = colour;
}
void TransparencyOff() { State().transparent = false; }
Colour GetTransparentColour() { return State().transparentColour; }
bool TransparencyOn() { return State().transparent; }

}  // namespace ivxfiles
