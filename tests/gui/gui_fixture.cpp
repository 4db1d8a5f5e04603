#include "gui_fixture.h"

#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "images/IvxFiles.h"

namespace guitest {

using veltounit::Colour;
using veltounit::MakeColour;

std::vector<int> g_endCodes;

namespace {

void RecordEnd(int code) { g_endCodes.push_back(code); }

struct SkinPicture {
  const char* name;
  int w, h;
  bool window;  // lives in the "Window" sub-folder
};

// Sizes chosen so that a window frame tiles visibly and every picture can be
// told apart by its colour.
const std::array<SkinPicture, 36> kPictures = {{
    {"guiuppercase", 10, 10, false}, {"guilowercase", 10, 10, false},
    {"guicontrol", 24, 12, false},   {"wnddn", 10, 10, false},
    {"wndup", 10, 10, false},        {"wndlt", 10, 10, false},
    {"wndrt", 10, 10, false},        {"guishift", 24, 12, false},
    {"guialt", 24, 12, false},       {"guiplus", 8, 12, false},
    {"btns1", 20, 20, false},        {"btns2", 20, 20, false},
    {"btns3", 20, 20, false},        {"chks1", 13, 13, false},
    {"chks2", 13, 13, false},        {"chks3", 13, 13, false},
    {"downleft", 10, 6, true},       {"downmiddle", 8, 6, true},
    {"downright", 10, 6, true},      {"middleleft", 6, 8, true},
    {"middleright", 6, 8, true},     {"upleft", 10, 24, true},
    {"upmiddle2", 8, 24, true},      {"upmiddle", 8, 24, true},
    {"upright", 10, 24, true},       {"uptransection", 10, 24, true},
    {"btnminimize", 16, 16, true},   {"btnmaximize", 16, 16, true},
    {"btnexit", 16, 16, true},       {"up2middle", 8, 24, true},
    {"middle2left", 6, 8, true},     {"up2transection", 10, 24, true},
    {"down2left", 10, 6, true},      {"up2left", 10, 24, true},
    {"gr", 20, 12, false},           {"uk", 20, 12, false},
}};

}  // namespace

Colour SkinPictureColour(const std::string& name) {
  for (size_t k = 0; k < kPictures.size(); ++k) {
    if (name == kPictures[k].name) {
      const int i = static_cast<int>(k) + 1;
      return MakeColour(20 + 6 * i, 230 - 5 * i, 40 + 5 * i);
    }
  }
  return 0;
}

void WriteText(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
}

void WriteIvx(const std::string& path, int w, int h, Colour fill, Colour border) {
  std::string text = "*=ivx1*[BK(" + std::to_string(fill & 0xFF) + "," + std::to_string((fill >> 8) & 0xFF) + "," +
                     std::to_string((fill >> 16) & 0xFF) + ")][LENGTH(" + std::to_string(w) + ")][WIDTH(" +
                     std::to_string(h) + ")]&";
  if (border != fill) {
    text += "c" + std::to_string(border & 0xFF) + "," + std::to_string((border >> 8) & 0xFF) + "," +
            std::to_string((border >> 16) & 0xFF);
    for (int x = 1; x <= w; ++x)
      text += "p" + std::to_string(x) + ",1p" + std::to_string(x) + "," + std::to_string(h);
    for (int y = 1; y <= h; ++y)
      text += "p1," + std::to_string(y) + "p" + std::to_string(w) + "," + std::to_string(y);
  }
  text += "}";
  WriteText(path, text);
}

void MakeSkin(const std::string& resources, const std::string& skin, const std::string& colours,
              const std::string& metrics) {
  namespace fs = std::filesystem;
  const std::string folder = resources + "/" + skin;
  fs::create_directories(folder + "/Window");
  fs::create_directories(resources + "/Pointers");
  for (const SkinPicture& p : kPictures) {
    const std::string path = folder + (p.window ? "/Window/" : "/") + p.name + ".ivx";
    WriteIvx(path, p.w, p.h, SkinPictureColour(p.name), SkinPictureColour(p.name));
  }
  if (!colours.empty()) WriteText(folder + "/colours.dat", colours);
  if (!metrics.empty()) WriteText(folder + "/metrics.dat", metrics);
}

void GuiTest::SetUp() {
  char templ[] = "/tmp/veltogui_test_XXXXXX";
  ASSERT_NE(nullptr, mkdtemp(templ));
  root_ = std::string(templ) + "/";
  char cwd[4096];
  ASSERT_NE(nullptr, getcwd(cwd, sizeof cwd));
  previousFolder_ = cwd;
  ASSERT_EQ(0, chdir(root_.c_str()));

  automation::Reset();
  automation::SetHeadless(true);
  automation::SetVirtualTime(true);
  automation::SetScreenSize(1024, 768);
  automation::SetCommandRunner([](const automation::CommandRequest&) { return 0L; });
  g_endCodes.clear();
  veltounit::SetProcessEndHook(RecordEnd);
  veltogui::SetGuiEndHook(RecordEnd);
  ASSERT_EQ(1, veltounit::CreateMainWindow("VeltoGUI test", kWidth, kHeight, 0));
  veltounit::SetKeyboardLanguage("english");
  veltounit::SetTextMode("TRANSPARENT");
  veltogui::ResetObjects(1);
  veltogui::SetAdvancedTextMode(true);
  veltogui::SetScreenSaverDelay(300000);
  for (int n = 1; n <= 5; ++n) veltogui::SetGuiSetting(n, std::array<int, 6>{0, 2, 10, 220, 10, 3}[n]);
  Passes();
}

void GuiTest::TearDown() {
  veltogui::SetGuiEndHook(nullptr);
  veltounit::SetProcessEndHook(nullptr);
  automation::SetCommandRunner(nullptr);
  automation::SetIdleHandler(nullptr);
  if (!previousFolder_.empty()) (void)chdir(previousFolder_.c_str());
  std::error_code ignored;
  std::filesystem::remove_all(root_, ignored);
}

void GuiTest::StartWithSkin(const std::string& colours, const std::string& metrics) {
  MakeSkin(root_ + "Resources", "skin1", colours, metrics);
  ASSERT_EQ("skin1", veltogui::StartGui(""));
  ASSERT_TRUE(g_endCodes.empty());
}

void GuiTest::Passes(int n) {
  for (int i = 0; i < n && automation::PendingMessages() > 0; ++i) veltogui::HandleGuiEvents();
  veltogui::HandleGuiEvents();
}

void GuiTest::MoveTo(int x, int y) {
  automation::MoveMouse(x, y);
  Passes();
}

void GuiTest::ClickAt(int x, int y, int button) {
  MoveTo(x, y);
  automation::PressButton(button);
  Passes();
  automation::ReleaseButton(button);
  Passes();
}

void GuiTest::Key(int virtualKey) {
  automation::TapKey(virtualKey);
  Passes();
}

int GuiTest::CountPixels(int x1, int y1, int x2, int y2, Colour colour) {
  int n = 0;
  for (int y = y1; y <= y2; ++y) {
    for (int x = x1; x <= x2; ++x) {
      if (automation::WindowPixel(x, y) == colour) ++n;
    }
  }
  return n;
}

}  // namespace guitest
