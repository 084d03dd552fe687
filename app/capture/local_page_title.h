// The title of a page the browser shows from a local file, read from the file itself.
#pragma once

#include <string>

namespace vesk {

// The <title> of the page a file:// URL names (UTF-8, entities decoded, white space runs made
// one space); empty for any other URL, a file that is not a regular one or cannot be read, or a
// page without a title. Only the head of the file is read. Chromium's session files keep a
// page's title only from its next navigation on, so a local page needs this.
std::string LocalPageTitle(const std::string& url);

}  // namespace vesk
