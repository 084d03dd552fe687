// Feeds arbitrary bytes to the CSV reader, and checks that every record it reads survives being
// written and read again unchanged.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "document/link_info.h"
#include "document/user_interface.h"
#include "publish/csv_file.h"
#include "publish/data_file.h"

namespace {

class SilentUi : public vesk::CHeadlessUserInterface {
 public:
  vesk::MbResult MessageBox(const std::string&, vesk::MbButtons, vesk::MbIcon) override {
    return vesk::MbResult::Ok;
  }
};

std::string TempPath() {
  static std::string path = [] {
    std::string pattern = "/tmp/vesk-fuzz-csv-XXXXXX";
    int fd = ::mkstemp(pattern.data());
    if (fd >= 0) ::close(fd);
    return pattern;
  }();
  return path;
}

void CheckRoundTrip(const vesk::LINKINFO& link, const std::string& category) {
  vesk::LINKINFO again(1, 0);
  std::string categoryAgain;
  vesk::ParseCsvRecord(vesk::CsvRecordLine(link, category), again, categoryAgain);
  if (again.m_nSerial != link.m_nSerial || categoryAgain != category ||
      again.m_strTitle != link.m_strTitle || again.m_strURL != link.m_strURL ||
      again.m_strAdmin != link.m_strAdmin || again.m_strEmail != link.m_strEmail ||
      again.m_strComment != link.m_strComment || again.m_strBanner != link.m_strBanner ||
      again.m_nMark != link.m_nMark || again.m_strKeywords != link.m_strKeywords ||
      again.m_nYear != link.m_nYear || again.m_nMonth != link.m_nMonth ||
      again.m_nDay != link.m_nDay)
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Most inputs should get past the header check.
  std::string bytes(reinterpret_cast<const char*>(data), size);
  if (size > 0 && data[0] == '!')
    bytes = "Kestrelnest CSV file Rev03\nheadings\n" + bytes.substr(1);
  const std::string path = TempPath();
  if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }
  SilentUi ui;
  vesk::CDataFile file(ui);
  if (vesk::OpenCsv(file, path) != vesk::CsvOpenResult::Ok) return 0;
  for (int i = 0; i < 2000; ++i) {
    vesk::LINKINFO link(1, 0);
    if (!vesk::ReadCsvRecord(file, link)) break;
    CheckRoundTrip(link, file.m_strLastCategory);
  }
  return 0;
}
