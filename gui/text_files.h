// Reading the toolkit's own line-based text files (text memory, flash files)
// without trusting them: a line may be of any length and a file may end
// anywhere, so lines are read with a bound and the caller learns where the
// file stopped.
#pragma once

#include <cstddef>
#include <istream>
#include <string>

namespace veltogui {

// Longest line kept; the rest of a longer line is skipped.  A text field or a
// remembered text has no business being larger, and a damaged file must not
// make the program swallow gigabytes into one text.
constexpr size_t MAX_FILE_LINE = 65536;

// Reads one line into `line` without its line end ("\n" or "\r\n").  Returns
// false when the file had nothing left to give.
inline bool ReadBoundedLine(std::istream& in, std::string& line) {
  line.clear();
  bool any = false;
  for (;;) {
    const int c = in.get();
    if (c == std::char_traits<char>::eof()) break;
    any = true;
    if (c == '\n') break;
    if (line.size() < MAX_FILE_LINE) line.push_back(static_cast<char>(c));
  }
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return any;
}

// A text as one line of a file: each line break (CR, LF or CR LF) is written
// as one space.  The files hold one value per line, so a line break inside a
// text would push every later value onto the wrong line and the rest of the
// file would be read as garbage.
inline std::string AsFileLine(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out.push_back(text[i] == '\r' || text[i] == '\n' ? ' ' : text[i]);
  }
  return out;
}

}  // namespace veltogui
