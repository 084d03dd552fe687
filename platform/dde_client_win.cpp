#include <windows.h>
// windows.h first: ddeml.h needs its types.
#include <ddeml.h>

#include <algorithm>
#include <vector>

#include "platform/dde_client.h"

namespace vesk::platform {

namespace {

// A client without notifications wants nothing from its callback.
HDDEDATA CALLBACK IgnoreDde(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) {
  return nullptr;
}

// A string handle of the instance, freed with it.
class CDdeString {
 public:
  CDdeString(DWORD instance, const std::string& text)
      : m_instance(instance),
        m_handle(::DdeCreateStringHandleA(instance, text.c_str(), CP_WINANSI)) {}
  ~CDdeString() {
    if (m_handle != nullptr) ::DdeFreeStringHandle(m_instance, m_handle);
  }
  CDdeString(const CDdeString&) = delete;
  CDdeString& operator=(const CDdeString&) = delete;
  HSZ Get() const { return m_handle; }

 private:
  DWORD m_instance;
  HSZ m_handle;
};

}  // namespace

bool DdeSupported() { return true; }

CDdeClient::CDdeClient() {
  DWORD instance = 0;
  if (::DdeInitializeA(&instance, IgnoreDde, APPCMD_CLIENTONLY | CBF_SKIP_ALLNOTIFICATIONS, 0) ==
      DMLERR_NO_ERROR)
    m_instance = instance;
}

CDdeClient::~CDdeClient() { End(); }

bool CDdeClient::Initialized() const { return m_instance != 0; }

void CDdeClient::End() {
  if (m_reply != nullptr) ::DdeFreeDataHandle(static_cast<HDDEDATA>(m_reply));
  if (m_conversation != nullptr) ::DdeDisconnect(static_cast<HCONV>(m_conversation));
  if (m_instance != 0) ::DdeUninitialize(m_instance);
  m_reply = nullptr;
  m_conversation = nullptr;
  m_instance = 0;
}

std::string CDdeClient::Request(const std::string& service, const std::string& topic,
                                const std::string& item, unsigned timeoutMs, std::size_t maxBytes) {
  if (m_instance == 0) return {};
  const DWORD instance = static_cast<DWORD>(m_instance);
  if (m_conversation == nullptr) {
    CDdeString serviceName(instance, service);
    CDdeString topicName(instance, topic);
    m_conversation = ::DdeConnect(instance, serviceName.Get(), topicName.Get(), nullptr);
  }
  if (m_conversation == nullptr) {
    End();
    return {};
  }
  HDDEDATA data = nullptr;
  {
    CDdeString itemName(instance, item);
    data = ::DdeClientTransaction(nullptr, 0, static_cast<HCONV>(m_conversation), itemName.Get(),
                                  CF_TEXT, XTYP_REQUEST, timeoutMs, nullptr);
  }
  if (data == nullptr) {
    End();
    return {};
  }
  if (m_reply != nullptr) ::DdeFreeDataHandle(static_cast<HDDEDATA>(m_reply));
  m_reply = data;
  const DWORD size = ::DdeGetData(data, nullptr, 0, 0);
  std::vector<unsigned char> bytes(std::min<std::size_t>(size, maxBytes));
  if (bytes.empty()) return {};
  const DWORD got = ::DdeGetData(data, bytes.data(), static_cast<DWORD>(bytes.size()), 0);
  return std::string(bytes.begin(), bytes.begin() + std::min<std::size_t>(got, bytes.size()));
}

}  // namespace vesk::platform
