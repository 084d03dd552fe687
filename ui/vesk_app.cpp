// CVeskApp: the desktop program's application object — settings, the one document, the main
// window and the start-up document.
#include <wx/wx.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "app/capture_environment.h"
#include "app/capture_link.h"
#include "app/doc_manager.h"
#include "document/veskdoc.h"
#include "publish/cgi_data.h"
#include "publish/csv_file.h"
#include "publish/html_pages.h"
#include "publish/read_data_file.h"
#include "publish/search_page.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"
#include "settings/settings_file_backend.h"
#include "settings/vesk_settings.h"
#include "text/encoding.h"
#include "ui/link_check_dialog.h"
#include "ui/logic/command_table.h"
#include "ui/main_frame.h"
#include "ui/ui_trace.h"
#include "ui/wx_clipboard_source.h"
#include "ui/wx_text.h"
#include "ui/wx_user_interface.h"

namespace vesk {
namespace {

// The command line as one document path: surrounding double quotes removed, made absolute. The
// arguments are taken as the system gave them, so the path keeps the file system's own bytes
// whatever the locale.
std::string CommandLinePath(int argc, char** argv) {
  if (argc < 2) return {};
  std::string arg = argv[1];
  for (int i = 2; i < argc; ++i) arg += std::string(" ") + argv[i];
  if (arg.size() >= 2 && arg.front() == '"' && arg.back() == '"')
    arg = arg.substr(1, arg.size() - 2);
  if (arg.empty()) return {};
  std::error_code ec;
  auto abs = std::filesystem::absolute(std::filesystem::path(arg), ec);
  return ec ? arg : abs.lexically_normal().string();
}

class CVeskApp : public wxApp {
 public:
  explicit CVeskApp(std::string commandLinePath) : m_cmdPath(std::move(commandLinePath)) {}
  bool OnInit() override;
  int OnExit() override;

 private:
  DocumentCommands MakeCommands();

  std::string m_cmdPath;
  std::unique_ptr<ISettingsBackend> m_backend;
  std::unique_ptr<CVeskSettings> m_settings;
  std::unique_ptr<CWxUserInterface> m_ui;
  std::unique_ptr<CVeskDoc> m_doc;
  std::unique_ptr<CDocManager> m_manager;
  CMainFrame* m_frame = nullptr;
};

DocumentCommands CVeskApp::MakeCommands() {
  DocumentCommands c;
  CVeskDoc& doc = *m_doc;
  c.handlers[kCmdRenumber] = [&doc] { doc.OnRenumber(); };
  c.handlers[kCmdEditFind] = [&doc] { doc.OnFind(); };
  c.handlers[kCmdNewCategory] = [&doc] { doc.OnNewCategory(); };
  c.handlers[kCmdNewLink] = [&doc] { doc.OnNewLink(); };
  c.handlers[kCmdCsvOutput] = [&doc] { ExportCsv(doc); };
  c.handlers[kCmdHtmlOutput] = [&doc] { RunHtmlOutput(doc); };
  c.handlers[kCmdSearchProgram] = [&doc] {
    // The page is written beside the document; handing it to the search program needs the
    // program's own hand-over, which this platform does not offer yet, so the program counts
    // as not startable.
    if (WriteSearchPageBesideDocument(doc).empty()) return;
    doc.UI().MessageBox(ResString(kIdsSearchProgramFailed), MbButtons::Ok, MbIcon::Stop);
  };
  c.handlers[kCmdEditUndo] = [&doc] { doc.OnEditUndo(); };
  c.handlers[kCmdBrowserPage] = [this, &doc] {
    CWxClipboardSource clipboard;
    const CaptureEnvironment env = MakeCaptureEnvironment(*m_settings, &clipboard);
    LINKINFO* link = OnBrowserPage(doc, [&env] { return FindBrowserPage(env); });
    TraceUi("capture", link != nullptr ? ToUtf8(link->m_strURL) : std::string("none"));
  };
  c.handlers[kCmdFindNext] = [&doc] { doc.OnFindNext(); };
  c.handlers[kCmdEmptyTrash] = [&doc] { doc.OnEmptyTrash(); };
  c.handlers[kCmdCgiSettings] = [&doc] { doc.OnCgiSettings(); };
  c.handlers[kCmdHtmlSettings] = [&doc] { doc.OnHtmlSettings(); };
  c.handlers[kCmdCgiOutput] = [&doc] { RunCgiOutput(doc); };
  c.handlers[kCmdReadDataFile] = [&doc] { OnReadDataFile(doc); };
  c.handlers[kCmdCheckLinks] = [this, &doc] {
    LinkCheckActions actions;
    actions.showLink = [this](LINKINFO* link) { m_frame->ShowLink(link); };
    actions.openUrl = [this](const std::string& url) { m_frame->OpenUrl(url); };
    RunLinkCheck(m_frame, doc, actions);
  };
  c.readDroppedFile = [&doc](const std::string& path) { return ReadDataFile(doc, path); };
  return c;
}

bool CVeskApp::OnInit() {
  m_backend = std::make_unique<platform::CSettingsFileBackend>(platform::DefaultSettingsFilePath());
  m_settings = std::make_unique<CVeskSettings>(*m_backend);
  m_ui = std::make_unique<CWxUserInterface>(*m_settings, [this]() -> wxWindow* { return m_frame; });
  m_doc = std::make_unique<CVeskDoc>(*m_settings, *m_ui);
  m_manager = std::make_unique<CDocManager>(*m_doc, *m_settings, *m_ui);
  m_settings->GetPreviewPages();

  const std::string& cmdPath = m_cmdPath;
  m_doc->OnNewDocument();
  m_frame = new CMainFrame(*m_doc, *m_manager, *m_settings, ReadFramePlacement(*m_settings),
                           MakeCommands());
  m_manager->SetOnDiscard([this] { m_frame->OnDiscard(); });
  m_manager->SetOnInitialUpdate([this] { m_frame->OnInitialUpdate(); });
  m_manager->SetOnDocumentChanged([this] { m_frame->OnDocumentChanged(); });
  m_frame->OnInitialUpdate();

  // A document named on the command line must open, or the program does not start.
  if (!cmdPath.empty() && !m_manager->OpenDocumentFile(cmdPath)) {
    m_frame->Destroy();
    m_frame = nullptr;
    return false;
  }
  m_frame->Show();
  m_frame->Update();
  if (cmdPath.empty() && m_settings->GetOpen() != 0 && m_manager->RecentFiles().Count() > 0) {
    if (!m_manager->OpenRecentFile(0)) m_manager->FileNew();
  }
  m_frame->OnDocumentChanged();
  // Tells the desktop tests that the start-up document is in place.
  m_frame->CallAfter([] { TraceUi("ready", "1"); });
  return true;
}

int CVeskApp::OnExit() {
  if (m_manager) m_manager->SaveRecentFiles();
  return wxApp::OnExit();
}

}  // namespace
}  // namespace vesk

int main(int argc, char** argv) {
  // Without a display the toolkit cannot start; say so plainly instead of its own noise.
  const char* display = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  if ((display == nullptr || *display == '\0') && (wayland == nullptr || *wayland == '\0')) {
    std::fputs("vesk: no display available (set DISPLAY or run under xvfb-run)\n", stderr);
    return 1;
  }
  wxApp::SetInstance(new vesk::CVeskApp(vesk::CommandLinePath(argc, argv)));
  wxEntryStart(argc, argv);
  int rc = 1;
  if (wxTheApp->CallOnInit()) rc = wxTheApp->OnRun();
  wxTheApp->OnExit();
  wxEntryCleanup();
  return rc;
}
