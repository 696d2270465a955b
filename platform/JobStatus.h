#pragma once
// What a long job is doing, shown in the main window's status bar ("日志 12/57") while the window
// keeps painting; the credits return when the job ends.

#include <QFuture>
#include <QFutureWatcher>
#include <QEventLoop>
#include <QString>
#include <QtConcurrent>

class QWidget;

class JobStatus {
 public:
  // `window` is the main window (its status bar is found by name); nullptr shows nothing.
  JobStatus(QWidget* window, QString what);
  ~JobStatus();
  JobStatus(const JobStatus&) = delete;
  JobStatus& operator=(const JobStatus&) = delete;

  // Shows "what done/total" and lets the window repaint.
  void Progress(int done, int total);
  // Shows a free text, e.g. "读取日志列表…".
  void Show(const QString& text);

 private:
  QWidget* window_;
  QString what_;
};

// Lets the window repaint and update without handling user input (clicks and keys wait until the
// job is over, so no second job starts inside this one).
void KeepWindowPainted();

// Waits for `future` while the window keeps painting; user input waits until it is done.
template <class T>
void WaitWhilePainting(const QFuture<T>& future) {
  if (future.isFinished()) return;
  QEventLoop loop;
  QFutureWatcher<T> watcher;
  QObject::connect(&watcher, &QFutureWatcher<T>::finished, &loop, &QEventLoop::quit);
  watcher.setFuture(future);
  if (!future.isFinished()) loop.exec(QEventLoop::ExcludeUserInputEvents);
}

// Runs `work` on a worker thread and returns its result; the window keeps painting meanwhile.
// `work` must not touch a widget.
template <class F>
auto RunWhilePainting(F work) -> decltype(work()) {
  auto future = QtConcurrent::run(std::move(work));
  WaitWhilePainting(future);
  return future.result();
}
