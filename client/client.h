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

// --------------------------------------------------------------- board view --

// Screen geometry: point (x, y) of the engine is centred at (62x, 62y).
constexpr int32_t kUnit = 62;
constexpr int32_t kPointHalf = 31;    // a point object reaches 31 pixels each way
constexpr int32_t kPieceInset = 10;   // a piece is drawn 10 pixels inside its point object

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
void ShowTurnAndPlaceMarks();
void ShowTurnAndRemoveMarks();
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
