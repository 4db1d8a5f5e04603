// Starting other programs, waiting for them, opening documents with the
// desktop, and the session commands (shut down, restart, log off).  Everything
// goes through one command runner that tests replace, so a test never starts,
// shuts down or logs off anything for real.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <map>

#include "platform/state.h"

namespace plat {

namespace {

using Process = ProcessEntry;
ProcessState& Procs() { return State().processes; }
std::vector<long>& Detached() { return State().devices.detached; }

void ReapDetached() {
  std::erase_if(Detached(), [](long pid) { return waitpid(static_cast<pid_t>(pid), nullptr, WNOHANG) != 0; });
}

long SpawnForReal(const automation::CommandRequest& req) {
  if (req.argv.empty() || req.argv[0].empty()) return -1;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (!req.directory.empty()) posix_spawn_file_actions_addchdir_np(&actions, req.directory.c_str());
  if (req.show == SW_HIDE) {
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  }
  std::vector<char*> argv;
  for (const std::string& a : req.argv) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  pid_t pid = 0;
  int rc = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  return rc == 0 ? static_cast<long>(pid) : -1;
}

HANDLE NewHandle(const Process& p) {
  uintptr_t id = Procs().nextHandle++;
  Procs().handles[id] = p;
  return reinterpret_cast<HANDLE>(id);
}

Process* FindProcess(HANDLE h) {
  auto it = Procs().handles.find(reinterpret_cast<uintptr_t>(h));
  return it == Procs().handles.end() ? nullptr : &it->second;
}

// Waits for a process; timeout in ms, INFINITE for no limit.
bool Reap(Process& p, DWORD timeout) {
  if (p.finished || p.pid <= 0) {
    p.finished = true;
    return true;
  }
  auto check = [&p](int options) {
    int status = 0;
    pid_t r = waitpid(static_cast<pid_t>(p.pid), &status, options);
    if (r == static_cast<pid_t>(p.pid)) {
      p.finished = true;
      p.exitCode = WIFEXITED(status) ? static_cast<DWORD>(WEXITSTATUS(status)) : 1;
      return true;
    }
    if (r < 0) {  // not our child any more
      p.finished = true;
      return true;
    }
    return false;
  };
  if (timeout == INFINITE) return check(0);
  DWORD start = NowMs();
  for (;;) {
    if (check(WNOHANG)) return true;
    if (NowMs() - start >= timeout) return false;
    usleep(2000);
  }
}

}  // namespace

long RunCommand(const automation::CommandRequest& req) {
  Procs().commands.push_back(req);
  ReapDetached();
  return Procs().runner ? Procs().runner(req) : SpawnForReal(req);
}

// Windows command-line rules: blanks separate arguments, double quotes group,
// backslashes are literal except before a quote.
std::vector<std::string> SplitCommandLine(const std::string& line) {
  std::vector<std::string> out;
  size_t i = 0, n = line.size();
  while (i < n) {
    while (i < n && (line[i] == ' ' || line[i] == '\t')) ++i;
    if (i >= n) break;
    std::string arg;
    bool quoted = false;
    while (i < n && (quoted || (line[i] != ' ' && line[i] != '\t'))) {
      if (line[i] == '\\') {
        size_t slashes = 0;
        while (i < n && line[i] == '\\') {
          ++slashes;
          ++i;
        }
        if (i < n && line[i] == '"') {
          arg.append(slashes / 2, '\\');
          if (slashes % 2) {
            arg.push_back('"');
            ++i;
          }
        } else {
          arg.append(slashes, '\\');
        }
      } else if (line[i] == '"') {
        quoted = !quoted;
        ++i;
      } else {
        arg.push_back(line[i++]);
      }
    }
    out.push_back(arg);
  }
  return out;
}

}  // namespace plat

using namespace plat;

