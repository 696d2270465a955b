// The main window's layout as users and the handlers of every other job rely on it: names,
// kinds, places, sizes, texts, fonts, list columns and settings, hidden and working lists.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QRawFont>
#include <QScreen>
#include <QStatusBar>
#include <QTabWidget>
#include <QTextBrowser>

#include "app/ClickableLabel.h"
#include "app/MainWindow.h"
#include "platform/JobStatus.h"
#include "platform/ReportList.h"
#include "support/TestDesktop.h"
#include "WidgetTestSupport.h"

namespace {

class MainWindowLayout : public ::testing::Test {
 protected:
  void SetUp() override {
    window.ShowAtStart();
    Settle();
    tabs = window.findChild<QTabWidget*>(QStringLiteral("选择夹1"));
    ASSERT_NE(tabs, nullptr);
  }
  template <class T = QWidget>
  T* Find(const char* name) {
    return window.findChild<T*>(QString::fromUtf8(name));
  }

  TestDesktop desktop;
  MainWindow window;
  QTabWidget* tabs = nullptr;
};

TEST_F(MainWindowLayout, WindowHasItsCaptionFixedClientSizeAndButtons) {
  EXPECT_EQ(window.windowTitle(), QStringLiteral("砚溪QQ空间下载器 V 3.5 20131029"));
  // 639 x 656 outer, less a single fixed border (3 px each side and below) and a 23 px caption.
  EXPECT_EQ(window.size(), QSize(633, 630));
  EXPECT_EQ(window.minimumSize(), QSize(633, 630));
  EXPECT_EQ(window.maximumSize(), QSize(633, 630));
  const Qt::WindowFlags flags = window.windowFlags();
  EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
  EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
  EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
  EXPECT_EQ(window.findChild<QMenuBar*>(), nullptr) << "the tray menu is not a menu bar";
  EXPECT_FALSE(window.windowIcon().isNull());
}

TEST_F(MainWindowLayout, StartsNearTheCentreOfTheScreen) {
  // Before the first show the frame is estimated, so allow for a caption's worth.
  const QPoint centre = QGuiApplication::primaryScreen()->availableGeometry().center();
  const QPoint delta = window.frameGeometry().center() - centre;
  EXPECT_LE(std::abs(delta.x()), 16);
  EXPECT_LE(std::abs(delta.y()), 16);
}

TEST_F(MainWindowLayout, TabControlHasThreePagesWithBlanksAroundTheirCaptionsAndShowsTheFirst) {
  ASSERT_EQ(tabs->count(), 3);
  EXPECT_EQ(tabs->tabText(0), QStringLiteral(" 日志下载 "));
  EXPECT_EQ(tabs->tabText(1), QStringLiteral(" 相册下载 "));
  EXPECT_EQ(tabs->tabText(2), QStringLiteral(" 视频下载 "));
  EXPECT_EQ(tabs->currentIndex(), 0);
}

struct Place {
  const char* name;
  const char* kind;
  // "window" (the client area), "page0".."page2" (measured from the tab control) or the name of
  // the group box it lies in.
  const char* in;
  int x, y, w, h;
  const char* text;  // nullptr: a control without a text
};

const Place kPlaces[] = {
    {"选择夹1", "QTabWidget", "window", 2, 7, 630, 600, nullptr},
    {"标签1", "QLabel", "window", 27, 46, 56, 24, "QQ号码"},
    {"编辑框1", "QLineEdit", "window", 80, 46, 96, 24, ""},
    {"标签2", "QLabel", "window", 204, 46, 76, 24, "选择保存位置"},
    {"保存位置", "QLineEdit", "window", 281, 46, 96, 24, ""},
    {"浏览", "QPushButton", "window", 384, 46, 56, 24, "浏览"},
    {"使用说明", "LinkBox", "window", 439, 5, 56, 20, "使用说明"},
    {"联系作者1", "LinkBox", "window", 506, 5, 56, 20, "请我喝茶"},
    {"联系作者", "LinkBox", "window", 574, 5, 56, 20, "联系作者"},
    {"到目录", "QPushButton", "window", 520, 546, 88, 24, "到下载目录"},
    // Page " 日志下载 ".
    {"分组框1", "QGroupBox", "page0", 8, 21, 613, 53, ""},
    {"查看日志", "QPushButton", "page0", 490, 39, 109, 24, "查看日志列表"},
    {"分组框2", "QGroupBox", "page0", 8, 80, 613, 507, ""},
    {"分组框7", "QGroupBox", "分组框2", 4, 9, 604, 272, "日志列表"},
    {"超级列表框_日志", "ReportList", "page0", 16, 103, 594, 426, nullptr},
    {"超级列表框2", "ReportList", "分组框2", 8, 281, 589, 163, nullptr},
    {"超文本浏览框1", "QTextBrowser", "分组框2", 446, 17, 152, 134, nullptr},
    {"标签_全选", "ClickableLabel", "分组框2", 6, 457, 24, 16, "全选"},
    {"标签_反选", "ClickableLabel", "分组框2", 43, 457, 24, 16, "反选"},
    {"下载", "QPushButton", "page0", 177, 540, 88, 24, "下载日志"},
    {"保存为文本", "QPushButton", "page0", 287, 540, 88, 24, "保存为文本"},
    {"生成CHM", "QPushButton", "page0", 397, 540, 104, 24, "生成CHM电子书"},
    // Page " 相册下载 ".
    {"分组框3", "QGroupBox", "page1", 8, 21, 613, 53, ""},
    {"查看相册", "QPushButton", "page1", 490, 39, 109, 24, "查看相册列表"},
    {"分组框4", "QGroupBox", "page1", 8, 80, 613, 507, ""},
    {"分组框5", "QGroupBox", "分组框4", 4, 8, 604, 192, "相册列表"},
    {"超级列表框_相册", "ReportList", "分组框4", 8, 23, 594, 168, nullptr},
    {"分组框6", "QGroupBox", "分组框4", 4, 202, 604, 247, "相片列表"},
    {"超级列表框_相片", "ReportList", "分组框4", 8, 215, 594, 224, nullptr},
    {"下载1", "QPushButton", "page1", 17, 540, 88, 24, "下载相册"},
    // Page " 视频下载 ".
    {"分组框8", "QGroupBox", "page2", 8, 21, 613, 53, ""},
    {"查看视频", "QPushButton", "page2", 490, 39, 109, 24, "查看视频列表"},
    {"分组框9", "QGroupBox", "page2", 8, 80, 613, 507, ""},
    {"分组框10", "QGroupBox", "分组框9", 4, 8, 604, 440, "视频列表"},
    {"超级列表框_视频", "ReportList", "分组框10", 4, 15, 594, 416, nullptr},
    {"超级列表框_日志1", "ReportList", "分组框10", 52, 103, 472, 289, nullptr},
    {"标签3", "QLabel", "分组框9", 8, 453, 256, 24, "* 双击上面列表中检测到的视频进入下载窗口。"},
};

QString TextOf(QWidget* w) {
  if (auto* b = qobject_cast<QAbstractButton*>(w)) return b->text();
  if (auto* l = qobject_cast<QLabel*>(w)) return l->text();
  if (auto* g = qobject_cast<QGroupBox*>(w)) return g->title();
  if (auto* e = qobject_cast<QLineEdit*>(w)) return e->text();
  return QString();
}

TEST_F(MainWindowLayout, EveryControlHasItsNameKindParentPlaceSizeAndText) {
  for (const Place& p : kPlaces) {
    SCOPED_TRACE(p.name);
    QWidget* w = Find(p.name);
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->inherits(p.kind)) << w->metaObject()->className();
    EXPECT_EQ(w->size(), QSize(p.w, p.h));
    const QString in = QString::fromUtf8(p.in);
    if (in == "window") {
      EXPECT_EQ(w->parentWidget(), window.centralWidget());
      EXPECT_EQ(w->mapTo(&window, QPoint(0, 0)), QPoint(p.x, p.y));
    } else if (in.startsWith("page")) {
      QWidget* page = tabs->widget(in.mid(4).toInt());
      EXPECT_EQ(w->parentWidget(), page);
      tabs->setCurrentWidget(page);
      EXPECT_EQ(w->mapTo(tabs, QPoint(0, 0)), QPoint(p.x, p.y));
      // Nothing is cut off by the page's edges.
      EXPECT_TRUE(page->rect().contains(w->geometry())) << "page " << page->width() << "x"
                                                        << page->height();
    } else {
      ASSERT_NE(w->parentWidget(), nullptr);
      EXPECT_EQ(w->parentWidget()->objectName(), in);
      EXPECT_EQ(w->pos(), QPoint(p.x, p.y));
    }
    if (p.text) {
      EXPECT_EQ(TextOf(w), QString::fromUtf8(p.text));
    }
  }
}

