#include "ui/setup_pages.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/checklst.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

#include <limits>

#include "text/encoding.h"
#include "text/file_path.h"
#include "ui/folder_picker.h"
#include "ui/limited_text_ctrl.h"
#include "ui/logic/genre_list_edit.h"
#include "ui/logic/link_sheet.h"
#include "ui/program_file_dialog.h"
#include "ui/ui_trace.h"
#include "ui/wx_text.h"
#include "ui/wx_user_interface.h"

namespace vesk {

namespace {

constexpr int kGap = 6;

wxStaticText* Note(wxWindow* parent, const char* text) {
  return new wxStaticText(parent, wxID_ANY, U8(text));
}

}  // namespace

// --- page 1 ---

CSetupPage1::CSetupPage1(wxWindow* parent) : CSetupPage(parent, wxID_ANY) {
  auto* column = new wxBoxSizer(wxVERTICAL);
  m_tag = new wxCheckBox(this, wxID_ANY, U8("コメントのHTMLのタグを有効にする。"));
  column->Add(m_tag, 0, wxALL, kGap);
  m_auto =
      new wxCheckBox(this, wxID_ANY, U8("ファイル名を毎回調べて必要なら付け直す。(完全自動化)"));
  column->Add(m_auto, 0, wxALL, kGap);

  auto* program = new wxStaticBoxSizer(wxHORIZONTAL, this, U8("Deepscoutの実行ファイル"));
  m_program = new CLimitedTextCtrl(program->GetStaticBox(), kSearchProgramLimit, std::string(), 0,
                                   wxSize(340, -1));
  program->Add(m_program, 1, wxALIGN_CENTER_VERTICAL | wxALL, kGap);
  auto* browse = new wxButton(program->GetStaticBox(), wxID_ANY, U8("参照..."));
  browse->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnBrowseProgram(); });
  program->Add(browse, 0, wxALIGN_CENTER_VERTICAL | wxALL, kGap);
  column->Add(program, 0, wxEXPAND | wxALL, kGap);

  auto* favorites = new wxStaticBoxSizer(wxHORIZONTAL, this, U8("お気に入りのフォルダ"));
  m_favorites = new wxTextCtrl(favorites->GetStaticBox(), wxID_ANY, wxString(), wxDefaultPosition,
                               wxSize(340, -1));
  favorites->Add(m_favorites, 1, wxALIGN_CENTER_VERTICAL | wxALL, kGap);
  auto* pick = new wxButton(favorites->GetStaticBox(), wxID_ANY, U8("参照..."));
  pick->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnBrowseFavorites(); });
  favorites->Add(pick, 0, wxALIGN_CENTER_VERTICAL | wxALL, kGap);
  column->Add(favorites, 0, wxEXPAND | wxALL, kGap);

  column->Add(Note(this,
                   "備 考\nファイル名の設定等は、CGI出力設定に移動しました。\n"
                   "kndファイル毎に出力するフォルダを設定できる様になりました。"),
              0, wxALL, kGap);
  SetSizer(column);
}

void CSetupPage1::Open(const SetupValues& values) {
  m_tag->SetValue(values.tag != 0);
  m_auto->SetValue(values.autoNames != 0);
  std::string path;
  // A stored path shows as the file system names it; text that is no path shows as it is.
  if (PathFromCp932(values.searchProgram, path)) {
    m_program->ChangeValue(FromPath(path));
  } else {
    m_program->SetCp932(values.searchProgram);
  }
  m_favorites->ChangeValue(FromPath(values.favoritesFolder));
}

std::optional<FieldError> CSetupPage1::Take(SetupValues& values) {
  std::string program;
  // The path goes into its Shift_JIS setting only when it comes back unchanged.
  if (auto error = PathFieldError(*m_program, program)) return error;
  if (auto message = CheckTextLimit(program, m_program->Limit()))
    return FieldError{m_program->GetId(), *message};
  values.tag = m_tag->GetValue() ? 1 : 0;
  values.autoNames = m_auto->GetValue() ? 1 : 0;
  values.searchProgram = program;
  values.favoritesFolder = ToPath(m_favorites->GetValue());
  return std::nullopt;
}

