#include "ui/program_file_dialog.h"

#include <wx/filedlg.h>

#include "resources/string_ids.h"
#include "resources/string_table.h"
#include "ui/wx_text.h"
#include "ui/wx_user_interface.h"

#if defined(__WXGTK__)
#include <dlfcn.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace vesk {

namespace {

#if defined(__WXGTK__)

// The few toolkit calls a filter by the execute permission needs, looked up at run time: the
// toolkit's headers are not part of the build, and without the calls the filter falls back to
// a pattern.
struct FilterInfo {
  int contains;
  const char* filename;
  const char* uri;
  const char* displayName;
  const char* mimeType;
};
struct SList {
  void* data;
  SList* next;
};
using FilterFunc = int (*)(const FilterInfo*, void*);

struct GtkCalls {
  void* (*filterNew)();
  void (*filterSetName)(void*, const char*);
  void (*filterAddCustom)(void*, int, FilterFunc, void*, void (*)(void*));
  void (*filterAddPattern)(void*, const char*);
  void (*chooserAddFilter)(void*, void*);
  void (*chooserRemoveFilter)(void*, void*);
  SList* (*chooserListFilters)(void*);
  void (*chooserSetFilter)(void*, void*);
  void (*slistFree)(SList*);
  bool ok = false;
};

template <typename F>
bool Load(F& fn, const char* name) {
  fn = reinterpret_cast<F>(dlsym(RTLD_DEFAULT, name));
  return fn != nullptr;
}

const GtkCalls& Gtk() {
  static const GtkCalls calls = [] {
    GtkCalls c{};
    c.ok = Load(c.filterNew, "gtk_file_filter_new") &&
           Load(c.filterSetName, "gtk_file_filter_set_name") &&
           Load(c.filterAddCustom, "gtk_file_filter_add_custom") &&
           Load(c.filterAddPattern, "gtk_file_filter_add_pattern") &&
           Load(c.chooserAddFilter, "gtk_file_chooser_add_filter") &&
           Load(c.chooserRemoveFilter, "gtk_file_chooser_remove_filter") &&
           Load(c.chooserListFilters, "gtk_file_chooser_list_filters") &&
           Load(c.chooserSetFilter, "gtk_file_chooser_set_filter") &&
           Load(c.slistFree, "g_slist_free");
    return c;
  }();
  return calls;
}

constexpr int kFilterFilename = 1;

int IsRunnable(const FilterInfo* info, void*) {
  struct stat st {};
  if (info == nullptr || info->filename == nullptr) return 0;
  return stat(info->filename, &st) == 0 && S_ISREG(st.st_mode) && access(info->filename, X_OK) == 0
             ? 1
             : 0;
}

// The filter texts of string 10301, "name|pattern|name|pattern||": the two names.
std::pair<std::string, std::string> FilterNames() {
  const std::string filter = ResStringUtf8(kIdsSearchProgramFilter);
  std::string parts[4];
  std::size_t start = 0;
  for (std::string& part : parts) {
    const std::size_t bar = filter.find('|', start);
    part = filter.substr(start, bar == std::string::npos ? std::string::npos : bar - start);
    if (bar == std::string::npos) break;
    start = bar + 1;
  }
  return {parts[0], parts[2]};
}

// Puts the executables filter first and an all-files filter ("*": a name without a dot is a
// file too) second, in place of the ones the dialog was given.
bool InstallFilters(wxFileDialog& dialog) {
  const GtkCalls& gtk = Gtk();
  void* chooser = dialog.GetHandle();
  if (!gtk.ok || chooser == nullptr) return false;
  SList* old = gtk.chooserListFilters(chooser);
  for (SList* item = old; item != nullptr; item = item->next)
    gtk.chooserRemoveFilter(chooser, item->data);
  gtk.slistFree(old);
  auto [runnableName, allName] = FilterNames();
  // The filter shows what may be run, not names ending in ".exe".
  const std::size_t pattern = runnableName.find(" (*.exe)");
  if (pattern != std::string::npos) runnableName.erase(pattern);
  void* runnable = gtk.filterNew();
  gtk.filterSetName(runnable, runnableName.c_str());
  gtk.filterAddCustom(runnable, kFilterFilename, &IsRunnable, nullptr, nullptr);
  void* all = gtk.filterNew();
  gtk.filterSetName(all, allName.c_str());
  gtk.filterAddPattern(all, "*");
  gtk.chooserAddFilter(chooser, runnable);
  gtk.chooserAddFilter(chooser, all);
  gtk.chooserSetFilter(chooser, runnable);
  return true;
}

#endif

}  // namespace

std::optional<std::string> AskProgramFile(wxWindow* owner) {
  wxString wildcard = FilterToWildcard(ResString(kIdsSearchProgramFilter));
#if !defined(_WIN32)
  // Programs here have no ".exe", and "*.*" would hide every name without a dot.
  wildcard.Replace(" (*.exe)|*.exe|", "|*|");
  wildcard.Replace("|*.*", "|*");
#endif
  wxFileDialog dialog(owner, U8("開く"), wxEmptyString, wxEmptyString, wildcard,
                      wxFD_OPEN | wxFD_FILE_MUST_EXIST);
#if defined(__WXGTK__)
  InstallFilters(dialog);
#endif
  if (dialog.ShowModal() != wxID_OK) return std::nullopt;
  return ToPath(dialog.GetPath());
}

}  // namespace vesk
