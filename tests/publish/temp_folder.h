// A fresh folder below the system's temporary folder, removed with its content afterwards.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <stdlib.h>

namespace vesk::testing {

class CTempFolder {
 public:
  CTempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vesk-test-XXXXXX").string();
    m_path = ::mkdtemp(pattern.data());
  }
  ~CTempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
  }
  // The folder path ending in '/'.
  std::string Path() const { return m_path + "/"; }
  std::string File(const std::string& name) const { return Path() + name; }

 private:
  std::string m_path;
};

inline std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

}  // namespace vesk::testing
