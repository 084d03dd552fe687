// How text taken from outside the program (bookmark files, browser pages, shortcut names) is
// stored: the document's titles are HTML that the pages publish as they stand, so outside text is
// escaped into HTML that shows it, and addresses that would run a script are not taken.
#pragma once

#include <string>

namespace vesk {

// The character reference of one of the four bytes HTML text and quoted attributes give meaning
// to ('&', '<', '>', '"'); null for any other byte. None of them occurs inside a multi-byte
// character of Shift_JIS or UTF-8, so a byte-wise escape is safe in both.
const char* HtmlReferenceFor(char c);

// text with every byte HtmlReferenceFor names written as its character reference.
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
