// Start-up of the toolkit: the program and resources folders, the settings
// file "enviroment.nfo", StartGui, and the optional services (sound codec
// check, run log).
#include <algorithm>
#include <climits>
#include <fstream>

#include "gfx/veltounit.h"
#include "gui/gui_state.h"
#include "gui/installed_places.h"
#include "platform/paths.h"
#include "platform/win32.h"

namespace veltogui {

namespace {

// Where the maker's pages would be.  Placeholders under the reserved
// ".example" domain: the toolkit has no real download site.
constexpr const char* kDownloadPage = "https://www.varnix.example/download/Resources.zip";
constexpr const char* kMakerAddress = "https://www.varnix.example/";

// Exit codes of the toolkit's own ends of the program.
constexpr int32_t kExitNoResources = 1;

bool EndsWithSeparator(const std::string& folder) {
  return !folder.empty() && (folder.back() == '\\' || folder.back() == '/');
}

std::string WithSeparator(const std::string& folder) { return EndsWithSeparator(folder) ? folder : folder + "\\"; }

std::string CurrentFolder() {
  char buffer[4096] = {0};
  const DWORD n = GetCurrentDirectoryA(sizeof buffer, buffer);
  if (n == 0 || n >= sizeof buffer) return "";
  return WithSeparator(std::string(buffer, n));
}

// Reads "enviroment.nfo" from the current folder.  The first line whose key
// is none of the three ends the reading.
void ReadSettingsFile() {
  GuiState& g = Gui();
  std::vector<std::string> lines;
  if (!ReadTextLines("enviroment.nfo", lines)) return;
  for (const std::string& line : lines) {
    ParseLine(line);
    const std::string key = Upper(GetLinePart(1));
    if (key == "SCREENSAVER_TIME") {
      // Whole minutes.  A negative count would start the screen saver at the
      // first idle pass; it is ignored, and huge counts stop at the largest
      // delay the timer can hold.
      const int64_t minutes = GetLineNumber(2);
      if (minutes >= 0) g.screenSaverDelay = static_cast<int32_t>(std::min<int64_t>(minutes * 60000, INT32_MAX));
    } else if (key == "SKIN") {
      g.defaultSkin = GetLinePart(2);
    } else if (key == "ENVIROMENT_PATH") {
      g.enviromentPath = GetLinePart(2);
    } else {
      break;
    }
  }
}

bool EnterFolder(const std::string& folder) { return !folder.empty() && SetCurrentDirectoryA(folder.c_str()) != 0; }

// What the player sees of a folder: the system's own spelling of it.
std::string ShownFolder(const std::string& folder) {
  const std::string native = NativePath(folder);
  return native.empty() ? folder : native;
}

}  // namespace

// The program folder is the current folder when the program starts.
void InitProgramFolder() {
  if (Gui().programFolder.empty()) Gui().programFolder = CurrentFolder();
}

bool FileExists(const std::string& path) {
  if (path.empty()) return false;
  std::ifstream in(NativePath(path), std::ios::binary);
  return static_cast<bool>(in);
}

// Candidates, in order: the folder the settings file names (when it names
// one), "Resources" beside the start folder, and the place an installed copy
// keeps its resources (on Windows the install folder on drives C:, A:, D: to
// I:; elsewhere the one place under the install prefix).
//
// A relative "enviroment_path" is taken from the start folder and kept as a
// whole path: the skin loader enters the resources folder's sub-folders one
// after the other, and a relative name would be read against whichever of
// them is current (a "Window" folder inside the skin folder, say).
std::vector<std::string> ResourcesCandidates(const std::string& startFolder) {
  std::vector<std::string> candidates;
  const std::string& named = Gui().enviromentPath;
  if (!named.empty()) {
    const bool whole = named[0] == '/' || named[0] == '\\' || (named.size() >= 2 && named[1] == ':');
    candidates.push_back(WithSeparator(whole ? named : startFolder + named));
  }
  candidates.push_back(startFolder + "Resources\\");
  for (const std::string& place : InstalledResourcesPlaces()) candidates.push_back(place);
  return candidates;
}

std::string FindResourcesFolder() {
  GuiState& g = Gui();
  const std::string start = CurrentFolder();
  g.screenSaverDelay = 300000;
  // The settings file is the only source of these two.
  g.enviromentPath.clear();
  g.defaultSkin.clear();
  ReadSettingsFile();

  const std::vector<std::string> candidates = ResourcesCandidates(start);
  for (const std::string& candidate : candidates) {
    if (EnterFolder(candidate)) {
      veltounit::WriteCentred("Setting Enviroment to " + ShownFolder(candidate));
      EnterFolder(start);
      return candidate;
    }
  }

  std::string fallback = start + "Resources\\";
  g.resourcesFolder = fallback;
  veltounit::AskUser("VeltoGUI Could not initialize",
                     "Could not find VARNIX Resources folder.. \nPlease download it from our website and copy it to "
                     "C:\\Program Files\\VARNIX\\Resources\nI will now try to connect you to the Varnix download "
                     "page\nYou will need to run this program again after you finish copying the Resources..",
                     "OK", "!", "APPLICATION");
  // The desktop's own opener shows the download page in the player's browser.
  HINSTANCE opened = ShellExecuteA(veltounit::WindowHandle(), "open", kDownloadPage, nullptr, nullptr,
                                   SW_SHOWNORMAL);
  if (reinterpret_cast<uintptr_t>(opened) <= 32) {
    veltounit::AskUser("VeltoGUI Could not initialize",
                       std::string("Could not find Internet Explorer.. \nPlease visit ") + kMakerAddress, "OK", "!",
                       "APPLICATION");
  }
  veltounit::Delay(3000);
  EndProgram(kExitNoResources);
  return fallback;
}

std::string StartGui(const std::string& skinName) {
  GuiState& g = Gui();
  g.requestedSkin = skinName;
  g.programFolder = CurrentFolder();
  g.resourcesFolder = FindResourcesFolder();
  if (!EnterFolder(g.resourcesFolder)) {
    // Only reached when the program was not ended after the missing folder's
    // messages (a test's end hook): nothing can be loaded.
    EnterFolder(g.programFolder);
    return "";
  }
  EnterFolder(g.programFolder);
  if (g.defaultSkin.empty()) g.defaultSkin = "skin1";
  std::string skin = skinName;
  if (skin.empty() || Upper(skin) == "DEFAULT") skin = g.defaultSkin;
  skin = LoadSkin(skin);
  g.clipboard = veltounit::PasteTextFromClipboard();
  return skin;
}

void CheckSoundCodec() {
  char buffer[1024] = {0};
  const UINT n = GetSystemDirectoryA(buffer, sizeof buffer);
  const std::string path = std::string(buffer, std::min<size_t>(n, sizeof buffer - 1)) + "\\L3codeca.acm";
  if (FileExists(path)) return;
  const std::string answer = veltounit::AskUser(
      "Your computer doesn`t have a required sound codec",
      "Whould you like to install the Advanced Fraunhofer codec to be able to hear music", "YES/NO", "?",
      "APPLICATION");
  if (answer == "yes") {
    veltounit::RunProgram(Gui().resourcesFolder + "l3codecx.exe", "normal");
    EndProgram(0);
  }
}

void WriteRunLog() {
  std::ofstream out(NativePath("VeltoGUI_stats.dat"), std::ios::app);
  if (!out) return;
  out << "VeltoGUI SESSION START 0.6999.3------------------\n";
  out << "SESSION END---------------------------------\n";
}

std::string GuiVersion() { return "0.6999.3"; }

void SetGuiSetting(int32_t n, int32_t value) {
  GuiState& g = Gui();
  if (n >= 1 && n <= 5) g.guiSettings[static_cast<size_t>(n)] = value;
  else if (n == 6) g.mouseX = value;
  else if (n == 7) g.mouseY = value;
}

int32_t GetGuiSetting(int32_t n) {
  const GuiState& g = Gui();
  if (n >= 1 && n <= 5) return g.guiSettings[static_cast<size_t>(n)];
  if (n == 6) return g.mouseX;
  if (n == 7) return g.mouseY;
  return 0;
}

std::string ProgramFolder() {
  InitProgramFolder();
  return Gui().programFolder;
}
std::string ResourcesFolder() { return Gui().resourcesFolder; }
int32_t ScreenSaverDelay() { return Gui().screenSaverDelay; }
void SetScreenSaverDelay(int32_t milliseconds) { Gui().screenSaverDelay = milliseconds; }
bool AdvancedTextMode() { return Gui().advancedTextMode; }
void SetAdvancedTextMode(bool advanced) { Gui().advancedTextMode = advanced; }

}  // namespace veltogui
