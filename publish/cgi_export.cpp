// Writing the CGI data files of the Top Category subtree.
#include <array>
#include <cstdio>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "document/veskdoc.h"
#include "platform/file_removal.h"
#include "publish/cgi_data.h"
#include "publish/file_errors.h"
#include "publish/output_folder.h"
#include "text/cp932_text.h"
#include "text/file_path.h"
#include "text/outside_text.h"
#include "text/text_write_file.h"

namespace vesk {
namespace {

constexpr const char* kCategoryHeader = "Kestrelnest data format Rev03";

// Appends text without CR, LF and TAB, which would break the line format; with escape, also
// writes the bytes HTML gives meaning to as EscapeHtmlText does. None of these bytes can be the
// second byte of a double-byte character, so a byte search is safe. Runs of ordinary bytes are
// appended in one piece.
void AppendField(std::string& out, const std::string& text, bool escape) {
  // 1 = dropped, 2 = escaped; one table lookup per byte.
  static const auto kind = [] {
    std::array<unsigned char, 256> t{};
    t['\r'] = t['\n'] = t['\t'] = 1;
    for (int c = 0; c < 256; ++c) {
      if (HtmlReferenceFor(static_cast<char>(c)) != nullptr) t[static_cast<std::size_t>(c)] = 2;
    }
    return t;
  }();
  const unsigned char limit = escape ? 2 : 1;
  const char* data = text.data();
  std::size_t size = text.size(), start = 0;
  for (std::size_t i = 0; i < size; ++i) {
    unsigned char k = kind[static_cast<unsigned char>(data[i])];
    if (k == 0 || k > limit) continue;
    out.append(data + start, i - start);
    start = i + 1;
    // CR, LF and TAB are dropped.
    if (const char* reference = HtmlReferenceFor(data[i])) out += reference;
  }
  out.append(data + start, size - start);
}

void AppendClean(std::string& out, const std::string& text) { AppendField(out, text, false); }

void AppendCleanEscaped(std::string& out, const std::string& text) { AppendField(out, text, true); }

void AppendUnsigned(std::string& out, std::uint32_t value) {
  char buf[16];
  int n = std::snprintf(buf, sizeof buf, "%lu", static_cast<unsigned long>(value));
  out.append(buf, static_cast<std::size_t>(n));
}

void AppendSigned(std::string& out, std::int32_t value) {
  char buf[16];
  int n = std::snprintf(buf, sizeof buf, "%ld", static_cast<long>(value));
  out.append(buf, static_cast<std::size_t>(n));
}

class CCgiExport {
 public:
  CCgiExport(CVeskDoc& doc, CDataFile& data) : m_doc(doc), m_data(data), m_ui(data.UI()) {}

  bool Run(const std::string& folder) {
    m_data.m_strPath = folder;
    m_data.m_nNameCounter = 0;
    if (!m_data.m_pTop) return false;
    m_bTag = m_doc.Settings().GetTag() != 0;
    for (int mark = 1; mark <= 3; ++mark) m_markText[mark] = m_doc.Settings().MarkText(mark);
    IndexChildren();
    // One file per category and the search-format file.
    m_data.BeginFiles(CountCategories(m_data.m_pTop) + 1);
    const bool topWritten = WriteCategoryFiles(m_data.m_pTop);
    // Stopped by the user: what is written stays, the search-format file is left as it was.
    bool ok = !m_data.Cancelled() && topWritten;
    if (ok) {
      ok = WriteSearchFile();
      m_data.FileDone();
    }
    m_data.EndFiles();
    if (!ok && !m_data.Cancelled()) return false;
    return !m_data.m_strChanged.empty();
  }
  bool Failed() const { return m_bFailed; }

 private:
  // One pass over the node list, so the export stays linear in the size of the collection.
  void IndexChildren() {
    for (LINKINFO* node : *m_data.m_pNodeList) {
      if (node->m_pParent) m_children[node->m_pParent].push_back(node);
    }
  }
  std::size_t CountCategories(const LINKINFO* root) const {
    std::size_t count = 0;
    std::vector<const LINKINFO*> stack{root};
    while (!stack.empty()) {
      const LINKINFO* c = stack.back();
      stack.pop_back();
      ++count;
      for (const LINKINFO* n : Children(c)) {
        if (n->IsCategory()) stack.push_back(n);
      }
    }
    return count;
  }
  const std::vector<LINKINFO*>& Children(const LINKINFO* category) const {
    static const std::vector<LINKINFO*> none;
    auto it = m_children.find(category);
    return it == m_children.end() ? none : it->second;
  }

