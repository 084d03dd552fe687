#include "app/link_check/link_check.h"

#include <algorithm>
#include <cctype>

#include "settings/vesk_settings.h"

namespace vesk {

const char* LinkCheckResultName(LinkCheckResult result) {
  switch (result) {
    case LinkCheckResult::Ok:
      return "ok";
    case LinkCheckResult::Moved:
      return "moved";
    case LinkCheckResult::Dead:
      return "dead";
    case LinkCheckResult::Timeout:
      return "timeout";
    case LinkCheckResult::Error:
      return "error";
    case LinkCheckResult::Unchecked:
      return "unchecked";
  }
  return "error";
}

LinkCheckOptions LinkCheckOptionsFromSettings(CVeskSettings& settings) {
  LinkCheckOptions options;
  options.jobs = std::max(1, settings.GetLinkCheckJobs());
  options.timeoutSeconds = std::max(1, settings.GetLinkCheckTimeout());
  return options;
}

std::string LinkCheckUserAgent() { return std::string("Vesk/") + VESK_VERSION + " (link check)"; }

bool IsCheckableUrl(const std::string& url) {
  std::size_t start = 0;
  while (start < url.size() && std::isspace(static_cast<unsigned char>(url[start]))) ++start;
  auto startsWith = [&](const char* prefix) {
    for (std::size_t i = 0; prefix[i]; ++i) {
      if (start + i >= url.size() ||
          std::tolower(static_cast<unsigned char>(url[start + i])) != prefix[i])
        return false;
    }
    return true;
  };
  return startsWith("http://") || startsWith("https://");
}

}  // namespace vesk
