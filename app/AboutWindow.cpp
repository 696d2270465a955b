#include "app/AboutWindow.h"

#include <QUrl>

#include "app/Fonts.h"
#include "platform/ProgramAddress.h"
#include "app/ProgramIcon.h"
#include "app/WindowPlacement.h"
#include "ui_AboutWindow.h"

namespace {
// 331 x 127 outer, less a single fixed border and the caption.
constexpr int kClientWidth = 325;
constexpr int kClientHeight = 101;
}  // namespace

AboutWindow::AboutWindow(QWidget* owner) : QDialog(owner), ui_(new Ui::AboutWindow) {
  ui_->setupUi(this);
  SetUpInformationWindow(this, kClientWidth, kClientHeight);
  ui_->图片框1->setPixmap(ProgramIcon().pixmap(32, 32));
  // The Windows default interface font sets five lines 12 px apart, so "作者主页：" ends on the
  // line of the address box. The stand-in fonts here space their lines wider; one pixel less of
  // character height keeps the five lines inside the label and the two on one line.
  ui_->标签1->setFont(SongFont(11));
  QFont linkFont = SongFont(11);
  linkFont.setUnderline(true);
  ui_->网址->setFont(linkFont);
  ui_->网址->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
  // The box shows the site's name; a press opens the full address.
  const QUrl address(QString::fromUtf8(kProgramAddress));
  ui_->网址->setText(address.host());
  ui_->网址->SetAddress(address.toString());
  CentreOnScreen(this);
}

AboutWindow::~AboutWindow() = default;
