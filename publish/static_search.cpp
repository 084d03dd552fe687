// The search page that needs no program on the server.
#include "publish/static_search.h"

#include <string>
#include <unordered_map>
#include <vector>

#include "document/user_interface.h"
#include "document/veskdoc.h"
#include "publish/cgi_data.h"
#include "publish/data_file.h"
#include "publish/file_errors.h"
#include "publish/html_template.h"
#include "publish/output_folder.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"
#include "text/cp932_text.h"
#include "text/encoding.h"

namespace vesk {
namespace {

std::string Stem(const std::string& fileName) {
  std::size_t dot = MbsReverseFindChar(fileName, '.');
  return dot == npos ? fileName : fileName.substr(0, dot);
}

std::string PageName(const std::string& base, unsigned long page, const std::string& ext) {
  if (page <= 1) return base + "." + ext;
  return base + "_" + std::to_string(page) + "." + ext;
}

class CSearchPageRun {
 public:
  explicit CSearchPageRun(CDataFile& data) : m_data(data), m_info(*data.m_pFileInfo) {
    m_nPerPage = m_info.m_nLinksPerPage >= 1 ? static_cast<unsigned>(m_info.m_nLinksPerPage) : 20;
  }

  bool Run(const std::string& folder) {
    m_data.m_strPath = folder;
    m_data.m_nNameCounter = 0;
    if (!m_data.m_pTop) return false;
    for (LINKINFO* node : *m_data.m_pNodeList) {
      if (node->m_pParent) m_children[node->m_pParent].push_back(node);
    }
    // Only the kind of the template matters here: it decides how the link pages are named.
    CHtmlTemplate tpl(m_info.m_strHtmlExt);
    m_nTemplateKind = tpl.LoadTemplate(m_data.TemplatePath());
    BuildIndexAndText();
    const std::string pageName = kSearchPageStem + std::string(".") + m_info.m_strHtmlExt;
    Commit(kSearchTextName, m_text);
    Commit(kSearchIndexName, m_index);
    Commit(kSearchScriptName, SearchPageScript());
    Commit(pageName, m_nTemplateKind != kTemplateNone && !tpl.m_strSearchDataBlock.empty()
                         ? TemplatePageText(tpl, pageName)
                         : PageText());
    return !m_data.m_strChanged.empty();
  }
  bool Failed() const { return m_bFailed; }

 private:
  const std::vector<LINKINFO*>& Children(const LINKINFO* category) const {
    static const std::vector<LINKINFO*> none;
    auto it = m_children.find(category);
    return it == m_children.end() ? none : it->second;
  }

  // A category's page base, or empty when its file name would leave the output folder (the link
  // pages refuse such a name, so its links are left out as the CGI output leaves them out).
  std::string PageBase(const LINKINFO* category) const {
    const std::string& name = category->m_strFileName;
    std::string path;
    if (!CDataFile::IsPlainFileName(name) ||
        !CDataFile::OutputPath(m_data.m_strPath, Stem(name) + "." + m_info.m_strHtmlExt, path)) {
      return {};
    }
    return Stem(name);
  }

  // The search-format lines and the index lines, one each per link in the same order: category by
  // category, descending where a sub-category stands, each named (as the other outputs name
  // them) before its sub-categories.
  void BuildIndexAndText() {
    struct Frame {
      const LINKINFO* category;
      std::size_t next;
      std::string base;
      unsigned long links;
    };
    m_text = std::string(kCgiSearchHeader) + "\n";
    m_index = std::string(kSearchIndexHeader) + "\n";
    const std::string& ext = m_info.m_strHtmlExt;
    m_data.SettleFileName(m_data.m_pTop);
    m_strTopPage = PageBase(m_data.m_pTop);
    if (!m_strTopPage.empty()) m_strTopPage += "." + ext;
    std::vector<Frame> stack{{m_data.m_pTop, 0, PageBase(m_data.m_pTop), 0}};
    while (!stack.empty()) {
      Frame& top = stack.back();
      const auto& children = Children(top.category);
      if (top.next == children.size()) {
        stack.pop_back();
        continue;
      }
      LINKINFO* n = children[top.next++];
      if (n->IsCategory()) {
        m_data.SettleFileName(n);
        stack.push_back({n, 0, PageBase(n), 0});
        continue;
      }
      if (top.base.empty()) continue;
      const unsigned long position = top.links++;
      std::string page;
      if (m_nTemplateKind == kTemplateMulti) {
        page = m_strTopPage;
      } else if (m_nTemplateKind == kTemplateSingle) {
        page = PageName(top.base, position / m_nPerPage + 1, ext);
      } else {
        page = top.base + "." + ext;
      }
      AppendCgiSearchLine(m_text, *n, *top.category);
      ++m_nLinks;
      m_index += std::to_string(n->m_nSerial);
      const std::string* fields[] = {&n->m_strTitle, &n->m_strURL, &n->m_strComment, &page,
                                     &top.category->m_strTitle};
      for (const std::string* field : fields) {
        m_index += '\t';
        AppendCgiField(m_index, *field);
      }
      m_index += '\n';
    }
  }

