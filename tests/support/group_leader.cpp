#include "group_leader.h"

#include <sys/prctl.h>
#include <unistd.h>

namespace test_support {

pid_t ForkGroupLeader(int deathSignal) {
  const pid_t pid = fork();
  if (pid == 0) {
    setpgid(0, 0);
    prctl(PR_SET_PDEATHSIG, deathSignal);
  }
  if (pid > 0) setpgid(pid, pid);  // on both sides: either may run first
  return pid;
}

}  // namespace test_support
