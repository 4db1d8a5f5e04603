// ivx-view run as a program: a refusal prints the box's text and ends with
// status 1 (with or without --png), a picture ends with 0, and --dump writes
// the cells as raw red, green, blue bytes.
#include <sys/wait.h>

#include <cstdlib>

#include "image_fixture.h"
#include "jpeg_writer.h"

namespace ivxtest {
namespace {

uint32_t Pattern(int x, int y) { return Rgb(x * 40 % 256, y * 60 % 256, (x + y) * 9 % 256); }

struct ViewRun {
  int status = -1;
  std::string out;
  std::string err;
};

ViewRun View(const std::string& arguments) {
  const std::string command = "TRIVANE_HEADLESS=1 '" IVX_VIEW_PROGRAM "' " + arguments + " >view.out 2>view.err";
  const int raw = std::system(command.c_str());
  ViewRun run;
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
  run.out = ReadFile("view.out");
  run.err = ReadFile("view.err");
  return run;
}

using ViewerTest = ImageTest;

TEST_F(ViewerTest, ARefusalIsPrintedAndEndsWithStatusOne) {
  WriteFile("cut.bmp", MakeBmp(4, 4, 24, 0, Pattern).substr(0, 70));
  for (const std::string& options : {std::string(), std::string(" --png out.png"), std::string(" --dump out.rgb")}) {
    const ViewRun run = View("cut.bmp" + options);
    EXPECT_EQ(1, run.status) << options;
    EXPECT_NE(std::string::npos, run.err.find("Bmp Files: Cannot load bmp file cut.bmp: truncated")) << run.err;
    EXPECT_EQ("", run.out);
  }
  WriteFile("bad.ico", std::string("\0\0\1\0\0\0", 6));
  const ViewRun icon = View("bad.ico --png out.png");
  EXPECT_EQ(1, icon.status);
  EXPECT_NE(std::string::npos, icon.err.find("size 0")) << icon.err;
  // The IVX reader registers a missing file's name all the same; its box
  // still makes the run a refusal.
  const ViewRun missing = View("nothing.ivx");
  EXPECT_EQ(1, missing.status);
  EXPECT_NE(std::string::npos, missing.err.find("Could not open file nothing.ivx")) << missing.err;
}

TEST_F(ViewerTest, APictureIsDumpedCellByCellAndEndsWithStatusZero) {
  WriteFile("good.bmp", MakeBmp(3, 2, 24, 0, Pattern));
  const ViewRun run = View("good.bmp --dump cells.rgb --png shot.png");
  EXPECT_EQ(0, run.status) << run.err;
  EXPECT_EQ("good.bmp: 3 x 2\n", run.out);
  const std::string cells = ReadFile("cells.rgb");
  ASSERT_EQ(3u * 2 * 3, cells.size());
  for (int y = 1; y <= 2; ++y) {
    for (int x = 1; x <= 3; ++x) {
      const size_t at = static_cast<size_t>((y - 1) * 3 + (x - 1)) * 3;
      const uint32_t c = Pattern(x, y);
      EXPECT_EQ(c & 0xFF, static_cast<unsigned char>(cells[at]));
      EXPECT_EQ((c >> 8) & 0xFF, static_cast<unsigned char>(cells[at + 1]));
      EXPECT_EQ((c >> 16) & 0xFF, static_cast<unsigned char>(cells[at + 2]));
    }
  }
  EXPECT_FALSE(ReadFile("shot.png").empty());
}

TEST_F(ViewerTest, AJpegLargerThanTheStoreIsReadInPartUnderItsWarning) {
  WriteJpeg("wide.jpg", 2400, 2, [](int, int) { return Rgb(200, 200, 200); });
  const ViewRun run = View("wide.jpg --dump wide.rgb");
  EXPECT_EQ(0, run.status) << run.err;
  EXPECT_EQ("wide.jpg: 2400 x 2\n", run.out);
  EXPECT_NE(std::string::npos, run.err.find("IvxFiles: A picture that is being load")) << run.err;
  const std::string cells = ReadFile("wide.rgb");
  ASSERT_EQ(2400u * 2 * 3, cells.size());
  EXPECT_NEAR(200, static_cast<unsigned char>(cells[0]), 3);
  EXPECT_EQ(0, cells[size_t{3} * 2399]);  // past the store's last column
}

TEST_F(ViewerTest, WrongUsageEndsWithStatusTwo) {
  EXPECT_EQ(2, View("").status);
  EXPECT_EQ(2, View("a.bmp --zoom 3").status);
}

}  // namespace
}  // namespace ivxtest
