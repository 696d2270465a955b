#include "app/MainWindow.h"

#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QEvent>
#include <QLabel>
#include <QMenu>
#include <QStackedWidget>
#include <QStatusBar>
#include <QSystemTrayIcon>

#include "app/AboutWindow.h"
#include "app/Fonts.h"
#include "app/HelpWindow.h"
#include "app/PendingHandlers.h"
#include "platform/ProgramAddress.h"
#include "app/ProgramIcon.h"
#include "app/WindowPlacement.h"
#include "blog/BlogHandlers.h"
#include "platform/DesktopEffects.h"
#include "platform/MainWindowInputs.h"
#include "ui_MainWindow.h"

namespace {

// The client area of a 639 x 656 window with a single fixed border (3 px) and a 23 px caption.
constexpr int kClientWidth = 633;
constexpr int kClientHeight = 630;
constexpr int kStatusBarHeight = 20;

}  // namespace

const QList<ListColumns>& MainWindowListColumns() {
  static const QList<ListColumns> columns = {
      {"超级列表框_日志", {"编号", "日志标题", "日志分类", "发表日期", "日志ID"}, {50, 180, 110, 150, 100}},
      {"超级列表框2", {"ID", "日志标题", "日志分类", "日志图片"}, {50, 160, 100, 300}},
      {"超级列表框_相册", {"编号", "相册名", "封面地址", "数量", "相册ID"}, {40, 150, 150, 50, 190}},
      {"超级列表框_相片", {"编号", "相片名", "相册名", "上传时间", "相片地址"}, {40, 150, 150, 100, 140}},
      {"超级列表框_视频", {"编号", "视频标题", "视频地址"}, {40, 190, 350}},
      {"超级列表框_日志1", {"编号", "日志标题", "日志分类", "日志ID"}, {40, 190, 110, 100}},
  };
  return columns;
}

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent), ui_(new Ui::MainWindow) {
  ui_->setupUi(this);
  setWindowIcon(ProgramIcon());
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  setFixedSize(kClientWidth, kClientHeight);

  SetUpFonts();
  SetUpLists();
  SetUpStatusBar();
  SetUpLinks();
  ui_->选择夹1->setCurrentIndex(0);
  // Page controls start 21 px below the tab control's top edge, so the tabs must not be taller
  // than the Windows ones (about 20 px) or the pages would cut the top of their group boxes.
  ui_->选择夹1->setStyleSheet(QStringLiteral(
      "QTabWidget::pane { border: 1px solid #9a9a9a; top: -1px; background: palette(window); }"
      "QTabBar::tab { height: 17px; padding: 0px 6px; border: 1px solid #9a9a9a;"
      "  border-bottom: none; border-top-left-radius: 2px; border-top-right-radius: 2px;"
      "  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #f6f6f6, stop:1 #dedede);"
      "  margin-right: -1px; margin-top: 2px; }"
      "QTabBar::tab:selected { background: palette(window); margin-top: 0px; height: 19px; }"));
  RememberPagePlaces();
  // The working lists lie behind the lists the user sees.
  ui_->超级列表框_日志1->stackUnder(ui_->超级列表框_视频);
  // The window-level controls lie on top of the tab control.
  for (QWidget* w : {static_cast<QWidget*>(ui_->标签1), static_cast<QWidget*>(ui_->编辑框1),
                     static_cast<QWidget*>(ui_->标签2), static_cast<QWidget*>(ui_->保存位置),
                     static_cast<QWidget*>(ui_->浏览), static_cast<QWidget*>(ui_->使用说明),
                     static_cast<QWidget*>(ui_->联系作者1), static_cast<QWidget*>(ui_->联系作者),
                     static_cast<QWidget*>(ui_->到目录)})
    w->raise();

  BuildTrayMenu();
  ConnectHandlers();
  SetTrayIcon();
}

MainWindow::~MainWindow() = default;

