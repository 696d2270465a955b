#include "blog/BlogCatalogue.h"

#include <QCoreApplication>
#include <QWidget>

#include "blog/BlogHandlers.h"
#include "net/Conversions.h"
#include "net/PageFetch.h"
#include "net/PatternScan.h"
#include "net/ProgramState.h"
#include "net/ServiceHosts.h"
#include "platform/DesktopEffects.h"
#include "platform/Gbk.h"
#include "platform/JobStatus.h"
#include "platform/MainWindowInputs.h"
#include "platform/QtText.h"
#include "platform/ReportList.h"

namespace {

constexpr std::string_view kSummariesPath = "/cgi-bin/blognew/get_abs?hostUin=";
constexpr std::string_view kSummariesQuery =
    "&blogType=0&cateName=&cateHex=&statYear=2013&reqInfo=1&pos=0&num=";

Text SummariesPath(const Text& qq, const Text& num) {
  return JoinTexts({kSummariesPath, qq, kSummariesQuery, num});
}

Text FetchAnswer(const Text& address) {
  return RunWhilePainting([address] { return FetchPageText(address); });
}

}  // namespace

Text CountRequestPath(const Text& qq) {
  return SummariesPath(qq, "1");
}

Text ListRequestPath(const Text& qq, long long count) {
  return SummariesPath(qq, NumberToText(count));
}

long long CutBlogCount(const Text& answer) {
  // The found flag is not needed: the two "not found" texts read as 0.
  return TextToInteger(TextBetweenChecked(answer, "{\"totalNum\":", ",\n\"hostFlag\""));
}

Text CutListPart(const Text& answer) {
  const int p = FindText(answer, "[");
  const int q = FindText(answer, "]");
  return MidText(answer, p + 1, q - p - 1);
}

Text CleanUpSummaries(const Text& answer) {
  Text t = CutListPart(answer);
  t = ReplaceAll(t, "\"", "");
  t = ReplaceAll(t, "\r\n", "");
  t = ReplaceAll(t, ",", "");
  t = ReplaceAll(t, "{", "<img ");
  t = ReplaceAll(t, "}", "/>\r\n");
  return t;
}

std::vector<BlogRow> CutBlogRows(const Text& answer) {
  ProgramState& state = Program();
  state.ParseBuffer = CleanUpSummaries(answer);
  const int n = ScanMatches("<img(.*?)>");
  std::vector<BlogRow> rows;
  rows.reserve(static_cast<size_t>(n > 0 ? n : 0));
  for (int i = 1; i <= n; ++i) {
    const Text m = MatchText(i - 1);
    BlogRow row;
    row.number = NumberToText(i);
    row.title = DropLastChar(TextBetween(m, "title:", "commentNum"));
    row.category = DropLastChar(TextBetween(m, "cate:", "cateHex"));
    row.pubTime = TextBetween(m, "pubTime:", "cate");
    row.blogId = TextBetween(m, "blogId:", "blogType");
    rows.push_back(std::move(row));
  }
  return rows;
}

Text BlogCountMessage(long long n) {
  return JoinTexts({ToGbk("该QQ总共有日志 "), NumberToText(n), ToGbk(" 篇")});
}

Text NoBlogMessage() {
  return ToGbk("很遗憾，没有找到文章，可能该空间没有设置为允许所有人访问！");
}

Text EnterQqMessage() {
  return ToGbk("请输入QQ号码！");
}

namespace {

ReportList* BlogListOf(QWidget* window) {
  return ListOf(window, "超级列表框_日志");
}

}  // namespace

void ListBlogs(QWidget* window) {
  FillBlogList(window, QqNumberOf(window));
}

void FillBlogList(QWidget* window, const Text& qq) {
  // What the user did before the click is handled first, once.
  QCoreApplication::processEvents();
  ReportList* list = BlogListOf(window);
  if (!list) return;
  list->DeleteAllRows();

  // The box is read again for the test; the number sent is the one passed in, as typed.
  if (RemoveSpaces(QqNumberOf(window)).empty()) {
    Desktop().ShowMessage(window, ToQString(EnterQqMessage()));
    return;
  }

  ProgramState& state = Program();
  std::vector<BlogRow> rows;
  {
    JobStatus status(window, QStringLiteral("读取日志列表…"));
    state.ParseBuffer = FetchAnswer(Hosts().blog + CountRequestPath(qq));
    const long long count = CutBlogCount(state.ParseBuffer);
    const Text answer = FetchAnswer(Hosts().blog + ListRequestPath(qq, count));
    state.ParseBuffer = answer;
    rows = CutBlogRows(answer);
  }

  for (const BlogRow& r : rows) {
    const int row = list->InsertRow();
    list->SetCell(row, 0, r.number);
    list->SetCell(row, 1, r.title);
    list->SetCell(row, 2, r.category);
    list->SetCell(row, 3, r.pubTime);
    list->SetCell(row, 4, r.blogId);
    list->SetCheckMark(row, 1);
  }
  list->SetCurrentRow(0);

  if (list->Cell(0, 0).empty())
    Desktop().ShowMessage(window, ToQString(NoBlogMessage()));
  else
    Desktop().ShowMessage(window, ToQString(BlogCountMessage(static_cast<long long>(rows.size()))));
}
