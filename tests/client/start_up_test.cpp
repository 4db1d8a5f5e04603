// The program's start-up, command line and board view, each on its own.
#include <cstdio>
#include <fstream>
#include <iterator>

#include "client_fixture.h"
#include "engine/TrivaneEngine.h"
#include "gfx/veltounit.h"
#include "gui/VeltoGUI.h"
#include "images/IvxFiles.h"
#include "platform/automation.h"

namespace client_test {
namespace {

namespace vu = veltounit;
namespace gui = veltogui;
namespace ivx = ivxfiles;

std::string ReadFile(const std::string& name) {
  std::ifstream in(name);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// ------------------------------------------------------------ command line --

class CommandLine : public GameStage {
 protected:
  // The summary line of a tree grown at the level the words leave set, from
  // a position with five pieces a side (fewer would make every level search
  // three plies): the size of the tree tells the depth.
  std::string TreeSummaryAfter(const std::vector<std::string>& words) {
    InitEngine();
    client::ReadCommandLine(words);
    for (Pt p :
         {Pt{1, 1}, Pt{4, 1}, Pt{7, 1}, Pt{4, 2}, Pt{2, 2}, Pt{1, 4}, Pt{6, 2}, Pt{2, 4}, Pt{3, 3}, Pt{7, 7}}) {
      EXPECT_EQ(Engine_MakePlaceMove(p.x, p.y), 1u);
    }
    EXPECT_EQ(Engine_GetPlayer(), 1u) << "no mill was closed";
    std::remove("nodes.txt");
    NodeTree();
    const std::string text = ReadFile("nodes.txt");
    const size_t at = text.find("stack size ");
    return at == std::string::npos ? std::string("(no tree)") : text.substr(at, text.find('/', at) - at);
  }
};

TEST_F(CommandLine, WordsAreMatchedWithoutRegardToCase) {
  client::ReadCommandLine({"cpuVScpu"});
  EXPECT_EQ(client::cpu_player[1], 1);
  EXPECT_EQ(client::cpu_player[2], 1);
}

TEST_F(CommandLine, OtherWordsAreIgnored) {
  client::ReadCommandLine({"--help", "CPU", "EASYish", ""});
  EXPECT_EQ(client::cpu_player[1], 0);
  EXPECT_EQ(client::cpu_player[2], 1);
}

TEST_F(CommandLine, TheLastDifficultyWordWins) {
  const std::string easy = TreeSummaryAfter({"EASY"});
  ASSERT_NE(easy, "(no tree)");
  EXPECT_EQ(TreeSummaryAfter({"easy"}), easy);
  EXPECT_EQ(TreeSummaryAfter({"HARD", "EASY"}), easy);
  EXPECT_EQ(TreeSummaryAfter({"EASY", "nonsense"}), easy);
  EXPECT_NE(TreeSummaryAfter({"EASY", "MEDIUM"}), easy);
  EXPECT_NE(TreeSummaryAfter({"EASY", "hard"}), easy);
}

// The first line of "nodes.txt" after the computer's move at the level the
// words leave set, from the same position as above.
std::string FirstNodesLineAfter(const std::vector<std::string>& words) {
  InitEngine();
  Engine_SetMasterLevel(0);
  Engine_SetDifficulty(5);
  client::ReadCommandLine(words);
  for (Pt p : {Pt{1, 1}, Pt{4, 1}, Pt{7, 1}, Pt{4, 2}, Pt{2, 2}, Pt{1, 4}, Pt{6, 2}, Pt{2, 4}, Pt{3, 3}, Pt{7, 7}})
    EXPECT_EQ(Engine_MakePlaceMove(p.x, p.y), 1u);
  std::remove("nodes.txt");
  uint8_t fx = 0, fy = 0, tx = 0, ty = 0;
  AI_Play(&fx, &fy, &tx, &ty);
  EXPECT_EQ(Engine_MakePlaceMove(fx, fy), 1u) << "the computer's placement is legal";
  const std::string text = ReadFile("nodes.txt");
  return text.substr(0, text.find('\n'));
}

TEST_F(CommandLine, MasterWordsChooseTheDeepSearchAndItsTime) {
  // MASTER and MASTERTIME=MS choose the deep search, whose summary names it;
  // a later EASY..HARD goes back to the specified levels.
  EXPECT_EQ(FirstNodesLineAfter({"master"}).rfind("MASTER depth ", 0), 0u);
  const std::string timed = FirstNodesLineAfter({"MasterTime=40"});
  ASSERT_EQ(timed.rfind("MASTER depth ", 0), 0u) << timed;
  EXPECT_EQ(FirstNodesLineAfter({"MASTER", "HARD"}).rfind("MASTER", 0), std::string::npos);
  EXPECT_EQ(FirstNodesLineAfter({"MASTERTIME=40", "easy"}).rfind("MASTER", 0), std::string::npos);
  // Anything else that starts like the word is ignored, as unknown words are.
  for (const char* bad : {"MASTERTIME=", "MASTERTIME=0", "MASTERTIME=4x", "MASTERTIME=-5", "MASTERTIME=3600001",
                          "MASTERTIME=99999999999", "MASTERTIME40", "MASTERTIMES=40"}) {
    SCOPED_TRACE(bad);
    EXPECT_EQ(client::MasterTimeWord(bad), 0u);
    EXPECT_EQ(FirstNodesLineAfter({bad}).rfind("MASTER", 0), std::string::npos);
  }
  EXPECT_EQ(client::MasterTimeWord("mastertime=1"), 1u);
  EXPECT_EQ(client::MasterTimeWord("MASTERTIME=3600000"), 3600000u);
  EXPECT_EQ(client::MasterTimeWord("MASTERTIME=250"), 250u);
}

TEST_F(CommandLine, EngineDescriptionIsReadCharacterByCharacter) {
  EXPECT_EQ(client::EngineInfoText(), "IRVA AI Project #1 v.1049");
}

TEST(LayerNames, CarryTheCoordinatesInDecimal) {
  EXPECT_EQ(client::LayerName(4, 5), "layer(4,5)");
  EXPECT_EQ(client::LayerName(1, 7), "layer(1,7)");
  EXPECT_EQ(client::LayerName(0, 0), "layer(0,0)");
  gui::ParseCommand(client::LayerName(7, 3));
  EXPECT_EQ(gui::GetCommandPart(1), "layer");
  EXPECT_EQ(gui::GetCommandNumber(2), 7);
  EXPECT_EQ(gui::GetCommandNumber(3), 3);
}

TEST(ProgramFolder, IsEnteredWhereverTheProgramStarts) {
  char self[4096] = {};
  const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
  ASSERT_GT(n, 0);
  const std::filesystem::path expected = std::filesystem::path(std::string(self, n)).parent_path();
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path("/");
  EXPECT_TRUE(client::EnterProgramFolder());
  EXPECT_EQ(std::filesystem::current_path(), expected);
  std::filesystem::current_path(before);
}

// ---------------------------------------------------------------- start-up --

class StartUp : public GameStage {};

TEST_F(StartUp, SplashNamesTheEngine) {
  StartProgram({});
  EXPECT_TRUE(boxes.empty());
  EXPECT_EQ(vu::WindowWidth(), 500);
  EXPECT_EQ(vu::WindowHeight(), 500);
  EXPECT_EQ(client::sound_on, 1);
  EXPECT_EQ(client::board_colour, vu::MakeColour(0, 0, 64));
  EXPECT_EQ(client::cpu_player[1], 0);
  EXPECT_EQ(client::cpu_player[2], 1);
  // The splash text is black over the picture, in the middle of the window.
  int dark = 0;
  for (int y = 230; y < 320; ++y) {
    for (int x = 100; x < 400; ++x) dark += automation::WindowPixel(x, y) == vu::MakeColour(0, 0, 0) ? 1 : 0;
  }
  EXPECT_GT(dark, 200) << "no text on the splash";
  // The splash picture sits in the middle of the window, whole; only the
  // text covers part of it.
  const int w = ivx::PictureMetric("trivaneintro", "SIZEX");
  const int h = ivx::PictureMetric("trivaneintro", "SIZEY");
  // Centred as the picture library centres: half the window less half the
  // size value (one less than the width), counted from the first cell.
  EXPECT_GT(PictureMatch("trivaneintro", 500 / 2 - w / 2, 500 / 2 - h / 2), 0.75);
  EXPECT_TRUE(automation::SaveWindowPng(ArtifactPath("splash.png").string()));
}

TEST_F(StartUp, EngineBoxesReachThePlayer) {
  StartProgram({});
  ASSERT_TRUE(boxes.empty());
  EXPECT_EQ(Engine_Place_Mark(4, 4, 1), 0);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "Not possible to place in this space");
  EXPECT_EQ(boxes[0].caption, "");
}

TEST_F(StartUp, GamePicturesLieApartInTheStore) {
  StartProgram({});
  const std::vector<std::string> game = {"pioni1", "pioniup1",     "pioniup2", "warning",
                                         "pionix", "trivaneintro", "pioni2"};
  std::vector<ivx::IVX_INFO> all;
  for (int i = 1; i <= ivx::PictureCount(); ++i) all.push_back(ivx::PictureEntry(i));
  for (const std::string& name : game) {
    const int index = ivx::LocatePicture(name);
    ASSERT_NE(index, 0) << name;
    const ivx::IVX_INFO e = ivx::PictureEntry(index);
    EXPECT_GT(e.x2 - e.x1, 0) << name;
    EXPECT_GT(e.y2 - e.y1, 0) << name;
    EXPECT_LE(e.x2, 2048) << name;
    for (const ivx::IVX_INFO& o : all) {
      if (o.name == e.name) continue;
      const bool apart = e.x2 <= o.x1 || o.x2 <= e.x1 || e.y2 <= o.y1 || o.y2 <= e.y1;
      EXPECT_TRUE(apart) << name << " overlaps " << o.name;
    }
  }
  // Pictures loaded later start on a row of their own.
  EXPECT_EQ(ivx::LoadOriginX(), 1);
}

TEST_F(StartUp, SecondPlayersReservePieceIsTheFirstsInOrange) {
  StartProgram({});
  const ivx::IVX_INFO one = ivx::PictureEntry(ivx::LocatePicture("pioni1"));
  const ivx::IVX_INFO two = ivx::PictureEntry(ivx::LocatePicture("pioni2"));
  ASSERT_EQ(one.x2 - one.x1, two.x2 - two.x1);
  ASSERT_EQ(one.y2 - one.y1, two.y2 - two.y1);
  int red = 0;
  for (int j = 1; j <= one.y2 - one.y1; ++j) {
    for (int i = 1; i <= one.x2 - one.x1; ++i) {
      const uint32_t a = ivx::StoreCell(one.x1 + i, one.y1 + j);
      const uint32_t b = ivx::StoreCell(two.x1 + i, two.y1 + j);
      if (a == vu::MakeColour(255, 0, 0)) {
        ++red;
        EXPECT_EQ(b, vu::MakeColour(255, 128, 64));
      } else {
        EXPECT_EQ(b, a);
      }
    }
  }
  EXPECT_GT(red, 0) << "player 1's reserve piece has pure red in it";
}

// --------------------------------------------------------------- board view --

class BoardView : public GameStage {
 protected:
  void SetUp() override {
    GameStage::SetUp();
    StartProgram({});
    client::NewGame();
  }
};

TEST_F(BoardView, PointObjectsInTheirCreationOrder) {
  std::vector<Pt> order;
  for (int i = 1; i <= 3; ++i) order.insert(order.end(), {{i, i}, {4, i}, {8 - i, i}});
  for (int i = 1; i <= 7; ++i) {
    if (i != 4) order.push_back({i, 4});
  }
  for (int i = 3; i >= 1; --i) order.insert(order.end(), {{i, 8 - i}, {4, 8 - i}, {8 - i, 8 - i}});
  ASSERT_EQ(order.size(), 24u);
  int previous = 0;
  for (const Pt& p : order) {
    const std::string name = client::LayerName(p.x, p.y);
    const int index = gui::FindObject(name);
    ASSERT_GT(index, previous) << name;
    previous = index;
    EXPECT_EQ(gui::GetObjectValue(name), "1");
    EXPECT_EQ(gui::ObjectAt(62 * p.x, 62 * p.y), index) << name;
  }
  EXPECT_EQ(gui::GetObjectX1("layer(1,1)"), 31);
  EXPECT_EQ(gui::GetObjectY1("layer(1,1)"), 31);
  EXPECT_EQ(gui::GetObjectX2("layer(1,1)"), 93);
  EXPECT_EQ(gui::GetObjectY2("layer(1,1)"), 93);
  EXPECT_EQ(gui::GetObjectX1("layer(7,7)"), 403);
  EXPECT_EQ(gui::GetObjectY2("layer(7,7)"), 465);
  EXPECT_EQ(client::PieceLeft(1), 41);
  EXPECT_EQ(client::PieceTop(1), 41);
  EXPECT_EQ(gui::FindObject("backwindow"), -1) << "the window object is removed once drawn";
  EXPECT_GT(gui::FindObject("wnd_exit"), 0);
  EXPECT_GT(gui::FindObject("NODE"), 0);
  EXPECT_GT(gui::FindObject("player1"), 0);
  EXPECT_GT(gui::FindObject("player2"), 0);
}

TEST_F(BoardView, EmptyBoardWithFullStacksAndMarks) {
  EXPECT_EQ(CompareScreenWithEngine(), "");
  EXPECT_EQ(ReserveOnScreen(1), 9);
  EXPECT_EQ(ReserveOnScreen(2), 9);
  // Board lines in the board colour, the frame in grey.
  EXPECT_EQ(automation::WindowPixel(62, 155), vu::MakeColour(0, 0, 64));
  EXPECT_EQ(automation::WindowPixel(160, 248), vu::MakeColour(0, 0, 64));
  EXPECT_EQ(automation::WindowPixel(438, 300), vu::MakeColour(0, 0, 64));
  EXPECT_EQ(automation::WindowPixel(12, 300), vu::MakeColour(123, 123, 123));
  // Right of the buttons that stand beside "Make Tree" over the frame's foot.
  EXPECT_EQ(automation::WindowPixel(450, 496), vu::MakeColour(123, 123, 123));
  // Every free point carries a white mark for player 1.
  for (const Pt& p : BoardPoints()) {
    int white = 0;
    for (int y = client::PieceTop(p.y); y < client::PieceTop(p.y) + 18; ++y) {
      for (int x = client::PieceLeft(p.x); x < client::PieceLeft(p.x) + 50; ++x) {
        // Bright: the digits are smoothed at their edges.
        const COLORREF c = automation::WindowPixel(x, y);
        white += vu::RedOf(c) >= 200 && vu::GreenOf(c) >= 200 && vu::BlueOf(c) >= 200 ? 1 : 0;
      }
    }
    EXPECT_GT(white, 3) << "no mark on " << p.x << "," << p.y;
  }
  EXPECT_TRUE(automation::SaveWindowPng(ArtifactPath("empty_board.png").string()));
}

TEST_F(BoardView, RestoringTheBackgroundClearsAPoint) {
  client::CaptureBackground();
  const int x = client::PieceLeft(4), y = client::PieceTop(2);
  const int w = ivx::PictureMetric("pioniup1", "SIZEX") + 4;
  const int h = ivx::PictureMetric("pioniup1", "SIZEY") + 4;
  std::vector<COLORREF> before;
  for (int j = 0; j < h; ++j) {
    for (int i = 0; i < w; ++i) before.push_back(automation::WindowPixel(x - 2 + i, y - 2 + j));
  }
  ivx::DrawPicture("pioniup2", x, y);
  ASSERT_EQ(PieceOnScreen({4, 2}), 2);
  client::RestoreBackground(x - 2, y - 2, w, h);
  EXPECT_EQ(PieceOnScreen({4, 2}), 0);
  size_t k = 0, differ = 0;
  for (int j = 0; j < h; ++j) {
    for (int i = 0; i < w; ++i) differ += automation::WindowPixel(x - 2 + i, y - 2 + j) != before[k++] ? 1 : 0;
  }
  EXPECT_EQ(differ, 0u);
}

TEST_F(BoardView, ReservesFollowTheEngine) {
  ASSERT_EQ(Engine_MakePlaceMove(1, 1), 1);
  ASSERT_EQ(Engine_MakePlaceMove(7, 7), 1);
  ASSERT_EQ(Engine_MakePlaceMove(4, 1), 1);
  client::DrawReserves(true, false);
  EXPECT_EQ(ReserveOnScreen(1), 7);
  EXPECT_EQ(ReserveOnScreen(2), 9) << "the right stack was not asked for";
  client::DrawReserves(false, true);
  EXPECT_EQ(ReserveOnScreen(2), 8);
}

TEST_F(BoardView, RemovalMarksAreRedOnTheOpponentsPieces) {
  ASSERT_EQ(Engine_MakePlaceMove(1, 1), 1);
  ASSERT_EQ(Engine_MakePlaceMove(2, 2), 1);
  client::client_player = 1;
  client::ShowTurnAndRemoveMarks();
  int red = 0;
  for (int y = client::PieceTop(2); y < client::PieceTop(2) + 18; ++y) {
    for (int x = client::PieceLeft(2); x < client::PieceLeft(2) + 50; ++x) {
      red += automation::WindowPixel(x, y) == vu::MakeColour(255, 0, 0) ? 1 : 0;
    }
  }
  EXPECT_GT(red, 3);
  EXPECT_EQ(vu::GetTextColour(), vu::MakeColour(255, 255, 255));
  EXPECT_EQ(vu::GetTextMode(), TRANSPARENT);
}

// ------------------------------------------------------------ closing --

using ClosingDeathTest = GameStage;

TEST_F(ClosingDeathTest, ClosingTheWindowEndsTheProgramWithCodeZero) {
  EXPECT_EXIT(
      {
        veltounit::SetProcessEndHook(nullptr);
        StartProgram({});
        int passes = 0;
        client::SetPassObserver([&] {
          if (++passes == 3) automation::RequestClose();
        });
        client::GameLoop();
        std::exit(3);  // not reached: the window's end ends the program
      },
      ::testing::ExitedWithCode(0), "");
}

TEST_F(StartUp, TheCloseAreaEndsTheLoop) {
  StartProgram({});
  int passes = 0;
  client::SetPassObserver([&] {
    if (++passes == 2) {
      const int x = (gui::GetObjectX1("wnd_exit") + gui::GetObjectX2("wnd_exit")) / 2;
      const int y = (gui::GetObjectY1("wnd_exit") + gui::GetObjectY2("wnd_exit")) / 2;
      automation::Click(x, y);
    }
    if (passes > 500) RequestCloseArea();
  });
  EXPECT_EQ(client::GameLoop(), client::LoopEnd::WindowClosed);
  EXPECT_LT(passes, 500) << "the click on the close area was not taken";
}

}  // namespace
}  // namespace client_test
