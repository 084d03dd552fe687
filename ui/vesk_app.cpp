// CVeskApp: the desktop program's application object — settings, the one document, the main
// window and the start-up document.
#include <wx/evtloop.h>
#include <wx/modalhook.h>
#include <wx/wx.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "app/capture/browser_info_client.h"
#include "app/capture/capture_environment.h"
#include "app/capture/capture_link.h"
#include "app/desktop/program_registration.h"
#include "app/desktop/settings_removal.h"
#include "app/doc_manager.h"
#include "app/favorites.h"
#include "app/startup_command.h"
#include "document/veskdoc.h"
#include "platform/absolute_path.h"
#include "platform/favorites_folder.h"
#include "platform/instance_channel.h"
#include "platform/program_arguments.h"
#include "platform/run_tool.h"
#include "publish/bookmark_file.h"
#include "publish/bookmark_store.h"
#include "publish/cgi_data.h"
#include "publish/csv_file.h"
#include "publish/html_pages.h"
#include "publish/read_data_file.h"
#include "publish/search_program.h"
#include "publish/static_search.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"
#include "settings/settings_backend.h"
#include "settings/vesk_settings.h"
#include "text/encoding.h"
#include "ui/favorites_dialog.h"
#include "ui/folder_picker.h"
#include "ui/link_check_dialog.h"
#include "ui/logic/command_table.h"
#include "ui/main_frame.h"
#include "ui/output_progress_dialog.h"
#include "ui/ui_trace.h"
#include "ui/wx_clipboard_source.h"
#include "ui/wx_text.h"
#include "ui/wx_user_interface.h"

namespace vesk {
namespace {

// A message box of the start-up, shown before (or without) the main window, so it has no owner.
MbResult StartupMessage(int textId, const char* captionUtf8, long style) {
  const std::string text = ResString(textId);
  TraceUi("message", ToUtf8(text));
  wxMessageDialog box(nullptr, Cp932ToWx(text), U8(captionUtf8), style);
  box.SetOKCancelLabels("OK", U8("キャンセル"));
  return box.ShowModal() == wxID_OK ? MbResult::Ok : MbResult::Cancel;
}

// Counts the modal dialogs shown, so a document handed over by a later start waits until the
// user has finished with them instead of replacing the document under an open dialog.
class CModalCounter : public wxModalDialogHook {
 public:
  int Open() const { return m_open; }

 protected:
  int Enter(wxDialog*) override {
    ++m_open;
    return wxID_NONE;
  }
  void Exit(wxDialog*) override { --m_open; }

 private:
  int m_open = 0;
};

class CVeskApp : public wxApp {
 public:
  explicit CVeskApp(StartCommand command) : m_command(std::move(command)) {}
  bool OnInit() override;
  int OnExit() override;
  // The exit status of a run that ended in OnInit (hand-over, uninstall, failed open).
  int EarlyExitCode() const { return m_earlyExit; }

 private:
  DocumentCommands MakeCommands();
  void AddBookmarkCommands(DocumentCommands& c);
  // The Favorites folder of the setting; while the setting is empty, the system's own (Windows),
  // else the one the user picks now (empty when cancelled).
  std::string FavoritesFolder();
  // Hands the command line to the running instance; false when none answered or the command
  // was the uninstall run, which is refused while the program runs.
  bool HandOver();
  // The uninstall run: asks (unless quiet), then removes the settings and the registration;
  // false when cancelled. Exits 0 or 1 accordingly, so an uninstaller knows what happened.
  bool RunUninstall();
  // Fetches what later starts handed over; called on the UI thread after the channel's wake.
  void OnInstanceWake();
  // Takes the fetched hand-overs, once no modal dialog is open; what must wait is taken when
  // the main loop next goes idle.
  void TakePending();
  void OnIdle(wxIdleEvent& event);
  void TakeHandOver(const std::string& path);
  // The capture command: the browsers are asked on a worker thread, the link made here.
  void StartCapture();
  void FinishCapture(std::optional<BrowserPage> page);

