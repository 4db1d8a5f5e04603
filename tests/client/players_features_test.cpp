// What players of Morris programs expect, through the program's own loop on
// the headless window: takeback and redo, the move list in notation, saved
// games, the status line, marks that belong to their moment, the last-move and
// slide-pick marks, the modes of the command line, and computer games that end
// by the draw rules.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

#include "client_fixture.h"
#include "engine/TrivaneEngine.h"
#include "gfx/veltounit.h"
#include "gui/VeltoGUI.h"
#include "images/IvxFiles.h"
#include "platform/automation.h"

namespace client_test {
namespace {

// The engine as far as the exports show it: the board, the turn, pieces in
// hand, what is due, the draw reason and every mark the player to move sees.
std::vector<long> EngineSnapshot() {
  std::vector<long> s;
  const uint32_t player = Engine_GetPlayer();
  const uint32_t opponent = player == 1 ? 2 : 1;
  for (const Pt& p : BoardPoints()) {
    s.push_back(Engine_GetPieceTable(p.x, p.y));
    if (Engine_PieceAllowedTable(p.x, p.y)) s.push_back(Engine_Place_Mark(p.x, p.y, player));
    if (Engine_PlayerPieceExistsTable(p.x, p.y, opponent)) s.push_back(Engine_Remove_Mark(p.x, p.y, opponent));
  }
  s.push_back(player);
  s.push_back(Engine_GetRemainingPutPlayerPieces(1));
  s.push_back(Engine_GetRemainingPutPlayerPieces(2));
  s.push_back(GamePart(player));
  s.push_back(Engine_GetDrawReason());
  return s;
}

uint32_t Pixel(int x, int y) { return automation::WindowPixel(x, y); }
constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kWhite = 0xFFFFFF;

// Cells of the marks' opaque boxes in the mark area of point p.
int MarkCells(Pt p) {
  int n = 0;
  for (int y = client::PieceTop(p.y) + 2; y < client::PieceTop(p.y) + 14; ++y)
    for (int x = client::PieceLeft(p.x) + 2; x < client::PieceLeft(p.x) + 24; ++x)
      n += Pixel(x, y) == kBlack ? 1 : 0;
  return n;
}

// Marks on any empty point, or on any piece.  A mark's opaque box fills about
// 230 of the area's 264 cells; black text beside a point (small sizes are
// drawn in two colours, as GDI draws them) crosses about 35 of them.
int MarkedPoints(bool onPieces) {
  int n = 0;
  for (const Pt& p : BoardPoints()) {
    const bool piece = Engine_GetPieceTable(p.x, p.y) != 0;
    if (piece == onPieces && MarkCells(p) > 100) ++n;
  }
  return n;
}

// The whole piece picture, upper half included (where marks are written).
bool CleanPiece(Pt p) {
  const int who = static_cast<int>(Engine_GetPieceTable(p.x, p.y));
  if (who != 1 && who != 2) return false;
  const int left = client::PieceLeft(p.x);
  const int firstColumn = std::max(1, 48 - left);
  const int lastColumn = std::min(ivxfiles::PictureMetric("pioniup1", "SIZEX"), 452 - left);
  return PictureMatch("pioniup" + std::to_string(who), left, client::PieceTop(p.y), 0, lastColumn, firstColumn) >=
         0.99;
}

// The outline drawn around point p in colour c: its left edge at mid height.
bool Outlined(Pt p, uint32_t c) {
  const int size = ivxfiles::PictureMetric("pioniup1", "SIZEY");
  return Pixel(client::PieceLeft(p.x) - client::kMarkInset, client::PieceTop(p.y) + size / 2) == c;
}
const uint32_t kGreen = 0x00C800;
const uint32_t kYellow = 0x00DCFF;

// Leftmost and rightmost cell of colour c in the status row.
std::pair<int, int> RowExtent(uint32_t c) {
  int lo = 10000, hi = -1;
  const int top = veltounit::WindowHeight() - 40;
  for (int y = top; y < top + 18; ++y)
    for (int x = 13; x < 494; ++x) {
      if (Pixel(x, y) != c) continue;
      lo = std::min(lo, x);
      hi = std::max(hi, x);
    }
  return {lo, hi};
}

void CtrlKey(StepScript& s, int key) {
  s.Do([key] {
    automation::PressKey(VK_CONTROL);
    automation::TapKey(key);
  });
  s.Do([] { automation::ReleaseKey(VK_CONTROL); });
}

Pt CentreOf(const std::string& object) {
  return Pt{(veltogui::GetObjectX1(object) + veltogui::GetObjectX2(object)) / 2,
            (veltogui::GetObjectY1(object) + veltogui::GetObjectY2(object)) / 2};
}

std::string ReadWhole(const std::string& name) {
  std::ifstream in(name);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class PlayersFeatures : public GameStage {
 protected:
  void Run(StepScript& s) {
    client::SetPassObserver([&] { s.OnPass(); });
    EXPECT_EQ(client::GameLoop(), client::LoopEnd::WindowClosed);
    EXPECT_TRUE(s.Done());
  }
};

// Two people: player 1 closes the top row a7-d7-g7 on its third piece.
const std::vector<Pt> kToMill = {{1, 1}, {2, 2}, {4, 1}, {2, 4}, {7, 1}};

TEST_F(PlayersFeatures, TakeBackInTheMiddleOfARemovalAndRedo) {
  StartProgram({"EASY", "TWOPLAYERS"});
  ASSERT_EQ(client::cpu_player[1], 0);
  ASSERT_EQ(client::cpu_player[2], 0);
  StepScript s;
  for (size_t i = 0; i + 1 < kToMill.size(); ++i) s.ClickPoint(kToMill[i]);
  std::vector<long> before;
  s.Check([&] {
    before = EngineSnapshot();
    EXPECT_EQ(client::StatusText(1), "place a piece | P1 2+7  P2 2+7 | EASY");
  });
  s.ClickPoint(kToMill.back());
  s.Check([&] {
    ASSERT_EQ(GamePart(1), 4u);
    EXPECT_EQ(client::StatusText(4), "take a piece | P1 3+6  P2 2+7 | EASY");
    EXPECT_GT(MarkCells({2, 2}), 10) << "the removal marks are shown on player 2's pieces";
    EXPECT_EQ(MarkedPoints(false), 0) << "no placement marks while a removal is due";
    automation::SaveWindowPng(ArtifactPath("takeback_mid_removal_before.png").string());
  });
  CtrlKey(s, 'Z');
  s.Check([&] {
    EXPECT_EQ(EngineSnapshot(), before) << "not the state before the mill was closed";
    EXPECT_EQ(CompareScreenWithEngine(), "");
    EXPECT_EQ(client::RecordedPlies().size(), 4u);
    EXPECT_EQ(client::RedoPlies().size(), 1u);
    EXPECT_TRUE(CleanPiece({2, 2}) && CleanPiece({2, 4})) << "a removal mark outlived the takeback";
    EXPECT_GT(MarkCells({7, 1}), 10) << "the placement marks are back";
    EXPECT_TRUE(Outlined({2, 4}, kGreen)) << "the last move is player 2's b4";
    EXPECT_FALSE(Outlined({7, 1}, kGreen));
    automation::SaveWindowPng(ArtifactPath("takeback_mid_removal_after.png").string());
  });
  CtrlKey(s, 'Y');
  s.Check([&] {
    EXPECT_EQ(GamePart(1), 4u);
    EXPECT_EQ(Engine_GetPieceTable(7, 1), 1u);
    EXPECT_TRUE(client::RedoPlies().empty());
    EXPECT_EQ(CompareScreenWithEngine(), "");
  });
  s.ClickPoint({2, 2});
  s.Check([&] {
    EXPECT_EQ(Engine_GetPieceTable(2, 2), 0u);
    EXPECT_EQ(Engine_GetPlayer(), 2u);
    // The stale-mark case: the removal mark written over b4 goes with the removal.
    EXPECT_TRUE(CleanPiece({2, 4})) << "the removal mark stayed on b4 after the removal";
    EXPECT_EQ(MarkedPoints(true), 0) << "marks left on pieces";
    EXPECT_EQ(client::StatusText(GamePart(2)), "place a piece | P1 3+6  P2 1+7 | EASY");
  });
  Run(s);
}

TEST_F(PlayersFeatures, TakeBackASlideAndTheComputersReplyThenRedo) {
  StartProgram({"EASY"});
  RandomPolicy policy(11);
  policy.avoidMills = true;
  auto personToMove = [] { return Engine_GetPlayer() == 1 && client::SlideStep() == 1 && GamePart(1) != 4; };
  StepScript s;
  for (int i = 0; i < 9; ++i) {
    s.WaitFor(personToMove);
    s.ClickAt([&] {
      const std::optional<Action> a = policy.Choose(ReadEngine(), 1, false);
      return a ? Pt{client::kUnit * a->at.x, client::kUnit * a->at.y} : Pt{0, 0};
    });
  }
  s.WaitFor([&] { return personToMove() && ReadEngine().AllPlaced(); });
  std::vector<long> beforeSlide, afterReply;
  size_t pliesBefore = 0;
  Action slide;
  s.Check([&] {
    beforeSlide = EngineSnapshot();
    pliesBefore = client::RecordedPlies().size();
    const std::optional<Action> a = policy.Choose(ReadEngine(), 1, false);
    ASSERT_TRUE(a.has_value());
    slide = *a;
    EXPECT_EQ(client::StatusText(GamePart(1)).rfind("move a piece | ", 0), 0u) << client::StatusText(GamePart(1));
  });
  s.ClickAt([&] { return Pt{client::kUnit * slide.from.x, client::kUnit * slide.from.y}; });
  s.Check([&] { EXPECT_TRUE(Outlined(slide.from, kYellow)) << "the picked piece is not highlighted"; });
  s.ClickAt([&] { return Pt{client::kUnit * slide.at.x, client::kUnit * slide.at.y}; });
  s.WaitFor([&] { return personToMove() && client::RecordedPlies().size() >= pliesBefore + 2; });
  s.Check([&] {
    afterReply = EngineSnapshot();
    EXPECT_NE(afterReply, beforeSlide);
  });
  s.Do([] { automation::TapKey(VK_BACK); });
  s.Check([&] {
    EXPECT_EQ(EngineSnapshot(), beforeSlide) << "Backspace did not bring back the moment before the slide";
    EXPECT_EQ(client::RecordedPlies().size(), pliesBefore);
    EXPECT_EQ(CompareScreenWithEngine(), "");
    EXPECT_FALSE(Outlined(slide.from, kYellow));
    automation::SaveWindowPng(ArtifactPath("takeback_after_slide.png").string());
  });
  // The button does what Ctrl+Y does.
  s.ClickAt([] { return CentreOf("REDO"); });
  s.Check([&] {
    EXPECT_EQ(EngineSnapshot(), afterReply);
    EXPECT_EQ(CompareScreenWithEngine(), "");
    EXPECT_EQ(veltogui::GetObjectValue("REDO"), "1");
  });
  Run(s);
}

TEST_F(PlayersFeatures, SaveAndLoadReplayToTheSameState) {
  StartProgram({"EASY", "TWOPLAYERS"});
  StepScript s;
  for (const Pt& p : kToMill) s.ClickPoint(p);
  s.ClickPoint({2, 2});  // the removal
  s.ClickPoint({3, 3});
  s.ClickPoint({5, 3});
  std::vector<long> saved;
  std::vector<game_record::Ply> plies;
  s.Check([&] {
    saved = EngineSnapshot();
    plies = client::RecordedPlies();
  });
  CtrlKey(s, 'S');
  s.Check([&] {
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.back().caption, "Save");
    EXPECT_EQ(boxes.back().text, "The game is saved in trivane-game.txt (7 moves).");
    const std::string text = ReadWhole("trivane-game.txt");
    EXPECT_EQ(text.rfind("# Trivane game\n# Level: EASY\n# Date: ", 0), 0u) << text;
    EXPECT_NE(text.find(" UTC\na7\nb6\nd7\nb4\ng7xb6\nc5\ne5\n"), std::string::npos) << text;
  });
  s.ClickPoint({6, 6});
  s.ClickPoint({6, 2});
  s.Check([&] { EXPECT_NE(EngineSnapshot(), saved); });
  s.Do([&] {
    automation::ScriptFileDialogAnswer((folder_ / "trivane-game.txt").string());
    automation::PressKey(VK_CONTROL);
    automation::TapKey('O');
  });
  s.Do([] { automation::ReleaseKey(VK_CONTROL); });
  s.Check([&] {
    EXPECT_EQ(EngineSnapshot(), saved);
    EXPECT_EQ(client::RecordedPlies(), plies);
    EXPECT_EQ(CompareScreenWithEngine(), "");
    EXPECT_TRUE(Outlined({5, 3}, kGreen));
  });
  Run(s);
}

TEST_F(PlayersFeatures, ADamagedFileIsRefusedAndTheGameStays) {
  StartProgram({"EASY", "TWOPLAYERS"});
  {
    std::ofstream bad("damaged.txt");
    bad << "# Trivane game\n# Level: HARD\na7\nb6\nd7\nb6\n";
  }
  StepScript s;
  for (const Pt& p : {Pt{4, 7}, Pt{6, 4}, Pt{2, 6}}) s.ClickPoint(p);
  std::vector<long> before;
  std::vector<uint32_t> screen;
  auto readScreen = [] {
    std::vector<uint32_t> all;
    // Above the buttons, whose look follows the pointer.
    for (int y = 0; y < 478; ++y)
      for (int x = 0; x < 500; ++x) all.push_back(automation::WindowPixel(x, y));
    return all;
  };
  size_t boxesBefore = 0;
  s.Check([&] {
    before = EngineSnapshot();
    screen = readScreen();
    boxesBefore = boxes.size();
  });
  // Cancelled in the file dialog: nothing happens.
  s.Do([&] { automation::ScriptFileDialogAnswer(""); });
  s.ClickAt([] { return CentreOf("LOAD"); });
  s.Check([&] {
    EXPECT_EQ(boxes.size(), boxesBefore);
    EXPECT_EQ(EngineSnapshot(), before);
  });
  s.Do([&] { automation::ScriptFileDialogAnswer((folder_ / "damaged.txt").string()); });
  s.ClickAt([] { return CentreOf("LOAD"); });
  s.Check([&] {
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.back().caption, "Load");
    EXPECT_EQ(boxes.back().text, "The game in " + (folder_ / "damaged.txt").string() +
                                     " was not loaded:\nline 6: \"b6\" is not a legal move here");
    EXPECT_EQ(EngineSnapshot(), before);
    EXPECT_EQ(client::RecordedPlies().size(), 3u);
    EXPECT_EQ(client::level_name, "EASY");
    EXPECT_TRUE(readScreen() == screen) << "the refused file changed the screen";
  });
  Run(s);
}

TEST_F(PlayersFeatures, ComputerGameEndsByRepetitionWithTheReasonShown) {
  StartProgram({"CPUVSCPU", "EASY"});
  std::string reasonAtEnd;
  std::pair<int, int> extent{0, 0}, glyphs{0, 0};
  answerBox = [&](const SeenBox& box) {
    if (box.caption == "Victory!") {
      reasonAtEnd = client::EndReasonText(7);
      extent = RowExtent(kBlack);  // the opaque box of the text
      glyphs = RowExtent(kWhite);
      automation::SaveWindowPng(ArtifactPath("cpu_vs_cpu_draw_by_repetition.png").string());
      return IDNO;
    }
    return box.caption == "Draw Proposition..." ? IDNO : IDOK;
  };
  int passes = 0;
  client::SetPassObserver([&] {
    if (++passes > 5000) RequestCloseArea();
  });
  EXPECT_EQ(client::GameLoop(), client::LoopEnd::PlayerDeclined);
  ASSERT_FALSE(boxes.empty());
  EXPECT_EQ(boxes.back().text, "Game ended as a draw ! :P \nPlay Again ?");
  EXPECT_EQ(Engine_GetDrawReason(), 1u);
  EXPECT_EQ(reasonAtEnd, "Draw: the same position three times");
  // The reason stands centred in the turn line's row, in place of the turn line.
  const int width = veltounit::TextWidth(reasonAtEnd);
  EXPECT_NEAR(extent.second - extent.first + 1, width, 3) << extent.first << ".." << extent.second;
  // NOLINTNEXTLINE(bugprone-integer-division): centring lands on a whole pixel, rounded down
  EXPECT_NEAR(extent.first, (500 - width) / 2, 3);
  // White letters inside it, most of its width.
  EXPECT_GT(glyphs.first, extent.first);
  EXPECT_LT(glyphs.second, extent.second);
  EXPECT_GT(glyphs.second - glyphs.first, width * 8 / 10);
  EXPECT_EQ(CompareScreenWithEngine(), "");
}

TEST_F(PlayersFeatures, MarksOnlyForAPersonsTurnAndHTogglesThem) {
  StartProgram({"EASY"});
  StepScript s;
  s.ClickPoint({4, 6});
  s.WaitFor([] { return Engine_GetPlayer() == 1; });
  s.Check([&] { EXPECT_GT(MarkedPoints(false), 15) << "the person sees placement marks"; });
  s.Do([] { automation::TapKey('H'); });
  s.Check([&] {
    EXPECT_FALSE(client::hints_on);
    EXPECT_EQ(MarkedPoints(false), 0);
    EXPECT_EQ(CompareScreenWithEngine(), "");
  });
  s.ClickPoint({2, 6});
  s.WaitFor([] { return Engine_GetPlayer() == 1; });
  s.Check([&] { EXPECT_EQ(MarkedPoints(false), 0) << "marks came back while switched off"; });
  s.Do([] { automation::TapKey('H'); });
  s.Check([&] {
    EXPECT_TRUE(client::hints_on);
    EXPECT_GT(MarkedPoints(false), 15);
  });
  Run(s);
}

TEST_F(PlayersFeatures, NoMarksWhileTheComputerPlaysBothSides) {
  StartProgram({"CPUVSCPU", "EASY"});
  StepScript s;
  s.WaitFor([] { return client::RecordedPlies().size() >= 7; });
  s.Check([&] {
    EXPECT_EQ(MarkedPoints(false), 0);
    EXPECT_EQ(MarkedPoints(true), 0);
    EXPECT_EQ(CompareScreenWithEngine(), "");
  });
  Run(s);
}

TEST_F(PlayersFeatures, LastMoveAndSlidePickAreMarked) {
  StartProgram({"EASY", "TWOPLAYERS"});
  // Eighteen placements without a mill; (1,4), (2,2), (2,6), (3,3), (4,6)
  // and (4,7) stay empty.
  const std::vector<Pt> order = {{6, 6}, {2, 4}, {3, 4}, {7, 7}, {7, 4}, {5, 4}, {4, 5}, {1, 1}, {1, 7},
                                 {5, 3}, {5, 5}, {4, 1}, {6, 2}, {6, 4}, {4, 3}, {4, 2}, {7, 1}, {3, 5}};
  StepScript s;
  for (const Pt& p : order) s.ClickPoint(p);
  s.Check([&] {
    EXPECT_TRUE(Outlined({3, 5}, kGreen));
    EXPECT_FALSE(Outlined({7, 1}, kGreen)) << "the mark of the move before stayed";
    EXPECT_EQ(client::StatusText(GamePart(1)), "move a piece | P1 9+0  P2 9+0 | EASY");
  });
  s.ClickPoint({1, 7});
  s.Check([&] { EXPECT_TRUE(Outlined({1, 7}, kYellow)); });
  s.ClickPoint({6, 6});  // occupied: the pick is dropped
  s.Check([&] {
    EXPECT_EQ(client::SlideStep(), 1);
    EXPECT_FALSE(Outlined({1, 7}, kYellow));
  });
  s.ClickPoint({6, 6});
  s.Check([&] {
    EXPECT_TRUE(Outlined({6, 6}, kYellow));
    EXPECT_FALSE(Outlined({1, 7}, kYellow)) << "a new pick replaces the old";
    automation::SaveWindowPng(ArtifactPath("slide_pick.png").string());
  });
  s.ClickPoint({4, 6});
  s.Check([&] {
    EXPECT_EQ(Engine_GetPieceTable(4, 6), 1u);
    EXPECT_TRUE(Outlined({4, 6}, kGreen));
    EXPECT_FALSE(Outlined({6, 6}, kYellow));
    EXPECT_EQ(CompareScreenWithEngine(), "");
    automation::SaveWindowPng(ArtifactPath("status_line.png").string());
  });
  Run(s);
}

TEST_F(PlayersFeatures, MoveListInNotationOpensAndCloses) {
  StartProgram({"EASY", "TWOPLAYERS"});
  StepScript s;
  for (const Pt& p : kToMill) s.ClickPoint(p);
  s.ClickPoint({2, 2});
  s.ClickPoint({4, 6});
  s.Do([] { automation::TapKey('M'); });
  s.Check([&] {
    EXPECT_TRUE(client::MoveListOpen());
    EXPECT_EQ(client::MoveListLines(), (std::vector<std::string>{"1.  a7   b6", "2.  d7   b4", "3.  g7xb6   d2"}));
    automation::SaveWindowPng(ArtifactPath("move_list.png").string());
  });
  // While the list is open a click on the board does nothing.
  s.ClickPoint({1, 4});
  s.Check([&] { EXPECT_EQ(Engine_GetPieceTable(1, 4), 0u); });
  s.ClickAt([] { return CentreOf("MOVESCLOSE"); });
  s.Check([&] {
    EXPECT_FALSE(client::MoveListOpen());
    EXPECT_EQ(CompareScreenWithEngine(), "");
  });
  s.ClickAt([] { return CentreOf("MOVES"); });
  s.Check([&] { EXPECT_TRUE(client::MoveListOpen()); });
  s.Do([] { automation::TapKey('M'); });
  s.Check([&] {
    EXPECT_FALSE(client::MoveListOpen());
    EXPECT_EQ(CompareScreenWithEngine(), "");
  });
  Run(s);
}

TEST_F(PlayersFeatures, TheComputerOpensWithCpuFirst) {
  StartProgram({"cpufirst", "EASY"});
  EXPECT_EQ(client::cpu_player[1], 1);
  EXPECT_EQ(client::cpu_player[2], 0);
  StepScript s;
  s.WaitFor([] { return client::RecordedPlies().size() == 1 && Engine_GetPlayer() == 2; });
  s.Check([&] {
    EXPECT_EQ(ReadEngine().OnBoard(1), 1);
    EXPECT_GT(MarkedPoints(false), 15) << "the person, player 2, sees marks";
  });
  s.Check([&] {
    Pt free{0, 0};
    for (const Pt& p : BoardPoints())
      if (Engine_GetPieceTable(p.x, p.y) == 0) free = p;
    automation::Click(client::kUnit * free.x, client::kUnit * free.y);
  });
  s.WaitFor([] { return client::RecordedPlies().size() == 3; });
  s.Check([&] {
    EXPECT_EQ(ReadEngine().OnBoard(2), 1);
    EXPECT_EQ(Engine_GetPlayer(), 2u);
  });
  Run(s);
}

}  // namespace
}  // namespace client_test
