// veltogui-demo: one window with one object of every type the toolkit knows.
// It runs HandleGuiEvents in a loop and shows, at the bottom of the window,
// the object that was activated last.  "OK" fills the progress bar a little,
// "Cancel" or the window's close button ends the demo.
//
//   veltogui-demo [--shots DIR] [--script]
//     --shots DIR  saves the window as DIR/NN-<object>.png after every
//                  activation (and DIR/00-start.png at the start)
//     --script     drives itself on the headless window: clicks, keys and
//                  hovers over every object, then closes the window
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "gfx/veltounit.h"
#include "gui/VeltoGUI.h"
#include "images/IvxFiles.h"
#if !defined(_WIN32)
#include "platform/automation.h"
#endif

namespace {

using namespace veltogui;
using veltounit::Colour;
using veltounit::MakeColour;

std::string g_shots;
#if !defined(_WIN32)
int g_shotNumber = 0;  // pictures are taken only where the platform layer can save them
#endif

void Shot(const std::string& what) {
#if !defined(_WIN32)
  if (g_shots.empty()) return;
  char name[32];
  std::snprintf(name, sizeof name, "%02d-", g_shotNumber++);
  std::string file = g_shots + "/" + name;
  for (char c : what) file += (std::isalnum(static_cast<unsigned char>(c)) ? c : '_');
  automation::SaveWindowPng(file + ".png");
#else
  (void)what;
#endif
}

// The pictures a program brings itself: large buttons and check boxes
// ("btnl1".."3", "chkl1".."3") and a picture button ("go0", "go1"), painted
// into the picture store below the skin.
int g_paintX = 0;
// A raised picture passes a light upper edge and a dark lower one; a sunken
// one the other way round.
void PaintPicture(const std::string& name, int w, int h, Colour fill, Colour upperEdge, Colour lowerEdge,
                  Colour mark, int markKind) {
  const int x0 = ivxfiles::LoadOriginX() + g_paintX;
  const int y0 = ivxfiles::LoadOriginY();
  for (int x = 1; x <= w; ++x) {
    for (int y = 1; y <= h; ++y) {
      Colour c = fill;
      if (x <= 2 || y <= 2) c = upperEdge;
      if (x > w - 2 || y > h - 2) c = lowerEdge;
      const int cx = x - w / 2, cy = y - h / 2;
      if (markKind == 1 && (cx == cy || cx == cy + 1 || cx == -cy || cx == -cy + 1) && cx * cx + cy * cy < w * w / 8)
        c = mark;                                                             // a cross: ticked
      if (markKind == 2 && cx * cx + cy * cy <= (w / 4) * (w / 4)) c = mark;  // a dot: pressed
      if (markKind == 3 && cx >= -w / 6 && cx <= w / 5 && std::abs(cy) <= (w / 5 - cx) * 3 / 4 && cx <= w / 5)
        c = mark;  // an arrow head
      ivxfiles::SetStoreCell(x0 + x, y0 + y, c);
    }
  }
  ivxfiles::AddPictureName(name, x0, y0, x0 + w, y0 + h);
  g_paintX += w + 2;
}

void PaintProgramPictures() {
  const Colour face = MakeColour(192, 192, 192), light = MakeColour(255, 255, 255), dark = MakeColour(96, 96, 96);
  const Colour hover = MakeColour(220, 226, 255);
  PaintPicture("btnl1", 30, 30, face, light, dark, 0, 0);
  PaintPicture("btnl2", 30, 30, hover, light, dark, 0, 0);
  PaintPicture("btnl3", 30, 30, MakeColour(160, 160, 160), dark, light, MakeColour(200, 0, 0), 2);
  PaintPicture("chkl1", 22, 22, light, dark, face, 0, 0);
  PaintPicture("chkl2", 22, 22, hover, dark, face, 0, 0);
  PaintPicture("chkl3", 22, 22, light, dark, face, MakeColour(0, 120, 0), 1);
  PaintPicture("go0", 36, 28, MakeColour(40, 140, 60), MakeColour(120, 220, 140), MakeColour(10, 70, 20),
               MakeColour(255, 255, 255), 3);
  PaintPicture("go1", 36, 28, MakeColour(60, 200, 90), MakeColour(160, 255, 180), MakeColour(10, 70, 20),
               MakeColour(255, 255, 0), 3);
}

int g_bar = 40;

void ShowActivated(const std::string& name) {
  // The status line sits inside the window body: clear it with the body's
  // colour, then write the new line.
  const Colour body = GetSkinColour("Window_Background");
  veltounit::FillRectangle(24, 418, 610, 440, body, body);
  const Colour previous = veltounit::GetTextColour();
  veltounit::SetTextColour(MakeColour(0, 0, 90));
  std::string value = GetObjectValue(name);
  if (value.size() > 30) value = value.substr(0, 30) + "..";
  veltounit::OutTextXY(30, 420, "Activated: " + name + "   value: \"" + value + "\"");
  veltounit::SetTextColour(previous);
}

void BuildScreen() {
  CreateObject("demo", "WINDOW", "VeltoGUI demo - one object of every type", "", "", "", 10, 10, 630, 470);
  CreateObject("lblname", "LABEL", "Name:", "demo", "", "", 30, 55, 0, 0);
  CreateObject("name", "TEXTBOX", "", "demo", "", "", 130, 50, 340, 0);
  CreateObject("lblpw", "LABEL", "Password:", "demo", "", "", 30, 95, 0, 0);
  CreateObject("pw", "TEXTBOX-PASSWORD", "hidden", "demo", "", "", 130, 90, 340, 0);
  CreateObject("chk", "CHECKBOX", "1", "demo", "", "", 30, 140, 0, 0);
  CreateObject("c_chk", "COMMENT", "Small check box", "demo", "", "", 52, 137, 0, 0);
  CreateObject("chkl", "CHECKBOXL", "3", "demo", "", "", 200, 137, 0, 0);
  CreateObject("c_chkl", "COMMENT", "Large check box", "demo", "", "", 228, 137, 0, 0);
  CreateObject("btn", "BUTTON", "1", "demo", "", "", 30, 180, 0, 0);
  CreateObject("c_btn", "COMMENT", "Small button", "demo", "", "", 60, 182, 0, 0);
  CreateObject("btnl", "BUTTONL", "1", "demo", "", "", 200, 176, 0, 0);
  CreateObject("c_btnl", "COMMENT", "Large button", "demo", "", "", 236, 182, 0, 0);
  CreateObject("OK", "BUTTONC", "OK", "demo", "", "", 30, 230, 0, 0);
  CreateObject("Cancel", "BUTTONC", "Cancel", "demo", "", "", 90, 230, 0, 0);
  CreateObject("go", "BUTTONIVX", "go", "demo", "", "", 200, 227, 0, 0);
  CreateObject("c_go", "COMMENT", "Picture button", "demo", "", "", 242, 232, 0, 0);
  CreateObject("bar", "PROGRESSBAR", std::to_string(g_bar), "demo", "", "", 30, 280, 340, 0);
  CreateObject("c_bar", "COMMENT", "Progress bar: OK adds 10", "demo", "", "", 30, 312, 0, 0);
  CreateObject("uk", "ICON", "English(uk)", "demo", "", "", 400, 55, 0, 0);
  CreateObject("gr", "ICON", "Greek(gr)", "demo", "", "", 480, 55, 0, 0);
  CreateObject("hotspot", "LAYER", "1", "demo", "", "MAGNIFY", 400, 150, 600, 230);
  CreateObject("c_hot", "COMMENT", "A layer: this whole area", "demo", "", "", 410, 170, 0, 0);
  CreateObject("c_hot2", "COMMENT", "is an invisible hot area", "demo", "", "", 410, 192, 0, 0);
  CreateObject("memo", "DATA", "plain data is never drawn", "demo", "", "", 0, 0, 0, 0);
  CreateObject("c_help", "COMMENT", "Tab moves the focus, Enter clicks, F1 language, F2 editor", "demo", "", "", 30,
               380, 0, 0);
}

void DrawScreen() {
  veltounit::ClearWindowColour(MakeColour(0, 0, 0));
  ActivateObjectByName("demo");  // the window becomes the active one
  HandleGuiEvents();
  ClearActivatedObject();
  DrawAllObjects();
  // The layer is invisible; the demo outlines it so it can be found.
  veltounit::DrawRectangle(400, 150, 600, 230, MakeColour(116, 127, 155));
  ShowActivated("(nothing yet)");
}

#if !defined(_WIN32)
// Passes of the toolkit until the pointer and keys sent have been handled.
void Settle(int atLeast = 3) {
  for (int i = 0; i < 60 && (i < atLeast || automation::PendingMessages() > 0); ++i) HandleGuiEvents();
}

void Hover(const std::string& name) {
  automation::MoveMouse((GetObjectX1(name) + GetObjectX2(name)) / 2, (GetObjectY1(name) + GetObjectY2(name)) / 2);
  Settle();
}

void ClickObject(const std::string& name, const char* keys = nullptr) {
  Hover(name);
  automation::PressButton(1);
  automation::ReleaseButton(1);
  if (keys != nullptr) {
    for (const char* k = keys; *k; ++k) {
      if (*k == '\n') automation::TapKey(VK_RETURN);
      else automation::TapKey(std::toupper(static_cast<unsigned char>(*k)));
    }
  }
}
#endif

bool HandleActivation();

void RunScript() {
#if !defined(_WIN32)
  const char* order[] = {"chk", "chkl", "btn", "btnl", "OK", "go", "uk", "hotspot", "lblname", "c_chk"};
  for (const char* name : order) {
    ClickObject(name);
    Settle();
    HandleActivation();
    automation::MoveMouse(620, 300);  // off the object, so its hover look goes
    Settle();
  }
  ClickObject("name", "ada\n");
  Settle();
  HandleActivation();
  ClickObject("pw", "secret\n");
  Settle();
  HandleActivation();
  automation::MoveMouse(620, 300);
  Settle();
  automation::TapKey(VK_TAB);
  Settle();
  automation::TapKey(VK_TAB);
  Settle();
  Shot("focus_after_two_tabs");
  Hover("Cancel");
  Shot("hover_cancel");
  ClickObject("wnd_exit");
  Settle();
#endif
}

// Reacts to what the last pass activated; false once the demo should end.
bool HandleActivation() {
  const std::string name = GetActivatedObject();
  if (name.empty()) return !IsCloseRequested();
  ClearActivatedObject();
  if (GetObjectValue("OK") == "4") {
    SetObjectState("OK", 0);
    g_bar = g_bar >= 100 ? 0 : g_bar + 10;
    SetObjectField("bar", "VALUE", std::to_string(g_bar), 0);
    DrawObjectByName("bar");
    DrawObjectByName("OK");
  }
  ShowActivated(name);
  Shot(name);
  if (GetObjectValue("Cancel") == "4") return false;
  return !IsCloseRequested();
}

}  // namespace

int main(int argc, char** argv) {
  bool script = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--shots") == 0 && i + 1 < argc) g_shots = argv[++i];
    else if (std::strcmp(argv[i], "--script") == 0) script = true;
  }
  veltounit::CreateMainWindow("VeltoGUI demo", 640, 480, 1);
  veltounit::SetTextMode("TRANSPARENT");
  StartGui("");
  PaintProgramPictures();
  BuildScreen();
  DrawScreen();
  Shot("start");
  if (script) {
    RunScript();
    Shot("end");
    std::printf("demo: close requested %s, bar %d, name \"%s\"\n", IsCloseRequested() ? "yes" : "no", g_bar,
                GetObjectValue("name").c_str());
    return 0;
  }
  while (true) {
    HandleGuiEvents();
    if (!HandleActivation()) break;
  }
  Shot("end");
  veltounit::CloseMainWindow();
  return 0;
}