void CSetupPage1::OnBrowseProgram() {
  if (auto path = AskProgramFile(this)) m_program->ChangeValue(FromPath(*path));
}

void CSetupPage1::OnBrowseFavorites() {
  if (auto folder = CFolderPicker(this).Run(ToPath(m_favorites->GetValue())))
    m_favorites->ChangeValue(FromPath(*folder));
}

// --- page 2 ---

CSetupPage2::CSetupPage2(wxWindow* parent) : CSetupPage(parent, wxID_ANY) {
  auto* column = new wxBoxSizer(wxVERTICAL);
  for (int n = 0; n < 3; ++n) {
    const std::string label = "バナーのテンプレート " + std::to_string(n + 1);
    column->Add(new wxStaticText(this, wxID_ANY, U8(label.c_str())), 0, wxLEFT | wxRIGHT | wxTOP,
                kGap);
    m_templates[n] =
        new CLimitedTextCtrl(this, kSetupTextLimit, std::string(), wxTE_MULTILINE, wxSize(420, 60));
    column->Add(m_templates[n], 1, wxEXPAND | wxALL, kGap);
  }
  column->Add(Note(this,
                   "リンク先のバナー設定の入力を支援します。\n"
                   "このテンプレートを元に記入する事ができます。"),
              0, wxALL, kGap);
  SetSizer(column);
}

void CSetupPage2::Open(const SetupValues& values) {
  for (int n = 0; n < 3; ++n) m_templates[n]->SetCp932(values.banner[n]);
}

std::optional<FieldError> CSetupPage2::Take(SetupValues& values) {
  std::string taken[3];
  for (int n = 0; n < 3; ++n)
    if (auto error = m_templates[n]->TakeText(taken[n])) return error;
  for (int n = 0; n < 3; ++n) values.banner[n] = std::move(taken[n]);
  return std::nullopt;
}

bool CSetupPage2::TakesLineBreaks(const wxWindow* window) const {
  for (const CLimitedTextCtrl* edit : m_templates)
    if (window == edit) return true;
  return false;
}

// --- page 3 ---

CSetupPage3::CSetupPage3(wxWindow* parent) : CSetupPage(parent, wxID_ANY) {
  auto* column = new wxBoxSizer(wxVERTICAL);
  const char* labels[3] = {"cool !", "hot !", "check !"};
  for (int n = 0; n < 3; ++n) {
    column->Add(new wxStaticText(this, wxID_ANY, labels[n]), 0, wxLEFT | wxRIGHT | wxTOP, kGap);
    m_marks[n] = new CLimitedTextCtrl(this, kSetupTextLimit, std::string(), 0, wxSize(420, -1));
    column->Add(m_marks[n], 0, wxEXPAND | wxALL, kGap);
  }
  column->Add(Note(this,
                   "マークは、イメージや文字を指定してください。\n"
                   "CGI に寄り自動で埋め込まれる場合は、日付の指定により別のマーク(New等)が付く"
                   "場合も有ります。"),
              0, wxALL, kGap);
  SetSizer(column);
}

void CSetupPage3::Open(const SetupValues& values) {
  for (int n = 0; n < 3; ++n) m_marks[n]->SetCp932(values.mark[n]);
}

std::optional<FieldError> CSetupPage3::Take(SetupValues& values) {
  std::string taken[3];
  for (int n = 0; n < 3; ++n)
    if (auto error = m_marks[n]->TakeText(taken[n])) return error;
  for (int n = 0; n < 3; ++n) values.mark[n] = std::move(taken[n]);
  return std::nullopt;
}

// --- page 4 ---

