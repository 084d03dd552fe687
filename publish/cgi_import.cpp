// Reading one CGI category file back into the collection.
#include <ctime>

#include "document/veskdoc.h"
#include "publish/cgi_data.h"
#include "publish/file_errors.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"
#include "text/cp932_text.h"
#include "text/leading_number.h"
#include "text/text_read_file.h"

namespace vesk {
namespace {

constexpr const char* kCategoryHeader = "Kestrelnest data format Rev03";
constexpr const char* kLinkDataMarker = "<!-- Link data -->";

// Removes and returns the text before the next TAB; the last field runs to the end of line.
std::string NextField(std::string& line) {
  std::size_t tab = line.find('\t');
  std::string field = line.substr(0, tab);
  line.erase(0, tab == std::string::npos ? line.size() : tab + 1);
  return field;
}

void FillLink(LINKINFO& link, std::string line, const std::string& categoryName) {
  link.m_nSerial = static_cast<std::uint32_t>(LeadingInt(NextField(line)));
  link.m_strTitle = NextField(line);
  link.m_strURL = NextField(line);
  link.m_strComment = NextField(line);
  link.m_strBanner = NextField(line);
  link.m_nMark = LeadingInt(NextField(line));
  std::time_t seconds = LeadingInt(NextField(line));
  std::tm local{};
  if (localtime_r(&seconds, &local)) {
    link.m_nYear = local.tm_year + 1900;
    link.m_nMonth = local.tm_mon + 1;
    link.m_nDay = local.tm_mday;
  }
  std::string keywords = categoryName;
  if (!categoryName.empty()) keywords += '_';
  keywords += link.m_strTitle;
  NarrowText(keywords);
  link.m_strKeywords = keywords;
}

}  // namespace

bool ImportCgiFile(CVeskDoc& doc, const std::string& path) {
  IUserInterface& ui = doc.UI();
  CTextReadFile file;
  if (!file.Open(path)) {
    // The real cause: no permission is not "not found".
    ReportFileError(ui, file.Cause(), path);
    return false;
  }
  std::string line, name;
  if (file.ReadLine(line) && line == kCategoryHeader && file.ReadLine(line)) {
    std::size_t tab = line.find('\t');
    if (tab != std::string::npos) name = line.substr(0, tab);
    while (file.ReadLine(line) && line != kLinkDataMarker) {
    }
  }
  if (file.Cause() != 0) {
    ReportFileError(ui, file.Cause(), path);
    name.clear();
  }
  if (name.empty()) {
    ui.MessageBox(ResString(kIdsNotCgiFile), MbButtons::Ok, MbIcon::Stop);
    return false;
  }

  doc.SelectCategory(doc.GetWorkBox(), false);
  LINKINFO* category = doc.CreateNode(NodeKind::Category);
  if (!category) return false;
  category->m_strTitle = name;
  doc.UpdateAllViews(kHintAddCategory, category);
  doc.SelectCategory(category, false);

  int group = doc.BeginUndoGroup();
  LINKINFO* last = category;
  for (;;) {
    doc.RecordUndo(last, kUndoCreated, group);
    LINKINFO* link = doc.CreateNode(NodeKind::Link);
    if (!link) return false;
    if (!file.ReadLine(line) || line.empty()) {
      doc.DestroyNode(link);
      if (file.Cause() != 0) ReportFileError(ui, file.Cause(), path);
      return true;
    }
    FillLink(*link, line, name);
    doc.UpdateAllViews(kHintNewLink, link);
    last = link;
  }
}

}  // namespace vesk
