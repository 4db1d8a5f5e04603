// The whole game screen put together from the data the way the program draws
// it: the skin's window frame tiled over 499 x 499, the background picture,
// the grey frame, the board lines, both reserve stacks, pieces on points, a
// taken piece and the warning plate; and the splash with its text.  Both are
// saved as PNG pictures beside the test's build output for a person to look
// at, and checked where the pictures must land.
#include <cstdio>

#include "data_fixture.h"

namespace datatest {
namespace {

using veltounit::MakeColour;

int Size(const std::string& name, const char* word) { return ivxfiles::PictureMetric(name, word); }

// The toolkit's frame drawing.  The game's frame is drawn inactive: no
// window has been clicked when it is drawn.
// The body colour of a skin, from its "colours.dat".
veltounit::Colour SkinBackground(const std::string& skin) {
  const std::string text = ReadBytes(DataDir() / "Resources" / skin / "colours.dat");
  int r = 208, g = 219, b = 241;
  const size_t at = text.find("Window_Background(");
  if (at != std::string::npos) std::sscanf(text.c_str() + at, "Window_Background(%d,%d,%d)", &r, &g, &b);
  return MakeColour(r, g, b);
}

void DrawFrame(const std::string& title, int x, int y, int w, int h, bool active = false,
               veltounit::Colour body = SkinBackground("skin1")) {
  const std::string L = active ? "upleft" : "up2left", T = active ? "upmiddle" : "up2middle";
  const std::string X = active ? "uptransection" : "up2transection", ML = active ? "middleleft" : "middle2left";
  const std::string BL = active ? "downleft" : "down2left";
  const int strip = Size("upmiddle2", "SIZEX");
  const int b = (Size("btnminimize", "SIZEX") + Size("btnmaximize", "SIZEX") + Size("btnexit", "SIZEX")) / strip + 3;
  const int tw = w - Size(L, "SIZEX") - Size(X, "SIZEX") - Size("upright", "SIZEX") - b * strip;
  const int n = tw / Size(T, "SIZEX");
  const int eh = h - Size("upright", "SIZEY") - Size("downright", "SIZEY");
  const int k = eh / Size("middleright", "SIZEY");
  const int m = (eh - Size(BL, "SIZEY")) / Size(ML, "SIZEY") + 3;
  const int fw = Size(L, "SIZEX") + n * Size(T, "SIZEX") + Size(X, "SIZEX") + b * strip + Size("upright", "SIZEX");
  const int fh = Size("upright", "SIZEY") + k * Size("middleright", "SIZEY") + Size("downright", "SIZEY");
  const int d = (fw - Size(BL, "SIZEX") - Size("downright", "SIZEX")) / Size("downmiddle", "SIZEX");
  veltounit::FillRectangle(x + Size(ML, "SIZEX") + 2, y + Size(L, "SIZEY") + 1,
                           x + fw - Size("middleright", "SIZEX"), y + fh - Size("downmiddle", "SIZEY"), body, body);
  ivxfiles::DrawPicture(L, x, y);
  int cx = x + Size(L, "SIZEX");
  for (int i = 0; i < n; ++i, cx += Size(T, "SIZEX")) ivxfiles::DrawPicture(T, cx, y);
  veltounit::SetTextColour(MakeColour(255, 255, 255));
  veltounit::SetTextMode("TRANSPARENT");
  veltounit::OutTextXY(x + Size(L, "SIZEX") + 1, y + (Size(T, "SIZEY") - veltounit::TextHeight("A")) / 2, title);
  ivxfiles::DrawPicture(X, cx, y);
  cx += Size(X, "SIZEX");
  for (int i = 0; i < b; ++i, cx += strip) ivxfiles::DrawPicture("upmiddle2", cx, y);
  ivxfiles::DrawPicture("upright", cx, y);
  for (int i = 0; i < k; ++i)
    ivxfiles::DrawPicture("middleright", x + fw - Size("middleright", "SIZEX"),
                          y + Size("upright", "SIZEY") + i * Size("middleright", "SIZEY"));
  for (int i = 0; i < m; ++i) ivxfiles::DrawPicture(ML, x, y + Size(L, "SIZEY") + i * Size(ML, "SIZEY"));
  ivxfiles::DrawPicture(BL, x, y + fh - Size(BL, "SIZEY"));
  for (int i = 0; i < d; ++i)
    ivxfiles::DrawPicture("downmiddle", x + Size(BL, "SIZEX") + i * Size("downmiddle", "SIZEX"),
                          y + fh - Size("downmiddle", "SIZEY"));
  ivxfiles::DrawPicture("downright", x + fw - Size("downright", "SIZEX"), y + fh - Size("downright", "SIZEY"));
  int bx = x + Size(L, "SIZEX") + n * Size(T, "SIZEX") + Size(X, "SIZEX") + 2;
  for (const char* button : {"btnminimize", "btnmaximize", "btnexit"}) {
    ivxfiles::DrawPicture(button, bx, y + (Size("upmiddle2", "SIZEY") - Size(button, "SIZEY")) / 2);
    bx += Size(button, "SIZEX") + 2;
  }
}

class BoardMockupTest : public DataTest {
 protected:
  void SetUp() override {
    DataTest::SetUp();
    veltounit::SetFontByName("arial", "greek", 15, 0, 0, 0);
    LoadSkinLikeToolkit("skin1");
    ivxfiles::SetTransparentColour(MakeColour(123, 123, 0));
    int x = ivxfiles::LoadOriginX();
    const int y = ivxfiles::LoadOriginY();
    for (const char* name : {"pioni1", "pioniup1", "pioniup2", "warning", "pionix", "trivaneintro"}) {
      ivxfiles::SetLoadOrigin(x, y);
      ivxfiles::LoadIvxPicture(name);
      x += Size(name, "SIZEX") + 2;
    }
    ivxfiles::CopyPicture("pioni1", "pioni2", x, y);
    ivxfiles::ReplaceColour("pioni2", MakeColour(255, 0, 0), MakeColour(255, 128, 64));
  }

