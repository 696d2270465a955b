#include "app/WindowPlacement.h"

#include <QDialog>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace {
constexpr int kBorder = 3;
constexpr int kCaption = 23;
}  // namespace

void CentreOnScreen(QWidget* window) {
  QScreen* screen = window->isVisible() && window->screen() ? window->screen()
                                                            : QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect area = screen->availableGeometry();
  QSize outer = window->frameGeometry().size();
  if (!window->isVisible()) outer = window->size() + QSize(2 * kBorder, kCaption + kBorder);
  window->move(area.x() + (area.width() - outer.width()) / 2,
               area.y() + (area.height() - outer.height()) / 2);
}

void SetUpInformationWindow(QDialog* window, int clientWidth, int clientHeight) {
  window->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  window->setFixedSize(clientWidth, clientHeight);
  window->setModal(true);
  window->setAttribute(Qt::WA_QuitOnClose, false);
}
