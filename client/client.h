// TrivaneGUI, the game program: its state and the procedures its parts share.
//
// The program holds no copy of the board: the engine owns the game, and the
// program keeps only the number of the player to move, which sides the
// computer plays, and the pictures on the screen.  Every part works on the one
// instance of this state, on the program's only thread.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "game_record.h"

namespace client {

using Colour = uint32_t;

// ------------------------------------------------------------ client state --

// cpu_player[1] and cpu_player[2]: 1 when the computer plays that side.
// Slot 0 is never a player; it stays 0.
extern int cpu_player[3];
// PlayGameSound plays only while this is set.
extern uint8_t sound_on;
// The program's copy of the player to move; 1 at every new game.
extern int client_player;
// Line colour of the board and background of the reserve columns.
extern Colour board_colour;
// The level the command line or a loaded game chose, for the status line:
// "EASY", "MEDIUM" (the engine's own default) or "HARD".
extern std::string level_name;
// The hint marks are shown while this is set; H toggles it.
extern bool hints_on;

// --------------------------------------------------------------- board view --

// Screen geometry: point (x, y) of the engine is centred at (62x, 62y).
constexpr int32_t kUnit = 62;
constexpr int32_t kPointHalf = 31;   // a point object reaches 31 pixels each way
constexpr int32_t kPieceInset = 10;  // a piece is drawn 10 pixels inside its point object

// "layer(" + x + "," + y + ")".
std::string LayerName(int32_t x, int32_t y);
void LoadGamePictures();
void CreateGameWindow();
void DrawBoardLines();
void CreatePointLayers();
// Redraws player 1's stack when `left`, player 2's when `right`.
void DrawReserves(bool left, bool right);
void CaptureBackground();
void RestoreBackground(int32_t x, int32_t y, int32_t w, int32_t h);
// Drops the background copy (at the end of the program).
void ReleaseBackground();
// The turn line, and the marks when they belong to the moment: hints on and a
// person to move.
void ShowTurnAndPlaceMarks();
void ShowTurnAndRemoveMarks();
// "Player " + client_player + " playing", centred near the bottom.
void WriteTurnLine();
// Repaints every point from the engine over the empty board: pieces, the
// last move's mark, the piece picked for a slide.  Marks written before are
// gone afterwards, so none outlives the situation it was written for.
void RefreshBoard();
// The status line beside the turn line: the action due, pieces on the board
// and in hand, the level; at the end of a game the reason it ended.
// `part` is the GamePart code already asked for the player to move.
void DrawStatusLine(uint32_t part);
// The text of the status line for `part` (also read by the tests).
std::string StatusText(uint32_t part);
// The reason a game with GamePart `part` (5, 6 or 7) ended.
std::string EndReasonText(uint32_t part);
// The rectangle of the last-move mark around point (x, y).
constexpr int32_t kMarkInset = 2;
// The top left corner at which a piece on point (x, y) is drawn.
int32_t PieceLeft(int32_t x);
int32_t PieceTop(int32_t y);

// ------------------------------------------------------------------ sounds --

// Plays "Sounds\" + name without waiting, cutting off the sound before it;
// nothing while sound_on is clear.  A missing file plays nothing, silently.
void PlayGameSound(const std::string& name);

// --------------------------------------------------------------- game loop --

// Why GameLoop returned.
enum class LoopEnd {
  WindowClosed,    // the close area of the window was clicked
  PlayerDeclined,  // "Play Again ?" was answered No
};
LoopEnd GameLoop();
// Starts a new game: resets the objects and the engine and builds the screen.
void NewGame();

// Loop state, readable so that its owner and the tests can see where a slide
// stands.
int SlideStep();
// The source picked for a slide while SlideStep() is 2.
game_record::Square SlideSource();
// Redraws the whole game screen for the engine's current game (after a
// takeback, redo or load): objects, board, pieces, marks, status.
void RebuildScreen();

// ------------------------------------------------------------- move record --
// The moves of the game as the program played them, kept by the program so
// that takeback, redo, the move list and saving replay them through the
// exports; the engine keeps no second copy.

void ClearRecord();
void RecordPly(const game_record::Ply& ply, int mover);
const std::vector<game_record::Ply>& RecordedPlies();
// Plies taken back that Redo can play again.
const std::vector<game_record::Ply>& RedoPlies();
// The engine showed its draw proposition now.
void NoteDrawProposition();
// Takes back the last move of a person (and the computer's reply after it),
// or the last turn when no person plays.  False when there is none.
bool TakeBack();
// Plays again what the last takeback took back, up to the next person's turn.
bool Redo();
// Writes the game to a file; a box tells the outcome.  False on failure.
bool SaveGameFile(const std::string& path);
// Reads a saved game and replays it.  A file that does not parse or holds an
// illegal move is refused with a box naming the line, and the game on the
// board stays exactly as it was.
bool LoadGameFile(const std::string& path);
// The file Ctrl+S writes and Ctrl+O reads when no file is chosen.
extern const char* const kSaveFileName;
// The move list window: shown over the board, closed again.
void ShowMoveList();
void CloseMoveList();
bool MoveListOpen();
// The lines the move list shows ("1. d2  f4").
std::vector<std::string> MoveListLines();
// The engine's question boxes are answered No without being shown while set
// (a replay that brings back a proposition already declined).
void SetSilentProposition(bool silent);

// An observer called at the end of every pass of the loop, before the close
// test.  The program itself sets none; an automated player uses it to give
// input between passes, as a person gives it between frames.
void SetPassObserver(std::function<void()> observer);

// ---------------------------------------------------------------- start-up --

// Every message box of the program and of the engine is shown through this
// one procedure (no owner window), so both reach the player the same way.
int ShowMessageBox(const std::string& text, const std::string& caption, unsigned style);
// The box being shown at this moment, empty text when none: lets an automated
// player read a question before answering it.
const std::string& CurrentBoxText();
const std::string& CurrentBoxCaption();

// The engine's self-description, or "unknown engine" when it reports none.
std::string EngineInfoText();
// Applies the command-line words (without the program name), first to last.
void ReadCommandLine(const std::vector<std::string>& words);
// The milliseconds a move of "MASTERTIME=MS" (any case, MS from 1 to 3600000),
// or 0 when the word is not one.
uint32_t MasterTimeWord(const std::string& word);
// The window factor the words ask for: "ZOOM1", "ZOOM2" or "ZOOM3" (any case,
// the last one wins), or 0 when none is given and the desktop chooses.
int ZoomFromWords(const std::vector<std::string>& words);
// Makes the folder of the running program the current folder, as a shortcut
// starts a program in its own folder.  False when it cannot be found.
bool EnterProgramFolder();
// Start-up steps 1 to 11: window, toolkit, font, pictures, engine, game
// window, splash, command line.
void StartUp(const std::vector<std::string>& words);
// The whole program after EnterProgramFolder; returns the exit code.
int RunTrivaneGui(const std::vector<std::string>& words);

// The maker's web address, ending the credit line.
extern const char* const kMakerAddress;

}  // namespace client
