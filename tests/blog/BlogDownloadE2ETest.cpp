// The blog download through its handler against the sample space: requests, pages, pictures,
// the index page, hostile titles and failed transfers.
#include <gtest/gtest.h>

#include <QDirIterator>
#include <QTemporaryDir>
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <functional>
#include <map>
#include <regex>
#include <set>

#include "blog/BlogHandlers.h"
#include "blog/BlogPages.h"
#include "net/Conversions.h"
#include "net/ProgramState.h"
#include "net/ServiceHosts.h"
#include "platform/FileSystem.h"
#include "platform/Gbk.h"
#include "support/BlogTestWindow.h"
#include "support/SampleRows.h"
#include "support/TestDesktop.h"
#include "tools/SampleSpace.h"

namespace {

namespace fs = std::filesystem;

Text G(const char* utf8) { return ToGbk(utf8); }

const QString kConfirm = QStringLiteral(
    "点击确定开始下载日志，日志中图片过多或过大，可能造成软件假死，请耐心等待下载完成的提示即可，"
    "无需结束进程。");
const QString kDone = QStringLiteral("日志下载完成！");

std::string PercentDecode(const std::string& s) {
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '%' && i + 2 < s.size() && std::isxdigit(static_cast<unsigned char>(s[i + 1])) &&
        std::isxdigit(static_cast<unsigned char>(s[i + 2]))) {
      out += static_cast<char>(std::stoi(s.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else {
      out += s[i];
    }
  }
  return out;
}

int Occurrences(const std::string& text, const std::string& part) {
  int n = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

class BlogDownloadE2E : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!ProgramStateExists()) CreateProgramState();
    ASSERT_GT(space.Start(), 0);
    SetHosts(LocalServiceHosts(space.BaseUrl()));
    ASSERT_TRUE(tmp.isValid());
    window.SetSaveRoot(tmp.path() + "/dl");
  }

  // Fills the blog list with the account's articles as the catalogue lists them, numbered from
  // 1; `checked` decides the mark of each row (by its 0-based index).
  void ListAccount(const char* qq, const std::function<bool(int)>& checked = nullptr) {
    account = sample::FindAccount(qq);
    ASSERT_NE(account, nullptr);
    window.SetQq(QString::fromLatin1(qq));
    accountFolder = FromQString(tmp.path() + "/dl") + qq;
    FillBlogRows(window.blogList, *account, checked);
  }

  void Download() {
    space.ClearLog();
    desktop.messages.clear();
    DownloadBlogs(&window);
  }

  fs::path Native(const Text& relative) const {
    return *files::NativePath(accountFolder + "\\" + relative);
  }
  fs::path AccountNative() const { return *files::NativePath(accountFolder); }
  std::optional<Bytes> Read(const Text& relative) const {
    return files::ReadFile(accountFolder + "\\" + relative);
  }
  Text PagePath(int index) const {
    const sample::Article& a = account->articles[index];
    return a.category + "\\" + a.title + NumberToText(index + 1) + ".html";
  }
  std::string ArticleRequest(int index) const {
    return "/cgi-bin/blognew/blog_output_data?uin=" + account->qq +
           "&blogid=" + account->articles[index].blogId + "&g_tk=386042917";
  }
  Text ExpectedPage(int index) const {
    const sample::Article& a = account->articles[index];
    Text body = ReplaceAll(sample::ArticleBody(*account, a, space.BaseUrl()),
                           sample::ArticleWrapper(), " ");
    return BlogPageHead() + a.title + "</div>" + body + "<p><p><p>" + BlogPageTail();
  }

  // Every file under the temporary folder, as UTF-8 paths relative to it.
  std::set<std::string> FilesOnDisk() const {
    std::set<std::string> found;
    QDirIterator it(tmp.path(), QDir::Files | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) found.insert(QDir(tmp.path()).relativeFilePath(it.next()).toStdString());
    return found;
  }

  // The href values of the index rows of 目录.html.
  std::vector<std::string> IndexLinks() const {
    std::vector<std::string> links;
    const std::string index = Read(G("目录.html")).value_or("");
    static const std::regex row("<tr><td width=5%>[^<]*</td><td ><A target=\"_blank\" href=\"([^\"]*)\">");
    for (auto it = std::sregex_iterator(index.begin(), index.end(), row);
         it != std::sregex_iterator(); ++it)
      links.push_back((*it)[1]);
    return links;
  }

