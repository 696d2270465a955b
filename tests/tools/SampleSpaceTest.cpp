// The sample space answers every service the way the program's cuts expect: each answer is
// fetched over real HTTP and taken apart with the program's own text tools.

#include "tools/SampleSpace.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <map>
#include <set>
#include <thread>

#include <QByteArray>
#include <QImage>
#include <gtest/gtest.h>

#include "net/PatternScan.h"
#include "net/Text.h"
#include "platform/Gbk.h"

namespace {

using sample::Account;
using sample::Article;
using sample::Fault;
using sample::SampleSpace;

Text U(const char* utf8) { return ToGbk(utf8); }

// ---- a plain HTTP/1.1 client over a socket, so that the bytes are exactly those sent ---------

struct RawAnswer {
  bool connected = false;
  int status = 0;
  std::string head;         // status line and header lines
  Bytes body;               // the bytes after the blank line, as received (not de-chunked)
  long contentLength = -1;  // -1 without the header
  bool eof = false;         // the server closed the connection
};

int Connect(int port) {
  int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  if (fd < 0) return -1;
  timeval timeout{60, 0};  // safety bound only
  ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

bool SendRequest(int fd, const std::string& target) {
  std::string request =
      "GET " + target + " HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n";
  return ::send(fd, request.data(), request.size(), MSG_NOSIGNAL) ==
         static_cast<ssize_t>(request.size());
}

// Reads the answer until the server closes the connection or maxBody body bytes arrived.
RawAnswer ReadAnswer(int fd, std::size_t maxBody = SIZE_MAX) {
  RawAnswer answer;
  answer.connected = true;
  std::string data;
  std::size_t headEnd = std::string::npos;
  char buffer[65536];
  for (;;) {
    if (headEnd != std::string::npos && data.size() - headEnd >= maxBody) break;
    ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
    if (n == 0) answer.eof = true;
    if (n <= 0) break;
    data.append(buffer, static_cast<size_t>(n));
    if (headEnd == std::string::npos) {
      std::size_t blank = data.find("\r\n\r\n");
      if (blank != std::string::npos) headEnd = blank + 4;
    }
  }
  if (headEnd == std::string::npos) return answer;
  answer.head = data.substr(0, headEnd);
  answer.body = data.substr(headEnd);
  answer.status = std::atoi(answer.head.c_str() + answer.head.find(' ') + 1);
  std::size_t length = answer.head.find("Content-Length: ");
  if (length != std::string::npos) answer.contentLength = std::atol(answer.head.c_str() + length + 16);
  return answer;
}

RawAnswer RawGet(int port, const std::string& target, std::size_t maxBody = SIZE_MAX) {
  int fd = Connect(port);
  if (fd < 0 || !SendRequest(fd, target)) {
    if (fd >= 0) ::close(fd);
    return {};
  }
  RawAnswer answer = ReadAnswer(fd, maxBody);
  ::close(fd);
  return answer;
}

// ---- the program's cuts, written out as the catalogues make them ------------------------------

std::vector<Text> MatchTexts(std::string_view text, std::string_view pattern) {
  std::vector<Text> out;
  for (const MatchResult& m : FindAllMatches(text, pattern))
    out.emplace_back(text.substr(static_cast<size_t>(m.start), static_cast<size_t>(m.length)));
  return out;
}

// The blog catalogue's list cut and clean-up, in its order.
Text CleanSummaries(const Text& answer) {
  int p = FindText(answer, "[");
  int q = FindText(answer, "]");
  Text list = MidText(answer, p + 1, q - p - 1);
  list = ReplaceAll(list, "\"", "");
  list = ReplaceAll(list, "\r\n", "");
  list = ReplaceAll(list, ",", "");
  list = ReplaceAll(list, "{", "<img ");
  list = ReplaceAll(list, "}", "/>\r\n");
  return list;
}

struct BlogRow {
  Text title, category, pubTime, blogId;
};

BlogRow CutBlogRow(const Text& m) {
  return {DropLastChar(TextBetween(m, "title:", "commentNum")),
          DropLastChar(TextBetween(m, "cate:", "cateHex")), TextBetween(m, "pubTime:", "cate"),
          TextBetween(m, "blogId:", "blogType")};
}

// What the catalogue shows for a title: quotes and commas vanish; a '>' ends the tag early, so
// every field behind it is cut with missing markers and comes out empty.
BlogRow ExpectedBlogRow(const Article& a) {
  if (a.title.find('>') != Text::npos) return {"", "", "", a.blogId + " "};
  return {ReplaceAll(ReplaceAll(a.title, "\"", ""), ",", ""), a.category, a.pubTime + " ",
          a.blogId + " "};
}

struct Nickname {
  Text bookTitle, nickname;
};

// The e-book's nickname cut over the portrait answer R.
Nickname CutNickname(const Text& r, const Text& qqNumber) {
  const int n = TextLength(r);
  const int c1 = FindText(r, ",");
  const int c2 = FindText(r, ",", c1 + 1);
  const int start = c2 + 10, length = n - c2 - 15;
  Text h = start >= 1 && start <= n && length > 0 ? MidText(r, start, length) : Text();
  return {h + "\"" + U("的日志    QQ:") + qqNumber, h.size() <= 1 ? Text() : h.substr(1)};
}

std::string SummariesTarget(const std::string& qq, const std::string& num) {
  return "/cgi-bin/blognew/get_abs?hostUin=" + qq +
         "&blogType=0&cateName=&cateHex=&statYear=2013&reqInfo=1&pos=0&num=" + num;
}
std::string ArticleTarget(const std::string& qq, const Text& blogId) {
  return "/cgi-bin/blognew/blog_output_data?uin=" + qq + "&blogid=" + blogId + "&g_tk=386042917";
}
std::string TitleListTarget(const std::string& qq, int from) {
  return "/cgi-bin/blognew/blog_output_titlelist?uin=" + qq +
         "&vuin=0&property=GoRE&getall=1&styledm=ctc.qzonestyle.gtimg.cn&imgdm=ctc.qzs.qq.com"
         "&bdm=b.qzone.qq.com&category=&num=15&sorttype=0&arch=0&from=" +
         std::to_string(from) + "&maxlen=68&v=1";
}
std::string AlbumListTarget(const std::string& qq) { return "/fcgi-bin/fcg_list_album?uin=" + qq; }
std::string PhotoListTarget(const std::string& qq, const Text& albumId) {
  return "/fcgi-bin/fcg_list_photo?uin=" + qq + "&albumid=" + albumId;
}
std::string PortraitTarget(const std::string& qq) {
  return "/fcg-bin/cgi_get_portrait.fcg?uins=" + qq + "&get_nick=1";
}

const Account& Must(const char* qq) {
  const Account* account = sample::FindAccount(qq);
  if (!account) throw std::runtime_error(std::string("no sample account ") + qq);
  return *account;
}

// Every account, plus a number that is none of them.
const char* const kAllNumbers[] = {"20000", "20001", "20002", "20015", "20057", "20300", "99999"};

class SampleSpaceTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    space_ = new SampleSpace();
    port_ = space_->Start();
    ASSERT_GT(port_, 0);
  }
  static void TearDownTestSuite() {
    delete space_;
    space_ = nullptr;
  }
  void SetUp() override {
    ASSERT_NE(space_, nullptr);
    space_->ClearFaults();
    space_->ClearLog();
  }

