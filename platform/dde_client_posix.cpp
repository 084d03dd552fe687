#include "platform/dde_client.h"

namespace vesk::platform {

bool DdeSupported() { return false; }

CDdeClient::CDdeClient() = default;
CDdeClient::~CDdeClient() = default;

bool CDdeClient::Initialized() const { return false; }

std::string CDdeClient::Request(const std::string&, const std::string&, const std::string&,
                                unsigned, std::size_t) {
  return {};
}

void CDdeClient::End() {}

}  // namespace vesk::platform
