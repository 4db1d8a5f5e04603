// Drawing of every object type in its states, checked by pixels.
#include "gui_fixture.h"
#include "gui/gui_state.h"
#include "images/IvxFiles.h"

namespace guitest {
namespace {

using namespace veltogui;
using veltounit::MakeColour;

const COLORREF kWhite = 0xFFFFFF;
const COLORREF kBlack = 0x000000;

class Drawing : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    StartWithSkin();
    veltounit::ClearWindowColour(MakeColour(10, 20, 30));
  }
};

TEST_F(Drawing, ButtonsAndCheckBoxesShowTheirStatePicture) {
  DrawButton("small", "2", 50, 50);
  EXPECT_EQ(SkinPictureColour("btns2"), automation::WindowPixel(55, 55));
  DrawCheckBox("SMALL", "3", 100, 50);
  EXPECT_EQ(SkinPictureColour("chks3"), automation::WindowPixel(105, 55));
  veltounit::SetTextCursor(0, 0);
  DrawButton("huge", "9", 150, 50);  // both messages, then "btns1"
  EXPECT_EQ(SkinPictureColour("btns1"), automation::WindowPixel(155, 55));
  EXPECT_GT(veltounit::TextCursorY(), 2 * veltounit::TextHeight("E"));
  DrawCheckBox("small", "", 200, 50);
  EXPECT_EQ(SkinPictureColour("chks1"), automation::WindowPixel(205, 55));
}

TEST_F(Drawing, PictureButtonsDrawBaseZeroOrOne) {
  // A program's own pictures: "go0" and "go1".
  WriteIvx(root_ + "go0.ivx", 12, 12, MakeColour(1, 200, 1), MakeColour(1, 200, 1));
  WriteIvx(root_ + "go1.ivx", 12, 12, MakeColour(200, 1, 1), MakeColour(200, 1, 1));
  ivxfiles::LoadIvxPicture("go0");
  ivxfiles::SetLoadOrigin(ivxfiles::LoadOriginX() + 20, ivxfiles::LoadOriginY());
  ivxfiles::LoadIvxPicture("go1");
  DrawIvxButton("1", "go", 10, 10);
  EXPECT_EQ(MakeColour(1, 200, 1), automation::WindowPixel(15, 15));
  DrawIvxButton("4", "go", 10, 10);
  EXPECT_EQ(MakeColour(200, 1, 1), automation::WindowPixel(15, 15));
  DrawIvxButton("7", "go", 40, 10);
  EXPECT_EQ(MakeColour(10, 20, 30), automation::WindowPixel(45, 15));
  // A picture the program never loaded draws nothing (not the last one drawn).
  DrawIvxButton("1", "never", 70, 10);
  EXPECT_EQ(MakeColour(10, 20, 30), automation::WindowPixel(75, 15));
}

TEST_F(Drawing, CommandButtonRaisedAndSunken) {
  DrawCommandButton("1", "OK", 100, 100, 160, 123);
  EXPECT_EQ(kWhite, automation::WindowPixel(100, 100));
  EXPECT_EQ(kWhite, automation::WindowPixel(130, 100));
  EXPECT_EQ(kBlack, automation::WindowPixel(160, 123));
  EXPECT_EQ(kBlack, automation::WindowPixel(130, 123));
  EXPECT_EQ(MakeColour(223, 223, 223), automation::WindowPixel(130, 101));
  EXPECT_EQ(MakeColour(128, 128, 128), automation::WindowPixel(130, 122));
  EXPECT_EQ(MakeColour(192, 192, 192), automation::WindowPixel(104, 104));
  EXPECT_GT(CountPixels(102, 102, 158, 121, kBlack), 5);  // caption in "Button_Text"

  DrawCommandButton("3", "OK", 100, 100, 160, 123);
  EXPECT_EQ(kBlack, automation::WindowPixel(130, 100));
  EXPECT_EQ(kBlack, automation::WindowPixel(100, 110));
  EXPECT_EQ(MakeColour(128, 128, 128), automation::WindowPixel(130, 101));
  EXPECT_NE(kBlack, automation::WindowPixel(130, 123));  // no dark lower edge

  DrawCommandButton("2", "OK", 100, 100, 160, 123);
  EXPECT_GT(CountPixels(102, 102, 158, 121, MakeColour(255, 230, 23)), 5);
  DrawCommandButton("4", "OK", 100, 100, 160, 123);
  EXPECT_GT(CountPixels(102, 102, 158, 121, MakeColour(255, 0, 0)), 5);
  EXPECT_EQ(0, CountPixels(102, 102, 158, 121, MakeColour(255, 230, 23)));
  EXPECT_EQ(kWhite, veltounit::GetTextColour());
}