  // The body of a 200 answer.
  static Bytes Get(const std::string& target) {
    RawAnswer answer = RawGet(port_, target);
    EXPECT_EQ(answer.status, 200) << target;
    EXPECT_EQ(answer.contentLength, static_cast<long>(answer.body.size())) << target;
    return answer.body;
  }

  static SampleSpace* space_;
  static int port_;
};

SampleSpace* SampleSpaceTest::space_ = nullptr;
int SampleSpaceTest::port_ = 0;

// ---- the accounts ---------------------------------------------------------------------------

TEST(SampleAccounts, CountsAndClosedSpace) {
  struct Case {
    const char* qq;
    std::size_t articles;
    bool closed;
  };
  for (const Case& c : {Case{"20000", 0, true}, Case{"20001", 8, false}, Case{"20002", 9, false},
                        Case{"20015", 15, false}, Case{"20057", 57, false},
                        Case{"20300", 300, false}}) {
    SCOPED_TRACE(c.qq);
    const Account& account = Must(c.qq);
    EXPECT_EQ(account.articles.size(), c.articles);
    EXPECT_EQ(account.closed, c.closed);
    EXPECT_FALSE(account.nickname.empty());
  }
  EXPECT_EQ(sample::FindAccount("99999"), nullptr);
  EXPECT_EQ(sample::FindAccount(" 20001"), nullptr);
  for (const Article& a : Must("20300").articles) EXPECT_EQ(a.pictures.size(), 4u);
  // The same model twice: generation is deterministic and built once.
  EXPECT_EQ(&sample::Accounts(), &sample::Accounts());
}

