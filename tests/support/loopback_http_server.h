// A small HTTP/1.1 server on 127.0.0.1 for tests of network code: it never listens beyond the
// machine, answers through a handler, and counts what it was asked and how much at once.
#pragma once

#include <algorithm>
#include <atomic>
#include <cctype>
#include <chrono>
#include <functional>
#include <map>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "support/loopback_socket.h"

namespace vesk::test {

class CLoopbackHttpServer {
 public:
  struct Request {
    std::string method;
    std::string path;
    std::map<std::string, std::string> headers;  // names in lower case
  };
  struct Response {
    int status = 200;
    std::vector<std::pair<std::string, std::string>> headers;
    std::string body;
    int delayMs = 0;  // wait before answering
  };
  using Handler = std::function<Response(const Request&)>;

  // address: any of 127.0.0.0/8, so several servers can stand for several hosts.
  explicit CLoopbackHttpServer(Handler handler, std::string address = "127.0.0.1")
      : m_handler(std::move(handler)), m_address(std::move(address)) {
    if (m_address.rfind("127.", 0) != 0) throw std::invalid_argument("loopback addresses only");
    m_listen = loopback::Listen(m_address, m_port);
    if (m_listen == loopback::kNoSocket) throw std::runtime_error("cannot listen on " + m_address);
    m_acceptor = std::thread([this] { AcceptLoop(); });
  }

  ~CLoopbackHttpServer() {
    m_stop = true;
    m_acceptor.join();
    std::vector<std::thread> threads;
    {
      std::lock_guard<std::mutex> lock(m_mutex);
      threads.swap(m_threads);
    }
    for (auto& t : threads) t.join();
    loopback::Close(m_listen);
  }

  int Port() const { return m_port; }
  std::string Url(const std::string& path) const {
    return "http://" + m_address + ":" + std::to_string(m_port) + path;
  }
  // The most requests that were being answered at the same moment.
  int MaxConcurrent() const { return m_maxActive; }
  std::vector<Request> Seen() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_seen;
  }
  int Count(const std::string& path) const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return static_cast<int>(std::count_if(m_seen.begin(), m_seen.end(),
                                          [&](const Request& r) { return r.path == path; }));
  }

  // A loopback port on which nothing listens (bound for a moment, then released).
  static int UnusedPort() { return loopback::UnusedPort(); }

 private:
  // Waits until fd is readable; false when the server stops first.
  bool WaitReadable(loopback::Socket s) {
    while (!m_stop)
      if (loopback::WaitReadable(s, 20)) return true;
    return false;
  }

  void AcceptLoop() {
    while (WaitReadable(m_listen)) {
      loopback::Socket fd = loopback::Accept(m_listen);
      if (fd == loopback::kNoSocket) continue;
      std::lock_guard<std::mutex> lock(m_mutex);
      m_threads.emplace_back([this, fd] { Serve(fd); });
    }
  }

  void Serve(loopback::Socket fd) {
    std::string buffer;
    char chunk[4096];
    for (;;) {
      std::size_t end;
      while ((end = buffer.find("\r\n\r\n")) == std::string::npos) {
        if (!WaitReadable(fd)) return Close(fd);
        long n = loopback::Receive(fd, chunk, sizeof chunk);
        if (n <= 0) return Close(fd);
        buffer.append(chunk, static_cast<std::size_t>(n));
      }
      Request req = Parse(buffer.substr(0, end));
      buffer.erase(0, end + 4);
      int now = ++m_active;
      for (int seen = m_maxActive; now > seen && !m_maxActive.compare_exchange_weak(seen, now);) {
      }
      {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_seen.push_back(req);
      }
      Response res = m_handler(req);
      for (auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(res.delayMs);
           !m_stop && std::chrono::steady_clock::now() < until;)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
      std::string out = "HTTP/1.1 " + std::to_string(res.status) +
                        " Status\r\nContent-Length: " + std::to_string(res.body.size()) + "\r\n";
      for (const auto& [name, value] : res.headers) out += name + ": " + value + "\r\n";
      out += "\r\n";
      if (req.method != "HEAD") out += res.body;
      bool sent = SendAll(fd, out);
      --m_active;
      if (!sent || m_stop) return Close(fd);
    }
  }

  static bool SendAll(loopback::Socket fd, const std::string& data) {
    std::size_t done = 0;
    while (done < data.size()) {
      long n = loopback::Send(fd, data.data() + done, data.size() - done);
      if (n <= 0) return false;
      done += static_cast<std::size_t>(n);
    }
    return true;
  }

  static void Close(loopback::Socket fd) { loopback::Close(fd); }

  static Request Parse(const std::string& head) {
    Request r;
    std::size_t lineEnd = head.find("\r\n");
    std::string first = head.substr(0, lineEnd);
    std::size_t a = first.find(' '), b = first.find(' ', a + 1);
    r.method = first.substr(0, a);
    r.path = first.substr(a + 1, b - a - 1);
    while (lineEnd != std::string::npos) {
      std::size_t start = lineEnd + 2;
      lineEnd = head.find("\r\n", start);
      std::string line =
          head.substr(start, lineEnd == std::string::npos ? lineEnd : lineEnd - start);
      std::size_t colon = line.find(':');
      if (colon == std::string::npos) continue;
      std::string name = line.substr(0, colon);
      std::transform(name.begin(), name.end(), name.begin(),
                     [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
      std::size_t v = line.find_first_not_of(' ', colon + 1);
      r.headers[name] = v == std::string::npos ? "" : line.substr(v);
    }
    return r;
  }

  Handler m_handler;
  std::string m_address;
  loopback::Socket m_listen = loopback::kNoSocket;
  int m_port = 0;
  std::atomic<bool> m_stop{false};
  std::atomic<int> m_active{0};
  std::atomic<int> m_maxActive{0};
  std::thread m_acceptor;
  mutable std::mutex m_mutex;
  std::vector<std::thread> m_threads;
  std::vector<Request> m_seen;
};

}  // namespace vesk::test
