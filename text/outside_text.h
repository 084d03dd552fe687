// How text taken from outside the program (bookmark files, browser pages, shortcut names) is
// stored: the document's titles are HTML that the pages publish as they stand, so outside text is
// escaped into HTML that shows it, and addresses that would run a script are not taken.
#pragma once

#include <string>

namespace vesk {

// text (Shift_JIS or UTF-8: the escaped bytes never occur inside a multi-byte character) with
// '&', '<', '>' and '"' written as character references.
std::string EscapeHtmlText(const std::string& text);

// True for a javascript:, data: or vbscript: address (any letter case, after leading white
// space and control characters), which a page would run instead of leading anywhere.
bool IsScriptUrl(const std::string& url);

// An outside address made safe inside a quoted HTML attribute: '"', '<', '>' and control
// characters are percent-encoded, which leaves the address the browser asks unchanged.
std::string OutsideUrl(const std::string& url);

// A URL from outside (UTF-8) in Shift_JIS: a character without a form there is percent-encoded
// (its UTF-8 bytes), so the address still leads to the page; a '?' would make another address.
std::string UrlToCp932(const std::string& url);

}  // namespace vesk
