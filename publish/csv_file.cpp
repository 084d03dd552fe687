#include "publish/csv_file.h"

#include <cstdio>
#include <unordered_map>
#include <vector>

#include "document/veskdoc.h"
#include "publish/data_file.h"
#include "publish/file_errors.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"
#include "text/cp932_text.h"
#include "text/encoding.h"
#include "text/file_path.h"
#include "text/leading_number.h"
#include "text/text_write_file.h"

namespace vesk {

namespace {

constexpr int kColumnTitles = 9;

bool IsDateValid(int year, int month, int day) {
  return year >= 1970 && year <= 2037 && month >= 1 && month <= 12 && day >= 1 && day <= 31;
}

}  // namespace

std::string CsvHeadingLine() {
  std::string line;
  AddCsvField(line, ToCp932("通し番号"));
  AddCsvField(line, ToCp932("カテゴリー"));
  for (int i = 0; i < kColumnTitles; ++i) {
    std::string title = ResString(kIdsColumnBase + i);
    TakeToken(title, ",");
    AddCsvField(line, title);
  }
  return line;
}

std::string CsvRecordLine(const LINKINFO& link, const std::string& category) {
  std::string line;
  AddCsvField(line, std::to_string(link.m_nSerial));
  AddCsvField(line, category);
  AddCsvField(line, link.m_strTitle);
  AddCsvField(line, link.m_strURL);
  AddCsvField(line, link.m_strAdmin);
  AddCsvField(line, link.m_strEmail);
  AddCsvField(line, link.m_strComment);
  AddCsvField(line, link.m_strBanner);
  AddCsvField(line, std::to_string(link.m_nMark));
  char date[40];
  std::snprintf(date, sizeof date, "%04d/%02d/%02d", link.m_nYear, link.m_nMonth, link.m_nDay);
  AddCsvField(line, date);
  AddCsvField(line, link.m_strKeywords);
  return line;
}

void ParseCsvRecord(std::string line, LINKINFO& link, std::string& category) {
  // Serials out of range are kept: the serial check on saving offers the renumbering.
  link.m_nSerial = LeadingUnsigned(TakeCsvField(line));
  category = TakeCsvField(line);
  link.m_strTitle = TakeCsvField(line);
  link.m_strURL = TakeCsvField(line);
  link.m_strAdmin = TakeCsvField(line);
  link.m_strEmail = TakeCsvField(line);
  link.m_strComment = TakeCsvField(line);
  link.m_strBanner = TakeCsvField(line);
  link.m_nMark = LeadingInt(TakeCsvField(line));
  std::string date = TakeCsvField(line);
  link.m_strKeywords = TakeCsvField(line);

  // A date outside the range the program handles leaves the link's own (creation) date.
  int year = LeadingInt(TakeToken(date, "/"));
  int month = LeadingInt(TakeToken(date, "/"));
  int day = LeadingInt(date);
  if (IsDateValid(year, month, day)) {
    link.m_nYear = year;
    link.m_nMonth = month;
    link.m_nDay = day;
  }
}

bool WriteCsv(CDataFile& data, const std::string& path) {
  std::size_t sep = path.rfind(kPathSep);
  data.m_strPath = sep == npos ? std::string() : path.substr(0, sep);

  std::string text = kCsvSignature;
  text += "\n";
  text += CsvHeadingLine();
  text += "\n";
  if (data.m_pNodeList && data.m_pCurrent) {
    for (const LINKINFO* node : *data.m_pNodeList) {
      if (node->IsCategory() || node->m_pParent != data.m_pCurrent) continue;
      text += CsvRecordLine(*node, data.m_pCurrent->m_strTitle);
      text += "\n";
    }
  }
  // Through a temporary file and one rename, so a failed write keeps the previous file.
  return data.WriteWholeFile(path, text);
}

CsvOpenResult OpenCsv(CDataFile& data, const std::string& path) {
  data.m_pReadFile = std::make_unique<CTextReadFile>();
  if (!data.m_pReadFile->Open(path)) {
    // Told with message 10008 by the import, like any file that is not one of ours.
    data.m_pReadFile.reset();
    return CsvOpenResult::CannotOpen;
  }
  std::string line;
  if (!data.m_pReadFile->ReadLine(line)) {
    return data.m_pReadFile->Cause() != 0 ? CsvOpenResult::CannotOpen : CsvOpenResult::NotCsv;
  }
  if (TakeCsvField(line) != kCsvSignature) return CsvOpenResult::NotCsv;
  data.m_pReadFile->ReadLine(line);  // the headings are not looked at
  return CsvOpenResult::Ok;
}

bool ReadCsvRecord(CDataFile& data, LINKINFO& link) {
  if (!data.m_pReadFile) return false;
  std::string line;
  if (!data.m_pReadFile->ReadLine(line)) {
    if (data.m_pReadFile->Cause() != 0) ReportFileError(data.UI(), data.m_pReadFile->Cause());
    return false;
  }
  if (line.empty()) return false;
  ParseCsvRecord(std::move(line), link, data.m_strLastCategory);
  return true;
}

namespace {

// Gives the published categories their file names as the CGI output would (a category before
// its sub-categories, in list order), so a category without a stored name gets the one its
// CGI file has.
void SettleNamesAsCgiOutput(CVeskDoc& doc, CDataFile& data) {
  std::unordered_map<const LINKINFO*, std::vector<LINKINFO*>> children;
  for (LINKINFO* node : doc.GetNodeList()) {
    if (node->m_pParent && node->IsCategory()) children[node->m_pParent].push_back(node);
  }
  std::vector<LINKINFO*> stack;
  if (doc.GetTopCategory()) stack.push_back(doc.GetTopCategory());
  while (!stack.empty()) {
    LINKINFO* category = stack.back();
    stack.pop_back();
    data.SettleFileName(category);
    auto it = children.find(category);
    if (it != children.end()) stack.insert(stack.end(), it->second.rbegin(), it->second.rend());
  }
}

}  // namespace

bool ExportCsv(CVeskDoc& doc) {
  std::string folder = doc.DocFolder();
  if (folder.empty()) return false;
  LINKINFO* current = doc.GetCurrent();
  if (!current) return false;
  CDataFile data(doc);
  if (current->m_strFileName.empty()) SettleNamesAsCgiOutput(doc, data);
  // Without a name the file would be the hidden ".csv" that every such category shares.
  if (current->m_strFileName.empty()) {
    doc.UI().MessageBox(ResString(kIdsCsvNoFileName), MbButtons::Ok, MbIcon::Stop);
    return false;
  }
  // A file name from a hand-made document must not lead the file out of the folder.
  if (MbsFindChar(current->m_strFileName, kPathSep) != npos) {
    ReportBadFileName(doc.UI(), current->m_strFileName);
    return false;
  }
  // The name is made in Shift_JIS and written in the file system's form.
  CFilePath name(current->m_strFileName);
  std::string path;
  if (!PathFromCp932(name.ChangeExtension("csv"), path)) {
    ReportBadFileName(doc.UI(), current->m_strFileName);
    return false;
  }
  if (!WriteCsv(data, folder + path)) return false;
  doc.UI().MessageBox(ResString(kIdsCsvWritten), MbButtons::Ok, MbIcon::Information);
  return true;
}

bool ImportCsvFile(CVeskDoc& doc, const std::string& path) {
  CDataFile data(doc.UI());
  switch (OpenCsv(data, path)) {
    case CsvOpenResult::Ok:
      break;
    case CsvOpenResult::CannotOpen:
    case CsvOpenResult::NotCsv:
      doc.UI().MessageBox(ResString(kIdsNotCsvFile), MbButtons::Ok, MbIcon::Stop);
      return false;
  }

  // The parents are set explicitly as well: without a category tree to follow the selection
  // (vesk-cli), the current category would not change and the records would land elsewhere.
  LINKINFO* workBox = doc.GetWorkBox();
  doc.SelectCategory(workBox, false);
  LINKINFO* category = doc.CreateNode(NodeKind::Category);
  if (!category) return false;
  category->m_pParent = workBox;
  category->m_strTitle = "csv";
  doc.UpdateAllViews(kHintAddCategory, category);
  doc.SelectCategory(category, false);

  int group = doc.BeginUndoGroup();
  LINKINFO* last = category;
  for (;;) {
    doc.RecordUndo(last, kUndoCreated, group);
    LINKINFO* link = doc.CreateNode(NodeKind::Link);
    if (!link) return false;
    link->m_pParent = category;
    if (!ReadCsvRecord(data, *link)) {
      doc.DestroyNode(link);
      category->m_strTitle = data.m_strLastCategory;
      doc.UpdateAllViews(kHintCategoryText, category);
      return true;
    }
    doc.SerialsChanged();  // the link carries the serial of the file
    doc.UpdateAllViews(kHintNewLink, link);
    last = link;
  }
}

}  // namespace vesk
