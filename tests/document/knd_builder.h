// Builds document-file bytes by hand for the loader tests, independently of the writer.
#pragma once

#include <cstdint>
#include <string>

namespace vesk::test {

struct KndBuilder {
  std::string bytes;

  KndBuilder& U8(std::uint8_t v) {
    bytes.push_back(static_cast<char>(v));
    return *this;
  }
  KndBuilder& U16(std::uint16_t v) { return U8(v & 0xFF).U8(v >> 8); }
  KndBuilder& U32(std::uint32_t v) { return U16(v & 0xFFFF).U16(v >> 16); }
  KndBuilder& I32(std::int32_t v) { return U32(static_cast<std::uint32_t>(v)); }
  KndBuilder& Raw(const std::string& s) {
    bytes += s;
    return *this;
  }
  // Short strings only (below 255 bytes), as most of these files hold.
  KndBuilder& Str(const std::string& s) { return U8(static_cast<std::uint8_t>(s.size())).Raw(s); }
  KndBuilder& Header() { return Str("Kestrelnest Application Data Format\r\n"); }
  KndBuilder& NewType(const std::string& name) {
    return U16(0xFFFF).U16(0).U16(static_cast<std::uint16_t>(name.size())).Raw(name);
  }
  KndBuilder& DefaultFileInfo() {
    return NewType("FILEINFO")
        .Str("category")
        .Str("cgi")
        .Str("search.cgi")
        .Str("")
        .Str("html")
        .Str("")
        .Str("")
        .U32(20);
  }

  struct Node {
    std::uint32_t serial = 0;
    std::string fileName, admin, email;
    std::int32_t update = 0, year = 2020, month = 1, day = 2, mark = 0;
    std::string title, url, comment, banner, keywords;
    std::int32_t kind = 1, parentSerial = 0, flags = 768, sortMode = 0;
  };
  // Fields 1-14, then 15-18 when full.
  KndBuilder& Body(const Node& n, bool full) {
    U32(n.serial).Str(n.fileName).Str(n.admin).Str(n.email);
    I32(n.update).I32(n.year).I32(n.month).I32(n.day).I32(n.mark);
    Str(n.title).Str(n.url).Str(n.comment).Str(n.banner).Str(n.keywords);
    if (full) I32(n.kind).I32(n.parentSerial).I32(n.flags).I32(n.sortMode);
    return *this;
  }
  static Node Category(std::uint32_t serial, int parentSerial, const std::string& title) {
    Node n;
    n.serial = serial;
    n.kind = 0;
    n.parentSerial = parentSerial;
    n.title = title;
    return n;
  }
  // A version-200 file of the three fixed categories whose genre string is genres (of any size).
  static std::string Version200WithGenres(const std::string& genres) {
    KndBuilder b;
    b.Header().U32(200).U32(3);
    if (genres.size() < 255) {
      b.Str(genres);
    } else {
      b.U8(0xFF).U16(0xFFFF).U32(static_cast<std::uint32_t>(genres.size())).Raw(genres);
    }
    b.U32(3).NewType("LINKINFO").Body(Category(0, -1, "Top"), true);
    b.U16(0x8001).Body(Category(1, -2, "W"), true);
    b.U16(0x8001).Body(Category(2, -3, "T"), true);
    return b.bytes;
  }
  static Node Link(std::uint32_t serial, int parentSerial, const std::string& title) {
    Node n;
    n.serial = serial;
    n.parentSerial = parentSerial;
    n.title = title;
    return n;
  }
};

}  // namespace vesk::test
