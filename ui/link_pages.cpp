#include "ui/link_pages.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/checklst.h>
#include <wx/choice.h>
#include <wx/datetime.h>
#include <wx/filedlg.h>
#include <wx/sizer.h>
#include <wx/spinbutt.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

#include "publish/banner_image.h"
#include "ui/limited_text_ctrl.h"
#include "ui/ui_trace.h"
#include "ui/wx_text.h"
#include "ui/wx_user_interface.h"

namespace vesk {

namespace {

constexpr int kGap = 6;

// A label above its edit.
void AddLabelled(wxWindow* page, wxSizer& column, const char* label, wxWindow* edit,
                 int proportion = 0) {
  column.Add(new wxStaticText(page, wxID_ANY, U8(label)), 0, wxLEFT | wxRIGHT | wxTOP, kGap);
  column.Add(edit, proportion, wxEXPAND | wxALL, kGap);
}

}  // namespace

// --- page 1 ---

CLinkPage1::CLinkPage1(wxWindow* parent, const LinkSheetValues& values)
    : CLinkSheetPage(parent, wxID_ANY) {
  auto* column = new wxBoxSizer(wxVERTICAL);
  m_title = new CLimitedTextCtrl(this, kLinkTextLimit, values.title, 0, wxSize(420, -1));
  AddLabelled(this, *column, "webページの題名 (必須)", m_title);
  m_url = new CLimitedTextCtrl(this, kLinkTextLimit, values.url);
  AddLabelled(this, *column, "URL (必須)    例) http://www.example.co.jp/", m_url);
  m_admin = new CLimitedTextCtrl(this, kLinkTextLimit, values.admin);
  AddLabelled(this, *column, "web管理者名", m_admin);
  m_email = new CLimitedTextCtrl(this, kLinkTextLimit, values.email);
  AddLabelled(this, *column, "E-mail    例) webmaster@example.co.jp", m_email);
  SetSizer(column);
}

std::optional<FieldError> CLinkPage1::Take(LinkSheetValues& values) const {
  if (auto error = m_title->TakeText(values.title)) return error;
  if (auto error = m_url->TakeText(values.url)) return error;
  if (auto error = m_admin->TakeText(values.admin)) return error;
  return m_email->TakeText(values.email);
}

std::string CLinkPage1::Title() const { return m_title->GetCp932(); }

void CLinkPage1::FocusTitle() {
  m_title->SetFocus();
  m_title->SelectAll();
}

// --- page 2 ---

CLinkPage2::CLinkPage2(wxWindow* parent, const LinkSheetValues& values)
    : CLinkSheetPage(parent, wxID_ANY) {
  auto* column = new wxBoxSizer(wxVERTICAL);
  m_comment = new CLimitedTextCtrl(this, kLinkCommentLimit, values.comment, wxTE_MULTILINE,
                                   wxSize(420, 180));
  AddLabelled(this, *column, "コメント (環境設定を行なえばタグも使用できます。)", m_comment, 1);
  SetSizer(column);
}

std::optional<FieldError> CLinkPage2::Take(LinkSheetValues& values) const {
  return m_comment->TakeText(values.comment);
}

bool CLinkPage2::TakesLineBreaks(const wxWindow* window) const { return window == m_comment; }

// --- page 3 ---

CLinkPage3::CLinkPage3(wxWindow* parent, CVeskSettings& settings, const LinkSheetValues& values,
                       const CLinkPage1& page1)
    : CLinkSheetPage(parent, wxID_ANY),
      m_settings(settings),
      m_page1(page1),
      m_bannerBase(values.bannerBase),
      m_loadedMark(values.mark) {
  auto* column = new wxBoxSizer(wxVERTICAL);

  auto* banner = new wxStaticBoxSizer(wxVERTICAL, this, U8("バナー"));
  m_banner = new CLimitedTextCtrl(banner->GetStaticBox(), kLinkTextLimit, values.banner,
                                  wxTE_MULTILINE, wxSize(420, 70));
  banner->Add(m_banner, 1, wxEXPAND | wxALL, kGap);
  auto* buttons = new wxBoxSizer(wxHORIZONTAL);
  for (int n = 1; n <= 3; ++n) {
    auto* button = new wxButton(banner->GetStaticBox(), wxID_ANY, std::to_string(n),
                                wxDefaultPosition, wxDefaultSize, wxBU_EXACTFIT);
    button->Bind(wxEVT_BUTTON, [this, n](wxCommandEvent&) { OnTemplate(n); });
    buttons->Add(button, 0, wxRIGHT, kGap);
  }
  buttons->AddStretchSpacer();
  auto* image = new wxButton(banner->GetStaticBox(), wxID_ANY, U8("画像..."));
  image->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnImage(); });
  buttons->Add(image, 0);
  banner->Add(buttons, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, kGap);
  column->Add(banner, 1, wxEXPAND | wxALL, kGap);

  auto* mark = new wxStaticBoxSizer(wxHORIZONTAL, this, U8("マーク"));
  wxArrayString marks;
  for (const char* item : {"無し", "cool !", "hot !", "check !"}) marks.Add(U8(item));
  m_mark = new wxChoice(mark->GetStaticBox(), wxID_ANY, wxDefaultPosition, wxDefaultSize, marks);
  // A mark outside the list shows no item and goes back unchanged.
  m_mark->SetSelection(values.mark >= 0 && values.mark <= 3 ? values.mark : wxNOT_FOUND);
  m_mark->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { ShowMarkPreview(); });
  mark->Add(m_mark, 0, wxALIGN_CENTER_VERTICAL | wxALL, kGap);
  m_markPreview = new wxStaticText(mark->GetStaticBox(), wxID_ANY, wxString(), wxDefaultPosition,
                                   wxSize(240, -1), wxST_NO_AUTORESIZE);
  mark->Add(m_markPreview, 1, wxALIGN_CENTER_VERTICAL | wxALL, kGap);
  column->Add(mark, 0, wxEXPAND | wxALL, kGap);

  auto* date = new wxStaticBoxSizer(wxHORIZONTAL, this, U8("更新日"));
  AddDateField(*date, 0, values.year, kYearMin, kYearMax, "年");
  AddDateField(*date, 1, values.month, kMonthMin, kMonthMax, "月");
  AddDateField(*date, 2, values.day, kDayMin, kDayMax, "日");
  date->AddStretchSpacer();
  auto* today = new wxButton(date->GetStaticBox(), wxID_ANY, U8("今日"));
  today->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnToday(); });
  date->Add(today, 0, wxALIGN_CENTER_VERTICAL | wxALL, kGap);
  column->Add(date, 0, wxEXPAND | wxALL, kGap);

  SetSizer(column);
  ShowMarkPreview();
}

