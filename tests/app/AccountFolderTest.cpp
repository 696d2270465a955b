// The account folder: the save location immediately followed by the QQ number.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QtConcurrent>

#include "app/MainWindow.h"
#include "platform/Gbk.h"
#include "platform/JobStatus.h"
#include "platform/MainWindowInputs.h"
#include "support/TestDesktop.h"

namespace {

TEST(AccountFolder, IsSaveRootFollowedByTheQqNumberWithNothingBetween) {
  struct Case {
    const char* saveRoot;
    const char* qq;
    const char* folder;
  };
  const Case cases[] = {
      {"D:\\dl", "12345", "D:\\dl12345"},  // beside D:\dl, not inside it
      {"D:\\", "12345", "D:\\12345"},      // the drive root keeps its backslash
      {"dl", "12345", "dl12345"},          // relative: under the program's folder
      {"", "12345", "12345"},
      {"D:\\dl", "", "D:\\dl"},
      {"", "", ""},
      {"D:\\下载", "12345", "D:\\下载12345"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.folder);
    EXPECT_EQ(AccountFolder(ToGbk(c.saveRoot), ToGbk(c.qq)), ToGbk(c.folder));
  }
}

class AccountFolderOfWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    window.findChild<QLineEdit*>(QStringLiteral("保存位置"))->setText(QStringLiteral("D:\\下载"));
    window.findChild<QLineEdit*>(QStringLiteral("编辑框1"))->setText(QStringLiteral("12345"));
  }
  TestDesktop desktop;
  MainWindow window;
};

TEST_F(AccountFolderOfWindow, ReadsBothBoxesAsGbk) {
  EXPECT_EQ(SaveRootOf(&window), ToGbk("D:\\下载"));
  EXPECT_EQ(QqNumberOf(&window), "12345");
  EXPECT_EQ(AccountFolderOf(&window), ToGbk("D:\\下载12345"));
}

TEST_F(AccountFolderOfWindow, WorkerThreadsGetTheBoxesReadByTheUserInterfaceThread) {
  // The window keeps processing events while the worker runs, as the downloads do.
  const Text folder = RunWhilePainting([this] { return AccountFolderOf(&window); });
  EXPECT_EQ(folder, ToGbk("D:\\下载12345"));
}

TEST(AccountFolderOfNothing, IsEmpty) {
  EXPECT_EQ(AccountFolderOf(nullptr), "");
}

}  // namespace
