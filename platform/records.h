// What the layer keeps of the program's requests to the desktop: the boxes it
// showed, the sounds it played and the programs it started, with the runner
// those go through.  The layer's files fill these; automation.h hands them to
// tests.  Plain records only: nothing here drives the layer.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/win32.h"

namespace automation {

struct MessageBoxRecord {
  std::string text;
  std::string caption;
  UINT style = 0;
  int answer = 0;
};

struct SoundRecord {
  std::string name;  // as given to PlaySoundA (empty for a stop request)
  std::string path;  // the native path tried
  DWORD flags = 0;
  bool played = false;        // the file was found and decoded
  unsigned decodedBytes = 0;  // bytes of sound the file gave, before conversion
};

// A program to start: every one the layer starts (WinExec, CreateProcessA,
// ShellExecuteA, and the system commands behind ExitWindowsEx) goes through
// one runner.
struct CommandRequest {
  std::vector<std::string> argv;  // argv[0] is the program
  std::string directory;          // working folder; empty = current
  int show = SW_SHOW;
};
// Returns a process id to wait for (> 0), 0 for "started and already finished",
// or -1 when the program could not be started.
using CommandRunner = std::function<long(const CommandRequest&)>;

}  // namespace automation
