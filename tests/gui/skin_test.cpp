// Skins: placement of the 36 pictures in the store, "colours.dat" and
// "metrics.dat" changing what is drawn.
#include <filesystem>

#include "gui_fixture.h"
#include "images/IvxFiles.h"

namespace guitest {
namespace {

using namespace veltogui;
using veltounit::MakeColour;

class Skins : public GuiTest {
 protected:
  ivxfiles::IVX_INFO Entry(const std::string& name) {
    const int at = ivxfiles::LocatePicture(name);
    EXPECT_NE(0, at) << name;
    return ivxfiles::PictureEntry(at);
  }
};

TEST_F(Skins, PicturesAreLoadedInOrderSideBySide) {
  StartWithSkin();
  // Origins: x + 1 where x starts at 1 and moves by the width + 2.
  EXPECT_EQ(2, Entry("guiuppercase").x1);
  EXPECT_EQ(2, Entry("guiuppercase").y1);
  EXPECT_EQ(14, Entry("guilowercase").x1);
  EXPECT_EQ(26, Entry("guicontrol").x1);
  EXPECT_EQ(26 + 24 + 2, Entry("wnddn").x1);
  // The program's own pictures start below the skin (one row 24 high).
  EXPECT_EQ(1, ivxfiles::LoadOriginX());
  EXPECT_EQ(1 + 24 + 1, ivxfiles::LoadOriginY());
  // The olive is see-through from now on.
  EXPECT_TRUE(ivxfiles::TransparencyOn());
  EXPECT_EQ(MakeColour(123, 123, 0), ivxfiles::GetTransparentColour());
}

TEST_F(Skins, AFullRowContinuesOnTheNextOneAtXTwo) {
  namespace fs = std::filesystem;
  MakeSkin(root_ + "Resources", "skin1");
  // Every picture 200 x 30: ten fit in a row before x reaches 1821.
  for (const auto& entry : fs::recursive_directory_iterator(root_ + "Resources/skin1")) {
    if (entry.path().extension() == ".ivx") WriteIvx(entry.path().string(), 200, 30, 0x404040, 0x404040);
  }
  StartGui("");
  EXPECT_EQ(2 + 9 * 202, Entry("guiplus").x1);  // picture 10
  EXPECT_EQ(2, Entry("btns1").x1);              // picture 11 opens row 2
  EXPECT_EQ(1 + 32 + 1, Entry("btns1").y1);
  EXPECT_EQ(2, Entry("middleright").x1);  // picture 21 opens row 3
  EXPECT_EQ(1 + 64 + 1, Entry("upleft").y1);
  EXPECT_EQ(2, Entry("middle2left").x1);  // picture 31 opens row 4
  EXPECT_EQ(1 + 96 + 1, Entry("uk").y1);
  EXPECT_EQ(1 + 96 + 30 + 1, ivxfiles::LoadOriginY());
}

TEST_F(Skins, ColoursFileChangesTheCommandButtonCaption) {
  StartWithSkin("Nonsense(1,2,3)\nButton_Text(255,0,0)\nWindow_Title,255,255,0\n");
  EXPECT_EQ(MakeColour(255, 0, 0), GetSkinColour("BUTTON_TEXT"));
  EXPECT_EQ(MakeColour(255, 255, 0), GetSkinColour("window_title"));
  EXPECT_EQ(MakeColour(208, 219, 241), GetSkinColour("Window_Background"));
  CreateObject("go", "buttonc", "Go there", "", "", "", 20, 20, 0, 0);
  DrawObject(1);
  EXPECT_GT(CountPixels(20, 20, GetObjectX2("go"), 43, MakeColour(255, 0, 0)), 10);
  // Black is left only to the bevel, not to the caption.
  EXPECT_EQ(0, CountPixels(22, 22, GetObjectX2("go") - 2, 41, MakeColour(0, 0, 0)));
}

TEST_F(Skins, ColoursAreResetToTheDefaultsForEverySkin) {
  StartWithSkin("Button_Text(255,0,0)\n");
  EXPECT_EQ(MakeColour(255, 0, 0), GetSkinColour("Button_Text"));
  MakeSkin(root_ + "Resources", "plain");
  StartGui("plain");
  EXPECT_EQ(MakeColour(0, 0, 0), GetSkinColour("Button_Text"));
  EXPECT_EQ(MakeColour(255, 230, 23), GetSkinColour("Button_Active_Text"));
  EXPECT_EQ(0u, GetSkinColour("No_Such_Key"));
}

TEST_F(Skins, ColourPartsThatAreNotBytesAreKeptInTheirChannel) {
  StartWithSkin("Textbox_In(abc,300,-4)\n");
  EXPECT_EQ(MakeColour(0, 255, 0), GetSkinColour("Textbox_In"));
}

int FrameRun(GuiTest* t, int x1, int y) {
  (void)t;
  // Width of the run of frame colour starting at the box's left edge.
  const COLORREF frame = veltogui::GetSkinColour("Textbox_Out");
  int left = x1 - 10;
  while (left < x1 + 10 && automation::WindowPixel(left, y) != frame) ++left;
  int right = left;
  while (automation::WindowPixel(right, y) == frame) ++right;
  return right - left;
}

TEST_F(Skins, MetricsFileSetsTheTextBoxFrameWidth) {
  StartWithSkin("", "Textbox_Size(4)\n");
  EXPECT_EQ(4, GetTextboxSize());
  veltounit::ClearWindowColour(0xFFFFFF);
  DrawTextBox("", 100, 100, 300, 0);
  const int wide = FrameRun(this, 100, 110);

  MakeSkin(root_ + "Resources", "thin");
  StartGui("thin");
  EXPECT_EQ(2, GetTextboxSize());
  veltounit::ClearWindowColour(0xFFFFFF);
  DrawTextBox("", 100, 100, 300, 0);
  const int thin = FrameRun(this, 100, 110);
  EXPECT_EQ(4, wide);
  EXPECT_EQ(2, thin);
}

TEST_F(Skins, MissingFilesLeaveTheDefaults) {
  StartWithSkin();
  EXPECT_EQ(2, GetTextboxSize());
  EXPECT_EQ(MakeColour(44, 0, 255), GetSkinColour("Textbox_Out"));
  EXPECT_EQ(MakeColour(255, 0, 0), GetSkinColour("Textbox_Suggestion"));
}

// A skin whose left edge picture is wider than the window that uses it: the
// body of the window is then an inverted rectangle.  Drawing it must not end
// the program.  (This waits for the raster to order a rectangle's corners;
// until then the fill runs outside the window's pixels.)
TEST_F(Skins, AnEdgePictureWiderThanItsWindowIsDrawnWithoutHarm) {
  MakeSkin(root_ + "Resources", "skin1");
  for (const char* edge : {"middleleft", "middle2left"}) {
    WriteIvx(root_ + "Resources/skin1/Window/" + edge + ".ivx", 300, 12, MakeColour(10, 20, 30),
             MakeColour(10, 20, 30));
  }
  StartGui("");
  CreateObject("w", "window", "Narrow", "", "", "", 20, 20, 140, 140);
  DrawAllObjects();
  // The oversized edge is drawn down the window's left side all the same.
  EXPECT_GT(CountPixels(21, 60, 140, 70, MakeColour(10, 20, 30)), 100);
}

}  // namespace
}  // namespace guitest