TEST(SampleAccounts, TypicalAccountHoldsTheEdgeCases) {
  const Account& a = Must("20001");
  std::set<Text> categories;
  std::size_t noPicture = 0, withVideo = 0, twoVideos = 0, duplicate = 0;
  std::map<std::string, std::set<Text>> articlesOfAddress;
  bool gifNamedJpg = false, png = false, jpeg = false;
  for (const Article& article : a.articles) {
    categories.insert(article.category);
    noPicture += article.pictures.empty();
    withVideo += !article.videos.empty();
    twoVideos += article.videos.size() == 2;
    std::set<std::string> seen;
    for (const std::string& path : article.pictures) {
      duplicate += !seen.insert(path).second;
      articlesOfAddress[path].insert(article.blogId);
      Bytes bytes = sample::FileBytes(path).value();
      gifNamedJpg |= bytes.starts_with("GIF89a") && path.ends_with(".jpg");
      png |= bytes.starts_with("\x89PNG");
      jpeg |= bytes.starts_with("\xFF\xD8\xFF");
    }
  }
  EXPECT_GE(categories.size(), 3u);
  EXPECT_GE(noPicture, 1u);
  EXPECT_GE(duplicate, 1u);
  EXPECT_TRUE(std::any_of(articlesOfAddress.begin(), articlesOfAddress.end(),
                          [](const auto& entry) { return entry.second.size() > 1; }));
  EXPECT_TRUE(gifNamedJpg);
  EXPECT_TRUE(png);
  EXPECT_TRUE(jpeg);
  EXPECT_GE(withVideo, 2u);
  EXPECT_LE(withVideo, 3u);
  EXPECT_EQ(twoVideos, 1u);

  std::map<Text, int> albumNames;
  bool emptyAlbum = false;
  for (const sample::Album& album : a.albums) {
    ++albumNames[album.name];
    emptyAlbum |= album.photos.empty();
  }
  EXPECT_TRUE(emptyAlbum);
  EXPECT_TRUE(std::any_of(albumNames.begin(), albumNames.end(),
                          [](const auto& entry) { return entry.second == 2; }));
}

TEST(SampleAccounts, TrickyAccountHoldsEveryAwkwardCharacter) {
  const Account& a = Must("20002");
  Text titles;
  bool climbing = false, dotCategory = false;
  for (const Article& article : a.articles) {
    titles += article.title + "\n";
    climbing |= article.title == "..\\..\\x";
    dotCategory |= article.category == "..";
  }
  for (const Text& piece : {Text(" "), U("　"), Text(","), Text("\""), Text("#"), Text("?"),
                            Text("%"), Text("&"), Text(">"), Text("/")})
    EXPECT_NE(FindText(titles, piece), -1) << "no title holds " << ToUtf8(piece);
  EXPECT_TRUE(climbing);
  EXPECT_TRUE(dotCategory);
}

// ---- the services, cut as the program cuts them ---------------------------------------------

TEST_F(SampleSpaceTest, SummariesGiveTheCountAndOneRowPerArticle) {
  for (const char* qq : kAllNumbers) {
    SCOPED_TRACE(qq);
    const Account* account = sample::FindAccount(qq);
    const std::size_t count = account ? account->articles.size() : 0;

    // The count request asks for one summary and still learns the full number.
    Text countAnswer = Get(SummariesTarget(qq, "1"));
    int found = 0;
    EXPECT_EQ(TextBetweenChecked(countAnswer, "{\"totalNum\":", ",\n\"hostFlag\"", found),
              std::to_string(count));
    EXPECT_EQ(found, 1);
    EXPECT_EQ(MatchTexts(CleanSummaries(countAnswer), "<img(.*?)>").size(), std::min<size_t>(count, 1));

    Text listAnswer = Get(SummariesTarget(qq, std::to_string(count)));
    std::vector<Text> tags = MatchTexts(CleanSummaries(listAnswer), "<img(.*?)>");
    ASSERT_EQ(tags.size(), count);
    for (std::size_t i = 0; i < count; ++i) {
      BlogRow row = CutBlogRow(tags[i]);
      BlogRow expected = ExpectedBlogRow(account->articles[i]);
      EXPECT_EQ(row.title, expected.title) << i;
      EXPECT_EQ(row.category, expected.category) << i;
      EXPECT_EQ(row.pubTime, expected.pubTime) << i;
      EXPECT_EQ(row.blogId, expected.blogId) << i;
    }
  }
}

