#include "app/capture/devtools_list.h"

#include <utility>

#include "text/json_sax_reader.h"

namespace vesk {

namespace {

// Far more targets than a browser lists; a longer list is hostile and gives no page.
constexpr std::size_t kMaxTargets = 100000;

// The list in one pass: only the members of the target being read are kept, and the reading
// ends at the first page.
class CDevToolsListReader : public CJsonSaxReader {
 public:
  std::optional<BrowserPage> Read(const std::string& text) {
    Parse(text);
    return m_result;
  }

 protected:
  bool Open(bool array) override {
    m_member = Member::None;
    if (m_depth == 0) {
      if (!array) Stop();
      m_depth = 1;
      return true;
    }
    if (m_depth == 1) {
      if (++m_targets > kMaxTargets) Stop();
      if (array) return false;
      m_depth = 2;
      m_type.clear();
      m_url.reset();
      m_title.clear();
      return true;
    }
    return false;  // nested inside a target: nothing needed there
  }

  void Close() override {
    if (m_depth-- != 2 || m_type != "page") return;
    // The first page decides, whatever follows it.
    if (m_url && IsCapturableUrl(*m_url))
      m_result = BrowserPage{std::move(*m_url), std::move(m_title), "chromium-devtools"};
    Stop();
  }

  void Key(std::string& name) override {
    m_member = m_depth != 2      ? Member::None
               : name == "type"  ? Member::Type
               : name == "url"   ? Member::Url
               : name == "title" ? Member::Title
                                 : Member::None;
  }

  void Value(Scalar kind, long long, std::string& text) override {
    const Member member = m_member;
    m_member = Member::None;
    if (m_depth == 0) Stop();  // a bare scalar is no list
    if (m_depth == 1) {
      if (++m_targets > kMaxTargets) Stop();
      return;
    }
    const bool isText = kind == Scalar::String;
    switch (member) {
      case Member::Type:
        m_type = isText ? std::move(text) : std::string();
        break;
      case Member::Url:
        if (isText) {
          m_url = std::move(text);
        } else {
          m_url.reset();
        }
        break;
      case Member::Title:
        m_title = isText ? CapTitle(std::move(text)) : std::string();
        break;
      case Member::None:
        break;
    }
  }

 private:
  enum class Member { None, Type, Url, Title };
  int m_depth = 0;
  std::size_t m_targets = 0;
  Member m_member = Member::None;
  std::string m_type;
  std::optional<std::string> m_url;
  std::string m_title;
  std::optional<BrowserPage> m_result;
};

}  // namespace

std::optional<BrowserPage> FirstDevToolsPage(const std::string& text) {
  if (text.size() > kDevToolsMaxAnswer) return std::nullopt;
  return CDevToolsListReader().Read(text);
}

bool IsLoopbackHost(const std::string& host) {
  return host == "127.0.0.1" || host == "::1" || host == "[::1]";
}

std::string DevToolsListUrl(const std::string& host, int port) {
  if (!IsLoopbackHost(host) || port < 1 || port > 65535) return {};
  const std::string name = host == "::1" ? "[::1]" : host;
  return "http://" + name + ":" + std::to_string(port) + "/json/list";
}

}  // namespace vesk
