// "nodes.html" of a real search opened in a real browser: the page names the
// drawing script shipped beside the program, and the screenshot must show the
// red boxes of the tree's rows where the page puts them.
#include <png.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "client_fixture.h"
#include "engine/TrivaneEngine.h"

namespace fs = std::filesystem;

namespace client_test {
namespace {

class NodesPage : public GameStage {};

struct Picture {
  int width = 0, height = 0;
  std::vector<uint8_t> rgb;  // 3 bytes a pixel
  bool Red(int x, int y) const {
    const uint8_t* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
    return p[0] > 180 && p[1] < 110 && p[2] < 110;
  }
};

bool ReadPng(const std::string& path, Picture& out) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
  image.format = PNG_FORMAT_RGB;
  out.width = static_cast<int>(image.width);
  out.height = static_cast<int>(image.height);
  out.rgb.resize(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, out.rgb.data(), 0, nullptr)) return false;
  return true;
}

std::string Browser() {
  for (const char* name : {"/usr/bin/chromium", "/usr/bin/chromium-browser"}) {
    if (access(name, X_OK) == 0) return name;
  }
  return "";
}

// Red pixels in row y from x = 0 to the picture's width.
int RedInRow(const Picture& p, int y) {
  int n = 0;
  for (int x = 0; x < p.width; ++x) n += p.Red(x, y) ? 1 : 0;
  return n;
}

TEST_F(NodesPage, ARealSearchsTreeShowsItsBoxesInTheBrowser) {
  const std::string browser = Browser();
  ASSERT_FALSE(browser.empty()) << "chromium is not installed (scripts/install-deps.sh installs it)";
  ASSERT_TRUE(fs::exists("kq_jsgraphics.js")) << "the drawing script is not shipped beside the program";

  InitEngine();
  // Three pieces each at least: in the placing part a side with fewer counts
  // as lost for the search, which then grows no second ply.
  for (auto [x, y] : {std::pair{1, 1}, {4, 2}, {7, 7}, {2, 4}, {7, 1}, {2, 6}, {5, 5}, {6, 4}})
    ASSERT_EQ(Engine_MakePlaceMove(x, y), 1u);
  Engine_SetDifficulty(3);
  NodeTree();
  ASSERT_TRUE(fs::exists("nodes.html"));
  std::ifstream page("nodes.html");
  const std::string html((std::istreambuf_iterator<char>(page)), {});
  ASSERT_NE(html.find("src=\"kq_jsgraphics.js\""), std::string::npos);

  const fs::path shot = ArtifactPath("nodes_page.png");
  fs::remove(shot);
  const fs::path profile = folder_ / "browser-profile";
  const std::string command = "timeout 120 " + browser +
                              " --headless --no-sandbox --disable-gpu --disable-background-networking"
                              " --disable-component-update --no-first-run --user-data-dir=" +
                              profile.string() + " --window-size=1200,720 --screenshot=" + shot.string() +
                              " file://" + (folder_ / "nodes.html").string() + " >browser.log 2>&1";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  Picture p;
  ASSERT_TRUE(ReadPng(shot.string(), p)) << "no screenshot at " << shot;
  ASSERT_EQ(p.width, 1200);

  // Level 3 rows start at y = 0, 224 and 462 and are 213 high (H = 233).  A
  // row whose boxes the page gives a width of two or more shows their top and
  // bottom edges as red lines across most of the picture; a row of more
  // boxes than the page's 10000 pixels hold gets no width and shows nothing.
  std::map<int, int> widthOfRow;
  for (size_t at = html.find("jg.drawRect("); at != std::string::npos; at = html.find("jg.drawRect(", at + 1)) {
    int x = 0, y = 0, w = 0, h = 0;
    ASSERT_EQ(std::sscanf(html.c_str() + at, "jg.drawRect(%d,%d,%d,%d)", &x, &y, &w, &h), 4);
    widthOfRow[y] = w;
  }
  ASSERT_EQ(widthOfRow.size(), 3u);
  int rowsShown = 0;
  for (const auto& [top, width] : widthOfRow) {
    ASSERT_TRUE(top == 0 || top == 224 || top == 462) << top;
    if (width >= 2) {
      ++rowsShown;
      EXPECT_GT(RedInRow(p, top), p.width / 2) << "no box edge in row " << top;
      EXPECT_GT(RedInRow(p, top + 213), p.width / 2) << "no box bottom in row " << top;
    } else if (width <= 0) {
      EXPECT_EQ(RedInRow(p, top), 0) << "boxes of no width drawn in row " << top;
    }
    EXPECT_EQ(RedInRow(p, top + 222), 0) << "the gap below row " << top << " holds red";
  }
  EXPECT_GE(rowsShown, 2);
  // Text in the first box of the first row: red pixels well inside it.
  int text = 0;
  for (int y = 4; y < 90; ++y)
    for (int x = 4; x < 60; ++x) text += p.Red(x, y) ? 1 : 0;
  EXPECT_GT(text, 40) << "the first box holds no text";
  // Beyond the lowest row the page is empty.
  EXPECT_EQ(RedInRow(p, 700), 0);
}

}  // namespace
}  // namespace client_test
