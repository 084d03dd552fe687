// A fresh folder below the system's temporary folder, removed with its content afterwards, and
// byte-exact file reading and writing for the tests.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>
#include <string>

// Tests that plant symbolic links are kept to systems that can make them: Wine's
// CreateSymbolicLinkW does nothing.
#ifdef _WIN32
#define VESK_SKIP_WITHOUT_SYMLINKS() \
  GTEST_SKIP() << "needs symbolic links, which Wine cannot create"
#else
#define VESK_SKIP_WITHOUT_SYMLINKS() static_cast<void>(0)
#endif

namespace vesk::test {

// A UTF-8 path (the program's form) as a std::filesystem path, whatever the system's code page.
inline std::filesystem::path FsPath(const std::string& utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

// A std::filesystem path in the program's form: UTF-8, '/' separators.
inline std::string PathText(const std::filesystem::path& p) {
  const std::u8string u8 = p.u8string();
  std::string s(u8.begin(), u8.end());
#ifdef _WIN32
  for (char& c : s)
    if (c == '\\') c = '/';
#endif
  return s;
}

class CTempFolder {
 public:
  CTempFolder() {
#ifdef _WIN32
    // No mkdtemp: a random name, taken only when this process creates the folder.
    std::random_device seed;
    for (int attempt = 0; attempt < 100 && m_path.empty(); ++attempt) {
      const std::filesystem::path p =
          std::filesystem::temp_directory_path() / ("vesk-test-" + std::to_string(seed()));
      std::error_code ec;
      if (std::filesystem::create_directory(p, ec)) m_path = PathText(p);
    }
    if (m_path.empty()) throw std::runtime_error("cannot create a temporary folder");
#else
    std::string pattern = (std::filesystem::temp_directory_path() / "vesk-test-XXXXXX").string();
    // A failed mkdtemp gives null: stop the test here rather than work in an unknown folder.
    const char* made = ::mkdtemp(pattern.data());
    if (made == nullptr) throw std::runtime_error("cannot create a temporary folder " + pattern);
    m_path = made;
#endif
  }
  ~CTempFolder() {
    std::error_code ec;
    const std::filesystem::path folder = FsPath(m_path);
    // A test may have taken the write permission away to provoke a failure.
    std::filesystem::permissions(folder, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(folder, ec);
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
  std::ifstream in(FsPath(path), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(FsPath(path), std::ios::binary | std::ios::trunc);
  out << bytes;
}

}  // namespace vesk::test
