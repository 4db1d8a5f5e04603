// Small text utilities used across the system: case-blind comparison, numbers
// as text, parts of a file name, and sorting a list of texts.
#include <cstdio>

#include "gfx/veltounit.h"
#include "gfx/window_state.h"

namespace veltounit {

bool SameTextNoCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && AsciiUpper(a) == AsciiUpper(b);
}

std::string IntToText(int32_t n) { return std::to_string(n); }

std::string RemoveCharacter(const std::string& text, char ch) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (c != ch) out += c;
  }
  return out;
}

// Positions are counted from 1 as the words describe them: s is the last "\"
// (0 if none) and d the last "." at or after s (0 if none).
//
// A name without a "." (after its last "\") has no extension: "FILENAME" is
// everything after the last "\" and "EXTENTION" is empty.  Taken literally the
// rule would give an empty file name and the whole path as the extension, which
// no caller can use.
std::string FileNamePart(const std::string& path, const std::string& part) {
  const size_t slash = path.rfind('\\');
  const size_t s = slash == std::string::npos ? 0 : slash + 1;
  size_t d = 0;
  const size_t dot = path.rfind('.');
  if (dot != std::string::npos && dot + 1 >= s) d = dot + 1;

  const std::string word = AsciiUpper(part);
  if (word == "DIRECTORY") return path.substr(0, s);
  if (word == "FILENAME") return d == 0 ? path.substr(s) : path.substr(s, d - 1 - s);
  if (word == "EXTENTION") return d == 0 ? std::string() : path.substr(d);
  if (word == "FILENAME+EXTENTION") return path.substr(s);
  return std::string();
}

// A shaker sort: a backward pass carries the smallest text down to the left
// bound, a forward pass the largest up to the right bound, and each bound
// moves to where the last exchange happened.  The bounds are written before
// every pair of passes (positions counted from 1; a pair (j - 1, j) is
// compared for j from left to right).
void SortStrings(std::vector<std::string>& list, int32_t count) {
  if (count > static_cast<int32_t>(list.size())) count = static_cast<int32_t>(list.size());
  if (count < 2) return;
  int32_t left = 2;
  int32_t right = count;
  int32_t last = count;
  auto at = [&list](int32_t position) -> std::string& { return list[static_cast<size_t>(position - 1)]; };
  while (left <= right) {
    std::printf("LEFT=%d RIGHT=%d\n", left, right);
    for (int32_t j = right; j >= left; --j) {
      if (at(j - 1) > at(j)) {
        std::swap(at(j - 1), at(j));
        last = j;
      }
    }
    left = last + 1;
    for (int32_t j = left; j <= right; ++j) {
      if (at(j - 1) > at(j)) {
        std::swap(at(j - 1), at(j));
        last = j;
      }
    }
    right = last - 1;
  }
  std::fflush(stdout);
}

}  // namespace veltounit