  sample::SampleSpace space;
  TestDesktop desktop;
  BlogTestWindow window;
  QTemporaryDir tmp;
  const sample::Account* account = nullptr;
  Text accountFolder;
};

TEST_F(BlogDownloadE2E, EmptyQqOrSaveLocationAsksForBoth) {
  struct Case {
    QString qq;
    QString root;
  } cases[] = {{"", tmp.path() + "/dl"}, {"20001", ""}, {"", ""}};
  ListAccount("20001");
  for (const Case& c : cases) {
    window.SetQq(c.qq);
    window.SetSaveRoot(c.root);
    Download();
    EXPECT_EQ(desktop.messages, QStringList{QStringLiteral("请先输入QQ号码并选择保存位置")});
    EXPECT_TRUE(space.RequestLog().empty());
    EXPECT_TRUE(FilesOnDisk().empty());
  }
}

TEST_F(BlogDownloadE2E, NoCheckedRowWritesAnIndexOfHeadAndTail) {
  ListAccount("20001", [](int) { return false; });
  Download();
  EXPECT_EQ(desktop.messages, (QStringList{kConfirm, kDone}));
  EXPECT_TRUE(space.RequestLog().empty());
  EXPECT_EQ(window.pictureList->RowCount(), 0);
  EXPECT_EQ(Read(G("目录.html")), BlogIndexHead() + BlogIndexTail());
  EXPECT_EQ(FilesOnDisk(), (std::set<std::string>{"dl20001/目录.html"}));
}

// The typical account with one article left unchecked.
class TypicalDownload : public BlogDownloadE2E {
 protected:
  static constexpr int kUnchecked = 6;  // 无题
  void SetUp() override {
    BlogDownloadE2E::SetUp();
    ListAccount("20001", [](int row) { return row != kUnchecked; });
    window.pictureList->InsertRow();  // left from an earlier download: must go
    Download();
  }
  // (article index, picture index within it) of every row of 超级列表框2, in order.
  std::vector<std::pair<int, int>> PictureRows() const {
    std::vector<std::pair<int, int>> rows;
    for (int i = 0; i < static_cast<int>(account->articles.size()); ++i)
      if (i != kUnchecked)
        for (int p = 0; p < static_cast<int>(account->articles[i].pictures.size()); ++p)
          rows.push_back({i, p});
    return rows;
  }
  Text LocalName(int k) const {
    auto [i, p] = PictureRows()[k];
    const Bytes bytes = *sample::FileBytes(account->articles[i].pictures[p]);
    return account->articles[i].title + NumberToText(k) + (bytes.starts_with("GIF") ? ".GIF" : ".jpg");
  }
};

TEST_F(TypicalDownload, FetchesOnlyCheckedRowsOncePerPageAndPicture) {
  EXPECT_EQ(desktop.messages, (QStringList{kConfirm, kDone}));
  std::vector<std::string> expected;
  for (int i = 0; i < static_cast<int>(account->articles.size()); ++i)
    if (i != kUnchecked) expected.push_back(ArticleRequest(i));
  for (auto [i, p] : PictureRows()) expected.push_back(account->articles[i].pictures[p]);
  std::vector<std::string> log = space.RequestLog();
  std::sort(expected.begin(), expected.end());
  std::sort(log.begin(), log.end());
  EXPECT_EQ(log, expected);
  EXPECT_FALSE(fs::exists(Native(PagePath(kUnchecked))));
  // The pass leaves the last row of each list current.
  EXPECT_EQ(window.blogList->CurrentRow(), window.blogList->RowCount() - 1);
  EXPECT_EQ(window.pictureList->CurrentRow(), window.pictureList->RowCount() - 1);
}

TEST_F(TypicalDownload, SmallArticlePageIsHeadTitleBodyTail) {
  ASSERT_TRUE(account->articles[1].pictures.empty());  // 读书笔记
  EXPECT_EQ(Read(PagePath(1)), ExpectedPage(1));
}

