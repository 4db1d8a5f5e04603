// Everything the game reads besides its code: the skins, the pointers, the
// settings file, the game's pictures, the background and the sounds, made
// procedurally.  Each maker returns finished pictures or sounds; GameFiles
// turns them into the files of the program folder.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "resources/canvas.h"

namespace datagen {

struct NamedPicture {
  std::string name;    // picture name = file name without ".ivx"
  std::string folder;  // folder under the program folder, "\" separated, empty for the program folder
  Picture picture;
};

// --- skins -------------------------------------------------------------------
struct SkinFiles {
  std::string name;                    // skin folder name
  std::vector<NamedPicture> pictures;  // the 36 pictures, in the order the toolkit loads them
  std::string colours;                 // "colours.dat"
  std::string metrics;                 // "metrics.dat"
};
// "skin1", the default light skin, and "skin2", a dark one.
SkinFiles MakeSkin(const std::string& name);
std::vector<std::string> SkinNames();

// --- pointers ----------------------------------------------------------------
struct PointerPicture {
  std::string file;  // "Arrow.cur" ...
  Picture colours;
  std::vector<uint8_t> alpha;  // coverage per pixel
  int hotX = 0;
  int hotY = 0;
};
std::vector<PointerPicture> MakePointers();

// --- the game's own pictures ---------------------------------------------------
// The background drawn from (12, 29) under the board.
Picture MakeBackground();
// "pioni1", "pioniup1", "pioniup2", "warning", "pionix", "trivaneintro" in the
// order the game loads them; `background` is the board picture they sit on.
std::vector<NamedPicture> MakeGamePictures(const Picture& background);
// The screen saver's logo "varnix" (in the resources folder).
NamedPicture MakeScreenSaverLogo();

// --- sounds ------------------------------------------------------------------
constexpr int kSampleRate = 22050;
struct Sound {
  std::string file;  // "place.wav" ...
  std::vector<int16_t> samples;
};
std::vector<Sound> MakeSounds();

// --- files -------------------------------------------------------------------
struct DataFile {
  std::string path;  // relative to the program folder, "/" separated
  std::string bytes;
};
// Every file of the program folder, in a fixed order.
std::vector<DataFile> GameFiles();

// One PNG showing every picture of both skins, the pointers and the game at
// real size, each with its name.
Picture MakeContactSheet();

// The game's icon for desktop menus, 64 x 64 (written by --icon).
Picture MakeDesktopIcon();

}  // namespace datagen
