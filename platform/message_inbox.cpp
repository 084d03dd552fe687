#include "platform/message_inbox.h"

#include <utility>

namespace vesk::platform {

bool CMessageInbox::Post(std::string message) {
  std::lock_guard<std::mutex> lock(m_mutex);
  if (m_messages.size() >= m_maxWaiting) return false;
  m_messages.push_back(std::move(message));
  if (m_wake) m_wake();
  return true;
}

std::vector<std::string> CMessageInbox::Take() {
  std::lock_guard<std::mutex> lock(m_mutex);
  std::vector<std::string> taken;
  taken.swap(m_messages);
  return taken;
}

void CMessageInbox::SetWake(std::function<void()> wake) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_wake = std::move(wake);
  if (m_wake && !m_messages.empty()) m_wake();
}

}  // namespace vesk::platform
