// Whole games through the program's own loop, on the headless window: a
// scripted person against the computer, the computer against itself, and a
// game between two people that ends in an agreed draw.  After every move the
// pieces on the screen and both reserve stacks must match the engine.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>

#include "client_fixture.h"
#include "engine/TrivaneEngine.h"
#include "game_watch.h"
#include "gfx/veltounit.h"
#include "gui/VeltoGUI.h"
#include "platform/automation.h"

namespace client_test {
namespace {

class GameEndToEnd : public GameStage {};

// Plays a game for both sides on the engine alone and returns its moves,
// or nothing when the chooser got stuck or the game ended first.
std::optional<std::vector<Action>> PlanGame(RandomPolicy& policy, const std::function<bool(const Board&)>& done,
                                            int plyLimit) {
  RestartGame();
  std::vector<Action> moves;
  int removalsDue = 0;
  for (int ply = 0; ply < plyLimit; ++ply) {
    const Board b = ReadEngine();
    if (done(b)) {
      RestartGame();
      return moves;
    }
    if (GameOver(b)) break;
    const int who = b.player;
    const std::optional<Action> a = policy.Choose(b, who, removalsDue > 0);
    if (!a) break;
    uint32_t ok = 0;
    if (a->kind == Action::Place) ok = Engine_MakePlaceMove(a->at.x, a->at.y);
    if (a->kind == Action::Slide) ok = Engine_MakeSlideMove(a->from.x, a->from.y, a->at.x, a->at.y);
    if (a->kind == Action::Remove) ok = Engine_RemovePlay(a->at.x, a->at.y);
    if (!ok) break;
    moves.push_back(*a);
    const Board after = ReadEngine();
    removalsDue = after.player == who ? 1 : 0;
  }
  RestartGame();
  return std::nullopt;
}

// A game between two people that leaves both with three pieces: the first
// seed's whose random game gets there, or nothing when none of them does.
std::optional<std::vector<Action>> PlanThreeAgainstThree() {
  for (uint32_t seed = 1; seed < 400; ++seed) {
    RandomPolicy policy(seed);
    policy.spareOpponentAt = 3;
    std::optional<std::vector<Action>> plan = PlanGame(
        policy, [](const Board& b) { return b.AllPlaced() && b.OnBoard(1) == 3 && b.OnBoard(2) == 3; }, 600);
    if (plan) return plan;
  }
  return std::nullopt;
}

std::string ReadFile(const std::string& name) {
  std::ifstream in(name);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST_F(GameEndToEnd, PersonAgainstEasyComputerToTheEnd) {
  StartProgram({"EASY"});
  ASSERT_TRUE(boxes.empty()) << "start-up showed a box: " << boxes.front().caption << " " << boxes.front().text;

  RandomPolicy policy(20061207);
  GameWatch watch;
  watch.boxes = &boxes;
  watch.humans = {1};
  watch.choose = [&](const Board& b, int who, bool removal) { return policy.Choose(b, who, removal); };
  watch.onMove = [&](int moves) {
    if (moves == 14) automation::SaveWindowPng(ArtifactPath("person_vs_easy_midgame.png").string());
  };
  std::string finalPicture = ArtifactPath("person_vs_easy_end.png").string();
  answerBox = [&](const SeenBox& box) {
    if (box.caption == "Victory!") automation::SaveWindowPng(finalPicture);
    return box.caption == "Victory!" || box.caption == "Draw Proposition..." ? IDNO : IDOK;
  };
  client::SetPassObserver([&] { watch.OnPass(); });

  EXPECT_EQ(client::GameLoop(), client::LoopEnd::PlayerDeclined);
  EXPECT_TRUE(watch.faults.empty());
  EXPECT_GT(watch.humanMoves, 9) << "the person placed all pieces at least";

  // The game was over for the rules, and the box named the winner.
  const Board end = ReadEngine();
  ASSERT_TRUE(GameOver(end));
  ASSERT_FALSE(boxes.empty());
  const SeenBox& last = boxes.back();
  EXPECT_EQ(last.caption, "Victory!");
  const bool personLost = end.OnBoard(1) < 3 || (end.player == 1 && end.OnBoard(1) > 3);
  if (personLost) {
    EXPECT_EQ(last.text, "Congratulations CPU 2  , You Won! :)\nPlay Again ?");
  } else {
    EXPECT_EQ(last.text, "Congratulations Player 1 , You Won! :)\nPlay Again ?");
  }
  EXPECT_EQ(last.answer, IDNO);
  const auto& sounds = automation::Sounds();
  ASSERT_FALSE(sounds.empty());
  EXPECT_EQ(sounds.back().name, "Sounds\\win.wav");
}

class ComputerAgainstComputer : public GameStage, public ::testing::WithParamInterface<const char*> {};

TEST_P(ComputerAgainstComputer, EveryMoveReachesTheScreen) {
  StartProgram({"cpuvscpu", GetParam()});
  ASSERT_EQ(client::cpu_player[1], 1);
  ASSERT_EQ(client::cpu_player[2], 1);

  GameWatch watch;
  watch.boxes = &boxes;
  // Past the placing into the sliding part, then the watcher closes the
  // window through its close area as a person would.
  watch.closeAfterMoves = 70;
  watch.closeByClick = true;
  bool sawSlide = false;
  watch.onMove = [&](int) {
    const Board b = ReadEngine();
    if (b.AllPlaced()) sawSlide = true;
  };
  client::SetPassObserver([&] { watch.OnPass(); });

  const client::LoopEnd end = client::GameLoop();
  EXPECT_TRUE(watch.faults.empty());
  EXPECT_TRUE(sawSlide);
  const Board b = ReadEngine();
  if (Engine_GetDrawReason() != 0) {
    // Drawn by a rule (the game program plays with them) before the watcher
    // closed it: the draw is announced.
    EXPECT_EQ(end, client::LoopEnd::PlayerDeclined);
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.back().text, "Game ended as a draw ! :P \nPlay Again ?");
  } else if (GameOver(b)) {
    // The game ended before the watcher closed it: its end is announced.
    EXPECT_EQ(end, client::LoopEnd::PlayerDeclined);
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.back().text.rfind("Congratulations CPU ", 0), 0u) << boxes.back().text;
  } else {
    EXPECT_EQ(end, client::LoopEnd::WindowClosed);
    EXPECT_GE(watch.moves, 70);
    for (const SeenBox& box : boxes) EXPECT_EQ(box.caption, "Draw Proposition...") << box.text;
  }
  automation::SaveWindowPng(ArtifactPath(std::string("cpu_vs_cpu_") + GetParam() + ".png").string());
}

INSTANTIATE_TEST_SUITE_P(Levels, ComputerAgainstComputer, ::testing::Values("EASY", "MEDIUM"));

TEST_F(GameEndToEnd, DrawAcceptedAtThreeAgainstThree) {
  InitEngine();

  const std::optional<std::vector<Action>> plan = PlanThreeAgainstThree();
  ASSERT_TRUE(plan.has_value()) << "no seed led to three against three";

  size_t next = 0;
  GameWatch watch;
  watch.boxes = &boxes;
  watch.humans = {1, 2};
  watch.choose = [&](const Board&, int, bool) -> std::optional<Action> {
    if (next >= plan->size()) return std::nullopt;
    return (*plan)[next++];
  };
  int propositions = 0;
  answerBox = [&](const SeenBox& box) {
    if (box.caption == "Draw Proposition...") {
      ++propositions;
      // Shown once both sides are down to three pieces, after the last move.
      const Board b = ReadEngine();
      EXPECT_EQ(next, plan->size());
      EXPECT_EQ(b.OnBoard(1), 3);
      EXPECT_EQ(b.OnBoard(2), 3);
      EXPECT_EQ(box.text, "Would you like to end this game as a draw ?");
      watch.drawAccepted = true;
      return IDYES;
    }
    if (box.caption == "Victory!") {
      automation::SaveWindowPng(ArtifactPath("draw_end.png").string());
      return IDNO;
    }
    return IDOK;
  };
  client::SetPassObserver([&] {
    client::cpu_player[2] = 0;  // two people at one mouse; player 1 begins
    watch.OnPass();
  });

  // The whole program: answering No to "Play Again ?" ends it with code 0.
  EXPECT_EQ(client::RunTrivaneGui({}), 0);
  EXPECT_TRUE(watch.faults.empty());
  EXPECT_EQ(propositions, 1);
  ASSERT_FALSE(boxes.empty());
  EXPECT_EQ(boxes.back().caption, "Victory!");
  EXPECT_EQ(boxes.back().text, "Game ended as a draw ! :P \nPlay Again ?");
  EXPECT_EQ(automation::Sounds().back().name, "Sounds\\buzzer.wav");
}

TEST_F(GameEndToEnd, TakeBackAndRedoDoNotProposeTheDrawAgain) {
  StartProgram({"EASY", "TWOPLAYERS"});
  const std::optional<std::vector<Action>> plan = PlanThreeAgainstThree();
  ASSERT_TRUE(plan.has_value()) << "no seed led to three against three";
  int propositions = 0;
  answerBox = [&](const SeenBox& box) {
    if (box.caption == "Draw Proposition...") ++propositions;
    return box.caption == "Draw Proposition..." || box.caption == "Victory!" ? IDNO : IDOK;
  };
  StepScript s;
  for (const Action& a : *plan) {
    if (a.kind == Action::Slide) s.ClickPoint(a.from);
    s.ClickPoint(a.at);
  }
  std::vector<long> after;
  s.Check([&] {
    ASSERT_EQ(propositions, 1) << "three against three proposes the draw once";
    after = {static_cast<long>(Engine_GetPlayer()), static_cast<long>(GamePart(Engine_GetPlayer()))};
    EXPECT_EQ(client::RecordedPlies().size(), plan->size());
  });
  s.Do([] {
    automation::PressKey(VK_CONTROL);
    automation::TapKey('Z');
  });
  s.Do([] { automation::ReleaseKey(VK_CONTROL); });
  s.Check([&] {
    EXPECT_LT(client::RecordedPlies().size(), plan->size());
    EXPECT_FALSE(ReadEngine().OnBoard(1) == 3 && ReadEngine().OnBoard(2) == 3);
    EXPECT_EQ(CompareScreenWithEngine(), "");
  });
  s.Do([] {
    automation::PressKey(VK_CONTROL);
    automation::TapKey('Y');
  });
  s.Do([] { automation::ReleaseKey(VK_CONTROL); });
  s.Check([&] {
    EXPECT_EQ(client::RecordedPlies().size(), plan->size());
    const std::vector<long> now = {static_cast<long>(Engine_GetPlayer()),
                                   static_cast<long>(GamePart(Engine_GetPlayer()))};
    EXPECT_EQ(now, after);
    EXPECT_EQ(propositions, 1) << "the redone position proposed the draw a second time";
    EXPECT_EQ(CompareScreenWithEngine(), "");
  });
  client::SetPassObserver([&] { s.OnPass(); });
  EXPECT_EQ(client::GameLoop(), client::LoopEnd::WindowClosed);
  EXPECT_TRUE(s.Done());
  EXPECT_EQ(propositions, 1);
}

TEST_F(GameEndToEnd, PlayAgainYesStartsAFreshGame) {
  StartProgram({"EASY"});
  client::cpu_player[2] = 0;
  // Player 2 loses all but two pieces as fast as the rules allow: build a
  // plan where player 1 makes mills and player 2 never does.
  std::optional<std::vector<Action>> plan;
  for (uint32_t seed = 1; seed < 400 && !plan; ++seed) {
    RandomPolicy policy(seed);
    plan = PlanGame(
        policy, [](const Board& b) { return b.AllPlaced() && b.OnBoard(2) < 3; }, 800);
  }
  ASSERT_TRUE(plan.has_value());
  size_t next = 0;
  int games = 0;
  GameWatch watch;
  watch.boxes = &boxes;
  watch.humans = {1, 2};
  watch.choose = [&](const Board&, int, bool) -> std::optional<Action> {
    if (next >= plan->size()) return std::nullopt;
    return (*plan)[next++];
  };
  answerBox = [&](const SeenBox& box) {
    if (box.caption != "Victory!") return IDOK;
    ++games;
    return games == 1 ? IDYES : IDNO;
  };
  int passesAfterYes = 0;
  client::SetPassObserver([&] {
    // The answer comes inside the pass of the end click; the new game is
    // built at the start of the next pass.
    if (games == 1 && watch.endClickSent && ++passesAfterYes >= 2) {
      // The new game: an empty board, full stacks, player 1 to move.
      const Board b = ReadEngine();
      EXPECT_EQ(b.OnBoard(1) + b.OnBoard(2), 0);
      EXPECT_EQ(b.remaining[1], 9);
      EXPECT_EQ(b.player, 1);
      EXPECT_EQ(CompareScreenWithEngine(), "");
      EXPECT_EQ(client::client_player, 1);
      EXPECT_EQ(client::SlideStep(), 1);
      watch.endClickSent = false;
      RequestCloseArea();
      ++games;
      return;
    }
    watch.OnPass();
  });
  EXPECT_EQ(client::GameLoop(), client::LoopEnd::WindowClosed);
  EXPECT_EQ(games, 2);
  ASSERT_FALSE(boxes.empty());
  EXPECT_EQ(boxes.front().caption, "Victory!");
  EXPECT_EQ(boxes.front().text.rfind("Congratulations ", 0), 0u);
}

// ---------------------------------------------------------------- refusals --

class Refusals : public GameStage {
 protected:
  void SetUp() override {
    GameStage::SetUp();
    StartProgram({"EASY"});
    client::cpu_player[2] = 0;  // two people at one mouse
  }
  size_t SoundCount() const { return automation::Sounds().size(); }
  std::string LastSound() const {
    return automation::Sounds().empty() ? std::string() : automation::Sounds().back().name;
  }
};

TEST_F(Refusals, EmptyPointWhileARemovalIsDue) {
  StepScript s;
  for (Pt p : {Pt{1, 1}, Pt{2, 2}, Pt{4, 1}, Pt{2, 4}, Pt{7, 1}}) s.ClickPoint(p);
  Board before;
  size_t boxesBefore = 0;
  s.Check([&] {
    before = ReadEngine();
    boxesBefore = boxes.size();
    ASSERT_EQ(before.player, 1) << "the mill keeps player 1 to remove";
    ASSERT_EQ(before.OnBoard(1), 3);
  });
  s.ClickPoint({3, 3});
  s.Check([&] {
    EXPECT_EQ(LastSound(), "Sounds\\deny.wav");
    EXPECT_EQ(boxes.size(), boxesBefore) << "a refused removal shows no box";
    EXPECT_TRUE(ReadEngine() == before);
    EXPECT_EQ(CompareScreenWithEngine(), "");
  });
  s.ClickPoint({2, 2});
  s.Check([&] {
    EXPECT_EQ(LastSound(), "Sounds\\take.wav");
    const Board b = ReadEngine();
    EXPECT_EQ(b.At({2, 2}), 0);
    EXPECT_EQ(b.player, 2);
    EXPECT_EQ(CompareScreenWithEngine(), "");
    automation::SaveWindowPng(ArtifactPath("after_removal.png").string());
  });
  client::SetPassObserver([&] { s.OnPass(); });
  EXPECT_EQ(client::GameLoop(), client::LoopEnd::WindowClosed);
  EXPECT_TRUE(s.Done());
}

TEST_F(Refusals, PlacementOnAnOccupiedPoint) {
  StepScript s;
  s.ClickPoint({1, 1});
  s.ClickPoint({1, 1});
  s.Check([&] {
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Cannot put here..1,1");
    EXPECT_EQ(boxes[0].caption, " ");
    EXPECT_EQ(LastSound(), "Sounds\\deny.wav");
    const Board b = ReadEngine();
    EXPECT_EQ(b.player, 2);
    EXPECT_EQ(b.remaining[2], 9);
    EXPECT_EQ(CompareScreenWithEngine(), "");
  });
  client::SetPassObserver([&] { s.OnPass(); });
  EXPECT_EQ(client::GameLoop(), client::LoopEnd::WindowClosed);
  EXPECT_TRUE(s.Done());
  const auto& shown = automation::MessageBoxes();
  ASSERT_FALSE(shown.empty());
  EXPECT_EQ(shown.back().style, static_cast<UINT>(MB_OK));
}

TEST_F(Refusals, SlidePicksAndASlideToAFarPoint) {
  // Eighteen placements without a mill, then player 1 slides.
  std::optional<std::vector<Action>> plan;
  Pt source, far, occupied, foreign;
  for (uint32_t seed = 1; seed < 400 && !plan; ++seed) {
    RandomPolicy policy(seed);
    policy.avoidMills = true;
    plan = PlanGame(
        policy, [](const Board& b) { return b.AllPlaced(); }, 40);
    if (!plan) continue;
    // Replay on a model to find the points the test clicks.
    Board b;
    int who = 1;
    for (const Action& a : *plan) {
      b.cell[a.at.x][a.at.y] = who;
      who = who == 1 ? 2 : 1;
    }
    bool found = false;
    for (const Pt& from : BoardPoints()) {
      if (b.At(from) != 1 || found) continue;
      bool movable = false;
      for (const Pt& to : BoardPoints()) movable = movable || (b.At(to) == 0 && Adjacent(from, to));
      if (!movable) continue;
      for (const Pt& to : BoardPoints()) {
        if (b.At(to) == 0 && !Adjacent(from, to)) {
          source = from;
          far = to;
          found = true;
          break;
        }
      }
    }
    for (const Pt& p : BoardPoints()) {
      if (b.At(p) == 2) foreign = p;
      if (b.At(p) == 1 && !(p == source)) occupied = p;
    }
    if (!found) plan.reset();
  }
  ASSERT_TRUE(plan.has_value());

  StepScript s;
  for (const Action& a : *plan) s.ClickPoint(a.at);
  size_t boxesBefore = 0;
  Board before;
  s.Check([&] {
    before = ReadEngine();
    ASSERT_TRUE(before.AllPlaced());
    ASSERT_EQ(before.player, 1);
    boxesBefore = boxes.size();
    EXPECT_EQ(boxesBefore, 0u);
    EXPECT_EQ(CompareScreenWithEngine(), "");
  });
  // A first pick on the other side's piece is refused and the step stays 1.
  s.ClickPoint(foreign);
  s.Check([&] {
    EXPECT_EQ(LastSound(), "Sounds\\deny.wav");
    EXPECT_EQ(client::SlideStep(), 1);
  });
  // An own piece is picked; a second click on an occupied point drops the pick.
  s.ClickPoint(source);
  s.Check([&] { EXPECT_EQ(client::SlideStep(), 2); });
  s.ClickPoint(occupied);
  s.Check([&] {
    EXPECT_EQ(LastSound(), "Sounds\\deny.wav");
    EXPECT_EQ(client::SlideStep(), 1);
    EXPECT_EQ(boxes.size(), boxesBefore);
  });
  // A destination that is empty but not a neighbour reaches the engine.
  s.ClickPoint(source);
  s.ClickPoint(far);
  s.Check([&] {
    ASSERT_EQ(boxes.size(), boxesBefore + 1);
    std::ostringstream text;
    text << "Cannot slide here.." << source.x << "," << source.y << " - " << far.x << "," << far.y;
    EXPECT_EQ(boxes.back().text, text.str());
    EXPECT_EQ(boxes.back().caption, " ");
    EXPECT_EQ(LastSound(), "Sounds\\deny.wav");
    EXPECT_EQ(client::SlideStep(), 1);
    EXPECT_TRUE(ReadEngine() == before);
    EXPECT_EQ(CompareScreenWithEngine(), "");
  });
  client::SetPassObserver([&] { s.OnPass(); });
  EXPECT_EQ(client::GameLoop(), client::LoopEnd::WindowClosed);
  EXPECT_TRUE(s.Done());
}

// ------------------------------------------------------------- make tree --

TEST_F(GameEndToEnd, MakeTreeDuringAPersonsTurnChangesNothing) {
  StartProgram({"EASY"});
  StepScript s;
  s.ClickPoint({1, 1});
  Board before;
  std::string screenBefore;
  s.Check([&] {
    before = ReadEngine();
    ASSERT_EQ(before.player, 1) << "the computer has answered";
    ASSERT_EQ(before.OnBoard(2), 1);
    // The computer's own search wrote a summary; the button must write anew.
    std::remove("nodes.txt");
    std::remove("nodes.html");
    boxes.clear();
  });
  s.ClickAt([] {
    return Pt{(veltogui::GetObjectX1("NODE") + veltogui::GetObjectX2("NODE")) / 2,
              (veltogui::GetObjectY1("NODE") + veltogui::GetObjectY2("NODE")) / 2};
  });
  s.Check([&] {
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Created nodes.txt");
    EXPECT_EQ(boxes[0].caption, "");
    EXPECT_EQ(veltogui::GetObjectValue("NODE"), "1") << "the button is released again";
    EXPECT_TRUE(ReadEngine() == before) << "the tree changed the game";
    EXPECT_EQ(CompareScreenWithEngine(), "");
    EXPECT_EQ(client::client_player, 1);
    const std::string summary = ReadFile("nodes.txt");
    const std::string page = ReadFile("nodes.html");
    EXPECT_NE(page.find("<html>"), std::string::npos);
    // The tree was grown for player 1, who is to place: its choice is a free point.
    const size_t at = summary.find("Finally choose ");
    ASSERT_NE(at, std::string::npos) << summary;
    int x = 0, y = 0, tx = -1, ty = -1;
    ASSERT_EQ(std::sscanf(summary.c_str() + at, "Finally choose %d,%d - %d,%d", &x, &y, &tx, &ty), 4);
    EXPECT_EQ(before.At({x, y}), 0);
    EXPECT_EQ(tx, 0);
    EXPECT_EQ(ty, 0);
  });
  client::SetPassObserver([&] { s.OnPass(); });
  EXPECT_EQ(client::GameLoop(), client::LoopEnd::WindowClosed);
  EXPECT_TRUE(s.Done());
}

}  // namespace
}  // namespace client_test
