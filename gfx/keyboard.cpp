// Key names, the capital-letters lock, the Greek keyboard language, Greek
// upper-casing and stress marks, and the small line editor ReadTextLine.
// Greek letters are bytes of the Windows-1253 code page.
#include <array>
#include <utility>
#include <vector>

#include "gfx/veltounit.h"
#include "gfx/window_state.h"

namespace veltounit {

namespace {

std::string g_keyboardLanguage;  // empty behaves as "english"

std::string NamedKey(int32_t code) {
  if (code >= '0' && code <= '9') return std::string(1, static_cast<char>(code));
  if (code >= 'A' && code <= 'Z') return std::string(1, static_cast<char>(code));
  if (code >= 96 && code <= 105) return std::string(1, static_cast<char>('0' + code - 96));
  if (code >= 112 && code <= 123) return "F" + std::to_string(code - 111);
  switch (code) {
    case 1: return "LEFT MOUSE";
    case 2: return "RIGHT MOUSE";
    case 4: return "MIDDLE MOUSE";
    case 8: return "BACKSPACE";
    case 9: return "TAB";
    case 13: return "ENTER";
    case 16: return "SHIFT";
    case 17: return "CONTROL";
    case 18: return "ALT";
    case 19: return "PAUSE";
    case 27: return "ESCAPE";
    case 32: return " ";
    case 33: return "PAGE UP";
    case 34: return "PAGE DOWN";
    case 35: return "END";
    case 36: return "HOME";
    case 37: return "LEFT ARROW";
    case 38: return "UP ARROW";
    case 39: return "RIGHT ARROW";
    case 40: return "DOWN ARROW";
    case 44: return "PRINTSCREEN";
    case 45: return "INSERT";
    case 46: return "DELETE";
    case 91: return "WINDOWS";  // the left key only
    case 93: return "MENU";
    case 106: return "*";
    case 107: return "+";
    case 108: return "\\";
    case 109: return "-";
    case 110: return ".";
    case 111: return "/";
    case 144: return "NUM LOCK";
    case 145: return "SCROLL LOCK";
    case 186: return ";";
    case 187: return "=";
    case 188: return ",";
    case 189: return "-";
    case 190: return ".";
    case 191: return "/";
    case 192: return "`";
    case 219: return "[";
    case 220: return "\\";
    case 221: return "]";
    case 222: return "'";
    default: return std::string();
  }
}

// The Greek letter of each Latin key A..Z: upper case, lower case.
constexpr std::array<std::pair<unsigned char, unsigned char>, 26> kGreekLetters{{
    {0xC1, 0xE1}, {0xC2, 0xE2}, {0xD8, 0xF8}, {0xC4, 0xE4}, {0xC5, 0xE5}, {0xD6, 0xF6}, {0xC3, 0xE3},
    {0xC7, 0xE7}, {0xC9, 0xE9}, {0xCE, 0xEE}, {0xCA, 0xEA}, {0xCB, 0xEB}, {0xCC, 0xEC}, {0xCD, 0xED},
    {0xCF, 0xEF}, {0xD0, 0xF0}, {':', ';'},   {0xD1, 0xF1}, {0xD3, 0xF3}, {0xD4, 0xF4}, {0xC8, 0xE8},
    {0xD9, 0xF9}, {0xD3, 0xF2}, {0xD7, 0xF7}, {0xD5, 0xF5}, {0xC6, 0xE6},
}};

// Letter with the stress mark, for the first letter of a word.
constexpr std::array<std::pair<unsigned char, unsigned char>, 14> kTonos{{
    {0xC1, 0xA2},
    {0xC5, 0xB8},
    {0xC7, 0xB9},
    {0xC9, 0xBA},
    {0xCF, 0xBC},
    {0xD5, 0xBE},
    {0xD9, 0xBF},
    {0xE1, 0xDC},
    {0xE5, 0xDD},
    {0xE7, 0xDE},
    {0xE9, 0xDF},
    {0xEF, 0xFC},
    {0xF5, 0xFD},
    {0xF9, 0xFE},
}};

std::string AsciiLower(const std::string& text) {
  std::string out = text;
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

unsigned char UpperGreekByte(unsigned char c) {
  if ((c >= 0xE1 && c <= 0xF1) || (c >= 0xF3 && c <= 0xF9)) return static_cast<unsigned char>(c - 0x20);
  switch (c) {
    case 0xF2: return 0xD3;  // final sigma
    case 0xDC: return 0xA2;
    case 0xDD: return 0xB8;
    case 0xDE: return 0xB9;
    case 0xDF: return 0xBA;
    case 0xFC: return 0xBC;
    case 0xFD: return 0xBE;
    case 0xFE: return 0xBF;
    default: break;
  }
  if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 'a' + 'A');
  return c;
}

// Paints the cell (x, y, width, height) with vertical lines of one pixel in
// the background colour, the way a typed character is taken back.
void EraseCell(int32_t x, int32_t y, int32_t width, int32_t height) {
  WindowState& w = g_window;
  const int32_t saved = w.penWidth;
  w.penWidth = 1;
  for (int32_t column = x; column < x + width; ++column) DrawLine(column, y, column, y + height, w.backColour);
  w.penWidth = saved;
}

}  // namespace

std::string KeyName(int32_t code) {
  std::string name = NamedKey(code);
  // Exactly 1: the lock is toggled on and its key is not being held.
  name = GetKeyState(VK_CAPITAL) == 1 ? AsciiUpper(name) : AsciiLower(name);
  if (AsciiUpper(g_keyboardLanguage) == "GREEK" && name.size() == 1) {
    const char c = name[0];
    if (c >= 'A' && c <= 'Z') name[0] = static_cast<char>(kGreekLetters[c - 'A'].first);
    if (c >= 'a' && c <= 'z') name[0] = static_cast<char>(kGreekLetters[c - 'a'].second);
  }
  return name;
}

std::string SystemKeyboardLanguage() {
  char layout[KL_NAMELENGTH] = {};
  if (!GetKeyboardLayoutNameA(layout)) return std::string();
  layout[KL_NAMELENGTH - 1] = '\0';
  std::string id = layout;
  if (id.size() == 8) {
    const std::string language = id.substr(5, 3);
    if (language == "409") return "english";
    if (language == "408") return "greek";
  }
  return id;
}

std::string GetKeyboardLanguage() { return g_keyboardLanguage; }

void SetKeyboardLanguage(const std::string& word) {
  g_keyboardLanguage = AsciiUpper(word) == "GREEK" ? "greek" : "english";
}

std::string UpperCaseText(const std::string& text) {
  std::string out = text;
  for (char& c : out) c = static_cast<char>(UpperGreekByte(static_cast<unsigned char>(c)));
  return out;
}

std::string AccentFirstLetter(const std::string& text) {
  if (text.empty()) return text;
  std::string out = text;
  const auto first = static_cast<unsigned char>(out[0]);
  for (const auto& [plain, stressed] : kTonos) {
    if (first == plain) {
      out[0] = static_cast<char>(stressed);
      break;
    }
  }
  return out;
}

std::string ReadTextLine() {
  WindowState& w = g_window;
  SetTextColour(w.textColour);
  const int32_t x0 = w.textCursorX;
  const int32_t y = w.textCursorY;
  // Where each typed entry was drawn, so that taking back a character erases
  // exactly its own cell and the next entry lands right after the last one.
  struct Entry {
    int32_t x;
    std::string text;
  };
  std::vector<Entry> entries;
  std::string line;

  for (;;) {
    const std::string name = ReadKey();
    Sleep(10);
    if (name.empty()) {
      // Nothing typed and nothing waiting: sleep until the next message
      // instead of spinning.  It is also how a window without a person in
      // front of it (a test) learns that this line would never end.
      MSG pending;
      if (!PeekMessageA(&pending, w.window, 0, 0, PM_NOREMOVE)) WaitMessage();
      continue;
    }
    const std::string upper = AsciiUpper(name);
    if (upper == "ENTER") break;
    if (upper == "F1") {
      // From English, or from the unset language that behaves as English, to
      // Greek; from Greek back.
      g_keyboardLanguage = AsciiUpper(g_keyboardLanguage) == "GREEK" ? "ENGLISH" : "GREEK";
      continue;
    }
    if (upper == "F2") continue;
    if (upper == "BACKSPACE") {
      if (line.empty() || entries.empty()) continue;
      line.pop_back();
      Entry& last = entries.back();
      const std::string dropped(1, last.text.back());
      last.text.pop_back();
      const int32_t cellX = last.x + TextWidth(last.text);
      EraseCell(cellX, y, TextWidth(dropped), TextHeight(dropped));
      if (last.text.empty()) entries.pop_back();
      continue;
    }
    const int32_t x = entries.empty() ? x0 : entries.back().x + TextWidth(entries.back().text);
    OutTextXY(x, y, name);
    entries.push_back({x, name});
    line += name;
  }
  w.textCursorY += TextHeight(line) + 1;
  return line;
}

}  // namespace veltounit
