// The link check on libcurl's multi interface: one thread, a bounded set of transfers in flight.
#include <curl/curl.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <deque>
#include <mutex>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "app/link_check/link_checker.h"

namespace vesk {
namespace {

using Clock = std::chrono::steady_clock;

// How long the loop waits for network events before it looks at the cancel flag again.
constexpr int kPollMilliseconds = 100;

void InitCurlOnce() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

std::string Trim(const std::string& s) {
  std::size_t b = 0, e = s.size();
  while (b < e && std::isspace(static_cast<unsigned char>(s[b]))) ++b;
  while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1]))) --e;
  return s.substr(b, e - b);
}

// The absolute URL as curl will ask it and its host name in lower case; false when curl cannot
// make sense of the URL.
bool ParseUrl(const std::string& in, std::string& url, std::string& host) {
  CURLU* u = curl_url();
  if (!u) return false;
  bool ok = false;
  if (curl_url_set(u, CURLUPART_URL, in.c_str(), CURLU_URLENCODE) == CURLUE_OK) {
    char* full = nullptr;
    char* name = nullptr;
    if (curl_url_get(u, CURLUPART_URL, &full, 0) == CURLUE_OK &&
        curl_url_get(u, CURLUPART_HOST, &name, 0) == CURLUE_OK) {
      url = full;
      host = name;
      std::transform(host.begin(), host.end(), host.begin(),
                     [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
      ok = true;
    }
    curl_free(full);
    curl_free(name);
  }
  curl_url_cleanup(u);
  return ok;
}

// One request still to be made for a link: its first, a redirect's next hop or the GET retry.
struct Hop {
  std::size_t index = 0;
  std::string url;   // absolute, as asked
  std::string host;  // key of the per-host limit
  int redirects = 0;
  bool useGet = false;
  bool started = false;
  long lastCode = 0;
  Clock::time_point start;
};

// The requests of one host name: how many are in flight, and those waiting their turn.
struct Host {
  int active = 0;
  int timeouts = 0;  // links of this host that timed out; at the limit the host is given up
  std::deque<Hop> waiting;
  bool ready = false;  // queued in m_ready
};

struct Transfer {
  Hop hop;
  Host* host = nullptr;
  CURL* easy = nullptr;
  bool gotBody = false;
};

// The GET retry only needs the status: the first body byte ends the transfer (curl then reports
// a write error, which Finish takes for success).
size_t DiscardBody(char*, size_t size, size_t count, void* data) {
  if (size * count > 0) static_cast<Transfer*>(data)->gotBody = true;
  return 0;
}

}  // namespace

class CLinkChecker::CImpl {
 public:
  explicit CImpl(LinkCheckOptions options) : m_options(std::move(options)) {
    m_options.jobs = std::max(1, m_options.jobs);
    m_options.perHost = std::max(1, m_options.perHost);
    m_options.timeoutSeconds = std::max(1, m_options.timeoutSeconds);
    m_options.hostTimeouts = std::max(1, m_options.hostTimeouts);
    m_options.maxRedirects = std::max(0, m_options.maxRedirects);
    if (m_options.userAgent.empty()) m_options.userAgent = LinkCheckUserAgent();
    InitCurlOnce();
  }

  ~CImpl() {
    for (CURL* e : m_idle) curl_easy_cleanup(e);
  }

  std::vector<LinkCheckOutcome> Run(const std::vector<LinkCheckRequest>& requests,
                                    const Progress& progress, const std::atomic<bool>* cancel) {
    std::vector<LinkCheckOutcome> out(requests.size());
    m_requests = &requests;
    m_out = &out;
    m_progress = progress;
    m_done = 0;
    m_multi = curl_multi_init();
    if (!m_multi) {
      for (std::size_t i = 0; i < requests.size(); ++i) {
        out[i].serial = requests[i].serial;
        out[i].result = LinkCheckResult::Error;
      }
      return out;
    }
    // Never more connections than transfers, idle ones included.
    curl_multi_setopt(m_multi, CURLMOPT_MAX_TOTAL_CONNECTIONS, static_cast<long>(m_options.jobs));
    curl_multi_setopt(m_multi, CURLMOPT_MAXCONNECTS, static_cast<long>(m_options.jobs));

    for (std::size_t i = 0; i < requests.size(); ++i) {
      out[i].serial = requests[i].serial;
      if (!IsCheckableUrl(requests[i].url)) {
        Count();
        continue;
      }
      Hop hop;
      hop.index = i;
      if (!ParseUrl(Trim(requests[i].url), hop.url, hop.host)) {
        Complete(hop, LinkCheckResult::Error);
        continue;
      }
      Enqueue(std::move(hop), false);
    }

    while (m_running.size() > 0 || !m_ready.empty()) {
      if (cancel && cancel->load()) break;
      StartReady();
      int running = 0;
      curl_multi_perform(m_multi, &running);
      int left = 0;
      while (CURLMsg* msg = curl_multi_info_read(m_multi, &left)) {
        if (msg->msg != CURLMSG_DONE) continue;
        Transfer* t = nullptr;
        curl_easy_getinfo(msg->easy_handle, CURLINFO_PRIVATE, &t);
        Finish(t, msg->data.result);
      }
      if (!m_ready.empty() && m_running.size() < static_cast<std::size_t>(m_options.jobs))
        continue;  // start the next ones before waiting
      if (!m_running.empty()) curl_multi_poll(m_multi, nullptr, 0, kPollMilliseconds, nullptr);
    }

    // Cancelled: drop what is in flight; those links stay unchecked.
    for (Transfer* t : m_running) {
      curl_multi_remove_handle(m_multi, t->easy);
      m_idle.push_back(t->easy);
      delete t;
    }
    m_running.clear();
    m_ready.clear();
    m_hosts.clear();
    curl_multi_cleanup(m_multi);
    m_multi = nullptr;
    m_requests = nullptr;
    m_out = nullptr;
    m_progress = {};
    return out;
  }

 private:
  void Enqueue(Hop hop, bool first) {
    Host& h = m_hosts[hop.host];
    if (GivenUp(h)) {
      Complete(hop, LinkCheckResult::Timeout);
      return;
    }
    if (first)
      h.waiting.push_front(std::move(hop));
    else
      h.waiting.push_back(std::move(hop));
    MarkReady(h);
  }

  void MarkReady(Host& h) {
    if (!h.ready && !h.waiting.empty() && h.active < m_options.perHost) {
      h.ready = true;
      m_ready.push_back(&h);
    }
  }

  // Starts waiting requests, hosts in turn, while the limits allow.
  void StartReady() {
    while (m_running.size() < static_cast<std::size_t>(m_options.jobs) && !m_ready.empty()) {
      Host* h = m_ready.front();
      m_ready.pop_front();
      h->ready = false;
      if (h->waiting.empty() || h->active >= m_options.perHost) continue;
      Hop hop = std::move(h->waiting.front());
      h->waiting.pop_front();
      Start(std::move(hop), *h);
      MarkReady(*h);
    }
  }

  void Start(Hop hop, Host& host) {
    if (!hop.started) {
      hop.started = true;
      hop.start = Clock::now();
    }
    const long remaining = m_options.timeoutSeconds * 1000L - ElapsedMs(hop);
    if (remaining <= 0) {
      Complete(hop, LinkCheckResult::Timeout);
      return;
    }
    CURL* e = nullptr;
    if (!m_idle.empty()) {
      e = m_idle.back();
      m_idle.pop_back();
      curl_easy_reset(e);
    } else {
      e = curl_easy_init();
    }
    if (!e) {
      Complete(hop, LinkCheckResult::Error);
      return;
    }
    auto* t = new Transfer{std::move(hop), &host, e, false};
    const Hop& h = t->hop;
    curl_easy_setopt(e, CURLOPT_URL, h.url.c_str());
    curl_easy_setopt(e, CURLOPT_PRIVATE, t);
    curl_easy_setopt(e, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(e, CURLOPT_USERAGENT, m_options.userAgent.c_str());
    curl_easy_setopt(e, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(e, CURLOPT_FOLLOWLOCATION, 0L);  // followed here, under the host limit
    curl_easy_setopt(e, CURLOPT_TIMEOUT_MS, remaining);
    curl_easy_setopt(e, CURLOPT_CONNECTTIMEOUT_MS, remaining);
    curl_easy_setopt(e, CURLOPT_WRITEFUNCTION, DiscardBody);
    curl_easy_setopt(e, CURLOPT_WRITEDATA, t);
    if (h.useGet) {
      curl_easy_setopt(e, CURLOPT_HTTPGET, 1L);
      curl_easy_setopt(e, CURLOPT_RANGE, "0-0");
    } else {
      curl_easy_setopt(e, CURLOPT_NOBODY, 1L);
    }
    if (curl_multi_add_handle(m_multi, e) != CURLM_OK) {
      Hop failed = std::move(t->hop);
      delete t;
      m_idle.push_back(e);
      Complete(failed, LinkCheckResult::Error);
      return;
    }
    ++host.active;
    m_running.insert(t);
  }

  void Finish(Transfer* t, CURLcode rc) {
    long code = 0;
    curl_easy_getinfo(t->easy, CURLINFO_RESPONSE_CODE, &code);
    char* location = nullptr;
    curl_easy_getinfo(t->easy, CURLINFO_REDIRECT_URL, &location);
    std::string next = location ? location : "";
    if (rc == CURLE_WRITE_ERROR && t->gotBody) rc = CURLE_OK;

    curl_multi_remove_handle(m_multi, t->easy);
    m_idle.push_back(t->easy);
    m_running.erase(t);
    Host& host = *t->host;
    --host.active;
    Hop hop = std::move(t->hop);
    delete t;
    MarkReady(host);
    if (code > 0) hop.lastCode = code;

    if (rc != CURLE_OK) {
      switch (rc) {
        case CURLE_COULDNT_RESOLVE_HOST:
        case CURLE_COULDNT_CONNECT:
          Complete(hop, LinkCheckResult::Dead);
          return;
        case CURLE_OPERATION_TIMEDOUT:
          Complete(hop, LinkCheckResult::Timeout);
          return;
        case CURLE_GOT_NOTHING:
        case CURLE_RECV_ERROR:
        case CURLE_SEND_ERROR:
        case CURLE_WEIRD_SERVER_REPLY:
        case CURLE_PARTIAL_FILE:
        case CURLE_HTTP2:
        case CURLE_HTTP2_STREAM:
          // Some servers drop HEAD requests on the floor; they may still answer GET.
          if (!hop.useGet) {
            Retry(std::move(hop));
            return;
          }
          Complete(hop, LinkCheckResult::Error);
          return;
        default:
          Complete(hop, LinkCheckResult::Error);
          return;
      }
    }
    if (code >= 300 && code < 400 && !next.empty()) {
      if (hop.redirects >= m_options.maxRedirects) {
        Complete(hop, LinkCheckResult::Error);
        return;
      }
      std::string url, name;
      if (!IsCheckableUrl(next) || !ParseUrl(next, url, name)) {
        Complete(hop, LinkCheckResult::Error);
        return;
      }
      hop.url = std::move(url);
      hop.host = std::move(name);
      ++hop.redirects;
      Enqueue(std::move(hop), true);  // links already begun go before those not yet begun
      return;
    }
    if (code >= 400 && !hop.useGet) {
      Retry(std::move(hop));
      return;
    }
    if (code >= 200 && code < 300) {
      Complete(hop, IsMoved(hop) ? LinkCheckResult::Moved : LinkCheckResult::Ok);
      return;
    }
    Complete(hop, code >= 400 ? LinkCheckResult::Dead : LinkCheckResult::Error);
  }

  // HEAD refused or failed: ask the same URL again with GET.
  void Retry(Hop hop) {
    hop.useGet = true;
    Enqueue(std::move(hop), true);
  }

  bool IsMoved(const Hop& hop) const {
    if (hop.redirects == 0) return false;
    std::string url, host;
    return !ParseUrl(Trim((*m_requests)[hop.index].url), url, host) || url != hop.url;
  }

  long ElapsedMs(const Hop& hop) const {
    if (!hop.started) return 0;
    return static_cast<long>(
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - hop.start).count());
  }

  bool GivenUp(const Host& h) const { return h.timeouts >= m_options.hostTimeouts; }

  void Complete(const Hop& hop, LinkCheckResult result) {
    LinkCheckOutcome& o = (*m_out)[hop.index];
    o.result = result;
    o.httpCode = hop.lastCode;
    o.finalUrl = hop.redirects == 0 ? Trim((*m_requests)[hop.index].url) : hop.url;
    o.milliseconds = ElapsedMs(hop);
    Count();
    if (result == LinkCheckResult::Timeout && !hop.host.empty()) CountTimeout(hop.host);
  }

  // One more timeout on host; at the limit the links still waiting for it are timeouts too.
  void CountTimeout(const std::string& name) {
    auto it = m_hosts.find(name);
    if (it == m_hosts.end() || GivenUp(it->second)) return;
    Host& h = it->second;
    if (++h.timeouts < m_options.hostTimeouts) return;
    std::deque<Hop> waiting;
    waiting.swap(h.waiting);
    for (const Hop& hop : waiting) Complete(hop, LinkCheckResult::Timeout);
  }

  void Count() {
    ++m_done;
    if (m_progress) m_progress(m_done, m_out->size());
  }

  LinkCheckOptions m_options;
  CURLM* m_multi = nullptr;
  std::vector<CURL*> m_idle;  // easy handles kept for reuse
  std::unordered_map<std::string, Host> m_hosts;
  std::deque<Host*> m_ready;  // hosts with waiting requests and room under the per-host limit
  std::unordered_set<Transfer*> m_running;
  const std::vector<LinkCheckRequest>* m_requests = nullptr;
  std::vector<LinkCheckOutcome>* m_out = nullptr;
  Progress m_progress;
  std::size_t m_done = 0;
};

CLinkChecker::CLinkChecker(LinkCheckOptions options)
    : m_impl(std::make_unique<CImpl>(std::move(options))) {}

CLinkChecker::~CLinkChecker() = default;

std::vector<LinkCheckOutcome> CLinkChecker::Run(const std::vector<LinkCheckRequest>& requests,
                                                const Progress& progress,
                                                const std::atomic<bool>* cancel) {
  return m_impl->Run(requests, progress, cancel);
}

}  // namespace vesk