  StartCommand m_command;
  int m_earlyExit = 1;
  std::unique_ptr<platform::CInstanceChannel> m_instance;
  std::vector<std::string> m_pending;
  bool m_takingHandOver = false;
  std::thread m_captureThread;
  bool m_capturing = false;
  CModalCounter m_modals;
  std::unique_ptr<ISettingsBackend> m_backend;
  std::unique_ptr<CVeskSettings> m_settings;
  std::unique_ptr<CWxUserInterface> m_ui;
  std::unique_ptr<CVeskDoc> m_doc;
  std::unique_ptr<CDocManager> m_manager;
  CMainFrame* m_frame = nullptr;
  std::unique_ptr<platform::IWindowMessenger> m_windows = platform::MakeWindowMessenger();
  std::unique_ptr<platform::IProgramStarter> m_starter = platform::MakeProgramStarter();
  // While it waits for a started search program the window still repaints; input waits.
  std::unique_ptr<CSearchProgram> m_searchProgram =
      std::make_unique<CSearchProgram>(*m_windows, *m_starter, [](int ms) {
        for (int left = ms; left > 0; left -= 20) {
          wxMilliSleep(static_cast<unsigned long>(std::min(left, 20)));
          if (wxEventLoopBase* loop = wxEventLoopBase::GetActive()) {
            loop->YieldFor(wxEVT_CATEGORY_UI);
          }
        }
      });
};

DocumentCommands CVeskApp::MakeCommands() {
  DocumentCommands c;
  CVeskDoc& doc = *m_doc;
  c.route.Join(kCmdRenumber, [&doc] { doc.OnRenumber(); });
  c.route.Join(kCmdEditFind, [&doc] { doc.OnFind(); });
  c.route.Join(kCmdNewCategory, [&doc] { doc.OnNewCategory(); });
  c.route.Join(kCmdNewLink, [&doc] { doc.OnNewLink(); });
  c.route.Join(kCmdCsvOutput, [&doc] { ExportCsv(doc); });
  c.route.Join(kCmdHtmlOutput, [this, &doc] {
    COutputProgressDialog progress(m_frame);
    RunHtmlOutput(doc, &progress);
  });
  c.route.Join(kCmdSearchPageOutput, [&doc] {
    wxBusyCursor busy;
    RunSearchPageOutput(doc);
  });
  c.route.Join(kCmdSearchProgram, [this, &doc] {
    wxBusyCursor busy;
    RunSearchProgram(doc, *m_searchProgram, *m_windows);
  });
  c.route.Join(kCmdEditUndo, [&doc] { doc.OnEditUndo(); });
  c.route.Join(kCmdBrowserPage, [this] { StartCapture(); });
  c.route.Join(kCmdFindNext, [&doc] { doc.OnFindNext(); });
  c.route.Join(kCmdEmptyTrash, [&doc] { doc.OnEmptyTrash(); });
  c.route.Join(kCmdEnvSettings, [&doc] { doc.OnEnvSettings(); });
  c.route.Join(kCmdCgiSettings, [&doc] { doc.OnCgiSettings(); });
  c.route.Join(kCmdHtmlSettings, [&doc] { doc.OnHtmlSettings(); });
  c.route.Join(kCmdCgiOutput, [this, &doc] {
    COutputProgressDialog progress(m_frame);
    RunCgiOutput(doc, &progress);
  });
  c.route.Join(kCmdReadDataFile, [&doc] { OnReadDataFile(doc); });
  c.route.Join(kCmdCheckLinks, [this, &doc] {
    LinkCheckActions actions;
    actions.showLink = [this](LINKINFO* link) { m_frame->ShowLink(link); };
    actions.openUrl = [this](const std::string& url) { m_frame->OpenUrl(url); };
    RunLinkCheck(m_frame, doc, actions);
  });
  c.readDroppedFile = [&doc](const std::string& path) { return ReadDataFile(doc, path); };
  AddBookmarkCommands(c);
  return c;
}

std::string CVeskApp::FavoritesFolder() {
  std::string folder = m_settings->GetFavoritesFolder();
  if (folder.empty()) folder = platform::SystemFavoritesFolder();
  if (!folder.empty()) return folder;
  return CFolderPicker(m_frame).Run().value_or(std::string());
}

void CVeskApp::AddBookmarkCommands(DocumentCommands& c) {
  CVeskDoc& doc = *m_doc;
  c.route.Join(kCmdFavoritesImport, [this, &doc] {
    const std::string folder = FavoritesFolder();
    if (!folder.empty()) OnFavoritesImport(doc, folder);
  });
  c.route.Join(kCmdFavoritesExport, [this, &doc] {
    const std::optional<int> option = RunFavoritesExportDialog(m_frame);
    if (!option) return;
    const std::string folder = FavoritesFolder();
    if (!folder.empty()) RunFavoritesExport(doc, folder, *option);
  });
  c.route.Join(kCmdBookmarksImport, [&doc] {
    if (auto path = doc.UI().AskOpenPath(ResString(kIdsBookmarkOpenFilter)))
      ImportBookmarksOrStore(doc, *path);
  });
  c.route.Join(kCmdBookmarksExport, [&doc] {
    LINKINFO* category = doc.GetCurrent() ? doc.GetCurrent() : doc.GetTopCategory();
    auto path = doc.UI().AskSavePath("bookmarks.html", ResString(kIdsBookmarkFilter));
    if (path && ExportBookmarkFile(doc, category, *path)) {
      doc.UI().MessageBox(ResFormat(kIdsBookmarksWritten, ToCp932(*path)), MbButtons::Ok,
                          MbIcon::Information);
    }
  });
}

bool CVeskApp::HandOver() {
  if (m_command.kind == StartKind::Uninstall) {
    // Refused: the exit status tells a calling uninstaller to keep the program's files.
    if (m_command.quiet)
      std::fputs("vesk: vesk is running and cannot be uninstalled now\n", stderr);
    else
      StartupMessage(kIdsUninstallWhileRunning, "Warning", wxOK | wxICON_EXCLAMATION);
    return false;
  }
  if (m_instance->Send(EncodeHandOver(m_command.documentPath), 10000)) return true;
  std::fputs("vesk: another vesk of this user is running but did not answer\n", stderr);
  return false;
}

bool CVeskApp::RunUninstall() {
  if (!m_command.quiet && StartupMessage(kIdsUninstallAsk, "vesk uninstall",
                                         wxOK | wxCANCEL | wxICON_INFORMATION) != MbResult::Ok)
    return false;
  DeletePlatformSettingsRoot();
  UnregisterProgram();
  return true;
}

void CVeskApp::StartCapture() {
  // One capture at a time; a second command meanwhile is answered as a refused one is.
  if (m_capturing) {
    wxBell();
    return;
  }
  if (m_captureThread.joinable()) m_captureThread.join();
  m_capturing = true;
  wxBeginBusyCursor();
  // A browser that answers DDE is asked first, on this thread: its conversation and the waits for
  // its answer belong to the thread of the windows.
  if (m_doc != nullptr) {
    if (std::optional<BrowserPage> page = AskBrowsersByDde(m_doc->UI())) {
      FinishCapture(std::move(page));
      return;
    }
  }
  // The browsers' files are read on a thread of their own, so no file makes the window wait;
  // the clipboard belongs to this thread and is read here afterwards.
  const CaptureEnvironment env = MakeCaptureEnvironment(*m_settings, nullptr);
  m_captureThread = std::thread([this, env] {
    std::optional<BrowserPage> page = FindBrowserPage(env);
    CallAfter([this, page] { FinishCapture(page); });
  });
}

void CVeskApp::FinishCapture(std::optional<BrowserPage> page) {
  if (m_captureThread.joinable()) m_captureThread.join();
  m_capturing = false;
  wxEndBusyCursor();
  if (m_doc == nullptr) return;
  if (!page) {
    CWxClipboardSource clipboard;
    page = ClipboardPage(clipboard);
    if (page) page->title = CleanTitle(CapTitle(std::move(page->title)));
  }
  LINKINFO* link = OnBrowserPage(*m_doc, [&page] { return page; });
  TraceUi("capture", link != nullptr ? ToUtf8(link->m_strURL) : std::string("none"));
}

void CVeskApp::OnInstanceWake() {
  for (auto& message : m_instance->Receive()) {
    if (auto path = DecodeHandOver(message)) m_pending.push_back(std::move(*path));
  }
  TakePending();
}

void CVeskApp::OnIdle(wxIdleEvent& event) {
  event.Skip();
  if (!m_pending.empty()) TakePending();
}

void CVeskApp::TakePending() {
  // Only from the main loop itself: not inside a modal dialog, a yield of a long output or the
  // start-up, where the document must not be replaced under the running code.
  wxEventLoopBase* loop = wxEventLoopBase::GetActive();
  const bool quiet = loop != nullptr && loop == GetMainLoop() && !loop->IsYielding() &&
                     m_modals.Open() == 0 && m_frame != nullptr;
  if (m_pending.empty() || m_takingHandOver || !quiet) return;
  m_takingHandOver = true;
  std::vector<std::string> pending;
  pending.swap(m_pending);
  for (const auto& path : pending) TakeHandOver(path);
  m_takingHandOver = false;
}

void CVeskApp::TakeHandOver(const std::string& path) {
  TraceUi("instance-message", path);
  if (m_frame->IsIconized()) m_frame->Iconize(false);
  m_frame->Show();
  m_frame->Raise();
  // Opened as File Open would: a modified document is offered for saving first.
  if (!path.empty()) m_manager->OpenDocumentFile(path);
}

bool CVeskApp::OnInit() {
  m_modals.Register();
  m_instance = std::make_unique<platform::CInstanceChannel>(platform::InstanceFolder());
  const platform::InstanceRole role = m_instance->Claim();
  if (role == platform::InstanceRole::Secondary) {
    m_earlyExit = HandOver() ? 0 : 1;
    return false;
  }
  if (m_command.kind == StartKind::Uninstall) {
    m_earlyExit = RunUninstall() ? 0 : 1;
    return false;
  }
  // Later starts are answered from now on, also while the notice below is open; what they hand
  // over waits until the window is there.
  // The channel's thread only queues the news; everything else happens on this thread.
  Bind(wxEVT_IDLE, &CVeskApp::OnIdle, this);
  if (role == platform::InstanceRole::Primary)
    m_instance->SetWake([this] { CallAfter([this] { OnInstanceWake(); }); });
  const bool firstStart = !PlatformSettingsRootExists();
  if (firstStart) StartupMessage(kIdsInstallNotice, "vesk install", wxOK | wxICON_INFORMATION);

  m_backend = CreatePlatformSettingsBackend();
  m_settings = std::make_unique<CVeskSettings>(*m_backend);
  m_ui = std::make_unique<CWxUserInterface>(*m_settings, [this]() -> wxWindow* { return m_frame; });
  m_doc = std::make_unique<CVeskDoc>(*m_settings, *m_ui);
  m_manager = std::make_unique<CDocManager>(*m_doc, *m_settings, *m_ui);
  m_settings->GetPreviewPages();

  // The desktop learns of the program and its document type on every start, so a moved
  // program is found again; failures stay silent.
  // A program whose path the desktop cannot hold still starts; the owner hears why, once.
  if (!RegisterProgram(platform::OwnProgramPath()) && firstStart)
    StartupMessage(kIdsNoDesktopEntry, "vesk install", wxOK | wxICON_EXCLAMATION);

  const std::string& cmdPath = m_command.documentPath;
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
  // No wake may queue a call on an application that is going away.
  if (m_instance) m_instance->SetWake({});
  // A capture still running ends within its own time limit.
  if (m_captureThread.joinable()) m_captureThread.join();
  m_modals.Unregister();
  if (m_manager) m_manager->SaveRecentFiles();
  return wxApp::OnExit();
}

}  // namespace
}  // namespace vesk

