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

}  // namespace test_support
