#include "publish/html_pages.h"

#include <algorithm>
#include <cstdio>

#include "document/user_interface.h"
#include "document/veskdoc.h"
#include "platform/file_removal.h"
#include "publish/data_file.h"
#include "publish/file_errors.h"
#include "publish/html_template.h"
#include "publish/output_folder.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"
#include "settings/vesk_settings.h"
#include "text/cp932_text.h"
#include "text/encoding.h"
#include "text/file_path.h"

namespace vesk {
namespace {

constexpr unsigned kDefaultLinksPerPage = 20;

std::string FileNamePart(const std::string& path) {
  std::size_t sep = MbsReverseFindChar(path, kPathSep);
  return sep == npos ? path : path.substr(sep + 1);
}

// The file name without its extension; a name without "." is its own stem.
std::string Stem(const std::string& fileName) {
  std::size_t dot = MbsReverseFindChar(fileName, '.');
  return dot == npos ? fileName : fileName.substr(0, dot);
}

std::string PageName(const std::string& base, unsigned page, const std::string& ext) {
  if (page <= 1) return base + "." + ext;
  return base + "_" + std::to_string(page) + "." + ext;
}

// Every value of a link that a page can show.
void AddLink(CInputHash& hash, const LINKINFO& link) {
  hash.Add(link.m_nSerial).Add(static_cast<std::uint64_t>(link.m_nKind));
  hash.Add(link.m_strTitle).Add(link.m_strURL).Add(link.m_strAdmin).Add(link.m_strEmail);
  hash.Add(link.m_strComment).Add(link.m_strBanner).Add(link.m_strKeywords);
  for (int value : {link.m_nMark, link.m_nYear, link.m_nMonth, link.m_nDay, link.m_nFlags}) {
    hash.Add(static_cast<std::uint64_t>(static_cast<std::int64_t>(value)));
  }
}

std::string WithExtension(const std::string& fileName, const std::string& ext) {
  CFilePath path(fileName);
  return path.ChangeExtension(ext);
}

}  // namespace

bool CDataFile::PublishHtml(const std::string& folder) {
  CHtmlPages pages(*this);
  return pages.PublishHtml(folder);
}

CHtmlPages::CHtmlPages(CDataFile& data) : m_data(data) {
  int per = data.m_pFileInfo ? data.m_pFileInfo->m_nLinksPerPage : 0;
  m_nPerPage = per < 1 ? kDefaultLinksPerPage : static_cast<unsigned>(per);
}

void CHtmlPages::BuildIndex() {
  m_index.clear();
  for (LINKINFO* node : *m_data.m_pNodeList) {
    if (node->m_pParent == nullptr) continue;
    Children& c = m_index[node->m_pParent];
    if (node->IsCategory()) {
      c.categories.push_back(node);
    } else {
      c.links.push_back(node);
    }
  }
}

const CHtmlPages::Children& CHtmlPages::ChildrenOf(const LINKINFO* category) const {
  static const Children none;
  auto it = m_index.find(category);
  return it == m_index.end() ? none : it->second;
}

unsigned long CHtmlPages::CountLinks(const LINKINFO* category) const {
  return ChildrenOf(category).links.size();
}

std::vector<const LINKINFO*> CHtmlPages::CollectChildCategories(const LINKINFO* category) const {
  std::vector<const LINKINFO*> result;
  for (LINKINFO* child : ChildrenOf(category).categories) {
    const Children& own = ChildrenOf(child);
    child->m_nChildCount = static_cast<int>(own.categories.size() + own.links.size());
    result.push_back(child);
  }
  return result;
}

std::vector<const LINKINFO*> CHtmlPages::CollectPageLinks(const LINKINFO* category,
                                                          unsigned page) const {
  const auto& links = ChildrenOf(category).links;
  if (page < 1) return {};
  std::size_t from = static_cast<std::size_t>(page - 1) * m_nPerPage;
  if (from >= links.size()) return {};
  std::size_t to = std::min(links.size(), from + m_nPerPage);
  return {links.begin() + static_cast<std::ptrdiff_t>(from),
          links.begin() + static_cast<std::ptrdiff_t>(to)};
}

std::string CHtmlPages::BuildPageNavigation(const std::string& base, const LINKINFO* category,
                                            unsigned page) const {
  std::string name = FileNamePart(base);
  const std::string& ext = m_data.m_pFileInfo->m_strHtmlExt;
  unsigned long pages = (CountLinks(category) + m_nPerPage - 1) / m_nPerPage;
  if (pages == 0) return "- 1 -";
  std::string nav = "- ";
  for (unsigned long i = 1; i <= pages; ++i) {
    std::string number = std::to_string(i);
    if (i == page) {
      nav += number + " ";
    } else {
      nav +=
          "<A href=\"" + PageName(name, static_cast<unsigned>(i), ext) + "\">" + number + "</A> ";
    }
  }
  nav += "-";
  return nav;
}

bool CHtmlPages::PageBase(const LINKINFO* category, std::string& base) {
  const std::string& name = category->m_strFileName;
  const std::string& ext = m_data.m_pFileInfo->m_strHtmlExt;
  // A stored name or extension that would put a page outside the output folder, or that has no
  // file-system form, is refused.
  std::string path;
  if (!CDataFile::IsPlainFileName(name) ||
      !CDataFile::OutputPath(m_strFolder, Stem(name) + "." + ext, path)) {
    m_bFailed = true;
    ReportBadFileName(m_data.UI(), name);
    return false;
  }
  base = Stem(name);
  return true;
}

void CHtmlPages::ReportPageFailure(FileErrorCause cause, const std::string& temp) {
  m_bFailed = true;
  // The cause with the file first; a full disk is told once per run, message 10010 with it.
  if (cause != 0 && !m_data.ReportError(cause, temp)) return;
  m_data.UI().MessageBox(ResString(kIdsHtmlWriteFailed), MbButtons::Ok, MbIcon::Stop);
}

bool CHtmlPages::PublishHtml(const std::string& folder) {
  m_data.m_strPath = folder;
  m_data.m_nNameCounter = 0;
  m_strFolder = folder;
  BuildIndex();
  CHtmlTemplate tpl(m_data.m_pFileInfo->m_strHtmlExt, m_data.Settings(), &m_data.UI());
  const std::string tplPath = m_data.TemplatePath();
  m_data.ProtectFile(tplPath);  // no page of this run may replace its own template
  const int kind = tpl.LoadTemplate(tplPath);
  CInputHash inputs;
  inputs.Add(static_cast<std::uint64_t>(kind)).Add(m_nPerPage).Add(m_strFolder);
  tpl.AddInputs(inputs);
  m_nTemplateInputs = inputs.Value();
  switch (kind) {
    case kTemplateSingle:
      m_data.BeginFiles(CountPages(m_data.m_pTop, true));
      WriteCategoryPages(m_data.m_pTop, tpl);
      break;
    case kTemplateMulti:
      m_data.BeginFiles(1);
      WriteMultiPage(m_data.m_pTop, tpl);
      m_data.FileDone();
      break;
    default:
      m_data.BeginFiles(CountPages(m_data.m_pTop, false));
      WritePlainPages(m_data.m_pTop);
      break;
  }
  m_data.EndFiles();
  return !m_data.m_strChanged.empty();
}

std::size_t CHtmlPages::CountPages(const LINKINFO* root, bool paged) const {
  std::size_t count = 0;
  std::vector<const LINKINFO*> stack{root};
  while (!stack.empty()) {
    const LINKINFO* c = stack.back();
    stack.pop_back();
    const Children& own = ChildrenOf(c);
    count += paged ? std::max<std::size_t>(1, (own.links.size() + m_nPerPage - 1) / m_nPerPage) : 1;
    for (const LINKINFO* child : own.categories) stack.push_back(child);
  }
  return count;
}

CInputHash CHtmlPages::CategoryInputs(const LINKINFO& category,
                                      const std::vector<const LINKINFO*>& children,
                                      unsigned long links, const std::string& base) const {
  CInputHash hash;
  hash.Add(m_nTemplateInputs).Add(category.m_nSerial).Add(category.m_strTitle);
  hash.Add(category.m_strFileName).Add(category.m_strComment).Add(links).Add(base);
  for (const LINKINFO* child : children) {
    hash.Add(child->m_nSerial).Add(child->m_strTitle).Add(child->m_strComment);
    hash.Add(child->m_strFileName).Add(static_cast<std::uint64_t>(child->m_nChildCount));
  }
  return hash;
}

void CHtmlPages::SkipPages(unsigned long pages, unsigned long page) {
  for (unsigned long i = page; i == 1 || i <= pages; ++i) m_data.FileDone();
}

bool CHtmlPages::WriteCategoryPages(LINKINFO* category, CHtmlTemplate& tpl) {
  if (m_data.Cancelled()) return false;
  m_data.SettleFileName(category);
  // Children first: their pages are committed before their parent's.
  for (LINKINFO* child : ChildrenOf(category).categories) WriteCategoryPages(child, tpl);
  if (m_data.Cancelled()) return false;
  std::string base;
  if (!PageBase(category, base)) {
    SkipPages((CountLinks(category) + m_nPerPage - 1) / m_nPerPage, 1);
    return false;
  }
  std::vector<const LINKINFO*> children = CollectChildCategories(category);
  unsigned long n = CountLinks(category);
  unsigned long pages = (n + m_nPerPage - 1) / m_nPerPage;
  const std::string& ext = m_data.m_pFileInfo->m_strHtmlExt;
  const CInputHash shared = CategoryInputs(*category, children, n, base);
  for (unsigned long i = 1; i == 1 || i <= pages; ++i) {
    unsigned page = static_cast<unsigned>(i);
    const std::vector<const LINKINFO*> pageLinks = CollectPageLinks(category, page);
    const std::string pageName = PageName(base, page, ext);
    std::string final;
    if (!CDataFile::OutputPath(m_strFolder, pageName, final)) {
      tpl.ClearOutputs();
      m_bFailed = true;
      m_data.UI().MessageBox(ResString(kIdsHtmlWriteFailed), MbButtons::Ok, MbIcon::Stop);
      SkipPages(pages, i);
      return false;
    }
    if (!m_data.ClaimTarget(final, category->m_strTitle)) {
      // The sections of the refused page must not spill into the next one.
      tpl.ClearOutputs();
      m_bFailed = true;
      SkipPages(pages, i);
      return false;
    }
    // A page whose inputs are those it was last made from, and whose file still holds what was
    // made then, is left alone; any other is made again and written only when its bytes differ.
    CInputHash inputs = shared;
    inputs.Add(page);
    for (const LINKINFO* link : pageLinks) AddLink(inputs, *link);
    if (!m_data.PageUnchanged(final, inputs.Value())) {
      // Only the first page shows the Category Data section: writing a page empties the outputs.
      if (page == 1) tpl.AddCategoryData(children);
      tpl.AddLinksData(*category, pageLinks);
      tpl.SetLinksPage(BuildPageNavigation(base, category, page));
      FileErrorCause cause = kFileErrNone;
      if (!m_data.CommitPage(final, inputs.Value(), tpl.TakePage(category->m_strTitle, n, pageName),
                             &cause)) {
        ReportPageFailure(cause, m_data.TempPath());
        SkipPages(pages, i);
        return false;
      }
    }
    // Stopped between two pages: the next page is not begun.
    if (!m_data.FileDone()) return false;
  }
  return true;
}

bool CHtmlPages::WriteMultiPage(LINKINFO* root, CHtmlTemplate& tpl) {
  m_data.SettleFileName(root);
  std::string base;
  if (!PageBase(root, base)) return false;
  const std::string pageName = PageName(base, 1, m_data.m_pFileInfo->m_strHtmlExt);
  std::string final;
  CDataFile::OutputPath(m_strFolder, pageName, final);  // PageBase checked this name
  std::vector<const LINKINFO*> children = CollectChildCategories(root);
  unsigned long n = CountLinks(root);
  tpl.AddCategoryData(children);
  for (LINKINFO* child : ChildrenOf(root).categories) {
    tpl.AddLinksData(*child, ChildrenOf(child).links);
  }
  if (!m_data.ClaimTarget(final, root->m_strTitle)) {
    tpl.ClearOutputs();
    m_bFailed = true;
    return false;
  }
  FileErrorCause cause = kFileErrNone;
  if (!m_data.CommitText(final, tpl.TakePage(root->m_strTitle, n, pageName), &cause)) {
    ReportPageFailure(cause, m_data.TempPath());
    return false;
  }
  return true;
}

bool CHtmlPages::WritePlainPages(LINKINFO* category) {
  if (m_data.Cancelled()) return false;
  m_data.SettleFileName(category);
  for (LINKINFO* child : ChildrenOf(category).categories) WritePlainPages(child);
  if (m_data.Cancelled()) return false;
  // This category's one page counts as done however it ends.
  struct CPageDone {
    CDataFile& data;
    ~CPageDone() { data.FileDone(); }
  } done{m_data};
  const std::string& ext = m_data.m_pFileInfo->m_strHtmlExt;
  std::string base;
  if (!PageBase(category, base)) return false;
  std::string final;
  CDataFile::OutputPath(m_strFolder, base + "." + ext, final);  // PageBase checked this name
  if (!m_data.ClaimTarget(final, category->m_strTitle)) {
    m_bFailed = true;
    return false;
  }
  const std::string& name = category->m_strTitle;
  std::string page;
  page += "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 3.2 //EN\">\n";
  page += "<HTML>\n<HEAD>\n";
  page += "<META http-equiv=\"Content-Type\" content=\"text/html; charset=Shift_JIS\">\n";
  page += "<META name=\"GENERATOR\" content=\"Kestrelnest Application\">\n";
  page += "<TITLE>" + name + " - Kestrelnest -</TITLE>\n";
  page += "<BODY>\n";
  page += "<H3>" + name + "</H3>\n<HR>\n";
  const Children& own = ChildrenOf(category);
  if (!own.categories.empty()) {
    page += "<P>\n";
    for (const LINKINFO* child : own.categories) {
      page += "<A href=\"" + WithExtension(child->m_strFileName, ext) + "\">" + child->m_strTitle +
              "</A><BR>\n";
    }
    page += "</P>\n<HR>\n";
  }
  static const std::string bullet = ToCp932("・");
  for (const LINKINFO* link : own.links) {
    page += "<P>" + bullet + "<A href=\"" + link->m_strURL + "\">";
    if (!link->m_strBanner.empty()) page += link->m_strBanner + " - ";
    page += link->m_strTitle + "</A>";
    char date[64];
    std::snprintf(date, sizeof date, " <FONT size=2>update %04d/%02d/%02d</FONT>", link->m_nYear,
                  link->m_nMonth, link->m_nDay);
    page += date;
    if (!link->m_strComment.empty()) page += "<BR>\n" + link->m_strComment;
    page += "</P>\n";
  }
  page += "</BODY>\n</HTML>\n";
  FileErrorCause cause = kFileErrNone;
  if (!m_data.CommitText(final, page, &cause)) {
    m_bFailed = true;
    m_data.ReportError(cause, m_data.TempPath());
    return false;
  }
  return true;
}

bool RunHtmlOutput(CVeskDoc& doc, IOutputProgress* progress) {
  std::string docFolder = doc.DocFolder();
  if (docFolder.empty()) return false;
  std::string folder = OutputFolderFor(doc, doc.GetFileInfo().m_strHtmlFolder, docFolder);
  if (!MayWriteInto(doc, doc.GetFileInfo().m_strHtmlFolder, folder, docFolder)) return false;
  CDataFile data(doc);
  if (!MayReadTemplate(doc, data.TemplatePath(), docFolder)) return false;
  data.SetProgress(progress);
  CHtmlPages pages(data);
  if (pages.PublishHtml(folder)) {
    doc.UI().ShowOutputResult(data.m_strChanged);
  } else {
    doc.UI().MessageBox(ResString(kIdsNothingChanged), MbButtons::Ok, MbIcon::None);
  }
  return !pages.Failed();
}

}  // namespace vesk
