// The ".ivx" writer: coordinates split around the bytes the reader treats as
// token ends, and pictures read back cell for cell through the library.
#include <unistd.h>

#include <fstream>

#include "data_fixture.h"
#include "resources/file_formats.h"

namespace datatest {
namespace {

using datagen::EncodeIvxCoordinate;
using datagen::Picture;
using datagen::Pixel;

TEST(IvxCoordinates, EverySplitAddsUpAndAvoidsTheTokenBytes) {
  EXPECT_EQ("", EncodeIvxCoordinate(0));
  for (int v = 1; v <= 3000; ++v) {
    const std::string bytes = EncodeIvxCoordinate(v);
    int sum = 0;
    for (unsigned char b : bytes) {
      ASSERT_FALSE(b == ',' || b == 'c' || b == 'i' || b == 'p' || b == '}') << "value " << v;
      ASSERT_FALSE(b == 0 || b == '\n' || b == '\r' || b == 26) << "value " << v;
      sum += b;
    }
    ASSERT_EQ(v, sum);
  }
}

TEST(IvxCoordinates, ValuesEqualToATokenLetterAreWrittenAsTwoBytes) {
  for (int v : {44, 99, 105, 112, 125}) {
    const std::string bytes = EncodeIvxCoordinate(v);
    EXPECT_EQ(2u, bytes.size()) << v;
  }
  EXPECT_EQ(1u, EncodeIvxCoordinate(255).size());
  EXPECT_EQ(2u, EncodeIvxCoordinate(256).size());
}

class IvxWriterTest : public DataTest {
 protected:
  void SetUp() override {
    DataTest::SetUp();
    folder_ = std::filesystem::temp_directory_path() / ("datagen_ivx_" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder_);
    std::filesystem::current_path(folder_);
  }
  void TearDown() override {
    DataTest::TearDown();
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }
  std::filesystem::path folder_;
};

// A picture wide and tall enough to need split coordinates, with a cell on
// every coordinate that equals a token byte and many colours.
TEST_F(IvxWriterTest, PictureReadsBackCellForCell) {
  Picture p = datagen::MakePicture(300, 260, Pixel{10, 20, 30});
  for (int y = 0; y < p.height; ++y) {
    for (int x = 0; x < p.width; ++x) {
      if ((x * 7 + y * 3) % 11 == 0) p.At(x, y) = Pixel{static_cast<uint8_t>(x), static_cast<uint8_t>(y), 99};
      if (x + 1 == 44 || x + 1 == 99 || x + 1 == 105 || x + 1 == 112 || x + 1 == 125 || y + 1 == 125)
        p.At(x, y) = Pixel{255, 0, 0};
    }
  }
  p.At(299, 259) = datagen::kSeeThrough;
  const std::string text = datagen::IvxFile(p);
  ASSERT_EQ(0u, text.rfind("*=ivx2*[BK(10,20,30)][LENGTH(300)][WIDTH(260)]&", 0));
  std::ofstream("grid.ivx", std::ios::binary) << text;

  ivxfiles::SetLoadOrigin(5, 7);
  ivxfiles::LoadIvxPicture("grid");
  EXPECT_TRUE(boxes_.empty());
  // "sizex"/"sizey" are the offsets of the last column and row.
  EXPECT_EQ(299, ivxfiles::PictureMetric("grid", "SIZEX"));
  EXPECT_EQ(259, ivxfiles::PictureMetric("grid", "SIZEY"));
  const Picture back = StorePicture("grid");
  ASSERT_EQ(p.pixels.size(), back.pixels.size());
  for (int y = 0; y < p.height; ++y)
    for (int x = 0; x < p.width; ++x) ASSERT_EQ(p.At(x, y), back.At(x, y)) << x << "," << y;
}

TEST_F(IvxWriterTest, OneColourPictureIsHeaderOnly) {
  const Picture p = datagen::MakePicture(3, 2, Pixel{1, 2, 3});
  EXPECT_EQ("*=ivx2*[BK(1,2,3)][LENGTH(3)][WIDTH(2)]&}", datagen::IvxFile(p));
}

}  // namespace
}  // namespace datatest
