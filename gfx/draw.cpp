// Colours, pixels, lines, rectangles, circles and clearing.  Everything is
// drawn at once into the window's drawing context; every shape but the filled
// rectangle and the circle is made of DrawLine.
#include <algorithm>
#include <cstdio>

#include "gfx/veltounit.h"
#include "gfx/window_state.h"

namespace veltounit {

Colour MakeColour(int32_t r, int32_t g, int32_t b) {
  // Green keeps 16 bits, so a green above 255 spills into blue; callers have
  // always been able to rely on MakeColour(0, 256, 0) == MakeColour(0, 0, 1).
  return (static_cast<uint32_t>(r) & 0xFFu) | ((static_cast<uint32_t>(g) & 0xFFFFu) << 8) |
         ((static_cast<uint32_t>(b) & 0xFFu) << 16);
}

uint32_t RedOf(Colour c) { return c & 0xFFu; }
uint32_t GreenOf(Colour c) { return (c >> 8) & 0xFFu; }
uint32_t BlueOf(Colour c) { return c >> 16; }  // not masked: spilled bits stay visible

std::string ColourToHex(int32_t r, int32_t g, int32_t b) {
  // Each channel is its low byte, so the text is always "#" and six digits.
  char text[8];
  std::snprintf(text, sizeof text, "#%02X%02X%02X", static_cast<unsigned>(r) & 0xFFu,
                static_cast<unsigned>(g) & 0xFFu, static_cast<unsigned>(b) & 0xFFu);
  return text;
}

void PutPixel(int32_t x, int32_t y, Colour colour) {
  SetPixelV(g_window.dc, x, y, colour);
  NoteDrawing();
}
void SetWindowPixel(int32_t x, int32_t y, Colour colour) { PutPixel(x, y, colour); }

Colour ReadPixel(int32_t x, int32_t y) { return GetPixel(g_window.dc, x, y); }

void DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, Colour colour) {
  WindowState& w = g_window;
  HPEN pen = CreatePen(PS_SOLID, w.penWidth, colour);
  w.currentPen = pen;
  HGDIOBJ previous = SelectObject(w.dc, pen);
  MoveToEx(w.dc, x1, y1, nullptr);
  LineTo(w.dc, x2, y2);
  NoteDrawing();
  SelectObject(w.dc, previous);
  DeleteObject(pen);
  // Forgotten at once, so that the window's destruction never deletes a
  // handle that may by then belong to another object.
  w.currentPen = nullptr;
}

void DrawLineCurrent(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  DrawLine(x1, y1, x2, y2, g_window.drawColour);
}

void DrawRectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2, Colour colour) {
  DrawLine(x1, y1, x2, y1, colour);
  DrawLine(x2, y1, x2, y2, colour);
  DrawLine(x2, y2, x1, y2, colour);
  DrawLine(x1, y2, x1, y1, colour);
}

void FillRectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2, Colour border, Colour fill) {
  WindowState& w = g_window;
  // Corners may come in any order (a text box read from a damaged flash file
  // has them swapped): the fill always spans from the smaller to the larger
  // corner, so it lies inside the outline whichever way round they came.
  RECT area{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
  HBRUSH brush = CreateSolidBrush(fill);
  HGDIOBJ previous = SelectObject(w.dc, brush);
  FillRect(w.dc, &area, brush);
  NoteDrawing();
  // Deselected before it is deleted: a brush still selected cannot be freed.
  SelectObject(w.dc, previous);
  DeleteObject(brush);
  DrawRectangle(x1, y1, x2, y2, border);
}

void FillRectangleByLines(int32_t x1, int32_t y1, int32_t x2, int32_t y2, Colour border, Colour fill) {
  for (int32_t x = x1; x <= x2; ++x) DrawLine(x, y1, x, y2, fill);
  DrawRectangle(x1, y1, x2, y2, border);
}

void DrawCircle(int32_t x, int32_t y, int32_t r, Colour colour) {
  WindowState& w = g_window;
  HPEN pen = CreatePen(PS_SOLID, w.penWidth, colour);
  w.currentPen = pen;
  HGDIOBJ previous = SelectObject(w.dc, pen);
  // Start and end on the same point: the whole circle.
  Arc(w.dc, x - r, y - r, x + r, y + r, x + r, y + r, x + r, y + r);
  NoteDrawing();
  SelectObject(w.dc, previous);
  DeleteObject(pen);
  w.currentPen = nullptr;
}

void DrawCircleCurrent(int32_t x, int32_t y, int32_t r) { DrawCircle(x, y, r, g_window.drawColour); }

void SetPenWidth(int32_t a, int32_t b, int32_t width) {
  g_window.penA = a;
  g_window.penB = b;
  g_window.penWidth = width;
}

void SetDrawColour(Colour c) { g_window.drawColour = c; }
Colour GetDrawColour() { return g_window.drawColour; }

// The window is cleared by one line as thick as twice the window, which the
// pen's round ends carry past both sides.
void ClearWindow() {
  WindowState& w = g_window;
  RefreshWindow();
  const int32_t saved = w.penWidth;
  w.penWidth = 2 * WindowHeight();
  DrawLine(0, WindowHeight() / 2, WindowWidth(), WindowHeight() / 2, w.backColour);
  w.penWidth = saved;
  w.textCursorX = 0;
  w.textCursorY = 0;
}

void ClearWindowColour(Colour colour) {
  WindowState& w = g_window;
  const int32_t saved = w.penWidth;
  w.penWidth = WindowHeight();
  w.backColour = colour;
  w.drawColour = colour;
  DrawLine(0, WindowHeight() / 2, WindowWidth(), WindowHeight() / 2, colour);
  w.penWidth = saved;
}

}  // namespace veltounit
