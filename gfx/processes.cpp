// Starting other programs, opening folders, and shutting down, restarting or
// logging off the computer.
#include <cstdio>

#include "gfx/veltounit.h"
#include "gfx/window_state.h"

namespace veltounit {

namespace {

constexpr const char* kShutdownProgram = "C:\\Windows\\System32\\shutdown.exe";

bool CanOpen(const char* windowsPath) {
  std::FILE* file = std::fopen(NativePath(windowsPath).c_str(), "rb");
  if (file == nullptr) return false;
  std::fclose(file);
  return true;
}

// Turns the shutdown privilege of this process on or off.
void SetShutdownPrivilege(bool enable) {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) return;
  TOKEN_PRIVILEGES privileges{};
  if (LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid)) {
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = enable ? SE_PRIVILEGE_ENABLED : 0;
    AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
  }
  CloseHandle(token);
}

// The system's shutdown program when there is one, otherwise the privileged
// call, ten seconds after the decision.
void EndSession(const char* programSwitch, UINT exitFlags) {
  if (CanOpen(kShutdownProgram)) {
    RunProgram(std::string("\"") + kShutdownProgram + "\" " + programSwitch, "normal");
    return;
  }
  SetShutdownPrivilege(true);
  Sleep(10000);
  ExitWindowsEx(exitFlags, 0);
  SetShutdownPrivilege(false);
}

}  // namespace

// A show word outside the four opens the program normally: a program started
// with an unknown word should still be seen.
void RunProgram(const std::string& commandLine, const std::string& showWord) {
  const std::string word = AsciiUpper(showWord);
  UINT show = SW_SHOW;
  if (word == "HIDDEN") show = SW_HIDE;
  else if (word == "MINIMIZED") show = SW_MINIMIZE;
  else if (word == "MAXIMIZED") show = SW_MAXIMIZE;
  WinExec(commandLine.c_str(), show);
}

HANDLE RunProcess(const std::string& program, const std::string& arguments, int32_t showMode, bool wait) {
  std::string commandLine = program;
  if (!arguments.empty()) commandLine += " " + arguments;
  const std::string directory = FileNamePart(program, "DIRECTORY");

  STARTUPINFOA startup{};
  startup.cb = sizeof(STARTUPINFOA);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(showMode);
  PROCESS_INFORMATION process{};
  // A program named without a folder runs in the current folder; an empty
  // folder name would make the start fail.
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE,
                      CREATE_NEW_CONSOLE | NORMAL_PRIORITY_CLASS, nullptr,
                      directory.empty() ? nullptr : directory.c_str(), &startup, &process)) {
    MessageBoxA(nullptr, "Could not create process ", "Error Creating Process", MB_ICONEXCLAMATION);
    return nullptr;
  }
  CloseHandle(process.hThread);
  if (wait) WaitForSingleObject(process.hProcess, INFINITE);
  return process.hProcess;
}

void RunAndWait(const std::string& commandLine, bool hidden) {
  std::string command = commandLine;
  STARTUPINFOA startup{};
  startup.cb = sizeof(STARTUPINFOA);
  if (hidden) {
    startup.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
    startup.wShowWindow = SW_HIDE;
  }
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    return;
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
}

void OpenFolder(const std::string& path) {
  ShellExecuteA(g_window.window, "open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void ShutDownComputer() { EndSession("-s", EWX_SHUTDOWN | EWX_FORCE); }
void RestartComputer() { EndSession("-r", EWX_REBOOT | EWX_FORCE); }
void LogOff() { ExitWindowsEx(EWX_FORCE, 0); }

}  // namespace veltounit
