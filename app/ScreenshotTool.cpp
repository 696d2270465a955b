// Saves a picture of each window of the program: qz_screenshots <folder>.
// Run it under a real X server (xvfb-run) so the pictures show what a user sees.
#include <QApplication>
#include <QDir>
#include <QTabWidget>
#include <QTimer>

#include "app/AboutWindow.h"
#include "app/HelpWindow.h"
#include "app/MainWindow.h"
#include "app/ProgramIcon.h"

namespace {

void Save(QWidget* window, const QString& file) {
  window->show();
  // Let the window map and paint before its picture is taken.
  for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
  window->grab().save(file);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setWindowIcon(ProgramIcon());
  const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
  QDir().mkpath(folder);

  MainWindow main;
  main.ShowAtStart();
  Save(&main, folder + "/main-window.png");
  auto* tabs = main.findChild<QTabWidget*>(QStringLiteral("选择夹1"));
  tabs->setCurrentIndex(1);
  Save(&main, folder + "/main-window-albums.png");
  tabs->setCurrentIndex(2);
  Save(&main, folder + "/main-window-videos.png");
  tabs->setCurrentIndex(0);

  AboutWindow about(&main);
  Save(&about, folder + "/about-window.png");
  about.close();
  HelpWindow help(&main);
  Save(&help, folder + "/help-window.png");
  help.close();
  return 0;
}