void CLinkPage3::AddDateField(wxStaticBoxSizer& row, int index, int value, int min, int max,
                              const char* label) {
  wxStaticBox* box = row.GetStaticBox();
  auto* edit = new wxTextCtrl(box, wxID_ANY, std::to_string(value), wxDefaultPosition,
                              wxSize(index == 0 ? 64 : 44, -1));
  auto* spin = new wxSpinButton(box, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                wxSP_VERTICAL | wxSP_ARROW_KEYS);
  spin->SetRange(min, max);
  spin->SetValue(value >= min && value <= max ? value : min);
  // The spin button writes plain decimal numbers into its edit; a valid number typed into the
  // edit moves the spin button with it.
  spin->Bind(wxEVT_SPIN, [edit](wxSpinEvent& event) {
    edit->ChangeValue(std::to_string(event.GetPosition()));
  });
  edit->Bind(wxEVT_TEXT, [edit, spin, min, max](wxCommandEvent& event) {
    event.Skip();
    std::string ignored;
    if (auto number = ParseDateField(WxToCp932(edit->GetValue()), min, max, ignored)) {
      spin->SetValue(*number);
    }
  });
  m_date[index] = edit;
  m_spin[index] = spin;
  row.Add(edit, 0, wxALIGN_CENTER_VERTICAL | wxLEFT, kGap);
  row.Add(spin, 0, wxALIGN_CENTER_VERTICAL);
  row.Add(new wxStaticText(box, wxID_ANY, U8(label)), 0, wxALIGN_CENTER_VERTICAL | wxALL, kGap);
}

std::optional<FieldError> CLinkPage3::Take(LinkSheetValues& values) const {
  if (auto error = m_banner->TakeText(values.banner)) return error;
  const int selection = m_mark->GetSelection();
  values.mark = selection == wxNOT_FOUND ? m_loadedMark : selection;
  const int ranges[3][2] = {{kYearMin, kYearMax}, {kMonthMin, kMonthMax}, {kDayMin, kDayMax}};
  int* fields[3] = {&values.year, &values.month, &values.day};
  for (int i = 0; i < 3; ++i) {
    std::string message;
    auto number =
        ParseDateField(WxToCp932(m_date[i]->GetValue()), ranges[i][0], ranges[i][1], message);
    if (!number) return FieldError{m_date[i]->GetId(), message};
    *fields[i] = *number;
  }
  return std::nullopt;
}

bool CLinkPage3::TakesLineBreaks(const wxWindow* window) const { return window == m_banner; }

void CLinkPage3::OnTemplate(int n) {
  m_banner->SetCp932(BannerFromTemplate(m_settings, n, m_page1.Title()));
}

