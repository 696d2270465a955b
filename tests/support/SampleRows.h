#pragma once
// Fills a blog list with a sample account's articles as the catalogue lists them (numbered from
// 1), without a request, so a download can be run on its own.

#include <functional>

#include "net/Conversions.h"
#include "platform/ReportList.h"
#include "tools/SampleSpace.h"

// `checked` decides each row's mark by its 0-based index; all rows are checked without it.
inline void FillBlogRows(ReportList* list, const sample::Account& account,
                         const std::function<bool(int)>& checked = nullptr) {
  list->DeleteAllRows();
  for (const sample::Article& a : account.articles) {
    const int row = list->InsertRow();
    list->SetCell(row, 0, NumberToText(row + 1));
    list->SetCell(row, 1, a.title);
    list->SetCell(row, 2, a.category);
    list->SetCell(row, 3, a.pubTime);
    list->SetCell(row, 4, a.blogId);
    list->SetCheckMark(row, !checked || checked(row) ? 1 : 0);
  }
}