  // Names each category before its sub-categories and writes each file after theirs, walking
  // with an explicit stack so a deep tree cannot exhaust the call stack.
  bool WriteCategoryFiles(LINKINFO* root) {
    struct Frame {
      LINKINFO* category;
      std::size_t next;
    };
    m_data.SettleFileName(root);
    std::vector<Frame> stack{{root, 0}};
    bool result = false;
    while (!stack.empty()) {
      Frame& top = stack.back();
      const auto& children = Children(top.category);
      while (top.next < children.size() && !children[top.next]->IsCategory()) ++top.next;
      if (top.next < children.size()) {
        LINKINFO* sub = children[top.next++];
        m_data.SettleFileName(sub);
        stack.push_back({sub, 0});
        continue;
      }
      result = WriteCategoryFile(top.category);
      stack.pop_back();
      if (!m_data.FileDone()) return false;
    }
    return result;
  }

  bool WriteCategoryFile(LINKINFO* c) {
    const std::string& name = c->m_strFileName;
    std::string target;
    const bool plain = CDataFile::OutputPath(m_data.m_strPath, name, target);
    if (!plain || !m_data.ClaimTarget(target, c->m_strTitle)) {
      // Nothing may land outside the output folder or break the parent's lines.
      // (ClaimTarget has told the user already.)
      m_refused.insert(c);
      m_bFailed = true;
      if (!plain) ReportBadFileName(m_ui, c->m_strTitle + " (" + name + ")");
      return false;
    }
    const auto& children = Children(c);
    std::size_t listed = 0;
    for (const LINKINFO* n : children) {
      if (!n->IsCategory() || !m_refused.count(n)) ++listed;
    }
    std::string& out = m_buffer;
    out.clear();
    out += kCategoryHeader;
    out += '\n';
    AppendClean(out, c->m_strTitle);
    out += '\t';
    AppendUnsigned(out, static_cast<std::uint32_t>(listed));
    out += '\t';
    AppendSigned(out, c->m_tUpdate);
    out += '\t';
    AppendClean(out, c->m_strComment);
    out += "\t\n<!-- category data -->\n";
    for (const LINKINFO* n : children) {
      if (n->IsCategory() && !m_refused.count(n)) {
        out += n->m_strFileName;
        out += '\n';
      }
    }
    out += "<!-- Link data -->\n";
    for (const LINKINFO* n : children) {
      if (!n->IsCategory()) AppendLinkLine(out, *n);
    }

    FileErrorCause cause = kFileErrNone;
    if (!m_data.CommitText(target, out, &cause)) {
      m_bFailed = true;
      m_data.ReportError(cause, m_data.TempPath());
      return false;
    }
    return true;
  }

  void AppendLinkLine(std::string& out, const LINKINFO& link) const {
    AppendUnsigned(out, link.m_nSerial);
    out += '\t';
    AppendClean(out, link.m_strTitle);
    out += '\t';
    AppendClean(out, link.m_strURL);
    out += '\t';
    if (m_bTag) {
      AppendClean(out, link.m_strComment);
    } else {
      AppendCleanEscaped(out, link.m_strComment);
    }
    out += '\t';
    AppendClean(out, link.m_strBanner);
    out += '\t';
    if (link.m_nMark >= 1 && link.m_nMark <= 3) AppendClean(out, m_markText[link.m_nMark]);
    out += '\t';
    AppendUnsigned(out, static_cast<std::uint32_t>(link.m_tUpdate));
    out += '\t';
    AppendClean(out, link.m_strAdmin);
    out += '\t';
    AppendClean(out, link.m_strEmail);
    out += '\n';
  }

