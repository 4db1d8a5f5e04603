// The game's moves as the program played them.  Takeback, redo and loading
// all go the same way: RestartGame and every ply again through the exports,
// so the engine ends in exactly the state the game had at that moment, and the
// screen is rebuilt from the engine.  The move list window and the saved game
// file show the same plies in the notation of Morris players.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "client/client.h"
#include "engine/TrivaneEngine.h"
#include "gfx/veltounit.h"
#include "gui/VeltoGUI.h"
#include "platform/win32.h"

namespace client {

const char* const kSaveFileName = "trivane-game.txt";

namespace {

namespace vu = veltounit;
namespace gui = veltogui;
using game_record::Ply;
using game_record::PlyKind;

struct MoveRecord {
  std::vector<Ply> plies;
  std::vector<int> movers;  // who made each ply
  // What the takebacks took back, the next ply first.
  std::vector<Ply> redo;
  std::vector<int> redoMovers;
  // The number of plies played when the engine proposed its draw; -1 when it
  // has not in this game.  A replay to that moment or later brings the
  // proposition back as already made.
  long proposedAt = -1;
  bool listOpen = false;
};
MoveRecord g_record;

// The move list window over the board.
constexpr int32_t kListX = 110, kListY = 70, kListW = 280, kListH = 360;
constexpr int32_t kLineHeight = 18;

bool SomePersonPlays() { return cpu_player[1] == 0 || cpu_player[2] == 0; }

// A turn that a takeback or redo stops at: the start of a person's turn, or of
// any turn when the computer plays both sides.
bool StopsAt(const std::vector<Ply>& plies, const std::vector<int>& movers, size_t i) {
  if (plies[i].kind == PlyKind::Remove) return false;
  const int who = movers[i];
  return !SomePersonPlays() || (who >= 1 && who <= 2 && cpu_player[who] == 0);
}

// Replays the record through the exports and brings back a proposition the
// players already declined.  Plies the engine refuses (which a record of its
// own accepted moves cannot hold) are dropped.
void ReplayRecord() {
  MoveRecord& r = g_record;
  RestartGame();
  std::vector<int> movers;
  size_t played = 0;
  for (; played < r.plies.size(); ++played) {
    movers.push_back(static_cast<int>(Engine_GetPlayer()));
    if (game_record::GameIsOver() || !game_record::ApplyPly(r.plies[played])) {
      movers.pop_back();
      break;
    }
  }
  r.plies.resize(played);
  r.movers = movers;
  if (r.proposedAt >= 0 && r.proposedAt <= static_cast<long>(played)) {
    SetSilentProposition(true);
    GamePart(Engine_GetPlayer());
    SetSilentProposition(false);
  }
}

std::string FileMessage(const std::string& text) { return text; }

}  // namespace

void ClearRecord() { g_record = MoveRecord{}; }

void RecordPly(const Ply& ply, int mover) {
  // A new line from before the proposition: the proposition belongs to the
  // line left behind (a redo keeps it).
  if (g_record.proposedAt > static_cast<long>(g_record.plies.size())) g_record.proposedAt = -1;
  g_record.plies.push_back(ply);
  g_record.movers.push_back(mover);
  // A new move leaves the line that was taken back.
  g_record.redo.clear();
  g_record.redoMovers.clear();
}

const std::vector<Ply>& RecordedPlies() { return g_record.plies; }
const std::vector<Ply>& RedoPlies() { return g_record.redo; }

void NoteDrawProposition() {
  if (g_record.proposedAt < 0) g_record.proposedAt = static_cast<long>(g_record.plies.size());
}

bool TakeBack() {
  MoveRecord& r = g_record;
  size_t target = r.plies.size();
  for (size_t i = r.plies.size(); i-- > 0;) {
    if (StopsAt(r.plies, r.movers, i)) {
      target = i;
      break;
    }
  }
  if (target == r.plies.size()) return false;
  r.redo.insert(r.redo.begin(), r.plies.begin() + static_cast<long>(target), r.plies.end());
  r.redoMovers.insert(r.redoMovers.begin(), r.movers.begin() + static_cast<long>(target), r.movers.end());
  r.plies.resize(target);
  r.movers.resize(target);
  ReplayRecord();
  RebuildScreen();
  return true;
}

bool Redo() {
  MoveRecord& r = g_record;
  if (r.redo.empty()) return false;
  // Up to the next stop after at least one ply: the person's next turn.
  size_t n = 1;
  while (n < r.redo.size() && !StopsAt(r.redo, r.redoMovers, n)) ++n;
  for (size_t i = 0; i < n; ++i) {
    if (game_record::GameIsOver() || !game_record::ApplyPly(r.redo[i])) {
      // Not the game it was taken back from: the rest cannot be redone.
      n = i;
      r.redo.clear();
      r.redoMovers.clear();
      break;
    }
    r.plies.push_back(r.redo[i]);
    r.movers.push_back(r.redoMovers[i]);
  }
  if (!r.redo.empty()) {
    r.redo.erase(r.redo.begin(), r.redo.begin() + static_cast<long>(n));
    r.redoMovers.erase(r.redoMovers.begin(), r.redoMovers.begin() + static_cast<long>(n));
  }
  // A proposition made in the redone line comes back as made.
  ReplayRecord();
  RebuildScreen();
  return n > 0;
}

bool SaveGameFile(const std::string& path) {
  game_record::GameFile file;
  file.level = level_name;
  file.date = game_record::DateNow();
  file.plies = g_record.plies;
  std::string error;
  if (!game_record::WriteTextFile(path, game_record::FormatGameFile(file), error)) {
    PlayGameSound("deny.wav");
    ShowMessageBox("The game was not saved:\n" + error, "Save", MB_OK | MB_ICONWARNING);
    return false;
  }
  ShowMessageBox("The game is saved in " + path + " (" + std::to_string(game_record::TurnTexts(file.plies).size()) +
                     " moves).",
                 "Save", MB_OK | MB_ICONINFORMATION);
  return true;
}

bool LoadGameFile(const std::string& path) {
  std::string text, error;
  game_record::GameFile file;
  if (!game_record::ReadTextFile(path, text, error)) {
    PlayGameSound("deny.wav");
    ShowMessageBox("The game was not loaded:\n" + error, "Load", MB_OK | MB_ICONWARNING);
    return false;
  }
  if (!game_record::LoadGameText(text, file, error)) {
    // The engine has seen part of the file: the game on the board comes back
    // through the same replay as a takeback, and the screen was not touched.
    ReplayRecord();
    PlayGameSound("deny.wav");
    ShowMessageBox("The game in " + path + " was not loaded:\n" + FileMessage(error), "Load",
                   MB_OK | MB_ICONWARNING);
    return false;
  }
  ClearRecord();
  g_record.plies = file.plies;
  ReplayRecord();
  if (!file.level.empty()) {
    level_name = file.level;
    Engine_SetDifficulty(level_name == "EASY"   ? TRIVANE_DEPTH_EASY
                         : level_name == "HARD" ? TRIVANE_DEPTH_HARD
                                                : TRIVANE_DEPTH_MEDIUM);
  }
  RebuildScreen();
  return true;
}

std::vector<std::string> MoveListLines() {
  const std::vector<std::string> turns = game_record::TurnTexts(g_record.plies);
  std::vector<std::string> lines;
  for (size_t i = 0; i < turns.size(); i += 2) {
    std::string line = std::to_string(i / 2 + 1) + ".  " + turns[i];
    if (i + 1 < turns.size()) line += "   " + turns[i + 1];
    lines.push_back(line);
  }
  return lines;
}

void ShowMoveList() {
  g_record.listOpen = true;
  gui::DrawWindowFrame("Moves", 1, kListX, kListY, kListW, kListH);
  const std::vector<std::string> lines = MoveListLines();
  // The latest moves when they do not all fit.
  const int32_t top = kListY + 34;
  const int32_t fit = (kListH - 34 - 44) / kLineHeight;
  const size_t first = lines.size() > static_cast<size_t>(fit) ? lines.size() - static_cast<size_t>(fit) : 0;
  const Colour previous = vu::GetTextColour();
  vu::SetTextColour(vu::MakeColour(0, 0, 0));
  vu::SetTextMode("TRANSPARENT");
  if (lines.empty()) vu::OutTextXY(kListX + 16, top, "No moves yet.");
  for (size_t i = first; i < lines.size(); ++i) {
    vu::OutTextXY(kListX + 16, top + static_cast<int32_t>(i - first) * kLineHeight, lines[i]);
  }
  vu::SetTextColour(previous);
  gui::CreateObject("MOVESCLOSE", "buttonc", "Close", "", "", "", kListX + kListW / 2 - 25, kListY + kListH - 36, 0,
                    0);
  gui::DrawObjectByName("MOVESCLOSE");
}

void CloseMoveList() {
  g_record.listOpen = false;
  RebuildScreen();
}

bool MoveListOpen() { return g_record.listOpen; }

}  // namespace client
