// The backend without a display: windows live only in memory, the screen is a
// pretend one of the size a test asks for, and everything a person would give
// (input, the answers of boxes and dialogs) comes from the test through
// automation.h, whose calls fill this backend's part of the state record.  A
// program that would wait for a person with nothing given is stopped with a
// clear message instead of hanging.
#include <cstdio>
#include <cstdlib>

#include "platform/backend.h"
#include "platform/state.h"

namespace plat {

namespace {

HeadlessState& Headless() { return State().headless; }

// A handler that keeps answering "go on" without ever giving what the caller
// waits for would turn a failing test into a hang; after this many calls for
// one wait it counts as having given up.
constexpr int kIdleCallsPerWait = 10000;

bool CallIdleHandler(int* callsThisWait) {
  if (!Headless().idleHandler || ++*callsThisWait > kIdleCallsPerWait) return false;
  // A copy: the handler may replace itself.
  const std::function<bool()> handler = Headless().idleHandler;
  return handler();
}

bool CreateWindow(Window&) {
  if (!Headless().failNextWindow) return true;
  Headless().failNextWindow = false;
  return false;
}

void NoWindowChange(Window&) {}
void NoShow(Window&, bool) {}

int FactorOne(int, int) { return 1; }

bool PretendScreen(int* width, int* height) {
  *width = Headless().screenWidth;
  *height = Headless().screenHeight;
  return true;
}

void NoEvents(int) {}

void Wait(int* callsThisWait, const char* what) {
  if (!CallIdleHandler(callsThisWait)) FailBlocking(what);
}

// Moving the pointer makes a mouse move reach the window, as on Windows.
void WarpPointer(int x, int y) {
  if (Window* w = TopWindow()) QueueInput(w->handle, WM_MOUSEMOVE, 0, MAKELPARAM(x, y), true);
}

void NoPointer(CursorImage*, bool) {}
void NoPointerToFree(CursorImage&) {}

std::string UsLayout() { return "00000409"; }

// The box is open while the test's idle handler runs, and the keys and close
// requests it gives go to the box (automation.cpp).  A scripted answer is
// taken first.
int MessageBox(const std::string& text, const std::string& caption, UINT type) {
  HeadlessState& h = Headless();
  int idleCalls = 0;
  for (;;) {
    if (!h.boxAnswers.empty()) {
      const int answer = h.boxAnswers.front();
      h.boxAnswers.pop_front();
      return answer;
    }
    h.boxOpen = true;
    h.openType = type;
    h.openAnswer = 0;
    const bool more = CallIdleHandler(&idleCalls);
    h.boxOpen = false;
    if (h.openAnswer != 0) return h.openAnswer;
    if (!more) {
      std::fprintf(stderr, "\n*** Message box \"%s\": \"%s\"\n", caption.c_str(), text.c_str());
      FailBlocking("MessageBoxA");
    }
  }
}

// Only scripted answers: the empty text is Cancel.
bool AskDialog(const std::vector<std::string>&, bool, std::string* answer, bool* cancelled) {
  if (Headless().fileAnswers.empty()) return false;
  *answer = Headless().fileAnswers.front();
  Headless().fileAnswers.pop_front();
  *cancelled = answer->empty();
  return true;
}

bool NoClipboardSet(const std::string&) { return false; }
bool NoClipboardGet(std::string*) { return false; }

const BackendOps kHeadless = {
    .name = "headless",
    .desktop = false,
    .createWindow = CreateWindow,
    .destroyWindow = NoWindowChange,
    .showWindow = NoShow,
    .moveResize = NoWindowChange,
    .setTitle = NoWindowChange,
    .present = NoWindowChange,
    .rescale = NoWindowChange,
    .automaticScale = FactorOne,
    .screenSize = PretendScreen,
    .pump = NoEvents,
    .wait = Wait,
    .warpPointer = WarpPointer,
    .showPointer = NoPointer,
    .freePointer = NoPointerToFree,
    .keyboardLayout = UsLayout,
    .messageBox = MessageBox,
    .askDialog = AskDialog,
    .clipboardSet = NoClipboardSet,
    .clipboardGet = NoClipboardGet,
};

}  // namespace

void FailBlocking(const char* what) {
  std::fprintf(stderr,
               "\n*** %s would wait for the user, but the window is headless and nothing is queued or "
               "scripted.\n*** Inject input or script an answer through platform/automation.h first.\n",
               what);
  std::fflush(stderr);
  std::abort();
}

const BackendOps& HeadlessBackend() { return kHeadless; }

}  // namespace plat