void CLinkPage3::OnImage() {
  wxFileDialog dialog(this, U8("開く"), wxEmptyString, wxEmptyString,
                      FilterToWildcard("Banner (*.gif *.jpg *.png)|*.gif;*.jpg;*png||"),
                      wxFD_OPEN | wxFD_FILE_MUST_EXIST);
  if (dialog.ShowModal() != wxID_OK) return;
  const BannerTagResult result = MakeBannerTag(ToPath(dialog.GetPath()), m_bannerBase);
  if (result.ok) {
    m_banner->SetCp932(result.tag);
    TraceUi("banner", ToUtf8(result.tag));
    return;
  }
  // A header that does not match leaves the field as it was without a word.
  if (!result.quiet) ShowMessageBox(this, result.message, MbButtons::Ok, MbIcon::Stop);
}

void CLinkPage3::OnToday() {
  const wxDateTime now = wxDateTime::Now();
  const int today[3] = {now.GetYear(), static_cast<int>(now.GetMonth()) + 1, now.GetDay()};
  for (int i = 0; i < 3; ++i) m_date[i]->SetValue(std::to_string(today[i]));
}

void CLinkPage3::ShowMarkPreview() {
  m_markPreview->SetLabel(Cp932ToWx(MarkPreview(m_settings, m_mark->GetSelection())));
}

// --- page 4 ---

CLinkPage4::CLinkPage4(wxWindow* parent) : CLinkSheetPage(parent, wxID_ANY) {
  auto* column = new wxBoxSizer(wxVERTICAL);

  auto* targets = new wxStaticBoxSizer(wxHORIZONTAL, this, U8("被検索文字列"));
  const char* labels[5] = {"カテゴリー", "webページの題名", "web管理者", "E-mail", "コメント"};
  for (int b = 0; b < 5; ++b) {
    m_boxes[b] = new wxCheckBox(targets->GetStaticBox(), wxID_ANY, U8(labels[b]));
    targets->Add(m_boxes[b], 0, wxALL, kGap);
  }
  column->Add(targets, 0, wxEXPAND | wxALL, kGap);

  auto* row = new wxBoxSizer(wxHORIZONTAL);
  auto* genres = new wxStaticBoxSizer(wxVERTICAL, this, U8("ジャンル"));
  m_genres =
      new wxCheckListBox(genres->GetStaticBox(), wxID_ANY, wxDefaultPosition, wxSize(200, 150));
  genres->Add(m_genres, 1, wxEXPAND | wxALL, kGap);
  row->Add(genres, 1, wxEXPAND | wxRIGHT, kGap);

  auto* words = new wxStaticBoxSizer(wxVERTICAL, this, U8("可変ワード"));
  for (int k = 0; k < kKeywordEdits; ++k) {
    const std::string label = "Keyword " + std::to_string(k + 1);
    words->Add(new wxStaticText(words->GetStaticBox(), wxID_ANY, label), 0,
               wxLEFT | wxRIGHT | wxTOP, kGap);
    m_keywords[k] = new CLimitedTextCtrl(words->GetStaticBox(), kKeywordLimit, std::string(), 0,
                                         wxSize(180, -1));
    words->Add(m_keywords[k], 0, wxEXPAND | wxLEFT | wxRIGHT, kGap);
  }
  row->Add(words, 1, wxEXPAND);
  column->Add(row, 1, wxEXPAND | wxALL, kGap);
  SetSizer(column);
}

void CLinkPage4::Open(LinkSheetValues& values) {
  values.OpenKeywords();
  const KeywordPageState& page = values.keywordPage;
  for (std::size_t g = 0; g < page.genres.size(); ++g) {
    const int item = m_genres->Append(Cp932ToWx(page.genres[g]));
    m_genres->Check(static_cast<unsigned>(item), page.ticked[g]);
  }
  for (int k = 0; k < kKeywordEdits; ++k) m_keywords[k]->SetCp932(page.keywords[k]);
  for (int b = 0; b < 5; ++b) m_boxes[b]->SetValue(page.boxes[b]);
}

std::optional<FieldError> CLinkPage4::Take(LinkSheetValues& values) const {
  if (!values.keywordPageOpened) return std::nullopt;
  KeywordPageState& page = values.keywordPage;
  for (int k = 0; k < kKeywordEdits; ++k) {
    if (auto error = m_keywords[k]->TakeText(page.keywords[k])) return error;
  }
  for (std::size_t g = 0; g < page.ticked.size(); ++g) {
    page.ticked[g] = m_genres->IsChecked(static_cast<unsigned>(g));
  }
  for (int b = 0; b < 5; ++b) page.boxes[b] = m_boxes[b]->GetValue();
  return std::nullopt;
}

}  // namespace vesk
