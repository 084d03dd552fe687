// The link check report: its order, its first selection, its cells and its summary.
#include "ui/logic/link_check_report.h"

#include <gtest/gtest.h>

#include "support/doc_fixture.h"
#include "text/encoding.h"

namespace vesk::test {
namespace {

class LinkCheckReportTest : public DocFixture {
 protected:
  // One link a result, titled by its place in the check order.
  CLinkCheckReport Make(const std::vector<std::pair<LinkCheckResult, long>>& results) {
    std::vector<const LINKINFO*> links;
    std::vector<LinkCheckOutcome> outcomes;
    for (std::size_t i = 0; i < results.size(); ++i) {
      LINKINFO* link = AddLink(Top(), "L" + std::to_string(i));
      link->m_strURL = "http://example.test/" + std::to_string(i);
      links.push_back(link);
      LinkCheckOutcome o;
      o.serial = link->m_nSerial;
      o.result = results[i].first;
      o.milliseconds = results[i].second;
      o.httpCode = o.result == LinkCheckResult::Dead ? 404 : 0;
      outcomes.push_back(o);
    }
    return CLinkCheckReport(doc, links, outcomes);
  }
  static std::string Titles(const CLinkCheckReport& report) {
    std::string out;
    for (std::size_t i = 0; i < report.Size(); ++i) out += report.Cell(i, kCheckColTitle) + " ";
    return out;
  }
};

using R = LinkCheckResult;

TEST_F(LinkCheckReportTest, DeadFirstThenByConcernTiesInCheckOrderAndTheDeadSelected) {
  CLinkCheckReport report = Make({{R::Ok, 5},
                                  {R::Dead, 7},
                                  {R::Unchecked, 0},
                                  {R::Timeout, 9},
                                  {R::Dead, 3},
                                  {R::Moved, 4},
                                  {R::Error, 1}});
  EXPECT_EQ(Titles(report), "L1 L4 L3 L6 L5 L0 L2 ");
  EXPECT_EQ(report.DeadRows(), (std::vector<std::size_t>{0, 1}));
  EXPECT_EQ(report.Cell(0, kCheckColResult), "リンク切れ");
  EXPECT_EQ(report.Cell(0, kCheckColCode), "404");
  EXPECT_EQ(report.Cell(2, kCheckColCode), "") << "no answer, no code";
  EXPECT_EQ(report.Cell(6, kCheckColTime), "") << "an unchecked link took no time";
  EXPECT_EQ(report.Summary(), "7 件: リンク切れ 2, 時間切れ 1, エラー 1, 移転 1, 正常 1, 未確認 1");

  // The same column again reverses; equal rows stay in check order either way.
  report.SortBy(kCheckColResult);
  EXPECT_FALSE(report.Ascending());
  EXPECT_EQ(Titles(report), "L2 L0 L5 L6 L3 L1 L4 ");
  EXPECT_EQ(report.DeadRows(), (std::vector<std::size_t>{5, 6}));
}

TEST_F(LinkCheckReportTest, TimesSortAsNumbersAndANewColumnStartsAscending) {
  CLinkCheckReport report = Make({{R::Ok, 900}, {R::Ok, 10000}, {R::Ok, 80}});
  report.SortBy(kCheckColTime);
  EXPECT_TRUE(report.Ascending());
  EXPECT_EQ(Titles(report), "L2 L0 L1 ");
  report.SortBy(kCheckColTime);
  EXPECT_EQ(Titles(report), "L1 L0 L2 ");
  report.SortBy(kCheckColUrl);
  EXPECT_TRUE(report.Ascending());
  EXPECT_EQ(Titles(report), "L0 L1 L2 ");
}

TEST_F(LinkCheckReportTest, TitlesAndUrlsAreShownInUtf8AndRowsNameTheirLinkById) {
  LINKINFO* link = AddLink(Top(), ToCp932("日本語のページ"));
  link->m_strURL = "http://example.test/";
  LinkCheckOutcome outcome;
  outcome.result = R::Ok;
  CLinkCheckReport report(doc, {link}, {outcome});
  EXPECT_EQ(report.Cell(0, kCheckColTitle), "日本語のページ");
  EXPECT_EQ(doc.NodeById(report.Row(0).link), link);
  doc.DestroyNode(link);
  EXPECT_EQ(doc.NodeById(report.Row(0).link), nullptr);
}

}  // namespace
}  // namespace vesk::test
