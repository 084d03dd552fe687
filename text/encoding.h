// Conversion between the in-memory Shift_JIS (CP932) text and UTF-8 at the program's edges.
#pragma once

#include <string>

namespace vesk {

// Converts CP932 bytes to UTF-8; false (and out holds what converted) on an invalid sequence.
bool Cp932ToUtf8(const std::string& in, std::string& out);
// Converts UTF-8 to CP932 bytes; false when the input is invalid or holds a character CP932 lacks.
bool Utf8ToCp932(const std::string& in, std::string& out);

// Lossless forms for a text interchange (the JSON of vesk-cli): a byte that is not part of a
// Shift_JIS character that converts there and back unchanged becomes the private-use code point
// U+F0000 + byte, which no Shift_JIS character maps to; FromUtf8Lossless turns it back into the
// byte. FromUtf8Lossless is false when the rest holds a character CP932 lacks.
std::string ToUtf8Lossless(const std::string& cp932);
bool FromUtf8Lossless(const std::string& utf8, std::string& out);

// Lenient forms for display and messages: each character that cannot be converted (an invalid
// sequence or one the other side lacks) becomes one '?'.
std::string ToUtf8(const std::string& cp932);
std::string ToCp932(const std::string& utf8);

// Whether bytes are well-formed UTF-8 (no overlong form, no surrogate, nothing above U+10FFFF, no
// cut sequence), for names that must go where only UTF-8 is taken.
bool IsValidUtf8(const std::string& bytes);

}  // namespace vesk
