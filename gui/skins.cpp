// Skins: the sixteen colours of "colours.dat", the frame width of
// "metrics.dat", the 36 skin pictures placed side by side in the picture store,
// and the measured sizes of the window frame pictures.
#include <algorithm>
#include <array>

#include "gfx/veltounit.h"
#include "gui/gui_state.h"
#include "images/IvxFiles.h"
#include "platform/paths.h"
#include "platform/win32.h"

namespace veltogui {

namespace {

struct ColourKey {
  const char* key;
  int r, g, b;
};

// Keys and defaults, in SkinColourIndex order.
constexpr std::array<ColourKey, SKIN_COLOUR_COUNT> kColourKeys = {{
    {"Window_Background", 208, 219, 241},
    {"Window_Background_Inactive", 208, 219, 241},
    {"Window_Border", 116, 127, 155},
    {"Window_Title", 255, 255, 255},
    {"Menu_Active", 0, 0, 255},
    {"Menu_Active_Text", 0, 0, 0},
    {"Textbox_Out", 44, 0, 255},
    {"Textbox_In", 0, 0, 0},
    {"Textbox_Text", 255, 255, 255},
    {"Textbox_Suggestion", 255, 0, 0},
    {"Comments", 255, 255, 255},
    {"Button", 192, 192, 192},
    {"Button_Text", 0, 0, 0},
    {"Button_Active_Text", 255, 230, 23},
    {"Button_Activated_Text", 255, 0, 0},
    {"ProgressBar", 255, 0, 0},
}};

// The skin pictures in loading order; 17..34 live in the "Window" sub-folder.
constexpr std::array<const char*, 36> kSkinPictures = {
    "guiuppercase", "guilowercase",   "guicontrol",  "wnddn",       "wndup",     "wndlt",
    "wndrt",        "guishift",       "guialt",      "guiplus",     "btns1",     "btns2",
    "btns3",        "chks1",          "chks2",       "chks3",       "downleft",  "downmiddle",
    "downright",    "middleleft",     "middleright", "upleft",      "upmiddle2", "upmiddle",
    "upright",      "uptransection",  "btnminimize", "btnmaximize", "btnexit",   "up2middle",
    "middle2left",  "up2transection", "down2left",   "up2left",     "gr",        "uk"};

// A row of skin pictures ends once it reaches this width of the store.
constexpr int32_t kRowEnd = 1821;
// The olive that is see-through in every skin picture.
constexpr int kSeeThroughR = 123, kSeeThroughG = 123, kSeeThroughB = 0;
// "The program stops with an input/output error."
constexpr int32_t kExitInputOutput = 5;

// Part numbers of colours.dat are bytes; anything else is cut to 0..255 so a
// stray number cannot spill into the neighbouring channel.
int ColourPart(int32_t i) { return std::clamp(GetLineNumber(i), 0, 255); }

bool EnterFolder(const std::string& folder) { return SetCurrentDirectoryA(folder.c_str()) != 0; }

// The player never sees a line on the error stream: the reason is shown in
// the toolkit's own box before the program ends.
void StopForInputOutput(const std::string& folder) {
  const std::string native = NativePath(folder);
  veltounit::AskUser("VeltoGUI Could not initialize",
                     "Could not open the skin folder " + (native.empty() ? folder : native) +
                         "\nThe skin is not complete, the program will now close..",
                     "OK", "!", "APPLICATION");
  EndProgram(kExitInputOutput);
}

}  // namespace

void LoadColours() {
  GuiState& g = Gui();
  for (size_t i = 0; i < kColourKeys.size(); ++i) {
    g.skinColours[i] = veltounit::MakeColour(kColourKeys[i].r, kColourKeys[i].g, kColourKeys[i].b);
  }
  std::vector<std::string> lines;
  if (!ReadTextLines("colours.dat", lines)) return;
  for (const std::string& line : lines) {
    ParseLine(line);
    const std::string key = Upper(GetLinePart(1));
    for (size_t i = 0; i < kColourKeys.size(); ++i) {
      if (key == Upper(kColourKeys[i].key)) {
        g.skinColours[i] = veltounit::MakeColour(ColourPart(2), ColourPart(3), ColourPart(4));
        break;
      }
    }
  }
}

void LoadMetrics() {
  GuiState& g = Gui();
  g.textboxSize = 2;
  std::vector<std::string> lines;
  if (!ReadTextLines("metrics.dat", lines)) return;
  for (const std::string& line : lines) {
    ParseLine(line);
    // A frame is at least one pixel and never wider than a box could be.
    if (Upper(GetLinePart(1)) == "TEXTBOX_SIZE") g.textboxSize = std::clamp(GetLineNumber(2), 1, 64);
  }
}

void MeasureFrame() {
  FrameMetrics& f = Gui().frame;
  f.minimizeW = PictureWidth("btnminimize");
  f.minimizeH = PictureHeight("btnminimize");
  f.maximizeW = PictureWidth("btnmaximize");
  f.maximizeH = PictureHeight("btnmaximize");
  f.exitW = PictureWidth("btnexit");
  f.exitH = PictureHeight("btnexit");
  f.upmiddle2W = PictureWidth("upmiddle2");
  f.upmiddle2H = PictureHeight("upmiddle2");
  f.uprightW = PictureWidth("upright");
  f.uprightH = PictureHeight("upright");
  f.middlerightW = PictureWidth("middleright");
  f.middlerightH = PictureHeight("middleright");
  f.downrightH = PictureHeight("downright");
  f.downmiddleW = PictureWidth("downmiddle");
  f.downmiddleH = PictureHeight("downmiddle");
}

std::string LoadSkin(const std::string& requested) {
  GuiState& g = Gui();
  const std::string& r = g.resourcesFolder;
  std::string s = requested;
  if (!EnterFolder(r + s + "\\")) {
    veltounit::AskUser(" ",
                       "Could not find " + s +
                           " skin.. \nYou could try to download it from the VARNIX website..\n"
                           "Continuing with default skin..",
                       "OK", "I", "APPLICATION");
    s = "skin1";
    if (!EnterFolder(r + s + "\\")) {
      StopForInputOutput(r + s + "\\");
      EnterFolder(g.programFolder);
      return "";
    }
  }
  g.skinName = s;
  LoadColours();
  LoadMetrics();
  ivxfiles::SetTransparentColour(veltounit::MakeColour(kSeeThroughR, kSeeThroughG, kSeeThroughB));

  // A skin loaded earlier in the run gives its names back first, so the
  // store never holds two pictures of one name.
  for (const char* name : kSkinPictures) {
    for (int32_t guard = 0; guard < ivxfiles::MAX_PICTURES && ivxfiles::LocatePicture(name) != 0; ++guard) {
      ivxfiles::DeletePicture(name);
    }
  }
  int32_t x = 1, y = 1, h = 1;
  for (size_t k = 1; k <= kSkinPictures.size(); ++k) {
    if (k == 17 || k == 35) {
      const std::string folder = r + s + (k == 17 ? "\\Window\\" : "\\");
      if (!EnterFolder(folder)) {
        StopForInputOutput(folder);
        EnterFolder(g.programFolder);
        return "";
      }
    }
    ivxfiles::SetLoadOrigin(x + 1, y + 1);
    ivxfiles::LoadIvxPicture(kSkinPictures[k - 1]);
    // The loader reports the size it placed, also for a picture it could not
    // read; negative sizes would walk the cursor backwards over the skin.
    const int32_t w = std::max(ivxfiles::PictureInfo(1), 0);
    const int32_t ph = std::max(ivxfiles::PictureInfo(2), 0);
    h = std::max(h, ph);
    x = x + w + 2;
    if (x >= kRowEnd) {
      x = 1;
      y = y + h + 2;
    }
  }
  // Pictures the program loads later start below the skin.
  ivxfiles::SetLoadOrigin(1, y + h + 1);
  EnterFolder(g.programFolder);
  MeasureFrame();
  return s;
}

Colour GetSkinColour(const std::string& key) {
  const std::string wanted = Upper(key);
  for (size_t i = 0; i < kColourKeys.size(); ++i) {
    if (wanted == Upper(kColourKeys[i].key)) return Gui().skinColours[i];
  }
  return 0;
}

int32_t GetTextboxSize() { return Gui().textboxSize; }

}  // namespace veltogui
