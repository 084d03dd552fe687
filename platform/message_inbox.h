// The messages a channel's own thread has received and its owner has not fetched yet.
#pragma once

#include <cstddef>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace vesk::platform {

// A bounded queue of whole messages between a receiving thread and the owner's loop.
class CMessageInbox {
 public:
  explicit CMessageInbox(std::size_t maxWaiting) : m_maxWaiting(maxWaiting) {}

  // Receiving thread: queues the message and calls the wake; false when too many wait already.
  bool Post(std::string message);
  // Owner: the messages posted since the last call; never blocks for long.
  std::vector<std::string> Take();
  // Owner: wake is called on the receiving thread for each message posted from now on, and at
  // once when some are waiting already. It must only pass the news on.
  void SetWake(std::function<void()> wake);

 private:
  const std::size_t m_maxWaiting;
  std::mutex m_mutex;  // guards m_messages and m_wake
  std::vector<std::string> m_messages;
  std::function<void()> m_wake;
};

}  // namespace vesk::platform