TEST_F(MainWindowLayout, WindowLevelControlsStayOnTopOfEveryPage) {
  for (int page = 0; page < 3; ++page) {
    tabs->setCurrentIndex(page);
    Settle();
    for (const char* name : {"编辑框1", "保存位置", "浏览", "使用说明", "到目录"}) {
      SCOPED_TRACE(name);
      QWidget* w = Find(name);
      EXPECT_TRUE(w->isVisible());
      QWidget* hit = window.childAt(w->mapTo(&window, w->rect().center()));
      EXPECT_TRUE(hit == w || w->isAncestorOf(hit));
    }
  }
}

struct FontCase {
  const char* control;
  const char* family;
  int pixels;
};

const FontCase kFonts[] = {
    {"编辑框1", "微软雅黑", 12},        {"保存位置", "微软雅黑", 12},
    {"标签1", "微软雅黑", 12},          {"标签2", "微软雅黑", 12},
    {"浏览", "微软雅黑", 12},           {"查看日志", "微软雅黑", 12},
    {"下载", "微软雅黑", 12},           {"生成CHM", "微软雅黑", 12},
    {"下载1", "微软雅黑", 12},          {"查看视频", "微软雅黑", 12},
    {"到目录", "微软雅黑", 12},         {"超级列表框_日志", "宋体", 14},
    {"超级列表框2", "宋体", 14},        {"超级列表框_相册", "宋体", 14},
    {"超级列表框_相片", "宋体", 14},    {"超级列表框_视频", "宋体", 14},
    {"超级列表框_日志1", "宋体", 14},   {"状态条1", "宋体", 12},
};

