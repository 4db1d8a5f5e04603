// Modal boxes and the common dialogs: message boxes through SDL (or a test's
// script), the open-file and font dialogs through the desktop's dialog
// program when one is installed.
#include <fontconfig/fontconfig.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <deque>
#include <optional>
#include <set>

#include "platform/internal.h"

extern char** environ;

namespace plat {

namespace {

std::deque<int> g_boxAnswers;
std::vector<automation::MessageBoxRecord> g_boxes;
// The box on the screen now (headless): its style, and the answer a key or a
// close request gave it, 0 while it waits.
bool g_boxOpen = false;
UINT g_openType = 0;
int g_openAnswer = 0;
std::deque<std::string> g_fileAnswers;
DWORD g_dialogError = 0;

bool OnPath(const std::string& program) {
  const char* path = std::getenv("PATH");
  if (path == nullptr) return false;
  std::string all = path;
  size_t start = 0;
  while (start <= all.size()) {
    size_t end = all.find(':', start);
    if (end == std::string::npos) end = all.size();
    std::string candidate = all.substr(start, end - start) + "/" + program;
    if (access(candidate.c_str(), X_OK) == 0) return true;
    start = end + 1;
  }
  return false;
}

// Runs a dialog program and returns what it printed, or nothing when it was
// cancelled or could not run.
std::optional<std::string> RunCapture(const std::vector<std::string>& args) {
  int fds[2];
  if (pipe(fds) != 0) return std::nullopt;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
  posix_spawn_file_actions_addclose(&actions, fds[0]);
  std::vector<char*> argv;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  pid_t pid;
  int rc = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(fds[1]);
  if (rc != 0) {
    close(fds[0]);
    return std::nullopt;
  }
  std::string out;
  char buffer[4096];
  ssize_t n;
  while ((n = read(fds[0], buffer, sizeof buffer)) > 0) out.append(buffer, static_cast<size_t>(n));
  close(fds[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return std::nullopt;
  while (!out.empty() && (out.back() == '\n' || out.back() == '\r')) out.pop_back();
  return out;
}

// The answer of a dialog: scripted by a test, else the desktop's program.
// Returns false with g_dialogError set when no dialog could be shown.
bool AskDesktop(const std::vector<std::string>& zenityArgs, std::string* answer, bool* cancelled) {
  *cancelled = false;
  if (!g_fileAnswers.empty()) {
    *answer = g_fileAnswers.front();
    g_fileAnswers.pop_front();
    *cancelled = answer->empty();
    return true;
  }
  if (Headless() || !OnPath("zenity")) {
    g_dialogError = CDERR_DIALOGFAILURE;
    return false;
  }
  PresentNow();
  std::optional<std::string> out = RunCapture(zenityArgs);
  if (!out) {
    *cancelled = true;
    return true;
  }
  *answer = *out;
  *cancelled = answer->empty();
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

bool BoxOpen() { return g_boxOpen; }

bool BoxTakesKey(int vk, bool down) {
  if (!g_boxOpen) return false;
  if (down && g_openAnswer == 0) {
    if (vk == VK_RETURN) g_openAnswer = BoxDefaultButton(g_openType);
    if (vk == VK_ESCAPE) g_openAnswer = BoxEscapeAnswer(g_openType);
  }
  return true;  // the box has the keyboard: nothing reaches the windows behind it
}

bool BoxTakesClose() {
  if (!g_boxOpen) return false;
  if (g_openAnswer == 0) g_openAnswer = BoxEscapeAnswer(g_openType);
  return true;
}

void ResetDialogs() {
  g_boxOpen = false;
  g_openType = 0;
  g_openAnswer = 0;
  g_boxAnswers.clear();
  g_boxes.clear();
  g_fileAnswers.clear();
  g_dialogError = 0;
}

}  // namespace plat

namespace automation {
void ScriptMessageBoxAnswer(int answer) { plat::g_boxAnswers.push_back(answer); }
const std::vector<MessageBoxRecord>& MessageBoxes() { return plat::g_boxes; }
void ClearMessageBoxes() { plat::g_boxes.clear(); }
void ScriptFileDialogAnswer(const std::string& fileName) { plat::g_fileAnswers.push_back(fileName); }
}  // namespace automation

using namespace plat;

int WINAPI MessageBoxA(HWND, LPCSTR text, LPCSTR caption, UINT type) {
  automation::MessageBoxRecord record;
  record.text = text ? text : "";
  record.caption = caption ? caption : "Error";  // Windows' caption when none is given
  record.style = type;
  PresentNow();  // what was drawn before the box is on the screen behind it
  int answer = 0;
  int idleCalls = 0;
  for (;;) {
    if (!g_boxAnswers.empty()) {
      answer = g_boxAnswers.front();
      g_boxAnswers.pop_front();
      break;
    }
    if (!Headless()) {
      answer = SdlMessageBox(record.text, record.caption, type);
      break;
    }
    // Headless: the box is open while the test's idle handler runs, and the
    // keys and close requests it gives go to the box.
    g_boxOpen = true;
    g_openType = type;
    g_openAnswer = 0;
    const bool more = CallIdleHandler(&idleCalls);
    g_boxOpen = false;
    if (g_openAnswer != 0) {
      answer = g_openAnswer;
      break;
    }
    if (!more) {
      std::fprintf(stderr, "\n*** Message box \"%s\": \"%s\"\n", record.caption.c_str(), record.text.c_str());
      FailBlocking("MessageBoxA");
    }
  }
  record.answer = answer;
  g_boxes.push_back(record);
  return answer;
}

DWORD WINAPI CommDlgExtendedError(void) { return g_dialogError; }

BOOL WINAPI GetOpenFileNameA(LPOPENFILENAMEA ofn) {
  g_dialogError = 0;
  if (ofn == nullptr || ofn->lStructSize < sizeof(OPENFILENAMEA)) {
    g_dialogError = CDERR_STRUCTSIZE;
    return FALSE;
  }
  if (ofn->lpstrFile == nullptr || ofn->nMaxFile == 0) {
    g_dialogError = CDERR_INITIALIZATION;
    return FALSE;
  }
  std::vector<std::string> args = {"zenity", "--file-selection"};
  if (ofn->lpstrTitle != nullptr) args.push_back(std::string("--title=") + ofn->lpstrTitle);
  std::string answer;
  bool cancelled = false;
  if (!AskDesktop(args, &answer, &cancelled)) return FALSE;
  if (cancelled) return FALSE;
  if (answer.size() + 1 > ofn->nMaxFile) {
    // Windows puts the size needed into the first two bytes of the buffer.
    g_dialogError = FNERR_BUFFERTOOSMALL;
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
  g_dialogError = 0;
  if (choose == nullptr || choose->lStructSize < sizeof(CHOOSEFONTA)) {
    g_dialogError = CDERR_STRUCTSIZE;
    return FALSE;
  }
  if (choose->lpLogFont == nullptr) {
    g_dialogError = CDERR_INITIALIZATION;
    return FALSE;
  }
  std::vector<std::string> args = {"zenity", "--list", "--title=Font", "--column=Font"};
  if (g_fileAnswers.empty() && !Headless()) {
    FcPattern* pattern = FcPatternCreate();
    FcObjectSet* os = FcObjectSetBuild(FC_FAMILY, nullptr);
    FcFontSet* set = FcFontList(nullptr, pattern, os);
    std::set<std::string> families;
    for (int i = 0; set != nullptr && i < set->nfont; ++i) {
      FcChar8* family = nullptr;
      if (FcPatternGetString(set->fonts[i], FC_FAMILY, 0, &family) == FcResultMatch)
        families.insert(reinterpret_cast<char*>(family));
    }
    if (set) FcFontSetDestroy(set);
    FcObjectSetDestroy(os);
    FcPatternDestroy(pattern);
    for (const std::string& f : families) args.push_back(f);
  }
  std::string answer;
  bool cancelled = false;
  if (!AskDesktop(args, &answer, &cancelled)) return FALSE;
  if (cancelled) return FALSE;
  std::snprintf(choose->lpLogFont->lfFaceName, LF_FACESIZE, "%s", answer.c_str());
  choose->nFontType = REGULAR_FONTTYPE | SCREEN_FONTTYPE;
  return TRUE;
}
