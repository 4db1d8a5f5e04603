// Modal boxes and the common dialogs: which buttons a box has and what Enter
// and Esc answer, and the Win32 calls over the backend's boxes and dialogs
// (SDL's boxes and the desktop's dialog program, or a test's script).
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/backend.h"
#include "platform/state.h"

namespace plat {

namespace {
DialogState& Dialogs() { return State().dialogs; }

// The answer of a dialog.  Returns false with the dialog error set when no
// dialog could be shown.
bool AskDesktop(const std::vector<std::string>& args, bool listFonts, std::string* answer, bool* cancelled) {
  *cancelled = false;
  if (!Backend().askDialog(args, listFonts, answer, cancelled)) {
    Dialogs().error = CDERR_DIALOGFAILURE;
    return false;
  }
  return true;
}
}  // namespace

// The buttons of a box, left to right.
std::vector<int> BoxButtons(UINT type) {
  switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL: return {IDOK, IDCANCEL};
    case MB_ABORTRETRYIGNORE: return {IDABORT, IDRETRY, IDIGNORE};
    case MB_YESNOCANCEL: return {IDYES, IDNO, IDCANCEL};
    case MB_YESNO: return {IDYES, IDNO};
    case MB_RETRYCANCEL: return {IDRETRY, IDCANCEL};
    default: return {IDOK};
  }
}

int BoxDefaultButton(UINT type) {
  const std::vector<int> b = BoxButtons(type);
  const size_t index = (type & MB_DEFBUTTON3) == MB_DEFBUTTON3 ? 2 : (type & MB_DEFBUTTON2) ? 1 : 0;
  return b[std::min(index, b.size() - 1)];
}

// What Esc, and closing the box from its frame, answer: Cancel where the box
// has it, else No, else OK for a box with one button.  A box of Abort, Retry
// and Ignore has no such answer (Windows offers no way out of it but its
// buttons): 0, and the box stays.
int BoxEscapeAnswer(UINT type) {
  const std::vector<int> b = BoxButtons(type);
  for (int want : {IDCANCEL, IDNO})
    if (std::find(b.begin(), b.end(), want) != b.end()) return want;
  return b.size() == 1 ? b[0] : 0;
}

}  // namespace plat

using namespace plat;

int WINAPI MessageBoxA(HWND, LPCSTR text, LPCSTR caption, UINT type) {
  automation::MessageBoxRecord record;
  record.text = text ? text : "";
  record.caption = caption ? caption : "Error";  // Windows' caption when none is given
  record.style = type;
  PresentNow();  // what was drawn before the box is on the screen behind it
  const int answer = Backend().messageBox(record.text, record.caption, type);
  record.answer = answer;
  Dialogs().boxes.push_back(record);
  return answer;
}

DWORD WINAPI CommDlgExtendedError(void) { return Dialogs().error; }

BOOL WINAPI GetOpenFileNameA(LPOPENFILENAMEA ofn) {
  Dialogs().error = 0;
  if (ofn == nullptr || ofn->lStructSize < sizeof(OPENFILENAMEA)) {
    Dialogs().error = CDERR_STRUCTSIZE;
    return FALSE;
  }
  if (ofn->lpstrFile == nullptr || ofn->nMaxFile == 0) {
    Dialogs().error = CDERR_INITIALIZATION;
    return FALSE;
  }
  std::vector<std::string> args = {"zenity", "--file-selection"};
  if (ofn->lpstrTitle != nullptr) args.push_back(std::string("--title=") + ofn->lpstrTitle);
  std::string answer;
  bool cancelled = false;
  if (!AskDesktop(args, false, &answer, &cancelled)) return FALSE;
  if (cancelled) return FALSE;
  if (answer.size() + 1 > ofn->nMaxFile) {
    // Windows puts the size needed into the first two bytes of the buffer.
    Dialogs().error = FNERR_BUFFERTOOSMALL;
    if (ofn->nMaxFile >= 2) {
      WORD needed = static_cast<WORD>(std::min<size_t>(answer.size() + 1, 0xFFFF));
      std::memcpy(ofn->lpstrFile, &needed, 2);
    }
    return FALSE;
  }
  std::memcpy(ofn->lpstrFile, answer.c_str(), answer.size() + 1);
  size_t slash = answer.find_last_of("/\\");
  size_t nameAt = slash == std::string::npos ? 0 : slash + 1;
  size_t dot = answer.find_last_of('.');
  ofn->nFileOffset = static_cast<WORD>(nameAt);
  ofn->nFileExtension = static_cast<WORD>(dot != std::string::npos && dot >= nameAt ? dot + 1 : 0);
  if (ofn->lpstrFileTitle != nullptr && ofn->nMaxFileTitle > 0) {
    std::string title = answer.substr(nameAt);
    size_t n = std::min<size_t>(title.size(), ofn->nMaxFileTitle - 1);
    std::memcpy(ofn->lpstrFileTitle, title.data(), n);
    ofn->lpstrFileTitle[n] = '\0';
  }
  return TRUE;
}

// The font dialog offers the installed font families; the chosen family goes
// into the record's face name, the other fields stay as the caller set them.
BOOL WINAPI ChooseFontA(LPCHOOSEFONTA choose) {
  Dialogs().error = 0;
  if (choose == nullptr || choose->lStructSize < sizeof(CHOOSEFONTA)) {
    Dialogs().error = CDERR_STRUCTSIZE;
    return FALSE;
  }
  if (choose->lpLogFont == nullptr) {
    Dialogs().error = CDERR_INITIALIZATION;
    return FALSE;
  }
  std::vector<std::string> args = {"zenity", "--list", "--title=Font", "--column=Font"};
  std::string answer;
  bool cancelled = false;
  if (!AskDesktop(args, true, &answer, &cancelled)) return FALSE;
  if (cancelled) return FALSE;
  std::snprintf(choose->lpLogFont->lfFaceName, LF_FACESIZE, "%s", answer.c_str());
  choose->nFontType = REGULAR_FONTTYPE | SCREEN_FONTTYPE;
  return TRUE;
}
