#include "client_fixture.h"

#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <sstream>

#include "engine/TrivaneEngine.h"
#include "gfx/veltounit.h"
#include "gui/VeltoGUI.h"
#include "images/IvxFiles.h"
#include "platform/automation.h"

namespace fs = std::filesystem;

namespace client_test {

// ------------------------------------------------------------------ board --

const std::vector<std::array<Pt, 3>>& Mills() {
  static const std::vector<std::array<Pt, 3>> mills = {
      // rows
      {{{1, 1}, {4, 1}, {7, 1}}},
      {{{2, 2}, {4, 2}, {6, 2}}},
      {{{3, 3}, {4, 3}, {5, 3}}},
      {{{1, 4}, {2, 4}, {3, 4}}},
      {{{5, 4}, {6, 4}, {7, 4}}},
      {{{3, 5}, {4, 5}, {5, 5}}},
      {{{2, 6}, {4, 6}, {6, 6}}},
      {{{1, 7}, {4, 7}, {7, 7}}},
      // columns
      {{{1, 1}, {1, 4}, {1, 7}}},
      {{{2, 2}, {2, 4}, {2, 6}}},
      {{{3, 3}, {3, 4}, {3, 5}}},
      {{{4, 1}, {4, 2}, {4, 3}}},
      {{{4, 5}, {4, 6}, {4, 7}}},
      {{{5, 3}, {5, 4}, {5, 5}}},
      {{{6, 2}, {6, 4}, {6, 6}}},
      {{{7, 1}, {7, 4}, {7, 7}}},
  };
  return mills;
}

const std::vector<Pt>& BoardPoints() {
  static const std::vector<Pt> points = [] {
    std::vector<Pt> out;
    for (int x = 1; x <= 7; ++x) {
      for (int y = 1; y <= 7; ++y) {
        for (const auto& mill : Mills()) {
          if (std::find(mill.begin(), mill.end(), Pt{x, y}) != mill.end()) {
            out.push_back({x, y});
            break;
          }
        }
      }
    }
    return out;
  }();
  return points;
}

bool Adjacent(Pt a, Pt b) {
  // Neighbours are consecutive points of one line of three.
  for (const auto& m : Mills()) {
    for (int i = 0; i < 2; ++i) {
      if ((m[i] == a && m[i + 1] == b) || (m[i] == b && m[i + 1] == a)) return true;
    }
  }
  return false;
}

int Board::OnBoard(int who) const {
  int n = 0;
  for (const Pt& p : BoardPoints()) n += At(p) == who ? 1 : 0;
  return n;
}

bool Board::InMill(Pt p) const {
  const int who = At(p);
  if (who == 0) return false;
  for (const auto& m : Mills()) {
    if (std::find(m.begin(), m.end(), p) == m.end()) continue;
    if (At(m[0]) == who && At(m[1]) == who && At(m[2]) == who) return true;
  }
  return false;
}

int Board::MillsClosedBy(Pt to, int who, Pt from) const {
  int closed = 0;
  for (const auto& m : Mills()) {
    if (std::find(m.begin(), m.end(), to) == m.end()) continue;
    bool all = true;
    for (const Pt& q : m) {
      if (q == to) continue;
      if (q == from || At(q) != who) all = false;
    }
    closed += all ? 1 : 0;
  }
  return closed;
}

std::vector<Pt> Board::Removable(int opponent) const {
  std::vector<Pt> out;
  for (const Pt& p : BoardPoints()) {
    if (At(p) == opponent && !InMill(p)) out.push_back(p);
  }
  return out;
}

bool Board::operator==(const Board& o) const {
  for (const Pt& p : BoardPoints()) {
    if (At(p) != o.At(p)) return false;
  }
  return remaining[1] == o.remaining[1] && remaining[2] == o.remaining[2] && player == o.player;
}

Board ReadEngine() {
  Board b;
  for (const Pt& p : BoardPoints()) b.cell[p.x][p.y] = static_cast<int>(Engine_GetPieceTable(p.x, p.y));
  b.remaining[1] = static_cast<int>(Engine_GetRemainingPutPlayerPieces(1));
  b.remaining[2] = static_cast<int>(Engine_GetRemainingPutPlayerPieces(2));
  b.player = static_cast<int>(Engine_GetPlayer());
  return b;
}

std::string Describe(const Action& a) {
  std::ostringstream s;
  switch (a.kind) {
    case Action::Place: s << "place " << a.at.x << "," << a.at.y; break;
    case Action::Remove: s << "remove " << a.at.x << "," << a.at.y; break;
    case Action::Slide: s << "move " << a.from.x << "," << a.from.y << " - " << a.at.x << "," << a.at.y; break;
  }
  return s.str();
}

// ----------------------------------------------------------------- screen --

double PictureMatch(const std::string& name, int x, int y, int firstRow, int lastColumn, int firstColumn) {
  const int index = ivxfiles::LocatePicture(name);
  if (index == 0) return 0.0;
  const ivxfiles::IVX_INFO e = ivxfiles::PictureEntry(index);
  const bool skip = ivxfiles::TransparencyOn();
  const uint32_t transparent = ivxfiles::GetTransparentColour();
  int opaque = 0, same = 0;
  for (int j = 1 + firstRow; j <= e.y2 - e.y1; ++j) {
    for (int i = std::max(1, firstColumn); i <= e.x2 - e.x1 && (lastColumn == 0 || i <= lastColumn); ++i) {
      const uint32_t cell = ivxfiles::StoreCell(e.x1 + i, e.y1 + j);
      if (skip && cell == transparent) continue;
      ++opaque;
      if (automation::WindowPixel(x + i, y + j) == cell) ++same;
    }
  }
  return opaque == 0 ? 0.0 : static_cast<double>(same) / opaque;
}

int PieceOnScreen(Pt p) {
  const int half = ivxfiles::PictureMetric("pioniup1", "SIZEY") / 2;
  // The reserve columns (x 15..47 and 453..485) are repainted over the edges
  // of the pieces on the outer columns of points: those cells are not read.
  const int left = client::PieceLeft(p.x);
  const int firstColumn = std::max(1, 48 - left);
  const int lastColumn = std::min(ivxfiles::PictureMetric("pioniup1", "SIZEX"), 452 - left);
  const double m1 = PictureMatch("pioniup1", left, client::PieceTop(p.y), half, lastColumn, firstColumn);
  const double m2 = PictureMatch("pioniup2", left, client::PieceTop(p.y), half, lastColumn, firstColumn);
  const double best = std::max(m1, m2);
  if (best >= 0.95 && std::min(m1, m2) < best - 0.05) return m1 > m2 ? 1 : 2;
  if (best < 0.8) return 0;
  return -1;
}

int ReserveOnScreen(int player) {
  const char* picture = player == 1 ? "pioni1" : "pioni2";
  const int x = player == 1 ? 15 : 453;
  const int step = ivxfiles::PictureMetric(picture, "SIZEY") + 5;
  // The marks of the points in column 1 are written from x = 41 on, over the
  // right edge of player 1's stack: only the columns left of them are read.
  const int lastColumn = player == 1 ? client::PieceLeft(1) - 1 - x : 0;
  int n = 0;
  while (n < 9 && PictureMatch(picture, x, 398 - n * step, 0, lastColumn) >= 0.95) ++n;
  return n;
}

std::string CompareScreenWithEngine() {
  std::ostringstream out;
  for (const Pt& p : BoardPoints()) {
    const int engine = static_cast<int>(Engine_GetPieceTable(p.x, p.y));
    const int screen = PieceOnScreen(p);
    if (engine != screen) {
      out << "point " << p.x << "," << p.y << ": engine " << engine << ", screen " << screen << "; ";
    }
  }
  for (int who = 1; who <= 2; ++who) {
    const int engine = static_cast<int>(Engine_GetRemainingPutPlayerPieces(who));
    const int screen = ReserveOnScreen(who);
    if (engine != screen)
      out << "reserve of player " << who << ": engine " << engine << ", screen " << screen << "; ";
  }
  return out.str();
}

// ------------------------------------------------------------------ stage --

namespace {
// The virtual clock at the end of the last test of this process.
DWORD g_clock = 0;
}  // namespace

void GameStage::SetUp() {
  char self[4096] = {};
  const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
  ASSERT_GT(n, 0);
  bin_ = fs::path(std::string(self, static_cast<size_t>(n))).parent_path();
  ASSERT_TRUE(fs::exists(bin_ / "Resources")) << "the game data is missing beside " << bin_;

  const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
  folder_ = fs::temp_directory_path() /
            ("trivane-client-" + std::string(info->name()) + "-" + std::to_string(getpid()));
  fs::remove_all(folder_);
  fs::create_directories(folder_);
  // Files the program writes stay in the test's folder.
  const std::vector<std::string> written = {"nodes.txt", "nodes.html", "ivx_stats.dat", "VeltoGUI_stats.dat"};
  for (const auto& entry : fs::directory_iterator(bin_)) {
    const std::string name = entry.path().filename().string();
    if (std::find(written.begin(), written.end(), name) != written.end()) continue;
    fs::create_symlink(entry.path(), folder_ / name);
  }
  previous_ = fs::current_path();
  fs::current_path(folder_);

  // The program ends itself only when a test means it to (a death test clears
  // these hooks); any other end would look like success to the test runner.
  veltounit::SetProcessEndHook([](int code) {
    std::fprintf(stderr, "\n*** the program ended itself with code %d during a test\n", code);
    std::abort();
  });
  veltogui::SetGuiEndHook([](int code) {
    std::fprintf(stderr, "\n*** the toolkit ended the program with code %d during a test\n", code);
    std::abort();
  });
  automation::Reset();
  automation::SetHeadless(true);
  automation::SetVirtualTime(true);
  // Time goes on from where the previous test of this process left it, as a
  // real clock would: the toolkit's idle timer may still hold a time of then.
  const DWORD now = GetTickCount();
  if (g_clock > now) automation::AdvanceTime(g_clock - now);
  client::cpu_player[0] = 0;
  client::cpu_player[1] = 0;
  client::cpu_player[2] = 1;
  client::sound_on = 0;
  client::client_player = 1;
  client::hints_on = true;
  client::level_name = "MEDIUM";
  client::ClearRecord();
  client::SetPassObserver(nullptr);

  answerBox = [](const SeenBox& box) {
    if (box.caption == "Victory!" || box.caption == "Draw Proposition...") return IDNO;
    return IDOK;
  };
  automation::SetIdleHandler([this]() {
    // Only a box of the program or the engine may wait for the player.
    if (client::CurrentBoxText().empty() && client::CurrentBoxCaption().empty()) return false;
    SeenBox box{client::CurrentBoxCaption(), client::CurrentBoxText(), 0};
    box.answer = answerBox(box);
    boxes.push_back(box);
    automation::ScriptMessageBoxAnswer(box.answer);
    return true;
  });
}

void GameStage::TearDown() {
  g_clock = GetTickCount() + 1000;
  automation::SetIdleHandler(nullptr);
  client::SetPassObserver(nullptr);
  std::error_code ignored;
  fs::current_path(previous_, ignored);
  fs::remove_all(folder_, ignored);
}

void GameStage::StartProgram(const std::vector<std::string>& words) {
  client::StartUp(words);
  // A watcher of a long computer game does not touch the mouse; the screen
  // saver would wait for a movement that never comes.
  veltogui::SetScreenSaverDelay(10 * 3600 * 1000);
}

fs::path GameStage::ArtifactPath(const std::string& name) const {
  const fs::path dir = bin_.parent_path() / "test-artifacts" / "client";
  fs::create_directories(dir);
  return dir / name;
}

size_t GameStage::BoxesSince(size_t mark, std::vector<SeenBox>* out) const {
  if (out != nullptr) out->assign(boxes.begin() + static_cast<long>(std::min(mark, boxes.size())), boxes.end());
  return boxes.size() > mark ? boxes.size() - mark : 0;
}

// ----------------------------------------------------------------- script --

void RequestCloseArea() { veltogui::SetObjectField("wnd_exit", "VALUE", "4", 0); }

void StepScript::Click(int x, int y) {
  Step step;
  step.isClick = true;
  step.where = [x, y] { return Pt{x, y}; };
  steps_.push_back(std::move(step));
}
void StepScript::ClickPoint(Pt p) { Click(client::kUnit * p.x, client::kUnit * p.y); }
void StepScript::ClickAt(std::function<Pt()> where) {
  Step step;
  step.isClick = true;
  step.where = std::move(where);
  steps_.push_back(std::move(step));
}
void StepScript::Check(std::function<void()> check) {
  Step step;
  step.check = std::move(check);
  steps_.push_back(std::move(step));
}
void StepScript::Do(std::function<void()> action) {
  Step step;
  step.action = std::move(action);
  steps_.push_back(std::move(step));
}
void StepScript::WaitFor(std::function<bool()> ready, int waitLimit) {
  Step step;
  step.ready = std::move(ready);
  step.waitLimit = waitLimit;
  steps_.push_back(std::move(step));
}

void StepScript::OnPass() {
  ++passes;
  if (passes > passLimit) {
    if (!closing_) ADD_FAILURE() << "the script did not finish within " << passLimit << " passes";
    steps_.clear();
    closing_ = true;
    RequestCloseArea();
    return;
  }
  // Input still on its way: the loop has not seen the click yet.
  if (automation::PendingMessages() > 0) return;
  if (settle_ > 0) {
    --settle_;
    return;
  }
  if (steps_.empty()) {
    if (!closing_) {
      closing_ = true;
      RequestCloseArea();
    }
    return;
  }
  if (steps_.front().ready) {
    Step& wait = steps_.front();
    if (!wait.ready()) {
      if (--wait.waitLimit < 0) {
        ADD_FAILURE() << "a wait of the script never ended";
        steps_.clear();
      }
      return;
    }
    steps_.pop_front();
    return;
  }
  Step step = std::move(steps_.front());
  steps_.pop_front();
  if (step.action) {
    step.action();
    settle_ = 2;
  } else if (step.isClick) {
    const Pt at = step.where();
    automation::Click(at.x, at.y);
    settle_ = 2;
  } else {
    step.check();
  }
}

// ----------------------------------------------------------------- policy --

std::optional<Action> RandomPolicy::Choose(const Board& b, int who, bool removalDue) {
  const int opponent = who == 1 ? 2 : 1;
  std::vector<Action> all;
  if (removalDue) {
    for (const Pt& p : b.Removable(opponent)) all.push_back(Action{Action::Remove, p, {}});
  } else if (b.remaining[who] > 0) {
    for (const Pt& p : BoardPoints()) {
      if (b.At(p) == 0) all.push_back(Action{Action::Place, p, {}});
    }
  } else {
    const bool flying = b.OnBoard(who) == 3;
    for (const Pt& from : BoardPoints()) {
      if (b.At(from) != who) continue;
      for (const Pt& to : BoardPoints()) {
        if (b.At(to) == 0 && (flying || Adjacent(from, to))) all.push_back(Action{Action::Slide, to, from});
      }
    }
  }
  if (all.empty()) return std::nullopt;
  if (removalDue) return all[rng() % all.size()];

  auto closes = [&](const Action& a) { return b.MillsClosedBy(a.at, who, a.kind == Action::Slide ? a.from : Pt{}); };
  const int spare = b.OnBoard(opponent) + b.remaining[opponent];
  std::vector<Action> allowed, closers;
  for (const Action& a : all) {
    const int c = closes(a);
    if (c > 0 && spareOpponentAt > 0 && spare - c < spareOpponentAt) continue;
    allowed.push_back(a);
    if (c > 0) closers.push_back(a);
  }
  if (allowed.empty()) return std::nullopt;
  if (avoidMills) {
    std::vector<Action> quiet;
    for (const Action& a : allowed) {
      if (closes(a) == 0) quiet.push_back(a);
    }
    if (quiet.empty()) return std::nullopt;
    return quiet[rng() % quiet.size()];
  }
  if (preferMills && !closers.empty()) return closers[rng() % closers.size()];
  return allowed[rng() % allowed.size()];
}

}  // namespace client_test
