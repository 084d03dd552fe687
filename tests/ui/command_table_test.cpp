#include "ui/logic/command_table.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "ui/logic/command_enabling.h"

namespace vesk {
namespace {

TEST(CommandTable, MenuTextsAndNumbersAreThoseOfTheMenuBar) {
  struct Expect {
    int id;
    const char* text;
  };
  const Expect expected[] = {
      {57600, "新規作成(&N)\tCtrl+N"},
      {57601, "開く(&O)...\tCtrl+O"},
      {57603, "上書き保存(&S)\tCtrl+S"},
      {57604, "名前を付けて保存(&A)..."},
      {32790, "データファイルの読み込み(&D)..."},
      {32791, "お気に入りからの入力(F)"},
      {32792, "お気に入りへ出力(&G)..."},
      {57665, "アプリケーションの終了(&X)"},
      {57643, "元に戻す(&U)\tCtrl+Z"},
      {57635, "切り取り(&T)\tCtrl+X"},
      {57634, "コピー(&C)\tCtrl+C"},
      {57637, "貼り付け(&P)\tCtrl+V"},
      {57636, "検索(&F)...\tCtrl+F"},
      {32784, "次を検索(&N)\tF3"},
      {32789, "並べ替え-ランダム(&R)"},
      {32783, "ごみ箱を空に(&D)"},
      {59392, "ツール バー(&T)"},
      {59393, "ステータス バー(&S)"},
      {32771, "新規作成-カテゴリー(&C)..."},
      {32775, "新規作成-リンク先(L)...\tCtrl+L"},
      {32798, "作成-ブラウザ情報(&B)\tCtrl+B"},
      {32794, "番号の再割り当て(&R)"},
      {32785, "環境設定(&A)..."},
      {32786, "CGI 出力設定(&C)..."},
      {32787, "HTML 出力設定(&H)..."},
      {32779, "CGI Dataの出力(&D)"},
      {32780, "CSV Dataの出力(&C)"},
      {32781, "HTMLファイルの出力(&H)"},
      {32782, "Deepscoutの実行(&S)"},
      {32813, "検索ページの出力(&P)"},
      {57670, "vesk ヘルプ(&H)"},
      {57664, "バージョン情報(vesk) (&A)..."},
  };
  for (const auto& e : expected) {
    const CommandInfo* info = FindCommand(e.id);
    ASSERT_NE(info, nullptr) << e.id;
    EXPECT_STREQ(info->text, e.text) << e.id;
  }
  EXPECT_STREQ(FindCommand(57600)->prompt, "新規ファイル");
}

TEST(CommandTable, EveryMenuItemIsACommandAndAppearsOnce) {
  std::set<int> seen;
  std::vector<std::string> titles;
  for (const auto& menu : MainMenus()) {
    titles.emplace_back(menu.title);
    for (int id : menu.items) {
      if (id == 0) continue;
      EXPECT_NE(FindCommand(id), nullptr) << id;
      EXPECT_TRUE(seen.insert(id).second) << id;
    }
  }
  EXPECT_EQ(titles, (std::vector<std::string>{"ファイル(&F)", "編集(&E)", "表示(&V)", "情報(&I)",
                                              "設定(&S)", "出力(&O)", "ヘルプ(&H)"}));
  // The context-menu-only commands are not on the menu bar.
  for (int id : {32772, 32773, 32774, 32776, 32777, 32778, 32793, 32795, 32796, 32799}) {
    EXPECT_EQ(seen.count(id), 0u) << id;
    EXPECT_NE(FindCommand(id), nullptr) << id;
  }
}

TEST(CommandTable, ToolbarOrderAndSeparators) {
  EXPECT_EQ(ToolbarButtons(),
            (std::vector<int>{57600, 57601, 57603, 0, 57635, 57634, 57637, 0, 32771, 32775, 0,
                              32779, 32781, 32782, 0, 32795, 32796, 0, 57664}));
}

TEST(CommandTable, AcceleratorsAreTheKeysOfTheTable) {
  std::set<std::string> keys;
  for (const auto& a : Accelerators()) {
    std::string k = std::string(a.ctrl ? "Ctrl+" : "") + (a.shift ? "Shift+" : "") + a.key;
    EXPECT_TRUE(keys.insert(k).second) << k;
    EXPECT_NE(FindCommand(a.command), nullptr) << k;
  }
  EXPECT_EQ(keys, (std::set<std::string>{"Ctrl+B", "Ctrl+F", "Ctrl+L", "Ctrl+N", "Ctrl+O", "Ctrl+S",
                                         "Ctrl+Down", "Ctrl+Up", "F1", "Shift+F1", "F3", "F6",
                                         "Tab", "Shift+F6"}));
  // Ctrl+X, C, V and Z belong to the views, not to the accelerator table.
  EXPECT_EQ(
      keys.count("Ctrl+X") + keys.count("Ctrl+C") + keys.count("Ctrl+V") + keys.count("Ctrl+Z"),
      0u);
}

TEST(CommandTable, ToolkitOffsetsAreDenseAndInvertible) {
  std::set<int> offsets;
  for (const auto& c : CommandTable()) {
    int off = CommandOffset(c.id);
    ASSERT_GE(off, 0);
    ASSERT_LT(off, kCommandOffsetLimit);
    EXPECT_TRUE(offsets.insert(off).second);
    EXPECT_EQ(CommandFromOffset(off), c.id);
  }
  for (int i = 0; i < 4; ++i) EXPECT_GE(CommandOffset(57616 + i), 0);
  EXPECT_EQ(CommandOffset(12345), -1);
  EXPECT_EQ(CommandFromOffset(-1), std::nullopt);
  EXPECT_EQ(CommandFromOffset(static_cast<int>(CommandTable().size())), std::nullopt);
}

TEST(CommandTable, RecentFileMenuTextNumbersAndEscapesAmpersands) {
  EXPECT_EQ(RecentFileMenuText(0, "/a/b.knd"), "&1 /a/b.knd");
  EXPECT_EQ(RecentFileMenuText(3, "/R&D/x.knd"), "&4 /R&&D/x.knd");
}

TEST(CommandEnabling, RulesFollowTheDocumentState) {
  CommandState s;
  EXPECT_TRUE(IsCommandEnabled(57600, s));
  EXPECT_TRUE(IsCommandEnabled(32779, s));  // outputs are always enabled
  EXPECT_TRUE(IsCommandEnabled(32780, s));
  EXPECT_TRUE(IsCommandEnabled(32781, s));
  EXPECT_TRUE(IsCommandEnabled(32782, s));
  EXPECT_TRUE(IsCommandEnabled(32785, s));  // the settings sheet
  EXPECT_FALSE(IsCommandEnabled(57643, s));
  EXPECT_FALSE(IsCommandEnabled(32784, s));
  EXPECT_FALSE(IsCommandEnabled(32783, s));
  s.canUndo = true;
  s.canFindNext = true;
  s.trashHasChildren = true;
  EXPECT_TRUE(IsCommandEnabled(57643, s));
  EXPECT_TRUE(IsCommandEnabled(32784, s));
  EXPECT_TRUE(IsCommandEnabled(32783, s));
}

TEST(CommandEnabling, NewCategoryIsRefusedInTheTrash) {
  CommandState s;
  EXPECT_TRUE(IsCommandEnabled(32771, s));
  s.inTrash = true;
  EXPECT_FALSE(IsCommandEnabled(32771, s));
  EXPECT_TRUE(IsCommandEnabled(57636, s));  // Find looks at every category
}

TEST(CommandEnabling, CommandsOfLaterViewsStayDisabled) {
  CommandState s;
  s.canUndo = s.canFindNext = s.trashHasChildren = true;
  for (int id : {57635, 57634, 57637, 32789, 32772, 32774, 32776, 32778, 32793, 32795, 32796, 32799,
                 57670}) {
    EXPECT_FALSE(IsCommandEnabled(id, s)) << id;
  }
}

TEST(CommandEnabling, BrowserCaptureIsAlwaysOffered) {
  CommandState s;
  EXPECT_TRUE(IsCommandEnabled(32798, s));
  EXPECT_TRUE(IsListMenuItemEnabled(32798, ListCommandState{}));
}

TEST(CommandEnabling, ViewCommandsFollowTheTreeWhenItHasTheFocus) {
  CommandState s;
  s.tree.role = TreeRole::Other;
  s.tree.hasNextSibling = s.tree.clipboardFull = true;
  EXPECT_FALSE(IsCommandEnabled(57635, s));  // the list has the focus
  s.treeActive = true;
  for (int id : {57635, 57634, 57637, 32772, 32774, 32795})
    EXPECT_TRUE(IsCommandEnabled(id, s)) << id;
  EXPECT_FALSE(IsCommandEnabled(32796, s));  // no sibling above
  s.tree.role = TreeRole::Top;
  EXPECT_FALSE(IsCommandEnabled(57635, s));
  EXPECT_TRUE(IsCommandEnabled(57637, s));
  // Link commands stay with the list.
  EXPECT_FALSE(IsCommandEnabled(32776, s));
}

TEST(CommandEnabling, PropertyEntriesAndUnknownCommandsAreNeverEnabled) {
  CommandState s;
  s.canUndo = s.canFindNext = s.trashHasChildren = true;
  EXPECT_FALSE(IsCommandEnabled(32773, s));
  EXPECT_FALSE(IsCommandEnabled(32777, s));
  EXPECT_FALSE(IsCommandEnabled(99999, s));
}

TEST(CommandEnabling, RecentEntriesFollowTheListLength) {
  CommandState s;
  EXPECT_FALSE(IsCommandEnabled(57616, s));
  s.recentFiles = 2;
  EXPECT_TRUE(IsCommandEnabled(57616, s));
  EXPECT_TRUE(IsCommandEnabled(57617, s));
  EXPECT_FALSE(IsCommandEnabled(57618, s));
  EXPECT_FALSE(IsCommandEnabled(57619, s));
}

TEST(CommandEnabling, ShowHideCommandsCarryTheirCheckMark) {
  CommandState s;
  s.toolbarShown = false;
  EXPECT_FALSE(IsCommandChecked(59392, s));
  EXPECT_TRUE(IsCommandChecked(59393, s));
  EXPECT_FALSE(IsCommandChecked(57600, s));
}

}  // namespace
}  // namespace vesk
