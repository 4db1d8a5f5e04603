// Window frames: a body in "Window_Background" enclosed by tiled skin
// pictures, with the title in the title bar and the three title buttons.
#include <algorithm>

#include "gfx/veltounit.h"
#include "gui/gui_state.h"

namespace veltogui {

namespace {

// Integer division that treats a zero-width picture (a skin that lacks it) as
// one pixel wide, so a broken skin draws a poor frame instead of dividing by 0.
int32_t Div(int32_t a, int32_t b) { return a / std::max(b, 1); }

}  // namespace

WindowFrameLayout LayoutWindowFrame(int32_t active, int32_t w, int32_t h) {
  const bool on = active != 0;
  WindowFrameLayout f;
  f.L = on ? "upleft" : "up2left";
  f.T = on ? "upmiddle" : "up2middle";
  f.X = on ? "uptransection" : "up2transection";
  f.ML = on ? "middleleft" : "middle2left";
  f.BL = on ? "downleft" : "down2left";

  const int32_t wL = PictureWidth(f.L);
  const int32_t wT = PictureWidth(f.T);
  const int32_t wX = PictureWidth(f.X);
  const int32_t hML = PictureHeight(f.ML);
  const int32_t wBL = PictureWidth(f.BL), hBL = PictureHeight(f.BL);
  const int32_t wU2 = PictureWidth("upmiddle2"), hU2 = PictureHeight("upmiddle2");
  const int32_t wUR = PictureWidth("upright"), hUR = PictureHeight("upright");
  const int32_t hMR = PictureHeight("middleright");
  const int32_t wDR = PictureWidth("downright"), hDR = PictureHeight("downright");
  const int32_t wDM = PictureWidth("downmiddle");
  const int32_t wMin = PictureWidth("btnminimize"), wMax = PictureWidth("btnmaximize"),
                wExit = PictureWidth("btnexit");

  // Tile counts: whole tiles only, never negative.
  f.b = Div(wMin + wMax + wExit, wU2) + 3;
  f.tw = w - wL - wX - wUR - f.b * wU2;
  f.n = std::max(0, Div(f.tw, wT));
  const int32_t eh = h - hUR - hDR;
  f.k = std::max(0, Div(eh, hMR));
  f.m = std::max(0, Div(eh - hBL, hML) + 3);
  f.fw = wL + f.n * wT + wX + f.b * wU2 + wUR;
  f.fh = hUR + f.k * hMR + hDR;
  f.d = std::max(0, Div(f.fw - wBL - wDR, wDM));

  // The title buttons follow the transection, each centred in the title bar
  // and followed by a 2-pixel gap; the close button is the last of them.
  f.exitX = wL + f.n * wT + wX + 2 + wMin + 2 + wMax + 2;
  f.exitY = (hU2 - PictureHeight("btnexit")) / 2;
  f.exitW = wExit;
  f.exitH = PictureHeight("btnexit");
  return f;
}

namespace {

// A title too wide for its tiles loses characters from its end and gets "..".
// When dropping those characters would leave too little, or the rest is still
// too wide (narrow letters), the longest beginning that fits with ".." is
// shown instead, so the title never runs over the buttons or out of the frame.
std::string FittedTitle(const std::string& title, int32_t tw) {
  const int32_t titleWidth = veltounit::TextWidth(title);
  if (titleWidth <= tw) return title;
  const int64_t q = static_cast<int64_t>(Div(titleWidth - tw, veltounit::TextWidth("A"))) + 2;
  const int64_t keep = static_cast<int64_t>(title.size()) - q;
  if (keep > 1) {
    std::string cut = title.substr(0, static_cast<size_t>(keep)) + "..";
    if (veltounit::TextWidth(cut) <= tw) return cut;
  }
  for (size_t n = title.size(); n-- > 1;) {
    std::string cut = title.substr(0, n) + "..";
    if (veltounit::TextWidth(cut) <= tw) return cut;
  }
  return "";
}

}  // namespace

void DrawWindowFrame(const std::string& title, int32_t active, int32_t x, int32_t y, int32_t w, int32_t h) {
  const WindowFrameLayout f = LayoutWindowFrame(active, w, h);
  const int32_t wL = PictureWidth(f.L), hL = PictureHeight(f.L);
  const int32_t wT = PictureWidth(f.T), hT = PictureHeight(f.T);
  const int32_t wX = PictureWidth(f.X);
  const int32_t hML = PictureHeight(f.ML), wML = PictureWidth(f.ML);
  const int32_t wBL = PictureWidth(f.BL), hBL = PictureHeight(f.BL);
  const int32_t wU2 = PictureWidth("upmiddle2"), hU2 = PictureHeight("upmiddle2");
  const int32_t hUR = PictureHeight("upright");
  const int32_t wMR = PictureWidth("middleright"), hMR = PictureHeight("middleright");
  const int32_t wDR = PictureWidth("downright"), hDR = PictureHeight("downright");
  const int32_t wDM = PictureWidth("downmiddle"), hDM = PictureHeight("downmiddle");
  const int32_t fw = f.fw, fh = f.fh;

  const Colour body = SkinColour(COL_WINDOW_BACKGROUND);
  veltounit::FillRectangle(x + wML + 2, y + hL + 1, x + fw - wMR, y + fh - hDM, body, body);
  DrawStorePicture(f.L, x, y);
  for (int32_t i = 0; i < f.n; ++i) DrawStorePicture(f.T, x + wL + i * wT, y);
  const Colour previous = veltounit::GetTextColour();
  veltounit::SetTextColour(SkinColour(COL_WINDOW_TITLE));
  veltounit::OutTextXY(x + wL + 1, y + (hT - veltounit::TextHeight("A")) / 2, FittedTitle(title, f.tw));
  veltounit::SetTextColour(previous);
  int32_t cx = x + wL + f.n * wT;
  DrawStorePicture(f.X, cx, y);
  cx += wX;
  for (int32_t i = 0; i < f.b; ++i) DrawStorePicture("upmiddle2", cx + i * wU2, y);
  cx += f.b * wU2;
  DrawStorePicture("upright", cx, y);
  for (int32_t i = 0; i < f.k; ++i) DrawStorePicture("middleright", x + fw - wMR, y + hUR + i * hMR);
  // Left edge tiles that would start below the bottom corner are left out:
  // they would only paint under the window.
  for (int32_t i = 0; i < f.m; ++i) {
    const int32_t ty = y + hL + i * hML;
    if (ty >= y + fh - hBL && i > 0) break;
    DrawStorePicture(f.ML, x, ty);
  }
  DrawStorePicture(f.BL, x, y + fh - hBL);
  for (int32_t i = 0; i < f.d; ++i) DrawStorePicture("downmiddle", x + wBL + i * wDM, y + fh - hDM);
  DrawStorePicture("downright", x + fw - wDR, y + fh - hDR);

  int32_t bx = x + wL + f.n * wT + wX + 2;
  for (const char* button : {"btnminimize", "btnmaximize", "btnexit"}) {
    DrawStorePicture(button, bx, y + (hU2 - PictureHeight(button)) / 2);
    bx += PictureWidth(button) + 2;
  }
}

}  // namespace veltogui
