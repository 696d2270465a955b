#include "blog/BlogDownload.h"

#include <QThreadPool>
#include <QWidget>
#include <QtConcurrent>
#include <deque>

#include "blog/BlogHandlers.h"
#include "blog/BlogPages.h"
#include "net/Conversions.h"
#include "net/PageFetch.h"
#include "net/PatternScan.h"
#include "net/ProgramState.h"
#include "net/ServiceHosts.h"
#include "platform/DesktopEffects.h"
#include "platform/FileSystem.h"
#include "platform/Gbk.h"
#include "platform/JobStatus.h"
#include "platform/MainWindowInputs.h"
#include "platform/QtText.h"
#include "platform/ReportList.h"

namespace {

// A checked row of the blog list, read when the pass starts (user input waits while the job
// runs, so the marks cannot change meanwhile).
struct CheckedArticle {
  int row = 0;
  Text number;
  Text title;
  Text category;
  Text blogId;
};

PictureOutcome SavePicture(const Text& address, const std::optional<Text>& gifPath,
                           const std::optional<Text>& jpgPath) {
  FetchResult fetched = FetchBytesChecked(address);
  if (!fetched.complete) return {};
  std::string_view extension = PictureExtension(fetched.body);
  const std::optional<Text>& path = extension == "GIF" ? gifPath : jpgPath;
  if (!path || !files::WriteFile(*path, fetched.body)) return {};
  return {true, Text(extension)};
}

}  // namespace

void DownloadBlogPages(BlogDownloadJob& job) {
  job.pictureList->DeleteAllRows();
  job.PictureCount = 0;
  job.pages.clear();
  job.pictures.clear();

  const int rowCount = job.blogList->RowCount();
  std::vector<CheckedArticle> articles;
  for (int r = 0; r < rowCount; ++r) {
    if (job.blogList->CheckMark(r) != 1) continue;
    articles.push_back({r, job.blogList->Cell(r, 0), job.blogList->Cell(r, 1),
                        job.blogList->Cell(r, 2), job.blogList->Cell(r, 4)});
  }

  // Pages are fetched a few ahead on the pool and taken in list order, so what is written is
  // what one request after the other would write.
  std::deque<QFuture<Text>> ahead;
  std::size_t submitted = 0;
  auto submitUpTo = [&](std::size_t limit) {
    for (; submitted < articles.size() && submitted < limit; ++submitted) {
      Text address = BlogArticleAddress(Hosts().blog, job.qq, articles[submitted].blogId);
      ahead.push_back(QtConcurrent::run(job.pool, [address] { return FetchPageText(address); }));
    }
  };

  JobStatus status(job.window, QStringLiteral("日志"));
  int nextRow = 0;
  for (std::size_t i = 0; i < articles.size(); ++i) {
    const CheckedArticle& a = articles[i];
    submitUpTo(i + kParallelRequests);
    // The rows before this one were visited and passed over.
    for (; nextRow <= a.row; ++nextRow) job.blogList->SetCurrentRow(nextRow);

    QFuture<Text> fetch = ahead.front();
    ahead.pop_front();
    WaitWhilePainting(fetch);

    ProgramState& program = Program();
    program.ParseBuffer = fetch.result();
    Text body = CutArticleBody(program.ParseBuffer);

    SavedBlogPage page;
    page.title = a.title;
    page.path = files::SafeJoin(job.accountFolder,
                                InCategory(a.category, BlogPageFileName(a.title, a.number)));
    const int pageIndex = static_cast<int>(job.pages.size());

    program.ParseBuffer = body;
    const int matches = ScanMatches(kPictureTagPattern);
    for (int m = 0; m < matches; ++m) {
      BlogPictureJob picture;
      picture.page = pageIndex;
      picture.address = PictureAddressOfTag(MatchText(m));
      picture.title = a.title;
      const int row = job.pictureList->InsertRow();
      job.pictureList->SetCell(row, 0, a.number);
      job.pictureList->SetCell(row, 1, a.title);
      job.pictureList->SetCell(row, 2, a.category);
      job.pictureList->SetCell(row, 3, picture.address);
      job.pictures.push_back(std::move(picture));
    }
    job.PictureCount += matches;

    page.text = BuildBlogPage(a.title, body);
    if (!a.category.empty()) {
      if (auto folder = files::SafeJoin(job.accountFolder, a.category)) files::CreateFolder(*folder);
    }
    if (page.path) page.written = files::WriteFile(*page.path, page.text);
    job.pages.push_back(std::move(page));

    // This article's pictures go to the pool now, behind the pages already asked for.
    for (int k = job.PictureCount - matches; k < job.PictureCount; ++k) {
      BlogPictureJob& picture = job.pictures[k];
      auto pathFor = [&](std::string_view extension) {
        return files::SafeJoin(job.accountFolder,
                               InCategory(a.category, PictureLocalName(a.title, k, extension)));
      };
      std::optional<Text> gifPath = pathFor("GIF");
      std::optional<Text> jpgPath = pathFor("jpg");
      if (!gifPath && !jpgPath) continue;
      picture.started = true;
      picture.outcome = QtConcurrent::run(job.pool, [address = picture.address, gifPath, jpgPath] {
        return SavePicture(address, gifPath, jpgPath);
      });
    }
    status.Progress(static_cast<int>(i) + 1, static_cast<int>(articles.size()));
  }
  for (; nextRow < rowCount; ++nextRow) job.blogList->SetCurrentRow(nextRow);
}

