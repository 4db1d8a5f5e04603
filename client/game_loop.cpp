// The game loop: games one after another, each driven by clicks on the 24
// point objects.  A computer move arrives through the same road as a click:
// the loop makes up the name of the point object a person would have clicked.
// The rules live in the engine; the loop asks it what kind of move is due,
// passes the point on, and on success draws, plays a sound and shows the marks
// of the next turn.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "client/client.h"
#include "engine/TrivaneEngine.h"
#include "gfx/veltounit.h"
#include "gui/VeltoGUI.h"
#include "images/IvxFiles.h"
#include "platform/win32.h"

namespace client {

namespace {

namespace vu = veltounit;
namespace gui = veltogui;
namespace ivx = ivxfiles;

struct Point {
  int32_t x = 0;
  int32_t y = 0;
};


constexpr unsigned kQuestionStyle = MB_YESNO | MB_ICONINFORMATION;  // 0x44

struct LoopState {
  int slideStep = 1;
  Point pick[3];  // pick[1] the source of a slide, pick[2] its destination
  // The computer's last answer.  Kept from pass to pass: when the game is
  // over the engine leaves them alone, and feeding the old point again leads
  // the loop into its end-of-game branch.
  uint8_t fromX = 0, fromY = 0, toX = 0, toY = 0;
  std::function<void()> observer;
};
LoopState g_loop;

enum class ClickOutcome { Handled, NewGame, Declined };

std::string Decimal(int64_t n) { return std::to_string(n); }

// Only cells of the engine's 7 x 7 grid (and the 0 of an empty computer answer)
// may reach the engine's move exports, which do not check their coordinates.
bool OnGrid(const Point& p) { return p.x >= 0 && p.x <= 7 && p.y >= 0 && p.y <= 7; }

int32_t PieceSizeX() { return ivx::PictureMetric("pioniup1", "SIZEX"); }
int32_t PieceSizeY() { return ivx::PictureMetric("pioniup1", "SIZEY"); }

// Makes a point look empty again by copying the empty board back over it.
void ClearPoint(const std::string& layer) {
  const int32_t px = gui::GetObjectX1(layer) + kPieceInset;
  const int32_t py = gui::GetObjectY1(layer) + kPieceInset;
  RestoreBackground(px - 2, py - 2, PieceSizeX() + 4, PieceSizeY() + 4);
}

void DrawPieceOn(const std::string& layer, uint32_t player) {
  ivx::DrawPicture("pioniup" + Decimal(player), gui::GetObjectX1(layer) + kPieceInset,
                   gui::GetObjectY1(layer) + kPieceInset);
}

// The end of a game: the question, and the player's answer.
ClickOutcome AskPlayAgain(const std::string& text, const char* sound) {
  PlayGameSound(sound);
  const int answer = ShowMessageBox(text, "Victory!", kQuestionStyle);
  return answer == IDYES ? ClickOutcome::NewGame : ClickOutcome::Declined;
}

game_record::Square Sq(const Point& p) { return game_record::Square{p.x, p.y}; }

void Remove(const std::string& layer, const Point& p, uint32_t player) {
  if (!OnGrid(p) || !Engine_RemovePlay(p.x, p.y)) {
    PlayGameSound("deny.wav");
    vu::Delay(400);
    return;
  }
  RecordPly(game_record::Ply{game_record::PlyKind::Remove, {}, Sq(p)}, static_cast<int>(player));
  PlayGameSound("take.wav");
  const int32_t px = gui::GetObjectX1(layer) + kPieceInset;
  const int32_t py = gui::GetObjectY1(layer) + kPieceInset;
  ivx::DrawPicture("pionix", px, py);
  vu::Delay(500);
  RestoreBackground(px - 2, py - 2, PieceSizeX() + 4, PieceSizeY() + 4);
  DrawReserves(true, true);
  vu::Delay(800);
}

void Place(const std::string& layer, const Point& p, uint32_t player) {
  if (!OnGrid(p) || !Engine_MakePlaceMove(p.x, p.y)) {
    PlayGameSound("deny.wav");
    ShowMessageBox("Cannot put here.." + gui::GetCommandPart(2) + "," + gui::GetCommandPart(3), " ", MB_OK);
    return;
  }
  RecordPly(game_record::Ply{game_record::PlyKind::Place, {}, Sq(p)}, static_cast<int>(player));
  PlayGameSound("place.wav");
  DrawPieceOn(layer, player);
  DrawReserves(player == 1, player != 1);
  vu::Delay(300);
}

void SlideStepClick(const Point& p, uint32_t player) {
  LoopState& s = g_loop;
  s.pick[s.slideStep] = p;
  const uint32_t content = Engine_GetPieceTable(p.x, p.y);
  if (s.slideStep == 1 && content != static_cast<uint32_t>(client_player)) {
    // The source must be one of the mover's own pieces.
    PlayGameSound("deny.wav");
  } else if (s.slideStep == 2 && content != 0) {
    // An occupied destination: the source is picked again.
    PlayGameSound("deny.wav");
    s.slideStep = 1;
  } else {
    ++s.slideStep;
  }
  vu::Delay(200);
  if (s.slideStep != 3) return;

  s.slideStep = 1;
  const Point from = s.pick[1];
  const Point to = s.pick[2];
  if (!OnGrid(from) || !OnGrid(to) || !Engine_MakeSlideMove(from.x, from.y, to.x, to.y)) {
    PlayGameSound("deny.wav");
    ShowMessageBox("Cannot slide here.." + Decimal(from.x) + "," + Decimal(from.y) + " - " + Decimal(to.x) + "," +
                       Decimal(to.y),
                   " ", MB_OK);
    return;
  }
  RecordPly(game_record::Ply{game_record::PlyKind::Slide, Sq(from), Sq(to)}, static_cast<int>(player));
  PlayGameSound("slide.wav");
  ClearPoint(LayerName(from.x, from.y));
  DrawReserves(true, true);
  DrawPieceOn(LayerName(to.x, to.y), player);
  vu::Delay(400);
}

// A click on the point named `layer`, already split by ParseCommand.
ClickOutcome HandlePointClick(const std::string& layer) {
  const Point p{gui::GetCommandNumber(2), gui::GetCommandNumber(3)};
  const uint32_t player = Engine_GetPlayer();
  const uint32_t part = GamePart(player);
  switch (part) {
    case TRIVANE_PHASE_DRAW: return AskPlayAgain("Game ended as a draw ! :P \nPlay Again ?", "buzzer.wav");
    case TRIVANE_PHASE_PLAYER1_WON:
      return AskPlayAgain("Congratulations " + std::string(cpu_player[1] == 1 ? "CPU" : "Player") +
                              " 1 , You Won! :)\nPlay Again ?",
                          "win.wav");
    case TRIVANE_PHASE_PLAYER2_WON:
      return AskPlayAgain("Congratulations " + std::string(cpu_player[2] == 1 ? "CPU" : "Player") +
                              " 2  , You Won! :)\nPlay Again ?",
                          "win.wav");
    case TRIVANE_PHASE_REMOVE: Remove(layer, p, player); break;
    case TRIVANE_PHASE_PLACE: Place(layer, p, player); break;
    case TRIVANE_PHASE_SLIDE:
    case TRIVANE_PHASE_FLY: SlideStepClick(p, player); break;
    default:
      PlayGameSound("deny.wav");
      ShowMessageBox("Trivane GUI cannot identify the phase of the game " + Decimal(part) + " !", " ",
                     MB_ICONWARNING);
      break;
  }
  client_player = static_cast<int>(Engine_GetPlayer());
  const uint32_t now = GamePart(client_player);
  // Everything written for the situation before the click goes first.
  RefreshBoard();
  if (now == TRIVANE_PHASE_REMOVE) {
    ShowTurnAndRemoveMarks();
  } else {
    ShowTurnAndPlaceMarks();
  }
  DrawStatusLine(now);
  gui::SetObjectState(layer, 0);
  return ClickOutcome::Handled;
}

// The program's own commands, from a key or a button beside "Make Tree".
enum class Command { None, TakeBack, Redo, Save, Load, Moves, Hints, ZoomIn, ZoomOut };

struct CommandButton {
  const char* name;
  const char* caption;
  Command command;
};
constexpr CommandButton kButtons[] = {
    {"UNDO", "Undo", Command::TakeBack}, {"REDO", "Redo", Command::Redo}, {"MOVES", "Moves", Command::Moves},
    {"SAVE", "Save", Command::Save},     {"LOAD", "Load", Command::Load},
};

void CreateCommandButtons() {
  int32_t x = gui::GetObjectX2("NODE") + 4;
  for (const CommandButton& b : kButtons) {
    gui::CreateObject(b.name, "buttonc", b.caption, "", "", "", x, 483, 0, 0);
    x = gui::GetObjectX2(b.name) + 4;
  }
}

// Keys: Ctrl+Z or Backspace take back, Ctrl+Y redoes, Ctrl+S saves, Ctrl+O
// loads, M shows or closes the move list, H toggles the hint marks, Ctrl+plus
// and Ctrl+minus (or the keypad's + and - alone) enlarge and shrink the
// window by one whole factor.  The
// toolkit reads one key per pass; what it does not use is read here once.
Command ReadCommand() {
  for (const CommandButton& b : kButtons) {
    if (gui::GetObjectValue(b.name) == "4") {
      gui::SetObjectState(b.name, 0);
      return b.command;
    }
  }
  if (gui::GetObjectValue("MOVESCLOSE") == "4") return Command::Moves;
  const int32_t key = vu::GetLastKeyCode();
  const bool ctrl = vu::LastKeyCodeHadControl();
  vu::SetLastKeyCode(0);
  if (key == 0) return Command::None;
  if (key == VK_BACK || (ctrl && key == 'Z')) return Command::TakeBack;
  if (ctrl && key == 'Y') return Command::Redo;
  if (ctrl && key == 'S') return Command::Save;
  if (ctrl && key == 'O') return Command::Load;
  if (!ctrl && key == 'M') return Command::Moves;
  if (!ctrl && key == 'H') return Command::Hints;
  if (key == VK_ADD || (ctrl && key == VK_OEM_PLUS)) return Command::ZoomIn;
  if (key == VK_SUBTRACT || (ctrl && key == VK_OEM_MINUS)) return Command::ZoomOut;
  return Command::None;
}

// The file to load: the one chosen in the file dialog; the file Save writes
// when there is no dialog to ask (no desktop dialog program); empty when the
// player cancelled.
std::string ChooseFileToLoad() {
  char name[4 * MAX_PATH] = {};
  OPENFILENAMEA request{};
  request.lStructSize = sizeof(OPENFILENAMEA);
  request.hwndOwner = vu::WindowHandle();
  request.lpstrFile = name;
  request.nMaxFile = sizeof name;
  request.lpstrTitle = "Load a saved game";
  if (GetOpenFileNameA(&request)) {
    name[sizeof name - 1] = '\0';
    return name;
  }
  return CommDlgExtendedError() == 0 ? std::string() : std::string(kSaveFileName);
}

void RunCommand(Command c) {
  switch (c) {
    case Command::None: break;
    case Command::TakeBack:
      if (MoveListOpen()) CloseMoveList();
      if (!TakeBack()) PlayGameSound("deny.wav");
      break;
    case Command::Redo:
      if (MoveListOpen()) CloseMoveList();
      if (!Redo()) PlayGameSound("deny.wav");
      break;
    case Command::Save: SaveGameFile(kSaveFileName); break;
    case Command::Load: {
      const std::string file = ChooseFileToLoad();
      if (file.empty()) break;  // cancelled
      if (MoveListOpen()) CloseMoveList();
      LoadGameFile(file);
      break;
    }
    case Command::Moves:
      if (MoveListOpen()) CloseMoveList();
      else ShowMoveList();
      break;
    case Command::ZoomIn: vu::SetWindowScale(vu::WindowScale() + 1); break;
    case Command::ZoomOut: vu::SetWindowScale(std::max(vu::WindowScale() - 1, 1)); break;
    case Command::Hints: {
      hints_on = !hints_on;
      if (MoveListOpen()) break;  // shown again when the list closes
      const uint32_t part = GamePart(client_player);
      RefreshBoard();
      if (part == TRIVANE_PHASE_REMOVE) ShowTurnAndRemoveMarks();
      else ShowTurnAndPlaceMarks();
      DrawStatusLine(part);
      break;
    }
  }
}

bool ComputerPlays(int player) { return player >= 1 && player <= 2 && cpu_player[player] == 1; }

void ShowEngineError() {
  PlayGameSound("buzzer.wav");
  const int32_t w = ivx::PictureMetric("warning", "SIZEX");
  const int32_t h = ivx::PictureMetric("warning", "SIZEY");
  const int32_t x = vu::WindowWidth() - w;
  const int32_t y = vu::WindowHeight() - h;
  ivx::DrawPicture("warning", x, y);
  vu::Delay(1600);
  RestoreBackground(x, y, w + 2, h + 2);
}

}  // namespace

int SlideStep() { return g_loop.slideStep; }

game_record::Square SlideSource() { return game_record::Square{g_loop.pick[1].x, g_loop.pick[1].y}; }

void SetPassObserver(std::function<void()> observer) { g_loop.observer = std::move(observer); }

namespace {

// The screen of a game without its pieces; `restart` starts a new game in
// the engine at the moment the new-game steps do.
void BuildEmptyScreen(bool restart) {
  gui::ResetObjects(0);
  gui::SetObjectTextColour(vu::MakeColour(0, 0, 0), "comment");
  vu::ClearWindow();
  if (restart) RestartGame();
  CreateGameWindow();
  DrawBoardLines();
  gui::CreateObject("player1", "comment", "Player 1", "", "", "", 20, 45, 0, 0);
  gui::CreateObject("player2", "comment", "Player 2", "", "", "", 443, 45, 0, 0);
  gui::CreateObject("NODE", "buttonc", "Make Tree", "", "", "", 10, 483, 0, 0);
  CreateCommandButtons();
  CreatePointLayers();
  DrawReserves(true, true);
  gui::DrawAllObjects();
}

}  // namespace

void NewGame() {
  ClearRecord();
  BuildEmptyScreen(true);
  client_player = 1;
  CaptureBackground();
  ShowTurnAndPlaceMarks();
  g_loop.slideStep = 1;
  DrawStatusLine(GamePart(client_player));
}

void RebuildScreen() {
  BuildEmptyScreen(false);
  client_player = static_cast<int>(Engine_GetPlayer());
  CaptureBackground();
  g_loop.slideStep = 1;
  const uint32_t part = GamePart(client_player);
  RefreshBoard();
  if (part == TRIVANE_PHASE_REMOVE) ShowTurnAndRemoveMarks();
  else ShowTurnAndPlaceMarks();
  DrawStatusLine(part);
}

LoopEnd GameLoop() {
  for (;;) {
    NewGame();
    bool nextGame = false;
    while (!nextGame) {
      gui::HandleGuiEvents();
      std::string activated = gui::GetActivatedObject();

      const Command command = ReadCommand();
      if (command != Command::None) {
        RunCommand(command);
        // The screen may have been rebuilt: a click of this pass is stale.
        activated.clear();
        gui::ClearActivatedObject();
      }
      // The game waits while the move list covers the board.
      const bool paused = MoveListOpen();
      if (paused) activated.clear();

      if (command == Command::None && !paused && ComputerPlays(client_player)) {
        LoopState& s = g_loop;
        AI_Play(&s.fromX, &s.fromY, &s.toX, &s.toY);
        const uint32_t part = GamePart(client_player);
        if (part == TRIVANE_PHASE_SLIDE || part == TRIVANE_PHASE_FLY) {
          // The source counts as picked; the made-up click names the destination.
          s.slideStep = 2;
          s.pick[1] = Point{s.fromX, s.fromY};
          activated = LayerName(s.toX, s.toY);
        } else {
          activated = LayerName(s.fromX, s.fromY);
        }
      }

      if (gui::GetObjectValue("NODE") == "4") {
        gui::SetObjectState("NODE", 0);
        NodeTree();
      }

      if (Engine_Error()) ShowEngineError();

      if (!activated.empty()) {
        gui::ClearActivatedObject();
        gui::ParseCommand(activated);
        if (vu::SameTextNoCase(gui::GetCommandPart(1), "layer")) {
          switch (HandlePointClick(activated)) {
            case ClickOutcome::Declined: return LoopEnd::PlayerDeclined;
            case ClickOutcome::NewGame: nextGame = true; break;
            case ClickOutcome::Handled: break;
          }
        }
      }

      if (g_loop.observer) g_loop.observer();
      if (gui::IsCloseRequested()) return LoopEnd::WindowClosed;
    }
  }
}

}  // namespace client
