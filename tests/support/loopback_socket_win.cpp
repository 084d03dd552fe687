#include "support/loopback_socket.h"

#include <winsock2.h>
#include <ws2tcpip.h>

namespace vesk::test::loopback {

namespace {

// Winsock is started once for the whole test program and left running until it ends.
bool Started() {
  static const bool started = [] {
    WSADATA data;
    return ::WSAStartup(MAKEWORD(2, 2), &data) == 0;
  }();
  return started;
}

SOCKET Raw(Socket s) { return static_cast<SOCKET>(s); }

}  // namespace

Socket Listen(const std::string& address, int& port) {
  if (!Started()) return kNoSocket;
  const SOCKET s = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (s == INVALID_SOCKET) return kNoSocket;
  // Windows lets SO_REUSEADDR take a port another socket holds; a fresh port needs no reuse.
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_port = 0;
  int len = sizeof addr;
  if (::inet_pton(AF_INET, address.c_str(), &addr.sin_addr) != 1 ||
      ::bind(s, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || ::listen(s, 128) != 0 ||
      ::getsockname(s, reinterpret_cast<sockaddr*>(&addr), &len) != 0) {
    ::closesocket(s);
    return kNoSocket;
  }
  port = ntohs(addr.sin_port);
  return static_cast<Socket>(s);
}

Socket Accept(Socket listening) {
  const SOCKET s = ::accept(Raw(listening), nullptr, nullptr);
  return s == INVALID_SOCKET ? kNoSocket : static_cast<Socket>(s);
}

bool WaitReadable(Socket s, int timeoutMs) {
  WSAPOLLFD p{};
  p.fd = Raw(s);
  p.events = POLLRDNORM;
  return ::WSAPoll(&p, 1, timeoutMs) > 0;
}

long Receive(Socket s, char* buffer, std::size_t size) {
  return ::recv(Raw(s), buffer, static_cast<int>(size), 0);
}

long Send(Socket s, const char* data, std::size_t size) {
  return ::send(Raw(s), data, static_cast<int>(size), 0);
}

void Close(Socket s) {
  if (s != kNoSocket) ::closesocket(Raw(s));
}

int UnusedPort() {
  if (!Started()) return 0;
  const SOCKET s = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ::bind(s, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
  int len = sizeof addr;
  ::getsockname(s, reinterpret_cast<sockaddr*>(&addr), &len);
  ::closesocket(s);
  return ntohs(addr.sin_port);
}

}  // namespace vesk::test::loopback
