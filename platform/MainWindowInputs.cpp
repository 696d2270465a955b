#include "platform/MainWindowInputs.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMetaObject>
#include <QThread>
#include <QUrl>
#include <QWidget>

#include "platform/DesktopEffects.h"
#include "platform/FileSystem.h"
#include "platform/QtText.h"
#include "platform/ReportList.h"

namespace {

Text BoxText(QWidget* window, const char* utf8Name) {
  if (!window) return Text();
  const QString name = QString::fromUtf8(utf8Name);
  auto read = [window, name]() -> Text {
    auto* box = window->findChild<QLineEdit*>(name);
    return box ? FromQString(box->text()) : Text();
  };
  if (QThread::currentThread() == window->thread()) return read();
  Text result;
  QMetaObject::invokeMethod(window, read, Qt::BlockingQueuedConnection, &result);
  return result;
}

}  // namespace

Text AccountFolder(const Text& saveRoot, const Text& qq) {
  return saveRoot + qq;
}

Text QqNumberOf(QWidget* window) {
  return BoxText(window, "编辑框1");
}

Text SaveRootOf(QWidget* window) {
  return BoxText(window, "保存位置");
}

Text AccountFolderOf(QWidget* window) {
  return AccountFolder(SaveRootOf(window), QqNumberOf(window));
}

void OpenAccountFolder(QWidget* window) {
  const Text folder = AccountFolderOf(window);
  // The Windows shell opens nothing for a missing folder; the desktops here would show an error
  // box of their own, so a missing folder is not handed to them at all.
  if (!files::IsFolder(folder)) return;
  const auto native = files::NativePath(folder);
  if (!native) return;
  const QString path = QFileInfo(QString::fromStdString(native->string())).absoluteFilePath();
  Desktop().Open(QUrl::fromLocalFile(path));
}

ReportList* ListOf(QWidget* window, const char* name) {
  return window ? window->findChild<ReportList*>(QString::fromUtf8(name)) : nullptr;
}
