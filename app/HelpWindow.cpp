#include "app/HelpWindow.h"

#include "app/Fonts.h"
#include "app/WindowPlacement.h"
#include "ui_HelpWindow.h"

namespace {
// 563 x 543 outer, less a single fixed border and the caption.
constexpr int kClientWidth = 557;
constexpr int kClientHeight = 517;
}  // namespace

HelpWindow::HelpWindow(QWidget* owner) : QDialog(owner), ui_(new Ui::HelpWindow) {
  ui_->setupUi(this);
  SetUpInformationWindow(this, kClientWidth, kClientHeight);
  const QFont heading = YaHeiFont(14);
  for (QWidget* w : {ui_->标签1, ui_->标签2, ui_->标签12}) w->setFont(heading);
  connect(ui_->按钮1, &QPushButton::clicked, this, &HelpWindow::CloseHelpWindow);
  CentreOnScreen(this);
}

HelpWindow::~HelpWindow() = default;

void HelpWindow::CloseHelpWindow() {
  close();
}
