// The settings file is the store of the POSIX build; Windows keeps its settings in the registry.
#ifndef _WIN32

#include "settings/settings_file_backend.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "settings/vesk_settings.h"
#include "support/temp_folder.h"

namespace vesk::platform {
namespace {

using vesk::test::CTempFolder;
using vesk::test::ReadBytes;
using vesk::test::WriteBytes;

struct Warnings {
  std::vector<std::string> seen;
  CSettingsFileBackend::WarningSink Sink() {
    return [this](const std::string& t) { seen.push_back(t); };
  }
};

std::vector<std::string> FolderEntries(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(folder))
    names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

TEST(SettingsFileBackend, StoresValuesInAReadableFileUnderTheApplicationKey) {
  CTempFolder tmp;
  std::string path = tmp.File("sub/vesk/settings.txt");  // missing folders are created
  {
    CSettingsFileBackend b(path);
    CVeskSettings s(b);
    EXPECT_FALSE(b.KeyExists(""));
    EXPECT_EQ(s.GetAuto(), 1);  // the read creates the key path, so the file now exists
    EXPECT_TRUE(b.KeyExists(""));
    s.SetCheckData("\x83\x60\x83\x46\x83\x62\x83\x4E");  // "チェック"
    s.SetLinkFlag(0x2300);
  }
  std::string text = ReadBytes(path);
  EXPECT_NE(text.find("[HKEY_CURRENT_USER\\Software\\Tamberlinwork\\vesk\\Settings\\Data]\r\n"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("\"Checkdata\"=\"チェック\"\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\"linkflag\"=dword:00002300\r\n"), std::string::npos) << text;
  CSettingsFileBackend again(path);
  CVeskSettings s(again);
  EXPECT_EQ(s.MarkText(3), "\x83\x60\x83\x46\x83\x62\x83\x4E");
  EXPECT_EQ(s.GetLinkFlag(), 0x2300);
}

TEST(SettingsFileBackend, NamesInTheFileIgnoreCase) {
  CTempFolder tmp;
  std::string path = tmp.File("settings.txt");
  WriteBytes(path,
             "[hkey_current_user\\SOFTWARE\\tamberlinwork\\VESK\\settings\\DATA]\n"
             "\"COOLDATA\"=\"<b>cool</b>\"\n\"Tail\"=dword:0\n");
  CSettingsFileBackend b(path);
  CVeskSettings s(b);
  EXPECT_EQ(s.MarkText(1), "<b>cool</b>");
  EXPECT_EQ(s.GetTail(), 0);
  s.SetCoolData("new");  // overwrites the same value, not a second one
  std::string text = ReadBytes(path);
  EXPECT_NE(text.find("\"COOLDATA\"=\"new\""), std::string::npos) << text;
  EXPECT_EQ(text.find("Cooldata"), std::string::npos) << text;
}

TEST(SettingsFileBackend, WritesReplaceTheFileWholeAndLeaveNoTemporaryFiles) {
  CTempFolder tmp;
  std::string path = tmp.File("settings.txt");
  CSettingsFileBackend b(path);
  CVeskSettings s(b);
  s.SetTag(1);
  std::string before = ReadBytes(path);
  // A second name for the old file: a rewrite in place would change what it shows.
  ASSERT_EQ(::link(path.c_str(), tmp.File("old-link").c_str()), 0);
  s.SetTag(0);
  EXPECT_EQ(ReadBytes(tmp.File("old-link")), before);
  EXPECT_NE(ReadBytes(path), before);
  EXPECT_EQ(FolderEntries(tmp.Path()),
            (std::vector<std::string>{"old-link", "settings.txt", "settings.txt.bak",
                                      "settings.txt.lock"}));
  // The backup holds the file as it was before this backend first changed it.
  EXPECT_EQ(ReadBytes(path + ".bak"), before);
  s.SetTag(1);
  EXPECT_EQ(ReadBytes(path + ".bak"), before);
}

TEST(SettingsFileBackend, DamagedFileGivesDefaultsWarnsOnceAndIsKeptBeforeItIsReplaced) {
  CTempFolder tmp;
  std::string path = tmp.File("settings.txt");
  const std::string garbage =
      "[HKEY_CURRENT_USER\\Software\\Tamberlinwork\\vesk\\Settings\\Data]\n\"tag\"=dword:1\n"
      "\x01\x02 this is not a settings line\n";
  WriteBytes(path, garbage);
  Warnings w;
  CSettingsFileBackend b(path, w.Sink());
  CVeskSettings s(b);
  EXPECT_EQ(s.GetTag(), 0);  // nothing of a damaged file is trusted
  EXPECT_EQ(s.GetAuto(), 1);
  EXPECT_EQ(s.GetHeader(4), 0x1004);
  ASSERT_EQ(w.seen.size(), 1u);
  EXPECT_NE(w.seen[0].find("line 3"), std::string::npos) << w.seen[0];
  EXPECT_EQ(ReadBytes(path), garbage);  // reads alone never replace it
  s.SetOpen(1);
  EXPECT_EQ(w.seen.size(), 1u);
  ASSERT_FALSE(b.DamagedCopyPath().empty());
  EXPECT_EQ(ReadBytes(b.DamagedCopyPath()), garbage);
  EXPECT_EQ(s.GetOpen(), 1);
  CSettingsFileBackend fresh(path, w.Sink());
  EXPECT_EQ(CVeskSettings(fresh).GetOpen(), 1);
  EXPECT_EQ(w.seen.size(), 1u);
}

TEST(SettingsFileBackend, UnreadableFileGivesDefaultsAndRefusesToReplaceIt) {
  CTempFolder tmp;
  std::string path = tmp.File("settings.txt");
  ASSERT_EQ(::mkdir(path.c_str(), 0700), 0);  // something that cannot be read as a file
  Warnings w;
  CSettingsFileBackend b(path, w.Sink());
  CVeskSettings s(b);
  EXPECT_EQ(s.GetWindowValue("cx"), 550);
  EXPECT_EQ(s.GetSearchMode(), 0x200);
  EXPECT_FALSE(b.WriteDword("Search", "Mode", 1));
  EXPECT_EQ(s.GetSearchMode(), 0x200);
  EXPECT_EQ(w.seen.size(), 1u);
  EXPECT_TRUE(std::filesystem::is_directory(path));
}

TEST(SettingsFileBackend, AReaderSeesAnotherWritersChanges) {
  CTempFolder tmp;
  std::string path = tmp.File("settings.txt");
  CSettingsFileBackend reader(path), writer(path);
  CVeskSettings r(reader), w(writer);
  EXPECT_EQ(r.GetGridLine(), 0);
  w.SetGridLine(1);
  EXPECT_EQ(r.GetGridLine(), 1);
  w.SetBannerTemplate(1, std::nullopt);
  w.SetGenreList("a\tb\t");
  EXPECT_EQ(r.GetGenreList(), "a\tb\t");
}

TEST(SettingsFileBackend, TwoWritersKeepEachOthersValues) {
  CTempFolder tmp;
  std::string path = tmp.File("settings.txt");
  CSettingsFileBackend a(path), b(path);
  // Both have read the file before either writes.
  EXPECT_FALSE(a.ReadDword("Settings\\Window", "x").has_value());
  EXPECT_FALSE(b.ReadDword("Settings\\Window", "x").has_value());
  ASSERT_TRUE(a.WriteDword("Settings\\Window", "x", 10));
  ASSERT_TRUE(b.WriteDword("Settings\\Window", "y", 20));
  ASSERT_TRUE(a.WriteString("Search", "word0", "from a"));
  CSettingsFileBackend c(path);
  EXPECT_EQ(c.ReadDword("Settings\\Window", "x"), 10u);
  EXPECT_EQ(c.ReadDword("Settings\\Window", "y"), 20u);
  EXPECT_EQ(c.ReadString("Search", "word0"), "from a");
}

TEST(SettingsFileBackend, TwoProcessesWritingAtOnceLoseNothing) {
  CTempFolder tmp;
  std::string path = tmp.File("settings.txt");
  constexpr int kWrites = 40;
  pid_t children[2];
  for (int p = 0; p < 2; ++p) {
    children[p] = ::fork();
    ASSERT_GE(children[p], 0);
    if (children[p] == 0) {
      CSettingsFileBackend b(path);
      bool ok = true;
      for (int i = 0; i < kWrites; ++i)
        ok = b.WriteDword("Stress", "p" + std::to_string(p) + "_" + std::to_string(i),
                          static_cast<std::uint32_t>(i)) &&
             ok;
      ::_exit(ok ? 0 : 1);
    }
  }
  for (pid_t c : children) {
    int status = 0;
    ASSERT_EQ(::waitpid(c, &status, 0), c);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  CSettingsFileBackend b(path);
  for (int p = 0; p < 2; ++p)
    for (int i = 0; i < kWrites; ++i)
      EXPECT_EQ(b.ReadDword("Stress", "p" + std::to_string(p) + "_" + std::to_string(i)),
                static_cast<std::uint32_t>(i));
}

TEST(SettingsFileBackend, DeletesKeysAndValuesAndReportsWhatWasNotThere) {
  CTempFolder tmp;
  std::string path = tmp.File("settings.txt");
  CSettingsFileBackend b(path);
  CVeskSettings s(b);
  const std::string files[4] = {"/a.knd", "/b.knd", "", ""};
  s.WriteRecentFiles(files);
  EXPECT_EQ(b.EnumSubkeys(""), (std::vector<std::string>{"Recent File List"}));
  EXPECT_TRUE(b.DeleteValue("Recent File List", "FILE2"));
  EXPECT_FALSE(b.DeleteValue("Recent File List", "File2"));
  EXPECT_TRUE(b.DeleteKey("recent file list"));
  EXPECT_FALSE(b.DeleteKey("Recent File List"));
  EXPECT_EQ(CSettingsFileBackend(path).ReadString("Recent File List", "File1"), std::nullopt);
}

TEST(SettingsFileBackend, DefaultPathFollowsXdgConfigHome) {
  const char* oldXdg = std::getenv("XDG_CONFIG_HOME");
  std::string saved = oldXdg ? oldXdg : "";
  ::setenv("XDG_CONFIG_HOME", "/x/conf", 1);
  EXPECT_EQ(DefaultSettingsFilePath(), "/x/conf/vesk/settings.txt");
  ::setenv("XDG_CONFIG_HOME", "relative", 1);  // not absolute: ignored
  std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
  if (!home.empty() && home[0] == '/') {
    EXPECT_EQ(DefaultSettingsFilePath(), home + "/.config/vesk/settings.txt");
  }
  if (oldXdg)
    ::setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
  else
    ::unsetenv("XDG_CONFIG_HOME");
}

TEST(SettingsFileBackend, RecentPathsComeBackExactlyFromTheFile) {
  CTempFolder tmp;
  std::string path = tmp.File("settings.txt");
  // Japanese, a wave dash (whose Shift_JIS code reads back as another character), an emoji
  // (no Shift_JIS form at all) and an accented letter.
  const std::string files[4] = {"/home/u/ドキュメント/sample.knd", "/home/u/a〜b/x.knd",
                                "/home/u/😀 -x/y.knd", "/srv/Café/z.knd"};
  {
    CSettingsFileBackend b(path);
    CVeskSettings s(b);
    s.WriteRecentFiles(files);
  }
  EXPECT_NE(ReadBytes(path).find("ドキュメント"), std::string::npos);  // readable where it can be
  CSettingsFileBackend again(path);
  CVeskSettings s(again);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(s.GetRecentFile(i + 1), files[i]);
}

}  // namespace
}  // namespace vesk::platform

#endif
