#include "publish/html_template.h"
#include "publish/page_memo.h"

#include <cstdio>

#include "document/link_info.h"
#include "document/user_interface.h"
#include "platform/file_removal.h"
#include "platform/file_system.h"
#include "publish/file_errors.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"
#include "settings/vesk_settings.h"
#include "text/cp932_text.h"
#include "text/encoding.h"
#include "text/file_path.h"
#include "text/text_read_file.h"
#include "text/text_write_file.h"

namespace vesk {
namespace {

// Every marker and placeholder starts with "<" or "$". A byte below 0x40 is never the second
// byte of a double-byte character, so wherever such a byte stands a character starts, and the
// plain byte search finds exactly what the character-wise search finds, only much faster.
std::size_t FindToken(const std::string& text, const std::string& what, std::size_t from = 0) {
  if (!what.empty() && static_cast<unsigned char>(what[0]) < 0x40) return text.find(what, from);
  return MbsFind(text, what, from);
}

// ReplaceText with the fast search: the first occurrence, or every one (never inside a value
// just inserted).
bool Replace(std::string& text, const std::string& find, const std::string& value, bool every) {
  std::size_t pos = FindToken(text, find);
  if (find.empty() || pos == npos) return false;
  if (!every) {
    text.replace(pos, find.size(), value);
    return true;
  }
  std::string result;
  result.reserve(text.size());
  std::size_t done = 0;
  while (pos != npos) {
    result.append(text, done, pos - done);
    result += value;
    done = pos + find.size();
    pos = FindToken(text, find, done);
  }
  result.append(text, done, npos);
  text.swap(result);
  return true;
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

// White space bytes never occur as the second byte of a double-byte character, so a plain
// byte-wise trim from the end is safe.
void StripTrailingBlanks(std::string& text) {
  std::size_t n = text.size();
  while (n > 0 && IsBlank(text[n - 1])) --n;
  text.resize(n);
}

// Splits text around [pos, pos + len) and joins the two halves tidied: white space before the cut
// goes, and so does one LF right after it.
void CutAndJoin(std::string& text, std::size_t pos, std::size_t endPos) {
  std::string before = text.substr(0, pos);
  std::size_t afterStart = endPos;
  if (afterStart < text.size() && text[afterStart] == '\n') ++afterStart;
  if (!before.empty()) StripTrailingBlanks(before);
  before.append(text, afterStart, std::string::npos);
  text = std::move(before);
}

// The end marker is looked for behind the start marker: a template whose end marker comes first
// is taken as having no end marker, so nothing is cut with a negative length.
bool FindSpan(const std::string& text, const std::string& start, const std::string& end,
              std::size_t& s, std::size_t& e) {
  s = FindToken(text, start);
  if (s == npos) return false;
  e = FindToken(text, end, s + start.size());
  return e != npos;
}

void ReplaceFirst(std::string& text, const std::string& find, const std::string& value) {
  Replace(text, find, value, false);
}

std::string Decimal(unsigned long v) { return std::to_string(v); }

std::string TwoDigits(int v) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02d", v);
  return buf;
}

// Finishes a row that still has empty cells: the cells are deleted whole. False when a cell has
// no end marker; then the row is dropped.
bool FinishRow(std::string& work, std::string& out) {
  while (FindToken(work, kMarkDelete) != npos) {
    if (!CHtmlTemplate::RemoveSpan(work, kMarkDelete, kMarkEndDelete)) return false;
  }
  out += work;
  return true;
}

// After one entry is filled: drop one cell pair; a row without open cells is complete.
void CloseCell(std::string& work, std::string& out, const std::string& block, bool& pending) {
  CHtmlTemplate::RemoveMarker(work, kMarkDelete);
  CHtmlTemplate::RemoveMarker(work, kMarkEndDelete);
  if (FindToken(work, kMarkDelete) == npos) {
    out += work;
    work = block;
    pending = false;
  } else {
    pending = true;
  }
}

}  // namespace

CHtmlTemplate::CHtmlTemplate(std::string ext, CVeskSettings* settings, IUserInterface* ui)
    : m_strExt(std::move(ext)), m_pSettings(settings), m_pUI(ui) {}

CHtmlTemplate::~CHtmlTemplate() = default;

int CHtmlTemplate::LoadTemplate(const std::string& path) {
  // A template that does not exist (or a folder named instead) is silent: the caller publishes
  // plain pages instead.
  if (path.empty() || platform::GetPathKind(path) != platform::PathKind::Other)
    return kTemplateNone;
  // The path comes from the document, which may come from someone else: only a regular file
  // of sensible size is read, so a device or a FIFO can neither hang nor flood the run.
  std::string text;
  FileErrorCause cause = kFileErrNone;
  if (!platform::ReadWholeFile(path, text, kMaxTemplateBytes, &cause)) {
    if (m_pUI != nullptr) {
      if (cause == kFileErrInvalidFile) {
        m_pUI->MessageBox(ResFormat(kIdsTemplateNotRegular, ToCp932(path)), MbButtons::Ok,
                          MbIcon::Exclamation);
      } else {
        ReportFileError(*m_pUI, cause, path);
      }
    }
    return kTemplateNone;
  }
  return LoadTemplateText(text);
}

int CHtmlTemplate::LoadTemplateText(const std::string& text) {
  std::string page;
  page.reserve(text.size() + 1);
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t lf = text.find('\n', pos);
    std::size_t end = lf == std::string::npos ? text.size() : lf;
    std::size_t lineEnd = end;
    if (lineEnd > pos && text[lineEnd - 1] == '\r') --lineEnd;
    page.append(text, pos, lineEnd - pos);
    page += '\n';
    if (lf == std::string::npos) break;
    pos = lf + 1;
  }
  m_strPage += page;
  return CutBlocks();
}

