#include "ui/link_check_dialog.h"

#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/listctrl.h>
#include <wx/progdlg.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/utils.h>

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

#include "app/link_check/link_check_park.h"
#include "app/link_check/link_check_scope.h"
#include "app/link_check/link_checker.h"
#include "document/veskdoc.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"
#include "ui/logic/link_check_report.h"
#include "ui/ui_trace.h"
#include "ui/wx_text.h"

namespace vesk {
namespace {

// The report's rows, drawn from the report on demand: a check may cover thousands of links.
class CReportList : public wxListCtrl {
 public:
  CReportList(wxWindow* parent, const CLinkCheckReport& report)
      : wxListCtrl(parent, wxID_ANY, wxDefaultPosition, wxSize(640, 300),
                   wxLC_REPORT | wxLC_VIRTUAL | wxLC_HRULES | wxLC_VRULES),
        m_report(report) {
    static const int widths[kCheckColCount] = {80, 50, 180, 200, 200, 80};
    for (int c = 0; c < kCheckColCount; ++c)
      AppendColumn(
          U8(LinkCheckColumnTitle(c)),
          c == kCheckColCode || c == kCheckColTime ? wxLIST_FORMAT_RIGHT : wxLIST_FORMAT_LEFT,
          widths[c]);
    SetItemCount(static_cast<long>(report.Size()));
  }

 private:
  wxString OnGetItemText(long item, long column) const override {
    return wxString::FromUTF8(
        m_report.Cell(static_cast<std::size_t>(item), static_cast<int>(column)));
  }

  const CLinkCheckReport& m_report;
};

class CLinkCheckReportDialog : public wxDialog {
 public:
  CLinkCheckReportDialog(wxWindow* parent, CVeskDoc& doc, CLinkCheckReport& report,
                         const LinkCheckActions& actions)
      : wxDialog(parent, wxID_ANY, U8("リンクの確認結果"), wxDefaultPosition, wxDefaultSize,
                 wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER),
        m_doc(doc),
        m_report(report),
        m_actions(actions) {
    auto* top = new wxBoxSizer(wxVERTICAL);
    m_summary = new wxStaticText(this, wxID_ANY, wxString::FromUTF8(report.Summary()));
    top->Add(m_summary, 0, wxALL, 10);
    m_list = new CReportList(this, report);
    top->Add(m_list, 1, wxEXPAND | wxLEFT | wxRIGHT, 10);
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    auto* open = new wxButton(this, wxID_ANY, U8("ブラウザで開く(&O)"));
    auto* park = new wxButton(this, wxID_ANY, U8("作業箱へ移動(&M)"));
    auto* close = new wxButton(this, wxID_CANCEL, U8("閉じる"));
    row->Add(open, 0, wxRIGHT, 6);
    row->Add(park, 0, wxRIGHT, 6);
    row->AddStretchSpacer();
    row->Add(close, 0);
    top->Add(row, 0, wxEXPAND | wxALL, 10);
    SetSizerAndFit(top);
    CentreOnParent();

    SelectRows(report.DeadRows());
    m_list->Bind(wxEVT_LIST_COL_CLICK, [this](wxListEvent& e) { SortBy(e.GetColumn()); });
    m_list->Bind(wxEVT_LIST_ITEM_ACTIVATED, [this](wxListEvent& e) { ShowRow(e.GetIndex()); });
    open->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OpenSelected(); });
    park->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { ParkSelected(); });
    m_list->SetFocus();
  }

 private:
  std::vector<std::size_t> Selected() const {
    std::vector<std::size_t> rows;
    for (long i = m_list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED); i != -1;
         i = m_list->GetNextItem(i, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED))
      rows.push_back(static_cast<std::size_t>(i));
    return rows;
  }

  void SelectRows(const std::vector<std::size_t>& rows) {
    for (long i = m_list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED); i != -1;
         i = m_list->GetNextItem(i, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED))
      m_list->SetItemState(i, 0, wxLIST_STATE_SELECTED);
    for (std::size_t r : rows)
      m_list->SetItemState(static_cast<long>(r), wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
    if (!rows.empty()) {
      m_list->SetItemState(static_cast<long>(rows.front()), wxLIST_STATE_FOCUSED,
                           wxLIST_STATE_FOCUSED);
      m_list->EnsureVisible(static_cast<long>(rows.front()));
    }
  }

  // Sorting keeps the same links selected.
  void SortBy(int column) {
    std::vector<NodeId> keep;
    for (std::size_t r : Selected()) keep.push_back(m_report.Row(r).link);
    m_report.SortBy(column);
    std::vector<std::size_t> rows;
    for (std::size_t i = 0; i < m_report.Size(); ++i)
      if (std::find(keep.begin(), keep.end(), m_report.Row(i).link) != keep.end())
        rows.push_back(i);
    SelectRows(rows);
    m_list->Refresh();
    TraceUi("linkcheck-sort", std::to_string(column) + (m_report.Ascending() ? "+" : "-"));
  }

  void ShowRow(long row) {
    if (row < 0 || static_cast<std::size_t>(row) >= m_report.Size()) return;
    LINKINFO* link = m_doc.NodeById(m_report.Row(static_cast<std::size_t>(row)).link);
    if (link == nullptr) {
      wxBell();  // thrown away since the check
      return;
    }
    if (m_actions.showLink) m_actions.showLink(link);
  }

  void OpenSelected() {
    const std::vector<std::size_t> rows = Selected();
    if (rows.empty() || !m_actions.openUrl) {
      wxBell();
      return;
    }
    m_actions.openUrl(m_report.Row(rows.front()).url);
  }

  void ParkSelected() {
    std::vector<NodeId> ids;
    for (std::size_t r : Selected()) ids.push_back(m_report.Row(r).link);
    const std::size_t moved = ParkLinksInWorkBox(m_doc, ids);
    TraceUi("linkcheck-parked", std::to_string(moved));
    if (moved == 0) wxBell();
  }

  CVeskDoc& m_doc;
  CLinkCheckReport& m_report;
  LinkCheckActions m_actions;
  wxStaticText* m_summary = nullptr;
  CReportList* m_list = nullptr;
};

}  // namespace

