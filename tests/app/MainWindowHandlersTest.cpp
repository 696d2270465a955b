// The main window's own handlers and the wiring of its buttons and link boxes.
#include <gtest/gtest.h>

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>

#include "app/ClickableLabel.h"
#include "app/MainWindow.h"
#include "platform/ProgramAddress.h"
#include "platform/ReportList.h"
#include "support/TestDesktop.h"
#include "WidgetTestSupport.h"

namespace {

class MainWindowHandlers : public ::testing::Test {
 protected:
  void SetUp() override {
    window.ShowAtStart();
    Settle();
    saveRoot = window.findChild<QLineEdit*>(QStringLiteral("保存位置"));
    qq = window.findChild<QLineEdit*>(QStringLiteral("编辑框1"));
    ASSERT_TRUE(saveRoot && qq);
  }
  QPushButton* Button(const char* name) {
    return window.findChild<QPushButton*>(QString::fromUtf8(name));
  }

  TestDesktop desktop;
  MainWindow window;
  QLineEdit* saveRoot = nullptr;
  QLineEdit* qq = nullptr;
};

TEST_F(MainWindowHandlers, BrowseWritesThePickedFolderAndACancelEmptiesTheBox) {
  desktop.folderAnswer = QStringLiteral("D:\\dl");
  Button("浏览")->click();
  EXPECT_EQ(saveRoot->text(), QStringLiteral("D:\\dl"));
  ASSERT_EQ(desktop.pickerTitles.size(), 1);
  EXPECT_EQ(desktop.pickerTitles[0], QStringLiteral("选择保存目录"));

  desktop.folderAnswer.clear();  // cancelled
  Button("浏览")->click();
  EXPECT_TRUE(saveRoot->text().isEmpty());
}

TEST_F(MainWindowHandlers, OpenAccountFolderOpensSaveRootFollowedByTheQqNumber) {
  QTemporaryDir root;
  ASSERT_TRUE(root.isValid());
  // "<root>/dl" + "12345" is the folder beside dl, not inside it.
  ASSERT_TRUE(QDir(root.path()).mkpath(QStringLiteral("dl12345")));
  ASSERT_TRUE(QDir(root.path()).mkpath(QStringLiteral("dl/12345")));
  saveRoot->setText(root.path() + "/dl");
  qq->setText(QStringLiteral("12345"));

  Button("到目录")->click();
  ASSERT_EQ(desktop.opened.size(), 1u);
  EXPECT_EQ(desktop.opened[0], QUrl::fromLocalFile(root.path() + "/dl12345"));
  EXPECT_TRUE(desktop.messages.isEmpty());
}

TEST_F(MainWindowHandlers, OpenAccountFolderOfAMissingFolderOpensAndSaysNothing) {
  QTemporaryDir root;
  saveRoot->setText(root.path() + "/nowhere");
  qq->setText(QStringLiteral("12345"));
  Button("到目录")->click();
  saveRoot->clear();
  qq->clear();
  Button("到目录")->click();  // both boxes empty
  EXPECT_TRUE(desktop.opened.empty());
  EXPECT_TRUE(desktop.messages.isEmpty());
}

TEST_F(MainWindowHandlers, LinkBoxesOpenTheProgramsOwnAddressesWhenPressed) {
  for (const char* name : {"联系作者1", "联系作者"}) {
    SCOPED_TRACE(name);
    desktop.opened.clear();
    PressLeft(window.findChild<LinkBox*>(QString::fromUtf8(name)));
    ASSERT_EQ(desktop.opened.size(), 1u);
    EXPECT_TRUE(desktop.opened[0].toString().startsWith(QString::fromUtf8(kProgramAddress)))
        << desktop.opened[0].toString().toStdString();
  }
}

TEST_F(MainWindowHandlers, UsageLinkOpensTheHelpWindowModallyAndNoAddress) {
  QString title;
  QWidget* owner = nullptr;
  bool modal = false;
  QPointer<QWidget> help;
  WhenModalOpens closer([&](QWidget* w) {
    title = w->windowTitle();
    owner = w->parentWidget();
    modal = w->isModal();
    help = w;
    w->close();
  });
  PressLeft(window.findChild<LinkBox*>(QStringLiteral("使用说明")));
  ASSERT_TRUE(closer.Opened());
  EXPECT_EQ(title, QStringLiteral("砚溪QQ日志下载器 使用说明"));
  EXPECT_EQ(owner, &window);
  EXPECT_TRUE(modal);
  EXPECT_TRUE(help.isNull()) << "destroyed when closed";
  EXPECT_TRUE(desktop.opened.empty());
}

TEST_F(MainWindowHandlers, BlogListClicksAndTheTwoLabelsReachTheCheckMarkHandlers) {
  auto* list = window.findChild<ReportList*>(QStringLiteral("超级列表框_日志"));
  for (int i = 0; i < 3; ++i) list->SetCheckMark(list->InsertRow(), 1);
  Settle();

  const QRect row1 = list->visualItemRect(list->topLevelItem(1));
  PressLeft(list->viewport(), row1.center(), true);
  EXPECT_EQ(list->CheckMark(0), 1);
  EXPECT_EQ(list->CheckMark(1), 0);

  PressLeft(window.findChild<ClickableLabel*>(QStringLiteral("标签_反选")));
  EXPECT_EQ(list->CheckMark(0), 0);
  EXPECT_EQ(list->CheckMark(1), 1);
  EXPECT_EQ(list->CheckMark(2), 0);

  PressLeft(window.findChild<ClickableLabel*>(QStringLiteral("标签_全选")));
  for (int r = 0; r < 3; ++r) EXPECT_EQ(list->CheckMark(r), 1) << r;
}

TEST_F(MainWindowHandlers, MinimisingHidesTheWindowAndTheTrayBringsItBackRestoredAndCentred) {
  window.setWindowState(Qt::WindowMinimized);
  Settle();
  EXPECT_FALSE(window.isVisible());

  window.HandleTrayEvent(1);
  Settle();
  EXPECT_TRUE(window.isVisible());
  EXPECT_FALSE(window.isMinimized());
  const QPoint centre = QGuiApplication::primaryScreen()->availableGeometry().center();
  const QPoint delta = window.frameGeometry().center() - centre;
  EXPECT_LE(std::abs(delta.x()), 1);
  EXPECT_LE(std::abs(delta.y()), 1);
}

TEST_F(MainWindowHandlers, RestoringOrMovingLeavesTheWindowShown) {
  window.move(10, 10);
  window.setWindowState(Qt::WindowNoState);
  Settle();
  EXPECT_TRUE(window.isVisible());
}

TEST_F(MainWindowHandlers, ClosingTheMainWindowEndsTheProgramAlthoughTheTrayIconLives) {
  QTimer::singleShot(0, &window, &QWidget::close);
  QTimer::singleShot(30000, [] { QCoreApplication::exit(1); });  // safety bound only
  EXPECT_EQ(QApplication::exec(), 0);
}

}  // namespace
