// The tray icon and its menu, the about and help windows.
#include <gtest/gtest.h>

#include <QAction>
#include <QCursor>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QSystemTrayIcon>

#include "app/AboutWindow.h"
#include "app/ClickableLabel.h"
#include "app/HelpWindow.h"
#include "app/MainWindow.h"
#include "platform/ProgramAddress.h"
#include "support/TestDesktop.h"
#include "WidgetTestSupport.h"

namespace {

class Tray : public ::testing::Test {
 protected:
  void SetUp() override {
    window = new MainWindow;
    window->ShowAtStart();
    Settle();
  }
  void TearDown() override { delete window; }

  QAction* Item(const char* text) {
    for (QAction* a : window->TrayMenu()->actions())
      if (a->text() == QString::fromUtf8(text)) return a;
    return nullptr;
  }
  void ExpectCentred() {
    const QPoint centre = QGuiApplication::primaryScreen()->availableGeometry().center();
    const QPoint delta = window->frameGeometry().center() - centre;
    EXPECT_LE(std::abs(delta.x()), 1);
    EXPECT_LE(std::abs(delta.y()), 1);
  }

  TestDesktop desktop;
  MainWindow* window = nullptr;
};

TEST_F(Tray, IconCarriesTheProgramIconInAllSizesAndTheTip) {
  QSystemTrayIcon* icon = window->TrayIcon();
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(icon->toolTip(), QStringLiteral("砚溪QQ空间下载器"));
  const QList<QSize> sizes = icon->icon().availableSizes();
  for (int s : {16, 24, 32, 48}) EXPECT_TRUE(sizes.contains(QSize(s, s))) << s;
}

TEST_F(Tray, MenuHoldsItsItemsInOrderAllEnabledAndUnchecked) {
  QMenu* menu = window->TrayMenu();
  EXPECT_EQ(menu->title(), QStringLiteral("托盘菜单"));
  QStringList items;
  for (QAction* a : menu->actions()) {
    items << (a->isSeparator() ? QStringLiteral("-") : a->text());
    EXPECT_TRUE(a->isEnabled());
    EXPECT_FALSE(a->isChecked());
  }
  EXPECT_EQ(items, (QStringList{"显示程序", "隐藏程序", "-", "查看更新", "-", "关于程序", "退出程序"}));
}

TEST_F(Tray, LeftClickTogglesAndDoubleClickAddsNothing) {
  window->HandleTrayEvent(1);
  EXPECT_FALSE(window->isVisible());
  window->HandleTrayEvent(2);
  EXPECT_FALSE(window->isVisible());
  window->move(0, 0);
  window->HandleTrayEvent(1);
  Settle();
  EXPECT_TRUE(window->isVisible());
  ExpectCentred();
  window->HandleTrayEvent(2);
  EXPECT_TRUE(window->isVisible());
}

TEST_F(Tray, LeftClickRestoresAMaximisedWindowWhenShowingIt) {
  window->hide();
  window->setWindowState(Qt::WindowMaximized);
  window->HandleTrayEvent(1);
  Settle();
  EXPECT_TRUE(window->isVisible());
  EXPECT_FALSE(window->isMaximized());
  EXPECT_EQ(window->size(), QSize(633, 630));
}

TEST_F(Tray, RightClickPopsTheMenuUpWithItsTopRightCornerBesideThePointer) {
  const QPoint pointer = QGuiApplication::primaryScreen()->geometry().center();
  QCursor::setPos(pointer);
  if (QCursor::pos() != pointer) GTEST_SKIP() << "this platform cannot place the pointer";
  window->HandleTrayEvent(3);
  Settle();
  QMenu* menu = window->TrayMenu();
  EXPECT_TRUE(menu->isVisible());
  EXPECT_EQ(menu->geometry().topRight(), pointer - QPoint(5, 5));
  menu->close();
}

TEST_F(Tray, HideThenShowItemsBringTheWindowBackCentred) {
  window->move(0, 0);
  Item("隐藏程序")->trigger();
  EXPECT_FALSE(window->isVisible());
  Item("显示程序")->trigger();
  Settle();
  EXPECT_TRUE(window->isVisible());
  ExpectCentred();
}

TEST_F(Tray, UpdateItemOpensTheProgramsReleasesPage) {
  Item("查看更新")->trigger();
  ASSERT_EQ(desktop.opened.size(), 1u);
  EXPECT_EQ(desktop.opened[0], QUrl(ProgramPage("releases")));
  EXPECT_TRUE(desktop.opened[0].toString().startsWith(QString::fromUtf8(kProgramAddress)));
}

TEST_F(Tray, AboutItemOpensTheAboutWindowModallyWithItsLayout) {
  struct Seen {
    QString title, text, link;
    QSize size, picture;
    QPoint textAt, linkAt, pictureAt;
    QWidget* owner = nullptr;
    bool modal = false;
    size_t opened = 0;
  } seen;
  QPointer<QWidget> about;
  WhenModalOpens closer([&](QWidget* w) {
    about = w;
    seen.title = w->windowTitle();
    seen.size = w->size();
    seen.owner = w->parentWidget();
    seen.modal = w->isModal();
    auto* picture = w->findChild<QLabel*>(QStringLiteral("图片框1"));
    auto* text = w->findChild<QLabel*>(QStringLiteral("标签1"));
    auto* link = w->findChild<LinkBox*>(QStringLiteral("网址"));
    if (!picture || !text || !link) return w->close(), void();
    seen.picture = picture->pixmap().size();
    seen.pictureAt = picture->pos();
    seen.text = text->text();
    seen.textAt = text->pos();
    seen.link = link->text();
    seen.linkAt = link->pos();
    PressLeft(link);
    seen.opened = desktop.opened.size();
    w->close();
  });
  Item("关于程序")->trigger();
  ASSERT_TRUE(closer.Opened());
  EXPECT_EQ(seen.title, QStringLiteral("关于 砚溪QQ日志下载器"));
  EXPECT_EQ(seen.size, QSize(325, 101));  // 331 x 127 outer
  EXPECT_EQ(seen.owner, window);
  EXPECT_TRUE(seen.modal);
  EXPECT_EQ(seen.picture, QSize(32, 32));
  EXPECT_EQ(seen.pictureAt, QPoint(3, 9));
  EXPECT_EQ(seen.textAt, QPoint(38, 20));
  EXPECT_EQ(seen.linkAt, QPoint(96, 62));
  const QStringList paragraphs = seen.text.split(QStringLiteral("\n\n"));
  ASSERT_EQ(paragraphs.size(), 3);
  EXPECT_EQ(paragraphs[0], QStringLiteral("砚溪QQ空间下载器 v3.5 20131029"));
  EXPECT_FALSE(paragraphs[1].isEmpty());
  EXPECT_FALSE(paragraphs[1].contains('\n'));
  EXPECT_EQ(paragraphs[2], QStringLiteral("作者主页："));
  EXPECT_TRUE(QString::fromUtf8(kProgramAddress).contains(seen.link));
  ASSERT_EQ(seen.opened, 1u);
  EXPECT_EQ(desktop.opened[0], QUrl(QString::fromUtf8(kProgramAddress)));
  EXPECT_TRUE(about.isNull()) << "destroyed when closed";
  EXPECT_TRUE(window->isVisible());
}

TEST_F(Tray, AboutWindowClosedWhileTheMainWindowIsHiddenDoesNotEndTheProgram) {
  window->hide();
  bool quitRequested = false;
  QObject::connect(qApp, &QGuiApplication::lastWindowClosed, [&] { quitRequested = true; });
  WhenModalOpens closer([](QWidget* w) { w->close(); });
  Item("关于程序")->trigger();
  ASSERT_TRUE(closer.Opened());
  Settle();
  EXPECT_FALSE(quitRequested);
}

TEST_F(Tray, ExitEndsTheProgramAndRemovesTheIconAlsoWhileHidden) {
  window->hide();
  QTimer::singleShot(0, [this] { Item("退出程序")->trigger(); });
  QTimer::singleShot(30000, [] { QCoreApplication::exit(1); });  // safety bound only
  EXPECT_EQ(QApplication::exec(), 0);
  EXPECT_FALSE(window->TrayIcon()->isVisible());
  EXPECT_FALSE(window->isVisible());
}

TEST_F(Tray, IconGoesWithTheMainWindow) {
  QPointer<QSystemTrayIcon> icon = window->TrayIcon();
  delete window;
  window = nullptr;
  EXPECT_TRUE(icon.isNull());
}

struct HelpLine {
  const char* name;
  int x, y, w, h;
  const char* text;
};

const HelpLine kHelpLines[] = {
    {"标签1", 19, 8, 128, 24, "下载日志使用说明："},
    {"标签4", 18, 42, 535, 18, "1.确保要下载的QQ空间为完全开放空间。(如刚刚重新设置开放的请稍等2分钟后再试)"},
    {"标签5", 18, 68, 535, 20, "2.输入QQ后，点击查看日志列表，得到列表后点击下载日志即可下载,默认为html格式"},
    {"标签6", 18, 96, 535, 20, "3.如需保存成文本格式就点击“保存为文本”，如需保存成电子书就点击“生成chm格式”。"},
    {"标签7", 18, 124, 535, 20, "4.由于日志图片过多等原因，会出现假死现象，只需等待软件提示下载完成即可,无需结束进程"},
    {"标签8", 18, 152, 576, 20, "5.腾讯对此类批量下载软件有访问限制,一天最多为1000次，超过会被限制权限，如有问题请反馈"},
    {"标签2", 19, 176, 128, 24, "下载相册使用说明："},
    {"标签3", 18, 208, 535, 18, "1.确保要下载的QQ空间为完全开放空间。(如刚刚重新设置开放的请稍等2分钟后再试)"},
    {"标签9", 18, 234, 535, 20, "2.输入QQ后，点击查看相册列表，得到列表后点击下载相册即可下载所有相册中的相片。"},
    {"标签10", 18, 262, 535, 20, "3.如需单独下载某一相册，只需双击相册列表中的相册项目，再点击下载相册即可下载该相册。"},
    {"标签11", 18, 290, 535, 20, "4.由于相册图片过大过多等原因，会出现假死现象，只需等待软件提示下载完成即可,无需结束进程"},
    {"标签12", 19, 315, 128, 24, "下载视频使用说明："},
    {"标签13", 18, 347, 535, 18, "1.确保要下载的QQ空间为完全开放空间。(如刚刚重新设置开放的请稍等2分钟后再试)"},
    {"标签14", 18, 373, 535, 20, "2.输入QQ后，点击查看视频列表，得到列表后双击需要下载的视频进入下载窗口。"},
    {"标签15", 18, 401, 535, 20, "3.进入下载窗口后，点击播放视频，等视频加载完成后，双击得到的视频文件，即可完成下载。"},
    {"标签16", 18, 429, 535, 20, "4.由于空间日志过多等原因，会出现假死现象，只需等待软件提示检测视频完成即可,无需结束进程"},
};

TEST(HelpWindowLayout, HoldsTheSixteenLinesVerbatimAtTheirPlacesWithHeadingFonts) {
  TestDesktop desktop;
  MainWindow owner;
  HelpWindow help(&owner);
  EXPECT_EQ(help.windowTitle(), QStringLiteral("砚溪QQ日志下载器 使用说明"));
  EXPECT_EQ(help.size(), QSize(557, 517));  // 563 x 543 outer
  EXPECT_EQ(help.minimumSize(), help.maximumSize());
  EXPECT_FALSE(help.windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_TRUE(help.windowFlags() & Qt::WindowCloseButtonHint);
  EXPECT_EQ(help.findChildren<QLabel*>().size(), 16);
  for (const HelpLine& l : kHelpLines) {
    SCOPED_TRACE(l.name);
    auto* label = help.findChild<QLabel*>(QString::fromUtf8(l.name));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), QString::fromUtf8(l.text));  // byte for byte, punctuation mix kept
    EXPECT_EQ(label->geometry(), QRect(l.x, l.y, l.w, l.h));
    const bool heading = QString::fromUtf8(l.text).endsWith(QStringLiteral("使用说明："));
    if (heading) {
      EXPECT_EQ(label->font().families().value(0), QStringLiteral("微软雅黑"));
      EXPECT_EQ(label->font().pixelSize(), 14);
    } else {
      EXPECT_EQ(label->font(), help.font()) << "the default interface font";
    }
  }
  auto* close = help.findChild<QPushButton*>(QStringLiteral("按钮1"));
  ASSERT_NE(close, nullptr);
  EXPECT_EQ(close->text(), QStringLiteral("关闭"));
  EXPECT_EQ(close->geometry(), QRect(456, 466, 80, 24));
}

TEST(HelpWindowLayout, CloseButtonEndsTheModalWindow) {
  TestDesktop desktop;
  MainWindow owner;
  HelpWindow help(&owner);
  WhenModalOpens closer([](QWidget* w) {
    if (auto* b = w->findChild<QPushButton*>(QStringLiteral("按钮1"))) b->click();
  });
  QTimer::singleShot(30000, &help, &QDialog::reject);  // safety bound only
  help.exec();
  EXPECT_TRUE(closer.Opened());
  EXPECT_FALSE(help.isVisible());
}

}  // namespace
