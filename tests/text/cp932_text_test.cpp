#include "text/cp932_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vesk {
namespace {

// Double-byte characters whose second byte looks like an ASCII separator.
const std::string kHyou = "\x95\x5C";  // second byte 0x5C ("\")
const std::string kSo = "\x83\x5C";    // second byte 0x5C
const std::string kPo = "\x83\x7C";    // second byte 0x7C ("|")

TEST(Cp932Search, NeverMatchesOnASecondByte) {
  EXPECT_EQ(MbsFind(kHyou, "\\"), npos);
  EXPECT_EQ(MbsFind(kHyou + "\\", "\\"), 2u);
  EXPECT_EQ(MbsFindChar(kPo + "|", '|'), 2u);
  EXPECT_EQ(MbsFindChar(kPo, '|'), npos);
  EXPECT_EQ(MbsReverseFindChar("a\\" + kSo, '\\'), 1u);
  EXPECT_EQ(MbsFindOneOf(kSo + kPo + "x|", "|\\"), 5u);
  // A needle that starts inside a character is not found there, only at a real start.
  EXPECT_EQ(MbsFind("\x95\x5C\x5C\x41", "\x5C\x41"), 2u);
  EXPECT_EQ(MbsFind("\x95\x5C\x41", "\x5C\x41"), npos);
  // A double-byte character in the any-of set matches only the whole character.
  EXPECT_EQ(MbsFindOneOf("\x5C" + kHyou, kHyou), 1u);
  EXPECT_EQ(MbsFindOneOf("\x95\x41\x5C", kHyou), npos);
}

TEST(Cp932Search, LoneLeadByteStandsAloneAtTheEndAndBeforeSeparators) {
  EXPECT_EQ(MbsCharLen("a\x81", 1), 1u);
  EXPECT_EQ(MbsFind("ab\x81", "\x81\x40"), npos);
  EXPECT_EQ(MbsFind("ab\x81", "\x81"), 2u);
  EXPECT_EQ(MbsFindChar("\x81,x", ','), 1u);
  EXPECT_EQ(MbsFindChar("\x81\n", '\n'), 1u);
  EXPECT_EQ(MbsReverseFindChar("\xFC", '\xFC'), 0u);
  // Boundaries of the lead-byte ranges.
  EXPECT_FALSE(IsLeadByte(0x80));
  EXPECT_TRUE(IsLeadByte(0x81));
  EXPECT_TRUE(IsLeadByte(0x9F));
  EXPECT_FALSE(IsLeadByte(0xA0));
  EXPECT_FALSE(IsLeadByte(0xDF));
  EXPECT_TRUE(IsLeadByte(0xE0));
  EXPECT_TRUE(IsLeadByte(0xFC));
  EXPECT_FALSE(IsLeadByte(0xFD));
  // Half-width katakana (0xA1-0xDF) are single bytes: a "\" after one is a real backslash.
  EXPECT_EQ(MbsFindChar("\xB1\\", '\\'), 1u);
  EXPECT_EQ(MbsFindChar("\xE0\\", '\\'), npos);
}

TEST(Cp932Search, CaseInsensitiveCompareFoldsOnlySingleByteLetters) {
  EXPECT_TRUE(MbsEqualNoCase("InternetShortcut", "INTERNETSHORTCUT"));
  EXPECT_FALSE(MbsEqualNoCase("url", "uri"));
  // 0x82 0x60 and 0x82 0x80 differ only by what would be ASCII case of a second byte: not folded.
  EXPECT_FALSE(MbsEqualNoCase("\x82\x41", "\x82\x61"));
  EXPECT_TRUE(MbsEqualNoCase(kHyou + "A", kHyou + "a"));
}

TEST(ReplaceText, ReplacesForwardWithoutRescanningInsertedText) {
  std::string text = "aaa";
  EXPECT_TRUE(ReplaceText(text, "a", "aa", true));
  EXPECT_EQ(text, "aaaaaa");

  text = "x-y-z";
  EXPECT_TRUE(ReplaceText(text, "-", "+", false));
  EXPECT_EQ(text, "x+y-z");

  text = "abc";
  EXPECT_FALSE(ReplaceText(text, "", "q", true));
  EXPECT_FALSE(ReplaceText(text, "d", "q", true));
  EXPECT_EQ(text, "abc");

  // The "\" inside a double-byte character is not replaced.
  text = kHyou + "\\" + kSo;
  EXPECT_TRUE(ReplaceText(text, "\\", "/", true));
  EXPECT_EQ(text, kHyou + "/" + kSo);
  text = kSo;
  EXPECT_FALSE(ReplaceText(text, "\\", "/", true));

  text = "$a$$a$";
  EXPECT_TRUE(ReplaceText(text, "$a$", "", true));
  EXPECT_EQ(text, "");
}

TEST(TakeToken, SplitsAtTheFirstSeparator) {
  std::string date = "2001/05/07";
  EXPECT_EQ(TakeToken(date, "/"), "2001");
  EXPECT_EQ(date, "05/07");
  EXPECT_EQ(TakeToken(date, "/"), "05");
  EXPECT_EQ(TakeToken(date, "/"), "07");
  EXPECT_EQ(date, "");

  std::string text = "a::b";
  EXPECT_EQ(TakeToken(text, "::"), "a");
  EXPECT_EQ(text, "b");

  text = "keep";
  EXPECT_EQ(TakeToken(text, ""), "keep");
  EXPECT_EQ(text, "keep");

  text = kPo + "|x";
  EXPECT_EQ(TakeToken(text, "|"), kPo);
  EXPECT_EQ(text, "x");
}

TEST(AppendWithSeparator, AddsSeparatorOnlyBetweenItems) {
  std::string list;
  EXPECT_TRUE(AppendWithSeparator(list, "a", ","));
  EXPECT_TRUE(AppendWithSeparator(list, "b", ","));
  EXPECT_EQ(list, "a,b");
  EXPECT_FALSE(AppendWithSeparator(list, "c", ""));
  EXPECT_EQ(list, "a,b");
}

TEST(CsvField, AddQuotesOnlyWhenNeededAndKeepsEmptySeparators) {
  std::string line;
  AddCsvField(line, "");  // first field of an empty line: no separator yet
  EXPECT_EQ(line, "");
  AddCsvField(line, "plain");
  AddCsvField(line, "");
  AddCsvField(line, "a,b");
  AddCsvField(line, "say \"hi\"");
  AddCsvField(line, kSo + kPo);
  EXPECT_EQ(line, "plain,,\"a,b\",\"say \"\"hi\"\"\"," + kSo + kPo);
}

TEST(CsvField, TakesQuotedFieldsWithDoubledQuotes) {
  std::string line = "\"a\"\"b\",\"c\"\"d\"";
  EXPECT_EQ(TakeCsvField(line), "a\"b");
  EXPECT_EQ(line, "\"c\"\"d\"");
  EXPECT_EQ(TakeCsvField(line), "c\"d");
  EXPECT_EQ(line, "");

  line = "x,,y";
  EXPECT_EQ(TakeCsvField(line), "x");
  EXPECT_EQ(TakeCsvField(line), "");
  EXPECT_EQ(TakeCsvField(line), "y");
  EXPECT_EQ(TakeCsvField(line), "");

  // No closing quote: the rest of the line is the field.
  line = "\"open, never closed";
  EXPECT_EQ(TakeCsvField(line), "open, never closed");
  EXPECT_EQ(line, "");

  // Spaces are data.
  line = " a , b ";
  EXPECT_EQ(TakeCsvField(line), " a ");
  EXPECT_EQ(line, " b ");
}

TEST(CsvField, RoundTripsAwkwardFields) {
  const std::vector<std::string> fields = {"first",
                                           "",
                                           ",",
                                           "\"",
                                           "\"\"",
                                           "a\",",
                                           "x\",y",
                                           "\",\"",
                                           "end\"",
                                           "\"start",
                                           kHyou + "," + kSo,
                                           kPo + "\"" + kPo,
                                           std::string("\x81"),
                                           std::string("tail\x81"),
                                           "\x81\"",
                                           "a\r\nb",
                                           "last"};
  std::string line;
  for (const auto& f : fields) AddCsvField(line, f);
  for (const auto& f : fields) EXPECT_EQ(TakeCsvField(line), f) << "line left: " << line;
  EXPECT_EQ(line, "");
}

TEST(CsvField, EscapedFieldDropsBackslashesAndKeepsWholeCharacters) {
  std::string line = "a\\\\b\\,c,next";
  // The comma splits first; escapes are resolved inside the field, a trailing one is dropped.
  EXPECT_EQ(TakeEscapedField(line), "a\\b");
  EXPECT_EQ(line, "c,next");

  line = "\"q\\\"x\",n";
  EXPECT_EQ(TakeEscapedField(line), "q\"x");
  // The 0x5C of a double-byte character is not an escape; an escaped double-byte character stays
  // whole.
  line = kSo + "\\" + kHyou + "\\";
  EXPECT_EQ(TakeEscapedField(line), kSo + kHyou);
}

TEST(NarrowText, FoldsFullWidthLettersDigitsAndSpaceOnly) {
  std::string text = "\x82\x60\x82\x61\x82\x50\x82\x51";  // full-width A B 1 2
  EXPECT_EQ(NarrowText(text), "AB12");
  EXPECT_EQ(text, "AB12");

  text = "\x82\x81\x82\x9A\x81\x40\x82\x4F\x82\x58\x82\x79";  // a z space 0 9 Z
  EXPECT_EQ(NarrowText(text), "az 09Z");

  // Neighbours of the ranges and punctuation stay double-byte.
  const std::string kept = "\x82\x4E\x82\x59\x82\x5F\x82\x7A\x82\x80\x82\x9B\x81\x49";
  text = kept;
  EXPECT_EQ(NarrowText(text), kept);

  // 0x82 as a second byte followed by 0x60 is not a full-width A.
  text = "\x88\x82\x60";
  EXPECT_EQ(NarrowText(text), "\x88\x82\x60");
}

TEST(SafeFileName, ReplacesReservedCharactersButNotSecondBytes) {
  std::string text = "a\\b\"c/d*e:f?g<h>i|j\tk\r\nl";
  EXPECT_EQ(SafeFileName(text), "a_b_c_d_e_f_g_h_i_j kl");
  EXPECT_EQ(text, "a_b_c_d_e_f_g_h_i_j kl");

  text = "Q: what?";
  EXPECT_EQ(SafeFileName(text), "Q_ what_");

  text = kHyou + kPo + kSo;
  EXPECT_EQ(SafeFileName(text), kHyou + kPo + kSo);
}

TEST(StripAndTrim, RemoveOnlyTheirOwnBytes) {
  std::string text = "a\r\nb\tc d\r";
  StripCR(text);
  EXPECT_EQ(text, "a\nb\tc d");
  StripLF(text);
  EXPECT_EQ(text, "ab\tc d");
  StripTab(text);
  EXPECT_EQ(text, "abc d");
  StripSpaces(text);
  EXPECT_EQ(text, "abcd");

  text = " \t\v\f\r\nmid dle\r\n \t";
  TrimWhiteSpace(text);
  EXPECT_EQ(text, "mid dle");

  // The full-width space is not white space.
  text = "\x81\x40x\x81\x40";
  TrimWhiteSpace(text);
  EXPECT_EQ(text, "\x81\x40x\x81\x40");

  text = " \t ";
  TrimWhiteSpace(text);
  EXPECT_EQ(text, "");
}

}  // namespace
}  // namespace vesk
