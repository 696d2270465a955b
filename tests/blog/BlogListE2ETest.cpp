// The blog listing through the real handlers against the sample space on 127.0.0.1.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include <QStatusBar>
#include <QTimer>

#include "blog/BlogHandlers.h"
#include "net/Conversions.h"
#include "net/ProgramState.h"
#include "net/ServiceHosts.h"
#include "platform/Gbk.h"
#include "support/BlogTestWindow.h"
#include "support/TestDesktop.h"
#include "tools/SampleSpace.h"

namespace {

const std::string kSummaries = "/cgi-bin/blognew/get_abs";

std::string SummariesRequest(const std::string& qq, const std::string& num) {
  return kSummaries + "?hostUin=" + qq +
         "&blogType=0&cateName=&cateHex=&statYear=2013&reqInfo=1&pos=0&num=" + num;
}

class BlogListE2ETest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!ProgramStateExists()) CreateProgramState();
    ASSERT_GT(space.Start(), 0);
    SetHosts(LocalServiceHosts(space.BaseUrl()));
  }

  ReportList* list() { return window.blogList; }

  void List(const QString& qq) {
    desktop.messages.clear();
    space.ClearLog();
    window.SetQq(qq);
    ListBlogs(&window);
  }

  // The rows an account's articles give when no title holds a character that the clean-up
  // changes: the blank behind each value stays on publish time and identifier.
  void ExpectRowsOf(const sample::Account& account) {
    ASSERT_EQ(list()->RowCount(), static_cast<int>(account.articles.size()));
    for (size_t i = 0; i < account.articles.size(); ++i) {
      const sample::Article& a = account.articles[i];
      const int r = static_cast<int>(i);
      SCOPED_TRACE(r);
      EXPECT_EQ(list()->Cell(r, 0), NumberToText(r + 1));
      EXPECT_EQ(list()->Cell(r, 1), a.title);
      EXPECT_EQ(list()->Cell(r, 2), a.category);
      EXPECT_EQ(list()->Cell(r, 3), a.pubTime + " ");
      EXPECT_EQ(list()->Cell(r, 4), a.blogId + " ");
      EXPECT_EQ(list()->CheckMark(r), 1);
    }
  }

  sample::SampleSpace space;
  TestDesktop desktop;
  BlogTestWindow window;
};

TEST_F(BlogListE2ETest, TypicalAccountGivesOneCheckedRowPerArticle) {
  const sample::Account* account = sample::FindAccount("20001");
  ASSERT_NE(account, nullptr);
  List("20001");
  ExpectRowsOf(*account);
  EXPECT_EQ(list()->CurrentRow(), 0);
  const std::string n = std::to_string(account->articles.size());
  EXPECT_EQ(space.RequestLog(),
            (std::vector<std::string>{SummariesRequest("20001", "1"), SummariesRequest("20001", n)}));
  EXPECT_EQ(desktop.messages, QStringList{QString::fromStdString("该QQ总共有日志 " + n + " 篇")});
}

TEST_F(BlogListE2ETest, CountedAccounts) {
  for (const char* qq : {"20015", "20057"}) {
    SCOPED_TRACE(qq);
    const sample::Account* account = sample::FindAccount(qq);
    ASSERT_NE(account, nullptr);
    List(qq);
    ExpectRowsOf(*account);
    const std::string n = std::to_string(account->articles.size());
    EXPECT_EQ(space.RequestLog(),
              (std::vector<std::string>{SummariesRequest(qq, "1"), SummariesRequest(qq, n)}));
    EXPECT_EQ(desktop.messages, QStringList{QString::fromStdString("该QQ总共有日志 " + n + " 篇")});
  }
  // The 57 of the example, spelt out.
  EXPECT_EQ(space.RequestLog().back(), SummariesRequest("20057", "57"));
  EXPECT_EQ(desktop.messages, QStringList{QStringLiteral("该QQ总共有日志 57 篇")});
  EXPECT_EQ(list()->Cell(56, 0), "57");
}

