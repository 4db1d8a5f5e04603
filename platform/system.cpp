// Time, sleeping, system metrics, folders and global memory blocks.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <map>
#include <thread>

#include "platform/backend.h"
#include "platform/state.h"

namespace plat {

namespace {

constexpr SIZE_T kMaxBlock = SIZE_T(256) << 20;

MemoryState& Memory() { return State().memory; }

void FillTime(LPSYSTEMTIME out, bool local) {
  if (out == nullptr) return;
  int64_t ms = WallMs();
  time_t secs = static_cast<time_t>(ms / 1000);
  tm parts{};
  if (local) localtime_r(&secs, &parts);
  else gmtime_r(&secs, &parts);
  out->wYear = static_cast<WORD>(parts.tm_year + 1900);
  out->wMonth = static_cast<WORD>(parts.tm_mon + 1);
  out->wDayOfWeek = static_cast<WORD>(parts.tm_wday);
  out->wDay = static_cast<WORD>(parts.tm_mday);
  out->wHour = static_cast<WORD>(parts.tm_hour);
  out->wMinute = static_cast<WORD>(parts.tm_min);
  out->wSecond = static_cast<WORD>(parts.tm_sec);
  out->wMilliseconds = static_cast<WORD>(ms % 1000);
}

UINT CopyOut(const std::string& value, LPSTR buffer, UINT size) {
  if (buffer == nullptr || size <= value.size()) return static_cast<UINT>(value.size() + 1);
  std::memcpy(buffer, value.c_str(), value.size() + 1);
  return static_cast<UINT>(value.size());
}

}  // namespace

}  // namespace plat

using namespace plat;

void WINAPI Sleep(DWORD milliseconds) {
  // A program that sleeps between drawing steps wants the steps seen.
  PresentNow();
  if (State().clock.virtualTime) {
    State().clock.virtualMs += milliseconds;
    return;
  }
  if (milliseconds == INFINITE) milliseconds = 0x7FFFFFFF;
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

// Polling the clock, the keys or the pointer is where a program that only
// draws between polls lets its picture reach the screen.
DWORD WINAPI GetTickCount(void) {
  PresentIfDue();
  return NowMs();
}
void WINAPI GetLocalTime(LPSYSTEMTIME time) { FillTime(time, true); }
void WINAPI GetSystemTime(LPSYSTEMTIME time) { FillTime(time, false); }

int WINAPI GetSystemMetrics(int index) {
  int w = 0, h = 0;
  Backend().screenSize(&w, &h);
  switch (index) {
    case SM_CXSCREEN:
    case SM_CXFULLSCREEN: return w;
    case SM_CYSCREEN: return h;
    case SM_CYFULLSCREEN: return h - 23;
    case SM_CXBORDER:
    case SM_CYBORDER: return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME: return 3;
    case SM_CXFRAME:
    case SM_CYFRAME: return 4;
    case SM_CYCAPTION: return 23;
    case SM_CYMENU: return 20;
    case SM_CXVSCROLL:
    case SM_CYHSCROLL: return 17;
    case SM_CXICON:
    case SM_CYICON:
    case SM_CXCURSOR:
    case SM_CYCURSOR: return 32;
    case SM_MOUSEPRESENT: return 1;
    case SM_CMOUSEBUTTONS: return 3;
    default: return 0;  // SM_SLOWMACHINE, SM_CLEANBOOT (normal boot), SM_SWAPBUTTON ...
  }
}

HMODULE WINAPI GetModuleHandleA(LPCSTR moduleName) {
  if (moduleName != nullptr) return nullptr;
  return reinterpret_cast<HMODULE>(static_cast<uintptr_t>(0x400000));
}

DWORD WINAPI GetModuleFileNameA(HMODULE, LPSTR fileName, DWORD size) {
  if (fileName == nullptr || size == 0) return 0;
  char path[4096];
  ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  if (n < 0) return 0;
  path[n] = '\0';
  DWORD copy = std::min<DWORD>(static_cast<DWORD>(n), size - 1);
  std::memcpy(fileName, path, copy);
  fileName[copy] = '\0';
  return copy;
}

// The folders Windows calls system and Windows folders: where this system
// keeps its shared libraries and its own files.
UINT WINAPI GetSystemDirectoryA(LPSTR buffer, UINT size) { return CopyOut("/usr/lib", buffer, size); }
UINT WINAPI GetWindowsDirectoryA(LPSTR buffer, UINT size) { return CopyOut("/usr", buffer, size); }

DWORD WINAPI GetCurrentDirectoryA(DWORD size, LPSTR buffer) {
  char path[4096];
  if (getcwd(path, sizeof path) == nullptr) return 0;
  return CopyOut(path, buffer, size);
}

BOOL WINAPI SetCurrentDirectoryA(LPCSTR path) {
  if (path == nullptr) return FALSE;
  std::string native = NativePath(path);
  if (native.empty() || chdir(native.c_str()) != 0) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return FALSE;
  }
  return TRUE;
}

BOOL WINAPI FreeConsole(void) { return TRUE; }

HGLOBAL WINAPI GlobalAlloc(UINT, SIZE_T bytes) {
  if (bytes > kMaxBlock) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  uintptr_t id = Memory().nextBlock++;
  Memory().blocks[id].bytes.assign(bytes, 0);  // always zero-filled
  return reinterpret_cast<HGLOBAL>(id);
}

LPVOID WINAPI GlobalLock(HGLOBAL mem) {
  auto it = Memory().blocks.find(reinterpret_cast<uintptr_t>(mem));
  if (it == Memory().blocks.end() || it->second.bytes.empty()) return nullptr;
  it->second.locks++;
  return it->second.bytes.data();
}

BOOL WINAPI GlobalUnlock(HGLOBAL mem) {
  auto it = Memory().blocks.find(reinterpret_cast<uintptr_t>(mem));
  if (it == Memory().blocks.end() || it->second.locks == 0) return FALSE;
  it->second.locks--;
  return it->second.locks > 0;
}

HGLOBAL WINAPI GlobalFree(HGLOBAL mem) {
  auto it = Memory().blocks.find(reinterpret_cast<uintptr_t>(mem));
  if (it == Memory().blocks.end()) return mem;
  Memory().blocks.erase(it);
  return nullptr;
}

SIZE_T WINAPI GlobalSize(HGLOBAL mem) {
  auto it = Memory().blocks.find(reinterpret_cast<uintptr_t>(mem));
  return it == Memory().blocks.end() ? 0 : it->second.bytes.size();
}
