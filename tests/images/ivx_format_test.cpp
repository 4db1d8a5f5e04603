// The ".ivx" reader of all three generations, written as small files here.
#include "image_fixture.h"

namespace ivxtest {
namespace {

using namespace ivxfiles;

using IvxTest = ImageTest;

TEST_F(IvxTest, SampleTwoRedPointsOfTheThreeGenerations) {
  const char* files[] = {
      "*=ivx2*[BK(0,0,0)][LENGTH(2)][WIDTH(1)]&c255,0,0p1,1p2,1}",
      "*=ivx1*[BK(0,0,0)][LENGTH(2)][WIDTH(1)]&c255,0,0p1,1p2,1}",
      "*=ivx*[BK(0,0,0)][LENGTH(2)][WIDTH(1)][C(255,0,0)][P(1,1)][P(2,1)]}",
  };
  int n = 0;
  for (const char* text : files) {
    ResetPictureStore();
    SetStoreCell(51, 71, 99);
    SetStoreCell(52, 71, 99);
    SetLoadOrigin(50, 70);
    const std::string name = "two" + std::to_string(n++);
    WriteFile(name + ".ivx", text);
    LoadIvxPicture(name);
    EXPECT_EQ(Rgb(255, 0, 0), StoreCell(51, 71)) << text;
    EXPECT_EQ(Rgb(255, 0, 0), StoreCell(52, 71)) << text;
    const IVX_INFO e = PictureEntry(LocatePicture(name));
    EXPECT_EQ(50, e.x1);
    EXPECT_EQ(70, e.y1);
    EXPECT_EQ(52, e.x2);
    EXPECT_EQ(71, e.y2);
  }
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(IvxTest, HeaderCommandsFillAndFieldRules) {
  // Lower-case commands work; "." cuts fields; text before "*" is ignored.
  WriteFile("a.ivx", "junk{[]&*anything=ivx1*[bk(1.5,2,3)][Length(3)]\r\n[WIDTH(2)]&}");
  SetLoadOrigin(10, 10);
  LoadIvxPicture("a");
  EXPECT_EQ(3, PictureInfo(1));
  EXPECT_EQ(2, PictureInfo(2));
  EXPECT_EQ(static_cast<int32_t>(Rgb(1, 5, 2)), PictureInfo(3));
  for (int x = 11; x <= 13; ++x)
    for (int y = 11; y <= 12; ++y) EXPECT_EQ(Rgb(1, 5, 2), StoreCell(x, y));
  EXPECT_EQ(0u, StoreCell(14, 11));
  EXPECT_EQ(0u, StoreCell(11, 13));
  // WIDTH before LENGTH fills with the previous picture's X size; a field that
  // is not a number counts as 0.
  WriteFile("b.ivx", "*=ivx*[BK(9,x,-1)][WIDTH(1)][LENGTH(50)]}");
  SetLoadOrigin(100, 0);
  LoadIvxPicture("b");
  EXPECT_EQ(Rgb(9, 0, 255), StoreCell(103, 1));
  EXPECT_EQ(0u, StoreCell(104, 1));
  EXPECT_EQ(50, PictureInfo(1));
}

TEST_F(IvxTest, TokenRules) {
  SetLoadOrigin(0, 0);
  // A minus sign is skipped; a short colour leaves the rest 0; "c255p3,4}".
  WriteFile("t.ivx", "*=ivx1*[LENGTH(1)][WIDTH(1)]&c255p3,4} c1,1,1p5,5");
  LoadIvxPicture("t");
  EXPECT_EQ(Rgb(255, 0, 0), StoreCell(3, 4));
  EXPECT_EQ(0u, StoreCell(5, 5));  // after "}"
  WriteFile("u.ivx", "*=ivx1*&c0,-200,7,99 p-6,7,8 p9 iAB,C c1,2,3p2,2");
  LoadIvxPicture("u");
  EXPECT_EQ(Rgb(0, 200, 7), StoreCell(6, 7));
  EXPECT_EQ(Rgb(1, 2, 3), StoreCell(2, 2));  // the end of the file ends the last token
  EXPECT_EQ(0u, StoreCell(131, 67));         // no "i" token in ivx1
  // "ivx2": byte sums; a line break adds 13 and 10.
  WriteFile("v.ivx", "*=ivx2*&c7,7,7iAB,Cc8,8,8i\r\nA,Bp1,1}");
  LoadIvxPicture("v");
  EXPECT_EQ(Rgb(7, 7, 7), StoreCell(131, 67));
  EXPECT_EQ(Rgb(8, 8, 8), StoreCell(13 + 10 + 65, 66));
  EXPECT_EQ(Rgb(8, 8, 8), StoreCell(1, 1));
}

TEST_F(IvxTest, IvxBodyEndsAtBraceInsideACommand) {
  WriteFile("k.ivx", "*=ivx*[C(1,2,3)][P(1,1)][P(2,2}][P(3,3)]");
  LoadIvxPicture("k");
  EXPECT_EQ(Rgb(1, 2, 3), StoreCell(1, 1));
  EXPECT_EQ(0u, StoreCell(2, 2));
  EXPECT_EQ(0u, StoreCell(3, 3));
}

TEST_F(IvxTest, BadFilesShowTheirBoxAndStillRegister) {
  WriteFile("first.ivx", "*=ivx*[LENGTH(4)][WIDTH(3)]}");
  LoadIvxPicture("first");
  WriteFile("caps.ivx", "*=IVX2*[LENGTH(9)][WIDTH(9)]&c1,1,1p1,1}");
  SetLoadOrigin(20, 30);
  LoadIvxPicture("caps");
  LoadIvxPicture("absent");
  ASSERT_EQ(2u, BoxTexts().size());
  EXPECT_EQ("Could not open file caps.ivx,it contains an invalid id", BoxTexts()[0]);
  EXPECT_EQ("Could not open file absent.ivx", BoxTexts()[1]);
  EXPECT_EQ("Error", BoxCaptions()[1]);
  EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION), Boxes()[1].style & 0xFF);
  EXPECT_EQ(0u, StoreCell(21, 31));
  // Both names point at the previous picture's size.
  const IVX_INFO absent = PictureEntry(LocatePicture("absent"));
  EXPECT_EQ(24, absent.x2);
  EXPECT_EQ(33, absent.y2);
  EXPECT_NE(0, LocatePicture("caps"));
}

TEST_F(IvxTest, FileWithoutIdentifierIsReportedButEndBraceIsNot) {
  WriteFile("empty.ivx", "");
  WriteFile("plain.ivx", "[BK(1,2,3)][LENGTH(2)][WIDTH(2)]");
  WriteFile("closed.ivx", "{}*=nothing*");
  LoadIvxPicture("empty");
  LoadIvxPicture("plain");
  LoadIvxPicture("closed");
  EXPECT_EQ((std::vector<std::string>{"Could not open file empty.ivx,it contains an invalid id",
                                      "Could not open file plain.ivx,it contains an invalid id"}),
            BoxTexts());
  EXPECT_EQ(0u, StoreCell(1, 1));
  EXPECT_EQ(3, PictureCount());
}

TEST_F(IvxTest, PointsOutsideTheStoreAreDroppedAndHugeSizesAreClipped) {
  SetLoadOrigin(2340, 1420);
  WriteFile("edge.ivx", "*=ivx1*[BK(5,5,5)][LENGTH(2147483647)][WIDTH(99999)]&c1,1,1p8,4p9,4p3000000000,1}");
  LoadIvxPicture("edge");
  EXPECT_EQ(Rgb(1, 1, 1), StoreCell(2348, 1424));
  EXPECT_EQ(Rgb(5, 5, 5), StoreCell(2341, 1421));
  EXPECT_EQ(0u, StoreCell(2339, 1424));
  SetLoadOrigin(-5, -5);
  WriteFile("neg.ivx", "*=ivx*[C(2,2,2)][P(6,6)][P(5,6)][P(-9,1)]}");
  LoadIvxPicture("neg");
  EXPECT_EQ(Rgb(2, 2, 2), StoreCell(1, 1));
}

}  // namespace
}  // namespace ivxtest