int CHtmlTemplate::CutBlocks() {
  // Inner blocks first, so their start markers stay inside the outer blocks as insertion points.
  m_strCategoryListBlock = ExtractBlock(m_strPage, kMarkCategoryListUp, kMarkEndCategoryListUp);
  m_strLinkListCommentBlock =
      ExtractBlock(m_strPage, kMarkLinkListUpComment, kMarkEndLinkListUpComment);
  m_strLinkListBlock = ExtractBlock(m_strPage, kMarkLinkListUp, kMarkEndLinkListUp);
  m_strCategoryDataBlock = ExtractBlock(m_strPage, kMarkCategoryData, kMarkEndCategoryData);
  m_strLinksDataBlock = ExtractBlock(m_strPage, kMarkLinksData, kMarkEndLinksData);
  m_strSearchDataBlock = ExtractBlock(m_strPage, kMarkSearchData, kMarkEndSearchData);
  return FindToken(m_strPage, kMarkMultiCategory) != npos ? kTemplateMulti : kTemplateSingle;
}

std::string CHtmlTemplate::ExtractBlock(std::string& text, const std::string& start,
                                        const std::string& end) {
  std::size_t s = 0, e = 0;
  if (!FindSpan(text, start, end, s, e)) return {};
  std::string before = text.substr(0, s);
  std::size_t blockStart = s + start.size();
  std::string block = text.substr(blockStart, e - blockStart);
  std::size_t afterStart = e + end.size();
  if (!before.empty()) StripTrailingBlanks(before);
  // The marker line's line break moves into the block, so instances keep their line structure.
  if (afterStart < text.size() && text[afterStart] == '\n') {
    ++afterStart;
    block += '\n';
  }
  before += start;
  before.append(text, afterStart, std::string::npos);
  text = std::move(before);
  return block;
}

bool CHtmlTemplate::RemoveMarker(std::string& text, const std::string& marker) {
  std::size_t s = FindToken(text, marker);
  if (s == npos) return false;
  CutAndJoin(text, s, s + marker.size());
  return true;
}

bool CHtmlTemplate::RemoveSpan(std::string& text, const std::string& start,
                               const std::string& end) {
  std::size_t s = 0, e = 0;
  if (!FindSpan(text, start, end, s, e)) return false;
  CutAndJoin(text, s, e + end.size());
  return true;
}

const std::string& CHtmlTemplate::MarkText(int mark) {
  if (!m_bMarksRead) {
    m_bMarksRead = true;
    if (m_pSettings != nullptr) {
      for (int i = 1; i <= 3; ++i) m_strMarks[i] = m_pSettings->MarkText(i);
    }
  }
  static const std::string empty;
  return mark >= 1 && mark <= 3 ? m_strMarks[mark] : empty;
}

bool CHtmlTemplate::ListCategories(const std::vector<const LINKINFO*>& children) {
  std::string work = m_strCategoryListBlock;
  m_strCategoryListOut.clear();
  bool pending = false;
  for (const LINKINFO* child : children) {
    ReplaceFirst(work, "$Num", Decimal(child->m_nSerial));
    ReplaceFirst(work, "$Category", child->m_strTitle);
    ReplaceFirst(work, "$Comment", child->m_strComment);
    CFilePath file(child->m_strFileName);
    ReplaceFirst(work, "$Cateflie", file.ChangeExtension(m_strExt));
    ReplaceFirst(work, "$Count", std::to_string(child->m_nChildCount));
    ReplaceFirst(work, "$New", std::string());
    CloseCell(work, m_strCategoryListOut, m_strCategoryListBlock, pending);
  }
  if (pending) return FinishRow(work, m_strCategoryListOut);
  return true;
}

