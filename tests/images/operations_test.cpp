// Picture operations on the store, rotation drawing, and export as source text.
#include <algorithm>
#include <cmath>

#include "image_fixture.h"

namespace ivxtest {
namespace {

using namespace ivxfiles;

// A w x h picture "p" at store (x0, y0) with distinct cells.
void MakePicture(int x0, int y0, int w, int h) {
  for (int x = 1; x <= w; ++x)
    for (int y = 1; y <= h; ++y) SetStoreCell(x0 + x, y0 + y, Rgb(x * 40, y * 50, x + y));
  AddPictureName("p", x0, y0, x0 + w, y0 + h);
}

std::vector<uint32_t> Cells(int x0, int y0, int w, int h) {
  std::vector<uint32_t> out;
  for (int x = 0; x <= w + 1; ++x)
    for (int y = 0; y <= h + 1; ++y) out.push_back(StoreCell(x0 + x, y0 + y));
  return out;
}

using OperationsTest = ImageTest;

TEST_F(OperationsTest, ScaleChannelRoundsHalvesToEvenAndSaturates) {
  SetStoreCell(1, 1, Rgb(255, 10, 20));
  SetStoreCell(2, 1, Rgb(5, 10, 20));
  SetStoreCell(3, 1, Rgb(3, 10, 20));
  AddPictureName("s", 0, 0, 3, 1);
  ScaleChannel("s", "red", 50);
  EXPECT_EQ(Rgb(128, 10, 20), StoreCell(1, 1));  // 127.5 -> 128
  EXPECT_EQ(Rgb(2, 10, 20), StoreCell(2, 1));    // 2.5 -> 2
  EXPECT_EQ(Rgb(2, 10, 20), StoreCell(3, 1));    // 1.5 -> 2
  ScaleChannel("s", "RED", 300);
  EXPECT_EQ(Rgb(255, 10, 20), StoreCell(1, 1));
  EXPECT_EQ(Rgb(6, 10, 20), StoreCell(2, 1));
  ScaleChannel("s", "all", -40);
  EXPECT_EQ(Rgb(0, 0, 0), StoreCell(1, 1));
  SetStoreCell(1, 1, Rgb(1, 2, 3));
  ScaleChannel("s", "blue", std::nan(""));
  EXPECT_EQ(Rgb(1, 2, 0), StoreCell(1, 1));
  ScaleChannel("s", "purple", 10);
  EXPECT_EQ(Rgb(1, 2, 0), StoreCell(1, 1));
}

TEST_F(OperationsTest, FlipsTwiceAreTheIdentityAndColourInverts) {
  MakePicture(100, 200, 3, 4);
  const std::vector<uint32_t> before = Cells(100, 200, 3, 4);
  FlipPicture("p", "horizontaly");
  EXPECT_EQ(Rgb(40, 50, 2), StoreCell(103, 201));  // first and last columns changed places
  EXPECT_EQ(Rgb(120, 50, 4), StoreCell(101, 201));
  EXPECT_EQ(Rgb(80, 100, 4), StoreCell(102, 202));  // the middle column stays
  FlipPicture("p", "HORIZONTALY");
  EXPECT_EQ(before, Cells(100, 200, 3, 4));
  FlipPicture("p", "VERTICALY");
  EXPECT_EQ(Rgb(40, 200, 5), StoreCell(101, 201));
  EXPECT_EQ(Rgb(40, 50, 2), StoreCell(101, 204));
  FlipPicture("p", "verticaly");
  EXPECT_EQ(before, Cells(100, 200, 3, 4));
  FlipPicture("p", "sideways");
  EXPECT_EQ(before, Cells(100, 200, 3, 4));
  SetStoreCell(101, 201, Rgb(0, 0, 0));
  SetStoreCell(102, 201, Rgb(255, 255, 255));
  FlipPicture("p", "color");
  EXPECT_EQ(Rgb(255, 255, 255), StoreCell(101, 201));
  EXPECT_EQ(Rgb(0, 0, 0), StoreCell(102, 201));
  EXPECT_EQ(0u, StoreCell(100, 201));  // outside the picture
  // A picture hanging over the store's right edge: the cells whose partners
  // lie outside the store keep their colours, and nothing is written outside.
  AddPictureName("edge", 2346, 1, 2350, 2);  // columns 2347..2350 of row 2
  SetStoreCell(2347, 2, 11);
  SetStoreCell(2348, 2, 22);
  FlipPicture("edge", "HORIZONTALY");
  EXPECT_EQ(11u, StoreCell(2347, 2));
  EXPECT_EQ(22u, StoreCell(2348, 2));
  EXPECT_EQ(0u, StoreCell(2349, 2));
  // Half inside: columns 2345..2348 flip as a picture of four columns.
  AddPictureName("inside", 2344, 1, 2348, 2);
  FlipPicture("inside", "HORIZONTALY");
  EXPECT_EQ(22u, StoreCell(2345, 2));
  EXPECT_EQ(11u, StoreCell(2346, 2));
  EXPECT_EQ(0u, StoreCell(2347, 2));
  EXPECT_EQ(0u, StoreCell(2348, 2));
}

TEST_F(OperationsTest, AverageColourTruncatesAndIgnoresCellsOutsideTheStore) {
  SetStoreCell(1, 1, Rgb(10, 0, 1));
  SetStoreCell(2, 1, Rgb(11, 0, 2));
  SetStoreCell(1, 2, Rgb(12, 3, 2));
  SetStoreCell(2, 2, Rgb(12, 0, 2));
  EXPECT_EQ(Rgb(11, 0, 1), AverageColour(1, 1, 2, 2));
  EXPECT_EQ(Rgb(10, 0, 1), AverageColour(-100, -100, 1, 1));
  EXPECT_EQ(0u, AverageColour(5, 5, 4, 4));
  EXPECT_EQ(0u, AverageColour(INT32_MIN, INT32_MIN, 0, 0));
}

TEST_F(OperationsTest, ResizeShrinksInPlaceAndRefusesGrowth) {
  MakePicture(10, 10, 4, 4);
  SetStoreCell(10, 12, 777);  // the column just before the picture
  const std::vector<uint32_t> before = Cells(10, 10, 4, 4);
  ResizePicture("p", 5, 4);
  ResizePicture("p", -1, 2);
  EXPECT_EQ(before, Cells(10, 10, 4, 4));
  ResizePicture("p", 2, 2);
  EXPECT_EQ(Rgb(60, 75, 3), StoreCell(11, 11));  // mean of the top-left 2 x 2 block
  EXPECT_EQ(Rgb(140, 75, 5), StoreCell(12, 11));
  EXPECT_EQ(Rgb(60, 175, 5), StoreCell(11, 12));
  EXPECT_EQ(Rgb(140, 175, 7), StoreCell(12, 12));
  const IVX_INFO e = PictureEntry(LocatePicture("p"));
  EXPECT_EQ(12, e.x2);
  EXPECT_EQ(12, e.y2);
  EXPECT_EQ(777u, StoreCell(10, 12));
  EXPECT_EQ(0u, StoreCell(13, 11));
  EXPECT_EQ(0u, StoreCell(11, 13));
  EXPECT_EQ(0u, StoreCell(14, 14));
}

TEST_F(OperationsTest, ResizeToZeroWritesItsQuestion) {
  MakePicture(10, 10, 4, 4);
  veltounit::ClearWindowColour(Rgb(0, 0, 0));
  veltounit::SetTextColour(Rgb(255, 255, 255));
  veltounit::SetTextCursor(0, 10);
  const std::vector<uint32_t> before = Cells(10, 10, 4, 4);
  ResizePicture("p", 0, 0);
  EXPECT_EQ(before, Cells(10, 10, 4, 4));
  int lit = 0;
  for (int y = 0; y < kWindowHeight; ++y)
    for (int x = 0; x < kWindowWidth; ++x) lit += WindowPixel(x, y) != Rgb(0, 0, 0);
  EXPECT_GT(lit, 20);
  // One size 0 keeps the aspect: 4 x 4 to height 2 gives width 2.
  ResizePicture("p", 0, 2);
  EXPECT_EQ(12, PictureEntry(LocatePicture("p")).x2);
}

TEST_F(OperationsTest, RotationQualityBoxesAndRotatedDrawing) {
  SetRotationQuality(7);
  EXPECT_EQ(3, RotationQuality());
  SetRotationQuality(-1);
  EXPECT_EQ(-1, RotationQuality());
  EXPECT_EQ((std::vector<std::string>{"A so high Rotation Quality is not supported by this version of IVXFiles , "
                                      "Rotation Quality set to maximum possible!",
                                      "Wrong Argument For Rotation Quality , Rotation Quality off!"}),
            BoxTexts());
  EXPECT_EQ(static_cast<UINT>(MB_ICONINFORMATION), Boxes()[0].style & MB_ICONMASK);
  MakePicture(50, 50, 3, 3);
  veltounit::ClearWindowColour(Rgb(1, 1, 1));
  DrawPictureRotated("p", 20, 20, 0);
  for (int i = 1; i <= 3; ++i)
    for (int j = 1; j <= 3; ++j) EXPECT_EQ(StoreCell(50 + i, 50 + j), WindowPixel(20 + i, 20 + j));
  veltounit::ClearWindowColour(Rgb(1, 1, 1));
  DrawPictureRotated("p", 20, 20, 180);
  for (int i = 1; i <= 3; ++i)
    for (int j = 1; j <= 3; ++j) EXPECT_EQ(StoreCell(54 - i, 54 - j), WindowPixel(20 + i, 20 + j));
  veltounit::ClearWindowColour(Rgb(1, 1, 1));
  DrawPictureRotated("p", 20, 20, 90);  // (u, v) -> (-v, u) about the centre
  EXPECT_EQ(StoreCell(51, 53), WindowPixel(21, 21));
  EXPECT_EQ(StoreCell(53, 53), WindowPixel(21, 23));
}

// Lit pixels of the window, and whether all of them have the given colour.
int LitPixels(uint32_t background, uint32_t onlyColour, bool& allOfIt) {
  int lit = 0;
  allOfIt = true;
  for (int y = 0; y < kWindowHeight; ++y) {
    for (int x = 0; x < kWindowWidth; ++x) {
      const uint32_t p = WindowPixel(x, y);
      if (p == background) continue;
      ++lit;
      allOfIt = allOfIt && p == onlyColour;
    }
  }
  return lit;
}

TEST_F(OperationsTest, RotationQualityFillsTheHolesOfATurnedPicture) {
  // A plain 12 x 12 picture turned by 30 degrees: the turned points alone
  // leave holes, the quality fills some of them, in the picture's colour.
  const uint32_t colour = Rgb(200, 100, 50);
  for (int x = 1; x <= 12; ++x)
    for (int y = 1; y <= 12; ++y) SetStoreCell(300 + x, 300 + y, colour);
  AddPictureName("sq", 300, 300, 312, 312);
  int lit[4] = {};
  for (int quality = 0; quality <= 3; ++quality) {
    SetRotationQuality(quality);
    veltounit::ClearWindowColour(Rgb(0, 0, 0));
    DrawPictureRotated("sq", 100, 100, 30);
    bool plain = false;
    lit[quality] = LitPixels(Rgb(0, 0, 0), colour, plain);
    // Qualities 2 and 3 average blocks that may reach past the picture's
    // edge, where the store is black.
    if (quality < 2) {
      EXPECT_TRUE(plain) << quality;
    }
  }
  EXPECT_LE(lit[0], 144);  // one point per cell, some of them on the same pixel
  EXPECT_GT(lit[0], 100);
  EXPECT_GT(lit[1], lit[0]);
  EXPECT_EQ(lit[1], lit[2]);  // the same holes, other fill colours
  EXPECT_EQ(lit[1], lit[3]);
}

TEST_F(OperationsTest, ExportAsSourceTextByteForByte) {
  SetStoreCell(5, 7, 255);
  SetStoreCell(6, 7, 0);
  AddPictureName("logo", 4, 6, 6, 7);
  ExportPictureSource("logo", "one.pas", "pic", 0, 1);
  EXPECT_EQ(
      "var\n"
      "pic:array[1..2,1..1] of integer;\n"
      "for x:=1 to 2 do \n"
      " for y:=1 to 1 do pic[x,y]:=0;\n"
      "pic[1,1]:=255;\n",
      ReadFile("one.pas"));
  SetStoreCell(6, 7, 0xFFFFFFFFu);
  ExportPictureSource("logo", "two.cpp", "l", 255, 2);
  EXPECT_EQ(
      "//using namespace std;\n"
      "void draw_logo(int xdraw,int ydraw) {\n"
      "int l[3][2];\n"
      "for (int x=0; x<2; x++) { \n"
      " for (int y=0; y<1; y++) { l[x][y]=255; }\n" +
          std::string(34, ' ') +
          "}  \n"
          "l[1][0]=-1;\n"
          "for (int x=xdraw; x<xdraw+2; x++) { \n"
          " for (int y=ydraw; y<ydraw+1; y++) { PutPixel(x,y,l[x-xdraw][y-ydraw]); }\n" +
          std::string(46, ' ') +
          "}  \n"
          "}\n",
      ReadFile("two.cpp"));
  SetStoreCell(5, 7, 9);
  SetStoreCell(6, 7, 9);
  ExportPictureSource("logo", "plain1.txt", "a", 9, 1);
  ExportPictureSource("logo", "plain2.txt", "a", 9, 2);
  auto lines = [](const std::string& text) { return std::count(text.begin(), text.end(), '\n'); };
  EXPECT_EQ(4, lines(ReadFile("plain1.txt")));
  EXPECT_EQ(10, lines(ReadFile("plain2.txt")));
  EXPECT_TRUE(ExportPictureSource("logo", "plain1.txt", "a", 9, 1));
  // /dev/full refuses every write, as a full disk does.
  if (std::filesystem::exists("/dev/full")) {
    EXPECT_FALSE(ExportPictureSource("logo", "/dev/full", "a", 9, 1));
  }
  EXPECT_FALSE(ExportPictureSource("logo", "no_such_folder/x.txt", "a", 9, 1));
  WriteFile("three.txt", "old");
  ExportPictureSource("logo", "three.txt", "a", 9, 3);
  EXPECT_TRUE(std::filesystem::exists("three.txt"));
  EXPECT_EQ("", ReadFile("three.txt"));
}

}  // namespace
}  // namespace ivxtest
