#include "app/capture/devtools_list.h"

#include <nlohmann/json.hpp>

namespace vesk {

std::optional<BrowserPage> FirstDevToolsPage(const std::string& text) {
  using nlohmann::json;
  // The list is flat; anything nested deeper than a target's members is not needed.
  json::parser_callback_t flat = [](int depth, json::parse_event_t event, json&) {
    return !(
        (event == json::parse_event_t::object_start || event == json::parse_event_t::array_start) &&
        depth >= 2);
  };
  json list = json::parse(text.begin(), text.end(), flat, /*allow_exceptions=*/false);
  if (!list.is_array()) return std::nullopt;
  for (const json& target : list) {
    if (!target.is_object()) continue;
    auto type = target.find("type");
    if (type == target.end() || !type->is_string() || type->get<std::string>() != "page") continue;
    auto url = target.find("url");
    if (url == target.end() || !url->is_string()) return std::nullopt;
    BrowserPage page{url->get<std::string>(), {}, "chromium-devtools"};
    if (!IsCapturableUrl(page.url)) return std::nullopt;
    auto title = target.find("title");
    if (title != target.end() && title->is_string()) page.title = title->get<std::string>();
    return page;
  }
  return std::nullopt;
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
