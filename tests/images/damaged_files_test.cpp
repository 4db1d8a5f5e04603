// Damaged and mislabelled BMP, ICO and CUR files: each is refused with one box
// under its reader's caption, registers nothing and leaves the store (cells,
// names, information numbers) exactly as it was, also when an earlier picture
// of the same kind is still in the staging buffer.
#include <tuple>

#include "image_fixture.h"

namespace ivxtest {
namespace {

using namespace ivxfiles;

uint32_t Pattern(int x, int y) { return Rgb(x * 20 % 256, y * 30 % 256, (x * 7 + y * 11) % 256 + 1); }
int ManyColours(int x, int y) { return (x * 37 + y * 11) % 256; }

std::vector<uint32_t> Palette(int n) {
  std::vector<uint32_t> p;
  for (int i = 0; i < n; ++i) p.push_back(Rgb(i, 255 - i, (i * 5) % 256));
  return p;
}

void Put(std::string& s, size_t at, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) s[at + static_cast<size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

// Everything a refusal must leave alone.
struct StoreState {
  std::vector<Colour> cells;
  std::vector<std::tuple<std::string, int32_t, int32_t, int32_t, int32_t>> names;
  std::vector<int32_t> info;
  bool operator==(const StoreState&) const = default;
};

StoreState Snapshot() {
  StoreState s;
  s.cells.reserve(static_cast<size_t>(STORE_WIDTH) * STORE_HEIGHT);
  for (int32_t x = 1; x <= STORE_WIDTH; ++x)
    for (int32_t y = 1; y <= STORE_HEIGHT; ++y) s.cells.push_back(StoreCell(x, y));
  for (int32_t i = 1; i <= PictureCount(); ++i) {
    const IVX_INFO e = PictureEntry(i);
    s.names.emplace_back(e.name, e.x1, e.y1, e.x2, e.y2);
  }
  for (int32_t n = 1; n <= 8; ++n) s.info.push_back(PictureInfo(n));
  s.info.push_back(LoadOriginX());
  s.info.push_back(LoadOriginY());
  return s;
}

// A good picture of the kind is loaded first at the top left, so that the
// staging buffer holds pixels a refused file could leak; the damaged file is
// then loaded beside it.
class DamagedFileTest : public ImageTest {
 protected:
  void ExpectRefused(const std::string& fileName, const std::string& caption, const std::string& text) {
    SetLoadOrigin(40, 40);
    const StoreState before = Snapshot();
    ClearBoxes();
    LoadPicture(fileName);
    ASSERT_EQ(1u, Boxes().size()) << fileName;
    EXPECT_EQ(caption, Boxes()[0].caption);
    EXPECT_EQ(text, Boxes()[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), Boxes()[0].style & 0xF0u);
    EXPECT_EQ(0, LocatePicture(fileName.substr(0, fileName.find_last_of('.')))) << fileName;
    EXPECT_TRUE(before == Snapshot()) << fileName << ": the store changed";
    ClearBoxes();
  }
};

// --------------------------------------------------------------------- BMP --

class DamagedBmp : public DamagedFileTest {
 protected:
  void SetUp() override {
    DamagedFileTest::SetUp();
    WriteFile("good.bmp", MakeBmp(6, 5, 24, 0, Pattern));
    SetLoadOrigin(0, 0);
    LoadPicture("good.bmp");
    ASSERT_NE(0, LocatePicture("good"));
    good_ = MakeBmp(5, 4, 24, 0, Pattern);
  }
  void Refused(const std::string& name, const std::string& bytes, const std::string& text) {
    WriteFile(name + ".bmp", bytes);
    ExpectRefused(name + ".bmp", "Bmp Files", text);
  }
  std::string good_;
};

TEST_F(DamagedBmp, CutInsideTheHeaderIsTruncated) {
  for (size_t length : {0u, 1u, 2u, 14u, 17u, 30u, 53u}) {
    Refused("cut" + std::to_string(length), good_.substr(0, length),
            "Cannot load bmp file cut" + std::to_string(length) + ".bmp: truncated");
  }
}

TEST_F(DamagedBmp, CutInsideThePixelsIsTruncated) {
  // 5 wide: rows of 15 bytes and 1 of padding; only the last row's padding
  // may be missing.
  Refused("cut_row", good_.substr(0, 54 + 16 * 3 + 7), "Cannot load bmp file cut_row.bmp: truncated");
  Refused("cut_last", good_.substr(0, good_.size() - 2), "Cannot load bmp file cut_last.bmp: truncated");
  WriteFile("nopad.bmp", good_.substr(0, good_.size() - 1));
  SetLoadOrigin(100, 100);
  LoadPicture("nopad.bmp");
  EXPECT_TRUE(Boxes().empty());
  EXPECT_EQ(Pattern(5, 1), StoreCell(105, 101));
}

TEST_F(DamagedBmp, WidthOrHeightZeroIsSizeZero) {
  std::string flat = good_;
  Put(flat, 22, 0, 4);
  Refused("flat", flat, "Cannot load bmp file flat.bmp: size 0");
  std::string thin = good_;
  Put(thin, 18, 0, 4);
  Refused("thin", thin, "Cannot load bmp file thin.bmp: size 0");
}

TEST_F(DamagedBmp, PixelOffsetPastTheEnd) {
  std::string beyond = good_;
  Put(beyond, 10, static_cast<uint32_t>(good_.size()), 4);
  Refused("far", beyond, "Cannot load bmp file far.bmp: offset past the end");
  // An offset inside the headers means "right after them" and loads.
  std::string zero = good_;
  Put(zero, 10, 0, 4);
  WriteFile("zero.bmp", zero);
  SetLoadOrigin(100, 100);
  LoadPicture("zero.bmp");
  EXPECT_TRUE(Boxes().empty());
  EXPECT_EQ(Pattern(1, 1), StoreCell(101, 101));
}

TEST_F(DamagedBmp, HugeDeclaredSizesRegisterNothing) {
  std::string huge = good_;
  Put(huge, 18, 0x7FFFFFFF, 4);
  Refused("huge", huge, "This BMP file is very large (2147483647x4)");
  std::string down = good_;
  Put(down, 22, 0x80000000u, 4);
  Refused("down", down, "This BMP file is very large (5x2147483648)");
}

TEST_F(DamagedBmp, AFileWithSeveralFaultsGetsOneBox) {
  Refused("several", MakeBmp(2, 800, 4, 1, Pattern), "This BMP file is very large (2x800)");
  Refused("eight", MakeBmp(2, 2, 8, 0, Pattern), "Cannot load 8 bit bmp files !");
  std::string negative = good_;
  negative[21] = '\xFF';
  Refused("negative", negative, "This BMP file has a negative width (-16777211)");
}

TEST_F(DamagedBmp, JpegContentNamedBmpIsNotABmpFile) {
  Refused("photo", ReadFile(FixturePath("jpeg_37x23.jpg")),
          "Cannot load bmp file photo.bmp: not a bmp file, it holds a JPEG picture");
  Refused("text", "hello, I am no picture at all, but long enough for a header.........",
          "Cannot load bmp file text.bmp: not a bmp file");
}

// The early (OS/2) header of 12 bytes keeps 16-bit sizes and three-byte
// palette entries: its bit count is read where it is, so a palette file gets
// the one box of its bit count, and a 24-bit file loads.
std::string Os2Bmp(int width, int height, int bits) {
  const int paletteBytes = bits <= 8 ? 3 * (1 << bits) : 0;
  const int rowBytes = ((width * bits + 31) / 32) * 4;
  std::string s(26 + static_cast<size_t>(paletteBytes + rowBytes * height), '\0');
  s[0] = 'B';
  s[1] = 'M';
  Put(s, 2, static_cast<uint32_t>(s.size()), 4);
  Put(s, 10, static_cast<uint32_t>(26 + paletteBytes), 4);
  Put(s, 14, 12, 4);
  Put(s, 18, static_cast<uint32_t>(width), 2);
  Put(s, 20, static_cast<uint32_t>(height), 2);
  Put(s, 22, 1, 2);
  Put(s, 24, static_cast<uint32_t>(bits), 2);
  for (int i = 0; i < paletteBytes; ++i) s[26 + static_cast<size_t>(i)] = static_cast<char>(0x3F + i % 3);
  for (int k = 0; k < height && bits == 24; ++k) {
    for (int x = 1; x <= width; ++x) {
      const uint32_t c = Pattern(x, height - k);
      const size_t at = 26 + static_cast<size_t>(k * rowBytes + (x - 1) * 3);
      s[at] = static_cast<char>((c >> 16) & 0xFF);
      s[at + 1] = static_cast<char>((c >> 8) & 0xFF);
      s[at + 2] = static_cast<char>(c & 0xFF);
    }
  }
  return s;
}

TEST_F(DamagedBmp, Os2HeaderGetsTheBoxOfItsBitCountOrLoads) {
  Refused("os2_eight", Os2Bmp(4, 3, 8), "Cannot load 8 bit bmp files !");
  Refused("os2_cut", Os2Bmp(4, 3, 24).substr(0, 22), "Cannot load bmp file os2_cut.bmp: truncated");
  WriteFile("os2.bmp", Os2Bmp(3, 2, 24));
  SetLoadOrigin(100, 100);
  LoadPicture("os2.bmp");
  EXPECT_TRUE(Boxes().empty());
  for (int x = 1; x <= 3; ++x)
    for (int y = 1; y <= 2; ++y) EXPECT_EQ(Pattern(x, y), StoreCell(100 + x, 100 + y));
  EXPECT_EQ(103, PictureEntry(LocatePicture("os2")).x2);
}

TEST_F(DamagedBmp, AMissingFileRegistersNothing) {
  SetLoadOrigin(40, 40);
  const StoreState before = Snapshot();
  LoadBmpPicture("missing");
  EXPECT_EQ((std::vector<std::string>{"Could not open bmp file missing.bmp"}), BoxTexts());
  EXPECT_EQ(0, LocatePicture("missing"));
  EXPECT_TRUE(before == Snapshot());
}

// ---------------------------------------------------------------- ICO, CUR --

class DamagedIcon : public DamagedFileTest {
 protected:
  void SetUp() override {
    DamagedFileTest::SetUp();
    WriteFile("good.ico", MakeIcon(1, 6, 5, 24, {}, nullptr, Pattern));
    SetLoadOrigin(0, 0);
    LoadPicture("good.ico");
    ASSERT_NE(0, LocatePicture("good"));
    eight_ = MakeIcon(1, 16, 16, 8, Palette(256), ManyColours, nullptr);
    cursor_ = MakeIcon(2, 8, 4, 24, {}, nullptr, Pattern);
  }
  void Refused(const std::string& file, const std::string& bytes, const std::string& text) {
    WriteFile(file, bytes);
    ExpectRefused(file, "Ico Files", text);
  }
  std::string eight_;   // 22 + 40 + 1024 palette + 256 pixels + 64 mask
  std::string cursor_;  // 22 + 40 + 4 x 24 pixels + 4 x 4 mask
};

TEST_F(DamagedIcon, CutInsideTheDirectoryIsTruncated) {
  for (size_t length : {0u, 3u, 5u, 6u, 12u, 21u}) {
    const std::string name = "cut" + std::to_string(length) + ".ico";
    Refused(name, eight_.substr(0, length), "Cannot load ico file " + name + ": truncated");
  }
}

TEST_F(DamagedIcon, CutInsideTheInformationHeaderIsTruncated) {
  Refused("header.ico", eight_.substr(0, 22 + 30), "Cannot load ico file header.ico: truncated");
}

TEST_F(DamagedIcon, CutInsideThePaletteIsTruncated) {
  Refused("palette.ico", eight_.substr(0, 62 + 500), "Cannot load ico file palette.ico: truncated");
}

TEST_F(DamagedIcon, CutInsideThePixelsIsTruncated) {
  Refused("pixels.ico", eight_.substr(0, 62 + 1024 + 100), "Cannot load ico file pixels.ico: truncated");
  // The colour rows are whole but the mask the entry declares is cut.
  Refused("mask.ico", eight_.substr(0, eight_.size() - 10), "Cannot load ico file mask.ico: truncated");
}

TEST_F(DamagedIcon, EntryClaimingMoreThanTheFileHoldsIsTruncated) {
  std::string claims = eight_;
  claims[6] = claims[7] = static_cast<char>(255);  // 255 x 255, with 16 x 16 worth of data
  Refused("claims.ico", claims, "Cannot load ico file claims.ico: truncated");
  std::string declared = eight_;
  Put(declared, 14, static_cast<uint32_t>(eight_.size()), 4);  // bytes in resource past the end
  Refused("declared.ico", declared, "Cannot load ico file declared.ico: truncated");
}

TEST_F(DamagedIcon, NoImageInTheDirectoryIsSizeZero) {
  std::string none = eight_;
  Put(none, 4, 0, 2);
  Refused("none.ico", none, "Cannot load ico file none.ico: size 0 (its directory lists no picture)");
}

TEST_F(DamagedIcon, ImageOffsetPastTheEnd) {
  std::string beyond = eight_;
  Put(beyond, 18, static_cast<uint32_t>(eight_.size()), 4);
  Refused("far.ico", beyond, "Cannot load ico file far.ico: offset past the end");
  std::string inside = eight_;
  Put(inside, 18, 10, 4);
  Refused("inside.ico", inside, "Cannot load ico file inside.ico: offset inside the directory");
}

TEST_F(DamagedIcon, HeaderAndDirectoryDisagree) {
  std::string bits = eight_;
  Put(bits, 22 + 14, 32, 2);  // the information header says 32 bits, the entry 8
  Refused("bits.ico", bits, "Cannot load ico file bits.ico: header and directory disagree");
  std::string wide = eight_;
  Put(wide, 22 + 4, 8, 4);  // the header's width 8, the entry's 16
  Refused("wide.ico", wide, "Cannot load ico file wide.ico: header and directory disagree");
  std::string tall = eight_;
  Put(tall, 22 + 8, 20, 4);  // neither 16 nor 2 x 16 rows
  Refused("tall.ico", tall, "Cannot load ico file tall.ico: header and directory disagree");
}

TEST_F(DamagedIcon, TheSpecifiedRefusalsStayOneBoxEach) {
  std::string large = eight_;
  large[6] = 0;  // 256 across
  Refused("large.ico", large, "This ico file is very large (256x16)");
  std::string bits = MakeIcon(1, 4, 4, 24, {}, nullptr, Pattern);
  Put(bits, 22 + 14, 16, 2);
  Put(bits, 6 + 6, 0, 2);
  Refused("sixteen.ico", bits, "Cannot load 16 bit ico files !");
  // A 256-pixel picture stored as PNG.
  std::string png = MakeIcon(1, 4, 4, 32, {}, nullptr, Pattern);
  png[6] = png[7] = 0;
  png.replace(22, 16, std::string("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR", 16));
  Refused("png.ico", png, "This ico file is very large (256x256)");
  png[6] = png[7] = 4;
  Refused("small_png.ico", png, "Cannot load ico file small_png.ico: its picture is stored as PNG");
}

TEST_F(DamagedIcon, CursorsAreCheckedAlike) {
  Refused("cut.cur", cursor_.substr(0, 22 + 40 + 50), "Cannot load ico file cut.cur: truncated");
  std::string beyond = cursor_;
  Put(beyond, 18, 5000, 4);
  Refused("far.cur", beyond, "Cannot load ico file far.cur: offset past the end");
  // A cursor keeps its hot spot where an icon's entry gives planes and bits:
  // that is no disagreement.
  std::string hot = cursor_;
  Put(hot, 6 + 4, 7, 2);
  Put(hot, 6 + 6, 3, 2);
  WriteFile("hot.cur", hot);
  SetLoadOrigin(100, 100);
  LoadPicture("hot.cur");
  EXPECT_TRUE(Boxes().empty());
  EXPECT_EQ(Pattern(8, 4), StoreCell(108, 104));
}

TEST_F(DamagedIcon, OtherContentNamedIcoIsNotAnIcon) {
  Refused("photo.ico", ReadFile(FixturePath("jpeg_37x23.jpg")),
          "Cannot load ico file photo.ico: not an icon file, it holds a JPEG picture");
  Refused("bitmap.cur", MakeBmp(2, 2, 24, 0, Pattern), "Cannot load ico file bitmap.cur: not an icon file");
}

TEST_F(DamagedIcon, AMissingFileRegistersNothing) {
  SetLoadOrigin(40, 40);
  const StoreState before = Snapshot();
  LoadCurPicture("missing");
  EXPECT_EQ((std::vector<std::string>{"Could not open ico file missing.cur"}), BoxTexts());
  EXPECT_EQ(0, LocatePicture("missing"));
  EXPECT_TRUE(before == Snapshot());
}

// -------------------------------------------------------------------- JPEG --

class DamagedJpeg : public DamagedFileTest {
 protected:
  void SetUp() override {
    DamagedFileTest::SetUp();
    WriteFile("good.jpg", ReadFile(FixturePath("jpeg_37x23.jpg")));
    SetLoadOrigin(0, 0);
    LoadPicture("good.jpg");
    ASSERT_NE(0, LocatePicture("good"));
    whole_ = ReadFile("good.jpg");
  }
  std::string whole_;
};

TEST_F(DamagedJpeg, CutInsideTheImageDataIsTruncated) {
  for (size_t cut : {whole_.size() - 2, whole_.size() - 40}) {
    const std::string name = "cut" + std::to_string(cut) + ".jpg";
    WriteFile(name, whole_.substr(0, cut));
    ExpectRefused(name, "Error", "Cannot load jpeg file " + name + ": truncated");
  }
}

TEST_F(DamagedJpeg, BytesAfterTheEndMarkerAreNoHarm) {
  WriteFile("tail.jpg", whole_ + "trailing bytes a camera left");
  SetLoadOrigin(100, 100);
  LoadPicture("tail.jpg");
  EXPECT_TRUE(Boxes().empty());
  EXPECT_NE(0, LocatePicture("tail"));
  EXPECT_EQ(StoreCell(1, 1), StoreCell(101, 101));
}

}  // namespace
}  // namespace ivxtest