TEST_F(SampleSpaceTest, SummaryRowsComeOutLikeTheWorkedExample) {
  std::vector<Text> tags =
      MatchTexts(CleanSummaries(Get(SummariesTarget("20001", "8"))), "<img(.*?)>");
  ASSERT_GE(tags.size(), 2u);
  BlogRow first = CutBlogRow(tags[0]);
  EXPECT_EQ(first.title, U("春游"));
  EXPECT_EQ(first.category, U("生活"));
  EXPECT_EQ(first.pubTime, "2013-04-01 10:20 ");
  EXPECT_EQ(first.blogId, "20001001 ");
  // Each tag is followed by its line break and, before the next tag, a blank.
  Text clean = CleanSummaries(Get(SummariesTarget("20001", "2")));
  EXPECT_NE(clean.find("/>\r\n <img blogId:20001002 blogType:0 title:"), Text::npos);

  // Titles that lose characters in the clean-up.
  std::vector<Text> tricky =
      MatchTexts(CleanSummaries(Get(SummariesTarget("20002", "9"))), "<img(.*?)>");
  std::set<Text> titles;
  for (const Text& tag : tricky) titles.insert(CutBlogRow(tag).title);
  for (const char* t : {"逗号标题", "引号标题", "井号#问号?百分%和&", "..\\..\\x", "斜杠/标题",
                        "春 游 记", "全角　空格"})
    EXPECT_EQ(titles.count(U(t)), 1u) << t;
}

TEST_F(SampleSpaceTest, SummariesListAsManyAsNumAsks) {
  struct Case {
    const char* num;
    std::size_t rows;
  };
  for (const Case& c : {Case{"0", 0}, Case{"3", 3}, Case{"57", 57}, Case{"100", 57}}) {
    Text answer = Get(SummariesTarget("20057", c.num));
    EXPECT_EQ(TextBetweenChecked(answer, "{\"totalNum\":", ",\n\"hostFlag\""), "57") << c.num;
    EXPECT_EQ(MatchTexts(CleanSummaries(answer), "<img(.*?)>").size(), c.rows) << c.num;
  }
}

TEST_F(SampleSpaceTest, ArticlePagesCarryTheMarkersPicturesAndPlayers) {
  const std::string base = space_->BaseUrl();
  const std::string_view markers[] = {sample::kBodyStartMarker, sample::kBodyEndMarker,
                                      sample::kWrapperStartMarker, sample::kWrapperEndMarker};
  std::size_t pages = 0, players = 0;
  for (const char* qq : {"20001", "20002", "20015", "20057"}) {
    for (const Article& article : Must(qq).articles) {
      SCOPED_TRACE(std::string(qq) + " " + article.blogId);
      Text page = Get(ArticleTarget(qq, article.blogId));
      ++pages;
      for (std::string_view marker : markers) {
        ASSERT_EQ(marker.back(), '\r');
        std::size_t at = page.find(marker);
        ASSERT_NE(at, Text::npos);
        EXPECT_EQ(page.find(marker, at + 1), Text::npos) << "marker twice";
        EXPECT_NE(page[at + marker.size()], '\n') << "a line feed follows the marker";
      }
      int found = 0;
      Text body = TextBetweenChecked(page, sample::kBodyStartMarker, sample::kBodyEndMarker, found);
      EXPECT_EQ(found, 1);
      EXPECT_EQ(body, sample::ArticleBody(Must(qq), article, base));
      EXPECT_EQ(page, sample::ArticlePage(Must(qq), article, base));
      Text wrapper =
          TextBetweenChecked(page, sample::kWrapperStartMarker, sample::kWrapperEndMarker, found);
      EXPECT_EQ(found, 1);
      EXPECT_EQ(wrapper, sample::ArticleWrapper());
      Text unwrapped = ReplaceAll(body, wrapper, " ");
      EXPECT_NE(unwrapped, body);

      std::vector<std::string> addresses;
      for (const Text& tag : MatchTexts(unwrapped, "<img(.*?)/>"))
        addresses.push_back(TextBetween(tag, "src=\"", "\""));
      std::vector<std::string> expected;
      for (const std::string& path : article.pictures) expected.push_back(space_->Url(path));
      EXPECT_EQ(addresses, expected);

      std::vector<std::string> videos;
      for (const Text& entry : MatchTexts(page, "enablecontextmenu(.*?)</p>"))
        videos.push_back(TextBetween(entry, "src=\"", "\" "));
      expected.clear();
      for (const std::string& path : article.videos) expected.push_back(space_->Url(path));
      EXPECT_EQ(videos, expected);
      players += videos.size();
    }
  }
  EXPECT_EQ(pages, 8u + 9u + 15u + 57u);
  EXPECT_EQ(players, 4u + 2u + 1u + 3u);
}

TEST_F(SampleSpaceTest, ArticlesOfClosedOrUnknownSpacesHaveNoBody) {
  struct Case {
    const char* qq;
    const char* blogId;
  };
  for (const Case& c : {Case{"20000", "20000001"}, Case{"99999", "20001001"},
                        Case{"20001", "20002001"}, Case{"20001", ""}}) {
    Text page = Get(ArticleTarget(c.qq, c.blogId));
    EXPECT_EQ(TextBetweenChecked(page, sample::kBodyStartMarker, sample::kBodyEndMarker),
              U("未找到左边内容"))
        << c.qq << " " << c.blogId;
    EXPECT_TRUE(FindAllMatches(page, "enablecontextmenu(.*?)</p>").empty());
  }
}

