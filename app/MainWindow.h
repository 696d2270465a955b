#pragma once
// The main window: the QQ number and save location boxes, the tab control with the blog, album
// and video pages, the status bar with the credits, the tray icon and its menu. Every control
// carries its design name as objectName; the handlers find the controls by those names.

#include <QMainWindow>
#include <QList>
#include <QPoint>
#include <QStringList>
#include <memory>

class QMenu;
class QSystemTrayIcon;

namespace Ui {
class MainWindow;
}

// Column titles and initial widths of each report list, by list name.
struct ListColumns {
  const char* list;
  QStringList titles;
  QList<int> widths;
};
const QList<ListColumns>& MainWindowListColumns();

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit MainWindow(QWidget* parent = nullptr);
  ~MainWindow() override;

  // The window's own handlers.
  void BrowseSaveFolder();
  void OpenAccountFolder();
  void HideWhenMinimised();

  // The tray and its menu.
  void SetTrayIcon();
  // 1: left button released, 2: double click, 3: right button released or context-menu key.
  void HandleTrayEvent(int kind);
  void ShowMainWindow();
  void HideMainWindow();
  void OpenUpdatePage();
  void ShowAboutWindow();
  void ExitProgram();
  // Left button pressed on 使用说明.
  void ShowHelpWindow();

  // Shows the window centred on the screen, as at start-up.
  void ShowAtStart();

  // The menu captioned "托盘菜单" whose items form the tray pop-up menu.
  QMenu* TrayMenu() const { return trayMenu_; }
  QSystemTrayIcon* TrayIcon() const { return trayIcon_; }

 protected:
  void changeEvent(QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void SetUpFonts();
  void SetUpLists();
  void SetUpStatusBar();
  void SetUpLinks();
  void ConnectHandlers();
  void BuildTrayMenu();
  void RememberPagePlaces();
  void PlacePageControls();
  // Visible, restored from minimised or maximised, and centred.
  void ShowCentred();

  std::unique_ptr<Ui::MainWindow> ui_;
  QMenu* trayMenu_ = nullptr;
  QSystemTrayIcon* trayIcon_ = nullptr;
  // The controls of the tab pages with their places measured from the tab control.
  struct PagePlace {
    QWidget* control;
    QPoint place;
  };
  QList<PagePlace> pagePlaces_;
};
