#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "platform/instance_channel.h"

namespace vesk::platform {
namespace {

constexpr std::size_t kMaxMessage = 64 * 1024;
constexpr char kReceipt = '\x06';

// A folder that is ours alone: a real folder (not a link), owned by us, closed to others.
bool IsPrivateFolder(const std::string& path) {
  struct stat st;
  return ::lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::getuid() &&
         (st.st_mode & 077) == 0;
}

bool FillAddress(const std::string& path, sockaddr_un& addr) {
  std::memset(&addr, 0, sizeof addr);
  addr.sun_family = AF_UNIX;
  if (path.size() >= sizeof addr.sun_path) return false;
  std::memcpy(addr.sun_path, path.c_str(), path.size() + 1);
  return true;
}

void SetTimeout(int fd, int option, long ms) {
  if (ms < 1) ms = 1;
  timeval tv{ms / 1000, static_cast<suseconds_t>((ms % 1000) * 1000)};
  ::setsockopt(fd, SOL_SOCKET, option, &tv, sizeof tv);
}

}  // namespace

std::string InstanceFolder() {
  std::string folder;
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime != nullptr && runtime[0] == '/' && IsPrivateFolder(runtime))
    folder = std::string(runtime) + "/vesk";
  else
    folder = "/tmp/vesk-" + std::to_string(::getuid());
  if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return {};
  // A folder someone else made under our name, or one opened to others, is not used.
  return IsPrivateFolder(folder) ? folder : std::string();
}

struct CInstanceChannel::Impl {
  std::string folder;
  int lockFd = -1;
  int listenFd = -1;

  std::string LockPath() const { return folder + "/vesk.lock"; }
  std::string SocketPath() const { return folder + "/vesk.sock"; }

  void Listen() {
    sockaddr_un addr;
    if (!FillAddress(SocketPath(), addr)) return;
    // Whatever stands under the name was left by an instance that has ended: we hold the lock.
    ::unlink(SocketPath().c_str());
    int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) return;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || ::listen(fd, 8) != 0) {
      ::close(fd);
      return;
    }
    ::chmod(SocketPath().c_str(), 0600);
    listenFd = fd;
  }

  // Reads one whole message (the sender closes its side after it) and confirms it.
  bool TakeOne(int fd, std::string& message) {
    ucred cred{};
    socklen_t len = sizeof cred;
    if (::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &cred, &len) != 0 || cred.uid != ::getuid())
      return false;
    SetTimeout(fd, SO_RCVTIMEO, 1000);
    SetTimeout(fd, SO_SNDTIMEO, 1000);
    char buf[4096];
    for (;;) {
      ssize_t n = ::recv(fd, buf, sizeof buf, 0);
      if (n == 0) break;
      if (n < 0) {
        if (errno == EINTR) continue;
        return false;
      }
      message.append(buf, static_cast<std::size_t>(n));
      if (message.size() > kMaxMessage) return false;
    }
    ::send(fd, &kReceipt, 1, MSG_NOSIGNAL);
    return true;
  }
};

CInstanceChannel::CInstanceChannel(std::string folder) : m_impl(std::make_unique<Impl>()) {
  m_impl->folder = std::move(folder);
}

CInstanceChannel::~CInstanceChannel() {
  if (m_impl->listenFd >= 0) {
    ::close(m_impl->listenFd);
    ::unlink(m_impl->SocketPath().c_str());
  }
  if (m_impl->lockFd >= 0) ::close(m_impl->lockFd);
}

InstanceRole CInstanceChannel::Claim() {
  if (m_impl->folder.empty()) return InstanceRole::Alone;
  int fd = ::open(m_impl->LockPath().c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) return InstanceRole::Alone;
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int err = errno;
    ::close(fd);
    return err == EWOULDBLOCK ? InstanceRole::Secondary : InstanceRole::Alone;
  }
  m_impl->lockFd = fd;
  m_impl->Listen();
  return InstanceRole::Primary;
}

bool CInstanceChannel::Send(const std::string& message, int timeoutMs) {
  sockaddr_un addr;
  if (!FillAddress(m_impl->SocketPath(), addr)) return false;
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    if (::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0) {
      const auto left =
          std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
      SetTimeout(fd, SO_SNDTIMEO, left);
      SetTimeout(fd, SO_RCVTIMEO, left);
      std::size_t sent = 0;
      while (sent < message.size()) {
        ssize_t n = ::send(fd, message.data() + sent, message.size() - sent, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        sent += static_cast<std::size_t>(n);
      }
      char receipt = 0;
      bool ok = false;
      if (sent == message.size() && ::shutdown(fd, SHUT_WR) == 0) {
        ssize_t n;
        do n = ::recv(fd, &receipt, 1, 0);
        while (n < 0 && errno == EINTR);
        ok = n == 1 && receipt == kReceipt;
      }
      ::close(fd);
      return ok;
    }
    ::close(fd);
    if (Clock::now() >= deadline) return false;
    // The running instance may not listen yet: it takes the lock first.
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
}

std::vector<std::string> CInstanceChannel::Receive() {
  std::vector<std::string> messages;
  if (m_impl->listenFd < 0) return messages;
  for (;;) {
    int fd = ::accept4(m_impl->listenFd, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0) {
      if (errno == EINTR) continue;
      break;
    }
    std::string message;
    if (m_impl->TakeOne(fd, message)) messages.push_back(std::move(message));
    ::close(fd);
  }
  return messages;
}

const std::string& CInstanceChannel::Folder() const { return m_impl->folder; }

}  // namespace vesk::platform
