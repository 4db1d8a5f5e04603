// The game's own pictures, loaded the way the game loads them, against the
// places the board gives them: pieces in their squares and columns, round on
// the see-through olive, the recolourable reserve piece, the corner plate,
// the splash under the start-up text, the background and the saver's logo.
#include <cmath>

#include "data_fixture.h"

namespace datatest {
namespace {

using datagen::Picture;
using datagen::Pixel;

const Pixel kOlive = datagen::kSeeThrough;

class GamePicturesTest : public DataTest {
 protected:
  // Loads the six pictures in the game's order, side by side from the origin.
  void LoadLikeTheGame() {
    ivxfiles::SetTransparentColour(veltounit::MakeColour(123, 123, 0));
    ivxfiles::SetLoadOrigin(1, 300);
    int x = 1, tallest = 0;
    for (const char* name : {"pioni1", "pioniup1", "pioniup2", "warning", "pionix", "trivaneintro"}) {
      ivxfiles::LoadIvxPicture(name);
      const int w = ivxfiles::PictureMetric(name, "SIZEX"), h = ivxfiles::PictureMetric(name, "SIZEY");
      tallest = std::max(tallest, h);
      x += w + 2;
      ivxfiles::SetLoadOrigin(x, 300);
    }
    ivxfiles::CopyPicture("pioni1", "pioni2", ivxfiles::LoadOriginX(), ivxfiles::LoadOriginY());
    ivxfiles::ReplaceColour("pioni2", veltounit::MakeColour(255, 0, 0), veltounit::MakeColour(255, 128, 64));
  }
};

// Olive all round the edge, solid in the middle, and a disc in between: every
// cell well outside the circle is olive, every cell well inside is not.
void ExpectRoundOnOlive(const Picture& p, const std::string& name) {
  const double c = p.width / 2.0, r = std::min(p.width, p.height) / 2.0 - 0.5;
  for (int y = 0; y < p.height; ++y) {
    for (int x = 0; x < p.width; ++x) {
      const double d = std::hypot(x + 0.5 - c, y + 0.5 - p.height / 2.0);
      if (d > r + 1.0) {
        ASSERT_EQ(kOlive, p.At(x, y)) << name << " " << x << "," << y;
      }
      if (d < r - 1.5f) {
        ASSERT_NE(kOlive, p.At(x, y)) << name << " " << x << "," << y;
      }
    }
  }
  for (int x = 0; x < p.width; ++x) {
    EXPECT_EQ(kOlive, p.At(x, 0)) << name;
    EXPECT_EQ(kOlive, p.At(x, p.height - 1)) << name;
  }
}

TEST_F(GamePicturesTest, AllPicturesLoadWithoutComplaint) {
  LoadLikeTheGame();
  EXPECT_TRUE(boxes_.empty()) << (boxes_.empty() ? "" : boxes_.front());
  const std::vector<datagen::NamedPicture> made = datagen::MakeGamePictures(datagen::MakeBackground());
  ASSERT_EQ(6u, made.size());
  for (const datagen::NamedPicture& p : made) {
    const Picture read = StorePicture(p.name);
    ASSERT_EQ(p.picture.width, read.width) << p.name;
    EXPECT_TRUE(p.picture.pixels == read.pixels) << p.name;
  }
}

TEST_F(GamePicturesTest, BoardPiecesFitTheirSquareAndAreRound) {
  LoadLikeTheGame();
  for (const char* name : {"pioniup1", "pioniup2", "pionix"}) {
    // Drawn at the point's corner + (10, 10) inside a 62-pixel square: the
    // square left for a piece is 42 x 42 ("sizex" is one less).
    EXPECT_EQ(42, StorePicture(name).width) << name;
    EXPECT_EQ(42, StorePicture(name).height) << name;
    EXPECT_EQ(41, ivxfiles::PictureMetric(name, "SIZEX")) << name;
  }
  ExpectRoundOnOlive(StorePicture("pioniup1"), "pioniup1");
  ExpectRoundOnOlive(StorePicture("pioniup2"), "pioniup2");
  // The two players' pieces are told apart by colour.
  const Pixel a = StorePicture("pioniup1").At(21, 21), b = StorePicture("pioniup2").At(21, 21);
  EXPECT_GT(std::abs(int(a.g) - int(b.g)) + std::abs(int(a.b) - int(b.b)), 60);
  // The cross leaves the piece under it showing at its corners.
  const Picture x = StorePicture("pionix");
  EXPECT_EQ(kOlive, x.At(21, 8));
  EXPECT_NE(kOlive, x.At(21, 21));
}

TEST_F(GamePicturesTest, NineReservePiecesStackInTheirColumn) {
  LoadLikeTheGame();
  const int w = StorePicture("pioni1").width, h = StorePicture("pioni1").height;
  const int sizey = ivxfiles::PictureMetric("pioni1", "SIZEY");
  // The column is filled from x = 15 to 47 and y = 72 to 428; a piece drawn at
  // (15, y) covers x 16 .. 15 + w and y + 1 .. y + h; the next is drawn
  // "sizey" + 5 higher.
  EXPECT_LE(15 + w, 47);
  int y = 398, previousTop = 429;
  for (int k = 0; k < 9; ++k) {
    EXPECT_GE(y + 1, 72) << "piece " << k;
    EXPECT_LE(y + h, 428) << "piece " << k;
    EXPECT_LT(y + h, previousTop) << "piece " << k << " overlaps the one below";
    previousTop = y + 1;
    y -= sizey + 5;
  }
  // The count is written at (25, y) above the stack and stays in the column.
  EXPECT_GE(y, 72);
  ExpectRoundOnOlive(StorePicture("pioni1"), "pioni1");
}

TEST_F(GamePicturesTest, PlayerTwosReservePieceTurnsOrange) {
  LoadLikeTheGame();
  const Picture one = StorePicture("pioni1"), two = StorePicture("pioni2");
  ASSERT_EQ(one.pixels.size(), two.pixels.size());
  int red = 0, face = 0;
  for (size_t i = 0; i < one.pixels.size(); ++i) {
    if (one.pixels[i] == Pixel{255, 0, 0}) {
      ++red;
      EXPECT_EQ((Pixel{255, 128, 64}), two.pixels[i]);
    }
    if (one.pixels[i] != kOlive) ++face;
    EXPECT_NE((Pixel{255, 0, 0}), two.pixels[i]);
  }
  // The pure red is the piece's face, not a few stray cells.
  EXPECT_GT(red, face / 2);
}

TEST_F(GamePicturesTest, WarningFitsTheBottomRightCorner) {
  LoadLikeTheGame();
  const Picture p = StorePicture("warning");
  const int w = p.width, h = p.height;
  // Drawn at (500 - sizex, 500 - sizey) = (501 - w, 501 - h), its cells land
  // on 502 - w .. 501: the last two columns and rows are outside the window,
  // so they hold nothing.
  for (int y = 0; y < h; ++y) {
    EXPECT_EQ(kOlive, p.At(w - 1, y));
    EXPECT_EQ(kOlive, p.At(w - 2, y));
  }
  for (int x = 0; x < w; ++x) {
    EXPECT_EQ(kOlive, p.At(x, h - 1));
    EXPECT_EQ(kOlive, p.At(x, h - 2));
  }
  EXPECT_NE(kOlive, p.At(w - 3, h / 2));
  EXPECT_NE(kOlive, p.At(w / 2, h - 3));
  EXPECT_LE(w, 494 - 12);
  EXPECT_LE(h, 496 - 29);
  // The plate does not reach the turn line's middle stretch of the bottom.
  EXPECT_GE(500 - w, 320);
}

TEST_F(GamePicturesTest, SplashLeavesLightSpaceForTheStartUpText) {
  LoadLikeTheGame();
  const Picture p = StorePicture("trivaneintro");
  EXPECT_LE(p.width, 480);
  EXPECT_LE(p.height, 460);
  // Centred in the window, its first cell lands on 250 - sizex / 2.
  const int left = 250 - ivxfiles::PictureMetric("trivaneintro", "SIZEX") / 2;
  const int top = 250 - ivxfiles::PictureMetric("trivaneintro", "SIZEY") / 2;
  // The version, "GUI Plugged to ", the engine text and "engine" are written
  // in black from y = 230 down, centred; under them the splash must be light.
  double darkest = 255;
  for (int wy = 232; wy <= 330; ++wy)
    for (int wx = 140; wx <= 360; ++wx) darkest = std::min(darkest, Luminance(p.At(wx - left, wy - top)));
  EXPECT_GT(darkest, 170);
}

TEST_F(GamePicturesTest, BackgroundFillsTheBoardAreaAndLetsTheLinesStandOut) {
  const std::string path = (DataDir() / "back.jpg").string();
  ASSERT_EQ(1, ivxfiles::ReadJpegSize(path));
  EXPECT_EQ(494 - 12 + 1, ivxfiles::JpegWidth());
  EXPECT_EQ(496 - 29 + 1, ivxfiles::JpegHeight());
  ivxfiles::SetLoadOrigin(1, 1);
  ivxfiles::LoadJpegPicture("back.jpg");
  EXPECT_TRUE(boxes_.empty());
  const Picture back = StorePicture("back");
  ASSERT_EQ(483, back.width);
  // Contrast of the board's line colour (0, 0, 64) against the wood, as the
  // relative luminance ratio used for legible text: well above 4.5 at every
  // board point.
  auto linear = [](double c) {
    c /= 255;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  };
  auto rel = [&](Pixel p) { return 0.2126 * linear(p.r) + 0.7152 * linear(p.g) + 0.0722 * linear(p.b); };
  const double line = rel(Pixel{0, 0, 64});
  for (int gy = 1; gy <= 7; ++gy) {
    for (int gx = 1; gx <= 7; ++gx) {
      const Pixel p = back.At(62 * gx - 12 + 20, 62 * gy - 29);
      EXPECT_GT((rel(p) + 0.05) / (line + 0.05), 4.5) << gx << "," << gy;
    }
  }
}

TEST_F(GamePicturesTest, ScreenSaverLogoIsInTheResourcesFolder) {
  std::filesystem::current_path(DataDir() / "Resources");
  ivxfiles::SetLoadOrigin(301, 201);
  ivxfiles::LoadIvxPicture("varnix");
  EXPECT_TRUE(boxes_.empty());
  const int w = ivxfiles::PictureMetric("varnix", "SIZEX"), h = ivxfiles::PictureMetric("varnix", "SIZEY");
  // The saver moves it at random over the window: it must be smaller.
  EXPECT_GT(w, 0);
  EXPECT_LT(w, 400);
  EXPECT_LT(h, 400);
  // On the black saver screen the logo shows bright letters.
  const Picture p = StorePicture("varnix");
  double brightest = 0;
  for (const Pixel& px : p.pixels) brightest = std::max(brightest, Luminance(px));
  EXPECT_GT(brightest, 200);
}

}  // namespace
}  // namespace datatest
