// The remote-debugging endpoint of the Chromium family on loopback: /json/list and its answer.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "app/capture/browser_page.h"

namespace vesk {

// The largest answer read from the endpoint.
constexpr std::size_t kDevToolsMaxAnswer = 4u << 20;

// The first target of type "page" in a /json/list answer (source "chromium-devtools", title
// capped at kMaxCapturedTitle); nullopt for any other shape, an answer above kDevToolsMaxAnswer
// or a list of more than 100,000 targets before the page. Read in one pass that ends at the
// first page.
std::optional<BrowserPage> FirstDevToolsPage(const std::string& json);

// Whether host is a loopback address the endpoint may be asked at: 127.0.0.1 or ::1 (with or
// without brackets), nothing else, no names.
bool IsLoopbackHost(const std::string& host);

// The address of the list on a loopback host and port; empty when the host is not loopback or
// the port is out of range.
std::string DevToolsListUrl(const std::string& host, int port);

// Asks the endpoint (only at a loopback address; no proxy, no redirect, a short time-out, the
// answer bounded); nullopt when nothing answered. Built with the network library.
std::optional<std::string> FetchDevToolsList(const std::string& host, int port);

}  // namespace vesk
