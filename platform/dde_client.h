// A client of the system's dynamic data exchange (DDEML): one instance, one conversation at a
// time, text requests only. Systems without DDE have a client that is never initialized.
#pragma once

#include <string>

namespace vesk::platform {

// Whether this system offers DDE at all; without it a client is simply never initialized and
// nothing needs telling.
bool DdeSupported();

// One client instance (APPCMD_CLIENTONLY, no notifications), its conversation and its last reply.
class CDdeClient {
 public:
  CDdeClient();  // initializes at once; Initialized() says whether it worked
  ~CDdeClient();
  CDdeClient(const CDdeClient&) = delete;
  CDdeClient& operator=(const CDdeClient&) = delete;

  bool Initialized() const;
  // Connects to service on topic and requests item as CF_TEXT (string handles in CP_WINANSI),
  // waiting at most timeoutMs; the first maxBytes bytes of the data, or "" on any failure. A
  // failed connection or request ends the instance, so a later request gives "" at once.
  std::string Request(const std::string& service, const std::string& topic, const std::string& item,
                      unsigned timeoutMs, std::size_t maxBytes);

 private:
  void End();

  // Handles of the Windows form; the form without DDE never touches them.
  [[maybe_unused]] unsigned long m_instance = 0;
  [[maybe_unused]] void* m_conversation = nullptr;
  [[maybe_unused]] void* m_reply = nullptr;
};

}  // namespace vesk::platform
