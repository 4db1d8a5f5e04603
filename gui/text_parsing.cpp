// Splitting command texts such as the board's point names "layer(4,7)" and the
// lines of the settings files into parts.
#include "gui/gui_state.h"

namespace veltogui {

namespace {

// Walks text, cutting at any character for which isSeparator is true.  Parts
// 1..maxParts are filled; the walk stops when part maxParts + 1 would start.
// Returns the number of the part the last character fell in (0 for an empty
// text: no character fell anywhere).
template <size_t N, typename IsSeparator>
int32_t SplitText(const std::string& text, int32_t maxParts, std::array<std::string, N>& parts,
                  std::array<int32_t, N>& numbers, IsSeparator isSeparator) {
  for (auto& p : parts) p.clear();
  for (auto& n : numbers) n = 0;
  int32_t part = text.empty() ? 0 : 1;
  for (char c : text) {
    if (isSeparator(c)) {
      if (part + 1 > maxParts) break;
      ++part;
    } else {
      parts[static_cast<size_t>(part)] += c;
    }
  }
  for (int32_t i = 1; i <= maxParts; ++i)
    numbers[static_cast<size_t>(i)] = WholeNumber(parts[static_cast<size_t>(i)]);
  return part;
}

}  // namespace

int32_t ParseCommand(const std::string& text) {
  GuiState& g = Gui();
  const char separator = g.commandSeparator;
  return SplitText(text, MAX_COMMAND_PARTS, g.commandParts, g.commandNumbers,
                   [separator](char c) { return c == '(' || c == ')' || c == ',' || c == separator; });
}

std::string GetCommandPart(int32_t i) {
  if (i < 1 || i > MAX_COMMAND_PARTS) return "";
  return Gui().commandParts[static_cast<size_t>(i)];
}

int32_t GetCommandNumber(int32_t i) {
  if (i < 1 || i > MAX_COMMAND_PARTS) return 0;
  return Gui().commandNumbers[static_cast<size_t>(i)];
}

void SetCommandSeparator(char separator) { Gui().commandSeparator = separator; }

int32_t ParseLine(const std::string& text) {
  GuiState& g = Gui();
  return SplitText(text, MAX_LINE_PARTS, g.lineParts, g.lineNumbers,
                   [](char c) { return c == '(' || c == ')' || c == ',' || c == '.'; });
}

std::string GetLinePart(int32_t i) {
  if (i < 1 || i > MAX_LINE_PARTS) return "";
  return Gui().lineParts[static_cast<size_t>(i)];
}

int32_t GetLineNumber(int32_t i) {
  if (i < 1 || i > MAX_LINE_PARTS) return 0;
  return Gui().lineNumbers[static_cast<size_t>(i)];
}

}  // namespace veltogui
