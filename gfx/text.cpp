// Text output with a text cursor, text measurement, and fonts chosen by face
// name and character-set word.
#include <cstring>

#include "gfx/veltounit.h"
#include "gfx/window_state.h"

namespace veltounit {

namespace {

BYTE CharsetOf(const std::string& word) {
  const std::string w = AsciiUpper(word);
  if (w == "GREEK") return GREEK_CHARSET;
  if (w == "ARABIC") return ARABIC_CHARSET;
  if (w == "RUSSIAN") return RUSSIAN_CHARSET;
  if (w == "ANSI") return ANSI_CHARSET;
  if (w == "SYMBOL") return SYMBOL_CHARSET;
  return DEFAULT_CHARSET;
}

// Makes a font of the module's LOGFONT and selects it.  The font it replaces
// is deleted when this module made it; stock fonts and fonts selected by
// others are left to their owners.
void SelectModuleFont() {
  WindowState& w = g_window;
  HFONT font = CreateFontIndirectA(&w.font);
  if (font == nullptr) return;
  HGDIOBJ previous = SelectObject(w.dc, font);
  if (previous != nullptr && previous == w.ownFont) DeleteObject(previous);
  w.ownFont = font;
}

}  // namespace

void SetTextColour(Colour c) {
  SetTextColor(g_window.dc, c);
  g_window.textColour = c;
}

Colour GetTextColour() { return g_window.textColour; }

void SetBackColour(Colour c) {
  SetBkColor(g_window.dc, c);
  g_window.backColour = c;
}

Colour GetBackColour() {
  g_window.backColour = GetBkColor(g_window.dc);
  return g_window.backColour;
}

void SetTextMode(const std::string& word) {
  const std::string w = AsciiUpper(word);
  if (w == "OPAQUE") {
    SetBkMode(g_window.dc, OPAQUE);
  } else if (w == "TRANSPARENT") {
    SetBkMode(g_window.dc, TRANSPARENT);
  }
}

int32_t GetTextMode() { return GetBkMode(g_window.dc); }

int32_t TextWidth(const std::string& text) {
  SIZE size{};
  GetTextExtentPoint32A(g_window.dc, text.c_str(), static_cast<int>(text.size()), &size);
  return size.cx;
}

int32_t TextHeight(const std::string& text) {
  SIZE size{};
  GetTextExtentPoint32A(g_window.dc, text.c_str(), static_cast<int>(text.size()), &size);
  return size.cy;
}

void OutTextXY(int32_t x, int32_t y, const std::string& text) {
  TextOutA(g_window.dc, x, y, text.c_str(), static_cast<int>(text.size()));
  NoteDrawing();
}

void WriteTextAt(int32_t x, int32_t y, const std::string& text) { OutTextXY(x, y, text); }

void SetTextCursor(int32_t x, int32_t y) {
  g_window.textCursorX = x;
  g_window.textCursorY = y;
}

int32_t TextCursorX() { return g_window.textCursorX; }
int32_t TextCursorY() { return g_window.textCursorY; }

void WriteLine(const std::string& text) {
  OutTextXY(g_window.textCursorX, g_window.textCursorY, text);
  g_window.textCursorY += TextHeight(text) + 1;
}

void WriteCentred(const std::string& text) {
  const int32_t x = WindowWidth() / 2 - TextWidth(text) / 2;
  OutTextXY(x, g_window.textCursorY, text);
  g_window.textCursorY += TextHeight(text) + 1;
}

void SetFontByName(const std::string& face, const std::string& charsetWord, int32_t height, int32_t weight,
                   int32_t italic, int32_t angle) {
  LOGFONTA& font = g_window.font;
  const std::string name = AsciiUpper(face) == "ARIAL" ? std::string("ARIAL") : face;
  std::memset(font.lfFaceName, 0, sizeof font.lfFaceName);
  std::strncpy(font.lfFaceName, name.c_str(), sizeof font.lfFaceName - 1);
  font.lfHeight = height;
  font.lfWeight = weight;
  font.lfItalic = italic == 1 ? 1 : 0;
  font.lfEscapement = angle;
  font.lfOrientation = angle;
  font.lfCharSet = CharsetOf(charsetWord);
  SelectModuleFont();
}

int32_t ChooseFontDialog() {
  WindowState& w = g_window;
  CHOOSEFONTA request{};
  request.lStructSize = sizeof(CHOOSEFONTA);
  request.hwndOwner = w.window;
  request.lpLogFont = &w.font;
  request.Flags = CF_SCREENFONTS;
  request.nFontType = REGULAR_FONTTYPE;
  // Confirmed or cancelled, the record now describes the font to use.
  ChooseFontA(&request);
  w.font.lfFaceName[sizeof w.font.lfFaceName - 1] = '\0';
  SelectModuleFont();
  WriteCentred(w.font.lfFaceName);
  return 0;
}

}  // namespace veltounit
