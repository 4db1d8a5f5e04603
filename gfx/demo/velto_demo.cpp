// velto-demo: opens the window, draws lines, circles and rectangles, text in
// several fonts and in Greek, and follows the mouse with a ring until Escape
// is pressed or the window is closed.
//
//   velto-demo [--frames N] [--png FILE]
//
// With --frames the demo stops by itself after N passes of its loop (about
// 10 ms each), which is what a screenshot script wants; --png then saves the
// window's picture before it closes (not on Windows).
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

#include "gfx/veltounit.h"
#if !defined(_WIN32)
#include "platform/automation.h"
#endif

using namespace veltounit;

namespace {

constexpr int32_t kWidth = 640;
constexpr int32_t kHeight = 480;

// Greek in the Windows-1253 code page: "Γειά σου Κόσμε" and the alphabet.
const std::string kGreekHello = "\xC3\xE5\xE9\xDC \xF3\xEF\xF5 \xCA\xFC\xF3\xEC\xE5";
const std::string kGreekAlphabet =
    "\xC1\xC2\xC3\xC4\xC5\xC6\xC7\xC8\xC9\xCA\xCB\xCC \xE1\xE2\xE3\xE4\xE5\xE6\xE7\xE8\xE9\xEA\xEB\xEC";

const Colour kBackground = MakeColour(18, 24, 44);

void DrawScene() {
  ClearWindowColour(kBackground);
  SetBackColour(kBackground);

  // A fan of lines in pen widths 1 to 6.
  for (int32_t i = 0; i < 12; ++i) {
    SetPenWidth(0, 0, 1 + i / 2);
    const double a = i * 3.14159265 / 22.0;
    DrawLine(20, 460, 20 + static_cast<int32_t>(200 * std::cos(a)), 460 - static_cast<int32_t>(200 * std::sin(a)),
             MakeColour(255 - i * 15, 80 + i * 14, 60 + i * 16));
  }
  SetPenWidth(0, 0, 1);

  // Circles, concentric and in a row.
  for (int32_t r = 10; r <= 60; r += 10) DrawCircle(330, 330, r, MakeColour(60 + r * 3, 200, 255 - r * 2));
  SetPenWidth(0, 0, 3);
  for (int32_t i = 0; i < 4; ++i) DrawCircle(440 + i * 45, 330, 18, MakeColour(255, 200 - i * 40, 40 + i * 50));
  SetPenWidth(0, 0, 1);

  // Rectangles: outlined, filled, filled by lines.
  DrawRectangle(420, 380, 500, 450, MakeColour(255, 255, 255));
  FillRectangle(510, 380, 560, 450, MakeColour(255, 255, 0), MakeColour(160, 40, 40));
  FillRectangleByLines(570, 380, 620, 450, MakeColour(0, 255, 255), MakeColour(40, 120, 60));

  // Text in several fonts.
  SetTextColour(MakeColour(255, 255, 255));
  SetTextMode("transparent");
  SetFontByName("arial", "ansi", 28, 700, 0, 0);
  SetTextCursor(0, 8);
  WriteCentred("veltounit " + GraphicsVersion());
  SetFontByName("Liberation Serif", "ansi", 20, 400, 1, 0);
  SetTextColour(MakeColour(255, 220, 120));
  WriteCentred("Serif italic: lines, circles, text and the mouse");
  SetFontByName("Liberation Mono", "ansi", 16, 400, 0, 0);
  SetTextColour(MakeColour(140, 255, 160));
  WriteCentred("Mono: " + ColourToHex(140, 255, 160) + "  ticks " + IntToText(GetTicks() % 100000));

  // Greek in the Greek character set.
  SetFontByName("arial", "greek", 26, 400, 0, 0);
  SetTextColour(MakeColour(120, 200, 255));
  SetTextCursor(0, 110);
  WriteCentred(kGreekHello);
  SetFontByName("arial", "greek", 18, 400, 0, 0);
  WriteCentred(kGreekAlphabet);
  WriteCentred(UpperCaseText("\xE1\xE2\xE3\xE4\xE5 \xF2"));

  // Turned text.
  SetFontByName("arial", "ansi", 16, 400, 0, 900);
  SetTextColour(MakeColour(200, 200, 200));
  OutTextXY(612, 300, "turned 90 degrees");

  SetFontByName("arial", "greek", 15, 0, 0, 0);
  SetTextColour(MakeColour(255, 255, 255));
  OutTextXY(250, 200, "Move the mouse; click to stamp; Escape ends.");
}

// The ring that follows the mouse, drawn in `colour`.
void DrawRing(int32_t x, int32_t y, Colour colour) {
  SetPenWidth(0, 0, 2);
  DrawCircle(x, y, 12, colour);
  SetPenWidth(0, 0, 1);
  DrawLine(x - 18, y, x + 19, y, colour);
  DrawLine(x, y - 18, x, y + 19, colour);
}

void ShowPosition(int32_t x, int32_t y) {
  SetFontByName("Liberation Mono", "ansi", 15, 400, 0, 0);
  SetTextMode("opaque");
  SetTextColour(MakeColour(255, 255, 0));
  OutTextXY(250, 225, "mouse " + IntToText(x) + ", " + IntToText(y) + "        ");
  SetTextMode("transparent");
}

}  // namespace

int main(int argc, char** argv) {
  long frames = -1;
  std::string png;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--frames") == 0 && i + 1 < argc) frames = std::strtol(argv[++i], nullptr, 10);
    else if (std::strcmp(argv[i], "--png") == 0 && i + 1 < argc) png = argv[++i];
  }

  CreateMainWindow("velto-demo", kWidth, kHeight, 0);
  DrawScene();
  // The scene without the ring is kept in the screen copy; every move puts it
  // back and draws the ring at the new place, so the ring never leaves a trail.
  SaveScreen();

  int32_t lastX = -1000;
  int32_t lastY = -1000;
  for (long pass = 0; frames < 0 || pass < frames; ++pass) {
    const int32_t x = GetMouseX();
    const int32_t y = GetMouseY();
    const bool stamp = GetMouseButton(1) == BUTTON_PRESSED;
    if (stamp || x != lastX || y != lastY || WasRestored()) {
      RestoreScreen();
      if (stamp) {
        FillRectangle(x - 4, y - 4, x + 5, y + 5, MakeColour(255, 255, 255), MakeColour(255, 140, 0));
        SaveScreen();
      }
      DrawRing(x, y, MakeColour(255, 90, 90));
      ShowPosition(x, y);
      lastX = x;
      lastY = y;
    }
    if (SameTextNoCase(ReadKey(), "ESCAPE")) break;
    Delay(10);
  }
#if !defined(_WIN32)
  if (!png.empty() && !automation::SaveWindowPng(png)) return 1;
#endif
  CloseMainWindow();
  return 0;
}
