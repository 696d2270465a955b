// The blog catalogue without a server: requests, count cut, clean-up and rows.
#include <gtest/gtest.h>

#include "blog/BlogCatalogue.h"
#include "net/ProgramState.h"
#include "platform/Gbk.h"

namespace {

class BlogCatalogueTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!ProgramStateExists()) CreateProgramState();
  }
};

// The list answer of the worked example, with its double quotes and the CR LF between the objects.
Text WorkedExampleAnswer() {
  return ToGbk(
      "_Callback({\"totalNum\":2,\n\"hostFlag\":1,\"list\":["
      "{\"blogId\":101, \"blogType\":0, \"title\":\"春游\", \"commentNum\":2, "
      "\"pubTime\":\"2013-04-01 10:20\", \"cate\":\"生活\", \"cateHex\":\"e7\"}, \r\n"
      "{\"blogId\":102, \"blogType\":0, \"title\":\"读书\", \"commentNum\":0, "
      "\"pubTime\":\"2013-05-02 08:00\", \"cate\":\"随笔\", \"cateHex\":\"e9\"}"
      "]});");
}

TEST_F(BlogCatalogueTest, RequestPathsCarryTheNumberAsGiven) {
  const Text base = "/cgi-bin/blognew/get_abs?hostUin=";
  const Text query = "&blogType=0&cateName=&cateHex=&statYear=2013&reqInfo=1&pos=0&num=";
  EXPECT_EQ(CountRequestPath("20001"), base + "20001" + query + "1");
  EXPECT_EQ(ListRequestPath("20001", 57), base + "20001" + query + "57");
  EXPECT_EQ(ListRequestPath("20001", 0), base + "20001" + query + "0");
  // Nothing is trimmed or escaped.
  EXPECT_EQ(CountRequestPath(" 123 456"), base + " 123 456" + query + "1");
}

TEST_F(BlogCatalogueTest, CountIsCutBetweenTotalNumAndHostFlag) {
  struct Case {
    const char* answer;
    long long count;
  } cases[] = {
      {"_Callback({\"totalNum\":57,\n\"hostFlag\":1});", 57},
      {"{\"totalNum\":0,\n\"hostFlag\":1}", 0},
      {"{\"totalNum\":12,\"hostFlag\":1}", 0},     // no line feed: right marker missing
      {"{\"totalNum\":12,\r\n\"hostFlag\":1}", 0},  // CR LF is not the marker either
      {"{\"total\":12,\n\"hostFlag\":1}", 0},       // left marker missing
      {"", 0},
      {"{\"totalNum\": 7,\n\"hostFlag\":1}", 7},  // a blank before the digits is skipped
  };
  for (const Case& c : cases) EXPECT_EQ(CutBlogCount(c.answer), c.count) << c.answer;
}

TEST_F(BlogCatalogueTest, ListPartLiesBetweenFirstBrackets) {
  EXPECT_EQ(CutListPart("a[b,c]d]"), "b,c");
  EXPECT_EQ(CutListPart("a[]"), "");
  EXPECT_EQ(CutListPart("no brackets"), "");
  EXPECT_EQ(CutListPart("x]y[z"), "");  // "]" before "["
  EXPECT_EQ(CutListPart("[abc"), "");   // "]" missing
}

TEST_F(BlogCatalogueTest, CleanUpFollowsTheWorkedExample) {
  const Text cleaned = CleanUpSummaries(WorkedExampleAnswer());
  EXPECT_EQ(cleaned,
            ToGbk("<img blogId:101 blogType:0 title:春游 commentNum:2 pubTime:2013-04-01 10:20 "
                  "cate:生活 cateHex:e7/>\r\n <img blogId:102 blogType:0 title:读书 commentNum:0 "
                  "pubTime:2013-05-02 08:00 cate:随笔 cateHex:e9/>\r\n"));
}

