// CDataFile: the working object of every output and import command — the output folder, the
// commit of output files through the temporary file, the list of created or changed files and
// the category file naming rule.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "document/link_info.h"
#include "document/user_interface.h"
#include "platform/file_system.h"
#include "publish/output_progress.h"
#include "text/text_read_file.h"

namespace vesk {

class CVeskDoc;
class CVeskSettings;

// Name of the one temporary file of a run, inside the output folder.
inline constexpr const char* kTempFileName = "vesktemp.)vesk(";

// Results of CompareFiles.
enum CompareResult : int {
  kCompareEqual = 0,
  kCompareNoTarget = 1,
  kCompareNoTemp = 2,
  kCompareSizeDiffers = 3,
  kCompareNoMemory = 4,
  kCompareReadFailed = 5,
  kCompareByteDiffers = 6,
};

// Built as a local object by one command and dropped at its end.
class CDataFile {
 public:
  // For the outputs: works over the document's nodes, settings and user interface.
  explicit CDataFile(CVeskDoc& doc);
  // For an import without a document (the CSV reader).
  explicit CDataFile(IUserInterface& ui);
  virtual ~CDataFile();
  CDataFile(const CDataFile&) = delete;
  CDataFile& operator=(const CDataFile&) = delete;

  // Compares the target with the freshly written temporary file (codes above). When the
  // temporary file cannot be opened and tempCause is given, it receives the file-error cause.
  static int CompareFiles(const std::string& target, const std::string& temp,
                          FileErrorCause* tempCause = nullptr);
  // True when the file at target holds exactly bytes; lets an output that already has its
  // bytes in memory skip writing and committing a file that would not change.
  static bool HoldsBytes(const std::string& target, const std::string& bytes);
  // Replaces target by temp when their bytes differ (or target is missing) and lists target;
  // an unchanged target is left untouched and temp deleted.
  void CommitFile(const std::string& target, const std::string& temp);
  // Commits text (LF line ends, written as CR LF) to target as CommitFile does, but a target that
  // already holds those bytes is only read: an unchanged run writes no temporary file at all.
  // False with *cause set when the temporary file could not be written (the caller reports).
  bool CommitText(const std::string& target, std::string_view text, FileErrorCause* cause);
  // Whether target still holds the page this process last committed from inputs (CPageMemo):
  // then the page need not be made again.
  bool PageUnchanged(const std::string& target, std::uint64_t inputs);
  // CommitText of a page made from inputs, remembered for the next run.
  bool CommitPage(const std::string& target, std::uint64_t inputs, std::string_view text,
                  FileErrorCause* cause);
  // m_strPath followed by the temporary file name.
  std::string TempPath() const { return m_strPath + kTempFileName; }

  // Output safety: true when target may be written by this run. Its name must not start with
  // '.', nothing but a regular file may stand there (no link, folder, FIFO or device), and it
  // must be none of the document file, its template, the settings file or another output of
  // this run. A refused name is reported with the bad-file-name message, naming owner (the
  // category's title; empty for the run's own files).
  // record false: a command's single file, which may be written again by the same object.
  bool ClaimTarget(const std::string& target, const std::string& owner, bool record = true);
  // Adds a file (the template of the run) that no output may replace.
  void ProtectFile(const std::string& path);
  // Renames the written temporary file onto target without comparing or listing (the files
  // that are rewritten on every run). False after reporting.
  bool PlaceFile(const std::string& target, const std::string& temp);
  // Writes text (LF line ends, written as CR LF) to target through the temporary file of
  // target's folder and one rename, after ClaimTarget; not listed. False after reporting.
  bool WriteWholeFile(const std::string& target, const std::string& text);
  // Reports a file error naming path; a full disk is reported only once per command. False
  // when nothing was shown (a full disk told before).
  bool ReportError(FileErrorCause cause, const std::string& path);

  // The naming rule: gives the category its file name for this run ("auto" on: always the next
  // name of the series; off: only when it has none, skipping names any category already uses).
  // The document is not marked modified.
  void SettleFileName(LINKINFO* category);
  // The next name of the series "%s%d.%s" (base, counter, extension); advances the counter.
  std::string NextSeriesName();
  // True when name is safe to create inside the output folder: not empty, not "." or "..",
  // not the temporary file, and free of '/', NUL and other control characters.
  static bool IsPlainFileName(const std::string& name);
  // IsPlainFileName for a name in the file system's form (UTF-8): on Windows also free of '\\'
  // and ':', which would reach another folder, drive or stream. (The Shift_JIS form cannot be
  // checked for them: '\\' is the second byte of some of its characters.)
  static bool IsPlainSystemName(const std::string& fsName);
  // The path of the output file named by the Shift_JIS name inside folder: the name in the file
  // system's form (UTF-8), so a web server finds the file under the name the pages link to.
  // False when the name is not plain (above) or not valid Shift_JIS.
  static bool OutputPath(const std::string& folder, const std::string& cp932Name,
                         std::string& path);

  // Progress of the run's files (none by default); the run stops early when it asks to.
  void SetProgress(IOutputProgress* progress) { m_pProgress = progress; }
  // Starts counting the run's files toward total.
  void BeginFiles(std::size_t total);
  // One file of the run is finished; false once the run is to stop (the user cancelled).
  bool FileDone();
  // Ends the progress of the run.
  void EndFiles();
  // True when the user asked the run to stop.
  bool Cancelled() const { return m_bCancelled; }

  IUserInterface& UI() { return *m_pUi; }
  // The template path of the run in the file system's form, taken from the document's folder
  // when relative; empty when the field names no file.
  std::string TemplatePath() const;
  // The settings of the document's run (null for the import without a document).
  CVeskSettings* Settings() const { return m_pSettings; }

  // The HTML output (html_pages.cpp): publishes the Top Category subtree into folder; true when
  // at least one file was created or changed.
  bool PublishHtml(const std::string& folder);
  // The search page (search_page.cpp): the current category's links, written directly to path;
  // false after reporting a file error.
  bool WriteSearchPage(const std::string& path);

  // Fields of the record, in order.
  std::string m_strChanged;
  std::string m_strLastCategory;
  std::string m_strPath;
  std::unique_ptr<CTextReadFile> m_pReadFile;
  const NodeList* m_pNodeList = nullptr;  // the document's, read only
  LINKINFO* m_pCurrent = nullptr;
  LINKINFO* m_pTop = nullptr;
  FILEINFO* m_pFileInfo = nullptr;
  int m_nNameCounter = 0;

 private:
  IUserInterface* m_pUi;
  CVeskSettings* m_pSettings = nullptr;
  std::optional<bool> m_bAutoNames;  // setting "auto", read at the first naming
  std::optional<std::unordered_set<std::string>> m_usedNames;  // "auto" off: names in use
  const CVeskDoc* m_pDoc = nullptr;
  std::vector<platform::FileId> m_protectedIds;  // files no output may replace
  std::unordered_set<std::string> m_protectedPaths;
  std::unordered_set<std::string> m_claimed;  // resolved targets written by this run
  bool m_bDiskFullShown = false;
  IOutputProgress* m_pProgress = nullptr;
  std::size_t m_nFilesDone = 0;
  std::size_t m_nFilesTotal = 0;
  bool m_bCancelled = false;
  std::string m_disk;  // CommitText's buffer, kept for its capacity
  std::string m_read;  // PageUnchanged's buffer, likewise
};

}  // namespace vesk
