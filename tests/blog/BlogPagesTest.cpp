// The text side of the blog download: cuts, page and index texts, links, picture names, rewrite.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>

#include "blog/BlogPages.h"
#include "net/Conversions.h"
#include "platform/Gbk.h"
#include "tools/SampleSpace.h"

namespace {

Text G(const char* utf8) { return ToGbk(utf8); }

std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
  return s;
}

// How often an opening tag ("<table" followed by a blank or '>') and its closing tag occur.
int Opened(const std::string& html, const std::string& tag) {
  const std::string lower = Lower(html);
  int n = 0;
  for (std::size_t p = lower.find("<" + tag); p != std::string::npos;
       p = lower.find("<" + tag, p + 1)) {
    const char next = lower[p + tag.size() + 1];
    if (next == ' ' || next == '>' || next == '\r' || next == '\n') ++n;
  }
  return n;
}
int Closed(const std::string& html, const std::string& tag) {
  const std::string lower = Lower(html);
  int n = 0;
  for (std::size_t p = lower.find("</" + tag + ">"); p != std::string::npos;
       p = lower.find("</" + tag + ">", p + 1))
    ++n;
  return n;
}

const Text kBodyStart(kBlogBodyStart);
const Text kBodyEnd(kBlogBodyEnd);
const Text kWrapStart(kBlogWrapperStart);
const Text kWrapEnd(kBlogWrapperEnd);

TEST(BlogArticleAddress, CarriesNumberIdAndFixedToken) {
  EXPECT_EQ(BlogArticleAddress("http://127.0.0.1:9", "12345", "1300000001"),
            "http://127.0.0.1:9/cgi-bin/blognew/blog_output_data?uin=12345&blogid=1300000001"
            "&g_tk=386042917");
}

