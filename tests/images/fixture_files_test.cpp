// Picture files made by an independent tool (see fixtures/make_fixtures.sh),
// read by the library and compared cell by cell with that tool's own decoding
// of the same file, kept beside each picture as a plain-text PPM.
#include <algorithm>
#include <filesystem>
#include <sstream>

#include "image_fixture.h"

namespace ivxtest {
namespace {

using namespace ivxfiles;

struct Reference {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> cells;  // row by row from the top
  uint32_t At(int x, int y) const {
    return cells[static_cast<size_t>(y - 1) * static_cast<size_t>(width) + static_cast<size_t>(x - 1)];
  }
};

// Reads a plain PPM ("P3", maximum value 255).
Reference ReadReference(const std::string& name) {
  Reference ref;
  std::istringstream in(ReadFile(FixturePath(name + ".ppm")));
  std::string magic;
  int maxValue = 0;
  in >> magic >> ref.width >> ref.height >> maxValue;
  EXPECT_EQ("P3", magic) << name;
  EXPECT_EQ(255, maxValue) << name;
  int r = 0, g = 0, b = 0;
  while (in >> r >> g >> b) ref.cells.push_back(Rgb(r, g, b));
  EXPECT_EQ(static_cast<size_t>(ref.width) * ref.height, ref.cells.size()) << name;
  return ref;
}

// Copies a fixture into the scratch folder, where the loaders look.
void Fetch(const std::string& name) {
  std::filesystem::copy_file(FixturePath(name), name, std::filesystem::copy_options::overwrite_existing);
}

// The largest difference of one colour channel between two colours.
int ChannelDistance(uint32_t a, uint32_t b) {
  int most = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const int d = static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
    most = std::max(most, d < 0 ? -d : d);
  }
  return most;
}

// Loads a picture file of the scratch folder at a load origin of its own and
// compares the store with the reference, each channel within `levels`.
void ExpectLoadedLike(const Reference& ref, const std::string& file, const std::string& registeredName, int originX,
                      int originY, int levels = 0) {
  ASSERT_GT(ref.width, 0);
  SetLoadOrigin(originX, originY);
  LoadPicture(file);
  const IVX_INFO e = PictureEntry(LocatePicture(registeredName));
  EXPECT_EQ(originX, e.x1) << file;
  EXPECT_EQ(originY, e.y1) << file;
  EXPECT_EQ(originX + ref.width, e.x2) << file;
  EXPECT_EQ(originY + ref.height, e.y2) << file;
  for (int y = 1; y <= ref.height; ++y)
    for (int x = 1; x <= ref.width; ++x)
      ASSERT_LE(ChannelDistance(ref.At(x, y), StoreCell(originX + x, originY + y)), levels)
          << file << " at " << x << "," << y << ": " << std::hex << ref.At(x, y) << " against "
          << StoreCell(originX + x, originY + y);
}

void ExpectLoadedLikeReference(const std::string& file, const std::string& registeredName, int originX, int originY,
                               int levels = 0) {
  Fetch(file);
  ExpectLoadedLike(ReadReference(file), file, registeredName, originX, originY, levels);
}

using FixtureFileTest = ImageTest;

TEST_F(FixtureFileTest, BitmapsOfEveryRowPaddingMatchTheToolsDecoding) {
  int origin = 0;
  for (const char* size : {"1x3", "2x3", "3x2", "5x4", "4x2"}) {
    const std::string name = std::string("bmp24_") + size;
    ExpectLoadedLikeReference(name + ".bmp", name, origin, 100);
    const Reference ref = ReadReference(name + ".bmp");
    EXPECT_EQ(ref.width, BmpWidth());
    EXPECT_EQ(ref.height, BmpHeight());
    for (int y = 1; y <= ref.height; ++y)
      for (int x = 1; x <= ref.width; ++x) EXPECT_EQ(ref.At(x, y), BmpCell(x, y));
    origin += 10;
  }
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(FixtureFileTest, IconsOfEveryDepthTheToolWritesMatchItsDecoding) {
  int origin = 0;
  for (const char* name : {"ico1_9x4", "ico4_11x5", "ico8_11x5", "ico32_7x6"}) {
    ExpectLoadedLikeReference(std::string(name) + ".ico", name, origin, 200);
    const Reference ref = ReadReference(std::string(name) + ".ico");
    EXPECT_EQ(ref.width, IconWidth());
    EXPECT_EQ(ref.height, IconHeight());
    origin += 20;
  }
  ExpectLoadedLikeReference("cur32_5x3.cur", "cur32_5x3", 500, 500);
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(FixtureFileTest, IconWrittenBackReadsLikeTheToolsDecoding) {
  // The icon writer's 24-bit file of a 1-bit icon holds the same colours.
  Fetch("ico1_9x4.ico");
  LoadIcoPicture("ico1_9x4");
  SaveIcoFile("again.ico");
  ExpectLoadedLike(ReadReference("ico1_9x4.ico"), "again.ico", "again", 300, 300);
  EXPECT_EQ(22u + 40 + 4 * (27 + 1) + 4 * (2 + 2), ReadFile("again.ico").size());
}

TEST_F(FixtureFileTest, JpegsOfKnownSizeMatchTheToolsDecoding) {
  const struct {
    const char* name;
    int width;
    int height;
  } files[] = {{"jpeg_37x23", 37, 23}, {"jpeg_progressive_29x18", 29, 18}};
  int origin = 0;
  for (const auto& f : files) {
    const std::string file = std::string(f.name) + ".jpg";
    Fetch(file);
    ASSERT_EQ(1, ReadJpegSize(file));
    EXPECT_EQ(f.width, JpegWidth());
    EXPECT_EQ(f.height, JpegHeight());
    ExpectLoadedLikeReference(file, f.name, origin, 0, kJpegLevels);
    const Reference ref = ReadReference(file);
    veltounit::ClearWindowColour(Rgb(1, 2, 3));
    DrawJpegFile(file, 100, 50);
    for (int y = 1; y <= ref.height; ++y)
      for (int x = 1; x <= ref.width; ++x)
        ASSERT_LE(ChannelDistance(ref.At(x, y), WindowPixel(99 + x, 49 + y)), kJpegLevels)
            << file << " at " << x << "," << y;
    EXPECT_EQ(Rgb(1, 2, 3), WindowPixel(100 + ref.width, 50));
    EXPECT_EQ(Rgb(1, 2, 3), WindowPixel(100, 50 + ref.height));
    origin += 50;
  }
  EXPECT_TRUE(Boxes().empty());
}

}  // namespace
}  // namespace ivxtest
