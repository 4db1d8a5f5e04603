#include "game_record.h"

#include <cctype>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <sstream>

#include "TrivaneEngine.h"

namespace game_record {

namespace {

// Longest line a saved game may hold; longer lines are refused, not read.
constexpr size_t kLongestLine = 200;
// A game needs far fewer plies than this; a file with more is refused.
constexpr size_t kMostPlies = 5000;

bool IsPoint(Square s) {
  if (s.x < 1 || s.x > 7 || s.y < 1 || s.y > 7) return false;
  if (s.x == 4 && s.y == 4) return false;
  // A point lies on a diagonal of the grid or on its middle row or column.
  const int dx = s.x - 4 < 0 ? 4 - s.x : s.x - 4;
  const int dy = s.y - 4 < 0 ? 4 - s.y : s.y - 4;
  return dx == dy || s.x == 4 || s.y == 4;
}

std::string Trim(const std::string& s) {
  size_t a = 0, b = s.size();
  while (a < b && std::isspace(static_cast<unsigned char>(s[a]))) ++a;
  while (b > a && std::isspace(static_cast<unsigned char>(s[b - 1]))) --b;
  return s.substr(a, b - a);
}

std::string Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

bool IsLevel(const std::string& word) { return word == "EASY" || word == "MEDIUM" || word == "HARD"; }

std::string LineMessage(int line, const std::string& what) { return "line " + std::to_string(line) + ": " + what; }

}  // namespace

std::string SquareName(Square s) {
  if (!IsPoint(s)) return "";
  return std::string(1, static_cast<char>('a' + s.x - 1)) + std::to_string(8 - s.y);
}

bool ParseSquare(const std::string& text, Square& out) {
  if (text.size() != 2) return false;
  const char file = static_cast<char>(std::tolower(static_cast<unsigned char>(text[0])));
  if (file < 'a' || file > 'g' || text[1] < '1' || text[1] > '7') return false;
  const Square s{file - 'a' + 1, 8 - (text[1] - '0')};
  if (!IsPoint(s)) return false;
  out = s;
  return true;
}

std::vector<std::string> TurnTexts(const std::vector<Ply>& plies) {
  std::vector<std::string> turns;
  for (const Ply& p : plies) {
    switch (p.kind) {
      case PlyKind::Place: turns.push_back(SquareName(p.to)); break;
      case PlyKind::Slide: turns.push_back(SquareName(p.from) + "-" + SquareName(p.to)); break;
      case PlyKind::Remove:
        // A removal belongs to the move that earned it.
        if (turns.empty()) turns.emplace_back();
        turns.back() += "x" + SquareName(p.to);
        break;
    }
  }
  return turns;
}

bool ParseTurn(const std::string& text, std::vector<Ply>& out, std::string& why) {
  out.clear();
  const std::string t = Trim(text);
  size_t at = 0;
  auto square = [&](Square& s) {
    if (at + 2 > t.size() || !ParseSquare(t.substr(at, 2), s)) return false;
    at += 2;
    return true;
  };
  Square first;
  if (!square(first)) {
    why = "\"" + t + "\" does not start with a point a1..g7";
    return false;
  }
  if (at < t.size() && t[at] == '-') {
    ++at;
    Square to;
    if (!square(to)) {
      why = "\"" + t + "\" has no point after \"-\"";
      return false;
    }
    out.push_back(Ply{PlyKind::Slide, first, to});
  } else {
    out.push_back(Ply{PlyKind::Place, {}, first});
  }
  while (at < t.size()) {
    Square taken;
    if ((t[at] != 'x' && t[at] != 'X') || (++at, !square(taken))) {
      why = "\"" + t + "\" is not a move (\"d2\", \"d2-d3\", a removal as \"xf4\")";
      return false;
    }
    out.push_back(Ply{PlyKind::Remove, {}, taken});
  }
  if (out.size() > 3) {
    why = "\"" + t + "\" has more than two removals";
    return false;
  }
  return true;
}

bool GameIsOver() {
  if (Engine_GetDrawReason() != 0) return true;
  if (Engine_GetRemainingPutPlayerPieces(1) != 0 || Engine_GetRemainingPutPlayerPieces(2) != 0) return false;
  int pieces[3] = {0, 0, 0};
  for (uint32_t x = 1; x <= 7; ++x)
    for (uint32_t y = 1; y <= 7; ++y) {
      const uint32_t c = Engine_GetPieceTable(x, y);
      if (c == 1 || c == 2) ++pieces[c];
    }
  // A blocked player is not tested here: no slide of theirs is accepted, so
  // a move after a blockade is refused as illegal anyway.
  return pieces[1] < 3 || pieces[2] < 3;
}

bool ApplyPly(const Ply& ply) {
  const uint32_t mover = Engine_GetPlayer();
  if (mover != 1 && mover != 2) return false;
  const uint32_t inHand = Engine_GetRemainingPutPlayerPieces(mover);
  switch (ply.kind) {
    case PlyKind::Place: return inHand != 0 && Engine_MakePlaceMove(ply.to.x, ply.to.y) == 1;
    case PlyKind::Slide: return inHand == 0 && Engine_MakeSlideMove(ply.from.x, ply.from.y, ply.to.x, ply.to.y) == 1;
    case PlyKind::Remove: return Engine_RemovePlay(ply.to.x, ply.to.y) == 1;
  }
  return false;
}

Ply PlyFromAnswer(uint32_t phase, uint32_t from_x, uint32_t from_y, uint32_t to_x, uint32_t to_y) {
  const Square from{static_cast<int>(from_x), static_cast<int>(from_y)};
  const Square to{static_cast<int>(to_x), static_cast<int>(to_y)};
  if (phase == TRIVANE_PHASE_SLIDE || phase == TRIVANE_PHASE_FLY) return Ply{PlyKind::Slide, from, to};
  return Ply{phase == TRIVANE_PHASE_REMOVE ? PlyKind::Remove : PlyKind::Place, {}, from};
}

bool PlayRandomPly(std::mt19937& rng, Ply& out) {
  const uint32_t p = Engine_GetPlayer();
  const uint32_t g = GamePart(p);
  std::vector<Ply> legal;
  for (uint32_t x = 1; x <= 7; ++x)
    for (uint32_t y = 1; y <= 7; ++y) {
      if (g == TRIVANE_PHASE_PLACE && Engine_PieceAllowedTable(x, y)) legal.push_back(PlyFromAnswer(g, x, y, 0, 0));
      if (g == TRIVANE_PHASE_REMOVE && Engine_PlayerPieceExistsTable(x, y, p == 1 ? 2 : 1))
        legal.push_back(PlyFromAnswer(g, x, y, 0, 0));
    }
  while (!legal.empty()) {
    const size_t i = rng() % legal.size();
    if (ApplyPly(legal[i])) {
      out = legal[i];
      return true;
    }
    legal.erase(legal.begin() + static_cast<long>(i));  // a piece in a mill
  }
  return false;
}

ComputerTurn PlayComputerPly(Ply& out) {
  const uint32_t player = Engine_GetPlayer();
  uint8_t fx = 0, fy = 0, tx = 0, ty = 0;
  AI_Play(&fx, &fy, &tx, &ty);
  // AI_Play may have ended the game in its own question (a draw accepted):
  // the phase is read again before the answer is played.
  const uint32_t now = GamePart(player);
  if (now == TRIVANE_PHASE_PLAYER1_WON || now == TRIVANE_PHASE_PLAYER2_WON || now == TRIVANE_PHASE_DRAW)
    return ComputerTurn::Ended;
  out = PlyFromAnswer(now, fx, fy, tx, ty);
  return ApplyPly(out) ? ComputerTurn::Played : ComputerTurn::Refused;
}

size_t Replay(const std::vector<Ply>& plies) {
  RestartGame();
  for (size_t i = 0; i < plies.size(); ++i) {
    if (GameIsOver() || !ApplyPly(plies[i])) return i;
  }
  return plies.size();
}

std::string FormatGameFile(const GameFile& game) {
  std::string out = "# Trivane game\n";
  out += "# Level: " + (game.level.empty() ? std::string("MEDIUM") : game.level) + "\n";
  out += "# Date: " + game.date + "\n";
  for (const std::string& turn : TurnTexts(game.plies)) out += turn + "\n";
  return out;
}

bool LoadGameText(const std::string& text, GameFile& out, std::string& error) {
  GameFile game;
  std::istringstream in(text);
  std::string raw;
  int line = 0;
  RestartGame();
  bool pendingRemoval = false;  // the previous line left a removal due
  int pendingLine = 0;
  while (std::getline(in, raw)) {
    ++line;
    if (raw.size() > kLongestLine) {
      error = LineMessage(line, "the line is too long");
      return false;
    }
    const std::string t = Trim(raw);
    if (t.empty()) continue;
    if (t[0] == '#') {
      const std::string body = Trim(t.substr(1));
      const std::string key = Upper(body.substr(0, body.find(':')));
      const std::string value = body.find(':') == std::string::npos ? "" : Trim(body.substr(body.find(':') + 1));
      if (key == "LEVEL") {
        if (!IsLevel(Upper(value))) {
          error = LineMessage(line, "unknown level \"" + value + "\" (EASY, MEDIUM or HARD)");
          return false;
        }
        game.level = Upper(value);
      } else if (key == "DATE") {
        game.date = value;
      }
      continue;
    }
    if (pendingRemoval) {
      error = LineMessage(pendingLine, "the move closed a mill but names no piece to take");
      return false;
    }
    std::vector<Ply> plies;
    std::string why;
    if (!ParseTurn(t, plies, why)) {
      error = LineMessage(line, why);
      return false;
    }
    if (game.plies.size() + plies.size() > kMostPlies) {
      error = LineMessage(line, "too many moves for one game");
      return false;
    }
    const uint32_t mover = Engine_GetPlayer();
    for (size_t i = 0; i < plies.size(); ++i) {
      if (GameIsOver()) {
        error = LineMessage(line, "the game is already over");
        return false;
      }
      const bool removal = plies[i].kind == PlyKind::Remove;
      // A removal is due exactly while the turn stays with the mover.
      if (removal && (i == 0 || Engine_GetPlayer() != mover)) {
        error = LineMessage(line, "\"" + t + "\" takes a piece without closing a mill");
        return false;
      }
      if (!ApplyPly(plies[i])) {
        error = LineMessage(line, "\"" + t + "\" is not a legal move here");
        return false;
      }
      game.plies.push_back(plies[i]);
      game.ply_lines.push_back(line);
    }
    // Still the mover's turn: a removal is due.  Only the last line may end
    // so (a game saved before the piece was taken).
    pendingRemoval = Engine_GetPlayer() == mover && !GameIsOver();
    pendingLine = line;
  }
  out = game;
  return true;
}

bool ReadTextFile(const std::string& path, std::string& text, std::string& error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = "cannot open \"" + path + "\"";
    return false;
  }
  std::ostringstream s;
  s << in.rdbuf();
  text = s.str();
  // A saved game is a few kilobytes; anything far larger is not one.
  if (text.size() > kMostPlies * 12) {
    error = "\"" + path + "\" is too large to be a saved game";
    return false;
  }
  return true;
}

bool WriteTextFile(const std::string& path, const std::string& text, std::string& error) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) {
    error = "cannot write \"" + path + "\"";
    return false;
  }
  out << text;
  out.close();
  if (!out) {
    error = "writing \"" + path + "\" failed";
    return false;
  }
  return true;
}

std::string DateNow() {
  const std::time_t now = std::time(nullptr);
  std::tm utc{};
#if defined(_WIN32)
  gmtime_s(&utc, &now);
#else
  gmtime_r(&now, &utc);
#endif
  char buffer[40];
  std::strftime(buffer, sizeof buffer, "%Y-%m-%d %H:%M UTC", &utc);
  return buffer;
}

}  // namespace game_record
