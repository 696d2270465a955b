#pragma once
// The blog tab's handlers. Each works on the main window's controls, found by their design names
// (超级列表框_日志, 超级列表框2, 编辑框1, 保存位置, 状态条1), on the user-interface thread.

#include "net/Text.h"

class QWidget;

// Click on 查看日志: lists the account's articles into the blog list.
void ListBlogs(QWidget* window);
void FillBlogList(QWidget* window, const Text& qq);

// Click on the blog list: toggles the current row's check mark.
void ToggleBlogCheck(QWidget* window);
// 全选 and 反选.
void CheckAllBlogs(QWidget* window);
void InvertBlogChecks(QWidget* window);
// Click on a column header of the blog list: descending sort by that column's text.
void SortBlogList(QWidget* window, int column);

// Click on 下载: saves every checked article, its pictures and the index page.
void DownloadBlogs(QWidget* window);
