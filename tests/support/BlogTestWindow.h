#pragma once
// A window holding the controls the blog handlers work on, under their design names, for tests
// that run the handlers without the whole main window.

#include <QLineEdit>
#include <QStatusBar>
#include <QWidget>

#include "platform/QtText.h"
#include "platform/ReportList.h"

class BlogTestWindow : public QWidget {
 public:
  BlogTestWindow() {
    qqBox = new QLineEdit(this);
    qqBox->setObjectName(QStringLiteral("编辑框1"));
    saveRootBox = new QLineEdit(this);
    saveRootBox->setObjectName(QStringLiteral("保存位置"));
    blogList = new ReportList(this);
    blogList->setObjectName(QStringLiteral("超级列表框_日志"));
    blogList->SetColumns({"编号", "日志标题", "日志分类", "发表日期", "日志ID"}, {50, 180, 110, 150, 100});
    blogList->SetShowsCheckBoxes(true);
    pictureList = new ReportList(this);
    pictureList->setObjectName(QStringLiteral("超级列表框2"));
    pictureList->SetColumns({"ID", "日志标题", "日志分类", "日志图片"}, {50, 160, 100, 300});
    statusBar = new QStatusBar(this);
    statusBar->setObjectName(QStringLiteral("状态条1"));
  }

  void SetQq(const QString& qq) { qqBox->setText(qq); }
  void SetSaveRoot(const QString& root) { saveRootBox->setText(root); }

  QLineEdit* qqBox;
  QLineEdit* saveRootBox;
  ReportList* blogList;
  ReportList* pictureList;
  QStatusBar* statusBar;
};