TEST(CutArticleBody, MarkersPresentOrMissing) {
  const Text wrapper = "<div>share</div>\r\n";
  struct Case {
    const char* name;
    Text answer;
    Text body;
  } cases[] = {
      {"body with wrapper", "head" + kBodyStart + "a" + kWrapStart + wrapper + kWrapEnd + "b" +
                                wrapper + "c" + kBodyEnd + "tail",
       "a" + kWrapStart + " " + kWrapEnd + "b c"},
      {"no wrapper", "x" + kBodyStart + "plain" + kBodyEnd, "plain"},
      {"empty answer of a failed fetch", "", " "},
      {"error page without markers", "<html>404 Not Found</html>", " "},
      {"body end missing", kBodyStart + "text", G("未找到右边内容")},
      {"body start missing", "text" + kWrapStart + "w" + kWrapEnd + kBodyEnd, G("未找到左边内容")},
      // Without either marker pair both cuts give the same text, which the removal blanks out.
      {"body start and wrapper missing", "text" + kBodyEnd, " "},
      // The right marker is looked for in the whole answer, so one before the left gives nothing.
      {"body end before body start", kBodyEnd + "x" + kBodyStart + "y", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(CutArticleBody(c.answer), c.body) << c.name;
}

TEST(CutArticleBody, AgreesWithTheSampleArticlePages) {
  const sample::Account* account = sample::FindAccount("20001");
  ASSERT_NE(account, nullptr);
  for (const sample::Article& article : account->articles) {
    const Text page = sample::ArticlePage(*account, article, "http://127.0.0.1:1");
    const Text body = sample::ArticleBody(*account, article, "http://127.0.0.1:1");
    EXPECT_EQ(CutArticleBody(page), ReplaceAll(body, sample::ArticleWrapper(), " "));
  }
}

TEST(PictureAddresses, LowerCaseTagsUpToTheFirstSlashClose) {
  const Text body =
      "<p><img src=\"http://h/a.jpg\" border=\"0\" /></p>\r\n"
      "<IMG src=\"http://h/caps.jpg\" />\r\n"
      "<img src=\"http://h/b.gif\">\r\n<p>text</p><br/>\r\n"  // closed by '>': runs on to "/>"
      "<img alt=\"x\" src=\"http://h/a.jpg\" />"
      "<img src=\"\" />";
  EXPECT_EQ(PictureAddresses(body),
            (std::vector<Text>{"http://h/a.jpg", "http://h/b.gif", "http://h/a.jpg", ""}));
  EXPECT_TRUE(PictureAddresses(" ").empty());
}

TEST(BuildBlogPage, HeadTitleBodyTail) {
  const Text title = G("春游记");
  const Text body = G("<p>正文</p>");
  EXPECT_EQ(BuildBlogPage(title, body),
            BlogPageHead() + title + "</div>" + body + "<p><p><p>" + BlogPageTail());
}

TEST(BlogTemplates, PageHeadIsTheFixedText) {
  const Text& head = BlogPageHead();
  EXPECT_EQ(head.rfind("<HTML><HEAD><meta http-equiv='Content-Type' content='text/html; "
                       "charset=gb2312'>\r\n<LINK href=\"doda.css\" type=text/css rel=stylesheet>\r\n",
                       0),
            0u);
  EXPECT_NE(head.find(G("align=right>『<A href=\"index.html\">返回目录</A>』</TD>\r\n")),
            std::string::npos);
  EXPECT_TRUE(head.ends_with(
      "    <TD align=middle><BR>\r\n      <DIV id=content align=left><div "
      "style=\"font-size:24px; margin:50px;\" >"));
  EXPECT_EQ(std::count(head.begin(), head.end(), '\n'), 15);
}

TEST(BlogTemplates, IndexHeadIsTheFixedText) {
  const Text& head = BlogIndexHead();
  EXPECT_EQ(head.rfind("<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Transitional//EN\" "
                       "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd\">\r\n"
                       "<html xmlns=\"http://www.w3.org/1999/xhtml\">\r\n<head>\r\n",
                       0),
            0u);
  EXPECT_NE(head.find(G("<title>日志列表</title>")), std::string::npos);
  EXPECT_NE(head.find("</style></head>\r\n<body  bgColor=#ffffff leftMargin=5 topMargin=0>\r\n"),
            std::string::npos);
  EXPECT_TRUE(head.ends_with(
      "<table width=\"80%\" border=\"1\" bordercolordark=#F0fFFF cellspacing=0 "
      "bordercolor=#d6d6d6 align=\"center\">"));
}

TEST(BlogTemplates, TailsCloseWhatTheHeadsOpen) {
  const std::string page = BlogPageHead() + "t</div>b<p><p><p>" + BlogPageTail();
  for (const char* tag : {"html", "body", "table", "tbody", "tr", "td", "div"})
    EXPECT_EQ(Opened(page, tag), Closed(page, tag)) << "page " << tag;
  const std::string index = BlogIndexHead() + BlogIndexTail();
  for (const char* tag : {"html", "head", "body", "table", "div"})
    EXPECT_EQ(Opened(index, tag), Closed(index, tag)) << "index " << tag;
}

TEST(BlogTemplates, TailsLinkToTheProgramWithoutScripts) {
  const Text link = Text("href=\"") + kProgramAddress + "\"";
  for (const Text* tail : {&BlogPageTail(), &BlogIndexTail()}) {
    EXPECT_NE(tail->find(link), std::string::npos);
    EXPECT_EQ(Lower(*tail).find("<script"), std::string::npos);
  }
  const Text& tail = BlogPageTail();
  // The link text ends with one blank, and the second table tag's line with a blank.
  EXPECT_NE(tail.find(G("下载器 </a>")), std::string::npos);
  std::size_t first = Lower(tail).find("table");
  std::size_t second = Lower(tail).find("table", first + 1);
  ASSERT_NE(second, std::string::npos);
  std::size_t lineEnd = tail.find("\r\n", second);
  ASSERT_NE(lineEnd, std::string::npos);
  EXPECT_EQ(tail[lineEnd - 1], ' ');
  EXPECT_NE(tail[lineEnd - 2], ' ');
}

TEST(BlogIndexRow, WorkedExampleWithQuotedLink) {
  EXPECT_EQ(BlogIndexRow("3", G("春游记"), G("生活"), "T"),
            G("<tr><td width=5%>3</td><td ><A target=\"_blank\" href=\"生活/春游记3.html\">春游记"
              "</a></td><td width=25%>生活</td><td width=25%>T</td></tr>\r\n"));
  // The cells keep the title as it is; only the link is escaped.
  EXPECT_EQ(BlogIndexRow("12", "a b", "c#d", "2013-01-01 10:00"),
            "<tr><td width=5%>12</td><td ><A target=\"_blank\" href=\"c%23d/a%20b12.html\">a b"
            "</a></td><td width=25%>c#d</td><td width=25%>2013-01-01 10:00</td></tr>\r\n");
  EXPECT_EQ(BuildBlogIndex("R"), BlogIndexHead() + "R" + BlogIndexTail());
}

TEST(EscapeLinkPart, SpecialBytesEscapedCharactersKept) {
  struct Case {
    Text part;
    Text link;
  } cases[] = {
      {G("春 游 记"), G("春%20游%20记")},
      {G("全角　空格"), G("全角　空格")},  // a double-byte blank is a character of the name
      {"#?%&", "%23%3F%25%26"},
      {"\"quoted\" 'single'", "%22quoted%22%20%27single%27"},
      {"<b>", "%3Cb%3E"},
      {"..\\..\\x", "..%5C..%5Cx"},
      {"a/b", "a%2Fb"},
      {"c:d", "c%3Ad"},
      {"tab\there\x7F", "tab%09here%7F"},
      {"[{|}]^`", "%5B%7B%7C%7D%5D%5E%60"},
      {"plain-name_1.html", "plain-name_1.html"},
      // Trail bytes that look like '\' or '|' belong to their character.
      {"\x81\x5C\x95\x7C", "\x81\x5C\x95\x7C"},
      {"end\x81", "end\x81"},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(EscapeLinkPart(c.part), c.link) << c.part;
  EXPECT_EQ(BlogIndexLink(G("我的 分类"), G("春 游 记"), "1"),
            G("我的%20分类/春%20游%20记1.html"));
}

TEST(PictureExtension, GifOnlyByItsFirstThreeBytes) {
  struct Case {
    std::string bytes;
    const char* extension;
  } cases[] = {
      {"GIF89a\x01\x00", "GIF"},
      {"GIF87a", "GIF"},
      {"GIF", "GIF"},
      {"gif89a", "jpg"},
      {"GI", "jpg"},
      {"", "jpg"},
      {"\xFF\xD8\xFF\xE0", "jpg"},
      {"\x89PNG\r\n\x1A\n", "jpg"},
      {std::string("G\0F", 3), "jpg"},
  };
  for (const Case& c : cases) EXPECT_EQ(PictureExtension(c.bytes), c.extension) << c.bytes;
}

TEST(PictureLocalName, TitleIndexExtension) {
  EXPECT_EQ(PictureLocalName(G("春游记"), 0, "GIF"), G("春游记0.GIF"));
  EXPECT_EQ(PictureLocalName(G("秋游"), 12, "jpg"), G("秋游12.jpg"));
  EXPECT_EQ(PictureLocalName(G("春 游"), 3, "jpg"), G("春 游3.jpg"));
  EXPECT_EQ(BlogPageFileName(G("春 游"), "7"), G("春 游7.html"));
}

TEST(RewritePictureAddresses, EndsAndReplacesEveryOccurrenceOnce) {
  struct Case {
    const char* name;
    Text page;
    std::vector<PictureRewrite> rewrites;
    Text result;
  } cases[] = {
      {"every occurrence", "<img src=\"http://h/a.jpg\" /><img src=\"http://h/a.jpg\" />",
       {{"http://h/a.jpg", "t0.jpg"}},
       "<img src=\"t0.jpg\" /><img src=\"t0.jpg\" />"},
      {"empty address changes nothing", "<img src=\"\" />x", {{"", "t0.jpg"}}, "<img src=\"\" />x"},
      {"address inside its own local name", "src=\"a.jpg\" src=\"a.jpg\"",
       {{"a.jpg", "a.jpg0.jpg"}},
       "src=\"a.jpg0.jpg\" src=\"a.jpg0.jpg\""},
      {"part of a longer address", "src=\"http://h/a.jpg\" src=\"http://h/a.jpg?big\"",
       {{"http://h/a.jpg", "t0.jpg"}},
       "src=\"t0.jpg\" src=\"t0.jpg?big\""},
      {"second row of the same address finds nothing", "src=\"http://h/a\" src=\"http://h/a\"",
       {{"http://h/a", "t0.jpg"}, {"http://h/a", "t1.jpg"}},
       "src=\"t0.jpg\" src=\"t0.jpg\""},
      {"in order", "src=\"http://h/1\" src=\"http://h/2\"",
       {{"http://h/1", G("春游0.jpg")}, {"http://h/2", G("春游1.GIF")}},
       G("src=\"春游0.jpg\" src=\"春游1.GIF\"")},
      {"nothing to do", "page", {}, "page"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(RewritePictureAddresses(c.page, c.rewrites), c.result) << c.name;
}

}  // namespace

TEST(BlogPagesPaths, ArticleWithoutCategoryHasNoFolderPart) {
  EXPECT_EQ(InCategory(ToGbk("生活"), ToGbk("春游1.html")), ToGbk("生活\\春游1.html"));
  EXPECT_EQ(InCategory("", ToGbk("春游1.html")), ToGbk("春游1.html"));
  EXPECT_EQ(BlogIndexLink("", ToGbk("春 游"), "1"), ToGbk("春%20游1.html"));
  EXPECT_EQ(BlogIndexLink(ToGbk("生活"), ToGbk("春游"), "1"), ToGbk("生活/春游1.html"));
}
