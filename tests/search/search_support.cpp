#include "search_support.h"

#include <algorithm>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include "fastmap.h"
#include "geometry.h"
#include "messages.h"
#include "movegen.h"
#include "rules.h"
#include "search.h"
#include "state.h"

namespace search_test {

namespace {

int RecordBox(const char* text, const char* caption, unsigned style) {
  Boxes().push_back({text, caption, style});
  return (style & 0x0F) == 0x04 ? QuestionAnswer() : 1;
}

}  // namespace

std::vector<Box>& Boxes() {
  static std::vector<Box> boxes;
  return boxes;
}

int& QuestionAnswer() {
  static int answer = 7;
  return answer;
}

void SearchTest::SetUp() {
  Boxes().clear();
  QuestionAnswer() = 7;
  trivane::SetMessageHandler(RecordBox);
  old_dir_ = std::filesystem::current_path();
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  dir_ = std::filesystem::temp_directory_path() / ("trivane-search-" + std::string(info->test_suite_name()) + "-" +
                                                   info->name() + "-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir_);
  std::filesystem::current_path(dir_);
  trivane::RestartGameState();
  trivane::SetDifficulty(5);
  trivane::SetTreeDumpFlag(0);
}

void SearchTest::TearDown() {
  std::filesystem::current_path(old_dir_);
  std::error_code ec;
  std::filesystem::remove_all(dir_, ec);
  trivane::SetMessageHandler(nullptr);
}

std::string SearchTest::ReadFile(const std::string& name) const {
  std::ifstream in(dir_ / name, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

void SetPosition(const std::vector<Point>& p1, const std::vector<Point>& p2, uint8_t to_move, uint8_t left1,
                 uint8_t left2) {
  trivane::RestartGameState();
  for (const Point& p : p1) ASSERT_EQ(trivane::PutPiece(p.x, p.y, 1), 1) << int(p.x) << "," << int(p.y);
  for (const Point& p : p2) ASSERT_EQ(trivane::PutPiece(p.x, p.y, 2), 1) << int(p.x) << "," << int(p.y);
  trivane::g_game.remaining_put_pieces[1] = left1;
  trivane::g_game.remaining_put_pieces[2] = left2;
  trivane::SetPlayer(to_move);
}

bool PlayRandomMove(std::mt19937& rng) {
  using namespace trivane;
  const uint8_t p = GetPlayer();
  const uint8_t g = GamePart(p);
  const Position s = PositionFromGame(g_game);
  Move moves[MAX_MOVES];
  const int n = GenerateMoves(s, p, g, moves);
  if (n == 0) return false;
  // In board order (from, then to), as the seeded games have always drawn them.
  std::sort(moves, moves + n,
            [](const Move& a, const Move& b) { return a.from != b.from ? a.from < b.from : a.to < b.to; });
  const Move m = moves[std::uniform_int_distribution<int>(0, n - 1)(rng)];
  const uint8_t fx = BOARD.masks.x[m.from], fy = BOARD.masks.y[m.from];
  uint8_t done = 0;
  if (g == GAMEPART_PLACE) done = MakePlaceMove(fx, fy);
  else if (g == GAMEPART_REMOVE) done = RemovePiece(fx, fy);
  else done = MakeSlideMove(fx, fy, BOARD.masks.x[m.to], BOARD.masks.y[m.to]);
  EXPECT_EQ(done, 1) << "a legal move was refused";
  return done == 1;
}

Snapshot TakeSnapshot() {
  using namespace trivane;
  Snapshot s;
  s.bytes.push_back(g_game.current_player);
  s.bytes.push_back(g_game.remaining_put_pieces[1]);
  s.bytes.push_back(g_game.remaining_put_pieces[2]);
  s.bytes.push_back(g_game.removals_due);
  s.bytes.push_back(g_game.draw_offered);
  s.bytes.push_back(g_game.draw_agreed);
  const auto* table = &g_game.PieceTable[0][0];
  s.bytes.insert(s.bytes.end(), table, table + sizeof g_game.PieceTable);
  const auto* maps = &g_game.FastMap[0][0][0];
  s.bytes.insert(s.bytes.end(), maps, maps + sizeof g_game.FastMap);
  return s;
}

}  // namespace search_test
