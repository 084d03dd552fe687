// What the link check asks and what it finds for each link, without any network code.
#pragma once

#include <cstdint>
#include <string>

namespace vesk {

class CVeskSettings;

// What became of one link.
enum class LinkCheckResult {
  Ok,         // 2xx at the link's own URL
  Moved,      // redirected, ending in 2xx at another URL
  Dead,       // 4xx/5xx, unknown host, refused connection
  Timeout,    // no complete answer within the time allowed for the link
  Error,      // TLS failures, redirect loops and everything else
  Unchecked,  // not an http(s) link: never fetched
};

// The word vesk-cli prints for a result: "ok", "moved", "dead", "timeout", "error", "unchecked".
const char* LinkCheckResultName(LinkCheckResult result);

// One link to check; the URL is UTF-8.
struct LinkCheckRequest {
  std::uint32_t serial = 0;
  std::string url;
};

// What the check found for one link.
struct LinkCheckOutcome {
  std::uint32_t serial = 0;
  LinkCheckResult result = LinkCheckResult::Unchecked;
  long httpCode = 0;     // status of the last answer; 0 when none came
  std::string finalUrl;  // the URL asked last (after redirects); empty when never fetched
  long milliseconds = 0;
};

// Limits of one check run.
struct LinkCheckOptions {
  int jobs = 16;            // requests in flight at once
  int perHost = 2;          // of those, at most this many to one host name
  int timeoutSeconds = 15;  // per link, redirects and the GET retry included
  // After this many timeouts on one host its other links are reported as timeouts without being
  // asked: a silent host would otherwise hold the check for its links / perHost * timeout.
  int hostTimeouts = 3;
  int maxRedirects = 10;
  std::string userAgent;  // empty: LinkCheckUserAgent()
};

// The stored limits ("Settings\LinkCheck" Jobs and Timeout), values below 1 taken as 1.
LinkCheckOptions LinkCheckOptionsFromSettings(CVeskSettings& settings);

// The User-Agent of the check's requests: names the program and its version.
std::string LinkCheckUserAgent();

// Whether a URL is one the check fetches: http:// or https:// (any letter case), after
// leading and trailing blanks.
bool IsCheckableUrl(const std::string& url);

}  // namespace vesk
