#include "support/loopback_socket.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace vesk::test::loopback {

Socket Listen(const std::string& address, int& port) {
  const int s = ::socket(AF_INET, SOCK_STREAM, 0);
  if (s < 0) return kNoSocket;
  int one = 1;
  ::setsockopt(s, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_port = 0;
  socklen_t len = sizeof addr;
  if (::inet_pton(AF_INET, address.c_str(), &addr.sin_addr) != 1 ||
      ::bind(s, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || ::listen(s, 128) != 0 ||
      ::getsockname(s, reinterpret_cast<sockaddr*>(&addr), &len) != 0) {
    ::close(s);
    return kNoSocket;
  }
  port = ntohs(addr.sin_port);
  return s;
}

Socket Accept(Socket listening) {
  const int fd = ::accept(static_cast<int>(listening), nullptr, nullptr);
  return fd < 0 ? kNoSocket : fd;
}

bool WaitReadable(Socket s, int timeoutMs) {
  pollfd p{static_cast<int>(s), POLLIN, 0};
  return ::poll(&p, 1, timeoutMs) > 0;
}

long Receive(Socket s, char* buffer, std::size_t size) {
  return static_cast<long>(::recv(static_cast<int>(s), buffer, size, 0));
}

long Send(Socket s, const char* data, std::size_t size) {
  // A client that went away must fail the send, not end the test program.
  return static_cast<long>(::send(static_cast<int>(s), data, size, MSG_NOSIGNAL));
}

void Close(Socket s) {
  if (s != kNoSocket) ::close(static_cast<int>(s));
}

int UnusedPort() {
  const int s = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ::bind(s, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
  socklen_t len = sizeof addr;
  ::getsockname(s, reinterpret_cast<sockaddr*>(&addr), &len);
  ::close(s);
  return ntohs(addr.sin_port);
}

}  // namespace vesk::test::loopback
