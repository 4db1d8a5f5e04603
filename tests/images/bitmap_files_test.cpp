// BMP, ICO and CUR files built here byte by byte, read into the store and
// compared cell by cell; the icon writer; the loader dispatch.
#include "image_fixture.h"

namespace ivxtest {
namespace {

using namespace ivxfiles;

uint32_t Pattern(int x, int y) { return Rgb(x * 20 % 256, y * 30 % 256, (x * 7 + y * 11) % 256); }
int TwoColours(int x, int y) { return (x + y) % 2; }
int SixteenColours(int x, int y) { return (x * 3 + y) % 16; }
int ManyColours(int x, int y) { return (x * 37 + y * 11) % 256; }

std::vector<uint32_t> Palette(int n) {
  std::vector<uint32_t> p;
  for (int i = 0; i < n; ++i) p.push_back(Rgb(i, 255 - i, (i * 5) % 256));
  return p;
}

using BitmapFileTest = ImageTest;

TEST_F(BitmapFileTest, Bmp24BitWithOddWidthsLoadsBottomUpAndTopDown) {
  for (int width : {1, 2, 3, 5, 7}) {
    for (bool topDown : {false, true}) {
      ResetPictureStore();
      SetLoadOrigin(30, 40);
      const std::string name = "p" + std::to_string(width) + (topDown ? "t" : "b");
      const std::string file = MakeBmp(width, 4, 24, 0, Pattern, topDown);
      if (width == 3) {
        ASSERT_EQ(54u + 4 * 12, file.size());  // 9 bytes and 3 of padding per row
      }
      WriteFile(name + ".bmp", file);
      LoadPicture(name + ".BMP");
      for (int x = 1; x <= width; ++x)
        for (int y = 1; y <= 4; ++y)
          ASSERT_EQ(Pattern(x, y), StoreCell(30 + x, 40 + y)) << name << " " << x << "," << y;
      const IVX_INFO e = PictureEntry(LocatePicture(name));
      EXPECT_EQ(30 + width, e.x2);
      EXPECT_EQ(44, e.y2) << name;
      EXPECT_EQ(width, BmpWidth());
      EXPECT_EQ(4, BmpHeight());
    }
  }
  // A file with a larger information header keeps its pixels further on.
  WriteFile("v5.bmp", MakeBmp(3, 2, 24, 0, Pattern, false, 138));
  SetLoadOrigin(0, 0);
  LoadBmpPicture("v5");
  EXPECT_EQ(Pattern(3, 2), StoreCell(3, 2));
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(BitmapFileTest, BmpRefusalsShowTheirBoxAndLoadNothing) {
  WriteFile("good.bmp", MakeBmp(2, 2, 24, 0, Pattern));
  LoadBmpPicture("good");
  WriteFile("eight.bmp", MakeBmp(2, 2, 8, 0, Pattern));
  WriteFile("wide.bmp", MakeBmp(3000, 1, 24, 0, Pattern));
  SetLoadOrigin(10, 0);
  LoadBmpPicture("eight");
  LoadBmpPicture("wide");
  EXPECT_EQ((std::vector<std::string>{"Cannot load 8 bit bmp files !", "This BMP file is very large (3000x1)"}),
            BoxTexts());
  EXPECT_EQ("Bmp Files", BoxCaptions()[0]);
  // Nothing was copied: the staging buffer still holds the good picture, and
  // none of it reaches the store beside it.
  EXPECT_EQ(0u, StoreCell(11, 1));
  EXPECT_EQ(0u, StoreCell(12, 2));
  EXPECT_EQ(Pattern(2, 2), BmpCell(2, 2));
  EXPECT_EQ(1, PictureCount());
}

TEST_F(BitmapFileTest, BmpOfAnyOtherBitCountIsRefusedWithItsBox) {
  WriteFile("base.bmp", MakeBmp(2, 1, 24, 0, Pattern));
  LoadBmpPicture("base");
  for (int bits : {16, 32, 2}) {
    const std::string name = "b" + std::to_string(bits);
    WriteFile(name + ".bmp", MakeBmp(2, 1, bits, 0, [](int, int) { return Rgb(9, 9, 9); }));
    SetLoadOrigin(0, 10);
    LoadBmpPicture(name);
    EXPECT_EQ(0u, StoreCell(1, 11)) << bits;
    EXPECT_EQ(0, LocatePicture(name));
  }
  EXPECT_EQ((std::vector<std::string>{"Cannot load 16 bit bmp files !", "Cannot load 32 bit bmp files !",
                                      "Cannot load 2 bit bmp files !"}),
            BoxTexts());
}

TEST_F(BitmapFileTest, IconsOfEveryDepthWithPalettesAndPadding) {
  struct Case {
    int bits;
    int paletteSize;
    int (*index)(int, int);
  };
  const Case cases[] = {
      {1, 2, TwoColours}, {4, 16, SixteenColours}, {8, 256, ManyColours}, {24, 0, nullptr}, {32, 0, nullptr}};
  for (const Case& c : cases) {
    for (int width : {3, 5, 9}) {
      ResetPictureStore();
      SetLoadOrigin(7, 9);
      const std::vector<uint32_t> palette = Palette(c.paletteSize);
      const std::string name = "i" + std::to_string(c.bits) + "_" + std::to_string(width);
      WriteFile(name + ".ico", MakeIcon(1, width, 3, c.bits, palette, c.index, Pattern));
      LoadPicture(name + ".ico");
      for (int x = 1; x <= width; ++x) {
        for (int y = 1; y <= 3; ++y) {
          const uint32_t want = c.bits <= 8 ? palette[static_cast<size_t>(c.index(x, y))] : Pattern(x, y);
          ASSERT_EQ(want, StoreCell(7 + x, 9 + y)) << name << " " << x << "," << y;
          ASSERT_EQ(want, IconCell(x, y));
        }
      }
      const IVX_INFO e = PictureEntry(LocatePicture(name));
      EXPECT_EQ(7 + width, e.x2);
      EXPECT_EQ(12, e.y2);
    }
  }
  // A cursor goes through the same reader.
  const std::vector<uint32_t> two = {Rgb(0, 0, 0), Rgb(255, 255, 255)};
  WriteFile("arrow.cur", MakeIcon(2, 8, 2, 1, two, TwoColours, nullptr));
  SetLoadOrigin(0, 0);
  LoadPicture("arrow.cur");
  EXPECT_EQ(Rgb(255, 255, 255), StoreCell(2, 1));  // (2 + 1) % 2 = 1
  EXPECT_EQ(Rgb(0, 0, 0), StoreCell(1, 1));
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(BitmapFileTest, IconWithAShortPaletteReadsItsPixelsAfterIt) {
  std::string file = MakeIcon(1, 4, 2, 8, Palette(256), ManyColours, nullptr);
  file[22 + 32] = 2;  // colours used: 2, yet indices run to 255
  WriteFile("short.ico", file);
  LoadIcoPicture("short");
  // The palette is entries 0 and 1.  The pixels start at the file's third
  // palette entry: the bottom row is bytes 10, 253, 2, 0 and the top row
  // 15, 252, 3, 0; indices past the palette are black.
  EXPECT_TRUE(Boxes().empty());
  EXPECT_EQ(4, IconWidth());
  EXPECT_EQ(0u, IconCell(1, 2));
  EXPECT_EQ(0u, IconCell(3, 2));
  EXPECT_EQ(Rgb(0, 255, 0), IconCell(4, 2));
  EXPECT_EQ(0u, IconCell(1, 1));
  EXPECT_EQ(Rgb(0, 255, 0), IconCell(4, 1));
}

TEST_F(BitmapFileTest, IconPaletteFollowsALongerInformationHeader) {
  std::string file = MakeIcon(1, 3, 2, 4, Palette(16), SixteenColours, nullptr);
  // The same icon with a 108-byte information header: 68 more bytes before
  // the palette.
  file[22] = 108;
  file.insert(22 + 40, std::string(68, '\x55'));
  WriteFile("long.ico", file);
  LoadIcoPicture("long");
  for (int x = 1; x <= 3; ++x)
    for (int y = 1; y <= 2; ++y) EXPECT_EQ(Palette(16)[static_cast<size_t>(SixteenColours(x, y))], IconCell(x, y));
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(BitmapFileTest, SaveIcoFileWritesA24BitIconThatReadsBack) {
  WriteFile("big.ico", MakeIcon(1, 32, 32, 32, {}, nullptr, Pattern));
  LoadIcoPicture("big");
  SaveIcoFile("out.ico");
  const std::string out = ReadFile("out.ico");
  ASSERT_EQ(3262u, out.size());
  EXPECT_EQ(std::string("\0\0\1\0\1\0", 6), out.substr(0, 6));
  EXPECT_EQ(22, static_cast<unsigned char>(out[18]));
  EXPECT_EQ(64, static_cast<unsigned char>(out[22 + 8]));  // height twice over
  EXPECT_EQ(24, static_cast<unsigned char>(out[22 + 14]));
  WriteFile("odd.ico", MakeIcon(1, 5, 3, 4, Palette(16), SixteenColours, nullptr));
  LoadIcoPicture("odd");
  SaveIcoFile("odd_out.ico");
  // 5 wide: rows of 15 colour bytes + 1 padding, masks of 1 + 3 bytes.
  EXPECT_EQ(22u + 40 + 3 * 16 + 3 * 4, ReadFile("odd_out.ico").size());
  SetLoadOrigin(100, 100);
  LoadIcoPicture("odd_out");
  for (int x = 1; x <= 5; ++x)
    for (int y = 1; y <= 3; ++y)
      EXPECT_EQ(Palette(16)[static_cast<size_t>(SixteenColours(x, y))], StoreCell(100 + x, 100 + y));
  SaveIcoFile("no_such_folder/x.ico");
  EXPECT_EQ((std::vector<std::string>{"Could not save ico file no_such_folder/x.ico"}), BoxTexts());
}

// A disk that fills up while the icon goes out (/dev/full refuses every
// write) is a failure said as such, not a saved icon.
TEST_F(BitmapFileTest, SaveIcoFileReportsAWriteThatFails) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
  WriteFile("big.ico", MakeIcon(1, 32, 32, 32, {}, nullptr, Pattern));
  LoadIcoPicture("big");
  EXPECT_TRUE(SaveIcoFile("out.ico"));
  EXPECT_FALSE(SaveIcoFile("/dev/full"));
  EXPECT_EQ((std::vector<std::string>{"Could not save ico file /dev/full"}), BoxTexts());
}

TEST_F(BitmapFileTest, LoadPictureRefusesUnknownFileTypes) {
  LoadPicture("anim.gif");
  LoadPicture("noextension");
  EXPECT_EQ(
      (std::vector<std::string>{" Cannot open files of filetype \"GIF\"", " Cannot open files of filetype \"\""}),
      BoxTexts());
  EXPECT_EQ(0, PictureCount());
}

}  // namespace
}  // namespace ivxtest
