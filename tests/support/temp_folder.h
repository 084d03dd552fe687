// A fresh folder below the system's temporary folder, removed with its content afterwards, and
// byte-exact file reading and writing for the tests.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

namespace vesk::test {

class CTempFolder {
 public:
  CTempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vesk-test-XXXXXX").string();
    // A failed mkdtemp gives null: stop the test here rather than work in an unknown folder.
    const char* made = ::mkdtemp(pattern.data());
    if (made == nullptr) throw std::runtime_error("cannot create a temporary folder " + pattern);
    m_path = made;
  }
  ~CTempFolder() {
    std::error_code ec;
    // A test may have taken the write permission away to provoke a failure.
    std::filesystem::permissions(m_path, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(m_path, ec);
  }
  CTempFolder(const CTempFolder&) = delete;
  CTempFolder& operator=(const CTempFolder&) = delete;

  // The folder path without a trailing '/'.
  const std::string& Str() const { return m_path; }
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

}  // namespace vesk::test