TEST_F(Drawing, CommandButtonCaptionWiderThanTheButtonStartsAtTheLeftEdge) {
  DrawCommandButton("1", "WWWWWWWWWWWWWWWWWWWWWWWW", 100, 100, 144, 123);
  int leftmost = 1000;
  for (int x = 100; x <= 144 && leftmost == 1000; ++x) {
    for (int y = 103; y <= 120; ++y) {
      if (automation::WindowPixel(x, y) == kBlack) {
        leftmost = x;
        break;
      }
    }
  }
  EXPECT_LE(leftmost, 104);
}

TEST_F(Drawing, TextBoxShowsOnlyTheBeginningOfALongText) {
  const COLORREF text = GetSkinColour("Textbox_Text");
  const int th = veltounit::TextHeight("A");
  DrawTextBox(std::string(80, 'W'), 50, 50, 200, 0);
  EXPECT_EQ(GetSkinColour("Textbox_In"), automation::WindowPixel(60, 50 + th + 5));
  EXPECT_GT(CountPixels(54, 54, 150, 50 + th + 4, text), 20);
  // Nothing of the text within 5 pixels of the right edge, nor beyond it.
  EXPECT_EQ(0, CountPixels(195, 51, 260, 50 + th + 7, text));
  // A short text is shown whole.
  veltounit::ClearWindowColour(MakeColour(10, 20, 30));
  DrawTextBox("Hi", 50, 50, 200, 0);
  EXPECT_GT(CountPixels(54, 54, 54 + veltounit::TextWidth("Hi"), 50 + th + 4, text), 5);
}

TEST_F(Drawing, PasswordBoxShowsOneStarPerCharacterAndNeverTheText) {
  DrawPasswordBox("secret", 50, 50, 250, 0);
  std::vector<COLORREF> masked;
  for (int y = 50; y < 50 + veltounit::TextHeight("A") + 8; ++y)
    for (int x = 50; x < 250; ++x) masked.push_back(automation::WindowPixel(x, y));
  veltounit::ClearWindowColour(MakeColour(10, 20, 30));
  DrawTextBox("******", 50, 50, 250, 0);
  size_t same = 0, i = 0;
  for (int y = 50; y < 50 + veltounit::TextHeight("A") + 8; ++y)
    for (int x = 50; x < 250; ++x) same += (automation::WindowPixel(x, y) == masked[i++]);
  EXPECT_EQ(masked.size(), same);
  // Stars of a long password stay inside the box.
  veltounit::ClearWindowColour(MakeColour(10, 20, 30));
  DrawPasswordBox(std::string(200, 'x'), 50, 50, 150, 0);
  EXPECT_EQ(0, CountPixels(151, 50, 400, 80, GetSkinColour("Textbox_Text")));
}