TEST_F(SampleSpaceTest, TitleListPagesHoldFifteenEntriesAndPageByFrom) {
  struct Case {
    const char* qq;
    std::vector<std::size_t> pageSizes;  // every page the title pass fetches
  };
  const std::vector<Case> cases = {
      {"20000", {0}},          {"99999", {0}},           {"20001", {8}},
      {"20002", {9}},          {"20015", {15, 0}},       {"20057", {15, 15, 15, 12}},
      {"20300", std::vector<std::size_t>(20, 15)},
  };
  for (Case c : cases) {
    SCOPED_TRACE(c.qq);
    if (std::string(c.qq) == "20300") c.pageSizes.push_back(0);
    space_->ClearLog();
    const Account* account = sample::FindAccount(c.qq);
    std::vector<std::string> expectedLog;
    std::size_t row = 0;
    std::size_t m = 0;
    int page = 1;
    do {  // the title pass: go on while a page held 15 entries
      std::string target = TitleListTarget(c.qq, (page - 1) * 15);
      expectedLog.push_back(target);
      std::vector<Text> entries =
          MatchTexts(Get(target), "false;(.*?)" + U("<!-- 右边功能选项 -->"));
      m = entries.size();
      ASSERT_LT(static_cast<std::size_t>(page - 1), c.pageSizes.size());
      EXPECT_EQ(m, c.pageSizes[page - 1]) << "page " << page;
      for (const Text& entry : entries) {
        ASSERT_LT(row, account->articles.size());
        const Article& article = account->articles[row++];
        EXPECT_EQ(RemoveSpaces(TextBetween(entry, "<span title=\\\"", U(" -- 发表于"))),
                  RemoveSpaces(sample::TitleListTitle(article)));
        EXPECT_EQ(TextBetween(entry, "selectBlog(", ");return"), article.blogId);
      }
      ++page;
    } while (m > 14);
    EXPECT_EQ(static_cast<std::size_t>(page - 1), c.pageSizes.size());
    EXPECT_EQ(row, account ? account->articles.size() : 0u);
    EXPECT_EQ(space_->RequestLog(), expectedLog);
  }
  // A quote of a title is written as the page writes it.
  const Account& tricky = Must("20002");
  auto quoted = std::find_if(tricky.articles.begin(), tricky.articles.end(),
                             [](const Article& a) { return a.title.find('"') != Text::npos; });
  ASSERT_NE(quoted, tricky.articles.end());
  EXPECT_EQ(sample::TitleListTitle(*quoted), U("引号&quot;标题&quot;"));
}

TEST_F(SampleSpaceTest, AlbumAndPhotoEntries) {
  for (const char* qq : kAllNumbers) {
    SCOPED_TRACE(qq);
    const Account* account = sample::FindAccount(qq);
    std::vector<Text> entries = MatchTexts(Get(AlbumListTarget(qq)), "<id>(.*?)</total>");
    const std::size_t albums = account ? account->albums.size() : 0;
    ASSERT_EQ(entries.size(), albums);
    for (std::size_t i = 0; i < albums; ++i) {
      const sample::Album& album = account->albums[i];
      EXPECT_EQ(TextBetween(entries[i], "<name>", "</name>"), album.name);
      EXPECT_EQ(TextBetween(entries[i], "<pre>", "</pre>"), space_->Url(album.cover));
      EXPECT_EQ(TextBetween(entries[i], "<total>", "</total>"), std::to_string(album.photos.size()));
      EXPECT_EQ(TextBetween(entries[i], "<id>", "</id>"), album.id);

      std::vector<Text> photos =
          MatchTexts(Get(PhotoListTarget(qq, album.id)), "<pic>(.*?)</uploadtime>");
      ASSERT_EQ(photos.size(), album.photos.size()) << ToUtf8(album.name);
      for (std::size_t j = 0; j < photos.size(); ++j) {
        EXPECT_EQ(TextBetween(photos[j], "<name>", "</name>"), album.photos[j].name);
        EXPECT_EQ(TextBetween(photos[j], "<origin_url>", "</origin_url>"),
                  space_->Url(album.photos[j].path));
        EXPECT_EQ(TextBetween(photos[j], "<uploadtime>", "</uploadtime>"),
                  album.photos[j].uploadTime);
      }
    }
  }
  // A closed space lists no photos even for an album of another account, nor an unknown album.
  EXPECT_TRUE(FindAllMatches(Get(PhotoListTarget("20000", Must("20001").albums[0].id)),
                             "<pic>(.*?)</uploadtime>")
                  .empty());
  EXPECT_TRUE(FindAllMatches(Get(PhotoListTarget("20001", "")), "<pic>(.*?)</uploadtime>").empty());
}

