// The idle screen saver: the "varnix" logo jumping over a black window until
// the mouse moves or a key is pressed.
#include <random>

#include "gfx/veltounit.h"
#include "gui/gui_state.h"
#include "images/IvxFiles.h"
#include "platform/win32.h"

namespace veltogui {

namespace {

constexpr int32_t kStepMs = 130;
constexpr int32_t kStepsPerJump = 100;

std::string CurrentFolderText() {
  char buffer[4096] = {0};
  const DWORD n = GetCurrentDirectoryA(sizeof buffer, buffer);
  if (n == 0 || n >= sizeof buffer) return "";
  return std::string(buffer, n);
}

}  // namespace

void RunScreenSaver() {
  GuiState& g = Gui();
  veltounit::SaveScreen();
  const std::string folder = CurrentFolderText();
  SetCurrentDirectoryA(g.resourcesFolder.c_str());

  const int32_t originX = ivxfiles::LoadOriginX();
  const int32_t originY = ivxfiles::LoadOriginY();
  ivxfiles::SetLoadOrigin(originX + 300, originY + 200);
  veltounit::SetPointerFile("ARROW");
  ivxfiles::LoadIvxPicture("varnix");
  const int32_t logoW = PictureWidth("varnix");
  const int32_t logoH = PictureHeight("varnix");

  const int32_t mouseX = veltounit::GetMouseX();
  const int32_t mouseY = veltounit::GetMouseY();
  const int32_t width = veltounit::WindowWidth();
  const int32_t height = veltounit::WindowHeight();
  veltounit::SetMousePosition(width, height);
  const int32_t refX = veltounit::GetMouseX();
  const int32_t refY = veltounit::GetMouseY();

  veltounit::ClearWindow();
  std::mt19937 random(static_cast<uint32_t>(veltounit::GetTicks()));
  auto below = [&random](int32_t limit) {
    if (limit <= 0) return 0;
    return static_cast<int32_t>(random() % static_cast<uint32_t>(limit));
  };

  int32_t px = 0, py = 0;
  bool stop = false;
  while (!stop) {
    veltounit::FillRectangle(px, py, px + logoW + 2, py + logoH + 2, 0, 0);
    px = below(width - logoW);
    py = below(height - logoH);
    DrawStorePicture("varnix", px, py);
    for (int32_t step = 0; step < kStepsPerJump && !stop; ++step) {
      veltounit::Delay(kStepMs);
      if (veltounit::GetMouseX() != refX || veltounit::GetMouseY() != refY) stop = true;
      else {
        veltounit::ReadKey();
        if (veltounit::GetLastKeyCode() != 0) stop = true;
      }
    }
  }

  g.currentPointerFile.clear();
  ApplyCursor(CursorPath("ARROW"));
  veltounit::SetMousePosition(mouseX, mouseY);
  ivxfiles::DeletePicture("varnix");
  ivxfiles::SetLoadOrigin(originX, originY);
  SetCurrentDirectoryA(folder.c_str());
  veltounit::RestoreScreen();
}

}  // namespace veltogui