TEST_F(BlogListE2ETest, ClosedSpaceIsToldByTheNoArticleMessage) {
  List("20000");
  EXPECT_EQ(list()->RowCount(), 0);
  EXPECT_EQ(space.RequestLog(),
            (std::vector<std::string>{SummariesRequest("20000", "1"), SummariesRequest("20000", "0")}));
  EXPECT_EQ(desktop.messages,
            QStringList{QStringLiteral("很遗憾，没有找到文章，可能该空间没有设置为允许所有人访问！")});
}

TEST_F(BlogListE2ETest, FailedRequestsGiveTheNoArticleMessage) {
  space.SetFault(kSummaries, sample::Fault::NotFound404);
  List("20001");
  EXPECT_EQ(list()->RowCount(), 0);
  EXPECT_EQ(space.CountRequests(SummariesRequest("20001", "0")), 1u);
  EXPECT_EQ(desktop.messages,
            QStringList{QStringLiteral("很遗憾，没有找到文章，可能该空间没有设置为允许所有人访问！")});
  // No server at all.
  space.Stop();
  List("20001");
  EXPECT_EQ(list()->RowCount(), 0);
  EXPECT_EQ(desktop.messages,
            QStringList{QStringLiteral("很遗憾，没有找到文章，可能该空间没有设置为允许所有人访问！")});
}

TEST_F(BlogListE2ETest, EmptyQqIsRefusedWithoutARequest) {
  List("20001");
  ASSERT_GT(list()->RowCount(), 0);
  for (const QString& qq : {QString(), QStringLiteral("   "), QStringLiteral("　 　")}) {
    SCOPED_TRACE(qq.toStdString());
    List(qq);
    EXPECT_EQ(list()->RowCount(), 0);  // emptied before the test
    EXPECT_TRUE(space.RequestLog().empty());
    EXPECT_EQ(desktop.messages, QStringList{QStringLiteral("请输入QQ号码！")});
  }
  // The test reads the box again, whatever number was passed in.
  desktop.messages.clear();
  window.SetQq(QString());
  FillBlogList(&window, "20001");
  EXPECT_TRUE(space.RequestLog().empty());
  EXPECT_EQ(desktop.messages, QStringList{QStringLiteral("请输入QQ号码！")});
}

TEST_F(BlogListE2ETest, QqWithBlanksPassesTheTestAndIsSentAsTyped) {
  // Blanks pass the emptiness test and the number goes out as typed, the blank written as %20
  // (a raw blank is no valid request line). The service knows no such number, so the outcome is
  // the no-article message.
  for (const char* typed : {" 20001", "200 01"}) {
    SCOPED_TRACE(typed);
    List(QString::fromUtf8(typed));
    EXPECT_EQ(list()->RowCount(), 0);
    EXPECT_EQ(desktop.messages,
              QStringList{QStringLiteral("很遗憾，没有找到文章，可能该空间没有设置为允许所有人访问！")});
    std::string escaped = typed;
    escaped.replace(escaped.find(' '), 1, "%20");
    EXPECT_EQ(space.RequestLog(), (std::vector<std::string>{SummariesRequest(escaped, "1"),
                                                            SummariesRequest(escaped, "0")}));
  }
}