bool CHtmlTemplate::ListLinks(const std::vector<const LINKINFO*>& links) {
  std::string plain = m_strLinkListBlock;
  std::string withComment = m_strLinkListCommentBlock;
  m_strLinkListOut.clear();
  m_strLinkListCommentOut.clear();
  bool plainPending = false;
  bool commentPending = false;
  m_nLinkCount = 0;
  for (const LINKINFO* link : links) {
    ++m_nLinkCount;
    bool useComment = !link->m_strComment.empty() && !m_strLinkListCommentBlock.empty();
    std::string& work = useComment ? withComment : plain;
    ReplaceFirst(work, "$Num", Decimal(link->m_nSerial));
    ReplaceFirst(work, "$Title", link->m_strTitle);
    ReplaceFirst(work, "$URL", link->m_strURL);
    ReplaceFirst(work, "$Master", link->m_strAdmin);
    ReplaceFirst(work, "$Email", link->m_strEmail);
    ReplaceFirst(work, "$Comment", link->m_strComment);
    ReplaceFirst(work, "$Banner", link->m_strBanner);
    ReplaceFirst(work, "$New", MarkText(link->m_nMark));
    ReplaceFirst(work, "$Year", std::to_string(link->m_nYear));
    ReplaceFirst(work, "$Month", TwoDigits(link->m_nMonth));
    ReplaceFirst(work, "$Day", TwoDigits(link->m_nDay));
    if (useComment) {
      CloseCell(work, m_strLinkListCommentOut, m_strLinkListCommentBlock, commentPending);
    } else {
      CloseCell(work, m_strLinkListOut, m_strLinkListBlock, plainPending);
    }
  }
  if (commentPending && !FinishRow(withComment, m_strLinkListCommentOut)) return false;
  if (plainPending && !FinishRow(plain, m_strLinkListOut)) return false;
  return true;
}

void CHtmlTemplate::AddCategoryData(const std::vector<const LINKINFO*>& children) {
  ListCategories(children);  // an unfinished row is simply missing
  std::string copy = m_strCategoryDataBlock;
  ReplaceFirst(copy, kMarkCategoryListUp, m_strCategoryListOut);
  m_strCategoryDataOut += copy;
}

void CHtmlTemplate::AddLinksData(const LINKINFO& category,
                                 const std::vector<const LINKINFO*>& links) {
  ListLinks(links);
  std::string copy = m_strLinksDataBlock;
  ReplaceFirst(copy, "$Num", Decimal(category.m_nSerial));
  ReplaceFirst(copy, "$Category", category.m_strTitle);
  ReplaceFirst(copy, "$Catefile", category.m_strFileName);
  ReplaceFirst(copy, "$Comment", category.m_strComment);
  ReplaceFirst(copy, "$Count", std::to_string(m_nLinkCount));
  ReplaceFirst(copy, kMarkLinkListUpComment, m_strLinkListCommentOut);
  ReplaceFirst(copy, kMarkLinkListUp, m_strLinkListOut);
  m_strLinksDataOut += copy;
}

std::string CHtmlTemplate::BuildPage(const std::string& categoryName, unsigned long count,
                                     const std::string& pageFileName) const {
  std::string page = m_strPage;
  ReplaceFirst(page, kMarkCategoryData, m_strCategoryDataOut);
  ReplaceFirst(page, kMarkLinksData, m_strLinksDataOut);
  ReplaceFirst(page, kMarkLinksPage, m_strLinksPageOut);
  Replace(page, "$Category", categoryName, true);
  Replace(page, "$Catefile", pageFileName, true);
  Replace(page, "$Count", Decimal(count), true);
  Replace(page, "$Keyword", std::string(), true);
  return page;
}

std::string CHtmlTemplate::TakePage(const std::string& categoryName, unsigned long count,
                                    const std::string& pageFileName) {
  std::string page = BuildPage(categoryName, count, pageFileName);
  // The outputs belong to this page whether or not it is written: a failed page must not leave
  // its sections to the next one.
  ClearOutputs();
  return page;
}

bool CHtmlTemplate::WritePage(const std::string& path, const std::string& categoryName,
                              unsigned long count, const std::string& pageFileName) {
  std::string page = TakePage(categoryName, count, pageFileName);
  m_nLastCause = kFileErrNone;
  CTextWriteFile file;
  if (!file.Open(path)) {
    m_nLastCause = file.Cause();
    return false;
  }
  file.Write(page);
  if (!file.Close()) {
    m_nLastCause = file.Cause();
    platform::RemoveFile(path);
    return false;
  }
  return true;
}

void CHtmlTemplate::ClearOutputs() {
  m_strCategoryDataOut.clear();
  m_strLinksDataOut.clear();
  m_strLinksPageOut.clear();
  m_strLinkListOut.clear();
  m_strLinkListCommentOut.clear();
  m_strCategoryListOut.clear();
}

void CHtmlTemplate::AddInputs(CInputHash& hash) {
  hash.Add(m_strPage).Add(m_strExt);
  for (const std::string* block :
       {&m_strCategoryDataBlock, &m_strLinksDataBlock, &m_strLinkListBlock,
        &m_strLinkListCommentBlock, &m_strCategoryListBlock}) {
    hash.Add(*block);
  }
  for (int mark = 0; mark < 4; ++mark) hash.Add(MarkText(mark));
}

}  // namespace vesk
