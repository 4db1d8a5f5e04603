// Clipboard text (CF_TEXT) through the desktop's clipboard, or kept in the
// process when there is no display.  The blocks handed over follow the global
// memory rules: SetClipboardData takes the block, GetClipboardData lends one.
#include <cstring>

#include "platform/internal.h"

namespace plat {

namespace {
bool g_open = false;
std::string g_text;         // the clipboard of a headless run
HGLOBAL g_given = nullptr;  // the block the program handed over
HGLOBAL g_lent = nullptr;   // the block lent out by GetClipboardData

void DropBlocks() {
  if (g_given) GlobalFree(g_given);
  if (g_lent) GlobalFree(g_lent);
  g_given = g_lent = nullptr;
}

std::string CurrentText() {
  std::string text;
  if (!Headless() && SdlClipboardGet(&text)) return text;
  return g_text;
}

void StoreText(const std::string& text) {
  g_text = text;
  if (!Headless()) SdlClipboardSet(text);
}
}  // namespace

void ResetClipboard() {
  DropBlocks();
  g_open = false;
  g_text.clear();
}

}  // namespace plat

namespace automation {
std::string ClipboardText() { return plat::CurrentText(); }
void SetClipboardText(const std::string& text) { plat::StoreText(text); }
}  // namespace automation

using namespace plat;

BOOL WINAPI OpenClipboard(HWND) {
  if (g_open) return FALSE;
  g_open = true;
  return TRUE;
}

BOOL WINAPI CloseClipboard(void) {
  if (!g_open) return FALSE;
  g_open = false;
  return TRUE;
}

BOOL WINAPI EmptyClipboard(void) {
  if (!g_open) return FALSE;
  DropBlocks();
  StoreText("");
  return TRUE;
}

HANDLE WINAPI SetClipboardData(UINT format, HANDLE mem) {
  if (!g_open || (format != CF_TEXT && format != CF_OEMTEXT) || mem == nullptr) return nullptr;
  SIZE_T size = GlobalSize(mem);
  const char* bytes = static_cast<const char*>(GlobalLock(mem));
  if (bytes == nullptr && size > 0) return nullptr;
  // The text ends at its terminator or at the end of the block, whichever
  // comes first: a block without a terminator is never read past its end.
  std::string text = bytes ? std::string(bytes, strnlen(bytes, size)) : std::string();
  GlobalUnlock(mem);
  if (g_given && g_given != mem) GlobalFree(g_given);
  g_given = mem;
  StoreText(text);
  return mem;
}

HANDLE WINAPI GetClipboardData(UINT format) {
  if (!g_open || (format != CF_TEXT && format != CF_OEMTEXT)) return nullptr;
  std::string text = CurrentText();
  if (text.empty()) return nullptr;
  if (g_lent) GlobalFree(g_lent);
  g_lent = GlobalAlloc(GHND, text.size() + 1);
  char* p = static_cast<char*>(GlobalLock(g_lent));
  if (p == nullptr) return nullptr;
  std::memcpy(p, text.c_str(), text.size() + 1);
  GlobalUnlock(g_lent);
  return g_lent;
}

BOOL WINAPI IsClipboardFormatAvailable(UINT format) {
  return (format == CF_TEXT || format == CF_OEMTEXT) && !CurrentText().empty();
}