  void DrawBoard() {
    veltounit::ClearWindow();
    DrawFrame("Trivane 0.72 (day 13) - Development Build 7-12-06", 1, 1, 499, 499);
    ivxfiles::DrawJpegFile("back.jpg", 12, 29);
    const auto grey = MakeColour(123, 123, 123);
    veltounit::DrawLine(12, 29, 494, 29, grey);
    veltounit::DrawLine(12, 29, 12, 496, grey);
    veltounit::DrawLine(12, 496, 494, 496, grey);
    veltounit::DrawLine(494, 29, 494, 496, grey);
    const auto board = MakeColour(0, 0, 64);
    veltounit::SetPenWidth(6, 6, 6);
    for (int k = 1; k <= 3; ++k) veltounit::DrawRectangle(62 * k, 62 * k, 500 - 62 * k, 500 - 62 * k, board);
    veltounit::SetPenWidth(4, 4, 4);
    veltounit::DrawLine(248, 62, 248, 186, board);
    veltounit::DrawLine(248, 313, 248, 434, board);
    veltounit::DrawLine(62, 248, 186, 248, board);
    veltounit::DrawLine(313, 248, 434, 248, board);
    veltounit::SetPenWidth(1, 1, 1);
  }

  void DrawReserve(int x, int count, const std::string& picture) {
    const auto board = MakeColour(0, 0, 64);
    veltounit::FillRectangle(x, 72, x + 32, 428, board, board);
    int y = 398;
    for (int i = 0; i < count; ++i) {
      ivxfiles::DrawPicture(picture, x, y);
      y -= Size(picture, "SIZEY") + 5;
    }
    veltounit::SetTextColour(MakeColour(255, 255, 255));
    veltounit::OutTextXY(x + 10, y, std::to_string(count));
  }

