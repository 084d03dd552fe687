#include "app/desktop/desktop_registration.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "support/temp_folder.h"

namespace vesk {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::WriteBytes;

class DesktopRegistrationTest : public ::testing::Test {
 protected:
  DesktopRegistrationTest() {
    places_.dataHome = tmp_.File("data");
    places_.configHome = tmp_.File("config");
    places_.dataDirs = {tmp_.File("sysdata")};
    places_.configDirs = {tmp_.File("sysconfig")};
  }
#ifdef _WIN32
  void SetUp() override {
    GTEST_SKIP() << "the Linux desktop's registration (XDG entries, MIME package, gio); "
                    "Windows registers the program in the registry";
  }
#endif
  void Write(const std::string& path, const std::string& bytes) {
    fs::create_directories(fs::path(path).parent_path());
    WriteBytes(path, bytes);
  }
  std::string ExecLine() {
    const std::string text = ReadBytes(DesktopEntryPath(places_));
    const auto at = text.find("\nExec=");
    return at == std::string::npos ? "" : text.substr(at + 6, text.find('\n', at + 1) - at - 6);
  }

  test::CTempFolder tmp_;
  XdgPlaces places_;
};

TEST_F(DesktopRegistrationTest, ExecLineQuotesWhatTheDesktopWouldReadOtherwise) {
  auto exec = [](const std::string& program) {
    const std::string text = DesktopEntryText(program);
    const auto at = text.find("\nExec=");
    return text.substr(at + 6, text.find('\n', at + 1) - at - 6);
  };
  EXPECT_EQ(exec("/usr/bin/vesk"), "/usr/bin/vesk %f");
  EXPECT_EQ(exec("/opt/my apps/vesk"), "\"/opt/my apps/vesk\" %f");
  // Inside quotes $ " ` \ take a backslash, which the key file doubles again; % is doubled.
  EXPECT_EQ(exec("/o/$x\"q`b\\c/vesk"), "\"/o/\\\\$x\\\\\"q\\\\`b\\\\\\\\c/vesk\" %f");
  EXPECT_EQ(exec("/o/100%/vesk"), "env /o/100%%/vesk %f");
  // What cannot be written into an entry gives none.
  EXPECT_EQ(DesktopEntryText("/o/new\nline/vesk"), "");
  EXPECT_EQ(DesktopEntryText("vesk"), "");
  const std::string entry = DesktopEntryText("/usr/bin/vesk");
  EXPECT_EQ(entry.rfind("[Desktop Entry]\n", 0), 0u);
  EXPECT_NE(entry.find("\nMimeType=application/x-vesk-document;\n"), std::string::npos);
  EXPECT_NE(entry.find("\nName[ja]="), std::string::npos);
  EXPECT_EQ(entry.find('\r'), std::string::npos) << "key files take plain line feeds";
}

// The launcher itself is the judge of an Exec line: each program path below is started through
// gio from the entry written for it, with a file to open.
TEST_F(DesktopRegistrationTest, EveryWrittenEntryStartsItsProgramThroughTheLauncher) {
  if (std::system("command -v gio >/dev/null 2>&1") != 0) GTEST_SKIP() << "gio missing";
  const bool validator = std::system("command -v desktop-file-validate >/dev/null 2>&1") == 0;
  const std::string out = tmp_.File("ran.txt");
  const std::string doc = tmp_.File("my doc.knd");
  int n = 0;
  for (const std::string folder : {"plain", "100%", "50% off", "a\"q$`b%c\\d", "%f"}) {
    const std::string program = tmp_.File(folder + "/prog");
    Write(program, "#!/bin/sh\nprintf '%s|' \"$0\" \"$@\" >\"" + out + ".tmp\"\nmv \"" + out +
                       ".tmp\" \"" + out + "\"\n");
    fs::permissions(program, fs::perms::owner_all);
    const std::string entry = tmp_.File("t" + std::to_string(n++) + ".desktop");
    Write(entry, DesktopEntryText(program));
    fs::remove(out);
    ASSERT_EQ(std::system(("gio launch '" + entry + "' '" + doc + "' >/dev/null 2>&1").c_str()), 0)
        << folder << ":\n"
        << ReadBytes(entry);
    for (int i = 0; i < 100 && !fs::exists(out); ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(fs::exists(out) ? ReadBytes(out) : "", program + "|" + doc + "|") << folder;
    if (validator) {
      EXPECT_EQ(std::system(("desktop-file-validate '" + entry + "' >/dev/null").c_str()), 0)
          << folder;
    }
  }
}

TEST_F(DesktopRegistrationTest, AProgramPathNoLauncherTakesGetsNoEntry) {
  for (const std::string path : {"/o/\xff\xfe/vesk", "/o/\xc0\xaf/vesk", "/o/\xed\xa0\x80/vesk",
                                 "/o/\xe3\x81/vesk", "/o/a=b%/vesk"})
    EXPECT_EQ(DesktopEntryText(path), "") << path;
  EXPECT_NE(DesktopEntryText("/o/\xe3\x83\x84\xf0\x9f\x98\x80/vesk"), "") << "UTF-8 is fine";
  EXPECT_NE(DesktopEntryText("/o/a=b/vesk"), "") << "\"=\" alone needs no env";
  // Registering from there writes the rest but no entry, and no default that names none.
  const DesktopChanges changes = RegisterDesktopFiles(places_, "/o/\xff/vesk");
  EXPECT_TRUE(changes.mime);
  EXPECT_FALSE(fs::exists(DesktopEntryPath(places_)));
  EXPECT_FALSE(fs::exists(UserMimeAppsPath(places_)));
}

TEST_F(DesktopRegistrationTest, RegisteringWritesOnceAndFollowsAMovedProgram) {
  DesktopChanges first = RegisterDesktopFiles(places_, "/old/vesk");
  EXPECT_TRUE(first.mime);
  EXPECT_TRUE(first.desktop);
  EXPECT_EQ(ReadBytes(MimePackagePath(places_)), MimePackageText());
  EXPECT_EQ(ReadBytes(IconPath(places_)), AppIconSvg());
  EXPECT_EQ(ExecLine(), "/old/vesk %f");
  EXPECT_EQ(ReadBytes(UserMimeAppsPath(places_)),
            "[Default Applications]\napplication/x-vesk-document=vesk.desktop\n");

  // Nothing to do on the next start: no database is rebuilt.
  DesktopChanges again = RegisterDesktopFiles(places_, "/old/vesk");
  EXPECT_FALSE(again.mime);
  EXPECT_FALSE(again.desktop);

  DesktopChanges moved = RegisterDesktopFiles(places_, "/new place/vesk");
  EXPECT_FALSE(moved.mime);
  EXPECT_TRUE(moved.desktop);
  EXPECT_EQ(ExecLine(), "\"/new place/vesk\" %f");
  EXPECT_EQ(FindDefaultHolder(places_), DefaultHolder::Us);
}

TEST_F(DesktopRegistrationTest, AnotherProgramsFilesAndDefaultAreLeftAlone) {
  // A desktop entry under our name that we did not write, and another default in a system list.
  const std::string foreign = "[Desktop Entry]\nType=Application\nName=Mine\nExec=mine %f\n";
  Write(DesktopEntryPath(places_), foreign);
  Write(places_.configDirs[0] + "/mimeapps.list",
        "[Default Applications]\napplication/x-vesk-document=other.desktop;vesk.desktop;\n");
  EXPECT_EQ(FindDefaultHolder(places_), DefaultHolder::Other);
  RegisterDesktopFiles(places_, "/usr/bin/vesk");
  EXPECT_EQ(ReadBytes(DesktopEntryPath(places_)), foreign);
  EXPECT_FALSE(fs::exists(UserMimeAppsPath(places_)));

  const DesktopChanges removed = UnregisterDesktopFiles(places_);
  EXPECT_TRUE(removed.mime);
  EXPECT_EQ(ReadBytes(DesktopEntryPath(places_)), foreign);
  EXPECT_FALSE(fs::exists(MimePackagePath(places_)));
  EXPECT_FALSE(fs::exists(IconPath(places_)));
}

TEST_F(DesktopRegistrationTest, APlantedLinkIsReplacedNeverWrittenThrough) {
  // Links at our names to outside files that bear our mark (one even holding our very bytes).
  const std::string outside = tmp_.File("outside.txt");
  const std::string marked = "secret\nX-Vesk-Owner=vesk\n";
  WriteBytes(outside, marked);
  const std::string same = tmp_.File("same.svg");
  WriteBytes(same, AppIconSvg());
  fs::create_directories(fs::path(DesktopEntryPath(places_)).parent_path());
  fs::create_directories(fs::path(IconPath(places_)).parent_path());
  fs::create_symlink(outside, DesktopEntryPath(places_));
  fs::create_symlink(same, IconPath(places_));
  const DesktopChanges changes = RegisterDesktopFiles(places_, "/usr/bin/vesk");
  EXPECT_TRUE(changes.desktop);
  EXPECT_EQ(ReadBytes(outside), marked);
  EXPECT_FALSE(fs::is_symlink(DesktopEntryPath(places_)));
  EXPECT_FALSE(fs::is_symlink(IconPath(places_)));
  EXPECT_EQ(ExecLine(), "/usr/bin/vesk %f");
  // A link to a file that is not ours stays, and so does that file.
  fs::remove(DesktopEntryPath(places_));
  const std::string foreign = tmp_.File("foreign.desktop");
  WriteBytes(foreign, "[Desktop Entry]\nName=Other\n");
  fs::create_symlink(foreign, DesktopEntryPath(places_));
  RegisterDesktopFiles(places_, "/usr/bin/vesk");
  EXPECT_TRUE(fs::is_symlink(DesktopEntryPath(places_)));
  EXPECT_EQ(ReadBytes(foreign), "[Desktop Entry]\nName=Other\n");
}

TEST_F(DesktopRegistrationTest, AFolderLinkLeadingOutIsNotWrittenInto) {
  const std::string away = tmp_.File("away");
  fs::create_directories(away);
  fs::create_directories(places_.dataHome);
  fs::create_symlink(away, places_.dataHome + "/applications");
  // A link that stays inside the data folder is an owner's own arrangement and is used.
  fs::create_directories(places_.dataHome + "/real-icons");
  fs::create_symlink(places_.dataHome + "/real-icons", places_.dataHome + "/icons");
  const DesktopChanges changes = RegisterDesktopFiles(places_, "/usr/bin/vesk");
  EXPECT_TRUE(changes.desktop);
  EXPECT_TRUE(fs::is_empty(away));
  EXPECT_EQ(ReadBytes(IconPath(places_)), AppIconSvg());
  EXPECT_FALSE(fs::exists(UserMimeAppsPath(places_))) << "no default without our entry";
}

TEST_F(DesktopRegistrationTest, UninstallTakesOutOnlyOurDefault) {
  Write(UserMimeAppsPath(places_),
        "[Added Associations]\napplication/x-vesk-document=vesk.desktop;\n\n"
        "[Default Applications]\ntext/html=browser.desktop\n\n[Removed Associations]\n");
  RegisterDesktopFiles(places_, "/usr/bin/vesk");
  EXPECT_EQ(ReadBytes(UserMimeAppsPath(places_)),
            "[Added Associations]\napplication/x-vesk-document=vesk.desktop;\n\n"
            "[Default Applications]\ntext/html=browser.desktop\n"
            "application/x-vesk-document=vesk.desktop\n\n[Removed Associations]\n");
  UnregisterDesktopFiles(places_);
  EXPECT_EQ(ReadBytes(UserMimeAppsPath(places_)),
            "[Added Associations]\napplication/x-vesk-document=vesk.desktop;\n\n"
            "[Default Applications]\ntext/html=browser.desktop\n\n[Removed Associations]\n");
  EXPECT_FALSE(fs::exists(DesktopEntryPath(places_)));
  // Another program's default in the user's own list stays too.
  EXPECT_EQ(RemoveDefaultEntry("[Default Applications]\napplication/x-vesk-document=o.desktop\n"),
            "[Default Applications]\napplication/x-vesk-document=o.desktop\n");
  EXPECT_EQ(AddDefaultEntry("x=1"),
            "x=1\n\n[Default Applications]\n"
            "application/x-vesk-document=vesk.desktop\n");
}

TEST_F(DesktopRegistrationTest, MimePackageMatchesTheDocumentHeader) {
  const std::string pkg = MimePackageText();
  EXPECT_NE(pkg.find("<glob pattern=\"*.knd\"/>"), std::string::npos);
  // The header string with its one-byte length (37 = '%') in front, as every version writes it.
  EXPECT_NE(pkg.find("value=\"%Kestrelnest Application Data Format\\r\\n\""), std::string::npos);
  EXPECT_EQ(std::string("Kestrelnest Application Data Format\r\n").size(), 37u);
  EXPECT_EQ(pkg.find("--", pkg.find("<!--") + 4), pkg.find("-->")) << "XML comment broken";
  test::CTempFolder out;
  ASSERT_TRUE(WriteDesktopFilesForInstall(out.File("x"), "/usr/bin/vesk"));
  EXPECT_EQ(ReadBytes(out.File("x/vesk.desktop")), DesktopEntryText("/usr/bin/vesk"));
  EXPECT_EQ(ReadBytes(out.File("x/vesk.xml")), pkg);
}

}  // namespace
}  // namespace vesk
