// The few TCP calls the loopback test server needs, with a POSIX and a Winsock form, so that the
// server itself is the same code on both systems and no system header reaches the tests.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace vesk::test::loopback {

// A socket handle of either system; kNoSocket when there is none.
using Socket = std::intptr_t;
inline constexpr Socket kNoSocket = -1;

// A socket listening on address (an IPv4 loopback address) at a port the system picks, given
// back in port; kNoSocket when it cannot listen.
Socket Listen(const std::string& address, int& port);
// The next connection waiting on a listening socket; kNoSocket when there is none.
Socket Accept(Socket listening);
// True when s has data (or a connection) to take within timeoutMs.
bool WaitReadable(Socket s, int timeoutMs);
// The byte count received or sent; 0 or less when the connection ended or failed.
long Receive(Socket s, char* buffer, std::size_t size);
long Send(Socket s, const char* data, std::size_t size);
void Close(Socket s);
// A loopback port on which nothing listens (bound for a moment, then released).
int UnusedPort();

}  // namespace vesk::test::loopback
