// JPEG pictures written with libjpeg here: frame sizes of every kind of file,
// import into the store and drawing, compared with libjpeg's own decoding.
#include "image_fixture.h"
#include "jpeg_writer.h"
#include "images/format_readers.h"
#include "images/jpeglib/LoadJPEG.h"

namespace ivxtest {
namespace {

using namespace ivxfiles;

uint32_t Gradient(int x, int y) { return Rgb((x * 12) % 256, (y * 9) % 256, 128); }

using JpegTest = ImageTest;

TEST_F(JpegTest, FrameSizeOfJfifProgressiveAndExifFiles) {
  WriteJpeg("plain.jpg", 40, 30, Gradient);
  WriteJpeg("prog.jpg", 33, 17, Gradient, {.progressive = true});
  WriteJpeg("exif.jpg", 21, 12, Gradient, {.exif = true});
  ASSERT_EQ(1, ReadJpegSize("plain.jpg"));
  EXPECT_EQ(40, JpegWidth());
  EXPECT_EQ(30, JpegHeight());
  ASSERT_EQ(1, ReadJpegSize("prog.jpg"));
  EXPECT_EQ(33, JpegWidth());
  EXPECT_EQ(17, JpegHeight());
  ASSERT_EQ(1, ReadJpegSize("exif.jpg"));  // not the frame marker inside the Exif block
  EXPECT_EQ(21, JpegWidth());
  EXPECT_EQ(12, JpegHeight());
  WriteFile("short.jpg", "\xFF\xD8\xFF");
  WriteFile("text.jpg", "not a picture at all");
  const std::string plain = ReadFile("plain.jpg");
  WriteFile("cut.jpg", plain.substr(0, 30));  // ends inside the header segments
  EXPECT_EQ(0, ReadJpegSize("short.jpg"));
  EXPECT_EQ(0, ReadJpegSize("text.jpg"));
  EXPECT_EQ(0, ReadJpegSize("cut.jpg"));
  EXPECT_EQ(0, ReadJpegSize("absent.jpg"));
  EXPECT_EQ(21, JpegWidth());  // the last size read stays
}

// A file of the start-of-image marker, the given segments and an end marker.
std::string JpegOf(const std::string& segments) { return "\xFF\xD8" + segments + std::string("\xFF\xD9", 2); }

// A frame segment of the given marker, height and width, three components.
std::string Frame(unsigned marker, int height, int width) {
  std::string s = {'\xFF', static_cast<char>(marker), 0, 17, 8};
  s += static_cast<char>(height >> 8);
  s += static_cast<char>(height & 0xFF);
  s += static_cast<char>(width >> 8);
  s += static_cast<char>(width & 0xFF);
  s += std::string(10, '\x01');
  return s;
}

TEST_F(JpegTest, MarkerWalkFindsEveryKindOfFrameAndOnlyFrames) {
  int32_t w = 0, h = 0;
  // Extended, lossless and arithmetic-coded frames count as frames.
  for (unsigned marker : {0xC1u, 0xC3u, 0xC9u, 0xCFu}) {
    ASSERT_TRUE(detail::ParseJpegSize(JpegOf(Frame(marker, 300, 500)), w, h)) << marker;
    EXPECT_EQ(500, w);
    EXPECT_EQ(300, h);
  }
  // A Huffman table segment (0xC4) is no frame, however much it looks like one.
  const std::string table = Frame(0xC4, 1, 1);
  ASSERT_TRUE(detail::ParseJpegSize(JpegOf(table + Frame(0xC0, 7, 9)), w, h));
  EXPECT_EQ(9, w);
  EXPECT_EQ(7, h);
  // Fill bytes, a stuffed 0xFF 0x00 and a comment too short to count its own
  // length are passed over as the decoder passes over them.
  const std::string between = std::string("\xFF\xFF\x00\x12\xFF\xFE\x00\x01", 8);
  ASSERT_TRUE(detail::ParseJpegSize(JpegOf(between + Frame(0xC2, 11, 13)), w, h));
  EXPECT_EQ(13, w);
  EXPECT_EQ(11, h);
  // Image data or the end before any frame; a frame of width 0; a frame cut short.
  EXPECT_FALSE(detail::ParseJpegSize(JpegOf(std::string("\xFF\xDA\x00\x02", 4) + Frame(0xC0, 5, 5)), w, h));
  EXPECT_FALSE(detail::ParseJpegSize(JpegOf(Frame(0xC0, 5, 0)), w, h));
  EXPECT_FALSE(detail::ParseJpegSize(std::string("\xFF\xD8\xFF\xC0\x00\x11\x08\x00\x05\x00", 10), w, h));
}

TEST_F(JpegTest, LoadedPictureMatchesTheDecoderCellByCell) {
  WriteJpeg("photo.jpg", 23, 11, Gradient);
  int w = 0, h = 0;
  const std::vector<uint32_t> want = DecodeJpeg("photo.jpg", w, h);
  ASSERT_EQ(23u * 11u, want.size());
  SetLoadOrigin(300, 200);
  LoadPicture("photo.jpg");
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      ASSERT_EQ(want[static_cast<size_t>(y * w + x)], StoreCell(301 + x, 201 + y)) << x << "," << y;
  const IVX_INFO e = PictureEntry(LocatePicture("photo"));
  EXPECT_EQ(300, e.x1);
  EXPECT_EQ(323, e.x2);
  EXPECT_EQ(211, e.y2);
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(JpegTest, PictureLargerThanTheRoomLeftIsLoadedInPart) {
  WriteJpeg("wide.jpg", 20, 10, Gradient);
  int w = 0, h = 0;
  const std::vector<uint32_t> want = DecodeJpeg("wide.jpg", w, h);
  SetLoadOrigin(2340, 1420);
  LoadJpegPicture("wide.jpg");
  ASSERT_EQ(1u, BoxTexts().size());
  EXPECT_EQ(
      "A picture that is being load on IvxFiles subsystem (20x10) is larger than current setting for memory "
      "size .. Going for partial load..",
      BoxTexts()[0]);
  EXPECT_EQ("IvxFiles", BoxCaptions()[0]);
  EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), Boxes()[0].style & MB_ICONMASK);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 8; ++x) EXPECT_EQ(want[static_cast<size_t>(y * w + x)], StoreCell(2341 + x, 1421 + y));
}