TEST_F(SampleSpaceTest, NicknameCutYieldsTheAccountsNickname) {
  for (const char* qq : kAllNumbers) {
    SCOPED_TRACE(qq);
    const Account* account = sample::FindAccount(qq);
    Nickname cut = CutNickname(Get(PortraitTarget(qq)), qq);
    const Text nickname = account ? account->nickname : Text();
    EXPECT_EQ(cut.nickname, nickname);
    EXPECT_EQ(cut.bookTitle, "\"" + nickname + "\"" + U("的日志    QQ:") + qq);
  }
}

TEST_F(SampleSpaceTest, FilesAreSmallValidImagesAndVideos) {
  std::set<std::string> paths;
  for (const char* qq : {"20000", "20001", "20002", "20015"}) {
    const Account& account = Must(qq);
    paths.insert("/portrait/" + account.qq + ".jpg");
    for (const Article& article : account.articles) {
      paths.insert(article.pictures.begin(), article.pictures.end());
      paths.insert(article.videos.begin(), article.videos.end());
    }
    for (const sample::Album& album : account.albums) {
      paths.insert(album.cover);
      for (const sample::Photo& photo : album.photos) paths.insert(photo.path);
    }
  }
  std::set<Bytes> distinct;
  std::map<std::string, int> kinds;
  for (const std::string& path : paths) {
    SCOPED_TRACE(path);
    RawAnswer answer = RawGet(port_, path);
    ASSERT_EQ(answer.status, 200);
    EXPECT_EQ(answer.body, sample::FileBytes(path).value());
    EXPECT_NE(answer.body.find(path), Bytes::npos) << "the file names its own path";
    distinct.insert(answer.body);
    const Bytes& b = answer.body;
    if (b.starts_with("FLV")) {
      EXPECT_GE(b.size(), 1024u);
      EXPECT_NE(answer.head.find("Content-Type: video/x-flv"), std::string::npos);
      ++kinds["video"];
      continue;
    }
    const char* type = b.starts_with("GIF89a")            ? "gif"
                       : b.starts_with("\xFF\xD8\xFF")    ? "jpeg"
                       : b.starts_with("\x89PNG\r\n\x1A\n") ? "png"
                                                           : "other";
    ++kinds[type];
    EXPECT_NE(answer.head.find(std::string("Content-Type: image/") + type), std::string::npos);
    QImage image = QImage::fromData(QByteArray(b.data(), static_cast<int>(b.size())));
    EXPECT_FALSE(image.isNull()) << "does not decode";
    EXPECT_LE(b.size(), 1024u);
  }
  EXPECT_EQ(distinct.size(), paths.size());
  EXPECT_EQ(kinds["other"], 0);
  for (const char* kind : {"gif", "jpeg", "png", "video"}) EXPECT_GT(kinds[kind], 0) << kind;
  EXPECT_FALSE(sample::FileBytes("/pic/20001/nothing.jpg").has_value());
  EXPECT_EQ(RawGet(port_, "/pic/20001/nothing.jpg").status, 404);
  EXPECT_EQ(RawGet(port_, "/no/such/service?uin=20001").status, 404);
}

// ---- the request log --------------------------------------------------------------------------

TEST_F(SampleSpaceTest, LogKeepsEveryRequestAsReceivedInOrder) {
  const std::vector<std::string> targets = {
      SummariesTarget("20001", "1"),
      SummariesTarget("20001", "8"),
      "/cgi-bin/blognew/get_abs?hostUin=123%20456&num=1",  // escapes stay as sent
      "/pic/20001/20001001_0.jpg",                         // no query, no "?"
      "/fcgi-bin/fcg_list_album?uin=%A1%A120001",
      SummariesTarget("20001", "1"),
      "/no/such/path?x=1&&y=",
  };
  for (const std::string& target : targets) RawGet(port_, target);
  EXPECT_EQ(space_->RequestLog(), targets);
  EXPECT_EQ(space_->CountRequests("/cgi-bin/blognew/get_abs"), 4u);
  EXPECT_EQ(space_->CountRequests(SummariesTarget("20001", "1")), 2u);
  EXPECT_EQ(space_->CountRequests("/pic/"), 1u);
  EXPECT_EQ(space_->CountRequests(""), targets.size());
  space_->ClearLog();
  EXPECT_TRUE(space_->RequestLog().empty());
  EXPECT_EQ(space_->CountRequests(""), 0u);
}

