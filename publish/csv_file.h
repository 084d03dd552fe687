// The CSV file of one category's links: the export beside the document and the import into a
// new category of the work box.
#pragma once

#include <cstdint>
#include <string>

#include "document/link_info.h"

namespace vesk {

class CDataFile;
class CVeskDoc;

// First field of line 1 of every CSV file of the program.
inline constexpr const char* kCsvSignature = "Kestrelnest CSV file Rev03";

// Line 2: the eleven column headings joined by the CSV field rule.
std::string CsvHeadingLine();
// One record line (without line end) for link, category being its category's title.
std::string CsvRecordLine(const LINKINFO& link, const std::string& category);
// Stores the fields of one record line into link; category receives field 2.
void ParseCsvRecord(std::string line, LINKINFO& link, std::string& category);
// Writes the links whose parent is data.m_pCurrent to path; reports a failure and returns false.
bool WriteCsv(CDataFile& data, const std::string& path);

enum class CsvOpenResult { Ok, CannotOpen, NotCsv };
// Opens path as data's read file and checks line 1; skips the heading line.
CsvOpenResult OpenCsv(CDataFile& data, const std::string& path);
// Reads the next record into link and its category into data.m_strLastCategory; false at the
// end, at an empty line, or after a reported read error.
bool ReadCsvRecord(CDataFile& data, LINKINFO& link);

// The CSV output command: the current category's links to <document folder>/<file name>.csv,
// then message 10007. False when cancelled or failed (the failure is reported).
bool ExportCsv(CVeskDoc& doc);
// The CSV import: the records of path become links of a new category in the work box, one
// undo group. False when the file is refused (reported) or a node cannot be created.
bool ImportCsvFile(CVeskDoc& doc, const std::string& path);

}  // namespace vesk