  // The form with the files, page size and texts the script finds in it (so the script itself
  // stays plain ASCII).
  std::string FormText() const {
    std::string out;
    out += "<FORM id=\"vesk-search\" action=\"#\" data-text=\"";
    out += kSearchTextName;
    out += "\" data-index=\"";
    out += kSearchIndexName;
    out += "\" data-per-page=\"" + std::to_string(m_nPerPage) + "\"";
    out += ToCp932(
        "\n data-loading=\"検索データを読み込んでいます。\""
        "\n data-failed=\"検索データを読み込めませんでした。このページは Web サーバーに置いて "
        "http:// で開いてください。(file:// ではブラウザーが読み込みを許しません)\""
        "\n data-stale=\"検索データが古くなっています。検索ページを出力し直してください。\""
        "\n data-empty=\"検索する言葉を入力してください。\""
        "\n data-none=\"該当するリンクはありません。\""
        "\n data-count=\"%1 件見つかりました。\""
        "\n data-category=\"カテゴリー\">\n");
    out += ToCp932(
        "<INPUT type=\"text\" name=\"q\" size=\"40\"> <INPUT type=\"submit\" value=\"検索\">\n");
    out += "</FORM>\n";
    return out;
  }

  // Where the hits go, and the script, which must come after the form.
  std::string ResultText() const {
    std::string out;
    out += ToCp932("<DIV id=\"vesk-search-result\"><P>検索データを読み込んでいます。</P></DIV>\n");
    out += ToCp932("<NOSCRIPT><P>検索には JavaScript が必要です。</P></NOSCRIPT>\n");
    out += "<SCRIPT type=\"text/javascript\" src=\"";
    out += kSearchScriptName;
    out += "\"></SCRIPT>\n";
    return out;
  }

  // The plain page, in the style of the plain link pages.
  std::string PageText() const {
    std::string out;
    out += "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 3.2 //EN\">\n";
    out += "<HTML>\n<HEAD>\n";
    out += "<META http-equiv=\"Content-Type\" content=\"text/html; charset=Shift_JIS\">\n";
    out += "<META name=\"GENERATOR\" content=\"Kestrelnest Application\">\n";
    out += ToCp932("<TITLE>検索 - Kestrelnest -</TITLE>\n");
    out += "</HEAD>\n<BODY>\n";
    out += ToCp932("<H3>検索</H3>\n<HR>\n");
    out += FormText();
    out += ResultText();
    if (!m_strTopPage.empty()) {
      out += "<HR>\n<P><A href=\"" + m_strTopPage + "\">";
      out += m_data.m_pTop->m_strTitle;
      out += "</A></P>\n";
    }
    out += "</BODY>\n</HTML>\n";
    return out;
  }

  // The owner's template with its search block: the page-level placeholders as on a link page
  // ("$Category" is "検索", "$Count" the number of links searched), no category or link
  // sections, and the block in their place with "$SearchForm" and "$SearchResult" filled (both
  // appended to the block when it names neither).
  std::string TemplatePageText(const CHtmlTemplate& tpl, const std::string& pageName) const {
    const std::string title = ToCp932("検索");
    const std::string count = std::to_string(m_nLinks);
    std::string block = tpl.m_strSearchDataBlock;
    const bool form = ReplaceText(block, "$SearchForm", FormText(), true);
    const bool result = ReplaceText(block, "$SearchResult", ResultText(), true);
    if (!form && !result) block += FormText() + ResultText();
    ReplaceText(block, "$Category", title, true);
    ReplaceText(block, "$Catefile", pageName, true);
    ReplaceText(block, "$Count", count, true);
    ReplaceText(block, "$Keyword", std::string(), true);
    std::string page = tpl.BuildPage(title, m_nLinks, pageName);
    if (!ReplaceText(page, kMarkSearchData, block, false)) page += block;
    return page;
  }

  void Commit(const std::string& name, const std::string& text) {
    std::string target;
    if (!CDataFile::OutputPath(m_data.m_strPath, name, target)) {
      m_bFailed = true;
      ReportBadFileName(m_data.UI(), name);
      return;
    }
    if (!m_data.ClaimTarget(target, {})) {
      m_bFailed = true;
      return;
    }
    FileErrorCause cause = kFileErrNone;
    if (!m_data.CommitText(target, text, &cause)) {
      m_bFailed = true;
      m_data.ReportError(cause, m_data.TempPath());
    }
  }

  CDataFile& m_data;
  const FILEINFO& m_info;
  unsigned m_nPerPage = 20;
  int m_nTemplateKind = kTemplateNone;
  unsigned long m_nLinks = 0;
  bool m_bFailed = false;
  std::unordered_map<const LINKINFO*, std::vector<LINKINFO*>> m_children;
  std::string m_text;
  std::string m_index;
  std::string m_strTopPage;
};

}  // namespace

bool PublishSearchPage(CDataFile& data, const std::string& folder, bool* failed) {
  CSearchPageRun run(data);
  bool changed = run.Run(folder);
  if (failed) *failed = run.Failed();
  return changed;
}

bool RunSearchPageOutput(CVeskDoc& doc) {
  std::string docFolder = doc.DocFolder();
  if (docFolder.empty()) return false;
  std::string folder = OutputFolderFor(doc, doc.GetFileInfo().m_strHtmlFolder, docFolder);
  if (!MayWriteInto(doc, doc.GetFileInfo().m_strHtmlFolder, folder, docFolder)) return false;
  CDataFile data(doc);
  // The owner's template may give the page its look, so it is read as the link pages read it.
  if (!MayReadTemplate(doc, data.TemplatePath(), docFolder)) return false;
  bool failed = false;
  if (PublishSearchPage(data, folder, &failed)) {
    doc.UI().ShowOutputResult(data.m_strChanged);
  } else if (!failed) {
    doc.UI().MessageBox(ResString(kIdsNothingChanged), MbButtons::Ok, MbIcon::None);
  }
  return !failed;
}

}  // namespace vesk
