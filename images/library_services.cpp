// Services every part of the picture library uses: text case, colours,
// message boxes and reading files.
#include <cctype>
#include <cstdio>
#include <utility>

#include "gfx/veltounit.h"
#include "images/library_state.h"

namespace ivxfiles {

namespace {
BoxHandler& Handler() {
  static BoxHandler handler;
  return handler;
}
}  // namespace

void SetBoxHandler(BoxHandler handler) { Handler() = std::move(handler); }

namespace detail {

std::string UpperAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

bool SameNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

Colour Rgb(int64_t r, int64_t g, int64_t b) {
  return veltounit::MakeColour(static_cast<int32_t>(r), static_cast<int32_t>(g), static_cast<int32_t>(b));
}

namespace {
// The MB_ flags AskUser would build, so that a box handler sees the same box
// either way.
unsigned StyleOf(const std::string& buttons, const std::string& icon, const std::string& modality) {
  unsigned style = MB_OK;
  const std::string b = UpperAscii(buttons);
  if (b == "OK/CANCEL") style = MB_OKCANCEL;
  else if (b == "YES/NO") style = MB_YESNO;
  else if (b == "YES/NO/CANCEL") style = MB_YESNOCANCEL;
  if (icon == "!") style |= MB_ICONEXCLAMATION;
  else if (icon == "X" || icon == "x") style |= MB_ICONHAND;
  else if (icon == "?") style |= MB_ICONQUESTION;
  else if (icon == "I" || icon == "i") style |= MB_ICONINFORMATION;
  if (UpperAscii(modality) == "SYSTEM") style |= MB_SYSTEMMODAL;
  return style;
}
}  // namespace

void AskBox(const std::string& caption, const std::string& text, const std::string& buttons, const std::string& icon,
            const std::string& modality) {
  if (Handler()) {
    Handler()(caption, text, StyleOf(buttons, icon, modality));
    return;
  }
  veltounit::AskUser(caption, text, buttons, icon, modality);
}

void NoticeBox(const std::string& caption, const std::string& text, unsigned style) {
  if (Handler()) {
    Handler()(caption, text, style);
    return;
  }
  MessageBoxA(nullptr, text.c_str(), caption.c_str(), style);
}

bool ReadWholeFile(const std::string& path, std::string& out) {
  out.clear();
  std::FILE* file = std::fopen(NativePath(path).c_str(), "rb");
  if (file == nullptr) return false;
  char chunk[65536];
  size_t got = 0;
  while (out.size() < kMaxFileBytes && (got = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
    out.append(chunk, std::min(got, kMaxFileBytes - out.size()));
  }
  std::fclose(file);
  return true;
}

}  // namespace detail
}  // namespace ivxfiles
