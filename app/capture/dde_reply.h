// The reply of a browser to the DDE request "WWW_GetWindowInfo": "URL","title" in Shift_JIS,
// for a build on a platform that asks browsers this way.
#pragma once

#include <string>

namespace vesk {

// The reply as the request leaves it: at most 259 bytes, ending at the first NUL.
std::string TruncateDdeReply(const std::string& data);

// URL and title of a reply: the first and the next field, each taken with TakeEscapedField
// (a backslash keeps the byte after it literally); a reply of one field gives an empty title.
void SplitDdeReply(const std::string& reply, std::string& url, std::string& title);

}  // namespace vesk
