// Clipboard text (CF_TEXT) through the desktop's clipboard, or kept in the
// process when there is no display.  The blocks handed over follow the global
// memory rules: SetClipboardData takes the block, GetClipboardData lends one.
#include <cstring>

#include "platform/backend.h"
#include "platform/state.h"

namespace plat {

namespace {
ClipboardState& Clip() { return State().clipboard; }

void DropBlocks() {
  if (Clip().given) GlobalFree(Clip().given);
  if (Clip().lent) GlobalFree(Clip().lent);
  Clip().given = Clip().lent = nullptr;
}
}  // namespace

// The desktop's clipboard where there is one, else the one kept here.
std::string ClipboardNow() {
  std::string text;
  if (Backend().clipboardGet(&text)) return text;
  return Clip().text;
}

void StoreClipboard(const std::string& text) {
  Clip().text = text;
  Backend().clipboardSet(text);
}

}  // namespace plat

using namespace plat;

BOOL WINAPI OpenClipboard(HWND) {
  if (Clip().open) return FALSE;
  Clip().open = true;
  return TRUE;
}

BOOL WINAPI CloseClipboard(void) {
  if (!Clip().open) return FALSE;
  Clip().open = false;
  return TRUE;
}

BOOL WINAPI EmptyClipboard(void) {
  if (!Clip().open) return FALSE;
  DropBlocks();
  StoreClipboard("");
  return TRUE;
}

HANDLE WINAPI SetClipboardData(UINT format, HANDLE mem) {
  if (!Clip().open || (format != CF_TEXT && format != CF_OEMTEXT) || mem == nullptr) return nullptr;
  SIZE_T size = GlobalSize(mem);
  const char* bytes = static_cast<const char*>(GlobalLock(mem));
  if (bytes == nullptr && size > 0) return nullptr;
  // The text ends at its terminator or at the end of the block, whichever
  // comes first: a block without a terminator is never read past its end.
  std::string text = bytes ? std::string(bytes, strnlen(bytes, size)) : std::string();
  GlobalUnlock(mem);
  if (Clip().given && Clip().given != mem) GlobalFree(Clip().given);
  Clip().given = mem;
  StoreClipboard(text);
  return mem;
}

HANDLE WINAPI GetClipboardData(UINT format) {
  if (!Clip().open || (format != CF_TEXT && format != CF_OEMTEXT)) return nullptr;
  std::string text = ClipboardNow();
  if (text.empty()) return nullptr;
  if (Clip().lent) GlobalFree(Clip().lent);
  Clip().lent = GlobalAlloc(GHND, text.size() + 1);
  char* p = static_cast<char*>(GlobalLock(Clip().lent));
  if (p == nullptr) return nullptr;
  std::memcpy(p, text.c_str(), text.size() + 1);
  GlobalUnlock(Clip().lent);
  return Clip().lent;
}

BOOL WINAPI IsClipboardFormatAvailable(UINT format) {
  return (format == CF_TEXT || format == CF_OEMTEXT) && !ClipboardNow().empty();
}