void RunLinkCheck(wxWindow* parent, CVeskDoc& doc, const LinkCheckActions& actions) {
  const std::vector<const LINKINFO*> links = LinksToCheck(doc, doc.GetCurrent());
  if (links.empty()) {
    doc.UI().MessageBox(ResString(kIdsNoLinksToCheck), MbButtons::Ok, MbIcon::Information);
    return;
  }
  const std::vector<LinkCheckRequest> requests = MakeLinkCheckRequests(links);
  const int total = static_cast<int>(std::min<std::size_t>(requests.size(), 0x7FFFFFFF));

  CLinkChecker checker(LinkCheckOptionsFromSettings(doc.Settings()));
  std::atomic<bool> cancel{false};
  std::atomic<bool> finished{false};
  std::atomic<std::size_t> done{0};
  std::vector<LinkCheckOutcome> outcomes;
  // The network work runs here; the document stays with the user-interface thread.
  std::thread worker([&] {
    outcomes = checker.Run(
        requests, [&](std::size_t n, std::size_t) { done.store(n); }, &cancel);
    finished.store(true);
  });
  {
    wxProgressDialog progress(U8("リンクの確認"), wxString::Format("0 / %d", total), total, parent,
                              wxPD_APP_MODAL | wxPD_CAN_ABORT | wxPD_AUTO_HIDE | wxPD_ELAPSED_TIME);
    TraceUi("linkcheck", "started");
    while (!finished.load()) {
      const int n = static_cast<int>(std::min<std::size_t>(done.load(), total));
      // Update lets the window repaint and takes the press of the cancel button.
      if (!progress.Update(std::min(n, total - 1), wxString::Format("%d / %d", n, total)))
        cancel.store(true);
      wxMilliSleep(50);
    }
  }
  worker.join();

  CLinkCheckReport report(doc, links, outcomes);
  TraceUi("linkcheck", report.Summary());
  CLinkCheckReportDialog dialog(parent, doc, report, actions);
  dialog.ShowModal();
}

}  // namespace vesk
