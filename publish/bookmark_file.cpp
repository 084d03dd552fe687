#include "publish/bookmark_file.h"

#include <ctime>
#include <unordered_map>
#include <vector>

#include "document/show_category.h"
#include "document/veskdoc.h"
#include "platform/file_system.h"
#include "platform/read_only_file.h"
#include "publish/bookmark_reader.h"
#include "publish/data_file.h"
#include "publish/file_errors.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"
#include "text/encoding.h"
#include "text/outside_text.h"

namespace vesk {
namespace {

// The date fields of a link from seconds since 1970 (local time, as the CGI files are read).
void SetDate(LINKINFO& link, std::int64_t seconds) {
  if (seconds <= 0) return;
  std::time_t t = static_cast<std::time_t>(seconds);
  std::tm local{};
  if (!localtime_r(&t, &local)) return;
  link.m_nYear = local.tm_year + 1900;
  link.m_nMonth = local.tm_mon + 1;
  link.m_nDay = local.tm_mday;
}

// Seconds since 1970 of a link's date at local midnight; 0 when it has none.
long long DateSeconds(const LINKINFO& link) {
  if (link.m_nYear < 1970 || link.m_nMonth < 1 || link.m_nMonth > 12 || link.m_nDay < 1 ||
      link.m_nDay > 31)
    return 0;
  std::tm local{};
  local.tm_year = link.m_nYear - 1900;
  local.tm_mon = link.m_nMonth - 1;
  local.tm_mday = link.m_nDay;
  local.tm_isdst = -1;
  const std::time_t t = std::mktime(&local);
  return t < 0 ? 0 : static_cast<long long>(t);
}

// UTF-8 text as HTML text: markup characters escaped, line breaks and TABs as spaces so that
// every element stays on its line.
std::string EscapedUtf8(const std::string& utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (char c : EscapeHtmlText(utf8)) {
    if (c == '\'') {
      out += "&#39;";
    } else if (c == '\r' || c == '\n' || c == '\t') {
      out += ' ';
    } else {
      out += c;
    }
  }
  return out;
}

// A document URL as HTML text in UTF-8.
std::string HtmlText(const std::string& cp932) { return EscapedUtf8(ToUtf8(cp932)); }

// A document title (HTML) as the HTML text of what it shows.
std::string ShownHtmlText(const std::string& cp932) {
  return EscapedUtf8(HtmlShownText(ToUtf8(cp932)));
}

}  // namespace

bool LooksLikeBookmarkFile(const std::string& path) {
  platform::CReadOnlyFile file;
  if (!file.Open(path)) return false;
  std::string head(1024, '\0');
  const long got = file.Read(head.data(), head.size());
  if (got <= 0) return false;
  head.resize(static_cast<std::size_t>(got));
  return IsBookmarkFile(head);
}

bool ImportBookmarkFile(CVeskDoc& doc, const std::string& path, BookmarkImportResult* result) {
  IUserInterface& ui = doc.UI();
  std::string text;
  FileErrorCause cause = kFileErrNone;
  if (!platform::ReadWholeFile(path, text, kBookmarkFileMax, &cause)) {
    ReportFileError(ui, cause == kFileErrNone ? kFileErrGeneric : cause, path);
    return false;
  }
  if (!IsBookmarkFile(text)) {
    ui.MessageBox(ResFormat(kIdsNotBookmarkFile, ToCp932(path)), MbButtons::Ok, MbIcon::Stop);
    return false;
  }
  const std::vector<BookmarkItem> items = ReadBookmarks(text);
  text.clear();
  return ImportBookmarkItems(doc, items, result);
}

bool ImportBookmarkItems(CVeskDoc& doc, const std::vector<BookmarkItem>& items,
                         BookmarkImportResult* result) {
  IUserInterface& ui = doc.UI();
  LINKINFO* workBox = doc.GetWorkBox();
  if (!workBox) return false;

  BookmarkImportResult counts;
  bool ok = true;
  const int group = doc.BeginUndoGroup();
  std::vector<LINKINFO*> made(items.size(), nullptr);
  for (std::size_t k = 0; k < items.size(); ++k) {
    const BookmarkItem& item = items[k];
    if (!item.folder && IsScriptUrl(item.url)) {
      ++counts.scriptUrls;
      continue;
    }
    LINKINFO* node = doc.CreateNode(item.folder ? NodeKind::Category : NodeKind::Link);
    if (!node) {
      ok = false;
      break;
    }
    node->m_pParent = item.parent >= 0 && made[static_cast<std::size_t>(item.parent)]
                          ? made[static_cast<std::size_t>(item.parent)]
                          : workBox;
    if (!Utf8ToCp932(item.title, node->m_strTitle)) {
      node->m_strTitle = ToCp932(item.title);
      ++counts.changedTitles;
    }
    // The reader decoded the file's references: this is the text the browser showed.
    node->m_strTitle = EscapeHtmlText(node->m_strTitle);
    // Folders keep their dates as bookmarks do; without one a node keeps today's.
    SetDate(*node, item.lastModified > 0 ? item.lastModified : item.addDate);
    if (item.folder) {
      ++counts.categories;
      doc.UpdateAllViews(kHintAddCategory, node);
    } else {
      ++counts.links;
      node->m_strURL = OutsideUrl(UrlToCp932(item.url));
    }
    doc.RecordUndo(node, kUndoCreated, group);
    made[k] = node;
  }
  if (LINKINFO* current = doc.GetCurrent()) doc.RecordUndo(current, kUndoListAction, group);
  ShowCategory(doc, workBox);
  if (counts.changedTitles > 0) {
    ui.MessageBox(ResFormat(kIdsBookmarkTitlesChanged, std::to_string(counts.changedTitles)),
                  MbButtons::Ok, MbIcon::Information);
  }
  if (counts.scriptUrls > 0) {
    ui.MessageBox(ResFormat(kIdsScriptUrlsSkipped, std::to_string(counts.scriptUrls)),
                  MbButtons::Ok, MbIcon::Information);
  }
  if (result) *result = counts;
  return ok;
}

std::string BookmarkFileText(const CVeskDoc& doc, const LINKINFO* category) {
  std::string out =
      "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n"
      "<!-- This is an automatically generated file.\n"
      "     It will be read and overwritten.\n"
      "     DO NOT EDIT! -->\n"
      "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=UTF-8\">\n";
  const std::string name = category ? ShownHtmlText(category->m_strTitle) : std::string();
  out += "<TITLE>" + name + "</TITLE>\n<H1>" + name + "</H1>\n\n<DL><p>\n";
  if (category) {
    // Children in list order, gathered once; the walk keeps its own stack, so no tree depth
    // can exhaust the call stack, and a parent loop from a damaged file ends at visited nodes.
    std::unordered_map<const LINKINFO*, std::vector<const LINKINFO*>> children;
    for (const LINKINFO* node : doc.GetNodeList()) children[node->m_pParent].push_back(node);
    struct Frame {
      const LINKINFO* category;
      std::size_t next;
    };
    std::vector<Frame> stack{{category, 0}};
    std::unordered_map<const LINKINFO*, bool> visited{{category, true}};
    while (!stack.empty()) {
      Frame& frame = stack.back();
      const auto& list = children[frame.category];
      const std::string indent(4 * stack.size(), ' ');
      if (frame.next >= list.size()) {
        stack.pop_back();
        if (!stack.empty()) out += indent.substr(4) + "</DL><p>\n";
        continue;
      }
      const LINKINFO* node = list[frame.next++];
      if (node->IsCategory()) {
        if (visited[node]) continue;
        visited[node] = true;
        out += indent + "<DT><H3>" + ShownHtmlText(node->m_strTitle) + "</H3>\n";
        out += indent + "<DL><p>\n";
        stack.push_back({node, 0});
        continue;
      }
      out += indent + "<DT><A HREF=\"" + HtmlText(node->m_strURL) + "\"";
      if (long long seconds = DateSeconds(*node)) {
        out += " ADD_DATE=\"" + std::to_string(seconds) + "\"";
      }
      out += ">" + ShownHtmlText(node->m_strTitle) + "</A>\n";
    }
  }
  out += "</DL><p>\n";
  return out;
}

bool ExportBookmarkFile(CVeskDoc& doc, const LINKINFO* category, const std::string& path) {
  if (!category) return false;
  CDataFile data(doc);
  return data.WriteWholeFile(path, BookmarkFileText(doc, category));
}

}  // namespace vesk