TEST_F(BlogCatalogueTest, CleanUpOrderMatters) {
  // The quote goes before CR LF is looked for, and a lone line feed stays.
  EXPECT_EQ(CleanUpSummaries("[\r\"\n{a}\n]"), "<img a/>\r\n\n");
  // Commas vanish after CR LF removal: "\r,\n" keeps its CR and LF apart.
  EXPECT_EQ(CleanUpSummaries("[\r,\n]"), "\r\n");
}

TEST_F(BlogCatalogueTest, RowsOfTheWorkedExample) {
  const std::vector<BlogRow> rows = CutBlogRows(WorkedExampleAnswer());
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].number, "1");
  EXPECT_EQ(rows[0].title, ToGbk("春游"));
  EXPECT_EQ(rows[0].category, ToGbk("生活"));
  EXPECT_EQ(rows[0].pubTime, "2013-04-01 10:20 ");
  EXPECT_EQ(rows[0].blogId, "101 ");
  EXPECT_EQ(rows[1].number, "2");
  EXPECT_EQ(rows[1].title, ToGbk("读书"));
  EXPECT_EQ(rows[1].category, ToGbk("随笔"));
  EXPECT_EQ(rows[1].pubTime, "2013-05-02 08:00 ");
  EXPECT_EQ(rows[1].blogId, "102 ");
  // The shared state keeps the flattened text and its matches.
  EXPECT_EQ(Program().ParseBuffer, CleanUpSummaries(WorkedExampleAnswer()));
  EXPECT_EQ(Program().MatchList.size(), 2u);
}

TEST_F(BlogCatalogueTest, TrickyTitles) {
  struct Case {
    const char* name;
    const char* object;  // one article object as the service writes it
    const char* title;
    const char* category;
    const char* pubTime;
    const char* blogId;
    size_t rows;
  } cases[] = {
      // The blank behind each comma is the separator that DropLastChar takes off.
      {"comma and quote vanish",
       "{\"blogId\":7, \"blogType\":0, \"title\":\"a,b\\\"c\", \"commentNum\":0, "
       "\"pubTime\":\"2013-01-01 00:00\", \"cate\":\"x\", \"cateHex\":\"1\"}",
       "ab\\c", "x", "2013-01-01 00:00 ", "7 ", 1},
      {"a brace splits the tag",
       "{\"blogId\":8, \"blogType\":0, \"title\":\"a}b\", \"commentNum\":0, "
       "\"pubTime\":\"2013-01-01 00:00\", \"cate\":\"y\", \"cateHex\":\"1\"}",
       // the tag ends inside the title; the keys behind it are cut as missing markers
       "", "", "", "8 ", 1},
      {"a > ends the match early",
       "{\"blogId\":9, \"blogType\":0, \"title\":\"a>b\", \"commentNum\":0, "
       "\"pubTime\":\"2013-01-01 00:00\", \"cate\":\"z\", \"cateHex\":\"1\"}",
       "", "", "", "9 ", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<BlogRow> rows = CutBlogRows(Text("[") + c.object + "]");
    ASSERT_EQ(rows.size(), c.rows);
    EXPECT_EQ(rows[0].title, c.title);
    EXPECT_EQ(rows[0].category, c.category);
    EXPECT_EQ(rows[0].pubTime, c.pubTime);
    EXPECT_EQ(rows[0].blogId, c.blogId);
  }
}

TEST_F(BlogCatalogueTest, NoArticlesGiveNoRows) {
  EXPECT_TRUE(CutBlogRows("").empty());
  EXPECT_TRUE(CutBlogRows("{\"totalNum\":0,\n\"hostFlag\":1,\"list\":[]}").empty());
  EXPECT_TRUE(CutBlogRows("<html>closed</html>").empty());
}

TEST_F(BlogCatalogueTest, MessagesAreTheProgramsTexts) {
  EXPECT_EQ(BlogCountMessage(57), ToGbk("该QQ总共有日志 57 篇"));
  EXPECT_EQ(NoBlogMessage(), ToGbk("很遗憾，没有找到文章，可能该空间没有设置为允许所有人访问！"));
  EXPECT_EQ(EnterQqMessage(), ToGbk("请输入QQ号码！"));
}

}  // namespace
