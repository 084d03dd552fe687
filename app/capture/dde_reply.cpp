#include "app/capture/dde_reply.h"

#include "text/cp932_text.h"

namespace vesk {

std::string TruncateDdeReply(const std::string& data) {
  constexpr std::size_t kReplyBytes = 259;
  std::string text = data.substr(0, kReplyBytes);
  const std::size_t nul = text.find('\0');
  if (nul != std::string::npos) text.resize(nul);
  return text;
}

void SplitDdeReply(const std::string& reply, std::string& url, std::string& title) {
  std::string line = reply;
  url = TakeEscapedField(line);
  title = TakeEscapedField(line);
}

}  // namespace vesk
