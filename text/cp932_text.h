// Multi-byte aware text operations over Shift_JIS (CP932) byte strings.
#pragma once

#include <cstddef>
#include <string>

namespace vesk {

constexpr std::size_t npos = std::string::npos;

// True for a byte that starts a double-byte character (0x81-0x9F, 0xE0-0xFC).
bool IsLeadByte(unsigned char c);
// Byte length (1 or 2) of the character starting at i. A lead byte is paired only with a following
// byte of 0x40 or more; at the end of the text or before a control byte it stands alone.
std::size_t MbsCharLen(const std::string& text, std::size_t i);
// Compares two texts with single-byte Latin letters folded to one case; double-byte characters
// must match exactly.
bool MbsEqualNoCase(const std::string& a, const std::string& b);

// Searches that walk character by character, so a hit never starts on a second byte.
// from must be the start of a character.
std::size_t MbsFind(const std::string& text, const std::string& what, std::size_t from = 0);
std::size_t MbsFindChar(const std::string& text, char c, std::size_t from = 0);
std::size_t MbsReverseFindChar(const std::string& text, char c);
std::size_t MbsFindOneOf(const std::string& text, const std::string& chars, std::size_t from = 0);

// Replaces the first (or, with every, each) occurrence; false when find is empty or absent.
bool ReplaceText(std::string& text, const std::string& find, const std::string& replacement,
                 bool every);
// Returns the text before the first separator and removes it and the separator from text.
std::string TakeToken(std::string& text, const std::string& separator);
bool AppendWithSeparator(std::string& list, const std::string& item, const std::string& separator);

void AddCsvField(std::string& line, const std::string& field);
std::string TakeCsvField(std::string& line);
// TakeCsvField, then every backslash is dropped and the byte after it kept literally.
std::string TakeEscapedField(std::string& line);

// Folds full-width digits, Latin letters and the full-width space to single bytes.
std::string NarrowText(std::string& text);
// Replaces the characters that cannot stand in a file name.
std::string SafeFileName(std::string& text);

void StripCR(std::string& text);
void StripLF(std::string& text);
void StripTab(std::string& text);
void StripSpaces(std::string& text);
// Trims the single-byte white space (space, TAB, LF, VT, FF, CR) from both ends.
void TrimWhiteSpace(std::string& text);

}  // namespace vesk
