// The blog list's check marks and its header-click sort.
#include <QWidget>

#include "blog/BlogHandlers.h"
#include "blog/ListSort.h"
#include "platform/MainWindowInputs.h"
#include "platform/ReportList.h"

namespace {

ReportList* BlogList(QWidget* window) {
  return ListOf(window, "超级列表框_日志");
}

}  // namespace

void ToggleBlogCheck(QWidget* window) {
  ReportList* list = BlogList(window);
  if (!list) return;
  const int row = list->CurrentRow();
  // A click that leaves no row current (on empty space below the rows) changes nothing: it
  // must not reach every row at once.
  if (row < 0) return;
  list->SetCheckMark(row, list->CheckMark(row) == 0 ? 1 : 0);
}

void CheckAllBlogs(QWidget* window) {
  ReportList* list = BlogList(window);
  if (!list) return;
  for (int r = 0; r < list->RowCount(); ++r) list->SetCheckMark(r, 1);
}

void InvertBlogChecks(QWidget* window) {
  ReportList* list = BlogList(window);
  if (!list) return;
  for (int r = 0; r < list->RowCount(); ++r) list->SetCheckMark(r, list->CheckMark(r) == 0 ? 1 : 0);
}

void SortBlogList(QWidget* window, int column) {
  // Always descending by the column's text; a refusal leaves the list as it was.
  SortListByColumn(BlogList(window), column, 0, 0);
}
