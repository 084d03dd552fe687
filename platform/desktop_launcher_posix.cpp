#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>
#include <vector>

#include "platform/desktop_launcher.h"

namespace vesk::platform {
namespace {

// How long the opener is given to say whether a handler took the target. A handler that is
// still running after that (a browser started for the first time) counts as having taken it.
constexpr auto kAnswerTime = std::chrono::seconds(3);

class CXdgOpenLauncher : public IDesktopLauncher {
 public:
  ~CXdgOpenLauncher() override { Reap(); }

  bool Open(const std::string& target) override {
    Reap();
    // xdg-open would read a leading '-' as one of its options.
    if (target.empty() || target.front() == '-') return false;
    const pid_t pid = fork();
    if (pid < 0) return false;
    if (pid == 0) {
      // The target is one argv element: no shell ever reads it.
      char* const argv[] = {const_cast<char*>("xdg-open"), const_cast<char*>(target.c_str()),
                            nullptr};
      execvp(argv[0], argv);
      _exit(127);
    }
    const auto deadline = std::chrono::steady_clock::now() + kAnswerTime;
    while (std::chrono::steady_clock::now() < deadline) {
      int status = 0;
      const pid_t done = waitpid(pid, &status, WNOHANG);
      if (done == pid) return WIFEXITED(status) && WEXITSTATUS(status) == 0;
      if (done < 0) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    m_running.push_back(pid);
    return true;
  }

 private:
  // Collects openers that outlived their answer time, so none stays a zombie.
  void Reap() {
    std::vector<pid_t> still;
    for (pid_t pid : m_running) {
      int status = 0;
      if (waitpid(pid, &status, WNOHANG) == 0) still.push_back(pid);
    }
    m_running.swap(still);
  }

  std::vector<pid_t> m_running;
};

}  // namespace

std::unique_ptr<IDesktopLauncher> MakeDesktopLauncher() {
  return std::make_unique<CXdgOpenLauncher>();
}

}  // namespace vesk::platform
