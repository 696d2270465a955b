// The whole blog download of a large sample account against the sample space, every answer
// delayed by a fixed latency. Prints the wall time, the requests, and the ratio to the bound
// that the parallel requests allow (requests x latency / parallel requests).
//
//   blog_download_bench [latency ms = 20] [QQ number = 20300]
//
// Fails (exit 1) when a page or picture is requested other than exactly once, or the download
// does not report completion. Meant for accounts whose pictures all differ, such as 20300: a
// picture shown twice is fetched once per row.
#include <QApplication>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "blog/BlogDownload.h"
#include "blog/BlogHandlers.h"
#include "net/Conversions.h"
#include "net/ProgramState.h"
#include "net/ServiceHosts.h"
#include "tests/support/BlogTestWindow.h"
#include "tests/support/SampleRows.h"
#include "tests/support/TestDesktop.h"
#include "tools/SampleSpace.h"


int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const int latencyMs = argc > 1 ? std::atoi(argv[1]) : 20;
  const std::string qq = argc > 2 ? argv[2] : "20300";

  const sample::Account* account = sample::FindAccount(qq);
  if (!account) {
    std::fprintf(stderr, "no sample account %s\n", qq.c_str());
    return 2;
  }
  sample::SampleSpace space(sample::SampleOptions{latencyMs, 0});
  if (space.Start() <= 0) {
    std::fprintf(stderr, "the sample space did not start\n");
    return 2;
  }
  SetHosts(LocalServiceHosts(space.BaseUrl()));
  CreateProgramState();
  TestDesktop desktop;  // boxes are answered at once and remembered

  QTemporaryDir tmp;
  BlogTestWindow w;
  w.SetQq(QString::fromStdString(qq));
  w.SetSaveRoot(tmp.path() + "/dl");
  FillBlogRows(w.blogList, *account);
  std::size_t pictures = 0;
  for (const sample::Article& a : account->articles) pictures += a.pictures.size();

  space.ClearLog();
  const auto start = std::chrono::steady_clock::now();
  DownloadBlogs(&w);
  const double wallMs =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();

  const std::vector<std::string> log = space.RequestLog();
  std::map<std::string, int> times;
  for (const std::string& r : log) ++times[r];
  int repeated = 0;
  for (const auto& [request, n] : times)
    if (n != 1) ++repeated;
  const std::size_t pageRequests = space.CountRequests("/cgi-bin/blognew/blog_output_data");
  const std::size_t pictureRequests = space.CountRequests("/pic/");
  const double boundMs = static_cast<double>(log.size()) * latencyMs / kParallelRequests;

  std::printf("account %s: %zu articles, %zu pictures\n", qq.c_str(), account->articles.size(),
              pictures);
  std::printf("latency %d ms, parallel requests %d\n", latencyMs, kParallelRequests);
  std::printf("requests %zu (pages %zu, pictures %zu), repeated %d\n", log.size(), pageRequests,
              pictureRequests, repeated);
  std::printf("wall %.0f ms, bound %.0f ms, ratio %.2f\n", wallMs, boundMs,
              boundMs > 0 ? wallMs / boundMs : 0.0);

  bool ok = repeated == 0 && pageRequests == account->articles.size() &&
            pictureRequests == pictures && log.size() == pageRequests + pictureRequests &&
            desktop.messages.size() == 2 &&
            desktop.messages.back() == QStringLiteral("日志下载完成！");
  if (!ok) {
    std::fprintf(stderr, "FAILED: not exactly one request per page and picture, or no completion\n");
    for (const QString& m : desktop.messages) std::fprintf(stderr, "  message: %s\n", m.toUtf8().constData());
  }
  FreeProgramState();
  return ok ? 0 : 1;
}
