#include "platform/DesktopEffects.h"

#include <QDesktopServices>
#include <QEventLoop>
#include <QFileDialog>
#include <QMessageBox>
#include <QTimer>

namespace {

class RealDesktopEffects : public DesktopEffects {
 public:
  void ShowMessage(QWidget* parent, const QString& text) override {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("提示"), text, QMessageBox::Ok, parent);
    box.exec();
  }

  void ShowError(QWidget* parent, const QString& title, const QString& text) override {
    QMessageBox box(QMessageBox::Information, title, text, QMessageBox::Ok, parent);
    box.exec();
  }

  QString PickFolder(QWidget* parent, const QString& title) override {
    QString folder = QFileDialog::getExistingDirectory(parent, title);
    // A path ends without a separator, except for the root.
    while (folder.size() > 1 && (folder.endsWith('/') || folder.endsWith('\\'))) folder.chop(1);
    return folder;
  }

  void Open(const QUrl& url) override { QDesktopServices::openUrl(url); }

  void WaitProcessingEvents(int ms) override {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
  }
};

RealDesktopEffects& Real() {
  static RealDesktopEffects real;
  return real;
}

DesktopEffects* installed = nullptr;

}  // namespace

DesktopEffects& Desktop() {
  return installed ? *installed : Real();
}

void SetDesktop(DesktopEffects* effects) {
  installed = effects;
}