TEST_F(Drawing, ProgressBarFillsToItsValueAndNoFurtherThanTheEnd) {
  const COLORREF red = MakeColour(255, 0, 0);
  const int y = 100 + 6;
  DrawProgressBar("50", 100, 100, 300, 0);
  EXPECT_EQ(red, automation::WindowPixel(110, y));
  EXPECT_EQ(red, automation::WindowPixel(195, y));
  EXPECT_NE(red, automation::WindowPixel(205, y));
  veltounit::ClearWindowColour(MakeColour(10, 20, 30));
  DrawProgressBar("150", 100, 100, 300, 0);
  const int full150 = CountPixels(100, 100, 300, 130, red);
  EXPECT_EQ(red, automation::WindowPixel(290, y));
  veltounit::ClearWindowColour(MakeColour(10, 20, 30));
  DrawProgressBar("100", 100, 100, 300, 0);
  EXPECT_GT(full150, 1000);
  // "150%" and "100%" differ in one digit only: the bars are alike.
  EXPECT_NEAR(full150, CountPixels(100, 100, 300, 130, red), 60);
  veltounit::ClearWindowColour(MakeColour(10, 20, 30));
  DrawProgressBar("abc", 100, 100, 300, 0);
  EXPECT_EQ(0, CountPixels(100, 100, 300, 130, red));
  EXPECT_EQ(kBlack, automation::WindowPixel(150, y));
}

TEST_F(Drawing, LabelsUseTheSharedLabelColour) {
  CreateObject("lab", "label", "Label text", "", "", "", 20, 20, 0, 0);
  DrawObject(1);
  EXPECT_GT(CountPixels(20, 20, GetObjectX2("lab"), GetObjectY2("lab"), kWhite), 10);
  SetObjectTextColour(MakeColour(0, 255, 0), "COMMENT");
  SetObjectTextColour(MakeColour(9, 9, 9), "BUTTON");  // ignored
  veltounit::ClearWindowColour(MakeColour(10, 20, 30));
  DrawObject(1);
  EXPECT_GT(CountPixels(20, 20, GetObjectX2("lab"), GetObjectY2("lab"), MakeColour(0, 255, 0)), 10);
  EXPECT_EQ(0, CountPixels(20, 20, GetObjectX2("lab"), GetObjectY2("lab"), MakeColour(9, 9, 9)));
  ResetObjects(0);
  CreateObject("lab", "comment", "Label text", "", "", "", 20, 20, 0, 0);
  veltounit::ClearWindowColour(MakeColour(10, 20, 30));
  DrawObject(1);
  EXPECT_GT(CountPixels(20, 20, GetObjectX2("lab"), GetObjectY2("lab"), kWhite), 10);
}

TEST_F(Drawing, IconShowsItsPictureOverItsCaption) {
  CreateObject("ic", "icon", "Flag(uk)", "", "", "", 100, 100, 0, 0);
  DrawObject(1);
  const int tw = veltounit::TextWidth(" Flag ");
  const int px = 100 + (tw - 19) / 2;
  EXPECT_EQ(SkinPictureColour("uk"), automation::WindowPixel(px + 3, 103));
  const int strip = 100 + 11 + 5;
  EXPECT_EQ(MakeColour(208, 219, 241), automation::WindowPixel(101, strip + 1));
  EXPECT_GT(CountPixels(100, strip, 100 + tw, strip + veltounit::TextHeight("A"), kBlack), 5);
}

TEST_F(Drawing, ActiveAndInactiveWindowFrames) {
  CreateObject("win", "window", "My window", "", "", "", 20, 20, 320, 220);
  DrawObject(1);  // not the active window
  EXPECT_EQ(SkinPictureColour("up2left"), automation::WindowPixel(22, 22));
  EXPECT_EQ(SkinPictureColour("up2middle"), automation::WindowPixel(20 + 9 + 2, 21));
  EXPECT_EQ(SkinPictureColour("middle2left"), automation::WindowPixel(22, 60));
  EXPECT_EQ(GetSkinColour("Window_Background"), automation::WindowPixel(150, 120));
  // The close button's picture lies under the close area.
  const int ex = (GetObjectX1("wnd_exit") + GetObjectX2("wnd_exit")) / 2;
  const int ey = (GetObjectY1("wnd_exit") + GetObjectY2("wnd_exit")) / 2;
  EXPECT_EQ(SkinPictureColour("btnexit"), automation::WindowPixel(ex, ey));
  // The frame holds whole tiles: its right end is at most the window's.
  const WindowFrameLayout f = LayoutWindowFrame(0, 300, 200);
  EXPECT_LE(f.fw, 300);
  EXPECT_GT(f.fw, 300 - 7);
  EXPECT_EQ(SkinPictureColour("upright"), automation::WindowPixel(20 + f.fw - 3, 22));
  EXPECT_EQ(SkinPictureColour("downright"), automation::WindowPixel(20 + f.fw - 3, 20 + f.fh - 2));
  EXPECT_EQ(SkinPictureColour("middleright"), automation::WindowPixel(20 + f.fw - 3, 120));

  veltounit::ClearWindowColour(MakeColour(10, 20, 30));
  ActivateObjectByName("win");
  HandleGuiEvents();  // the keyboard click activates the window
  EXPECT_EQ("win", GetActiveWindowName());
  EXPECT_EQ(SkinPictureColour("upleft"), automation::WindowPixel(22, 22));
  EXPECT_EQ(SkinPictureColour("upmiddle"), automation::WindowPixel(20 + 9 + 2, 21));
}

