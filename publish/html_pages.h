// The HTML output: link pages of the published tree from the owner's template (or plain pages),
// committed through CDataFile.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "document/link_info.h"
#include "platform/file_error_cause.h"
#include "publish/page_memo.h"

namespace vesk {

class CDataFile;
class CHtmlTemplate;
class CVeskDoc;
class IOutputProgress;

// One HTML output run over a CDataFile. The children of every category are indexed once, so the
// run is linear in the size of the collection however many pages it writes.
class CHtmlPages {
 public:
  explicit CHtmlPages(CDataFile& data);

  // Publishes the Top Category subtree into folder (ending in the separator); true when at least
  // one file was created or changed.
  bool PublishHtml(const std::string& folder);

  // Links directly in category.
  unsigned long CountLinks(const LINKINFO* category) const;
  // Direct child categories in node-list order; sets each one's m_nChildCount.
  std::vector<const LINKINFO*> CollectChildCategories(const LINKINFO* category) const;
  // The links of category that fall on page (1-based).
  std::vector<const LINKINFO*> CollectPageLinks(const LINKINFO* category, unsigned page) const;
  // "- 1 <A href=...>2</A> -": the page links relative to the page base's own folder.
  std::string BuildPageNavigation(const std::string& base, const LINKINFO* category,
                                  unsigned page) const;
  bool WritePlainPages(LINKINFO* category);
  bool WriteCategoryPages(LINKINFO* category, CHtmlTemplate& tpl);
  bool WriteMultiPage(LINKINFO* root, CHtmlTemplate& tpl);

  // Links per page of the run; a value below 1 (hand-made or damaged document) counts as 20.
  unsigned LinksPerPage() const { return m_nPerPage; }
  // True when a page of the run could not be written or its name was refused.
  bool Failed() const { return m_bFailed; }

 private:
  struct Children {
    std::vector<LINKINFO*> categories;
    std::vector<const LINKINFO*> links;
  };
  void BuildIndex();
  // Pages the run will write below root (root included): one per category, or with paged as
  // many as its links fill (at least one).
  std::size_t CountPages(const LINKINFO* root, bool paged) const;
  // Counts the pages of a category left unwritten after page (of pages) failed as done.
  void SkipPages(unsigned long pages, unsigned long page);
  const Children& ChildrenOf(const LINKINFO* category) const;
  // The category's page base (its Shift_JIS file name cut before its last "."), or false after
  // reporting a file name that would leave the output folder or has no file-system form.
  bool PageBase(const LINKINFO* category, std::string& base);
  // What every page of a category is made from besides its own links.
  CInputHash CategoryInputs(const LINKINFO& category, const std::vector<const LINKINFO*>& children,
                            unsigned long links, const std::string& base) const;
  // Tells the user why a template page could not be written.
  void ReportPageFailure(FileErrorCause cause, const std::string& temp);

  CDataFile& m_data;
  std::string m_strFolder;
  unsigned m_nPerPage = 20;
  bool m_bFailed = false;
  std::uint64_t m_nTemplateInputs = 0;  // the digest of the run's template and settings
  std::unordered_map<const LINKINFO*, Children> m_index;
};

// The HTML output command: settles the document folder (saving first), chooses the output folder,
// publishes, then shows the result list or message 10068. False when the user cancelled or a
// page failed.
// With progress, the user may stop the run after any page; the result list then shows the pages
// written so far.
bool RunHtmlOutput(CVeskDoc& doc, IOutputProgress* progress = nullptr);

}  // namespace vesk