TEST_F(MainWindowLayout, FontsAreTheDesignsOnesAndRenderChinese) {
  for (const FontCase& c : kFonts) {
    SCOPED_TRACE(c.control);
    QWidget* w = Find(c.control);
    ASSERT_NE(w, nullptr);
    const QFont f = w->font();
    ASSERT_FALSE(f.families().isEmpty());
    EXPECT_EQ(f.families().first(), QString::fromUtf8(c.family));
    EXPECT_EQ(f.pixelSize(), c.pixels);
    // Whatever family stands in here must hold the Chinese glyphs (no empty boxes).
    const QRawFont raw = QRawFont::fromFont(f, QFontDatabase::SimplifiedChinese);
    EXPECT_TRUE(raw.supportsCharacter(QChar(0x65E5))) << raw.familyName().toStdString();  // 日
  }
}

TEST_F(MainWindowLayout, ListsHaveTheirColumnsSettingsAndCheckBoxesOnTheBlogListOnly) {
  struct Expected {
    const char* list;
    QStringList titles;
    QList<int> widths;
  };
  const Expected lists[] = {
      {"超级列表框_日志", {"编号", "日志标题", "日志分类", "发表日期", "日志ID"}, {50, 180, 110, 150, 100}},
      {"超级列表框2", {"ID", "日志标题", "日志分类", "日志图片"}, {50, 160, 100, 300}},
      {"超级列表框_相册", {"编号", "相册名", "封面地址", "数量", "相册ID"}, {40, 150, 150, 50, 190}},
      {"超级列表框_相片", {"编号", "相片名", "相册名", "上传时间", "相片地址"}, {40, 150, 150, 100, 140}},
      {"超级列表框_视频", {"编号", "视频标题", "视频地址"}, {40, 190, 350}},
      {"超级列表框_日志1", {"编号", "日志标题", "日志分类", "日志ID"}, {40, 190, 110, 100}},
  };
  for (const Expected& e : lists) {
    SCOPED_TRACE(e.list);
    auto* list = Find<ReportList>(e.list);
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->ColumnCount(), e.titles.size());
    EXPECT_EQ(list->RowCount(), 0);
    for (int c = 0; c < e.titles.size(); ++c) {
      EXPECT_EQ(list->headerItem()->text(c), e.titles[c]) << "column " << c;
      EXPECT_EQ(list->columnWidth(c), e.widths[c]) << "column " << c;
    }
    EXPECT_EQ(list->ShowsCheckBoxes(), QString::fromUtf8(e.list) == "超级列表框_日志");
    EXPECT_FALSE(list->isHeaderHidden());
    EXPECT_TRUE(list->header()->sectionsClickable());
    EXPECT_TRUE(list->header()->sectionsMovable());
    EXPECT_EQ(list->selectionMode(), QAbstractItemView::SingleSelection);
    EXPECT_EQ(list->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_EQ(list->editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_FALSE(list->isSortingEnabled());
  }
}

TEST_F(MainWindowLayout, DraggedHeaderKeepsTheLogicalColumnOfCellsAndHeaderClicks) {
  auto* list = Find<ReportList>("超级列表框_相册");
  const int row = list->InsertRow();
  list->SetCell(row, 1, "abc");
  int clicked = -1;
  QObject::connect(list, &ReportList::HeaderClicked, [&](int column) { clicked = column; });
  tabs->setCurrentIndex(1);
  Settle();

  list->header()->moveSection(1, 4);  // "相册名" dragged to the far right
  EXPECT_EQ(list->Cell(row, 1), "abc");
  QHeaderView* header = list->header();
  const int x = header->sectionViewportPosition(1) + header->sectionSize(1) / 2;
  PressLeft(header->viewport(), QPoint(x, header->height() / 2), true);
  EXPECT_EQ(clicked, 1);
}

TEST_F(MainWindowLayout, BrowserBoxIsHiddenAndWorkingListsLieWhollyBehindTheVisibleLists) {
  auto* browser = Find<QTextBrowser>("超文本浏览框1");
  EXPECT_TRUE(browser->isHidden());

  struct Behind {
    int page;
    const char* working;
    const char* front;
  };
  for (const Behind& b : {Behind{0, "超级列表框2", "超级列表框_日志"},
                          Behind{2, "超级列表框_日志1", "超级列表框_视频"}}) {
    SCOPED_TRACE(b.working);
    tabs->setCurrentIndex(b.page);
    Settle();
    QWidget* working = Find(b.working);
    QWidget* front = Find(b.front);
    EXPECT_FALSE(working->isHidden()) << "a working list is covered, not hidden";
    const QRect w(working->mapTo(&window, QPoint(0, 0)), working->size());
    const QRect f(front->mapTo(&window, QPoint(0, 0)), front->size());
    EXPECT_TRUE(f.contains(w));
    for (QPoint at : {w.topLeft(), w.center(), w.bottomRight()}) {
      QWidget* hit = window.childAt(at);
      EXPECT_TRUE(hit == front || front->isAncestorOf(hit));
    }
  }
}

TEST_F(MainWindowLayout, StatusBarCarriesThreeCreditPanelsThatAJobsMessageCovers) {
  auto* bar = Find<QStatusBar>("状态条1");
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->height(), 20);
  EXPECT_EQ(bar->mapTo(&window, QPoint(0, 0)).y() + bar->height(), window.height());
  const int widths[] = {70, 410, 150};
  QList<QLabel*> panels;
  for (int i = 0; i < 3; ++i) {
    auto* panel = bar->findChild<QLabel*>(QStringLiteral("状态条1_%1").arg(i + 1));
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->width(), widths[i]);
    EXPECT_FALSE(panel->text().isEmpty());
    EXPECT_TRUE(panel->isVisible());
    panels << panel;
  }
  {
    JobStatus job(&window, QStringLiteral("日志"));
    job.Progress(12, 57);
    EXPECT_EQ(bar->currentMessage(), QStringLiteral("日志 12/57"));
    for (QLabel* panel : panels) EXPECT_FALSE(panel->isVisible()) << "covered by the message";
  }
  EXPECT_TRUE(bar->currentMessage().isEmpty());
  for (QLabel* panel : panels) EXPECT_TRUE(panel->isVisible()) << "the credits are back";
}

}  // namespace