TEST_F(TypicalDownload, PictureRowsAndFilesCountOverTheWholeDownload) {
  const auto rows = PictureRows();
  ASSERT_EQ(window.pictureList->RowCount(), static_cast<int>(rows.size()));
  for (int k = 0; k < static_cast<int>(rows.size()); ++k) {
    auto [i, p] = rows[k];
    const sample::Article& a = account->articles[i];
    EXPECT_EQ(window.pictureList->Cell(k, 0), NumberToText(i + 1)) << k;
    EXPECT_EQ(window.pictureList->Cell(k, 1), a.title) << k;
    EXPECT_EQ(window.pictureList->Cell(k, 2), a.category) << k;
    EXPECT_EQ(window.pictureList->Cell(k, 3), space.Url(a.pictures[p])) << k;
    const Bytes bytes = *sample::FileBytes(a.pictures[p]);
    const bool gif = bytes.starts_with("GIF");
    const Text stem = a.category + "\\" + a.title + NumberToText(k);
    EXPECT_EQ(Read(stem + (gif ? ".GIF" : ".jpg")), bytes) << k;
    EXPECT_FALSE(fs::exists(Native(stem + (gif ? ".jpg" : ".GIF")))) << k;
  }
  // 动图与截图: a GIF and a PNG both served under .jpg addresses.
  EXPECT_TRUE(fs::exists(Native(G("随笔\\动图与截图7.GIF"))));
  EXPECT_TRUE(fs::exists(Native(G("随笔\\动图与截图8.jpg"))));
  // 年终总结 starts with the first article's first picture, under its own index.
  EXPECT_EQ(Read(G("生活\\年终总结13.jpg")), Read(G("生活\\春游0.jpg")));
}

TEST_F(TypicalDownload, PagesShowTheirPicturesFromLocalFiles) {
  const auto rows = PictureRows();
  static const std::regex src("<img[^>]*src=\"([^\"]*)\"");
  for (int i = 0; i < static_cast<int>(account->articles.size()); ++i) {
    if (i == kUnchecked) continue;
    const std::string page = Read(PagePath(i)).value_or("");
    ASSERT_FALSE(page.empty()) << i;
    EXPECT_EQ(page.find(space.Url("/pic/")), std::string::npos) << i;
    int shown = 0;
    for (auto it = std::sregex_iterator(page.begin(), page.end(), src);
         it != std::sregex_iterator(); ++it, ++shown) {
      const Text local = (*it)[1];
      EXPECT_TRUE(fs::is_regular_file(Native(account->articles[i].category + "\\" + local)))
          << i << " " << local;
    }
    EXPECT_EQ(shown, static_cast<int>(account->articles[i].pictures.size())) << i;
  }
  // 同一张图 holds one address twice: both tags show the first row's file, while the second
  // row's copy is saved all the same.
  int first = -1;
  for (int k = 0; k < static_cast<int>(rows.size()); ++k)
    if (rows[k].first == 3 && first < 0) first = k;
  const std::string twice = *Read(PagePath(3));
  const Text firstTag = "<img src=\"" + LocalName(first) + "\"";
  EXPECT_EQ(Occurrences(twice, firstTag), 2);
  EXPECT_TRUE(fs::exists(Native(G("生活\\") + LocalName(first + 1))));
}

TEST_F(TypicalDownload, IndexRowsInListOrderWithLinksThatReachThePages) {
  const Text index = *Read(G("目录.html"));
  EXPECT_TRUE(index.starts_with(BlogIndexHead()));
  EXPECT_TRUE(index.ends_with(BlogIndexTail()));
  EXPECT_NE(index.find(G("<tr><td width=5%>1</td><td ><A target=\"_blank\" href=\"生活/春游1.html\">"
                         "春游</a></td><td width=25%>生活</td><td width=25%>2013-04-01 10:20</td>"
                         "</tr>\r\n<tr><td width=5%>2</td>")),
            std::string::npos);
  const std::vector<std::string> links = IndexLinks();
  ASSERT_EQ(links.size(), account->articles.size() - 1);
  for (const std::string& link : links) {
    const auto utf8 = ToUtf8Strict(PercentDecode(link));
    ASSERT_TRUE(utf8) << link;
    EXPECT_TRUE(fs::is_regular_file(AccountNative() / fs::path(*utf8))) << *utf8;
  }
  EXPECT_EQ(index.find(account->articles[kUnchecked].title), std::string::npos);
}