CSetupPage4::CSetupPage4(wxWindow* parent) : CSetupPage(parent, wxID_ANY) {
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
  wxWindow* genreBox = genres->GetStaticBox();
  auto* editRow = new wxBoxSizer(wxHORIZONTAL);
  // The length is not limited; only characters Shift_JIS cannot hold are refused.
  m_genreEdit = new CLimitedTextCtrl(genreBox, std::numeric_limits<std::size_t>::max() / 2,
                                     std::string(), 0, wxSize(150, -1));
  editRow->Add(m_genreEdit, 1, wxALIGN_CENTER_VERTICAL | wxRIGHT, kGap);
  auto* add = new wxButton(genreBox, wxID_ANY, U8("登 録"));
  add->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { RegisterTyped(); });
  editRow->Add(add, 0, wxALIGN_CENTER_VERTICAL);
  genres->Add(editRow, 0, wxEXPAND | wxALL, kGap);
  genres->Add(Note(genreBox, "全角で10文字の文字が記入できます。"), 0, wxLEFT | wxRIGHT, kGap);
  m_genres = new wxCheckListBox(genreBox, wxID_ANY, wxDefaultPosition, wxSize(200, 200));
  // Rows are ticked, never selected.
  m_genres->Bind(wxEVT_LISTBOX, [this](wxCommandEvent&) { m_genres->SetSelection(wxNOT_FOUND); });
  genres->Add(m_genres, 1, wxEXPAND | wxALL, kGap);
  auto* remove = new wxButton(genreBox, wxID_ANY, U8("削 除"));
  remove->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { DeleteTicked(); });
  genres->Add(remove, 0, wxALIGN_RIGHT | wxLEFT | wxRIGHT | wxBOTTOM, kGap);
  row->Add(genres, 1, wxEXPAND | wxRIGHT, kGap);

  auto* columns = new wxStaticBoxSizer(wxVERTICAL, this, U8("リストのカラム設定"));
  m_grid = new wxCheckBox(columns->GetStaticBox(), wxID_ANY, U8("グリッド表示"));
  columns->Add(m_grid, 0, wxALL, kGap);
  m_columns =
      new wxCheckListBox(columns->GetStaticBox(), wxID_ANY, wxDefaultPosition, wxSize(180, 200));
  m_columns->Bind(wxEVT_LISTBOX, [this](wxCommandEvent&) { m_columns->SetSelection(wxNOT_FOUND); });
  columns->Add(m_columns, 1, wxEXPAND | wxALL, kGap);
  row->Add(columns, 1, wxEXPAND);
  column->Add(row, 1, wxEXPAND | wxALL, kGap);
  SetSizer(column);
}

void CSetupPage4::Open(const SetupValues& values) {
  m_state = OpenSetupPage4(values);
  for (int b = 0; b < 5; ++b) m_boxes[b]->SetValue(m_state.boxes[b]);
  ShowGenres();
  m_grid->SetValue(m_state.gridLine);
  m_columns->Clear();
  for (const ColumnRow& c : m_state.columns) {
    const int item = m_columns->Append(Cp932ToWx(c.title));
    m_columns->Check(static_cast<unsigned>(item), c.shown);
  }
}

std::optional<FieldError> CSetupPage4::Take(SetupValues& values) {
  for (int b = 0; b < 5; ++b) m_state.boxes[b] = m_boxes[b]->GetValue();
  PullTicks();
  m_state.gridLine = m_grid->GetValue();
  for (std::size_t i = 0; i < m_state.columns.size(); ++i)
    m_state.columns[i].shown = m_columns->IsChecked(static_cast<unsigned>(i));
  CloseSetupPage4(m_state, values);
  return std::nullopt;
}

bool CSetupPage4::OwnsEnter(const wxWindow* window) const { return window == m_genreEdit; }

