#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

#include "platform/program_starter.h"

namespace vesk::platform {
namespace {

// Closes every descriptor from first upwards (only async-signal-safe calls: this runs between
// fork and exec).
void CloseFrom(int first) {
  long max = sysconf(_SC_OPEN_MAX);
  if (max < 0 || max > 65536) max = 65536;
  for (int fd = first; fd < max; ++fd) close(fd);
}

class CPosixProgramStarter : public IProgramStarter {
 public:
  bool Start(const std::string& path) override {
    if (path.empty() || path.find('\0') != std::string::npos) return false;
    // The started program tells through this pipe only when exec failed; a successful exec
    // closes its end, so the parent reads end of file.
    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) != 0) return false;
    const pid_t child = fork();
    if (child < 0) {
      close(pipeFds[0]);
      close(pipeFds[1]);
      return false;
    }
    if (child == 0) {
      // The middle process ends at once, so the program is adopted by init and never becomes
      // a zombie of ours.
      close(pipeFds[0]);
      const pid_t grandchild = fork();
      if (grandchild != 0) _exit(grandchild < 0 ? 1 : 0);
      setsid();
      // Keep the standard streams and the report pipe; every other descriptor stays behind.
      if (pipeFds[1] != 3) {
        dup3(pipeFds[1], 3, O_CLOEXEC);
        pipeFds[1] = 3;
      }
      CloseFrom(4);
      char* const argv[] = {const_cast<char*>(path.c_str()), nullptr};
      // A bare name is looked up in PATH, as a command line names a program.
      execvp(argv[0], argv);
      const int err = errno;
      ssize_t ignored = write(pipeFds[1], &err, sizeof err);
      (void)ignored;
      _exit(127);
    }
    close(pipeFds[1]);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    bool started = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    int err = 0;
    ssize_t n;
    while ((n = read(pipeFds[0], &err, sizeof err)) < 0 && errno == EINTR) {
    }
    close(pipeFds[0]);
    if (n > 0) started = false;
    return started;
  }
};

}  // namespace

std::unique_ptr<IProgramStarter> MakeProgramStarter() {
  return std::make_unique<CPosixProgramStarter>();
}

}  // namespace vesk::platform
