#include "app/StartProgram.h"

#include <QApplication>
#include <QDir>

#include "app/MainWindow.h"
#include "app/ProgramIcon.h"
#include "net/ProgramState.h"

// On Windows, Qt initialises OLE for the user-interface thread itself when the first window
// is created, so nothing is needed here for the browser boxes.
int StartProgram(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setWindowIcon(ProgramIcon());
  // A save location typed as a relative path lies under the program's folder.
  QDir::setCurrent(QCoreApplication::applicationDirPath());
  CreateProgramState();
  {
    MainWindow window;
    window.ShowAtStart();
    QApplication::exec();
  }  // the windows go first, taking the tray icon with them
  FreeProgramState();
  return 0;
}
