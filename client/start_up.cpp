// The program's entry and main body: the window, the toolkit, the pictures,
// the engine, the splash with the engine's self-description, the command line,
// the game loop and the closing credit line.
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

int cpu_player[3] = {0, 0, 1};
uint8_t sound_on = 0;
int client_player = 1;
Colour board_colour = 0x400000;  // MakeColour(0, 0, 64)
std::string level_name = "MEDIUM";
bool hints_on = true;

// The maker's site as the credit line names it: a placeholder under the reserved
// ".example" domain, the same one the toolkit's messages give.
const char* const kMakerAddress = "www.varnix.example";

namespace {

namespace vu = veltounit;
namespace gui = veltogui;
namespace ivx = ivxfiles;

struct ShownBox {
  std::string text;
  std::string caption;
  bool silentProposition = false;
};
ShownBox g_box;

// The engine's boxes (its caller errors, its consistency reports and the draw
// proposition) are shown as the program's own, so they reach the player and
// the player's answer reaches the engine.
int EngineBox(const char* text, const char* caption, unsigned style) {
  const std::string title = caption != nullptr ? caption : "";
  if (title == "Draw Proposition...") {
    // A replay bringing back a proposition the players already declined.
    if (g_box.silentProposition) return IDNO;
    NoteDrawProposition();
  }
  return ShowMessageBox(text != nullptr ? text : "", title, style);
}

}  // namespace

int ShowMessageBox(const std::string& text, const std::string& caption, unsigned style) {
  const bool silent = g_box.silentProposition;
  g_box = ShownBox{text, caption, silent};
  const int answer = MessageBoxA(nullptr, text.c_str(), caption.c_str(), style);
  g_box = ShownBox{"", "", silent};
  return answer;
}

void SetSilentProposition(bool silent) { g_box.silentProposition = silent; }

const std::string& CurrentBoxText() { return g_box.text; }
const std::string& CurrentBoxCaption() { return g_box.caption; }

std::string EngineInfoText() {
  const int32_t size = Engine_Info_Size();
  if (size < 0) return "unknown engine";
  std::string text;
  text.reserve(static_cast<size_t>(size));
  for (int32_t i = 0; i < size; ++i) text += static_cast<char>(Engine_Info(static_cast<uint32_t>(i)));
  return text;
}

// "MASTERTIME=MS": the MASTER level with MS milliseconds a move (1 to
// 3600000), the terminal game's --time as one word of the command line.  0
// for any other word, which is then ignored like every unknown word.
uint32_t MasterTimeWord(const std::string& word) {
  const std::string head = "MASTERTIME=";
  if (word.size() <= head.size() || word.size() > head.size() + 7 ||
      !vu::SameTextNoCase(word.substr(0, head.size()), head))
    return 0;
  uint32_t ms = 0;
  for (size_t i = head.size(); i < word.size(); ++i) {
    if (word[i] < '0' || word[i] > '9') return 0;
    ms = ms * 10 + static_cast<uint32_t>(word[i] - '0');
  }
  return ms <= 3600000 ? ms : 0;
}

void ReadCommandLine(const std::vector<std::string>& words) {
  for (const std::string& word : words) {
    if (vu::SameTextNoCase(word, "CPUVSCPU")) {
      cpu_player[1] = 1;
    } else if (vu::SameTextNoCase(word, "EASY")) {
      Engine_SetDifficulty(TRIVANE_DEPTH_EASY);
      level_name = "EASY";
    } else if (vu::SameTextNoCase(word, "MEDIUM")) {
      Engine_SetDifficulty(TRIVANE_DEPTH_MEDIUM);
      level_name = "MEDIUM";
    } else if (vu::SameTextNoCase(word, "HARD")) {
      Engine_SetDifficulty(TRIVANE_DEPTH_HARD);
      level_name = "HARD";
    } else if (vu::SameTextNoCase(word, "TWOPLAYERS")) {
      // Two people at one screen: the computer plays neither side.
      cpu_player[1] = 0;
      cpu_player[2] = 0;
    } else if (vu::SameTextNoCase(word, "CPUFIRST")) {
      // The computer opens as player 1; the person plays player 2.
      cpu_player[1] = 1;
      cpu_player[2] = 0;
    } else if (vu::SameTextNoCase(word, "NOHINTS")) {
      hints_on = false;
    } else if (vu::SameTextNoCase(word, "MASTER")) {
      Engine_SetMasterLevel(1000);  // a second a move; a later EASY..HARD turns it off
      level_name = "MASTER";
    } else if (const uint32_t ms = MasterTimeWord(word); ms != 0) {
      Engine_SetMasterLevel(ms);
      level_name = "MASTER";
    }
    // "ZOOM1".."ZOOM3" were taken before the window was made (ZoomFromWords).
    // Any other word is ignored.
  }
}

