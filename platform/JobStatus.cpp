#include "platform/JobStatus.h"

#include <QCoreApplication>
#include <QStatusBar>
#include <QWidget>

namespace {
QStatusBar* StatusBarOf(QWidget* window) {
  return window ? window->findChild<QStatusBar*>(QStringLiteral("状态条1")) : nullptr;
}
}  // namespace

JobStatus::JobStatus(QWidget* window, QString what) : window_(window), what_(std::move(what)) {
  Show(what_);
}

JobStatus::~JobStatus() {
  if (auto* bar = StatusBarOf(window_)) bar->clearMessage();
}

void JobStatus::Progress(int done, int total) {
  Show(QStringLiteral("%1 %2/%3").arg(what_).arg(done).arg(total));
}

void JobStatus::Show(const QString& text) {
  if (auto* bar = StatusBarOf(window_)) {
    bar->showMessage(text);
    KeepWindowPainted();
  }
}

void KeepWindowPainted() {
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