TEST_F(JpegTest, EveryKindOfJpegDrawsAtItsSize) {
  for (JpegOptions options : {JpegOptions{}, JpegOptions{.progressive = true}, JpegOptions{.exif = true}}) {
    veltounit::ClearWindowColour(Rgb(1, 2, 3));
    WriteJpeg("d.jpg", 17, 9, Gradient, options);
    int w = 0, h = 0;
    const std::vector<uint32_t> want = DecodeJpeg("d.jpg", w, h);
    DrawJpegFile("d.jpg", 50, 60);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) ASSERT_EQ(want[static_cast<size_t>(y * w + x)], WindowPixel(50 + x, 60 + y));
    EXPECT_EQ(Rgb(1, 2, 3), WindowPixel(50 + w, 60));
    EXPECT_EQ(Rgb(1, 2, 3), WindowPixel(50, 60 + h));
  }
}

TEST_F(JpegTest, UndecodableFilesShowABoxAndRegisterNothing) {
  // Written with its length: the frame header holds zero bytes.
  const char bad[] = "\xFF\xD8\xFF\xC0\x00\x11\x08\x7F\xFF\x7F\xFF\x03garbage";
  WriteFile("bad.jpg", std::string(bad, sizeof bad - 1));
  LoadJpegPicture("bad.jpg");
  EXPECT_EQ((std::vector<std::string>{"Could not open file bad.jpg"}), BoxTexts());
  EXPECT_EQ(0, PictureCount());
  EXPECT_EQ(nullptr, LoadJPEG("absent.jpg"));
  EXPECT_EQ(nullptr, LoadJPEG(nullptr));
  DrawJpegFile("bad.jpg", 0, 0);  // nothing to draw, nothing read outside
  EXPECT_EQ(0, ImportBitmap(nullptr));
}

}  // namespace
}  // namespace ivxtest
