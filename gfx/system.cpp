// Timing and thin platform queries: sleeping, ticks, the local date and time,
// machine flags, the beep, the desktop pattern and the console.
#include "gfx/veltounit.h"
#include "gfx/window_state.h"

namespace veltounit {

// What was drawn before the pause is shown during it.
void Delay(int32_t ms) {
  PresentSurface();
  Sleep(ms < 0 ? 0 : static_cast<DWORD>(ms));
}

int32_t GetTicks() { return static_cast<int32_t>(GetTickCount()); }

void GetDate(uint16_t& day, uint16_t& dayOfWeek, uint16_t& month, uint16_t& year) {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  day = now.wDay;
  dayOfWeek = now.wDayOfWeek;
  month = now.wMonth;
  year = now.wYear;
}

void GetTime(uint16_t& hour, uint16_t& minute, uint16_t& second, uint16_t& milliseconds) {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  hour = now.wHour;
  minute = now.wMinute;
  second = now.wSecond;
  milliseconds = now.wMilliseconds;
}

int32_t IsSlowMachine() { return GetSystemMetrics(SM_SLOWMACHINE); }
int32_t IsCleanBoot() { return GetSystemMetrics(SM_CLEANBOOT); }

void Beep(int32_t frequency, int32_t duration) {
  ::Beep(static_cast<DWORD>(frequency), static_cast<DWORD>(duration));
}

void PaintDesktop() {
  ::PaintDesktop(g_window.dc);
  NoteDrawing();
}

void FreeConsoleWindow() {
  if (!FreeConsole()) {
    MessageBoxA(nullptr, "Could not free console !", "Velto`s Graphic System Error", MB_ICONEXCLAMATION);
  }
}

}  // namespace veltounit
