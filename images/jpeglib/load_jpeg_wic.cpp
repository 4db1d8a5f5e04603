// LoadJPEG over the Windows Imaging Component, the JPEG decoder Windows
// carries.  The picture comes out as the libjpeg-turbo build gives it on other
// systems: a 32-bit top-down DIB section of blue, green, red and a spare byte.
#include "images/jpeglib/LoadJPEG.h"

#include <objbase.h>
#include <wincodec.h>

#include <string>

namespace {

constexpr UINT kMaxSide = 16384;
constexpr unsigned long long kMaxPixels = 32ull << 20;

// Releases a COM object when the scope ends.
template <class T>
struct Held {
  T* p = nullptr;
  ~Held() {
    if (p != nullptr) p->Release();
  }
  T** operator&() { return &p; }
  T* operator->() const { return p; }
};

// COM for this thread for the length of one call; a thread that already has
// COM (in any apartment) keeps it as it is.
struct ComScope {
  HRESULT result = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  ~ComScope() {
    if (SUCCEEDED(result)) CoUninitialize();
  }
};

// File names are 8-bit texts in the program's code page; WIC wants them wide.
std::wstring Wide(const char* path) {
  const int n = MultiByteToWideChar(CP_ACP, 0, path, -1, nullptr, 0);
  if (n <= 0) return {};
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_ACP, 0, path, -1, wide.data(), n);
  wide.resize(static_cast<size_t>(n - 1));
  return wide;
}

HBITMAP Decode(const std::wstring& path) {
  Held<IWICImagingFactory> factory;
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                              reinterpret_cast<void**>(&factory))))
    return nullptr;
  Held<IWICBitmapDecoder> decoder;
  if (FAILED(factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ, WICDecodeMetadataCacheOnDemand,
                                                &decoder)))
    return nullptr;
  // JpegLib decodes JPEG files only, as its counterpart elsewhere does.
  GUID container{};
  if (FAILED(decoder->GetContainerFormat(&container)) || container != GUID_ContainerFormatJpeg) return nullptr;
  Held<IWICBitmapFrameDecode> frame;
  if (FAILED(decoder->GetFrame(0, &frame))) return nullptr;
  UINT width = 0;
  UINT height = 0;
  if (FAILED(frame->GetSize(&width, &height)) || width == 0 || height == 0 || width > kMaxSide ||
      height > kMaxSide || static_cast<unsigned long long>(width) * height > kMaxPixels)
    return nullptr;
  Held<IWICFormatConverter> converter;
  if (FAILED(factory->CreateFormatConverter(&converter)) ||
      FAILED(converter->Initialize(frame.p, GUID_WICPixelFormat32bppBGR, WICBitmapDitherTypeNone, nullptr, 0.0,
                                   WICBitmapPaletteTypeCustom)))
    return nullptr;

  BITMAPINFO bmi{};
  bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bmi.bmiHeader.biWidth = static_cast<LONG>(width);
  bmi.bmiHeader.biHeight = -static_cast<LONG>(height);  // top-down
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 32;
  bmi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap == nullptr) return nullptr;
  const UINT stride = width * 4;
  if (bits == nullptr || FAILED(converter->CopyPixels(nullptr, stride, stride * height, static_cast<BYTE*>(bits)))) {
    DeleteObject(bitmap);
    return nullptr;
  }
  return bitmap;
}

}  // namespace

extern "C" HBITMAP LoadJPEG(const char* path) {
  if (path == nullptr) return nullptr;
  const std::wstring wide = Wide(path);
  if (wide.empty()) return nullptr;
  ComScope com;
  return Decode(wide);
}