TEST_F(SampleSpaceTest, ManyConcurrentRequestsAreAllAnswered) {
  const Account& large = Must("20300");
  std::vector<std::string> paths;
  for (std::size_t i = 0; i < 50; ++i)
    for (const std::string& p : large.articles[i].pictures) paths.push_back(p);
  std::vector<Bytes> bodies(paths.size());
  std::vector<std::thread> threads;
  for (std::size_t i = 0; i < paths.size(); ++i)
    threads.emplace_back([&, i] { bodies[i] = RawGet(port_, paths[i]).body; });
  for (std::thread& t : threads) t.join();
  for (std::size_t i = 0; i < paths.size(); ++i)
    EXPECT_EQ(bodies[i], sample::FileBytes(paths[i]).value()) << paths[i];
  EXPECT_EQ(space_->CountRequests("/pic/20300/"), paths.size());
}

// ---- faults, latency and pacing, each on a server of its own --------------------------------

class SampleFaultTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_GT(port_ = space_.Start(), 0); }
  SampleSpace space_;
  int port_ = 0;
};

TEST_F(SampleFaultTest, FaultsApplyByPrefixAndTheLongestWins) {
  const std::string typical = SummariesTarget("20001", "8");
  const std::string tricky = SummariesTarget("20002", "9");
  const Bytes normal = RawGet(port_, typical).body;

  space_.SetFault("/cgi-bin/", Fault::NotFound404);
  space_.SetFault("/cgi-bin/blognew/get_abs?hostUin=20001", Fault::ZeroByteInText);
  RawAnswer notFound = RawGet(port_, tricky);
  EXPECT_EQ(notFound.status, 404);
  EXPECT_NE(notFound.body.find("404 Not Found"), Bytes::npos);
  EXPECT_EQ(RawGet(port_, "/fcgi-bin/fcg_list_album?uin=20001").status, 200);

  RawAnswer zero = RawGet(port_, typical);
  EXPECT_EQ(zero.status, 200);
  ASSERT_EQ(zero.body.size(), normal.size() + 1);
  EXPECT_EQ(std::count(zero.body.begin(), zero.body.end(), '\0'), 1);
  std::size_t at = zero.body.find('\0');
  EXPECT_EQ(at, normal.size() / 2);
  EXPECT_EQ(Bytes(zero.body).erase(at, 1), normal);
  EXPECT_EQ(TextFromBytes(zero.body), normal.substr(0, at));

  space_.SetFault("/cgi-bin/", Fault::None);  // removes only that prefix
  EXPECT_EQ(RawGet(port_, tricky).status, 200);
  EXPECT_NE(RawGet(port_, typical).body, normal);
  space_.ClearFaults();
  EXPECT_EQ(RawGet(port_, typical).body, normal);
}

TEST_F(SampleFaultTest, CutMidBodySendsFewerBytesThanAnnounced) {
  const std::string page = ArticleTarget("20001", "20001006");
  const Bytes normal = RawGet(port_, page).body;
  space_.SetFault(page, Fault::CutMidBody);
  RawAnswer cut = RawGet(port_, page);
  EXPECT_EQ(cut.status, 200);
  EXPECT_EQ(cut.contentLength, static_cast<long>(normal.size()));
  EXPECT_TRUE(cut.eof);
  EXPECT_EQ(cut.body, normal.substr(0, normal.size() / 2));
  // Files too: a picture cut in half.
  const std::string picture = "/pic/20001/20001006_0.jpg";
  space_.SetFault(picture, Fault::CutMidBody);
  RawAnswer half = RawGet(port_, picture);
  EXPECT_LT(static_cast<long>(half.body.size()), half.contentLength);
}

TEST_F(SampleFaultTest, StallSendsNothingAndStopEndsIt) {
  space_.SetFault("/fcgi-bin/fcg_list_album", Fault::Stall);
  int fd = Connect(port_);
  ASSERT_GE(fd, 0);
  ASSERT_TRUE(SendRequest(fd, AlbumListTarget("20001")));
  timeval shortWait{0, 300000};
  ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &shortWait, sizeof shortWait);
  char byte;
  EXPECT_EQ(::recv(fd, &byte, 1, 0), -1) << "a stalled answer sent something";
  // Other paths are still served while one stalls.
  EXPECT_EQ(RawGet(port_, PortraitTarget("20001")).status, 200);
  EXPECT_EQ(space_.CountRequests("/fcgi-bin/fcg_list_album"), 1u);
  space_.Stop();  // returns although a handler is stalled
  timeval safety{30, 0};
  ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &safety, sizeof safety);
  RawAnswer after = ReadAnswer(fd);
  EXPECT_NE(after.status, 200);
  ::close(fd);
}

