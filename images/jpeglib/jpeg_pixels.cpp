// jpeg-pixels IN.jpg OUT.ppm: decodes a JPEG file with LoadJPEG and writes the
// bitmap's pixels, read back the way the picture library reads them (a memory
// context and GetPixel), as a binary PPM.  The same source runs on Linux and
// under Windows, so the two decoders' pictures can be compared pixel by pixel.
#include <cstdio>
#include <vector>

#include "images/jpeglib/LoadJPEG.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: jpeg-pixels IN.jpg OUT.ppm\n");
    return 2;
  }
  HBITMAP bitmap = LoadJPEG(argv[1]);
  if (bitmap == nullptr) {
    std::fprintf(stderr, "jpeg-pixels: cannot decode %s\n", argv[1]);
    return 1;
  }
  BITMAP info{};
  GetObjectA(bitmap, sizeof(info), &info);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bitmap);
  std::vector<unsigned char> rgb;
  rgb.reserve(static_cast<size_t>(info.bmWidth) * info.bmHeight * 3);
  for (int y = 0; y < info.bmHeight; ++y) {
    for (int x = 0; x < info.bmWidth; ++x) {
      const COLORREF c = GetPixel(dc, x, y);
      rgb.push_back(GetRValue(c));
      rgb.push_back(GetGValue(c));
      rgb.push_back(GetBValue(c));
    }
  }
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(bitmap);
  std::FILE* out = std::fopen(argv[2], "wb");
  if (out == nullptr) {
    std::fprintf(stderr, "jpeg-pixels: cannot write %s\n", argv[2]);
    return 1;
  }
  std::fprintf(out, "P6\n%d %d\n255\n", static_cast<int>(info.bmWidth), static_cast<int>(info.bmHeight));
  const bool written = std::fwrite(rgb.data(), 1, rgb.size(), out) == rgb.size();
  return std::fclose(out) == 0 && written ? 0 : 1;
}
