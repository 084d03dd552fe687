// The one running instance of this user: a lock that ends with the process holding it, and a
// local socket on which that process hears of later starts.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vesk::platform {

// The user's private folder for the lock and the socket: $XDG_RUNTIME_DIR/vesk when the runtime
// folder is ours and closed to others, else /tmp/vesk-<uid>. The folder is created 0700 and
// refused (empty result) when it is a link, is not ours or is open to others.
std::string InstanceFolder();

enum class InstanceRole {
  Primary,    // this process holds the lock and listens
  Secondary,  // another process of this user holds it
  Alone,      // no lock could be taken (no private folder): run without one
};

// One process's end of the single-instance lock and the hand-over socket.
class CInstanceChannel {
 public:
  explicit CInstanceChannel(std::string folder);
  ~CInstanceChannel();
  CInstanceChannel(const CInstanceChannel&) = delete;
  CInstanceChannel& operator=(const CInstanceChannel&) = delete;

  // Takes the lock, or finds it held. A lock left by a crashed process is free again (the
  // system drops it with its holder); the socket such a process left is replaced. A primary
  // hears later starts from now on, on a thread of the channel's own, so a client that sends
  // slowly or not at all never holds up the owner: each message is bounded in size and time,
  // and the number of connections read at once is bounded (the oldest gives way).
  InstanceRole Claim();
  // Secondary: delivers message to the running instance and waits until it has taken it.
  // False when no instance answered within timeoutMs (it may still be starting: connecting is
  // retried until then).
  bool Send(const std::string& message, int timeoutMs);
  // Primary: the messages that arrived since the last call; never blocks. Connections from
  // another user are refused.
  std::vector<std::string> Receive();
  // Primary: wake is called, on the channel's thread, each time a message has arrived (and at
  // once when some are already waiting), so the owner can fetch them from its own loop. It must
  // only pass the news on (Receive from within it would wait on itself).
  void SetWake(std::function<void()> wake);
  const std::string& Folder() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> m_impl;
};

}  // namespace vesk::platform
