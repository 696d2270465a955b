// A walk through the blog tab against the sample space, for looking at what a user sees:
// lists an account, downloads it and saves pictures of the window and of one saved page.
//   qz_demo_walkthrough <picture folder> [QQ number] [save location]
// Run it under a real X server (xvfb-run). Message boxes are answered at once and printed.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTimer>
#include <cstdio>

#include "app/MainWindow.h"
#include "app/ProgramIcon.h"
#include "net/ProgramState.h"
#include "net/ServiceHosts.h"
#include "platform/DesktopEffects.h"
#include "platform/FileSystem.h"
#include "platform/Gbk.h"
#include "platform/QtText.h"
#include "tools/SampleSpace.h"

namespace {

class PrintingDesktop : public DesktopEffects {
 public:
  void ShowMessage(QWidget*, const QString& text) override {
    std::printf("[提示] %s\n", text.toStdString().c_str());
  }
  void ShowError(QWidget*, const QString& title, const QString& text) override {
    std::printf("[%s] %s\n", title.toStdString().c_str(), text.toStdString().c_str());
  }
  QString PickFolder(QWidget*, const QString&) override { return QString(); }
  void Open(const QUrl& url) override { std::printf("[open] %s\n", url.toString().toStdString().c_str()); }
  void WaitProcessingEvents(int) override { QCoreApplication::processEvents(); }
};

void Save(QWidget* window, const QString& file) {
  window->show();
  for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
  window->grab().save(file);
  std::printf("saved %s\n", file.toStdString().c_str());
}

void Click(QWidget* window, const char16_t* name) {
  window->findChild<QPushButton*>(QString::fromUtf16(name))->click();
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setWindowIcon(ProgramIcon());
  const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
  const QString qq = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("20001");
  QDir().mkpath(folder);

  sample::SampleSpace space;
  if (space.Start(0) <= 0) return 1;
  SetHosts(LocalServiceHosts(space.BaseUrl()));
  PrintingDesktop desktop;
  SetDesktop(&desktop);
  CreateProgramState();

  QTemporaryDir temporary;
  const QString saveRoot = argc > 3 ? QString::fromLocal8Bit(argv[3]) : temporary.path();
  {
    MainWindow main;
    main.ShowAtStart();
    main.findChild<QLineEdit*>(QStringLiteral("编辑框1"))->setText(qq);
    main.findChild<QLineEdit*>(QStringLiteral("保存位置"))->setText(saveRoot + "/dl");

    QElapsedTimer timer;
    timer.start();
    Click(&main, u"查看日志");
    std::printf("listing: %lld ms\n", static_cast<long long>(timer.elapsed()));
    Save(&main, folder + "/walkthrough-listed.png");

    timer.restart();
    Click(&main, u"下载");
    std::printf("download: %lld ms, %zu requests\n", static_cast<long long>(timer.elapsed()),
                space.RequestLog().size());
    Save(&main, folder + "/walkthrough-downloaded.png");

    // The first saved page with pictures, as a browser box shows it from the disk.
    const Text account = FromQString(saveRoot + "/dl" + qq);
    for (const auto& entry : files::FindEntries(account, "*.*")) {
      if (!entry.isFolder) continue;
      for (const auto& file : files::FindEntries(account + "\\" + entry.name, "*.html")) {
        const Text page = account + "\\" + entry.name + "\\" + file.name;
        const std::string text = files::ReadFile(page).value_or("");
        if (text.find("<img") == std::string::npos) continue;
        QTextBrowser browser;
        browser.resize(640, 520);
        // Qt's HTML reader, unlike a web browser, takes everything after an unclosed <HEAD> for
        // the head; the saved pages leave it open, as every page of this kind does.
        QString html = ToQString(text);
        html.replace(QStringLiteral("<BODY"), QStringLiteral("</HEAD><BODY"));
        const QString path = QString::fromStdString(files::NativePath(page)->string());
        browser.document()->setBaseUrl(QUrl::fromLocalFile(path));
        browser.setHtml(html);
        Save(&browser, folder + "/walkthrough-saved-page.png");
        std::printf("page %s\n", files::NativePath(page)->string().c_str());
        goto done;  // one page is enough
      }
    }
  done:;
  }
  FreeProgramState();
  SetDesktop(nullptr);
  return 0;
}
