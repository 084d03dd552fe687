// CHtmlTemplate: the owner's HTML template, cut into repeatable blocks and filled page by page.
#pragma once

#include <cstddef>
#include <string>
#include <vector>
#include "platform/file_error_cause.h"

namespace vesk {

struct LINKINFO;
class CVeskSettings;
class IUserInterface;
class CInputHash;

// Marker texts of the template language, matched as whole strings.
inline constexpr const char* kMarkCategoryListUp = "<!-- Category List Up -->";
inline constexpr const char* kMarkEndCategoryListUp = "<!-- End Category List Up -->";
inline constexpr const char* kMarkLinkListUpComment = "<!-- Link List Up <Comment> -->";
inline constexpr const char* kMarkEndLinkListUpComment = "<!-- End Link List Up <Comment> -->";
inline constexpr const char* kMarkLinkListUp = "<!-- Link List Up -->";
inline constexpr const char* kMarkEndLinkListUp = "<!-- End Link List Up -->";
inline constexpr const char* kMarkCategoryData = "<!-- Category Data -->";
inline constexpr const char* kMarkEndCategoryData = "<!-- End Category Data -->";
inline constexpr const char* kMarkLinksData = "<!-- Links Data -->";
inline constexpr const char* kMarkEndLinksData = "<!-- End Links Data -->";
inline constexpr const char* kMarkLinksPage = "<!-- Links Page -->";
inline constexpr const char* kMarkMultiCategory = "<!-- Kestrelnest Multi Category -->";
// The search page's own block: cut out of the link pages (its start marker stays there as a
// comment) and shown only on the search page that needs no server program.
inline constexpr const char* kMarkSearchData = "<!-- Search Data -->";
inline constexpr const char* kMarkEndSearchData = "<!-- End Search Data -->";
inline constexpr const char* kMarkDelete = "<!-- Delete -->";
inline constexpr const char* kMarkEndDelete = "<!-- End Delete -->";

// The largest template read; a larger file is refused rather than read into memory.
inline constexpr std::size_t kMaxTemplateBytes = std::size_t{16} << 20;

// Results of LoadTemplate: bit 1 loaded, bit 0 multi-category.
enum TemplateKind : int {
  kTemplateNone = 0,
  kTemplateSingle = 2,
  kTemplateMulti = 3,
};

// One output run's template: load once, then AddCategoryData / AddLinksData / SetLinksPage /
// WritePage per page. Values are inserted verbatim (the owner's HTML).
class CHtmlTemplate {
 public:
  // ext: the HTML extension without dot. settings gives the mark texts ($New); ui reports file
  // errors. Both may be null (no mark texts, no reports).
  explicit CHtmlTemplate(std::string ext, CVeskSettings* settings = nullptr,
                         IUserInterface* ui = nullptr);
  virtual ~CHtmlTemplate();
  CHtmlTemplate(const CHtmlTemplate&) = delete;
  CHtmlTemplate& operator=(const CHtmlTemplate&) = delete;

  // Reads the template at path (the file system's bytes) in text mode and cuts its blocks out:
  // kTemplateNone when it cannot be read (a missing file silently; a special or oversized file
  // or a read error with a message).
  int LoadTemplate(const std::string& path);
  // The same from text already in memory (line ends normalised as the file reader does).
  int LoadTemplateText(const std::string& text);

  // Adds the Category Data section listing children (each with m_nChildCount set).
  void AddCategoryData(const std::vector<const LINKINFO*>& children);
  // Adds one Links Data section for category holding links (this page's share of them).
  void AddLinksData(const LINKINFO& category, const std::vector<const LINKINFO*>& links);
  void SetLinksPage(const std::string& text) { m_strLinksPageOut = text; }
  // Writes the finished page to path with CR LF line ends and empties the outputs, also when it
  // fails. pageFileName is the page-level "$Catefile" value. False when the file cannot be created
  // or written; LastWriteCause() then tells why (the caller reports it).
  bool WritePage(const std::string& path, const std::string& categoryName, unsigned long count,
                 const std::string& pageFileName);
  FileErrorCause LastWriteCause() const { return m_nLastCause; }
  // The finished page text (LF line ends); empties the outputs as WritePage does.
  std::string TakePage(const std::string& categoryName, unsigned long count,
                       const std::string& pageFileName);
  // The finished page text (LF line ends) as WritePage would write it, without emptying anything.
  std::string BuildPage(const std::string& categoryName, unsigned long count,
                        const std::string& pageFileName) const;

  // The text machinery, public for tests.
  // Cuts the first start..end block out of text; the start marker stays as insertion point.
  static std::string ExtractBlock(std::string& text, const std::string& start,
                                  const std::string& end);
  // Removes the first marker with the white space before it and one LF after it.
  static bool RemoveMarker(std::string& text, const std::string& marker);
  // Removes the first start..end span, tidied as RemoveMarker does.
  static bool RemoveSpan(std::string& text, const std::string& start, const std::string& end);
  // Fill the list outputs; false when an unfinished row had to be dropped.
  bool ListCategories(const std::vector<const LINKINFO*>& children);
  bool ListLinks(const std::vector<const LINKINFO*>& links);
  // Empties the six outputs of the page in progress.
  void ClearOutputs();
  // Everything of the loaded template that reaches a page: its text and blocks, the extension
  // and the mark texts.
  void AddInputs(CInputHash& hash);

  int m_nLinkCount = 0;
  std::string m_strCategoryDataOut;
  std::string m_strLinksDataOut;
  std::string m_strCategoryDataBlock;
  std::string m_strLinksDataBlock;
  std::string m_strLinksPageOut;
  std::string m_strLinkListOut;
  std::string m_strLinkListCommentOut;
  std::string m_strCategoryListOut;
  std::string m_strLinkListBlock;
  std::string m_strLinkListCommentBlock;
  std::string m_strCategoryListBlock;
  std::string m_strSearchDataBlock;
  std::string m_strExt;
  std::string m_strPage;

 private:
  int CutBlocks();
  const std::string& MarkText(int mark);

  CVeskSettings* m_pSettings;
  IUserInterface* m_pUI;
  // Mark texts are read once per run: a run is one command and the settings cannot change in it.
  bool m_bMarksRead = false;
  FileErrorCause m_nLastCause = kFileErrNone;
  std::string m_strMarks[4];
};

}  // namespace vesk