TEST_F(BlogDownloadE2E, HostileTitlesWriteNothingOutsideTheAccountFolder) {
  ListAccount("20002");
  Download();
  // Three articles name a path outside their folder (..\..\x, the category "..", a '/');
  // their pages and pictures are not written and the rest goes on.
  EXPECT_EQ(desktop.messages,
            (QStringList{kConfirm, kDone + QStringLiteral("\n其中 3 张图片未能保存")}));
  EXPECT_EQ(FilesOnDisk(), (std::set<std::string>{
                               "dl20002/目录.html",
                               "dl20002/我的 分类/春 游 记1.html",
                               "dl20002/我的 分类/春 游 记0.jpg",
                               "dl20002/杂项/全角　空格2.html",
                               "dl20002/杂项/逗号,标题3.html",
                               "dl20002/杂项/引号\"标题\"4.html",
                               "dl20002/杂项/井号#问号?百分%和&5.html",
                               "dl20002/杂项/井号#问号?百分%和&1.GIF",
                               "dl20002/杂项/大于>号6.html",
                           }));
  EXPECT_EQ(window.pictureList->RowCount(), 5);  // still listed
  EXPECT_EQ(space.CountRequests("/pic/"), 2u);
  EXPECT_EQ(space.CountRequests("/cgi-bin/blognew/blog_output_data"), 9u);
  for (int i : {0, 4})
    EXPECT_EQ(Read(PagePath(i)).value_or("").find(space.Url("/pic/")), std::string::npos) << i;
  // The pictures of those pages are named by addresses a browser resolves to the saved files.
  static const std::regex src("<img[^>]*src=\"([^\"]*)\"");
  for (int i : {0, 4}) {
    const std::string page = Read(PagePath(i)).value_or("");
    int shown = 0;
    for (auto it = std::sregex_iterator(page.begin(), page.end(), src);
         it != std::sregex_iterator(); ++it, ++shown) {
      const std::string link = (*it)[1];
      EXPECT_EQ(link.find_first_of(" \"#?"), std::string::npos) << link;
      const auto utf8 = ToUtf8Strict(PercentDecode(link));
      ASSERT_TRUE(utf8) << link;
      const auto folder = Native(PagePath(i)).parent_path();
      EXPECT_TRUE(fs::is_regular_file(folder / fs::path(*utf8))) << *utf8;
    }
    EXPECT_EQ(shown, 1) << i;
  }

  // Every link of the written pages reaches its page, blanks, quotes, '#', '?' and '%' included.
  const std::vector<std::string> links = IndexLinks();
  ASSERT_EQ(links.size(), 9u);
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(links[i].find_first_of(" \"#?"), std::string::npos) << links[i];
    const auto utf8 = ToUtf8Strict(PercentDecode(links[i]));
    ASSERT_TRUE(utf8) << links[i];
    EXPECT_TRUE(fs::is_regular_file(AccountNative() / fs::path(*utf8))) << *utf8;
  }
  // The others name one folder and one file, never a deeper or escaped path.
  for (int i = 6; i < 9; ++i) EXPECT_EQ(links[i].find_first_of("\\/", links[i].find('/') + 1),
                                        std::string::npos) << links[i];
}

TEST_F(BlogDownloadE2E, ListedByTheCatalogueThenDownloaded) {
  // The rows as the catalogue cuts them: publish time and blog id keep the separator byte that
  // follows them in the answer, and the request carries it.
  account = sample::FindAccount("20001");
  window.SetQq("20001");
  accountFolder = FromQString(tmp.path() + "/dl") + "20001";
  ListBlogs(&window);
  ASSERT_EQ(window.blogList->RowCount(), static_cast<int>(account->articles.size()));
  Download();
  EXPECT_EQ(desktop.messages, (QStringList{kConfirm, kDone}));
  size_t pictures = 0;
  for (int i = 0; i < static_cast<int>(account->articles.size()); ++i) {
    const auto page = Read(PagePath(i));
    ASSERT_TRUE(page) << i;
    if (account->articles[i].pictures.empty()) EXPECT_EQ(*page, ExpectedPage(i)) << i;
    EXPECT_EQ(page->find(space.Url("/pic/")), std::string::npos) << i;  // all shown locally
    pictures += account->articles[i].pictures.size();
  }
  EXPECT_EQ(space.CountRequests("/pic/"), pictures);
  EXPECT_EQ(window.pictureList->RowCount(), static_cast<int>(pictures));
}

