// The thirteen pointer files: Windows cursors the platform loads with their
// hot spots, the picture library reads, and no two of which look alike.
#include <set>

#include "data_fixture.h"

namespace datatest {
namespace {

// The pointer table's files.
const char* const kPointerFiles[] = {"Arrow.cur", "Wait.cur", "Select.cur", "Forward.cur", "Type.cur",
                                     "Right.cur", "Left.cur", "Up.cur",     "Down.cur",    "Magnifier.cur",
                                     "Use.cur",   "Pick.cur", "Ring.cur"};

class PointerTest : public DataTest {};

TEST_F(PointerTest, EveryPointerLoadsAsACursorWithItsHotSpotOnTheShape) {
  std::set<std::vector<DWORD>> looks;
  for (const char* file : kPointerFiles) {
    const std::string path = (DataDir() / "Resources" / "Pointers" / file).string();
    HCURSOR cursor = LoadCursorFromFileA(path.c_str());
    ASSERT_NE(nullptr, cursor) << file;
    automation::CursorInfo info;
    ASSERT_TRUE(automation::DescribeCursor(cursor, &info)) << file;
    EXPECT_EQ(32, info.width) << file;
    EXPECT_EQ(32, info.height) << file;
    EXPECT_FALSE(info.system);
    ASSERT_GE(info.hotX, 0);
    ASSERT_LT(info.hotX, info.width);
    ASSERT_GE(info.hotY, 0);
    ASSERT_LT(info.hotY, info.height);
    // The point that clicks is on the drawn shape, or right beside it.
    bool nearShape = false;
    for (int dy = -1; dy <= 1; ++dy) {
      for (int dx = -1; dx <= 1; ++dx) {
        const int x = info.hotX + dx, y = info.hotY + dy;
        if (x < 0 || y < 0 || x >= info.width || y >= info.height) continue;
        nearShape = nearShape || (info.argb[static_cast<size_t>(y) * info.width + x] >> 24) >= 128;
      }
    }
    EXPECT_TRUE(nearShape) << file << " hot spot " << info.hotX << "," << info.hotY;
    // Mostly see-through, with a real shape.
    int opaque = 0;
    for (DWORD p : info.argb) opaque += (p >> 24) >= 128;
    EXPECT_GT(opaque, 30) << file;
    EXPECT_LT(opaque, 32 * 32 / 2) << file;
    looks.insert(info.argb);
  }
  EXPECT_EQ(std::size(kPointerFiles), looks.size()) << "two pointers look the same";
}

TEST_F(PointerTest, HotSpotsPointWhereThePointerPoints) {
  auto hot = [](const char* file) {
    const std::string path = (DataDir() / "Resources" / "Pointers" / file).string();
    automation::CursorInfo info;
    EXPECT_TRUE(automation::DescribeCursor(LoadCursorFromFileA(path.c_str()), &info));
    return std::pair<int, int>(info.hotX, info.hotY);
  };
  EXPECT_LE(hot("Arrow.cur").first, 2);
  EXPECT_LE(hot("Arrow.cur").second, 2);
  EXPECT_GT(hot("Right.cur").first, 24);
  EXPECT_LT(hot("Left.cur").first, 8);
  EXPECT_LT(hot("Up.cur").second, 8);
  EXPECT_GT(hot("Down.cur").second, 24);
  EXPECT_EQ(std::make_pair(16, 16), hot("Type.cur"));
}

TEST_F(PointerTest, PictureLibraryReadsThePointersToo) {
  std::filesystem::current_path(DataDir() / "Resources" / "Pointers");
  ivxfiles::SetLoadOrigin(1, 1);
  ivxfiles::LoadCurPicture("Arrow");
  EXPECT_TRUE(boxes_.empty());
  EXPECT_EQ(32, ivxfiles::IconWidth());
  EXPECT_EQ(32, ivxfiles::IconHeight());
  EXPECT_EQ(32, StorePicture("Arrow").width);
  // The arrow's body is white, its rim black.
  const datagen::Picture p = StorePicture("Arrow");
  EXPECT_EQ((datagen::Pixel{255, 255, 255}), p.At(3, 8));
  EXPECT_EQ((datagen::Pixel{0, 0, 0}), p.At(0, 8));
}

}  // namespace
}  // namespace datatest