void MainWindow::SetUpFonts() {
  const QFont yaHei = YaHeiFont(12);
  for (QWidget* w : findChildren<QPushButton*>()) w->setFont(yaHei);
  for (QWidget* w : {static_cast<QWidget*>(ui_->编辑框1), static_cast<QWidget*>(ui_->保存位置),
                     static_cast<QWidget*>(ui_->标签1), static_cast<QWidget*>(ui_->标签2)})
    w->setFont(yaHei);
  ui_->状态条1->setFont(SongFont(12));
}

void MainWindow::SetUpLists() {
  const QFont song = SongFont(14);
  for (const ListColumns& c : MainWindowListColumns()) {
    auto* list = findChild<ReportList*>(QString::fromUtf8(c.list));
    list->SetColumns(c.titles, c.widths);
    list->SetShowsCheckBoxes(list == ui_->超级列表框_日志);
    list->setFont(song);
  }
}

void MainWindow::SetUpStatusBar() {
  QStatusBar* bar = ui_->状态条1;
  bar->setFixedHeight(kStatusBarHeight);
  bar->setSizeGripEnabled(false);
  struct Panel {
    const char* name;
    int width;
    const char* text;
  };
  static const Panel panels[] = {
      {"状态条1_1", 70, "欢迎使用"},
      {"状态条1_2", 410, "QQ空间下载器：把向所有人开放的日志、相册和视频保存到本地"},
      {"状态条1_3", 150, "版本 3.5 20131029"},
  };
  // Ordinary (not permanent) widgets: a job's message covers them and they come back after it.
  for (const Panel& p : panels) {
    auto* label = new QLabel(QString::fromUtf8(p.text), bar);
    label->setObjectName(QString::fromUtf8(p.name));
    label->setFixedWidth(p.width);
    label->setFont(SongFont(12));
    bar->addWidget(label);
  }
}

void MainWindow::SetUpLinks() {
  ui_->联系作者1->SetAddress(ProgramPage("support"));
  ui_->联系作者->SetAddress(ProgramPage("contact"));
}

void MainWindow::ConnectHandlers() {
  connect(ui_->浏览, &QPushButton::clicked, this, &MainWindow::BrowseSaveFolder);
  connect(ui_->到目录, &QPushButton::clicked, this, &MainWindow::OpenAccountFolder);
  connect(ui_->使用说明, &ClickableLabel::pressed, this, &MainWindow::ShowHelpWindow);

  // Blog page.
  connect(ui_->查看日志, &QPushButton::clicked, this, [this] { ListBlogs(this); });
  connect(ui_->超级列表框_日志, &ReportList::Clicked, this, [this] { ToggleBlogCheck(this); });
  connect(ui_->超级列表框_日志, &ReportList::HeaderClicked, this,
          [this](int column) { SortBlogList(this, column); });
  connect(ui_->标签_全选, &ClickableLabel::pressed, this, [this] { CheckAllBlogs(this); });
  connect(ui_->标签_反选, &ClickableLabel::pressed, this, [this] { InvertBlogChecks(this); });
  connect(ui_->下载, &QPushButton::clicked, this, [this] { DownloadBlogs(this); });
  connect(ui_->保存为文本, &QPushButton::clicked, this, [this] { ExportPlainText(this); });
  connect(ui_->生成CHM, &QPushButton::clicked, this, [this] { BuildChmEbook(this); });

  // Album page.
  connect(ui_->查看相册, &QPushButton::clicked, this, [this] { ListAlbums(this); });
  connect(ui_->超级列表框_相册, &ReportList::DoubleClicked, this, [this] { ListAlbumPhotos(this); });
  connect(ui_->下载1, &QPushButton::clicked, this, [this] { DownloadPhotos(this); });

  // Video page.
  connect(ui_->查看视频, &QPushButton::clicked, this, [this] { ListVideos(this); });
  connect(ui_->超级列表框_视频, &ReportList::DoubleClicked, this, [this] { OpenVideoWindow(this); });
}