UINT WINAPI WinExec(LPCSTR commandLine, UINT cmdShow) {
  if (commandLine == nullptr) return ERROR_FILE_NOT_FOUND;
  automation::CommandRequest req;
  req.argv = SplitCommandLine(commandLine);
  if (req.argv.empty()) return ERROR_FILE_NOT_FOUND;
  req.argv[0] = NativePath(req.argv[0]);
  req.show = static_cast<int>(cmdShow);
  long pid = RunCommand(req);
  if (pid < 0) return ERROR_FILE_NOT_FOUND;
  if (pid > 0) Detached().push_back(pid);
  return 33;  // above 31: started
}

// NOLINTNEXTLINE(readability-non-const-parameter): the command line is writable in the Win32 signature
BOOL WINAPI CreateProcessA(LPCSTR applicationName, LPSTR commandLine, LPSECURITY_ATTRIBUTES, LPSECURITY_ATTRIBUTES,
                           BOOL, DWORD, LPVOID, LPCSTR currentDirectory, LPSTARTUPINFOA startupInfo,
                           LPPROCESS_INFORMATION processInformation) {
  automation::CommandRequest req;
  std::vector<std::string> parts = SplitCommandLine(commandLine ? commandLine : "");
  if (applicationName != nullptr && *applicationName != '\0') {
    req.argv.push_back(applicationName);
    // The command line's first word names the program again; the rest are
    // its arguments.
    for (size_t i = 1; i < parts.size(); ++i) req.argv.push_back(parts[i]);
  } else {
    req.argv = parts;
  }
  if (req.argv.empty()) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return FALSE;
  }
  req.argv[0] = NativePath(req.argv[0]);
  if (currentDirectory != nullptr && *currentDirectory != '\0') req.directory = NativePath(currentDirectory);
  if (startupInfo != nullptr && (startupInfo->dwFlags & STARTF_USESHOWWINDOW)) req.show = startupInfo->wShowWindow;
  long pid = RunCommand(req);
  if (pid < 0) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return FALSE;
  }
  Process p;
  p.pid = pid;
  Process t;
  t.thread = true;
  t.pid = 0;
  if (processInformation != nullptr) {
    processInformation->hProcess = NewHandle(p);
    processInformation->hThread = NewHandle(t);
    processInformation->dwProcessId = static_cast<DWORD>(pid);
    processInformation->dwThreadId = static_cast<DWORD>(pid);
  } else if (pid > 0) {
    Detached().push_back(pid);
  }
  return TRUE;
}

DWORD WINAPI WaitForSingleObject(HANDLE handle, DWORD milliseconds) {
  Process* p = FindProcess(handle);
  if (p == nullptr || p->token) return WAIT_FAILED;
  if (p->thread) return WAIT_OBJECT_0;
  return Reap(*p, milliseconds) ? WAIT_OBJECT_0 : WAIT_TIMEOUT;
}

BOOL WINAPI GetExitCodeProcess(HANDLE process, LPDWORD exitCode) {
  Process* p = FindProcess(process);
  if (p == nullptr || exitCode == nullptr) return FALSE;
  *exitCode = Reap(*p, 0) ? p->exitCode : STILL_ACTIVE;
  return TRUE;
}

BOOL WINAPI CloseHandle(HANDLE handle) {
  Process* p = FindProcess(handle);
  if (p == nullptr) return FALSE;
  if (!p->finished && p->pid > 0 && !p->thread) Detached().push_back(p->pid);
  Procs().handles.erase(reinterpret_cast<uintptr_t>(handle));
  return TRUE;
}

HANDLE WINAPI GetCurrentProcess(void) { return reinterpret_cast<HANDLE>(static_cast<intptr_t>(-1)); }

void WINAPI ExitProcess(UINT exitCode) {
  PresentNow();
  std::exit(static_cast<int>(exitCode));
}

