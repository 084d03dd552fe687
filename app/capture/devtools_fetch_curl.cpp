// The one request to the remote-debugging endpoint, on libcurl.
#include <curl/curl.h>

#include <mutex>

#include "app/capture/devtools_list.h"

namespace vesk {

namespace {

size_t Collect(char* data, size_t size, size_t count, void* user) {
  auto* out = static_cast<std::string*>(user);
  const size_t n = size * count;
  // A larger answer is not the list; returning short ends the transfer with an error.
  if (out->size() + n > kDevToolsMaxAnswer) return 0;
  out->append(data, n);
  return n;
}

}  // namespace

std::optional<std::string> FetchDevToolsList(const std::string& host, int port) {
  const std::string url = DevToolsListUrl(host, port);
  if (url.empty()) return std::nullopt;
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
  CURL* easy = curl_easy_init();
  if (easy == nullptr) return std::nullopt;
  std::string body;
  curl_easy_setopt(easy, CURLOPT_URL, url.c_str());
  curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http");
  curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 0L);
  curl_easy_setopt(easy, CURLOPT_NOPROXY, "*");
  // Both loopback addresses together stay within the capture's two seconds.
  curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, 300L);
  curl_easy_setopt(easy, CURLOPT_TIMEOUT_MS, 700L);
  curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, Collect);
  curl_easy_setopt(easy, CURLOPT_WRITEDATA, &body);
  const CURLcode rc = curl_easy_perform(easy);
  long code = 0;
  curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &code);
  // The address asked must still be the loopback one (nothing rewrote it on the way).
  char* primary = nullptr;
  curl_easy_getinfo(easy, CURLINFO_PRIMARY_IP, &primary);
  const bool loopback = primary != nullptr && IsLoopbackHost(primary);
  curl_easy_cleanup(easy);
  if (rc != CURLE_OK || code != 200 || !loopback) return std::nullopt;
  return body;
}

}  // namespace vesk
