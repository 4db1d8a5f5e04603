#include "virtual_display.h"

#include "group_leader.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace test_support {

pid_t StartXvfb(const std::string& screen, const std::vector<std::string>& extra, std::string* display) {
  // Xvfb writes the display number it took to this pipe once it is ready.
  int fds[2];
  if (pipe(fds) != 0) return -1;
  const std::string fd = std::to_string(fds[1]);
  std::vector<std::string> argv = {"Xvfb", "-displayfd", fd, "-screen", "0", screen, "-nolisten", "tcp"};
  argv.insert(argv.end(), extra.begin(), extra.end());
  std::vector<char*> args;
  for (std::string& a : argv) args.push_back(a.data());
  args.push_back(nullptr);
  // A test killed on the way must not leave its server behind.
  const pid_t server = ForkGroupLeader(SIGTERM);
  if (server == 0) {
    close(fds[0]);
    execvp(args[0], args.data());
    _exit(127);
  }
  close(fds[1]);
  std::string number;
  char c = 0;
  while (server > 0 && read(fds[0], &c, 1) == 1 && c != '\n') number.push_back(c);
  close(fds[0]);
  if (number.empty()) {
    if (server > 0) {
      kill(server, SIGTERM);
      waitpid(server, nullptr, 0);
    }
    return -1;
  }
  *display = ":" + number;
  return server;
}

}  // namespace test_support