BOOL WINAPI TerminateProcess(HANDLE process, UINT exitCode) {
  if (process == GetCurrentProcess()) ExitProcess(exitCode);
  Process* p = FindProcess(process);
  if (p == nullptr || p->thread || p->token) return FALSE;
  if (!p->finished && p->pid > 0) kill(static_cast<pid_t>(p->pid), SIGKILL);
  Reap(*p, INFINITE);
  p->exitCode = exitCode;
  return TRUE;
}

HINSTANCE WINAPI ShellExecuteA(HWND, LPCSTR operation, LPCSTR file, LPCSTR parameters, LPCSTR directory,
                               INT showCmd) {
  auto result = [](uintptr_t v) { return reinterpret_cast<HINSTANCE>(v); };
  if (file == nullptr || *file == '\0') return result(2);  // SE_ERR_FNF
  std::string verb = operation ? Lower(operation) : "open";
  if (verb != "open" && verb != "explore") return result(31);  // SE_ERR_NOASSOC
  automation::CommandRequest req;
  if (parameters != nullptr && *parameters != '\0') {
    // A program with arguments is started itself.
    req.argv.push_back(NativePath(file));
    for (const std::string& a : SplitCommandLine(parameters)) req.argv.push_back(a);
  } else {
    // Folders, documents and addresses open with the desktop's choice.
    std::string target = file;
    bool address = target.find("://") != std::string::npos;
    req.argv = {"xdg-open", address ? target : NativePath(target)};
  }
  if (directory != nullptr && *directory != '\0') req.directory = NativePath(directory);
  req.show = showCmd;
  long pid = RunCommand(req);
  if (pid < 0) return result(2);
  if (pid > 0) Detached().push_back(pid);
  return result(42);
}

// The session commands of this system stand for the Windows calls.
BOOL WINAPI ExitWindowsEx(UINT flags, DWORD) {
  automation::CommandRequest req;
  bool force = (flags & (EWX_FORCE | EWX_FORCEIFHUNG)) != 0;
  if (flags & EWX_REBOOT) {
    req.argv = {"systemctl", "reboot"};
  } else if (flags & (EWX_SHUTDOWN | EWX_POWEROFF)) {
    req.argv = {"systemctl", "poweroff"};
  } else {
    const char* session = std::getenv("XDG_SESSION_ID");
    req.argv = {"loginctl", "terminate-session"};
    if (session != nullptr && *session != '\0') req.argv.push_back(session);
    force = false;
  }
  if (force) req.argv.push_back("--ignore-inhibitors");
  return RunCommand(req) >= 0 ? TRUE : FALSE;
}

// Privileges are the operating system's business here: the session commands
// ask for what they need themselves, so these calls only keep their contract.
BOOL WINAPI OpenProcessToken(HANDLE process, DWORD, PHANDLE token) {
  if (token == nullptr || process != GetCurrentProcess()) return FALSE;
  Process t;
  t.token = true;
  *token = NewHandle(t);
  return TRUE;
}

BOOL WINAPI LookupPrivilegeValueA(LPCSTR, LPCSTR name, PLUID luid) {
  if (name == nullptr || luid == nullptr) return FALSE;
  static const std::pair<const char*, DWORD> kKnown[] = {
      {"seshutdownprivilege", 19}, {"sedebugprivilege", 20}, {"seremoteshutdownprivilege", 24}};
  for (const auto& [known, value] : kKnown) {
    if (Lower(name) == known) {
      luid->LowPart = value;
      luid->HighPart = 0;
      return TRUE;
    }
  }
  SetLastError(1313);  // ERROR_NO_SUCH_PRIVILEGE
  return FALSE;
}

BOOL WINAPI AdjustTokenPrivileges(HANDLE token, BOOL, PTOKEN_PRIVILEGES, DWORD, PTOKEN_PRIVILEGES, LPDWORD) {
  Process* t = FindProcess(token);
  if (t == nullptr || !t->token) return FALSE;
  SetLastError(ERROR_SUCCESS);
  return TRUE;
}