void DownloadBlogPictures(BlogDownloadJob& job) {
  job.failedPictures = 0;
  std::vector<std::vector<PictureRewrite>> rewrites(job.pages.size());
  JobStatus status(job.window, QStringLiteral("图片"));
  for (int k = 0; k < job.PictureCount; ++k) {
    job.pictureList->SetCurrentRow(k);
    BlogPictureJob& picture = job.pictures[k];
    PictureOutcome outcome;
    if (picture.started) {
      WaitWhilePainting(picture.outcome);
      outcome = picture.outcome.result();
    }
    if (!outcome.saved) {
      // Its address stays in the page, which then still shows it from the web.
      ++job.failedPictures;
    } else {
      // The page names the file as a relative address, escaped like the index links so that a
      // title holding '#', '?' or '%' still reaches it.
      rewrites[picture.page].push_back(
          {picture.address, EscapeLinkPart(PictureLocalName(picture.title, k, outcome.extension))});
    }
    status.Progress(k + 1, job.PictureCount);
  }
  for (std::size_t p = 0; p < job.pages.size(); ++p) {
    SavedBlogPage& page = job.pages[p];
    if (!page.written || rewrites[p].empty()) continue;
    Text rewritten = RewritePictureAddresses(page.text, rewrites[p]);
    if (rewritten == page.text) continue;
    page.text = std::move(rewritten);
    files::WriteFile(*page.path, page.text);
  }
}

bool WriteBlogIndex(const ReportList& blogList, const Text& accountFolder) {
  Text rows;
  for (int r = 0; r < blogList.RowCount(); ++r) {
    if (blogList.CheckMark(r) != 1) continue;
    rows += BlogIndexRow(blogList.Cell(r, 0), blogList.Cell(r, 1), blogList.Cell(r, 2),
                         blogList.Cell(r, 3));
  }
  return files::WriteFile(JoinTexts({accountFolder, "\\", ToGbk("目录.html")}), BuildBlogIndex(rows));
}

void DownloadBlogs(QWidget* window) {
  auto* blogList = ListOf(window, "超级列表框_日志");
  auto* pictureList = ListOf(window, "超级列表框2");
  if (!blogList || !pictureList) return;

  const Text saveRoot = SaveRootOf(window);
  const Text qq = QqNumberOf(window);
  if (saveRoot.empty() || qq.empty()) {
    Desktop().ShowMessage(window, QStringLiteral("请先输入QQ号码并选择保存位置"));
    return;
  }
  Desktop().ShowMessage(window,
                        QStringLiteral("点击确定开始下载日志，日志中图片过多或过大，可能造成软件假死，"
                                       "请耐心等待下载完成的提示即可，无需结束进程。"));

  QThreadPool pool;
  pool.setMaxThreadCount(kParallelRequests);
  BlogDownloadJob job;
  job.window = window;
  job.blogList = blogList;
  job.pictureList = pictureList;
  job.pool = &pool;
  job.qq = qq;
  job.accountFolder = AccountFolder(saveRoot, qq);

  files::CreateFolder(job.accountFolder);
  DownloadBlogPages(job);
  DownloadBlogPictures(job);
  // Every page and picture is on disk now; the index is the last file.
  if (!WriteBlogIndex(*blogList, job.accountFolder)) return;
  QString done = QStringLiteral("日志下载完成！");
  if (job.failedPictures > 0)
    done += QStringLiteral("\n其中 %1 张图片未能保存").arg(job.failedPictures);
  Desktop().ShowMessage(window, done);
}
