// The platform layer's one state record.  Every file keeps what it must
// remember here, in the part named for its concern, so that a test starts
// from a fresh process state with one call (automation::Reset, which closes
// what the desktop holds and puts a fresh record in place) and nothing hides
// in file-scope variables.
//
// Two lifetimes: the parts a test resets (windows, queues, input, GDI
// objects, records of boxes and sounds ...), and `devices`, what the process
// opened once and keeps (the backend chosen at start, the SDL video and audio
// devices, the loaded font faces, children still to be reaped).
#pragma once

#include <bitset>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/internal.h"

namespace plat {

struct BackendOps;  // backend.h
struct GdiTables;   // raster.cpp: GDI objects and device contexts by handle
struct FontCache;   // text.cpp: FreeType, the faces found and the code page converters

using KeyStates = std::bitset<256>;

// --- window.cpp ---------------------------------------------------------------
struct WindowClass {
  std::string name;
  ATOM atom = 0;
  UINT style = 0;
  WNDPROC proc = nullptr;
  HBRUSH background = nullptr;
  HCURSOR cursor = nullptr;
  HINSTANCE instance = nullptr;
};

struct QueuedMessage {
  MSG msg{};
  bool setCursorFirst = false;
  bool input = false;  // keyboard or mouse: taking it moves GetKeyState's view to `keys`
  KeyStates keys;
};

struct WindowState {
  std::map<std::string, WindowClass> classes;  // by lower-cased name
  ATOM nextAtom = 0xC000;
  std::map<uintptr_t, std::unique_ptr<Window>> windows;
  uintptr_t nextWindow = 0x20000;
  std::deque<QueuedMessage> posted;
  std::deque<MSG> sent;
  bool quit = false;
  int quitCode = 0;
  HWND active = nullptr;
  DWORD lastError = 0;
  int presents = 0;         // hand-overs of the window picture to the screen
  DWORD lastPresentMs = 0;  // tick count of the last hand-over (virtual in tests)
};

// --- input.cpp ----------------------------------------------------------------
struct InputState {
  KeyStates held;           // on the desktop now (GetAsyncKeyState)
  KeyStates heldAtMessage;  // as of the last input message taken (GetKeyState)
  KeyStates locked;         // caps / num / scroll lock
  POINT cursor{0, 0};
  std::string layout;  // empty: ask the backend
};

// --- presentation.cpp ---------------------------------------------------------
struct ScaleState {
  // The presented window is `scale` times the drawn surface (window_scale.h);
  // `asked` 0 means "choose from the desktop when the window is made".
  int scale = 1;
  int asked = 1;
  // Once the factor has been other than 1, a window without a sizing frame keeps
  // its surface whatever size the desktop reports: a late report of an earlier
  // factor's size, or a window manager trimming a 3x window to the screen, must
  // not change the picture the program draws.
  bool scaledOnce = false;
  std::vector<uint32_t> presented;  // the enlarged picture handed to the desktop
};

// --- state.cpp (the clock) and system.cpp ---------------------------------------
struct ClockState {
  bool virtualTime = false;
  uint64_t virtualMs = 0;          // milliseconds since the virtual clock started
  uint64_t virtualStartTick = 0;   // the real tick count when it started
  int64_t virtualStartWallMs = 0;  // the wall clock when it started
};

struct GlobalBlock {
  std::vector<char> bytes;
  int locks = 0;
};
struct MemoryState {
  std::map<uintptr_t, GlobalBlock> blocks;
  uintptr_t nextBlock = 0x50000;
};

// --- dialogs.cpp, clipboard.cpp, cursor.cpp, sound.cpp, processes.cpp -----------
struct DialogState {
  std::vector<automation::MessageBoxRecord> boxes;  // every box shown, with its answer
  DWORD error = 0;                                  // CommDlgExtendedError
};

struct ClipboardState {
  bool open = false;
  std::string text;         // the clipboard when the desktop has none
  HGLOBAL given = nullptr;  // the block the program handed over
  HGLOBAL lent = nullptr;   // the block lent out by GetClipboardData
};

struct CursorState {
  std::map<uintptr_t, CursorImage> cursors;
  uintptr_t nextCursor = 0x30000;
  HCURSOR current = nullptr;
  int showCount = 0;
};

struct SoundState {
  std::vector<automation::SoundRecord> sounds;
  int audioChoice = -1;  // -1: real output on the desktop only
};

struct ProcessEntry {
  long pid = 0;  // 0: nothing to wait for
  bool finished = false;
  DWORD exitCode = 0;
  bool thread = false;  // the thread handle CreateProcessA also returns
  bool token = false;
};
struct ProcessState {
  std::map<uintptr_t, ProcessEntry> handles;
  uintptr_t nextHandle = 0x40000;
  automation::CommandRunner runner;  // empty: start programs for real
  std::vector<automation::CommandRequest> commands;
};

// --- headless_backend.cpp, driven by automation.cpp -------------------------------
struct HeadlessState {
  int screenWidth = 1024, screenHeight = 768;  // the pretend display
  std::function<bool()> idleHandler;
  bool failNextWindow = false;
  std::deque<int> boxAnswers;
  std::deque<std::string> fileAnswers;
  // The box on the screen now: its style, and the answer a key or a close
  // request gave it, 0 while it waits.
  bool boxOpen = false;
  UINT openType = 0;
  int openAnswer = 0;
};

// --- sdl_backend.cpp ----------------------------------------------------------------
struct DesktopState {
  std::map<uint32_t, HWND> bySdlId;  // the windows on the desktop, by SDL's window id
};

// --- what the process keeps -----------------------------------------------------------
struct Devices {
  const BackendOps* backend = nullptr;  // chosen at the first need (backend.cpp)
  bool videoTried = false;
  bool videoReady = false;
  uint32_t audioDevice = 0;
  bool audioTried = false;
  int audioFrequency = 0;
  uint16_t audioFormat = 0;
  uint8_t audioChannels = 0;
  std::shared_ptr<FontCache> fonts;
  std::vector<long> detached;  // children started without a handle: reaped later
};

struct PlatformState {
  WindowState windows;
  InputState input;
  ScaleState scale;
  ClockState clock;
  MemoryState memory;
  DialogState dialogs;
  ClipboardState clipboard;
  CursorState cursors;
  SoundState sound;
  ProcessState processes;
  std::shared_ptr<GdiTables> gdi;  // made at the first GDI call
  HeadlessState headless;
  DesktopState desktop;
  Devices devices;
};

PlatformState& State();

}  // namespace plat
