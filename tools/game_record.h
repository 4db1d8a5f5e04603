// A game as a list of plies, in the standard notation of Morris players, and
// the text file that holds one.  Shared by the game program and the terminal
// game, which both replay it through the engine's exports from RestartGame:
// the engine keeps the one copy of the game, the record only the moves.
//
// Notation: points a1..g7, files a..g left to right, ranks 1..7 bottom to top.
// The engine counts y from the top row, so rank = 8 - y.  A placement is "d2",
// a slide or fly "d2-d3", and each removal the move earned is appended as
// "xf4" ("d2-d3xf4", or "d2xf4xg7" for two mills at once).
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace game_record {

// The draw rules the game program and the terminal game play with: a position
// seen three times, the custom of Morris players; and 100 moves of both sides
// together (fifty each) without a placement or a mill.  Fifty moves each is
// far more than a side needs to bring a piece anywhere on 24 points and close
// a mill when it can, so it ends only games that go nowhere, such as a flying
// side running from three pieces forever.
constexpr uint32_t kDrawRepetitions = 3;
constexpr uint32_t kDrawQuietMoves = 100;

struct Square {
  int x = 0;  // engine coordinates, 1..7
  int y = 0;
  bool operator==(const Square&) const = default;
};

enum class PlyKind : uint8_t { Place, Slide, Remove };

// One call of a move export: a placement or removal at `to`, a slide from
// `from` to `to`.
struct Ply {
  PlyKind kind = PlyKind::Place;
  Square from;
  Square to;
  bool operator==(const Ply&) const = default;
};

// "d2" for engine (4, 6); empty for a cell that is not a board point.
std::string SquareName(Square s);
// Reads "d2" (any case); false for anything that is not one of the 24 points.
bool ParseSquare(const std::string& text, Square& out);

// One line per turn: a move and the removals it earned.
std::vector<std::string> TurnTexts(const std::vector<Ply>& plies);
// The plies of one turn's text; false with a reason for bad text.
bool ParseTurn(const std::string& text, std::vector<Ply>& out, std::string& why);

// Plays one ply through the exports for the player to move.  False when the
// engine refuses it or it is of the wrong kind for the moment (it is then not
// passed to the engine at all, which would complain with a box of its own).
bool ApplyPly(const Ply& ply);
// The ply a move export's answer stands for in the mover's phase (GamePart:
// 2 and 3 a slide or flight, 4 a removal, else a placement).
Ply PlyFromAnswer(uint32_t phase, uint32_t from_x, uint32_t from_y, uint32_t to_x, uint32_t to_y);
// Plays a random legal placement or removal for the player to move (openings
// of surveys and matches); false when there is none.
bool PlayRandomPly(std::mt19937& rng, Ply& out);
// The computer's turn for the player to move: AI_Play, its answer read in the
// phase the game is in once it returned, and played through the exports.
enum class ComputerTurn : uint8_t {
  Played,  // `out` holds the ply played
  Ended,   // the answer ended the game (a draw accepted in its own question)
  Refused  // the referee refused the answer, held in `out`
};
ComputerTurn PlayComputerPly(Ply& out);
// True when the ordinary rules or a draw rule have ended the game: no further
// ply may be played.  Read without GamePart, which may ask a question.
bool GameIsOver();
// RestartGame, then every ply in order.  Returns the number of plies played:
// plies.size() when all of them were accepted.
size_t Replay(const std::vector<Ply>& plies);

// A saved game: a header of "# " lines, then one turn per line.
struct GameFile {
  std::string level;  // "EASY", "MEDIUM", "HARD", or empty when not known
  std::string date;   // as written, e.g. "2026-12-08 13:40 UTC"
  std::vector<Ply> plies;
  std::vector<int> ply_lines;  // the file line of each ply, 1-based
};

std::string FormatGameFile(const GameFile& game);
// Reads the text and replays it through the engine from RestartGame, checking
// every move.  On failure returns false with a message that names the line;
// the engine is then left in an undefined game, and the caller replays the
// game it had.
bool LoadGameText(const std::string& text, GameFile& out, std::string& error);

// Whole files; false with a message when the file cannot be read or written.
bool ReadTextFile(const std::string& path, std::string& text, std::string& error);
bool WriteTextFile(const std::string& path, const std::string& text, std::string& error);

// The current time as the file header writes it.
std::string DateNow();

}  // namespace game_record