void CSetupPage4::RegisterTyped() {
  PullTicks();
  std::string text = m_genreEdit->GetCp932();
  const GenreRegister outcome = RegisterGenre(m_state.genres, text);
  if (outcome == GenreRegister::Nothing) return;
  m_genreEdit->SetCp932(text);
  if (outcome == GenreRegister::Added) {
    m_genres->Append(Cp932ToWx(m_state.genres.back().text));
    TraceGenres();
  } else {
    ShowMessageBox(this, GenreRegisterMessage(outcome), MbButtons::Ok, MbIcon::Information);
  }
  m_genreEdit->SetFocus();
}

void CSetupPage4::DeleteTicked() {
  PullTicks();
  if (DeleteTickedGenres(m_state.genres) == 0) return;
  ShowGenres();
  TraceGenres();
}

void CSetupPage4::PullTicks() {
  for (std::size_t i = 0; i < m_state.genres.size(); ++i)
    m_state.genres[i].ticked = m_genres->IsChecked(static_cast<unsigned>(i));
}

void CSetupPage4::ShowGenres() {
  m_genres->Clear();
  for (const GenreRow& g : m_state.genres) {
    const int item = m_genres->Append(Cp932ToWx(g.text));
    m_genres->Check(static_cast<unsigned>(item), g.ticked);
  }
}

void CSetupPage4::TraceGenres() const {
  if (!TraceUiEnabled()) return;
  std::string rows;
  for (const GenreRow& g : m_state.genres) rows += (rows.empty() ? "" : "|") + ToUtf8(g.text);
  TraceUi("setup-genres", rows);
}

// --- page 5 ---

CSetupPage5::CSetupPage5(wxWindow* parent) : CSetupPage(parent, wxID_ANY) {
  auto* column = new wxBoxSizer(wxVERTICAL);
  auto* start = new wxStaticBoxSizer(wxVERTICAL, this, U8("起動時の読み込みファイル"));
  m_open =
      new wxCheckBox(start->GetStaticBox(), wxID_ANY, U8("前回終了時の kndファイル を読み込む。"));
  start->Add(m_open, 0, wxALL, kGap);
  column->Add(start, 0, wxEXPAND | wxALL, kGap);

  auto* adding = new wxStaticBoxSizer(wxVERTICAL, this, U8("リンク先の追加方法について"));
  m_top = new wxRadioButton(adding->GetStaticBox(), wxID_ANY, U8("リストの先頭に追加する。"),
                            wxDefaultPosition, wxDefaultSize, wxRB_GROUP);
  m_end = new wxRadioButton(adding->GetStaticBox(), wxID_ANY, U8("リストの最後に追加する。"));
  adding->Add(m_top, 0, wxALL, kGap);
  adding->Add(m_end, 0, wxALL, kGap);
  column->Add(adding, 0, wxEXPAND | wxALL, kGap);

  auto* browser = new wxStaticBoxSizer(wxVERTICAL, this, U8("ブラウザ表示"));
  m_userAgent = new wxCheckBox(browser->GetStaticBox(), wxID_ANY,
                               U8("リンク先のダブルクリックでブラウザを起動し表示する。"));
  browser->Add(m_userAgent, 0, wxALL, kGap);
  browser->Add(
      Note(browser->GetStaticBox(), "チェックしない時は、リンク先の更新ダイアログが開きます。"), 0,
      wxALL, kGap);
  column->Add(browser, 0, wxEXPAND | wxALL, kGap);
  SetSizer(column);
}

void CSetupPage5::Open(const SetupValues& values) {
  m_open->SetValue(values.open != 0);
  (values.tail == 0 ? m_top : m_end)->SetValue(true);
  m_userAgent->SetValue(values.userAgent != 0);
}

std::optional<FieldError> CSetupPage5::Take(SetupValues& values) {
  values.open = m_open->GetValue() ? 1 : 0;
  values.tail = m_top->GetValue() ? 0 : 1;
  values.userAgent = m_userAgent->GetValue() ? 1 : 0;
  return std::nullopt;
}

}  // namespace vesk
