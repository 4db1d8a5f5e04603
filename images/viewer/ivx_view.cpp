// ivx-view: loads one picture file the library reads (.ivx, .bmp, .ico, .cur,
// .jpg) and shows it in the window, or, with --png, saves the window as a PNG
// file without needing a display.
//
//   ivx-view picture.bmp
//   ivx-view picture.ivx --png out.png
#include <cstdio>
#include <filesystem>
#include <string>

#include "gfx/veltounit.h"
#include "images/IvxFiles.h"
#if !defined(_WIN32)
#include "platform/automation.h"
#endif

int main(int argc, char** argv) {
  if (argc != 2 && !(argc == 4 && std::string(argv[2]) == "--png")) {
    std::fprintf(stderr, "usage: ivx-view FILE [--png OUT.png]\n");
    return 2;
  }
  const std::filesystem::path file = std::filesystem::absolute(argv[1]);
  const std::string png = argc == 4 ? std::filesystem::absolute(argv[3]).string() : std::string();
#if !defined(_WIN32)
  if (!png.empty()) automation::SetHeadless(true);
#endif
  // The IVX loader reads from the current folder, so work beside the file.
  std::filesystem::current_path(file.parent_path());
  const std::string fileName = file.filename().string();
  const std::string name = file.stem().string();

  veltounit::CreateMainWindow("ivx-view " + fileName, 640, 480, 1);
  ivxfiles::SetLoadOrigin(0, 0);
  ivxfiles::LoadPicture(fileName);
  if (ivxfiles::LocatePicture(name) == 0) {
    std::fprintf(stderr, "ivx-view: %s was not loaded\n", fileName.c_str());
    return 1;
  }
  const int width = ivxfiles::PictureMetric(name, "SIZEX") + 1;
  const int height = ivxfiles::PictureMetric(name, "SIZEY") + 1;
  std::printf("%s: %d x %d\n", fileName.c_str(), width, height);
  veltounit::ClearWindowColour(veltounit::MakeColour(64, 64, 64));
  ivxfiles::DrawPicture(name, -1, -1);  // the first cell on window pixel (0, 0)
#if !defined(_WIN32)
  if (!png.empty()) return automation::SaveWindowPng(png) ? 0 : 1;
#endif
  veltounit::WaitForKey();
  veltounit::CloseMainWindow();
  return 0;
}
