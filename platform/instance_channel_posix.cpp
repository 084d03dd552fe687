#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <thread>

#include "platform/instance_channel.h"
#include "platform/message_inbox.h"

namespace vesk::platform {
namespace {

using Clock = std::chrono::steady_clock;

constexpr std::size_t kMaxMessage = 64 * 1024;
constexpr char kReceipt = '\x06';
// A real second start sends at once; whoever takes longer, or holds a connection idle, is cut off.
constexpr auto kMessageTime = std::chrono::seconds(2);
// Connections read at once; when more come, the oldest is dropped so a new start gets in.
constexpr std::size_t kMaxConnections = 64;
// Hand-overs waiting for the owner; more are not confirmed (their senders hear no answer).
constexpr std::size_t kMaxWaiting = 32;

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
  int stopPipe[2] = {-1, -1};
  std::thread listener;
  CMessageInbox inbox{kMaxWaiting};

  // One accepted connection whose message is still coming.
  struct Incoming {
    int fd;
    std::string data;
    Clock::time_point deadline;
  };

  std::string LockPath() const { return folder + "/vesk.lock"; }
  std::string SocketPath() const { return folder + "/vesk.sock"; }

  void Listen() {
    sockaddr_un addr;
    if (!FillAddress(SocketPath(), addr)) return;
    // Whatever stands under the name was left by an instance that has ended: we hold the lock.
    ::unlink(SocketPath().c_str());
    int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) return;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
        ::listen(fd, static_cast<int>(kMaxConnections)) != 0 ||
        ::pipe2(stopPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
      ::close(fd);
      return;
    }
    ::chmod(SocketPath().c_str(), 0600);
    listenFd = fd;
    listener = std::thread([this] { Run(); });
  }

  void Stop() {
    if (!listener.joinable()) return;
    const char stop = 1;
    while (::write(stopPipe[1], &stop, 1) < 0 && errno == EINTR) {
    }
    listener.join();
  }

  // Queues a whole message for the owner; false when too many wait already.
  bool Deliver(std::string message) { return inbox.Post(std::move(message)); }

  void Accept(std::deque<Incoming>& open) {
    for (;;) {
      int fd = ::accept4(listenFd, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
      if (fd < 0) {
        if (errno == EINTR) continue;
        if (errno != EMFILE && errno != ENFILE) return;  // nothing more waiting
        // Out of descriptors: the oldest connection gives way, or, with none, a pause keeps the
        // still pending connection from spinning the thread.
        if (open.empty()) {
          std::this_thread::sleep_for(std::chrono::milliseconds(100));
          return;
        }
        ::close(open.front().fd);
        open.pop_front();
        continue;
      }
      ucred cred{};
      socklen_t len = sizeof cred;
      if (::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &cred, &len) != 0 || cred.uid != ::getuid()) {
        ::close(fd);
        continue;
      }
      if (open.size() >= kMaxConnections) {
        ::close(open.front().fd);
        open.pop_front();
      }
      open.push_back({fd, {}, Clock::now() + kMessageTime});
    }
  }

  // Reads what has come on one connection; false once it is finished with (taken or refused).
  bool ReadSome(Incoming& in) {
    char buf[4096];
    for (;;) {
      const ssize_t n = ::recv(in.fd, buf, sizeof buf, 0);
      if (n > 0) {
        in.data.append(buf, static_cast<std::size_t>(n));
        if (in.data.size() > kMaxMessage) return false;
        continue;
      }
      if (n < 0 && errno == EINTR) continue;
      if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return true;
      if (n < 0) return false;
      // The sender closed its side: the message is whole. The receipt fits the empty buffer.
      if (Deliver(std::move(in.data))) ::send(in.fd, &kReceipt, 1, MSG_NOSIGNAL | MSG_DONTWAIT);
      return false;
    }
  }

  void Run() {
    std::deque<Incoming> open;
    std::vector<pollfd> fds;
    for (;;) {
      fds.assign({{stopPipe[0], POLLIN, 0}, {listenFd, POLLIN, 0}});
      int waitMs = -1;
      const auto now = Clock::now();
      for (const auto& in : open) {
        fds.push_back({in.fd, POLLIN, 0});
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(in.deadline - now).count() + 1;
        if (waitMs < 0 || left < waitMs) waitMs = static_cast<int>(left < 0 ? 0 : left);
      }
      if (::poll(fds.data(), fds.size(), waitMs) < 0 && errno != EINTR) break;
      if (fds[0].revents != 0) break;
      // Connections first, so the ones accepted now are not looked at with stale results.
      const std::size_t polled = open.size();
      std::deque<Incoming> kept;
      const auto at = Clock::now();
      for (std::size_t i = 0; i < polled; ++i) {
        Incoming& in = open[i];
        const bool ready = fds[i + 2].revents != 0;
        if ((ready && !ReadSome(in)) || at >= in.deadline) {
          ::close(in.fd);
          continue;
        }
        kept.push_back(std::move(in));
      }
      open.swap(kept);
      if (fds[1].revents != 0) Accept(open);
    }
    for (auto& in : open) ::close(in.fd);
  }
};

CInstanceChannel::CInstanceChannel(std::string folder) : m_impl(std::make_unique<Impl>()) {
  m_impl->folder = std::move(folder);
}

CInstanceChannel::~CInstanceChannel() {
  m_impl->Stop();
  for (int fd : m_impl->stopPipe)
    if (fd >= 0) ::close(fd);
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

std::vector<std::string> CInstanceChannel::Receive() { return m_impl->inbox.Take(); }

void CInstanceChannel::SetWake(std::function<void()> wake) {
  m_impl->inbox.SetWake(std::move(wake));
}

const std::string& CInstanceChannel::Folder() const { return m_impl->folder; }

}  // namespace vesk::platform