void MainWindow::BuildTrayMenu() {
  trayMenu_ = new QMenu(QStringLiteral("托盘菜单"), this);
  trayMenu_->setObjectName(QStringLiteral("托盘菜单"));
  trayMenu_->addAction(QStringLiteral("显示程序"), this, &MainWindow::ShowMainWindow);
  trayMenu_->addAction(QStringLiteral("隐藏程序"), this, &MainWindow::HideMainWindow);
  trayMenu_->addSeparator();
  trayMenu_->addAction(QStringLiteral("查看更新"), this, &MainWindow::OpenUpdatePage);
  trayMenu_->addSeparator();
  trayMenu_->addAction(QStringLiteral("关于程序"), this, &MainWindow::ShowAboutWindow);
  trayMenu_->addAction(QStringLiteral("退出程序"), this, &MainWindow::ExitProgram);
}

// The page controls are laid out in the design as measured from the tab control's top-left
// corner; a page itself starts below the tab bar, so each control is shifted by the page's
// offset once the tab control has laid out its pages.
void MainWindow::RememberPagePlaces() {
  QTabWidget* tabs = ui_->选择夹1;
  for (int i = 0; i < tabs->count(); ++i)
    for (QWidget* w : tabs->widget(i)->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
      pagePlaces_.push_back({w, w->pos()});
}

void MainWindow::PlacePageControls() {
  QTabWidget* tabs = ui_->选择夹1;
  auto* stack = tabs->findChild<QStackedWidget*>();
  if (!stack) return;
  const QPoint offset = stack->mapTo(tabs, QPoint(0, 0));
  for (const PagePlace& p : pagePlaces_) p.control->move(p.place - offset);
}

void MainWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  PlacePageControls();
}

void MainWindow::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange) HideWhenMinimised();
}

void MainWindow::ShowAtStart() {
  CentreOnScreen(this);
  show();
}

void MainWindow::BrowseSaveFolder() {
  const QString folder = Desktop().PickFolder(this, QStringLiteral("选择保存目录"));
  ui_->保存位置->setText(QDir::toNativeSeparators(folder));
}

void MainWindow::OpenAccountFolder() {
  ::OpenAccountFolder(this);
}

void MainWindow::HideWhenMinimised() {
  if (isMinimized()) hide();
}

void MainWindow::SetTrayIcon() {
  trayIcon_ = new QSystemTrayIcon(ProgramIcon(), this);
  trayIcon_->setToolTip(QStringLiteral("砚溪QQ空间下载器"));
  connect(trayIcon_, &QSystemTrayIcon::activated, this,
          [this](QSystemTrayIcon::ActivationReason reason) {
            switch (reason) {
              case QSystemTrayIcon::Trigger: HandleTrayEvent(1); break;
              case QSystemTrayIcon::DoubleClick: HandleTrayEvent(2); break;
              case QSystemTrayIcon::Context: HandleTrayEvent(3); break;
              default: break;
            }
          });
  // Without a notification area (a bare X server, the offscreen platform) the icon simply does
  // not appear.
  trayIcon_->show();
}

void MainWindow::HandleTrayEvent(int kind) {
  switch (kind) {
    case 3: {
      if (isVisible()) {
        raise();
        activateWindow();
      }
      // The menu's top-right corner 5 px left of and above the pointer.
      const QPoint corner = QCursor::pos() - QPoint(5, 5);
      trayMenu_->popup(QPoint(corner.x() - trayMenu_->sizeHint().width() + 1, corner.y()));
      break;
    }
    case 1:
      if (isVisible())
        hide();
      else
        ShowCentred();
      break;
    default:
      break;
  }
}

void MainWindow::ShowCentred() {
  setWindowState(windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
  show();
  CentreOnScreen(this);
  raise();
  activateWindow();
}

void MainWindow::ShowMainWindow() {
  ShowCentred();
}

void MainWindow::HideMainWindow() {
  hide();
}

void MainWindow::OpenUpdatePage() {
  Desktop().Open(QUrl(ProgramPage("releases")));
}

void MainWindow::ShowAboutWindow() {
  AboutWindow about(this);
  about.exec();
}

void MainWindow::ShowHelpWindow() {
  HelpWindow help(this);
  help.exec();
}

void MainWindow::ExitProgram() {
  trayIcon_->hide();
  QApplication::closeAllWindows();
  QCoreApplication::quit();
}
