#include "ui/logic/command_table.h"

#include <unordered_map>

namespace vesk {

namespace {
using O = CommandOwner;
}  // namespace

const std::vector<CommandInfo>& CommandTable() {
  static const std::vector<CommandInfo> table = {
      // ファイル
      {kCmdFileNew, "新規作成(&N)\tCtrl+N", "新規ファイル", O::Framework},
      {kCmdFileOpen, "開く(&O)...\tCtrl+O", "既存のファイルを開きます", O::Framework},
      {kCmdFileSave, "上書き保存(&S)\tCtrl+S", "ファイルを上書き保存します", O::Framework},
      {kCmdFileSaveAs, "名前を付けて保存(&A)...", "ファイルに名前を付けて保存します", O::Framework},
      {kCmdReadDataFile, "データファイルの読み込み(&D)...",
       "CGI データ、CSV、お気に入り用ファイルを読み込みます", O::Document},
      {kCmdFavoritesImport, "お気に入りからの入力(F)", "お気に入りからリンク先を読み込みます",
       O::Document},
      {kCmdFavoritesExport, "お気に入りへ出力(&G)...", "リンク先をお気に入りへ出力します",
       O::Document},
      {kCmdBookmarksImport, "ブックマークファイルの読み込み(&B)...",
       "ブラウザのブックマークファイルを作業箱へ読み込みます", O::Document},
      {kCmdBookmarksExport, "ブックマークファイルへ出力(&K)...",
       "現在のカテゴリーと下位カテゴリーをブックマークファイルへ出力します", O::Document},
      {kCmdFileMru1, "", "このファイルを開きます", O::Framework},
      {kCmdFileMru1 + 1, "", "このファイルを開きます", O::Framework},
      {kCmdFileMru1 + 2, "", "このファイルを開きます", O::Framework},
      {kCmdFileMru1 + 3, "", "このファイルを開きます", O::Framework},
      {kCmdAppExit, "アプリケーションの終了(&X)", "アプリケーションを終了します", O::Framework},
      // 編集
      {kCmdEditUndo, "元に戻す(&U)\tCtrl+Z", "直前の操作を元に戻します", O::Document},
      {kCmdEditCut, "切り取り(&T)\tCtrl+X", "選択範囲を切り取ります", O::View},
      {kCmdEditCopy, "コピー(&C)\tCtrl+C", "選択範囲をコピーします", O::View},
      {kCmdEditPaste, "貼り付け(&P)\tCtrl+V", "切り取り/コピーした内容を貼り付けます", O::View},
      {kCmdEditFind, "検索(&F)...\tCtrl+F", "リンク先を検索します", O::Document},
      {kCmdFindNext, "次を検索(&N)\tF3", "次のリンク先を検索します", O::Document},
      {kCmdRandomSort, "並べ替え-ランダム(&R)", "リンク先をランダムに並べ替えます", O::View},
      {kCmdEmptyTrash, "ごみ箱を空に(&D)", "ごみ箱の中身を削除します", O::Document},
      // 表示
      {kCmdViewToolbar, "ツール バー(&T)", "ツール バーの表示/非表示を切り替えます", O::Frame},
      {kCmdViewStatusBar, "ステータス バー(&S)", "ステータス バーの表示/非表示を切り替えます",
       O::Frame},
      // 情報
      {kCmdNewCategory, "新規作成-カテゴリー(&C)...", "新しいカテゴリーを作成します", O::Document},
      {kCmdNewLink, "新規作成-リンク先(L)...\tCtrl+L", "新しいリンク先を作成します", O::Document},
      {kCmdBrowserPage, "作成-ブラウザ情報(&B)\tCtrl+B",
       "最後にアクティブなブラウザからリンク先情報を取得します。", O::Document},
      {kCmdRenumber, "番号の再割り当て(&R)", "通し番号を再割り当てします", O::Document},
      {kCmdCheckLinks, "リンク切れの確認(&K)...",
       "現在のカテゴリーと下位カテゴリーのリンク先が有効か確かめます", O::Document},
      // 設定
      {kCmdEnvSettings, "環境設定(&A)...", "環境設定を変更します", O::Document},
      {kCmdCgiSettings, "CGI 出力設定(&C)...", "CGI 出力の設定を変更します", O::Document},
      {kCmdHtmlSettings, "HTML 出力設定(&H)...", "HTML 出力の設定を変更します", O::Document},
      // 出力
      {kCmdCgiOutput, "CGI Dataの出力(&D)", "CGI 用データファイルを出力します", O::Document},
      {kCmdCsvOutput, "CSV Dataの出力(&C)", "カンマ区切り形式のデータを出力します。", O::Document},
      {kCmdHtmlOutput, "HTMLファイルの出力(&H)", "リンク集としてHTMLファイルを書き出します。",
       O::Document},
      {kCmdSearchProgram, "Deepscoutの実行(&S)", "Deepscoutへデータを渡します。", O::Document},
      {kCmdSearchPageOutput, "検索ページの出力(&P)",
       "サーバーのプログラムなしで使える検索ページを書き出します。", O::Document},
      // ヘルプ
      {kCmdHelpIndex, "vesk ヘルプ(&H)", "ヘルプを表示します", O::Never},
      {kCmdAppAbout, "バージョン情報(vesk) (&A)...", "バージョン情報を表示します", O::App},
      // Reached only from context menus, the toolbar or the accelerators.
      {kCmdChangeCategory, "カテゴリーの内容変更", "カテゴリーの内容を変更します", O::View},
      {kCmdCategoryProperty, "プロパティ", "", O::Never},
      {kCmdDeleteCategory, "カテゴリーの削除", "カテゴリーを削除します", O::View},
      {kCmdChangeLink, "リンク先の内容変更", "リンク先の内容を変更します", O::View},
      {kCmdLinkProperty, "プロパティ", "", O::Never},
      {kCmdDeleteLink, "リンク先の削除", "リンク先を削除します", O::View},
      {kCmdOpenBrowser, "リンク先をブラウザで表示", "リンク先をブラウザで表示します", O::View},
      {kCmdMoveDown, "下へ移動", "選択した項目を下へ移動します", O::View},
      {kCmdMoveUp, "上へ移動", "選択した項目を上へ移動します", O::View},
      {kCmdMailAdmin, "web管理者にメールを送る", "web管理者にメールを送ります", O::View},
      {kCmdContextHelp, "", "", O::Never},
      {kCmdNextPane, "", "次のウィンドウ ペインに切り替えます", O::Frame},
      {kCmdPrevPane, "", "前のウィンドウ ペインに切り替えます", O::Frame},
  };
  return table;
}

namespace {

const std::unordered_map<int, int>& OffsetIndex() {
  static const std::unordered_map<int, int> index = [] {
    std::unordered_map<int, int> m;
    const auto& table = CommandTable();
    for (int i = 0; i < static_cast<int>(table.size()); ++i) m.emplace(table[i].id, i);
    return m;
  }();
  return index;
}

}  // namespace

const CommandInfo* FindCommand(int id) {
  const auto& index = OffsetIndex();
  auto it = index.find(id);
  return it == index.end() ? nullptr : &CommandTable()[it->second];
}

int CommandOffset(int command) {
  const auto& index = OffsetIndex();
  auto it = index.find(command);
  return it == index.end() ? -1 : it->second;
}

std::optional<int> CommandFromOffset(int offset) {
  const auto& table = CommandTable();
  if (offset < 0 || offset >= static_cast<int>(table.size())) return std::nullopt;
  return table[offset].id;
}

const std::vector<MenuInfo>& MainMenus() {
  static const std::vector<MenuInfo> menus = {
      {"ファイル(&F)",
       {kCmdFileNew, kCmdFileOpen, kCmdFileSave, kCmdFileSaveAs, 0, kCmdReadDataFile,
        kCmdFavoritesImport, kCmdFavoritesExport, kCmdBookmarksImport, kCmdBookmarksExport, 0,
        kCmdFileMru1, 0, kCmdAppExit}},
      {"編集(&E)",
       {kCmdEditUndo, 0, kCmdEditCut, kCmdEditCopy, kCmdEditPaste, 0, kCmdEditFind, kCmdFindNext, 0,
        kCmdRandomSort, 0, kCmdEmptyTrash}},
      {"表示(&V)", {kCmdViewToolbar, kCmdViewStatusBar}},
      {"情報(&I)",
       {kCmdNewCategory, kCmdNewLink, kCmdBrowserPage, 0, kCmdRenumber, kCmdCheckLinks}},
      {"設定(&S)", {kCmdEnvSettings, 0, kCmdCgiSettings, kCmdHtmlSettings}},
      {"出力(&O)",
       {kCmdCgiOutput, kCmdCsvOutput, kCmdHtmlOutput, kCmdSearchPageOutput, kCmdSearchProgram}},
      {"ヘルプ(&H)", {kCmdHelpIndex, 0, kCmdAppAbout}},
  };
  return menus;
}

const std::vector<int>& ToolbarButtons() {
  static const std::vector<int> buttons = {kCmdFileNew,
                                           kCmdFileOpen,
                                           kCmdFileSave,
                                           0,
                                           kCmdEditCut,
                                           kCmdEditCopy,
                                           kCmdEditPaste,
                                           0,
                                           kCmdNewCategory,
                                           kCmdNewLink,
                                           0,
                                           kCmdCgiOutput,
                                           kCmdHtmlOutput,
                                           kCmdSearchProgram,
                                           0,
                                           kCmdMoveDown,
                                           kCmdMoveUp,
                                           0,
                                           kCmdAppAbout};
  return buttons;
}

const std::vector<AcceleratorInfo>& Accelerators() {
  static const std::vector<AcceleratorInfo> keys = {
      {true, false, "B", kCmdBrowserPage}, {true, false, "F", kCmdEditFind},
      {true, false, "L", kCmdNewLink},     {true, false, "N", kCmdFileNew},
      {true, false, "O", kCmdFileOpen},    {true, false, "S", kCmdFileSave},
      {true, false, "Down", kCmdMoveDown}, {true, false, "Up", kCmdMoveUp},
      {false, false, "F1", kCmdHelpIndex}, {false, true, "F1", kCmdContextHelp},
      {false, false, "F3", kCmdFindNext},  {false, false, "F6", kCmdNextPane},
      {false, false, "Tab", kCmdNextPane}, {false, true, "F6", kCmdPrevPane},
  };
  return keys;
}

std::string RecentFileMenuText(int index, const std::string& shortened) {
  std::string text = "&" + std::to_string(index + 1) + " ";
  // A '&' in a path would otherwise become a mnemonic.
  for (char c : shortened) {
    if (c == '&') text += '&';
    text += c;
  }
  return text;
}

}  // namespace vesk
