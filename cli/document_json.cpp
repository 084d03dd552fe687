#include "cli/document_json.h"

#include <algorithm>
#include <limits>

#include "document/document_file.h"
#include "text/encoding.h"
#include "text/file_path.h"

namespace vesk::cli {

namespace {

using nlohmann::json;

struct JsonError {
  std::string message;
};

std::string Where(const std::string& place, const char* key) { return place + " \"" + key + "\""; }

// A text value in Shift_JIS; missing keeps the current value.
void Text(const json& obj, const char* key, std::string& out, const std::string& place) {
  auto it = obj.find(key);
  if (it == obj.end()) return;
  if (!it->is_string()) throw JsonError{Where(place, key) + " must be a string"};
  if (!FromUtf8Lossless(it->get<std::string>(), out))
    throw JsonError{Where(place, key) + " holds a character that Shift_JIS cannot hold"};
}

// A path value (template, output folder) for a Shift_JIS field: refused, naming the path, when a
// character has no Shift_JIS form or would not come back the same, so no damaged path is stored.
void PathText(const json& obj, const char* key, std::string& out, const std::string& place) {
  auto it = obj.find(key);
  if (it == obj.end()) return;
  if (!it->is_string()) throw JsonError{Where(place, key) + " must be a string"};
  const std::string path = it->get<std::string>();
  if (!PathToCp932(path, out))
    throw JsonError{Where(place, key) + ": the path " + path +
                    " holds a character that Shift_JIS cannot hold"};
}

long long Integer(const json& obj, const char* key, long long lo, long long hi,
                  const std::string& place) {
  const json& v = obj.at(key);
  if (!v.is_number_integer()) throw JsonError{Where(place, key) + " must be an integer"};
  long long n =
      v.is_number_unsigned() && v.get<unsigned long long>() > static_cast<unsigned long long>(hi)
          ? hi + 1
          : v.get<long long>();
  if (n < lo || n > hi)
    throw JsonError{Where(place, key) + " is out of range (" + std::to_string(lo) + " to " +
                    std::to_string(hi) + ")"};
  return n;
}

// An int32 value; missing keeps the current value.
void Int(const json& obj, const char* key, int& out, const std::string& place) {
  if (!obj.contains(key)) return;
  out = static_cast<int>(Integer(obj, key, std::numeric_limits<std::int32_t>::min(),
                                 std::numeric_limits<std::int32_t>::max(), place));
}

long long Required(const json& obj, const char* key, long long lo, long long hi,
                   const std::string& place) {
  if (!obj.contains(key)) throw JsonError{Where(place, key) + " is missing"};
  return Integer(obj, key, lo, hi, place);
}

}  // namespace

nlohmann::ordered_json DocumentToJson(const CVeskDoc& doc) {
  using json = nlohmann::ordered_json;
  const FILEINFO& fi = doc.GetFileInfo();
  json out;
  out["version"] = doc.GetLoadedVersion();
  out["nextSerial"] = doc.GetNextSerial();
  out["genreList"] = ToUtf8Lossless(doc.GetGenreList());
  out["fileInfo"] = {{"cgiName", ToUtf8Lossless(fi.m_strCgiName)},
                     {"cgiExt", ToUtf8Lossless(fi.m_strCgiExt)},
                     {"searchFile", ToUtf8Lossless(fi.m_strSearchFile)},
                     {"template", ToUtf8Lossless(fi.m_strTemplate)},
                     {"htmlExt", ToUtf8Lossless(fi.m_strHtmlExt)},
                     {"cgiFolder", ToUtf8Lossless(fi.m_strCgiFolder)},
                     {"htmlFolder", ToUtf8Lossless(fi.m_strHtmlFolder)},
                     {"linksPerPage", fi.m_nLinksPerPage}};
  json nodes = json::array();
  for (const LINKINFO* n : doc.GetNodeList()) {
    nodes.push_back({{"serial", n->m_nSerial},
                     {"fileName", ToUtf8Lossless(n->m_strFileName)},
                     {"admin", ToUtf8Lossless(n->m_strAdmin)},
                     {"email", ToUtf8Lossless(n->m_strEmail)},
                     {"update", n->m_tUpdate},
                     {"year", n->m_nYear},
                     {"month", n->m_nMonth},
                     {"day", n->m_nDay},
                     {"mark", n->m_nMark},
                     {"title", ToUtf8Lossless(n->m_strTitle)},
                     {"url", ToUtf8Lossless(n->m_strURL)},
                     {"comment", ToUtf8Lossless(n->m_strComment)},
                     {"banner", ToUtf8Lossless(n->m_strBanner)},
                     {"keywords", ToUtf8Lossless(n->m_strKeywords)},
                     {"kind", n->m_nKind},
                     {"parentSerial", CDocumentFile::SavedParentSerial(doc, n)},
                     {"flags", n->m_nFlags},
                     {"sortMode", n->m_nSortMode}});
  }
  out["nodes"] = std::move(nodes);
  return out;
}

bool DocumentFromJson(CVeskDoc& doc, const json& in, std::string& error) {
  CDocumentFile::Clear(doc);
  try {
    if (!in.is_object()) throw JsonError{"the document must be a JSON object"};
    auto fileInfo = in.find("fileInfo");
    if (fileInfo != in.end()) {
      if (!fileInfo->is_object()) throw JsonError{"\"fileInfo\" must be an object"};
      FILEINFO& fi = doc.GetFileInfo();
      const std::string place = "fileInfo";
      Text(*fileInfo, "cgiName", fi.m_strCgiName, place);
      Text(*fileInfo, "cgiExt", fi.m_strCgiExt, place);
      Text(*fileInfo, "searchFile", fi.m_strSearchFile, place);
      PathText(*fileInfo, "template", fi.m_strTemplate, place);
      Text(*fileInfo, "htmlExt", fi.m_strHtmlExt, place);
      PathText(*fileInfo, "cgiFolder", fi.m_strCgiFolder, place);
      PathText(*fileInfo, "htmlFolder", fi.m_strHtmlFolder, place);
      Int(*fileInfo, "linksPerPage", fi.m_nLinksPerPage, place);
    }
    auto nodes = in.find("nodes");
    if (nodes == in.end() || !nodes->is_array())
      throw JsonError{"\"nodes\" must be an array of nodes"};
    long long largest = -1;
    std::size_t index = 0;
    for (const json& item : *nodes) {
      std::string place = "node " + std::to_string(index++);
      if (!item.is_object()) throw JsonError{place + " must be an object"};
      long long serial = Required(item, "serial", 0, 0xFFFFFFFFLL, place);
      int kind = static_cast<int>(Required(item, "kind", std::numeric_limits<std::int32_t>::min(),
                                           std::numeric_limits<std::int32_t>::max(), place));
      int parent =
          static_cast<int>(Required(item, "parentSerial", std::numeric_limits<std::int32_t>::min(),
                                    std::numeric_limits<std::int32_t>::max(), place));
      LINKINFO* n = CDocumentFile::AppendNode(doc, kind);
      n->m_nSerial = static_cast<std::uint32_t>(serial);
      n->m_nParentSerial = parent;
      largest = std::max(largest, serial);
      Text(item, "fileName", n->m_strFileName, place);
      Text(item, "admin", n->m_strAdmin, place);
      Text(item, "email", n->m_strEmail, place);
      Int(item, "update", n->m_tUpdate, place);
      Int(item, "year", n->m_nYear, place);
      Int(item, "month", n->m_nMonth, place);
      Int(item, "day", n->m_nDay, place);
      Int(item, "mark", n->m_nMark, place);
      Text(item, "title", n->m_strTitle, place);
      Text(item, "url", n->m_strURL, place);
      Text(item, "comment", n->m_strComment, place);
      Text(item, "banner", n->m_strBanner, place);
      Text(item, "keywords", n->m_strKeywords, place);
      Int(item, "flags", n->m_nFlags, place);
      Int(item, "sortMode", n->m_nSortMode, place);
    }
    if (in.contains("nextSerial")) {
      doc.SetNextSerial(
          static_cast<std::uint32_t>(Required(in, "nextSerial", 0, 0xFFFFFFFFLL, "document")));
    } else {
      doc.SetNextSerial(static_cast<std::uint32_t>(std::min(largest + 1, 0xFFFFFFFFLL)));
    }
    CDocumentFile::ResolveParents(doc);
  } catch (const JsonError& e) {
    error = e.message;
    return false;
  }
  doc.SetModifiedFlag(true);
  return true;
}

}  // namespace vesk::cli
