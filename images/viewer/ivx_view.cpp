// ivx-view: loads one picture file the library reads (.ivx, .bmp, .rle, .ico,
// .cur, .jpg, .jpeg) and shows it in the window; with --png it saves the
// window as a PNG file, with --dump it writes the picture's cells as raw
// bytes, both without needing a display.
//
//   ivx-view picture.bmp
//   ivx-view picture.ivx --png out.png
//   ivx-view picture.ico --dump out.rgb
//
// The dump holds width x height cells, rows from the top, three bytes (red,
// green, blue) each; the size is the "W x H" printed on standard output.
//
// A file the library refuses prints the text of each box it showed on the
// error stream and ends with status 1, with a display or without one; a
// picture that was read ends with 0 (a JPEG too large for the store is read in
// part, under a warning, and counts as read).  Usage errors end with 2.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "gfx/veltounit.h"
#include "images/IvxFiles.h"
#if !defined(_WIN32)
#include "platform/automation.h"
#endif

namespace {

struct Box {
  std::string caption;
  std::string text;
};

// The one box the library shows for a picture it still loads: the partial
// load of a picture larger than the room left in the store.
bool IsWarning(const Box& box) { return box.caption == "IvxFiles"; }

bool WriteDump(const std::string& path, const std::string& name, int width, int height) {
  const int x1 = ivxfiles::PictureMetric(name, "X");
  const int y1 = ivxfiles::PictureMetric(name, "Y");
  std::vector<unsigned char> bytes;
  bytes.reserve(static_cast<size_t>(width) * static_cast<size_t>(height) * 3);
  for (int y = 1; y <= height; ++y) {
    for (int x = 1; x <= width; ++x) {
      const ivxfiles::Colour c = ivxfiles::StoreCell(x1 + x, y1 + y);
      bytes.push_back(static_cast<unsigned char>(c & 0xFF));
      bytes.push_back(static_cast<unsigned char>((c >> 8) & 0xFF));
      bytes.push_back(static_cast<unsigned char>((c >> 16) & 0xFF));
    }
  }
  std::FILE* out = std::fopen(path.c_str(), "wb");
  if (out == nullptr) return false;
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
  return std::fclose(out) == 0 && ok;
}

int Usage() {
  std::fprintf(stderr, "usage: ivx-view FILE [--png OUT.png] [--dump OUT.rgb]\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc % 2 != 0) return Usage();
  std::string png;
  std::string dump;
  for (int i = 2; i + 1 < argc; i += 2) {
    const std::string option = argv[i];
    const std::string value = std::filesystem::absolute(argv[i + 1]).string();
    if (option == "--png") png = value;
    else if (option == "--dump") dump = value;
    else return Usage();
  }
  const std::filesystem::path file = std::filesystem::absolute(argv[1]);
  bool headless = !png.empty() || !dump.empty();
#if !defined(_WIN32)
  if (headless) automation::SetHeadless(true);
  headless = automation::IsHeadless();
#endif
  // Every box of the library is recorded; with a display it is shown as well.
  std::vector<Box> boxes;
  ivxfiles::SetBoxHandler([&boxes, headless](const std::string& caption, const std::string& text, unsigned style) {
    boxes.push_back({caption, text});
    if (!headless) MessageBoxA(nullptr, text.c_str(), caption.c_str(), style);
  });
  // The IVX loader reads from the current folder, so work beside the file.
  std::filesystem::current_path(file.parent_path());
  const std::string fileName = file.filename().string();
  const std::string name = file.stem().string();

  veltounit::CreateMainWindow("ivx-view " + fileName, 640, 480, 1);
  ivxfiles::SetLoadOrigin(0, 0);
  ivxfiles::LoadPicture(fileName);
  bool refused = ivxfiles::LocatePicture(name) == 0;
  for (const Box& box : boxes) {
    std::fprintf(stderr, "ivx-view: %s: %s\n", box.caption.c_str(), box.text.c_str());
    if (!IsWarning(box)) refused = true;
  }
  if (refused) {
    if (boxes.empty()) std::fprintf(stderr, "ivx-view: %s was not loaded\n", fileName.c_str());
    // Closing the window ends the program (with status 0): it is left to the
    // system here and below whenever the status is not 0.
    return 1;
  }
  const int width = ivxfiles::PictureMetric(name, "SIZEX") + 1;
  const int height = ivxfiles::PictureMetric(name, "SIZEY") + 1;
  std::printf("%s: %d x %d\n", fileName.c_str(), width, height);
  int status = 0;
  if (!dump.empty() && !WriteDump(dump, name, width, height)) {
    std::fprintf(stderr, "ivx-view: cannot write %s\n", dump.c_str());
    status = 1;
  }
  veltounit::ClearWindowColour(veltounit::MakeColour(64, 64, 64));
  ivxfiles::DrawPicture(name, -1, -1);  // the first cell on window pixel (0, 0)
#if !defined(_WIN32)
  if (!png.empty() && !automation::SaveWindowPng(png)) {
    std::fprintf(stderr, "ivx-view: cannot write %s\n", png.c_str());
    status = 1;
  }
#endif
  if (status != 0 || headless) return status;
  veltounit::WaitForKey();
  veltounit::CloseMainWindow();
  return 0;
}