TEST_F(BlogListE2ETest, TrickyTitlesGoThroughTheCleanUp) {
  const sample::Account* account = sample::FindAccount("20002");
  ASSERT_NE(account, nullptr);
  List("20002");
  ASSERT_EQ(list()->RowCount(), static_cast<int>(account->articles.size()));
  auto rowOf = [&](const char* title) {
    for (size_t i = 0; i < account->articles.size(); ++i)
      if (account->articles[i].title == ToGbk(title)) return static_cast<int>(i);
    ADD_FAILURE() << title;
    return 0;
  };
  // Blanks, full-width blanks and other punctuation stay.
  EXPECT_EQ(list()->Cell(rowOf("春 游 记"), 1), ToGbk("春 游 记"));
  EXPECT_EQ(list()->Cell(rowOf("春 游 记"), 2), ToGbk("我的 分类"));
  EXPECT_EQ(list()->Cell(rowOf("全角　空格"), 1), ToGbk("全角　空格"));
  EXPECT_EQ(list()->Cell(rowOf("井号#问号?百分%和&"), 1), ToGbk("井号#问号?百分%和&"));
  EXPECT_EQ(list()->Cell(rowOf("..\\..\\x"), 1), ToGbk("..\\..\\x"));
  // Commas and double quotes vanish.
  EXPECT_EQ(list()->Cell(rowOf("逗号,标题"), 1), ToGbk("逗号标题"));
  EXPECT_EQ(list()->Cell(rowOf("引号\"标题\""), 1), ToGbk("引号标题"));
  // ">" ends the article's tag: only the identifier in front of the title survives.
  const int cut = rowOf("大于>号");
  EXPECT_EQ(list()->Cell(cut, 1), "");
  EXPECT_EQ(list()->Cell(cut, 2), "");
  EXPECT_EQ(list()->Cell(cut, 3), "");
  EXPECT_EQ(list()->Cell(cut, 4), account->articles[size_t(cut)].blogId + " ");
  // The rows behind it are whole again.
  EXPECT_EQ(list()->Cell(cut + 1, 1), account->articles[size_t(cut) + 1].title);
  EXPECT_EQ(list()->Cell(cut + 1, 3), account->articles[size_t(cut) + 1].pubTime + " ");
}

TEST_F(BlogListE2ETest, SecondListingReplacesAllRows) {
  List("20057");
  ASSERT_EQ(list()->RowCount(), 57);
  list()->SetCheckMark(3, 0);
  List("20001");
  ExpectRowsOf(*sample::FindAccount("20001"));
  List("20000");
  EXPECT_EQ(list()->RowCount(), 0);
}

TEST_F(BlogListE2ETest, ListedRowsSortAndKeepTheirMarks) {
  const sample::Account* account = sample::FindAccount("20001");
  List("20001");
  ASSERT_GT(list()->RowCount(), 2);
  list()->SetCheckMark(0, 0);  // the earliest article
  SortBlogList(&window, 3);    // newest first
  const int last = list()->RowCount() - 1;
  EXPECT_EQ(list()->Cell(last, 4), account->articles[0].blogId + " ");
  EXPECT_EQ(list()->CheckMark(last), 0);
  for (int r = 0; r < last; ++r) EXPECT_EQ(list()->CheckMark(r), 1);
  EXPECT_EQ(list()->CurrentRow(), -1);
  // Grouped by category: equal categories stand together.
  SortBlogList(&window, 2);
  std::vector<Text> seen;
  for (int r = 0; r < list()->RowCount(); ++r) {
    const Text c = list()->Cell(r, 2);
    if (seen.empty() || seen.back() != c) {
      for (const Text& s : seen) EXPECT_NE(s, c) << "category split";
      seen.push_back(c);
    }
  }
}

TEST_F(BlogListE2ETest, WindowKeepsPaintingAndShowsTheJobWhileListing) {
  // Each answer is held back a little so that the listing waits on the network for a while.
  space.SetLatencyMs(150);
  int ticksWhileShown = 0;
  QStringList shown;
  QTimer poll;
  poll.setInterval(0);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    const QString message = window.statusBar->currentMessage();
    if (message.isEmpty()) return;
    ++ticksWhileShown;
    if (!shown.contains(message)) shown.push_back(message);
  });
  poll.start();
  List("20001");
  poll.stop();
  EXPECT_EQ(shown, QStringList{QStringLiteral("读取日志列表…")});
  // Events went on being handled during the two requests, not only once at the start.
  EXPECT_GT(ticksWhileShown, 10);
  EXPECT_TRUE(window.statusBar->currentMessage().isEmpty());
  EXPECT_EQ(list()->RowCount(), static_cast<int>(sample::FindAccount("20001")->articles.size()));
}

}  // namespace
