// Fuzzing entry for the skin loading path: one input is a whole skin folder.
// The input is cut at each byte 0x01 into parts: part 1 is "colours.dat",
// part 2 "metrics.dat", parts 3 to 38 the 36 skin pictures in loading order
// (parts 19 to 36 in the "Window" folder).  A part the input does not reach
// is a file that does not exist; an input that ends before the first "Window"
// picture has no "Window" folder at all.  The skin is loaded through
// StartGui and a window with a button, a check box and a text box is drawn
// with it.
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "gui/VeltoGUI.h"
#include "gui/fuzz/fuzz_common.h"
#include "images/IvxFiles.h"

namespace {
const char* const kPictures[36] = {
    "guiuppercase", "guilowercase",   "guicontrol",  "wnddn",       "wndup",     "wndlt",
    "wndrt",        "guishift",       "guialt",      "guiplus",     "btns1",     "btns2",
    "btns3",        "chks1",          "chks2",       "chks3",       "downleft",  "downmiddle",
    "downright",    "middleleft",     "middleright", "upleft",      "upmiddle2", "upmiddle",
    "upright",      "uptransection",  "btnminimize", "btnmaximize", "btnexit",   "up2middle",
    "middle2left",  "up2transection", "down2left",   "up2left",     "gr",        "uk"};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  guifuzz::Prepare();
  std::vector<std::string_view> parts;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  size_t from = 0;
  for (;;) {
    const size_t cut = input.find('\x01', from);
    parts.push_back(input.substr(from, cut == std::string_view::npos ? std::string_view::npos : cut - from));
    if (cut == std::string_view::npos || parts.size() == 38) break;
    from = cut + 1;
  }
  std::filesystem::remove_all("Resources");
  std::filesystem::create_directories("Resources/fuzzskin");
  if (parts.size() > 18) std::filesystem::create_directories("Resources/fuzzskin/Window");
  for (size_t i = 0; i < parts.size(); ++i) {
    std::string path;
    if (i == 0) {
      path = "colours.dat";
    } else if (i == 1) {
      path = "metrics.dat";
    } else {
      const size_t k = i - 1;  // picture 1..36
      path = std::string(k >= 17 && k <= 34 ? "Window/" : "") + kPictures[k - 1] + ".ivx";
    }
    guifuzz::WriteBytes("Resources/fuzzskin/" + path, parts[i]);
  }
  ivxfiles::SetLoadOrigin(0, 0);
  const std::string loaded = veltogui::StartGui("fuzzskin");
  if (std::filesystem::current_path().string() + "/" != guifuzz::Folder()) std::abort();
  if (!loaded.empty()) {
    veltogui::CreateObject("win", "window", "Fuzz", "", "", "", 20, 20, 400, 300);
    veltogui::CreateObject("b", "button", "2", "win", "", "", 40, 60, 0, 0);
    veltogui::CreateObject("c", "checkbox", "1", "win", "", "", 40, 100, 0, 0);
    veltogui::CreateObject("t", "textbox", "text", "win", "", "", 40, 140, 200, 170);
    veltogui::CreateObject("go", "buttonc", "1", "win", "", "", 40, 190, 160, 220);
    veltogui::DrawAllObjects();
    veltogui::ResetObjects(0);
  }
  return 0;
}