TEST_F(BlogDownloadE2E, ArticleWithoutCategoryLiesInTheAccountFolder) {
  ListAccount("20001", [](int row) { return row == 0; });  // 春游: a JPEG and a GIF
  window.blogList->SetCell(0, 2, "");
  Download();
  EXPECT_EQ(desktop.messages, (QStringList{kConfirm, kDone}));
  EXPECT_EQ(FilesOnDisk(), (std::set<std::string>{"dl20001/目录.html", "dl20001/春游1.html",
                                                  "dl20001/春游0.jpg", "dl20001/春游1.GIF"}));
  EXPECT_EQ(IndexLinks(), std::vector<std::string>{ToGbk("春游1.html")});
}

TEST_F(BlogDownloadE2E, PictureCutMidBodyLeavesNoBrokenFileAndIsCounted) {
  ListAccount("20001", [](int row) { return row == 0; });  // 春游: a JPEG and a GIF
  const std::string cut = account->articles[0].pictures[1];
  const Text gif = G("生活\\春游1.GIF");
  const Text page = PagePath(0);
  const QString oneFailed = kDone + QStringLiteral("\n其中 1 张图片未能保存");

  space.SetFault(cut, sample::Fault::CutMidBody);
  Download();
  EXPECT_EQ(desktop.messages, (QStringList{kConfirm, oneFailed}));
  EXPECT_EQ(space.CountRequests(cut), 1u);
  EXPECT_EQ(FilesOnDisk(), (std::set<std::string>{"dl20001/目录.html", "dl20001/生活/春游1.html",
                                                  "dl20001/生活/春游0.jpg"}));
  // The page still shows the lost picture from the web.
  EXPECT_NE(Read(page)->find("src=\"" + space.Url(cut) + "\""), std::string::npos);

  // A good run, then a failing one: the good file stays as it was.
  space.SetFault(cut, sample::Fault::None);
  Download();
  EXPECT_EQ(desktop.messages, (QStringList{kConfirm, kDone}));
  EXPECT_EQ(Read(gif), sample::FileBytes(cut));
  space.SetFault(cut, sample::Fault::CutMidBody);
  Download();
  EXPECT_EQ(desktop.messages, (QStringList{kConfirm, oneFailed}));
  EXPECT_EQ(Read(gif), sample::FileBytes(cut));
  EXPECT_EQ(FilesOnDisk().size(), 4u);  // no temporary left behind
}

TEST_F(BlogDownloadE2E, FailedPageFetchStillWritesTitleAndBlankBody) {
  for (sample::Fault fault : {sample::Fault::NotFound404, sample::Fault::CutMidBody}) {
    ListAccount("20001", [](int row) { return row < 3; });
    space.ClearFaults();
    space.SetFault(ArticleRequest(0), fault);
    Download();
    EXPECT_EQ(desktop.messages, (QStringList{kConfirm, kDone}));
    const sample::Article& a = account->articles[0];
    // Neither marker is found, so both cuts give the same text and the removal leaves a blank.
    EXPECT_EQ(Read(PagePath(0)), BlogPageHead() + a.title + "</div> <p><p><p>" + BlogPageTail());
    EXPECT_EQ(Read(PagePath(1)), ExpectedPage(1));
    // Only the third article's pictures are listed.
    ASSERT_EQ(window.pictureList->RowCount(), 3);
    EXPECT_EQ(window.pictureList->Cell(0, 0), "3");
    EXPECT_EQ(space.CountRequests("/pic/"), 3u);
    EXPECT_TRUE(fs::exists(Native(account->articles[2].category + "\\" + account->articles[2].title + "0.jpg")));
  }
}

}  // namespace
