// The session files of the Chromium family ("SNSS" command logs in a profile's Sessions/
// folder): the page of the active tab of the active window.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "app/capture/browser_page.h"

namespace vesk {

// The largest session file read; a session of thousands of tabs stays far below. The replay
// itself is bounded too: at most a million commands, 256 navigations a tab, and every command
// costs at most a pass over one tab's navigations.
constexpr std::size_t kChromiumSessionMaxSize = 16u << 20;

// Replays the commands of a session file's bytes and returns the current navigation of the
// active tab (URL and title, source "chromium"); nullopt when the bytes are no session file or
// name no such page. A file cut short in a command (the browser still writing) keeps what came
// before it. Every size in the file is checked against what is there.
std::optional<BrowserPage> ReadChromiumSession(const std::string& bytes);

// Converts UTF-16 code units (little-endian bytes) to UTF-8; a lone surrogate becomes U+FFFD.
std::string Utf16LeToUtf8(const char* data, std::size_t units);

}  // namespace vesk