  bool WriteSearchFile() {
    const std::string& name = m_data.m_pFileInfo->m_strSearchFile;
    std::string target;
    if (!CDataFile::OutputPath(m_data.m_strPath, name, target)) {
      m_bFailed = true;
      ReportBadFileName(m_ui, name);
      return false;
    }
    if (!m_data.ClaimTarget(target, {})) {
      m_bFailed = true;
      return false;
    }
    // Written whole to the temporary file and renamed into place, so a full disk leaves the
    // previous file as it was.
    const std::string temp = m_data.TempPath();
    CTextWriteFile file;
    if (!file.Open(temp)) {
      m_bFailed = true;
      m_data.ReportError(file.Cause(), temp);
      return false;
    }
    std::string& out = m_buffer;
    out.clear();
    out += kCgiSearchHeader;
    out += '\n';
    // Category by category in list order, descending where a sub-category stands.
    struct Frame {
      const LINKINFO* category;
      std::size_t next;
    };
    std::vector<Frame> stack{{m_data.m_pTop, 0}};
    while (!stack.empty()) {
      Frame& top = stack.back();
      const auto& children = Children(top.category);
      if (top.next == children.size()) {
        stack.pop_back();
        continue;
      }
      const LINKINFO* n = children[top.next++];
      if (n->IsCategory()) {
        stack.push_back({n, 0});
      } else if (!m_refused.count(top.category)) {
        AppendCgiSearchLine(out, *n, *top.category);
      }
      if (out.size() >= (1u << 16)) {
        file.Write(out);
        out.clear();
      }
    }
    file.Write(out);
    if (!file.Close()) {
      m_bFailed = true;
      m_data.ReportError(file.Cause(), temp);
      platform::RemoveFile(temp);
      return false;
    }
    if (!m_data.PlaceFile(target, temp)) {
      m_bFailed = true;
      return false;
    }
    return true;
  }

  CVeskDoc& m_doc;
  CDataFile& m_data;
  IUserInterface& m_ui;
  bool m_bTag = false;
  std::string m_markText[4];
  std::unordered_map<const LINKINFO*, std::vector<LINKINFO*>> m_children;
  std::unordered_set<const LINKINFO*> m_refused;
  std::string m_buffer;
  bool m_bFailed = false;
};

}  // namespace

void AppendCgiField(std::string& out, const std::string& text) { AppendClean(out, text); }

void AppendCgiSearchLine(std::string& out, const LINKINFO& link, const LINKINFO& category) {
  std::string text;
  if (link.m_nFlags & kFlagCategoryName) AppendWithSeparator(text, category.m_strTitle, " ");
  if (link.m_nFlags & kFlagTitle) AppendWithSeparator(text, link.m_strTitle, " ");
  if (link.m_nFlags & kFlagComment) AppendWithSeparator(text, link.m_strComment, " ");
  AppendWithSeparator(text, link.m_strKeywords, " ");
  for (char& ch : text) {
    if (ch == '\t') ch = ' ';
  }
  NarrowText(text);
  AppendUnsigned(out, link.m_nSerial);
  out += '\t';
  AppendUnsigned(out, static_cast<std::uint32_t>(link.m_tUpdate));
  out += '\t';
  out += category.m_strFileName;
  out += "\t::\t";
  AppendClean(out, text);
  out += '\n';
}

bool ExportCgiData(CVeskDoc& doc, CDataFile& data, const std::string& folder, bool* failed) {
  CCgiExport run(doc, data);
  bool changed = run.Run(folder);
  if (failed) *failed = run.Failed();
  return changed;
}

bool RunCgiOutput(CVeskDoc& doc, IOutputProgress* progress) {
  std::string docFolder = doc.DocFolder();
  if (docFolder.empty()) return false;
  std::string folder = OutputFolderFor(doc, doc.GetFileInfo().m_strCgiFolder, docFolder);
  if (!MayWriteInto(doc, doc.GetFileInfo().m_strCgiFolder, folder, docFolder)) return false;
  CDataFile data(doc);
  data.SetProgress(progress);
  bool failed = false;
  if (ExportCgiData(doc, data, folder, &failed)) doc.UI().ShowOutputResult(data.m_strChanged);
  return !failed;
}

}  // namespace vesk
