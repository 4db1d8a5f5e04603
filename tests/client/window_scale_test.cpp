// The game in a window shown two or three times as large: the words that ask
// for it, the keys that change it while playing, and clicks on the enlarged
// window landing on the board's points.
#include "client_fixture.h"
#include "engine/TrivaneEngine.h"
#include "gfx/veltounit.h"
#include "platform/automation.h"

namespace client_test {
namespace {

namespace vu = veltounit;

TEST(ZoomWords, AnyCaseAndTheLastOneWins) {
  EXPECT_EQ(client::ZoomFromWords({}), 0) << "no word: the desktop chooses";
  EXPECT_EQ(client::ZoomFromWords({"EASY", "zoom2"}), 2);
  EXPECT_EQ(client::ZoomFromWords({"Zoom3", "HARD", "ZOOM1"}), 1);
  EXPECT_EQ(client::ZoomFromWords({"ZOOM4", "ZOOM", "ZOOM22", "2"}), 0);
}

class ScaledGame : public GameStage {
 protected:
  void Run(StepScript& s) {
    client::SetPassObserver([&] { s.OnPass(); });
    EXPECT_EQ(client::GameLoop(), client::LoopEnd::WindowClosed);
    EXPECT_TRUE(s.Done());
  }
};

void Keys(StepScript& s, bool ctrl, int key) {
  s.Do([ctrl, key] {
    if (ctrl) automation::PressKey(VK_CONTROL);
    automation::TapKey(key);
  });
  if (ctrl) s.Do([] { automation::ReleaseKey(VK_CONTROL); });
}

TEST_F(ScaledGame, ClicksOnTheDoubledWindowLandOnThePointsAndKeysChangeTheFactor) {
  StartProgram({"EASY", "zoom2"});
  ASSERT_EQ(vu::WindowScale(), 2);
  EXPECT_EQ(vu::WindowWidth(), 500) << "the program still draws on 500 x 500";
  EXPECT_EQ(vu::WindowHeight(), 500);

  StepScript s;
  // Point (1, 1) is drawn at (62, 62); on the doubled window it is at (124, 124).
  s.Do([] { automation::ClickPresented(2 * client::kUnit * 1, 2 * client::kUnit * 1); });
  s.WaitFor([] { return client::RecordedPlies().size() == 2 && Engine_GetPlayer() == 1; });
  s.Check([&] {
    EXPECT_EQ(Engine_GetPieceTable(1, 1), 1u) << "the click did not place on point (1, 1)";
    EXPECT_EQ(PieceOnScreen({1, 1}), 1);
    EXPECT_EQ(CompareScreenWithEngine(), "");
    int w = 0, h = 0;
    const std::vector<COLORREF> shown = automation::PresentedPicture(&w, &h);
    ASSERT_EQ(w, 1000);
    ASSERT_EQ(h, 1000);
    int wrong = 0;
    for (int y = 0; y < 500; ++y)
      for (int x = 0; x < 500; ++x)
        for (int d = 0; d < 4; ++d)
          wrong += shown[static_cast<size_t>(2 * y + d / 2) * static_cast<size_t>(w) +
                         static_cast<size_t>(2 * x + d % 2)] != automation::WindowPixel(x, y);
    EXPECT_EQ(wrong, 0) << "presented pixels that are not their surface pixel";
  });
  // A point placed through a click off the block's corner: (4, 7) at (248, 434).
  s.Do([] { automation::ClickPresented(2 * client::kUnit * 4 + 1, 2 * client::kUnit * 7 + 1); });
  s.WaitFor([] { return client::RecordedPlies().size() == 4 && Engine_GetPlayer() == 1; });
  s.Check([] { EXPECT_EQ(Engine_GetPieceTable(4, 7), 1u) << "the click did not place on point (4, 7)"; });
  Keys(s, true, VK_OEM_MINUS);
  s.Check([] { EXPECT_EQ(vu::WindowScale(), 1); });
  Keys(s, true, VK_OEM_MINUS);
  s.Check([] { EXPECT_EQ(vu::WindowScale(), 1) << "1 is the smallest"; });
  Keys(s, true, VK_OEM_PLUS);
  s.Check([] { EXPECT_EQ(vu::WindowScale(), 2); });
  Keys(s, false, VK_ADD);
  Keys(s, false, VK_ADD);
  s.Check([] { EXPECT_EQ(vu::WindowScale(), 3) << "3 is the largest"; });
  Keys(s, false, VK_SUBTRACT);
  s.Check([] {
    EXPECT_EQ(vu::WindowScale(), 2);
    EXPECT_EQ(vu::WindowWidth(), 500);
    int w = 0, h = 0;
    automation::PresentedPicture(&w, &h);
    EXPECT_EQ(w, 1000);
  });
  Run(s);
}

TEST_F(ScaledGame, WithoutAWordAHeadlessWindowStaysAtOne) {
  StartProgram({"EASY"});
  EXPECT_EQ(vu::WindowScale(), 1);
}

}  // namespace
}  // namespace client_test