int ZoomFromWords(const std::vector<std::string>& words) {
  int factor = 0;
  for (const std::string& word : words) {
    if (vu::SameTextNoCase(word, "ZOOM1")) factor = 1;
    else if (vu::SameTextNoCase(word, "ZOOM2")) factor = 2;
    else if (vu::SameTextNoCase(word, "ZOOM3")) factor = 3;
  }
  return factor;
}

bool EnterProgramFolder() {
  char path[4 * MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  if (length == 0 || length >= sizeof path) return false;
  std::string folder(path, length);
  const size_t cut = folder.find_last_of("\\/");
  if (cut == std::string::npos) return false;
  folder.erase(cut == 0 ? 1 : cut);
  return SetCurrentDirectoryA(folder.c_str()) != FALSE;
}

void StartUp(const std::vector<std::string>& words) {
  // The window's size on the desktop is chosen before it appears, so that it
  // opens at its final size; the picture drawn stays 500 x 500.
  vu::SetWindowScale(ZoomFromWords(words));
  vu::CreateMainWindow("Trivane GUI 0.72", 500, 500, 0);
  gui::StartGui("");
  vu::SetFontByName("arial", "greek", 15, 0, 0, 0);
  LoadGamePictures();
  // Before InitEngine, so that even a box of the engine's start reaches the player.
  Engine_SetMessageHandler(EngineBox);
  InitEngine();
  // Games that go nowhere end: threefold repetition and quiet moves, as the
  // terminal game plays them (game_record.h says why these counts).
  Engine_SetDrawRules(game_record::kDrawRepetitions, game_record::kDrawQuietMoves);
  cpu_player[1] = 0;
  cpu_player[2] = 1;
  CreateGameWindow();

  // The splash: the engine this program is plugged to.
  ivx::DrawPictureCentred("trivaneintro");
  vu::SetTextCursor(0, vu::WindowHeight() / 2 - 20);
  vu::SetFontByName("arial", "greek", 25, 0, 0, 0);
  vu::SetTextColour(vu::MakeColour(0, 0, 0));
  vu::WriteCentred("            0.72");
  vu::SetFontByName("arial", "greek", 20, 0, 0, 0);
  vu::WriteCentred("GUI Plugged to ");
  vu::WriteCentred(EngineInfoText());
  vu::WriteCentred("engine");
  vu::SetFontByName("arial", "greek", 15, 0, 0, 0);
  vu::SetTextColour(vu::MakeColour(255, 255, 255));

  // Each call lets at most one waiting window message through.
  for (int i = 0; i < 10; ++i) vu::GetMouseButton(1);
  vu::Delay(3000);

  ReadCommandLine(words);
  sound_on = 1;
  board_colour = vu::MakeColour(0, 0, 64);
}

int RunTrivaneGui(const std::vector<std::string>& words) {
  StartUp(words);
  if (GameLoop() == LoopEnd::PlayerDeclined) {
    // "Play Again ?" answered No: the program ends at once.
    ReleaseBackground();
    return 0;
  }
  vu::SetTextCursor(0, vu::WindowHeight() - 30);
  vu::SetTextColour(vu::MakeColour(0, 0, 0));
  vu::WriteCentred(std::string("Powered by VeltoGUI , ") + kMakerAddress);
  vu::Delay(500);
  ReleaseBackground();
  vu::CloseMainWindow();
  return 0;
}

}  // namespace client
