#include "resources/string_table.h"

#include <map>

#include "text/encoding.h"

namespace vesk {
namespace {

// Kept in UTF-8 here and converted once, on first use, to the in-memory Shift_JIS.
const std::map<int, const char*>& Utf8Table() {
  static const std::map<int, const char*> table = {
      {128, "\nVesk\nVesk Document\nVesk ファイル (*.knd)\n.knd\nveskDatafile\nVesk Document"},
      {10001, "これ以上カテゴリー/リンク先を追加できません。"},
      {10002, "通し番号の再割り当てが必要です。"},
      {10003, "通し番号に問題があります。再割り当てしますか?"},
      {10004, "通し番号を再割り当てします。\nUndo情報も初期化されますので注意してください。"},
      {10006, "Kestrelnest CGI 用データファイルではありません。"},
      {10007, "CSVデータをファイルに書き込みました。"},
      {10008, "Kestrelnest CSVのデータファイルではありません。"},
      {10010, "リンク集のHTMLファイルの書き込みに失敗しました。"},
      {10011, "Deepscoutを起動できませんでした。"},
      {10012, "お気に入りからリンク先を入力します。"},
      {10013, "お気に入りに「Kestrelnest」フォルダを作成しました。"},
      {10014, "お気に入りに「Kestrelnest」フォルダがありません。"},
      {10015, "お気に入りにリンク先を書き込みました。"},
      {10016, "検索結果:見つかりませんでした。"},
      {10017, "検索結果:他は見つかりませんでした。"},
      {10018, "空白は、登録できません。"},
      {10019, "同一ジャンルがあります。"},
      {10020, "これ以上ジャンルの登録はできません。"},
#ifdef _WIN32
      {10021,
       "Kestrelnest Application\nレジストリにデータを書き込みます。\n\nレジストリのデータの削除"
       "は、\n『アプリケーションの追加と削除』にてできます。"},
#else
      // The settings live in a file here, and the uninstall run is the program's own command.
      {10021,
       "Kestrelnest Application\n設定ファイルにデータを書き込みます。\n\n設定ファイルのデータの削"
       "除は、\n『vesk --uninstall』にてできます。"},
#endif
      {10022, "Kestrelnest Application\nレジストリのデータを削除します。"},
      {10023, "Kestrelnst Applicationが起動していますのでアンインストールできません。"},
      {10024, "Kestrelnest レジストリ情報の削除"},
      {10030, "ドキュメントに保存できない文字がパスに有ります。\n%1"},
      {10067,
       "メールソフトが見つかりませんでした。\nInernetExplorerのオプションで電子メールソフトを選択し"
       "て"
       "ください。"},
      {10068, "新規作成/変更されたファイルはありません。"},
      {10100, "Top Category"},
      {10101, "作業箱"},
      {10102, "ごみ箱"},
      {10103, "New Category"},
      {10105, "category"},
      {10106, "cgi"},
      {10107, "search.cgi"},
      {10108, "html"},
      {10112, "Kestrelnest Application Data Format\r\n"},
      {10113, "https://vesk.example.org/"},
      {10115, "Kestrelnest Application"},
      {10116, "%1 - Kestrelnest Application"},
      {10117,
       "Kestrelnest CGI データファイル (*%1)|*%1|Kestrelnest CSV カンマ区切りファイル "
       "(*.csv)|*.csv|お気に入り用ファイル(*.url)|*.url|"},
      {10118,
       "ニュース\tスポーツ\t旅行\tコンピュータ\t車\tバイク\tゲーム\tCG\tグルメ\t映画\t音楽\t地域\t"
       "小説・"
       "散文\t"},
      {10200, "120,webページの題名"},
      {10201, "120,URL"},
      {10202, "75,web管理者"},
      {10203, "75,E-mail"},
      {10204, "200,コメント"},
      {10205, "75,バナー"},
      {10206, "75,マーク"},
      {10207, "100,更新日"},
      {10208, "200,キーワード"},
      {10209, "- end -"},
      {10300, "環境設定"},
      {10301, "実行ファイル (*.exe)|*.exe|All Files (*.*)|*.*||"},
      {10302, "HTMLファイル (*.html;*.htm)|*.html;*.htm|All Files (*.*)|*.*||"},
      {10303,
       "<IMG src=\"xxx.png\" alt=\"\" align=\"middle\" border=\"0\" width=\"200\" height=\"40\">"},
      {10304, "<IMG src=\"%s\" alt=\"\" align=\"middle\" border=\"0\" width=\"%d\" height=\"%d\">"},
      {10400, "リンク先の情報"},
      {10401, "web page Title"},
      {10402, "http://"},
      {10405, "cool!"},
      {10406, "hot!"},
      {10407, "check!"},
      {10500, "アクセス権が有りません。"},
      {10501, "ファイル名が長すぎるか、パスが正しくありません。"},
      {10502, "通常のファイルではないか、大きすぎます。"},
      {10503, "ファイル: %1"},
      {10504, "出力先 %1 はドキュメントのフォルダの外に有ります。このフォルダに出力しますか?"},
      {10505, "vesk-cli では確認できないため中止しました。続けるには --yes を指定してください。"},
      {10506, "%1 は既に存在します。上書きしますか?"},
      {10507, "ドキュメントのジャンルリストが大きすぎるため、読み込みませんでした。"},
      {10508, "メモリが不足しています。"},
      {10509, "テンプレート %1 は通常のファイルではないか、大きすぎるため読み込みませんでした。"},
      {10510, "%1 にはURLが有りません。"},
      {10511, "このカテゴリーにはファイル名が有りません。"},
      {10512, "出力フォルダ %1 が見つからないため、ドキュメントのフォルダに出力しました。"},
      {10540, "ブックマークの題名 %1 件に Shift_JIS で表せない文字があり、「?」に置き換えました。"},
      {10541, "%1 はブックマークファイルではありません。"},
      {10542, "ブックマークファイル (*.html;*.htm)|*.html;*.htm|All Files (*.*)|*.*||"},
      {10543, "ブックマークファイル %1 を書き込みました。"},
      {10544,
       "スクリプトを実行する URL (javascript:、data:、vbscript:) %1 件は取り込みませんでした。"},
      {10545,
       "テンプレート %1 はドキュメントのフォルダの外に有ります。このテンプレートを使用しますか?"},
      {10546,
       "ブックマークファイル (*.html;*.htm)|*.html;*.htm|ブラウザのブックマーク "
       "(Bookmarks;places.sqlite)|Bookmarks;places.sqlite|All Files (*.*)|*.*||"},
      {10600, "このカテゴリーと下位カテゴリーにリンクがありません。"},
      {10720, "X11 のディスプレイに接続できないため、Deepscoutにデータを渡せません。"},
      {10721, "ファイルの出力"},
      {10722, "ファイルを書き込んでいます。 (%1 / %2)"},
      {10723,
       "プログラムのフォルダの名前 (UTF-8 ではない名前など) "
       "はデスクトップのエントリに書けないため、"
       "デスクトップへの登録をしませんでした。\nUTF-8 の名前のフォルダに置くと登録されます。"},
      {10724, "リンク先検索"},
      {10725, "リンク先を検索しています。 (%1 / %2)"},
      {10726, "ごみ箱を空にする"},
      {10727, "ごみ箱を空にしています。 (%1 / %2)"},
      {10728, "リンク先の削除"},
      {10729, "リンク先をごみ箱へ移しています。 (%1 / %2)"},
      {10730, "元に戻す"},
      {10731, "元に戻しています。 (%1 / %2)"},
      {10740, "DDEの初期化に失敗しました。"},
      {10741, "ブラウザ情報の取得"},
      {10742, "%1 には Shift_JIS で表せない文字が有るため、Deepscoutにデータを渡せません。"},
      {57344, "vesk"},
      {59143, "0001 / 0000"},
      {59144, "                    "},
      {61712, "整数を入力してください。"},
      {61714, "%1 から %2 までの整数を入力してください。"},
      {61716, "%1 文字以内で入力してください。"},
  };
  return table;
}

}  // namespace

std::string ResStringUtf8(int id) {
  const auto& table = Utf8Table();
  auto it = table.find(id);
  return it == table.end() ? std::string() : std::string(it->second);
}

std::string ResString(int id) {
  static std::map<int, std::string> cache;
  auto it = cache.find(id);
  if (it != cache.end()) return it->second;
  std::string cp932 = ToCp932(ResStringUtf8(id));
  cache.emplace(id, cp932);
  return cp932;
}

std::string ResFormat(int id, const std::string& arg) {
  std::string text = ResString(id);
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 1 < text.size() && text[i + 1] == '1') {
      out += arg;
      ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

}  // namespace vesk
