// The pixel store every drawing lands in: making a surface, changing its size
// and filling a rectangle of it.  Below both the raster and the text, which
// fill through it (the text its background boxes and underlines), so neither
// of the two depends on the other for it.
#include <algorithm>
#include <cstring>

#include "platform/state.h"

namespace plat {

void AllocateSurface(Surface& s, int width, int height) {
  s.width = std::max(width, 0);
  s.height = std::max(height, 0);
  s.storage.assign(static_cast<size_t>(s.width) * static_cast<size_t>(s.height), 0u);
  s.base = s.storage.data();
  s.rowStep = s.width;
}

void ResizeSurface(Surface& s, int width, int height) {
  Surface n;
  AllocateSurface(n, width, height);
  for (int y = 0; y < std::min(s.height, n.height); ++y)
    std::memcpy(n.Row(y), s.Row(y), sizeof(uint32_t) * static_cast<size_t>(std::min(s.width, n.width)));
  s = std::move(n);
  s.base = s.storage.data();
}

// Fills the pixels x in [left, right), y in [top, bottom), clipped to the
// surface.  Corners in any order and at any distance are safe: a rectangle
// that is empty after clipping fills nothing.
void FillSurface(Surface& s, const RECT& r, uint32_t pixel) {
  long l = std::max<long>(r.left, 0), t = std::max<long>(r.top, 0);
  long rr = std::min<long>(r.right, s.width), b = std::min<long>(r.bottom, s.height);
  if (l >= rr || t >= b) return;
  for (long y = t; y < b; ++y) {
    uint32_t* row = s.Row(static_cast<int>(y));
    std::fill(row + l, row + rr, pixel);
  }
}

}  // namespace plat
