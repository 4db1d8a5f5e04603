// A private virtual X display for the tests that put a real window on a
// screen.  Xvfb chooses a free display number itself, so test programs run in
// parallel never take each other's display.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace test_support {

// Starts Xvfb with one screen of `screen` ("640x480x24") and the further
// arguments `extra` ("-dpi", "96", "-fbdir", folder ...), and waits until it
// accepts clients.  Returns the server's process id and sets `display` to its
// name (":N"); -1 when Xvfb did not start, with nothing left running.
pid_t StartXvfb(const std::string& screen, const std::vector<std::string>& extra, std::string* display);

// fork(), with the child leading a process group of its own, so that
// kill(-pid, ...) reaches everything it starts: SDL shows a message box from a
// forked child, and such a grandchild, left behind when a failed test stops
// the program alone, keeps the test's output open and the test runner waiting
// for it.  The child gets `deathSignal` when the test process ends first.
pid_t ForkGroupLeader(int deathSignal);

}  // namespace test_support