  static void DrawPiece(int px, int py, const std::string& picture) {
    ivxfiles::DrawPicture(picture, 62 * px - 21, 62 * py - 21);
  }
};

TEST_F(BoardMockupTest, TheGameScreenComesTogether) {
  EXPECT_TRUE(boxes_.empty());
  DrawBoard();
  DrawReserve(15, 6, "pioni1");
  DrawReserve(453, 5, "pioni2");
  DrawPiece(1, 1, "pioniup1");
  DrawPiece(4, 1, "pioniup2");
  DrawPiece(5, 3, "pioniup1");
  DrawPiece(2, 4, "pioniup2");
  DrawPiece(6, 6, "pioniup2");
  DrawPiece(7, 7, "pioniup1");
  DrawPiece(4, 6, "pioniup1");
  DrawPiece(6, 6, "pionix");
  veltounit::SetTextColour(MakeColour(0, 0, 0));
  veltounit::OutTextXY(20, 45, "Player 1");
  veltounit::OutTextXY(443, 45, "Player 2");
  // Hint marks as the game writes them, white on an opaque strip.
  veltounit::SetTextColour(MakeColour(255, 255, 255));
  veltounit::SetTextMode("OPAQUE");
  veltounit::OutTextXY(62 * 7 - 21, 62 * 1 - 21, "  14  ");
  veltounit::OutTextXY(62 * 3 - 21, 62 * 3 - 21, "  3  ");
  veltounit::SetTextCursor(0, 460);
  veltounit::WriteCentred("Player 1 playing");
  veltounit::SetTextMode("TRANSPARENT");
  // The keyboard language flag, where the toolkit shows it.
  ivxfiles::DrawPicture("uk", 500 - 40, 500 - 20);
  const datagen::Picture flag = StorePicture("uk");
  EXPECT_EQ(flag.At(flag.width - 1, flag.height - 1),
            PixelOf(automation::WindowPixel(460 + flag.width, 480 + flag.height)));
  EXPECT_TRUE(automation::SaveWindowPng(std::string(TRIVANE_SHOTS_DIR) + "/board_mockup.png"));
  ivxfiles::DrawPicture("warning", 500 - Size("warning", "SIZEX"), 500 - Size("warning", "SIZEY"));
  EXPECT_TRUE(automation::SaveWindowPng(std::string(TRIVANE_SHOTS_DIR) + "/board_mockup_warning.png"));

  // Where things must land.  A picture drawn at (x, y) puts its cell (c, r),
  // counted from 0, on pixel (x + 1 + c, y + 1 + r).
  const datagen::Picture piece1 = StorePicture("pioniup1"), piece2 = StorePicture("pioniup2");
  EXPECT_EQ(piece1.At(20, 20), PixelOf(automation::WindowPixel(62, 62)));
  EXPECT_EQ(piece2.At(20, 20), PixelOf(automation::WindowPixel(248, 62)));
  const datagen::Picture title = StorePicture("up2middle");
  EXPECT_EQ(title.At(0, 10), PixelOf(automation::WindowPixel(400, 12)));  // right of the title text
  const datagen::Picture reserve = StorePicture("pioni1");
  EXPECT_EQ(reserve.At(15, 15), PixelOf(automation::WindowPixel(16 + 15, 399 + 15)));
  // The close button sits right before the top-right corner piece, where the
  // window's close area is: x from 500 - width of "upright" - width of "btnexit".
  const int exitLeft = 500 - Size("upright", "SIZEX") - Size("btnexit", "SIZEX");
  const datagen::Picture exit = StorePicture("btnexit");
  const int exitTop = 1 + (Size("upmiddle2", "SIZEY") - Size("btnexit", "SIZEY")) / 2;
  EXPECT_EQ(exit.At(exit.width / 2, exit.height / 2),
            PixelOf(automation::WindowPixel(exitLeft + 1 + exit.width / 2, exitTop + 1 + exit.height / 2)));
  // The board lines stand out against the wood next to them.
  EXPECT_GT(Luminance(PixelOf(automation::WindowPixel(100, 70))) -
                Luminance(PixelOf(automation::WindowPixel(100, 62))),
            100);
}

TEST_F(BoardMockupTest, TheSplashCarriesTheStartUpText) {
  DrawBoard();
  // Centred in the window: the first cell on 250 - sizex / 2.
  const int left = 250 - Size("trivaneintro", "SIZEX") / 2, top = 250 - Size("trivaneintro", "SIZEY") / 2;
  ivxfiles::DrawPicture("trivaneintro", left - 1, top - 1);
  veltounit::SetTextCursor(0, 500 / 2 - 20);
  veltounit::SetFontByName("arial", "greek", 25, 0, 0, 0);
  veltounit::SetTextColour(MakeColour(0, 0, 0));
  veltounit::WriteCentred("            0.72");
  veltounit::SetFontByName("arial", "greek", 20, 0, 0, 0);
  veltounit::WriteCentred("GUI Plugged to ");
  veltounit::WriteCentred("Trivane engine 0.72, search depth 5");
  veltounit::WriteCentred("engine");
  EXPECT_TRUE(automation::SaveWindowPng(std::string(TRIVANE_SHOTS_DIR) + "/splash_mockup.png"));
  const datagen::Picture splash = StorePicture("trivaneintro");
  EXPECT_EQ(splash.At(10, 40), PixelOf(automation::WindowPixel(left + 10, top + 40)));
  // Black text on the light lower part of the splash.
  int dark = 0;
  for (int y = 235; y < 330; ++y)
    for (int x = 150; x < 350; ++x) dark += Luminance(PixelOf(automation::WindowPixel(x, y))) < 60;
  EXPECT_GT(dark, 200);
}

// Both skins' windows, active and inactive, at sizes that are not multiples
// of anything, on a desktop colour no skin uses: every cell of the frame's
// bands is painted (no seams, no gaps between tiles), and the controls are
// shown beside them for a person to look at.
TEST_F(BoardMockupTest, SkinWindowsAreDrawnWithoutHoles) {
  const auto desktop = MakeColour(90, 140, 90);
  veltounit::ClearWindowColour(desktop);
  struct Window {
    int x, y, w, h;
    bool active;
  };
  const Window windows[] = {{8, 8, 233, 150, true}, {252, 8, 237, 150, false}};
  for (int skin = 0; skin < 2; ++skin) {
    if (skin == 1) {
      ivxfiles::ResetPictureStore();
      LoadSkinLikeToolkit("skin2");
    }
    const int dy = skin * 245;
    for (const Window& win : windows) {
      DrawFrame(win.active ? "Active window" : "Inactive window", win.x, win.y + dy, win.w, win.h, win.active,
                SkinBackground(skin == 0 ? "skin1" : "skin2"));
      // Controls inside: buttons and check boxes in their three states, the
      // keys and the flags.
      int cx = win.x + 14;
      for (const char* name : {"btns1", "btns2", "btns3", "chks1", "chks2", "chks3", "wndup", "wnddn"}) {
        ivxfiles::DrawPicture(name, cx, win.y + dy + 44);
        cx += Size(name, "SIZEX") + 8;
      }
      cx = win.x + 14;
      for (const char* name : {"guicontrol", "guiplus", "guishift", "guiplus", "guialt", "guiuppercase"}) {
        ivxfiles::DrawPicture(name, cx, win.y + dy + 80);
        cx += Size(name, "SIZEX") + 3;
      }
      ivxfiles::DrawPicture("uk", win.x + 14, win.y + dy + 112);
      ivxfiles::DrawPicture("gr", win.x + 50, win.y + dy + 112);

      // Bands of the frame, in window pixels (cells land one right and one
      // down of where a picture is drawn; the last column and row of the
      // right and bottom pieces are at x + w + 1 and y + h + 1).
      const int x0 = win.x + 1, y0 = win.y + dy + 1, x1 = win.x + win.w + 1, y1 = win.y + dy + win.h + 1;
      auto painted = [&](int px, int py) { return automation::WindowPixel(px, py) != desktop; };
      for (int py = y0; py <= y0 + 27; ++py)
        for (int px = x0 + 6; px <= x1 - 6; ++px) ASSERT_TRUE(painted(px, py)) << "title " << px << "," << py;
      for (int py = y0 + 6; py <= y1 - 6; ++py) {
        for (int px = x0; px <= x0 + 5; ++px) ASSERT_TRUE(painted(px, py)) << "left edge " << px << "," << py;
        for (int px = x1 - 5; px <= x1; ++px) ASSERT_TRUE(painted(px, py)) << "right edge " << px << "," << py;
      }
      for (int py = y1 - 4; py <= y1; ++py)
        for (int px = x0 + 6; px <= x1 - 6; ++px) ASSERT_TRUE(painted(px, py)) << "bottom " << px << "," << py;
      // Outside the frame nothing is touched.
      for (int px = x0; px <= x1; ++px) ASSERT_FALSE(painted(px, y1 + 1)) << "below " << px;
      for (int py = y0; py <= y1; ++py) ASSERT_FALSE(painted(x1 + 1, py)) << "right of " << py;
    }
  }
  EXPECT_TRUE(automation::SaveWindowPng(std::string(TRIVANE_SHOTS_DIR) + "/skins_mockup.png"));
}

}  // namespace
}  // namespace datatest