TEST_F(SampleFaultTest, HugeAnswerStreamsWithoutEnd) {
  space_.SetFault("/cgi-bin/blognew/blog_output_data", Fault::Huge);
  RawAnswer huge = RawGet(port_, ArticleTarget("20001", "20001001"), 8u << 20);
  EXPECT_EQ(huge.status, 200);
  EXPECT_EQ(huge.contentLength, -1);
  EXPECT_NE(huge.head.find("Transfer-Encoding: chunked"), std::string::npos);
  EXPECT_GE(huge.body.size(), 8u << 20);
  EXPECT_FALSE(huge.eof);
  // The server goes on serving after the client walked away, and stops with a stream open.
  EXPECT_EQ(RawGet(port_, PortraitTarget("20001")).status, 200);
  int fd = Connect(port_);
  ASSERT_GE(fd, 0);
  ASSERT_TRUE(SendRequest(fd, ArticleTarget("20001", "20001002")));
  space_.Stop();
  ::close(fd);
}

TEST_F(SampleFaultTest, LatencyAndBandwidthSlowAnswersDown) {
  using std::chrono::steady_clock;
  const std::string target = ArticleTarget("20001", "20001006");
  const Bytes normal = RawGet(port_, target).body;

  space_.SetLatencyMs(300);
  auto start = steady_clock::now();
  EXPECT_EQ(RawGet(port_, target).body, normal);
  EXPECT_GE(steady_clock::now() - start, std::chrono::milliseconds(300));
  space_.SetLatencyMs(0);

  // At 20000 bytes a second the page cannot arrive before its size allows.
  space_.SetBytesPerSecond(20000);
  start = steady_clock::now();
  RawAnswer paced = RawGet(port_, target);
  auto elapsed = steady_clock::now() - start;
  EXPECT_EQ(paced.body, normal);
  EXPECT_EQ(paced.contentLength, static_cast<long>(normal.size()));
  EXPECT_GE(std::chrono::duration<double>(elapsed).count(),
            double(normal.size() - 400) / 20000 * 0.95);
}

TEST(SampleSpaceLifecycle, StartStopAndPorts) {
  SampleSpace first;
  EXPECT_EQ(first.Port(), 0);
  const int port = first.Start();
  ASSERT_GT(port, 0);
  EXPECT_EQ(first.BaseUrl(), "http://127.0.0.1:" + std::to_string(port));
  EXPECT_EQ(first.Url("/pic/x.jpg"), first.BaseUrl() + "/pic/x.jpg");
  EXPECT_EQ(first.Start(), -1) << "already running";
  SampleSpace second;
  EXPECT_EQ(second.Start(port), -1) << "port in use";
  first.Stop();
  first.Stop();
  EXPECT_EQ(RawGet(port, "/pic/20001/20001001_0.jpg").connected, false);
  // The freed port can be taken again, and a stopped space starts anew.
  EXPECT_EQ(second.Start(port), port);
  EXPECT_EQ(RawGet(port, PortraitTarget("20001")).status, 200);
  EXPECT_EQ(second.RequestLog().size(), 1u);
}

// The executable prints its port first, serves with its faults, and ends cleanly on SIGTERM.
TEST(SampleSpaceProcess, PrintsPortServesAndStopsOnSignal) {
  int out[2];
  ASSERT_EQ(::pipe(out), 0);
  pid_t pid = ::fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    ::dup2(out[1], STDOUT_FILENO);
    ::close(out[0]);
    ::close(out[1]);
    ::execl(SAMPLE_SPACE_EXE, SAMPLE_SPACE_EXE, "--port", "0", "--latency", "1", "--fault",
            "/fcgi-bin/fcg_list_album?uin=20001=404", nullptr);
    ::_exit(127);
  }
  ::close(out[1]);
  std::string line;
  char ch;
  while (::read(out[0], &ch, 1) == 1 && ch != '\n') line += ch;
  const int port = std::atoi(line.c_str());
  ASSERT_GT(port, 0) << "first line: " << line;
  RawAnswer answer = RawGet(port, PortraitTarget("20001"));
  EXPECT_EQ(answer.status, 200);
  EXPECT_EQ(CutNickname(answer.body, "20001").nickname, Must("20001").nickname);
  EXPECT_EQ(RawGet(port, AlbumListTarget("20001")).status, 404);
  EXPECT_EQ(RawGet(port, AlbumListTarget("20002")).status, 200);
  ASSERT_EQ(::kill(pid, SIGTERM), 0);
  int status = 0;
  ASSERT_EQ(::waitpid(pid, &status, 0), pid);
  EXPECT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  ::close(out[0]);
}

}  // namespace
