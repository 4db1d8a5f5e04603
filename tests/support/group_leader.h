// Programs that the windowed tests start, each in a process group of its own.
#pragma once

#include <sys/types.h>

namespace test_support {

// fork(), with the child leading a process group of its own, so that
// kill(-pid, ...) reaches everything it starts: SDL shows a message box from a
// forked child, and such a grandchild, left behind when a failed test stops
// the program alone, keeps the test's output open and the test runner waiting
// for it.  The child gets `deathSignal` when the test process ends first.
pid_t ForkGroupLeader(int deathSignal);

}  // namespace test_support
