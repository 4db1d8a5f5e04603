// Clipboard text: one line of at most 255 characters goes out, any text comes in.
#include <algorithm>

#include "gfx/veltounit.h"
#include "gfx/window_state.h"

namespace veltounit {

namespace {
constexpr size_t kMaxClipboardText = 255;
}

void CopyTextToClipboard(const std::string& text) {
  const size_t length = std::min(text.size(), kMaxClipboardText);
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, length + 1);
  if (block == nullptr) return;
  auto* bytes = static_cast<char*>(GlobalLock(block));
  if (bytes == nullptr) {
    GlobalFree(block);
    return;
  }
  std::copy_n(text.data(), length, bytes);
  bytes[length] = '\0';
  GlobalUnlock(block);
  if (!OpenClipboard(nullptr)) {
    GlobalFree(block);
    return;
  }
  EmptyClipboard();
  // The clipboard owns the block once it has taken it.
  if (SetClipboardData(CF_TEXT, block) == nullptr) GlobalFree(block);
  // Closed again so that other programs can read what was put there.
  CloseClipboard();
}

std::string PasteTextFromClipboard() {
  if (!OpenClipboard(nullptr)) return std::string();
  std::string text;
  HANDLE data = GetClipboardData(CF_TEXT);
  if (data != nullptr) {
    const auto* bytes = static_cast<const char*>(GlobalLock(data));
    if (bytes != nullptr) {
      text = bytes;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

}  // namespace veltounit