int main(int argc, char** argv) {
  // Without a display the toolkit cannot start; say so plainly instead of its own noise.
  if (!vesk::platform::WindowSystemAvailable()) {
    std::fputs("vesk: no display available (set DISPLAY or run under xvfb-run)\n", stderr);
    return 1;
  }
  const std::vector<std::string> all = vesk::platform::ProgramArguments(argc, argv);
  std::vector<std::string> args(all.empty() ? all.begin() : all.begin() + 1, all.end());
  auto* app = new vesk::CVeskApp(vesk::ParseStartCommand(args, vesk::platform::CurrentFolder()));
  wxApp::SetInstance(app);
  // The toolkit warns in a box about every argument it cannot convert; the program has read
  // its command line from the bytes already.
  std::vector<std::string> toolkitArgs = vesk::ToolkitArguments(all);
  std::vector<char*> toolkitArgv;
  for (auto& a : toolkitArgs) toolkitArgv.push_back(a.data());
  toolkitArgv.push_back(nullptr);
  int toolkitArgc = static_cast<int>(toolkitArgs.size());
  wxEntryStart(toolkitArgc, toolkitArgv.data());
  int rc = 1;
  if (wxTheApp->CallOnInit())
    rc = wxTheApp->OnRun();
  else
    rc = app->EarlyExitCode();
  wxTheApp->OnExit();
  wxEntryCleanup();
  return rc;
}
