// Fuzzing entry for the raster: the input is read as a list of drawing calls
// with their arguments, made on a small headless window and a memory DC.  Any
// write outside a surface shows up under AddressSanitizer; any arithmetic
// overflow under UndefinedBehaviorSanitizer.  Arguments lean towards the
// window's own range, its edges and the ends of the 32-bit range, where
// clipping mistakes live.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/automation.h"
#include "platform/win32.h"

namespace {

constexpr int kWidth = 64;
constexpr int kHeight = 48;

struct Reader {
  const uint8_t* data;
  size_t size;
  size_t at = 0;
  bool Done() const { return at >= size; }
  uint8_t Byte() { return at < size ? data[at++] : 0; }
  uint32_t Word() {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v = (v << 8) | Byte();
    return v;
  }
  // A coordinate or size: mostly near the window, sometimes at an edge of the
  // 32-bit range, sometimes any value at all.
  int Int() {
    uint8_t b = Byte();
    if (b < 160) return static_cast<int>(b) - 48;
    switch (b % 12) {
      case 0: return INT32_MIN;
      case 1: return INT32_MAX;
      case 2: return INT32_MIN / 2;
      case 3: return INT32_MAX / 2;
      case 4: return kWidth;
      case 5: return kHeight;
      case 6: return -1;
      case 7: return INT32_MAX - 1;
      case 8: return INT32_MIN + 1;
      default: return static_cast<int>(Word());
    }
  }
};

struct Scene {
  HWND hwnd = nullptr;
  HDC window = nullptr;
  HDC memory = nullptr;
};

Scene& SetUp() {
  static Scene scene;
  if (scene.hwnd != nullptr) return scene;
  automation::SetHeadless(true);
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = DefWindowProcA;
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  wc.lpszClassName = "RasterFuzz";
  RegisterClassExA(&wc);
  scene.hwnd = CreateWindowExA(0, "RasterFuzz", "RasterFuzz", WS_POPUP | WS_VISIBLE, 0, 0, kWidth, kHeight, nullptr,
                               nullptr, nullptr, nullptr);
  scene.window = GetDC(scene.hwnd);
  scene.memory = CreateCompatibleDC(scene.window);
  return scene;
}

HDC PickDc(Reader& in, const Scene& s) { return (in.Byte() & 1) ? s.memory : s.window; }

HBRUSH PickBrush(Reader& in, std::vector<HGDIOBJ>& made) {
  switch (in.Byte() % 5) {
    case 0: return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    case 1: return static_cast<HBRUSH>(GetStockObject(DC_BRUSH));
    case 2: return reinterpret_cast<HBRUSH>(static_cast<uintptr_t>(in.Byte() % 40));  // COLOR_xxx + 1
    default: {
      HBRUSH b = CreateSolidBrush(in.Word());
      made.push_back(b);
      return b;
    }
  }
}

const DWORD kRops[] = {SRCCOPY, NOTSRCCOPY, SRCPAINT,  SRCAND,    SRCINVERT, SRCERASE,
                       PATCOPY, PATINVERT,  DSTINVERT, BLACKNESS, WHITENESS, 0x12345678};
const char* const kFaces[] = {"Arial", "Liberation Sans", "DejaVu Sans", "", "No Such Face"};

void OneCall(Reader& in, Scene& s, std::vector<HGDIOBJ>& made) {
  HDC dc = PickDc(in, s);
  switch (in.Byte() % 20) {
    case 0: {
      RECT r{in.Int(), in.Int(), in.Int(), in.Int()};
      FillRect(dc, &r, PickBrush(in, made));
      break;
    }
    case 1: {
      RECT r{in.Int(), in.Int(), in.Int(), in.Int()};
      FrameRect(dc, &r, PickBrush(in, made));
      break;
    }
    case 2: Rectangle(dc, in.Int(), in.Int(), in.Int(), in.Int()); break;
    case 3: Ellipse(dc, in.Int(), in.Int(), in.Int(), in.Int()); break;
    case 4: {
      int v[8];
      for (int& x : v) x = in.Int();
      Arc(dc, v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7]);
      break;
    }
    case 5: {
      int x1 = in.Int(), y1 = in.Int(), x2 = in.Int(), y2 = in.Int();
      MoveToEx(dc, x1, y1, nullptr);
      LineTo(dc, x2, y2);
      break;
    }
    case 6: {
      int style = (in.Byte() & 1) ? PS_SOLID : static_cast<int>(in.Byte()) - 2;
      int width = (in.Byte() & 1) ? in.Int() : in.Byte() % 12;
      HPEN pen = CreatePen(style, width, in.Word());
      if (pen) made.push_back(pen);
      if (pen) SelectObject(dc, pen);
      else SelectObject(dc, GetStockObject(in.Byte() % 20));
      break;
    }
    case 7: {
      int x = in.Int(), y = in.Int();
      SetPixel(dc, x, y, in.Word());
      GetPixel(dc, in.Int(), in.Int());
      break;
    }
    case 8: {
      HBRUSH b = PickBrush(in, made);
      SelectObject(dc, b);
      PatBlt(dc, in.Int(), in.Int(), in.Int(), in.Int(), kRops[in.Byte() % 12]);
      break;
    }
    case 9: {
      HDC from = PickDc(in, s);
      int v[6];
      for (int& x : v) x = in.Int();
      BitBlt(dc, v[0], v[1], v[2], v[3], from, v[4], v[5], kRops[in.Byte() % 12]);
      break;
    }
    case 10:
      SetROP2(dc, static_cast<int>(in.Byte()) - 2);
      SetBkMode(dc, in.Byte() % 4);
      SetTextAlign(dc, in.Word());
      SetDCBrushColor(dc, in.Word());
      SetDCPenColor(dc, in.Word());
      SetTextColor(dc, in.Word());
      SetBkColor(dc, in.Word());
      break;
    case 11:
    case 12: {
      char text[24];
      int length = in.Byte() % 24;
      for (int i = 0; i < length; ++i) text[i] = static_cast<char>(in.Byte());
      int x = in.Int(), y = in.Int();
      if (in.Byte() & 1) {
        TextOutA(dc, x, y, text, length);
      } else {
        SIZE size;
        GetTextExtentPoint32A(dc, text, length, &size);
      }
      break;
    }
    case 13: {
      // Font heights stay within what a caller could mean: a face rendered
      // at millions of pixels is a memory test, not a clipping one.
      int height = (in.Byte() & 1) ? in.Int() % 400 : static_cast<int>(in.Byte()) - 128;
      int escapement = in.Int();
      int weight = in.Int();
      DWORD italic = in.Byte() & 1, underline = in.Byte() & 1, strike = in.Byte() & 1;
      DWORD charset = in.Byte();
      HFONT f = CreateFontA(height, in.Int() % 200, escapement, escapement, weight, italic, underline, strike,
                            charset, 0, 0, in.Byte() % 6, 0, kFaces[in.Byte() % 5]);
      if (f) {
        made.push_back(f);
        SelectObject(dc, f);
        TEXTMETRICA tm;
        GetTextMetricsA(dc, &tm);
      }
      break;
    }
    case 14: {
      int w = in.Int() % 300, h = in.Int() % 300;
      HBITMAP b = CreateCompatibleBitmap(s.window, w, h);
      if (b) {
        made.push_back(b);
        SelectObject(s.memory, b);
      }
      break;
    }
    case 15: {
      BITMAPINFO info{};
      info.bmiHeader.biSize = sizeof info.bmiHeader;
      info.bmiHeader.biWidth = in.Int() % 100;
      info.bmiHeader.biHeight = in.Int() % 100;
      info.bmiHeader.biPlanes = 1;
      info.bmiHeader.biBitCount = (in.Byte() & 1) ? 32 : 24;
      info.bmiHeader.biCompression = BI_RGB;
      void* bits = nullptr;
      HBITMAP b = CreateDIBSection(s.window, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
      if (b) {
        made.push_back(b);
        SelectObject(s.memory, b);
      }
      break;
    }
    case 16: {
      // A DIB round trip through whatever bitmap the memory DC holds, with a
      // buffer as large as the header the caller passes says it must be.
      HBITMAP b = static_cast<HBITMAP>(GetCurrentObject(s.memory, OBJ_BITMAP));
      BITMAPINFO info{};
      info.bmiHeader.biSize = sizeof info.bmiHeader;
      long w = in.Byte() % 90 + 1, h = in.Byte() % 90 + 1;
      info.bmiHeader.biWidth = static_cast<LONG>(w);
      info.bmiHeader.biHeight = (in.Byte() & 1) ? static_cast<LONG>(h) : -static_cast<LONG>(h);
      info.bmiHeader.biPlanes = 1;
      info.bmiHeader.biBitCount = (in.Byte() & 1) ? 32 : 24;
      info.bmiHeader.biCompression = BI_RGB;
      UINT start = in.Byte() % 100, lines = in.Byte() % 100;
      size_t rowBytes = ((static_cast<size_t>(w) * info.bmiHeader.biBitCount + 31) / 32) * 4;
      std::vector<uint8_t> buffer(rowBytes * lines + 1);
      if (in.Byte() & 1) GetDIBits(s.memory, b, start, lines, buffer.data(), &info, DIB_RGB_COLORS);
      else SetDIBits(s.memory, b, start, lines, buffer.data(), &info, DIB_RGB_COLORS);
      break;
    }
    case 17: PaintDesktop(dc); break;
    case 18: {
      RECT r{in.Int(), in.Int(), in.Int(), in.Int()};
      InvalidateRect(s.hwnd, (in.Byte() & 1) ? &r : nullptr, TRUE);
      UpdateWindow(s.hwnd);
      break;
    }
    default: {
      HDC to = PickDc(in, s);
      RECT r{in.Int(), in.Int(), in.Int(), in.Int()};
      FillRect(to, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
      break;
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Scene& s = SetUp();
  Reader in{data, size};
  std::vector<HGDIOBJ> made;
  for (int calls = 0; calls < 64 && !in.Done(); ++calls) OneCall(in, s, made);
  // Back to stock objects so everything made here can go.
  SelectObject(s.window, GetStockObject(BLACK_PEN));
  SelectObject(s.window, GetStockObject(WHITE_BRUSH));
  SelectObject(s.window, GetStockObject(SYSTEM_FONT));
  SelectObject(s.memory, GetStockObject(BLACK_PEN));
  SelectObject(s.memory, GetStockObject(WHITE_BRUSH));
  SelectObject(s.memory, GetStockObject(SYSTEM_FONT));
  SelectObject(s.memory, CreateCompatibleBitmap(s.window, 0, 0));  // the stock 1 x 1 bitmap
  for (HGDIOBJ o : made) DeleteObject(o);
  return 0;
}
