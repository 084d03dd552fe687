#include "ui/logic/link_rows.h"

#include <gtest/gtest.h>

#include "document/link_info.h"
#include "settings/memory_settings_backend.h"
#include "settings/vesk_settings.h"
#include "text/encoding.h"

namespace vesk {
namespace {

TEST(LinkRows, DefaultColumnsAreAllNineWithTheirTitlesAndWidths) {
  CMemorySettingsBackend backend;
  CVeskSettings settings(backend);
  auto columns = BuildListColumns(settings);
  ASSERT_EQ(columns.size(), 9u);
  EXPECT_EQ(columns[0].kind, 0);
  EXPECT_EQ(columns[0].title, ToCp932("webページの題名"));
  EXPECT_EQ(columns[0].width, 120);
  EXPECT_EQ(columns[4].title, ToCp932("コメント"));
  EXPECT_EQ(columns[4].width, 200);
  EXPECT_EQ(columns[7].title, ToCp932("更新日"));
  EXPECT_EQ(columns[7].width, 100);
}

TEST(LinkRows, HiddenPositionsAreLeftOutAndStoredWidthsFollowTheShownPosition) {
  CMemorySettingsBackend backend;
  CVeskSettings settings(backend);
  settings.SetHeader(1, 0);           // position 1 hidden
  settings.SetHeader(2, 0x1000 + 8);  // keywords at position 2
  settings.SetColumnWidth(1, 333);    // width of the second shown column
  auto columns = BuildListColumns(settings);
  ASSERT_EQ(columns.size(), 8u);
  EXPECT_EQ(columns[1].kind, 8);
  EXPECT_EQ(columns[1].width, 333);
  EXPECT_EQ(columns[1].title, ToCp932("キーワード"));
  EXPECT_EQ(columns[2].kind, 3);
  EXPECT_EQ(columns[2].width, 75);
}

TEST(LinkRows, CellTextsOfMarkAndDate) {
  LINKINFO link(1, 0);
  link.m_nYear = 2001;
  link.m_nMonth = 5;
  link.m_nDay = 7;
  link.m_strURL = "http://x.example/";
  EXPECT_EQ(LinkColumnText(link, 7), "2001/05/07");
  EXPECT_EQ(LinkColumnText(link, 1), "http://x.example/");
  link.m_nMark = 0;
  EXPECT_EQ(LinkColumnText(link, 6), "");
  link.m_nMark = 2;
  EXPECT_EQ(LinkColumnText(link, 6), "hot!");
  link.m_nMark = 3;
  EXPECT_EQ(LinkColumnText(link, 6), "check!");
  link.m_nMark = 4;
  EXPECT_EQ(LinkColumnText(link, 6), "");
}

}  // namespace
}  // namespace vesk