TEST_F(Drawing, ALongTitleIsCutWithTwoDots) {
  veltogui::ResetObjects(0);
  const std::string title(100, 'M');
  DrawWindowFrame(title, 1, 10, 10, 200, 100);
  // Title text in "Window_Title" never reaches the title buttons.
  const int buttons = 10 + 9 + ((200 - 9 - 9 - 9 - 8 * 9) / 7) * 7 + 9;
  EXPECT_GT(CountPixels(19, 10, buttons, 33, kWhite), 20);
  EXPECT_EQ(0, CountPixels(buttons + 40, 10, 400, 33, kWhite));
}

TEST_F(Drawing, FocusMarkIsADottedYellowRectangle) {
  CreateObject("b", "button", "1", "", "", "", 50, 50, 0, 0);
  DrawFocusMark();
  const COLORREF mark = MakeColour(255, 255, 50);
  EXPECT_EQ(mark, automation::WindowPixel(51, 50));
  EXPECT_EQ(mark, automation::WindowPixel(52, 68));  // even x: one row above Y2
  EXPECT_EQ(mark, automation::WindowPixel(50, 51));
  EXPECT_EQ(mark, automation::WindowPixel(68, 52));
}

TEST_F(Drawing, StatusDotAndLanguageFlag) {
  ShowStatusDot(MakeColour(0, 255, 0));
  EXPECT_EQ(MakeColour(0, 255, 0), automation::WindowPixel(kWidth - 5, kHeight - 5));
  EXPECT_EQ(MakeColour(0, 255, 0), automation::WindowPixel(kWidth - 6, kHeight - 6));
  EXPECT_NE(MakeColour(0, 255, 0), automation::WindowPixel(kWidth - 7, kHeight - 6));
  ShowLanguageFlag("greek");
  EXPECT_EQ(SkinPictureColour("gr"), automation::WindowPixel(kWidth - 35, kHeight - 15));
  ShowLanguageFlag("English");
  EXPECT_EQ(SkinPictureColour("uk"), automation::WindowPixel(kWidth - 35, kHeight - 15));
  ShowLanguageFlag("klingon");
  EXPECT_EQ(SkinPictureColour("uk"), automation::WindowPixel(kWidth - 35, kHeight - 15));
}

TEST_F(Drawing, DrawAllPaintsLaterObjectsOverEarlierOnes) {
  CreateObject("under", "button", "1", "", "", "", 50, 50, 0, 0);
  CreateObject("over", "checkbox", "3", "", "", "", 55, 55, 0, 0);
  DrawAllObjects();
  EXPECT_EQ(SkinPictureColour("btns1"), automation::WindowPixel(51, 51));
  EXPECT_EQ(SkinPictureColour("chks3"), automation::WindowPixel(58, 58));
  veltounit::SetTextCursor(0, 0);
  DrawObjectByName("nobody");
  EXPECT_GT(veltounit::TextCursorY(), 0);
}

}  // namespace
}  // namespace guitest
